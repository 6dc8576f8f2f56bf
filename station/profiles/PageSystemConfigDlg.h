// The system configuration tab of the profile editor (template 180): the profile's name and ID,
// the network name chosen from the scan list or typed, the network type, power save mode,
// transmit power, preamble, the ad hoc channel, the RTS and fragmentation thresholds and the
// diagnostic option. The editor reads its members when it checks and saves a profile; the
// configuration window presets it for a new profile and refreshes it after a load.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CLinkSlider.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "wlan/api/Records.h"

#include <cstdint>
#include <vector>

class CPageSystemConfigDlg : public CResizeDlg {
public:
    enum { IDD = 180 };
    enum Control : int {
        IDC_NAME = 1245,
        IDC_ID = 1246,
        IDC_SSID = 1386,
        IDC_CAM = 1387,
        IDC_PSM = 1388,
        IDC_USE_RTS = 1389,
        IDC_USE_FRAG = 1390,
        IDC_RTS_SLIDER = 1391,
        IDC_FRAG_SLIDER = 1392,
        IDC_NETTYPE = 1393,
        IDC_PREAMBLE = 1395,
        IDC_CHANNEL = 1396,
        IDC_RTS = 1397,
        IDC_FRAG = 1248,
        IDC_TXPOWER = 1060,
        IDC_DIAGNOSTIC = 1591,
        IDC_LABEL_PROFILE = 1028,
        IDC_LABEL_SSID = 1045,
        IDC_LABEL_POWER_SAVE = 1052,
        IDC_LABEL_NETTYPE = 1046,
        IDC_LABEL_TXPOWER = 1050,
        IDC_LABEL_PREAMBLE = 1407,
        IDC_LABEL_CHANNEL = 1051,
        IDC_LABEL_ID = 1398,
        IDC_TEXT_CAM = 1399,
        IDC_TEXT_PSM = 1400,
        IDC_TEXT_RTS = 1401,
        IDC_TEXT_FRAG = 1402,
        IDC_RTS_MIN = 1403,
        IDC_RTS_MAX = 1404,
        IDC_FRAG_MIN = 1405,
        IDC_FRAG_MAX = 1406,
        IDC_TEXT_DIAGNOSTIC = 1592,
    };
    enum Command : UINT {
        ID_ADHOC = 32777,
        ID_INFRA = 32778,
        ID_TXPOWER_FIRST = 32786, // Auto, 100 %, 75 %, 50 %, 25 %, 10 %, lowest
        ID_TXPOWER_LAST = 32792,
        ID_PREAMBLE_AUTO = 32795,
        ID_PREAMBLE_LONG = 32796,
    };
    static constexpr UINT WM_MENU_OPENING = 0x46D;
    static constexpr int kRtsMax = 2347;
    static constexpr int kFragMin = 256;
    static constexpr int kFragMax = 2346;

    explicit CPageSystemConfigDlg(CWnd* pParent = nullptr);

    // A new profile: defaults, the proposed name and ID, the scan list, and the network of
    // `entry` (null for none).
    void Preset(NDIS_WLAN_BSSID_EX const* entry, CString const& name, CString const& id);
    // Shows the values the editor loaded.
    void RefreshControls();
    // Takes the values of the controls into the members.
    void ReadControls();

    // [SECTION] Values the editor reads and writes
    int m_nAdhocMode { 1 };
    int m_nNetworkType {};
    int m_nPreamble {};
    int m_nPowerSave {};
    int m_nTxPower {};
    int m_nRtsThre { kRtsMax };  // the slider
    int m_nRtsValue { kRtsMax }; // the edit
    int m_nFragThre { kFragMax };
    int m_nFragValue { kFragMax };
    BOOL m_bCAM {};
    BOOL m_bUseRTS {};
    BOOL m_bUseFrag {};
    BOOL m_bDiagnostic {};
    BOOL m_bFromSiteSurvey {};
    CString m_strName;
    CString m_strID;
    CString m_strSSID;
    CString m_strChannel;
    CString m_strOldName;

    // [SECTION] Controls
    CSmartEdit m_editID;
    CComboBoxSuper m_comboSSID;
    CComboBoxSuper m_comboChannel;
    CButtonST m_radioCAM;
    CButtonST m_radioPSM;
    CButtonST m_btnNetType;
    CButtonST m_btnTxPower;
    CButtonST m_btnPreamble;
    CButtonST m_checkRTS;
    CButtonST m_checkFrag;
    CButtonST m_checkDiagnostic;
    CLinkSlider m_sliderRTS;
    CLinkSlider m_sliderFrag;
    CSmartEdit m_editRTS;
    CSmartEdit m_editFrag;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnPowerSave();
    afx_msg void OnUseRTS();
    afx_msg void OnUseFrag();
    afx_msg void OnChangeRTS();
    afx_msg void OnChangeFrag();
    afx_msg void OnAdhoc();
    afx_msg void OnInfra();
    afx_msg LRESULT OnMenuOpening(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void set_defaults();
    void init_texts();
    void init_buttons();
    void show_values();
    // One row per scan list entry; answers the row whose SSID is `ssid`, or -1.
    int fill_ssid_list(CString const& ssid);
    void fill_channel_list();
    void apply_network_type(int type);
    void set_adhoc();
    void set_infra();
    void set_tx_power(int index);
    void set_preamble(int index);
    void enable_threshold(BOOL enable, int slider, int edit, int low, int high);
    void show_diagnostic();
    void restore_ssid_text();
    BOOL m_bShowing {};
};
