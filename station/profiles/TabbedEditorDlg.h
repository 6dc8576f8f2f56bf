// What the profile editor and the security editor share: a lower-area dialog whose tabs sit in
// a tab host over the template's tab area, with a row of shaded tab buttons in the template's
// button places and shaded OK and Cancel buttons. Each editor names its tab buttons and makes
// its own pages (CreatePages); the frame lays them out, finds the buttons and paints the line
// under the page buttons.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "station/profiles/EditorTabs.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

class CTabDialog;

class CTabbedEditorDlg : public CResizeDlg, public CEditorTabs {
public:
    enum Control : int {
        IDC_TAB_AREA = 1067,
        IDC_OK = 1331,
        IDC_CANCEL = 1372,
    };
    // A tab button: its command id and the text it shows.
    struct TabButton {
        int id;
        std::string const* text;
    };

    // `first_place`: the control whose place the first tab button takes; the others follow.
    CTabbedEditorDlg(UINT idd, CWnd* parent, std::span<TabButton const> tabs, int first_place);
    ~CTabbedEditorDlg() override;

    void enable_tab_button(int id, BOOL enable) override;
    void click_tab_button(int id) override;
    CShadeButtonST* tab_button(int id);

    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    // Makes the tab buttons (make_tab_buttons) and the pages in the tab host.
    virtual BOOL CreatePages() = 0;
    BOOL make_tab_buttons();
    // The configuration window: the hidden dialog's, else the editor's parent.
    HWND config_window() const;

    std::unique_ptr<CTabDialog> m_pTabDlg;
    std::vector<std::unique_ptr<CShadeButtonST>> m_btnTabs;

    DECLARE_MESSAGE_MAP()

private:
    void place_tab_host();
    CRect placeholder(int id) const;

    std::span<TabButton const> m_tabs;
    int m_firstPlace;
};
