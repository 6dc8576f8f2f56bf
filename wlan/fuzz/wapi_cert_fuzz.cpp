// Any bytes as a WAPI certificate file: the reader stays inside them, and whatever it accepts
// makes an entry whose descriptor decodes back to the same texts.
#include "wlan/sim/WapiCertificate.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    auto const result = wlan::sim::parse_wapi_cert(std::span(data, size));
    if ((result.error == wlan::sim::WapiError::None) != result.cert.has_value())
        __builtin_trap();
    if (!result.cert)
        return 0;
    auto const entry = wlan::sim::make_entry(*result.cert, 1);
    auto const back = wlan::sim::describe_descriptor(entry.data() + SYSTEM_CERT_DESCRIPTOR_OFFSET, entry.size() - SYSTEM_CERT_DESCRIPTOR_OFFSET);
    if (!back || back->subject != result.cert->subject.substr(0, 255) || back->issuer != result.cert->issuer.substr(0, 255))
        __builtin_trap();
    return 0;
}
