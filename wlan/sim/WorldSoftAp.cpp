// [SECTION] index: the rules (defaults, admission, keys, rate words, counters), serving and
// stopping, admission of the stations, events, counters, the station list.
#include "wlan/sim/World.h"

#include "wlan/sim/Channels.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

namespace {

// The window of the agreements a station sets up as it associates.
constexpr std::uint8_t kSeededWindow = 64;

template<std::size_t N>
std::string field_text(char const (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

}

// [SECTION] the rules

char const* to_string(StationState state)
{
    switch (state) {
    case StationState::Away: return "away";
    case StationState::Associated: return "associated";
    case StationState::Refused: return "refused";
    case StationState::AuthFailed: return "auth-failed";
    }
    return "?";
}

ApConfigData default_ap_config(bool has_11n, int region24, int region5)
{
    ApConfigData c {};
    static constexpr char kSsid[] = "SoftAP";
    c.SsidLen = sizeof kSsid - 1;
    std::memcpy(c.Ssid, kSsid, c.SsidLen);
    c.WirelessMode = has_11n ? 9 : 0;
    c.lFreq = channel_to_frequency(6);
    if (has_11n)
        c.HT_PhyMode = c.WirelessMode | (AP_HT_MCS_AUTO << AP_HT_MCS_SHIFT) | AP_HT_SHORT_GI | AP_HT_STBC | AP_HT_ALWAYS_SET;
    c.CountryRegion_11BG = std::uint32_t(region24);
    c.CountryRegion_11A = std::uint32_t(region5);
    c.nBeaconPeriod = 100;
    c.nRtsThreshold = 2347;
    c.nFragThreshold = 2346;
    c.bShortSlot = 1;
    c.Security.AuthenMode = AP_AUTH_OPEN;
    c.Security.EncryStatus = AP_ENC_NONE;
    c.Security.nRekeyInterval = 60;
    c.Security.nRekeyMethod = 0;
    c.Security.nRadiusPort = 1812;
    c.nIdleTime = 300;
    return c;
}

bool acl_admits(AccessControlList const& acl, Mac const& mac)
{
    std::uint32_t const count = std::min<std::uint32_t>(acl.Count, AP_ACL_ENTRIES);
    if (acl.Policy == AP_ACL_DISABLED || count == 0)
        return true;
    bool listed = false;
    for (std::uint32_t i = 0; i < count; ++i)
        listed = listed || std::memcmp(acl.Entry[i], mac.data(), 6) == 0;
    if (acl.Policy == AP_ACL_ALLOW_LISTED)
        return listed;
    if (acl.Policy == AP_ACL_REJECT_LISTED)
        return !listed;
    return true;
}

bool key_matches(ApSecurity const& security, std::string const& key)
{
    if (security.EncryStatus == AP_ENC_WEP)
        return key == field_text(security.WepKey[security.nDefaultKeyId & 3]);
    switch (security.AuthenMode) {
    case AP_AUTH_WPA_PSK:
    case AP_AUTH_WPA2_PSK:
    case AP_AUTH_WPA_WPA2_PSK:
    case 6:
    case 8: {
        std::size_t const length = std::min<std::size_t>(security.WpaPskLen, sizeof security.WpaPsk);
        return key == std::string(security.WpaPsk, ::strnlen(security.WpaPsk, length));
    }
    default:
        // Open system without encryption; a RADIUS server (3) is not simulated.
        return security.AuthenMode != 3 && security.EncryStatus == AP_ENC_NONE;
    }
}

namespace {

// The same network name on the same channel.
bool same_network(ApConfigData const& a, ApConfigData const& b)
{
    std::size_t const length = std::min<std::size_t>(a.SsidLen, AP_SSID_MAX);
    return a.SsidLen == b.SsidLen && a.lFreq == b.lFreq && std::memcmp(a.Ssid, b.Ssid, length) == 0;
}

}

std::uint16_t station_rate_word(StationSpec const& s)
{
    switch (s.phy) {
    case 'b': return std::uint16_t(s.mcs.value_or(3) & MAC_RATE_MCS_MASK);
    case 'n':
        return std::uint16_t((s.mcs.value_or(7) & MAC_RATE_MCS_MASK) | (s.bw40 ? MAC_RATE_BW40 : 0)
            | (s.sgi ? MAC_RATE_SHORT_GI : 0) | (2u << MAC_RATE_MODE_SHIFT));
    default: return std::uint16_t((s.mcs.value_or(7) & MAC_RATE_MCS_MASK) | (1u << MAC_RATE_MODE_SHIFT));
    }
}

ApCounters counters_for(std::uint64_t frames)
{
    ApCounters c;
    c.tx_ok = frames;
    c.tx_retried = frames / 20;
    c.tx_failed_ack = frames / 200;
    c.rts_ok = frames / 50;
    c.rts_failed = frames / 500;
    c.rx_ok = frames;
    c.rx_duplicate = frames / 300;
    c.rx_crc = frames / 100;
    c.rx_dropped = frames / 1000;
    return c;
}

// [SECTION] serving and stopping

bool World::softap_serving(std::uint64_t now) const
{
    return m_ap.config && driver_ready(now) && op_mode() == 1 && radio_on();
}

// A new network name or channel starts the network anew: the stations associated to the old
// one leave it and, once it serves again, join the new one, as they would on the air.
void World::softap_apply_config(ApConfigData const& config, std::uint64_t now)
{
    if (m_ap.config && m_ap.started && !same_network(*m_ap.config, config)) {
        for (auto const& s : m_spec.stations)
            if (auto& link = m_ap.links[s.id]; link.state == StationState::Associated)
                drop_station(s, link, AP_EVENT_LEFT, now);
        stop_softap(now);
    }
    m_ap.config = config;
    reset_station_attempts();
    reconcile_softap(now);
}

void World::softap_apply_acl(AccessControlList const& acl, std::uint64_t now)
{
    m_ap.acl = acl;
    if (m_ap.acl.Count > AP_ACL_ENTRIES)
        m_ap.acl.Count = AP_ACL_ENTRIES;
    reset_station_attempts();
    reconcile_softap(now);
}

void World::reset_station_attempts()
{
    for (auto& [id, link] : m_ap.links)
        if (link.state == StationState::Refused || link.state == StationState::AuthFailed)
            link.state = StationState::Away;
}

// The access point stopped (radio, mode, adapter, driver): its stations are gone with it.
void World::stop_softap(std::uint64_t now)
{
    if (!m_ap.started)
        return;
    fold_counters(now);
    for (auto& s : m_spec.stations) {
        auto& link = m_ap.links[s.id];
        if (link.state == StationState::Associated)
            m_block_acks.remove_peer_everywhere(s.mac);
        link = StationLink {};
    }
    m_ap.started = false;
}

void World::softap_post(unsigned message)
{
    m_outbox.push_back({ Outgoing::Kind::Post, message, 0, {}, Audience::AccessPoint });
}

// [SECTION] admission

void World::reconcile_softap(std::uint64_t now)
{
    if (!softap_serving(now)) {
        stop_softap(now);
        return;
    }
    if (!m_ap.started) {
        m_ap.started = true;
        m_ap.folded_at = now;
        reset_station_attempts();
        auto const* adapter = selected_adapter();
        softap_event(adapter ? adapter->mac : Mac {}, AP_EVENT_STARTED, now);
    }
    for (auto const& s : m_spec.stations) {
        auto& link = m_ap.links[s.id];
        if (!s.join) {
            if (link.state == StationState::Associated)
                drop_station(s, link, AP_EVENT_LEFT, now);
            link.state = StationState::Away;
            continue;
        }
        bool const fits = acl_admits(m_ap.acl, s.mac) && key_matches(m_ap.config->Security, s.key);
        if (link.state == StationState::Associated && !fits)
            drop_station(s, link, AP_EVENT_REMOVED, now);
        if (link.state == StationState::Away)
            admit_station(s, link, now);
    }
}

void World::admit_station(StationSpec const& s, StationLink& link, std::uint64_t now)
{
    if (!acl_admits(m_ap.acl, s.mac)) {
        link.state = StationState::Refused;
        softap_event(s.mac, AP_EVENT_REFUSED_BY_ACL, now);
        return;
    }
    if (!key_matches(m_ap.config->Security, s.key)) {
        link.state = StationState::AuthFailed;
        softap_event(s.mac, AP_EVENT_AUTH_FAILED, now);
        return;
    }
    fold_counters(now);
    // The smallest identifier no associated station holds.
    int aid = 1;
    while (std::any_of(m_ap.links.begin(), m_ap.links.end(),
        [&](auto const& l) { return l.second.state == StationState::Associated && l.second.aid == aid; }))
        ++aid;
    link = StationLink { StationState::Associated, aid, now };
    softap_event(s.mac, AP_EVENT_ASSOCIATED, now);
    if (s.phy == 'n' && m_spec.supports_11n)
        for (auto tid : s.ba_tids)
            m_block_acks.add(BaDirection::Recipient, s.mac, tid, kSeededWindow);
}

void World::drop_station(StationSpec const& s, StationLink& link, std::uint16_t event, std::uint64_t now)
{
    fold_counters(now);
    m_block_acks.remove_peer_everywhere(s.mac);
    link = StationLink {};
    softap_event(s.mac, event, now);
}

StationSpec* World::find_station(std::string const& id)
{
    auto it = std::find_if(m_spec.stations.begin(), m_spec.stations.end(), [&](auto const& s) { return s.id == id; });
    return it == m_spec.stations.end() ? nullptr : &*it;
}

bool World::add_station(StationSpec station, std::uint64_t now)
{
    if (find_station(station.id))
        return false;
    m_spec.stations.push_back(std::move(station));
    reconcile_softap(now);
    return true;
}

void World::station_changed(std::string const& id, std::uint64_t now)
{
    auto it = m_ap.links.find(id);
    if (it != m_ap.links.end() && it->second.state != StationState::Associated)
        it->second.state = StationState::Away;
    reconcile_softap(now);
}

void World::remove_station(std::string const& id, std::uint64_t now)
{
    StationSpec* s = find_station(id);
    if (!s)
        return;
    auto& link = m_ap.links[id];
    if (link.state == StationState::Associated)
        drop_station(*s, link, AP_EVENT_LEFT, now);
    m_ap.links.erase(id);
    std::erase_if(m_spec.stations, [&](auto const& st) { return st.id == id; });
}

void World::replace_stations(std::vector<StationSpec> stations, std::uint64_t now)
{
    std::vector<std::string> gone;
    for (auto const& s : m_spec.stations)
        if (std::none_of(stations.begin(), stations.end(), [&](StationSpec const& kept) { return kept.id == s.id; }))
            gone.push_back(s.id);
    for (auto const& id : gone)
        remove_station(id, now);
    m_spec.stations = std::move(stations);
    for (auto& [id, link] : m_ap.links)
        if (link.state != StationState::Associated)
            link.state = StationState::Away;
    reconcile_softap(now);
}

// [SECTION] events

void World::softap_event(Mac const& mac, std::uint16_t code, std::uint64_t now)
{
    if (m_ap.events.size() >= kApEventBacklog)
        m_ap.events.pop_front();
    m_ap.events.push_back(ApEvent { now, mac, code });
}

std::vector<ApEvent> World::take_softap_events(std::size_t max)
{
    std::size_t const n = std::min(max, m_ap.events.size());
    std::vector<ApEvent> out(m_ap.events.begin(), m_ap.events.begin() + std::ptrdiff_t(n));
    m_ap.events.erase(m_ap.events.begin(), m_ap.events.begin() + std::ptrdiff_t(n));
    return out;
}

// [SECTION] counters

namespace {

std::uint64_t traffic_of(std::vector<StationSpec> const& stations, std::map<std::string, StationLink> const& links)
{
    std::uint64_t per_second = 0;
    for (auto const& s : stations) {
        auto it = links.find(s.id);
        if (it != links.end() && it->second.state == StationState::Associated)
            per_second += std::uint64_t(s.traffic);
    }
    return per_second;
}

}

void World::fold_counters(std::uint64_t now)
{
    if (m_ap.started && now > m_ap.folded_at)
        m_ap.frame_ms += traffic_of(m_spec.stations, m_ap.links) * (now - m_ap.folded_at);
    m_ap.folded_at = now;
}

ApCounters World::softap_counters(std::uint64_t now) const
{
    std::uint64_t frame_ms = m_ap.frame_ms;
    if (m_ap.started && now > m_ap.folded_at)
        frame_ms += traffic_of(m_spec.stations, m_ap.links) * (now - m_ap.folded_at);
    return counters_for(m_ap.counter_base + frame_ms / 1000);
}

void World::set_softap_counter_base(std::uint64_t frames, std::uint64_t now)
{
    fold_counters(now);
    m_ap.counter_base = frames;
    m_ap.frame_ms = 0;
}

// [SECTION] the station list

std::vector<std::pair<StationSpec const*, StationLink const*>> World::associated_stations() const
{
    std::vector<std::pair<StationSpec const*, StationLink const*>> out;
    for (auto const& s : m_spec.stations) {
        auto it = m_ap.links.find(s.id);
        if (it != m_ap.links.end() && it->second.state == StationState::Associated)
            out.emplace_back(&s, &it->second);
    }
    std::sort(out.begin(), out.end(), [](auto const& a, auto const& b) { return a.second->aid < b.second->aid; });
    return out;
}

StationLink World::link_of(std::string const& station_id) const
{
    auto it = m_ap.links.find(station_id);
    return it == m_ap.links.end() ? StationLink {} : it->second;
}

int World::softap_signal_dbm() const
{
    auto const stations = associated_stations();
    if (stations.empty())
        return m_spec.softap_rssi;
    int best = -200;
    for (auto const& [s, link] : stations)
        best = std::max(best, s->rssi);
    return best;
}

}
