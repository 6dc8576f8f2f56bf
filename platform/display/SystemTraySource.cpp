#include "platform/display/SystemTraySource.h"

#include "platform/display/Presenter.h"

namespace platform::display {

SystemTraySource::SystemTraySource(system::TrayModel& model)
    : m_model(model)
{
    m_model.add_observer(this);
}

SystemTraySource::~SystemTraySource()
{
    m_model.remove_observer(this);
}

std::vector<TrayIcon> SystemTraySource::icons()
{
    std::vector<TrayIcon> out;
    for (system::TrayIcon const& icon : m_model.icons())
        out.push_back(TrayIcon { icon.owner, icon.id, icon.callback_message, icon.icon, icon.tip });
    return out;
}

void SystemTraySource::changed()
{
    report_tray_changed();
}

}
