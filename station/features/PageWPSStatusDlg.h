// The WPS tab of the access point detail: ten label and value rows describing one access
// point's WPS element. The detail dialog writes the ten texts each time it is shown, then has
// the tab move them to its controls (UpdateData(FALSE)); the tab reads nothing itself.
#pragma once

#include "station/controls/CResizeDlg.h"

#include <array>

class CPageWPSStatusDlg : public CResizeDlg {
public:
    enum { IDD = 161 };
    // The value statics in text order; the first label is 1340, the others 1347 to 1355.
    static constexpr std::array<int, 10> kValueIds { 1344, 1356, 1357, 1358, 1359, 1360, 1361, 1362, 1363, 1364 };

    explicit CPageWPSStatusDlg(CWnd* pParent = nullptr);

    // Authentication type, encryption type, config methods, device password ID, selected
    // registrar, state, version, AP setup locked, UUID-E, RF bands.
    std::array<CString, 10> m_strTexts;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a tab: ending a modeless dialog hides it.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};
