// Compaction of the live command log: the compacted log gives a new reader the same world as
// the whole log did, a reader that had read part of the log before goes on to the same world,
// a compaction stopped at any moment leaves a readable log, and appends are never lost.
#include "wlan/sim/LiveCompaction.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace wlan::sim;

namespace {

// An access point whose SSID has spaces, and a second adapter that starts pulled.
constexpr char kScenario[] = R"(
[adapter:a]
name = A
init_delay_ms = 500
[adapter:b]
name = B
present = 0
[ap:open]
ssid = Open Cafe  Wifi
bssid = 02:00:00:00:00:01
channel = 1
rssi = -50
[ap:office]
ssid = Office
bssid = 02:00:00:00:00:02
security = wpa2
cipher = aes
accounts = peap:alice:secret word;leap:bob:pw
)";

// Every command the log knows, with lines that fail, an access point removed and added back,
// and things left waiting.
constexpr char const* kCommands[] = {
    "ap-signal open -40",
    "ap-add z ssid=Zed channel=36 rssi=-70 security=wpa2-psk cipher=aes key=secret",
    "ap-set z rssi=-60 wps=1",
    "ap-move open 11",
    "ap-remove office",
    "ap-add office ssid=Office2",
    "ap-signal nowhere -40",
    "wps-press z",
    "ap-set z wps_pbc=0",
    "wps-press open",
    "radio hw off",
    "radio sw off",
    "radio hw on",
    "adapter pull a",
    "driver-delay 2500",
    "adapter insert b",
    "traffic 10,20,30 40,50",
    "counters bytes_tx=5000 tx_ok=7",
    "counters tx_ok=9 rx_crc=3",
    "fail-next-scan",
    "driver-delay 700",
};

WorldSpec base() { return parse_scenario(kScenario).world; }

// What a reader of the log can see of a world.
void expect_same_world(World const& a, World const& b, std::uint64_t now)
{
    ASSERT_EQ(a.spec().aps.size(), b.spec().aps.size());
    for (std::size_t i = 0; i < a.spec().aps.size(); ++i) {
        SCOPED_TRACE(a.spec().aps[i].id);
        EXPECT_TRUE(a.spec().aps[i] == b.spec().aps[i]) << b.spec().aps[i].id << " " << b.spec().aps[i].ssid;
    }
    EXPECT_EQ(a.radio_hw(), b.radio_hw());
    EXPECT_EQ(a.radio_sw(), b.radio_sw());
    EXPECT_EQ(a.spec().traffic_tx, b.spec().traffic_tx);
    EXPECT_EQ(a.spec().traffic_rx, b.spec().traffic_rx);
    for (std::size_t i = 0; i < a.spec().adapters.size(); ++i)
        EXPECT_EQ(a.spec().adapters[i].present, b.spec().adapters[i].present) << a.spec().adapters[i].id;
    auto const pa = a.pending(now);
    auto const pb = b.pending(now);
    EXPECT_EQ(pa.wps_pressed, pb.wps_pressed);
    EXPECT_EQ(pa.fail_next_scan, pb.fail_next_scan);
    EXPECT_EQ(pa.driver_delay, pb.driver_delay);
    EXPECT_EQ(pa.ready_in, pb.ready_in);
}

class LiveCompactionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vxsim-compact-XXXXXX";
        m_folder = ::mkdtemp(templ);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string log_text() const
    {
        std::ifstream in(m_folder + "/live.cmd", std::ios::binary);
        return { std::istreambuf_iterator<char>(in), {} };
    }
    // A new reader's world: the scenario, then the whole log.
    World fresh(Store& store, std::uint64_t now) const
    {
        World world(base(), nullptr, now);
        LiveLog log(store);
        log.set_quiet(true);
        log.apply_new(world, now);
        return world;
    }

    std::string m_folder;
};

