// The tab host: an empty child dialog (template 142) that holds page dialogs of equal size and
// the shaded page buttons that switch between them, plus extra buttons whose clicks it hands
// on to its own parent. The owner creates the pages and buttons as children of the host; the
// host keeps pointers only and never deletes them.
//
// Commands reaching the host: a page button's click shows its page alone and highlights its
// button; an extra button's click is replayed with the host's parent as the button's parent,
// so that the parent sees that button's BN_CLICKED; everything else (other controls, the
// dialog manager's IDOK and IDCANCEL from Enter and Escape) is dropped.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"

#include <vector>

class CTabDialog : public CResizeDlg {
public:
    enum { IDD = 142 };

    CTabDialog(UINT nIDTemplate = IDD, CWnd* pParent = nullptr);
    ~CTabDialog() override;

    // Registers a page and its button under the next page index; the button's order is the
    // number of buttons of either kind registered before it.
    BOOL AddPage(CDialog* pPage, CShadeButtonST* pButton);
    BOOL AddButton(CShadeButtonST* pButton);
    // Moves every page to `rect`; the page under `nIndex` is also shown and its button
    // highlighted. No page is hidden here.
    void MovePages(CRect const& rect, int nIndex);
    void HideAllPages();
    void UnhighlightButtons();

    int page_count() const { return m_nPageCount; }
    int button_count() const { return m_nButtonCount; }
    // The registered buttons of each kind, in registration order (null entries included).
    std::vector<CShadeButtonST*> PageButtons() const;
    std::vector<CShadeButtonST*> ExtraButtons() const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    BOOL show_page_of(HWND button);
    BOOL forward_extra_click(HWND button);

    CMap<int, int, CDialog*, CDialog*> m_mapPages;
    CMap<int, int, CShadeButtonST*, CShadeButtonST*> m_mapPageButtons;
    CMap<int, int, CShadeButtonST*, CShadeButtonST*> m_mapButtons;
    int m_nPageCount {};
    int m_nButtonCount {};
};
