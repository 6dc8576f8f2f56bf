// The mode switcher's command: the mode word from the requested mode or switch kind, and the
// six arguments the switcher takes (word, this program, the program to start, folder, icon,
// adapter). The switcher is started from the argument vector, so no value is ever re-parsed;
// the formatted text is for the trace only.
#pragma once

#include <string>
#include <vector>

namespace station::app {

// The operating system's virtual adapter, named in place of the adapter for a hosted-network
// switch.
inline constexpr char kVirtualWifiAdapter[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";

// RunVxSwap(mode): "OFF" for 0, "ON" for 1 and 2, "OFF" otherwise.
char const* SwapWordForMode(int mode);
// RunVxSwapEx(current mode, kind): kind 0 "OFF", kind 2 "ON", kind 1 "ON" from station mode and
// "OFFON" from access point client mode, "OFF" otherwise.
char const* SwapWordForKind(int currentOpMode, int kind);

struct SwapNames {
    std::string program;      // this program's file name, no folder or extension
    std::string apUtility;    // SoftAP_UIName
    std::string folder;       // ShortCut_FolderName
    std::string icon;         // ShortCut_IconName
    std::string adapter;      // the selected adapter's device description
};

// The six arguments; with `adapterVariant` positions 3 and 6 are the access point utility and
// the adapter, else this program and the virtual adapter.
std::vector<std::string> SwapArguments(char const* word, SwapNames const& names, bool adapterVariant);

// "\"VxSwap.exe\" %s %s %s \"%s\" \"%s\" \"%s\"" of the six arguments, as the trace shows it.
std::string FormatSwapCommand(std::vector<std::string> const& arguments);

// The file name of `path` without folder and extension, cut to 127 characters.
std::string ProgramBaseName(std::string const& path);

}
