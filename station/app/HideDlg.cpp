// CHideDlg: construction, start-up, the exit command and the tear-down. The adapter and card
// steps are in HideDlgCard.cpp, the tray icon and menu in HideDlgTray.cpp.
#include "station/app/HideDlg.h"

#include "platform/system/Kernel.h"
#include "platform/system/Module.h"
#include "platform/system/Process.h"
#include "platform/system/Session.h"
#include "platform/user/Trace.h"
#include "station/app/ShowUIEvent.h"
#include "station/app/StatusCallback.h"
#include "station/app/WorkerThreads.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/IniFile.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "wlan/api/Callback.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

CHideDlg* g_pHideDlg = nullptr;
BOOL G_bWepError = FALSE;
BOOL g_bExitingUI = FALSE;
WLANPROFILE* G_pProfileBuffer = nullptr;
WPS_CREDENTIAL* G_pWpsEntry = nullptr;

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
    ON_MESSAGE(WM_HIDE_DLG_EXIT, OnHideDlgExit)
    ON_MESSAGE(WM_HIDE_DLG_AUTH_FAILED, OnAuthFailed)
    ON_MESSAGE(WM_HIDE_DLG_CCX_PROFILE, OnCcxDiagProfile)
    ON_MESSAGE(WM_HIDE_DLG_SHOW_INVALID_IDPW, OnShowInvalidIDPW)
    ON_MESSAGE(WM_HIDE_DLG_ASK_NEW_PASSWORD, OnAskNewPassword)
    ON_MESSAGE(VXWL_MSG_SCAN_FAILED, OnScanFailed)
    ON_MESSAGE(VXWL_MSG_RADIO_ON, OnTurnOnRadio)
    ON_MESSAGE(VXWL_MSG_RADIO_OFF, OnTurnOffRadio)
    ON_MESSAGE(VXWL_MSG_CCX_DIAG_FIRST, OnCcxDiagnostic4)
    ON_MESSAGE(VXWL_MSG_CCX_DIAG_FIRST + 1, OnCcxDiagnostic5)
    ON_MESSAGE(VXWL_MSG_CCX_DIAG_FIRST + 2, OnCcxDiagnostic6)
    ON_MESSAGE(VXWL_MSG_CCX_DIAG_LAST, OnCcxDiagnostic7)
    ON_MESSAGE(VXWL_MSG_RECONNECT, OnReConnectMsg)
    ON_MESSAGE(VXWL_MSG_RECONNECT + 1, OnIgnoredMsg)
    ON_MESSAGE(VXWL_MSG_RECONNECT + 2, OnIgnoredMsg)
    ON_MESSAGE(VXWL_MSG_ENABLE_WINDOW, OnEnableConfigUI)
    ON_MESSAGE(VXWL_MSG_EAP_CONFIG_DONE, OnResumeConnect)
    ON_MESSAGE(WM_NDIS_PRIVATE, OnPrivateMsg)
    ON_MESSAGE(WM_NDIS_MEDIA_CONNECT, OnNdisStatusMediaConnectMessage)
    ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
    ON_COMMAND(ID_TRAY_DIAGNOSTIC, OnTrayDiagnostic)
    ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
    ON_COMMAND(ID_TRAY_SWITCH_AP_MODE, OnTraySwitchApMode)
    ON_COMMAND(ID_TRAY_SWITCH_VXCONFIG, OnTraySwitchVxconfig)
    ON_COMMAND(ID_TRAY_SWITCH_ZEROCONFIG, OnTraySwitchZeroConfig)
    ON_COMMAND(ID_TRAY_SWITCH_STA_MODE, OnTraySwitchSTAMode)
    ON_COMMAND(ID_TRAY_SWITCH_APCLIENT_MODE, OnTraySwitchAPClientMode)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent)
    : CDialog(IDD_HIDE_DLG, pParent)
{
    m_pProfData = static_cast<WLANPROFILE*>(std::calloc(1, sizeof(WLANPROFILE)));
    G_pProfileBuffer = static_cast<WLANPROFILE*>(std::calloc(1, sizeof(WLANPROFILE)));
    G_pWpsEntry = static_cast<WPS_CREDENTIAL*>(std::calloc(1, sizeof(WPS_CREDENTIAL)));
    G_bReConnect = TRUE;
    station::app::WorkerThreads::the().restart();
}

