// What each outside-library stand-in runs on: the simulated world with its store and the live
// command log, the window and callback the program registered, and the library's own thread,
// which delivers every callback event, posted message and finished scan in the order the world
// produced them. Each stand-in holds one host for its role and is given only what the world
// addresses to its program.
// The thread sleeps until the world's next step is due, for ever when none is; whatever may
// bring a step nearer wakes it: a call that scheduled one sooner, a letter from wlansim that
// the live log grew, a manual clock that moved. One lock guards the world; it is never held
// while the program is called back.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Callback.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/PublishedLink.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wlan::sim {

class LibraryHost {
public:
    // The one instance; started on first use, stopped by VXWL_DeInitial.
    static LibraryHost& get();
    static void shut_down();
    // Which program's messages this library delivers; set before the first get().
    static void set_role(Audience role);
    // Called under the lock each time the world was brought up to date, from a call or from
    // the library's thread; a stand-in publishes what others should see of its world there.
    using Observer = void (*)(World& world, Store& store, std::uint64_t now);
    static void set_observer(Observer observer);

    ~LibraryHost();

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
            LibraryHost& self;
            ~Flush()
            {
                self.collect_locked();
                self.wake_if_sooner_locked();
            }
        } flush { *this };
        return fn(*m_world, now());
    }

    void add_scan_waiter(ScanFinishedFunc finished);
    sim::Store& store() { return *m_store; }
    static std::uint64_t now();
    // The folder this library was loaded from, without a trailing separator.
    static std::string library_folder();

    // Returns once everything due at the current time has been delivered and the library's
    // thread sleeps again. Tests call it after moving the manual clock; it waits for the
    // thread, never for time to pass.
    void settle();
    // How often the library's thread has woken; tests count them.
    std::uint64_t wakeups();
    // How often the live log was opened to look for new lines; tests count them.
    std::uint64_t live_reads();

private:
    LibraryHost(Audience role, Observer observer);
    void sync_locked();
    void collect_locked();
    // Lists the selected adapter with its current address among the system's adapters.
    void publish_locked(std::uint64_t now);
    void deliver_callback(rsCallBackFunc callback, sim::Outgoing const& o);
    void run();
    void sleep_locked(std::unique_lock<std::mutex>& lock);
    void poke();
    void on_live_letter();
    void wake_if_sooner_locked();
    void deliver(std::vector<sim::Outgoing> const& batch);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    Audience m_role;
    Observer m_observer;
    std::unique_ptr<sim::Store> m_store;
    std::unique_ptr<sim::World> m_world;
    std::unique_ptr<sim::LiveLog> m_live;
    // The station's link as the diagnostics stand-ins read it from the store.
    sim::LinkPublisher m_link_publisher;
    std::string m_published;
    std::string m_published_name;
    HWND m_hwnd { nullptr };
    rsCallBackFunc m_callback { nullptr };
    std::vector<ScanFinishedFunc> m_scan_waiters;
    std::deque<sim::Outgoing> m_outbox;
    bool m_delivering { false };
    bool m_stop { false };
    bool m_poked { false };
    // When the sleeping thread means to wake: 0 while it is awake, the maximum when nothing is due.
    std::uint64_t m_sleeping_until { 0 };
    std::uint64_t m_wakeups { 0 };
    int m_clock_listener { 0 };
    int m_live_letters { 0 };
    std::thread m_thread;
};

}
