// The security editor of the configuration window's lower area (template 426): the security
// settings of a network chosen on the site survey page, asked before it is joined without a
// stored profile. It shares the authentication, 802.1X and WAPI tabs of the profile editor but
// has no system configuration tab and stores nothing as a profile. The configuration window
// presets the tabs from the chosen network and shows it; OK checks the tabs in a fixed order,
// collects them into the hand-over block and has the window copy that block to the site survey
// page, which connects; Cancel ends the attempt.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "station/core/SecurityHandOver.h"
#include "station/profiles/EditorTabs.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

#include <array>
#include <memory>
#include <vector>

class CTabDialog;
class CPageAuthEncryDlg;
class CPage8021XDlg;
class CPageWAPIDlg;

class CSecurityEditorDlg : public CResizeDlg, public CEditorTabs {
public:
    enum { IDD = 426 };
    enum Control : int {
        IDC_TAB_AREA = 1067,
        IDC_TAB_PLACE1 = 1383, // ..1385, the three tab buttons' places
        IDC_OK = 1331,
        IDC_CANCEL = 1372,
    };
    static constexpr int kTabs = 3;

    explicit CSecurityEditorDlg(CWnd* pParent = nullptr);
    ~CSecurityEditorDlg() override;

    // The tabs, created by the editor itself.
    CPageAuthEncryDlg* m_pPageAuthEncryDlg {};
    CPage8021XDlg* m_pPage8021XDlg {};
    CPageWAPIDlg* m_pPageWAPIDlg {};

    // What OK collects from the tabs for the site survey page; the configuration window copies
    // it into the page when OK reports (0, 2).
    SECURITY_HAND_OVER m_HandOver;
    // The EAP-FAST PAC list OK collects and writes for the connection without a profile; it
    // lives from OK's collection to its end.
    std::vector<PAC_ENTRY> m_PacList;

    // The configuration window's preset before it shows the editor for the site survey's
    // chosen network: `entry` gives the network type, `wpa` the page's security code (0..8)
    // and `encryption` its cipher text.
    void PresetFromSurvey(NDIS_WLAN_BSSID_EX const* entry, int wpa, CString const& encryption);
    void OnOK() override;
    void OnCancel() override;

    // [SECTION] CEditorTabs
    CPageSystemConfigDlg* system_config_tab() override { return nullptr; }
    CPageAuthEncryDlg* auth_tab() override { return m_pPageAuthEncryDlg; }
    CPage8021XDlg* tab_8021x() override { return m_pPage8021XDlg; }
    void enable_tab_button(int id, BOOL enable) override;
    void click_tab_button(int id) override;

    CShadeButtonST* tab_button(int id);

    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnButtonOK() { OnOK(); }
    afx_msg void OnButtonCancel() { OnCancel(); }

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePages();
    BOOL create_tab_button(int index);
    void place_tab_host();
    CRect placeholder(int id) const;
    HWND config_window() const;
    // The steps of OnOK.
    bool check_wapi_names();
    void collect_8021x();
    void collect_wep_keys();

    std::unique_ptr<CTabDialog> m_pTabDlg;
    std::array<std::unique_ptr<CShadeButtonST>, kTabs> m_btnTabs;
    std::unique_ptr<CPageAuthEncryDlg> m_auth;
    std::unique_ptr<CPage8021XDlg> m_8021x;
    std::unique_ptr<CPageWAPIDlg> m_wapi;
};
