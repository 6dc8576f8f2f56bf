#include "platform/controls/ControlClasses.h"

#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/IpAddress.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ProgressBar.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/WindowScrollBars.h"
#include "platform/controls/Trackbar.h"
#include "platform/controls/Static.h"

#include <mutex>

namespace platform::controls {

void register_control_classes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Button::register_class();
        Static::register_class();
        Edit::register_class();
        ProgressBar::register_class();
        Trackbar::register_class();
        ScrollBar::register_class();
        ListBox::register_class();
        ComboBox::register_class();
        TabControl::register_class();
        IpAddress::register_class();
        install_window_scroll_bars();
    });
}

namespace {

// The standard classes exist as soon as the library is loaded, as system classes do.
struct RegisterAtLoad {
    RegisterAtLoad() { register_control_classes(); }
} g_register_at_load;

}

}

extern "C" {

void InitCommonControls()
{
    platform::controls::register_control_classes();
}

BOOL InitCommonControlsEx(INITCOMMONCONTROLSEX const* init)
{
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    platform::controls::register_control_classes();
    return TRUE;
}

}
