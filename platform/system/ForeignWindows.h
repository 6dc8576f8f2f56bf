// Top-level windows across the user's processes. Each process publishes the handle, class
// and title of its top-level windows (WindowRecords.h) and receives posted messages through
// its mailbox (WindowMailbox.h); both are kept current by following this process's windows
// through the window core's observer. FindWindow then finds another process's window by
// class or title and answers a handle with the foreign bit set; PostMessage to that handle
// drops a letter into the owner's mailbox, whose receiving thread posts it to the window.
// Installed when the library loads. Under test (ZORVEL_TEST set) windows are shared only
// when the test names its own runtime folder (ZORVEL_RUNTIME_DIR), so that test programs
// running side by side never find each other's windows.
#pragma once

#include "platform/system/WindowMailbox.h"
#include "platform/system/WindowRecords.h"
#include "platform/user/WindowCore.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace platform::system {

class ForeignWindows final : public user::WindowObserver {
public:
    static ForeignWindows& the();

    // The hooks of the window core.
    HWND find(LPCSTR class_name, LPCSTR title);
    bool post(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    bool exists(HWND hwnd);

    void window_created(HWND hwnd) override;
    void window_destroyed(HWND hwnd) override;
    void window_text_changed(HWND hwnd) override;

    // Removes this process's record and closes its mailbox (at exit).
    void withdraw();
    // False under test unless the test named a runtime folder of its own.
    static bool shared();
    // Opens the mailbox before any window exists, for letters to the whole process
    // (ProcessLetters.h); false when this process shares no windows.
    bool open_mailbox();

private:
    struct Target {
        std::uint32_t pid;
        std::uint64_t start_time;
        std::uint32_t handle;
        bool operator==(Target const&) const = default;
    };

    void changed(bool titled);
    void publish();
    bool reopen_mailbox(std::string const& folder);
    void deliver(Letter const& letter);
    std::vector<ProcessWindows> other_processes(std::string const& folder) const;
    HWND handle_for(Target const& target);
    std::optional<Target> target_of(HWND hwnd) const;

    struct Own {
        HWND hwnd;
        WindowRecord record;
    };

    mutable std::mutex m_mutex;
    std::vector<Own> m_windows; // this process's top-level windows, in creation order
    std::vector<Target> m_targets; // foreign handle = foreign bit | (index + 1)
    std::string m_folder; // where the record and mailbox are
    std::string m_published;
    WindowMailbox m_mailbox;
    std::uint32_t m_owner { 0 }; // the process that opened the mailbox (not a forked child)
    bool m_exit_registered { false };
    std::atomic<bool> m_publish_pending { false }; // untitled changes not yet written
};

}
