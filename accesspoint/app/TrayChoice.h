// What the tray shows, as pure functions of what the hidden dialog learns: the menu resource
// the right click opens with its commands in item order, the command texts, and the image for
// a signal quality.
#pragma once

#include "platform/user/Types.h"

#include <string>
#include <vector>

namespace hotvane {

struct TrayMenuInputs {
    bool utilityExe { false }; // "<UTILITY_FILE_NAME>.exe" in the program's folder
    bool vxSwapExe { false };  // "VxSwap.exe" in the program's folder
    bool deviceExist { false };
    int winOS { 0 };
    bool switchAPClient { false }; // option SwitchAPClient
};

// 141, 142 or 152.
int ChooseTrayMenu(TrayMenuInputs const& in);
// The commands of menu 141, 142 or 152 in item order; empty for another id.
std::vector<UINT> TrayMenuCommands(int menu_id);
// The string-table text of a tray command; empty for another command.
std::string TrayCommandText(UINT command);
// 134 for a quality of 71 and above, 135 for 41 to 70, 137 for 40 and below.
UINT SignalIconFor(int quality);
// The string-table tip of a tray image; empty for another image.
std::string TrayTipFor(UINT icon_id);

}
