// What an owner-drawn button asks of its tool tip: made on first use over the button (inactive,
// at most 400 pixels wide), given every message the button sees, one tool (id 1) over the
// client area whose text follows the button's, and switched on while the pointer rests on the
// button and off again when it leaves.
//
// FIXME: the platform's tool-tip control (TOOLTIPS_CLASS) is not there yet, so this keeps the
// tool tip's state itself and shows nothing; once the control exists, each operation becomes
// the TTM_ message of the same name sent to a window made in create().
#pragma once

#include "platform/user/User.h"

#include <string>

namespace station::controls {

class ButtonToolTip {
public:
    static constexpr UINT kToolId = 1;
    static constexpr int kMaxTipWidth = 400;

    bool created() const { return m_created; }
    // Made over `owner`, inactive, with the maximum tip width.
    void create(HWND owner);
    void destroy();
    // TTM_RELAYEVENT: the tool tip sees the message before the button does.
    void relay(MSG const& msg);
    bool has_tool() const { return m_has_tool; }
    // TTM_ADDTOOL of tool id 1 over `rect` (client coordinates of the owner).
    void add_tool(RECT const& rect, std::string const& text);
    // TTM_UPDATETIPTEXT.
    void update_text(std::string const& text);
    // TTM_ACTIVATE.
    void activate(bool on);

    // [SECTION] What the tool tip holds, for the button's tests
    bool active() const { return m_active; }
    std::string const& text() const { return m_text; }
    RECT tool_rect() const { return m_rect; }
    HWND owner() const { return m_owner; }
    int max_tip_width() const { return m_max_width; }
    int relayed() const { return m_relayed; }

private:
    bool m_created {};
    bool m_active {};
    bool m_has_tool {};
    HWND m_owner {};
    RECT m_rect {};
    std::string m_text;
    int m_max_width { -1 };
    int m_relayed {};
};

}
