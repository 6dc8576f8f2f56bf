// A process as a kernel object: signalled when the process has ended. A child of this process
// is reaped when its end is seen, which gives its exit code; any other process is watched
// through /proc and reports no exit code.
#pragma once

#include "platform/user/KernelObject.h"

#include <cstdint>

namespace platform::system {

class ProcessObject final : public KernelObject {
public:
    ProcessObject(std::uint32_t pid, bool is_child);

    char const* type_name() const override { return "process"; }
    bool is_signalled() const override;
    bool needs_polling() const override { return true; }

    std::uint32_t pid() const { return m_pid; }
    // STILL_ACTIVE (259) while it runs.
    DWORD exit_code() const;
    bool terminate(unsigned exit_code);

private:
    // Called with wait_mutex() held.
    void look() const;

    std::uint32_t m_pid;
    bool m_is_child;
    mutable bool m_ended { false };
    mutable DWORD m_exit_code { 259 };
};

}
