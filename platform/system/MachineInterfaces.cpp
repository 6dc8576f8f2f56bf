#include "platform/system/MachineInterfaces.h"

#include <algorithm>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <map>
#include <net/if.h>
#include <netpacket/packet.h>
#include <sys/socket.h>

namespace platform::system {

namespace {

std::string dotted(sockaddr const* address)
{
    char text[INET_ADDRSTRLEN] {};
    ::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in const*>(address)->sin_addr, text, sizeof text);
    return text;
}

void take_address(MachineInterface& i, ifaddrs const& a)
{
    if (a.ifa_addr->sa_family == AF_PACKET) {
        auto const* link = reinterpret_cast<sockaddr_ll const*>(a.ifa_addr);
        i.mac.assign(link->sll_addr, link->sll_addr + std::min<int>(link->sll_halen, 8));
    } else if (a.ifa_addr->sa_family == AF_INET && i.ipv4 == "0.0.0.0") {
        i.ipv4 = dotted(a.ifa_addr);
        if (a.ifa_netmask)
            i.mask = dotted(a.ifa_netmask);
    }
}

}

std::vector<MachineInterface> machine_interfaces()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return {};
    std::vector<MachineInterface> out;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_name || (a->ifa_flags & IFF_LOOPBACK) || !a->ifa_addr)
            continue;
        auto it = std::find_if(out.begin(), out.end(), [&](MachineInterface const& i) { return i.name == a->ifa_name; });
        if (it == out.end()) {
            out.push_back({ a->ifa_name, {}, "0.0.0.0", "0.0.0.0" });
            it = out.end() - 1;
        }
        take_address(*it, *a);
    }
    ::freeifaddrs(list);
    return out;
}

int native_socket(int family, int type, int protocol)
{
    constexpr int kIpx = 6;
    constexpr int kIpxProtocol = 1000;
    int native = -1;
    switch (family) {
    case 2: native = AF_INET; break;
    case kIpx: native = AF_IPX; break;
    case 23: native = AF_INET6; break;
    default: return -1;
    }
    // The IPX protocol number of the other system is the family's default here.
    return ::socket(native, type, family == kIpx && protocol == kIpxProtocol ? 0 : protocol);
}

}
