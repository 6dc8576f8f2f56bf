// The system tray protocol on the X thread. The manager is found by its selection; the
// server is grabbed while we start watching it, so that a manager that dies at that moment
// cannot slip past us. Icon windows are remade whenever their placement changes (docked,
// fallback): a manager that dies takes the windows it embedded with it unless it saved them,
// and a window once embedded is not a good top-level window either.
#include "platform/display/x11/X11Tray.h"

#include "platform/display/x11/PutPixels.h"
#include "platform/display/x11/WmIcon.h"
#include "platform/user/Messages.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace platform::display::x11 {

namespace {

constexpr long system_tray_request_dock = 0;
constexpr unsigned long xembed_mapped = 1;
constexpr int fallback_padding = 4;
constexpr int minimum_icon_side = 16;
constexpr long icon_event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask
    | EnterWindowMask | LeaveWindowMask | PointerMotionMask;

Atom atom(Display* display, char const* name)
{
    return XInternAtom(display, name, False);
}

SIZE icon_size(TrayIconView const& icon)
{
    return SIZE { std::max(minimum_icon_side, icon.image.width), std::max(minimum_icon_side, icon.image.height) };
}

}

X11Tray::X11Tray(Display* display, Deliver deliver)
    : m_display(display)
    , m_deliver(std::move(deliver))
{
    char selection[64];
    std::snprintf(selection, sizeof(selection), "_NET_SYSTEM_TRAY_S%d", DefaultScreen(display));
    // One request for the four names, not a round trip to the server for each.
    char* names[] = { selection, const_cast<char*>("_NET_SYSTEM_TRAY_OPCODE"), const_cast<char*>("MANAGER"),
        const_cast<char*>("_XEMBED_INFO") };
    Atom atoms[std::size(names)] {};
    XInternAtoms(display, names, static_cast<int>(std::size(names)), False, atoms);
    m_selection = atoms[0];
    m_opcode = atoms[1];
    m_manager_message = atoms[2];
    m_xembed_info = atoms[3];
    m_gc = XCreateGC(display, DefaultRootWindow(display), 0, nullptr);
}

X11Tray::~X11Tray()
{
    for (Slot& slot : m_slots)
        unplace(slot);
    XFreeGC(m_display, m_gc);
}

void X11Tray::start()
{
    // A manager announces itself with a client message to the root window, sent to
    // StructureNotify listeners.
    XWindowAttributes root {};
    XGetWindowAttributes(m_display, DefaultRootWindow(m_display), &root);
    XSelectInput(m_display, DefaultRootWindow(m_display), root.your_event_mask | StructureNotifyMask);
    watch_manager();
}

void X11Tray::watch_manager()
{
    XGrabServer(m_display);
    m_manager = XGetSelectionOwner(m_display, m_selection);
    if (m_manager != None)
        XSelectInput(m_display, m_manager, StructureNotifyMask);
    XUngrabServer(m_display);
    XFlush(m_display);
}

void X11Tray::forget_manager()
{
    m_manager = None;
}

void X11Tray::set_icons(std::vector<TrayIconView> icons, std::uint32_t background)
{
    bool background_changed = background != m_background;
    m_background = background;
    std::vector<Slot> kept;
    for (TrayIconView& icon : icons) {
        auto it = std::find_if(m_slots.begin(), m_slots.end(),
            [&](Slot const& slot) { return slot.icon.owner == icon.owner && slot.icon.id == icon.id; });
        Slot slot;
        if (it != m_slots.end()) {
            slot = *it;
            it->placement = TrayPlacement::Absent; // moved into `kept`, not to be removed
        }
        bool changed = !(slot.icon == icon);
        slot.icon = std::move(icon);
        kept.push_back(slot);
        if (kept.back().placement == TrayPlacement::Absent)
            place(kept.back(), static_cast<int>(kept.size()) - 1);
        else if (changed || background_changed) {
            describe(kept.back());
            draw(kept.back());
        }
    }
    for (Slot& slot : m_slots) {
        if (slot.placement != TrayPlacement::Absent)
            unplace(slot);
    }
    m_slots = std::move(kept);
}

void X11Tray::replace_all()
{
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        unplace(m_slots[i]);
        place(m_slots[i], static_cast<int>(i));
    }
}

