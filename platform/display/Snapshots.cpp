// Snapshots: pixels come from the surface source, PNG encoding from the drawing module.
// SIGUSR1 reaches the user-interface thread through a pipe: the handler only writes a byte,
// a watcher thread reads it and queues the snapshot on the loop.
#include "platform/display/Snapshots.h"

#include "platform/display/SurfaceSource.h"
#include "platform/display/TraySource.h"
#include "platform/display/WindowTreeDump.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Png.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <unistd.h>

namespace platform::display {

namespace {

std::atomic<int> g_signal_fd { -1 };
struct sigaction g_previous {};

void on_sigusr1(int)
{
    int saved = errno;
    int fd = g_signal_fd.load();
    if (fd >= 0) {
        char byte = 's';
        [[maybe_unused]] auto n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

std::string file_title(HWND hwnd)
{
    char title[256] {};
    GetWindowText(hwnd, title, sizeof(title));
    std::string out;
    for (char const* p = title; *p && out.size() < 40; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        out += (std::isalnum(c) || c == '-' || c == '_') ? static_cast<char>(c) : '_';
    }
    return out.empty() ? std::string("window") : out;
}

bool write_window(HWND hwnd, std::string const& path)
{
    auto source = surface_source();
    SIZE size = source ? source->size(hwnd) : SIZE {};
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return false;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    bool ok = source->copy(hwnd, RECT { 0, 0, size.cx, size.cy }, pixels, size.cx);
    // Window surfaces are opaque; the PNG must not come out transparent.
    for (long i = 0; ok && i < static_cast<long>(size.cx) * size.cy; ++i)
        pixels[i] |= 0xFF000000u;
    ok = ok && gdi::write_png(bitmap, path);
    DeleteObject(bitmap);
    return ok;
}

bool write_tray(std::string const& path)
{
    std::ofstream out(path, std::ios::trunc);
    for (TrayIcon const& icon : tray_icons())
        out << icon.id << '\t' << escaped_line(icon.tip) << '\n';
    return static_cast<bool>(out);
}

}

std::vector<std::string> write_snapshot(std::string const& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::vector<std::string> written;
    int index = 0;
    for (HWND hwnd : user::top_level_windows()) {
        if (is_marshal_window(hwnd))
            continue;
        char name[80];
        std::snprintf(name, sizeof(name), "%02d-%s.png", ++index, file_title(hwnd).c_str());
        if (write_window(hwnd, folder + "/" + name))
            written.emplace_back(name);
    }
    if (write_tray(folder + "/tray.txt"))
        written.emplace_back("tray.txt");
    // The tree is written last and appears whole (renamed into place), so a reader waiting for
    // "windows.txt" finds the snapshot complete.
    std::string const tree_path = folder + "/windows.txt";
    std::ofstream tree(tree_path + ".part", std::ios::trunc);
    tree << dump_window_tree();
    tree.close();
    if (tree && std::rename((tree_path + ".part").c_str(), tree_path.c_str()) == 0)
        written.emplace_back("windows.txt");
    return written;
}

SnapshotSession::SnapshotSession(std::string folder)
    : m_folder(std::move(folder))
{
    if (::pipe(m_pipe) != 0)
        return;
    g_signal_fd = m_pipe[1];
    struct sigaction action {};
    action.sa_handler = on_sigusr1;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, &g_previous);
    m_watcher = std::thread([this] { watch_signal(); });
    user::add_window_observer(this);
}

SnapshotSession::~SnapshotSession()
{
    user::remove_window_observer(this);
    if (m_watcher.joinable()) {
        sigaction(SIGUSR1, &g_previous, nullptr);
        g_signal_fd = -1;
        char byte = 'q';
        [[maybe_unused]] auto n = ::write(m_pipe[1], &byte, 1);
        m_watcher.join();
    }
    for (int fd : m_pipe) {
        if (fd >= 0)
            ::close(fd);
    }
    // Once the windows are gone, the last look is what the folder already holds.
    bool shows = false;
    for (HWND hwnd : user::top_level_windows())
        shows = shows || (IsWindowVisible(hwnd) && !is_marshal_window(hwnd));
    if (shows)
        write();
}

void SnapshotSession::write_now()
{
    // Asked from outside, the snapshot shows what the screen is about to show: paints still
    // pending (a window just shown, a page just switched) are done first.
    for (HWND hwnd : user::top_level_windows()) {
        if (IsWindowVisible(hwnd) && !is_marshal_window(hwnd))
            RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    write();
}

void SnapshotSession::window_destroying(HWND)
{
    if (m_in_teardown)
        return;
    m_in_teardown = true;
    write();
    // The burst ends when the loop next runs posted work.
    m_marshal.post([this] { m_in_teardown = false; });
}

void SnapshotSession::write()
{
    std::vector<std::string> written = write_snapshot(m_folder);
    // Windows closed or retitled since the last snapshot must not look as if still shown.
    for (std::string const& old : m_written) {
        if (std::find(written.begin(), written.end(), old) == written.end()) {
            std::error_code error;
            std::filesystem::remove(m_folder + "/" + old, error);
        }
    }
    m_written = std::move(written);
    ++m_count;
}

void SnapshotSession::watch_signal()
{
    for (;;) {
        pollfd fd { m_pipe[0], POLLIN, 0 };
        if (::poll(&fd, 1, -1) < 0 && errno == EINTR)
            continue;
        char byte = 0;
        if (::read(m_pipe[0], &byte, 1) != 1 || byte == 'q')
            return;
        m_marshal.post([this] { write_now(); });
    }
}

std::string snapshot_folder_from_environment()
{
    char const* folder = std::getenv("VX_SNAPSHOT_DIR");
    return folder ? std::string(folder) : std::string();
}

}
