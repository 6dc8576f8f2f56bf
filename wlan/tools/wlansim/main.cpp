// wlansim: lists the simulated world and changes it while the programs run. Changes are
// appended to the store's live command log, which every running library applies in order;
// a letter to every running process then tells them to look at once.
// Exit status: 0 done, 1 the store could not be written, 2 a wrong command or argument.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/ProfileCommands.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/StoreCommands.h"
#include "wlan/sim/World.h"
#include "wlan/tools/common/LiveWorld.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace wlan::sim;
using namespace wlan::tools;

namespace {

constexpr int kBadUsage = 2;

void usage(std::FILE* out)
{
    std::fputs("usage: wlansim list\n", out);
    for (auto const& line : live_command_usage())
        std::fprintf(out, "       wlansim %s\n", line.c_str());
    for (auto const& line : store_command_usage())
        std::fprintf(out, "       wlansim %s\n", line.c_str());
    std::fputs("       wlansim profile-add <name> key=value ...   (ssid, bssid, network, auth, cipher, key,\n"
               "               key1-key4, eap, tunnel, identity, password, password_mode,\n"
               "               diagnostic)\n"
               "       wlansim profile-activate <name>\n"
               "       wlansim profiles   (the stored profiles and the active one)\n",
        out);
    std::fputs("The store folder is VXSIM_STORE (else the per-user default); the scenario is the one\n"
               "the running library recorded there, else VXSIM_SCENARIO.\n",
        out);
}

// Profiles go straight to the store, where the library reads them when it connects.
int profile_command(Store& store, std::vector<std::string> const& words)
{
    if (words.size() < 2) {
        std::fprintf(stderr, "wlansim: '%s' needs a profile name\n", words[0].c_str());
        return kBadUsage;
    }
    bool const activate = words[0] == "profile-activate";
    if (activate && words.size() > 2) {
        std::fprintf(stderr, "wlansim: 'profile-activate' takes a profile name only\n");
        return kBadUsage;
    }
    std::string const error = activate ? activate_profile(store, words[1])
                                       : add_profile(store, words[1], std::vector<std::string>(words.begin() + 2, words.end()));
    if (!error.empty()) {
        std::fprintf(stderr, "wlansim: %s\n", error.c_str());
        return error.rfind("cannot write", 0) == 0 ? 1 : kBadUsage;
    }
    return 0;
}

// The running access point library publishes what it serves; a status left by a program that
// is gone is not shown.
void list_running_softap(Store& store)
{
    auto status = store.read_text("softap.status");
    if (!status)
        return;
    std::istringstream lines(*status);
    std::string first;
    std::getline(lines, first);
    int pid = 0;
    if (std::sscanf(first.c_str(), "pid %d", &pid) != 1 || pid <= 0 || (::kill(pid, 0) != 0 && errno == ESRCH))
        return;
    std::printf("access point library (process %d):\n", pid);
    for (std::string line; std::getline(lines, line);)
        std::printf("  %s\n", line.c_str());
}

std::string eeprom_text(AdapterSpec const& a)
{
    return a.eeprom ? std::to_string((*a.eeprom)[0]) + "." + std::to_string((*a.eeprom)[1]) : "none";
}

std::string firmware_text(AdapterSpec const& a)
{
    return a.firmware ? std::to_string(*a.firmware >> 8) + "." + std::to_string(*a.firmware & 0xFF) : "none";
}

// The hosted network and every station associated to it, listed while it runs or while the
// world forces a state (as the library reports them).
void list_hosted(World const& world)
{
    HOSTED_NETWORK_STATUS status {};
    world.fill_hosted_status(status);
    Mac bssid {};
    std::copy(std::begin(status.Bssid), std::end(status.Bssid), bssid.begin());
    std::printf("hosted network: %s, state %u, bssid %s, %u stations\n", world.hosted_network_running() ? "running" : "stopped",
        status.State, format_mac(bssid).c_str(), status.StationCount);
    if (status.State == 0)
        return;
    for (auto const& s : world.spec().hosted_stations)
        std::printf("hosted-sta %s auth %u\n", format_mac(s.mac).c_str(), s.auth);
}

int list(Store& store)
{
    World world = current_world(store, scenario_world(store, "wlansim"));
    std::printf("radio: hw %s, sw %s; mode %d (stored %d)%s\n", world.radio_hw() ? "on" : "off", world.radio_sw() ? "on" : "off",
        world.op_mode(), world.stored_op_mode(), world.suspended() ? "; suspended" : "");
    std::printf("wireless mode %d; country region 2.4 GHz %d, 5 GHz %d\n", world.spec().wireless_mode,
        world.spec().region24, world.spec().region5);
    static constexpr char const* kModes[] = { "station", "access point", "access point client" };
    auto mode_name = [](int mode) { return mode >= 0 && mode <= 2 ? kModes[mode] : "unknown"; };
    std::printf("mode: driver %s, stored %s; hosted network %s\n", mode_name(world.op_mode()),
        mode_name(world.stored_op_mode()), world.hosted_network_running() ? "running" : "stopped");
    for (auto const& a : world.spec().adapters)
        std::printf("adapter %-12s %-8s model %d eeprom %s firmware %s %s\n", a.id.c_str(), a.present ? "present" : "pulled",
            a.device_model, eeprom_text(a).c_str(), firmware_text(a).c_str(), a.description.c_str());
    for (auto const& ap : world.spec().aps)
        std::printf("ap %-16s %s ch %3d %4d dBm %-8s %s%s\n", ap.id.c_str(), format_mac(ap.bssid).c_str(), ap.channel, ap.rssi,
            ap.present ? "" : "(gone)", ap.ssid.c_str(), ap.hidden ? " (hidden)" : "");
    for (auto const& s : world.spec().stations)
        std::printf("station %-11s %s %4d dBm phy %c%s\n", s.id.c_str(), format_mac(s.mac).c_str(), s.rssi, s.phy,
            s.join ? "" : " (not joining)");
    list_hosted(world);
    list_running_softap(store);
    std::fputs(describe_store_state(store, world.spec()).c_str(), stdout);
    return 0;
}

int change(Store& store, std::vector<std::string> const& words)
{
    if (auto error = check_live_words(words); !error.empty()) {
        std::fprintf(stderr, "wlansim: %s\n", error.c_str());
        return kBadUsage;
    }
    std::string line;
    for (auto const& word : words)
        line += (line.empty() ? "" : " ") + word;
    auto const done = change_world(store, scenario_world(store, "wlansim"), line);
    if (done.result != ChangeResult::Done) {
        std::fprintf(stderr, "wlansim: %s\n", done.error.c_str());
        return done.result == ChangeResult::Rejected ? kBadUsage : 1;
    }
    return 0;
}

}

int main(int argc, char** argv)
{
    std::vector<std::string> const words(argv + 1, argv + argc);
    if (words.empty()) {
        usage(stderr);
        return kBadUsage;
    }
    if (words[0] == "-h" || words[0] == "--help") {
        usage(stdout);
        return 0;
    }
    Store store(Store::default_folder());
    if (words[0] == "list") {
        if (words.size() > 1) {
            std::fprintf(stderr, "wlansim: 'list' takes no arguments\n");
            return kBadUsage;
        }
        return list(store);
    }
    if (words[0] == "profiles") {
        if (words.size() > 1) {
            std::fprintf(stderr, "wlansim: 'profiles' takes no arguments\n");
            return kBadUsage;
        }
        std::fputs(list_profiles(store).c_str(), stdout);
        return 0;
    }
    if (words[0] == "profile-add" || words[0] == "profile-activate")
        return profile_command(store, words);
    if (is_store_command(words[0])) {
        WorldSpec const world = current_world(store, scenario_world(store, "wlansim")).spec();
        if (auto error = run_store_command(store, world, words); !error.empty()) {
            std::fprintf(stderr, "wlansim: %s\n", error.c_str());
            return kBadUsage;
        }
        return 0;
    }
    return change(store, words);
}
