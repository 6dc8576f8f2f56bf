#include "wlan/sim/WpsEngine.h"

#include "wlan/sim/World.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace wlan::sim {

namespace {

// The enrollee's exchange (push button or PIN), and the registrar's.
constexpr std::array<std::uint32_t, 17> kEnrollee { 2, 3, 4, 5, 6, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 15 };
constexpr std::array<std::uint32_t, 16> kRegistrar { 2, 3, 4, 5, 6, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 15 };
// Where a wrong PIN is noticed (after M4) and where a forced error falls (after M2), as
// indexes into the exchanges above.
constexpr std::size_t kEnrolleeM4 = 10;
constexpr std::size_t kEnrolleeM2 = 7;
constexpr std::size_t kRegistrarM4 = 9;
constexpr std::size_t kRegistrarM2 = 6;
constexpr std::uint32_t kWrongPin = 262;
constexpr std::uint32_t kInvalidSsid = 513;
constexpr std::uint32_t kSuccess = 15;

bool band_allows(int band, int channel)
{
    if (band == 0)
        return channel >= 1 && channel <= 14;
    if (band == 1)
        return channel > 14;
    return true;
}

bool reachable(World const& world, ApSpec const& ap, std::uint64_t now)
{
    return ap.present && ap.wps && !ap.adhoc && world.ap_rssi(ap, now) > -95;
}

std::string pin_text(WPS_MODE const& mode)
{
    std::string pin(mode.PIN, sizeof mode.PIN);
    return pin.substr(0, pin.find('\0'));
}

}

bool WpsEngine::set_mode(World& world, WPS_MODE const& mode, std::uint64_t now)
{
    (void)world;
    Kind const kind = mode.WpsMode == kPinMethod ? Kind::Pin : mode.WpsMode == kPbcMethod ? Kind::Pbc : Kind::None;
    if (kind == Kind::None)
        return false;
    m_kind = kind;
    m_mode = mode;
    m_registrar = mode.ConfigMode == 2;
    m_started = now;
    m_locked = false;
    m_done = false;
    m_final = 0;
    m_ap_id.clear();
    m_result = WPS_PROFILE {};
    m_channel = 0;
    return true;
}

bool WpsEngine::take_hw_press(World& world, std::uint64_t now)
{
    if (!m_hw_pending)
        return false;
    m_hw_pending = false;
    WPS_MODE mode {};
    mode.WpsMode = kPbcMethod;
    mode.ConfigMode = 1;
    set_mode(world, mode, now);
    return true;
}

void WpsEngine::disconnect()
{
    m_kind = Kind::None;
    m_done = false;
    m_final = 0;
}

void WpsEngine::end(std::uint32_t code)
{
    m_done = true;
    m_final = code;
}

std::uint32_t WpsEngine::status(World& world, std::uint64_t now)
{
    switch (m_kind) {
    case Kind::None: return 0;
    case Kind::Pbc: return pbc_status(world, now);
    case Kind::Pin: return kPinMethod | pin_status(world, now);
    }
    return 0;
}

std::uint32_t WpsEngine::pbc_status(World& world, std::uint64_t now)
{
    if (m_done)
        return m_final;
    if (!m_locked) {
        if (now - m_started >= std::uint64_t(std::max(0, world.spec().wps_walk_ms))) {
            end(0);
            return 0;
        }
        ApSpec const* alone = nullptr;
        int pressed = 0;
        for (ApSpec const& ap : world.spec().aps) {
            if (ap.wps_pbc_active && reachable(world, ap, now) && band_allows(m_switches.prefer_band, ap.channel)) {
                ++pressed;
                alone = &ap;
            }
        }
        if (pressed != 1)
            return pressed > 1 ? 257 : 258;
        m_locked = true;
        m_locked_at = now;
        m_ap_id = alone->id;
    }
    ApSpec* ap = world.find_ap(m_ap_id);
    if (!ap) {
        end(0);
        return 0;
    }
    std::uint64_t const step = std::uint64_t(std::max(1, world.spec().wps_step_ms));
    return exchange_code(world, *ap, (now - m_locked_at) / step);
}

