// A description of a simulated radio world, read from a scenario file: one [world] section
// with the machine's settings, one [adapter:<id>] section per adapter, one [ap:<id>] section
// per access point or ad hoc cell and one [station:<id>] section per station that may join the
// adapter when it runs as an access point. Lines are "key = value"; ';' and '#' start
// comments. Unknown keys are reported as warnings, wrong values as errors with line numbers.
#pragma once

#include "wlan/sim/CertEntry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wlan::sim {

using Mac = std::array<std::uint8_t, 6>;

// Dot1xWep: 802.1X with static or dynamic WEP keys (open or shared by wep_shared).
enum class Security { Open, Wep, WpaPsk, Wpa2Psk, WpaWpa2Psk, Wpa, Wpa2, WapiPsk, WapiCert, Cckm, Dot1xWep };
enum class Cipher { None, Wep, Tkip, Aes, TkipAes, Sms4 };
enum class Malformation { None, InconsistentLength, TruncatedElement, BadRsn, BadWps };

struct EapAccount {
    int method { 0 }; // EAP_PEAP ... EAP_LEAP
    std::string identity;
    std::string password;
    // The password has expired: the server asks for a new one before it admits the account.
    bool expired { false };
    // The inner method the account takes (EAP_INNER_* code), -1 for any.
    int inner { -1 };
    // The certificate (an id of the stores) that certificate methods must present; empty: the
    // identity is enough.
    std::string cert;
    bool operator==(EapAccount const&) const = default;
};

struct ApSpec {
    std::string id;
    std::string ssid;
    bool hidden { false };
    Mac bssid {};
    int channel { 6 };
    int rssi { -50 };
    int noise { -92 };
    int drift { 0 };           // dB: signal swings by this much over a 20 s period
    bool adhoc { false };
    bool present { true };
    char phy { 'g' };          // b, g, a or n
    int beacon_interval { 100 };
    std::vector<std::uint8_t> rates;
    Security security { Security::Open };
    Cipher cipher { Cipher::None };
    std::string key;           // WEP key or pre-shared key text
    bool wep_shared { false };
    std::vector<EapAccount> accounts;
    bool wps { false };
    bool wps_configured { true };
    bool wps_locked { false };
    bool wps_pbc_active { false };
    std::uint8_t wps_version { 0x10 };
    // The PIN a WPS PIN run must bring (digits; empty: none matches), and an error code its
    // exchange ends with (0: none; 259-261, 514-517).
    std::string wps_pin;
    int wps_fail { 0 };
    bool ht { false };
    bool ht40 { false };
    bool sgi20 { false };
    bool sgi40 { false };
    int streams { 1 };
    std::optional<std::uint16_t> mdid;
    bool ccx { false };
    Malformation malformed { Malformation::None };
    std::array<std::uint8_t, 4> ip { 0, 0, 0, 0 };
    std::string name;
    bool auth_timeout { false };
    // EAP-FAST: the authority identity of the server, which provisions a PAC when the profile
    // brings none; empty when the server needs none.
    std::string eap_fast_aid;
    // The authentication server's certificate: its name and the id of the authority (a
    // certificate of the stores) that issued it.
    std::string server_name;
    std::string server_ca;
    // WAPI-CA: the subject of the authentication server's certificate.
    std::string wapi_as;
    bool operator==(ApSpec const&) const = default;
};

struct AdapterSpec {
    std::string id;
    std::string friendly_name;
    std::string description;
    std::string hardware_id;
    std::string location;
    Mac mac {};
    std::uint32_t kind { 4 };
    bool present { true };
    int init_delay_ms { 0 };
    int chains { 2 };
    int device_model { 5 };
    // The driver answers the antenna query (chains in both nibbles of the word); "antenna =
    // none" makes the query fail.
    bool antenna { true };
    int tx_power { 100 }; // percent
    // Version words the driver reports; absent, the query fails.
    std::optional<std::array<std::uint8_t, 2>> eeprom;
    std::optional<std::uint16_t> firmware;
    bool operator==(AdapterSpec const&) const = default;
};

