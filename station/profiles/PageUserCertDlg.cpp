#include "station/profiles/PageUserCertDlg.h"

#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <iterator>

namespace {

WapiCertKind const kUserKind { "CPageUserCertDlg", "USER", "User", "[Kivra] EnumSystemCertificate Fail !!!\n",
    CPageUserCertDlg::IDC_TITLE, &G_UiStr.IDS_USE_USER_CERT };

}

CPageUserCertDlg::CPageUserCertDlg(CWnd* pParent)
    : CWapiCertSubTab(IDD, kUserKind, pParent)
{
}

int CPageUserCertDlg::LoadCert(const char* path, WAPI_LOADED_CERT* loaded)
{
    // A fresh buffer for each load: the setup gets only what this load wrote.
    std::fill(std::begin(m_key), std::end(m_key), '\0');
    return G_VxWlLib.VXWL_LoadX509UserCertificate(path, loaded, m_key);
}

int CPageUserCertDlg::InstallCert(const char* path, WAPI_LOADED_CERT* loaded)
{
    return G_VxWlLib.VXWL_SetupX509UserCertificate(path, loaded, m_key);
}
