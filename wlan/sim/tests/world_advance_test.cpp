// The advanced settings the world applies to its driver (kept in the store for every program),
// the link rate under them, the live keys of the advanced page's world, and the system's
// profile store.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

using namespace wlan::sim;

namespace {

constexpr char kScenario[] = R"(
[world]
connect_ms = 600
dhcp_ms = 3000
wireless_mode = 5
region24 = 1
region5 = 7
os_profiles = Seeded
[adapter:a]
name = A
chains = 2
[ap:ht]
ssid = Fast
bssid = 02:00:00:00:00:01
channel = 1
ht = 1
ht40 = 1
sgi40 = 1
streams = 2
[ap:seeded]
ssid = Seeded
bssid = 02:00:00:00:00:02
channel = 6
)";

// ADVANCE_OID as the advanced page applies it: mode, regions, TX burst, protection, 802.11n.
ADVANCE_OID oid(std::uint32_t mode, std::uint32_t region24, std::uint32_t region5)
{
    ADVANCE_OID o {};
    o.PhyMode = mode;
    o.KTphyMode = mode;
    o.CountryRegIndex11BG = region24;
    o.CountryRegIndex11A = region5;
    o.bTXBurst = 1;
    o.nBGProtection = 2;
    o.TransmitNo = 2;
    o.MCS = 33;
    o.BW = 1;
    o.SHORTGI = 1;
    return o;
}

WLANPROFILE named(char const* name, char const* ssid)
{
    WLANPROFILE p {};
    std::snprintf(p.strProfileName, sizeof p.strProfileName, "%s", name);
    p.SSID.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
    p.enumNetworkType = 1;
    p.enumEncryStatus = ENC_NONE;
    return p;
}

class WorldAdvanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/world-advance-XXXXXX";
        m_folder = ::mkdtemp(templ);
        m_store = std::make_unique<Store>(m_folder);
        m_world = std::make_unique<World>(parse_scenario(kScenario).world, m_store.get(), 0);
        m_world->select_adapter(m_world->adapter_records().at(0), 0);
    }
    void TearDown() override
    {
        m_world.reset();
        m_store.reset();
        std::filesystem::remove_all(m_folder);
    }
    // Connects `profile` and returns the status once the address is there.
    WLAN_STATUS connected(WLANPROFILE const& profile)
    {
        m_world->connect(profile, m_now);
        m_now += 5000;
        m_world->advance(m_now);
        WLAN_STATUS s {};
        m_world->fill_status(s, m_now);
        return s;
    }

    std::string m_folder;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<World> m_world;
    std::uint64_t m_now { 0 };
};

}

TEST_F(WorldAdvanceTest, AppliedSettingsReachTheDriverAndEveryWorldOfTheStore)
{
    EXPECT_EQ(m_world->region_word(), 1u | 7u << 8);
    m_world->apply_advance(oid(9, 5, 3));
    EXPECT_EQ(m_world->spec().wireless_mode, 9);
    EXPECT_EQ(m_world->region_word(), 5u | 3u << 8);
    EXPECT_EQ(m_world->tx_burst(), 1u);
    EXPECT_EQ(m_world->protection(), 2u);
    // Another program's world (wlansim list) reads what the driver runs.
    World other(parse_scenario(kScenario).world, m_store.get(), 0);
    EXPECT_EQ(other.spec().wireless_mode, 9);
    EXPECT_EQ(other.region_word(), 5u | 3u << 8);
    EXPECT_EQ(other.protection(), 2u);
}

TEST_F(WorldAdvanceTest, ABandTheUserMayNotChooseKeepsTheDriversRegion)
{
    ASSERT_EQ(apply_live_command(*m_world, "world-set region24_selectable=0 region24=5", 0), "");
    m_world->apply_advance(oid(5, 2, 4));
    EXPECT_EQ(m_world->region_word(), 5u | 4u << 8);
}

TEST_F(WorldAdvanceTest, TheLiveKeysOfTheAdvancedPagesWorld)
{
    EXPECT_TRUE(m_world->may_set_advance());
    ASSERT_EQ(apply_live_command(*m_world, "world-set admin=0 allow_standard_user_advance=0 tdls=1", 0), "");
    EXPECT_FALSE(m_world->may_set_advance());
    EXPECT_TRUE(m_world->spec().tdls);
    ASSERT_EQ(apply_live_command(*m_world, "world-set allow_standard_user_advance=1", 0), "");
    EXPECT_TRUE(m_world->may_set_advance());

    EXPECT_EQ(m_world->antenna_word(), std::optional<std::uint32_t> { 0x22 });
    ASSERT_EQ(apply_live_command(*m_world, "adapter-set a chains=3", 0), "");
    EXPECT_EQ(m_world->antenna_word(), std::optional<std::uint32_t> { 0x33 });
    ASSERT_EQ(apply_live_command(*m_world, "adapter-set a antenna=none", 0), "");
    EXPECT_EQ(m_world->antenna_word(), std::nullopt);
    EXPECT_NE(apply_live_command(*m_world, "adapter-set a antenna=two", 0), "");
}

