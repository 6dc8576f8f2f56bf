#include "accesspoint/pages/AccessControlRules.h"

#include "accesspoint/core/Helpers.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <strings.h>

namespace hotvane {

namespace {

constexpr std::size_t kDigits = 12;
constexpr std::size_t kEntryBytes = kDigits + 1;

}

bool IsAclDigits(std::string const& text)
{
    return text.size() == kDigits
        && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::vector<std::string> ParseStoredAccessList(std::span<const char> text,
    std::function<void(std::string const&)> const& skipped)
{
    std::vector<std::string> entries;
    std::size_t at = 0;
    while (at < text.size() && entries.size() < AP_ACL_ENTRIES) {
        std::size_t const length = ::strnlen(text.data() + at, text.size() - at);
        if (length == 0)
            break;
        std::string entry(text.data() + at, length);
        if (IsAclDigits(entry))
            entries.push_back(std::move(entry));
        else if (skipped)
            skipped(entry);
        at += length + 1;
    }
    return entries;
}

std::string DashedAclEntry(std::string const& digits)
{
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i % 2 == 0)
            out += '-';
        out += digits[i];
    }
    return out;
}

std::string AclDigits(std::string const& entry)
{
    std::string out;
    std::copy_if(entry.begin(), entry.end(), std::back_inserter(out), [](char c) { return c != '-'; });
    return out;
}

AccessControlWrite BuildAccessControl(int policy, std::vector<std::string> const& entries)
{
    AccessControlWrite w;
    std::size_t const count = std::min(entries.size(), AP_ACL_ENTRIES);
    w.record.Policy = static_cast<std::uint32_t>(policy);
    w.record.Count = static_cast<std::uint32_t>(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string const digits = AclDigits(entries[i]);
        if (policy != 0)
            HexPairsToBytes(digits.c_str(), w.record.Entry[i], 6);
        std::memcpy(w.text.data() + i * kEntryBytes, digits.data(), std::min(digits.size(), kDigits));
    }
    w.length = static_cast<int>(kEntryBytes * count + 1);
    if (policy == 0 || count == 0) {
        w.record.Policy = 0;
        w.record.Count = 0;
    }
    return w;
}

AclRefusal CheckAclAddress(std::string const& digits, std::array<std::uint8_t, 6> const& own,
    std::vector<std::string> const& listed)
{
    if (!IsAclDigits(digits))
        return AclRefusal::Invalid;
    std::array<std::uint8_t, 6> mac {};
    HexPairsToBytes(digits.c_str(), mac.data(), mac.size());
    if (mac[0] & 1)
        return AclRefusal::Group;
    if (mac == own)
        return AclRefusal::Own;
    std::string const entry = DashedAclEntry(digits);
    for (auto const& shown : listed)
        if (::strncasecmp(shown.c_str(), entry.c_str(), entry.size()) == 0)
            return AclRefusal::Duplicate;
    return AclRefusal::None;
}

}
