// The ".prof" file the station library exports one profile to and imports it from:
//
//   offset  size  field
//   0       8     magic "VXPROF\r\n"
//   8       4     format version (1)
//   12      4     record size (5460, the WLANPROFILE layout)
//   16      4     number of profiles
//   then per profile: the record, a 4-byte PAC count and that many 516-byte PAC entries.
//
// Little-endian, no padding. The reader checks every length against the bytes it was given
// and writes its result only when the whole file parsed.
#pragma once

#include "wlan/api/Profile.h"

#include <cstdint>
#include <span>
#include <vector>

namespace wlan::sim {

struct ProfileFileEntry {
    WLANPROFILE record {};
    std::vector<PAC_ENTRY> pacs;
};

enum class ProfileFileError {
    None,
    NoProfile,   // a well-formed file holding no profile
    MoreThanOne, // a well-formed file holding several
    Malformed,   // wrong magic, version or record size, truncated, or bytes after the end
};

constexpr std::uint32_t kProfileFileVersion = 1;
// More PAC entries than any list holds; a count above it is a damaged file.
constexpr std::uint32_t kMaxPacEntries = 1024;

// Parses a whole file. `out` is assigned only when the answer is None (exactly one profile).
ProfileFileError parse_profile_file(std::span<std::uint8_t const> bytes, ProfileFileEntry& out);
// The file's bytes for the given profiles.
std::vector<std::uint8_t> format_profile_file(std::vector<ProfileFileEntry> const& entries);

}
