// CHideDlg: the station utility's main window for the whole run. A dialog that never shows
// itself; it loads the WLAN library, chooses and initialises the adapter, owns the tray icon
// and the polling timers, opens the configuration window and tears everything down at exit.
// Everything here runs on the user-interface thread.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/system/Shell.h"
#include "station/app/TrayMenu.h"
#include "station/controls/CMessageBoxDlg.h"
#include "station/core/StationFlags.h"
#include "station/core/ActionQueue.h"
#include "station/core/ConnectionFlags.h"
#include "station/survey/DiagnosticDlg.h"
#include "wlan/api/Profile.h"
#include "wlan/api/Records.h"

#include <map>
#include <memory>
#include <mutex>

class CVxUI2008Dlg;

class CHideDlg : public CDialog {
public:
    explicit CHideDlg(CWnd* pParent = nullptr);
    ~CHideDlg() override;

    BOOL OnInitDialog() override;
    int DetectAdapter();
    void InitCard(BOOL bShowUI);
    void ShowConfigUI();
    // [SECTION] Mode switching (HideDlgModes.cpp) and the configuration tool (HideDlgConfigTool.cpp)
    // Starts the mode switcher for `mode` (0 station, 1 access point, 2 access point client)
    // and leaves the adapter to it; on newer systems not while a switch is under way.
    void RunVxSwap(int mode);
    // The same for a switch of `kind` from `currentOpMode` (kind 1: to access point mode).
    void RunVxSwapEx(int currentOpMode, int kind);
    void CheckConfigToolForXP();
    void StopXpZeroConfig(BOOL bSetDemand);
    void StartXpZeroConfig();
    BOOL IsWlanServiceRunning();
    BOOL KillAllTimer();

    // [SECTION] The connection action queue (HideDlgActions.cpp)
    // Sees ACTION_INSERT_EXEC before the message map, then passes every message on.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Queues a copy of the record at `data`; TRUE when the caller is to run the queue now.
    BOOL InsertAction(int type, void* data);
    // Runs queued actions in order until the queue is empty or a prompt stops the run.
    void ActionExec();
    void ConnectWpsProfile();
    void ConnectPreviousProfileSetting();
    // Re-applies the stored settings (with bSetAdvance the advanced ones) and, with bConnect,
    // connects with the active profile or the WPS credential.
    void InitCard_SetOidFromReg(BOOL bSetAdvance, BOOL bConnect);
    // Timer 9: the reconnection after start-up.
    void ProcReConnect();
    // Captures the frame counts the WEP key error check compares with.
    void CaptureFrameBaseline();
    // Takes the frame counts of a status already read as the ones the check compares with.
    void StoreFrameBaseline(WLAN_STATUS const& status);
    // Empties the queue (exit, adapter removal).
    void DrainActionQueue();

    // [SECTION] Polling (HideDlgTimers.cpp, HideDlgRetry.cpp)
    // 0, or 2 when the adapter is gone (the rest of the tick is skipped).
    int ProcDetectDeviceRemoval();
    void ProcDetectHardwareRadioOnOff();
    void RescanBssidList();
    void ProcRescan();
    void ProcGetScanTable();
    void ProcDetectICVError(UINT_PTR nIDEvent);
    void ProcDetectWPACapNWindowsUtil();
    // Timer 15: reconnects when the link is not the current profile's.
    void ProcRetryConnection(WLAN_STATUS const& status);

    // [SECTION] WPS steps (HideDlgWps.cpp)
    void ProcWPS_HWPBC();
    void ProcWPSStatus();
    void ProcWPSRoutineRescan();
    void ProcWPSRotate();
    // The credentials of the last successful push-button run, as the library handed them.
    WPS_MODE m_WpsMode {};
    WPS_PROFILE m_WpsProfile {};

    // [SECTION] Power, sessions and the radio (HideDlgPower.cpp)
    void OnPowerBroadcast(WPARAM event);
    void ConnectAfterResume();
    void ProcDetectSessionIDChangedEx();
    LRESULT OnTurnOnRadio(WPARAM wParam, LPARAM lParam);