// A station near the adapter. While the adapter serves as an access point, a station with
// `join` set associates when access control admits it and its key matches.
struct StationSpec {
    std::string id;
    Mac mac {};
    int rssi { -55 };
    char phy { 'g' };                   // b, g or n
    std::optional<int> mcs;             // MCS, or the CCK/OFDM rate index; else the phy's best
    bool bw40 { false };
    bool sgi { false };
    bool power_save { false };
    std::string key;                    // WEP key or pre-shared key text it joins with
    int traffic { 20 };                 // frames per second while associated
    bool join { true };
    std::vector<std::uint8_t> ba_tids;  // block-ack agreements it sets up on association
    bool operator==(StationSpec const&) const = default;
};

// A station associated to the hosted network: its address and authentication state
// (1 authenticated).
struct HostedStation {
    Mac mac {};
    std::uint32_t auth { 1 };
    bool operator==(HostedStation const&) const = default;
};

enum class CcxConnect { Ok, Fail, FailSecond };

struct WorldSpec {
    int win_os { 12 };
    bool admin { true };
    int zero_config { 0 };
    // The configuration tool a first start on a fresh store chooses: 0 the system's service,
    // 1 this utility.
    int config_tool { 1 };
    bool ms_config_service { true };
    bool wpa_capable { true };
    bool wow64 { false };
    bool more_than_one_user { false };
    bool allow_standard_user_profile { true };
    bool allow_standard_user_advance { true };
    // Tunnelled direct-link setup offered by the adapter.
    bool tdls { false };
    // Names in the system's profile store from the start ("a, b, ..."): open networks of that SSID.
    std::vector<std::string> os_profiles;
    bool supports_11n { true };
    bool supports_ap_mode { true };
    bool bssid_reposit { false };
    bool hw_radio { true };
    bool sw_radio { true };
    int op_mode { 0 };
    int wireless_mode { 5 };
    int region24 { 1 };
    int region5 { 7 };
    int scan_ms { 2000 };
    int connect_ms { 600 };
    int dhcp_ms { 3000 };
    int eap_ms { 1500 };
    // The system's EAP configuration window: how long the user takes, and whether the user
    // cancels it.
    int eap_ui_ms { 500 };
    bool eap_ui_cancel { false };
    // WPA2-PSK with AES in ad hoc networks, and the stored power save mode a store starts with.
    bool adhoc_wpa2_aes { false };
    int ps_mode { 0 };
    int handshake_timeout_ms { 4000 };
    int auth_timeout_ms { 10000 };
    // The WPS exchange's step, and how long a push-button run waits for a single pressed button.
    int wps_step_ms { 300 };
    int wps_walk_ms { 120000 };
    std::array<std::uint8_t, 4> address { 192, 168, 1, 23 };
    std::array<std::uint8_t, 4> netmask { 255, 255, 255, 0 };
    std::array<std::uint8_t, 4> gateway { 192, 168, 1, 1 };
    std::string driver_name { "drivers/vxsim.sys" };
    std::string driver_description { "Simulated Wireless LAN Adapter" };
    // Plain open access points added after the file's own ("Crowd 001", ...), for worlds whose
    // scan list fills the programs' buffers.
    int crowd { 0 };
    // The diagnostics stand-ins: the ping's reply times (ms, smallest and largest), whether the
    // diagnostics library opens the adapter, and an answer it gives whatever the link
    // (PrantoForced::None: the link decides).
    int ping_min_ms { 1 };
    int ping_max_ms { 4 };
    bool pranto_open { true };
    int pranto_forced { -1 };
    // kB/s carried each way, one value per 2 seconds, the pattern repeating while connected.
    // The default crosses 1 Mbps (125 kB/s) both ways.
    std::vector<int> traffic_tx { 40, 90, 160, 220, 140, 60 };
    std::vector<int> traffic_rx { 110, 260, 420, 300, 150, 70 };
    // The domain the single sign-on logon component joins, and its controller.
    std::string logon_domain;
    std::string domain_controller;
    bool domain_controller_refuses { false };
    // The access point side: what the adapter supports and reports while it serves.
    bool supports_11a { true };
    int ieee80211h { 0 };
    int sideband_bg { 1 };
    bool bw40_24 { true };
    bool bw40_5 { true };
    int region24_max { 0 };
    int region5_max { 0 };
    bool region24_selectable { true };
    bool region5_selectable { true };
    std::vector<std::uint8_t> region30_24;
    std::vector<std::uint8_t> region30_5;
    bool hosted_network { true };
    int softap_rssi { -60 };
    // The hosted network: its associated stations, and a state that the status reports in
    // place of the running state (-1: none, the state follows whether the network runs).
    std::vector<HostedStation> hosted_stations;
    int hosted_state { -1 };
    // The peers the station's driver knows for block-acknowledgement agreements, besides the
    // linked access point ("mac, mac, ..."; a zero address stays, as a driver may report one),
    // and a first acknowledgement-policy read that fails.
    std::vector<Mac> ba_peers;
    bool ack_policy_read_fail { false };
    // The system's EAP host interface is installed; single sign-on is installed.
    bool eap_host { true };
    bool sso { false };
    std::vector<CertEntry> certs;
    // CCX diagnostics (WorldCcx.cpp): whether the connect to the diagnostic channel, or the
    // second connect of a test (back to the user's profile), fails; whether the library cannot
    // run the test at all; the time between the test's messages.
    CcxConnect ccx_dc { CcxConnect::Ok };
    bool ccx_test_fails { false };
    int ccx_step_ms { 500 };
    // WMM (WorldWmm.cpp): the setting before anything is stored, and how long a direct link
    // takes to come up.
    bool wmm { true };
    bool apsd { false };
    int dls_ms { 1000 };
    std::vector<AdapterSpec> adapters;
    std::vector<ApSpec> aps;
    std::vector<StationSpec> stations;
    bool operator==(WorldSpec const&) const = default;
};

