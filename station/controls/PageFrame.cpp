#include "station/controls/PageFrame.h"

#include "platform/framework/Dc.h"

namespace {

BOOL g_own_hide_tab_icon = FALSE;
BOOL* g_hide_tab_icon = &g_own_hide_tab_icon;

}

void PaintPageTopLine(CWnd& page, CDC& dc)
{
    CRect client;
    page.GetClientRect(&client);
    dc.FillSolidRect(0, 0, client.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
    dc.FillSolidRect(0, 1, client.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void BindHideTabIcon(BOOL* pHideTabIcon) { g_hide_tab_icon = pHideTabIcon ? pHideTabIcon : &g_own_hide_tab_icon; }

LRESULT PageNcHitTest(CWnd& page)
{
    if (*g_hide_tab_icon)
        return ::SendMessage(::GetAncestor(page.m_hWnd, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return page.Default();
}
