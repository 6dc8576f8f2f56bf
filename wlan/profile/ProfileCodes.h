// The code tables of the connection profile (WLANPROFILE): which editor list position each
// stored code stands for and back, and the fixed texts and bits the programs show or set.
// The tables are data, so the editor, the profile page and the library stand-in read the
// same ones.
#pragma once

#include <cstdint>
#include <optional>

namespace wlan::profile {

// Authentication code (enumAuthenMode) <-> position in the editor's authentication list.
// Unassigned codes (2, 8, 9, 12 and anything past 14) read back as position 0.
int auth_tab_index(std::uint32_t code);
// Position 2 and unknown positions have no code: the editor leaves 0 (open system).
std::uint32_t auth_code_of_tab(int index);
// A code that has a meaning (and a text on the profile page).
bool auth_code_assigned(std::uint32_t code);

// Cipher code (enumEncryStatus) <-> position in the editor's cipher list. An unassigned code
// gives nullopt: the editor leaves its selection as it was.
std::optional<int> cipher_tab_index(std::uint32_t code);
// Positions outside 1..6 are written as code 1 (none).
std::uint32_t cipher_code_of_tab(int index);

// Inner EAP method (enumTunnel, enumProvisioningTunnel) <-> position in the 802.1X tab's
// list for the outer method (enumAuthenProtocol): PEAP and EAP-FAST offer MSCHAPv2, TLS and
// generic token card; TTLS offers CHAP, MS-CHAP, MS-CHAPv2, PAP and MD5. nullopt when the
// outer method has no inner list or the code is not in it.
std::optional<int> tunnel_index(std::uint32_t eap_method, std::uint32_t tunnel);
std::optional<std::uint32_t> tunnel_code(std::uint32_t eap_method, int index);

// Preamble (enumPreamType): 0 long, 2 auto; every stored value but 0 reads as auto.
constexpr std::uint32_t kPreambleLong = 0;
constexpr std::uint32_t kPreambleAuto = 2;
inline bool preamble_is_long(std::uint32_t code) { return code == kPreambleLong; }
inline std::uint32_t preamble_code(bool is_long) { return is_long ? kPreambleLong : kPreambleAuto; }

// Power save (enumPSMode): 0 always awake, 1 power save; a stored value above 1 reads as 1.
inline std::uint32_t power_save_mode(std::uint32_t stored) { return stored > 1 ? 1 : stored; }

// Transmit power (lTxPower) texts of the profile page, codes 0..6; a code outside reads as 0.
constexpr int kTxPowerCodes = 7;
char const* tx_power_text(std::int32_t code);

// Network type (enumNetworkType): 0 ad hoc, 1 infrastructure; other stored values read as
// infrastructure, so a damaged record never indexes past a text table.
inline std::uint32_t network_type(std::uint32_t stored) { return stored == 0 ? 0 : 1; }

// The single sign-on bits (ssoInfo, PROF_SSO).
enum : std::uint32_t { PROF_SSO_USE = 1u << 0, PROF_SSO_ALLOW_MACHINE = 1u << 1, PROF_SSO_LOGON = 1u << 2 };
constexpr std::uint32_t kProfSsoMask = PROF_SSO_USE | PROF_SSO_ALLOW_MACHINE | PROF_SSO_LOGON;

}
