// Exports of single sign-on: the state record kept in the store (SsoStore.h) and read and
// written field by field as the program's pages do. Nothing acts at a logon here; the logon
// side's calls are only recorded in the store.
#include "wlan/VxWLAPI/Export.h"
#include "wlan/VxWLAPI/Library.h"
#include "wlan/sim/SsoStore.h"

#include <cstdio>
#include <cstring>
#include <string>

using wlan::sim::World;
using wlan::vxwl::Library;

namespace {

// Reads the record, lets `change` edit it and writes it back; false when the feature is not
// installed or the store cannot be written.
template<typename F>
bool change_sso(F&& change)
{
    auto& lib = Library::get();
    return lib.with_world([&](World& w, std::uint64_t) {
        SSO_STATUS status = wlan::sim::read_sso(lib.store(), w.spec());
        if (!status.bAvailable)
            return false;
        change(status);
        return wlan::sim::write_sso(lib.store(), status);
    });
}

int result_of(bool ok)
{
    return ok ? VXWL_ERROR_SUCCESS : VXWL_ERROR_FAIL;
}

}

// 0 when the state was read; only the first 1036 bytes are written, as callers may hand a
// record of that size.
VXWL_API int VXWL_ReadSSOStatus(SSO_STATUS* status)
{
    if (!status)
        return 1;
    auto& lib = Library::get();
    SSO_STATUS const read = lib.with_world([&](World& w, std::uint64_t) { return wlan::sim::read_sso(lib.store(), w.spec()); });
    std::memcpy(status, &read, SSO_STATUS_LEGACY_SIZE);
    return 0;
}

// The feature's switch, the logon library, the driver's description and the profile's name;
// the credential source and the persistent connection have calls of their own.
VXWL_API int VXWL_WriteSSOSetting(SSO_STATUS record)
{
    return result_of(change_sso([&](SSO_STATUS& s) {
        s.bEnabled = record.bEnabled ? 1 : 0;
        std::memcpy(s.LogonLibrary, record.LogonLibrary, sizeof s.LogonLibrary);
        std::memcpy(s.DriverDesc, record.DriverDesc, sizeof s.DriverDesc);
        std::memcpy(s.ProfileName, record.ProfileName, sizeof s.ProfileName);
        s.LogonLibrary[sizeof s.LogonLibrary - 1] = 0;
        s.DriverDesc[sizeof s.DriverDesc - 1] = 0;
        s.ProfileName[sizeof s.ProfileName - 1] = 0;
    }));
}

VXWL_API int VXWL_WriteSSOSavePassword(int source)
{
    if (source < 0 || source > 2)
        return VXWL_ERROR_FAIL;
    return result_of(change_sso([&](SSO_STATUS& s) { std::snprintf(s.CredentialSource, sizeof s.CredentialSource, "%d", source); }));
}

VXWL_API int VXWL_WriteSSOEnablePersConn(int flag)
{
    return result_of(change_sso([&](SSO_STATUS& s) { std::snprintf(s.PersistentConn, sizeof s.PersistentConn, "%d", flag ? 1 : 0); }));
}

VXWL_API int VXWL_ResetSSOFeature(void)
{
    return result_of(change_sso([](SSO_STATUS& s) { s.bEnabled = 0; }));
}

VXWL_API int VXWL_WriteSSOProfile(const char* name)
{
    if (!name)
        return VXWL_ERROR_FAIL;
    return result_of(change_sso([&](SSO_STATUS& s) { std::snprintf(s.ProfileName, sizeof s.ProfileName, "%.127s", name); }));
}

// 1 with the stored profile's name (at most 127 characters and the terminator), else 0.
VXWL_API int VXWL_ReadSSOCurrProfileName(char* name)
{
    if (!name)
        return 0;
    auto& lib = Library::get();
    SSO_STATUS const s = lib.with_world([&](World& w, std::uint64_t) { return wlan::sim::read_sso(lib.store(), w.spec()); });
    std::size_t const length = ::strnlen(s.ProfileName, 127);
    if (!s.bAvailable || length == 0)
        return 0;
    std::memcpy(name, s.ProfileName, length);
    name[length] = 0;
    return 1;
}

VXWL_API int VXWL_WriteSSOProfileAndFunc(const char* name, int function)
{
    char line[160];
    std::snprintf(line, sizeof line, "%.127s %d", name ? name : "", function);
    return result_of(Library::get().store().write_text("sso.profile_and_func", line));
}

VXWL_API int VXWL_WriteSSOReleaseSUP(void)
{
    auto& store = Library::get().store();
    return result_of(store.write_u32("sso.release_sup", store.read_u32("sso.release_sup").value_or(0) + 1));
}

VXWL_CHECK_TYPE(ReadSSOStatus);
VXWL_CHECK_TYPE(WriteSSOSetting);
VXWL_CHECK_TYPE(WriteSSOSavePassword);
VXWL_CHECK_TYPE(WriteSSOEnablePersConn);
VXWL_CHECK_TYPE(ResetSSOFeature);
VXWL_CHECK_TYPE(WriteSSOProfile);
VXWL_CHECK_TYPE(ReadSSOCurrProfileName);
VXWL_CHECK_TYPE(WriteSSOProfileAndFunc);
VXWL_CHECK_TYPE(WriteSSOReleaseSUP);
