// CHideDlg: the tray icon with its image and tip, the tray callback and the tray menu.
#include "station/app/HideDlg.h"

#include "platform/controls/common/Menu.h"
#include "platform/system/ProcessTable.h"
#include "platform/user/Input.h"
#include "station/app/TrayText.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgIds.h"
#include "station/core/IniFile.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <unistd.h>

namespace {

std::string tip_for(UINT icon_id)
{
    auto connected_ssid = [] {
        WLAN_STATUS status {};
        G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
        return StatusSsid(status);
    };
    switch (icon_id) {
    case IDI_SIGNAL_GOOD: return BuildTrayTip(G_UiStr.IDS_VEXLOR_GOOD, connected_ssid());
    case IDI_SIGNAL_NORMAL: return BuildTrayTip(G_UiStr.IDS_VEXLOR_NORMAL, connected_ssid());
    case IDI_SIGNAL_WEAK: return BuildTrayTip(G_UiStr.IDS_VEXLOR_WEAK, connected_ssid());
    case IDI_WEP_ERROR: return BuildTrayTip(G_UiStr.IDS_VEXLOR_WEP_ERROR, G_UiStr.IDS_WEPERROR);
    case IDI_LOST: return BuildTrayTip(G_UiStr.IDS_VEXLOR_LOST, "");
    case IDI_NOTEXIST: return BuildTrayTip(G_UiStr.IDS_VEXLOR_NOTEXIST, "");
    default: return {};
    }
}

bool program_exists(std::string const& original_name)
{
    std::string const path = GetProgramFolder() + platform::system::linux_file_name(original_name);
    return ::access(path.c_str(), F_OK) == 0;
}

}

HICON CHideDlg::tray_icon_handle(UINT icon_id)
{
    auto it = m_icons.find(icon_id);
    if (it == m_icons.end())
        it = m_icons.emplace(icon_id, ::LoadIcon(nullptr, MAKEINTRESOURCE(icon_id))).first;
    return it->second;
}

NOTIFYICONDATA CHideDlg::icon_record(UINT icon_id)
{
    NOTIFYICONDATA data {};
    data.cbSize = sizeof data;
    data.hWnd = m_hWnd;
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_NOTIFY;
    data.hIcon = tray_icon_handle(icon_id);
    std::string const tip = tip_for(icon_id);
    tip.copy(data.szTip, sizeof data.szTip - 1);
    return data;
}

BOOL CHideDlg::SetTaskBar()
{
    UINT const icon_id = m_bDeviceExist ? IDI_LOST : IDI_NOTEXIST;
    NOTIFYICONDATA data = icon_record(icon_id);
    BOOL const added = Shell_NotifyIcon(NIM_ADD, &data);
    TraceMsg(TRACE_STEP, "[Kivra] Shell_NotifyIcon(NIM_ADD) return %d\n", int(added));
    if (added)
        m_nTrayIcon = icon_id;
    return added;
}

BOOL CHideDlg::ModifyTaskBar(UINT icon_id)
{
    NOTIFYICONDATA data = icon_record(icon_id);
    BOOL result = Shell_NotifyIcon(NIM_MODIFY, &data);
    if (!result) {
        Shell_NotifyIcon(NIM_DELETE, &data);
        result = Shell_NotifyIcon(NIM_ADD, &data);
    }
    if (result)
        m_nTrayIcon = icon_id;
    if (m_pVxUI && m_pVxUI->m_hWnd && ::IsWindow(m_pVxUI->m_hWnd))
        m_pVxUI->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(data.hIcon));
    return result;
}

void CHideDlg::UpdateSignalIcon()
{
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 0, 1, 0, 0 } });
    int const percent = G_VxWlLib.VXWL_RssiToPercent(status.Ant1Dbm);
    ModifyTaskBar(SignalIconFor(percent, G_bWepError != FALSE));
}

BOOL CHideDlg::DeleteTaskBar()
{
    NOTIFYICONDATA data {};
    data.cbSize = sizeof data;
    data.hWnd = m_hWnd;
    data.uID = TRAY_ICON_ID;
    BOOL const removed = Shell_NotifyIcon(NIM_DELETE, &data);
    if (removed)
        m_nTrayIcon = 0;
    return removed;
}

LRESULT CHideDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (m_bDialogRunning)
        return 0;
    if (UINT(lParam) == WM_LBUTTONDBLCLK) {
        if (G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter))
            ShowConfigUI();
    } else if (UINT(lParam) == WM_RBUTTONDOWN) {
        ShowTrayMenu();
    }
    return 0;
}

void CHideDlg::OnTrayLaunch()
{
    if (!m_bDialogRunning && m_bDeviceExist && G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter))
        ShowConfigUI();
}

TrayMenuInputs CHideDlg::TrayMenuState()
{
    TrayMenuInputs in;
    in.winOS = G_VxWlLib.VXWL_GetWinOS();
    in.apUtilityExe = program_exists(std::string(G_VxWlLib.szSoftAPUIName) + ".exe");
    in.vxSwapExe = program_exists("VxSwap.exe");
    in.vistaSoftAP = G_VxWlLib.VXWL_IsSupportVistaSoftAP && G_VxWlLib.VXWL_IsSupportVistaSoftAP() != 0;
    int model = 0;
    in.apModel = G_VxWlLib.VXWL_GetCurrentDeviceModel(&model) == VXWL_ERROR_SUCCESS && model >= 2 && model <= 8;
    in.deviceExist = G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter) != 0;
    in.admin = G_VxWlLib.VXWL_DetectUserAdmin() != 0;
    in.zeroConfig = G_VxWlLib.VXWL_IsZeroConfig();
    in.supportAPMode = G_VxWlLib.VXWL_IsSupportAPMode();
    in.opMode = G_VxWlLib.VXWL_QueryOPMode();
    in.showSwitchAPWhenAPClient = G_VxWlLib.nShowSwitchAPWhenAPClient != 0;
    return in;
}

// Every item but the launch item of menus 257 and 260 takes its text from the string table.
void CHideDlg::set_tray_menu_text(HMENU menu, int menu_id)
{
    for (UINT command : TrayMenuCommands(menu_id)) {
        if (command == ID_TRAY_LAUNCH && (menu_id == 257 || menu_id == 260))
            continue;
        std::string const text = TrayCommandText(command);
        ModifyMenu(menu, command, MF_BYCOMMAND | MF_STRING, command, text.c_str());
    }
    auto grey_if = [menu](UINT command, CDialog const& dialog) {
        if (dialog.m_hWnd && dialog.IsWindowVisible())
            EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
    };
    grey_if(ID_TRAY_DIAGNOSTIC, m_dlgDiagnostic);
    grey_if(ID_TRAY_SWITCH_AP_MODE, m_dlgMessage);
}

void CHideDlg::ShowTrayMenu()
{
    int const menu_id = ChooseTrayMenu(TrayMenuState());
    TraceMsg(TRACE_STEP, "[Kivra] tray menu %d\n", menu_id);
    HMENU const bar = LoadTrayMenuResource(menu_id);
    if (!bar)
        return;
    set_tray_menu_text(bar, menu_id);
    HMENU const popup = GetSubMenu(bar, 0);
    POINT cursor {};
    GetCursorPos(&cursor);
    SetForegroundWindow();
    if (popup)
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    DestroyMenu(bar);
}

// The dialog runs with m_bDialogRunning clear: the tray menu still opens and greys its item.
void CHideDlg::OnTrayDiagnostic()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::OnTrayDiagnostic\n");
    m_dlgDiagnostic.DoModal();
}
