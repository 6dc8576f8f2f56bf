#include "station/app/TrayMenu.h"

#include "platform/controls/common/Menu.h"
#include "platform/framework/MenuObject.h"
#include "station/core/HideDlgIds.h"
#include "station/core/UiStr.h"

namespace {

// The access point choices of the newer systems, once adapter, administrator and access point
// support are known to be there.
int choose_newer(TrayMenuInputs const& in, bool ap_utility, bool switcher)
{
    if (!ap_utility) {
        if (!switcher)
            return 226;
        if (in.opMode == 0)
            return 257;
        return in.opMode == 1 || in.opMode == 2 ? 260 : 226;
    }
    if (!switcher)
        return 226;
    switch (in.opMode) {
    case 0:
        return 259;
    case 1:
        return 261;
    case 2:
        return in.showSwitchAPWhenAPClient ? 258 : 260;
    default:
        return 226;
    }
}

}

int ChooseTrayMenu(TrayMenuInputs const& in)
{
    if (in.winOS >= 12) {
        bool const ap_utility = in.apUtilityExe && in.vistaSoftAP;
        if (in.deviceExist && in.admin && in.supportAPMode == 1)
            return choose_newer(in, ap_utility, in.vxSwapExe);
        return 226;
    }
    // Older systems need the mode switcher beside the access point utility.
    bool const all_there = in.apUtilityExe && in.vxSwapExe && in.apModel && in.deviceExist;
    if (in.winOS >= 10)
        return all_there && in.admin ? 228 : 226;
    if (!in.admin)
        return 226;
    if (in.zeroConfig == 2)
        return all_there ? 232 : 230;
    if (in.winOS >= 7)
        return all_there ? 236 : 234;
    return all_there ? 228 : 226;
}

std::vector<UINT> TrayMenuCommands(int menu_id)
{
    constexpr UINT L = ID_TRAY_LAUNCH, D = ID_TRAY_DIAGNOSTIC, X = ID_TRAY_EXIT, A = ID_TRAY_SWITCH_AP_MODE;
    constexpr UINT V = ID_TRAY_SWITCH_VXCONFIG, Z = ID_TRAY_SWITCH_ZEROCONFIG;
    constexpr UINT S = ID_TRAY_SWITCH_STA_MODE, C = ID_TRAY_SWITCH_APCLIENT_MODE;
    switch (menu_id) {
    case 226: return { L, D, X };
    case 228: return { L, A, D, X };
    case 230: return { L, V, D, X };
    case 232: return { L, V, A, D, X };
    case 234: return { L, Z, D, X };
    case 236: return { L, Z, A, D, X };
    case 256: return { C, S, X };
    case 257: return { L, C, D, X };
    case 258: return { L, S, A, D, X };
    case 259: return { L, C, A, D, X };
    case 260: return { L, S, D, X };
    case 261: return { L, C, S, D, X };
    default: return {};
    }
}

std::string TrayCommandText(UINT command)
{
    switch (command) {
    case ID_TRAY_LAUNCH: return G_UiStr.IDS_TRAY_LAUNCH;
    case ID_TRAY_DIAGNOSTIC: return G_UiStr.IDS_TRAY_SWITCH_DIAGNOSTIC_MODE;
    case ID_TRAY_EXIT: return G_UiStr.IDS_TRAY_EXIT;
    case ID_TRAY_SWITCH_AP_MODE: return G_UiStr.IDS_TRAY_SWITCH_AP_MODE;
    case ID_TRAY_SWITCH_VXCONFIG: return G_UiStr.IDS_TRAY_SWITCH_VXCONFIG;
    case ID_TRAY_SWITCH_ZEROCONFIG: return G_UiStr.IDS_TRAY_SWITCH_ZEROCONFIG;
    case ID_TRAY_SWITCH_STA_MODE: return G_UiStr.IDS_TRAY_SWITCH_STA_MODE;
    case ID_TRAY_SWITCH_APCLIENT_MODE: return G_UiStr.IDS_TRAY_SWITCH_APCLIENT_MODE;
    default: return {};
    }
}

HMENU LoadTrayMenuResource(int menu_id)
{
    return ::LoadMenu(nullptr, MAKEINTRESOURCE(static_cast<WORD>(menu_id)));
}
