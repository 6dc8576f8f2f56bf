// wlansim: lists the simulated world and changes it while the programs run. Changes are
// appended to the store's live command log, which every running library applies in order.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace wlan::sim;

namespace {

void usage()
{
    std::puts("usage: wlansim list\n"
              "       wlansim ap-add <id> key=value ...   (keys as in a scenario's [ap:] section)\n"
              "       wlansim ap-set <id> key=value ... | ap-remove <id> | ap-signal <id> <dBm>\n"
              "       wlansim ap-move <id> <channel> | wps-press <id>\n"
              "       wlansim radio hw|sw on|off | adapter pull|insert <id>\n"
              "       wlansim fail-next-scan | driver-delay <ms>\n"
              "The store folder is VXSIM_STORE (else the per-user default); the scenario is the one\n"
              "the running library recorded there, else VXSIM_SCENARIO.");
}

std::string scenario_path(Store const& store)
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

int list(Store& store)
{
    auto scenario = load_scenario(scenario_path(store));
    for (auto const& e : scenario.errors)
        std::fprintf(stderr, "wlansim: %s\n", e.c_str());
    World world(scenario.world, &store, 0);
    LiveLog(store).apply_new(world, 0);
    std::printf("radio: hw %s, sw %s; mode %d\n", world.radio_hw() ? "on" : "off", world.radio_sw() ? "on" : "off", world.op_mode());
    for (auto const& a : world.spec().adapters)
        std::printf("adapter %-12s %-8s %s\n", a.id.c_str(), a.present ? "present" : "pulled", a.description.c_str());
    for (auto const& ap : world.spec().aps)
        std::printf("ap %-16s %s ch %3d %4d dBm %-8s %s%s\n", ap.id.c_str(), format_mac(ap.bssid).c_str(), ap.channel, ap.rssi,
            ap.present ? "" : "(gone)", ap.ssid.c_str(), ap.hidden ? " (hidden)" : "");
    return 0;
}

}

int main(int argc, char** argv)
{
    if (argc < 2 || std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help") {
        usage();
        return argc < 2 ? 2 : 0;
    }
    Store store(Store::default_folder());
    if (std::string(argv[1]) == "list")
        return list(store);
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    // Check the command against the world first, so a typo never reaches the running programs.
    auto scenario = load_scenario(scenario_path(store));
    World world(scenario.world, &store, 0);
    LiveLog(store).apply_new(world, 0);
    if (auto error = apply_live_command(world, line, 0); !error.empty()) {
        std::fprintf(stderr, "wlansim: %s\n", error.c_str());
        return 1;
    }
    if (!append_live_command(store, line)) {
        std::fprintf(stderr, "wlansim: cannot write to %s\n", store.folder().c_str());
        return 1;
    }
    return 0;
}
