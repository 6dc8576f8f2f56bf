// The authentication server certificate sub-tab of the WAPI tab (template 194).
#pragma once

#include "station/profiles/WapiCertSubTab.h"

class CPageASCertDlg : public CWapiCertSubTab {
public:
    enum { IDD = 194 };
    enum { IDC_TITLE = 1448 };

    explicit CPageASCertDlg(CWnd* pParent = nullptr);

protected:
    int LoadCert(const char* path, WAPI_LOADED_CERT* loaded) override;
    int InstallCert(const char* path, WAPI_LOADED_CERT* loaded) override;
};
