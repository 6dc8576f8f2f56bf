// The drop-down menu of CButtonST: attaching a UxMenu, the owner's notification just before
// it opens, tracking it under the button on a click, and the menu's owner-draw and keyboard
// messages, which come to the button while the menu is open.
#include "station/controls/ButtonST.h"
#include "station/controls/UxMenu.h"

// Set by the program's exit command; a menu that returns while the program closes touches
// nothing more. Weak, so that the controls link without the program's core (tests define it).
extern BOOL g_bExitingUI __attribute__((weak));

namespace {

bool exiting_ui()
{
    BOOL const* flag = &g_bExitingUI;
    return flag && *flag;
}

}

void CButtonST::DropMenuDeleter::operator()(UxMenu* menu) const
{
    delete menu;
}

DWORD CButtonST::AttachDropMenu(UINT menu_id, HWND owner, int look, UINT toolbar_id,
    std::map<UINT, CString> const& texts, int image_width, int image_height, COLORREF image_background, BOOL repaint)
{
    if (m_menu) {
        m_menu.reset();
        m_hMenuOwner = nullptr;
        m_bMenuOpen = FALSE;
    }
    if (menu_id == 0) {
        repaint_if(repaint);
        return 0;
    }
    UxMenu::xp_look() = look;
    UxMenu::other_look() = look;
    m_menu.reset(new UxMenu);
    if (!m_menu->LoadTranslatedMenu(menu_id, texts)) {
        m_menu.reset();
        return 1;
    }
    if (toolbar_id) {
        m_menu->set_image_options(image_width, image_height, image_background);
        if (!m_menu->TakeToolbarImages(toolbar_id)) {
            m_menu.reset();
            return 1;
        }
    }
    m_hMenuOwner = owner;
    repaint_if(repaint);
    return 0;
}

DWORD CButtonST::RegisterMenuNotify(HWND window, UINT message, LPARAM lparam)
{
    m_hCallbackWnd = window;
    m_nCallbackMsg = message;
    m_lCallbackParam = lparam;
    return 0;
}

bool CButtonST::has_drop_menu() const
{
    return m_menu && m_menu->m_hMenu;
}

// Shows the button pressed while its menu is open; the chosen command goes to the menu's
// owner as a posted WM_COMMAND. The owner's notification or the command may destroy the
// button, so nothing of it is touched once it is gone.
BOOL CButtonST::track_drop_menu()
{
    CRect rect;
    GetWindowRect(&rect);
    m_bMenuOpen = TRUE;
    Invalidate();
    HMENU const drop = m_menu->GetSubMenu(0);
    auto const alive = life();
    if (m_hCallbackWnd)
        ::SendMessage(m_hCallbackWnd, m_nCallbackMsg, reinterpret_cast<WPARAM>(drop), m_lCallbackParam);
    if (alive.expired())
        return TRUE;
    UINT const command = static_cast<UINT>(
        TrackPopupMenu(drop, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, rect.left, rect.bottom, 0, m_hWnd, nullptr));
    if (exiting_ui() || alive.expired())
        return TRUE;
    m_bMenuOpen = FALSE;
    Invalidate();
    if (command)
        ::PostMessage(m_hMenuOwner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
    return FALSE;
}

LRESULT CButtonST::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    auto const menu = reinterpret_cast<HMENU>(lParam);
    if (UxMenu::is_registered(menu))
        return UxMenu::FindKeyboardShortcut(LOWORD(wParam), HIWORD(wParam), menu);
    return Default();
}

void CButtonST::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item)
{
    if (item && item->CtlType == ODT_MENU) {
        if (UxMenu* owner = m_menu ? m_menu->owner_of(item->itemData) : nullptr) {
            owner->MeasureItem(item);
            return;
        }
    }
    CWnd::OnMeasureItem(id, item);
}

void CButtonST::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    if (item && item->CtlType == ODT_MENU) {
        if (UxMenu* owner = m_menu ? m_menu->owner_of(item->itemData) : nullptr) {
            owner->DrawItem(item);
            return;
        }
    }
    CWnd::OnDrawItem(id, item);
}
