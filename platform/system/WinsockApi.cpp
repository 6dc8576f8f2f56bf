// socket() of the system's sockets library. Kept apart from the C library's headers, whose
// socket() has the same name and C linkage.
#include "platform/system/Network.h"

#include "platform/system/MachineInterfaces.h"
#include "platform/user/User.h"

SOCKET socket(int family, int type, int protocol)
{
    int const fd = platform::system::native_socket(family, type, protocol);
    if (fd < 0) {
        SetLastError(WSAEAFNOSUPPORT);
        return INVALID_SOCKET;
    }
    return SOCKET(fd);
}
