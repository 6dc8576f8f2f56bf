// The tool-tip control's state: its tools, its delays, and where the pointer is in the show
// cycle. The window procedure only decodes messages into these calls; the window itself is
// the tip that pops up.
//
// The show cycle, as input steps (timers run on the platform clock):
// | state       | input                                    | next         | what happens             |
// | Idle        | pointer onto tool T (relayed or seen)     | Waiting T    | initial-delay timer      |
// | Waiting T   | pointer moves within T                    | Waiting T    | -                        |
// | Waiting T   | pointer onto tool U                       | Waiting U    | initial-delay timer anew |
// | Waiting T   | show timer, text not empty, may show      | Shown T      | tip shown, auto-pop timer|
// | Waiting T   | show timer, empty text or may not show    | Done T       | -                        |
// | Shown T     | pointer onto tool U                       | Waiting U    | tip hidden, reshow timer |
// | Shown T     | auto-pop, button press, TTM_POP           | Done T       | tip hidden               |
// | any         | pointer on no tool, leaves, deactivation  | Idle         | tip hidden               |
// | Done T      | pointer moves within T                    | Done T       | -                        |
// While not active the pointer's tool is still followed; activation starts the wait for it.
// A tracking tool's tip (TTM_TRACKACTIVATE) stands outside this cycle: while it shows,
// relayed pointer messages are ignored.
#pragma once

#include "platform/controls/common/ControlWindow.h"
#include "platform/controls/common/ToolTip.h"

#include <string>
#include <vector>

namespace platform::commctrl {

class ToolTipControl : public ControlLifetime {
public:
    explicit ToolTipControl(HWND hwnd);
    ~ToolTipControl();
    static ToolTipControl* from(HWND hwnd);

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam);
    // A mouse message of a tool's window, relayed or seen through TTF_SUBCLASS.
    void relay(MSG const& msg);

private:
    struct Tool {
        UINT flags {};
        HWND hwnd {};
        UINT_PTR id {};
        RECT rect {};
        bool callback {};
        std::string text;
        LPARAM param {};
        HWND window() const { return (flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(id) : hwnd; }
    };
    enum class Phase { Idle, Waiting, Shown, Done };

    // [SECTION] Tools (ToolTipControl.cpp)
    BOOL add_tool(TOOLINFO const& info);
    void delete_tool(TOOLINFO const& info);
    BOOL update_text(TOOLINFO const& info);
    BOOL new_rect(TOOLINFO const& info);
    BOOL get_tool_info(TOOLINFO& info) const;
    int find(HWND hwnd, UINT_PTR id) const;
    int tool_at(HWND window, POINT client) const;
    void set_delay(WPARAM which, int ms);
    int delay(WPARAM which) const;
    void on_create();

    // [SECTION] Show cycle (ToolTipDisplay.cpp)
    void activate(bool on);
    void pointer_on(int tool);
    void start_wait(int tool, int ms);
    void on_timer(UINT_PTR id);
    void show();
    void pop(Phase next);
    bool pointer_still_on_tool() const;
    bool may_show(Tool const& tool) const;
    std::string ask_text(Tool const& tool);
    void place(POINT at, bool absolute = false);
    void hide();

    // [SECTION] Tracking tips (ToolTipDisplay.cpp)
    void track(bool on, TOOLINFO const* info);
    void track_position(POINT at);

    // [SECTION] Painting (ToolTipDisplay.cpp)
    void on_paint();
    void paint(HDC dc);
    UINT text_format() const;
    HGDIOBJ font() const;

    HWND m_hwnd;
    std::vector<Tool> m_tools;
    bool m_active { true };
    Phase m_phase { Phase::Idle };
    int m_tool { -1 };    // the tool the cycle is about
    int m_pointer { -1 }; // the tool under the pointer, followed even while not active
    int m_tracked { -1 }; // the tracking tool whose tip shows
    POINT m_track {};     // TTM_TRACKPOSITION's point
    bool m_reshow_next {}; // the shown tip's tool was deleted: the next tool waits the reshow delay
    std::string m_shown_text;
    int m_initial { -1 }; // -1: the default
    int m_autopop { -1 };
    int m_reshow { -1 };
    int m_max_width { -1 };
    HFONT m_font {};
};

void register_tool_tip_class();

// TTF_SUBCLASS: the tool tip `tip` sees the mouse messages of `window` before it does, until
// unwatch (or until either window is destroyed).
void watch_tool_window(HWND window, HWND tip);
void unwatch_tool_window(HWND window, HWND tip);

}
