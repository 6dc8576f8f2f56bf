// The tray icons on X: the freedesktop system tray protocol. Each icon of the tray model is
// a small X window, docked into the tray manager (the owner of _NET_SYSTEM_TRAY_S<screen>)
// with SYSTEM_TRAY_REQUEST_DOCK and embedded by XEmbed. Without a manager the icon is shown
// as a small always-on-top window near the bottom-right corner of the screen, so the program
// stays reachable; when a manager appears (its MANAGER message on the root window), or goes
// and another comes, the icons dock there again. Presses and moves on an icon go back to its
// owner as mouse messages; the pointer leaving an icon is reported as WM_MOUSELEAVE. Every call runs on the presenter's X thread.
#pragma once

#include "platform/display/IconImage.h"
#include "platform/display/TrayClicks.h"

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

namespace platform::display::x11 {

// An icon as the X thread gets it: what the tray model says, its image read already.
struct TrayIconView {
    HWND owner {};
    UINT id {};
    UINT callback_message {};
    std::string tip;
    ArgbImage image;
    bool operator==(TrayIconView const&) const = default;
};

enum class TrayPlacement {
    Absent,   // no such icon
    Docked,   // asked to dock with the tray manager
    Fallback, // a window of its own
};

class X11Tray {
public:
    // `deliver` hands a mouse message for an icon to the user-interface side.
    using Deliver = std::function<void(TrayIconView const& icon, UINT mouse_message, POINT screen)>;
    X11Tray(Display* display, Deliver deliver);
    ~X11Tray();
    X11Tray(X11Tray const&) = delete;
    X11Tray& operator=(X11Tray const&) = delete;

    // Starts watching for a tray manager; call once, before the first icons.
    void start();
    // The icons to show, in order, and the colour their transparent parts are drawn on.
    void set_icons(std::vector<TrayIconView> icons, std::uint32_t background);
    // True when `event` belonged to the tray (it is then handled).
    bool handle_event(XEvent const& event);

    // For tests.
    Window manager() const { return m_manager; }
    TrayPlacement placement_of(HWND owner, UINT id) const;
    Window window_of(HWND owner, UINT id) const;

private:
    struct Slot {
        TrayIconView icon;
        Window window {};
        TrayPlacement placement { TrayPlacement::Absent };
        SIZE size {};
    };

    void watch_manager();
    void forget_manager();
    void replace_all();
    void place(Slot& slot, int index);
    void unplace(Slot& slot);
    Window make_window(Slot const& slot, bool docked, POINT at);
    std::vector<std::uint32_t> tray_behind(Window window, int width, int height);
    void request_dock(Slot const& slot);
    void decorate_fallback(Slot const& slot);
    void describe(Slot const& slot);
    void draw(Slot const& slot);
    void handle_button(Slot const& slot, XButtonEvent const& event);
    Slot* find(Window window);
    Slot const* find(HWND owner, UINT id) const;

    Display* m_display;
    Deliver m_deliver;
    Atom m_selection {};
    Atom m_opcode {};
    Atom m_manager_message {};
    Atom m_xembed_info {};
    Window m_manager {};
    GC m_gc {};
    std::uint32_t m_background {};
    std::vector<Slot> m_slots;
    TrayClicks m_clicks;
};

}
