// The link of the simulated station: choosing the access point a profile names, checking the
// profile's security against it, and laying out the connection's steps in time with the
// callback events of each security method in their order.
#include "wlan/sim/World.h"

#include "wlan/api/Callback.h"
#include "wlan/sim/Channels.h"
#include "wlan/sim/KeyMaterial.h"

#include <algorithm>
#include <cstring>

namespace wlan::sim {

namespace {

// A fixed-size text field, read up to its first NUL and never past its end.
template<std::size_t N>
std::string field_text(char const (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

// Pre-shared keys match when their master keys do: either side may hold the passphrase or
// the 64 hexadecimal digits.
bool same_psk(std::string const& profile_key, ApSpec const& ap)
{
    auto const mine = psk_pmk(profile_key, ap.ssid);
    return mine && mine == psk_pmk(ap.key, ap.ssid);
}

// A WAPI pre-shared key as the profile gives its format: 0 hexadecimal digits, 1 ASCII text.
bool same_wapi_key(WLANPROFILE const& p, std::string const& key, ApSpec const& ap)
{
    if (p.nPskKeyType != 0)
        return key == ap.key;
    auto const bytes = decode_hex(key);
    return bytes && *bytes == ap.key;
}

enum class Family { Open, Wep, Psk, Dot1X, Dot1xWep, WapiPsk, WapiCert };

Family family_of(Security s)
{
    switch (s) {
    case Security::Open: return Family::Open;
    case Security::Wep: return Family::Wep;
    case Security::WpaPsk:
    case Security::Wpa2Psk:
    case Security::WpaWpa2Psk: return Family::Psk;
    case Security::Wpa:
    case Security::Wpa2:
    case Security::Cckm: return Family::Dot1X;
    case Security::Dot1xWep: return Family::Dot1xWep;
    case Security::WapiPsk: return Family::WapiPsk;
    case Security::WapiCert: return Family::WapiCert;
    }
    return Family::Open;
}

bool auth_fits(ApSpec const& ap, std::uint32_t auth)
{
    switch (ap.security) {
    case Security::Open: return auth == AUTH_OPEN;
    case Security::Wep: return ap.wep_shared ? auth == AUTH_SHARED : (auth == AUTH_OPEN || auth == AUTH_SHARED);
    case Security::Dot1xWep: return auth == (ap.wep_shared ? AUTH_SHARED : AUTH_OPEN);
    case Security::WpaPsk: return auth == AUTH_WPA_PSK || (ap.adhoc && auth == AUTH_WPA_NONE);
    case Security::Wpa2Psk: return auth == AUTH_WPA2_PSK;
    case Security::WpaWpa2Psk: return auth == AUTH_WPA_PSK || auth == AUTH_WPA2_PSK;
    case Security::Wpa: return auth == AUTH_WPA;
    case Security::Wpa2: return auth == AUTH_WPA2;
    case Security::Cckm: return auth == AUTH_CCKM || auth == AUTH_WPA2;
    case Security::WapiPsk: return auth == AUTH_WAPI_PSK;
    case Security::WapiCert: return auth == AUTH_WAPI_CERT;
    }
    return false;
}

bool cipher_fits(ApSpec const& ap, std::uint32_t enc)
{
    Family const f = family_of(ap.security);
    if (f == Family::Open)
        return enc == ENC_NONE;
    if (f == Family::Wep || f == Family::Dot1xWep)
        return enc == ENC_WEP;
    if (f == Family::WapiPsk || f == Family::WapiCert)
        return enc == ENC_SMS4;
    bool const tkip = enc == ENC_TKIP || enc == ENC_TKIP_MFP;
    bool const aes = enc == ENC_AES || enc == ENC_AES_MFP;
    switch (ap.cipher) {
    case Cipher::Tkip: return tkip;
    case Cipher::TkipAes: return tkip || aes;
    case Cipher::Aes:
    case Cipher::None:
    case Cipher::Wep:
    case Cipher::Sms4: return aes;
    }
    return false;
}

std::string wep_key_of(WLANPROFILE const& p)
{
    switch (p.wepDefaultKey) {
    case 2: return field_text(p.WEPKey2);
    case 3: return field_text(p.WEPKey3);
    case 4: return field_text(p.WEPKey4);
    default: return field_text(p.WEPKey1);
    }
}

// The pre-shared key is nPskKeyLen bytes of chPskKey; a length past the field is cut to it.
std::string psk_of(WLANPROFILE const& p)
{
    std::size_t const len = std::min<std::size_t>(p.nPskKeyLen, sizeof p.chPskKey);
    return std::string(p.chPskKey, ::strnlen(p.chPskKey, len));
}


}

ApSpec const* World::linked_ap() const
{
    for (auto const& ap : m_spec.aps)
        if (ap.id == m_link.ap_id)
            return &ap;
    return nullptr;
}

// The strongest present access point the profile names: by BSSID when it is locked to one,
// else by network name, hidden ones included under their real name.
ApSpec const* World::find_target(WLANPROFILE const& p) const
{
    ApSpec const* best = nullptr;
    std::size_t const ssid_len = std::min<std::size_t>(p.SSID.SsidLength, NDIS_SSID_MAX);
    std::string const ssid(reinterpret_cast<char const*>(p.SSID.Ssid), ssid_len);
    for (auto const& ap : m_spec.aps) {
        if (!ap.present || ap.rssi <= -95)
            continue;
        bool const match = p.bBssid ? std::memcmp(ap.bssid.data(), p.BSSID, 6) == 0 : ap.ssid == ssid;
        if (match && (!best || ap.rssi > best->rssi))
            best = &ap;
    }
    return best;
}

void World::cancel_link_steps()
{
    std::erase_if(m_steps, [](Scheduled const& s) {
        return s.step == Step::Callback || s.step == Step::Connected || s.step == Step::Failed || s.step == Step::IcvError
            || s.step == Step::WapiDone;
    });
}

void World::drop_link(std::uint64_t now)
{
    (void)now;
    bool const was_up = m_link.phase != LinkPhase::Idle && m_link.phase != LinkPhase::Failed;
    bool const was_connected = m_link.phase == LinkPhase::Connected;
    cancel_link_steps();
    m_link.expired_account = -1;
    m_link.waiting_for_pac = false;
    if (was_connected)
        callback(RS_CBS_AU_STATUS_MEDIA_DISCONNECT);
    m_link.phase = LinkPhase::Idle;
    m_link.wapi = false;
    m_link.ap_id.clear();
    if (was_up)
        callback(RS_CBS_AU_STATUS_LINK_DOWN);
}

bool World::in_range(ApSpec const& ap, std::uint64_t now) const
{
    auto const channels = available_channels(m_spec.wireless_mode, m_spec.region24, m_spec.region5);
    bool const on_plan = std::find(channels.begin(), channels.end(), std::uint8_t(ap.channel)) != channels.end();
    return ap.present && ap_rssi(ap, now) > -95 && on_plan;
}

void World::watch_link(std::uint64_t now)
{
    bool const linked = m_link.phase != LinkPhase::Idle && m_link.phase != LinkPhase::Failed && !m_link.ap_id.empty();
    if (linked) {
        ApSpec const* ap = linked_ap();
        if (!ap || !in_range(*ap, now)) {
            std::string const lost = m_link.ap_id;
            drop_link(now);
            m_lost_ap = lost;
        }
        return;
    }
    bool const ready = driver_ready(now) && radio_on();
    if (!m_lost_ap.empty() && ready) {
        ApSpec const* ap = find_ap(m_lost_ap);
        if (ap && in_range(*ap, now)) {
            m_lost_ap.clear();
            station_post(VXWL_MSG_RECONNECT);
        }
    }
    if (m_reconnect_after_resume && driver_ready(now)) {
        m_reconnect_after_resume = false;
        station_post(VXWL_MSG_RECONNECT);
    }
}

void World::station_post(unsigned message, std::uintptr_t wparam)
{
    m_outbox.push_back({ Outgoing::Kind::Post, message, wparam, {}, Audience::Station });
}

void World::connect(WLANPROFILE const& profile, std::uint64_t now)
{
    drop_link(now);
    m_link.profile = profile;
    m_link.private_message = 0;
    m_link.icv = false;
    if (!driver_ready(now) || !radio_on())
        return;
    // A record naming no network (no SSID, no BSSID lock) is how the programs ask to stay
    // disconnected, as an empty SSID does: no attempt, so no failure is reported.
    if (profile.SSID.SsidLength == 0 && !profile.bBssid)
        return;
    m_link.phase = LinkPhase::Associating;
    callback(RS_CBS_AU_STATUS_START);
    ApSpec const* ap = find_target(profile);
    std::uint64_t const assoc = now + std::uint64_t(m_spec.connect_ms);
    if (!ap) {
        // Nobody answers: the association times out.
        schedule(assoc + 2 * std::uint64_t(m_spec.connect_ms), Step::Failed, LINK_ASSOC_FAIL);
        return;
    }
    m_link.ap_id = ap->id;
    if (!auth_fits(*ap, profile.enumAuthenMode) || !cipher_fits(*ap, profile.enumEncryStatus)
        || bool(profile.enumNetworkType == 0) != ap->adhoc) {
        schedule(assoc, Step::Failed, LINK_ASSOC_FAIL);
        return;
    }
    plan_connection(*ap, now);
}

// The steps after a successful association, by security method.
void World::plan_connection(ApSpec const& ap, std::uint64_t now)
{
    WLANPROFILE const& p = m_link.profile;
    std::uint64_t const assoc = now + std::uint64_t(m_spec.connect_ms);
    switch (family_of(ap.security)) {
    case Family::Open:
        schedule(assoc, Step::Callback, RS_CBS_AU_STATUS_LINK_UP);
        schedule(assoc, Step::Connected);
        return;
    case Family::Wep: {
        bool const key_ok = wep_key_bytes(wep_key_of(p)) == wep_key_bytes(ap.key);
        if (!key_ok && ap.wep_shared) {
            schedule(assoc, Step::Failed, LINK_AUTH_FAIL);
            return;
        }
        schedule(assoc, Step::Callback, RS_CBS_AU_STATUS_LINK_UP);
        schedule(assoc, Step::Connected);
        // Open system lets a wrong key associate; every frame then fails its integrity check.
        if (!key_ok)
            schedule(assoc + 500, Step::IcvError);
        return;
    }
    case Family::Psk:
        schedule(assoc, Step::Callback, RS_CBS_AU_STATUS_LINK_UP);
        if (same_psk(psk_of(p), ap)) {
            schedule(assoc + 200, Step::Callback, RS_CBS_PORT_SECURED);
            schedule(assoc + 200, Step::Connected);
        }
        else
            schedule(assoc + std::uint64_t(m_spec.handshake_timeout_ms), Step::Failed, LINK_EAP_4WAY_TIMEOUT);
        return;
    case Family::Dot1X:
    case Family::Dot1xWep: {
        m_link.wep_key_ok = family_of(ap.security) != Family::Dot1xWep || wep_key_bytes(wep_key_of(p)) == wep_key_bytes(ap.key);
        schedule(assoc, Step::Callback, RS_CBS_AU_STATUS_LINK_UP);
        schedule(assoc, Step::Callback, RS_CBS_AU_STATUS_AUTHENTICATING);
        if (ap.auth_timeout || !p.b8021X) {
            schedule(assoc + std::uint64_t(m_spec.auth_timeout_ms), Step::Callback, RS_CBS_AU_STATUS_AUTH_TIMEOUT);
            schedule(assoc + std::uint64_t(m_spec.auth_timeout_ms), Step::Failed, LINK_AUTH_FAIL);
        } else {
            plan_eap(ap, assoc + std::uint64_t(m_spec.eap_ms));
        }
        return;
    }
    case Family::WapiPsk:
    case Family::WapiCert: {
        m_link.wapi = true;
        m_link.wapi_from = now;
        schedule(assoc, Step::Callback, RS_CBS_AU_STATUS_LINK_UP);
        bool const ok = family_of(ap.security) == Family::WapiPsk ? same_wapi_key(p, psk_of(p), ap)
                                                                  : wapi_certs_fit(ap);
        std::uint64_t const done = now + 3000;
        if (ok)
            schedule(done, Step::Connected);
        else
            schedule(done, Step::Failed, LINK_AUTH_FAIL_KEYS);
        return;
    }
    }
}

void World::connect_ssid(NDIS_802_11_SSID const& ssid, std::uint64_t now)
{
    bool const all_zero = std::all_of(std::begin(ssid.Ssid), std::end(ssid.Ssid), [](std::uint8_t b) { return b == 0; });
    // A length past 32 or an empty name is how the program asks to stay disassociated.
    if (ssid.SsidLength > NDIS_SSID_MAX || ssid.SsidLength == 0 || all_zero) {
        disassociate(now);
        return;
    }
    WLANPROFILE p = m_link.profile;
    p.bBssid = 0;
    p.SSID = ssid;
    connect(p, now);
}

void World::connect_bssid(Mac const& bssid, std::uint64_t now)
{
    WLANPROFILE p = m_link.profile;
    p.bBssid = 1;
    std::memcpy(p.BSSID, bssid.data(), 6);
    connect(p, now);
}

void World::disassociate(std::uint64_t now) { drop_link(now); }

void World::set_credentials(char const* identity, char const* password)
{
    if (identity && *identity)
        std::snprintf(m_link.profile.chID, sizeof m_link.profile.chID, "%s", identity);
    if (password)
        std::snprintf(m_link.profile.chPassword, sizeof m_link.profile.chPassword, "%s", password);
}

int World::wapi_progress(std::uint64_t now) const
{
    if (!m_link.wapi)
        return m_link.phase == LinkPhase::Connected ? 100 : 0;
    return int(std::min<std::uint64_t>(99, (now - m_link.wapi_from) / 30));
}

std::uint32_t World::take_private_message()
{
    std::uint32_t const v = m_link.private_message;
    m_link.private_message = 0;
    return v;
}

bool World::address_assigned(std::uint64_t now) const
{
    return m_link.phase == LinkPhase::Connected && !m_link.icv
        && now >= m_link.address_from + std::uint64_t(m_spec.dhcp_ms);
}

}
