// The world's advanced settings: what an Apply of the station's advanced page does to the
// driver, kept in the store; and the system's profile store that a rejoin connects from.
#include "wlan/sim/World.h"

#include "wlan/sim/Channels.h"
#include "wlan/sim/Store.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

namespace {

constexpr char kAppliedKey[] = "advance_applied";
// The record kept in the store: the applied settings with the TX burst and protection words.
struct StoredAdvance {
    ADVANCE_OID oid;
    std::uint32_t tx_burst;
    std::uint32_t protection;
};

constexpr std::uint8_t kMcsAuto = 33;
constexpr std::uint8_t kHtGreenfield = 1;
constexpr std::uint16_t kIndexMask = 0x7F;
constexpr std::uint16_t kPhyModeMask = 3u << 14;
constexpr std::uint16_t kPhyHtGreenfield = 3u << 14;

std::string name_of(WLANPROFILE const& profile)
{
    return std::string(profile.strProfileName, ::strnlen(profile.strProfileName, sizeof profile.strProfileName));
}

}

bool World::may_set_advance() const { return m_spec.admin || m_spec.allow_standard_user_advance; }

void World::load_advance()
{
    if (!m_store)
        return;
    auto stored = m_store->read_record<StoredAdvance>(kAppliedKey);
    if (!stored)
        return;
    m_advance.applied = true;
    m_advance.oid = stored->oid;
    m_advance.tx_burst = stored->tx_burst;
    m_advance.protection = stored->protection;
    m_spec.wireless_mode = int(stored->oid.KTphyMode);
    if (m_spec.region24_selectable)
        m_spec.region24 = int(stored->oid.CountryRegIndex11BG);
    if (m_spec.region5_selectable)
        m_spec.region5 = int(stored->oid.CountryRegIndex11A);
}

void World::apply_advance(ADVANCE_OID const& oid)
{
    m_advance.applied = true;
    m_advance.oid = oid;
    m_advance.tx_burst = oid.bTXBurst;
    m_advance.protection = oid.nBGProtection;
    m_spec.wireless_mode = int(oid.KTphyMode);
    // A band the user may not choose keeps the driver's region.
    if (m_spec.region24_selectable)
        m_spec.region24 = int(oid.CountryRegIndex11BG);
    if (m_spec.region5_selectable)
        m_spec.region5 = int(oid.CountryRegIndex11A);
    if (m_store)
        m_store->write_record(kAppliedKey, StoredAdvance { oid, oid.bTXBurst, oid.nBGProtection });
}

std::uint32_t World::region_word() const
{
    return (std::uint32_t(m_spec.region24) & 0x7F) | (std::uint32_t(m_spec.region5) & 0x7F) << 8;
}

std::optional<std::uint32_t> World::antenna_word() const
{
    AdapterSpec const* adapter = selected_adapter();
    if (!adapter || !adapter->antenna)
        return std::nullopt;
    return std::uint32_t(adapter->chains << 4 | adapter->chains);
}

// Only 20 MHz, only the long guard interval and a fixed MCS (within the access point's
// streams) hold the rate down; greenfield marks the PHY mode.
LinkRate World::applied_rate(ApSpec const& ap, bool ht, int rssi) const
{
    // A record without 802.11n choices (PhyMode 0, as a record stored for an adapter without
    // 802.11n carries) leaves the rate to the access point.
    if (!ht || !m_advance.applied || !mode_is_11n(int(m_advance.oid.PhyMode)))
        return link_rate(ap, ht, rssi);
    ADVANCE_OID const& oid = m_advance.oid;
    ApSpec limited = ap;
    limited.ht40 = ap.ht40 && oid.BW != 0;
    limited.sgi20 = ap.sgi20 && oid.SHORTGI != 0;
    limited.sgi40 = ap.sgi40 && oid.SHORTGI != 0;
    LinkRate rate = link_rate(limited, true, rssi);
    // A fixed MCS below the one the signal allows: the rate of that MCS, as a link with its
    // streams that stepped down to it.
    if (oid.MCS != kMcsAuto && oid.MCS < (rate.transmit_setting & kIndexMask)) {
        ApSpec fixed = limited;
        fixed.streams = oid.MCS / 8 + 1;
        int const steps = fixed.streams * 8 - 1 - oid.MCS;
        rate = link_rate(fixed, true, steps == 0 ? 0 : kRateFallsBelowDbm - 4 * steps);
    }
    if (oid.HtMode == kHtGreenfield)
        rate.transmit_setting = std::uint16_t((rate.transmit_setting & ~kPhyModeMask) | kPhyHtGreenfield);
    return rate;
}

// [SECTION] the system's profile store

void World::remember_os_profile(WLANPROFILE const& profile)
{
    std::string const name = name_of(profile);
    if (name.empty())
        return;
    auto& profiles = m_advance.os_profiles;
    profiles.erase(std::remove_if(profiles.begin(), profiles.end(), [&](auto const& p) { return name_of(p) == name; }),
        profiles.end());
    profiles.push_back(profile);
}

void World::forget_os_profiles()
{
    m_advance.os_profiles.clear();
    m_spec.os_profiles.clear();
}

std::optional<WLANPROFILE> World::os_profile(std::string const& name) const
{
    for (auto const& p : m_advance.os_profiles) {
        if (name_of(p) == name)
            return p;
    }
    if (std::find(m_spec.os_profiles.begin(), m_spec.os_profiles.end(), name) == m_spec.os_profiles.end())
        return std::nullopt;
    WLANPROFILE seeded {};
    std::size_t const length = std::min(name.size(), sizeof seeded.SSID.Ssid);
    std::memcpy(seeded.SSID.Ssid, name.data(), length);
    seeded.SSID.SsidLength = std::uint32_t(length);
    std::memcpy(seeded.strProfileName, name.data(), std::min(name.size(), sizeof seeded.strProfileName - 1));
    seeded.enumNetworkType = 1;
    seeded.enumAuthenMode = AUTH_OPEN;
    seeded.enumEncryStatus = ENC_NONE;
    return seeded;
}

}
