// Threads as kernel objects: a started thread is a handle that becomes signalled when the
// thread function returns, with the function's result as its exit code.
#pragma once

#include "platform/user/KernelObject.h"

#include <functional>

namespace platform {

class ThreadObject final : public KernelObject {
public:
    char const* type_name() const override { return "thread"; }
    bool is_signalled() const override { return m_finished; }

    void finish(DWORD exit_code);
    DWORD exit_code() const;
    DWORD id() const { return m_id; }
    void set_id(DWORD id) { m_id = id; }

private:
    bool m_finished { false };
    DWORD m_exit_code { STILL_ACTIVE_CODE };
    DWORD m_id { 0 };
    static constexpr DWORD STILL_ACTIVE_CODE = 0x103;
};

// Starts `body` on a new thread; returns its handle and, through `thread_id`, its id.
HANDLE start_thread(std::function<DWORD()> body, DWORD* thread_id);

}
