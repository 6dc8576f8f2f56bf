// The X11 presenter: one X window per shown top-level window, input brought back through the
// input module, the system tray (X11Tray). Everything that talks to the X server runs on the
// presenter's own thread, which blocks in poll() on the X connection and a wake-up pipe; the
// user-interface thread hands it commands, and it hands the user-interface thread input (the
// input module's queue) and calls (UiMarshal). The connection is never used by two threads.
#pragma once

#include "platform/display/Presenter.h"
#include "platform/display/TrayTip.h"
#include "platform/display/UiMarshal.h"
#include "platform/display/x11/ShmTransfer.h"
#include "platform/display/x11/X11Tray.h"
#include "platform/display/x11/WmIdentity.h"
#include "platform/display/x11/XWindowState.h"

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace platform::display::x11 {


struct Atoms {
    Atom wm_protocols, wm_delete_window, net_wm_name, utf8_string, net_wm_icon, net_wm_window_type,
        net_wm_window_type_normal, net_wm_window_type_dialog, net_wm_window_type_utility,
        net_wm_window_type_popup_menu, net_wm_state, net_wm_state_skip_taskbar, net_wm_state_above,
        net_workarea;
    void intern(Display* display);
};

// A key press as the user's layout reads it: its characters (UTF-8) and the keysym of the
// level the modifiers chose.
struct KeyText {
    std::string text;
    unsigned long keysym {};
};

class X11Display final : public Presenter {
public:
    // Takes the connection; starts the X thread.
    explicit X11Display(Display* display);
    ~X11Display() override;

    std::string_view name() const override { return "x11"; }
    void damaged(HWND top, RECT const& area) override;
    void tray_changed() override;
    void window_created(HWND hwnd) override;
    void window_destroyed(HWND hwnd) override;
    void window_moved(HWND hwnd) override;
    void window_shown(HWND hwnd, bool visible) override;
    void window_text_changed(HWND hwnd) override;
    void capture_changed(HWND hwnd) override;

    // For tests: the X window showing `hwnd` (0 when none), asked on the X thread.
    unsigned long x_window_of(HWND hwnd);
    // Runs `call` on the X thread and waits for it, after the pending blits.
    void run_on_x_thread(std::function<void(Display*)> call);
    // Blits what is pending, waits until the server has done everything asked of it, and
    // handles every event it sent meanwhile: input generated before the call is in the input
    // queue when it returns. Tests use it in place of waiting.
    void sync_with_server();
    // For tests: where the tray shows an icon, and the tray manager it docks with (0: none).
    TrayPlacement tray_placement(HWND owner, UINT id);
    unsigned long tray_window(HWND owner, UINT id);
    unsigned long tray_manager();
    // Whether windows' pixels reach the server through shared memory (MIT-SHM).
    bool shares_memory() const { return m_shm; }

private:
    struct XWin {
        Window id {};
        XWindowSpec spec;
        std::shared_ptr<Backing> backing;
        XIC input_context {};
        ShmAttachment shm {};
    };
    using IconPair = std::pair<HICON, HICON>;

    // [SECTION] User-interface thread
    void show(HWND hwnd);
    void hide(HWND hwnd);
    XWindowSpec spec_of(HWND hwnd);
    void refresh_backing(HWND hwnd);
    void command(std::function<void()> call);
    void send_held_damage();
    void refresh_icon(HWND hwnd);
    void deliver_tray_click(TrayIconView const& icon, UINT mouse_message, POINT screen);

    // [SECTION] X thread (X11Events.cpp)
    void run();
    void run_commands();
    void flush_dirty();
    void handle_event(XEvent& event);
    void handle_button(XButtonEvent const& event, bool press);
    void handle_key(XKeyEvent& event, bool press);
    void handle_configure(XConfigureEvent const& event);
    void handle_client_message(XClientMessageEvent const& event);
    void grab_pointer(HWND top);
    KeyText layout_text(XKeyEvent& event);
    bool filtered_by_input_method(XEvent& event);
    void make_input_context(Window id);
    void create_x_window(XWindowSpec const& spec, std::shared_ptr<Backing> backing);
    void destroy_x_window(HWND hwnd);
    void configure_x_window(XWindowSpec const& spec);
    void set_title(Window id, std::string const& title);
    void blit(XWin& win, std::shared_ptr<PixelMemory> const& pixels, int stride, RECT const& area);
    void flush(HWND hwnd);
    XWin* find(Window id);

    Display* m_display;
    Atoms m_atoms {};
    WmIdentity const m_identity { own_identity() };
    GC m_gc {};
    bool m_shm { false };
    int m_wake[2] { -1, -1 };
    std::thread m_thread;
    std::atomic<bool> m_quit { false };

    std::mutex m_mutex; // guards m_commands and m_dirty
    std::deque<std::function<void()>> m_commands;
    std::set<HWND> m_dirty;

    UiMarshal m_marshal;
    TrayTip m_tray_tip;                               // user-interface thread
    static constexpr std::chrono::milliseconds kHoldMs { 16 };
    bool m_damage_held { false };                     // user-interface thread
    std::chrono::steady_clock::time_point m_held_since; // user-interface thread
    std::map<HWND, std::shared_ptr<Backing>> m_shown; // user-interface thread
    std::map<HWND, IconPair> m_icons;                 // user-interface thread: icons sent
    std::unique_ptr<X11Tray> m_tray;                  // X thread after construction
    XIM m_input_method {};                            // X thread
    bool m_input_method_tried { false };              // X thread

    HWND m_grab {};                 // X thread: the pop-up holding the pointer grab
    std::map<HWND, XWin> m_windows; // X thread
    std::map<Window, HWND> m_by_id;  // X thread
};

}
