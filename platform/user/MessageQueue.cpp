#include "platform/user/MessageQueue.h"

#include "platform/user/Clock.h"
#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

#include <atomic>
#include <chrono>
#include <iterator>
#include <unordered_map>

namespace platform::user {

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<DWORD, std::shared_ptr<MessageQueue>> queues;
};

Registry& registry()
{
    static Registry* r = new Registry; // outlives every thread's exit handler
    return *r;
}

// Closes and forgets the thread's queue when the thread ends.
struct QueueHolder {
    std::shared_ptr<MessageQueue> queue;
    ~QueueHolder()
    {
        if (!queue)
            return;
        queue->close();
        auto& r = registry();
        std::lock_guard lock(r.mutex);
        r.queues.erase(queue->thread_id());
    }
};

thread_local QueueHolder t_holder;

// Posting to the user-interface thread is the hot path: its queue is reached without a look-up
// and lives as long as the process, so a pointer to it never dangles.
std::atomic<MessageQueue*> g_ui_queue { nullptr };

bool in_range(UINT message, UINT min, UINT max)
{
    return (min == 0 && max == 0) || (message >= min && message <= max);
}

bool matches_window(HWND msg_hwnd, HWND filter)
{
    if (!filter || msg_hwnd == filter)
        return true;
    return msg_hwnd && IsChild(filter, msg_hwnd);
}

}

MessageQueue::MessageQueue(DWORD thread_id)
    : m_thread_id(thread_id)
{
}

std::shared_ptr<MessageQueue> MessageQueue::current_shared()
{
    if (!t_holder.queue) {
        auto queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
        auto& r = registry();
        std::lock_guard lock(r.mutex);
        r.queues[queue->thread_id()] = queue;
        t_holder.queue = queue;
    }
    return t_holder.queue;
}

MessageQueue* MessageQueue::ui()
{
    return g_ui_queue.load(std::memory_order_acquire);
}

void MessageQueue::set_ui(std::shared_ptr<MessageQueue> queue)
{
    // Never destroyed: threads that outlive main (signal watchers, library threads) may
    // still post to it while the process exits.
    static auto* kept = new std::shared_ptr<MessageQueue>;
    if (g_ui_queue.load())
        return;
    *kept = queue;
    g_ui_queue.store(queue.get(), std::memory_order_release);
}

MessageQueue& MessageQueue::current()
{
    if (!t_holder.queue)
        current_shared();
    return *t_holder.queue;
}

std::shared_ptr<MessageQueue> MessageQueue::of_thread(DWORD thread_id)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.queues.find(thread_id);
    return it == r.queues.end() ? nullptr : it->second;
}

void MessageQueue::wake_all()
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    for (auto& [id, queue] : r.queues)
        queue->wake();
}

bool MessageQueue::post(MSG const& msg)
{
    bool waiting;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return false;
        m_posted.push_back(msg);
        waiting = m_waiters > 0;
    }
    if (waiting)
        m_arrived.notify_all();
    return true;
}

void MessageQueue::post_quit(int exit_code)
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_quit_code = exit_code;
    }
    m_arrived.notify_all();
}

bool MessageQueue::send_and_wait(std::shared_ptr<SentMessage> const& sent)
{
    auto mine = current_shared();
    sent->sender = mine;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return false;
        m_incoming.push_back(sent);
        m_has_incoming = true;
    }
    m_arrived.notify_all();
    before_block();
    for (;;) {
        mine->handle_incoming_sends();
        std::unique_lock lock(mine->m_mutex);
        if (sent->done)
            return !sent->failed;
        if (mine->m_incoming.empty()) {
            ++mine->m_waiters;
            mine->m_arrived.wait(lock);
            --mine->m_waiters;
        }
    }
}

bool MessageQueue::send_later(std::shared_ptr<SentMessage> const& sent)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return false;
        m_incoming.push_back(sent);
        m_has_incoming = true;
    }
    m_arrived.notify_all();
    return true;
}

