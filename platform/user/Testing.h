// Helpers for tests of anything built on the window core: a manual clock, a pump that stops
// when there is nothing left to do, and time that moves timer by timer.
#pragma once

#include "platform/user/Clock.h"
#include "platform/user/Types.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

namespace platform::testing {

// Thrown when a pump keeps finding work past its limit: a window that never validates its
// update region, or a timer loop that never settles.
class PumpLimitExceeded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Installs a fresh manual clock, driven by the calling thread.
ManualClock& use_manual_clock();
// Dispatches everything that is ready (sent and posted messages, paints, due timers) without
// waiting. Returns how many messages it dispatched.
int pump_until_idle(int limit = 100000);
// Moves the manual clock forward by `ms`, stopping at each timer due on the way to let it
// fire in order, and pumps until idle at each stop.
void advance(std::uint64_t ms);
// The period of the calling thread's timer (hwnd, id) while it is armed, else none: tests of
// what a handler arms or kills.
std::optional<unsigned> timer_period(HWND hwnd, UINT_PTR id);
// Destroys every window and forgets queued messages, timers and hooks: a clean slate
// between tests of one process.
void reset_windows();

}
