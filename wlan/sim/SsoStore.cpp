#include "wlan/sim/SsoStore.h"

#include "wlan/sim/Scenario.h"
#include "wlan/sim/Store.h"

#include <cstdio>
#include <cstring>

namespace wlan::sim {

namespace {

constexpr char kKey[] = "sso.status";
constexpr char kLogonLibrary[] = "VexlorGina.DLL";

template<std::size_t N>
std::string text_of(char const (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

}

SSO_STATUS read_sso(Store const& store, WorldSpec const& world)
{
    SSO_STATUS status {};
    if (!world.sso)
        return status;
    if (auto stored = store.read_record<SSO_STATUS>(kKey)) {
        status = *stored;
    } else {
        std::snprintf(status.CredentialSource, sizeof status.CredentialSource, "0");
        std::snprintf(status.PersistentConn, sizeof status.PersistentConn, "0");
        std::snprintf(status.LogonLibrary, sizeof status.LogonLibrary, "%s", kLogonLibrary);
        std::snprintf(status.DriverDesc, sizeof status.DriverDesc, "%s", world.driver_description.c_str());
    }
    status.bAvailable = 1;
    status.Tail = 0;
    return status;
}

bool write_sso(Store& store, SSO_STATUS const& status)
{
    SSO_STATUS kept = status;
    kept.bAvailable = 1;
    return store.write_record(kKey, kept);
}

bool set_sso_enabled(Store& store, WorldSpec const& world, bool enabled)
{
    WorldSpec installed = world;
    installed.sso = true;
    SSO_STATUS status = read_sso(store, installed);
    status.bEnabled = enabled ? 1 : 0;
    return write_sso(store, status);
}

std::string describe_sso(Store const& store, WorldSpec const& world)
{
    if (!world.sso)
        return "single sign-on: not installed";
    SSO_STATUS const s = read_sso(store, world);
    return std::string("single sign-on: ") + (s.bEnabled ? "on" : "off") + ", credentials " + text_of(s.CredentialSource)
        + ", persistent " + text_of(s.PersistentConn) + ", profile '" + text_of(s.ProfileName) + "'";
}

}
