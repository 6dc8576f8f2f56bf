#include "station/features/Page80211nSettingDlg.h"

CPage80211nSettingDlg::CPage80211nSettingDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
