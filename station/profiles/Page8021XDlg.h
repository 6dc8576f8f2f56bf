// The 802.1X tab of the profile and security editors (template 189): the EAP method, its inner
// method and session resumption, over sub-tabs for the identity, the certificates, EAP-FAST and
// single sign-on. For now it holds the members and calls the editors and the authentication
// tab use; the method's controls and the sub-tabs come with the tab's own work, and until then
// the tab keeps the sub-tabs' values as the editor loaded them, so an edited profile keeps its
// 802.1X settings when it is saved again.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/core/EapSettingData.h"

#include <cstdint>
#include <vector>

class CShadeButtonST;
class CPageNamePasswordDlg;
class CPageClientCertDlg;
class CPageServerCertDlg;
class CPageEapFastDlg;
class CPageProfileSSODlg;

class CPage8021XDlg : public CResizeDlg {
public:
    enum { IDD = 189 };

    explicit CPage8021XDlg(CWnd* pParent = nullptr);

    // Re-runs the commands of a method with its stored inner method.
    void ApplyEapMethod(int nMethod);
    // Defaults for a new profile or a scanned network: PEAP with EAP-MSCHAP v2, session
    // resumption on, the sub-tabs' defaults.
    void ResetToDefault();
    // Takes the editor's 802.1X settings block, its PAC list and its single sign-on bits.
    void LoadFromEditor(EAP_SETTING_DATA const& block, PAC_ENTRY const* pacs, int pac_count, std::uint32_t sso_bits);
    // The tab's check before the editor saves; nothing of it can fail yet.
    BOOL Validate() { return TRUE; }

    int m_nEapMethod {};
    int m_nTunnelIndex {};
    int m_nTtlsTunnelIndex {};
    BOOL m_bSessionResumption { TRUE };
    BOOL m_bInProfileEditor {};

    // The sub-tabs and their buttons; none exist yet.
    CPageNamePasswordDlg* m_pNamePasswordDlg {};
    CPageClientCertDlg* m_pClientCertDlg {};
    CPageServerCertDlg* m_pServerCertDlg {};
    CPageEapFastDlg* m_pEapFastDlg {};
    CPageProfileSSODlg* m_pProfileSSODlg {};
    CShadeButtonST* m_pBtnNamePassword {};
    CShadeButtonST* m_pBtnEapFast {};
    CShadeButtonST* m_pBtnClientCert {};
    CShadeButtonST* m_pBtnServerCert {};
    CShadeButtonST* m_pBtnSSO {};

    // What the sub-tabs will hold: the identity, certificate and EAP-FAST values, the rows of
    // the EAP-FAST tab's PAC list and the single sign-on flags (ssoInfo bits 0..2).
    EAP_SETTING_DATA m_SubTabValues;
    std::vector<PAC_ENTRY> m_PacRows;
    std::uint32_t m_nSsoBits {};
};
