// The CCX page of the configuration window: the CCX options of the control word (fast roaming,
// radio measurement, management frame protection, profile rotation) and the diagnostic test.
// For now it shows its template; the station core already reads its rotate-profile option when
// the window is created or shown, and the authentication progress window its message text.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageCCXConfigDlg : public CResizeDlg {
public:
    enum { IDD = 437 };

    explicit CPageCCXConfigDlg(CWnd* pParent = nullptr);

    // Stops a running diagnostic test and enables its button again.
    void StopDiagnostic();

    BOOL m_bRotateProfile {};
    // The diagnostic test's current message; at most 240 characters are copied in.
    char m_chMessage[256] {};

protected:
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
};
