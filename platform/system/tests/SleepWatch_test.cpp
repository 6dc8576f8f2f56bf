// Sleep and wake from logind's signal: a logind double on a private bus sends PrepareForSleep,
// and every top-level window gets the power broadcast on the user-interface thread.
#include "platform/system/SleepWatch.h"

#include "platform/user/Messages.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"

#include "PrivateBus.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

using platform::system::SleepWatch;
using platform::system::testing::PrivateBus;

namespace {

std::vector<WPARAM> g_power_events;
DWORD g_handled_on = 0;
std::function<void(WPARAM)> g_on_power;

LRESULT power_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_POWERBROADCAST) {
        g_power_events.push_back(wparam);
        g_handled_on = GetCurrentThreadId();
        if (g_on_power)
            g_on_power(wparam);
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

// logind's side of the delay lock: Inhibit hands out one end of a pipe and keeps the other,
// which hangs up once the program lets go of its end.
class DelayLocks {
public:
    explicit DelayLocks(sd_bus* bus)
    {
        sd_bus_add_object_vtable(bus, &m_slot, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", vtable, this);
    }
    ~DelayLocks()
    {
        sd_bus_slot_unref(m_slot);
        for (int fd : kept)
            ::close(fd);
    }
    bool released(std::size_t lock) const
    {
        pollfd end { kept.at(lock), POLLIN, 0 };
        return ::poll(&end, 1, 0) == 1 && (end.revents & POLLHUP);
    }
    std::vector<int> kept;
    std::vector<std::string> asked; // "what who why mode"

private:
    static int on_inhibit(sd_bus_message* call, void* self, sd_bus_error*)
    {
        char const* what = nullptr;
        char const* who = nullptr;
        char const* why = nullptr;
        char const* mode = nullptr;
        int ends[2];
        if (sd_bus_message_read(call, "ssss", &what, &who, &why, &mode) < 0 || ::pipe2(ends, O_CLOEXEC) != 0)
            return -EINVAL;
        auto* locks = static_cast<DelayLocks*>(self);
        locks->asked.push_back(std::string(what) + " " + mode);
        locks->kept.push_back(ends[0]);
        int r = sd_bus_reply_method_return(call, "h", ends[1]);
        ::close(ends[1]);
        return r;
    }
    static sd_bus_vtable const vtable[];
    sd_bus_slot* m_slot {};
};

sd_bus_vtable const DelayLocks::vtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Inhibit", "ssss", "h", &DelayLocks::on_inhibit, 0),
    SD_BUS_VTABLE_END,
};

class SleepWatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (m_bus.address().empty())
            GTEST_SKIP() << "no dbus-daemon";
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        g_power_events.clear();
        g_on_power = nullptr;
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = power_proc;
            wc.lpszClassName = "SleepWatchTestWindow";
            registered = RegisterClass(&wc) != 0;
        }
        m_window = CreateWindowEx(0, "SleepWatchTestWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        m_logind = m_bus.client();
        ASSERT_NE(m_logind, nullptr);
    }

    void TearDown() override
    {
        sd_bus_flush_close_unref(m_logind);
        platform::testing::reset_windows();
    }

    void emit(sd_bus* from, bool going_to_sleep)
    {
        ASSERT_GE(sd_bus_emit_signal(from, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep",
                      "b", going_to_sleep ? 1 : 0),
            0);
        sd_bus_flush(from);
    }

    PrivateBus m_bus;
    HWND m_window {};
    sd_bus* m_logind {};
};

}

TEST_F(SleepWatchTest, PrepareForSleepGivesSuspendThenAutomaticResume)
{
    ASSERT_GE(sd_bus_request_name(m_logind, "org.freedesktop.login1", 0), 0);
    std::string error;
    auto watch = SleepWatch::start(m_bus.address(), error);
    ASSERT_NE(watch, nullptr) << error;
    ASSERT_TRUE(PrivateBus::until(m_logind, [&] { return watch->watching(); }));

    emit(m_logind, true);
    ASSERT_TRUE(PrivateBus::until(m_logind, [] { return g_power_events.size() == 1; }));
    emit(m_logind, false);
    ASSERT_TRUE(PrivateBus::until(m_logind, [] { return g_power_events.size() == 2; }));
    // PBT_APMSUSPEND and PBT_APMRESUMEAUTOMATIC.
    EXPECT_EQ(g_power_events, (std::vector<WPARAM> { 4, 18 }));
    EXPECT_EQ(g_handled_on, GetCurrentThreadId());
}

TEST_F(SleepWatchTest, OnlyLogindIsHeard)
{
    // Another client of the bus sending the same signal is not logind.
    sd_bus* impostor = m_bus.client();
    ASSERT_NE(impostor, nullptr);
    ASSERT_GE(sd_bus_request_name(m_logind, "org.freedesktop.login1", 0), 0);
    std::string error;
    auto watch = SleepWatch::start(m_bus.address(), error);
    ASSERT_NE(watch, nullptr) << error;
    ASSERT_TRUE(PrivateBus::until(m_logind, [&] { return watch->watching(); }));

    emit(impostor, true);
    // Once the daemon has answered the impostor it has routed its signal, so logind's comes
    // after it.
    ASSERT_GE(sd_bus_call_method(impostor, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "GetId", nullptr, nullptr, ""),
        0);
    emit(m_logind, false);
    ASSERT_TRUE(PrivateBus::until(m_logind, [] { return !g_power_events.empty(); }));
    EXPECT_EQ(g_power_events, (std::vector<WPARAM> { 18 }));
    sd_bus_flush_close_unref(impostor);
}

TEST_F(SleepWatchTest, TheMachineWaitsForTheSuspendBroadcastThroughADelayLock)
{
    ASSERT_GE(sd_bus_request_name(m_logind, "org.freedesktop.login1", 0), 0);
    DelayLocks locks(m_logind);
    std::string error;
    auto watch = SleepWatch::start(m_bus.address(), error);
    ASSERT_NE(watch, nullptr) << error;
    ASSERT_TRUE(PrivateBus::until(m_logind, [&] { return watch->watching() && locks.kept.size() == 1; }));
    EXPECT_EQ(locks.asked[0], "sleep delay");
    EXPECT_FALSE(locks.released(0));

    bool held_while_handled = false;
    g_on_power = [&](WPARAM event) {
        if (event == PBT_APMSUSPEND)
            held_while_handled = !locks.released(0);
    };
    emit(m_logind, true);
    ASSERT_TRUE(PrivateBus::until(m_logind, [&] { return g_power_events.size() == 1 && locks.released(0); }));
    EXPECT_TRUE(held_while_handled) << "the lock goes only once the windows have handled the suspend";

    // On waking the lock is taken again, for the next sleep.
    emit(m_logind, false);
    ASSERT_TRUE(PrivateBus::until(m_logind, [&] { return g_power_events.size() == 2 && locks.kept.size() == 2; }));
    EXPECT_FALSE(locks.released(1));
    watch.reset();
    // The lock may still have been on its way to the watch, held by the bus daemon, which
    // closes it once the watch's connection is gone.
    EXPECT_TRUE(PrivateBus::until(m_logind, [&] { return locks.released(1); })) << "an ended watch holds no lock";
}

TEST_F(SleepWatchTest, NoBusNoWatch)
{
    std::string error;
    auto watch = SleepWatch::start("unix:path=/nonexistent/zorvel-bus/socket", error);
    EXPECT_EQ(watch, nullptr);
    EXPECT_NE(error.find("no system bus"), std::string::npos) << error;
}
