#include "accesspoint/app/TrayChoice.h"

#include "accesspoint/app/HotvaneIds.h"
#include "accesspoint/core/UiStr.h"

namespace hotvane {

int ChooseTrayMenu(TrayMenuInputs const& in)
{
    if (!in.utilityExe || !in.vxSwapExe || !in.deviceExist)
        return IDR_TRAY_MENU_BASIC;
    if (in.winOS < OS_HOSTED_NETWORK)
        return IDR_TRAY_MENU_STATION;
    return in.switchAPClient ? IDR_TRAY_MENU_APCLIENT : IDR_TRAY_MENU_STATION;
}

std::vector<UINT> TrayMenuCommands(int menu_id)
{
    switch (menu_id) {
    case IDR_TRAY_MENU_BASIC: return { ID_TRAY_LAUNCH, ID_TRAY_EXIT };
    case IDR_TRAY_MENU_STATION: return { ID_TRAY_LAUNCH, ID_TRAY_SWITCH_STATION, ID_TRAY_EXIT };
    case IDR_TRAY_MENU_APCLIENT: return { ID_TRAY_LAUNCH, ID_TRAY_SWITCH_APCLIENT, ID_TRAY_SWITCH_STATION, ID_TRAY_EXIT };
    default: return {};
    }
}

std::string TrayCommandText(UINT command)
{
    switch (command) {
    case ID_TRAY_LAUNCH: return G_UiStr.IDS_TRAY_LAUNCH;
    case ID_TRAY_SWITCH_APCLIENT: return G_UiStr.IDS_TRAY_SWITCH_APCLIENT_MODE;
    case ID_TRAY_SWITCH_STATION: return G_UiStr.IDS_TRAY_SWITCH_STATION_MODE;
    case ID_TRAY_EXIT: return G_UiStr.IDS_TRAY_EXIT;
    default: return {};
    }
}

UINT SignalIconFor(int quality)
{
    if (quality >= 71)
        return IDI_AP_GOOD;
    if (quality >= 41)
        return IDI_AP_NORMAL;
    return IDI_AP_WEAK;
}

std::string TrayTipFor(UINT icon_id)
{
    switch (icon_id) {
    case IDI_AP_LOST: return G_UiStr.IDS_VEXLOR_LOST;
    case IDI_AP_GOOD: return G_UiStr.IDS_VEXLOR_GOOD;
    case IDI_AP_NORMAL: return G_UiStr.IDS_VEXLOR_NORMAL;
    case IDI_AP_NOTEXIST: return G_UiStr.IDS_VEXLOR_NOTEXIST;
    case IDI_AP_WEAK: return G_UiStr.IDS_VEXLOR_WEAK;
    default: return {};
    }
}

}
