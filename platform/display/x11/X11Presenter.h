// The X11 presenter's factory. This header names no X11 type: the rest of the tree includes
// it without the X11 headers, which only the files under display/x11/ include.
#pragma once

#include "platform/display/Presenter.h"

#include <memory>
#include <string>

namespace platform::display {

// Connects to `display_name` (empty: $DISPLAY) and answers a presenter running there; null
// with `error` set when the display cannot be reached.
std::unique_ptr<Presenter> make_x11_presenter(std::string const& display_name, std::string& error);

}
