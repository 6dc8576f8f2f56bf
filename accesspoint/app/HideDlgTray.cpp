// CHideDlg: the tray icon with its image and tip, the tray callback and menu, and the property
// sheet the launch command opens.
#include "accesspoint/app/HideDlg.h"

#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/EventArray.h"
#include "platform/controls/common/Menu.h"
#include "platform/framework/MenuObject.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/ProcessTable.h"
#include "platform/user/Input.h"
#include "station/core/IniFile.h"

#include <cstdio>

namespace hotvane {

namespace {

// The sheet's bottom edge lies this far below its Help button's.
constexpr int kSheetMarginBelowHelp = 10;

// A program of the folder, by its original name, is there when it can be opened for reading.
bool program_exists(std::string const& original_name)
{
    std::string const path = GetProgramFolder() + platform::system::linux_file_name(original_name);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

}

HICON CHideDlg::icon_handle(UINT icon_id)
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
    data.hIcon = icon_handle(icon_id);
    TrayTipFor(icon_id).copy(data.szTip, sizeof data.szTip - 1);
    return data;
}

BOOL CHideDlg::SetTaskBar()
{
    UINT const icon_id = m_bDeviceExist ? IDI_AP_LOST : IDI_AP_NOTEXIST;
    NOTIFYICONDATA data = icon_record(icon_id);
    BOOL const added = Shell_NotifyIcon(NIM_ADD, &data);
    TraceMsg("[Hotvane] Shell_NotifyIcon(NIM_ADD) return %d\n", int(added));
    if (added) {
        m_bTrayIconAdded = TRUE;
        m_nTrayIcon = icon_id;
    }
    return added;
}

BOOL CHideDlg::ModifyTaskBar(UINT icon_id)
{
    NOTIFYICONDATA data = icon_record(icon_id);
    BOOL result = Shell_NotifyIcon(NIM_MODIFY, &data);
    if (!result) {
        Shell_NotifyIcon(NIM_DELETE, &data);
        result = Shell_NotifyIcon(NIM_ADD, &data);
        m_bTrayIconAdded = result;
    }
    if (result)
        m_nTrayIcon = icon_id;
    if (sheet_open())
        m_pPropSheet->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(data.hIcon));
    return result;
}

BOOL CHideDlg::DeleteTaskBar()
{
    NOTIFYICONDATA data {};
    data.cbSize = sizeof data;
    data.hWnd = m_hWnd;
    data.uID = TRAY_ICON_ID;
    BOOL const removed = Shell_NotifyIcon(NIM_DELETE, &data);
    TraceMsg("[Hotvane] Shell_NotifyIcon(NIM_DELETE) return %d\n", int(removed));
    if (removed) {
        m_bTrayIconAdded = FALSE;
        m_nTrayIcon = 0;
    }
    return removed;
}

LRESULT CHideDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (m_bDialogRunning)
        return 0;
    if (UINT(lParam) == WM_LBUTTONDBLCLK) {
        if (m_bDeviceExist && G_VxApApi.VXAP_IsDeviceExist(&G_VxApApi.adapter))
            ShowPropSheet();
    } else if (UINT(lParam) == WM_RBUTTONDOWN) {
        ShowTrayMenu();
    }
    return 0;
}

void CHideDlg::OnTrayLaunch()
{
    if (!m_bDialogRunning && m_bDeviceExist && G_VxApApi.VXAP_IsDeviceExist(&G_VxApApi.adapter))
        ShowPropSheet();
}

TrayMenuInputs CHideDlg::TrayMenuState()
{
    TrayMenuInputs in;
    in.utilityExe = program_exists(G_VxApApi.UTILITY_FILE_NAME + ".exe");
    in.vxSwapExe = program_exists("VxSwap.exe");
    in.deviceExist = G_VxApApi.VXAP_IsDeviceExist(&G_VxApApi.adapter) != 0;
    in.winOS = G_VxApApi.VXAP_GetWinOS();
    in.switchAPClient = G_VxApApi.SwitchAPClient != 0;
    return in;
}

void CHideDlg::ShowTrayMenu()
{
    int const menu_id = ChooseTrayMenu(TrayMenuState());
    TraceMsg("[Hotvane] tray menu %d\n", menu_id);
    HMENU const bar = ::LoadMenu(nullptr, MAKEINTRESOURCE(static_cast<WORD>(menu_id)));
    if (!bar)
        return;
    for (UINT command : TrayMenuCommands(menu_id))
        ModifyMenu(bar, command, MF_BYCOMMAND | MF_STRING, command, TrayCommandText(command).c_str());
    HMENU const popup = GetSubMenu(bar, 0);
    POINT cursor {};
    GetCursorPos(&cursor);
    SetForegroundWindow();
    if (popup)
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    DestroyMenu(bar);
}

void CHideDlg::ShowPropSheet()
{
    if (m_bDialogRunning)
        return;
    if (!m_bDeviceExist) {
        m_bDialogRunning = TRUE;
        ::MessageBox(m_hWnd, G_UiStr.IDS_DRIVER_NOTOK.c_str(), G_UiStr.IDS_APCONFIGMSG.c_str(), MB_ICONHAND);
        m_bDialogRunning = FALSE;
        return;
    }
    if (sheet_open()) {
        m_pPropSheet->SetForegroundWindow();
        return;
    }
    if (defer_while_sheet_modal(Deferred::Launch))
        return;
    G_nEventLogShown = 0;
    m_pPropSheet.reset();
    m_pPropSheet = std::make_unique<CVxPropSheet>(G_UiStr.IDS_VEXLOR_CONFIG_TITLE.c_str(), this);
    if (!m_pPropSheet->Create()) {
        m_pPropSheet.reset();
        return;
    }
    RECT sheet {};
    m_pPropSheet->GetWindowRect(&sheet);
    if (CWnd* help = m_pPropSheet->GetDlgItem(IDHELP)) {
        RECT button {};
        help->GetWindowRect(&button);
        m_pPropSheet->MoveWindow(sheet.left, sheet.top, sheet.right - sheet.left,
            button.bottom + kSheetMarginBelowHelp - sheet.top);
    }
    m_pPropSheet->SetForegroundWindow();
    TraceMsg("[Hotvane] CHideDlg::ShowPropSheet: sheet opened\n");
}

}
