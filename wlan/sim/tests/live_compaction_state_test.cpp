// Every kind of live command, compacted: the world a new reader builds from the compacted log
// equals the one it builds from the whole log, for each command kind alone and all together.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/LiveCompaction.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

using namespace wlan::sim;

namespace {

// Two adapters (the second pulled), a station and a world key whose values hold spaces, and
// hosted-network stations, so that every command has something to change.
constexpr char kScenario[] = R"(
[world]
driver_description = Simulated  Adapter
hosted_stations = 02:40:00:00:00:01/1; 02:40:00:00:00:02/0
[adapter:a]
name = A
init_delay_ms = 500
[adapter:b]
name = B
present = 0
[ap:open]
ssid = Open Cafe  Wifi
bssid = 02:00:00:00:00:01
[station:phone]
mac = 02:30:00:00:00:01
key = pass phrase one
[station:laptop]
mac = 02:30:00:00:00:02
phy = n
ba_tids = 0,5
)";

struct Case {
    char const* name;
    std::vector<char const*> lines;
};

// Each kind with lines that later ones override, undo or reorder.
Case const kCases[] = {
    { "access points", { "ap-add z ssid=Zed channel=36", "ap-set z rssi=-60 wps=1", "ap-signal open -40", "ap-move open 11",
                           "wps-press z", "ap-remove open", "ap-add open ssid=Back" } },
    { "stations", { "sta-add tab mac=02:30:00:00:00:03 rssi=-70 mcs=7 sgi=1 key=k1", "sta-set phone traffic=5 power_save=1",
                      "sta-leave laptop", "sta-remove phone", "sta-add phone mac=02:30:00:00:00:09", "sta-join laptop",
                      "sta-set tab ba_tids=1,2 bw40=1" } },
    { "world keys", { "world-set os=10 crowd=2 sw_radio=0", "world-set ping_ms=5-9 driver_name=x pranto_result=fail",
                        "world-set os=11 logon_domain=corp", "world-set 11n=0 region30_24=1,6,11" } },
    { "adapter keys", { "adapter-set a tx_power=50 firmware=1.2", "adapter-set b name=Bee eeprom=3.4",
                          "adapter-set a firmware=none chains=3", "adapter-set a present=0", "adapter-set a present=1" } },
    { "radio", { "radio hw off", "radio sw off", "radio hw on", "world-set hw_radio=0" } },
    { "adapters", { "adapter pull a", "driver-delay 2500", "adapter insert b", "driver-delay never", "adapter insert a" } },
    { "suspended", { "driver-delay 900", "power suspend" } },
    { "resumed", { "power suspend", "driver-delay 900", "power resume", "power suspend", "power resume" } },
    { "mode", { "mode ap", "mode apclient" } },
    { "hosted stations", { "hosted-sta add 02:40:00:00:00:03 2", "hosted-sta remove 02:40:00:00:00:01",
                             "world-set hosted_stations=02:40:00:00:00:05/1;02:40:00:00:00:02/4", "hosted-sta add 02:40:00:00:00:02 7",
                             "hosted-sta add 02:40:00:00:00:06" } },
    { "block acks", { "ba add 02:50:00:00:00:01 1 orig 32", "ba add 02:50:00:00:00:02 0 recip 64", "ba add 02:50:00:00:00:01 3 orig 16",
                        "ba remove 02:50:00:00:00:01 1", "ba add 02:50:00:00:00:03 2 orig 8", "ba remove 02:50:00:00:00:02",
                        "ba add 02:50:00:00:00:01 3 orig 20" } },
    { "soft access point", { "softap counters 5000", "softap exit", "softap counters 7000" } },
    { "traffic and counters", { "traffic 10,20,30 40,50", "world-set traffic_tx=1,2", "counters bytes_tx=5000 tx_ok=7",
                                  "counters tx_ok=9 rx_crc=3" } },
    { "waiting", { "wps-press open", "fail-next-scan", "driver-delay 700" } },
};

WorldSpec base() { return parse_scenario(kScenario).world; }

