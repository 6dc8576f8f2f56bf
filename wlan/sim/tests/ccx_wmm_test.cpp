// The CCX diagnostic runs and the direct links of the simulated world: the messages of a run in
// order and time, with the world's failures; a stop; links coming up,
// updated, removed and ended by the peer (wlansim dls-down); the [world] keys.
#include "wlan/api/Callback.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

using namespace wlan::sim;

namespace {

constexpr char kWorld[] = "[world]\nccx_step_ms = 500\ndls_ms = 1000\n";
constexpr char kAdapter[] = "[adapter:a]\nname = A\n";

struct Message {
    unsigned code;
    std::uintptr_t wparam;
    std::intptr_t lparam;
    bool operator==(Message const&) const = default;
};

WorldSpec spec_with(char const* extra = "")
{
    auto result = parse_scenario(std::string(kWorld) + extra + "\n" + kAdapter);
    EXPECT_TRUE(result.ok()) << (result.errors.empty() ? "" : result.errors[0]);
    return result.world;
}

// Messages due by `t`, each with the time it came out.
std::vector<std::pair<std::uint64_t, Message>> run(World& world, std::uint64_t from, std::uint64_t to)
{
    std::vector<std::pair<std::uint64_t, Message>> out;
    for (std::uint64_t t = from; t <= to; t += 250) {
        world.advance(t);
        for (auto const& o : world.take_outgoing()) {
            EXPECT_EQ(o.audience, Audience::Station);
            out.push_back({ t, { o.code, o.wparam, o.lparam } });
        }
    }
    return out;
}

using Timed = std::vector<std::pair<std::uint64_t, Message>>;

DLS_ENTRY entry(std::uint8_t last, std::uint16_t timeout, std::uint8_t in_use = 1)
{
    DLS_ENTRY e {};
    std::uint8_t const mac[6] = { 0x02, 0x30, 0x00, 0x00, 0x00, last };
    std::memcpy(e.MacAddr, mac, 6);
    e.TimeOut = timeout;
    e.InUse = in_use;
    return e;
}

}

TEST(CcxRuns, TheDiagnosticChannelConnectsAndReportsThreeSteps)
{
    World w(spec_with(), nullptr, 0);
    w.ccx_send_s64("Diagnostic Channel", 0);
    EXPECT_EQ(run(w, 0, 5000), (Timed { { 500, { 0x404, 0, 1 } }, { 1000, { 0x406, 1, 0 } }, { 1500, { 0x406, 2, 0 } },
                                   { 2000, { 0x406, 3, 0 } } }));
    EXPECT_FALSE(w.ccx_running());
    // Another profile: the connect result, then the end.
    w.ccx_send_s64("Home", 6000);
    EXPECT_EQ(run(w, 6000, 9000), (Timed { { 6500, { 0x404, 0, 1 } }, { 7000, { 0x405, 0, 0 } } }));
}

TEST(CcxRuns, TheWorldsFailures)
{
    struct Case {
        char const* keys;
        char const* name;
        Timed expected;
    };
    Case const cases[] = {
        { "ccx_dc = fail", "diagnostic channel", { { 500, { 0x404, 0, 0 } } } },
        { "ccx_dc = fail", "Home", { { 500, { 0x404, 0, 1 } }, { 1000, { 0x405, 0, 0 } } } },
        { "ccx_dc = fail-second", "Home", { { 500, { 0x404, 0, 0 } } , { 1000, { 0x405, 0, 0 } } } },
        { "ccx_test = fail", "Diagnostic Channel", { { 500, { 0x407, 0, 0 } } } },
        { "ccx_step_ms = 100", "Home", { { 250, { 0x404, 0, 1 } } , { 250, { 0x405, 0, 0 } } } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " " + c.name);
        World w(spec_with(c.keys), nullptr, 0);
        w.ccx_send_s64(c.name, 0);
        EXPECT_EQ(run(w, 0, 4000), c.expected);
    }
}

