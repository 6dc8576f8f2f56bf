// Registration of the standard control classes. The library registers them when it is
// loaded; InitCommonControls and InitCommonControlsEx are kept for callers that ask.
#pragma once

#include "platform/controls/ControlMessages.h"

namespace platform::controls {

// Registers every control class once; later calls do nothing.
void register_control_classes();

}
