#include "platform/system/BusConnection.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <future>
#include <ctime>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform::system {

namespace {

// A bus at a given address, as a client of a message bus (not a direct peer connection).
int open_at(sd_bus** out, std::string const& address)
{
    sd_bus* bus = nullptr;
    int r = sd_bus_new(&bus);
    if (r < 0)
        return r;
    if ((r = sd_bus_set_address(bus, address.c_str())) < 0 || (r = sd_bus_set_bus_client(bus, 1)) < 0
        || (r = sd_bus_start(bus)) < 0) {
        sd_bus_unref(bus);
        return r;
    }
    *out = bus;
    return 0;
}

// Why the usual bus of that kind cannot be there (a negative errno, as sd-bus would answer),
// or 0 when it may be: its address variable is set, or its socket exists where sd-bus looks
// for it. Asked first, so that a session or machine without that bus never opens libsystemd.
int default_bus_missing(BusKind kind)
{
    std::string socket;
    switch (kind) {
    case BusKind::Session: {
        if (secure_getenv("DBUS_SESSION_BUS_ADDRESS"))
            return 0;
        char const* runtime = secure_getenv("XDG_RUNTIME_DIR");
        if (!runtime)
            return -ENOMEDIUM;
        socket = std::string(runtime) + "/bus";
        break;
    }
    case BusKind::System:
        if (secure_getenv("DBUS_SYSTEM_BUS_ADDRESS"))
            return 0;
        socket = "/run/dbus/system_bus_socket";
        break;
    }
    return ::access(socket.c_str(), F_OK) == 0 ? 0 : -errno;
}

int open_bus(BusKind kind, std::string const& address, sd_bus** out)
{
    if (!address.empty())
        return open_at(out, address);
    if (int missing = default_bus_missing(kind))
        return missing;
    switch (kind) {
    case BusKind::Session:
        return sd_bus_open_user(out);
    case BusKind::System:
        return sd_bus_open_system(out);
    }
    return -EINVAL;
}

// Milliseconds until the connection's next time-out (an absolute CLOCK_MONOTONIC time in
// microseconds), -1 for none.
int poll_timeout(sd_bus* bus)
{
    std::uint64_t until = 0;
    if (sd_bus_get_timeout(bus, &until) < 0 || until == UINT64_MAX)
        return -1;
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::uint64_t now_us = static_cast<std::uint64_t>(now.tv_sec) * 1000000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
    if (until <= now_us)
        return 0;
    // Rounded up, so that the time-out has passed when poll() returns.
    std::uint64_t ms = (until - now_us + 999) / 1000;
    return ms > 60000 ? 60000 : static_cast<int>(ms);
}

}

std::string bus_error_text(char const* what, int code)
{
    return std::string(what) + ": " + std::strerror(code < 0 ? -code : code);
}

std::unique_ptr<BusConnection> BusConnection::open(BusKind kind, std::string const& address, std::string& error)
{
    sd_bus* bus = nullptr;
    int r = open_bus(kind, address, &bus);
    if (r < 0) {
        error = bus_error_text(kind == BusKind::Session ? "no session bus" : "no system bus", r);
        return nullptr;
    }
    return std::unique_ptr<BusConnection>(new BusConnection(bus));
}

BusConnection::BusConnection(sd_bus* bus)
    : m_bus(bus)
    , m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    m_thread = std::thread([this] { run(); });
}

BusConnection::~BusConnection()
{
    m_quit = true;
    post([](sd_bus*) { });
    m_thread.join();
    sd_bus_flush_close_unref(m_bus);
    if (m_wake >= 0)
        ::close(m_wake);
}

void BusConnection::post(Call call)
{
    {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    std::uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(m_wake, &one, sizeof one);
}

void BusConnection::post_and_wait(Call call)
{
    std::promise<void> done;
    post([&](sd_bus* bus) {
        call(bus);
        done.set_value();
    });
    done.get_future().wait();
}

void BusConnection::on_lost(std::function<void()> lost)
{
    std::lock_guard lock(m_mutex);
    m_lost = std::move(lost);
}

void BusConnection::run()
{
    for (;;) {
        run_calls();
        if (m_connected && !dispatch()) {
            m_connected = false;
            std::function<void()> lost;
            {
                std::lock_guard lock(m_mutex);
                lost = m_lost;
            }
            if (lost)
                lost();
        }
        if (m_quit)
            return;
        wait();
    }
}

// Every queued call runs, also while the connection ends: owners release what they hold on
// the connection (slots, objects) in a last call.
void BusConnection::run_calls()
{
    for (;;) {
        std::deque<Call> calls;
        {
            std::lock_guard lock(m_mutex);
            calls.swap(m_calls);
        }
        if (calls.empty())
            return;
        for (auto& call : calls)
            call(m_bus);
    }
}

// Handles everything the connection has read; false when the bus ended the connection.
bool BusConnection::dispatch()
{
    for (;;) {
        int r = sd_bus_process(m_bus, nullptr);
        if (r < 0)
            return false;
        if (r == 0)
            return true;
        // Handlers may have queued calls for this thread meanwhile.
        run_calls();
    }
}

void BusConnection::wait()
{
    pollfd fds[2] = { { m_wake, POLLIN, 0 }, { -1, 0, 0 } };
    int timeout = -1;
    if (m_connected) {
        int events = sd_bus_get_events(m_bus);
        fds[1] = pollfd { sd_bus_get_fd(m_bus), static_cast<short>(events < 0 ? 0 : events), 0 };
        timeout = poll_timeout(m_bus);
    }
    if (::poll(fds, m_connected ? 2 : 1, timeout) < 0 && errno != EINTR)
        return;
    if (fds[0].revents & POLLIN) {
        std::uint64_t count = 0;
        [[maybe_unused]] auto n = ::read(m_wake, &count, sizeof count);
    }
}

}
