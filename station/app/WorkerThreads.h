// The station utility's short worker threads (address renewal, the identity re-prompt, the
// change-password prompt, the checks after an 802.1X authentication) and the one object that
// starts them. Tear-down stops them all before the library goes: their sleeps end early, a
// prompt's wait ends as Cancel, and no thread starts afterwards, so the library's own thread is
// never left waiting for one. Workers reach windows only by posting messages.
#pragma once

#include "platform/user/Types.h"

#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <vector>

namespace station::app {

class WorkerThreads {
public:
    using Procedure = UINT (*)(LPVOID);

    static WorkerThreads& the();

    // Starts `procedure` on a thread of its own; an invalid future once stopping.
    std::shared_future<UINT> start(Procedure procedure);
    // Waits `ms` of the platform clock; false, early, when the workers are being stopped.
    bool sleep(DWORD ms);
    bool stopping() const;
    // Ends every sleep and prompt wait, joins every thread and refuses new ones.
    void stop_all();
    // Accepts threads again (a new run of the hidden dialog).
    void restart();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping { false };
    std::vector<std::shared_future<UINT>> m_threads;
};

}

// [SECTION] Thread procedures, each started with no argument
UINT RenewIPAddrThread(LPVOID);
UINT ShowInvalidIDPWThread(LPVOID);
UINT ChangePasswordThread(LPVOID);
UINT PostAuthenticationThread(LPVOID);

// [SECTION] Steps of the checks after an authentication (each announces its lines)
void WaitForIPAddress();
// The address of the adapter the library drives, as the system lists it; empty when the system
// lists no adapter or none with that hardware address.
std::string GetAdapterIPAddress();
void ProbeIpxProtocol();
// 0 when an IPX socket can be made, 7 when the protocol is missing, 9 without Winsock 2.
int TestIpxSocket();
void CheckDomainController();
void CheckRemoteFileAccess(char const* controller);
