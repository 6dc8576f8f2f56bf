// The profile page's decisions as tables: the detail texts of every code, shortened names, the
// proposed name of a new profile, Activate's rights, the delete flag and the active row's mark.
#include "station/profiles/ProfileListRules.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace station::profiles;

namespace {

// Texts named after their keys, so a wrong index shows which text was taken.
ProfileTexts key_texts()
{
    ProfileTexts t;
    t.network = { "IDS_ADHOC", "IDS_INFRA", "IDS_AUTO" };
    t.auth = { "IDS_OPENSYSTEM", "IDS_SHARED", "", "IDS_WPA", "IDS_WPAPSK", "IDS_WPANONE", "IDS_WPA2", "IDS_WPA2PSK", "", "",
        "IDS_WAPIPSK", "IDS_WAPICA", "", "IDS_CCKM", "IDS_CCX" };
    t.cipher = { "IDS_WEP", "IDS_NONE", "", "", "IDS_TKIP", "", "IDS_AES", "", "", "IDS_SMS4", "IDS_TKIP_MFP", "IDS_AES_MFP" };
    t.cam = "IDS_SYS_CAM";
    t.psm = "IDS_SYS_PSM";
    return t;
}

WLANPROFILE record(std::uint32_t network)
{
    WLANPROFILE p {};
    p.enumNetworkType = network;
    std::strcpy(p.strProfileName, "Home");
    p.SSID.SsidLength = 4;
    std::memcpy(p.SSID.Ssid, "Home", 4);
    return p;
}

WLAN_STATUS link(char const* ssid, bool connected = true)
{
    WLAN_STATUS s {};
    s.Status = connected ? VxStatus_Connected : VxStatus_Disconnected;
    s.Ssid.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(s.Ssid.Ssid, ssid, s.Ssid.SsidLength);
    s.Bssid[5] = 1;
    return s;
}

}

TEST(ProfileRules, DetailTextsOfEveryAuthenticationAndCipherCode)
{
    char const* const auth[] = { "IDS_OPENSYSTEM", "IDS_SHARED", "", "IDS_WPA", "IDS_WPAPSK", "IDS_WPANONE", "IDS_WPA2",
        "IDS_WPA2PSK", "", "", "IDS_WAPIPSK", "IDS_WAPICA", "", "IDS_CCKM", "IDS_CCX" };
    char const* const cipher[] = { "IDS_WEP", "IDS_NONE", "", "", "IDS_TKIP", "", "IDS_AES", "", "", "IDS_SMS4",
        "IDS_TKIP_MFP", "IDS_AES_MFP" };
    auto const texts = key_texts();
    for (std::uint32_t code = 0; code < 16; ++code) {
        SCOPED_TRACE(code);
        WLANPROFILE p = record(1);
        p.enumAuthenMode = code;
        p.enumEncryStatus = code;
        auto const d = DescribeProfile(p, texts, 0);
        EXPECT_EQ(d.auth, code < 15 ? auth[code] : "IDS_OPENSYSTEM");
        EXPECT_EQ(d.cipher, code < 12 ? cipher[code] : "IDS_WEP");
    }
}