void MessageQueue::complete(std::shared_ptr<SentMessage> const& sent, LRESULT result, bool failed)
{
    auto sender = sent->sender.lock();
    if (!sender)
        return;
    {
        std::lock_guard lock(sender->m_mutex);
        sent->result = result;
        sent->failed = failed;
        sent->done = true;
    }
    sender->m_arrived.notify_all();
}

void MessageQueue::handle_incoming_sends()
{
    while (m_has_incoming.load(std::memory_order_acquire)) {
        std::shared_ptr<SentMessage> sent;
        {
            std::lock_guard lock(m_mutex);
            if (m_incoming.empty()) {
                m_has_incoming = false;
                return;
            }
            sent = m_incoming.front();
            m_incoming.pop_front();
            m_has_incoming = !m_incoming.empty();
        }
        ++m_in_send_depth;
        LRESULT result = 0;
        bool failed = false;
        if (sent->call) {
            result = sent->call();
        } else if (WindowTable::the().get(sent->hwnd)) {
            result = call_window(sent->hwnd, sent->message, sent->wparam, sent->lparam);
        } else {
            trace("Receiver gone, send of message 0x%x to %p fails", sent->message, static_cast<void*>(sent->hwnd));
            failed = true;
        }
        --m_in_send_depth;
        complete(sent, result, failed);
    }
}

bool MessageQueue::take_posted(MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    bool const any = !filter && min == 0 && max == 0;
    if (any && !m_taken.empty()) {
        out = m_taken.front();
        if (remove)
            m_taken.pop_front();
        return true;
    }
    std::lock_guard lock(m_mutex);
    std::move(m_posted.begin(), m_posted.end(), std::back_inserter(m_taken));
    m_posted.clear();
    for (auto it = m_taken.begin(); it != m_taken.end(); ++it) {
        if (!in_range(it->message, min, max) || !matches_window(it->hwnd, filter))
            continue;
        out = *it;
        if (remove)
            m_taken.erase(it);
        return true;
    }
    if (m_quit && in_range(WM_QUIT, min, max)) {
        out = MSG { nullptr, WM_QUIT, static_cast<WPARAM>(m_quit_code), 0, GetTickCount(), {} };
        if (remove)
            m_quit = false;
        return true;
    }
    return false;
}

bool MessageQueue::has_posted()
{
    std::lock_guard lock(m_mutex);
    return !m_taken.empty() || !m_posted.empty() || !m_incoming.empty() || m_quit;
}

void MessageQueue::clear()
{
    std::lock_guard lock(m_mutex);
    m_posted.clear();
    m_taken.clear();
    m_quit = false;
    m_timers.clear();
}

std::uint64_t MessageQueue::wake_ticket()
{
    std::lock_guard lock(m_mutex);
    return m_wake_count;
}

void MessageQueue::wait(std::uint64_t deadline_ms, std::uint64_t ticket)
{
    before_block();
    Clock& time = clock();
    std::unique_lock lock(m_mutex);
    auto ready = [&] { return !m_posted.empty() || !m_incoming.empty() || m_quit || m_closed || m_wake_count != ticket; };
    if (ready())
        return;
    ++m_waiters;
    if (deadline_ms == 0 || time.is_manual()) {
        // A manual clock wakes every queue when it moves, so waiting for that is enough.
        if (deadline_ms == 0 || time.now_ms() < deadline_ms)
            m_arrived.wait(lock, ready);
    } else if (std::uint64_t now = time.now_ms(); now < deadline_ms) {
        m_arrived.wait_for(lock, std::chrono::milliseconds(deadline_ms - now), ready);
    }
    --m_waiters;
}

void MessageQueue::wake()
{
    {
        std::lock_guard lock(m_mutex);
        ++m_wake_count;
    }
    m_arrived.notify_all();
}

void MessageQueue::close()
{
    std::deque<std::shared_ptr<SentMessage>> pending;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        pending.swap(m_incoming);
        m_has_incoming = false;
    }
    for (auto& sent : pending)
        complete(sent, 0, true);
}

LRESULT call_window(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto window = WindowTable::the().find(hwnd);
    if (!window || !window->proc) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(hwnd, message, wparam, lparam);
}

}
