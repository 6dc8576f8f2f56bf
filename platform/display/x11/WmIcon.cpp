#include "platform/display/x11/WmIcon.h"

#include <X11/Xatom.h>

namespace platform::display::x11 {

std::vector<unsigned long> wm_icon_values(std::vector<ArgbImage> const& images)
{
    std::vector<unsigned long> values;
    for (ArgbImage const& image : images) {
        if (image.empty())
            continue;
        values.push_back(static_cast<unsigned long>(image.width));
        values.push_back(static_cast<unsigned long>(image.height));
        values.insert(values.end(), image.pixels.begin(), image.pixels.end());
    }
    return values;
}

void set_wm_icon(Display* display, Window window, std::vector<ArgbImage> const& images)
{
    Atom property = XInternAtom(display, "_NET_WM_ICON", False);
    std::vector<unsigned long> values = wm_icon_values(images);
    if (values.empty()) {
        XDeleteProperty(display, window, property);
        return;
    }
    XChangeProperty(display, window, property, XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char const*>(values.data()), static_cast<int>(values.size()));
}

}
