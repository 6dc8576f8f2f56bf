#include "platform/framework/PropertySheet.h"

#include "platform/framework/DialogManager.h"
#include "platform/framework/DialogTemplate.h"
#include "platform/framework/WinApp.h"
#include "platform/user/WindowCore.h"

#include <algorithm>

using namespace platform::framework;

namespace {

constexpr DWORD default_style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_3DLOOK | DS_CENTER;

DialogControlResource button(int id, char const* text, DWORD style)
{
    return DialogControlResource { "Button", id, WS_TABSTOP | style, 0, RECT { 0, 0, 50, 14 }, text, 0, 0 };
}

}

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_COMMAND(ID_APPLY_NOW, OnApply)
ON_NOTIFY(TCN_SELCHANGING, AFX_IDC_TAB_CONTROL, OnTabChanging)
ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, OnTabChanged)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    m_psh.dwSize = sizeof m_psh;
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet()
{
    m_strCaption.LoadString(nIDCaption);
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet()
{
    m_strCaption = pszCaption ? pszCaption : "";
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

// [SECTION] Making the window

BOOL CPropertySheet::create_window(HWND parent, DWORD style, DWORD ex_style)
{
    if (m_hWnd || m_pages.empty())
        return FALSE;
    if (m_psh.dwFlags & PSH_HASHELP) {
        for (CPropertyPage* page : m_pages)
            page->m_psp.dwFlags |= PSP_HASHELP;
    }
    DialogResource sheet;
    sheet.style = style | DS_SETFONT;
    sheet.ex_style = ex_style | WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
    sheet.caption = m_strCaption.GetString();
    sheet.rect = RECT { 0, 0, 100, 100 };
    DialogResource const* first = resources().dialog(static_cast<int>(m_pages.front()->m_nIDTemplate));
    sheet.font_face = first && !first->font_face.empty() ? first->font_face : "MS Shell Dlg";
    sheet.font_points = first && first->font_points ? first->font_points : 8;
    sheet.controls.push_back(DialogControlResource { WC_TABCONTROL, AFX_IDC_TAB_CONTROL,
        WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, 0, RECT { 0, 0, 10, 10 }, "", 0, 0 });
    if (!modeless()) {
        sheet.controls.push_back(button(IDOK, "OK", WS_VISIBLE | WS_GROUP | BS_DEFPUSHBUTTON));
        sheet.controls.push_back(button(IDCANCEL, "Cancel", WS_VISIBLE));
        if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
            sheet.controls.push_back(button(ID_APPLY_NOW, "&Apply", WS_VISIBLE));
    }
    sheet.controls.push_back(button(IDHELP, "Help", (m_psh.dwFlags & PSH_HASHELP) ? WS_VISIBLE : 0));
    if (!build_dialog(sheet, parent, this))
        return FALSE;
    HWND const hwnd = m_hWnd;
    m_tab.SubclassWindow(::GetDlgItem(hwnd, AFX_IDC_TAB_CONTROL));
    std::weak_ptr<int> alive = life();
    ::SendMessage(hwnd, WM_INITDIALOG, 0, 0);
    if (alive.expired() || !::IsWindow(hwnd))
        return FALSE;
    initialize_keyboard_cues(hwnd);
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    m_psh.dwFlags |= PSH_MODELESS;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    DWORD const style = dwStyle == static_cast<DWORD>(-1) ? default_style : dwStyle;
    CWnd* const main = AfxGetMainWnd();
    HWND const parent = m_pParentWnd ? m_pParentWnd->m_hWnd : (main && main != this ? main->m_hWnd : nullptr);
    if (!create_window(parent, style & ~WS_VISIBLE, dwExStyle))
        return FALSE;
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    m_psh.dwFlags &= ~PSH_MODELESS;
    HWND const owner = GetSafeOwner_(m_pParentWnd);
    if (!create_window(owner, default_style & ~WS_VISIBLE, 0))
        return -1;
    return platform::user::run_dialog_modal(m_hWnd, owner);
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    if (message == WM_SETFONT) {
        m_hFont = reinterpret_cast<HFONT>(wParam);
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_GETFONT) {
        *pResult = reinterpret_cast<LRESULT>(m_hFont);
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// The framework's part: tabs for the pages, the layout, the icon and the start page.
BOOL CPropertySheet::OnInitDialog()
{
    for (int i = 0; i < GetPageCount(); ++i)
        m_tab.InsertItem(i, m_pages[static_cast<size_t>(i)]->caption());
    layout();
    if ((m_psh.dwFlags & PSH_USEHICON) && m_psh.hIcon) {
        SetIcon(m_psh.hIcon, TRUE);
        SetIcon(m_psh.hIcon, FALSE);
    }
    int const start = static_cast<int>(m_psh.nStartPage) < GetPageCount() ? static_cast<int>(m_psh.nStartPage) : 0;
    activate(start, Change::Ask);
    if (HWND first = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE))
        dialog_set_focus(m_hWnd, first);
    return FALSE;
}

// Pages fill the largest page template's size; the tab control sits around them 7 dialog units
// from the edges, the buttons (50 x 14, 4 apart) in a row under it, right-aligned.
void CPropertySheet::layout()
{
    SIZE const units = dialog_base_units(m_hWnd);
    auto dx = [&](int v) { return MulDiv(v, units.cx, 4); };
    auto dy = [&](int v) { return MulDiv(v, units.cy, 8); };
    SIZE page {};
    for (CPropertyPage* p : m_pages) {
        if (DialogResource const* d = resources().dialog(static_cast<int>(p->m_nIDTemplate))) {
            page.cx = std::max(page.cx, dx(d->rect.right - d->rect.left));
            page.cy = std::max(page.cy, dy(d->rect.bottom - d->rect.top));
        }
    }
    RECT tab { 0, 0, page.cx, page.cy };
    m_tab.AdjustRect(TRUE, &tab);
    ::OffsetRect(&tab, dx(7) - tab.left, dy(7) - tab.top);
    m_tab.MoveWindow(&tab, FALSE);
    int x = tab.right;
    int const y = tab.bottom + dy(7);
    for (int id : { IDHELP, ID_APPLY_NOW, IDCANCEL, IDOK }) {
        HWND const b = ::GetDlgItem(m_hWnd, id);
        if (!b)
            continue;
        x -= dx(50);
        ::MoveWindow(b, x, y, dx(50), dy(14), FALSE);
        x -= dx(4);
    }
    RECT frame { 0, 0, tab.right + dx(7), y + dy(14) + dy(7) };
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetStyle() & DS_CENTER)
        CenterWindow();
}

RECT CPropertySheet::page_rect() const
{
    RECT r {};
    ::GetWindowRect(m_tab.m_hWnd, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    ::SendMessage(m_tab.m_hWnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

// [SECTION] Pages

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    m_pages.push_back(pPage);
    pPage->set_sheet(this);
    if (m_hWnd && (m_psh.dwFlags & PSH_HASHELP))
        pPage->m_psp.dwFlags |= PSP_HASHELP;
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    if (!m_hWnd)
        return;
    m_tab.InsertItem(GetPageCount() - 1, pPage->caption());
    if (m_active < 0)
        activate(GetPageCount() - 1, Change::Ask);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    CPropertyPage* const page = m_pages[static_cast<size_t>(nPage)];
    std::weak_ptr<int> alive = life();
    if (m_hWnd && nPage == m_active) {
        int const other = nPage + 1 < GetPageCount() ? nPage + 1 : nPage - 1;
        if (other >= 0) {
            activate(other, Change::Force);
        } else {
            kill_active();
            m_active = -1;
        }
        if (alive.expired())
            return;
    }
    if (page->m_hWnd)
        page->DestroyWindow();
    if (alive.expired())
        return;
    nPage = GetPageIndex(page);
    if (nPage < 0)
        return;
    m_pages.erase(m_pages.begin() + nPage);
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    if (!m_hWnd)
        return;
    m_tab.DeleteItem(nPage);
    if (m_active > nPage)
        --m_active;
    m_tab.SetCurSel(m_active);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return m_hWnd ? GetPage(m_active) : GetPage(static_cast<int>(m_psh.nStartPage));
}

int CPropertySheet::GetActiveIndex() const
{
    return m_hWnd ? m_active : static_cast<int>(m_psh.nStartPage);
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return activate(nPage, Change::Ask);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

CTabCtrl* CPropertySheet::GetTabControl()
{
    return m_tab.m_hWnd ? &m_tab : nullptr;
}

void CPropertySheet::SetTitle(LPCTSTR text, UINT)
{
    m_strCaption = text ? text : "";
    if (m_hWnd)
        SetWindowText(m_strCaption);
}

// [SECTION] Changing the active page

bool CPropertySheet::kill_active()
{
    CPropertyPage* const page = GetPage(m_active);
    return !page || !page->m_hWnd || page->OnKillActive();
}

bool CPropertySheet::activate(int index, Change change)
{
    if (index < 0 || index >= GetPageCount())
        return false;
    if (index == m_active)
        return true;
    std::weak_ptr<int> alive = life();
    if (change != Change::Asked && m_active >= 0) {
        bool const agreed = kill_active();
        if (alive.expired() || (!agreed && change == Change::Ask))
            return false;
    }
    CPropertyPage* const page = m_pages[static_cast<size_t>(index)];
    if (!page->m_hWnd && (!page->create_in(*this, page_rect()) || alive.expired()))
        return false;
    bool const accepted = page->OnSetActive();
    if (alive.expired() || !page->m_hWnd || (!accepted && change != Change::Force && m_active >= 0))
        return false;
    CPropertyPage* const old = GetPage(m_active);
    m_active = GetPageIndex(page);
    m_tab.SetCurSel(m_active);
    // Above the tab control, whose WS_CLIPSIBLINGS then keeps its repaints off the page: below
    // it, every repaint of the tabs covered the page's controls until they painted again.
    ::SetWindowPos(page->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    page->ShowWindow(SW_SHOW);
    if (old && old != page && old->m_hWnd)
        old->ShowWindow(SW_HIDE);
    update_help_button();
    return true;
}

void CPropertySheet::update_help_button()
{
    CPropertyPage* const page = GetPage(m_active);
    HWND const help = ::GetDlgItem(m_hWnd, IDHELP);
    if (help && page && (m_psh.dwFlags & PSH_HASHELP))
        ::EnableWindow(help, (page->m_psp.dwFlags & PSP_HASHELP) != 0);
}

void CPropertySheet::OnTabChanging(NMHDR*, LRESULT* result)
{
    *result = kill_active() ? FALSE : TRUE;
}

void CPropertySheet::OnTabChanged(NMHDR*, LRESULT*)
{
    if (!activate(m_tab.GetCurSel(), Change::Asked) && m_tab.m_hWnd)
        m_tab.SetCurSel(m_active);
}

void CPropertySheet::PostNcDestroy()
{
    m_active = -1;
    CWnd::PostNcDestroy();
}

// [SECTION] Buttons and keys

// Runs `call` on every page that has a window, in tab order, while it answers true and the
// sheet lives; answers whether every call agreed.
template<typename Call>
bool CPropertySheet::for_each_made_page(Call call)
{
    std::weak_ptr<int> alive = life();
    std::vector<CPropertyPage*> const pages = m_pages;
    for (CPropertyPage* page : pages) {
        if (alive.expired())
            return false;
        if (GetPageIndex(page) >= 0 && page->m_hWnd && !call(*page))
            return false;
    }
    return !alive.expired();
}

void CPropertySheet::OnOK()
{
    std::weak_ptr<int> alive = life();
    if (!kill_active() || alive.expired())
        return;
    if (!for_each_made_page([](CPropertyPage& p) { p.OnOK(); return true; }))
        return;
    if (!modeless())
        EndDialog(IDOK);
}

void CPropertySheet::OnApply()
{
    std::weak_ptr<int> alive = life();
    if (!kill_active() || alive.expired())
        return;
    for_each_made_page([](CPropertyPage& p) { return p.OnApply() != FALSE; });
}

void CPropertySheet::OnCancel()
{
    CPropertyPage* const page = GetPage(m_active);
    std::weak_ptr<int> alive = life();
    if (page && page->m_hWnd && !page->OnQueryCancel())
        return;
    if (alive.expired() || !for_each_made_page([](CPropertyPage& p) { p.OnReset(); return true; }))
        return;
    EndDialog(IDCANCEL);
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (!m_hWnd)
        return;
    if (modeless())
        DestroyWindow();
    else
        ::EndDialog(m_hWnd, nEndID);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    bool const keyboard = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    if (!keyboard || !m_hWnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0 && GetPageCount() > 0) {
        int const step = ::GetKeyState(VK_SHIFT) < 0 ? GetPageCount() - 1 : 1;
        activate((m_active + step) % GetPageCount(), Change::Ask);
        return TRUE;
    }
    return ::IsDialogMessage(m_hWnd, pMsg);
}
