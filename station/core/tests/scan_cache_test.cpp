// The scan cache and the scan timer period through the station library stand-in.
#include "platform/user/User.h"
#include "station/core/ScanList.h"
#include "station/core/VxWlLib.h"
#include "station/core/tests/CoreTestSupport.h"
#include "station/core/tests/ScanFixtures.h"

using station::testing::ProgramFolder;
using station::testing::scan_entry;
using station::testing::ScanListBuffer;

namespace {

class LibraryScanTest : public ::testing::Test {
protected:
    void load(std::string const& world)
    {
        platform::testing::use_manual_clock();
        m_folder.write("world.ini", "[world]\n" + world + "\n[adapter:one]\nname = One\n");
        ::setenv("VXSIM_SCENARIO", m_folder.file("world.ini").c_str(), 1);
        ::setenv("VXSIM_STORE", m_folder.file("store").c_str(), 1);
        ASSERT_TRUE(G_VxWlLib.LoadAPI(VXWLAPI_FOLDER "/VxWLAPI.dll"));
    }
    void TearDown() override
    {
        if (G_VxWlLib.hModule) {
            G_VxWlLib.VXWL_DeInitial();
            G_VxWlLib.Release();
        }
    }
    ProgramFolder m_folder;
};

}

TEST_F(LibraryScanTest, ThirteenChannelsGive1950Milliseconds)
{
    load("region24 = 1\nregion5 = 0\nwireless_mode = 0");
    EXPECT_EQ(SetTimerForScanByChnList(0), 1950);
}

TEST_F(LibraryScanTest, MergeUsesTheLibrarysChannelsAndClock)
{
    load("region24 = 0\nwireless_mode = 0");
    // Channels 1-11 only: a cached entry on 13 goes, one on 6 stays.
    ScanListBuffer cached;
    cached.add(scan_entry(11, 6)).add(scan_entry(12, 13));
    std::memcpy(G_VxWlLib.pBssidList, cached.data(), BSSID_LIST_BUFFER_SIZE);
    FILETIME now {};
    GetSystemTimeAsFileTime(&now);
    G_VxWlLib.bssidStamps[0] = G_VxWlLib.bssidStamps[1] = now;
    ScanListBuffer fresh;
    fresh.add(scan_entry(1, 1));
    G_VxWlLib.UpdateBssidList(fresh.data());
    EXPECT_EQ(fresh.macs(), (std::vector<int> { 1, 11 }));
}

TEST_F(LibraryScanTest, TheLibrarysOwnRepositoryReplacesTheCache)
{
    load("bssid_reposit = 1");
    ScanListBuffer cached;
    cached.add(scan_entry(11, 6));
    std::memcpy(G_VxWlLib.pBssidList, cached.data(), BSSID_LIST_BUFFER_SIZE);
    ScanListBuffer fresh;
    fresh.add(scan_entry(1, 1)).add(scan_entry(2, 1));
    G_VxWlLib.UpdateBssidList(fresh.data());
    EXPECT_EQ(std::memcmp(G_VxWlLib.pBssidList, fresh.data(), BSSID_LIST_BUFFER_SIZE), 0);
}
