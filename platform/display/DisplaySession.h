// The one place where a program's presenter is chosen: X11 when a display is reachable,
// headless otherwise; VX_PRESENTER ("x11" or "headless") forces one. Unit tests (ZORVEL_TEST=1)
// stay headless unless forced. With VX_SNAPSHOT_DIR set the session also writes snapshots
// (on SIGUSR1 and once at its end). A program makes one session on its user-interface thread
// before its first window and keeps it until its last window is gone. Unless a tray source is
// installed already (tests install their own), the session shows the process's tray model.
// The tray is shown by the first of: the desktop's StatusNotifierItem tray on the session bus
// (when a watcher is there), the X11 presenter's XEmbed tray, its fallback window. Sleep and
// wake come from logind on the system bus as power broadcasts. VX_SESSION_BUS and
// VX_SYSTEM_BUS give either bus's address in place of the usual one; under test
// (ZORVEL_TEST=1) a bus is used only when its address is given so, as tests give a private
// bus, never the desktop's own.
#pragma once

#include "platform/display/Presenter.h"
#include "platform/display/Snapshots.h"
#include "platform/display/TraySource.h"
#include "platform/system/SleepWatch.h"

#include <memory>
#include <optional>
#include <string>

namespace platform::display {

enum class PresenterKind {
    Headless,
    X11,
};

struct PresenterEnvironment {
    std::optional<std::string> forced;   // VX_PRESENTER
    std::optional<std::string> display;  // DISPLAY
    bool under_test {};                  // ZORVEL_TEST=1
};

PresenterEnvironment read_presenter_environment();
// What the environment asks for; an unknown VX_PRESENTER value counts as not set.
PresenterKind choose_presenter(PresenterEnvironment const& environment);
char const* presenter_kind_name(PresenterKind kind);

class DisplaySession {
public:
    DisplaySession();
    explicit DisplaySession(PresenterEnvironment const& environment);
    ~DisplaySession();
    DisplaySession(DisplaySession const&) = delete;
    DisplaySession& operator=(DisplaySession const&) = delete;

    // What runs: X11 may have been asked for and fallen back to headless.
    PresenterKind kind() const { return m_kind; }
    SnapshotSession* snapshots() { return m_snapshots.get(); }

private:
    void start_desktop_buses(bool under_test);

    PresenterKind m_kind { PresenterKind::Headless };
    std::shared_ptr<TraySource> m_tray;
    std::shared_ptr<DesktopTray> m_desktop_tray;
    std::unique_ptr<system::SleepWatch> m_sleep;
    std::unique_ptr<SnapshotSession> m_snapshots;
};

}