bool same_table(BA_TABLE const& a, BA_TABLE const& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Everything a reader of the log can see of a world. A pulled adapter's driver starts afresh
// when it is inserted, so only present adapters' drivers are compared.
void expect_same_state(World const& a, World const& b, std::uint64_t now)
{
    EXPECT_TRUE(a.spec().aps == b.spec().aps);
    EXPECT_TRUE(a.spec().stations == b.spec().stations);
    EXPECT_TRUE(a.spec().adapters == b.spec().adapters);
    EXPECT_TRUE(a.spec().hosted_stations == b.spec().hosted_stations);
    EXPECT_TRUE(a.spec() == b.spec());
    EXPECT_EQ(a.op_mode(), b.op_mode());
    EXPECT_EQ(a.suspended(), b.suspended());
    EXPECT_TRUE(same_table(a.block_acks().table(), b.block_acks().table()));
    EXPECT_EQ(a.softap_counters(now).tx_ok, b.softap_counters(now).tx_ok);
    EXPECT_EQ(a.softap_counters(now).rx_ok, b.softap_counters(now).rx_ok);
    auto const pa = a.pending(now);
    auto const pb = b.pending(now);
    EXPECT_EQ(pa.wps_pressed, pb.wps_pressed);
    EXPECT_EQ(pa.fail_next_scan, pb.fail_next_scan);
    EXPECT_EQ(pa.driver_delay, pb.driver_delay);
    for (std::size_t i = 0; i < a.spec().adapters.size(); ++i)
        if (a.spec().adapters[i].present) {
            EXPECT_EQ(pa.ready_in.at(i), pb.ready_in.at(i)) << a.spec().adapters[i].id;
        }
}

class LiveCompactionStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vxsim-state-XXXXXX";
        m_folder = ::mkdtemp(templ);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    World fresh(Store& store, std::uint64_t now) const
    {
        World world(base(), nullptr, now);
        LiveLog log(store);
        log.set_quiet(true);
        log.apply_new(world, now);
        return world;
    }
    // Writes the lines, then checks a new reader of the compacted log against one of the
    // whole log; the compaction runs earlier than both read.
    void round_trip(std::vector<char const*> const& lines)
    {
        std::filesystem::remove_all(m_folder);
        Store store(m_folder);
        for (auto const* line : lines) {
            ASSERT_EQ(apply_live_command(m_check, line, 0), "") << line; // every line applies
            ASSERT_TRUE(append_live_command(store, line));
        }
        std::uint64_t const later = 1000;
        World const whole = fresh(store, later);
        ASSERT_TRUE(compact_live_log(store, base(), 0, 0));
        ASSERT_EQ(LiveLog::uncompacted_bytes(store), 0u);
        expect_same_state(whole, fresh(store, later), later);
    }

    std::string m_folder;
    World m_check { base(), nullptr, 0 };
};

TEST(StationSections, ReadBackEqual)
{
    StationSpec every;
    every.id = "every";
    every.mac = { 2, 3, 4, 5, 6, 7 };
    every.rssi = -120;
    every.phy = 'n';
    every.mcs = 0;
    every.bw40 = every.sgi = every.power_save = true;
    every.key = "a key  with spaces";
    every.traffic = 0;
    every.join = false;
    every.ba_tids = { 0, 7 };
    std::vector<StationSpec> cases = base().stations;
    cases.push_back(every);
    cases.push_back(StationSpec {});
    cases.back().id = "defaults";
    for (auto const& s : cases) {
        SCOPED_TRACE(s.id);
        auto const back = parse_scenario(format_station_section(s));
        EXPECT_TRUE(back.ok());
        ASSERT_EQ(back.world.stations.size(), 1u);
        EXPECT_TRUE(back.world.stations[0] == s) << format_station_section(s);
    }
}

TEST_F(LiveCompactionStateTest, EachCommandKindRoundTrips)
{
    for (auto const& c : kCases) {
        SCOPED_TRACE(c.name);
        m_check = World(base(), nullptr, 0);
        round_trip(c.lines);
    }
}

TEST_F(LiveCompactionStateTest, AllKindsTogetherRoundTrip)
{
    std::vector<char const*> all;
    for (auto const& c : kCases)
        all.insert(all.end(), c.lines.begin(), c.lines.end());
    round_trip(all);
}

// A command the tool learns later is not known to the compaction until it is taught; a log
// holding one is kept whole. Each command it knows has a case above.
TEST(LiveCompactionCommands, EveryKnownCommandHasARoundTripCase)
{
    std::set<std::string> covered;
    for (auto const& c : kCases)
        for (auto const* line : c.lines)
            covered.insert(std::string(line).substr(0, std::string(line).find(' ')));
    for (auto const& usage : live_command_usage()) {
        std::string const name = usage.substr(0, usage.find(' '));
        if (live_command_compacts(name)) {
            EXPECT_TRUE(covered.count(name)) << name;
        }
    }
    EXPECT_FALSE(live_command_compacts("sta-teleport"));
    EXPECT_FALSE(live_command_compacts(""));
}

}
