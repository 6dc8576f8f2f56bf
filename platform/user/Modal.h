// Modal loops: the state of each window that runs one, so that EndDialog and EndModalLoop
// can end it from a handler and another thread can wait for its result.
#pragma once

#include "platform/user/Types.h"

namespace platform::user {

void modal_window_destroyed(HWND hwnd);
void clear_modal_states();

}
