// The record behind a window handle. Only the user-interface thread changes a Window, and it
// does so holding the table lock, so other threads may read one under that lock.
#pragma once

#include "platform/user/Region.h"
#include "platform/user/User.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::user {

struct WindowClass;

struct Window : std::enable_shared_from_this<Window> {
    HWND handle {};
    std::shared_ptr<WindowClass const> window_class;
    WNDPROC proc {};
    DWORD style {};
    DWORD ex_style {};
    std::string text;
    UINT_PTR id {};
    HINSTANCE instance {};
    LONG_PTR user_data {};
    std::vector<unsigned char> extra;

    Window* parent {};
    Window* owner {};
    // Top of the z-order first; new children go to the bottom, as the tab order expects.
    std::vector<Window*> children;

    // Window rectangle in the parent's client coordinates (screen coordinates at top level).
    RECT rect {};

    Region update;
    bool erase_pending {};
    bool internal_paint {};
    bool destroying {};
    bool alive { true };
    bool create_done {};
    HICON icon_big {};
    HICON icon_small {};
    WORD ui_state {}; // UISF_ flags: the keyboard cues hidden, a child's from its parent at creation

    bool is_child() const { return (style & WS_CHILD) != 0; }
    bool visible_bit() const { return (style & WS_VISIBLE) != 0; }
    bool enabled() const { return (style & WS_DISABLED) == 0; }
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    // Client rectangle in window coordinates.
    RECT client_in_window() const;
};

}
