#include "platform/user/Thread.h"

#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <sys/syscall.h>
#include <future>
#include <thread>
#include <unistd.h>

namespace platform {

void ThreadObject::finish(DWORD exit_code)
{
    {
        std::lock_guard lock(wait_mutex());
        m_exit_code = exit_code;
        m_finished = true;
    }
    notify_waiters();
}

DWORD ThreadObject::exit_code() const
{
    std::lock_guard lock(wait_mutex());
    return m_exit_code;
}

HANDLE start_thread(std::function<DWORD()> body, DWORD* thread_id)
{
    auto object = std::make_shared<ThreadObject>();
    HANDLE handle = add_handle(object);
    auto started = std::make_shared<std::promise<DWORD>>();
    auto started_id = started->get_future();
    std::thread([object, body = std::move(body), started] {
        started->set_value(GetCurrentThreadId());
        object->finish(body());
    }).detach();
    DWORD id = started_id.get();
    {
        std::lock_guard lock(wait_mutex());
        object->set_id(id);
    }
    if (thread_id)
        *thread_id = id;
    return handle;
}

}

using namespace platform;

extern "C" {

DWORD GetCurrentThreadId()
{
    // Asked on nearly every window call. An initial-exec slot with no initialiser is read in
    // place, without a call into the dynamic linker or a first-use guard (this library is
    // always loaded with the program).
    static thread_local DWORD id __attribute__((tls_model("initial-exec"))) = 0;
    if (id == 0)
        id = static_cast<DWORD>(::syscall(SYS_gettid));
    return id;
}

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(::getpid());
}

HANDLE CreateThread(void*, size_t, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD, DWORD* thread_id)
{
    return start_thread([start, parameter] { return start(parameter); }, thread_id);
}

BOOL GetExitCodeThread(HANDLE thread, DWORD* exit_code)
{
    auto object = find_handle_as<ThreadObject>(thread);
    if (!object || !exit_code) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exit_code = object->exit_code();
    return TRUE;
}

}
