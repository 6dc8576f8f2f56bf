// A message bus of the test's own: a dbus-daemon started on a socket in a temporary folder,
// with a configuration that lets every client own any name and starts no services, so
// nothing of the machine's desktop answers. Test doubles (a tray's watcher and host, logind)
// connect to it with client(). Every wait is bounded: a daemon that does not start fails
// the test instead of hanging it.
#pragma once

#include "platform/user/Testing.h"

#include <systemd/sd-bus.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform::system::testing {

class PrivateBus {
public:
    PrivateBus()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvel-bus-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return;
        m_folder = pattern;
        std::string config = m_folder + "/bus.conf";
        std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\"\n"
                                 " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                 "<busconfig><type>session</type><listen>unix:path="
                              << m_folder << "/socket</listen><auth>EXTERNAL</auth>"
                              << "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                 "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
        start_daemon(config);
    }

    ~PrivateBus()
    {
        stop();
        if (!m_folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_folder, ignored);
        }
    }
    PrivateBus(PrivateBus const&) = delete;
    PrivateBus& operator=(PrivateBus const&) = delete;

    // Ends the daemon, as a desktop session ends: every connection to it is lost.
    void stop()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
    }

    // Empty when the daemon did not start.
    std::string const& address() const { return m_address; }

    // A client connection of the test's own, for its doubles; null on failure.
    sd_bus* client() const
    {
        sd_bus* bus = nullptr;
        if (sd_bus_new(&bus) < 0)
            return nullptr;
        if (sd_bus_set_address(bus, m_address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 || sd_bus_start(bus) < 0) {
            sd_bus_unref(bus);
            return nullptr;
        }
        // A double's own calls fail rather than hang when the other side does not answer.
        sd_bus_set_method_call_timeout(bus, 5'000'000);
        return bus;
    }

    // Until `done` answers true or 10 s pass: handles the user-interface thread's messages
    // and what arrived on `bus` (a double's connection), and waits up to 20 ms on that bus
    // between rounds. False on the time-out.
    static bool until(sd_bus* bus, std::function<bool()> const& done)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            platform::testing::pump_until_idle();
            while (sd_bus_process(bus, nullptr) > 0) { }
            platform::testing::pump_until_idle();
            if (done())
                return true;
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            sd_bus_wait(bus, 20'000);
        }
    }

private:
    void start_daemon(std::string const& config)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        std::string config_arg = "--config-file=" + config;
        std::string address_arg = "--print-address=" + std::to_string(out[1]);
        char const* argv[] = { "dbus-daemon", "--nofork", config_arg.c_str(), address_arg.c_str(), nullptr };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        int spawned = posix_spawnp(&m_pid, "dbus-daemon", &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (spawned != 0)
            m_pid = -1;
        else
            m_address = read_line(out[0]);
        ::close(out[0]);
    }

    static std::string read_line(int fd)
    {
        std::string line;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p { fd, POLLIN, 0 };
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char c = 0;
            if (::read(fd, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return {};
    }

    std::string m_folder;
    std::string m_address;
    pid_t m_pid { -1 };
};

}
