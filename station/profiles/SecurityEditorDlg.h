// The security editor of the configuration window's lower area: the security settings of a
// network chosen on the site survey page before it is connected.
// For now a placeholder that shows its template only; its behaviour arrives with its own work.
#pragma once

#include "station/controls/CResizeDlg.h"

class CSecurityEditorDlg : public CResizeDlg {
public:
    enum { IDD = 426 };

    explicit CSecurityEditorDlg(CWnd* pParent = nullptr);
};
