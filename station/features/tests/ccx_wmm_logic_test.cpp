// The CCX word and the WMM page's decisions without windows: the word written over a stored one
// with CCX on and off, the boxes read from a word, the diagnostic channel's record and name, the
// S64 name's UTF-16 form, the power-save status text, the listed direct links, the set-up form's
// checks and the encryption values that re-join.
#include "station/features/CcxWord.h"
#include "station/features/WmmSettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t bit(int n) { return 1u << n; }

// A stored word with every bit the page must keep: fast roaming, a -75 dBm threshold, bits
// 29-31, and besides every option bit and a time limit of 500.
constexpr std::uint32_t kKeptBits = bit(5) | (75u << 8) | bit(29) | bit(30) | bit(31);
constexpr std::uint32_t kOptionBits = bit(0) | bit(1) | bit(2) | bit(3) | bit(4) | bit(6) | bit(7) | bit(26) | bit(27) | bit(28);
constexpr std::uint32_t kStored = kKeptBits | kOptionBits | (500u << 16);

}

TEST(CcxWord, CcxOnRewritesTheOptionsAndKeepsRoamingAndTheTopBits)
{
    struct Case {
        char const* name;
        CCX_PAGE_OPTIONS options;
        std::uint32_t expected;
        BOOL dcrm_after;
    };
    CCX_PAGE_OPTIONS none;
    none.bEnable = TRUE;
    none.nTimeLimit = 0;
    CCX_PAGE_OPTIONS all = none;
    all.bCCKM = all.bRM = all.bDCRM = all.bNetworkEAP = all.bCAC = all.bRotateProfile = all.bMFP = all.bRFRoam = TRUE;
    all.bVoiceRate = TRUE;
    all.nTimeLimit = 1023;
    CCX_PAGE_OPTIONS no_rm = all;
    no_rm.bRM = FALSE;
    CCX_PAGE_OPTIONS voice_two = none;
    voice_two.bVoiceRate = 2;
    CCX_PAGE_OPTIONS too_long = none;
    too_long.nTimeLimit = 1024;
    Case const cases[] = {
        { "boxes clear", none, kKeptBits | bit(0), FALSE },
        { "boxes set, limit 1023", all, kKeptBits | kOptionBits | (1023u << 16), TRUE },
        { "radio measurement off takes the non-serving box with it", no_rm,
            (kKeptBits | kOptionBits | (1023u << 16)) & ~(bit(2) | bit(3)), FALSE },
        { "voice rate only when exactly 1", voice_two, kKeptBits | bit(0), FALSE },
        { "the limit keeps ten bits", too_long, kKeptBits | bit(0), FALSE },
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CcxWordFromOptions(kStored, c.options), c.expected);
        EXPECT_EQ(c.options.bDCRM, c.dcrm_after);
    }
}

TEST(CcxWord, CcxOffClearsTheCcxOptionsOnly)
{
    CCX_PAGE_OPTIONS off;
    off.bEnable = FALSE;
    off.bRM = off.bDCRM = off.bCCKM = TRUE;
    off.nTimeLimit = 9;
    // Fast roaming, its threshold, the time limit, the voice rate and bits 29-31 stay.
    EXPECT_EQ(CcxWordFromOptions(kStored, off), kKeptBits | (500u << 16) | bit(28));
    EXPECT_FALSE(off.bDCRM);
    EXPECT_TRUE(off.bRM);
}

TEST(CcxWord, BoxesTakeTheirBits)
{
    CCX_PAGE_OPTIONS const o = CcxOptionsFromWord(bit(0) | bit(2) | bit(7) | bit(27) | bit(28) | (1023u << 16) | bit(5));
    EXPECT_TRUE(o.bEnable);
    EXPECT_FALSE(o.bCCKM);
    EXPECT_TRUE(o.bRM);
    EXPECT_FALSE(o.bDCRM);
    EXPECT_FALSE(o.bCAC);
    EXPECT_FALSE(o.bNetworkEAP);
    EXPECT_TRUE(o.bRotateProfile);
    EXPECT_FALSE(o.bMFP);
    EXPECT_TRUE(o.bRFRoam);
    EXPECT_TRUE(o.bVoiceRate);
    EXPECT_EQ(o.nTimeLimit, 1023u);
    // Read and written back unchanged.
    CCX_PAGE_OPTIONS again = CcxOptionsFromWord(kStored);
    EXPECT_EQ(CcxWordFromOptions(kStored, again), kStored);
}

