// The 802.11 information elements the simulated access points carry, as small value types,
// with a builder (value -> element body) and a parser (body -> value) for each. Parsers check
// every length, fill their output only on success, and tell a body that is too short from one
// whose content is wrong.
#pragma once

#include "wlan/sim/Bytes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace wlan::sim {

namespace eid {
constexpr std::uint8_t Ssid = 0, SupportedRates = 1, DsParameter = 3, Rsn = 48, ExtendedRates = 50,
                       HtCapabilities = 45, MobilityDomain = 54, HtOperation = 61,
                       SecondaryChannelOffset = 62, Wapi = 68, ExtendedCapabilities = 127,
                       Vendor = 221;
}

// Suites as OUI << 8 | type.
namespace suite {
constexpr std::uint32_t Wep40 = 0x000FAC01, Tkip = 0x000FAC02, Ccmp = 0x000FAC04, Wep104 = 0x000FAC05;
constexpr std::uint32_t Akm8021X = 0x000FAC01, AkmPsk = 0x000FAC02;
constexpr std::uint32_t WpaNone = 0x0050F200, WpaWep40 = 0x0050F201, WpaTkip = 0x0050F202,
                        WpaCcmp = 0x0050F204, WpaWep104 = 0x0050F205, WpaAkm8021X = 0x0050F201,
                        WpaAkmPsk = 0x0050F202;
constexpr std::uint32_t Cckm = 0x00409600;
constexpr std::uint32_t WapiCert = 0x00147201, WapiPsk = 0x00147202, WapiSms4 = 0x00147201;
}

constexpr std::array<std::uint8_t, 3> kOuiWifi { 0x00, 0x50, 0xF2 };
constexpr std::array<std::uint8_t, 3> kOuiCcx { 0x00, 0x40, 0x96 };
constexpr std::uint8_t kWpaType = 1, kWpsType = 4, kCcxType = 0x01;

enum class ParseError {
    None,
    TooShort,  // a field the element needs is missing
    Malformed, // the fields are there but their values are not allowed
};

template<typename T>
struct Parsed {
    ParseError error { ParseError::None };
    T value {};
    bool ok() const { return error == ParseError::None; }
};

// RSN, the WPA vendor element (same body after its OUI and type) and WAPI share this shape.
struct SecurityInfo {
    std::uint32_t group { 0 };
    std::vector<std::uint32_t> pairwise;
    std::vector<std::uint32_t> akm;
    std::uint16_t capabilities { 0 };
};

std::vector<std::uint8_t> build_rsn(SecurityInfo const& info);
Parsed<SecurityInfo> parse_rsn(Bytes body);
// Body of the vendor element without the OUI and type bytes.
std::vector<std::uint8_t> build_wpa(SecurityInfo const& info);
Parsed<SecurityInfo> parse_wpa(Bytes body);
// WAPI orders its lists AKM first, then unicast, then the multicast suite.
std::vector<std::uint8_t> build_wapi(SecurityInfo const& info);
Parsed<SecurityInfo> parse_wapi(Bytes body);

// WPS attributes (big-endian type and length inside the vendor element).
namespace wps_attr {
constexpr std::uint16_t ConfigMethods = 0x1008, DevicePasswordId = 0x1012, RfBands = 0x103C,
                        SelectedRegistrar = 0x1041, State = 0x1044, UuidE = 0x1047, Version = 0x104A,
                        SelectedRegistrarConfigMethods = 0x1053, ApSetupLocked = 0x1057;
}

struct WpsInfo {
    std::optional<std::uint8_t> version;
    std::optional<std::uint8_t> state;
    std::optional<std::uint8_t> ap_setup_locked;
    std::optional<std::uint8_t> selected_registrar;
    std::optional<std::uint16_t> device_password_id;
    std::optional<std::uint16_t> config_methods;
    std::optional<std::uint16_t> registrar_config_methods;
    std::optional<std::array<std::uint8_t, 16>> uuid_e;
    std::optional<std::uint8_t> rf_bands;
};

std::vector<std::uint8_t> build_wps(WpsInfo const& info);
Parsed<WpsInfo> parse_wps(Bytes body);

struct HtCapabilities {
    std::uint16_t info { 0 };
    std::uint8_t ampdu_params { 0 };
    std::array<std::uint8_t, 16> mcs {};
    std::uint16_t extended { 0 };
    std::uint32_t txbf { 0 };
    std::uint8_t asel { 0 };
};
std::vector<std::uint8_t> build_ht_capabilities(HtCapabilities const& ht);
Parsed<HtCapabilities> parse_ht_capabilities(Bytes body);

struct HtOperation {
    std::uint8_t primary_channel { 0 };
    std::array<std::uint8_t, 5> info {};
    std::array<std::uint8_t, 16> basic_mcs {};
};
std::vector<std::uint8_t> build_ht_operation(HtOperation const& op);
Parsed<HtOperation> parse_ht_operation(Bytes body);

struct MobilityDomain {
    std::uint16_t mdid { 0 };
    std::uint8_t ft_capability { 0 };
};
std::vector<std::uint8_t> build_mobility_domain(MobilityDomain const& md);
Parsed<MobilityDomain> parse_mobility_domain(Bytes body);

// The vendor element of the CCX extensions: flag byte bit 0 CMIC, bit 1 CKIP.
enum : std::uint8_t { kCcxCmic = 1, kCcxCkip = 2 };

// Appends one element; bodies longer than 255 bytes are refused (false, nothing appended).
bool append_element(std::vector<std::uint8_t>& out, std::uint8_t id, Bytes body);
bool append_vendor(std::vector<std::uint8_t>& out, std::array<std::uint8_t, 3> oui, std::uint8_t type, Bytes body);

}
