// The link status dialog of the configuration window's lower area: the connected network with
// its security, channel, addresses and rates, the link quality and per-antenna signal bars,
// the 802.11n details with the signal-to-noise ratios, and two throughput histograms. While
// visible it refreshes itself from the library's status record every two seconds; when the
// adapter is not connected it says why (driver not ready, configuration service off, radio
// off, WAPI connection under way, disconnected).
//
// User-interface thread only: the window and the hidden dialog set the two flags below on the
// same thread.
#pragma once

#include "station/controls/CDornoStaticHistogram.h"
#include "station/controls/CProgressCtrlX.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/Separator.h"
#include "station/rates/CHTTable.h"

#include <array>
#include <cstdint>
#include <string>

struct WLAN_STATUS;

class CLinkStatusDlg : public CResizeDlg {
public:
    enum { IDD = 122 };
    enum Control : int {
        IDC_NETWORK_TYPE_LABEL = 1046,
        IDC_CHANNEL_LABEL = 1051,
        IDC_NETWORK_TYPE = 1056,
        IDC_CHANNEL = 1061,
        IDC_QUALITY = 1200,
        IDC_SIGNAL0 = 1201, // 1202, 1203: antennas 1 and 2
        IDC_UNUSED_BAR = 1204,
        IDC_STATUS_LABEL = 1205,
        IDC_EXTRA_LABEL = 1206,
        IDC_AUTH_LABEL = 1207,
        IDC_ENCRYPTION_LABEL = 1208,
        IDC_IP_LABEL = 1209,
        IDC_MASK_LABEL = 1210,
        IDC_GATEWAY_LABEL = 1211,
        IDC_STATUS = 1212,
        IDC_EXTRA = 1213,
        IDC_AUTH = 1214,
        IDC_ENCRYPTION = 1215,
        IDC_IP = 1216,
        IDC_MASK = 1217,
        IDC_GATEWAY = 1218,
        IDC_HT_SEPARATOR = 1219,
        IDC_BW_LABEL = 1220, // labels 1220-1225: BW, GI, STBC, MCS, SNR0, SNR1
        IDC_BW = 1226,       // their values 1226-1231
        IDC_GI = 1227,
        IDC_STBC = 1228,
        IDC_MCS = 1229,
        IDC_SNR0 = 1230,
        IDC_SNR1 = 1231,
        IDC_TX_SEPARATOR = 1232,
        IDC_RX_SEPARATOR = 1233,
        IDC_TX_RATE_LABEL = 1234,
        IDC_TX_THROUGHPUT_LABEL = 1235,
        IDC_RX_RATE_LABEL = 1236,
        IDC_RX_THROUGHPUT_LABEL = 1237,
        IDC_TX_RATE = 1238,
        IDC_TX_THROUGHPUT = 1239,
        IDC_RX_RATE = 1240,
        IDC_TX_HISTOGRAM = 1241,
        IDC_RX_HISTOGRAM = 1242,
        IDC_RX_THROUGHPUT = 1243,
        IDC_STATUS2 = 1626,
        IDC_SNR2_LABEL = 1643,
        IDC_SNR2 = 1644,
    };
    static constexpr UINT_PTR TIMER_REFRESH = 1;
    static constexpr UINT kRefreshPeriod = 2000;
    // The throughput histories: one sample per refresh, the oldest first.
    static constexpr int kHistory = 29;

    explicit CLinkStatusDlg(CWnd* pParent = nullptr);

    // One refresh, as the timer runs it.
    void Refresh();

    // Signal strengths in dBm rather than percent: the window copies the site survey page's
    // "Show dBm" choice here; the next refresh uses it.
    BOOL m_bShowDbm {};
    // A WEP key error the library reported; the hidden dialog copies its flag here.
    BOOL m_bICVError {};
    // The byte counters of the previous refresh; the window zeroes them when the statistics
    // page resets the counters, so the next throughput is not a jump.
    std::uint32_t m_lTxCount {};
    std::uint32_t m_lRxCount {};

