// WAPI with certificates on the simulated link: the profile names the authentication server's
// certificate and its own; the link comes up when the server's certificate is the one the
// access point's server holds (its subject is the access point's wapi_as) and the user's
// certificate was issued by it.
#include "wlan/sim/World.h"

#include "wlan/sim/WapiCertificate.h"

#include <cstring>

namespace wlan::sim {

namespace {

template<std::size_t N>
std::string path_of(char const (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

}

bool World::wapi_certs_fit(ApSpec const& ap) const
{
    WLANPROFILE const& p = m_link.profile;
    // An access point that names no server takes any user certificate the profile names.
    if (ap.wapi_as.empty())
        return !path_of(p.chUserCertPath).empty();
    auto const server = read_wapi_cert_file(path_of(p.chASCertPath));
    auto const user = read_wapi_cert_file(path_of(p.chUserCertPath));
    return server.cert && user.cert && server.cert->subject == ap.wapi_as && user.cert->issuer == server.cert->subject;
}

}