TEST(CcxWord, TheDiagnosticChannel)
{
    EXPECT_TRUE(IsDiagnosticChannelSsid("Diagnostic Channel"));
    EXPECT_TRUE(IsDiagnosticChannelSsid("diagnostic channel"));
    EXPECT_FALSE(IsDiagnosticChannelSsid("Diagnostic Channel "));
    EXPECT_FALSE(IsDiagnosticChannelSsid("Diagnostic"));
    EXPECT_FALSE(IsDiagnosticChannelSsid(""));

    WLANPROFILE const p = DiagnosticChannelProfile();
    EXPECT_EQ(p.SSID.SsidLength, 18u);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(p.SSID.Ssid), 18), "Diagnostic Channel");
    EXPECT_STREQ(p.strProfileName, "Diagnostic Channel");
    EXPECT_EQ(p.enumNetworkType, 1u);
    EXPECT_EQ(p.lRtsThre, 2347);
    EXPECT_EQ(p.lFragThre, 2346);
    EXPECT_EQ(p.enumAuthenMode, 0u);
    EXPECT_EQ(p.enumEncryStatus, 1u);
    EXPECT_EQ(p.bUseDiagnostic, 1u);
    EXPECT_EQ(p.bBssid, 0u);
}

TEST(CcxWord, S64NamesAreUtf16AndBounded)
{
    char16_t out[kS64NameUnits];
    S64NameOf("Home", out);
    EXPECT_EQ(std::u16string(out), u"Home");
    S64NameOf("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", out);
    EXPECT_EQ(std::u16string(out), u"Caf\u00E9 \u20AC \U0001F600");
    // A stray byte and a truncated sequence become replacement characters.
    S64NameOf("a\xFF" "b\xE2\x82", out);
    EXPECT_EQ(std::u16string(out), u"a\uFFFDb\uFFFD\uFFFD");
    // 1023 units at most, the terminator kept; a pair that would not fit is left out whole.
    S64NameOf(std::string(2000, 'x'), out);
    EXPECT_EQ(std::u16string(out).size(), kS64NameUnits - 1);
    std::string pairs = std::string(1022, 'y') + "\xF0\x9F\x98\x80";
    S64NameOf(pairs, out);
    EXPECT_EQ(std::u16string(out), std::u16string(1022, u'y'));
}

TEST(WmmSettings, PowerSaveStatusNamesTheCategoriesInOrder)
{
    EXPECT_EQ(PowerSaveStatusText("Enabled", { 1, 0, 0, 1 }), "Enabled:AC_BE:AC_VO");
    EXPECT_EQ(PowerSaveStatusText("Enabled", { 1, 1, 1, 1 }), "Enabled:AC_BE:AC_BK:AC_VI:AC_VO");
    EXPECT_EQ(PowerSaveStatusText("Enabled", {}), "Enabled");
}

TEST(WmmSettings, OnlyLinksInUseAndUpAreListed)
{
    DLS_ENTRY table[DLS_TABLE_ENTRIES] {};
    auto entry = [&](int i, std::uint8_t last, std::uint8_t state, std::uint8_t in_use, std::uint16_t timeout) {
        std::uint8_t const mac[6] = { 0x02, 0x30, 0x00, 0x0A, 0xBC, last };
        std::memcpy(table[i].MacAddr, mac, 6);
        table[i].State = state;
        table[i].InUse = in_use;
        table[i].TimeOut = timeout;
    };
    entry(0, 0x01, 2, 1, 60);
    entry(1, 0x02, 1, 1, 30);   // not up yet
    entry(2, 0x03, 2, 0, 30);   // torn down
    entry(3, 0xEF, 2, 1, 0);
    auto const rows = DlsRows(table);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].strMac, "02-30-00-0A-BC-01");
    EXPECT_EQ(rows[0].nTimeout, 60);
    EXPECT_EQ(rows[1].strMac, "02-30-00-0A-BC-EF");
    EXPECT_EQ(rows[1].nTimeout, 0);
}

