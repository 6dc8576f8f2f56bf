#include "wlan/profile/ProfileFields.h"

#include "wlan/profile/ProfileCodes.h"

#include <algorithm>
#include <cstring>

namespace wlan::profile {

namespace {

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The texts the record keeps as NUL-terminated arrays (the SSID and the pre-shared key keep
// length words instead).
template<typename F>
void for_each_text(WLANPROFILE& p, F f)
{
    f(p.WEPKey1, sizeof p.WEPKey1);
    f(p.WEPKey2, sizeof p.WEPKey2);
    f(p.WEPKey3, sizeof p.WEPKey3);
    f(p.WEPKey4, sizeof p.WEPKey4);
    f(p.chPACfilepath, sizeof p.chPACfilepath);
    f(p.chID, sizeof p.chID);
    f(p.chPassword, sizeof p.chPassword);
    f(p.chServerName, sizeof p.chServerName);
    f(p.chDomainName, sizeof p.chDomainName);
    f(p.chUserCertPath, sizeof p.chUserCertPath);
    f(p.chASCertPath, sizeof p.chASCertPath);
    f(p.chPin, sizeof p.chPin);
    f(p.strProfileName, sizeof p.strProfileName);
}

void clamp_blob(KT_BLOB_KEY& blob)
{
    blob.BlobLength = std::min<std::uint32_t>(blob.BlobLength, kBlobMax);
}

}

std::string_view cut_on_character(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && is_continuation(text[end]))
        --end;
    return text.substr(0, end);
}

bool write_text(char* field, std::size_t size, std::string_view text)
{
    if (size == 0)
        return text.empty();
    std::string_view const kept = cut_on_character(text, size - 1);
    std::memset(field, 0, size);
    std::memcpy(field, kept.data(), kept.size());
    return kept.size() == text.size();
}

std::string read_text(char const* field, std::size_t size) { return std::string(field, ::strnlen(field, size)); }

bool write_ssid(WLANPROFILE& p, std::string_view ssid)
{
    std::string_view const kept = cut_on_character(ssid, kSsidMax);
    std::memset(p.SSID.Ssid, 0, sizeof p.SSID.Ssid);
    std::memcpy(p.SSID.Ssid, kept.data(), kept.size());
    p.SSID.SsidLength = std::uint32_t(kept.size());
    return kept.size() == ssid.size();
}

std::string read_ssid(WLANPROFILE const& p)
{
    std::size_t const len = std::min<std::size_t>(p.SSID.SsidLength, kSsidMax);
    return std::string(reinterpret_cast<char const*>(p.SSID.Ssid), len);
}

bool write_psk(WLANPROFILE& p, std::string_view key)
{
    if (key.size() > kPskMax)
        return false;
    std::memset(p.chPskKey, 0, sizeof p.chPskKey);
    std::memcpy(p.chPskKey, key.data(), key.size());
    p.nPskKeyLen = std::uint32_t(key.size());
    return true;
}

std::string read_psk(WLANPROFILE const& p)
{
    std::size_t const len = std::min<std::size_t>(p.nPskKeyLen, kPskMax);
    return std::string(p.chPskKey, len);
}

bool write_blob(KT_BLOB_KEY& blob, std::span<std::uint8_t const> bytes)
{
    if (bytes.size() > kBlobMax)
        return false;
    std::memset(blob.BlobData, 0, sizeof blob.BlobData);
    std::copy(bytes.begin(), bytes.end(), blob.BlobData);
    blob.BlobLength = std::uint32_t(bytes.size());
    return true;
}

std::span<std::uint8_t const> read_blob(KT_BLOB_KEY const& blob)
{
    return { blob.BlobData, std::min<std::size_t>(blob.BlobLength, kBlobMax) };
}

void sanitise(WLANPROFILE& p)
{
    p.SSID.SsidLength = std::min<std::uint32_t>(p.SSID.SsidLength, kSsidMax);
    for_each_text(p, [](char* field, std::size_t size) { field[size - 1] = '\0'; });
    if (p.wepDefaultKey < 1 || p.wepDefaultKey > 4)
        p.wepDefaultKey = 1;
    p.nPskKeyLen = std::min<std::uint32_t>(p.nPskKeyLen, kPskMax);
    clamp_blob(p.CA_cert);
    clamp_blob(p.user_cert);
    p.dwLenEapFastConfigBlob = std::min<std::uint32_t>(p.dwLenEapFastConfigBlob, kEapFastBlobMax);
    p.ssoInfo &= kProfSsoMask;
}

bool same_name(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}
