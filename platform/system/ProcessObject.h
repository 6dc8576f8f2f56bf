// A process as a kernel object: signalled when the process has ended. A child of this process
// is reaped when its end is seen, which gives its exit code; any other process is watched
// through /proc and reports no exit code.
#pragma once

#include "platform/user/KernelObject.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform::system {

class ProcessObject final : public KernelObject {
public:
    // `executable`: the path read when the process was opened, "" when not known (a child may
    // not have started its program yet).
    ProcessObject(std::uint32_t pid, bool is_child, std::string executable = {});

    char const* type_name() const override { return "process"; }
    bool is_signalled() const override;
    bool needs_polling() const override { return true; }

    std::uint32_t pid() const { return m_pid; }
    // STILL_ACTIVE (259) while it runs.
    DWORD exit_code() const;
    bool terminate(unsigned exit_code);
    // The process's executable while it runs, nullopt once it has ended. A process keeps the
    // program it was opened with (as an image on the original platform does, even through an
    // exec here), so the path read at opening is answered, after a check that the process has
    // not ended which reads nothing.
    std::optional<std::string> executable() const;

private:
    // Called with wait_mutex() held.
    void look() const;
    bool has_ended_since_opened() const;

    std::uint32_t m_pid;
    bool m_is_child;
    std::string m_executable;
    mutable bool m_ended { false };
    mutable DWORD m_exit_code { 259 };
};

}
