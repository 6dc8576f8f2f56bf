// The window classes of the module register once, for the whole process, as system classes:
// through InitCommonControls, or at load time of the library.
#pragma once

namespace platform::commctrl {

void register_classes();
// One per control, called by register_classes.
void register_list_view_class();
void register_header_class();
void register_menu_window_class();
void register_tool_tip_class();

}
