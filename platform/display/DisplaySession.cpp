#include "platform/display/DisplaySession.h"

#include "platform/display/StatusNotifierTray.h"
#include "platform/display/SystemTraySource.h"
#include "platform/display/headless/HeadlessPresenter.h"
#include "platform/gdi/FontCache.h"
#include "platform/display/x11/X11Presenter.h"
#include "platform/user/Trace.h"

#include <cstdio>
#include <cstdlib>

namespace platform::display {

namespace {

std::optional<std::string> variable(char const* name)
{
    char const* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

}

PresenterEnvironment read_presenter_environment()
{
    PresenterEnvironment environment;
    environment.forced = variable("VX_PRESENTER");
    environment.display = variable("DISPLAY");
    environment.under_test = variable("ZORVEL_TEST").value_or("") == "1";
    return environment;
}

PresenterKind choose_presenter(PresenterEnvironment const& environment)
{
    if (environment.forced == "x11")
        return PresenterKind::X11;
    if (environment.forced == "headless")
        return PresenterKind::Headless;
    bool display = environment.display && !environment.display->empty();
    return display && !environment.under_test ? PresenterKind::X11 : PresenterKind::Headless;
}

char const* presenter_kind_name(PresenterKind kind)
{
    switch (kind) {
    case PresenterKind::Headless:
        return "headless";
    case PresenterKind::X11:
        return "x11";
    }
    return "?";
}

DisplaySession::DisplaySession()
    : DisplaySession(read_presenter_environment())
{
}

DisplaySession::DisplaySession(PresenterEnvironment const& environment)
{
    // Fonts load while the presenter connects and the program reads its resources.
    if (!environment.under_test)
        gdi::preload_fonts();
    if (!tray_source()) {
        m_tray = std::make_shared<SystemTraySource>();
        set_tray_source(m_tray);
    }
    // Before the presenter, so that its first look at the tray knows who shows the icons.
    start_desktop_buses(environment.under_test);
    std::unique_ptr<Presenter> presenter;
    if (choose_presenter(environment) == PresenterKind::X11) {
        std::string error;
        presenter = make_x11_presenter(environment.display.value_or(""), error);
        if (presenter)
            m_kind = PresenterKind::X11;
        else
            std::fprintf(stderr, "display: no X11 presenter (%s); running headless\n", error.c_str());
    }
    if (!presenter)
        presenter = std::make_unique<HeadlessPresenter>();
    install_presenter(std::move(presenter));
    std::string folder = snapshot_folder_from_environment();
    if (!folder.empty())
        m_snapshots = std::make_unique<SnapshotSession>(folder);
}

void DisplaySession::start_desktop_buses(bool under_test)
{
    std::string error;
    auto session_bus = variable("VX_SESSION_BUS");
    auto system_bus = variable("VX_SYSTEM_BUS");
    if (session_bus || !under_test) {
        if (auto tray = StatusNotifierTray::start(session_bus.value_or(""), error)) {
            m_desktop_tray = tray;
            set_desktop_tray(tray);
        } else {
            platform::trace("display: no desktop tray on the session bus (%s)", error.c_str());
        }
    }
    if (system_bus || !under_test) {
        m_sleep = system::SleepWatch::start(system_bus.value_or(""), error);
        if (!m_sleep)
            platform::trace("display: no sleep signal (%s)", error.c_str());
    }
}

DisplaySession::~DisplaySession()
{
    // The last snapshot is written while the presenter still runs.
    m_snapshots.reset();
    install_presenter(nullptr);
    m_sleep.reset();
    if (m_desktop_tray && desktop_tray() == m_desktop_tray)
        set_desktop_tray(nullptr);
    m_desktop_tray.reset();
    if (m_tray && tray_source() == m_tray)
        set_tray_source(nullptr);
}

}
