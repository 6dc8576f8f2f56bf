// The option block, read through a library that exports only the system code and the
// administrator test.
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/core/tests/CoreTestSupport.h"

#include <cstring>

using station::testing::ProgramFolder;
using station::testing::TraceAt;

namespace {

class OptionsTest : public ::testing::Test {
protected:
    void load(std::string const& options, int win_os = 10, int admin = 1)
    {
        if (G_VxWlLib.hModule)
            G_VxWlLib.Release();
        m_folder.write_options(options);
        ::setenv("STUB_WINOS", std::to_string(win_os).c_str(), 1);
        ::setenv("STUB_ADMIN", std::to_string(admin).c_str(), 1);
        ASSERT_TRUE(G_VxWlLib.LoadAPI(STUB_FOLDER "/StubWLAPI.dll"));
    }
    void TearDown() override
    {
        if (G_VxWlLib.hModule)
            G_VxWlLib.Release();
    }
    std::vector<int> buttons() const
    {
        return std::vector<int>(G_VxWlLib.aryButtonSequence, G_VxWlLib.aryButtonSequence + G_VxWlLib.nButtonCount);
    }

    ProgramFolder m_folder;
};

}

TEST_F(OptionsTest, DefaultsWithoutAnOptionFile)
{
    load("");
    auto const& o = G_VxWlLib;
    EXPECT_EQ(o.nShowSwitchAPWhenAPClient, 0);
    EXPECT_EQ(o.bEapFastEnhancement, 1);
    EXPECT_EQ(o.bActiveProfileIcon, 1);
    EXPECT_EQ(o.nRetryConnectTimer, 60);
    EXPECT_EQ(o.nDelayAfterSetDCProf, 2);
    EXPECT_EQ(o.nDelayAfterIHVContDC, 3);
    EXPECT_EQ(o.nDelayAfterSetCurProf, 5);
    EXPECT_EQ(o.bShowCountryRegion, 1);
    EXPECT_STREQ(o.szSoftAPUIName, "Hotvane");
    EXPECT_STREQ(o.szShortCutFolderName, "Vexlor Wireless");
    EXPECT_STREQ(o.szShortCutIconName, "Vexlor Wireless Utility");
    EXPECT_EQ(o.nDebugMode.load(), 0);
    EXPECT_EQ(o.nWPSRotatePeriod, 60);
    EXPECT_EQ(o.bSSO_EAP_FAST, 1);
    EXPECT_EQ(o.bSSO_LEAP, 1);
    EXPECT_EQ(o.bSSO_PEAP, 0);
    EXPECT_EQ(o.bWAPICert, 1);
    EXPECT_EQ(o.bWAPICertManage, 0);
    EXPECT_EQ(o.bTxRate, 0);
    EXPECT_EQ(buttons(), (std::vector<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 }));
    EXPECT_EQ(o.settings.lRtsThreshold, 2347);
    EXPECT_EQ(o.settings.lFragThreshold, 2346);
}

TEST_F(OptionsTest, ButtonSequence)
{
    struct Case {
        const char* name;
        const char* text;
        int win_os;
        int admin;
        std::vector<int> expected;
    } const cases[] = {
        { "hosted network below code 12", "0,1,12,3", 11, 1, { 0, 1, 3 } },
        { "hosted network at code 12 with an administrator", "0,1,12,3", 12, 1, { 0, 1, 12, 3 } },
        { "hosted network at code 12 without an administrator", "0,1,12,3", 12, 0, { 0, 1, 3 } },
        { "more than 13 pieces", "0,1,2,3,4,5,6,7,8,9,10,11,12,1,2", 12, 1, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 } },
        { "13 kept before the end", "11,10,9,8,7,6,5,4,3,2,1,0,12,99", 12, 1, { 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 12 } },
        { "duplicates kept once", "3,1,3,1,2", 10, 1, { 3, 1, 2 } },
        { "each piece's leading integer", "0,,x,1, 2 ,3a", 10, 1, { 0, 1, 2, 3 } },
        { "another separator reads as one piece", "1;3;10", 10, 1, { 1 } },
        { "no kind of a page button gives every kind", "x;y,99,-1", 10, 1, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 } },
        { "nothing readable gives every kind", ";,", 12, 1, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        load(std::string("[UI Button]\nButton Sequence=") + c.text + "\n", c.win_os, c.admin);
        EXPECT_EQ(buttons(), c.expected);
    }
}

TEST_F(OptionsTest, RetryConnectTimerBelowOneBecomesSixty)
{
    for (auto [text, expected] : { std::pair { "-5", 60 }, { "0", 60 }, { "abc", 60 }, { "30", 30 } }) {
        SCOPED_TRACE(text);
        load(std::string("[Advance]\nRetryConnectTimer=") + text + "\n");
        EXPECT_EQ(G_VxWlLib.nRetryConnectTimer, expected);
    }
}

