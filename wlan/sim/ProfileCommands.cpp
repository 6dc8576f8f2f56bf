#include "wlan/sim/ProfileCommands.h"

#include "platform/system/ParseInteger.h"
#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/ProfileStore.h"
#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>

namespace wlan::sim {

namespace {

std::map<std::string, std::uint32_t> const kAuth = { { "open", AUTH_OPEN }, { "shared", AUTH_SHARED },
    { "wpa", AUTH_WPA }, { "wpa-psk", AUTH_WPA_PSK }, { "wpa-none", AUTH_WPA_NONE }, { "wpa2", AUTH_WPA2 },
    { "wpa2-psk", AUTH_WPA2_PSK }, { "wapi-psk", AUTH_WAPI_PSK }, { "wapi-cert", AUTH_WAPI_CERT },
    { "cckm", AUTH_CCKM } };
std::map<std::string, std::uint32_t> const kCipher = { { "wep", ENC_WEP }, { "none", ENC_NONE },
    { "tkip", ENC_TKIP }, { "aes", ENC_AES }, { "sms4", ENC_SMS4 } };
std::map<std::string, std::uint32_t> const kEap = { { "peap", EAP_PEAP }, { "tls", EAP_TLS },
    { "ttls", EAP_TTLS }, { "fast", EAP_FAST }, { "md5", EAP_MD5 }, { "leap", EAP_LEAP } };

template<std::size_t N>
std::string put(char (&field)[N], std::string const& value)
{
    if (value.size() >= N)
        return "longer than " + std::to_string(N - 1) + " characters";
    std::memset(field, 0, N);
    std::memcpy(field, value.data(), value.size());
    return {};
}

std::string pick(std::map<std::string, std::uint32_t> const& table, std::string const& value, std::uint32_t& out)
{
    auto it = table.find(value);
    if (it == table.end())
        return "unknown value '" + value + "'";
    out = it->second;
    return {};
}

std::string number(std::string const& value, std::uint32_t& out, std::uint32_t max)
{
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec != std::errc() || end != value.data() + value.size() || v > max)
        return "expected a number from 0 to " + std::to_string(max);
    out = v;
    return {};
}

std::string set_key(WLANPROFILE& p, std::string const& key, std::string const& value)
{
    if (key == "ssid") {
        if (value.empty() || value.size() > NDIS_SSID_MAX)
            return "expected 1 to 32 characters";
        p.SSID.SsidLength = std::uint32_t(value.size());
        std::memcpy(p.SSID.Ssid, value.data(), value.size());
        return {};
    }
    if (key == "bssid") {
        auto mac = parse_mac(value);
        if (!mac)
            return "expected a MAC address";
        std::memcpy(p.BSSID, mac->data(), 6);
        p.bBssid = 1;
        return {};
    }
    if (key == "network") {
        if (value != "infrastructure" && value != "adhoc")
            return "expected infrastructure or adhoc";
        p.enumNetworkType = value == "infrastructure" ? 1 : 0;
        return {};
    }
    if (key == "auth") {
        std::string const error = pick(kAuth, value, p.enumAuthenMode);
        p.b8021X = p.enumAuthenMode == AUTH_WPA || p.enumAuthenMode == AUTH_WPA2 || p.enumAuthenMode == AUTH_CCKM;
        return error;
    }
    if (key == "cipher") return pick(kCipher, value, p.enumEncryStatus);
    if (key == "key") {
        if (!wlan::profile::write_psk(p, value))
            return "longer than 64 characters";
        // The same text is WEP key 1 for a WEP profile (a pre-shared key past its array is not).
        return value.size() < sizeof p.WEPKey1 ? put(p.WEPKey1, value) : std::string();
    }
    if (key.size() == 4 && key.rfind("key", 0) == 0 && key[3] >= '1' && key[3] <= '4') {
        char (*keys[])[64] = { &p.WEPKey1, &p.WEPKey2, &p.WEPKey3, &p.WEPKey4 };
        return put(*keys[key[3] - '1'], value);
    }
    if (key == "eap") return pick(kEap, value, p.enumAuthenProtocol);
    if (key == "tunnel") return number(value, p.enumTunnel, 16);
    if (key == "identity") return put(p.chID, value);
    if (key == "password") return put(p.chPassword, value);
    if (key == "password_mode") return number(value, p.nPasswordMode, 16);
    if (key == "diagnostic") return number(value, p.bUseDiagnostic, 1);
    return "unknown key";
}

}

std::string make_profile(std::string const& name, std::vector<std::string> const& settings, WLANPROFILE& out)
{
    WLANPROFILE p {};
    p.enumNetworkType = 1;
    p.enumPreamType = 2;
    p.enumEncryStatus = ENC_NONE;
    p.wepDefaultKey = 1;
    p.nPskKeyType = 1; // as typed, the editor's default
    p.lRtsThre = 2347;
    p.lFragThre = 2346;
    if (name.empty())
        return "a profile needs a name";
    if (std::string error = put(p.strProfileName, name); !error.empty())
        return "name: " + error;
    for (auto const& setting : settings) {
        auto const eq = setting.find('=');
        if (eq == std::string::npos)
            return "expected key=value, not '" + setting + "'";
        std::string const key = setting.substr(0, eq);
        if (std::string error = set_key(p, key, setting.substr(eq + 1)); !error.empty())
            return key + ": " + error;
    }
    if (p.SSID.SsidLength == 0)
        return "ssid: a profile needs a network name";
    out = p;
    return {};
}

std::string add_profile(Store& store, std::string const& name, std::vector<std::string> const& settings)
{
    WLANPROFILE profile {};
    if (std::string error = make_profile(name, settings, profile); !error.empty())
        return error;
    ProfileStore profiles(store);
    auto const stored = profiles.find(name);
    if (stored) {
        profile.nProfileID = stored->nProfileID;
    } else {
        auto const id = platform::system::parse_integer<std::uint32_t>(profiles.next_id()).value_or(0);
        if (id == 0)
            return "no free profile ID (1 to 999)";
        profile.nProfileID = id;
    }
    return profiles.write(stored ? name : "", profile) == ProfileStore::kOk ? std::string() : "cannot write to " + store.folder();
}

std::string activate_profile(Store& store, std::string const& name)
{
    ProfileStore profiles(store);
    auto const stored = profiles.find(name);
    if (!stored)
        return "no profile named '" + name + "'";
    return profiles.set_active_name(wlan::profile::name_of(*stored)) ? std::string() : "cannot write to " + store.folder();
}

std::string name_of_code(std::map<std::string, std::uint32_t> const& table, std::uint32_t code)
{
    for (auto const& [name, value] : table)
        if (value == code)
            return name;
    return std::to_string(code);
}

std::string security_text(WLANPROFILE const& p)
{
    std::string text = name_of_code(kAuth, p.enumAuthenMode) + "/" + name_of_code(kCipher, p.enumEncryStatus);
    if (p.b8021X)
        text += "/" + name_of_code(kEap, p.enumAuthenProtocol);
    return text;
}

std::string list_profiles(Store& store)
{
    ProfileStore profiles(store);
    std::string out;
    for (auto const& p : profiles.profiles()) {
        std::string const name = wlan::profile::name_of(p);
        out += "profile\t" + std::to_string(p.nProfileID) + "\t" + name + "\t" + wlan::profile::read_ssid(p) + "\t"
            + security_text(p) + "\tpac " + std::to_string(profiles.pac_list(name).size()) + "\n";
    }
    out += "active\t" + profiles.active_name() + "\n";
    return out;
}

}
