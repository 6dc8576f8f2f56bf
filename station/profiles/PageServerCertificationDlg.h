// The server certificate sub-tab of the 802.1X tab (template 233): whether the server's
// certificate is validated, against which trusted authority ("- Any Trusted CA -" or one of
// the trusted root store), intermediate certificates, the server name and its matching rule.
// The chosen authority is a copy this tab owns (EapSubTabs.h).
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CResizeDlg.h"
#include "station/profiles/EapSubTabs.h"

#include <array>

class CPage8021XDlg;

class CPageServerCertificationDlg : public CResizeDlg {
public:
    enum { IDD = 233 };
    enum Control : int {
        IDC_USE_CERT = 1480,
        IDC_TITLE = 1489,
        IDC_INTERMEDIATE = 1482,
        IDC_COMBO = 1481,
        IDC_SERVER_LABEL = 1486,
        IDC_SERVER_NAME = 1245,
        IDC_INTERMEDIATE_LABEL = 1485,
        IDC_RULE_EXACT = 1483,
        IDC_RULE_DOMAIN = 1484,
        IDC_RULE_EXACT_LABEL = 1487,
        IDC_RULE_DOMAIN_LABEL = 1488,
    };
    static constexpr char const* kAnyTrustedCA = "- Any Trusted CA -";

    explicit CPageServerCertificationDlg(CWnd* pParent = nullptr);

    void OnUseServerCert();
    void OnSelectCA();
    void FillCAList();
    // After the 802.1X tab set the members from a profile.
    void RefreshServerCert();
    // Selects the enumerated authority holding exactly the blob's bytes; false when none does.
    bool SelectStored(KT_BLOB_KEY const& blob);
    void Reset();

    // The 802.1X tab, set when it creates this sub-tab.
    CPage8021XDlg* m_pOwner {};

    int m_bUseServerCert {};
    int m_bAllowIntermediate {};
    int m_nServerNameRule {};
    CString m_strServerName;
    station::profiles::CertList m_certs;
    station::profiles::CertChoice m_selectedCA;

    CButtonST m_btnUseCert;
    CButtonST m_btnIntermediate;
    CComboBoxSuper m_comboCA;
    std::array<CButtonST, 2> m_radioRule;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void enable_dependents(bool enable);
};
