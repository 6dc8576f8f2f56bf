#include "platform/system/SecurityDescriptor.h"

#include <array>
#include <vector>

namespace platform::system {

namespace {

constexpr std::array known_sids { "BG", "AN", "AU", "BA", "WD", "SY", "BU", "IU", "CO", "OW", "LS", "NS" };
// Groups that reach beyond the owner's own account.
constexpr std::array shared_sids { "BG", "AN", "AU", "WD", "BU", "IU" };

std::vector<std::string_view> fields_of(std::string_view ace)
{
    std::vector<std::string_view> fields;
    for (;;) {
        size_t semicolon = ace.find(';');
        fields.push_back(ace.substr(0, semicolon));
        if (semicolon == std::string_view::npos)
            return fields;
        ace.remove_prefix(semicolon + 1);
    }
}

bool contains(auto const& list, std::string_view item)
{
    for (std::string_view entry : list) {
        if (entry == item)
            return true;
    }
    return false;
}

}

std::optional<SecurityDescriptor> parse_security_descriptor(std::string_view text)
{
    if (!text.starts_with("D:"))
        return std::nullopt;
    text.remove_prefix(2);
    while (!text.empty() && text.front() != '(')
        text.remove_prefix(1); // DACL flags such as "P" or "AI"
    SecurityDescriptor descriptor;
    while (!text.empty()) {
        if (text.front() != '(')
            return std::nullopt;
        size_t close = text.find(')');
        if (close == std::string_view::npos)
            return std::nullopt;
        auto fields = fields_of(text.substr(1, close - 1));
        text.remove_prefix(close + 1);
        if (fields.size() != 6 || (fields[0] != "A" && fields[0] != "D") || fields[2].empty()
            || !contains(known_sids, fields[5]))
            return std::nullopt;
        if (fields[0] == "A" && contains(shared_sids, fields[5]))
            descriptor.file_mode = 0666;
    }
    return descriptor;
}

}
