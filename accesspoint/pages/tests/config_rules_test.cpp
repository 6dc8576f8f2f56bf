// The configuration record both ways, the channel plan, the security dialog's rules and the
// access control page's stored forms, as pure functions with the values written out here.
#include "accesspoint/pages/AccessControlRules.h"
#include "accesspoint/pages/ApConfigRecord.h"
#include "accesspoint/pages/ChannelPlan.h"
#include "accesspoint/pages/PageTexts.h"
#include "accesspoint/pages/SecurityRules.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace hotvane;

namespace {

template<typename T>
std::uint32_t word_at(T const& record, std::size_t offset)
{
    std::uint32_t v = 0;
    std::memcpy(&v, reinterpret_cast<std::uint8_t const*>(&record) + offset, sizeof v);
    return v;
}

ConfigPageValues sample_values()
{
    ConfigPageValues v;
    v.ssid = "Garden";
    v.wireless_mode = 9;
    v.freq_khz = 2437000;
    v.allow_bw40 = 1;
    v.ht = { 7, 0, 1, 1, 0, 1 };
    v.tx_rate = 0;
    v.tx_power = 1;
    v.bg_protection = 2;
    v.region_bg = 1;
    v.region_a = 7;
    v.preamble = 1;
    v.beacon = 100;
    v.rts = 2347;
    v.frag = 2346;
    v.tx_burst = 1;
    v.no_forwarding = 1;
    v.short_slot = 1;
    v.idle_time = 0x12345;
    v.security.AuthenMode = AP_AUTH_WPA2_PSK;
    v.security.EncryStatus = AP_ENC_AES;
    v.security.nRekeyInterval = 360;
    v.security.nRekeyMethod = 1;
    v.security.nRadiusPort = 1812;
    v.security.RadiusServerIp = 0xC0A80001;
    std::memcpy(v.security.RadiusKey, "radius", 6);
    return v;
}

}

// [SECTION] The 802.11n word

TEST(ApConfigRecord, HtPhyModeGoldenWords)
{
    struct Case {
        const char* name;
        std::uint32_t band;
        HtChoice ht;
        std::uint32_t word;
    } const cases[] = {
        { "band 9, MCS 7, 40 MHz, GI and STBC automatic, MM, above", 9, { 7, 1, 1, 1, 0, 1 }, 0x0002B879 },
        { "band 8, MCS 33, 20 MHz, long, none, MM, no extension", 8, { 33, 0, 0, 0, 0, 0 }, 0x00008218 },
        { "band 9, MCS 0, greenfield, below", 9, { 0, 1, 0, 0, 1, 3 }, 0x00078809 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PackHtPhyMode(c.band, c.ht), c.word);
        EXPECT_EQ(UnpackHtPhyMode(c.word), c.ht);
    }
}

TEST(ApConfigRecord, ExtensionChannelBothWays)
{
    EXPECT_EQ(ExtChaCode(1, 6, "10"), 1u);
    EXPECT_EQ(ExtChaCode(1, 6, "2"), 3u);
    EXPECT_EQ(ExtChaCode(1, 6, "6"), 0u);
    EXPECT_EQ(ExtChaCode(1, 6, "none"), 0u);
    EXPECT_EQ(ExtChaCode(1, 6, ""), 0u) << "an empty extension list";
    EXPECT_EQ(ExtChaCode(0, 6, "10"), 0u);
    EXPECT_EQ(ExtChaText(1, 1, 6), "10");
    EXPECT_EQ(ExtChaText(1, 3, 6), "2");
    EXPECT_EQ(ExtChaText(1, 2, 6), "");
    EXPECT_EQ(ExtChaText(1, 0, 6), "none");
    EXPECT_EQ(ExtChaText(0, 1, 6), "none");
}

// [SECTION] Apply's records

