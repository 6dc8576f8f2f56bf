// The tray menu: which of the menu resources the right click shows, the commands of each and
// their texts, and building a menu from the program's resources. The choice is a pure
// function of what the hidden dialog learns from the library and the program's folder.
#pragma once

#include "platform/user/Types.h"

#include <string>
#include <vector>

struct TrayMenuInputs {
    int winOS { 0 };                 // VXWL_GetWinOS
    bool admin { false };            // VXWL_DetectUserAdmin
    int zeroConfig { 0 };            // VXWL_IsZeroConfig
    bool apUtilityExe { false };     // "<SoftAP_UIName>.exe" in the program's folder
    bool vxSwapExe { false };        // "VxSwap.exe" in the program's folder
    bool vistaSoftAP { false };      // VXWL_IsSupportVistaSoftAP (a missing export counts as no)
    bool apModel { false };          // VXWL_GetCurrentDeviceModel succeeded with a model of 2 to 8
    bool deviceExist { false };
    int supportAPMode { 0 };         // VXWL_IsSupportAPMode
    int opMode { 0 };                // VXWL_QueryOPMode
    bool showSwitchAPWhenAPClient { false };
};

// The menu resource id (226 to 261) for the inputs.
int ChooseTrayMenu(TrayMenuInputs const& in);

// The commands of a tray menu resource, in item order; empty for an unknown id.
std::vector<UINT> TrayMenuCommands(int menu_id);

// The string-table text of a tray command; empty for an unknown command.
std::string TrayCommandText(UINT command);

// The menu resource `menu_id`: a bar with the one pop-up; null when the resource is missing.
HMENU LoadTrayMenuResource(int menu_id);
