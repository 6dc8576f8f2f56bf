// Registration of the common controls' window classes.
#include "platform/controls/common/CommonControls.h"

#include "platform/controls/common/Registration.h"

#include <mutex>

namespace platform::commctrl {

void register_classes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        register_list_view_class();
        register_header_class();
        register_menu_window_class();
        register_tool_tip_class();
    });
}

namespace {

// Programs call InitCommonControls first; registering at load time as well spares tests and
// the framework's controls that call.
struct RegisterAtLoad {
    RegisterAtLoad() { register_classes(); }
} const g_register_at_load;

}

}


