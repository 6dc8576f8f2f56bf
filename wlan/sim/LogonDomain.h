// The logon domain of the simulated machine: what the single sign-on logon component leaves in
// the registry, and the domain's controller, which the machine's lookups find.
#pragma once

#include "wlan/sim/Scenario.h"

namespace wlan::sim {

// Writes "WinlogonDomain" under the logon component's key and registers the controller; does
// nothing when the world names no logon domain.
void register_logon_domain(WorldSpec const& world);

}