    CProgressCtrlX& Bar(int id) { return m_bars[static_cast<std::size_t>(id - IDC_QUALITY)]; }
    CDornoStaticHistogram& TxHistogram() { return m_histTx; }
    CDornoStaticHistogram& RxHistogram() { return m_histRx; }
    double TxPeak() const { return m_dTxPeak; }
    double RxPeak() const { return m_dRxPeak; }
    // The module's throughput history (Mbps, oldest first); `tx` false is the receive side.
    static double HistorySample(bool tx, int index);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    struct LinkStateText {
        std::uint32_t code;
        std::string text;
    };

    // [SECTION] Start-up and showing (LinkStatusDlg.cpp)
    void build_link_states();
    void init_labels();
    void init_bars();
    void init_histograms();
    void init_ht_statics();
    void check_antennas();
    void show_ht_section();
    BOOL on_need_text(NMHDR* header, LRESULT* result);
    void show(int id, bool visible);

    // [SECTION] The connected view (LinkStatusRefresh.cpp)
    void update_extra_info(std::uint32_t code);
    int non_ht_flag(std::uint16_t transmit_setting) const;
    void show_connected(WLAN_STATUS const& status, int non_ht);
    void show_status_lines(WLAN_STATUS const& status);
    void show_security(WLAN_STATUS const& status);
    void show_channel(WLAN_STATUS const& status);
    void show_rates(WLAN_STATUS const& status, int non_ht);
    void show_transmit_setting_rate();
    void show_central_channel(WLAN_STATUS const& status);
    void show_snr(WLAN_STATUS const& status, int non_ht);
    void set_snr(int id, int value, int non_ht, char const* name);
    void set_ht_values_na(bool with_snr2);

    // [SECTION] Bars, throughput and the not-connected view (LinkStatusMeters.cpp)
    void show_throughput(std::uint32_t tx_bytes, std::uint32_t rx_bytes);
    void add_sample(bool tx, double mbps);
    void show_quality(std::uint32_t quality);
    void show_signal(int antenna, std::int32_t dbm, std::uint32_t percent);
    void set_bar_text(int id, std::string const& text, DWORD style);
    void show_not_connected(int non_ht, bool state_nonzero, bool radio_off_code);
    std::string not_connected_text(bool state_nonzero, bool radio_off_code, bool& radio_off) const;

    CHTTable m_htTable;
    CString m_strStatus;
    CString m_strStatus2;
    CString m_strExtraInfo;
    CString m_strChannel;
    CString m_strAuthentication;
    CString m_strEncryption;
    CString m_strNetworkType;
    CString m_strIPAddress;
    CString m_strSubnetMask;
    CString m_strGateway;
    CString m_strTxRate;
    CString m_strTxThroughput;
    CString m_strRxRate;
    CString m_strRxThroughput;
    double m_dTxPeak {};
    double m_dRxPeak {};
    // 1 while the 802.11n values show "n/a" for a link without HT, else 0.
    int m_nHTState {};
    // Whether the adapter has 802.11n, as the last showing found it.
    bool m_bHtSupported {};
    std::array<LinkStateText, 11> m_linkStates {};
    std::array<CProgressCtrlX, 5> m_bars;
    CDornoStaticHistogram m_histTx;
    CDornoStaticHistogram m_histRx;
    CSeparator m_sepTx;
    CSeparator m_sepRx;
    CSeparator m_sepHt;
    CFont m_font;
    UINT_PTR m_nTimer {};

    // Module-wide, as the page has always kept them: the throughput histories outlive hiding
    // and showing, and the skip flag makes the first connected refresh after construction only
    // record the counters.
    static std::array<double, kHistory> s_aryTxHistory;
    static std::array<double, kHistory> s_aryRxHistory;
    static BOOL s_bSkipSample;
};
