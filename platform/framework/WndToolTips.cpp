// CWnd's tool tips: EnableToolTips keeps a tool hit-test tracker per window, which asks the
// window's OnToolHitTest for the tool under the pointer on each mouse message.
#include "platform/framework/Wnd.h"

#include "platform/controls/common/ToolHitTracker.h"

using platform::commctrl::ToolHitTracker;

BOOL CWnd::EnableToolTips(BOOL enable)
{
    BOOL const was = m_tool_tips && m_tool_tips->enabled();
    if (enable && !m_tool_tips && m_hWnd) {
        m_tool_tips = std::make_unique<ToolHitTracker>(m_hWnd, [this](POINT client, TOOLINFO& info) {
            return OnToolHitTest(CPoint(client.x, client.y), &info);
        });
    }
    if (m_tool_tips)
        m_tool_tips->enable(enable != FALSE);
    return was;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    return pTI ? platform::commctrl::child_tool_hit_test(m_hWnd, point, *pTI) : -1;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (m_tool_tips && pMsg)
        m_tool_tips->filter(*pMsg);
}
