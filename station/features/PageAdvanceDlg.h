// The advanced page of the configuration window: wireless mode, 802.11b/g protection, TX rate
// and burst, TCP window size, fast roaming, the authentication status window, the country
// regions and the 802.11n transmit options. Apply stores them, applies them to the driver and,
// when the mode, a region or the 802.11n bandwidth changed, empties the scan list so the next
// scan sees the new radio settings. The station core reaches the action members below.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/core/AdvanceSettings.h"
#include "station/features/AdvanceLists.h"
#include "wlan/api/Exports.h"
#include "wlan/api/Profile.h"

#include <string>
#include <vector>

class CPageAdvanceDlg : public CResizeDlg {
public:
    enum { IDD = 123 };
    enum {
        IDC_MODE = 1249, IDC_PROTECTION = 1250, IDC_TXRATE = 1251, IDC_TXRATE_LABEL = 1234, IDC_TXBURST = 1256,
        IDC_TCPWINDOW = 1257, IDC_TCPWINDOW_LABEL = 1285, IDC_AUTHSTATUS_LABEL = 1288, IDC_ENABLE_11N_LABEL = 1629, IDC_FASTROAM = 1584, IDC_THRESHOLD = 1245, IDC_AUTHSTATUS = 1260,
        IDC_REGION24_LABEL = 1290, IDC_REGION24 = 1252, IDC_REGION5_LABEL = 1291, IDC_REGION5 = 1253,
        IDC_ENABLE_11N = 1628, IDC_HT_MM = 1271, IDC_BW_20 = 1273, IDC_GI_LONG = 1275, IDC_STBC_NONE = 1277,
        IDC_MCS = 1255, IDC_RATE_TEXT = 1306, IDC_EXTCHA_NONE = 1279, IDC_APPLY = 1044,
    };
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
    BOOL m_bShowAuthStatus {};

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
    void OnModeChange();
    void OnProtectionMenu();
    void OnFastRoam();
    void OnEnable11n();
    void OnBandwidth();

    DECLARE_MESSAGE_MAP()

private:
    // [SECTION] Set-up and load (PageAdvanceDlg.cpp)
    void fill_lists();
    void load_settings();
    void load_driver_values();
    void add_driver_regions();
    int driver_region_entry(int id, int region);
    void show_11n_controls();
    void show_protection();
    std::uint32_t mode_code() const;
    void fill_tx_rates();
    bool has_11n() const;

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
    WirelessModeEntry selected_mode() const;

    std::vector<WirelessModeEntry> m_modes;
    std::vector<std::string> m_mcsTexts;
    station::features::RegionLists m_regions;

    int m_nMode { 0 };
    int m_nTxRate { 0 };
    int m_bTxBurst { 0 };
    int m_bTcpWindow { 0 };
    int m_bFastRoam { 0 };
    int m_bAuthStatus { 0 };
    int m_bEnable11n { 0 };
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
    WirelessModeEntry m_previousMode { WirelessModeEntry::Band24 };

    VXWL_U32 m_regionWord { 0 };
    VXWL_U32 m_flag5 { 1 };
    VXWL_U32 m_flag24 { 1 };
};
