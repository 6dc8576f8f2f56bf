#include "platform/user/Testing.h"

#include "platform/user/InputDriver.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Modal.h"
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

#include <string>

namespace platform::testing {

ManualClock& use_manual_clock()
{
    auto clock = std::make_shared<ManualClock>();
    ManualClock& result = *clock;
    set_clock(std::move(clock));
    return result;
}

int pump_until_idle(int limit)
{
    int count = 0;
    while (user::pump_one()) {
        if (++count > limit)
            throw PumpLimitExceeded("pump_until_idle: still busy after " + std::to_string(limit) + " messages");
    }
    return count;
}

void advance(std::uint64_t ms)
{
    ManualClock* time = manual_clock();
    if (!time)
        throw std::logic_error("advance needs the manual clock (use_manual_clock)");
    std::uint64_t target = time->now_ms() + ms;
    pump_until_idle();
    for (;;) {
        auto due = user::MessageQueue::current().timers().next_due();
        if (!due || *due > target)
            break;
        if (*due > time->now_ms())
            time->advance(*due - time->now_ms());
        pump_until_idle();
    }
    if (time->now_ms() < target)
        time->advance(target - time->now_ms());
    pump_until_idle();
}

std::optional<unsigned> timer_period(HWND hwnd, UINT_PTR id)
{
    return user::MessageQueue::current().timers().period_of(hwnd, id);
}

void reset_windows()
{
    using namespace user;
    std::vector<HWND> tops;
    for (Window* w : WindowTable::the().top_levels())
        tops.push_back(w->handle);
    for (HWND hwnd : tops)
        DestroyWindow(hwnd);
    MessageQueue::current().clear();
    input::reset();
    clear_modal_states();
    set_message_filter(nullptr);
    set_desktop_size(1024, 768);
}

}
