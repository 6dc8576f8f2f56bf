// The window core as the other platform modules see it: the seams through which drawing,
// controls, the framework and the presenters work with windows. Application code uses
// User.h instead.
#pragma once

#include "platform/user/Region.h"
#include "platform/user/User.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::user {

// [SECTION] Painting seams
// The drawing module turns update regions into device contexts. Until it is installed,
// BeginPaint validates and answers a null DC.
struct PaintHooks {
    // A device context on the client area of `hwnd`, clipped to `clip` (client coordinates).
    std::function<HDC(HWND hwnd, Region const& clip)> begin_paint;
    std::function<void(HWND hwnd, HDC dc)> end_paint;
    // Fills `rect` of `dc` with `brush`; used by the default WM_ERASEBKGND handling.
    std::function<void(HDC dc, RECT const& rect, HBRUSH brush)> fill_rect;
    // The region an HRGN stands for, for RedrawWindow; false for an unknown handle.
    std::function<bool(HRGN handle, Region& out)> region_of;
};
void set_paint_hooks(PaintHooks hooks);
PaintHooks const& paint_hooks();
// The update region of a window in client coordinates, and additions to it: the drawing
// module builds GetUpdateRgn, InvalidateRgn and ValidateRgn on these.
Region update_region(HWND hwnd);
void invalidate_region(HWND hwnd, Region const& region, bool erase);
void validate_region(HWND hwnd, Region const& region);

// [SECTION] Watching windows
// Presenters and the drawing module follow top-level windows through this interface. Calls
// arrive on the user-interface thread, after the change; window_destroying arrives before a
// visible top-level window (or its owned windows) starts to go, while all of it still shows.
// window_activated comes when the activation moves, after the window's WM_NCACTIVATE and
// WM_ACTIVATE: first for the window that lost it (false), then for the one that got it.
class WindowObserver {
public:
    virtual ~WindowObserver() = default;
    virtual void window_created(HWND) { }
    virtual void window_destroying(HWND) { }
    virtual void window_destroyed(HWND) { }
    virtual void window_moved(HWND) { }
    virtual void window_shown(HWND, bool) { }
    virtual void window_text_changed(HWND) { }
    virtual void window_activated(HWND, bool) { }
    // The mouse capture moved to `hwnd` (null: released).
    virtual void capture_changed(HWND) { }
};
void add_window_observer(WindowObserver* observer);
void remove_window_observer(WindowObserver* observer);
// The window's title as stored, on any thread, without asking its procedure (GetWindowText
// sends WM_GETTEXT on the user-interface thread); empty for an unknown window.
std::string stored_text(HWND hwnd);

// [SECTION] Geometry for drawing and presenting
HWND top_level_of(HWND hwnd);
// Offset of the client area's top-left corner from the top-level window's top-left corner.
POINT client_origin_in_top_level(HWND hwnd);
// Offset of the window's top-left corner from the top-level window's top-left corner.
POINT window_origin_in_top_level(HWND hwnd);
// The part of the window that can be seen: inside every ancestor's client area, less its
// visible children when it has WS_CLIPCHILDREN, less the visible siblings above it when it
// has WS_CLIPSIBLINGS. Without those styles a window paints over its children or siblings,
// which repaint after it (parents paint before children, lower siblings before upper ones).
// Top-level windows never clip each other: each has its own surface. In client
// coordinates, or window coordinates when `whole_window` is set.
Region visible_region(HWND hwnd, bool whole_window);
// Visible top-level windows from the top of the z-order down.
std::vector<HWND> top_level_windows();
// Frame sizes of a style, as GetWindowRect and GetClientRect differ by them.
RECT frame_insets(DWORD style, DWORD ex_style);

// The screen. Tests and the headless presenter set its size; the work area is the whole
// screen unless set.
void set_desktop_size(int width, int height);
void set_work_area(RECT const& rect);
RECT desktop_rect();
RECT work_area();

// GetSystemMetrics and SystemParametersInfo answer the screen and frame sizes themselves;
// the drawing module answers the rest (non-client metrics with their fonts, ...).
using SystemParametersHandler = std::function<BOOL(UINT action, UINT param, PVOID value, UINT win_ini)>;
void set_system_parameters_handler(SystemParametersHandler handler);

// The pointer position in screen coordinates; the input module moves it.
POINT cursor_position();
void set_cursor_position(POINT point);

