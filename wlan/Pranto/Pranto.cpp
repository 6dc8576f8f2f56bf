// The diagnostics library stand-in, "Pranto.so" beside the programs (loaded as "Pranto.dll").
// It answers from the link the station library publishes in the store, so that its ping test
// agrees with the station library and the ping command; the world's keys pranto_open and
// pranto_result make it refuse the adapter or force an answer.
#include "wlan/api/Pranto.h"
#include "wlan/sim/PublishedLink.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

#define PRANTO_API extern "C" __attribute__((visibility("default")))

using namespace wlan::sim;

namespace {

constexpr int kError = 7;

std::mutex g_mutex;
std::set<int> g_open;
int g_next_handle = 1;

PublishedLink current_link()
{
    Store const store(Store::default_folder());
    return read_published_link(store).value_or(PublishedLink {});
}

void put16(std::uint8_t (&field)[2], unsigned value)
{
    field[0] = static_cast<std::uint8_t>(value >> 8);
    field[1] = static_cast<std::uint8_t>(value);
}

void fill_result(PublishedLink const& link, std::uint8_t* out)
{
    PRANTO_PING_RESULT r {};
    r.IpVersion = 4;
    std::memcpy(r.Ipv4, link.gateway, 4);
    std::memcpy(r.Mac, link.ap_mac, 6);
    r.Sent = 4;
    put16(r.Received, 4);
    put16(r.MinimumMs, link.ping_min_ms);
    put16(r.MaximumMs, link.ping_max_ms);
    std::memcpy(out, &r, sizeof r);
}

}

PRANTO_API int PRANTO_raOpenAdapter(char const* adapter_name)
{
    if (!adapter_name || !current_link().pranto_open)
        return PRANTO_INVALID_HANDLE;
    std::lock_guard lock(g_mutex);
    int const handle = g_next_handle++;
    g_open.insert(handle);
    return handle;
}

PRANTO_API int PRANTO_raCloseAdapter(int handle)
{
    std::lock_guard lock(g_mutex);
    return g_open.erase(handle) ? 0 : 1;
}

PRANTO_API int PrantoAction(int handle, AdapterEntry const*, int action, std::uint8_t* result, std::uint32_t* size,
    int)
{
    {
        std::lock_guard lock(g_mutex);
        if (!g_open.contains(handle) || action != PRANTO_ACTION_PING || !result || !size)
            return kError;
    }
    if (*size < sizeof(PRANTO_PING_RESULT))
        return PRANTO_BUFFER_TOO_SMALL;
    PublishedLink const link = current_link();
    int const by_link = link.connected ? PRANTO_OK : PRANTO_FAILED;
    int const answer = link.pranto_forced >= 0 ? int { link.pranto_forced } : by_link;
    if (answer == PRANTO_OK) {
        fill_result(link, result);
        *size = sizeof(PRANTO_PING_RESULT);
    }
    return answer;
}

PRANTO_API int ClientRptAction(void) { return 0; }

PRANTO_API int PRANTO_GetWinOS(void) { return 0; }

// The exports keep the contract's types.
static_assert(std::is_same_v<decltype(&PRANTO_raOpenAdapter), PRANTO_raOpenAdapter_t>);
static_assert(std::is_same_v<decltype(&PRANTO_raCloseAdapter), PRANTO_raCloseAdapter_t>);
static_assert(std::is_same_v<decltype(&PrantoAction), PrantoAction_t>);
static_assert(std::is_same_v<decltype(&ClientRptAction), ClientRptAction_t>);
static_assert(std::is_same_v<decltype(&PRANTO_GetWinOS), PRANTO_GetWinOS_t>);
