// One connection to a D-Bus message bus (sd-bus), with a thread of its own that serves it.
// The thread blocks in one poll() on the connection and a wake-up descriptor, with the
// connection's own time-out only while a call of ours awaits its reply, so an idle program
// never wakes for the bus. sd-bus is not thread-safe: the connection is touched only on that
// thread, in calls handed to it with post(). The thread never waits for the user-interface
// thread (handlers that need it use post_to_ui_thread), so the user-interface thread may end
// the connection at any time.
#pragma once

#include <systemd/sd-bus.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace platform::system {

enum class BusKind {
    Session, // the user's desktop session bus (tray)
    System,  // the machine's bus (logind)
};

class BusConnection {
public:
    using Call = std::function<void(sd_bus*)>;

    // Connects to the bus at `address` (a D-Bus address, as tests give their private bus),
    // or, when it is empty, to the usual bus of that kind. Null, with `error` set, when there
    // is no such bus.
    static std::unique_ptr<BusConnection> open(BusKind kind, std::string const& address, std::string& error);
    ~BusConnection();
    BusConnection(BusConnection const&) = delete;
    BusConnection& operator=(BusConnection const&) = delete;

    // Runs `call` on the bus thread, in order, without waiting; safe from any thread. Calls
    // queued before the connection is destroyed still run.
    void post(Call call);
    // Runs `call` on the bus thread and waits until it has run; never from the bus thread.
    // For a start-up question whose answer the caller needs (bound it by the call's own
    // time-out).
    void post_and_wait(Call call);
    // Told once, on the bus thread, when the bus ends the connection (the daemon went away).
    void on_lost(std::function<void()> lost);
    // False once the bus has ended the connection.
    bool connected() const { return m_connected; }

private:
    explicit BusConnection(sd_bus* bus);
    void run();
    void run_calls();
    bool dispatch();
    void wait();

    sd_bus* m_bus;
    int m_wake { -1 }; // an eventfd
    std::atomic<bool> m_quit { false };
    std::atomic<bool> m_connected { true };
    std::mutex m_mutex; // guards m_calls and m_lost
    std::deque<Call> m_calls;
    std::function<void()> m_lost;
    std::thread m_thread;
};

// Appends the error's text to a short description of what failed: "what: text".
std::string bus_error_text(char const* what, int code);

}