TEST(ApConfigRecord, ApplyBuildsTheGoldenRecords)
{
    ApRecords const r = BuildApRecords(sample_values(), true, true);
    auto const& c = r.config;
    EXPECT_EQ(c.SsidLen, 6u);
    EXPECT_EQ(std::memcmp(c.Ssid, "Garden\0\0", 8), 0);
    EXPECT_EQ(word_at(c, 36), 9u);
    EXPECT_EQ(word_at(c, 40), 2437000u);
    EXPECT_EQ(word_at(c, 44), 1u);
    EXPECT_EQ(word_at(c, 48), 0x0002B879u);
    EXPECT_EQ(word_at(c, 56), 1u);
    EXPECT_EQ(word_at(c, 60), 2u);
    EXPECT_EQ(word_at(c, 64), 1u);
    EXPECT_EQ(word_at(c, 68), 7u);
    EXPECT_EQ(word_at(c, 72), 1u);
    EXPECT_EQ(word_at(c, 76), 100u);
    EXPECT_EQ(word_at(c, 80), 2347u);
    EXPECT_EQ(word_at(c, 84), 2346u);
    EXPECT_EQ(word_at(c, 88), 1u);
    EXPECT_EQ(word_at(c, 96), 1u);
    EXPECT_EQ(word_at(c, 104), 1u);
    EXPECT_EQ(word_at(c, 112), 7u);
    EXPECT_EQ(word_at(c, 188), 360u);
    EXPECT_EQ(word_at(c, 544), 0x12345u);

    std::uint8_t const* o = reinterpret_cast<std::uint8_t const*>(&r.options);
    EXPECT_EQ(word_at(r.options, 0), 1u);
    EXPECT_EQ(word_at(r.options, 8), 1u);
    EXPECT_EQ(word_at(r.options, 16), 2u);
    EXPECT_EQ(word_at(r.options, 20), 1u);
    EXPECT_EQ(o[24], 0x45);
    EXPECT_EQ(o[25], 0x23) << "the idle time's low 16 bits";
    for (int i = 26; i < 32; ++i)
        EXPECT_EQ(o[i], 0) << i;
    EXPECT_EQ(word_at(r.options, 32), 0xC0A80001u);
    EXPECT_EQ(word_at(r.options, 36), 1812u);
    EXPECT_EQ(std::memcmp(o + 40, "radius", 7), 0);
    EXPECT_EQ(word_at(r.options, 104), 1u) << "method first";
    EXPECT_EQ(word_at(r.options, 108), 360u) << "then the interval";
}

TEST(ApConfigRecord, WithoutHtNoWordAndNo40MHz)
{
    ApRecords const r = BuildApRecords(sample_values(), true, false);
    EXPECT_EQ(r.config.HT_PhyMode, 0u);
    EXPECT_EQ(r.config.bAllowBW40, 0u);
}

TEST(ApConfigRecord, ProtectionForcedOffByBand)
{
    struct Case {
        std::uint32_t band;
        bool has_a;
        std::uint32_t stored;
    } const cases[] = { { 2, true, 0 }, { 2, false, 2 }, { 1, false, 0 }, { 4, false, 0 }, { 0, true, 2 }, { 8, true, 2 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.band);
        ConfigPageValues v = sample_values();
        v.wireless_mode = c.band;
        EXPECT_EQ(BuildApRecords(v, c.has_a, false).config.nBGProtection, c.stored);
        EXPECT_EQ(BuildApRecords(v, c.has_a, false).options.nBGProtection, c.stored);
    }
}

TEST(ApConfigRecord, NameOf32BytesRoundTripsAndLongerIsCut)
{
    ConfigPageValues v = sample_values();
    v.ssid = std::string(32, 'n');
    ApRecords const r = BuildApRecords(v, false, false);
    EXPECT_EQ(r.config.SsidLen, 32u);
    EXPECT_EQ(LoadConfigPageValues(r.config).ssid, v.ssid);
    v.ssid = std::string(31, 'n') + "\xC3\xA9";
    EXPECT_EQ(BuildApRecords(v, false, false).config.SsidLen, 31u) << "cut between characters";
}

