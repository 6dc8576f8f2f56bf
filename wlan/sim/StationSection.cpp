// Writing a station as the scenario reader reads it, for the live log's compaction: only the
// keys that differ from a new StationSpec, so the section reads back to an equal station.
#include "wlan/sim/Scenario.h"

namespace wlan::sim {

namespace {

std::string join_numbers(std::vector<std::uint8_t> const& values)
{
    std::string out;
    for (auto v : values)
        out += (out.empty() ? "" : ",") + std::to_string(v);
    return out;
}

}

std::string format_station_section(StationSpec const& s)
{
    StationSpec const d;
    std::string out = "[station:" + s.id + "]\n";
    auto put = [&](char const* key, bool differs, std::string const& value) {
        if (differs)
            out += std::string(key) + " = " + value + "\n";
    };
    auto flag = [&](char const* key, bool value, bool fallback) { put(key, value != fallback, value ? "1" : "0"); };
    auto number = [&](char const* key, long value, long fallback) { put(key, value != fallback, std::to_string(value)); };
    put("mac", s.mac != d.mac, format_mac(s.mac));
    number("rssi", s.rssi, d.rssi);
    put("phy", s.phy != d.phy, std::string(1, s.phy));
    put("mcs", s.mcs.has_value(), std::to_string(s.mcs.value_or(0)));
    flag("bw40", s.bw40, d.bw40);
    flag("sgi", s.sgi, d.sgi);
    flag("power_save", s.power_save, d.power_save);
    put("key", s.key != d.key, s.key);
    number("traffic", s.traffic, d.traffic);
    flag("join", s.join, d.join);
    put("ba_tids", s.ba_tids != d.ba_tids, join_numbers(s.ba_tids));
    return out;
}

}
