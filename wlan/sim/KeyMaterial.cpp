#include "wlan/sim/KeyMaterial.h"

#include "wlan/sim/Crypto.h"

namespace wlan::sim {

namespace {

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr int kPbkdf2Rounds = 4096;

}

std::optional<std::string> decode_hex(std::string_view text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int const hi = hex_value(text[i]);
        int const lo = hex_value(text[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += char(hi * 16 + lo);
    }
    return out;
}

std::string wep_key_bytes(std::string_view text)
{
    if (text.size() == 10 || text.size() == 26) {
        if (auto bytes = decode_hex(text))
            return *bytes;
    }
    return std::string(text);
}

Pmk passphrase_pmk(std::string_view passphrase, std::string_view ssid)
{
    Pmk out {};
    crypto().pbkdf2_hmac_sha1(passphrase.data(), int(passphrase.size()), reinterpret_cast<unsigned char const*>(ssid.data()),
        int(ssid.size()), kPbkdf2Rounds, int(out.size()), out.data());
    return out;
}

std::optional<Pmk> psk_pmk(std::string_view key, std::string_view ssid)
{
    if (key.size() == 64) {
        auto const bytes = decode_hex(key);
        if (!bytes)
            return std::nullopt;
        Pmk out {};
        std::copy(bytes->begin(), bytes->end(), out.begin());
        return out;
    }
    if (key.size() < 8 || key.size() > 63)
        return std::nullopt;
    return passphrase_pmk(key, ssid);
}

}
