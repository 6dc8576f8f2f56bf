#include "wlan/sim/ApChannels.h"

#include "wlan/sim/Channels.h"

#include <initializer_list>

namespace wlan::sim {

namespace {

using Channels = std::vector<std::uint8_t>;

Channels run(int first, int last)
{
    Channels out;
    for (int c = first; c <= last; c += 4)
        out.push_back(std::uint8_t(c));
    return out;
}

Channels join(std::initializer_list<Channels> parts)
{
    Channels out;
    for (auto const& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The bands' usual runs.
Channels const kLow = run(36, 64);         // 36-64
Channels const kLow4 = run(36, 48);        // 36-48
Channels const kMid = run(52, 64);         // 52-64
Channels const kUpper = run(100, 140);     // 100-140
Channels const kTop = run(149, 165);       // 149-165
Channels const kTop4 = run(149, 161);      // 149-161
Channels const kJapan = { 34, 38, 42, 46 };

// Regions 0-8 of every model when the adapter does not answer 802.11h.
std::vector<Channels> common_plain()
{
    return { join({ kLow, kTop }), join({ kLow, kUpper }), kLow, join({ kMid, kTop4 }), kTop, kTop4, kLow4,
        join({ kLow, kUpper, kTop }), kMid };
}

// Regions 0-7 of every model when it does.
std::vector<Channels> common_dfs()
{
    return { join({ kLow4, kTop }), kLow4, kLow4, kTop4, kTop, kTop4, kLow4, join({ kLow4, kTop }) };
}

std::vector<Channels> plan(int group, bool dfs)
{
    std::vector<Channels> regions = dfs ? common_dfs() : common_plain();
    if (group == 0)
        return regions;
    if (dfs)
        regions.push_back({}); // "No Channel Support"
    if (group == 1) {
        regions.push_back(kJapan);
        regions.push_back(dfs ? join({ { 34, 36, 38, 40, 42, 44, 46, 48 } })
                              : join({ { 34, 36, 38, 40, 42, 44, 46, 48 }, kMid }));
        return regions;
    }
    Channels const wide = join({ kTop, { 169, 173 } });
    if (dfs) {
        for (auto const& r : { join({ kLow4, kTop }), join({ kLow4, kTop }), join({ kLow4, kTop4 }), kLow4, kTop4,
                 join({ kLow4, kTop }), wide, join({ kLow4, kTop }) })
            regions.push_back(r);
        return regions;
    }
    for (auto const& r : { join({ kLow, run(100, 116), run(132, 140), kTop }), join({ kLow4, kTop }),
             join({ kLow, run(100, 120), kTop4 }), join({ kLow, kUpper }), join({ kMid, kUpper, kTop4 }),
             join({ kLow, run(100, 116), run(136, 140), kTop }), wide, join({ kLow, kUpper, wide }) })
        regions.push_back(r);
    return regions;
}

int model_group(int model)
{
    if (model >= 0 && model <= 1)
        return 0;
    if (model >= 2 && model <= 3)
        return 1;
    if (model >= 4 && model <= 8)
        return 2;
    return -1;
}

}

std::vector<std::uint8_t> ap_channels_24(WorldSpec const& world, int region)
{
    if (region == kRegion30)
        return world.region30_24;
    return region_channels_24(region);
}

std::vector<std::uint8_t> ap_channels_5(WorldSpec const& world, int device_model, int region)
{
    if (region == kRegion30)
        return world.region30_5;
    int const group = model_group(device_model);
    if (group < 0 || region < 0)
        return {};
    auto const regions = plan(group, world.ieee80211h != 0);
    return std::size_t(region) < regions.size() ? regions[std::size_t(region)] : Channels {};
}

}
