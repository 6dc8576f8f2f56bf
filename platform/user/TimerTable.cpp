#include "platform/user/TimerTable.h"

#include "platform/user/Clock.h"
#include "platform/user/User.h"

#include <algorithm>

namespace platform::user {

UINT_PTR TimerTable::set(HWND hwnd, UINT_PTR id, UINT period_ms, TIMERPROC proc)
{
    UINT period = std::max(period_ms, USER_TIMER_MINIMUM);
    std::uint64_t due = clock().now_ms() + period;
    for (auto& t : m_timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.period = period;
            t.proc = proc;
            t.due = due;
            t.sequence = ++m_sequence;
            return id;
        }
    }
    if (!hwnd && id == 0)
        id = ++m_next_thread_timer_id;
    m_timers.push_back({ hwnd, id, period, proc, due, ++m_sequence });
    return id;
}

bool TimerTable::kill(HWND hwnd, UINT_PTR id)
{
    auto it = std::find_if(m_timers.begin(), m_timers.end(), [&](Timer const& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

std::optional<UINT> TimerTable::period_of(HWND hwnd, UINT_PTR id) const
{
    for (auto const& t : m_timers)
        if (t.hwnd == hwnd && t.id == id)
            return t.period;
    return std::nullopt;
}

void TimerTable::kill_all(HWND hwnd)
{
    std::erase_if(m_timers, [&](Timer const& t) { return t.hwnd == hwnd; });
}

std::optional<MSG> TimerTable::take_due(HWND filter, bool remove)
{
    std::uint64_t now = clock().now_ms();
    Timer* best = nullptr;
    for (auto& t : m_timers) {
        if (t.due > now || (filter && t.hwnd != filter))
            continue;
        if (!best || t.due < best->due || (t.due == best->due && t.sequence < best->sequence))
            best = &t;
    }
    if (!best)
        return std::nullopt;
    MSG msg { best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), static_cast<DWORD>(now), {} };
    if (remove)
        best->due = now + best->period;
    return msg;
}

std::optional<std::uint64_t> TimerTable::next_due() const
{
    std::optional<std::uint64_t> earliest;
    for (auto const& t : m_timers) {
        if (!earliest || t.due < *earliest)
            earliest = t.due;
    }
    return earliest;
}

std::optional<std::uint64_t> TimerTable::wake_time() const
{
    auto earliest = next_due();
    if (!earliest || clock().is_manual())
        return earliest;
    std::uint64_t wake = *earliest;
    for (auto const& t : m_timers) {
        if (t.due > wake && t.due <= *earliest + kCoalesceMs)
            wake = t.due;
    }
    return wake;
}

}
