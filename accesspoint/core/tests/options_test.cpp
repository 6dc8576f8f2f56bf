// The option file's switches as one table, the reader of the option file, the trace switch and
// the small text helpers.
#include "accesspoint/core/Helpers.h"
#include "accesspoint/core/Trace.h"
#include "accesspoint/core/tests/ApTestSupport.h"

using hotvane::G_VxApApi;
using hotvane::VXAPAPI;
using hotvane::testing::ProgramFolder;

TEST(ApOptions, FollowTheirRules)
{
    struct Case {
        char const* name;
        char const* file;
        int VXAPAPI::*member;
        int expected;
    };
    Case const cases[] = {
        { "Select11nDialog forces TxRate", "[Advance]\nSelect11nDialog=1\nTxRate=0\n", &VXAPAPI::TxRate, 1 },
        { "Select11nDialog forces HTSetting", "[Advance]\nSelect11nDialog=1\nHT Setting=0\n", &VXAPAPI::HTSetting, 1 },
        { "TxRate alone", "[Advance]\nTxRate=1\n", &VXAPAPI::TxRate, 1 },
        { "HT Setting other than 1", "[Advance]\nHT Setting=yes\n", &VXAPAPI::HTSetting, 0 },
        { "wait absent", "", &VXAPAPI::WaitforDriverInitialized, 5 },
        { "wait 5", "[Advance]\nWaitforDriverInitialized=5\n", &VXAPAPI::WaitforDriverInitialized, 5 },
        { "wait 0", "[Advance]\nWaitforDriverInitialized=0\n", &VXAPAPI::WaitforDriverInitialized, 0 },
        { "wait 12", "[Advance]\nWaitforDriverInitialized=12\n", &VXAPAPI::WaitforDriverInitialized, 12 },
        { "TKIP prohibited", "[Settings]\nProhibitTKIPonHT=1\n", &VXAPAPI::ProhibitTKIPonHT, 0 },
        { "TKIP absent", "", &VXAPAPI::ProhibitTKIPonHT, 1 },
        { "WEP prohibited", "[Settings]\nProhibitWEPonHT=1\n", &VXAPAPI::ProhibitWEPonHT, 0 },
        { "debug 2", "[Settings]\nDebugMode=2\n", &VXAPAPI::DebugMode, 0 },
        { "block ack page", "[Page]\n11n Setting=1\n", &VXAPAPI::Page11nSetting, 1 },
        { "country region", "[CountryRegion]\nShowCountryRegion=1\n", &VXAPAPI::ShowCountryRegion, 1 },
        { "AP client", "[SystemTray]\nSwitchAPClient=1\n", &VXAPAPI::SwitchAPClient, 1 },
        { "RTS failures", "[Statistics]\nRTSFailureCount=1\n", &VXAPAPI::RTSFailureCount, 1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        folder.write_options(c.file);
        G_VxApApi.LoadINISettings();
        EXPECT_EQ(G_VxApApi.*c.member, c.expected);
    }
}

TEST(ApOptions, TextsTakeTheirDefaultsWhenEmpty)
{
    ProgramFolder folder;
    folder.write_options("[VxSwap]\nUTILITY_FILE_NAME=\nSHORTCUT_UI_NAME=Wireless\n");
    G_VxApApi.LoadINISettings();
    EXPECT_EQ(G_VxApApi.UTILITY_FILE_NAME, "VxUI");
    EXPECT_EQ(G_VxApApi.SHORTCUT_FOLDER_NAME, "Vexlor Wireless");
    EXPECT_EQ(G_VxApApi.SHORTCUT_UI_NAME, "Wireless");
}

TEST(ApOptions, TheShippedFileShowsEveryPageGroupAndSwitch)
{
    ProgramFolder folder;
    std::ifstream shipped(ACCESSPOINT_RESOURCES_DIR "/Hotvane.ini");
    std::stringstream text;
    text << shipped.rdbuf();
    folder.write_options(text.str());
    G_VxApApi.LoadINISettings();
    EXPECT_EQ(G_VxApApi.UTILITY_FILE_NAME, "Zorvel");
    EXPECT_EQ(G_VxApApi.Page11nSetting, 1);
    EXPECT_EQ(G_VxApApi.HTSetting, 1);
    EXPECT_EQ(G_VxApApi.ShowCountryRegion, 1);
    EXPECT_EQ(G_VxApApi.SwitchAPClient, 1);
    EXPECT_EQ(G_VxApApi.DebugMode, 0);
}

TEST(ApOptions, ValuesAreCutToTheirBuffer)
{
    ProgramFolder folder;
    folder.write_options("[VxSwap]\nSHORTCUT_FOLDER_NAME=" + std::string(300, 'f') + "\n");
    char small[8] = { 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x' };
    hotvane::GetINIStr("VxSwap", "SHORTCUT_FOLDER_NAME", "", small, sizeof small);
    EXPECT_STREQ(small, "fffffff");
    G_VxApApi.LoadINISettings();
    EXPECT_EQ(G_VxApApi.SHORTCUT_FOLDER_NAME, std::string(63, 'f')) << "a 64-byte value buffer";
}

TEST(ApTrace, WritesOnlyWhenDebugModeIsOneAndStaysInItsBuffer)
{
    ProgramFolder folder;
    platform::system::TraceCapture capture;
    folder.write_options("[Settings]\nDebugMode=2\n");
    G_VxApApi.LoadINISettings();
    hotvane::TraceMsg("[Hotvane] quiet %d\n", 1);
    EXPECT_TRUE(capture.lines().empty());

    folder.write_options("[Settings]\nDebugMode=1\n");
    G_VxApApi.LoadINISettings();
    EXPECT_EQ(hotvane::TraceMsg("[Hotvane] loud %d\n", 2), 17);
    std::string const long_value(600, 'v');
    EXPECT_EQ(hotvane::TraceMsg("[Hotvane] %s\n", long_value.c_str()), 511);
    auto const lines = capture.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "[Hotvane] loud 2");
    EXPECT_EQ(lines[1], "[Hotvane] " + std::string(501, 'v')) << "cut at 511 bytes";
}

TEST(ApHelpers, DecimalAndHexadecimalTexts)
{
    EXPECT_TRUE(hotvane::IsDecimalString(""));
    EXPECT_TRUE(hotvane::IsDecimalString("0123456789"));
    EXPECT_FALSE(hotvane::IsDecimalString("12a"));
    EXPECT_FALSE(hotvane::IsDecimalString("-1"));
    EXPECT_EQ(hotvane::HexDigitValue('b'), 11);
    EXPECT_EQ(hotvane::HexDigitValue('g'), 255);
    BYTE mac[6] = {};
    EXPECT_EQ(hotvane::HexPairsToBytes("021A3B4C5D6E", mac, 6), 6u);
    EXPECT_EQ(mac[1], 0x1A);
    EXPECT_EQ(mac[5], 0x6E);
}
