// The transmit tab of the statistics page (template 126): frames sent, sent after retries,
// failed after all retries, RTS frames answered and unanswered, and frames sent at once.
#pragma once

#include "station/survey/StatisticsTabDlg.h"

class CPageStatisticsTXDlg : public CStatisticsTabDlg {
public:
    enum { IDD = 126 };
    enum Control : int { IDC_FIRST_LABEL = 1313, IDC_FIRST_EQUALS = 1319, IDC_FIRST_VALUE = 1325 };

    explicit CPageStatisticsTXDlg(CWnd* pParent = nullptr);
};
