// The access control page's stored forms and address check without its window: the stored list
// text read inside its 1024 bytes, an entry's shown form, the text and record Apply writes, and
// which rule refuses an address.
#pragma once

#include "wlan/api/ApRecords.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace hotvane {

// The 12-digit entries of a stored list text, walked only inside `text` until an empty entry:
// at most 32 are taken, entries that are not 12 hexadecimal digits are skipped and handed to
// `skipped`.
std::vector<std::string> ParseStoredAccessList(std::span<const char> text,
    std::function<void(std::string const&)> const& skipped = nullptr);

// "001122334455" -> "00-11-22-33-44-55"; and back, without the "-".
std::string DashedAclEntry(std::string const& digits);
std::string AclDigits(std::string const& entry);

// True for exactly 12 hexadecimal digits.
bool IsAclDigits(std::string const& text);

// What Apply writes: the list text (13 bytes an entry, a final empty entry) with its length, and
// the record (entries converted only when the policy is not 0; policy and count 0 when either is).
struct AccessControlWrite {
    std::array<char, AP_ACL_TEXT_SIZE> text {};
    int length {};
    AccessControlList record {};
};
AccessControlWrite BuildAccessControl(int policy, std::vector<std::string> const& entries);

// The first rule the address in the edit breaks, in the order the page checks them.
enum class AclRefusal { None, Invalid, Group, Own, Duplicate };
AclRefusal CheckAclAddress(std::string const& digits, std::array<std::uint8_t, 6> const& own,
    std::vector<std::string> const& listed);

}
