// The user certificate sub-tab of the WAPI tab (template 421): the station's own certificate,
// whose key buffer the load fills and the setup takes back unchanged.
#pragma once

#include "station/profiles/WapiCertSubTab.h"

class CPageUserCertDlg : public CWapiCertSubTab {
public:
    enum { IDD = 421 };
    enum { IDC_TITLE = 1491 };

    explicit CPageUserCertDlg(CWnd* pParent = nullptr);

protected:
    int LoadCert(const char* path, WAPI_LOADED_CERT* loaded) override;
    int InstallCert(const char* path, WAPI_LOADED_CERT* loaded) override;

private:
    char m_key[WAPI_USER_KEY_SIZE] {};
};
