// The station utility's short worker procedures (address renewal, the identity re-prompt, the
// change-password prompt, the checks after an 802.1X authentication) and the one object that
// runs them. They run on long-lived worker threads: a procedure goes to an idle worker, woken
// for it, and a new worker starts only when every worker is busy, so the status callback never
// waits for a thread to be made and procedures still run side by side as before; waiting
// procedures are taken in the order they were started. Tear-down stops them all before the
// library goes: their sleeps end early, a prompt's wait ends as Cancel, the workers end and are
// joined, and nothing starts afterwards, so the library's own thread is never left waiting for
// one. Workers reach windows only by posting messages.
#pragma once

#include "platform/user/Types.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace station::app {

class WorkerThreads {
public:
    using Procedure = UINT (*)(LPVOID);

    static WorkerThreads& the();
    WorkerThreads() = default;
    ~WorkerThreads();
    WorkerThreads(WorkerThreads const&) = delete;
    WorkerThreads& operator=(WorkerThreads const&) = delete;

    // Runs `procedure` on a worker; an invalid future once stopping.
    std::shared_future<UINT> start(Procedure procedure);
    // Waits `ms` of the platform clock; false, early, when the workers are being stopped.
    bool sleep(DWORD ms);
    bool stopping() const;
    // Ends every sleep and prompt wait, lets the workers finish what they were given, joins
    // them and refuses new procedures.
    void stop_all();
    // Accepts threads again (a new run of the hidden dialog).
    void restart();

    // For tests: the workers made and not yet joined, and a wait (at most `bound`) until every
    // one of them is idle with nothing waiting.
    std::size_t worker_count() const;
    bool wait_until_idle(std::chrono::milliseconds bound);

private:
    void serve();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake; // sleeps
    std::condition_variable m_work; // idle workers
    std::condition_variable m_idled;
    bool m_stopping { false };
    std::deque<std::packaged_task<UINT()>> m_waiting;
    std::size_t m_idle { 0 };
    std::vector<std::thread> m_workers;
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
