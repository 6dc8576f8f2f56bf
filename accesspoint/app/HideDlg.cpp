// CHideDlg: construction, start-up, the message routing, exit and tear-down. The adapter steps
// are in HideDlgCard.cpp, the polling in HideDlgTimer.cpp, the tray and the sheet in
// HideDlgTray.cpp, the mode switches in HideDlgSwitch.cpp.
#include "accesspoint/app/HideDlg.h"

#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/ConfigPage.h"
#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/Module.h"
#include "platform/user/Trace.h"
#include "station/core/IniFile.h"

#include <iterator>
#include <string>

namespace hotvane {

CHideDlg* g_pHideDlg = nullptr;
BOOL G_bDeviceRemoved = FALSE;

namespace {

// The hidden dialog learns that the last modal loop of the sheet's pages has ended.
void post_sheet_modal_ended()
{
    if (g_pHideDlg && g_pHideDlg->m_hWnd)
        ::PostMessage(g_pHideDlg->m_hWnd, WM_SHEET_MODAL_ENDED, 0, 0);
}

constexpr char kAdminMessage[] = "Soft AP user's account must have 'Administrator' privilege.";
// CloseHelpWindows closes at most this many windows of one title: a window that refuses to
// close must not keep the program looping.
constexpr int kMaxClosingsPerTitle = 8;

}

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
ON_COMMAND(ID_TRAY_SWITCH_STATION, OnTraySwitchSTAMode)
ON_COMMAND(ID_TRAY_SWITCH_APCLIENT, OnTraySwitchApclientMode)
ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
ON_MESSAGE(VXAP_MSG_RADIO_ON, OnTurnOnRadio)
ON_MESSAGE(VXAP_MSG_RADIO_OFF, OnTurnOffRadio)
ON_MESSAGE(VXAP_MSG_CONNECT_COMPLETE, OnConnectComplete)
ON_MESSAGE(VXAP_MSG_EXIT, OnLibraryExit)
ON_MESSAGE(WM_SHEET_MODAL_ENDED, OnSheetModalEnded)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent)
    : CDialog(IDD_HIDE_DLG, pParent)
{
}

// The taskbar sweep for icons of ended programs has no counterpart here: the tray drops the
// icons of a process when it ends.
CHideDlg::~CHideDlg()
{
    m_pPropSheet.reset();
    for (auto& [id, icon] : m_icons)
        DestroyIcon(icon);
    if (g_pHideDlg == this) {
        g_pHideDlg = nullptr;
        CSheetModalGuard::set_release_hook(nullptr);
    }
}

// [SECTION] Start-up

BOOL CHideDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_HIDE_DLG) : ::LoadIcon(nullptr, MAKEINTRESOURCE(IDI_HIDE_DLG));
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    SetWindowText(HIDE_DLG_TITLE);
    if (!load_library())
        return TRUE;
    G_VxApApi.VXAP_Initial("Vexlor", m_hWnd);
    G_UiStr.GetString();
    g_pHideDlg = this;
    CSheetModalGuard::set_release_hook(post_sheet_modal_ended);
    // The configuration page's Apply hands the new network name to the system's profile.
    SetProfileHandOver([this](std::string const& ssid) { SetVistaWindowsProfile(ssid.c_str()); });
    if (!G_VxApApi.VXAP_DetectUserAdmin()) {
        AfxMessageBox(kAdminMessage);
        EndDialog(2);
        return TRUE;
    }
    DetectAdapter();
    // A stop signal ended the adapter choice: the program ends without starting the card.
    if (MSG quit {}; ::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        return TRUE;
    m_bDeviceExist = G_VxApApi.VXAP_IsDeviceExist(&G_VxApApi.adapter) ? TRUE : FALSE;
    if (m_bDeviceExist)
        InitCard();
    if (m_bShowSheet)
        ShowPropSheet();
    SetTaskBar();
    m_nTimerPoll = SetTimer(TIMER_POLL, POLL_INTERVAL_MS);
    return TRUE;
}

bool CHideDlg::load_library()
{
    std::string const path = GetProgramFolder() + "VxAPAPI.dll";
    if (G_VxApApi.Load(path.c_str())) {
        m_bLibraryBound = true;
        TraceMsg("[Hotvane][VxCfg] Load dll Success: %s\n", path.c_str());
        return true;
    }
    TraceMsg("[Hotvane][VxCfg] Load dll fail: %s\n", path.c_str());
    // The box and standard error name the file looked for, and standard error says why the
    // loader refused it.
    std::string const file = platform::system::module_file_name(path);
    std::string reason = platform::system::last_load_error();
    if (reason.starts_with(file + ": "))
        reason.erase(0, file.size() + 2);
    platform::report_unreadable_file(file, reason.empty() ? "cannot be loaded" : reason);
    ::MessageBox(nullptr, file.c_str(), "Load dll fail", MB_OK);
    EndDialog(1);
    return false;
}

