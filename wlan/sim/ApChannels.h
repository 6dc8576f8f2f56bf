// The channels the access point library gives for a country region: 2.4 GHz regions 0-7 as the
// scans use them, 5 GHz regions by device model group (0-1, 2-3, 4-8) and by whether the
// adapter answers 802.11h, and region 30 on either band as the world configures it. A region
// the model does not know has no channels.
#pragma once

#include "wlan/sim/Scenario.h"

#include <cstdint>
#include <vector>

namespace wlan::sim {

constexpr int kRegion30 = 30;

std::vector<std::uint8_t> ap_channels_24(WorldSpec const& world, int region);
std::vector<std::uint8_t> ap_channels_5(WorldSpec const& world, int device_model, int region);

}