void X11Tray::place(Slot& slot, int index)
{
    slot.size = icon_size(slot.icon);
    if (m_manager != None) {
        slot.window = make_window(slot, true, POINT {});
        slot.placement = TrayPlacement::Docked;
        describe(slot);
        request_dock(slot);
        return;
    }
    // Side by side from the bottom-right corner of the screen leftwards.
    int screen = DefaultScreen(m_display);
    int side = slot.size.cx + 2 * fallback_padding;
    POINT at { DisplayWidth(m_display, screen) - (index + 1) * (side + fallback_padding),
        DisplayHeight(m_display, screen) - side - fallback_padding };
    slot.size = SIZE { side, slot.size.cy + 2 * fallback_padding };
    slot.window = make_window(slot, false, at);
    slot.placement = TrayPlacement::Fallback;
    describe(slot);
    decorate_fallback(slot);
    XMapRaised(m_display, slot.window);
}

void X11Tray::unplace(Slot& slot)
{
    // The window may be gone already (its manager destroyed it); the presenter's error
    // handler lets that pass.
    if (slot.window != None)
        XDestroyWindow(m_display, slot.window);
    slot.window = None;
    slot.placement = TrayPlacement::Absent;
}

Window X11Tray::make_window(Slot const& slot, bool docked, POINT at)
{
    // A docked icon shows the tray's own background where its image is transparent: its
    // window takes its parent's background (the tray's colour or picture) and the image is
    // blended over what that paints. The fallback window has no tray behind it.
    XSetWindowAttributes attributes {};
    attributes.event_mask = icon_event_mask;
    attributes.background_pixel = m_background;
    attributes.background_pixmap = ParentRelative;
    Window window = XCreateWindow(m_display, DefaultRootWindow(m_display), at.x, at.y,
        static_cast<unsigned>(slot.size.cx), static_cast<unsigned>(slot.size.cy), 0, CopyFromParent, InputOutput,
        CopyFromParent, CWEventMask | (docked ? CWBackPixmap : CWBackPixel), &attributes);
    if (docked) {
        // XEmbed: protocol version 0, and "map me once embedded".
        unsigned long info[2] = { 0, xembed_mapped };
        XChangeProperty(m_display, window, m_xembed_info, m_xembed_info, 32, PropModeReplace,
            reinterpret_cast<unsigned char*>(info), 2);
    }
    XSizeHints hints {};
    hints.flags = PMinSize | (docked ? 0 : (USPosition | PMaxSize));
    hints.min_width = hints.max_width = slot.size.cx;
    hints.min_height = hints.max_height = slot.size.cy;
    hints.x = at.x;
    hints.y = at.y;
    XSetWMNormalHints(m_display, window, &hints);
    XClassHint class_hint { const_cast<char*>("tray"), const_cast<char*>("Vx") };
    XSetClassHint(m_display, window, &class_hint);
    return window;
}

void X11Tray::request_dock(Slot const& slot)
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = m_manager;
    event.xclient.message_type = m_opcode;
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = system_tray_request_dock;
    event.xclient.data.l[2] = static_cast<long>(slot.window);
    XSendEvent(m_display, m_manager, False, NoEventMask, &event);
}

void X11Tray::decorate_fallback(Slot const& slot)
{
    Atom type = atom(m_display, "_NET_WM_WINDOW_TYPE_UTILITY");
    XChangeProperty(m_display, slot.window, atom(m_display, "_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&type), 1);
    Atom states[] = { atom(m_display, "_NET_WM_STATE_ABOVE"), atom(m_display, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(m_display, "_NET_WM_STATE_SKIP_PAGER") };
    XChangeProperty(m_display, slot.window, atom(m_display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(states), 3);
    // Motif hints: no decorations. Window managers that ignore them show a small frame.
    unsigned long motif[5] = { 2, 0, 0, 0, 0 };
    Atom motif_atom = atom(m_display, "_MOTIF_WM_HINTS");
    XChangeProperty(m_display, slot.window, motif_atom, motif_atom, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(motif), 5);
}

void X11Tray::describe(Slot const& slot)
{
    // Trays and window managers show the name as the icon's tip or title.
    std::string const& tip = slot.icon.tip;
    XChangeProperty(m_display, slot.window, atom(m_display, "_NET_WM_NAME"), atom(m_display, "UTF8_STRING"), 8,
        PropModeReplace, reinterpret_cast<unsigned char const*>(tip.data()), static_cast<int>(tip.size()));
    XStoreName(m_display, slot.window, tip.c_str());
    set_wm_icon(m_display, slot.window, { slot.icon.image });
    if (slot.placement != TrayPlacement::Docked)
        XSetWindowBackground(m_display, slot.window, m_background);
}

// What the tray paints behind a docked icon: the window cleared to its parent's background,
// read back. A window the server cannot read (not viewable yet) gives the button face.
std::vector<std::uint32_t> X11Tray::tray_behind(Window window, int width, int height)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), m_background);
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(m_display, window, &attributes) || attributes.map_state != IsViewable)
        return pixels;
    XClearWindow(m_display, window);
    XImage* image = XGetImage(m_display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
        AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu;
    }
    XDestroyImage(image);
    return pixels;
}