TEST(ApSections, ReadBackEqual)
{
    auto const world = parse_scenario(kScenario).world;
    ApSpec every;
    every.id = "every";
    every.ssid = "a b  c";
    every.hidden = every.adhoc = every.wep_shared = every.ht = every.ht40 = every.sgi20 = every.sgi40 = every.ccx = true;
    every.present = every.wps_configured = false;
    every.wps = every.wps_locked = every.wps_pbc_active = every.auth_timeout = true;
    every.bssid = { 1, 2, 3, 4, 5, 6 };
    every.channel = 165;
    every.rssi = -120;
    every.noise = 0;
    every.drift = 40;
    every.phy = 'n';
    every.beacon_interval = 65535;
    every.rates = { 2, 4, 11, 22, 0x82 };
    every.security = Security::WapiCert;
    every.cipher = Cipher::Sms4;
    every.key = "key with spaces";
    every.wps_version = 0x20;
    every.streams = 3;
    every.mdid = 0;
    every.malformed = Malformation::BadWps;
    every.ip = { 10, 0, 0, 255 };
    every.name = "Lobby AP";
    every.accounts = { { int(EAP_PEAP), "henry", "winter", true, -1, "" }, { int(EAP_PEAP), "ann", "pw", false, int(EAP_INNER_GTC), "carol" } };
    every.eap_fast_aid = "Corp Authority 7";
    every.server_name = "radius.corp.example";
    every.server_ca = "corp-root";
    every.wapi_as = "WAPI Office AS";
    std::vector<ApSpec> cases = world.aps;
    cases.push_back(every);
    cases.push_back(ApSpec {});
    cases.back().id = "defaults";
    for (auto const& ap : cases) {
        SCOPED_TRACE(ap.id);
        auto const back = parse_scenario(format_ap_section(ap));
        EXPECT_TRUE(back.ok());
        ASSERT_EQ(back.world.aps.size(), 1u);
        EXPECT_TRUE(back.world.aps[0] == ap) << format_ap_section(ap);
    }
}

TEST_F(LiveCompactionTest, ACompactedLogGivesANewReaderTheSameWorld)
{
    Store store(m_folder);
    for (auto const* line : kCommands)
        std::ofstream(m_folder + "/live.cmd", std::ios::app) << line << "\n";
    std::uint64_t const start = 1000;
    World whole = fresh(store, start);
    ASSERT_TRUE(compact_live_log(store, base(), 0, 0));
    EXPECT_TRUE(log_text().starts_with("#live generation 00000000000000000001 compacted ")) << log_text();
    World compacted = fresh(store, start);
    expect_same_world(whole, compacted, start);
    EXPECT_EQ(compacted.pending(start).driver_delay, 700);
    EXPECT_EQ(compacted.pending(start).ready_in, (std::vector<std::uint64_t> { 500, 2500 }));
    EXPECT_EQ(compacted.find_ap("open")->ssid, "Open Cafe  Wifi");
}

