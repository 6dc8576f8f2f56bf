#include "station/controls/CTabDialog.h"

BEGIN_MESSAGE_MAP(CTabDialog, CResizeDlg)
END_MESSAGE_MAP()

CTabDialog::CTabDialog(UINT nIDTemplate, CWnd* pParent)
    : CResizeDlg(nIDTemplate, pParent)
{
}

// The pages and buttons belong to the owner; only the host's records of them go.
CTabDialog::~CTabDialog()
{
    m_mapPages.RemoveAll();
    m_mapPageButtons.RemoveAll();
    m_mapButtons.RemoveAll();
}

BOOL CTabDialog::AddPage(CDialog* pPage, CShadeButtonST* pButton)
{
    m_mapPages.SetAt(m_nPageCount, pPage);
    m_mapPageButtons.SetAt(m_nPageCount, pButton);
    if (pButton)
        pButton->m_nOrder = m_nPageCount + m_nButtonCount;
    ++m_nPageCount;
    return TRUE;
}

BOOL CTabDialog::AddButton(CShadeButtonST* pButton)
{
    m_mapButtons.SetAt(m_nButtonCount, pButton);
    if (pButton)
        pButton->m_nOrder = m_nPageCount + m_nButtonCount;
    ++m_nButtonCount;
    return TRUE;
}

namespace {

std::vector<CShadeButtonST*> in_order(CMap<int, int, CShadeButtonST*, CShadeButtonST*> const& map, int count)
{
    std::vector<CShadeButtonST*> buttons;
    for (int i = 0; i < count; ++i) {
        CShadeButtonST* button = nullptr;
        map.Lookup(i, button);
        buttons.push_back(button);
    }
    return buttons;
}

}

std::vector<CShadeButtonST*> CTabDialog::PageButtons() const
{
    return in_order(m_mapPageButtons, m_nPageCount);
}

std::vector<CShadeButtonST*> CTabDialog::ExtraButtons() const
{
    return in_order(m_mapButtons, m_nButtonCount);
}

void CTabDialog::MovePages(CRect const& rect, int nIndex)
{
    CDialog* page = nullptr;
    for (int i = 0; m_mapPages.Lookup(i, page); ++i) {
        if (!page || !page->m_hWnd)
            continue;
        page->MoveWindow(&rect, TRUE);
        if (i != nIndex)
            continue;
        page->ShowWindow(SW_SHOW);
        CShadeButtonST* button = nullptr;
        if (m_mapPageButtons.Lookup(i, button) && button)
            button->m_bHighlighted = TRUE;
    }
}

void CTabDialog::HideAllPages()
{
    CDialog* page = nullptr;
    for (int i = 0; i < m_nPageCount; ++i) {
        if (m_mapPages.Lookup(i, page) && page && page->m_hWnd)
            page->ShowWindow(SW_HIDE);
    }
}

void CTabDialog::UnhighlightButtons()
{
    CShadeButtonST* button = nullptr;
    for (int i = 0; i < m_nPageCount; ++i) {
        if (!m_mapPageButtons.Lookup(i, button) || !button)
            continue;
        button->m_bHighlighted = FALSE;
        if (button->m_hWnd)
            button->Invalidate();
    }
    Invalidate(TRUE);
}

BOOL CTabDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return CResizeDlg::OnCommand(wParam, lParam);
    HWND const from = reinterpret_cast<HWND>(lParam);
    if (!from)
        return FALSE;
    return show_page_of(from) || forward_extra_click(from);
}

BOOL CTabDialog::show_page_of(HWND button)
{
    for (int i = 0; i < m_nPageCount; ++i) {
        CShadeButtonST* candidate = nullptr;
        CDialog* page = nullptr;
        if (!m_mapPageButtons.Lookup(i, candidate) || !candidate || candidate->m_hWnd != button)
            continue;
        if (!m_mapPages.Lookup(i, page) || !page)
            continue;
        UnhighlightButtons();
        candidate->m_bHighlighted = TRUE;
        HideAllPages();
        // The host paints the area the hidden page left before the new page paints itself:
        // painted later, a host that does not clip its children would cover the new page.
        UpdateWindow();
        if (page->m_hWnd) {
            page->ShowWindow(SW_SHOW);
            page->UpdateWindow();
        }
        return TRUE;
    }
    return FALSE;
}

// The click is replayed with the host's parent as the button's parent, so the parent's own
// BN_CLICKED handling of that id runs; then the button comes back to the host.
BOOL CTabDialog::forward_extra_click(HWND button)
{
    for (int i = 0; i < m_nButtonCount; ++i) {
        CShadeButtonST* candidate = nullptr;
        if (!m_mapButtons.Lookup(i, candidate) || !candidate || candidate->m_hWnd != button)
            continue;
        CWnd* const host_parent = GetParent();
        candidate->SetParent(host_parent);
        candidate->SendMessage(BM_CLICK);
        candidate->SetParent(this);
        return TRUE;
    }
    return FALSE;
}
