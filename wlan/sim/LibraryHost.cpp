#include "wlan/sim/LibraryHost.h"

#include "platform/system/Network.h"
#include "platform/system/ProcessLetters.h"
#include "platform/user/Clock.h"
#include "platform/user/User.h"
#include "wlan/sim/LogonDomain.h"
#include "wlan/sim/ZeroConfig.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <limits>

namespace wlan::sim {

namespace {

std::mutex g_instance_mutex;
std::unique_ptr<LibraryHost> g_instance;
Audience g_role { Audience::Station };
LibraryHost::Observer g_observer { nullptr };

// This library's own file, found from an address inside it.
std::string library_file()
{
    Dl_info info {};
    if (::dladdr(reinterpret_cast<void*>(&library_file), &info) && info.dli_fname)
        return info.dli_fname;
    return "./library";
}

// VXSIM_SCENARIO, else "scenarios/default.ini" beside this library.
std::string scenario_path()
{
    if (char const* env = std::getenv("VXSIM_SCENARIO"); env && *env)
        return env;
    return LibraryHost::library_folder() + "/scenarios/default.ini";
}

}

// Its destructor is registered once the first host exists, so it runs before the destructors
// of everything made until then, and it belongs to this library like any of its statics.
namespace {
struct ShutDownAtExit {
    ~ShutDownAtExit() { LibraryHost::shut_down(); }
};
}

LibraryHost& LibraryHost::get()
{
    std::lock_guard lock(g_instance_mutex);
    if (!g_instance) {
        g_instance.reset(new LibraryHost(g_role, g_observer));
        // A program that ends without VXWL_DeInitial: the host goes at exit (or when this
        // library is unloaded) before the platform's tables it registered in, which were made
        // while it was built; this library's own statics would go only after them.
        static ShutDownAtExit const at_exit;
    }
    return *g_instance;
}

void LibraryHost::set_role(Audience role)
{
    std::lock_guard lock(g_instance_mutex);
    g_role = role;
}

void LibraryHost::set_observer(Observer observer)
{
    std::lock_guard lock(g_instance_mutex);
    g_observer = observer;
}

void LibraryHost::shut_down()
{
    std::unique_ptr<LibraryHost> gone;
    {
        std::lock_guard lock(g_instance_mutex);
        gone = std::move(g_instance);
    }
}

std::uint64_t LibraryHost::now() { return platform::clock().now_ms(); }

std::string LibraryHost::library_folder()
{
    std::string const file = library_file();
    auto const slash = file.find_last_of('/');
    return slash == std::string::npos ? "." : file.substr(0, slash);
}

LibraryHost::LibraryHost(Audience role, Observer observer)
    : m_role(role)
    , m_observer(observer)
{
    m_store = std::make_unique<sim::Store>(sim::Store::default_folder());
    std::string const path = scenario_path();
    auto scenario = sim::load_scenario(path);
    std::string name = library_file();
    name = name.substr(name.find_last_of('/') + 1);
    for (auto const& e : scenario.errors)
        std::fprintf(stderr, "%s: %s: %s\n", name.c_str(), path.c_str(), e.c_str());
    m_store->write_text("scenario.path", path);
    m_world = std::make_unique<sim::World>(scenario.world, m_store.get(), now());
    if (m_role == Audience::Station) {
        register_logon_domain(scenario.world);
        seed_zero_config(*m_store, scenario.world);
    }
    m_live = std::make_unique<sim::LiveLog>(*m_store);
    // The mailbox listens before the log is first read, so no line added later goes unnoticed.
    m_live_letters = platform::system::add_topic_handler(sim::live_log_topic, [this] { on_live_letter(); });
    m_clock_listener = platform::add_clock_listener([this] { poke(); });
    m_live->apply_new(*m_world, now());
    // The log's past commands leave their state; their messages were for the programs that
    // ran then (an exit request must not end every later start).
    m_world->take_outgoing();
    m_thread = std::thread([this] { run(); });
}

LibraryHost::~LibraryHost()
{
    platform::system::remove_topic_handler(m_live_letters);
    platform::remove_clock_listener(m_clock_listener);
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (!m_published_name.empty())
        platform::system::withdraw_adapter(m_published_name);
}

void LibraryHost::set_window(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_hwnd = hwnd;
}

void LibraryHost::set_callback(rsCallBackFunc callback)
{
    std::lock_guard lock(m_mutex);
    m_callback = callback;
}

void LibraryHost::add_scan_waiter(ScanFinishedFunc finished)
{
    if (!finished)
        return;
    std::lock_guard lock(m_mutex);
    m_scan_waiters.push_back(finished);
}

void LibraryHost::sync_locked()
{
    std::uint64_t const t = now();
    m_live->apply_new(*m_world, t);
    m_world->advance(t);
    if (m_role == Audience::Station)
        m_link_publisher.update(*m_world, *m_store, t);
    if (m_role == Audience::Station)
        publish_locked(t);
}

void LibraryHost::publish_locked(std::uint64_t now)
{
    sim::AdapterSpec const* adapter = m_world->selected_adapter();
    if (!adapter)
        return;
    std::string const address = m_world->address_text(now);
    std::string const key = adapter->id + "|" + address;
    if (key == m_published)
        return;
    m_published = key;
    m_published_name = adapter->friendly_name;
    BYTE mac[6];
    std::copy(adapter->mac.begin(), adapter->mac.end(), mac);
    platform::system::publish_adapter(adapter->friendly_name, adapter->description, mac, address);
}

void LibraryHost::collect_locked()
{
    if (m_observer)
        m_observer(*m_world, *m_store, now());
    auto out = m_world->take_outgoing();
    if (out.empty())
        return;
    m_outbox.insert(m_outbox.end(), out.begin(), out.end());
    m_poked = true;
    m_wake.notify_all();
}

void LibraryHost::poke()
{
    {
        std::lock_guard lock(m_mutex);
        m_poked = true;
    }
    m_wake.notify_all();
}

// The log grew. A tool of another version may not have raised the log's change counter, so
// the thread reads the log whatever the counter says.
void LibraryHost::on_live_letter()
{
    {
        std::lock_guard lock(m_mutex);
        m_live->look_again();
        m_poked = true;
    }
    m_wake.notify_all();
}

// A call may have scheduled a step before the one the thread sleeps until.
void LibraryHost::wake_if_sooner_locked()
{
    if (m_sleeping_until == 0)
        return;
    if (auto due = m_world->next_due(); due && *due < m_sleeping_until) {
        m_poked = true;
        m_wake.notify_all();
    }
}

// Until the world's next step is due, or until poked. A manual clock moves only when a test
// moves it, and its listener pokes the thread then; nothing is due in real time.
void LibraryHost::sleep_locked(std::unique_lock<std::mutex>& lock)
{
    auto const due = m_world->next_due();
    m_sleeping_until = due ? *due : std::numeric_limits<std::uint64_t>::max();
    auto const woken = [&] { return m_poked || m_stop; };
    if (!due || platform::clock().is_manual()) {
        m_wake.wait(lock, woken);
    } else {
        std::uint64_t const t = now();
        m_wake.wait_for(lock, std::chrono::milliseconds(*due > t ? *due - t : 0), woken);
    }
    m_poked = false;
    m_sleeping_until = 0;
    ++m_wakeups;
}

std::uint64_t LibraryHost::wakeups()
{
    std::lock_guard lock(m_mutex);
    return m_wakeups;
}

std::uint64_t LibraryHost::live_reads()
{
    std::lock_guard lock(m_mutex);
    return m_live->reads();
}

// The library's thread: brings the world up to time, then delivers what came out, without
// the lock, and sleeps until there is more to do.
void LibraryHost::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        sync_locked();
        collect_locked();
        // Whatever poked the thread until now is seen to by this look.
        m_poked = false;
        if (!m_outbox.empty()) {
            std::vector<sim::Outgoing> batch(m_outbox.begin(), m_outbox.end());
            m_outbox.clear();
            m_delivering = true;
            lock.unlock();
            deliver(batch);
            lock.lock();
            m_delivering = false;
            continue;
        }
        m_idle.notify_all();
        sleep_locked(lock);
    }
    m_idle.notify_all();
}

