// Binding the access point library: every slot of the built stand-in is bound; a library with
// half the exports still binds, and a call through a missing slot answers 0 and says so in the
// trace; a library that cannot be loaded makes Load false.
#include "accesspoint/core/Trace.h"
#include "accesspoint/core/tests/ApTestSupport.h"
#include "platform/user/Testing.h"

using hotvane::G_VxApApi;
using hotvane::testing::ProgramFolder;

TEST(ApBinding, BindsEverySlotOfTheLibrary)
{
    ProgramFolder folder;
    platform::testing::use_manual_clock();
    ASSERT_TRUE(G_VxApApi.Load(VXAPAPI_FOLDER "/VxAPAPI.dll"));
    EXPECT_NE(G_VxApApi.hModule, nullptr);
    int bound = 0;
#define AP_COUNT_BOUND(name, result, params) bound += G_VxApApi.VXAP_##name ? 1 : 0;
    VXAP_EXPORTS(AP_COUNT_BOUND)
#undef AP_COUNT_BOUND
    EXPECT_EQ(bound, 82);
    EXPECT_EQ(G_VxApApi.VXAP_ChannelToFrequency(6), 2437000);
}

TEST(ApBinding, AHalfLibraryBindsAndItsMissingSlotsAnswerZero)
{
    ProgramFolder folder;
    folder.write_options("[Settings]\nDebugMode=1\n");
    platform::system::TraceCapture capture;
    ASSERT_TRUE(G_VxApApi.Load(STUB_FOLDER "/HalfAPAPI.dll"));
    // The first 41 slots (Initial ... QueryApWLANStatus) are exported, the rest are not.
    EXPECT_TRUE(G_VxApApi.VXAP_Initial);
    EXPECT_TRUE(G_VxApApi.VXAP_QueryApWLANStatus);
    EXPECT_FALSE(G_VxApApi.VXAP_QuerySTAConfig);
    EXPECT_FALSE(G_VxApApi.VXAP_DisableDhcpServer);
    EXPECT_EQ(G_VxApApi.VXAP_GetWinOS(), 7);
    ApConfigData config {};
    EXPECT_EQ(G_VxApApi.VXAP_ReadConfigData(&config), 0);
    EXPECT_EQ(G_VxApApi.VXAP_DisableDhcpServer(), 0);
    EXPECT_TRUE(capture.contains("[Hotvane] VXAP_ReadConfigData is missing from the access point library: call failed"));
}

TEST(ApBinding, AMissingLibraryMakesLoadFalse)
{
    ProgramFolder folder;
    folder.write_options("[Settings]\nDebugMode=1\n");
    EXPECT_FALSE(G_VxApApi.Load(STUB_FOLDER "/NoSuchAPAPI.dll"));
    EXPECT_FALSE(G_VxApApi.Load(nullptr));
    EXPECT_EQ(G_VxApApi.DebugMode, 1) << "the switches are read first";
}
