// The profile editor of the configuration window's lower area (template 179): the tabs that add
// or edit a stored profile (system configuration, authentication and encryption, 802.1X, WAPI).
// The configuration window presets or loads the tabs and shows it; OK checks the tabs in a fixed
// order, collects them, writes the profile through the library and goes back to the profile
// page. OK also runs with the editor hidden (a WPS credential made into a profile).
#pragma once

#include "station/core/EapSettingData.h"
#include "station/profiles/TabbedEditorDlg.h"

#include <cstdint>
#include <memory>

class CPageWAPIDlg;
class CPageWAPICertManageDlg;

class CProfileEditorDlg : public CTabbedEditorDlg {
public:
    enum { IDD = 179 };
    enum : int {
        IDC_TAB_PLACE1 = 1382, // ..1385, the four tab buttons' places
    };

    explicit CProfileEditorDlg(CWnd* pParent = nullptr);
    ~CProfileEditorDlg() override;

    // The tabs, created by the editor itself.
    CPageSystemConfigDlg* m_pPageSystemConfigDlg {};
    CPageAuthEncryDlg* m_pPageAuthEncryDlg {};
    CPage8021XDlg* m_pPage8021XDlg {};
    CPageWAPIDlg* m_pPageWAPIDlg {};
    CPageWAPICertManageDlg* m_pPageWAPICertManageDlg {};

    // The name and ID the edited profile was loaded under (empty and 0 for a new one).
    CString m_strOldProfileName;
    std::uint32_t m_nOldProfileID {};
    // 1 for Add, 0 for Edit.
    BOOL m_bNewProfile {};
    // The profile's PAC list as the library reads it; none until the editor loads one.
    PAC_ENTRY* m_pPACList {};
    int m_nPACCount {};
    // The collected security choice.
    int m_nAuthIndex {};
    int m_nCipherIndex {};
    int m_nDefaultKey { 1 };
    int m_b8021X {};
    // The 802.1X settings block, the single sign-on bits and the WAPI certificate names.
    EAP_SETTING_DATA m_EapData;
    std::uint32_t m_nSsoBits {};
    CString m_strWAPIUserCert;
    CString m_strWAPIASCert;

    // Add (no entry) and the site survey's add to profile (its chosen entry, with the entry's
    // security code, cipher text and secured flag): the tabs of a new profile.
    void PresetNewProfile(CString const& name, CString const& id, NDIS_WLAN_BSSID_EX const* entry = nullptr, int wpa = 0,
        CString const& encryption = CString(), int security = 0);
    // Edit: the row's name and ID, then the stored profile into the tabs.
    void EditProfile(CString const& name, CString const& id);
    // Reads the profile named by the system configuration tab into the tabs' members and the
    // editor's 802.1X members; the caller refreshes the tabs' controls.
    void LoadProfile();
    // The tabs show what LoadProfile read (the configuration window's Edit).
    void RefreshTabs();
    // Validates, saves the profile and closes the editor. Public: the window runs it for each
    // credential a WPS import makes into a profile.
    void OnOK() override;
    void OnCancel() override;
    // Writes the record; the library's answer (1 written, -16 the name is taken, else failed).
    int SaveProfile();
    // Frees the PAC list (allocated with malloc) and clears its pointer and count.
    void FreePACList();
    // The defaults the editor opens with (the 802.1X block, the security choice, no PAC list).
    void ResetSettings();

    // [SECTION] CEditorTabs
    CPageSystemConfigDlg* system_config_tab() override { return m_pPageSystemConfigDlg; }
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
    bool check_system_config();
    bool check_names_and_id(bool& close_unsaved);
    bool check_wapi_names();
    void collect_security();
    void collect_8021x();
    bool collect_pac_list();
    void fill_record(WLANPROFILE& p) const;
    void read_pac_list(std::string const& name);
    void refuse(std::string const& text, bool back_to_first_tab);

    std::unique_ptr<CPageSystemConfigDlg> m_system;
    std::unique_ptr<CPageAuthEncryDlg> m_auth;
    std::unique_ptr<CPage8021XDlg> m_8021x;
    std::unique_ptr<CPageWAPIDlg> m_wapi;
    std::unique_ptr<CPageWAPICertManageDlg> m_wapiManage;
};