struct ScenarioResult {
    WorldSpec world;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    bool ok() const { return errors.empty(); }
};

ScenarioResult parse_scenario(std::string_view text);
// Reads a regular file of at most kMaxScenarioBytes; anything else is one error.
constexpr std::size_t kMaxScenarioBytes = 1u << 20;
ScenarioResult load_scenario(std::string const& path);

// Applies one "key = value" of an [ap:...] section; used by the scenario reader and by the
// live commands that add or change an access point. Returns an error text, empty on success.
std::string set_ap_key(ApSpec& ap, std::string const& key, std::string const& value, bool& known);
// The same for the [station:...], [adapter:...] and [world] sections.
std::string set_station_key(StationSpec& station, std::string const& key, std::string const& value, bool& known);
std::string set_adapter_key(AdapterSpec& adapter, std::string const& key, std::string const& value, bool& known);
std::string set_world_key(WorldSpec& world, std::string const& key, std::string const& value, bool& known);
// The CCX and WMM keys of the [world] section (WorldWmm.cpp).
std::string set_world_wmm_key(WorldSpec& world, std::string const& key, std::string const& value, bool& known);
// Hosted-network stations: "mac/auth; ..." (auth 0-0xFFFFFFFF, default 1 when left out).
std::string parse_hosted_stations(std::string const& value, std::vector<HostedStation>& out);
// Block-acknowledgement peers: "mac, mac, ..." (at most kMaxBaPeers; empty: none).
constexpr std::size_t kMaxBaPeers = 64;
std::string parse_ba_peers(std::string const& value, std::vector<Mac>& out);

// The access point as an "[ap:<id>]" section that parse_scenario reads back to an equal
// ApSpec: every key that differs from a new ApSpec, one "key = value" a line.
std::string format_ap_section(ApSpec const& ap);
// The same for a station's "[station:<id>]" section (StationSection.cpp).
std::string format_station_section(StationSpec const& station);

// A traffic pattern: kB/s values separated by commas, each 0 to 1000000.
std::optional<std::vector<int>> parse_traffic(std::string const& text);

std::optional<Mac> parse_mac(std::string const& text);
std::string format_mac(Mac const& mac);

}