TEST(CcxRuns, OlderSystemsTestEndsByItselfAndAStopEndsARun)
{
    World w(spec_with(), nullptr, 0);
    w.ccx_start_diag_test(0);
    auto const out = run(w, 0, 5000);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out.front().second, (Message { 0x404, 0, 1 }));
    EXPECT_EQ(out.back(), (std::pair<std::uint64_t, Message> { 2500, { 0x405, 0, 0 } }));

    w.ccx_start_diag_test(6000);
    auto const first = run(w, 6000, 6500);
    EXPECT_EQ(first.size(), 1u);
    w.ccx_stop();
    EXPECT_TRUE(run(w, 6750, 12000).empty());

    World failing(spec_with("ccx_test = fail"), nullptr, 0);
    failing.ccx_start_diag_test(0);
    EXPECT_EQ(run(failing, 0, 5000), (Timed { { 500, { 0x407, 0, 0 } } }));
}

TEST(DirectLinks, ComeUpAfterTheDelayAndAtMostFour)
{
    World w(spec_with(), nullptr, 0);
    EXPECT_TRUE(w.dls_set(entry(1, 60), 0));
    EXPECT_EQ(w.dls_table()[0].State, 0);
    EXPECT_EQ(w.dls_table()[0].InUse, 1);
    w.advance(999);
    EXPECT_EQ(w.dls_table()[0].State, 0);
    w.advance(1000);
    EXPECT_EQ(w.dls_table()[0].State, DLS_STATE_LINK_UP);
    EXPECT_EQ(w.dls_table()[0].TimeOut, 60);

    // The same peer again updates its link, which comes up anew.
    EXPECT_TRUE(w.dls_set(entry(1, 90), 1500));
    EXPECT_EQ(w.dls_table()[0].TimeOut, 90);
    EXPECT_EQ(w.dls_table()[0].State, 0);
    for (std::uint8_t last = 2; last <= 4; ++last)
        EXPECT_TRUE(w.dls_set(entry(last, 0), 1500));
    EXPECT_FALSE(w.dls_set(entry(5, 0), 1500));
    w.advance(2500);
    for (auto const& e : w.dls_table())
        EXPECT_EQ(e.State, DLS_STATE_LINK_UP);

    // In use 0 removes the link with that peer; an unknown peer changes nothing.
    EXPECT_TRUE(w.dls_set(entry(3, 0, 0), 3000));
    EXPECT_EQ(w.dls_table()[2].InUse, 0);
    EXPECT_FALSE(w.dls_set(entry(9, 0, 0), 3000));
    EXPECT_TRUE(w.dls_set(entry(5, 0), 3000));
    EXPECT_EQ(w.dls_table()[2].MacAddr[5], 5);
}

TEST(DirectLinks, ThePeerEndsALink)
{
    World w(spec_with(), nullptr, 0);
    w.dls_set(entry(1, 60), 0);
    EXPECT_EQ(apply_live_command(w, "dls-down 02:30:00:00:00:01", 100), "");
    EXPECT_EQ(w.dls_table()[0].InUse, 0);
    // The removed link's pending step does not bring a new link to the same peer up early.
    w.dls_set(entry(1, 60), 500);
    w.advance(1000);
    EXPECT_EQ(w.dls_table()[0].State, 0);
    w.advance(1500);
    EXPECT_EQ(w.dls_table()[0].State, DLS_STATE_LINK_UP);
    EXPECT_EQ(apply_live_command(w, "dls-down 02:30:00:00:00:07", 2000), "");
    EXPECT_EQ(w.dls_table()[0].InUse, 1);
    EXPECT_NE(apply_live_command(w, "dls-down nonsense", 2000), "");
}

TEST(DirectLinks, WorldKeys)
{
    auto const bad = parse_scenario("[world]\nccx_dc = sometimes\nwmm = maybe\ndls_ms = -1\n");
    EXPECT_EQ(bad.errors.size(), 3u);
    WorldSpec const s = spec_with("wmm = 0\napsd = 1\nccx_dc = fail-second\nccx_test = fail");
    EXPECT_FALSE(s.wmm);
    EXPECT_TRUE(s.apsd);
    EXPECT_EQ(s.ccx_dc, CcxConnect::FailSecond);
    EXPECT_TRUE(s.ccx_test_fails);
}
