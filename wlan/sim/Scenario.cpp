// [SECTION] index: value readers, [ap] keys, [station] keys, [adapter] keys, [world] keys, the
// file walk, writing an [ap] section.
#include "wlan/sim/Scenario.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/ReadFile.h"
#include "platform/system/TextSplit.h"
#include "wlan/sim/Certificates.h"
#include "wlan/api/Profile.h"

#include <algorithm>
#include <cstdio>

namespace wlan::sim {

namespace {

std::string trim(std::string_view s)
{
    auto const first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    auto const last = s.find_last_not_of(" \t\r");
    return std::string(s.substr(first, last - first + 1));
}

std::optional<long> to_int(std::string const& text)
{
    return platform::system::parse_integer<long>(text, platform::system::IntegerBase::DecimalOrHex);
}

std::optional<bool> to_bool(std::string const& text)
{
    if (text == "1" || text == "yes" || text == "true" || text == "on")
        return true;
    if (text == "0" || text == "no" || text == "false" || text == "off")
        return false;
    return std::nullopt;
}

// Exactly `N` fields of 1 or 2 hex digits (MAC) or 1 to 3 decimal digits (IPv4), split by `sep`.
template<std::size_t N>
std::optional<std::array<std::uint8_t, N>> to_bytes(std::string_view text, char sep, bool hex)
{
    std::array<std::uint8_t, N> out {};
    for (std::size_t i = 0; i < N; ++i) {
        auto const end = i + 1 < N ? text.find(sep) : text.size();
        if (end == std::string_view::npos)
            return std::nullopt;
        auto const field = text.substr(0, end);
        bool const digits_only = !field.empty() && field.size() <= (hex ? 2u : 3u)
            && field.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") == std::string_view::npos;
        auto const value = platform::system::parse_integer<std::uint8_t>(field,
            hex ? platform::system::IntegerBase::Hex : platform::system::IntegerBase::Decimal);
        if (!digits_only || !value)
            return std::nullopt;
        out[i] = *value;
        text.remove_prefix(i + 1 < N ? end + 1 : end);
    }
    return out;
}

std::optional<std::array<std::uint8_t, 4>> to_ipv4(std::string const& text) { return to_bytes<4>(text, '.', false); }

std::vector<std::string> split(std::string const& text, char sep)
{
    std::vector<std::string> out = platform::system::split_text(text, sep);
    for (auto& part : out)
        part = trim(part);
    return out;
}

template<typename T>
std::string assign_int(T& field, std::string const& value, long lo, long hi)
{
    auto v = to_int(value);
    if (!v || *v < lo || *v > hi)
        return "expected a number from " + std::to_string(lo) + " to " + std::to_string(hi);
    field = static_cast<T>(*v);
    return {};
}

std::string assign_bool(bool& field, std::string const& value)
{
    auto v = to_bool(value);
    if (!v)
        return "expected 0 or 1";
    field = *v;
    return {};
}

// The names of the enumerated values, read by the scenario and written by format_ap_section.
constexpr std::pair<char const*, Security> kSecurityNames[] = {
    { "open", Security::Open }, { "wep", Security::Wep }, { "wpa-psk", Security::WpaPsk },
    { "wpa2-psk", Security::Wpa2Psk }, { "wpa-wpa2-psk", Security::WpaWpa2Psk }, { "wpa", Security::Wpa },
    { "wpa2", Security::Wpa2 }, { "wapi-psk", Security::WapiPsk }, { "wapi-cert", Security::WapiCert },
    { "cckm", Security::Cckm }, { "8021x-wep", Security::Dot1xWep },
};
constexpr std::pair<char const*, Cipher> kCipherNames[] = {
    { "none", Cipher::None }, { "wep", Cipher::Wep }, { "tkip", Cipher::Tkip }, { "aes", Cipher::Aes },
    { "tkip+aes", Cipher::TkipAes }, { "sms4", Cipher::Sms4 },
};
constexpr std::pair<char const*, int> kEapNames[] = {
    { "peap", int(EAP_PEAP) }, { "tls", int(EAP_TLS) }, { "ttls", int(EAP_TTLS) }, { "fast", int(EAP_FAST) },
    { "md5", int(EAP_MD5) }, { "leap", int(EAP_LEAP) },
};
constexpr std::pair<char const*, Malformation> kMalformationNames[] = {
    { "none", Malformation::None }, { "inconsistent-length", Malformation::InconsistentLength },
    { "truncated-element", Malformation::TruncatedElement }, { "bad-rsn", Malformation::BadRsn },
    { "bad-wps", Malformation::BadWps },
};

template<typename T, std::size_t N>
std::optional<T> value_named(std::pair<char const*, T> const (&table)[N], std::string const& s)
{
    for (auto const& [name, value] : table)
        if (s == name)
            return value;
    return std::nullopt;
}

template<typename T, std::size_t N>
char const* name_of(std::pair<char const*, T> const (&table)[N], T value)
{
    for (auto const& [name, v] : table)
        if (v == value)
            return name;
    return "?";
}

std::optional<Security> to_security(std::string const& s) { return value_named(kSecurityNames, s); }

std::optional<Cipher> to_cipher(std::string const& s) { return value_named(kCipherNames, s); }

std::optional<int> to_eap_method(std::string const& s) { return value_named(kEapNames, s); }

std::optional<Malformation> to_malformation(std::string const& s) { return value_named(kMalformationNames, s); }

constexpr std::pair<char const*, int> kInnerNames[] = {
    { "mschapv2", int(EAP_INNER_MSCHAPV2) }, { "tls", int(EAP_INNER_TLS) }, { "gtc", int(EAP_INNER_GTC) },
    { "chap", int(EAP_INNER_CHAP) }, { "mschap", int(EAP_INNER_MSCHAP) }, { "pap", int(EAP_INNER_PAP) },
    { "md5", int(EAP_INNER_MD5) },
};

// The flags after an account's password: "expired", "inner=<method>", "cert=<id>".
std::string assign_account_flag(EapAccount& account, std::string const& flag)
{
    if (flag == "expired") {
        account.expired = true;
        return {};
    }
    if (flag.rfind("inner=", 0) == 0) {
        auto const inner = value_named(kInnerNames, flag.substr(6));
        if (!inner)
            return "unknown inner method '" + flag.substr(6) + "'";
        account.inner = *inner;
        return {};
    }
    if (flag.rfind("cert=", 0) == 0 && flag.size() > 5) {
        account.cert = flag.substr(5);
        return {};
    }
    return "expected expired, inner=<method> or cert=<id>, got '" + flag + "'";
}

// Accounts: "method:identity:password" separated by ';', each followed by its flags
// (":expired" for an account whose password the server wants changed, ":inner=gtc",
// ":cert=carol").
std::string assign_accounts(std::vector<EapAccount>& out, std::string const& value)
{
    std::vector<EapAccount> accounts;
    for (auto const& item : split(value, ';')) {
        auto parts = split(item, ':');
        if (parts.size() < 3)
            return "expected method:identity:password[:flag...]";
        auto method = to_eap_method(parts[0]);
        if (!method)
            return "unknown EAP method '" + parts[0] + "'";
        EapAccount account;
        account.method = *method;
        account.identity = parts[1];
        account.password = parts[2];
        for (std::size_t i = 3; i < parts.size(); ++i)
            if (auto error = assign_account_flag(account, parts[i]); !error.empty())
                return error;
        accounts.push_back(std::move(account));
    }
    out = std::move(accounts);
    return {};
}

std::string assign_rates(std::vector<std::uint8_t>& out, std::string const& value)
{
    std::vector<std::uint8_t> rates;
    for (auto const& item : split(value, ',')) {
        auto v = to_int(item);
        if (!v || *v <= 0 || *v > 255)
            return "expected rate bytes";
        rates.push_back(std::uint8_t(*v));
    }
    if (rates.size() > 16)
        return "at most 16 rates";
    out = std::move(rates);
    return {};
}

// Names separated by commas, each 1-32 bytes; empty: none.
std::string assign_names(std::vector<std::string>& out, std::string const& value)
{
    std::vector<std::string> names;
    for (auto const& item : split(value, ',')) {
        if (item.empty() && value.find(',') == std::string::npos)
            continue;
        if (item.empty() || item.size() > 32)
            return "expected names of 1-32 bytes separated by commas";
        names.push_back(item);
    }
    out = std::move(names);
    return {};
}

}

std::optional<Mac> parse_mac(std::string const& text) { return to_bytes<6>(text, ':', true); }

std::string format_mac(Mac const& mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

// [SECTION] [ap] keys

std::string set_ap_key(ApSpec& ap, std::string const& key, std::string const& value, bool& known)
{
    known = true;
    if (key == "ssid") {
        if (value.size() > 32)
            return "an SSID has at most 32 bytes";
        ap.ssid = value;
        return {};
    }
    if (key == "hidden") return assign_bool(ap.hidden, value);
    if (key == "bssid") {
        auto mac = parse_mac(value);
        if (!mac)
            return "expected xx:xx:xx:xx:xx:xx";
        ap.bssid = *mac;
        return {};
    }
    if (key == "channel") {
        auto v = to_int(value);
        if (!v || (*v < 1 || (*v > 14 && *v < 34) || *v > 196))
            return "not a channel of the plan";
        ap.channel = int(*v);
        return {};
    }
    if (key == "rssi") return assign_int(ap.rssi, value, -120, 0);
    if (key == "noise") return assign_int(ap.noise, value, -120, 0);
    if (key == "drift") return assign_int(ap.drift, value, 0, 40);
    if (key == "adhoc") return assign_bool(ap.adhoc, value);
    if (key == "present") return assign_bool(ap.present, value);
    if (key == "beacon") return assign_int(ap.beacon_interval, value, 1, 65535);
    if (key == "rates") return assign_rates(ap.rates, value);
    if (key == "phy") {
        if (value != "b" && value != "g" && value != "a" && value != "n")
            return "expected b, g, a or n";
        ap.phy = value[0];
        return {};
    }
    if (key == "security") {
        auto s = to_security(value);
        if (!s)
            return "unknown security '" + value + "'";
        ap.security = *s;
        return {};
    }
    if (key == "cipher") {
        auto c = to_cipher(value);
        if (!c)
            return "unknown cipher '" + value + "'";
        ap.cipher = *c;
        return {};
    }
    if (key == "key") {
        if (value.size() > 64)
            return "a key has at most 64 characters";
        ap.key = value;
        return {};
    }
    if (key == "wep_auth") {
        if (value != "open" && value != "shared")
            return "expected open or shared";
        ap.wep_shared = value == "shared";
        return {};
    }
    if (key == "accounts") return assign_accounts(ap.accounts, value);
    if (key == "wps") return assign_bool(ap.wps, value);
    if (key == "wps_configured") return assign_bool(ap.wps_configured, value);
    if (key == "wps_locked") return assign_bool(ap.wps_locked, value);
    if (key == "wps_pbc") return assign_bool(ap.wps_pbc_active, value);
    if (key == "wps_version") return assign_int(ap.wps_version, value, 0, 255);
    if (key == "wps_pin") {
        if (value.size() > 8 || !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return "expected at most 8 digits";
        ap.wps_pin = value;
        return {};
    }
    if (key == "wps_fail") {
        int code = 0;
        auto error = assign_int(code, value, 0, 517);
        if (!error.empty())
            return error;
        if (code != 0 && !(code >= 259 && code <= 261) && !(code >= 514 && code <= 517))
            return "expected 0, 259-261 or 514-517";
        ap.wps_fail = code;
        return {};
    }
    if (key == "ht") return assign_bool(ap.ht, value);
    if (key == "ht40") return assign_bool(ap.ht40, value);
    if (key == "sgi20") return assign_bool(ap.sgi20, value);
    if (key == "sgi40") return assign_bool(ap.sgi40, value);
    if (key == "streams") return assign_int(ap.streams, value, 1, 4);
    if (key == "mdid") {
        std::uint16_t mdid = 0;
        auto error = assign_int(mdid, value, 0, 0xFFFF);
        if (error.empty())
            ap.mdid = mdid;
        return error;
    }
    if (key == "ccx") return assign_bool(ap.ccx, value);
    if (key == "malformed") {
        auto m = to_malformation(value);
        if (!m)
            return "unknown malformation '" + value + "'";
        ap.malformed = *m;
        return {};
    }
    if (key == "ip") {
        auto ip = to_ipv4(value);
        if (!ip)
            return "expected an IPv4 address";
        ap.ip = *ip;
        return {};
    }
    if (key == "name") {
        if (value.size() > 15)
            return "a name has at most 15 characters";
        ap.name = value;
        return {};
    }
    if (key == "auth_timeout") return assign_bool(ap.auth_timeout, value);
    if (key == "eap_fast_aid") {
        ap.eap_fast_aid = value.substr(0, 127);
        return {};
    }
    if (key == "server_name") {
        ap.server_name = value.substr(0, 127);
        return {};
    }
    if (key == "server_ca") {
        ap.server_ca = value.substr(0, 127);
        return {};
    }
    if (key == "wapi_as") {
        ap.wapi_as = value.substr(0, 255);
        return {};
    }
    known = false;
    return {};
}

// [SECTION] [station] keys

namespace {

std::string assign_channels(std::vector<std::uint8_t>& out, std::string const& value, std::size_t max)
{
    std::vector<std::uint8_t> channels;
    if (!value.empty()) {
        for (auto const& item : split(value, ',')) {
            auto v = to_int(item);
            if (!v || *v < 0 || *v > 255)
                return "expected numbers from 0 to 255, separated by ','";
            channels.push_back(std::uint8_t(*v));
        }
    }
    if (channels.size() > max)
        return "at most " + std::to_string(max) + " numbers";
    out = std::move(channels);
    return {};
}

// "major.minor" with each part 0-255.
std::optional<std::array<std::uint8_t, 2>> to_version(std::string const& text)
{
    unsigned major, minor;
    char extra;
    if (std::sscanf(text.c_str(), "%u.%u%c", &major, &minor, &extra) != 2 || major > 255 || minor > 255)
        return std::nullopt;
    return std::array<std::uint8_t, 2> { std::uint8_t(major), std::uint8_t(minor) };
}

}

std::string set_station_key(StationSpec& s, std::string const& key, std::string const& value, bool& known)
{
    known = true;
    if (key == "mac") {
        auto mac = parse_mac(value);
        if (!mac)
            return "expected xx:xx:xx:xx:xx:xx";
        s.mac = *mac;
        return {};
    }
    if (key == "rssi") return assign_int(s.rssi, value, -120, 0);
    if (key == "phy") {
        if (value != "b" && value != "g" && value != "n")
            return "expected b, g or n";
        s.phy = value[0];
        return {};
    }
    if (key == "mcs") {
        int mcs = 0;
        auto error = assign_int(mcs, value, 0, 127);
        if (error.empty())
            s.mcs = mcs;
        return error;
    }
    if (key == "bw40") return assign_bool(s.bw40, value);
    if (key == "sgi") return assign_bool(s.sgi, value);
    if (key == "power_save") return assign_bool(s.power_save, value);
    if (key == "key") {
        if (value.size() > 64)
            return "a key has at most 64 characters";
        s.key = value;
        return {};
    }
    if (key == "traffic") return assign_int(s.traffic, value, 0, 100000);
    if (key == "join") return assign_bool(s.join, value);
    if (key == "ba_tids") {
        std::vector<std::uint8_t> tids;
        auto error = assign_channels(tids, value, 8);
        for (auto tid : tids)
            if (tid > 7)
                return "a TID is 0 to 7";
        if (error.empty())
            s.ba_tids = std::move(tids);
        return error;
    }
    known = false;
    return {};
}

// [SECTION] [adapter] keys

std::string set_adapter_key(AdapterSpec& a, std::string const& key, std::string const& value, bool& known)
{
    known = true;
    auto text = [&](std::string& field, std::size_t max) -> std::string {
        if (value.size() >= max)
            return "text longer than " + std::to_string(max - 1) + " characters";
        field = value;
        return {};
    };
    if (key == "name") return text(a.friendly_name, 64);
    if (key == "description") return text(a.description, 64);
    if (key == "hardware_id") return text(a.hardware_id, 256);
    if (key == "location") return text(a.location, 256);
    if (key == "mac") {
        auto mac = parse_mac(value);
        if (!mac)
            return "expected xx:xx:xx:xx:xx:xx";
        a.mac = *mac;
        return {};
    }
    if (key == "kind") return assign_int(a.kind, value, 0, 0xFFFF);
    if (key == "present") return assign_bool(a.present, value);
    if (key == "init_delay_ms") return assign_int(a.init_delay_ms, value, 0, 600000);
    if (key == "chains") return assign_int(a.chains, value, 1, 3);
    if (key == "tx_power") return assign_int(a.tx_power, value, 0, 100);
    if (key == "device_model") return assign_int(a.device_model, value, 0, 15);
    if (key == "antenna") {
        if (value != "chains" && value != "none")
            return "expected chains or none";
        a.antenna = value == "chains";
        return {};
    }
    if (key == "eeprom" || key == "firmware") {
        if (value.empty() || value == "none") {
            if (key == "eeprom")
                a.eeprom.reset();
            else
                a.firmware.reset();
            return {};
        }
        auto version = to_version(value);
        if (!version)
            return "expected major.minor (0-255 each) or none";
        if (key == "eeprom")
            a.eeprom = *version;
        else
            a.firmware = std::uint16_t(((*version)[0] << 8) | (*version)[1]);
        return {};
    }
    known = false;
    return {};
}

// [SECTION] hosted-network stations

std::string parse_hosted_stations(std::string const& value, std::vector<HostedStation>& out)
{
    std::vector<HostedStation> stations;
    for (auto const& item : split(value, ';')) {
        if (item.empty())
            continue;
        auto const slash = item.find('/');
        auto mac = parse_mac(trim(item.substr(0, slash)));
        if (!mac)
            return "expected mac/auth, got '" + item + "'";
        HostedStation station { *mac, 1 };
        if (slash != std::string::npos) {
            auto auth = platform::system::parse_integer<std::uint32_t>(trim(item.substr(slash + 1)));
            if (!auth)
                return "expected mac/auth, got '" + item + "'";
            station.auth = *auth;
        }
        stations.push_back(station);
    }
    out = std::move(stations);
    return {};
}

// [SECTION] [world] keys

namespace {

// The keys of the adapter's access point side.
std::string set_world_ap_key(WorldSpec& w, std::string const& key, std::string const& value, bool& known)
{
    known = true;
    if (key == "11a") return assign_bool(w.supports_11a, value);
    if (key == "ieee80211h") return assign_int(w.ieee80211h, value, 0, 1);
    if (key == "sideband_bg") return assign_int(w.sideband_bg, value, 0, 1);
    if (key == "bw40_24") return assign_bool(w.bw40_24, value);
    if (key == "bw40_5") return assign_bool(w.bw40_5, value);
    if (key == "region24_max") return assign_int(w.region24_max, value, 0, 255);
    if (key == "region5_max") return assign_int(w.region5_max, value, 0, 255);
    if (key == "region24_selectable") return assign_bool(w.region24_selectable, value);
    if (key == "region5_selectable") return assign_bool(w.region5_selectable, value);
    if (key == "region30_24") return assign_channels(w.region30_24, value, 32);
    if (key == "region30_5") return assign_channels(w.region30_5, value, 32);
    if (key == "hosted_network") return assign_bool(w.hosted_network, value);
    if (key == "softap_rssi") return assign_int(w.softap_rssi, value, -120, 0);
    if (key == "hosted_stations") return parse_hosted_stations(value, w.hosted_stations);
    if (key == "hosted_state") return assign_int(w.hosted_state, value, -1, 0xFFFF);
    return set_world_wmm_key(w, key, value, known);
}

// "a-b": reply times from a to b ms (0 to 10000, a not above b); "a" alone is both.
std::string assign_range(int& low, int& high, std::string const& value)
{
    auto const dash = value.find('-');
    auto const a = to_int(trim(value.substr(0, dash)));
    auto const b = dash == std::string::npos ? a : to_int(trim(value.substr(dash + 1)));
    if (!a || !b || *a < 0 || *b > 10000 || *a > *b)
        return "expected a range of milliseconds a-b (0 to 10000)";
    low = int(*a);
    high = int(*b);
    return {};
}

std::string assign_choice(bool& field, std::string const& value, char const* yes, char const* no)
{
    if (value != yes && value != no)
        return std::string("expected ") + yes + " or " + no;
    field = value == yes;
    return {};
}

// The answer the diagnostics library gives whatever the link: ok 0, fail 1, overflow 10,
// error 7; "link" lets the link decide again.
std::string assign_pranto_result(int& field, std::string const& value)
{
    static constexpr std::pair<char const*, int> kAnswers[] = { { "link", -1 }, { "ok", 0 }, { "fail", 1 },
        { "overflow", 10 }, { "error", 7 } };
    for (auto const& [name, answer] : kAnswers) {
        if (value == name) {
            field = answer;
            return {};
        }
    }
    return "expected link, ok, fail, overflow or error";
}

}

std::string set_world_key(WorldSpec& w, std::string const& key, std::string const& value, bool& known)
{
    known = true;
    if (key == "os") return assign_int(w.win_os, value, 0, 100);
    if (key == "admin") return assign_bool(w.admin, value);
    if (key == "zero_config") return assign_int(w.zero_config, value, 0, 2);
    if (key == "config_tool") return assign_int(w.config_tool, value, 0, 255);
    if (key == "ms_config_service") return assign_bool(w.ms_config_service, value);
    if (key == "wpa_capable") return assign_bool(w.wpa_capable, value);
    if (key == "wow64") return assign_bool(w.wow64, value);
    if (key == "more_than_one_user") return assign_bool(w.more_than_one_user, value);
    if (key == "standard_user_profile") return assign_bool(w.allow_standard_user_profile, value);
    if (key == "allow_standard_user_advance") return assign_bool(w.allow_standard_user_advance, value);
    if (key == "tdls") return assign_bool(w.tdls, value);
    if (key == "os_profiles") return assign_names(w.os_profiles, value);
    if (key == "11n") return assign_bool(w.supports_11n, value);
    if (key == "ap_mode") return assign_bool(w.supports_ap_mode, value);
    if (key == "bssid_reposit") return assign_bool(w.bssid_reposit, value);
    if (key == "hw_radio") return assign_bool(w.hw_radio, value);
    if (key == "sw_radio") return assign_bool(w.sw_radio, value);
    if (key == "op_mode") return assign_int(w.op_mode, value, 0, 2);
    if (key == "wireless_mode") return assign_int(w.wireless_mode, value, 0, 10);
    if (key == "region24") return assign_int(w.region24, value, 0, 7);
    if (key == "region5") return assign_int(w.region5, value, 0, 10);
    if (key == "scan_ms") return assign_int(w.scan_ms, value, 0, 60000);
    if (key == "connect_ms") return assign_int(w.connect_ms, value, 0, 60000);
    if (key == "dhcp_ms") return assign_int(w.dhcp_ms, value, 0, 60000);
    if (key == "eap_ms") return assign_int(w.eap_ms, value, 0, 60000);
    if (key == "eap_ui_ms") return assign_int(w.eap_ui_ms, value, 0, 600000);
    if (key == "eap_ui_cancel") return assign_bool(w.eap_ui_cancel, value);
    if (key == "adhoc_wpa2_aes") return assign_bool(w.adhoc_wpa2_aes, value);
    if (key == "ps_mode") return assign_int(w.ps_mode, value, 0, 1);
    if (key == "handshake_timeout_ms") return assign_int(w.handshake_timeout_ms, value, 0, 60000);
    if (key == "auth_timeout_ms") return assign_int(w.auth_timeout_ms, value, 0, 600000);
    if (key == "wps_step_ms") return assign_int(w.wps_step_ms, value, 1, 60000);
    if (key == "wps_walk_ms") return assign_int(w.wps_walk_ms, value, 0, 600000);
    auto ip = [&](std::array<std::uint8_t, 4>& field) -> std::string {
        auto v = to_ipv4(value);
        if (!v)
            return "expected an IPv4 address";
        field = *v;
        return {};
    };
    if (key == "address") return ip(w.address);
    if (key == "netmask") return ip(w.netmask);
    if (key == "gateway") return ip(w.gateway);
    auto traffic = [&](std::vector<int>& field) -> std::string {
        auto v = parse_traffic(value);
        if (!v)
            return "expected kB/s values separated by commas";
        field = *v;
        return {};
    };
    if (key == "traffic_tx") return traffic(w.traffic_tx);
    if (key == "traffic_rx") return traffic(w.traffic_rx);
    if (key == "driver_name") {
        w.driver_name = value.substr(0, 63);
        return {};
    }
    // Read by load_scenario before the walk: the world this one starts from.
    if (key == "base") return {};
    if (key == "eap_host") return assign_bool(w.eap_host, value);
    if (key == "sso") return assign_bool(w.sso, value);
    if (key == "logon_domain") {
        w.logon_domain = value.substr(0, 255);
        return {};
    }
    if (key == "domain_controller") {
        w.domain_controller = value.substr(0, 255);
        return {};
    }
    if (key == "domain_controller_refuses") return assign_bool(w.domain_controller_refuses, value);
    if (key == "driver_description") {
        w.driver_description = value.substr(0, 255);
        return {};
    }
    if (key == "crowd") return assign_int(w.crowd, value, 0, 1000);
    if (key == "ping_ms") return assign_range(w.ping_min_ms, w.ping_max_ms, value);
    if (key == "pranto_open") return assign_choice(w.pranto_open, value, "ok", "fail");
    if (key == "pranto_result") return assign_pranto_result(w.pranto_forced, value);
    if (key == "ba_peers") return parse_ba_peers(value, w.ba_peers);
    if (key == "ack_policy_read_fail") return assign_bool(w.ack_policy_read_fail, value);
    return set_world_ap_key(w, key, value, known);
}

namespace {

// The crowd: channels 1 to 13 in turn, signals spread evenly from -45 to -90 dBm.
void add_crowd(WorldSpec& w)
{
    for (int i = 0; i < w.crowd; ++i) {
        ApSpec ap;
        int const number = i + 1;
        std::string digits = std::to_string(number);
        digits.insert(0, digits.size() < 3 ? 3 - digits.size() : 0, '0');
        ap.id = "crowd-" + digits;
        ap.ssid = "Crowd " + digits;
        ap.bssid = Mac { 0x02, 0xC0, 0x00, 0x00, std::uint8_t(number >> 8), std::uint8_t(number & 0xFF) };
        ap.channel = 1 + i % 13;
        ap.rssi = w.crowd > 1 ? -45 - 45 * i / (w.crowd - 1) : -45;
        w.aps.push_back(std::move(ap));
    }
}

}


// Every address is checked before the list changes.
std::string parse_ba_peers(std::string const& value, std::vector<Mac>& out)
{
    std::vector<Mac> peers;
    std::size_t start = 0;
    while (!trim(value).empty() && start <= value.size()) {
        std::size_t const comma = std::min(value.find(',', start), value.size());
        std::string const item = trim(value.substr(start, comma - start));
        auto const mac = parse_mac(item);
        if (!mac)
            return "expected xx:xx:xx:xx:xx:xx, got '" + item + "'";
        if (peers.size() == kMaxBaPeers)
            return "at most " + std::to_string(kMaxBaPeers) + " peers";
        peers.push_back(*mac);
        start = comma + 1;
    }
    out = std::move(peers);
    return {};
}

// [SECTION] the file walk

std::optional<std::vector<int>> parse_traffic(std::string const& text)
{
    std::vector<int> values;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t const comma = std::min(text.find(',', start), text.size());
        std::string const item = trim(text.substr(start, comma - start));
        auto const v = platform::system::parse_integer<int>(item);
        if (!v || *v < 0 || *v > 1000000)
            return std::nullopt;
        values.push_back(*v);
        start = comma + 1;
    }
    return values;
}

ScenarioResult parse_scenario(std::string_view text)
{
    ScenarioResult result;
    enum class In { Nothing, World, Adapter, Ap, Station, Cert } in = In::Nothing;
    platform::system::LineReader lines(text);
    int number = 0;
    for (std::string_view raw; lines.next(raw);) {
        ++number;
        std::string const line = trim(raw);
        auto where = [&] { return "line " + std::to_string(number) + ": "; };
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']') {
                result.errors.push_back(where() + "unclosed section header");
                in = In::Nothing;
                continue;
            }
            std::string const name = line.substr(1, line.size() - 2);
            if (name == "world") {
                in = In::World;
            } else if (name.rfind("adapter:", 0) == 0) {
                in = In::Adapter;
                result.world.adapters.push_back({});
                result.world.adapters.back().id = name.substr(8);
            } else if (name.rfind("ap:", 0) == 0) {
                in = In::Ap;
                result.world.aps.push_back({});
                result.world.aps.back().id = name.substr(3);
            } else if (name.rfind("station:", 0) == 0) {
                in = In::Station;
                result.world.stations.push_back({});
                result.world.stations.back().id = name.substr(8);
            } else if (name.rfind("cert:", 0) == 0 && name.size() > 5) {
                in = In::Cert;
                result.world.certs.push_back({});
                result.world.certs.back().id = name.substr(5);
            } else {
                result.warnings.push_back(where() + "unknown section [" + name + "]");
                in = In::Nothing;
            }
            continue;
        }
        auto const eq = line.find('=');
        if (eq == std::string::npos) {
            result.errors.push_back(where() + "expected key = value");
            continue;
        }
        std::string const key = trim(line.substr(0, eq));
        std::string const value = trim(line.substr(eq + 1));
        bool known = true;
        std::string error;
        switch (in) {
        case In::World: error = set_world_key(result.world, key, value, known); break;
        case In::Adapter: error = set_adapter_key(result.world.adapters.back(), key, value, known); break;
        case In::Ap: error = set_ap_key(result.world.aps.back(), key, value, known); break;
        case In::Station: error = set_station_key(result.world.stations.back(), key, value, known); break;
        case In::Cert: error = set_cert_key(result.world.certs.back(), key, value, known); break;
        case In::Nothing: known = false; break;
        }
        if (!error.empty())
            result.errors.push_back(where() + key + ": " + error);
        else if (!known)
            result.warnings.push_back(where() + "unknown key '" + key + "'");
    }
    add_crowd(result.world);
    return result;
}