// A record with every length past its field loads inside the record (AddressSanitizer checks).
TEST(ApConfigRecord, LoadTrustsNoLength)
{
    auto record = std::make_unique<ApConfigData>();
    std::memset(record.get(), 'x', sizeof *record);
    record->SsidLen = 40;
    record->Security.WpaPskLen = 80;
    ConfigPageValues const v = LoadConfigPageValues(*record);
    EXPECT_EQ(v.ssid, std::string(32, 'x'));
    EXPECT_EQ(PskText(v.security), std::string(64, 'x'));
    EXPECT_EQ(RadiusKeyText(v.security), std::string(64, 'x'));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(WepKeyText(v.security, i), std::string(64, 'x'));
    EXPECT_EQ(WepKeyText(v.security, 4), "");
}

TEST(ApConfigRecord, LoadReadsTheWordAndRemembers40MHz)
{
    ApConfigData c {};
    c.WirelessMode = 9;
    c.HT_PhyMode = 0x0002B879;
    c.bAllowBW40 = 0;
    EXPECT_EQ(RememberedBw40(c), 0) << "band 9 without 40 MHz allowed";
    c.bAllowBW40 = 1;
    EXPECT_EQ(RememberedBw40(c), 1);
    c.bAllowBW40 = 0;
    c.WirelessMode = 0;
    EXPECT_EQ(RememberedBw40(c), 1) << "a band without 802.11n keeps bit 11";
    EXPECT_EQ(LoadConfigPageValues(c).ht, (HtChoice { 7, 1, 1, 1, 0, 1 }));
}

TEST(ApConfigRecord, BandCodesBothWays)
{
    EXPECT_EQ(BandCode(0, true), 9u);
    EXPECT_EQ(BandCode(1, true), 8u);
    EXPECT_EQ(BandCode(0, false), 0u);
    EXPECT_EQ(BandCode(1, false), 2u);
    EXPECT_EQ(BandCode(-1, true), 0u);
    EXPECT_EQ(BandIndex(8, true), 1);
    EXPECT_EQ(BandIndex(2, false), 1);
    EXPECT_EQ(BandIndex(5, true), -1);
    EXPECT_EQ(BandIndex(0, true), -1);
}

// [SECTION] Channel plan

TEST(ChannelPlan, ExtensionChannelsOfARegion)
{
    std::vector<int> const ch1_11 { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 };
    struct Case {
        int channel;
        std::vector<int> listed;
        ExtensionEntries out;
    } const cases[] = {
        { 1, ch1_11, { { "5" }, true } },
        { 6, ch1_11, { { "2", "10" }, true } },
        { 11, ch1_11, { { "7" }, true } },
        { 14, { 1, 14 }, { { "none" }, false } },
        { 14, { 10, 14 }, { { "none" }, false } },
        { 36, { 36, 40 }, { { "40" }, true } },
        { 161, {}, { { "157" }, true } },
        { 165, { 165 }, { { "none" }, false } },
        { 140, { 140 }, { { "none" }, false } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.channel);
        EXPECT_EQ(ExtensionChannelsFor(c.channel, c.listed), c.out);
    }
    EXPECT_TRUE(Refuses40MHz(140));
    EXPECT_TRUE(Refuses40MHz(165));
    EXPECT_FALSE(Refuses40MHz(161));
}

