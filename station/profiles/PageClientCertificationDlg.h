// The client certificate sub-tab of the 802.1X tab (template 197): the personal store's
// certificates in a four-column combo, the chosen one's texts, and below operating-system code
// 10 the use-certificate box, from code 10 the choice between this computer and a smart card.
// The chosen certificate is a copy this tab owns (EapSubTabs.h), valid across enumerations.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CResizeDlg.h"
#include "station/profiles/EapSubTabs.h"

#include <array>

class CPageClientCertificationDlg : public CResizeDlg {
public:
    enum { IDD = 197 };
    enum Control : int {
        IDC_USE_CERT = 1454,
        IDC_TITLE = 1457,
        IDC_COMBO = 1455,
        IDC_ISSUED_TO = 1445,
        IDC_ISSUED_BY = 1446,
        IDC_EXPIRATION = 1447,
        IDC_FRIENDLY = 1458,
        IDC_LABEL_ISSUED_TO = 1449,
        IDC_LABEL_ISSUED_BY = 1450,
        IDC_LABEL_EXPIRATION = 1451,
        IDC_LABEL_FRIENDLY = 1459,
        IDC_ON_MACHINE = 1452,
        IDC_ON_SMART_CARD = 1453,
        IDC_ON_MACHINE_LABEL = 1456,
        IDC_ON_SMART_CARD_LABEL = 1460,
    };

    explicit CPageClientCertificationDlg(CWnd* pParent = nullptr);

    void OnUseClientCert();
    void OnSelectCert();
    // After the 802.1X tab set m_bUseClientCert from a profile: enumerates when the method
    // (or, below code 10, the box) asks for a certificate.
    void RefreshForMethod(int nMethod, int nTunnelCode);
    void EnumerateCertificates();
    void EnableCertControls(BOOL bEnable);
    // The current combo item's texts into the value strings and the first record with the
    // same four texts into m_selectedCert.
    void SelectCurrent();
    // Selects the enumerated certificate holding exactly the blob's bytes (a profile's stored
    // certificate); false when none does.
    bool SelectStored(KT_BLOB_KEY const& blob);
    // The defaults: nothing chosen, no certificate used, location 0.
    void Reset();

    int m_bUseClientCert {};
    CString m_strIssuedTo;
    CString m_strIssuedBy;
    CString m_strExpiration;
    CString m_strFriendlyName;
    station::profiles::CertChoice m_selectedCert;
    station::profiles::CertList m_certs;
    int m_nCertLocation {};

    CComboBoxSuper m_comboCert;
    std::array<CButtonST, 2> m_radioLocation;
    CButtonST m_btnUseCert;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
