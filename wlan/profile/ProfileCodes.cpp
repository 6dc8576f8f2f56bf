#include "wlan/profile/ProfileCodes.h"

#include <array>
#include <span>

namespace wlan::profile {

namespace {

constexpr int kNone = -1;

// Position in the editor's authentication list by code 0..14 (kNone: not assigned).
constexpr std::array<int, 15> kAuthTab = { 0, 1, kNone, 3, 4, 7, 5, 6, kNone, kNone, 8, 9, kNone, 10, 11 };
// Position in the editor's cipher list by code 0..11.
constexpr std::array<int, 12> kCipherTab = { 1, 0, kNone, kNone, 2, kNone, 3, kNone, kNone, 4, 5, 6 };

constexpr std::array<char const*, kTxPowerCodes> kTxPower = { "Auto", "100%", "75 %", "50 %", "25 %", "10 %", "Lowest" };

constexpr std::uint32_t kEapPeap = 0, kEapTtls = 2, kEapFast = 3;
constexpr std::array<std::uint32_t, 3> kPeapTunnels = { 26, 13, 6 };
constexpr std::array<std::uint32_t, 5> kTtlsTunnels = { 72, 71, 26, 73, 4 };

std::span<std::uint32_t const> tunnels_of(std::uint32_t eap_method)
{
    if (eap_method == kEapPeap || eap_method == kEapFast)
        return kPeapTunnels;
    if (eap_method == kEapTtls)
        return kTtlsTunnels;
    return {};
}

}

int auth_tab_index(std::uint32_t code)
{
    if (code >= kAuthTab.size() || kAuthTab[code] == kNone)
        return 0;
    return kAuthTab[code];
}

std::uint32_t auth_code_of_tab(int index)
{
    for (std::uint32_t code = 0; code < kAuthTab.size(); ++code)
        if (kAuthTab[code] == index)
            return code;
    return 0;
}

bool auth_code_assigned(std::uint32_t code) { return code < kAuthTab.size() && kAuthTab[code] != kNone; }

std::optional<int> cipher_tab_index(std::uint32_t code)
{
    if (code >= kCipherTab.size() || kCipherTab[code] == kNone)
        return std::nullopt;
    return kCipherTab[code];
}

std::uint32_t cipher_code_of_tab(int index)
{
    if (index < 1 || index > 6)
        return 1;
    for (std::uint32_t code = 0; code < kCipherTab.size(); ++code)
        if (kCipherTab[code] == index)
            return code;
    return 1;
}

std::optional<int> tunnel_index(std::uint32_t eap_method, std::uint32_t tunnel)
{
    auto const list = tunnels_of(eap_method);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == tunnel)
            return int(i);
    return std::nullopt;
}

std::optional<std::uint32_t> tunnel_code(std::uint32_t eap_method, int index)
{
    auto const list = tunnels_of(eap_method);
    if (index < 0 || std::size_t(index) >= list.size())
        return std::nullopt;
    return list[std::size_t(index)];
}

char const* tx_power_text(std::int32_t code)
{
    if (code < 0 || code >= kTxPowerCodes)
        code = 0;
    return kTxPower[std::size_t(code)];
}

}
