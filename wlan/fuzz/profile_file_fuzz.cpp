// A ".prof" file as anyone may hand the station library: any bytes. The reader must stay inside
// them, and a profile it accepts must come out of sanitise inside its fields.
#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/ProfileFile.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    wlan::sim::ProfileFileEntry entry;
    auto const error = wlan::sim::parse_profile_file({ data, size }, entry);
    if (error != wlan::sim::ProfileFileError::None)
        return 0;
    if (entry.pacs.size() > wlan::sim::kMaxPacEntries)
        __builtin_trap();
    wlan::profile::sanitise(entry.record);
    if (entry.record.SSID.SsidLength > 32 || entry.record.nPskKeyLen > 64 || entry.record.strProfileName[127] != '\0')
        __builtin_trap();
    // Formatting it again gives a file the reader takes back whole.
    auto const again = wlan::sim::format_profile_file({ entry });
    wlan::sim::ProfileFileEntry back;
    if (wlan::sim::parse_profile_file(again, back) != wlan::sim::ProfileFileError::None
        || std::memcmp(&back.record, &entry.record, sizeof back.record) != 0)
        __builtin_trap();
    return 0;
}
