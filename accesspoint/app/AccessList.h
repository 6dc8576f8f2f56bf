// The access list the hidden dialog applies: the stored policy and address texts turned into
// the library's 264-byte record.
#pragma once

#include "wlan/api/ApRecords.h"

#include <span>

namespace hotvane {

// Builds the record from the policy and the stored list: NUL-terminated texts ending at an
// empty one, read only inside `list`. Each text of exactly twelve hexadecimal digits becomes
// six bytes in the next 8-byte slot, at most 32; any other text is skipped (and traced). A
// policy with no entry taken becomes 0.
AccessControlList BuildAccessControlList(long policy, std::span<const char> list);

}