    // [SECTION] Credential prompts (HideDlgPrompts.cpp)
    int PromptPeapCredentials();
    int PromptLeapFastCredentials();
    // Ends a prompt's wait as Cancel when nobody can see the prompt any more.
    void EndUnseenPrompt();

    // [SECTION] The current profile, shared with the status callback and the worker threads
    // Every access from another thread and every write holds this lock.
    std::mutex& profile_lock() { return m_profileMutex; }
    // A copy of the current profile; false when there is none.
    bool CopyProfile(WLANPROFILE& out);
    // Clears bSetAdvance of the current profile, then copies it as CopyProfile does.
    bool TakeProfileForAdvance(WLANPROFILE& out);
    // Zeroes the current profile (the profile page deleted the active one).
    void ZeroProfile();
    // The configuration window while it is alive; any thread may ask.
    HWND config_window() const;
    void set_config_window(HWND hwnd) { m_hConfigWnd.store(hwnd); }

    // [SECTION] Tray icon and menu
    BOOL SetTaskBar();
    BOOL ModifyTaskBar(UINT icon_id);
    void UpdateSignalIcon();
    BOOL DeleteTaskBar();
    void ShowTrayMenu();
    // What ShowTrayMenu decides from: the library's answers and the program's folder.
    TrayMenuInputs TrayMenuState();
    // The image the tray icon shows now (0 before the icon was added).
    UINT tray_icon_id() const { return m_nTrayIcon; }
    HICON tray_icon_handle(UINT icon_id);

