#include "platform/display/x11/X11Presenter.h"

namespace platform::display {

std::unique_ptr<Presenter> make_x11_presenter(std::string const&, std::string& error)
{
    // FIXME: the X11 presenter is being written; until then programs run headless.
    error = "the X11 presenter is not built yet";
    return nullptr;
}

}
