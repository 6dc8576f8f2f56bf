// Any bytes as one scan entry: the digest must stay inside them and never write a half result.
#include "wlan/sim/Digest.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    IE_INFO_WPA info;
    std::memset(&info, 0xA5, sizeof info);
    auto report = wlan::sim::digest_entry(wlan::sim::Bytes(data, size), info);
    if (report.error != wlan::sim::DigestError::None) {
        for (std::size_t i = 0; i < sizeof info; ++i)
            if (reinterpret_cast<std::uint8_t const*>(&info)[i] != 0xA5)
                __builtin_trap();
    } else if (info.ConfigMethods[sizeof info.ConfigMethods - 1] != 0 && info.bWPS) {
        __builtin_trap(); // texts are always terminated inside their fields
    }
    return 0;
}