void X11Tray::draw(Slot const& slot)
{
    // The image in the middle of the window (the manager may make the window larger or
    // smaller than the image), on the background colour.
    int width = slot.size.cx;
    int height = slot.size.cy;
    if (width <= 0 || height <= 0)
        return;
    std::vector<std::uint32_t> pixels = slot.placement == TrayPlacement::Docked
        ? tray_behind(slot.window, width, height)
        : std::vector<std::uint32_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), m_background);
    ArgbImage const& image = slot.icon.image;
    int left = (width - image.width) / 2;
    int top = (height - image.height) / 2;
    for (int y = std::max(0, -top); y < image.height && y + top < height; ++y) {
        for (int x = std::max(0, -left); x < image.width && x + left < width; ++x) {
            std::uint32_t& out = pixels[static_cast<std::size_t>(y + top) * width + (x + left)];
            out = blended_over(image.pixels[static_cast<std::size_t>(y) * image.width + x], out);
        }
    }
    put_pixels(m_display, slot.window, m_gc, pixels.data(), width, RECT { 0, 0, width, height }, 0, 0);
}

bool X11Tray::handle_event(XEvent const& event)
{
    if (event.type == ClientMessage && event.xclient.window == DefaultRootWindow(m_display)) {
        if (event.xclient.message_type != m_manager_message
            || static_cast<Atom>(event.xclient.data.l[1]) != m_selection)
            return false;
        watch_manager();
        replace_all();
        return true;
    }
    if (event.type == DestroyNotify && m_manager != None && event.xdestroywindow.window == m_manager) {
        forget_manager();
        replace_all();
        return true;
    }
    Slot* slot = find(event.xany.window);
    if (!slot)
        return false;
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            draw(*slot);
        break;
    case ConfigureNotify:
        slot->size = SIZE { event.xconfigure.width, event.xconfigure.height };
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == slot->window)
            slot->window = None;
        break;
    case ButtonPress:
    case ButtonRelease:
        handle_button(*slot, event.xbutton);
        break;
    case EnterNotify:
        m_deliver(slot->icon, WM_MOUSEMOVE, POINT { event.xcrossing.x_root, event.xcrossing.y_root });
        break;
    case MotionNotify:
        m_deliver(slot->icon, WM_MOUSEMOVE, POINT { event.xmotion.x_root, event.xmotion.y_root });
        break;
    case LeaveNotify:
        m_deliver(slot->icon, WM_MOUSELEAVE, POINT { event.xcrossing.x_root, event.xcrossing.y_root });
        break;
    default:
        break;
    }
    return true;
}

void X11Tray::handle_button(Slot const& slot, XButtonEvent const& event)
{
    TrayButton button {};
    switch (event.button) {
    case Button1:
        button = TrayButton::Left;
        break;
    case Button2:
        button = TrayButton::Middle;
        break;
    case Button3:
        button = TrayButton::Right;
        break;
    default:
        return;
    }
    POINT screen { event.x_root, event.y_root };
    TrayPress press { slot.icon.id, slot.icon.owner, button, event.type == ButtonPress,
        static_cast<std::uint32_t>(event.time), screen };
    m_deliver(slot.icon, m_clicks.message_for(press), screen);
}

X11Tray::Slot* X11Tray::find(Window window)
{
    if (window == None)
        return nullptr;
    auto it = std::find_if(m_slots.begin(), m_slots.end(), [&](Slot const& slot) { return slot.window == window; });
    return it == m_slots.end() ? nullptr : &*it;
}

X11Tray::Slot const* X11Tray::find(HWND owner, UINT id) const
{
    auto it = std::find_if(m_slots.begin(), m_slots.end(),
        [&](Slot const& slot) { return slot.icon.owner == owner && slot.icon.id == id; });
    return it == m_slots.end() ? nullptr : &*it;
}

TrayPlacement X11Tray::placement_of(HWND owner, UINT id) const
{
    Slot const* slot = find(owner, id);
    return slot ? slot->placement : TrayPlacement::Absent;
}

Window X11Tray::window_of(HWND owner, UINT id) const
{
    Slot const* slot = find(owner, id);
    return slot ? slot->window : None;
}

}
