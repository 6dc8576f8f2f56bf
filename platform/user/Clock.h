// The one platform clock. Every tick count, timer, Sleep and time of day reads it. Normal runs
// use the system clock; tests install a manual clock and move time themselves, so no test
// waits in real time.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes back.
    virtual std::uint64_t now_ms() const = 0;
    // Microseconds since 1970-01-01 UTC.
    virtual std::int64_t unix_time_us() const = 0;
    // Minutes to add to UTC to get local time.
    virtual int local_offset_minutes() const = 0;
    // Blocks the calling thread until now_ms() >= deadline.
    virtual void sleep_until(std::uint64_t deadline_ms) = 0;
    virtual bool is_manual() const = 0;
};

// Time as the operating system tells it.
class SystemClock final : public Clock {
public:
    std::uint64_t now_ms() const override;
    std::int64_t unix_time_us() const override;
    int local_offset_minutes() const override;
    void sleep_until(std::uint64_t deadline_ms) override;
    bool is_manual() const override { return false; }
};

// Time that moves only when told to. It starts at a fixed date in UTC, so tests that print
// times are repeatable. sleep_until on the thread that drives the clock (the one that created
// it) moves the clock itself, since nobody else would; other threads wait for the driver.
class ManualClock final : public Clock {
public:
    ManualClock();
    std::uint64_t now_ms() const override { return m_now_ms.load(); }
    std::int64_t unix_time_us() const override;
    int local_offset_minutes() const override { return m_local_offset_minutes; }
    void sleep_until(std::uint64_t deadline_ms) override;
    bool is_manual() const override { return true; }

    void advance(std::uint64_t ms);
    void set_unix_time_us(std::int64_t us);
    void set_local_offset_minutes(int minutes) { m_local_offset_minutes = minutes; }

private:
    std::atomic<std::uint64_t> m_now_ms { 1'000'000 };
    std::atomic<std::int64_t> m_epoch_us;
    int m_local_offset_minutes { 0 };
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread::id m_driver;
};

Clock& clock();
// Installs a clock for the whole process; pass nullptr to go back to the system clock.
void set_clock(std::shared_ptr<Clock> clock);
// The installed manual clock, or nullptr when time is real.
ManualClock* manual_clock();

// Calls `listener` whenever a manual clock moves or another clock is installed, so that a
// thread sleeping until a time of the clock (on a condition of its own) can look again.
// Listeners run on the thread that moved the clock; once remove_clock_listener returns, the
// listener is not running and never runs again.
int add_clock_listener(std::function<void()> listener);
void remove_clock_listener(int id);

}
