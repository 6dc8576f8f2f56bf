#include "platform/user/Clock.h"

#include "platform/user/MessageQueue.h"

#include <ctime>
#include <map>
#include <thread>
#include <vector>

namespace platform {

namespace {

// Clocks are never freed once installed: a thread may still hold a reference to the previous
// one while a test installs the next.
struct Installed {
    std::mutex mutex;
    std::vector<std::shared_ptr<Clock>> all { std::make_shared<SystemClock>() };
    std::atomic<Clock*> current { all.front().get() };
};

Installed& installed()
{
    static Installed state;
    return state;
}

struct Listeners {
    std::mutex mutex;
    int next_id { 1 };
    std::map<int, std::function<void()>> all;
};

Listeners& listeners()
{
    // Never destroyed: a library torn down among the process's static objects at exit still
    // removes its entry after this table's own end would have come.
    static Listeners* const state = new Listeners;
    return *state;
}

// Under the lock, so that a listener being removed is never running.
void tell_listeners()
{
    auto& state = listeners();
    std::lock_guard lock(state.mutex);
    for (auto const& [id, listener] : state.all)
        listener();
}

// 2026-01-05 09:00:00 UTC, a Monday: a fixed, ordinary moment for tests.
constexpr std::int64_t manual_start_unix_us = 1767603600LL * 1'000'000;

}

std::uint64_t SystemClock::now_ms() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t SystemClock::unix_time_us() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

int SystemClock::local_offset_minutes() const
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return static_cast<int>(local.tm_gmtoff / 60);
}

void SystemClock::sleep_until(std::uint64_t deadline_ms)
{
    std::uint64_t now = now_ms();
    if (deadline_ms > now)
        std::this_thread::sleep_for(std::chrono::milliseconds(deadline_ms - now));
}

ManualClock::ManualClock()
    : m_epoch_us(manual_start_unix_us)
    , m_driver(std::this_thread::get_id())
{
}

std::int64_t ManualClock::unix_time_us() const
{
    return m_epoch_us.load() + static_cast<std::int64_t>(m_now_ms.load() - 1'000'000) * 1000;
}

void ManualClock::set_unix_time_us(std::int64_t us)
{
    m_epoch_us = us - static_cast<std::int64_t>(m_now_ms.load() - 1'000'000) * 1000;
}

void ManualClock::advance(std::uint64_t ms)
{
    {
        std::lock_guard lock(m_mutex);
        m_now_ms += ms;
    }
    m_changed.notify_all();
    // Blocked message loops re-check their timers against the new time.
    user::MessageQueue::wake_all();
    tell_listeners();
}

void ManualClock::sleep_until(std::uint64_t deadline_ms)
{
    if (std::this_thread::get_id() == m_driver) {
        if (deadline_ms > now_ms())
            advance(deadline_ms - now_ms());
        return;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_now_ms.load() >= deadline_ms; });
}

Clock& clock()
{
    return *installed().current.load();
}

void set_clock(std::shared_ptr<Clock> clock)
{
    if (!clock)
        clock = std::make_shared<SystemClock>();
    auto& state = installed();
    {
        std::lock_guard lock(state.mutex);
        state.current = clock.get();
        state.all.push_back(std::move(clock));
    }
    user::MessageQueue::wake_all();
    tell_listeners();
}

ManualClock* manual_clock()
{
    return dynamic_cast<ManualClock*>(&clock());
}

int add_clock_listener(std::function<void()> listener)
{
    auto& state = listeners();
    std::lock_guard lock(state.mutex);
    int const id = state.next_id++;
    state.all.emplace(id, std::move(listener));
    return id;
}

void remove_clock_listener(int id)
{
    auto& state = listeners();
    std::lock_guard lock(state.mutex);
    state.all.erase(id);
}

}
