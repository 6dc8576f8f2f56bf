// The live log's change counter: a reader opens the log only after a writer changed it (an
// append in this process or another, a replacement through the store, a compaction) and sees
// each change at its very next call; a log changed by a writer that does not raise the counter
// is still read, after a while or when the reader is told to; without a counter every call
// reads, as before there was one.
#include "wlan/sim/LiveCompaction.h"
#include "wlan/sim/LiveLog.h"
#include "wlan/sim/LiveSequence.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"
#include "wlan/sim/tests/OneOpenNetwork.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace wlan::sim;

namespace {

constexpr char const* kScenario = wlan::sim::test_worlds::kOneOpenNetwork;

// Any time within kLiveRecheckMs of the reader's first call: only the counter decides.
constexpr std::uint64_t kNow = 1000;

WorldSpec base() { return parse_scenario(kScenario).world; }

class LiveSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vxsim-sequence-XXXXXX";
        m_folder = ::mkdtemp(templ);
        m_store.emplace(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    // A reader on this test's store, as a running program has one.
    void start_reader()
    {
        m_world.emplace(base(), nullptr, 0);
        m_log.emplace(*m_store);
        m_log->set_quiet(true);
    }
    int rssi() { return m_world->find_ap("open")->rssi; }
    int apply(std::uint64_t now = kNow) { return m_log->apply_new(*m_world, now); }
    // Calls that find nothing new and do not open the log.
    void expect_idle_calls()
    {
        auto const reads = m_log->reads();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(apply(), 0);
        EXPECT_EQ(m_log->reads(), reads) << "nothing was written, yet the log was opened";
    }
    // As an older tool or a person appends: no counter raised.
    void append_without_counter(std::string const& line)
    {
        std::ofstream(m_folder + "/" + kLiveLogKey, std::ios::app) << line << "\n";
    }

    std::string m_folder;
    std::optional<Store> m_store;
    std::optional<World> m_world;
    std::optional<LiveLog> m_log;
};

// Runs `write` in a child process of its own, and answers whether it succeeded there.
bool in_another_process(std::function<bool()> const& write)
{
    pid_t const pid = ::fork();
    if (pid == 0)
        ::_exit(write() ? 0 : 1);
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}

TEST_F(LiveSequenceTest, EveryWriterIsSeenByTheNextCallAndOnlyAWriteOpensTheLog)
{
    start_reader();
    EXPECT_EQ(apply(), 0);
    EXPECT_EQ(m_log->reads(), 1u) << "the first call looks for a log";
    expect_idle_calls();

    struct Case {
        char const* name;
        std::function<bool(std::string const&)> write;
    };
    Case const cases[] = {
        { "an append in this process", [this](std::string const& line) { return append_live_command(*m_store, line); } },
        { "an append through another store object",
            [this](std::string const& line) {
                Store other(m_folder);
                return append_live_command(other, line);
            } },
        { "an append by another process",
            [this](std::string const& line) {
                return in_another_process([&] {
                    Store own(m_folder);
                    return append_live_command(own, line);
                });
            } },
        { "the log replaced through the store",
            [this](std::string const& line) {
                return m_store->write_text(kLiveLogKey, m_store->read_text(kLiveLogKey).value_or("") + line + "\n");
            } },
    };
    int signal = -40;
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto const reads = m_log->reads();
        ASSERT_TRUE(c.write("ap-signal open " + std::to_string(--signal)));
        EXPECT_EQ(apply(), 1);
        EXPECT_EQ(rssi(), signal);
        EXPECT_EQ(m_log->reads(), reads + 1);
        expect_idle_calls();
    }
}

// The compacted log replaces the log the reader had read to its end: the next call goes on in
// the new generation after its compacted part, and a line added later applies once.
TEST_F(LiveSequenceTest, ACompactionIsFollowedAtTheNextCall)
{
    ASSERT_TRUE(append_live_command(*m_store, "ap-signal open -41"));
    start_reader();
    EXPECT_EQ(apply(), 1);
    expect_idle_calls();
    ASSERT_TRUE(compact_live_log(*m_store, base(), 0, 0));
    EXPECT_EQ(apply(), 0);
    EXPECT_EQ(m_log->generation(), 1u);
    expect_idle_calls();
    ASSERT_TRUE(append_live_command(*m_store, "ap-signal open -42"));
    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(rssi(), -42);
    expect_idle_calls();
}

// A writer that does not raise the counter (another version of the tool, a person appending
// by hand) is read once kLiveRecheckMs passed on the reader's clock, or at once when the
// reader is told the log grew.
TEST_F(LiveSequenceTest, AWriterWithoutTheCounterIsReadAfterAWhileOrWhenToldTo)
{
    start_reader();
    EXPECT_EQ(apply(), 0);
    append_without_counter("ap-signal open -41");
    EXPECT_EQ(apply(kNow + kLiveRecheckMs - 1), 0);
    EXPECT_EQ(apply(kNow + kLiveRecheckMs), 1);
    EXPECT_EQ(rssi(), -41);

    append_without_counter("ap-signal open -42");
    m_log->look_again();
    EXPECT_EQ(apply(kNow + kLiveRecheckMs), 1);
    EXPECT_EQ(rssi(), -42);
}

// A store where the counter cannot be made: every call reads the log, and writers still write.
TEST_F(LiveSequenceTest, WithoutACounterEveryCallReadsTheLog)
{
    std::filesystem::create_directory(m_folder + "/" + kLiveSequenceKey);
    EXPECT_FALSE(LiveSequence(*m_store).ok());
    start_reader();
    EXPECT_EQ(apply(), 0);
    EXPECT_EQ(apply(), 0);
    EXPECT_EQ(m_log->reads(), 2u);
    ASSERT_TRUE(append_live_command(*m_store, "ap-signal open -41"));
    append_without_counter("ap-signal open -42");
    EXPECT_EQ(apply(), 2);
    EXPECT_EQ(rssi(), -42);
}

// A reader takes at most 4 MB of the log in one call; the rest is read by the next call,
// though nothing was written in between.
TEST_F(LiveSequenceTest, ALogLongerThanOneReadIsReadOnByTheNextCall)
{
    {
        std::ofstream log(m_folder + "/" + kLiveLogKey, std::ios::binary);
        std::string const comment = "#" + std::string(1022, '-') + "\n";
        for (int i = 0; i < 5 * 1024; ++i)
            log << comment;
    }
    ASSERT_TRUE(append_live_command(*m_store, "ap-signal open -41"));
    start_reader();
    EXPECT_EQ(apply(), 0) << "the first 4 MB hold comments only";
    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(rssi(), -41);
    expect_idle_calls();
}
