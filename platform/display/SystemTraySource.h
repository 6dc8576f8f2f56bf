// The tray source of a running program: the system module's tray model (Shell_NotifyIcon),
// watched so that the presenter hears of every added, changed or removed icon. The model
// tells its observers on the user-interface thread, whichever thread made the change.
#pragma once

#include "platform/display/TraySource.h"
#include "platform/system/TrayModel.h"

namespace platform::display {

class SystemTraySource final : public TraySource, private system::TrayObserver {
public:
    // Watches `model` (the process's own by default); user-interface thread only.
    explicit SystemTraySource(system::TrayModel& model = system::TrayModel::the());
    ~SystemTraySource() override;
    SystemTraySource(SystemTraySource const&) = delete;
    SystemTraySource& operator=(SystemTraySource const&) = delete;

    std::vector<TrayIcon> icons() override;

private:
    void icon_added(system::TrayIcon const&) override { changed(); }
    void icon_changed(system::TrayIcon const&) override { changed(); }
    void icon_removed(system::TrayIcon const&) override { changed(); }
    void changed();

    system::TrayModel& m_model;
};

}
