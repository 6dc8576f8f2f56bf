#include "platform/user/Observers.h"

#include <algorithm>
#include <vector>

namespace platform::user {

namespace {

std::vector<WindowObserver*>& observers()
{
    static std::vector<WindowObserver*> list;
    return list;
}

}

void add_window_observer(WindowObserver* observer)
{
    observers().push_back(observer);
}

void remove_window_observer(WindowObserver* observer)
{
    std::erase(observers(), observer);
}

void for_each_observer(std::function<void(WindowObserver&)> const& call)
{
    // Observers may remove themselves while being told.
    auto list = observers();
    for (WindowObserver* o : list) {
        if (std::find(observers().begin(), observers().end(), o) != observers().end())
            call(*o);
    }
}

}
