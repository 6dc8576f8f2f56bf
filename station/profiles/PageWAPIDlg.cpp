#include "station/profiles/PageWAPIDlg.h"

#include "station/core/VxWlLib.h"

CPageWAPIDlg::CPageWAPIDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageWAPIDlg::LoadCertificates(CString const& user_path, CString const& as_path)
{
    if (!G_VxWlLib.bWAPICert)
        return;
    m_strUserCertPath = user_path;
    m_strASCertPath = as_path;
    ShowUserCertTab();
}

void CPageWAPIDlg::ClearCertificates()
{
    if (!G_VxWlLib.bWAPICert)
        return;
    m_strUserCertPath.Empty();
    m_strASCertPath.Empty();
    ShowUserCertTab();
}

CPageWAPICertManageDlg::CPageWAPICertManageDlg(CWnd* pParent)
    : CDialog(IDD, pParent)
{
}
