// The machine's own network interfaces and sockets, read with the C library's calls. Kept apart
// from Network.h, whose socket() would clash with the C library's of the same name.
#pragma once

#include <string>
#include <vector>

namespace platform::system {

struct MachineInterface {
    std::string name;
    std::vector<unsigned char> mac;
    std::string ipv4 { "0.0.0.0" };
    std::string mask { "0.0.0.0" };
};

// Every interface but the loopback, in the order the system lists them.
std::vector<MachineInterface> machine_interfaces();

// A socket of the system's family number (2 IPv4, 6 IPX, 23 IPv6); -1 when this machine lacks
// the family.
int native_socket(int family, int type, int protocol);

}
