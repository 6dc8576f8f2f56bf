// Exports of the machine's certificate stores ("MY" personal, "ROOT" trusted authorities) as
// the simulated world and the store's changes give them, and of the system's EAP host
// interface. An enumeration hands out copies of each certificate's data that stay the
// library's until VXWL_FreeCertArray gives them back; a pointer the library did not hand out
// (or already took back) is never freed.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/Certificates.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <strings.h>
#include <vector>

using wlan::sim::CertEntry;
using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

std::mutex g_data_mutex;
std::map<std::uint8_t const*, std::unique_ptr<std::uint8_t[]>> g_handed_out;

std::uint8_t const* hand_out(std::vector<std::uint8_t> const& data)
{
    auto copy = std::make_unique<std::uint8_t[]>(std::max<std::size_t>(data.size(), 1));
    std::copy(data.begin(), data.end(), copy.get());
    std::uint8_t const* const p = copy.get();
    std::lock_guard lock(g_data_mutex);
    g_handed_out.emplace(p, std::move(copy));
    return p;
}

template<std::size_t N>
void put_text(char (&field)[N], std::string const& text)
{
    std::snprintf(field, N, "%s", text.c_str());
}

std::vector<CertEntry> certs_of_store(char const* store)
{
    std::string const name(store, ::strnlen(store, 16));
    // The host is looked up once, outside its world's lock: looking it up again inside would
    // take the library's instance lock under the world's, the other order from start-up's.
    Library& host = Library::get();
    auto all = host.with_world([&host](World& w, std::uint64_t) { return wlan::sim::current_certs(w.spec(), &host.store()); });
    std::vector<CertEntry> out;
    for (auto& cert : all)
        if (::strcasecmp(cert.store.c_str(), name.c_str()) == 0)
            out.push_back(std::move(cert));
    return out;
}

}

// With no records, *count becomes the number of certificates of the store; with records, at
// most *count of them are filled and *count becomes the number filled.
VXWL_API int VXWL_EnumCert(const char* store, CERT_RECORD* records, VXWL_U32* count)
{
    if (!store || !count)
        return VXWL_ERROR_FAIL;
    auto const certs = certs_of_store(store);
    if (!records) {
        *count = VXWL_U32(certs.size());
        return VXWL_ERROR_SUCCESS;
    }
    std::size_t const filled = std::min<std::size_t>(*count, certs.size());
    for (std::size_t i = 0; i < filled; ++i) {
        CertEntry const& cert = certs[i];
        CERT_RECORD& r = records[i];
        r = CERT_RECORD {};
        put_text(r.IssuedTo, cert.issued_to);
        put_text(r.IssuedBy, cert.issued_by);
        put_text(r.Expiration, cert.expires);
        put_text(r.FriendlyName, cert.friendly);
        r.DataLength = VXWL_U32(cert.data.size());
        r.Data = hand_out(cert.data);
    }
    *count = VXWL_U32(filled);
    return VXWL_ERROR_SUCCESS;
}

// Takes back the data of *count records and zeroes their pointers; *count becomes 0.
VXWL_API int VXWL_FreeCertArray(CERT_RECORD* records, VXWL_U32* count)
{
    if (!records || !count)
        return VXWL_ERROR_SUCCESS;
    std::lock_guard lock(g_data_mutex);
    for (VXWL_U32 i = 0; i < *count; ++i) {
        g_handed_out.erase(records[i].Data);
        records[i].Data = nullptr;
    }
    *count = 0;
    return VXWL_ERROR_SUCCESS;
}

VXWL_API int VXWL_IsEapHostInstalled(void)
{
    return Library::get().with_world([](World& w, std::uint64_t) { return w.spec().eap_host ? 1 : 0; });
}

VXWL_CHECK_TYPE(EnumCert);
VXWL_CHECK_TYPE(FreeCertArray);
VXWL_CHECK_TYPE(IsEapHostInstalled);
