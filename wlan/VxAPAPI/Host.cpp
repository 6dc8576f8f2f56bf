#include "wlan/VxAPAPI/Export.h"

#include "wlan/sim/Channels.h"

#include <cstring>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

namespace wlan::vxap {

namespace {

struct Call {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

std::mutex g_log_mutex;
std::vector<Call> g_log;

// A program that never reads the log keeps only the latest calls.
constexpr std::size_t kLogLimit = 4096;

std::string g_published;

// What wlansim list shows of the running access point: whether it serves, its network, and
// where each station stands. Written to the store when it changes.
std::string status_text(sim::World const& world, std::uint64_t now)
{
    std::string text = "pid " + std::to_string(::getpid()) + "\n";
    auto const* config = world.softap_config();
    text += std::string("softap ") + (world.softap_serving(now) ? "serving" : "stopped");
    if (config) {
        std::size_t const length = std::min<std::size_t>(config->SsidLen, AP_SSID_MAX);
        text += " ssid \"" + std::string(reinterpret_cast<char const*>(config->Ssid), length) + "\" channel "
            + std::to_string(sim::frequency_to_channel(config->lFreq));
    }
    text += "\n";
    for (auto const& s : world.spec().stations) {
        auto const link = world.link_of(s.id);
        text += "station " + s.id + " " + sim::format_mac(s.mac) + " " + sim::to_string(link.state);
        if (link.state == sim::StationState::Associated)
            text += " aid " + std::to_string(link.aid);
        text += "\n";
    }
    return text;
}

void publish(sim::World& world, sim::Store& store, std::uint64_t now)
{
    std::string text = status_text(world, now);
    if (text == g_published)
        return;
    g_published = std::move(text);
    store.write_text("softap.status", g_published);
}

}

sim::LibraryHost& host()
{
    sim::LibraryHost::set_role(sim::Audience::AccessPoint);
    sim::LibraryHost::set_observer(publish);
    return sim::LibraryHost::get();
}

void shut_down()
{
    std::string const status = host().store().path_of("softap.status");
    sim::LibraryHost::shut_down();
    ::unlink(status.c_str());
    g_published.clear();
}

void log_call(char const* name, void const* first, std::size_t first_size, void const* second, std::size_t second_size)
{
    Call call { name, {} };
    auto append = [&](void const* p, std::size_t n) {
        auto const* bytes = static_cast<std::uint8_t const*>(p);
        if (bytes)
            call.bytes.insert(call.bytes.end(), bytes, bytes + n);
    };
    append(first, first_size);
    append(second, second_size);
    std::lock_guard lock(g_log_mutex);
    if (g_log.size() >= kLogLimit)
        g_log.erase(g_log.begin());
    g_log.push_back(std::move(call));
}

ApConfigData stored_config(sim::World const& world, sim::Store& store)
{
    if (auto stored = store.read_record<ApConfigData>("ap_config"))
        return *stored;
    auto const& spec = world.spec();
    return sim::default_ap_config(spec.supports_11n, spec.region24, spec.region5);
}

}

using wlan::vxap::g_log;
using wlan::vxap::g_log_mutex;

// [SECTION] Test hooks beyond the contract.

// Waits until everything due at the current time is delivered.
VXAP_API void VXSIM_Settle(void) { wlan::vxap::host().settle(); }

VXAP_API int VXSIM_ApCallCount(void)
{
    std::lock_guard lock(g_log_mutex);
    return int(g_log.size());
}

// Copies call `index`'s name (NUL-terminated, cut to fit) and as many of its record bytes as
// `capacity` holds; answers the record's full size, -1 for no such call.
VXAP_API int VXSIM_ApCall(int index, char* name, int name_size, void* bytes, int capacity)
{
    std::lock_guard lock(g_log_mutex);
    if (index < 0 || std::size_t(index) >= g_log.size())
        return -1;
    auto const& call = g_log[std::size_t(index)];
    if (name && name_size > 0) {
        std::size_t const n = std::min(call.name.size(), std::size_t(name_size) - 1);
        std::memcpy(name, call.name.data(), n);
        name[n] = '\0';
    }
    if (bytes && capacity > 0)
        std::memcpy(bytes, call.bytes.data(), std::min(call.bytes.size(), std::size_t(capacity)));
    return int(call.bytes.size());
}

VXAP_API void VXSIM_ApCallLogClear(void)
{
    std::lock_guard lock(g_log_mutex);
    g_log.clear();
}
