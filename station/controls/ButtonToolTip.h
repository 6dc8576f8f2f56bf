// What an owner-drawn button asks of its tool tip: a tool-tip control made on first use over
// the button (inactive, at most 400 pixels wide), given every message the button sees, one
// tool (id 1) over the client area whose text follows the button's, and switched on while the
// pointer rests on the button and off again when it leaves.
#pragma once

#include "platform/framework/ToolTipCtrl.h"

#include <string>

namespace station::controls {

class ButtonToolTip {
public:
    static constexpr UINT kToolId = 1;
    static constexpr int kMaxTipWidth = 400;

    bool created() const { return m_tip.GetSafeHwnd() != nullptr; }
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
    HWND hwnd() const { return m_tip.GetSafeHwnd(); }
    bool active() const { return m_active; }
    // The tool's text as the control keeps it (read back up to 79 characters).
    std::string text() const;
    RECT tool_rect() const;
    HWND owner() const { return m_owner; }
    int max_tip_width() const;
    int relayed() const { return m_relayed; }

private:
    bool read_tool(TOOLINFO& info, char* text) const;

    CToolTipCtrl m_tip;
    bool m_active {};
    bool m_has_tool {};
    HWND m_owner {};
    int m_relayed {};
};

}
