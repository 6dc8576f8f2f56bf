// CHideDlg: the access point utility's main window for the whole run, a dialog that never
// shows itself. It binds the access point library, detects and initialises the adapter, owns
// the tray icon and its menu, polls the adapter every two seconds, reacts to power and
// device-change broadcasts and to the library's messages, opens the modeless property sheet and
// switches the adapter back to station mode or into AP-client mode through VxSwap.
//
// The sheet is never destroyed under a running modal loop of its pages: what would destroy it
// (the adapter's removal, exit, a switch, a new sheet) waits while the sheet's modal guard is
// raised and runs once it drops. User-interface thread only.
#pragma once

#include "accesspoint/app/HotvaneIds.h"
#include "accesspoint/app/TrayChoice.h"
#include "accesspoint/pages/VxPropSheet.h"
#include "platform/framework/Afx.h"
#include "platform/system/Shell.h"
#include "wlan/api/ApRecords.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace hotvane {

class CHideDlg : public CDialog {
public:
    explicit CHideDlg(CWnd* pParent = nullptr);
    ~CHideDlg() override;

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // [SECTION] Adapter and configuration (HideDlgCard.cpp)
    // The number of adapters the library lists (below 1: none selected).
    int DetectAdapter();
    void InitCard();
    void SetOidFromReg();
    // Hands the network name to the system's profile on newer systems; "getUpdatedSSID" hands
    // the stored configuration's name.
    void SetVistaWindowsProfile(const char* ssid);
    LRESULT OnConnectComplete(WPARAM wParam, LPARAM lParam);

    // [SECTION] Tray icon, menu and sheet (HideDlgTray.cpp)
    BOOL SetTaskBar();
    BOOL ModifyTaskBar(UINT icon_id);
    BOOL DeleteTaskBar();
    void ShowTrayMenu();
    TrayMenuInputs TrayMenuState();
    void ShowPropSheet();
    // The image the tray icon shows now (0 when there is none).
    UINT tray_icon_id() const { return m_nTrayIcon; }
    CVxPropSheet* sheet() const { return m_pPropSheet.get(); }
    bool sheet_open() const;

    // [SECTION] Exit and the mode switches (HideDlg.cpp, HideDlgSwitch.cpp)
    BOOL KillAllTimer();
    void CloseHelpWindows();
    // The two VxSwap argument vectors (program first) and the line the trace shows for each.
    std::vector<std::string> StationSwitchArguments() const;
    static std::vector<std::string> APClientSwitchArguments();
    static std::string SwitchTraceLine(std::vector<std::string> const& arguments);

    // [SECTION] State
    BOOL m_bDeviceExist { FALSE };
    BOOL m_bShowSheet { TRUE };
    BOOL m_bProfilePending { FALSE };
    HICON m_hIcon { nullptr };
    BOOL m_bTrayIconAdded { FALSE };
    BOOL m_bDialogRunning { FALSE };
    UINT_PTR m_nTimerPoll { 0 };
    UINT_PTR m_nTimerWaitDriver { 0 };
    int m_nCountReconnect { 0 };
    BOOL m_bRadioOn { TRUE };

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    void OnTrayLaunch();
    void OnTrayExit();
    void OnTraySwitchSTAMode();
    void OnTraySwitchApclientMode();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTurnOnRadio(WPARAM wParam, LPARAM lParam);
    LRESULT OnTurnOffRadio(WPARAM wParam, LPARAM lParam);
    LRESULT OnLibraryExit(WPARAM wParam, LPARAM lParam);
    LRESULT OnSheetModalEnded(WPARAM wParam, LPARAM lParam);
    // Enter and Escape never end the hidden dialog; only the exit paths do.
    void OnOK() override { }
    void OnCancel() override { }

    DECLARE_MESSAGE_MAP()

private:
    // What waits for the sheet's modal guard to drop.
    enum class Deferred { None, Launch, SwitchStation, SwitchAPClient, Exit };

    bool load_library();
    void release_library();
    bool defer_while_sheet_modal(Deferred what);
    void destroy_sheet();
    void adapter_gone_tick();
    void radio_on_tick();
    void wait_driver_tick();
    void append_events();
    void apply_when_ready(bool dhcp_by_os);
    void on_power_broadcast(WPARAM event);
    void on_device_change();
    HICON icon_handle(UINT icon_id);
    NOTIFYICONDATA icon_record(UINT icon_id);
    void start_vxswap(std::vector<std::string> const& arguments);
    bool ask_apclient_record();
    void finish_apclient_switch();

    std::unique_ptr<CVxPropSheet> m_pPropSheet;
    UINT m_nTrayIcon { 0 };
    bool m_bLibraryBound { false };
    bool m_bAdapterGoneWaiting { false };
    Deferred m_deferred { Deferred::None };
    std::map<UINT, HICON> m_icons;
};

// The one hidden dialog of the run; null before it starts and after it ends.
extern CHideDlg* g_pHideDlg;
extern BOOL G_bDeviceRemoved;

}
