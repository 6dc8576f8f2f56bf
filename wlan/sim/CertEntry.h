// One certificate of the machine's certificate stores as a scenario's [cert:<id>] section
// describes it: the store it sits in ("MY" personal, "ROOT" trusted authorities), the texts a
// store listing shows, and its data (what a profile keeps to name it again: a file's SHA-1
// thumbprint, stored bytes, or 20 bytes derived from the id).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wlan::sim {

struct CertEntry {
    std::string id;
    std::string store { "MY" };
    std::string issued_to;
    std::string issued_by;
    std::string expires; // "YYYY/MM/DD"
    std::string friendly;
    std::vector<std::uint8_t> data;
    // The X.509 file the texts and data come from, as the section names it ("certs/x.pem").
    std::string file;
    bool operator==(CertEntry const&) const = default;
};

// The most data bytes a certificate carries: a profile's certificate blob holds no more.
constexpr std::size_t kMaxCertData = 152;

}
