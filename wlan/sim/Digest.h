// Turns one scan entry (NDIS_WLAN_BSSID_EX with its element area) into the 384-byte digest
// the programs read. The element area is bounded by the entry's Length and IELength and by the
// bytes actually given, whichever is smallest; a malformed element is skipped and counted,
// the others still count.
#pragma once

#include "wlan/api/Records.h"
#include "wlan/sim/Bytes.h"

namespace wlan::sim {

enum class DigestError {
    None,
    EntryTooShort, // fewer bytes than the fixed part, or Length below it: nothing is written
};

struct DigestReport {
    DigestError error { DigestError::None };
    bool length_inconsistent { false }; // Length < 116 + IELength: parsed up to Length only
    bool truncated { false };           // an element header or body ran past the area's end
    int malformed { 0 };                // elements of a known kind whose body did not parse
    int unknown { 0 };                  // elements of kinds the digest does not use
};

// `entry` holds the entry's bytes as far as the caller can vouch for them. `out` is written
// only when the report's error is None.
DigestReport digest_entry(Bytes entry, IE_INFO_WPA& out);

}
