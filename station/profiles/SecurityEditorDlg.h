// The security editor of the configuration window's lower area (template 426): the security
// settings of a network chosen on the site survey page, asked before it is joined without a
// stored profile. It shares the authentication, 802.1X and WAPI tabs of the profile editor but
// has no system configuration tab and stores nothing as a profile. The configuration window
// presets the tabs from the chosen network and shows it; OK checks the tabs in a fixed order,
// collects them into the hand-over block and has the window copy that block to the site survey
// page, which connects; Cancel ends the attempt.
#pragma once

#include "station/core/SecurityHandOver.h"
#include "station/profiles/TabbedEditorDlg.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

#include <memory>
#include <vector>

class CPageAuthEncryDlg;
class CPage8021XDlg;
class CPageWAPIDlg;

class CSecurityEditorDlg : public CTabbedEditorDlg {
public:
    enum { IDD = 426 };
    enum : int {
        IDC_TAB_PLACE1 = 1383, // ..1385, the three tab buttons' places
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

protected:
    BOOL CreatePages() override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnButtonOK() { OnOK(); }
    afx_msg void OnButtonCancel() { OnCancel(); }

    DECLARE_MESSAGE_MAP()

private:
    // The steps of OnOK.
    bool check_wapi_names();
    void collect_8021x();
    void collect_wep_keys();

    std::unique_ptr<CPageAuthEncryDlg> m_auth;
    std::unique_ptr<CPage8021XDlg> m_8021x;
    std::unique_ptr<CPageWAPIDlg> m_wapi;
};
