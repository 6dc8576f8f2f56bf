#include "station/app/TrayText.h"

#include "station/core/HideDlgIds.h"

#include <algorithm>
#include <cstring>

unsigned SignalIconFor(int percent, bool wep_error)
{
    if (wep_error)
        return IDI_WEP_ERROR;
    if (percent > 70)
        return IDI_SIGNAL_GOOD;
    if (percent > 40)
        return IDI_SIGNAL_NORMAL;
    return IDI_SIGNAL_WEAK;
}

std::string StatusSsid(WLAN_STATUS const& status)
{
    std::size_t const length = std::min<std::size_t>(status.Ssid.SsidLength, NDIS_SSID_MAX);
    return std::string(reinterpret_cast<char const*>(status.Ssid.Ssid), length);
}

namespace {

// The longest prefix of `text` of at most `limit` bytes that ends on a character boundary.
std::string cut_utf8(std::string const& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    // Step back over continuation bytes (10xxxxxx) so that no character is split.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

}

std::string BuildTrayTip(std::string const& language_text, std::string const& insert)
{
    std::string tip = language_text;
    if (auto const at = tip.find("%s"); at != std::string::npos)
        tip.replace(at, 2, insert);
    // A name may carry a NUL byte: the tip ends there, as the record's text would.
    if (auto const nul = tip.find('\0'); nul != std::string::npos)
        tip.resize(nul);
    return cut_utf8(tip, 127);
}
