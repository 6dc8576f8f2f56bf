// The identity and password sub-tab of the 802.1X tab (template 200): identity, password,
// domain, password mode, user or machine identity and the cache option. The 802.1X tab fills
// and reads its members; this tab owns the rules that enable, disable, show and hide its
// controls for the method and inner method the 802.1X tab has chosen.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/Separator.h"

#include <array>

class CPage8021XDlg;

class CPageNamePasswordDlg : public CResizeDlg {
public:
    enum { IDD = 200 };
    enum Control : int {
        IDC_IDENTITY = 1245,
        IDC_PASSWORD = 1472,
        IDC_DOMAIN = 1038,
        IDC_SHOW_PASSWORD = 1418,
        IDC_SHOW_PASSWORD_LABEL = 1419,
        IDC_MODE_TOKEN = 1474,
        IDC_MODE_STATIC = 1475,
        IDC_MODE_WINDOWS = 1613,
        IDC_MODE_PROMPT = 1600,
        IDC_CACHE = 1632,
        IDC_CACHE_LABEL = 1633,
        IDC_PASSWORD_LABEL = 1479,
        IDC_DOMAIN_LABEL = 1035,
        IDC_MODE_LABEL = 1478,
        IDC_TITLE = 1476,
        IDC_ID_KIND = 1471,
    };
    static constexpr int kModeRadios[4] = { IDC_MODE_TOKEN, IDC_MODE_STATIC, IDC_MODE_WINDOWS, IDC_MODE_PROMPT };

    explicit CPageNamePasswordDlg(CWnd* pParent = nullptr);

    // UpdateData with the flag; from the members (0) it also applies the show-password rule.
    int UpdateDataEx(BOOL bSaveAndValidate);
    // Show password: masks or shows the password by the member and the ShowPassword option.
    void ApplyShowPassword();
    // The newer systems' rule table for the 802.1X tab's method and inner method.
    void UpdateControlsForMethod();
    void OnPasswordMode();
    void OnIdentityKind();
    // The identity kind: 0 user, 1 machine (the combo's selection).
    int IdentityKind() const;
    void SetIdentityKind(int kind);

    // The 802.1X tab, set when it creates this sub-tab.
    CPage8021XDlg* m_pOwner {};

    CString m_strIdentity;
    CString m_strPassword;
    CString m_strDomain;
    int m_bShowPassword {};
    int m_nPasswordMode { 1 };
    int m_bCacheUserInfo { 1 };

    CSmartEdit m_editPassword;
    CSeparator m_separator;
    CButtonST m_btnShowPassword;
    std::array<CButtonST, 4> m_radioMode;
    CComboBoxSuper m_comboIdKind;
    CButtonST m_btnCache;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    int checked_mode() const;
    void check_mode(int mode);
    void click_own_button();
};