TEST_F(LiveCompactionTest, CompactsOnlyPastTheLimit)
{
    struct Case {
        char const* name;
        std::uint64_t bytes;
        bool compacts;
    };
    constexpr std::uint64_t kLimit = 400;
    constexpr Case cases[] = {
        { "empty", 0, false },
        { "one line", 19, false },
        { "one byte short", kLimit - 1, false },
        { "at the limit", kLimit, false },
        { "one byte past", kLimit + 1, true },
        { "far past", 4 * kLimit, true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(m_folder);
        Store store(m_folder);
        // "ap-signal open -4N" lines, the last padded with blanks to the exact size.
        std::string text;
        for (int i = 0; text.size() + 40 <= c.bytes; ++i)
            text += "ap-signal open -" + std::to_string(40 + i % 10) + "\n";
        if (text.size() < c.bytes)
            text += "ap-move open 6" + std::string(c.bytes - text.size() - 15, ' ') + "\n";
        ASSERT_EQ(text.size(), c.bytes);
        std::ofstream(m_folder + "/live.cmd", std::ios::binary) << text;
        World const before = fresh(store, 0);
        EXPECT_EQ(compact_live_log(store, base(), 0, kLimit), c.compacts);
        EXPECT_EQ(log_text().starts_with("#live"), c.compacts);
        expect_same_world(before, fresh(store, 0), 0);
        EXPECT_EQ(LiveLog::uncompacted_bytes(store), c.compacts ? 0 : c.bytes);
    }
}

TEST_F(LiveCompactionTest, AReaderPartWayThroughFollowsTheLogAcrossCompactions)
{
    Store store(m_folder);
    World running(base(), nullptr, 0);
    LiveLog reader(store);
    reader.set_quiet(true);
    std::size_t next = 0;
    auto append = [&](std::size_t count) {
        for (std::size_t i = 0; i < count && next < std::size(kCommands); ++i)
            ASSERT_TRUE(append_live_command(store, kCommands[next++]));
    };
    append(5);
    reader.apply_new(running, 0);
    append(4); // not yet read when the log is compacted
    ASSERT_TRUE(compact_live_log(store, base(), 0, 0));
    append(4);
    ASSERT_TRUE(compact_live_log(store, base(), 0, 0)); // twice before the reader looks again
    append(std::size(kCommands));
    reader.apply_new(running, 0);
    EXPECT_EQ(reader.generation(), 2u);
    expect_same_world(running, fresh(store, 0), 0);
    // Nothing is applied twice: lines added later apply once.
    ASSERT_TRUE(append_live_command(store, "ap-add late"));
    EXPECT_EQ(reader.apply_new(running, 0), 1);
    EXPECT_EQ(reader.apply_new(running, 0), 0);
    EXPECT_NE(running.find_ap("late"), nullptr);
}

TEST_F(LiveCompactionTest, AReaderWhoseRetiredLogIsGoneReadsTheCompactedWorld)
{
    Store store(m_folder);
    World running(base(), nullptr, 0);
    LiveLog reader(store);
    reader.set_quiet(true);
    ASSERT_TRUE(append_live_command(store, "ap-signal open -41"));
    reader.apply_new(running, 0);
    for (std::uint64_t i = 0; i <= kLiveRetiredKept; ++i) {
        ASSERT_TRUE(append_live_command(store, "ap-move open " + std::to_string(1 + i)));
        ASSERT_TRUE(compact_live_log(store, base(), 0, 0));
    }
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/live.cmd.0"));
    testing::internal::CaptureStderr();
    reader.apply_new(running, 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("reading it whole"), std::string::npos);
    expect_same_world(running, fresh(store, 0), 0);
}

// The store's hook runs after the compacted log is complete and before it replaces the log.
TEST_F(LiveCompactionTest, ACompactionKilledBeforeItsRenameLeavesTheLogAsItWas)
{
    Store store(m_folder);
    for (auto const* line : kCommands)
        ASSERT_TRUE(append_live_command(store, line));
    std::string const before = log_text();
    pid_t const pid = ::fork();
    if (pid == 0) {
        Store child(m_folder);
        child.set_before_rename_hook([] { ::raise(SIGKILL); });
        compact_live_log(child, base(), 0, 0);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(log_text(), before);
    World const whole = fresh(store, 0);
    // The next compaction goes ahead over what the killed one left.
    Store again(m_folder);
    ASSERT_TRUE(compact_live_log(again, base(), 0, 0));
    expect_same_world(whole, fresh(again, 0), 0);
    for (auto const& entry : std::filesystem::directory_iterator(m_folder))
        EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << entry.path();
}

// Writers in several processes append while another compacts again and again: every line
// reaches the log once.
TEST_F(LiveCompactionTest, AppendsAndCompactionsInSeveralProcessesLoseNothing)
{
    constexpr int kWriters = 3;
    constexpr int kLines = 60;
    Store store(m_folder);
    std::vector<pid_t> children;
    for (int w = 0; w <= kWriters; ++w) {
        pid_t const pid = ::fork();
        if (pid == 0) {
            Store own(m_folder);
            bool ok = true;
            for (int i = 0; i < kLines; ++i) {
                if (w == kWriters)
                    compact_live_log(own, base(), 0, 200);
                else
                    ok = append_live_command(own, "ap-add w" + std::to_string(w) + "-" + std::to_string(i)) && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    World const world = fresh(store, 0);
    EXPECT_EQ(world.spec().aps.size(), 2u + kWriters * kLines);
}

}
