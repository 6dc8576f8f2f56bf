// The hosted network of the world: a software access point on the adapter that runs beside the
// station, with the stations associated to it. Whether it runs belongs to the adapter and is
// kept in the store, so both programs see the same hosted network.
#include "wlan/sim/World.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace wlan::sim {

namespace {

constexpr std::uint32_t kStateRunning = 1;

// The library's own rule for a WPA2 pre-shared key: 8 to 63 characters, or 64 hexadecimal
// digits.
bool key_acceptable(EXTAP_CONFIG_DATA const& config)
{
    std::uint32_t const length = config.KeyLength;
    if (length >= 8 && length <= 63)
        return true;
    if (length != sizeof config.Key)
        return false;
    return std::all_of(config.Key, config.Key + length, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

}

bool World::hosted_setup(EXTAP_CONFIG_DATA const& config)
{
    if (config.SsidLength < 1 || config.SsidLength > sizeof config.Ssid || !key_acceptable(config))
        return false;
    if (!m_spec.hosted_network || !adapter_present())
        return false;
    set_hosted_network(true);
    return true;
}

void World::set_hosted_network(bool running)
{
    m_hosted_network = running;
    persist();
}

Mac World::hosted_bssid() const
{
    // A tool that lists the world has selected no adapter: it shows the first one's network.
    auto const* adapter = selected_adapter();
    if (!adapter && !m_spec.adapters.empty())
        adapter = &m_spec.adapters.front();
    if (!adapter)
        return {};
    Mac bssid = adapter->mac;
    bssid[0] |= 0x02;
    return bssid;
}

void World::fill_hosted_status(HOSTED_NETWORK_STATUS& status) const
{
    std::memset(&status, 0, sizeof status);
    status.State = m_spec.hosted_state >= 0 ? std::uint32_t(m_spec.hosted_state) : (m_hosted_network ? kStateRunning : 0);
    if (status.State == 0)
        return;
    Mac const bssid = hosted_bssid();
    std::memcpy(status.Bssid, bssid.data(), bssid.size());
    auto const& stations = m_spec.hosted_stations;
    status.StationCount = std::uint32_t(stations.size());
    std::size_t const listed = std::min<std::size_t>(stations.size(), HOSTED_STATUS_MAX_STATIONS);
    for (std::size_t i = 0; i < listed; ++i) {
        std::memcpy(status.Stations[i].MacAddress, stations[i].mac.data(), 6);
        status.Stations[i].AuthState = stations[i].auth;
    }
}

void World::add_hosted_station(Mac const& mac, std::uint32_t auth)
{
    auto& stations = m_spec.hosted_stations;
    auto it = std::find_if(stations.begin(), stations.end(), [&](HostedStation const& s) { return s.mac == mac; });
    if (it != stations.end())
        it->auth = auth;
    else
        stations.push_back({ mac, auth });
}

bool World::remove_hosted_station(Mac const& mac)
{
    return std::erase_if(m_spec.hosted_stations, [&](HostedStation const& s) { return s.mac == mac; }) > 0;
}

}