TEST(WmmSettings, SetUpFormChecks)
{
    std::uint8_t const own[6] = { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
    using Mac = std::array<std::string, 6>;
    Mac const peer { "02", "30", "00", "00", "00", "01" };
    struct Case {
        char const* name;
        Mac mac;
        char const* timeout;
        DlsFormResult result;
        int sent_timeout;
    };
    Case const cases[] = {
        { "a peer, 60 s", peer, "60", DlsFormResult::Ok, 60 },
        { "timeout 0", peer, "0", DlsFormResult::Ok, 0 },
        { "timeout 21", peer, "21", DlsFormResult::Ok, 21 },
        { "timeout 65535", peer, "65535", DlsFormResult::Ok, 65535 },
        { "leading zeros", peer, "00021", DlsFormResult::Ok, 21 },
        { "timeout 20", peer, "20", DlsFormResult::InvalidTimeout, 0 },
        { "timeout 65536", peer, "65536", DlsFormResult::InvalidTimeout, 0 },
        { "a pasted long number", peer, "0000000000065535", DlsFormResult::Ok, 65535 },
        { "a pasted larger number", peer, "99999999999999999999", DlsFormResult::InvalidTimeout, 0 },
        { "a pasted sign", peer, "-60", DlsFormResult::InvalidTimeout, 0 },
        { "group address", { "01", "00", "5E", "00", "00", "01" }, "60", DlsFormResult::GroupAddress, 0 },
        { "own address", { "00", "1a", "2B", "3c", "4D", "5e" }, "60", DlsFormResult::InvalidMac, 0 },
        { "all zeros", { "00", "00", "00", "00", "00", "00" }, "60", DlsFormResult::InvalidMac, 0 },
        { "all FF", { "FF", "ff", "FF", "FF", "FF", "FF" }, "60", DlsFormResult::InvalidMac, 0 },
        { "one character", { "02", "30", "0", "00", "00", "01" }, "60", DlsFormResult::InvalidMac, 0 },
        { "empty field", { "02", "30", "", "00", "00", "01" }, "60", DlsFormResult::InvalidMac, 0 },
        { "pasted non-hex", { "02", "3G", "00", "00", "00", "01" }, "60", DlsFormResult::InvalidMac, 0 },
        { "pasted three digits", { "02", "300", "00", "00", "00", "01" }, "60", DlsFormResult::InvalidMac, 0 },
        // The address is checked before the timeout.
        { "bad address and timeout", { "01", "00", "00", "00", "00", "00" }, "5", DlsFormResult::GroupAddress, 0 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        DlsFormCheck const check = CheckDlsForm(c.mac, c.timeout, own);
        EXPECT_EQ(check.result, c.result);
        if (c.result != DlsFormResult::Ok)
            continue;
        EXPECT_EQ(check.entry.TimeOut, c.sent_timeout);
        EXPECT_EQ(check.entry.InUse, 1);
        EXPECT_EQ(check.entry.State, 0);
        EXPECT_EQ(check.entry.Reserved, 0);
        std::uint8_t const mac[6] = { 0x02, 0x30, 0x00, 0x00, 0x00, 0x01 };
        EXPECT_EQ(std::memcmp(check.entry.MacAddr, mac, 6), 0);
        EXPECT_EQ(check.strMacDigits, "023000000001");
        EXPECT_FALSE(check.bTimeoutDefaulted);
    }
}

TEST(WmmSettings, AnEmptyTimeoutBecomesSixty)
{
    std::uint8_t const own[6] {};
    DlsFormCheck const check = CheckDlsForm({ "02", "30", "00", "00", "00", "01" }, "", own);
    EXPECT_EQ(check.result, DlsFormResult::Ok);
    EXPECT_TRUE(check.bTimeoutDefaulted);
    EXPECT_EQ(check.entry.TimeOut, 60);
}

TEST(WmmSettings, TheEncryptionValuesThatRejoin)
{
    for (std::uint32_t e = 0; e < 16; ++e) {
        bool const expected = e == 4 || e == 5 || e == 6 || e == 7 || e == 10 || e == 11;
        EXPECT_EQ(WmmChangeRejoins(e), expected) << e;
    }
}
