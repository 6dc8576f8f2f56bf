// The access point on the default world, end to end: bound through the utility's binding, the
// adapter is selected and the stored configuration applied as the hidden dialog does at start;
// wlansim, run as the user runs it, lists the serving access point with its three stations, and
// its sta-leave makes the laptop leave with its event.
#include "accesspoint/core/tests/ApTestSupport.h"
#include "platform/system/Module.h"
#include "platform/user/Testing.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

using hotvane::G_VxApApi;
using hotvane::testing::ProgramFolder;

namespace {

std::string wlansim(std::string const& args)
{
    FILE* pipe = ::popen((std::string(WLANSIM_PATH) + " " + args + " 2>&1").c_str(), "r");
    std::string out;
    std::array<char, 256> buffer {};
    while (pipe && std::fgets(buffer.data(), int(buffer.size()), pipe))
        out += buffer.data();
    if (pipe)
        ::pclose(pipe);
    return out;
}

}

TEST(SoftApWorld, TheDefaultWorldServesThreeStationsAndTheLaptopLeaves)
{
    ProgramFolder folder;
    auto* clock = &platform::testing::use_manual_clock();
    ::setenv("VXSIM_SCENARIO", SCENARIO_DIR "/default.ini", 1);
    ::setenv("VXSIM_STORE", (folder.path() + "/store").c_str(), 1);
    ASSERT_TRUE(G_VxApApi.Load(VXAPAPI_FOLDER "/VxAPAPI.dll"));
    auto settle = reinterpret_cast<void (*)()>(GetProcAddress(G_VxApApi.hModule, "VXSIM_Settle"));
    G_VxApApi.VXAP_Initial("Vexlor", nullptr);
    std::vector<std::uint8_t> list(4 + sizeof(AdapterEntry));
    ASSERT_EQ(G_VxApApi.VXAP_GetAvailableAdapters(list.data(), 1), 1);
    G_VxApApi.VXAP_AdapterSelect(reinterpret_cast<AdapterEntry*>(list.data() + 4), 0, nullptr);
    G_VxApApi.VXAP_SetOPMode(1);
    clock->advance(500); // the default adapter's driver starts in half a second
    VXAP_U32 ready = 0;
    G_VxApApi.VXAP_QueryInitialState(&ready);
    ASSERT_EQ(ready, 1u);
    ApConfigData config {};
    ApOptionData options {};
    G_VxApApi.VXAP_ReadConfigData(&config);
    G_VxApApi.VXAP_SetConfigData(&config, &options);
    settle();

    std::string const listed = wlansim("list");
    EXPECT_NE(listed.find("softap serving ssid \"SoftAP\" channel 6"), std::string::npos) << listed;
    for (char const* station : { "laptop 02:30:00:00:00:01 associated aid 1", "phone 02:30:00:00:00:02 associated aid 2",
             "printer 02:30:00:00:00:03 associated aid 3", "tablet 02:30:00:00:00:04 away" })
        EXPECT_NE(listed.find(station), std::string::npos) << station;
    EventTable events {};
    ASSERT_EQ(G_VxApApi.VXAP_QueryEventTable(&events), 1);
    EXPECT_EQ(events.Count, 4u) << "started, then three stations associated";

    EXPECT_EQ(wlansim("sta-leave laptop"), "");
    clock->advance(10);
    settle();
    ASSERT_EQ(G_VxApApi.VXAP_QueryEventTable(&events), 1);
    ASSERT_EQ(events.Count, 1u);
    EXPECT_EQ(events.Event[0].Code, AP_EVENT_LEFT);
    EXPECT_EQ(events.Event[0].Mac[5], 0x01);
    KT_802_11_MAC_TABLE table {};
    G_VxApApi.VXAP_QueryMacTable(&table);
    EXPECT_EQ(table.Count, 2u);
    EXPECT_NE(wlansim("list").find("laptop 02:30:00:00:00:01 away"), std::string::npos);

    G_VxApApi.VXAP_DeInitial();
    EXPECT_EQ(wlansim("list").find("softap serving"), std::string::npos) << "gone with the library";
    ::unsetenv("VXSIM_SCENARIO");
    ::unsetenv("VXSIM_STORE");
}
