#include "station/profiles/PageASCertDlg.h"

#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

namespace {

WapiCertKind const kASKind { "CPageASCertDlg", "AS", "AS", "[Kivra] DeleteAllCert: EnumSystemCertificate Fail !!!\n",
    CPageASCertDlg::IDC_TITLE, &G_UiStr.IDS_USE_AS_CERT };

}

CPageASCertDlg::CPageASCertDlg(CWnd* pParent)
    : CWapiCertSubTab(IDD, kASKind, pParent)
{
}

int CPageASCertDlg::LoadCert(const char* path, WAPI_LOADED_CERT* loaded)
{
    return G_VxWlLib.VXWL_LoadX509ASCertificate(path, loaded);
}

int CPageASCertDlg::InstallCert(const char* path, WAPI_LOADED_CERT* loaded)
{
    return G_VxWlLib.VXWL_SetupX509ASCertificate(path, loaded);
}
