// How the stand-in defines its exports: C linkage, visible, and with the very function type
// the contract gives the slot (checked where each export is defined).
#pragma once

#include "wlan/api/Exports.h"

#include <type_traits>

#define VXWL_API extern "C" __attribute__((visibility("default")))
#define VXWL_CHECK_TYPE(name) static_assert(std::is_same_v<decltype(&VXWL_##name), PFN_VXWL_##name>)
