// The datagram socket through which the user's other processes post messages to this
// process's top-level windows. Each letter is one fixed-size datagram (a window handle of this
// process, a message and its two parameters), so a letter arrives whole and once. A receiving
// thread hands each letter to a delivery function, which posts it into the user-interface
// thread. Only messages whose parameters are plain integers travel: a pointer means nothing
// in another process.
#pragma once

#include "platform/user/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace platform::system {

struct Letter {
    std::uint32_t handle { 0 };
    UINT message { 0 };
    WPARAM wparam { 0 };
    LPARAM lparam { 0 };
};

class WindowMailbox {
public:
    using Delivery = std::function<void(Letter const&)>;

    WindowMailbox() = default;
    ~WindowMailbox() { close(); }
    WindowMailbox(WindowMailbox const&) = delete;
    WindowMailbox& operator=(WindowMailbox const&) = delete;

    // Binds the socket at `path` (replacing a file left there) and starts the receiving
    // thread; false when the socket cannot be made.
    bool open(std::string const& path, Delivery deliver);
    // Stops the thread and removes the socket file.
    void close();
    bool is_open() const { return m_socket >= 0; }
    std::string const& path() const { return m_path; }

    // Drops `letter` into the mailbox at `path` without waiting; false when nobody listens
    // there or its queue is full.
    static bool send(std::string const& path, Letter const& letter);
    // Messages whose parameters are plain integers: commands, closing, and the programs' own.
    static bool carries(UINT message);

private:
    void receive_loop();
    void receive_ready();

    int m_socket { -1 };
    int m_stop { -1 };
    std::string m_path;
    Delivery m_deliver;
    std::thread m_thread;
};

}
