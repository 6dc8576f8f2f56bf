// The security dialog of the configuration page: authentication and cipher, the WPA pre-shared
// key with the group rekey interval, or four WEP keys. It edits a copy of the record's security
// block and rewrites the whole block on OK; Cancel leaves the page's copy alone. The lists and
// checks are SecurityRules'. Every message box runs under the sheet's modal guard.
#pragma once

#include "accesspoint/pages/SecurityRules.h"
#include "platform/framework/AfxControls.h"
#include "platform/framework/Dialog.h"
#include "station/controls/CSmartEdit.h"
#include "wlan/api/ApRecords.h"

namespace hotvane {

class CAuthSecuDlg : public CDialog {
public:
    enum { IDD = 115 };
    enum Control : int {
        IDC_AUTH = 6012, IDC_ENCRYPTION = 1111, IDC_PSK = 6053, IDC_REKEY = 1113, IDC_REKEY_UNIT = 1130,
        IDC_RADIUS_IP = 1117, IDC_RADIUS_PORT = 1118, IDC_RADIUS_KEY = 1119, IDC_KEY1 = 6062, IDC_KEY2 = 1063,
        IDC_KEY3 = 1064, IDC_KEY4 = 1065, IDC_FORMAT1 = 1110, IDC_FORMAT2 = 1112, IDC_FORMAT3 = 1114,
        IDC_FORMAT4 = 1115, IDC_WEP1 = 1120, IDC_WEP2 = 1121, IDC_WEP3 = 1122, IDC_WEP4 = 1123,
        IDC_WEP_GROUP = 1131, IDC_HINT = 1214, IDC_SHOW_PASSWORD = 1215, IDC_AUTH_LABEL = 1101,
        IDC_ENCRYPTION_LABEL = 1102, IDC_PSK_LABEL = 1103, IDC_REKEY_LABEL = 1104,
    };
    static constexpr int kFormatIds[4] = { IDC_FORMAT1, IDC_FORMAT2, IDC_FORMAT3, IDC_FORMAT4 };
    static constexpr int kWepIds[4] = { IDC_WEP1, IDC_WEP2, IDC_WEP3, IDC_WEP4 };

    explicit CAuthSecuDlg(CWnd* pParent = nullptr);

    ApSecurity m_security {};

    std::uint32_t m_nAuthenMode {};
    std::uint32_t m_nEncryStatus {};
    DWORD m_dwRadiusServerIp {};
    int m_nRekeyMethod {};
    CString m_strWepKey[4];
    int m_nKeyFormat[4] {};
    int m_nDefaultKeyId {};
    CString m_strRadiusKey;
    int m_nRadiusPort {};
    CString m_strRekey;
    CString m_strPsk;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelchangeAuth();
    afx_msg void OnSelchangeEncryption();
    afx_msg void OnSelchangeFormat();
    afx_msg void OnRekeyUnit();
    afx_msg void OnKeyRadio();
    afx_msg void OnShowPassword();
    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void fill_encryption();
    void set_fields();
    void set_key_limits();
    bool check_rekey();
    bool check_keys();
    void write_block();
    void message(std::string const& text);
    void enable(int id, bool enabled);
    CipherPermissions permissions() const;

    CComboBox m_cmbAuth, m_cmbEncryption, m_cmbFormat[4];
    CSmartEdit m_editWep[4];
};

}
