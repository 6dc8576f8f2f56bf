#include "station/features/extap/ExtAPRecord.h"

#include "platform/user/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr std::size_t kPskMinimum = 8;
constexpr std::size_t kPskTextMaximum = 63;
constexpr std::size_t kPskHexLength = 64;

template<std::size_t N, typename Byte>
std::uint32_t write_field(Byte (&field)[N], std::string_view text)
{
    std::memset(field, 0, N);
    std::size_t const n = platform::utf8_cut_length(text, N);
    std::memcpy(field, text.data(), n);
    return static_cast<std::uint32_t>(n);
}

template<std::size_t N, typename Byte>
std::string read_field(Byte const (&field)[N], std::uint32_t length)
{
    return std::string(reinterpret_cast<char const*>(field), std::min<std::size_t>(length, N));
}

}

bool IsValidWpaPsk(std::string_view key)
{
    if (key.size() >= kPskMinimum && key.size() <= kPskTextMaximum)
        return true;
    return key.size() == kPskHexLength
        && std::all_of(key.begin(), key.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

void SetExtAPSsid(ExtAPConfig& record, std::string_view text) { record.SsidLength = write_field(record.Ssid, text); }

void SetExtAPKey(ExtAPConfig& record, std::string_view text) { record.KeyLength = write_field(record.Key, text); }

std::string ExtAPSsidText(ExtAPConfig const& record) { return read_field(record.Ssid, record.SsidLength); }

std::string ExtAPKeyText(ExtAPConfig const& record) { return read_field(record.Key, record.KeyLength); }