std::uint32_t WpsEngine::pin_status(World& world, std::uint64_t now)
{
    if (m_done)
        return m_final;
    if (!m_locked) {
        Mac bssid {};
        std::memcpy(bssid.data(), m_mode.Bssid, bssid.size());
        auto const& aps = world.spec().aps;
        auto const it = std::find_if(aps.begin(), aps.end(),
            [&](ApSpec const& ap) { return ap.bssid == bssid && reachable(world, ap, now); });
        if (it == aps.end()) {
            end(kInvalidSsid);
            return m_final;
        }
        m_locked = true;
        m_locked_at = m_started;
        m_ap_id = it->id;
    }
    ApSpec* ap = world.find_ap(m_ap_id);
    if (!ap) {
        end(kInvalidSsid);
        return m_final;
    }
    std::uint64_t const step = std::uint64_t(std::max(1, world.spec().wps_step_ms));
    std::uint64_t const steps = (now - m_locked_at) / step;
    bool const wrong_pin = ap->wps_pin.empty() || ap->wps_pin != pin_text(m_mode);
    std::size_t const m4 = m_registrar ? kRegistrarM4 : kEnrolleeM4;
    std::size_t const m2 = m_registrar ? kRegistrarM2 : kEnrolleeM2;
    if (ap->wps_fail != 0 && steps > m2) {
        end(std::uint32_t(ap->wps_fail));
        return m_final;
    }
    if (wrong_pin && steps > m4) {
        end(kWrongPin);
        return m_final;
    }
    return exchange_code(world, *ap, steps);
}

std::uint32_t WpsEngine::exchange_code(World& world, ApSpec& ap, std::uint64_t steps)
{
    auto const run = [&](auto const& codes) {
        std::size_t const last = codes.size() - 1;
        if (steps < last)
            return codes[std::size_t(steps)];
        finish(world, ap);
        return kSuccess;
    };
    return m_registrar ? run(kRegistrar) : run(kEnrollee);
}

void WpsEngine::finish(World& world, ApSpec& ap)
{
    (void)world;
    if (m_registrar && m_offered.ProfileCnt > 0)
        apply_credential(ap, m_offered.Profile[0]);
    m_result = WPS_PROFILE {};
    m_result.ProfileCnt = 1;
    m_result.Profile[0] = credential_of(ap);
    m_channel = ap.channel;
    end(kSuccess);
}

WPS_CREDENTIAL credential_of(ApSpec const& ap)
{
    WPS_CREDENTIAL c {};
    c.SsidLength = std::uint32_t(std::min<std::size_t>(ap.ssid.size(), sizeof c.Ssid));
    std::memcpy(c.Ssid, ap.ssid.data(), c.SsidLength);
    switch (ap.security) {
    case Security::Wep:
    case Security::Dot1xWep: c.AuthType = ap.wep_shared ? 4 : 1; break;
    case Security::WpaPsk: c.AuthType = 2; break;
    case Security::Wpa2Psk: c.AuthType = 32; break;
    case Security::WpaWpa2Psk: c.AuthType = 34; break;
    case Security::Wpa: c.AuthType = 8; break;
    case Security::Wpa2: c.AuthType = 16; break;
    case Security::Open:
    case Security::WapiPsk:
    case Security::WapiCert:
    case Security::Cckm: c.AuthType = 1; break;
    }
    switch (ap.cipher) {
    case Cipher::Wep: c.EncrType = 2; break;
    case Cipher::Tkip: c.EncrType = 4; break;
    case Cipher::Aes: c.EncrType = 8; break;
    case Cipher::TkipAes: c.EncrType = 12; break;
    case Cipher::None:
    case Cipher::Sms4: c.EncrType = 1; break;
    }
    if (c.EncrType != 1) {
        c.KeyLength = std::uint32_t(std::min<std::size_t>(ap.key.size(), sizeof c.Key));
        std::memcpy(c.Key, ap.key.data(), c.KeyLength);
    }
    std::memcpy(c.MacAddr, ap.bssid.data(), sizeof c.MacAddr);
    return c;
}

void apply_credential(ApSpec& ap, WPS_CREDENTIAL const& c)
{
    ap.ssid.assign(reinterpret_cast<char const*>(c.Ssid), std::min<std::size_t>(c.SsidLength, sizeof c.Ssid));
    ap.key.assign(reinterpret_cast<char const*>(c.Key), std::min<std::size_t>(c.KeyLength, sizeof c.Key));
    ap.wep_shared = c.AuthType == 4;
    switch (c.AuthType) {
    case 2: ap.security = Security::WpaPsk; break;
    case 32: ap.security = Security::Wpa2Psk; break;
    case 34: ap.security = Security::WpaWpa2Psk; break;
    default: ap.security = c.EncrType == 2 ? Security::Wep : Security::Open; break;
    }
    switch (c.EncrType) {
    case 2: ap.cipher = Cipher::Wep; break;
    case 4: ap.cipher = Cipher::Tkip; break;
    case 8: ap.cipher = Cipher::Aes; break;
    case 12: ap.cipher = Cipher::TkipAes; break;
    default: ap.cipher = Cipher::None; break;
    }
    if (ap.cipher == Cipher::None)
        ap.key.clear();
}

}
