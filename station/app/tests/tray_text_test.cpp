#include "station/app/TrayMenu.h"
#include "station/app/TrayText.h"
#include "station/core/HideDlgIds.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(TrayText, SignalThresholdsChooseTheIcon)
{
    struct Case {
        int percent;
        bool wep_error;
        unsigned icon;
    };
    constexpr Case cases[] = {
        { 100, false, IDI_SIGNAL_GOOD }, { 71, false, IDI_SIGNAL_GOOD }, { 70, false, IDI_SIGNAL_NORMAL },
        { 41, false, IDI_SIGNAL_NORMAL }, { 40, false, IDI_SIGNAL_WEAK }, { 0, false, IDI_SIGNAL_WEAK },
        { 100, true, IDI_WEP_ERROR }, { 10, true, IDI_WEP_ERROR },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(SignalIconFor(c.percent, c.wep_error), c.icon);
    }
}

TEST(TrayText, TipTakesTheNameLiterally)
{
    struct Case {
        const char* name;
        const char* text;
        const char* insert;
        const char* tip;
    };
    constexpr Case cases[] = {
        { "ampersand and percent", "Connected to %s - signal good", "Tom & Jerry 100%", "Connected to Tom & Jerry 100% - signal good" },
        { "format signs in the name", "Connected to %s", "%s%d%n%%", "Connected to %s%d%n%%" },
        { "only the first %s", "%s and %s", "A", "A and %s" },
        { "no %s", "Not connected", "ignored", "Not connected" },
        { "other signs of the text stay", "100% & %d: %s", "x", "100% & %d: x" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildTrayTip(c.text, c.insert), c.tip);
    }
}

TEST(TrayText, TipIsCutTo127BytesOnACharacterBoundary)
{
    std::string const ascii(200, 'a');
    EXPECT_EQ(BuildTrayTip(ascii, "").size(), 127u);
    // 126 ASCII bytes then a two-byte character: the character would end at byte 128.
    std::string const text = std::string(126, 'a') + "\xC3\xA9" + "tail";
    EXPECT_EQ(BuildTrayTip(text, ""), std::string(126, 'a'));
}

TEST(TrayText, SsidIsCutToItsLengthField)
{
    WLAN_STATUS status {};
    std::memcpy(status.Ssid.Ssid, "HomeNetXXXX", 11);
    status.Ssid.SsidLength = 7;
    EXPECT_EQ(StatusSsid(status), "HomeNet");
    status.Ssid.SsidLength = 400; // beyond the field: the 32 bytes it has
    EXPECT_EQ(StatusSsid(status).size(), 32u);
}

// The choice of the tray menu, one row per combination that leads somewhere else.
TEST(TrayMenu, ChoiceMatrix)
{
    struct Case {
        const char* name;
        int os;
        bool admin;
        int zero_config;
        bool ap_exe;
        bool swap_exe;
        bool vista_soft_ap;
        int model;
        bool device;
        int ap_mode;
        int op_mode;
        bool show_switch;
        int menu;
    };
    constexpr Case cases[] = {
        // System code 12 and above: administrator, adapter and access point support first.
        { "12 station, utility and switcher", 12, true, 0, true, true, true, 5, true, 1, 0, false, 259 },
        { "12 access point", 12, true, 0, true, true, true, 5, true, 1, 1, false, 261 },
        { "12 client, switch shown", 12, true, 0, true, true, true, 5, true, 1, 2, true, 258 },
        { "12 client, switch not shown", 12, true, 0, true, true, true, 5, true, 1, 2, false, 260 },
        { "12 unknown mode", 12, true, 0, true, true, true, 5, true, 1, 7, false, 226 },
        { "12 utility without switcher", 12, true, 0, true, false, true, 5, true, 1, 0, false, 226 },
        { "12 utility without soft AP support", 12, true, 0, true, true, false, 5, true, 1, 0, false, 257 },
        { "12 no utility, station", 12, true, 0, false, true, false, 5, true, 1, 0, false, 257 },
        { "12 no utility, access point", 12, true, 0, false, true, false, 5, true, 1, 1, false, 260 },
        { "12 no utility, client", 12, true, 0, false, true, false, 5, true, 1, 2, true, 260 },
        { "12 no utility, no switcher", 12, true, 0, false, false, false, 5, true, 1, 0, false, 226 },
        { "12 not administrator", 12, false, 0, true, true, true, 5, true, 1, 0, false, 226 },
        { "12 no adapter", 12, true, 0, true, true, true, 5, false, 1, 0, false, 226 },
        { "12 no AP mode", 12, true, 0, true, true, true, 5, true, 0, 0, false, 226 },
        { "13 like 12", 13, true, 0, true, true, true, 1, true, 1, 0, false, 259 },
        // 10 and 11: the access point item needs both programs, an AP model, adapter, administrator.
        { "10 all there", 10, true, 0, true, true, false, 2, true, 0, 0, false, 228 },
        { "11 model 8", 11, true, 0, true, true, false, 8, true, 0, 0, false, 228 },
        { "10 model 9", 10, true, 0, true, true, false, 9, true, 0, 0, false, 226 },
        { "10 model 1", 10, true, 0, true, true, false, 1, true, 0, 0, false, 226 },
        { "10 no switcher", 10, true, 0, true, false, false, 5, true, 0, 0, false, 226 },
        { "10 not administrator", 10, false, 0, true, true, false, 5, true, 0, 0, false, 226 },
        // Below 10: administrator first, then who manages the adapter.
        { "8 zero config, all there", 8, true, 2, true, true, false, 3, true, 0, 0, false, 232 },
        { "8 zero config, no utility", 8, true, 2, false, true, false, 3, true, 0, 0, false, 230 },
        { "8 own tool, all there", 8, true, 0, true, true, false, 3, true, 0, 0, false, 236 },
        { "7 own tool, no adapter", 7, true, 0, true, true, false, 3, false, 0, 0, false, 234 },
        { "9 not administrator", 9, false, 2, true, true, false, 3, true, 0, 0, false, 226 },
        { "6 own tool, all there", 6, true, 0, true, true, false, 3, true, 0, 0, false, 228 },
        { "6 own tool, no AP model", 6, true, 0, true, true, false, 0, true, 0, 0, false, 226 },
        { "6 zero config", 6, true, 2, true, true, false, 3, true, 0, 0, false, 232 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        TrayMenuInputs in;
        in.winOS = c.os;
        in.admin = c.admin;
        in.zeroConfig = c.zero_config;
        in.apUtilityExe = c.ap_exe;
        in.vxSwapExe = c.swap_exe;
        in.vistaSoftAP = c.vista_soft_ap;
        in.apModel = c.model >= 2 && c.model <= 8;
        in.deviceExist = c.device;
        in.supportAPMode = c.ap_mode;
        in.opMode = c.op_mode;
        in.showSwitchAPWhenAPClient = c.show_switch;
        EXPECT_EQ(ChooseTrayMenu(in), c.menu);
        EXPECT_FALSE(TrayMenuCommands(c.menu).empty());
    }
}