// The taskbar sweep for icons of ended programs has no counterpart here: the tray drops the
// icons of a process when it ends.
CHideDlg::~CHideDlg()
{
    // The workers are stopped by now (OnDestroy); stopping again covers a dialog never run.
    station::app::WorkerThreads::the().stop_all();
    {
        std::lock_guard lock(m_profileMutex);
        std::free(m_pProfData);
        m_pProfData = nullptr;
    }
    std::free(G_pProfileBuffer);
    G_pProfileBuffer = nullptr;
    std::free(G_pWpsEntry);
    G_pWpsEntry = nullptr;
    stop_show_ui_waiter();
    if (m_dlgDiagnostic.m_hWnd)
        m_dlgDiagnostic.DestroyWindow();
    if (m_dlgMessage.m_hWnd)
        m_dlgMessage.DestroyWindow();
    for (auto& [id, icon] : m_icons)
        DestroyIcon(icon);
    if (g_pHideDlg == this)
        g_pHideDlg = nullptr;
}

// [SECTION] Start-up

BOOL CHideDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    start_show_ui_waiter();
    SetWindowText(HIDE_DLG_TITLE);
    station::core::ClearCallbackBuffers();
    if (!load_library())
        return FALSE;
    G_VxWlLib.VXWL_Initial("Vexlor", m_hWnd);
    G_UiStr.GetString();
    g_pHideDlg = this;
    hide_tab_icon_by_desktop();
    DetectAdapter();
    // A stop signal ended the adapter choice: the program ends without starting the card.
    if (MSG quit {}; ::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
        m_bEnding = TRUE;
        return TRUE;
    }
    if (G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter)) {
        wait_for_driver();
        InitCard(m_bShowConfigUI);
        // The card was handed to the mode switcher and the program is ending.
        if (m_bEnding)
            return TRUE;
    }
    SetTaskBar();
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    if (win_os >= 7 && win_os <= 9) {
        WTSRegisterSessionNotification(m_hWnd, NOTIFY_FOR_THIS_SESSION);
    }
    ModifyTaskBar(IDI_LOST);
    SetTimer(TIMER_HIDE_DLG_RADIO, 1000);
    if (win_os >= 7)
        arm_session_timer();
    SetTimer(TIMER_HIDE_DLG_CHECKINI_DEBUGMODE, 8000);
    return TRUE;
}

void CHideDlg::start_show_ui_waiter()
{
    SECURITY_ATTRIBUTES attributes {};
    bool const secured = BuildEventSecurityAttributes(&attributes) == 1;
    g_bStopShowUIThread.store(0);
    g_hShowUIEvent = CreateEvent(secured ? &attributes : nullptr, FALSE, FALSE, SHOW_UI_EVENT_NAME);
    if (secured)
        LocalFree(attributes.lpSecurityDescriptor);
    if (!g_hShowUIEvent) {
        TraceMsg(TRACE_FAIL, "[Kivra] CreateEvent \"ShowUIEvent\" fail\n");
        return;
    }
    // The object is kept so that the destructor can wait for the thread to end.
    m_pShowUIThread = AfxBeginThread(ShowUIEventThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pShowUIThread) {
        m_pShowUIThread->m_bAutoDelete = FALSE;
        m_pShowUIThread->ResumeThread();
    }
}

// The waiter wakes once, sees the flag and ends; it closes the event handle itself.
void CHideDlg::stop_show_ui_waiter()
{
    g_bStopShowUIThread.store(1);
    if (!m_pShowUIThread)
        return;
    SetEvent(g_hShowUIEvent);
    WaitForSingleObject(m_pShowUIThread->m_hThread, INFINITE);
    delete m_pShowUIThread;
    m_pShowUIThread = nullptr;
    g_hShowUIEvent = nullptr;
}

bool CHideDlg::load_library()
{
    std::string const path = GetProgramFolder() + "VxWLAPI.dll";
    if (G_VxWlLib.LoadAPI(path.c_str()))
        return true;
    TraceMsg(TRACE_FAIL, "[Kivra] Load dll fail: %s", path.c_str());
    // The box and standard error name the file the platform looked for, not the original name,
    // and standard error says why the loader refused it (missing, or a symbol it lacks).
    std::string const file = platform::system::module_file_name(path);
    std::string reason = platform::system::last_load_error();
    if (reason.starts_with(file + ": "))
        reason.erase(0, file.size() + 2);
    platform::report_unreadable_file(file, reason.empty() ? "cannot be loaded" : reason);
    ::MessageBox(nullptr, file.c_str(), "Load dll fail", MB_OK);
    EndDialog(1);
    return false;
}