// [SECTION] Window scroll bars
// A WS_VSCROLL (WS_HSCROLL) window keeps a bar of scroll_bar_size pixels between its client
// area and its frame, at the right (at the bottom); WM_NCHITTEST answers HTVSCROLL (HTHSCROLL)
// there. The controls module keeps the bars' ranges and positions, draws them (from BeginPaint,
// before the client paints) and turns the mouse on them into WM_VSCROLL / WM_HSCROLL through
// these hooks; without hooks the bars are only room.
constexpr int scroll_bar_size = 16;
struct ScrollBarHooks {
    std::function<void(HWND hwnd)> paint;
    // WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCMOUSEMOVE or WM_NCLBUTTONUP that the default
    // window procedure got with HTVSCROLL or HTHSCROLL; `screen` is the pointer.
    std::function<void(HWND hwnd, UINT message, WPARAM hit, POINT screen)> mouse;
};
void set_scroll_bar_hooks(ScrollBarHooks hooks);
ScrollBarHooks const& scroll_bar_hooks();
// A bar's rectangle in window coordinates (from the window's top-left corner); empty when
// the window has no such bar.
RECT scroll_bar_rect(HWND hwnd, bool vertical);
// The hit-test code that mouse messages to the capture window carry: HTCLIENT after each
// SetCapture. A window that tracks a press on its own scroll bar sets HTVSCROLL or HTHSCROLL,
// so that it keeps getting non-client messages until it releases the capture.
void set_capture_hit(LRESULT code);
LRESULT capture_hit();

// [SECTION] Threads and loops
bool on_ui_thread();
// A call the user-interface thread makes each time before it blocks: waiting for messages, in
// a send to another thread, in Sleep or in a wait on objects. The presenter uses it to hand
// what was drawn meanwhile to the display in one go rather than after every paint.
void set_before_block_hook(std::function<void()> hook);
void before_block();
DWORD ui_thread_id();
// Runs `call` on the user-interface thread and returns its result; a direct call when the
// caller already is that thread (nearly always: the call is not wrapped or allocated then).
LRESULT send_to_ui_thread(std::function<LRESULT()> call);
template<typename Call>
LRESULT run_on_ui_thread(Call&& call)
{
    if (on_ui_thread())
        return call();
    return send_to_ui_thread(std::function<LRESULT()>(std::forward<Call>(call)));
}
// Queues `call` for the user-interface thread and returns at once: it runs as a message sent
// from another thread does, the next time that thread looks for messages or waits in a send.
// For threads that must never wait for the user-interface thread (it may be waiting for them
// to end). Dropped once that thread's queue has ended.
void post_to_ui_thread(std::function<void()> call);

// Every message loop of the platform hands each message to the filter before translating and
// dispatching it; the framework's PreTranslateMessage walk and the dialog manager's keyboard
// handling live there. Returns true when the message was consumed.
using MessageFilter = std::function<bool(MSG&)>;
void set_message_filter(MessageFilter filter);
bool filter_message(MSG& msg);
// Removes and dispatches one message if any is ready; false when nothing was ready.
bool pump_one();

// [SECTION] Modal loops
constexpr DWORD MLF_NOIDLEMSG = 0x0001;
constexpr DWORD MLF_NOKICKIDLE = 0x0002;
constexpr DWORD MLF_SHOWONIDLE = 0x0004;

// Runs a dialog modally after its WM_INITDIALOG: disables the owner, shows the dialog and
// paints it at once (UpdateWindow) unless EndDialog was already called, dispatches every
// message of the thread until EndDialog, re-enables the owner, destroys the dialog and returns
// the EndDialog value (IDCANCEL when the dialog was destroyed another way). Observers hear of
// the showing only after that first paint, and only if the dialog still shows then: a dialog
// that hides itself when it first paints never reaches a presenter.
INT_PTR run_dialog_modal(HWND dialog, HWND owner);
// A modal loop on an existing window, ended by end_modal_loop; MLF_SHOWONIDLE shows and paints
// the window the same way when the loop first runs out of messages. Called on the
// user-interface thread it dispatches messages; on another thread it blocks until the loop is
// ended or the window destroyed (then the result is IDCANCEL).
int run_modal_loop(HWND hwnd, DWORD flags);
void end_modal_loop(HWND hwnd, int result);
bool in_modal_loop(HWND hwnd);
// Called on the user-interface thread each time a modal loop starts, with its window: tests
// script dialogs through it.
using ModalHook = std::function<void(HWND)>;
void set_modal_hook(ModalHook hook);

// [SECTION] System broadcasts
// Sends `message` to every top-level window (WM_POWERBROADCAST, WM_DEVICECHANGE,
// WM_SYSCOLORCHANGE, WM_SETTINGCHANGE). Safe from any thread.
void broadcast(UINT message, WPARAM wparam, LPARAM lparam);

// [SECTION] Windows of other processes
// The system module makes top-level windows of the user's other processes reachable. Their
// handles have the high bit set, which no window of this process has. FindWindow asks `find`
// when no window of this process matches; PostMessage to a foreign handle goes to `post`;
// IsWindow asks `exists`.
struct ForeignWindowHooks {
    std::function<HWND(LPCSTR class_name, LPCSTR window_name)> find;
    std::function<bool(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)> post;
    std::function<bool(HWND hwnd)> exists;
};
void set_foreign_window_hooks(ForeignWindowHooks hooks);
ForeignWindowHooks foreign_window_hooks();
constexpr ULONG_PTR foreign_window_bit = 0x80000000u;

// [SECTION] Registration of the platform's own window classes
// Registers a class for the whole process (like a system class), visible to every module.
ATOM register_system_class(WNDCLASSEX const& window_class);

}
