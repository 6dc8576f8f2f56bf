// Exports of WAPI certificates: loading a ".cer" file of either kind (WapiCertificate.h),
// installing it among the system's WAPI certificates (at most 32, kept in the store as their
// entries), listing, removing and describing them, and describing a file by its path.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/WapiCertificate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using wlan::sim::WapiCert;
using wlan::vxwl::Library;

namespace {

constexpr char kInstalledKey[] = "wapi.installed";
constexpr std::uint32_t kRoleUser = 1;
constexpr std::uint32_t kRoleAs = 2;

std::vector<std::uint8_t> installed()
{
    auto bytes = Library::get().store().read(kInstalledKey).value_or(std::vector<std::uint8_t> {});
    // A list that is not whole entries, or too long, is read as far as it is.
    std::size_t const entries = std::min<std::size_t>(bytes.size() / SYSTEM_CERT_ENTRY_SIZE, SYSTEM_CERT_ENTRY_COUNT);
    bytes.resize(entries * SYSTEM_CERT_ENTRY_SIZE);
    return bytes;
}

std::string path_text(const char* path)
{
    return path ? std::string(path, ::strnlen(path, 256)) : std::string();
}

// Reads the file into the loaded record: its kind as the identifier, its bytes as the data.
int load(const char* path, WAPI_LOADED_CERT* loaded)
{
    if (!loaded)
        return 1;
    std::vector<std::uint8_t> bytes;
    auto const result = wlan::sim::read_wapi_cert_file(path_text(path), &bytes);
    if (!result.cert)
        return 1;
    std::memset(loaded, 0, sizeof *loaded);
    loaded->Identifier = std::uint16_t(result.cert->kind);
    loaded->Length = std::uint16_t(bytes.size());
    std::copy(bytes.begin(), bytes.end(), loaded->Data);
    return 0;
}

// Installs what a load read; 1 when it does not parse or the list is full.
int setup(WAPI_LOADED_CERT const* loaded, std::uint32_t role)
{
    if (!loaded || loaded->Length > sizeof loaded->Data)
        return 1;
    auto const result = wlan::sim::parse_wapi_cert(std::span(loaded->Data, loaded->Length));
    if (!result.cert)
        return 1;
    auto list = installed();
    if (list.size() / SYSTEM_CERT_ENTRY_SIZE >= SYSTEM_CERT_ENTRY_COUNT)
        return 1;
    auto const entry = wlan::sim::make_entry(*result.cert, role);
    list.insert(list.end(), entry.begin(), entry.end());
    return Library::get().store().write(kInstalledKey, list) ? 0 : 1;
}

void put_prefixed(std::uint8_t* out, std::vector<std::uint8_t> const& bytes)
{
    if (!out)
        return;
    std::memset(out, 0, CERT_PARAM_TEXT_SIZE);
    std::size_t const n = std::min<std::size_t>(bytes.size(), CERT_PARAM_TEXT_SIZE - 1);
    out[0] = std::uint8_t(n);
    std::copy_n(bytes.begin(), n, out + 1);
}

}

VXWL_API int VXWL_LoadX509UserCertificate(const char* path, WAPI_LOADED_CERT* loaded, char* key)
{
    int const result = load(path, loaded);
    // The private key stays with the system; the buffer names the certificate it belongs to.
    if (result == 0 && key)
        std::snprintf(key, WAPI_USER_KEY_SIZE, "key:%u:%u", unsigned(loaded->Identifier), unsigned(loaded->Length));
    return result;
}

VXWL_API int VXWL_LoadX509ASCertificate(const char* path, WAPI_LOADED_CERT* loaded)
{
    return load(path, loaded);
}

VXWL_API int VXWL_SetupX509UserCertificate(const char* path, WAPI_LOADED_CERT* loaded, char* key)
{
    (void)path;
    (void)key;
    return setup(loaded, kRoleUser);
}

