// The state of the station library stand-in: the simulated world with its store, the window
// and callback the program registered, and the library's own thread, which delivers every
// callback event, posted message and finished scan in the order the world produced them.
// One lock guards the world; it is never held while the program is called back.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Callback.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace wlan::vxwl {

class Library {
public:
    // The one instance; started on first use, stopped by VXWL_DeInitial.
    static Library& get();
    static void shut_down();

    ~Library();

    void set_window(HWND hwnd);
    void set_callback(rsCallBackFunc callback);

    // Runs `fn` on the world under the lock, after bringing the world up to the current time
    // and the live commands; whatever the world then has to tell goes to the library's thread.
    template<typename F>
    auto with_world(F&& fn)
    {
        std::unique_lock lock(m_mutex);
        sync_locked();
        struct Flush {
            Library& self;
            ~Flush() { self.collect_locked(); }
        } flush { *this };
        return fn(*m_world, now());
    }

    void add_scan_waiter(ScanFinishedFunc finished);
    sim::Store& store() { return *m_store; }
    static std::uint64_t now();

    // Returns once everything due at the current time has been delivered. Tests call it after
    // moving the manual clock; it waits for the library's thread, never for time to pass.
    void settle();

private:
    Library();
    void sync_locked();
    void collect_locked();
    void run();
    void deliver(std::vector<sim::Outgoing> const& batch);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::unique_ptr<sim::Store> m_store;
    std::unique_ptr<sim::World> m_world;
    std::unique_ptr<sim::LiveLog> m_live;
    HWND m_hwnd { nullptr };
    rsCallBackFunc m_callback { nullptr };
    std::vector<ScanFinishedFunc> m_scan_waiters;
    std::deque<sim::Outgoing> m_outbox;
    bool m_delivering { false };
    bool m_stop { false };
    std::thread m_thread;
};

}