namespace {

// The value of "base" in the [world] section, if any.
std::optional<std::string> base_of(std::string const& text)
{
    platform::system::LineReader lines(text);
    bool in_world = false;
    for (std::string_view raw; lines.next(raw);) {
        std::string const line = trim(raw);
        if (!line.empty() && line.front() == '[') {
            in_world = line == "[world]";
            continue;
        }
        auto const eq = line.find('=');
        if (in_world && eq != std::string::npos && trim(line.substr(0, eq)) == "base")
            return trim(line.substr(eq + 1));
    }
    return std::nullopt;
}

std::string read_error(std::string const& path, std::string& text)
{
    auto const error = platform::system::read_regular_file(path, text, kMaxScenarioBytes);
    if (error == platform::system::ReadFileError::None)
        return {};
    return std::string("cannot read ") + path + ": " + platform::system::to_string(error);
}

}

// A file whose [world] names a base (one level, beside the file) is read after that base: its
// keys change the base's world and its sections add to it.
ScenarioResult load_scenario(std::string const& path)
{
    std::string text;
    ScenarioResult failed;
    if (auto error = read_error(path, text); !error.empty()) {
        failed.errors.push_back(error);
        return failed;
    }
    auto const base = base_of(text);
    std::string const folder = path.find('/') == std::string::npos ? "" : path.substr(0, path.find_last_of('/') + 1);
    std::string base_text;
    if (base) {
        if (auto error = read_error(folder + *base, base_text); !error.empty()) {
            failed.errors.push_back(error);
            return failed;
        }
        base_text += "\n";
    }
    ScenarioResult result = parse_scenario(base_text + text);
    // Certificate files are named relative to the scenario's folder; one that cannot be read
    // leaves its certificate with the keys given beside it (a copied world still loads).
    for (auto& cert : result.world.certs)
        if (auto error = locate_cert_file(cert, folder.empty() ? "." : folder.substr(0, folder.size() - 1)); !error.empty())
            result.warnings.push_back("[cert:" + cert.id + "] " + error);
    return result;
}