VXWL_API int VXWL_SetupX509ASCertificate(const char* path, WAPI_LOADED_CERT* loaded)
{
    (void)path;
    return setup(loaded, kRoleAs);
}

// Fills *count entries of 8464 bytes; the caller's buffers hold 32.
VXWL_API int VXWL_EnumSystemCertificate(VXWL_U32* count, std::uint8_t* buffers)
{
    if (!count || !buffers)
        return 1;
    auto const list = installed();
    std::copy(list.begin(), list.end(), buffers);
    *count = VXWL_U32(list.size() / SYSTEM_CERT_ENTRY_SIZE);
    return 0;
}

// Removes the installed certificate at `index` (from 0).
VXWL_API int VXWL_DeleteCertificate(int index)
{
    auto list = installed();
    if (index < 0 || std::size_t(index) >= list.size() / SYSTEM_CERT_ENTRY_SIZE)
        return 1;
    auto const at = list.begin() + std::ptrdiff_t(std::size_t(index) * SYSTEM_CERT_ENTRY_SIZE);
    list.erase(at, at + SYSTEM_CERT_ENTRY_SIZE);
    return Library::get().store().write(kInstalledKey, list) ? 0 : 1;
}

// Decodes the descriptor of an entry (the bytes from offset 8 of an entry the enumeration
// filled) into length-prefixed texts; the 520-byte output and the integer stay zero.
VXWL_API int VXWL_GetCertificateManagerParam(const std::uint8_t* descriptor, std::uint8_t* extra, std::uint8_t* subject,
    std::uint8_t* issuer, int* value, std::uint8_t* valid_from, std::uint8_t* valid_to)
{
    if (extra)
        std::memset(extra, 0, CERT_PARAM_EXTRA_SIZE);
    if (value)
        *value = 0;
    auto const cert = wlan::sim::describe_descriptor(descriptor, SYSTEM_CERT_ENTRY_SIZE - SYSTEM_CERT_DESCRIPTOR_OFFSET);
    if (!cert)
        return 1;
    put_prefixed(subject, std::vector<std::uint8_t>(cert->subject.begin(), cert->subject.end()));
    put_prefixed(issuer, std::vector<std::uint8_t>(cert->issuer.begin(), cert->issuer.end()));
    put_prefixed(valid_from, cert->valid_from);
    put_prefixed(valid_to, cert->valid_to);
    return 0;
}

// Issued to, issued by and the expiration ("YYYY/MM/DD hh:mm:ss") of the file at `path`; the
// record is zeroed first and stays zero when the file is no certificate.
VXWL_API int VXWL_GetWAPICertInfo(const char* path, CERT_INFO* info, int mode)
{
    (void)mode;
    if (!info)
        return VXWL_ERROR_FAIL;
    std::memset(info, 0, sizeof *info);
    auto const result = wlan::sim::read_wapi_cert_file(path_text(path));
    if (!result.cert)
        return VXWL_ERROR_FAIL;
    std::snprintf(info->IssuedTo, sizeof info->IssuedTo, "%s", result.cert->subject.c_str());
    std::snprintf(info->IssuedBy, sizeof info->IssuedBy, "%s", result.cert->issuer.c_str());
    std::snprintf(info->Expiration, sizeof info->Expiration, "%s", result.cert->expiry.c_str());
    return VXWL_ERROR_SUCCESS;
}

VXWL_CHECK_TYPE(LoadX509UserCertificate);
VXWL_CHECK_TYPE(LoadX509ASCertificate);
VXWL_CHECK_TYPE(SetupX509UserCertificate);
VXWL_CHECK_TYPE(SetupX509ASCertificate);
VXWL_CHECK_TYPE(EnumSystemCertificate);
VXWL_CHECK_TYPE(DeleteCertificate);
VXWL_CHECK_TYPE(GetCertificateManagerParam);
VXWL_CHECK_TYPE(GetWAPICertInfo);