// 20 MHz and the long guard interval hold the rate down; a fixed MCS below the best one gives
// its own rate; Auto and no Apply follow the access point.
TEST_F(WorldAdvanceTest, TheLinkRateFollowsTheApplied80211nChoices)
{
    struct Case {
        char const* name;
        std::uint8_t bw, gi, mcs, ht_mode;
        std::uint32_t transmit;
        double mbps;
    };
    EXPECT_EQ(connected(named("", "Fast")).TransmitSetting, 15u | 0x80 | 0x100 | 2u << 14);
    for (Case c : { Case { "auto", 1, 1, 33, 0, 15u | 0x80 | 0x100 | 2u << 14, 300.0 },
             Case { "20 MHz", 0, 1, 33, 0, 15u | 2u << 14, 130.0 },
             Case { "long GI", 1, 0, 33, 0, 15u | 0x80 | 2u << 14, 270.0 },
             Case { "MCS 7", 1, 1, 7, 0, 7u | 0x80 | 0x100 | 2u << 14, 150.0 },
             Case { "greenfield", 1, 1, 33, 1, 15u | 0x80 | 0x100 | 3u << 14, 300.0 } }) {
        SCOPED_TRACE(c.name);
        ADVANCE_OID o = oid(5, 1, 7);
        o.BW = c.bw;
        o.SHORTGI = c.gi;
        o.MCS = c.mcs;
        o.HtMode = c.ht_mode;
        m_world->apply_advance(o);
        WLAN_STATUS s {};
        m_world->fill_status(s, m_now);
        EXPECT_EQ(s.TransmitSetting, c.transmit);
        EXPECT_NEAR(s.TxRateMbps, c.mbps, 0.01);
    }
    // A record without 802.11n choices (the transmit word 0) leaves the rate to the access point.
    ADVANCE_OID plain = oid(5, 1, 7);
    plain.PhyMode = 0;
    plain.MCS = 0;
    plain.BW = 0;
    plain.SHORTGI = 0;
    m_world->apply_advance(plain);
    WLAN_STATUS unrestricted {};
    m_world->fill_status(unrestricted, m_now);
    EXPECT_NEAR(unrestricted.TxRateMbps, 300.0, 0.01);
    // A mode without 802.11n leaves the HT rates.
    m_world->apply_advance(oid(0, 1, 7));
    WLAN_STATUS s {};
    m_world->fill_status(s, m_now);
    EXPECT_EQ(s.TransmitSetting >> 14, 1u);
}

TEST_F(WorldAdvanceTest, TheSystemsProfileStoreKeepsWhatProgramsConnectedWith)
{
    // Seeded by the world: an open network of that SSID.
    auto seeded = m_world->os_profile("Seeded");
    ASSERT_TRUE(seeded);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(seeded->SSID.Ssid), seeded->SSID.SsidLength), "Seeded");
    EXPECT_EQ(seeded->enumAuthenMode, std::uint32_t { AUTH_OPEN });
    EXPECT_FALSE(m_world->os_profile("Home"));

    WLANPROFILE home = named("Home", "Fast");
    home.lRtsThre = 1000;
    m_world->remember_os_profile(home);
    home.lRtsThre = 2000;
    m_world->remember_os_profile(home);
    m_world->remember_os_profile(named("", "Nameless"));
    ASSERT_TRUE(m_world->os_profile("Home"));
    EXPECT_EQ(m_world->os_profile("Home")->lRtsThre, 2000);
    EXPECT_FALSE(m_world->os_profile(""));

    m_world->forget_os_profiles();
    EXPECT_FALSE(m_world->os_profile("Home"));
    EXPECT_FALSE(m_world->os_profile("Seeded"));
}

TEST_F(WorldAdvanceTest, FlushingEmptiesTheScanList)
{
    ASSERT_TRUE(m_world->start_scan(0));
    m_world->advance(10000);
    ASSERT_FALSE(m_world->scan_entries().empty());
    m_world->flush_scan_list();
    EXPECT_TRUE(m_world->scan_entries().empty());
}