// [SECTION] writing an [ap] section

namespace {

std::string join_rates(std::vector<std::uint8_t> const& rates)
{
    std::string out;
    for (auto rate : rates)
        out += (out.empty() ? "" : ",") + std::to_string(rate);
    return out;
}

std::string join_accounts(std::vector<EapAccount> const& accounts)
{
    std::string out;
    for (auto const& a : accounts)
        out += (out.empty() ? "" : ";") + std::string(name_of(kEapNames, a.method)) + ":" + a.identity + ":" + a.password
            + (a.expired ? ":expired" : "") + (a.inner >= 0 ? std::string(":inner=") + name_of(kInnerNames, a.inner) : "")
            + (a.cert.empty() ? "" : ":cert=" + a.cert);
    return out;
}

std::string format_ipv4(std::array<std::uint8_t, 4> const& ip)
{
    return std::to_string(ip[0]) + "." + std::to_string(ip[1]) + "." + std::to_string(ip[2]) + "." + std::to_string(ip[3]);
}

}

std::string format_ap_section(ApSpec const& ap)
{
    ApSpec const d;
    std::string out = "[ap:" + ap.id + "]\n";
    auto put = [&](char const* key, bool differs, std::string const& value) {
        if (differs)
            out += std::string(key) + " = " + value + "\n";
    };
    auto flag = [&](char const* key, bool value, bool fallback) { put(key, value != fallback, value ? "1" : "0"); };
    auto number = [&](char const* key, long value, long fallback) { put(key, value != fallback, std::to_string(value)); };
    put("ssid", ap.ssid != d.ssid, ap.ssid);
    flag("hidden", ap.hidden, d.hidden);
    put("bssid", ap.bssid != d.bssid, format_mac(ap.bssid));
    number("channel", ap.channel, d.channel);
    number("rssi", ap.rssi, d.rssi);
    number("noise", ap.noise, d.noise);
    number("drift", ap.drift, d.drift);
    flag("adhoc", ap.adhoc, d.adhoc);
    flag("present", ap.present, d.present);
    put("phy", ap.phy != d.phy, std::string(1, ap.phy));
    number("beacon", ap.beacon_interval, d.beacon_interval);
    put("rates", ap.rates != d.rates, join_rates(ap.rates));
    put("security", ap.security != d.security, name_of(kSecurityNames, ap.security));
    put("cipher", ap.cipher != d.cipher, name_of(kCipherNames, ap.cipher));
    put("key", ap.key != d.key, ap.key);
    put("wep_auth", ap.wep_shared != d.wep_shared, ap.wep_shared ? "shared" : "open");
    put("accounts", ap.accounts != d.accounts, join_accounts(ap.accounts));
    flag("wps", ap.wps, d.wps);
    flag("wps_configured", ap.wps_configured, d.wps_configured);
    flag("wps_locked", ap.wps_locked, d.wps_locked);
    flag("wps_pbc", ap.wps_pbc_active, d.wps_pbc_active);
    number("wps_version", ap.wps_version, d.wps_version);
    put("wps_pin", ap.wps_pin != d.wps_pin, ap.wps_pin);
    number("wps_fail", ap.wps_fail, d.wps_fail);
    flag("ht", ap.ht, d.ht);
    flag("ht40", ap.ht40, d.ht40);
    flag("sgi20", ap.sgi20, d.sgi20);
    flag("sgi40", ap.sgi40, d.sgi40);
    number("streams", ap.streams, d.streams);
    put("mdid", ap.mdid.has_value(), std::to_string(ap.mdid.value_or(0)));
    flag("ccx", ap.ccx, d.ccx);
    put("malformed", ap.malformed != d.malformed, name_of(kMalformationNames, ap.malformed));
    put("ip", ap.ip != d.ip, format_ipv4(ap.ip));
    put("name", ap.name != d.name, ap.name);
    flag("auth_timeout", ap.auth_timeout, d.auth_timeout);
    put("eap_fast_aid", ap.eap_fast_aid != d.eap_fast_aid, ap.eap_fast_aid);
    put("server_name", ap.server_name != d.server_name, ap.server_name);
    put("server_ca", ap.server_ca != d.server_ca, ap.server_ca);
    put("wapi_as", ap.wapi_as != d.wapi_as, ap.wapi_as);
    return out;
}

}