TEST(ChannelPlan, ChannelListsByBand)
{
    std::vector<int> const c24 { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 };
    std::vector<int> const c5 { 36, 40 };
    EXPECT_EQ(ChannelEntries(9, c24, c5, true), (std::vector<int> { 2, 3, 4, 5, 6, 7, 8, 9, 10 }));
    EXPECT_EQ(ChannelEntries(9, c24, c5, false), c24);
    EXPECT_EQ(ChannelEntries(0, c24, c5, true), c24);
    EXPECT_EQ(ChannelEntries(8, c24, c5, true), c5);
    EXPECT_EQ(ChannelEntries(2, c24, c5, false), c5);
    EXPECT_TRUE(Spans40MHz(c24));
    EXPECT_FALSE(Spans40MHz({ 14 }));
    EXPECT_FALSE(Spans40MHz({ 10, 11, 12, 13 }));
    EXPECT_FALSE(Spans40MHz({}));
}

TEST(ChannelPlan, RegionListsByIndexAndRegion30)
{
    auto const entries = RegionEntries(RegionTexts24(), 2, Region30Text24({ 1, 2, 3 }));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], (RegionEntry { "0: CH1-11", 0 }));
    EXPECT_EQ(entries[2].code, 2);
    EXPECT_EQ(entries[3], (RegionEntry { "30: CH1, 2, 3", 30 }));
    EXPECT_EQ(RegionEntries(RegionTexts24(), 0, std::nullopt).size(), 8u);
    EXPECT_EQ(RegionEntries(RegionTexts24(), 8, std::nullopt).size(), 8u) << "an index past the texts shows all";
    EXPECT_EQ(RegionEntries(RegionTexts24(), 7, std::nullopt).size(), 8u);
    EXPECT_EQ(Region30Text5({ 36, 40 }), "30:   CH   36, 40");

    EXPECT_TRUE(RegionTexts5(9, false).empty());
    EXPECT_TRUE(RegionTexts5(-1, true).empty());
    EXPECT_EQ(RegionTexts5(2, true)[8], "8:   No Channel Support");
    EXPECT_EQ(RegionTexts5(3, false).size(), 11u);
    EXPECT_EQ(RegionTexts5(1, true).size(), 8u);
    EXPECT_EQ(RegionTexts5(8, false)[15], "15:  CH   149, 153, 157, 161, 165, 169, 173");
    EXPECT_EQ(RegionTexts5(4, true)[8], "8:   No Channel Support ");
}

// [SECTION] Security dialog rules

TEST(SecurityRules, ListsBySwitchesAndAdapter)
{
    CUISTR s;
    s.IDS_OPENSYSTEM = "Open";
    s.IDS_SHARED = "Shared";
    s.IDS_WPAPSK = "WPA-PSK";
    s.IDS_WPA2PSK = "WPA2-PSK";
    s.IDS_WPAPSK_WPA2PSK = "Mixed";
    s.IDS_NOTUSE = "None";
    s.IDS_WEP = "WEP";
    s.IDS_TKIP = "TKIP";
    s.IDS_AES = "AES";
    s.IDS_BOTH = "Both";
    auto texts = [](std::vector<CodeEntry> const& entries) {
        std::vector<std::string> out;
        for (auto const& e : entries)
            out.push_back(e.text);
        return out;
    };
    using T = std::vector<std::string>;
    struct Case {
        bool n;
        int wep, tkip;
        T auth, open, wpa2;
    } const cases[] = {
        { true, 1, 1, { "Open", "WPA-PSK", "WPA2-PSK", "Mixed" }, { "None" }, { "AES" } },
        { false, 1, 1, { "Open", "Shared", "WPA-PSK", "WPA2-PSK", "Mixed" }, { "None", "WEP" }, { "TKIP", "AES", "Both" } },
        { true, 0, 1, { "Open", "Shared", "WPA-PSK", "WPA2-PSK", "Mixed" }, { "None", "WEP" }, { "AES" } },
        { true, 1, 0, { "Open", "WPA-PSK", "WPA2-PSK", "Mixed" }, { "None" }, { "TKIP", "AES", "Both" } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << c.wep << c.tkip);
        CipherPermissions const p = PermissionsFor(c.n, c.wep, c.tkip);
        EXPECT_EQ(texts(AuthenticationEntries(s, p)), c.auth);
        EXPECT_EQ(texts(EncryptionEntries(s, 0, p)), c.open);
        EXPECT_EQ(texts(EncryptionEntries(s, 7, p)), c.wpa2);
    }
    CipherPermissions const all = PermissionsFor(false, 1, 1);
    EXPECT_EQ(texts(EncryptionEntries(s, 9, all)), (T { "TKIP", "AES" }));
    EXPECT_EQ(texts(EncryptionEntries(s, 1, all)), (T { "WEP" }));
    EXPECT_TRUE(EncryptionEntries(s, 5, all).empty());
}

