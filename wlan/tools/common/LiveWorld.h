// What the world tools (wlansim, the mode switcher) share: the world as the running programs
// see it, and a change handed to every running library through the live command log.
#pragma once

#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <string>

namespace wlan::tools {

// The scenario the running library recorded in the store, else VXSIM_SCENARIO, else the
// default scenario beside the tool.
std::string scenario_path(sim::Store const& store);
// The scenario's world; its errors are printed to standard error after `tool`'s name.
sim::WorldSpec scenario_world(sim::Store const& store, char const* tool);
// The scenario, then every live change so far.
sim::World current_world(sim::Store& store, sim::WorldSpec const& base);

enum class ChangeResult { Done, Rejected, NotWritten };
struct LiveChange {
    ChangeResult result { ChangeResult::Done };
    std::string error;
};
// Checks the command `line` against the current world, appends it to the live log and tells
// every running process to look. A rejected command never reaches the log.
LiveChange change_world(sim::Store& store, sim::WorldSpec const& base, std::string const& line);

}
