// What the user and AS certificate sub-tabs of the WAPI tab share (templates 421 and 194): the
// chosen ".cer" path, the issued-to, issued-by and expiry texts, and the Browse button that has
// the WLAN library load the file and install it as the system's one WAPI certificate, after
// removing every certificate installed before. The two kinds differ only in their load and
// setup calls and in their trace words (WapiCertKind).
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "wlan/api/Profile.h"

#include <cstdint>
#include <string>

// The expiration text of an installed certificate from its kind (0 X.509) and the validity
// texts VXWL_GetCertificateManagerParam gave: a 13-character UTCTime end as
// "20YY/MM/DD hh:mm:ss", another X.509 end as "start-end", the national kind as the first four
// bytes of each as hexadecimal.
std::string WapiExpirationText(std::uint32_t kind, std::string const& valid_from, std::string const& valid_to);

// The open-file dialog of a ".cer" file (128-byte path, owner the configuration window); false
// on cancel or failure, traced with the dialog's error code.
bool ChooseCerFile(CString& path);

// The words of one kind of sub-tab in its traces and messages.
struct WapiCertKind {
    const char* class_name;     // "CPageUserCertDlg"
    const char* cert_word;      // "USER", "AS"
    const char* call_word;      // "User", "AS": LoadX509<word>Certificate
    const char* enum_fail;      // DeleteAllCert's enumeration failure trace
    int title_id;               // 1491 or 1448
    std::string const* title;   // IDS_USE_USER_CERT or IDS_USE_AS_CERT
};

class CWapiCertSubTab : public CResizeDlg {
public:
    enum Control : int {
        IDC_ISSUED_TO = 1445,
        IDC_ISSUED_BY = 1446,
        IDC_EXPIRATION = 1447,
        IDC_PATH = 1245,
        IDC_LABEL_TO = 1449,
        IDC_LABEL_BY = 1450,
        IDC_LABEL_EXPIRATION = 1451,
        IDC_BROWSER = 1444,
    };

    CWapiCertSubTab(UINT nIDTemplate, WapiCertKind const& kind, CWnd* pParent);

    // Removes every installed WAPI certificate, highest index first.
    void DeleteAllCert();
    // Loads and installs the file at `path`, then shows what the installed list holds; a
    // failed load or setup shows its message and leaves the texts as they were.
    void SetupCert(CString const& path);
    // Shows the file's details as VXWL_GetWAPICertInfo gives them (empty texts without it).
    void ShowCertInfo(CString const& path);
    // The path chosen for a loaded profile, shown in the path edit.
    void SetCertPath(CString const& path);
    // Empties the texts and the path.
    void ClearCert();

    CString m_strIssuedTo;
    CString m_strIssuedBy;
    CString m_strExpiration;
    CString m_strCertPath;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The kind's load and setup calls (0 = success).
    virtual int LoadCert(const char* path, WAPI_LOADED_CERT* loaded) = 0;
    virtual int InstallCert(const char* path, WAPI_LOADED_CERT* loaded) = 0;

    afx_msg void OnBrowser();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void show_installed();
    void show_texts(CString const& to, CString const& by, CString const& expiration);

    WapiCertKind m_kind;
    CStatic m_labelTitle;
    CStatic m_labelTo;
    CStatic m_labelBy;
    CStatic m_labelExpiration;
    CShadeButtonST m_btnBrowser;
    CFont m_font;
};
