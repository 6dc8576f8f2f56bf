// The framework's windows are made of the standard and common controls: their classes are
// registered when the framework is loaded, so a dialog template can name them whatever the
// program itself calls. (It also keeps both control libraries loaded with the framework.)
#include "platform/controls/ControlClasses.h"
#include "platform/controls/common/Registration.h"

namespace {

struct RegisterControls {
    RegisterControls()
    {
        platform::controls::register_control_classes();
        platform::commctrl::register_classes();
    }
};

RegisterControls const registration;

}
