#include "platform/system/SleepWatch.h"

#include "platform/system/Session.h"
#include "platform/user/Messages.h"
#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"

namespace platform::system {

std::unique_ptr<SleepWatch> SleepWatch::start(std::string const& address, std::string& error)
{
    auto bus = BusConnection::open(BusKind::System, address, error);
    if (!bus)
        return nullptr;
    return std::unique_ptr<SleepWatch>(new SleepWatch(std::move(bus)));
}

SleepWatch::SleepWatch(std::unique_ptr<BusConnection> bus)
    : m_bus(std::move(bus))
{
    m_bus->post([this](sd_bus* bus) {
        // Asked of the bus without waiting for its answer: a signal sent before the bus has
        // taken the match is one the machine sent before the program was watching.
        int r = sd_bus_match_signal_async(bus, &m_match, "org.freedesktop.login1", "/org/freedesktop/login1",
            "org.freedesktop.login1.Manager", "PrepareForSleep", &SleepWatch::on_prepare_for_sleep, &SleepWatch::on_watching, this);
        if (r < 0)
            platform::trace("sleep watch: cannot watch PrepareForSleep (%d)", r);
    });
}

SleepWatch::~SleepWatch()
{
    m_bus->post([this](sd_bus*) { m_match = sd_bus_slot_unref(m_match); });
    m_bus.reset();
}

WPARAM SleepWatch::power_event_for(bool going_to_sleep)
{
    return going_to_sleep ? PBT_APMSUSPEND : PBT_APMRESUMEAUTOMATIC;
}

int SleepWatch::on_watching(sd_bus_message* reply, void* self, sd_bus_error*)
{
    if (sd_bus_message_is_method_error(reply, nullptr)) {
        sd_bus_error const* refusal = sd_bus_message_get_error(reply);
        platform::trace("sleep watch: the bus refused the watch: %s", refusal && refusal->name ? refusal->name : "?");
        return 0;
    }
    platform::trace("sleep watch: watching logind's PrepareForSleep");
    static_cast<SleepWatch*>(self)->m_watching = true;
    return 0;
}

int SleepWatch::on_prepare_for_sleep(sd_bus_message* message, void*, sd_bus_error*)
{
    int going_to_sleep = 0;
    if (sd_bus_message_read(message, "b", &going_to_sleep) < 0) {
        platform::trace("sleep watch: PrepareForSleep without its flag ignored");
        return 0;
    }
    WPARAM event = power_event_for(going_to_sleep != 0);
    platform::trace("sleep watch: PrepareForSleep(%s): power broadcast %u", going_to_sleep ? "true" : "false",
        static_cast<unsigned>(event));
    user::post_to_ui_thread([event] { raise_power_event(event); });
    return 0;
}

}
