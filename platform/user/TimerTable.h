// The timers of one thread. A timer is due at a time on the platform clock; when its
// WM_TIMER is taken, the next due time counts from that moment, so ticks missed during a
// long handler never pile up.
#pragma once

#include "platform/user/Types.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::user {

class TimerTable {
public:
    // Arms or re-arms (hwnd, id). Returns the id, a new one when hwnd is null and id unknown.
    UINT_PTR set(HWND hwnd, UINT_PTR id, UINT period_ms, TIMERPROC proc);
    bool kill(HWND hwnd, UINT_PTR id);
    void kill_all(HWND hwnd);
    void clear() { m_timers.clear(); }

    // The due timer that has waited longest, as a WM_TIMER message; with `remove`, its next
    // due time is set from now.
    std::optional<MSG> take_due(HWND filter, bool remove);
    // The earliest due time, if any timer is armed.
    std::optional<std::uint64_t> next_due() const;
    // When a waiting thread should wake for its timers. On the system clock, timers falling due
    // within kCoalesceMs of the earliest are served by one wake-up at the last of them (a
    // timer runs at most that late, as on a system whose timers expire on its clock tick);
    // several windows animating on one period then cost one wake-up per period, not one
    // each. The manual clock of tests wakes at the earliest, exactly.
    std::optional<std::uint64_t> wake_time() const;
    static constexpr std::uint64_t kCoalesceMs = 16;
    size_t size() const { return m_timers.size(); }
    // The period of (hwnd, id) while it is armed.
    std::optional<UINT> period_of(HWND hwnd, UINT_PTR id) const;

private:
    struct Timer {
        HWND hwnd;
        UINT_PTR id;
        UINT period;
        TIMERPROC proc;
        std::uint64_t due;
        std::uint64_t sequence;
    };
    std::vector<Timer> m_timers;
    std::uint64_t m_sequence {};
    UINT_PTR m_next_thread_timer_id { 0x7FFF };
};

}