// [SECTION] Message routing

LRESULT CHideDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_POWERBROADCAST)
        on_power_broadcast(wParam);
    else if (message == WM_DEVICECHANGE)
        on_device_change();
    return CDialog::WindowProc(message, wParam, lParam);
}

void CHideDlg::OnPaint()
{
    CPaintDC dc(this);
    ShowWindow(SW_HIDE);
}

// [SECTION] Waiting for the sheet's modal loops

bool CHideDlg::sheet_open() const { return m_pPropSheet && m_pPropSheet->m_hWnd && ::IsWindow(m_pPropSheet->m_hWnd); }

// True when `what` has to wait for a page's modal loop: it is kept (an exit before anything
// else) and runs when the loop ends.
bool CHideDlg::defer_while_sheet_modal(Deferred what)
{
    if (CSheetModalGuard::count() == 0)
        return false;
    if (m_deferred != Deferred::Exit)
        m_deferred = what;
    TraceMsg("[Hotvane] CHideDlg: waiting for the sheet's dialog to close\n");
    return true;
}

LRESULT CHideDlg::OnSheetModalEnded(WPARAM, LPARAM)
{
    if (CSheetModalGuard::count() != 0)
        return 0;
    Deferred const what = m_deferred;
    m_deferred = Deferred::None;
    switch (what) {
    case Deferred::None: break;
    case Deferred::Launch: ShowPropSheet(); return 0;
    case Deferred::SwitchStation: OnTraySwitchSTAMode(); return 0;
    case Deferred::SwitchAPClient: OnTraySwitchApclientMode(); return 0;
    case Deferred::Exit: OnTrayExit(); return 0;
    }
    if (m_bAdapterGoneWaiting) {
        m_bAdapterGoneWaiting = false;
        adapter_gone_tick();
    }
    return 0;
}

void CHideDlg::destroy_sheet()
{
    if (!m_pPropSheet)
        return;
    if (m_pPropSheet->m_hWnd && ::IsWindow(m_pPropSheet->m_hWnd))
        m_pPropSheet->DestroyWindow();
    m_pPropSheet.reset();
}

// [SECTION] Exit and tear-down

void CHideDlg::OnTrayExit()
{
    if (m_bDialogRunning || defer_while_sheet_modal(Deferred::Exit))
        return;
    destroy_sheet();
    CloseHelpWindows();
    DeleteTaskBar();
    EndDialog(1);
}

LRESULT CHideDlg::OnLibraryExit(WPARAM, LPARAM)
{
    OnTrayExit();
    return 0;
}

// A stop signal ends the loops without the exit command: the sheet and the icon go here too.
void CHideDlg::OnDestroy()
{
    KillAllTimer();
    destroy_sheet();
    SetProfileHandOver(nullptr);
    if (m_bTrayIconAdded)
        DeleteTaskBar();
    release_library();
    CDialog::OnDestroy();
}

void CHideDlg::release_library()
{
    if (!m_bLibraryBound)
        return;
    m_bLibraryBound = false;
    if (G_VxApApi.VXAP_GetWinOS() >= OS_DHCP_SERVER)
        G_VxApApi.VXAP_DisableDhcpServer();
    G_VxApApi.VXAP_DeInitial();
    TraceMsg("[Hotvane] CHideDlg::OnDestroy: library shut down\n");
}

BOOL CHideDlg::KillAllTimer()
{
    for (UINT_PTR id = 1; id <= 4; ++id)
        KillTimer(id);
    m_nTimerPoll = 0;
    m_nTimerWaitDriver = 0;
    return TRUE;
}

// The program's message boxes share their caption with the hidden dialog and the sheet, which
// are passed over. The help opens in the desktop's browser, so the help titles find only a
// window of ours that carries one.
void CHideDlg::CloseHelpWindows()
{
    HWND const sheet = sheet_open() ? m_pPropSheet->m_hWnd : nullptr;
    std::string const titles[] = { G_UiStr.IDS_APCONFIGMSG, CVxPropSheet::kHelpWindowTitle, CVxPropSheet::kHtmlHelpTitle,
        G_UiStr.IDS_APCONFIG_HELP };
    for (std::size_t t = 0; t < std::size(titles); ++t) {
        if (titles[t].empty())
            continue;
        int const limit = t == 0 ? 1 : kMaxClosingsPerTitle;
        int closed = 0;
        HWND after = nullptr;
        while (closed < limit) {
            HWND const found = ::FindWindowEx(nullptr, after, nullptr, titles[t].c_str());
            if (!found)
                break;
            after = found;
            if (found == m_hWnd || found == sheet)
                continue;
            ::PostMessage(found, WM_CLOSE, 0, 0);
            ++closed;
        }
    }
}

}
