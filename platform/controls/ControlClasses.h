// Registration of the standard control classes. The library registers them when it is
// loaded; InitCommonControls and InitCommonControlsEx are kept for callers that ask.
#pragma once

#include "platform/user/Types.h"

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_INTERNET_CLASSES = 0x00000800;
constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;

extern "C" {
void InitCommonControls();
BOOL InitCommonControlsEx(INITCOMMONCONTROLSEX const* init);
}

namespace platform::controls {

// Registers every control class once; later calls do nothing.
void register_control_classes();

}