TEST(SecurityRules, FieldsByChoice)
{
    EXPECT_EQ(FieldsFor(0, AP_ENC_NONE), (SecurityFields { false, false, false, false }));
    EXPECT_EQ(FieldsFor(2, AP_ENC_WEP), (SecurityFields { false, false, false, true }));
    EXPECT_EQ(FieldsFor(1, AP_ENC_WEP), (SecurityFields { false, false, false, true }));
    EXPECT_EQ(FieldsFor(3, AP_ENC_TKIP), (SecurityFields { false, true, true, false }));
    EXPECT_EQ(FieldsFor(9, AP_ENC_AES), (SecurityFields { true, true, false, false }));
    EXPECT_EQ(FieldsFor(6, AP_ENC_AES), std::nullopt);
}

TEST(SecurityRules, RekeyText)
{
    for (const char* bad : { "2", "", "67108864", "4294967299", "-3", "3a", " 3" })
        EXPECT_FALSE(ValidRekeyText(bad)) << bad;
    for (const char* good : { "3", "67108863", "0003" })
        EXPECT_TRUE(ValidRekeyText(good)) << good;
}

TEST(SecurityRules, WepKeysCheckedByFormatAndDefault)
{
    int const hex[4] = { 0, 0, 0, 0 };
    int const ascii[4] = { 1, 1, 1, 1 };
    std::string const key3_only[4] = { "", "", "0123456789", "" };
    auto f = CheckWepKeys(key3_only, hex, 0);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->key, 1) << "the empty default key fails first";
    EXPECT_FALSE(CheckWepKeys(key3_only, hex, 2));
    std::string const bad_hex[4] = { "", "012345678G", "", "" };
    f = CheckWepKeys(bad_hex, hex, 1);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->key, 2);
    EXPECT_TRUE(f->hexadecimal);
    std::string const ascii_keys[4] = { "abcde", "abcdefghijklm", "abcdef", "" };
    f = CheckWepKeys(ascii_keys, ascii, 0);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->key, 3);
    EXPECT_FALSE(f->hexadecimal);
}

// [SECTION] Access control stored forms

TEST(AccessControlRules, StoredListReadInsideItsBytes)
{
    std::vector<char> text(AP_ACL_TEXT_SIZE, 0);
    std::string stored;
    stored += std::string("001122334455") + '\0';
    stored += std::string("12AB") + '\0';
    stored += std::string("aabbccddeeff") + '\0';
    std::memcpy(text.data(), stored.data(), stored.size());
    std::vector<std::string> skipped;
    auto const entries = ParseStoredAccessList(text, [&](std::string const& e) { skipped.push_back(e); });
    EXPECT_EQ(entries, (std::vector<std::string> { "001122334455", "aabbccddeeff" }));
    EXPECT_EQ(skipped, (std::vector<std::string> { "12AB" }));

    std::vector<char> full(AP_ACL_TEXT_SIZE, 'A'); // no terminator anywhere
    EXPECT_TRUE(ParseStoredAccessList(full).empty());

    std::vector<char> forty;
    for (int i = 0; i < 40; ++i) {
        char entry[14] {};
        std::snprintf(entry, sizeof entry, "0000000000%02X", i * 2);
        forty.insert(forty.end(), entry, entry + 13);
    }
    forty.push_back('\0');
    forty.resize(AP_ACL_TEXT_SIZE, 0);
    EXPECT_EQ(ParseStoredAccessList(forty).size(), 32u);
}

