// The authentication progress window of the configuration window's lower area: the steps of
// an 802.1X authentication as they happen.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
// While its window exists it is the window the progress lines are posted to.
#pragma once

#include "station/controls/CResizeDlg.h"

class CAuthenStatusDlg : public CResizeDlg {
public:
    enum { IDD = 432 };

    explicit CAuthenStatusDlg(CWnd* pParent = nullptr);

    // Adds one line to the progress shown.
    void AppendLine(const char* line);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