TEST(ProfileRules, DetailValuesFollowTheNetworkType)
{
    struct Case {
        char const* name;
        std::uint32_t network;
        std::uint32_t ps;
        bool rts, frag;
        std::int32_t tx;
        ProfileDetail want;
    };
    Case const cases[] = {
        { "infrastructure, power save, thresholds", 1, 1, true, true, 2,
            { "Home", "Home", "IDS_INFRA", "IDS_OPENSYSTEM", "IDS_WEP", "NO", "75 %", "Auto", "IDS_SYS_PSM", "2347", "2346" } },
        { "infrastructure, awake, no thresholds", 1, 0, false, false, 6,
            { "Home", "Home", "IDS_INFRA", "IDS_OPENSYSTEM", "IDS_WEP", "NO", "Lowest", "Auto", "IDS_SYS_CAM", "n/a", "n/a" } },
        { "ad hoc: channel, no power save", 0, 1, false, true, 0,
            { "Home", "Home", "IDS_ADHOC", "IDS_OPENSYSTEM", "IDS_WEP", "NO", "Auto", "11", "n/a", "n/a", "2346" } },
        { "power save above 1 reads as 1, transmit code past the table as 0", 1, 9, false, false, 42,
            { "Home", "Home", "IDS_INFRA", "IDS_OPENSYSTEM", "IDS_WEP", "NO", "Auto", "Auto", "IDS_SYS_PSM", "n/a", "n/a" } },
        { "network type past the table: infrastructure", 77, 0, false, false, 1,
            { "Home", "Home", "IDS_INFRA", "IDS_OPENSYSTEM", "IDS_WEP", "NO", "100%", "Auto", "IDS_SYS_CAM", "n/a", "n/a" } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        WLANPROFILE p = record(c.network);
        p.enumPSMode = c.ps;
        p.bUseRTSThre = c.rts;
        p.bUseFragThre = c.frag;
        p.lRtsThre = 2347;
        p.lFragThre = 2346;
        p.lTxPower = c.tx;
        auto const d = DescribeProfile(p, key_texts(), 11);
        ProfileDetail const& w = c.want;
        EXPECT_EQ(std::tie(d.name, d.ssid, d.network, d.auth, d.cipher, d.dot1x, d.tx_power, d.channel, d.power_save, d.rts, d.frag),
            std::tie(w.name, w.ssid, w.network, w.auth, w.cipher, w.dot1x, w.tx_power, w.channel, w.power_save, w.rts, w.frag));
    }
    WLANPROFILE dot1x = record(1);
    dot1x.b8021X = 1;
    EXPECT_EQ(DescribeProfile(dot1x, key_texts(), 0).dot1x, "YES");
}

TEST(ProfileRules, NamesOfFifteenCharactersOrMoreAreShortened)
{
    EXPECT_EQ(ShortText("14 characters."), "14 characters.");
    EXPECT_EQ(ShortText("15 characters.."), "15 characters..");
    EXPECT_EQ(ShortText("Fifteen chars!!"), "Fifteen chars..");
    EXPECT_EQ(ShortText("A much longer profile name"), "A much longer..");
    EXPECT_EQ(ShortText(""), "");
}

TEST(ProfileRules, DefaultNameIsOneAboveTheHighestNumberedName)
{
    struct Case {
        char const* name;
        std::vector<std::string> names;
        char const* want;
    };
    Case const cases[] = {
        { "no rows", {}, "PROF1" },
        { "mixed forms", { "PROF1", "prof7", "PROF 3", "PROFILE", "PROF99999999999" }, "PROF8" },
        { "names of other forms only", { "Home", "Office" }, "PROF1" },
        { "largest int", { "PROF2147483647" }, "PROF2147483647" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DefaultProfileName(c.names, "PROF"), c.want);
    }
    // The prefix's own length is stripped, whatever it is.
    EXPECT_EQ(DefaultProfileName({ "Profil 4", "PROFIL9" }, "Profil"), "Profil10");
    EXPECT_EQ(DefaultProfileName({}, " PROF "), "PROF 1");
}

TEST(ProfileRules, ActivateIsOfferedByRightsAndSecurity)
{
    struct Case {
        char const* name;
        ActivateInputs in;
        bool enabled;
    };
    Case const cases[] = {
        { "administrator", { true, 12, 0, 1, false, "YES", "IDS_WPA2" }, true },
        { "wpa capable", { false, 12, 0, 1, true, "YES", "WPA2-PSK" }, true },
        { "no rights, open", { false, 12, 0, 1, false, "NO", "Open" }, true },
        { "no rights, 802.1X", { false, 12, 0, 1, false, "YES", "WPA2" }, false },
        { "no rights, WPA-PSK", { false, 12, 0, 1, false, "NO", "WPA-PSK" }, false },
        { "no rights, WPA2-PSK", { false, 12, 0, 1, false, "NO", "WPA2-PSK" }, false },
        { "no rights, LEAP", { false, 12, 0, 1, false, "NO", "LEAP" }, false },
        { "code 12, access point mode, ad hoc", { true, 12, 1, 0, true, "NO", "Open" }, false },
        { "code 12, access point mode, infrastructure", { true, 12, 1, 1, true, "NO", "Open" }, true },
        { "code 11, access point mode, ad hoc", { true, 11, 1, 0, true, "NO", "Open" }, true },
        { "code 12, station mode, ad hoc", { true, 12, 0, 0, true, "NO", "Open" }, true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ActivateEnabled(c.in), c.enabled);
    }
}

TEST(ProfileRules, DeleteFlagMarksAnotherProfileOfTheLinksNetwork)
{
    struct Case {
        char const* name;
        char const* row_ssid;
        char const* row_name;
        char const* active;
        int flag;
    };
    Case const cases[] = {
        { "same network, another profile", "Cafe", "Cafe 2", "Cafe", 1 },
        { "same network, the active profile", "Cafe", "Cafe", "Cafe", 0 },
        { "same network, the active profile in another case", "Cafe", "cafe", "CAFE", 0 },
        { "other network", "Home", "Home", "Cafe", 0 },
        { "same network, nothing active", "Cafe", "Cafe", "", 1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DeleteFlag(c.row_ssid, c.row_name, link("Cafe"), c.active), c.flag);
    }
}

TEST(ProfileRules, ActiveMarkFollowsTheLink)
{
    WLAN_STATUS zero_bssid = link("Home");
    zero_bssid.Bssid[5] = 0;
    struct Case {
        char const* name;
        WLAN_STATUS status;
        bool wps;
        bool active;
        char const* row_ssid;
        std::optional<int> mark;
    };
    Case const cases[] = {
        { "link down", link("Home", false), false, true, "Home", 1 },
        { "zero BSSID", zero_bssid, false, true, "Home", 1 },
        { "not the active profile", link("Home"), false, false, "Home", 1 },
        { "WPS flag", link("Home"), true, true, "Home", 1 },
        { "other SSID", link("Other"), false, true, "Home", 1 },
        { "same SSID: the profile decides", link("Home"), false, true, "Home", std::nullopt },
        { "row without SSID: the profile decides", link("Other"), false, true, "", std::nullopt },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LinkMark(c.status, c.wps, c.active, c.row_ssid), c.mark);
    }
    EXPECT_EQ(ProfileMark(false, 1, 6), 0);
    EXPECT_EQ(ProfileMark(true, 6, 6), 0);
    EXPECT_EQ(ProfileMark(true, 1, 6), 1);
}
