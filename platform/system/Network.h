// The network calls the programs make, over the machine's own: the adapter list with hardware
// and IP addresses (the machine's interfaces, then the adapters a stand-in library publishes),
// sockets with the Winsock start-up pair, the domain controller lookup over a table in the
// per-user data folder, and opening a file for reading, where a UNC path "\\host\share\..."
// asks a registered domain controller instead of the network.
#pragma once

#include "platform/system/Locale.h"
#include "platform/user/Types.h"

#include <string>

// [SECTION] Adapters
constexpr DWORD ERROR_NO_DATA = 232;
constexpr UINT MAX_ADAPTER_ADDRESS_LENGTH = 8;

struct IP_ADDRESS_STRING {
    char String[16];
};
struct IP_ADDR_STRING {
    IP_ADDR_STRING* Next;
    IP_ADDRESS_STRING IpAddress;
    IP_ADDRESS_STRING IpMask;
    DWORD Context;
};
struct IP_ADAPTER_INFO {
    IP_ADAPTER_INFO* Next;
    DWORD ComboIndex;
    char AdapterName[260];
    char Description[132];
    UINT AddressLength;
    BYTE Address[MAX_ADAPTER_ADDRESS_LENGTH];
    DWORD Index;
    UINT Type;
    UINT DhcpEnabled;
    IP_ADDR_STRING IpAddressList;
    IP_ADDR_STRING GatewayList;
};
using PIP_ADAPTER_INFO = IP_ADAPTER_INFO*;

// [SECTION] Sockets
using SOCKET = UINT_PTR;
inline SOCKET const INVALID_SOCKET = ~SOCKET(0);
constexpr int SOCKET_ERROR = -1;
// The system's family numbers, mapped to this machine's.
constexpr int AF_INET_W = 2;
constexpr int AF_IPX_W = 6;
constexpr int AF_INET6_W = 23;
constexpr int SOCK_STREAM_W = 1;
constexpr int SOCK_DGRAM_W = 2;
constexpr int NSPROTO_IPX = 1000;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSAEAFNOSUPPORT = 10047;

struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[257];
    char szSystemStatus[129];
};

// [SECTION] Domain controllers
constexpr DWORD DS_FORCE_REDISCOVERY = 0x00000001;
constexpr DWORD DS_RETURN_FLAT_NAME = 0x80000000;
constexpr DWORD ERROR_NO_SUCH_DOMAIN = 1355;

struct DOMAIN_CONTROLLER_INFOA {
    char* DomainControllerName;
    char* DomainControllerAddress;
    ULONG DomainControllerAddressType;
    char* DomainName;
    char* DnsForestName;
    ULONG Flags;
    char* DcSiteName;
    char* ClientSiteName;
};

// [SECTION] Files
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD FILE_SHARE_READ = 0x00000001;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD ERROR_BAD_NETPATH = 53;

struct SECURITY_ATTRIBUTES;

extern "C" {

// With no buffer or one too small: ERROR_BUFFER_OVERFLOW and the size needed. No adapter at
// all: ERROR_NO_DATA. An adapter without an IPv4 address lists "0.0.0.0".
DWORD GetAdaptersInfo(IP_ADAPTER_INFO* info, ULONG* size);

// Answers 0 for any version from 2.0 on, WSAVERNOTSUPPORTED below.
int WSAStartup(WORD version, WSADATA* data);
int WSACleanup();
int closesocket(SOCKET s);

// Looks `domain` up in the table (without regard to case); the result is freed with
// NetApiBufferFree. Unknown: ERROR_NO_SUCH_DOMAIN.
DWORD DsGetDcNameA(char const* computer, char const* domain, void const* guid, char const* site, ULONG flags,
    DOMAIN_CONTROLLER_INFOA** info);
DWORD NetApiBufferFree(void* buffer);

// Opens an existing file for reading; CloseHandle closes it. A UNC path answers
// ERROR_FILE_NOT_FOUND when its host is a registered controller, ERROR_ACCESS_DENIED when that
// controller refuses, else ERROR_BAD_NETPATH; each through GetLastError with
// INVALID_HANDLE_VALUE.
HANDLE CreateFileA(char const* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
    DWORD flags, HANDLE template_file);

}

// A family this machine lacks (IPX on Linux) gives INVALID_SOCKET. Not a C name: the C library
// has its own socket().
SOCKET socket(int family, int type, int protocol);

namespace platform::system {

// An adapter a stand-in library drives, listed after the machine's interfaces. Publishing a
// name again replaces it; an empty address lists "0.0.0.0".
void publish_adapter(std::string const& name, std::string const& description, BYTE const (&mac)[6],
    std::string const& ipv4);
void withdraw_adapter(std::string const& name);

// Adds or replaces the controller of `domain` (its name without the leading backslashes).
void register_domain_controller(std::string const& domain, std::string const& controller, bool refuses);

}
