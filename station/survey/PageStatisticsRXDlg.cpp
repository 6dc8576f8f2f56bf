#include "station/survey/PageStatisticsRXDlg.h"

CPageStatisticsRXDlg::CPageStatisticsRXDlg(CWnd* pParent)
    : CStatisticsTabDlg(IDD,
          { IDC_FIRST_LABEL, IDC_FIRST_EQUALS, IDC_FIRST_VALUE,
              { &CUISTR::IDS_STA_RXOK, &CUISTR::IDS_STA_RXCRC, &CUISTR::IDS_STA_DROP, &CUISTR::IDS_STA_RXDUPLI } },
          pParent)
{
}
