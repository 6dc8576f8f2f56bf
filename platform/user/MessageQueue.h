// The message queue of one thread: messages posted to it and messages sent to it from other
// threads, which it handles whenever it looks for messages or itself waits in a send.
// Paints and timers are not queued: the loop produces WM_PAINT and WM_TIMER when nothing
// else is waiting (see MessageLoop.cpp).
#pragma once

#include "platform/user/TimerTable.h"
#include "platform/user/User.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace platform::user {

// A message sent from another thread, waiting for its receiver.
struct SentMessage {
    HWND hwnd {};
    UINT message {};
    WPARAM wparam {};
    LPARAM lparam {};
    // Set instead of hwnd for work marshalled onto the receiving thread.
    std::function<LRESULT()> call;
    LRESULT result {};
    bool done {};
    bool failed {};
    // The sender's queue, told when the message is done.
    std::weak_ptr<class MessageQueue> sender;
};

class MessageQueue {
public:
    explicit MessageQueue(DWORD thread_id);

    // The calling thread's queue, made on first use.
    static MessageQueue& current();
    static std::shared_ptr<MessageQueue> current_shared();
    // The queue of a thread, or null when it never made one or has ended.
    static std::shared_ptr<MessageQueue> of_thread(DWORD thread_id);
    // The user-interface thread's queue, kept for the whole process once made.
    static MessageQueue* ui();
    static void set_ui(std::shared_ptr<MessageQueue> queue);
    // Wakes every blocked loop to look again (the manual clock moved, a paint was asked for).
    static void wake_all();

    DWORD thread_id() const { return m_thread_id; }
    bool post(MSG const& msg);
    void post_quit(int exit_code);
    // Sends from another thread and blocks until this queue's thread has handled the message.
    // The waiting thread keeps handling messages sent to itself meanwhile.
    bool send_and_wait(std::shared_ptr<SentMessage> const& sent);
    // Queues a sent message (or call) that nobody waits for; false once the queue has ended.
    bool send_later(std::shared_ptr<SentMessage> const& sent);

    // Handles every message sent from other threads that is waiting. Owning thread only.
    void handle_incoming_sends();
    // Takes the first posted message matching the filter; WM_QUIT once nothing else matches.
    bool take_posted(MSG& out, HWND filter, UINT min, UINT max, bool remove);
    void clear();
    // Blocks until something arrives, or until `deadline_ms` on the platform clock passes
    // (no deadline when 0). Take the ticket before looking for messages: a wake-up that
    // comes between the look and the wait then ends the wait at once.
    std::uint64_t wake_ticket();
    void wait(std::uint64_t deadline_ms, std::uint64_t ticket);
    void wake();
    // Ends the queue: waiting senders fail, later posts and sends are refused.
    void close();

    bool in_send() const { return m_in_send_depth > 0; }
    bool has_posted();
    TimerTable& timers() { return m_timers; }

private:
    void complete(std::shared_ptr<SentMessage> const& sent, LRESULT result, bool failed);

    DWORD m_thread_id;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<MSG> m_posted;
    // Posted messages already moved out of m_posted by the owning thread, oldest first: the
    // owner takes them in batches, so posting threads rarely meet it on the lock.
    std::deque<MSG> m_taken;
    std::deque<std::shared_ptr<SentMessage>> m_incoming;
    // Lets the owner skip the lock when nobody sent anything.
    std::atomic<bool> m_has_incoming { false };
    bool m_quit {};
    int m_quit_code {};
    bool m_closed {};
    std::uint64_t m_wake_count {};
    // Threads blocked in wait() or send_and_wait() on this queue: posts notify only then.
    int m_waiters {};
    int m_in_send_depth {};
    TimerTable m_timers;
};

// Calls the window procedure of a live window, keeping the window record alive meanwhile.
LRESULT call_window(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

}
