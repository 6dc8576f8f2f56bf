// The CCX page: the CCX options of the current profile (fast roaming, radio measurement,
// management frame protection, profile rotation) and the diagnostic test. The station core
// reads its rotate-profile option when the configuration window is created or shown.
#pragma once

#include "station/controls/CResizeDlg.h"

class CPageCCXConfigDlg : public CResizeDlg {
public:
    enum { IDD = 437 };

    explicit CPageCCXConfigDlg(CWnd* pParent = nullptr);

    BOOL m_bRotateProfile {};
};
