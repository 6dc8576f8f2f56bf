// The operating system's zero-configuration service as the older systems' station library
// sees it: the service stand-in "WZCSVC" and each adapter's "ControlFlags" value, whose bit
// 0x8000 gives the adapter to the service. A fresh store seeds both from the world's
// `zero_config` (and seeds them again when the world's value changes); otherwise only the
// programs' switches change them.
#pragma once

#include "wlan/sim/Scenario.h"

#include <string>

namespace wlan::sim {

class Store;

// HKEY_LOCAL_MACHINE's key of the adapter with network configuration instance `instance_id`.
std::string zero_config_interface_key(std::string const& instance_id);
// The instance identifier the library reports for an adapter.
std::string adapter_instance_id(AdapterSpec const& adapter);

// Once per store and world value: the service running and every adapter's bit set when the world's
// `zero_config` is 2, else the service stopped (started on demand) and the bits clear.
void seed_zero_config(Store& store, WorldSpec const& world);

// 2 when the service configures the adapter: below code 10 while the service runs and the
// adapter's bit is set, from 10 on as the world says.
int zero_config_answer(WorldSpec const& world, std::string const& instance_id);

}
