// CWnd's thin wrappers over the window API.
#include "platform/framework/Wnd.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/DialogManager.h"
#include "platform/framework/Dc.h"
#include "platform/framework/GdiObjects.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WinApp.h"
#include "platform/user/WindowCore.h"

#include <vector>

// [SECTION] Relatives

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* parent) { return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(platform::user::top_level_of(m_hWnd)); }
CWnd* CWnd::GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }
CWnd* CWnd::GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
BOOL CWnd::IsChild(CWnd const* window) const { return window && ::IsChild(m_hWnd, window->m_hWnd); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, id)); }
CWnd* CWnd::FindWindow(LPCTSTR class_name, LPCTSTR window_name) { return FromHandle(::FindWindow(class_name, window_name)); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

HWND CWnd::GetSafeOwner_(CWnd* parent, HWND* top_level)
{
    HWND hwnd = parent ? parent->m_hWnd : nullptr;
    if (!hwnd) {
        CWnd* main = AfxGetMainWnd();
        hwnd = main ? main->m_hWnd : ::GetActiveWindow();
    }
    HWND const top = hwnd ? platform::user::top_level_of(hwnd) : nullptr;
    if (top_level)
        *top_level = top;
    return top ? ::GetLastActivePopup(top) : nullptr;
}

CWnd* CWnd::GetSafeOwner(CWnd* parent, HWND* top_level)
{
    return FromHandle(GetSafeOwner_(parent, top_level));
}

// [SECTION] Attributes

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }
int CWnd::GetWindowText(LPTSTR buffer, int size) const { return ::GetWindowText(m_hWnd, buffer, size); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::GetWindowText(CString& text) const
{
    int const length = ::GetWindowTextLength(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
    ::GetWindowText(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
    text = buffer.data();
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swp_flags)
{
    DWORD const old = GetStyle();
    DWORD const style = (old & ~remove) | add;
    if (style == old)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    if (swp_flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swp_flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swp_flags)
{
    DWORD const old = GetExStyle();
    DWORD const style = (old & ~remove) | add;
    if (style == old)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(style));
    if (swp_flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swp_flags);
    return TRUE;
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}

HICON CWnd::SetIcon(HICON icon, BOOL big)
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL big) const
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0));
}

// [SECTION] Geometry and visibility

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) { ::MoveWindow(m_hWnd, x, y, width, height, repaint); }

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(CWnd const* insert_after, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insert_after ? insert_after->m_hWnd : nullptr, x, y, cx, cy, flags);
}

// Centres on the owner (or the given window), or on the work area for a window without one.
void CWnd::CenterWindow(CWnd* alternate_owner)
{
    CRect area = platform::user::work_area();
    HWND const owner = alternate_owner ? alternate_owner->m_hWnd
                                       : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (owner && (GetStyle() & WS_CHILD)) {
        ::GetClientRect(owner, &area);
    } else if (owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &area);
    }
    CRect rect;
    GetWindowRect(&rect);
    int const x = area.left + (area.Width() - rect.Width()) / 2;
    int const y = area.top + (area.Height() - rect.Height()) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

// [SECTION] Painting and timers

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags) { return ::RedrawWindow(m_hWnd, rect, region, flags); }
void CWnd::SetRedraw(BOOL redraw) { ::SendMessage(m_hWnd, WM_SETREDRAW, redraw, 0); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* dc)
{
    if (!dc)
        return 0;
    int const result = ::ReleaseDC(m_hWnd, dc->m_hDC);
    CDC::ForgetHandle(dc->m_hDC);
    return result;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

// [SECTION] Messages and dialog items

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendMessage(m_hWnd, message, wParam, lParam); }
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const { return ::PostMessage(m_hWnd, message, wParam, lParam); }

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessage(m_hWnd, id, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessage(child, message, wParam, lParam);
        if (deep && ::IsWindow(child))
            FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, deep);
    }
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    LPCTSTR const title = caption ? caption : (AfxGetApp() ? AfxGetApp()->m_pszAppName : "");
    return ::MessageBox(m_hWnd, text, title, type);
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) { ::SetDlgItemText(m_hWnd, id, text); }
int CWnd::GetDlgItemText(int id, LPTSTR buffer, int size) const { return static_cast<int>(::GetDlgItemText(m_hWnd, id, buffer, size)); }

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    if (CWnd* item = GetDlgItem(id))
        item->GetWindowText(text);
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL is_signed) { ::SetDlgItemInt(m_hWnd, id, value, is_signed); }
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL is_signed) const { return ::GetDlgItemInt(m_hWnd, id, translated, is_signed); }
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }

int CWnd::GetCheckedRadioButton(int first, int last)
{
    for (int id = first; id <= last; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id))
            return id;
    }
    return 0;
}

// [SECTION] Modal loops

int CWnd::RunModalLoop(DWORD flags) { return platform::user::run_modal_loop(m_hWnd, flags); }
void CWnd::EndModalLoop(int result) { platform::user::end_modal_loop(m_hWnd, result); }
BOOL CWnd::ContinueModal() { return platform::user::in_modal_loop(m_hWnd); }
