// The 802.1X tab of the profile and security editors (template 189): the EAP method and its
// inner method from two menu buttons, session resumption, and five sub-tabs on a tab host of
// its own (identity and password, EAP-FAST, client certificate, server certificate, single
// sign-on). It decides which sub-tabs show for a method, drives the sub-tabs' controls,
// resets them for a new profile, loads them from the editor's 802.1X block and checks them at
// the editor's OK. `m_bInProfileEditor` tells the two editors apart.
//
// Both editors read the result through GatherSubTabs: the block of what the tab and its
// sub-tabs hold, the EAP-FAST tab's PAC rows and the single sign-on bits.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CResizeDlg.h"
#include "station/core/EapSettingData.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CShadeButtonST;
class CTabDialog;
class CPageNamePasswordDlg;
class CPageClientCertificationDlg;
class CPageServerCertificationDlg;
class CPageEAPFastDlg;
class CPageProfileSSODlg;

class CPage8021XDlg : public CResizeDlg {
public:
    enum { IDD = 189 };
    enum Control : int {
        IDC_METHOD = 1431,
        IDC_TUNNEL = 1432,
        IDC_SESSION_RESUMPTION = 1435,
        IDC_SESSION_LABEL = 1436,
        IDC_METHOD_LABEL = 1433,
        IDC_TUNNEL_LABEL = 1434,
        IDC_SUBTAB_AREA = 1437,
        IDC_TAB_HOST = 1067,
        IDC_SLOT1 = 1438,
        IDC_SLOT2 = 1439,
        IDC_SLOT3 = 1440,
        IDC_SLOT4 = 1441,
        IDC_SLOT5 = 1615,
        IDC_BTN_NAME_PASSWORD = 427,
        IDC_BTN_EAP_FAST = 428,
        IDC_BTN_CLIENT_CERT = 429,
        IDC_BTN_SERVER_CERT = 430,
        IDC_BTN_SSO = 447,
    };
    enum Command : int {
        ID_PEAP = 32882,
        ID_TLS = 32883,
        ID_TTLS = 32884,
        ID_EAP_FAST = 32885,
        ID_MD5 = 32886,
        ID_LEAP = 32887,
        ID_INNER_MSCHAPV2 = 32891,
        ID_INNER_TLS = 32892,
        ID_INNER_GTC = 32893,
        ID_TTLS_CHAP = 32901, // .. 32905: CHAP, MS-CHAP, MS-CHAP-V2, PAP, EAP-MD5
    };
    static constexpr UINT WM_METHOD_MENU = WM_USER + 106;
    static constexpr UINT WM_TUNNEL_MENU = WM_USER + 108;
    // Menus: the method menu of older (204) and newer (208) systems, PEAP and EAP-FAST's inner
    // menu (205), TTLS's (207); their image strips.
    static constexpr UINT kMethodMenuOlder = 204, kMethodMenuNewer = 208, kPeapMenu = 205, kTtlsMenu = 207;
    static constexpr UINT kMethodImagesOlder = 209, kMethodImagesNewer = 211, kPeapImages = 213, kTtlsImages = 217;

    explicit CPage8021XDlg(CWnd* pParent = nullptr);
    ~CPage8021XDlg() override;

    // Re-runs the commands of a method with its stored inner method.
    void ApplyEapMethod(int nMethod);
    // Defaults for a new profile or a scanned network: PEAP with EAP-MSCHAP v2, session
    // resumption on, the sub-tabs' defaults.
    void ResetToDefault();
    // Takes the editor's 802.1X settings block, its PAC list and its single sign-on bits.
    void LoadFromEditor(EAP_SETTING_DATA const& block, PAC_ENTRY const* pacs, int pac_count, std::uint32_t sso_bits);
    // The tab's check before the editor saves: FALSE, after its message, stops the save.
    BOOL Validate();
    // Reads the controls of the tab and its sub-tabs into m_SubTabValues, m_PacRows and
    // m_nSsoBits, for the editor to save.
    void GatherSubTabs();
    // The commands for a method; ShowSubTabs ends each.
    void ShowSubTabs(int nMethod);
    // The EAP-FAST and certificate buttons' slots under EapFastEnhancement.
    void PlaceEnhancedButtons(int nMethod);
    // A method's or inner method's command, as the menus send it.
    BOOL RunCommand(UINT id);

    int m_bInProfileEditor {};
    int m_nEapMethod {};
    int m_nTunnelIndex {};
    int m_nTtlsTunnelIndex {};
    int m_bSessionResumption { 1 };
    int m_bAllowMD5 {};

    CShadeButtonST* m_pBtnNamePassword {};
    CShadeButtonST* m_pBtnEapFast {};
    CShadeButtonST* m_pBtnClientCert {};
    CShadeButtonST* m_pBtnServerCert {};
    CShadeButtonST* m_pBtnSSO {};
    CTabDialog* m_pTabDlg {};
    CPageNamePasswordDlg* m_pNamePasswordDlg {};
    CPageEAPFastDlg* m_pEapFastDlg {};
    CPageClientCertificationDlg* m_pClientCertDlg {};
    CPageServerCertificationDlg* m_pServerCertDlg {};
    CPageProfileSSODlg* m_pProfileSSODlg {};

    CButtonST m_btnMethod;
    CButtonST m_btnTunnel;
    CButtonST m_checkSessionResumption;
    CFont m_font;

    // What GatherSubTabs collected for the editors.
    EAP_SETTING_DATA m_SubTabValues;
    std::vector<PAC_ENTRY> m_PacRows;
    std::uint32_t m_nSsoBits {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnMethodMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTunnelMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CPageEAPFastDlg;
    BOOL CreateSubPages();
    BOOL create_sub_button(std::unique_ptr<CShadeButtonST>& button, int id, std::string const& text, int slot);
    void place_button(CShadeButtonST* button, int slot, std::string const& text);
    void show_button(CShadeButtonST* button, bool show);
    void click(CShadeButtonST* button);
    void attach_tunnel_menu(bool ttls);
    void set_tunnel_enabled(bool enable);
    void on_method(int method);
    void on_eap_fast();
    void on_inner(int index);
    void on_ttls_inner(int index);
    void client_cert_off();
    void client_cert_on();
    void load_name_tab(EAP_SETTING_DATA const& block);
    void load_certificates(EAP_SETTING_DATA const& block);
    void reset_sub_tabs();
    BOOL validate_older();
    BOOL validate_newer();
    bool newer() const;

    std::unique_ptr<CShadeButtonST> m_buttons[5];
    std::unique_ptr<CTabDialog> m_tabHost;
    std::unique_ptr<CPageNamePasswordDlg> m_name;
    std::unique_ptr<CPageEAPFastDlg> m_fast;
    std::unique_ptr<CPageClientCertificationDlg> m_client;
    std::unique_ptr<CPageServerCertificationDlg> m_server;
    std::unique_ptr<CPageProfileSSODlg> m_sso;
    std::map<UINT, CString> m_peapTexts;
    std::map<UINT, CString> m_ttlsTexts;
    bool m_bTtlsMenu {};
    // The profile's stored user certificate, selected again whenever the tab shows.
    KT_BLOB_KEY m_storedUserCert {};
};
