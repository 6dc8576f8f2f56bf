// The registered WindowObserver list, called on the user-interface thread.
#pragma once

#include "platform/user/WindowCore.h"

#include <functional>

namespace platform::user {

void for_each_observer(std::function<void(WindowObserver&)> const& call);

}
