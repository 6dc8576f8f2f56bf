// The two driver requests of the station's block-acknowledgement dialogs that travel through
// the generic OID calls: reading the peer table and deleting agreements. Each answers only the
// identifier of the world's system generation, so a program that picks the wrong one fails.
#pragma once

#include "wlan/api/Exports.h"
#include "wlan/sim/World.h"

#include <optional>

namespace wlan::vxwl {

// nullopt when `oid` is not a block-acknowledgement request; else the call's result.
std::optional<int> query_ba_oid(sim::World& world, VXWL_U32 oid, void* buffer, VXWL_U32 length, VXWL_U32* returned);
std::optional<int> set_ba_oid(sim::World& world, VXWL_U32 oid, void const* buffer, VXWL_U32 length);

}
