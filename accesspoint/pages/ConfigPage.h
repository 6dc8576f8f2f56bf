// The configuration tab: network name, band, channel with its country regions and 40 MHz
// rules, 802.11n options, transmit rate and power, beacon, idle time-out and the radio
// switches, and the security dialog. Nothing reaches the library until Apply, which stores and
// applies the whole record and hands the network name to the program's profile hand-over;
// Default loads the library's defaults into the page, Cancel the stored record again. The
// channel side (region lists, channel and extension lists, Allow 40 MHz) is in
// ConfigPageChannels.cpp; the record mapping is ApConfigRecord's.
#pragma once

#include "accesspoint/controls/ResizeWidthComboBox.h"
#include "accesspoint/pages/ApConfigRecord.h"
#include "platform/framework/AfxControls.h"
#include "platform/framework/PropertyPage.h"
#include "station/rates/CHTTable.h"

#include <functional>
#include <string>
#include <vector>

namespace hotvane {

// The hidden dialog's SetVistaWindowsProfile, given to the page by the program; Apply calls it
// with the new network name. Unset: nothing is handed over.
using ProfileHandOver = std::function<void(std::string const& ssid)>;
void SetProfileHandOver(ProfileHandOver handler);

class CConfigPage : public CPropertyPage {
public:
    enum { IDD = 105 };
    enum Control : int {
        IDC_BAND = 1149, IDC_BAND_LABEL = 1208, IDC_SSID = 1062, IDC_CHANNEL = 1032,
        IDC_PROTECTION = 1150, IDC_PROTECTION_LABEL = 1209, IDC_ANT_TX = 1147, IDC_ANT_RX = 1148,
        IDC_ANT_TX_LABEL = 1167, IDC_ANT_RX_LABEL = 1168, IDC_PREAMBLE = 1160, IDC_PREAMBLE_LABEL = 1200,
        IDC_BEACON = 1153, IDC_RTS = 1158, IDC_FRAG = 1159, IDC_TXRATE = 1161, IDC_TXRATE_LABEL = 1198,
        IDC_TXPOWER = 1030, IDC_TX_BURST = 1154, IDC_TURBO = 1169, IDC_NO_FORWARDING = 1151, IDC_HIDE_SSID = 1152,
        IDC_SHORT_SLOT = 1170, IDC_AUTO_CHANNEL = 6171, IDC_REGION_BG = 1155, IDC_REGION_A = 1162,
        IDC_REGION_GROUP = 1211, IDC_REGION_BG_LABEL = 1212, IDC_REGION_A_LABEL = 1213, IDC_IDLE = 1216,
        IDC_ALLOW_BW40 = 1218, IDC_HT_GROUP = 1268, IDC_GI_LABEL = 1270, IDC_GI_LONG = 6275, IDC_GI_AUTO = 6276,
        IDC_STBC_LABEL = 1271, IDC_STBC_NONE = 6277, IDC_STBC_AUTO = 1278, IDC_MCS_LABEL = 1272, IDC_MCS = 1279,
        IDC_HTMODE_LABEL = 6281, IDC_HT_MM = 6282, IDC_HT_GF = 1283, IDC_EXT_LABEL = 1284, IDC_EXT = 1288,
        IDC_RATE_TEXT = 1280, IDC_11N_MODE = 1002, IDC_SECURITY = 1143, IDC_USE_MAC = 1144, IDC_DEFAULT = 1156,
        IDC_APPLY = 1157, IDC_CANCEL = 1225,
    };
    static constexpr UINT_PTR kTimer = 1;
    static constexpr UINT kTimerMs = 1000;

    CConfigPage();

    // The "11N mode" flag, one for the whole program.
    static int s_b11nMode;

    // [SECTION] Page values (the controls' copy)
    CString m_strSsid;
    CString m_strBeacon;
    CString m_strIdle;
    int m_nRts {};
    int m_nFrag {};
    int m_bTxBurst {}, m_bTurbo {}, m_bNoForwarding {}, m_bHideSsid {}, m_bShortSlot {}, m_bAutoChannel {};
    int m_bAllowBW40 { 1 };
    int m_nRememberedBw40 { 1 };
    int m_n11nMode {};
    int m_nShortGI { 1 }, m_nSTBC { 1 }, m_nHtMode {};
    std::string m_strBand, m_strChannel, m_strMcs, m_strExt;
    DWORD m_nTxRate {};
    int m_nTxPower {}, m_nBGProtection {}, m_nPreamble {};
    int m_nCountryRegion_11BG {}, m_nCountryRegion_11A {};
    int m_nLastBGProtection {};
    ApSecurity m_security {};
    std::string m_strMacName;
    std::string m_strRate;

    // [SECTION] Channel side
    std::vector<int> m_channels24, m_channels5;
    DWORD m_dwRegionWord {}, m_bHWsupportsA {}, m_bHWsupportBG {};
    bool m_bRegion30_24 {}, m_bRegion30_5 {};
    int m_bExtChannelAvailable { 1 };
    DWORD m_dwBw40Flags { 3 };

    CHTTable m_HTTable;

    // The band code the band text gives now.
    std::uint32_t BandCodeNow() const;
    // Build and write the record, then hand the name over (Apply without its checks).
    void WriteConfigToRegistryAndSetOid();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnApplyClicked();
    afx_msg void OnDefault();
    afx_msg void OnCancelClicked();
    afx_msg void OnSecurity();
    afx_msg void OnUseMacAddress();
    afx_msg void OnSelchangeWirelessMode();
    afx_msg void OnAutoChannel();
    afx_msg void OnSelchangeCountryRegion();
    afx_msg void OnSelchangeChannel();
    afx_msg void OnAllowBw40();
    afx_msg void OnMcsOrGuardInterval();
    afx_msg void OnReadControls();
    afx_msg void On11nMode();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // ConfigPage.cpp
    void init_texts();
    void fill_lists();
    void fill_rate_list(std::uint32_t band);
    void fill_mcs_list();
    void load_record();
    void take_values(ConfigPageValues const& v);
    void exchange_lists(bool save);
    void select_band();
    void apply_11n_hiding();
    void EnableDlgItemForWirelesMode80211nForXP(int n);
    void update_rate_text();
    bool has_11n() const;
    bool ht_codes_for_text() const;
    std::uint32_t mcs_code() const;
    int selected_channel() const;
    ConfigPageValues page_values() const;
    void message(std::string const& text);
    void show(int id, bool visible);
    void enable(int id, bool enabled);

    // ConfigPageChannels.cpp
    void LoadCountryRegion();
    void query_region_state();
    void fetch_channel_arrays();
    void rebuild_channel_list();
    void rebuild_extension_list();
    void EnableOrDisableAllowBW40(int v);
    void check_bw40_flags();
    void set_allow_bw40(bool checked, bool enabled);

    CComboBox m_cmbBand, m_cmbChannel, m_cmbProtection, m_cmbAntTx, m_cmbAntRx, m_cmbPreamble, m_cmbTxRate,
        m_cmbTxPower, m_cmbMcs, m_cmbExt;
    CResizeWidthComboBox m_cmbRegionBG, m_cmbRegionA;
};

}
