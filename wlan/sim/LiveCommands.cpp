// [SECTION] index: argument readers, command handlers, the command table.
#include "wlan/sim/LiveCommands.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/TextSplit.h"
#include "wlan/api/Callback.h"
#include "wlan/sim/World.h"

#include <algorithm>
#include <span>

namespace wlan::sim {

namespace {

using Args = std::span<std::string const>;

// [SECTION] argument readers

std::vector<std::string> words(std::string const& line)
{
    return platform::system::split_words(line);
}

bool plain_word(std::string const& word)
{
    return std::all_of(word.begin(), word.end(), [](char c) { return static_cast<unsigned char>(c) > ' ' && c != 0x7f; });
}

std::string check_id(std::string const& id)
{
    if (id.size() > kMaxLiveId)
        return "an id has at most " + std::to_string(kMaxLiveId) + " characters";
    return {};
}

ApSpec* existing_ap(World& world, std::string const& id, std::string& error)
{
    error = check_id(id);
    if (!error.empty())
        return nullptr;
    ApSpec* ap = world.find_ap(id);
    if (!ap)
        error = "no access point '" + id + "'";
    return ap;
}

std::string choice(std::string const& word, char const* first, char const* second, bool& is_first)
{
    if (word != first && word != second)
        return std::string("expected ") + first + " or " + second + ", got '" + word + "'";
    is_first = word == first;
    return {};
}

std::string set_keys(ApSpec& ap, Args pairs)
{
    for (auto const& pair : pairs) {
        auto const eq = pair.find('=');
        if (eq == std::string::npos || eq == 0)
            return "expected key=value, got '" + pair + "'";
        bool known = true;
        auto error = set_ap_key(ap, pair.substr(0, eq), pair.substr(eq + 1), known);
        if (!error.empty())
            return pair.substr(0, eq) + ": " + error;
        if (!known)
            return "unknown key '" + pair.substr(0, eq) + "'";
    }
    return {};
}

// [SECTION] command handlers

std::string ap_add(World& world, Args args, std::uint64_t)
{
    if (auto error = check_id(args[0]); !error.empty())
        return error;
    if (world.find_ap(args[0]))
        return "access point '" + args[0] + "' exists";
    ApSpec ap;
    ap.id = args[0];
    if (auto error = set_keys(ap, args.subspan(1)); !error.empty())
        return error;
    world.spec().aps.push_back(ap);
    return {};
}

std::string ap_set(World& world, Args args, std::uint64_t)
{
    std::string error;
    ApSpec* ap = existing_ap(world, args[0], error);
    if (!ap)
        return error;
    // All keys are checked on a copy first, so a bad key leaves the access point as it was.
    ApSpec changed = *ap;
    if (error = set_keys(changed, args.subspan(1)); !error.empty())
        return error;
    *ap = changed;
    return {};
}

std::string ap_remove(World& world, Args args, std::uint64_t)
{
    std::string error;
    if (!existing_ap(world, args[0], error))
        return error;
    std::erase_if(world.spec().aps, [&](ApSpec const& a) { return a.id == args[0]; });
    return {};
}

std::string ap_key(World& world, Args args, char const* key)
{
    std::string error;
    ApSpec* ap = existing_ap(world, args[0], error);
    if (!ap)
        return error;
    bool known = true;
    return set_ap_key(*ap, key, args[1], known);
}

std::string ap_signal(World& world, Args args, std::uint64_t) { return ap_key(world, args, "rssi"); }

std::string ap_move(World& world, Args args, std::uint64_t) { return ap_key(world, args, "channel"); }

std::string wps_press(World& world, Args args, std::uint64_t now)
{
    std::string error;
    if (!existing_ap(world, args[0], error))
        return error;
    world.press_wps_button(args[0], now);
    return {};
}

// The adapter's own WPS button: the next time the station library asks, it reports the press.
std::string wps_hw_press(World& world, Args, std::uint64_t)
{
    world.wps().press_hw_button();
    return {};
}

std::string radio(World& world, Args args, std::uint64_t now)
{
    bool hw = false;
    bool on = false;
    if (auto error = choice(args[0], "hw", "sw", hw); !error.empty())
        return error;
    if (auto error = choice(args[1], "on", "off", on); !error.empty())
        return error;
    if (hw)
        world.set_radio_hw(on, now);
    else
        world.set_radio_switch(on, now);
    return {};
}

std::string adapter(World& world, Args args, std::uint64_t now)
{
    bool pull = false;
    if (auto error = choice(args[0], "pull", "insert", pull); !error.empty())
        return error;
    if (auto error = check_id(args[1]); !error.empty())
        return error;
    auto const& adapters = world.spec().adapters;
    if (std::none_of(adapters.begin(), adapters.end(), [&](AdapterSpec const& a) { return a.id == args[1]; }))
        return "no adapter '" + args[1] + "'";
    world.set_adapter_present(args[1], !pull, now);
    return {};
}

std::string fail_next_scan(World& world, Args, std::uint64_t)
{
    world.fail_next_scan();
    return {};
}

std::string driver_delay(World& world, Args args, std::uint64_t)
{
    if (args[0] == "never") {
        world.set_driver_delay_never();
        return {};
    }
    auto ms = platform::system::parse_integer<int>(args[0]);
    if (!ms || *ms < 0 || *ms > 600000)
        return "expected milliseconds from 0 to 600000 or never, got '" + args[0] + "'";
    world.set_driver_delay(*ms);
    return {};
}

// station exit | station tray <command id>: the second is the user picking the tray menu's
// item of that command (the window command message the menu sends).
std::string station(World& world, Args args, std::uint64_t)
{
    if (args[0] == "exit" && args.size() == 1) {
        world.station_post(VXWL_MSG_EXIT);
        return {};
    }
    if (args[0] == "tray" && args.size() == 2) {
        constexpr unsigned kWmCommand = 0x0111;
        auto const id = platform::system::parse_integer<int>(args[1]);
        if (!id || *id < 1 || *id > 0xFFFF)
            return "expected a command id from 1 to 65535, got '" + args[1] + "'";
        world.station_post(kWmCommand, std::uintptr_t(*id));
        return {};
    }
    return "expected 'station exit' or 'station tray <command id>'";
}

std::string traffic(World& world, Args args, std::uint64_t now)
{
    auto tx = parse_traffic(args[0]);
    auto rx = parse_traffic(args[1]);
    if (!tx || !rx)
        return "expected kB/s values from 0 to 1000000 separated by commas, for transmit then receive";
    world.set_traffic(*tx, *rx, now);
    return {};
}

// Every pair is checked before any counter changes.
std::string counters(World& world, Args args, std::uint64_t now)
{
    std::vector<std::pair<std::string, std::uint64_t>> pairs;
    for (auto const& pair : args) {
        auto const eq = pair.find('=');
        if (eq == std::string::npos || eq == 0)
            return "expected key=value, got '" + pair + "'";
        std::string const key = pair.substr(0, eq);
        if (!World::is_counter(key))
            return "unknown counter '" + key + "'";
        auto const value = platform::system::parse_integer<std::uint64_t>(pair.substr(eq + 1));
        if (!value)
            return key + ": expected a count, got '" + pair.substr(eq + 1) + "'";
        pairs.emplace_back(key, *value);
    }
    for (auto const& [key, value] : pairs)
        world.set_counter(key, value, now);
    return {};
}

// Keys as the scenario reader takes them, applied to a copy that replaces the adapter only when
// every key was accepted, so a refused command changes nothing.
std::string adapter_set(World& world, Args args, std::uint64_t)
{
    if (auto error = check_id(args[0]); !error.empty())
        return error;
    for (auto& adapter : world.spec().adapters) {
        if (adapter.id != args[0])
            continue;
        AdapterSpec changed = adapter;
        for (auto const& pair : args.subspan(1)) {
            auto const eq = pair.find('=');
            if (eq == std::string::npos || eq == 0)
                return "expected key=value, got '" + pair + "'";
            std::string const key = pair.substr(0, eq);
            bool known = true;
            if (auto error = set_adapter_key(changed, key, pair.substr(eq + 1), known); !error.empty())
                return key + ": " + error;
            if (!known)
                return "unknown key '" + key + "'";
        }
        adapter = std::move(changed);
        return {};
    }
    return "no adapter '" + args[0] + "'";
}

// hosted-sta add <mac> [auth] | hosted-sta remove <mac>
std::string hosted_station(World& world, Args args, std::uint64_t)
{
    bool add = false;
    if (auto error = choice(args[0], "add", "remove", add); !error.empty())
        return error;
    auto mac = parse_mac(args[1]);
    if (!mac)
        return "expected xx:xx:xx:xx:xx:xx, got '" + args[1] + "'";
    if (!add) {
        if (args.size() != 2)
            return "'hosted-sta remove' takes only the address";
        return world.remove_hosted_station(*mac) ? "" : "no hosted-network station " + args[1];
    }
    std::uint32_t auth = 1;
    if (args.size() == 3) {
        auto value = platform::system::parse_integer<std::uint32_t>(args[2]);
        if (!value)
            return "expected an authentication state from 0 to 4294967295, got '" + args[2] + "'";
        auth = *value;
    }
    world.add_hosted_station(*mac, auth);
    return {};
}

// [SECTION] the command table

struct Command {
    char const* name;
    char const* arguments; // as the usage text shows them
    std::size_t min_args;
    std::size_t max_args;
    std::string (*run)(World&, Args, std::uint64_t now);
};

constexpr std::size_t kManyArgs = 64;

constexpr Command kCommands[] = {
    { "ap-add", "<id> key=value ...   (keys as in a scenario's [ap:] section)", 1, kManyArgs, ap_add },
    { "ap-set", "<id> key=value ...", 2, kManyArgs, ap_set },
    { "ap-remove", "<id>", 1, 1, ap_remove },
    { "ap-signal", "<id> <dBm>", 2, 2, ap_signal },
    { "ap-move", "<id> <channel>", 2, 2, ap_move },
    { "wps-press", "<id>", 1, 1, wps_press },
    { "wps-hw-press", "", 0, 0, wps_hw_press },
    { "radio", "hw|sw on|off", 2, 2, radio },
    { "adapter", "pull|insert <id>", 2, 2, adapter },
    { "fail-next-scan", "", 0, 0, fail_next_scan },
    { "driver-delay", "<ms>|never", 1, 1, driver_delay },
    { "traffic", "<tx kB/s,...> <rx kB/s,...>   (one value per 2 s, repeated)", 2, 2, traffic },
    { "counters", "key=value ...   (bytes_tx bytes_rx tx_ok tx_retried tx_failed_ack rts_ok rts_failed rx_dup rx_crc rx_ok rx_dropped)", 1, kManyArgs, counters },
    { "power", "suspend|resume", 1, 1, live::power },
    { "mode", "station|ap|apclient", 1, 1, live::mode },
    { "world-set", "key=value ...   (keys as in a scenario's [world] section)", 1, kManyArgs, live::world_set },
    { "adapter-set", "<id> key=value ...   (keys as in an [adapter:] section)", 2, kManyArgs, adapter_set },
    { "hosted-sta", "add <mac> [auth] | remove <mac>", 2, 3, hosted_station },
    { "sta-add", "<id> key=value ...   (keys as in a scenario's [station:] section)", 1, kManyArgs, live::sta_add },
    { "sta-set", "<id> key=value ...", 2, kManyArgs, live::sta_set },
    { "sta-remove", "<id>", 1, 1, live::sta_remove },
    { "sta-join", "<id>", 1, 1, live::sta_join },
    { "sta-leave", "<id>", 1, 1, live::sta_leave },
    { "softap", "exit | counters <frames>", 1, 2, live::softap },
    { "station", "exit | tray <command id>   (picks the tray menu item of that command)", 1, 2, station },
    { "ba", "add <mac> <tid> orig|recip <window> | remove <mac> [tid]", 2, 5, live::ba },
    { "ba-peer", "add|remove <mac>", 2, 2, live::ba_peer },
    { "dls-down", "<mac>   (the peer ends its direct link)", 1, 1, live::dls_down },
};

Command const* find_command(std::string const& name)
{
    for (auto const& c : kCommands)
        if (name == c.name)
            return &c;
    return nullptr;
}

std::string arity_error(Command const& c, std::size_t given)
{
    std::string expected;
    if (c.min_args == c.max_args)
        expected = c.min_args == 0 ? "no arguments" : c.min_args == 1 ? "1 argument" : std::to_string(c.min_args) + " arguments";
    else if (c.max_args == kManyArgs)
        expected = "at least " + std::to_string(c.min_args) + (c.min_args == 1 ? " argument" : " arguments");
    else
        expected = std::to_string(c.min_args) + " to " + std::to_string(c.max_args) + " arguments";
    std::string usage = std::string(c.name) + (*c.arguments ? " " : "") + c.arguments;
    return "'" + std::string(c.name) + "' takes " + expected + ", got " + std::to_string(given) + " (" + usage + ")";
}

}

std::string apply_live_command(World& world, std::string const& line, std::uint64_t now)
{
    if (line.size() > kMaxLiveLine)
        return "a command has at most " + std::to_string(kMaxLiveLine) + " characters";
    auto const w = words(line);
    if (w.empty())
        return "empty command";
    Command const* command = find_command(w[0]);
    if (!command)
        return "unknown command '" + w[0] + "'";
    std::size_t const given = w.size() - 1;
    if (given < command->min_args || given > command->max_args)
        return arity_error(*command, given);
    return command->run(world, Args(w).subspan(1), now);
}

std::string check_live_words(std::vector<std::string> const& words)
{
    std::size_t total = 0;
    for (auto const& word : words) {
        if (word.empty())
            return "an empty argument";
        if (word.size() > kMaxLiveWord)
            return "an argument has at most " + std::to_string(kMaxLiveWord) + " characters";
        if (!plain_word(word))
            return "an argument with white space or a control character";
        total += word.size() + 1;
    }
    if (words.empty())
        return "empty command";
    if (total > kMaxLiveLine)
        return "a command has at most " + std::to_string(kMaxLiveLine) + " characters";
    return {};
}

std::vector<std::string> live_command_usage()
{
    std::vector<std::string> out;
    for (auto const& c : kCommands)
        out.push_back(std::string(c.name) + (*c.arguments ? " " : "") + c.arguments);
    return out;
}

}
