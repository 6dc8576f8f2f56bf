// The CCX tab of the access point detail: whether the network offers CCKM, CMIC and CKIP, as
// "TRUE" or "FALSE". The detail dialog writes the texts and moves them to the controls.
#pragma once

#include "station/controls/CResizeDlg.h"

#include <array>

class CPageCCXDlg : public CResizeDlg {
public:
    enum { IDD = 163 };
    // Labels 1365-1367 ("CCKM >>", "Cmic >>", "Ckip >>") and their values 1368-1370.
    enum Control : int { IDC_CCKM_LABEL = 1365, IDC_CCKM = 1368, IDC_CMIC = 1369, IDC_CKIP = 1370 };

    explicit CPageCCXDlg(CWnd* pParent = nullptr);

    // CCKM, CMIC, CKIP.
    std::array<CString, 3> m_strTexts;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CFont m_font;
};
