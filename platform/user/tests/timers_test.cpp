#include "CoreFixture.h"

#include "platform/user/Clock.h"
#include "platform/user/TimerTable.h"

#include <memory>

using platform::testing::advance;
using platform::testing::pump_until_idle;

namespace {

struct TimerStep {
    char const* name;
    // What the test does before moving time: arm (period > 0), re-arm, or kill.
    enum class Action { Arm, Kill, None } action;
    UINT period;
    std::uint64_t advance_ms;
    int expected_ticks;
};

}

// One timer walked through arming, re-arming and killing; each row moves time and counts the
// WM_TIMER messages that arrived meanwhile.
TEST_F(CoreTest, TimerTable)
{
    HWND hwnd = make_top();
    watch({ WM_TIMER });
    constexpr TimerStep steps[] = {
        { "armed at 100 ms: nothing before the first period", TimerStep::Action::Arm, 100, 99, 0 },
        { "first tick at 100 ms", TimerStep::Action::None, 0, 1, 1 },
        { "periodic: three more periods", TimerStep::Action::None, 0, 300, 3 },
        { "re-arming restarts with the new period", TimerStep::Action::Arm, 250, 249, 0 },
        { "new period reached", TimerStep::Action::None, 0, 1, 1 },
        { "killed: no more ticks", TimerStep::Action::Kill, 0, 1000, 0 },
        { "killing again is harmless", TimerStep::Action::Kill, 0, 10, 0 },
        { "a zero period is the smallest period", TimerStep::Action::Arm, 0, USER_TIMER_MINIMUM * 3, 3 },
    };
    for (auto const& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.action == TimerStep::Action::Arm) {
            EXPECT_EQ(SetTimer(hwnd, 42, step.period, nullptr), 42u);
        }
        if (step.action == TimerStep::Action::Kill)
            KillTimer(hwnd, 42);
        if (step.action != TimerStep::Action::None) {
            EXPECT_EQ(platform::testing::timer_period(hwnd, 42),
                step.action == TimerStep::Action::Arm ? std::optional<unsigned>(std::max(step.period, USER_TIMER_MINIMUM)) : std::nullopt);
        }
        log.clear();
        advance(step.advance_ms);
        EXPECT_EQ(count_of(hwnd, WM_TIMER), step.expected_ticks);
        for (auto const& r : log)
            EXPECT_EQ(r.wparam, 42u);
    }
    EXPECT_FALSE(KillTimer(hwnd, 99));
}

TEST_F(CoreTest, TicksDoNotPileUpAfterALongHandler)
{
    HWND hwnd = make_top();
    watch({ WM_TIMER });
    SetTimer(hwnd, 1, 100, nullptr);
    // Time jumps far past many periods while the loop was busy: one tick, not ten.
    clock->advance(1000);
    pump_until_idle();
    EXPECT_EQ(count_of(hwnd, WM_TIMER), 1);
    advance(99);
    EXPECT_EQ(count_of(hwnd, WM_TIMER), 1);
    advance(1);
    EXPECT_EQ(count_of(hwnd, WM_TIMER), 2);
}

namespace {

// Real time as far as the timers can tell (not the manual clock), but standing still.
class StillSystemClock final : public platform::Clock {
public:
    std::uint64_t now_ms() const override { return 5'000; }
    std::int64_t unix_time_us() const override { return 0; }
    int local_offset_minutes() const override { return 0; }
    void sleep_until(std::uint64_t) override { }
    bool is_manual() const override { return false; }
};

}

// Timers that fall due close together on real time share one wake-up at the last of them;
// one further off keeps its own; the manual clock wakes at the earliest every time.
TEST_F(CoreTest, TimersDueTogetherShareOneWakeUp)
{
    platform::set_clock(std::make_shared<StillSystemClock>());
    platform::user::TimerTable table;
    HWND const a = reinterpret_cast<HWND>(0x10);
    table.set(a, 1, 55, nullptr);
    table.set(a, 2, 58, nullptr);
    table.set(a, 3, 71, nullptr);
    table.set(a, 4, 72, nullptr);
    EXPECT_EQ(table.wake_time(), 5'071u) << "55, 58 and 71 ms are within one 16 ms tick of the first";
    table.kill(a, 3);
    EXPECT_EQ(table.wake_time(), 5'058u) << "72 ms is past the first's tick";
    table.kill(a, 1);
    table.kill(a, 2);
    EXPECT_EQ(table.wake_time(), 5'072u);
    table.kill(a, 4);
    EXPECT_EQ(table.wake_time(), std::nullopt);

    clock = &platform::testing::use_manual_clock();
    std::uint64_t const now = clock->now_ms();
    table.set(a, 1, 55, nullptr);
    table.set(a, 2, 58, nullptr);
    EXPECT_EQ(table.wake_time(), now + 55);
}

TEST_F(CoreTest, TimersFireInDueOrderAndAfterPostedMessages)
{
    HWND hwnd = make_top();
    watch({ WM_TIMER, WM_APP });
    SetTimer(hwnd, 2, 300, nullptr);
    SetTimer(hwnd, 1, 200, nullptr);
    clock->advance(300);
    PostMessage(hwnd, WM_APP, 0, 0);
    pump_until_idle();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].message, WM_APP);
    EXPECT_EQ(log[1].wparam, 1u);
    EXPECT_EQ(log[2].wparam, 2u);
}

TEST_F(CoreTest, TimersOfDestroyedWindowsStop)
{
    HWND hwnd = make_top();
    HWND child = make_child(hwnd, 3);
    SetTimer(child, 7, 50, nullptr);
    DestroyWindow(hwnd);
    log.clear();
    advance(500);
    EXPECT_EQ(count_of(child, WM_TIMER), 0);
}

TEST_F(CoreTest, TimerProceduresAreCalledByDispatch)
{
    static int calls = 0;
    calls = 0;
    HWND hwnd = make_top();
    SetTimer(hwnd, 3, 100, [](HWND, UINT message, UINT_PTR id, DWORD) {
        EXPECT_EQ(message, WM_TIMER);
        EXPECT_EQ(id, 3u);
        ++calls;
    });
    watch({ WM_TIMER });
    advance(250);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(count_of(hwnd, WM_TIMER), 0);
}

TEST_F(CoreTest, SleepOnTheDrivingThreadMovesTheManualClock)
{
    DWORD before = GetTickCount();
    Sleep(1500);
    EXPECT_EQ(GetTickCount() - before, 1500u);
}