TEST_F(OptionsTest, FlagRules)
{
    load("[SystemTray]\nShowSwitchAPWhenAPClient=2\n[Advance]\nOpenFile=2\nSelect11nDialog=1\nTxRate=0\nHT Setting=0\n"
         "[WAPI]\nWAPI_Cert=1\nWAPI_Cert_Manage=1\n[SSO]\nLEAP=0\nPEAP=yes\n");
    auto const& o = G_VxWlLib;
    EXPECT_EQ(o.nShowSwitchAPWhenAPClient, 0) << "only \"1\" sets it";
    EXPECT_EQ(o.bOpenFile, 1) << "any text but \"0\" sets a flag";
    EXPECT_EQ(o.bTxRate, 1);
    EXPECT_EQ(o.bHTSetting, 1);
    EXPECT_EQ(o.bWAPICertManage, 0);
    EXPECT_EQ(o.bSSO_LEAP, 0);
    EXPECT_EQ(o.bSSO_PEAP, 1);

    load("[WAPI]\nWAPI_Cert=0\nWAPI_Cert_Manage=1\n[Advance]\nSelect11nDialog=0\nTxRate=1\n");
    EXPECT_EQ(o.bWAPICertManage, 1);
    EXPECT_EQ(o.bTxRate, 1);
    EXPECT_EQ(o.bHTSetting, 0);
}

TEST_F(OptionsTest, ValuesAreCutToTheirBuffers)
{
    // 63 zeros and a 5: the 64-byte buffer keeps the zeros only.
    load("[Advance]\nDelayAfterSetDCProf=" + std::string(63, '0') + "5\n[Custom]\nSoftAP_UIName=" + std::string(200, 'n')
        + "\n[Settings]\nDebugMode=2\n");
    EXPECT_EQ(G_VxWlLib.nDelayAfterSetDCProf, 0);
    EXPECT_EQ(std::strlen(G_VxWlLib.szSoftAPUIName), 127u);
    EXPECT_EQ(G_VxWlLib.nDebugMode.load(), 2);
    G_VxWlLib.nDebugMode = 0;
}

TEST_F(OptionsTest, MissingExportsFailCleanlyAndAreNamed)
{
    load("");
    EXPECT_TRUE(G_VxWlLib.VXWL_GetWinOS);
    EXPECT_FALSE(G_VxWlLib.VXWL_QueryOPMode);
    TraceAt trace(1);
    EXPECT_EQ(G_VxWlLib.VXWL_QueryOPMode(), 0);
    int mode = 7;
    EXPECT_EQ(G_VxWlLib.VXWL_QueryWirelessMode(&mode), 0);
    EXPECT_EQ(mode, 7);
    EXPECT_EQ(trace.lines(), (std::vector<std::string> {
        "[Kivra] VXWL_QueryOPMode is missing from the WLAN library: call failed",
        "[Kivra] VXWL_QueryWirelessMode is missing from the WLAN library: call failed" }));
    std::uint8_t list[0x8000] = {};
    G_VxWlLib.UpdateBssidList(list);
    EXPECT_EQ(SetTimerForScanByChnList(5), 0);
}

TEST_F(OptionsTest, LoadFailuresChangeNothing)
{
    EXPECT_FALSE(G_VxWlLib.LoadAPI(nullptr));
    EXPECT_FALSE(G_VxWlLib.LoadAPI(STUB_FOLDER "/NoSuchLibrary.dll"));
    EXPECT_EQ(G_VxWlLib.hModule, nullptr);
    EXPECT_EQ(G_VxWlLib.pBssidList, nullptr);
}

TEST_F(OptionsTest, LoadEmptiesTheAdapterTextsAndReleaseUnbinds)
{
    std::strcpy(G_VxWlLib.adapter.FriendlyName, "old");
    std::strcpy(G_VxWlLib.adapter.DeviceName, "old");
    load("");
    EXPECT_STREQ(G_VxWlLib.adapter.FriendlyName, "");
    EXPECT_STREQ(G_VxWlLib.adapter.DeviceName, "");
    ASSERT_NE(G_VxWlLib.pBssidList, nullptr);
    TraceAt trace(3);
    G_VxWlLib.Release();
    EXPECT_EQ(trace.lines(), (std::vector<std::string> {
        "[Kivra] --> VXWLLIB::Release", "[Kivra] FreeLibrary() success!", "[Kivra] <-- VXWLLIB::Release" }));
    EXPECT_EQ(G_VxWlLib.hModule, nullptr);
    EXPECT_EQ(G_VxWlLib.pBssidList, nullptr);
    EXPECT_FALSE(G_VxWlLib.VXWL_GetWinOS);
    EXPECT_EQ(G_VxWlLib.VXWL_GetWinOS(), 0);
}

// The WPS rotation needs a period of 2 seconds or more: anything less reads as the default.
TEST_F(OptionsTest, WpsRotatePeriodBelowTwoReadsAsSixty)
{
    struct Case {
        char const* text;
        int period;
    } const cases[] = { { "10", 10 }, { "2", 2 }, { "1", 60 }, { "0", 60 }, { "-5", 60 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        load(std::string("[Settings]\nWPSRotatePeriod=") + c.text + "\n");
        EXPECT_EQ(G_VxWlLib.nWPSRotatePeriod, c.period);
    }
}
