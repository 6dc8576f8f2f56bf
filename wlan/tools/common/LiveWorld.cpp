#include "wlan/tools/common/LiveWorld.h"

#include "platform/system/ProcessLetters.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/LiveCompaction.h"
#include "wlan/sim/LiveLog.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace wlan::tools {

std::string scenario_path(sim::Store const& store)
{
    if (auto recorded = store.read_text("scenario.path"))
        return *recorded;
    if (char const* env = std::getenv("VXSIM_SCENARIO"))
        return env;
    char exe[4096];
    ssize_t const n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string dir = n > 0 ? std::string(exe, std::size_t(n)) : std::string(".");
    dir = dir.substr(0, dir.find_last_of('/'));
    return dir + "/scenarios/default.ini";
}

sim::WorldSpec scenario_world(sim::Store const& store, char const* tool)
{
    auto scenario = sim::load_scenario(scenario_path(store));
    for (auto const& e : scenario.errors)
        std::fprintf(stderr, "%s: %s\n", tool, e.c_str());
    return scenario.world;
}

sim::World current_world(sim::Store& store, sim::WorldSpec const& base)
{
    sim::World world(base, &store, 0);
    sim::LiveLog(store).apply_new(world, 0);
    return world;
}

LiveChange change_world(sim::Store& store, sim::WorldSpec const& base, std::string const& line)
{
    // The log is compacted before it grows, so every program has read all of it (each append
    // is followed by a letter) and goes on after the compacted part without missing a line.
    sim::compact_live_log(store, base, 0);
    // Check the command against the world first, so a typo never reaches the running programs.
    sim::World world = current_world(store, base);
    if (auto error = sim::apply_live_command(world, line, 0); !error.empty())
        return { ChangeResult::Rejected, error };
    if (!sim::append_live_command(store, line))
        return { ChangeResult::NotWritten, "cannot write to " + store.folder() };
    platform::system::send_topic_to_all(sim::live_log_topic);
    return {};
}

}
