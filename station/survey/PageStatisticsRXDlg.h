// The receive tab of the statistics page (template 116): frames received, received with a CRC
// error, dropped for want of resources, and duplicates.
#pragma once

#include "station/survey/StatisticsTabDlg.h"

class CPageStatisticsRXDlg : public CStatisticsTabDlg {
public:
    enum { IDD = 116 };
    enum Control : int { IDC_FIRST_LABEL = 1069, IDC_FIRST_EQUALS = 1073, IDC_FIRST_VALUE = 1077 };

    explicit CPageStatisticsRXDlg(CWnd* pParent = nullptr);
};
