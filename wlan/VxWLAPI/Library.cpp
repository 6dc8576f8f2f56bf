#include "wlan/VxWLAPI/Library.h"

#include "platform/system/ProcessLetters.h"
#include "platform/user/Clock.h"
#include "platform/user/User.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <limits>

namespace wlan::vxwl {

namespace {

std::mutex g_instance_mutex;
std::unique_ptr<Library> g_instance;

// VXSIM_SCENARIO, else "scenarios/default.ini" beside this library.
std::string scenario_path()
{
    if (char const* env = std::getenv("VXSIM_SCENARIO"); env && *env)
        return env;
    Dl_info info {};
    std::string dir = ".";
    if (::dladdr(reinterpret_cast<void*>(&scenario_path), &info) && info.dli_fname) {
        dir = info.dli_fname;
        auto const slash = dir.find_last_of('/');
        dir = slash == std::string::npos ? "." : dir.substr(0, slash);
    }
    return dir + "/scenarios/default.ini";
}

}

Library& Library::get()
{
    std::lock_guard lock(g_instance_mutex);
    if (!g_instance)
        g_instance.reset(new Library());
    return *g_instance;
}

void Library::shut_down()
{
    std::unique_ptr<Library> gone;
    {
        std::lock_guard lock(g_instance_mutex);
        gone = std::move(g_instance);
    }
}

std::uint64_t Library::now() { return platform::clock().now_ms(); }

Library::Library()
{
    m_store = std::make_unique<sim::Store>(sim::Store::default_folder());
    std::string const path = scenario_path();
    auto scenario = sim::load_scenario(path);
    for (auto const& e : scenario.errors)
        std::fprintf(stderr, "VxWLAPI: %s: %s\n", path.c_str(), e.c_str());
    m_store->write_text("scenario.path", path);
    m_world = std::make_unique<sim::World>(scenario.world, m_store.get(), now());
    m_live = std::make_unique<sim::LiveLog>(*m_store);
    // The mailbox listens before the log is first read, so no line added later goes unnoticed.
    m_live_letters = platform::system::add_topic_handler(sim::live_log_topic, [this] { poke(); });
    m_clock_listener = platform::add_clock_listener([this] { poke(); });
    m_live->apply_new(*m_world, now());
    m_thread = std::thread([this] { run(); });
}

Library::~Library()
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
}

void Library::set_window(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_hwnd = hwnd;
}

void Library::set_callback(rsCallBackFunc callback)
{
    std::lock_guard lock(m_mutex);
    m_callback = callback;
}

void Library::add_scan_waiter(ScanFinishedFunc finished)
{
    if (!finished)
        return;
    std::lock_guard lock(m_mutex);
    m_scan_waiters.push_back(finished);
}

void Library::sync_locked()
{
    std::uint64_t const t = now();
    m_live->apply_new(*m_world, t);
    m_world->advance(t);
}

void Library::collect_locked()
{
    auto out = m_world->take_outgoing();
    if (out.empty())
        return;
    m_outbox.insert(m_outbox.end(), out.begin(), out.end());
    m_poked = true;
    m_wake.notify_all();
}

void Library::poke()
{
    {
        std::lock_guard lock(m_mutex);
        m_poked = true;
    }
    m_wake.notify_all();
}

// A call may have scheduled a step before the one the thread sleeps until.
void Library::wake_if_sooner_locked()
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
void Library::sleep_locked(std::unique_lock<std::mutex>& lock)
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

std::uint64_t Library::wakeups()
{
    std::lock_guard lock(m_mutex);
    return m_wakeups;
}

// The library's thread: brings the world up to time, then delivers what came out, without
// the lock, and sleeps until there is more to do.
void Library::run()
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

void Library::deliver(std::vector<sim::Outgoing> const& batch)
{
    for (auto const& o : batch) {
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
            if (callback) {
                char out[RS_CALLBACK_OUT_SIZE] = {};
                callback(o.code, nullptr, out);
            }
            break;
        case sim::Outgoing::Kind::Post:
            if (hwnd)
                ::PostMessage(hwnd, o.code, static_cast<WPARAM>(o.wparam), 0);
            break;
        case sim::Outgoing::Kind::ScanDone:
            for (auto* finished : waiters)
                finished();
            break;
        }
    }
}

void Library::settle()
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
