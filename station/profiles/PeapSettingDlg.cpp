#include "station/profiles/PeapSettingDlg.h"

CPeapSettingDlg::CPeapSettingDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
