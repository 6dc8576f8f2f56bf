// Starts a program under the desktop benchmark's X server and tells how long it took to show
// itself: to map its first managed top-level window ("map"), or to ask to dock a tray icon
// ("dock"). The probe is the screen's system tray manager meanwhile, so a tray icon docks
// with it as with a desktop's tray, and embeds into a strip of its own.
//
//   startup_probe map|dock -- program [arguments ...]
//
// Prints "pid <pid>", then "ready <microseconds from fork>" (or "timeout" after 10 s), and
// keeps the program, and the tray, running until the probe gets SIGTERM or SIGINT, which it
// passes on; it then waits for the program (killing it after 5 s) and ends.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr long request_dock = 0;
constexpr int icon_side = 24;

std::int64_t now_us()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

struct Tray {
    Display* display {};
    Window owner {};
    Window strip {};
    Atom opcode {};
    int docked {};

    void claim()
    {
        int const screen = DefaultScreen(display);
        Window root = RootWindow(display, screen);
        std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
        Atom selection = XInternAtom(display, name.c_str(), False);
        opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
        owner = XCreateSimpleWindow(display, root, -1, -1, 1, 1, 0, 0, 0);
        XSetWindowAttributes attributes {};
        attributes.override_redirect = True;
        attributes.background_pixel = WhitePixel(display, screen);
        strip = XCreateWindow(display, root, 0, 0, 8 * icon_side, icon_side, 0, CopyFromParent, InputOutput,
            CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
        XMapWindow(display, strip);
        XSetSelectionOwner(display, selection, owner, CurrentTime);
        XEvent manager {};
        manager.xclient.type = ClientMessage;
        manager.xclient.window = root;
        manager.xclient.message_type = XInternAtom(display, "MANAGER", False);
        manager.xclient.format = 32;
        manager.xclient.data.l[0] = CurrentTime;
        manager.xclient.data.l[1] = long(selection);
        manager.xclient.data.l[2] = long(owner);
        XSendEvent(display, root, False, StructureNotifyMask, &manager);
    }

    // True for a dock request, which it answers by embedding the icon.
    bool handle(XEvent const& event)
    {
        if (event.type != ClientMessage || event.xclient.message_type != opcode
            || event.xclient.data.l[1] != request_dock)
            return false;
        Window icon = Window(event.xclient.data.l[2]);
        XReparentWindow(display, icon, strip, docked++ * icon_side, 0);
        XResizeWindow(display, icon, icon_side, icon_side);
        XMapWindow(display, icon);
        return true;
    }
};

bool is_shown_window(Display* display, XEvent const& event, Tray const& tray)
{
    if (event.type != MapNotify || event.xmap.override_redirect || event.xmap.window == tray.strip)
        return false;
    XWindowAttributes attributes {};
    return XGetWindowAttributes(display, event.xmap.window, &attributes) && attributes.width > icon_side;
}

pid_t start(char** argv, sigset_t const& blocked)
{
    pid_t pid = fork();
    if (pid == 0) {
        sigprocmask(SIG_UNBLOCK, &blocked, nullptr);
        execv(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}

int main(int argc, char** argv)
{
    if (argc < 4 || std::strcmp(argv[2], "--") != 0
        || (std::strcmp(argv[1], "map") != 0 && std::strcmp(argv[1], "dock") != 0)) {
        std::fprintf(stderr, "usage: startup_probe map|dock -- program [arguments ...]\n");
        return 2;
    }
    bool const want_dock = std::strcmp(argv[1], "dock") == 0;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 1;
    }
    Tray tray { display };
    tray.claim();
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGCHLD);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    int const signal_fd = signalfd(-1, &signals, SFD_CLOEXEC);

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::int64_t const started = now_us();
    pid_t const pid = start(argv + 3, signals);
    std::printf("pid %d\n", int(pid));
    bool ready = false;
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            bool const docked = tray.handle(event);
            if (!ready && (want_dock ? docked : is_shown_window(display, event, tray))) {
                ready = true;
                std::printf("ready %lld\n", static_cast<long long>(now_us() - started));
            }
        }
        XFlush(display);
        int const timeout_ms = ready ? -1 : int(std::max<std::int64_t>(0, started + 10000000 - now_us()) / 1000);
        pollfd fds[2] = { { ConnectionNumber(display), POLLIN, 0 }, { signal_fd, POLLIN, 0 } };
        int const n = poll(fds, 2, timeout_ms);
        if (n == 0 && !ready) {
            std::printf("timeout\n");
            ready = true;
        }
        if (n > 0 && (fds[1].revents & POLLIN)) {
            signalfd_siginfo info {};
            if (read(signal_fd, &info, sizeof info) == sizeof info && info.ssi_signo != SIGCHLD)
                break;
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return 0;
        }
    }
    stop(pid);
    return 0;
}
