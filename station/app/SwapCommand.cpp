#include "station/app/SwapCommand.h"

namespace station::app {

char const* SwapWordForMode(int mode)
{
    return mode == 1 || mode == 2 ? "ON" : "OFF";
}

char const* SwapWordForKind(int currentOpMode, int kind)
{
    switch (kind) {
    case 2: return "ON";
    case 1: return currentOpMode == 0 ? "ON" : currentOpMode == 2 ? "OFFON" : "OFF";
    default: return "OFF";
    }
}

std::vector<std::string> SwapArguments(char const* word, SwapNames const& names, bool adapterVariant)
{
    return { word, names.program, adapterVariant ? names.apUtility : names.program, names.folder, names.icon,
        adapterVariant ? names.adapter : std::string(kVirtualWifiAdapter) };
}

std::string FormatSwapCommand(std::vector<std::string> const& arguments)
{
    std::string text = "\"VxSwap.exe\"";
    for (std::size_t i = 0; i < arguments.size(); ++i)
        text += i < 3 ? " " + arguments[i] : " \"" + arguments[i] + "\"";
    return text;
}

std::string ProgramBaseName(std::string const& path)
{
    std::string name = path.substr(path.find_last_of("/\\") + 1);
    if (auto const dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name.substr(0, 127);
}

}
