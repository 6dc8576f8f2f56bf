#include "accesspoint/app/AccessList.h"

#include "accesspoint/core/Helpers.h"
#include "accesspoint/core/Trace.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace hotvane {

namespace {

constexpr std::size_t kAddressDigits = 12;

bool is_address_text(std::string_view text)
{
    if (text.size() != kAddressDigits)
        return false;
    return std::string(text).find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
}

}

AccessControlList BuildAccessControlList(long policy, std::span<const char> list)
{
    AccessControlList record {};
    record.Policy = std::uint32_t(policy);
    if (policy != 0) {
        std::size_t at = 0;
        while (at < list.size() && record.Count < AP_ACL_ENTRIES) {
            std::size_t end = at;
            while (end < list.size() && list[end] != '\0')
                ++end;
            std::string_view const text(list.data() + at, end - at);
            if (text.empty())
                break;
            if (is_address_text(text)) {
                std::string const digits(text);
                HexPairsToBytes(digits.c_str(), record.Entry[record.Count], 6);
                ++record.Count;
            } else {
                TraceMsg("[Hotvane] SetOidFromReg: access list entry \"%.*s\" skipped\n", int(std::min<std::size_t>(text.size(), 64)), text.data());
            }
            at = end + 1;
        }
    }
    if (record.Count == 0)
        record.Policy = 0;
    return record;
}

}
