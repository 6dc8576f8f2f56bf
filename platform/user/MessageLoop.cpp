// Taking messages in the usual order: messages sent from other threads first (handled on
// the spot), then posted messages, then WM_QUIT, then WM_PAINT, then WM_TIMER.
#include "platform/user/InputRouter.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Paint.h"
#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

#include <atomic>
#include <mutex>

namespace platform::user {

namespace {

// Both coordinates in one word, so any thread reads a consistent position without a lock.
std::atomic<std::uint64_t> g_cursor { 0 };
thread_local MSG t_last_message {};

MessageFilter& message_filter()
{
    static MessageFilter filter;
    return filter;
}

bool in_range(UINT message, UINT min, UINT max)
{
    return (min == 0 && max == 0) || (message >= min && message <= max);
}

bool next_message(MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    MessageQueue& queue = MessageQueue::current();
    queue.handle_incoming_sends();
    // Characters made by TranslateMessage come first, then posted messages, then input,
    // which is routed only when the loop reaches it.
    bool ui = on_ui_thread();
    if (ui && InputRouter::the().take_translated(out, filter, min, max, remove))
        return true;
    if (queue.take_posted(out, filter, min, max, remove))
        return true;
    if (ui && InputRouter::the().take_input(out, filter, min, max, remove))
        return true;
    if (in_range(WM_PAINT, min, max) && ui) {
        if (HWND target = find_paint_target(filter)) {
            out = MSG { target, WM_PAINT, 0, 0, GetTickCount(), cursor_position() };
            return true;
        }
    }
    if (in_range(WM_TIMER, min, max)) {
        if (auto timer = queue.timers().take_due(filter, remove)) {
            out = *timer;
            out.pt = cursor_position();
            return true;
        }
    }
    return false;
}

std::uint64_t wait_deadline(MessageQueue& queue)
{
    auto due = queue.timers().wake_time();
    return due ? *due : 0;
}

}

POINT cursor_position()
{
    std::uint64_t packed = g_cursor.load(std::memory_order_relaxed);
    return POINT { static_cast<LONG>(static_cast<std::uint32_t>(packed >> 32)), static_cast<LONG>(static_cast<std::uint32_t>(packed)) };
}

void set_cursor_position(POINT point)
{
    g_cursor.store((static_cast<std::uint64_t>(static_cast<std::uint32_t>(point.x)) << 32) | static_cast<std::uint32_t>(point.y),
        std::memory_order_relaxed);
}

void set_message_filter(MessageFilter filter)
{
    message_filter() = std::move(filter);
}

bool filter_message(MSG& msg)
{
    auto const& filter = message_filter();
    return filter && filter(msg);
}

bool pump_one()
{
    MSG msg;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        // Leave it for the loop that owns the program.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!filter_message(msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

}

using namespace platform;
using namespace platform::user;

extern "C" {

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove)
{
    MSG found;
    if (!next_message(found, hwnd, filter_min, filter_max, (remove & PM_REMOVE) != 0))
        return FALSE;
    t_last_message = found;
    if (msg)
        *msg = found;
    return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max)
{
    MessageQueue& queue = MessageQueue::current();
    for (;;) {
        std::uint64_t ticket = queue.wake_ticket();
        if (PeekMessage(msg, hwnd, filter_min, filter_max, PM_REMOVE))
            return msg->message != WM_QUIT;
        queue.wait(wait_deadline(queue), ticket);
    }
}

BOOL WaitMessage()
{
    MessageQueue& queue = MessageQueue::current();
    std::uint64_t ticket = queue.wake_ticket();
    if (PeekMessage(nullptr, nullptr, 0, 0, PM_NOREMOVE))
        return TRUE;
    queue.wait(wait_deadline(queue), ticket);
    return TRUE;
}

LRESULT DispatchMessage(MSG const* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    if (!WindowTable::the().find(msg->hwnd)) {
        trace("Receiver gone, drop message 0x%x to %p", msg->message, static_cast<void*>(msg->hwnd));
        return 0;
    }
    return call_window(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessagePos()
{
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(t_last_message.pt.x), static_cast<WORD>(t_last_message.pt.y)));
}

LONG GetMessageTime()
{
    return static_cast<LONG>(t_last_message.time);
}

}
