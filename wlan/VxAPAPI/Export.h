// How the access point stand-in defines its exports: C linkage, visible, with the very function
// type the contract gives the slot (checked where each export is defined), on the world's
// library host in the access point's role. The state-changing calls are written to a call log
// with the records they were given, which tests read through VXSIM_ApCall.
#pragma once

#include "wlan/api/ApExports.h"
#include "wlan/sim/LibraryHost.h"

#include <cstddef>
#include <type_traits>

#define VXAP_API extern "C" __attribute__((visibility("default")))
#define VXAP_CHECK_TYPE(name) static_assert(std::is_same_v<decltype(&VXAP_##name), PFN_VXAP_##name>)

namespace wlan::vxap {

sim::LibraryHost& host();
// Stops the library's thread and takes its published status away.
void shut_down();

// Appends one call with the bytes of the records it was given, in argument order.
void log_call(char const* name, void const* first = nullptr, std::size_t first_size = 0, void const* second = nullptr,
    std::size_t second_size = 0);

// The stored configuration, or the defaults while none was written. Called under the world's
// lock, so it is given the store: asking for the host there would take the instance lock
// inside the world's, the opposite of the order the host's start takes them in.
ApConfigData stored_config(sim::World const& world, sim::Store& store);

}
