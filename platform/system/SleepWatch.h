// Sleep and wake of the machine as the programs hear of them: logind's PrepareForSleep signal
// on the system bus becomes the power broadcast to every top-level window, PrepareForSleep
// (true) the suspend (PBT_APMSUSPEND) and PrepareForSleep(false) the automatic resume
// (PBT_APMRESUMEAUTOMATIC), as the platform the programs were written for broadcast them.
// The broadcast is sent on the user-interface thread; the bus thread hands it over without
// waiting. The watch holds logind's delay lock for sleep, as programs did who were told of a
// suspend before it happened: logind waits (up to its own limit) until the suspend broadcast
// has been handled, and the lock is taken again on waking. Without a system bus nothing is
// heard, and only raise_power_event raises the broadcasts.
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
    // The delay lock's descriptor, -1 while none is held. Shared with the broadcasts handed
    // to the user-interface thread, which release it once handled.
    struct DelayLock {
        std::atomic<int> fd { -1 };
        void hold(int descriptor);
        void release();
        // Releases the lock only when `descriptor` still is the one held.
        void release(int descriptor);
    };

    explicit SleepWatch(std::unique_ptr<BusConnection> bus);
    void take_delay_lock(sd_bus* bus);
    static int on_prepare_for_sleep(sd_bus_message* message, void* self, sd_bus_error* error);
    static int on_watching(sd_bus_message* reply, void* self, sd_bus_error* error);
    static int on_delay_lock(sd_bus_message* reply, void* self, sd_bus_error* error);

    std::unique_ptr<BusConnection> m_bus;
    std::atomic<bool> m_watching { false };
    std::shared_ptr<DelayLock> m_lock { std::make_shared<DelayLock>() };
    sd_bus_slot* m_match {}; // bus thread
};

}
