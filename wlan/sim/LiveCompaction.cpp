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

std::string access_points(World const& world)
{
    std::string out = "#aps\n";
    for (auto const& ap : world.spec().aps)
        out += format_ap_section(ap);
    return out + "#end aps\n";
}

// Pulled, then inserted with the delay its driver still needs: the adapter ends as the log
// left it whatever the scenario says.
std::string adapters(World const& world, LiveSummary const& summary, LivePending const& pending)
{
    std::string out;
    auto const& list = world.spec().adapters;
    for (auto const& id : summary.adapters) {
        auto const it = std::find_if(list.begin(), list.end(), [&](AdapterSpec const& a) { return a.id == id; });
        if (it == list.end())
            continue;
        out += "adapter pull " + id + "\n";
        if (!it->present)
            continue;
        auto const ready_in = std::min<std::uint64_t>(pending.ready_in.at(std::size_t(it - list.begin())), 600000);
        out += "driver-delay " + std::to_string(ready_in) + "\nadapter insert " + id + "\n";
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
    if (pending.driver_delay >= 0)
        out += "driver-delay " + std::to_string(pending.driver_delay) + "\n";
    return out;
}

bool retire(Store& store, std::string const& log, std::uint64_t generation)
{
    std::string const key = retired_live_key(generation);
    store.remove(key);
    if (::link(store.path_of("live.cmd").c_str(), store.path_of(key).c_str()) == 0)
        return true;
    return store.write(key, std::vector<std::uint8_t>(log.begin(), log.end()));
}

}

std::string compacted_live_log(World const& world, LiveSummary const& summary, std::uint64_t generation, std::uint64_t now)
{
    LivePending const pending = world.pending(now);
    std::string body;
    if (summary.aps)
        body += access_points(world);
    if (summary.radio_hw)
        body += "radio hw " + on_off(world.radio_hw()) + "\n";
    if (summary.radio_sw)
        body += "radio sw " + on_off(world.radio_sw()) + "\n";
    body += adapters(world, summary, pending);
    if (summary.traffic)
        body += "traffic " + join(world.spec().traffic_tx) + " " + join(world.spec().traffic_rx) + "\n";
    body += counters(summary);
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
    auto const bytes = store.read("live.cmd");
    if (!bytes || bytes->size() < log.offset())
        return false;
    std::string const old(bytes->begin(), bytes->end());
    std::string const text = compacted_live_log(world, log.summary(), log.generation() + 1, now) + old.substr(log.offset());
    if (!retire(store, old, log.generation()) || !store.write("live.cmd", std::vector<std::uint8_t>(text.begin(), text.end())))
        return false;
    if (log.generation() >= kLiveRetiredKept)
        store.remove(retired_live_key(log.generation() - kLiveRetiredKept));
    return true;
}

}
