#include "platform/system/SleepWatch.h"

#include "platform/system/Session.h"
#include "platform/user/Messages.h"
#include "platform/user/Trace.h"
#include "platform/user/WindowCore.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform::system {

namespace {

constexpr char logind[] = "org.freedesktop.login1";
constexpr char logind_path[] = "/org/freedesktop/login1";
constexpr char logind_manager[] = "org.freedesktop.login1.Manager";

char const* error_name(sd_bus_message* reply)
{
    sd_bus_error const* error = sd_bus_message_get_error(reply);
    return error && error->name ? error->name : "?";
}

}

void SleepWatch::DelayLock::hold(int descriptor)
{
    int before = fd.exchange(descriptor);
    if (before >= 0)
        ::close(before);
}

void SleepWatch::DelayLock::release()
{
    hold(-1);
}

void SleepWatch::DelayLock::release(int descriptor)
{
    // A lock taken again meanwhile (logind stopped waiting, the machine slept and woke) stays.
    if (descriptor >= 0 && fd.compare_exchange_strong(descriptor, -1))
        ::close(descriptor);
}

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
        int r = sd_bus_match_signal_async(bus, &m_match, logind, logind_path, logind_manager, "PrepareForSleep",
            &SleepWatch::on_prepare_for_sleep, &SleepWatch::on_watching, this);
        if (r < 0)
            platform::trace("sleep watch: cannot watch PrepareForSleep (%d)", r);
        take_delay_lock(bus);
    });
}

SleepWatch::~SleepWatch()
{
    m_bus->post([this](sd_bus*) { m_match = sd_bus_slot_unref(m_match); });
    m_bus.reset();
    m_lock->release();
}

WPARAM SleepWatch::power_event_for(bool going_to_sleep)
{
    return going_to_sleep ? PBT_APMSUSPEND : PBT_APMRESUMEAUTOMATIC;
}

void SleepWatch::take_delay_lock(sd_bus* bus)
{
    // The answer comes on this thread; the connection ends before the watch does.
    int r = sd_bus_call_method_async(bus, nullptr, logind, logind_path, logind_manager, "Inhibit",
        &SleepWatch::on_delay_lock, this, "ssss", "sleep", program_invocation_short_name,
        "Tells its windows that the machine suspends", "delay");
    if (r < 0)
        platform::trace("sleep watch: cannot ask for a delay lock (%d)", r);
}

int SleepWatch::on_delay_lock(sd_bus_message* reply, void* self, sd_bus_error*)
{
    int fd = -1;
    if (sd_bus_message_is_method_error(reply, nullptr) || sd_bus_message_read(reply, "h", &fd) < 0) {
        platform::trace("sleep watch: no delay lock (%s): the machine may sleep before its windows hear of it",
            error_name(reply));
        return 0;
    }
    // The message owns its descriptor.
    int kept = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (kept < 0)
        return 0;
    static_cast<SleepWatch*>(self)->m_lock->hold(kept);
    return 0;
}

int SleepWatch::on_watching(sd_bus_message* reply, void* self, sd_bus_error*)
{
    if (sd_bus_message_is_method_error(reply, nullptr)) {
        platform::trace("sleep watch: the bus refused the watch: %s", error_name(reply));
        return 0;
    }
    platform::trace("sleep watch: watching logind's PrepareForSleep");
    static_cast<SleepWatch*>(self)->m_watching = true;
    return 0;
}

int SleepWatch::on_prepare_for_sleep(sd_bus_message* message, void* self, sd_bus_error*)
{
    int going_to_sleep = 0;
    if (sd_bus_message_read(message, "b", &going_to_sleep) < 0) {
        platform::trace("sleep watch: PrepareForSleep without its flag ignored");
        return 0;
    }
    auto* watch = static_cast<SleepWatch*>(self);
    WPARAM event = power_event_for(going_to_sleep != 0);
    platform::trace("sleep watch: PrepareForSleep(%s): power broadcast %u", going_to_sleep ? "true" : "false",
        static_cast<unsigned>(event));
    if (!going_to_sleep)
        watch->take_delay_lock(sd_bus_message_get_bus(message));
    // The machine sleeps once every window has handled the suspend and the lock is gone.
    std::shared_ptr<DelayLock> lock = watch->m_lock;
    int held = going_to_sleep ? lock->fd.load() : -1;
    user::post_to_ui_thread([event, lock, held] {
        raise_power_event(event);
        lock->release(held);
    });
    return 0;
}

}