void CHideDlg::hide_tab_icon_by_desktop()
{
    RECT desktop {};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    G_bHideTabIcon = desktop.bottom < 660 ? TRUE : FALSE;
    if (G_bHideTabIcon) {
        CWnd* main = AfxGetMainWnd();
        HWND const target = main && main->m_hWnd ? main->m_hWnd : m_hWnd;
        ::SetWindowLong(target, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    }
}

// Asks the driver whether it is initialised, once a second, at most six times.
void CHideDlg::wait_for_driver()
{
    VXWL_U32 state = 0;
    G_VxWlLib.VXWL_QueryInitState(&state);
    while (!state && m_nCountInitRetry < 5) {
        Sleep(1000);
        ++m_nCountInitRetry;
        G_VxWlLib.VXWL_QueryInitState(&state);
    }
    m_nCountInitRetry = 0;
}

void CHideDlg::arm_session_timer()
{
    m_hKernel32 = LoadLibrary("Kernel32.dll");
    if (m_hKernel32)
        m_pfnGetActiveConsoleSessionId
            = reinterpret_cast<DWORD (*)()>(GetProcAddress(m_hKernel32, "WTSGetActiveConsoleSessionId"));
    if (m_pfnGetActiveConsoleSessionId) {
        std::string const name = OwnProgramName().substr(0, 128);
        // A program that cannot find itself by name (renamed, or run inside another process)
        // takes its own process's session: a session id left at 0 would read as another
        // user's, and the adapter would be given up two seconds after start.
        DWORD pid = FindProcessIdByName(name.c_str());
        if (!pid)
            pid = GetCurrentProcessId();
        DWORD session = 0;
        if (ProcessIdToSessionId(pid, &session))
            m_dwSessionId = m_dwPrevSessionId = session;
    }
    SetTimer(TIMER_HIDE_DLG_SESSION_ID, 2000);
}

// [SECTION] Exit and tear-down

void CHideDlg::OnTrayExit()
{
    if (m_bDialogRunning) {
        TraceMsg(TRACE_STEP, "[Kivra] m_bDialogRunning is TRUE\n");
        return;
    }
    close_windows();
    DeleteTaskBar();
    m_bEnding = TRUE;
    EndDialog(1);
}

void CHideDlg::close_windows()
{
    if (m_pVxUI) {
        g_bExitingUI = TRUE;
        set_config_window(nullptr);
        if (m_pVxUI->m_hWnd && ::IsWindow(m_pVxUI->m_hWnd))
            m_pVxUI->DestroyWindow();
        delete m_pVxUI;
        m_pVxUI = nullptr;
    }
    if (m_dlgMessage.m_hWnd)
        m_dlgMessage.DestroyWindow();
}

LRESULT CHideDlg::OnHideDlgExit(WPARAM, LPARAM)
{
    OnTrayExit();
    return 0;
}

// Closing help windows of another program by title has no counterpart here: the desktop's
// browser shows the help.
void CHideDlg::OnDestroy()
{
    KillAllTimer();
    int const win_os = G_VxWlLib.VXWL_GetWinOS ? G_VxWlLib.VXWL_GetWinOS() : 0;
    // The session timer and the others that survive KillAllTimer end with the window too.
    for (UINT id : { 19u, 20u, 21u, 22u, 23u })
        KillTimer(id);
    if (win_os >= 10 && m_hKernel32) {
        FreeLibrary(m_hKernel32);
        m_hKernel32 = nullptr;
    }
    if (G_VxWlLib.VXWL_QueryOPMode && G_VxWlLib.VXWL_QueryOPMode() == 0 && G_VxWlLib.VXWL_BackupStationSetting)
        G_VxWlLib.VXWL_BackupStationSetting();
    if (win_os < 10 && G_VxWlLib.VXWL_Release)
        G_VxWlLib.VXWL_Release();
    DrainActionQueue();
    // No worker may outlive the library, and a library thread waiting for one is set free.
    station::app::WorkerThreads::the().stop_all();
    if (G_VxWlLib.VXWL_DeInitial)
        G_VxWlLib.VXWL_DeInitial();
    if (win_os >= 7 && win_os <= 9)
        WTSUnRegisterSessionNotification(m_hWnd);
    G_VxWlLib.Release();
    // The configuration window and a tray icon that are still there (a start-up ended by the
    // mode switch, a stop signal that ended the loops) go with the window.
    close_windows();
    DeleteTaskBar();
    CDialog::OnDestroy();
}

BOOL CHideDlg::KillAllTimer()
{
    for (UINT id = 0; id <= 16; ++id)
        KillTimer(id);
    return TRUE;
}

void CHideDlg::OnPaint()
{
    CPaintDC dc(this);
    ShowWindow(SW_HIDE);
}
