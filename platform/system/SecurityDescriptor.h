// Security descriptors in their string form, reduced to what matters for the rendezvous files
// of named objects: whether users other than the owner are granted access. Accepts a DACL of
// allow and deny entries, "D:(A;OICI;GA;;;BG)(A;OICI;GA;;;AU)" and the like.
#pragma once

#include <optional>
#include <string_view>

namespace platform::system {

struct SecurityDescriptor {
    static constexpr unsigned magic_value = 0x53444553; // "SEDS"
    unsigned magic { magic_value };
    unsigned file_mode { 0600 };
};

std::optional<SecurityDescriptor> parse_security_descriptor(std::string_view text);

}
