#include "platform/system/WindowMailbox.h"

#include "platform/user/Messages.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::system {

namespace {

// The letter as it travels. Both ends are this library on the same machine, so the layout
// is fixed here; the magic number rejects stray datagrams.
struct Wire {
    std::uint32_t magic;
    std::uint32_t handle;
    std::uint32_t message;
    std::uint32_t reserved;
    std::uint64_t wparam;
    std::int64_t lparam;
};
static_assert(sizeof(Wire) == 32);
constexpr std::uint32_t wire_magic = 0x5a574d31; // "ZWM1"

bool socket_address(std::string const& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}

bool WindowMailbox::carries(UINT message)
{
    switch (message) {
    case WM_NULL:
    case WM_CLOSE:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
        return true;
    default:
        // WM_USER up to the registered messages: the programs' own, as raw values.
        return message >= WM_USER && message < 0xC000;
    }
}

bool WindowMailbox::open(std::string const& path, Delivery deliver)
{
    close();
    sockaddr_un address;
    if (!socket_address(path, address))
        return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ::unlink(path.c_str());
    // The folder is the user's alone (0700); the socket is made the user's too.
    bool bound = ::bind(fd, reinterpret_cast<sockaddr const*>(&address), sizeof address) == 0
        && ::chmod(path.c_str(), 0600) == 0;
    int stop = bound ? ::eventfd(0, EFD_CLOEXEC) : -1;
    if (stop < 0) {
        ::close(fd);
        return false;
    }
    m_socket = fd;
    m_stop = stop;
    m_path = path;
    m_deliver = std::move(deliver);
    m_thread = std::thread([this] { receive_loop(); });
    return true;
}

void WindowMailbox::close()
{
    if (m_socket < 0)
        return;
    std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(m_stop, &one, sizeof one);
    if (m_thread.joinable())
        m_thread.join();
    ::close(m_socket);
    ::close(m_stop);
    ::unlink(m_path.c_str());
    m_socket = m_stop = -1;
    m_path.clear();
    m_deliver = nullptr;
}

void WindowMailbox::receive_loop()
{
    for (;;) {
        pollfd fds[2] = { { m_socket, POLLIN, 0 }, { m_stop, POLLIN, 0 } };
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (fds[0].revents & POLLIN)
            receive_ready();
    }
}

void WindowMailbox::receive_ready()
{
    for (;;) {
        Wire wire {};
        ssize_t n = ::recv(m_socket, &wire, sizeof wire, MSG_DONTWAIT | MSG_TRUNC);
        if (n < 0)
            return;
        if (n != static_cast<ssize_t>(sizeof wire) || wire.magic != wire_magic || !carries(wire.message))
            continue;
        m_deliver(Letter { wire.handle, wire.message, static_cast<WPARAM>(wire.wparam), static_cast<LPARAM>(wire.lparam) });
    }
}

bool WindowMailbox::send(std::string const& path, Letter const& letter)
{
    sockaddr_un address;
    if (!carries(letter.message) || !socket_address(path, address))
        return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    Wire wire { wire_magic, letter.handle, letter.message, 0, static_cast<std::uint64_t>(letter.wparam),
        static_cast<std::int64_t>(letter.lparam) };
    ssize_t sent = ::sendto(fd, &wire, sizeof wire, MSG_DONTWAIT | MSG_NOSIGNAL,
        reinterpret_cast<sockaddr const*>(&address), sizeof address);
    ::close(fd);
    return sent == static_cast<ssize_t>(sizeof wire);
}

}
