#include "station/survey/PageStatisticsTXDlg.h"

CPageStatisticsTXDlg::CPageStatisticsTXDlg(CWnd* pParent)
    : CStatisticsTabDlg(IDD,
          { IDC_FIRST_LABEL, IDC_FIRST_EQUALS, IDC_FIRST_VALUE,
              { &CUISTR::IDS_STA_TXOK, &CUISTR::IDS_STA_TXOKRETRY, &CUISTR::IDS_STA_TXOKALLRETRY,
                  &CUISTR::IDS_STA_RTSOK, &CUISTR::IDS_STA_RTSFAIL, &CUISTR::IDS_STA_TXOKNORETRY } },
          pParent)
{
}