void LibraryHost::deliver(std::vector<sim::Outgoing> const& batch)
{
    for (auto const& o : batch) {
        if (o.audience != Audience::Both && o.audience != m_role)
            continue;
        HWND hwnd;
        rsCallBackFunc callback;
        std::vector<ScanFinishedFunc> waiters;
        {
            std::lock_guard lock(m_mutex);
            hwnd = m_hwnd;
            callback = m_callback;
            if (o.kind == sim::Outgoing::Kind::ScanDone)
                waiters.swap(m_scan_waiters);
        }
        switch (o.kind) {
        case sim::Outgoing::Kind::Callback:
            if (callback)
                deliver_callback(callback, o);
            break;
        case sim::Outgoing::Kind::Post:
            if (hwnd)
                ::PostMessage(hwnd, o.code, static_cast<WPARAM>(o.wparam), static_cast<LPARAM>(o.lparam));
            break;
        case sim::Outgoing::Kind::ScanDone:
            for (auto* finished : waiters)
                finished();
            break;
        }
    }
}

// Events 20 and 23 ask the program for something: what it wrote into `out` goes back to the
// world, which waits for it.
void LibraryHost::deliver_callback(rsCallBackFunc callback, sim::Outgoing const& o)
{
    char out[RS_CALLBACK_OUT_SIZE] = {};
    std::vector<std::uint8_t> data = o.data;
    callback(o.code, data.empty() ? nullptr : data.data(), out);
    if (o.code != RS_CBS_CHANGE_PASSWORD_REQUEST && o.code != RS_CBS_FAST_LOAD_PAC)
        return;
    std::string const answer(out, ::strnlen(out, sizeof out - 1));
    with_world([&](sim::World& w, std::uint64_t t) { w.callback_answered(o.code, answer, t); });
}

void LibraryHost::settle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [&] {
        if (m_stop)
            return true;
        sync_locked();
        collect_locked();
        // The thread asleep with nothing left to look at.
        return m_outbox.empty() && !m_delivering && !m_poked && m_sleeping_until != 0;
    });
}

}