TEST(AccessControlRules, ApplyWritesTextAndRecord)
{
    AccessControlWrite const w = BuildAccessControl(2, { "00-11-22-33-44-55" });
    EXPECT_EQ(w.length, 14);
    EXPECT_EQ(std::string(w.text.data()), "001122334455");
    EXPECT_EQ(w.record.Policy, 2u);
    EXPECT_EQ(w.record.Count, 1u);
    std::uint8_t const expected[8] = { 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x00, 0x00 };
    EXPECT_EQ(std::memcmp(reinterpret_cast<std::uint8_t const*>(&w.record) + 8, expected, 8), 0);

    AccessControlWrite const off = BuildAccessControl(0, { "00-11-22-33-44-55" });
    EXPECT_EQ(std::string(off.text.data()), "001122334455") << "the text is stored with policy 0";
    EXPECT_EQ(off.record.Policy, 0u);
    EXPECT_EQ(off.record.Count, 0u);
    EXPECT_EQ(off.record.Entry[0][1], 0);
    EXPECT_EQ(BuildAccessControl(1, {}).record.Policy, 0u);
    EXPECT_EQ(BuildAccessControl(1, {}).length, 1);
}

TEST(AccessControlRules, AddressCheckOrder)
{
    std::array<std::uint8_t, 6> const own { 0x02, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
    std::vector<std::string> const listed { "00-11-22-33-44-55" };
    EXPECT_EQ(CheckAclAddress("0011223344", own, listed), AclRefusal::Invalid);
    EXPECT_EQ(CheckAclAddress("00112233445G", own, listed), AclRefusal::Invalid);
    EXPECT_EQ(CheckAclAddress("011122334455", own, listed), AclRefusal::Group);
    EXPECT_EQ(CheckAclAddress("021a2b3c4d5e", own, listed), AclRefusal::Own);
    EXPECT_EQ(CheckAclAddress("00112233445A", own, { "00-11-22-33-44-5a" }), AclRefusal::Duplicate);
    EXPECT_EQ(CheckAclAddress("001122334456", own, listed), AclRefusal::None);
    EXPECT_EQ(DashedAclEntry("001122334455"), "00-11-22-33-44-55");
    EXPECT_EQ(AclDigits("00-11-22-33-44-55"), "001122334455");
}

TEST(PageTexts, LanguageFormatGetsOneValue)
{
    EXPECT_EQ(FillOneValue("Key %d is invalid", "3"), "Key 3 is invalid");
    EXPECT_EQ(FillOneValue("%s %n", "x"), "x %n");
    EXPECT_EQ(FillOneValue("100%% %s %s", "a"), "100% a %s");
    EXPECT_EQ(FillOneValue("%", "a"), "%");
    EXPECT_EQ(FillOneValue("Length:%s Hex", "\n"), "Length:\n Hex");
}

TEST(PageTexts, DecimalTextsInRange)
{
    struct Case {
        const char* text;
        std::uint32_t lo, hi;
        bool ok;
    } const cases[] = {
        { "0100", 20, 1000, true }, { "20", 20, 1000, true }, { "1000", 20, 1000, true }, { "1a0", 20, 1000, false },
        { "", 20, 1000, false }, { "19", 20, 1000, false }, { "1001", 20, 1000, false }, { "59", 60, 3600, false },
        { "3601", 60, 3600, false }, { "60", 60, 3600, true }, { "3600", 60, 3600, true },
        { "4294967396", 20, 1000, false }, { "-100", 20, 1000, false }, { "+100", 20, 1000, false },
    };
    for (auto const& c : cases)
        EXPECT_EQ(DecimalInRange(c.text, c.lo, c.hi), c.ok) << c.text;
}
