#include "wlan/sim/LiveCompaction.h"

#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <algorithm>
#include <unistd.h>

namespace wlan::sim {

namespace {

std::string join(std::vector<int> const& values)
{
    std::string out;
    for (int v : values)
        out += (out.empty() ? "" : ",") + std::to_string(v);
    return out;
}

std::string on_off(bool on) { return on ? "on" : "off"; }

// A driver delay is at most 600000 ms; anything longer is a driver that never gets ready.
constexpr std::uint64_t kLongestDelay = 600000;

std::string delay_text(std::uint64_t ms) { return ms > kLongestDelay ? "never" : std::to_string(ms); }

std::string access_points(World const& world)
{
    std::string out = "#aps\n";
    for (auto const& ap : world.spec().aps)
        out += format_ap_section(ap);
    return out + "#end aps\n";
}

std::string stations(World const& world)
{
    std::string out = "#stations\n";
    for (auto const& s : world.spec().stations)
        out += format_station_section(s);
    return out + "#end stations\n";
}

std::string keys(char const* command, std::vector<LiveKey> const& list)
{
    std::string out;
    for (auto const& k : list)
        out += std::string(command) + (k.owner.empty() ? "" : " " + k.owner) + " " + k.key + "=" + k.value + "\n";
    return out;
}

// Emptied, then each station added in order (one line each keeps every line short).
std::string hosted(World const& world)
{
    std::string out = "world-set hosted_stations=\n";
    for (auto const& s : world.spec().hosted_stations)
        out += "hosted-sta add " + format_mac(s.mac) + " " + std::to_string(s.auth) + "\n";
    return out;
}

std::string mode(World const& world)
{
    static constexpr char const* names[] = { "station", "ap", "apclient" };
    int const m = world.op_mode();
    return m >= 0 && m < 3 ? std::string("mode ") + names[m] + "\n" : std::string();
}

std::string block_ack_half(BA_ENTRY const* entries, std::size_t count, char const* direction)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        Mac mac {};
        std::copy(std::begin(entries[i].Mac), std::end(entries[i].Mac), mac.begin());
        for (std::size_t tid = 0; tid < BA_TID_COUNT; ++tid)
            if (entries[i].TidBitmap & (1u << tid))
                out += "ba add " + format_mac(mac) + " " + std::to_string(tid) + " " + direction + " "
                    + std::to_string(entries[i].WindowSize[tid]) + "\n";
    }
    return out;
}

// Peers in the order the table keeps them, so the table reads back in the same order.
std::string block_acks(World const& world)
{
    BA_TABLE const table = world.block_acks().table();
    return block_ack_half(table.Originator, table.OriginatorCount, "orig")
        + block_ack_half(table.Recipient, table.RecipientCount, "recip");
}

// Pulled, then inserted with the delay its driver still needs: the adapter ends as the log
// left it whatever the scenario says. After a resume every driver started again.
std::string adapters(World const& world, LiveSummary const& summary, LivePending const& pending)
{
    std::string out;
    auto const& list = world.spec().adapters;
    for (std::size_t i = 0; i < list.size(); ++i) {
        auto const& adapter = list[i];
        if (!summary.power && std::find(summary.adapters.begin(), summary.adapters.end(), adapter.id) == summary.adapters.end())
            continue;
        out += "adapter pull " + adapter.id + "\n";
        if (adapter.present)
            out += "driver-delay " + delay_text(pending.ready_in.at(i)) + "\nadapter insert " + adapter.id + "\n";
    }
    return out;
}

std::string counters(LiveSummary const& summary)
{
    if (summary.counters.empty())
        return {};
    std::string out = "counters";
    for (auto const& [key, value] : summary.counters)
        out += " " + key + "=" + std::to_string(value);
    return out + "\n";
}

// A pressed button turns itself off later; the press is repeated, then the access point's
// WPS state put back as the log left it.
std::string waiting(World const& world, LivePending const& pending)
{
    std::string out;
    auto const& aps = world.spec().aps;
    for (auto const& id : pending.wps_pressed) {
        auto const ap = std::find_if(aps.begin(), aps.end(), [&](ApSpec const& a) { return a.id == id; });
        if (ap == aps.end())
            continue;
        out += "wps-press " + id + "\nap-set " + id + " wps=" + (ap->wps ? "1" : "0") + " wps_pbc=" + (ap->wps_pbc_active ? "1" : "0") + "\n";
    }
    if (pending.fail_next_scan)
        out += "fail-next-scan\n";
    if (pending.driver_delay >= 0 || pending.driver_delay == World::kDriverNever)
        out += "driver-delay " + delay_text(std::uint64_t(pending.driver_delay)) + "\n";
    return out;
}

bool retire(Store& store, std::string const& log, std::uint64_t generation)
{
    std::string const key = retired_live_key(generation);
    store.remove(key);
    if (::link(store.path_of(kLiveLogKey).c_str(), store.path_of(key).c_str()) == 0)
        return true;
    return store.write(key, std::vector<std::uint8_t>(log.begin(), log.end()));
}

}

// The state in an order that lets later lines win: keys first, then what commands set from
// the world's own state (radio, hosted stations, adapters), then what is left waiting.
std::string compacted_live_log(World const& world, LiveSummary const& summary, std::uint64_t generation, std::uint64_t now)
{
    LivePending const pending = world.pending(now);
    std::string body;
    if (summary.aps)
        body += access_points(world);
    if (summary.stations)
        body += stations(world);
    body += keys("world-set", summary.world_keys);
    body += keys("adapter-set", summary.adapter_keys);
    if (summary.hosted)
        body += hosted(world);
    if (summary.radio_hw)
        body += "radio hw " + on_off(world.radio_hw()) + "\n";
    if (summary.radio_sw)
        body += "radio sw " + on_off(world.radio_sw()) + "\n";
    if (summary.mode)
        body += mode(world);
    body += adapters(world, summary, pending);
    if (summary.power && world.suspended())
        body += "power suspend\n";
    if (summary.traffic)
        body += "traffic " + join(world.spec().traffic_tx) + " " + join(world.spec().traffic_rx) + "\n";
    body += counters(summary);
    if (summary.softap_frames)
        body += "softap counters " + std::to_string(*summary.softap_frames) + "\n";
    if (summary.block_acks)
        body += block_acks(world);
    body += waiting(world, pending);
    std::string const header = format_live_header({ generation, 0 });
    return format_live_header({ generation, header.size() + body.size() }) + body;
}

bool compact_live_log(Store& store, WorldSpec const& base, std::uint64_t now, std::uint64_t limit)
{
    LiveLock lock(store);
    if (LiveLog::uncompacted_bytes(store) <= limit)
        return false;
    World world(base, nullptr, now);
    LiveLog log(store);
    log.set_quiet(true);
    for (std::uint64_t before = ~0ull; log.offset() != before;) {
        before = log.offset();
        log.apply_new(world, now);
    }
    if (log.summary().unmodelled)
        return false;
    auto const bytes = store.read(kLiveLogKey);
    if (!bytes || bytes->size() < log.offset())
        return false;
    std::string const old(bytes->begin(), bytes->end());
    std::string const text = compacted_live_log(world, log.summary(), log.generation() + 1, now) + old.substr(log.offset());
    if (!retire(store, old, log.generation()) || !store.write(kLiveLogKey, std::vector<std::uint8_t>(text.begin(), text.end())))
        return false;
    if (log.generation() >= kLiveRetiredKept)
        store.remove(retired_live_key(log.generation() - kLiveRetiredKept));
    return true;
}

}
