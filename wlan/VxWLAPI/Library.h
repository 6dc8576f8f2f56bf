// The station library stand-in runs on the world's library host, in the station's role.
#pragma once

#include "wlan/sim/LibraryHost.h"

namespace wlan::vxwl {

using Library = sim::LibraryHost;

}
