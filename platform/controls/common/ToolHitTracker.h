// The per-window tool hit-test manager that the framework's EnableToolTips and OnToolHitTest
// sit on. A window with tool tips enabled hands every message bound for it or for one of its
// descendants to filter() before dispatch; on mouse messages the tracker asks the window's
// hit test which tool is under the pointer, keeps exactly that one tool in its tool tip
// (deleting the previous one when the answer changes), and relays the message to the tip.
//
// The hit test gets the pointer in the window's client coordinates and a TOOLINFO whose
// cbSize is set and whose other fields are zero; it fills hwnd, uId, uFlags, rect and
// lpszText (usually LPSTR_TEXTCALLBACK) and answers a hit code, -1 when no tool is there. Two
// answers name the same tool when their hit code, hwnd and uId agree. A text other than the
// callback is copied by the tip; the caller keeps its own.
//
// The tip window is created on first use, owned by the window's top-level window, with
// TTS_ALWAYSTIP off, and destroyed with the tracker.
#pragma once

#include "platform/controls/common/ToolTip.h"

#include <functional>

namespace platform::commctrl {

using ToolHitTest = std::function<INT_PTR(POINT client, TOOLINFO& info)>;

class ToolHitTracker {
public:
    ToolHitTracker(HWND window, ToolHitTest hit_test);
    ~ToolHitTracker();
    ToolHitTracker(ToolHitTracker const&) = delete;
    ToolHitTracker& operator=(ToolHitTracker const&) = delete;

    // Never consumes the message: the caller dispatches it as usual.
    void filter(MSG const& msg);
    // Off: the current tool is removed and the tip hidden; filter() does nothing until on.
    void enable(bool on);
    bool enabled() const { return m_enabled; }
    // The tip window, or null before the first mouse message.
    HWND tip() const { return m_tip; }

private:
    void ensure_tip();
    void drop_tool();

    HWND m_window;
    ToolHitTest m_hit_test;
    HWND m_tip {};
    bool m_enabled { true };
    INT_PTR m_hit { -1 };
    TOOLINFO m_tool {};
};

// The default hit test of a window (the framework's OnToolHitTest when not overridden): the
// visible child window under the point is the tool (TTF_IDISHWND, hwnd = `window`, uId = the
// child, text by callback), its control id the hit code; -1 over no child.
INT_PTR child_tool_hit_test(HWND window, POINT client, TOOLINFO& info);

}
