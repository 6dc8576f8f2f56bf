// CWnd's default message handlers and its own message map: the owner-drawing, colour and
// scroll messages ask the control first (reflection), everything else goes to the original
// procedure.
#include "platform/framework/Dc.h"
#include "platform/framework/MenuObject.h"
#include "platform/framework/Resources.h"
#include "platform/framework/Wnd.h"

#include <cstring>
#include <string.h>

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_CTLCOLOR()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_DELETEITEM()
ON_WM_COMPAREITEM()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }
BOOL CWnd::OnDeviceChange(UINT, DWORD_PTR) { return static_cast<BOOL>(Default()); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* window, UINT)
{
    LRESULT result = 0;
    if (window && ReflectLastMsg(window->m_hWnd, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

// A scroll bar control or a trackbar names itself in lParam; a window's own bars send null.
// The control object's map sees the message first, so a page that handles no scrolling
// still lets its sliders follow their thumbs.
void CWnd::OnHScroll(UINT, UINT, CScrollBar* bar)
{
    if (bar && ReflectLastMsg(reinterpret_cast<CWnd*>(bar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* bar)
{
    if (bar && ReflectLastMsg(reinterpret_cast<CWnd*>(bar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item)
{
    if (item && item->CtlType == ODT_MENU) {
        // A menu's hwndItem is the menu handle.
        if (CMenu* menu = platform::framework::permanent_menu(reinterpret_cast<HMENU>(item->hwndItem))) {
            menu->DrawItem(item);
            return;
        }
    } else if (item && ReflectLastMsg(item->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item)
{
    if (item && item->CtlType != ODT_MENU) {
        if (CWnd* control = GetDlgItem(id); control && ReflectLastMsg(control->m_hWnd))
            return;
    }
    Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT item)
{
    if (item && ReflectLastMsg(item->hwndItem))
        return;
    Default();
}

int CWnd::OnCompareItem(int, COMPAREITEMSTRUCT* item)
{
    LRESULT result = 0;
    if (item && ReflectLastMsg(item->hwndItem, &result))
        return static_cast<int>(result);
    return static_cast<int>(Default());
}

// Fills the lists the template names with their strings: combo boxes (a class name with
// "combo" in it) get CB_ADDSTRING, list boxes LB_ADDSTRING.
BOOL CWnd::ExecuteDlgInit(UINT template_id)
{
    auto const* dialog = platform::framework::resources().dialog(static_cast<int>(template_id));
    if (!dialog)
        return FALSE;
    for (auto const& [id, items] : dialog->init) {
        HWND const control = ::GetDlgItem(m_hWnd, id);
        if (!control)
            continue;
        char name[32] {};
        ::GetClassName(control, name, sizeof name);
        UINT const add = strcasestr(name, "combo") ? CB_ADDSTRING : LB_ADDSTRING;
        for (std::string const& item : items)
            ::SendMessage(control, add, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    return TRUE;
}
