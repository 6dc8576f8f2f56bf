// The CCX page of the configuration window: the CCX options of the control word (CCKM, radio
// measurement and its time limit, admission control, management frame protection, RF roaming,
// voice rate), stored as "CCX2Control" and handed to the driver with the fast-roaming switch;
// the admission control command; and the diagnostic-channel test on a chosen profile, whose
// texts the configuration window shows in the authentication status window. The station core
// reads the rotate-profile option and the current message text.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/features/CcxWord.h"
#include "wlan/api/Callback.h"

#include <string>
#include <vector>

// One stored profile as the diagnostic list shows it.
struct CCX_PROFILE_ROW {
    std::string strName;
    std::string strSsid;
    std::string strCapability;   // "YES" or "NO"
};

class CPageCCXConfigDlg : public CResizeDlg {
public:
    enum { IDD = 437 };
    enum Control : int {
        IDC_CCX_ENABLE = 1261,
        IDC_CCKM = 1262,
        IDC_RM = 1263,
        IDC_DCRM = 1264,
        IDC_TIME_LIMIT = 1246,
        IDC_NETWORK_EAP = 1568,
        IDC_CAC_ENABLE = 1570,
        IDC_ROTATE = 1571,
        IDC_MFP = 1572,
        IDC_RF_ROAM = 1569,
        IDC_VOICE_RATE = 1622,
        IDC_CCX_LABEL = 1577,
        IDC_CCKM_LABEL = 1293,
        IDC_RM_LABEL = 1294,
        IDC_DCRM_LABEL = 1295,
        IDC_TIME_LIMIT_LABEL = 1296,
        IDC_NETWORK_EAP_LABEL = 1578,
        IDC_CAC_ENABLE_LABEL = 1580,
        IDC_ROTATE_LABEL = 1581,
        IDC_MFP_LABEL = 1582,
        IDC_RF_ROAM_LABEL = 1579,
        IDC_VOICE_RATE_LABEL = 1623,
        IDC_CAC_LABEL = 1563,
        IDC_CAC_LIST = 1542,
        IDC_CAC_SET = 1574,
        IDC_DIAG_HEADING = 1583,
        IDC_PROFILE_LABEL = 1611,
        IDC_PROFILE_LIST = 1522,
        IDC_INFO_GROUP = 1605,
        IDC_NAME_LABEL = 1606,
        IDC_SSID_LABEL = 1607,
        IDC_NAME_TEXT = 1608,
        IDC_SSID_TEXT = 1609,
        IDC_CAP_TEXT = 1610,
        IDC_CAP_LABEL = 1612,
        IDC_DIAGNOSTIC = 1575,
        IDC_APPLY = 1044,
    };
    // The library's messages, passed on by the hidden dialog.
    enum : UINT {
        MSG_CCX_DC_CONNECT = VXWL_MSG_CCX_DIAG_FIRST,
        MSG_CCX_TEST_FINISHED = VXWL_MSG_CCX_DIAG_FIRST + 1,
        MSG_CCX_DIAG_MESSAGE = VXWL_MSG_CCX_DIAG_FIRST + 2,
        MSG_CCX_TEST_FAILED = VXWL_MSG_CCX_DIAG_LAST,
    };
    // The test's timers, in the order they run: join the diagnostic channel, put the user's
    // profile back, connect it again.
    static constexpr UINT_PTR kTimerJoinDiagnostic = 5;
    static constexpr UINT_PTR kTimerRestoreProfile = 7;
    static constexpr UINT_PTR kTimerReconnect = 6;
    static constexpr unsigned kDefaultTimeLimit = 250;
    static constexpr unsigned kLargestTimeLimit = 1023;
    // The longest message text copied in.
    static constexpr std::size_t kMessageChars = 240;

    explicit CPageCCXConfigDlg(CWnd* pParent = nullptr);

    // Stops a running diagnostic test and enables its button again; a test whose diagnostic
    // profile was set and not yet taken back gets the user's profile back.
    void StopDiagnostic();

    BOOL m_bCCXEnable {};
    BOOL m_bCCKM {};
    BOOL m_bRM {};
    BOOL m_bDCRM {};
    BOOL m_bNetworkEAP {};
    BOOL m_bCAC {};
    BOOL m_bRotateProfile {};
    BOOL m_bMFP {};
    BOOL m_bRFRoam {};
    BOOL m_bVoiceRate {};
    unsigned m_nTimeLimit { kDefaultTimeLimit };
    std::vector<CCX_PROFILE_ROW> m_rows;
    std::string m_strName;
    std::string m_strSsid;
    std::string m_strCapability;
    // The diagnostic test's current message; at most 240 characters are copied in.
    char m_chMessage[256] {};
    int m_nCountDC {};
    BOOL m_bTestRunning {};
    // The test's timer that runs now (5, 7 or 6), 0 when none.
    UINT_PTR m_nPendingTimer {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnApply();
    afx_msg void OnCcxEnable();
    afx_msg void OnRadioMeasure();
    afx_msg void OnNonServingMeasure();
    afx_msg void OnTimeLimitChanged();
    afx_msg void OnProfileChanged();
    afx_msg void OnDiagnostic();
    afx_msg void OnCacSet();
    afx_msg LRESULT OnDcConnect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTestFinished(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDiagMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTestFailed(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ReadCCX2Control();
    void WriteCCX2Control();
    void SendCCXInfo();
    std::uint32_t build_word();
    CCX_PAGE_OPTIONS options() const;
    void set_options(CCX_PAGE_OPTIONS const& o);
    // Takes the data from the controls; false (nothing taken) when the time limit is no number.
    bool take_data();
    void show_data();
    void apply_enabling();
    void hide_for_adapter_type();
    void fill_profile_table();
    void show_selected_row();
    std::string selected_name() const;
    void set_message(char const* text);
    void show_message() const;
    void start_s64(std::string const& name) const;
    void restore_user_profile() const;
    void set_test_running(bool running);
    void start_timer(UINT_PTR id, int seconds);

    std::string m_strTimeLimit { "250" };
};
