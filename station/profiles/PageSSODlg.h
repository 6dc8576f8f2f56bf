// The single sign-on page of the configuration window (template 435): whether profiles connect
// with the identity of the user logging on, where the credentials come from at logon, whether a
// pre-logon connection stays up, and which of the profiles that the option file's [SSO]
// section allows is used at logon. All the state lives in the WLAN library: the page reads it
// when shown, writes the credential source and the persistent connection as they change, and
// the rest on Apply, which also re-applies the chosen and then the active profile.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"

#include <array>

struct WLANPROFILE;

class CPageSSODlg : public CResizeDlg {
public:
    enum { IDD = 435 };
    enum Control : int {
        IDC_ENABLE = 1517,
        IDC_PERSISTENT = 1518,
        IDC_SOURCE_LOGON = 1519, // 1520 the profile's, 1521 a prompt
        IDC_SOURCE_PROFILE = 1520,
        IDC_SOURCE_PROMPT = 1521,
        IDC_PROFILES = 1522,
        IDC_LABEL_ENABLE = 1523,
        IDC_LABEL_PERSISTENT = 1524,
        IDC_LABEL_LOGON = 1525,
        IDC_LABEL_PROFILE = 1526,
        IDC_LABEL_PROMPT = 1527,
        IDC_GROUP_LIST = 1528,
        IDC_GROUP_INFO = 1529,
        IDC_LABEL_SELECT = 1530,
        IDC_LABEL_NAME = 1531,
        IDC_LABEL_SSID = 1532,
        IDC_LABEL_AUTH = 1533,
        IDC_NAME = 1534,
        IDC_SSID = 1535,
        IDC_AUTH = 1536,
        IDC_APPLY = 1044,
    };

    explicit CPageSSODlg(CWnd* pParent = nullptr);

    // The hidden dialog's activation of a profile on an older system: `name` becomes the page's
    // single sign-on profile, shown with its details.
    void ShowSSOProfile(CString const& name);

    // 0 Windows logon credentials, 1 the profile's, 2 a prompt.
    int m_nCredentialSource {};
    int m_bEnableSSO {};
    int m_bPersistentConn {};
    CString m_strAuthText;
    CString m_strSSOProfile;
    CString m_strSSID;

    CComboBoxSuper m_comboProfiles;
    CShadeButtonST m_btnApply;
    CButtonST m_checkEnable;
    CButtonST m_checkPersistent;
    std::array<CButtonST, 3> m_radioSource;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnEnableSSO();
    afx_msg void OnPersistentConn();
    afx_msg void OnCredentialSource();
    afx_msg void OnSelChangeProfile();
    afx_msg void OnApply();

    DECLARE_MESSAGE_MAP()

private:
    void init_controls();
    void FillSSOProfiles();
    void ReadSSOState();
    void SelectSSOProfile();
    void ShowProfileInfo(CString const& name);
    // The authentication text of a profile; false leaves the page's text as it was.
    static bool auth_text_of(WLANPROFILE const& profile, CString& text);
    // Only the profile's own credentials: the logon and prompt sources and their labels off.
    void force_profile_credentials();
    void enable(std::initializer_list<int> ids, bool on);
    // Everything but the enable box and its label.
    void enable_all_others(bool on);
    // The controls the feature's being on enables: the sources, the list and the persistent box.
    void enable_feature_controls();
    void enable_info(bool on);
    bool has_selection();
    HWND config_window() const;
};
