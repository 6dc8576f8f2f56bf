// The tip of a tray icon that the presenter shows itself, as the taskbar does on the platform
// these programs were written for: trays of the XEmbed protocol and the presenter's fallback
// window show no tip of their own. When the pointer has rested on an icon for the tool tips'
// initial delay, a tracking tool tip shows the icon's tip just below the pointer; it goes when
// the pointer leaves the icon, a button is pressed on it, or after the tool tips' auto-pop
// delay. The tip is the common controls' tool tip: a process without them shows none.
// User-interface thread only.
#pragma once

#include "platform/user/User.h"

#include <string>

namespace platform::display {

class TrayTip {
public:
    TrayTip() = default;
    ~TrayTip();
    TrayTip(TrayTip const&) = delete;
    TrayTip& operator=(TrayTip const&) = delete;

    // The pointer is on an icon whose tip is `text`, at `screen`; moves on the same icon keep
    // the wait or the shown tip.
    void hover(std::string const& text, POINT screen);
    // The pointer left the icon, or a button was pressed on it.
    void leave();
    bool shown() const;

private:
    static void on_timer(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
    bool ensure_tip();
    void show();
    void hide();
    void stop_timers();

    HWND m_tip {};
    std::string m_text;
    POINT m_at {};
    bool m_waiting {};
    bool m_popped {}; // auto-popped while the pointer stayed on the icon
};

}
