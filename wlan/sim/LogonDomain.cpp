#include "wlan/sim/LogonDomain.h"

#include "platform/system/Network.h"
#include "platform/system/Registry.h"

namespace wlan::sim {

void register_logon_domain(WorldSpec const& world)
{
    if (world.logon_domain.empty())
        return;
    char const* const key = world.wow64 ? "Software\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Vexlor"
                                        : "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Vexlor";
    HKEY hkey = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hkey, nullptr) == 0) {
        auto const* bytes = reinterpret_cast<BYTE const*>(world.logon_domain.c_str());
        RegSetValueEx(hkey, "WinlogonDomain", 0, REG_SZ, bytes, DWORD(world.logon_domain.size() + 1));
        RegCloseKey(hkey);
    }
    if (!world.domain_controller.empty())
        platform::system::register_domain_controller(world.logon_domain, world.domain_controller, world.domain_controller_refuses);
}

}
