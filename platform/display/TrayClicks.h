// Mouse buttons on a tray icon as the icon's owner hears them: the classic mouse message
// for each press and release, a second left (or right) press soon enough and close enough
// to the first made a double click. The X server reports no double clicks, so the presenter
// recognises them here, from the server's event times.
#pragma once

#include "platform/user/Types.h"

#include <cstdint>
#include <optional>

namespace platform::display {

enum class TrayButton {
    Left,
    Middle,
    Right,
};

struct TrayPress {
    UINT icon_id {};
    HWND owner {};
    TrayButton button {};
    bool press {};
    std::uint32_t time_ms {}; // the server's clock: only differences count (it wraps)
    POINT screen {};
};

class TrayClicks {
public:
    // Rules from the window core's settings (double-click time and rectangle).
    TrayClicks();
    TrayClicks(std::uint32_t double_click_ms, SIZE double_click_box);

    // The mouse message for one press or release.
    UINT message_for(TrayPress const& event);

private:
    std::uint32_t m_double_click_ms;
    SIZE m_box;
    // The press a double click would follow; a double click uses it up.
    std::optional<TrayPress> m_last_press;
};

}
