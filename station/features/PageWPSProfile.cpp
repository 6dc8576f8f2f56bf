#include "station/features/PageWPSProfile.h"

CPageWPSProfile::CPageWPSProfile(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}
