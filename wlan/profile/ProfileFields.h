// Bounded access to the text and byte fields of the connection profile (WLANPROFILE). Writers
// never run past a field: the SSID and the pre-shared key keep their own length words and may
// fill their arrays without a terminator; every other text is cut to leave a terminator; a
// certificate blob that does not fit is refused. Readers stop at a field's end whatever its
// length word says. `sanitise` brings a record from outside (a file, another process) inside
// those bounds before anything reads it.
#pragma once

#include "wlan/api/Profile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace wlan::profile {

constexpr std::size_t kSsidMax = 32;
constexpr std::size_t kPskMax = 64;
constexpr std::size_t kBlobMax = sizeof(KT_BLOB_KEY::BlobData);
constexpr std::size_t kEapFastBlobMax = sizeof(WLANPROFILE::pEapFastConfigBlob);

// The longest prefix of `text` of at most `limit` bytes that does not split a UTF-8 sequence.
std::string_view cut_on_character(std::string_view text, std::size_t limit);

// Copies text into a fixed array, cut on a character boundary to leave at least one NUL; the
// rest of the array is zeroed. Answers false when the text had to be cut.
bool write_text(char* field, std::size_t size, std::string_view text);
template<std::size_t N>
bool write_text(char (&field)[N], std::string_view text) { return write_text(field, N, text); }

// The text of a fixed array up to its first NUL, never past its end.
std::string read_text(char const* field, std::size_t size);
template<std::size_t N>
std::string read_text(char const (&field)[N]) { return read_text(field, N); }

// SSID: at most 32 bytes, cut on a character boundary; its length word says how many.
// Answers false when it was cut.
bool write_ssid(WLANPROFILE& p, std::string_view ssid);
std::string read_ssid(WLANPROFILE const& p);

// Pre-shared key: up to 64 bytes with nPskKeyLen, no terminator when it fills the array. A
// longer key is refused and the record left as it was.
bool write_psk(WLANPROFILE& p, std::string_view key);
std::string read_psk(WLANPROFILE const& p);

// Certificate blob: at most 152 bytes; a longer one is refused and the blob left as it was.
bool write_blob(KT_BLOB_KEY& blob, std::span<std::uint8_t const> bytes);
std::span<std::uint8_t const> read_blob(KT_BLOB_KEY const& blob);

// Brings every length word and text of a record inside its field: SSID length <= 32, text
// fields terminated, wepDefaultKey 1..4, nPskKeyLen <= 64, blob lengths <= 152, EAP-FAST
// configuration length <= 3000, single sign-on bits only. Other fields are left as stored.
void sanitise(WLANPROFILE& p);

// The profile's name (strProfileName) as text.
inline std::string name_of(WLANPROFILE const& p) { return read_text(p.strProfileName); }

// Names compare without regard to case (ASCII letters), as the library's users expect.
bool same_name(std::string_view a, std::string_view b);

}
