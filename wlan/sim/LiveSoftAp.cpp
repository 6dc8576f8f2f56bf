// The live commands of the access point side and of the whole machine: stations joining and
// leaving, the soft access point's own commands, block-ack agreements, world keys, power and
// the driver's mode. The command table (LiveCommands.cpp) has checked the number of words.
#include "wlan/sim/LiveCommands.h"

#include "platform/system/ParseInteger.h"
#include "wlan/sim/World.h"

#include <algorithm>

namespace wlan::sim::live {

namespace {

constexpr unsigned kWmUserExit = 0x0400 + 14;

// Applies "key=value" pairs through `set`; the first bad pair is the answer.
template<typename Setter>
std::string apply_pairs(Args pairs, Setter set)
{
    for (auto const& pair : pairs) {
        auto const eq = pair.find('=');
        if (eq == std::string::npos || eq == 0)
            return "expected key=value, got '" + pair + "'";
        bool known = true;
        auto error = set(pair.substr(0, eq), pair.substr(eq + 1), known);
        if (!error.empty())
            return pair.substr(0, eq) + ": " + error;
        if (!known)
            return "unknown key '" + pair.substr(0, eq) + "'";
    }
    return {};
}

StationSpec* existing_station(World& world, std::string const& id, std::string& error)
{
    StationSpec* s = id.size() <= kMaxLiveId ? world.find_station(id) : nullptr;
    if (!s)
        error = id.size() > kMaxLiveId ? "an id has at most " + std::to_string(kMaxLiveId) + " characters"
                                       : "no station '" + id + "'";
    return s;
}

std::string set_join(World& world, Args args, std::uint64_t now, bool join)
{
    std::string error;
    StationSpec* s = existing_station(world, args[0], error);
    if (!s)
        return error;
    s->join = join;
    world.station_changed(args[0], now);
    return {};
}

constexpr char kBaUsage[] = "expected 'ba add <mac> <tid> orig|recip <window>' or 'ba remove <mac> [tid]'";

}

std::string sta_add(World& world, Args args, std::uint64_t now)
{
    if (args[0].size() > kMaxLiveId)
        return "an id has at most " + std::to_string(kMaxLiveId) + " characters";
    if (world.find_station(args[0]))
        return "station '" + args[0] + "' exists";
    StationSpec s;
    s.id = args[0];
    auto error = apply_pairs(args.subspan(1), [&](auto const& k, auto const& v, bool& known) { return set_station_key(s, k, v, known); });
    if (!error.empty())
        return error;
    world.add_station(std::move(s), now);
    return {};
}

// Every pair is checked on a copy first, so a refused line changes nothing.
std::string sta_set(World& world, Args args, std::uint64_t now)
{
    std::string error;
    StationSpec* s = existing_station(world, args[0], error);
    if (!s)
        return error;
    StationSpec changed = *s;
    error = apply_pairs(args.subspan(1), [&](auto const& k, auto const& v, bool& known) { return set_station_key(changed, k, v, known); });
    if (!error.empty())
        return error;
    *s = std::move(changed);
    world.station_changed(args[0], now);
    return {};
}

std::string sta_remove(World& world, Args args, std::uint64_t now)
{
    std::string error;
    if (!existing_station(world, args[0], error))
        return error;
    world.remove_station(args[0], now);
    return {};
}

std::string sta_join(World& world, Args args, std::uint64_t now) { return set_join(world, args, now, true); }

std::string sta_leave(World& world, Args args, std::uint64_t now) { return set_join(world, args, now, false); }

std::string softap(World& world, Args args, std::uint64_t now)
{
    if (args.size() == 1 && args[0] == "exit") {
        world.softap_post(kWmUserExit);
        return {};
    }
    if (args.size() == 2 && args[0] == "counters") {
        auto frames = platform::system::parse_integer<std::uint64_t>(args[1]);
        if (!frames)
            return "expected a frame count, got '" + args[1] + "'";
        world.set_softap_counter_base(*frames, now);
        return {};
    }
    return "expected 'softap exit' or 'softap counters <frames>'";
}

std::string ba(World& world, Args args, std::uint64_t)
{
    auto const mac = parse_mac(args[1]);
    if (!mac)
        return "expected xx:xx:xx:xx:xx:xx, got '" + args[1] + "'";
    std::optional<int> tid;
    if (args.size() >= 3) {
        tid = platform::system::parse_integer<int>(args[2]);
        if (!tid || *tid < 0 || *tid > 7)
            return "a TID is 0 to 7, got '" + args[2] + "'";
    }
    if (args[0] == "add" && args.size() == 5) {
        if (args[3] != "orig" && args[3] != "recip")
            return "expected orig or recip, got '" + args[3] + "'";
        auto const window = platform::system::parse_integer<int>(args[4]);
        if (!window || *window < 1 || *window > 255)
            return "a window is 1 to 255, got '" + args[4] + "'";
        auto const direction = args[3] == "orig" ? BaDirection::Originator : BaDirection::Recipient;
        if (!world.block_acks().add(direction, *mac, *tid, std::uint8_t(*window)))
            return "the table holds 32 peers";
        return {};
    }
    if (args[0] == "remove" && args.size() <= 3) {
        if (!tid) {
            world.block_acks().remove_peer_everywhere(*mac);
            return {};
        }
        world.block_acks().remove_tid(BaDirection::Originator, *mac, *tid);
        world.block_acks().remove_tid(BaDirection::Recipient, *mac, *tid);
        return {};
    }
    return kBaUsage;
}

// The station's block-acknowledgement peers besides its access point; adding a listed peer or
// removing an unlisted one changes nothing.
std::string ba_peer(World& world, Args args, std::uint64_t)
{
    auto const mac = parse_mac(args[1]);
    if (!mac)
        return "expected xx:xx:xx:xx:xx:xx, got '" + args[1] + "'";
    auto& peers = world.spec().ba_peers;
    bool const listed = std::find(peers.begin(), peers.end(), *mac) != peers.end();
    if (args[0] == "add") {
        if (!listed && peers.size() == kMaxBaPeers)
            return "at most " + std::to_string(kMaxBaPeers) + " peers";
        if (!listed)
            peers.push_back(*mac);
        return {};
    }
    if (args[0] == "remove") {
        std::erase(peers, *mac);
        return {};
    }
    return "expected 'ba-peer add <mac>' or 'ba-peer remove <mac>'";
}

// Every pair is checked on a copy first, so a refused line changes nothing.
std::string world_set(World& world, Args args, std::uint64_t now)
{
    WorldSpec changed = world.spec();
    auto error = apply_pairs(args, [&](auto const& k, auto const& v, bool& known) { return set_world_key(changed, k, v, known); });
    if (!error.empty())
        return error;
    world.spec() = std::move(changed);
    world.reconcile_softap(now);
    return {};
}

std::string power(World& world, Args args, std::uint64_t now)
{
    if (args[0] == "suspend")
        world.suspend(now);
    else if (args[0] == "resume")
        world.resume(now);
    else
        return "expected suspend or resume, got '" + args[0] + "'";
    return {};
}

// The driver's mode as another owner of the adapter sets it; the stored mode stays.
std::string mode(World& world, Args args, std::uint64_t now)
{
    static constexpr std::pair<char const*, int> modes[] = { { "station", 0 }, { "ap", 1 }, { "apclient", 2 } };
    for (auto const& [name, value] : modes) {
        if (args[0] == name) {
            world.set_driver_mode(value, now);
            world.reconcile_softap(now);
            return {};
        }
    }
    return "expected station, ap or apclient, got '" + args[0] + "'";
}

}
