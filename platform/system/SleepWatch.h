// Sleep and wake of the machine as the programs hear of them: logind's PrepareForSleep signal
// on the system bus becomes the power broadcast to every top-level window, PrepareForSleep
// (true) the suspend (PBT_APMSUSPEND) and PrepareForSleep(false) the automatic resume
// (PBT_APMRESUMEAUTOMATIC), as the platform the programs were written for broadcast them.
// The broadcast is sent on the user-interface thread; the bus thread hands it over without
// waiting. Without a system bus nothing is heard, and only raise_power_event raises them.
#pragma once

#include "platform/system/BusConnection.h"
#include "platform/user/Types.h"

#include <atomic>
#include <memory>
#include <string>

namespace platform::system {

class SleepWatch {
public:
    // Null, with `error` set, when the bus cannot be reached; `address` as BusConnection's.
    static std::unique_ptr<SleepWatch> start(std::string const& address, std::string& error);
    ~SleepWatch();
    SleepWatch(SleepWatch const&) = delete;
    SleepWatch& operator=(SleepWatch const&) = delete;

    // The broadcast for the signal's argument.
    static WPARAM power_event_for(bool going_to_sleep);
    // True once the bus has taken the watch: signals sent from then on are heard. For tests.
    bool watching() const { return m_watching; }

private:
    explicit SleepWatch(std::unique_ptr<BusConnection> bus);
    static int on_prepare_for_sleep(sd_bus_message* message, void* self, sd_bus_error* error);
    static int on_watching(sd_bus_message* reply, void* self, sd_bus_error* error);

    std::unique_ptr<BusConnection> m_bus;
    std::atomic<bool> m_watching { false };
    sd_bus_slot* m_match {}; // bus thread
};

}
