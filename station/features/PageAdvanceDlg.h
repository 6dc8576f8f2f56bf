// The advanced page of the configuration window: wireless mode, 802.11b/g protection, TX rate
// and burst, TCP window size, fast roaming, the authentication status window, the country
// regions and the 802.11n transmit options. Apply stores them, applies them to the driver and,
// when the mode, a region or the 802.11n bandwidth changed, empties the scan list so the next
// scan sees the new radio settings. The station core reaches the action members below.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CResizeDlg.h"
#include "station/core/AdvanceSettings.h"
#include "station/rates/CHTTable.h"
#include "station/features/AdvanceLists.h"
#include "wlan/api/Exports.h"
#include "wlan/api/Profile.h"

#include <string>
#include <vector>

class CPageAdvanceDlg : public CResizeDlg {
public:
    enum { IDD = 123 };
    enum {
        IDC_MODE = 1249, IDC_PROTECTION = 1250, IDC_PROTECTION_LABEL = 1283, IDC_TXRATE = 1251, IDC_TXRATE_LABEL = 1234,
        IDC_TXBURST = 1256, IDC_TCPWINDOW = 1257, IDC_TCPWINDOW_LABEL = 1285, IDC_AUTHSTATUS_LABEL = 1288,
        IDC_ENABLE_11N_LABEL = 1629, IDC_FASTROAM = 1584, IDC_THRESHOLD = 1245, IDC_AUTHSTATUS = 1260,
        IDC_REGION24_LABEL = 1290, IDC_REGION24 = 1252, IDC_REGION5_LABEL = 1291, IDC_REGION5 = 1253,
        IDC_ENABLE_11N = 1628, IDC_HT_MM = 1271, IDC_HT_GF = 1272, IDC_HT_11B = 1599, IDC_HT_11G = 1600,
        IDC_BW_20 = 1273, IDC_BW_AUTO = 1274, IDC_GI_LONG = 1275, IDC_GI_AUTO = 1276, IDC_STBC_NONE = 1277,
        IDC_STBC_AUTO = 1278, IDC_MCS = 1255, IDC_RATE_TEXT = 1306, IDC_EXTCHA_NONE = 1279, IDC_EXTCHA_BELOW = 1281,
        IDC_TDLS = 1641, IDC_TDLS_LABEL = 1642, IDC_APPLY = 1044,
    };
    // Menu 160 of the protection button and its commands.
    enum { IDR_PROTECTION_MENU = 160, ID_PROTECTION_AUTO = 32772, ID_PROTECTION_ON = 32773, ID_PROTECTION_OFF = 32774 };
    // Timer 1 keeps the 802.11n group in step with the options every second.
    enum { TIMER_ADVANCE_PAGE_GROUP = 1, TIMER_ADVANCE_PAGE_GROUP_MS = 1000 };
    enum { PROTECTION_AUTO = 0, PROTECTION_ON = 1, PROTECTION_OFF = 2 };
    enum { TIMER_ADVANCE_PAGE_SCAN = 2 };

    explicit CPageAdvanceDlg(CWnd* pParent = nullptr);

    // The action the page hands the hidden dialog with ACTION_INSERT_EXEC (SEND_BY_ADVANCE_DLG):
    // 1 profile, 2 SSID, 3 BSSID, and its data.
    int m_nActionType {};
    void* m_pActionData {};
    BOOL m_bConnect {};
    // The profile an Apply reconnects with, copied in by the station core.
    WLANPROFILE m_ProfData {};
    // Set by an Apply that changed the wireless mode, a country region or the 802.11n bandwidth.
    BOOL m_bSwitched {};
    // The box "show the authentication status window", as loaded or applied: the configuration
    // window reads it before it lists an authentication's progress on older systems.
    int m_bShowAuthStatus {};

    // Apply (button 1044); public for the configuration window's own Apply.
    void OnApplyNow();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }

    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnPaint();
    void OnModeChange();
    void OnRegion24Change();
    void OnProtectionMenu();
    void OnFastRoam();
    void OnThresholdChange();
    void OnEnable11n();
    void OnHtMode();
    void OnBandwidth();
    void OnRateChoice();
    void OnTakeData();
    void OnTdls();

    DECLARE_MESSAGE_MAP()

private:
    // [SECTION] Set-up and load (PageAdvanceDlg.cpp)
    void init_texts();
    void init_protection_button();
    void fill_lists();
    bool may_change_settings() const;
    void load_settings();
    void load_driver_values();
    void add_driver_regions();
    int driver_region_entry(int id, int region);
    void show_11n_box();
    void show_protection();
    std::uint32_t mode_code() const;
    bool has_11n() const;

    // [SECTION] The mode, the regions and the 802.11n group (PageAdvanceHt.cpp)
    void mode_change();
    void region24_change();
    void ShowHTControls(bool show, std::uint32_t code);
    bool bw40_refused(std::uint32_t code) const;
    void show_group(bool show);
    void update_rate_text();
    void group_tick();
    void init_tdls();

    // [SECTION] Apply (PageAdvanceApply.cpp)
    bool threshold_valid() const;
    int threshold_value() const;
    void note_applied_selections();
    ADVANCE_PAGE_VALUES page_values() const;
    void WriteConfigToRegistry();
    void SetOid();
    void VerifyCountryRegion();
    void switch_radio(std::uint32_t from_code, std::uint32_t to_code);
    void rejoin();
    void queue_current_profile();
    void restart_hosted_network();
    WirelessModeEntry selected_mode() const;

    std::vector<WirelessModeEntry> m_modes;
    std::vector<std::string> m_mcsTexts;
    station::features::RegionLists m_regions;

    int m_nMode { 0 };
    int m_nTxRate { 0 };
    int m_bTxBurst { 0 };
    int m_bTcpWindow { 0 };
    int m_bFastRoam { 0 };
    int m_bEnable11n { 0 };
    int m_bTdls { 0 };
    CString m_strThreshold { "-70" };
    int m_nRegion24 { 0 };
    int m_nRegion5 { 0 };
    int m_nProtection { PROTECTION_AUTO };
    int m_nHtMode { 0 };
    int m_nBW { 0 };
    int m_nGI { 0 };
    int m_nSTBC { 0 };
    int m_nExtCha { 0 };
    int m_nMcs { 0 };
    bool m_b11nChanged { false };
    // Set once the set-up has finished: later loads keep the MCS list's selection.
    bool m_bSetUpDone { false };
    CHTTable m_rates;
    CButtonST m_protectionButton;
    WirelessModeEntry m_previousMode { WirelessModeEntry::Band24 };

    VXWL_U32 m_regionWord { 0 };
    VXWL_U32 m_flag5 { 1 };
    VXWL_U32 m_flag24 { 1 };
};