    // [SECTION] State shared with the polling, the pages and the main window
    int m_nCountAfterResume { 0 };
    int m_nCountInitRetry { 0 };
    BOOL m_bRetryHoldBack { FALSE };
    BOOL m_bWepErrorDetect { FALSE };
    BOOL m_bDialogRunning { FALSE };
    BOOL m_bDeviceExist { FALSE };
    BOOL m_bShowConfigUI { TRUE };
    BOOL m_bHWRadioOff { FALSE };
    DWORD m_dwPrevTxLow { 0 };
    DWORD m_dwPrevTxHigh { 0 };
    DWORD m_dwPrevRx { 0 };
    // The modeless message dialog; while it shows, the tray menu greys its mode item.
    CMessageBoxDlg m_dlgMessage;
    // FIXME: the diagnostics dialog comes with its own class; until then this is a plain
    // dialog that the tray menu only asks whether it is shown.
    CDiagnosticDlg m_dlgDiagnostic;
    CVxUI2008Dlg* m_pVxUI { nullptr };
    WLANPROFILE* m_pProfData { nullptr };
    BOOL m_bHideAPButton { TRUE };
    DWORD m_dwSessionId { 0 };
    DWORD m_dwPrevSessionId { 0 };
    BOOL m_bSessionLock { FALSE };
    UINT_PTR m_nTimerCheckCard { 0 };
    UINT_PTR m_nTimerScanTable { 0 };
    UINT_PTR m_nTimerPrevProfile { 0 };
    UINT_PTR m_nTimerReconnect { 0 };
    UINT_PTR m_nTimerRescan { 0 };
    int m_nTickCount { 0 };
    HMODULE m_hKernel32 { nullptr };
    DWORD (*m_pfnGetActiveConsoleSessionId)() { nullptr };

protected:
    void OnTrayExit();
    void OnTrayLaunch();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnHideDlgExit(WPARAM wParam, LPARAM lParam);
    void OnTrayDiagnostic();
    void OnTraySwitchZeroConfig();
    void OnTraySwitchVxconfig();
    void OnTraySwitchApMode();
    void OnTraySwitchSTAMode();
    void OnTraySwitchAPClientMode();
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnAuthFailed(WPARAM wParam, LPARAM lParam);
    LRESULT OnCcxDiagProfile(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowInvalidIDPW(WPARAM wParam, LPARAM lParam);
    LRESULT OnAskNewPassword(WPARAM wParam, LPARAM lParam);
    // [SECTION] The library's and the pages' private messages (HideDlgMessages.cpp)
    LRESULT OnScanFailed(WPARAM wParam, LPARAM lParam);
    LRESULT OnTurnOffRadio(WPARAM wParam, LPARAM lParam);
    LRESULT OnCcxDiagnostic4(WPARAM wParam, LPARAM lParam);
    LRESULT OnCcxDiagnostic5(WPARAM wParam, LPARAM lParam);
    LRESULT OnCcxDiagnostic6(WPARAM wParam, LPARAM lParam);
    LRESULT OnCcxDiagnostic7(WPARAM wParam, LPARAM lParam);
    LRESULT OnReConnectMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnIgnoredMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnableConfigUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnResumeConnect(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrivateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnNdisStatusMediaConnectMessage(WPARAM wParam, LPARAM lParam);
    void OnOK() override { }
    void OnCancel() override { }

    DECLARE_MESSAGE_MAP()

private:
    void start_show_ui_waiter();
    void stop_show_ui_waiter();
    bool load_library();
    void close_windows();
    void wait_for_driver();
    void hide_tab_icon_by_desktop();
    void arm_session_timer();
    void init_card_op_mode(int win_os);
    void init_card_connection();
    void set_tray_menu_text(HMENU menu, int menu_id);
    void show_radio_off_message();
    bool ask_hosted_network(ExtAPConfig const& record);
    void leave_ap_client_on_radio_off();
    void refresh_window_for_config_tool();
    // [SECTION] Steps of the tick
    void read_debug_mode();
    void check_init_after_resume();
    void arm_scan_after_driver_ready(int win_os);
    void run_timer_actions(UINT_PTR id);
    bool run_wps_steps(UINT_PTR id);
    void update_connection_state(WLAN_STATUS const& status, UINT_PTR id);
    void lost_link_tick(WLAN_STATUS const& status);
    bool profile_matches(WLAN_STATUS const& status);
    void adapter_gone();
    void advance_page_connection();
    void enable_window_buttons();
    void rotate_profile_tick();
    void pause_for_resume();
    void session_back_to_me();
    void session_to_another_user();
    void reapply_active_profile();
    void store_wps_credentials();
    void show_radio_state(bool on);
    bool relay(CWnd* page, UINT message, WPARAM wParam, LPARAM lParam);
    bool config_window_alive() const;
    void release_library();
    NOTIFYICONDATA icon_record(UINT icon_id);
    void OnActionInsertExec(WPARAM sender);
    bool exec_profile(_ACTION_DATA& action);
    bool prompt_for_credentials(WLANPROFILE& record);
    void exec_ssid_or_bssid(_ACTION_DATA& action);
    void apply_ccx_after_profile(bool mfp_cipher);
    void arm_wep_error_check(WLANPROFILE const& record);
    void apply_advance_settings();
    void connect_wps_entry(WPS_PROFILE const& list);
    void read_active_profile();
    int wait_for_prompt(CWnd& prompt);

    bool show_prompt_for(WLANPROFILE const& profile);
    void recover_after_failure(int kind);

    std::mutex m_profileMutex;
    std::atomic<HWND> m_hConfigWnd { nullptr };
    // ActionExec runs inside a prompt's wait: the inner call leaves the entries to the outer.
    bool m_bInActionExec { false };
    // A prompt was asked for and has no answer yet.
    bool m_bPromptShown { false };

    UINT m_nTrayIcon { 0 };
    // Set when the exit command ended the dialog, so that a start-up cut short stops there.
    BOOL m_bEnding { FALSE };
    CWinThread* m_pShowUIThread { nullptr };
    std::map<UINT, HICON> m_icons;
};

extern CHideDlg* g_pHideDlg;
extern BOOL G_bWepError;
extern BOOL g_bExitingUI;
// The second profile buffer (stored settings read back) and the WPS credential being connected.
extern WLANPROFILE* G_pProfileBuffer;
extern WPS_CREDENTIAL* G_pWpsEntry;
