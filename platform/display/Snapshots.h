// Snapshots of a run for a person or a script: every visible top-level window as a PNG file
// ("01-<title>.png", top of the z-order first), the tray model as "tray.txt" (one line per
// icon: its id, a tab, its tip) and the window tree as "windows.txt" (see WindowTreeDump.h),
// written into one folder on request.
#pragma once

#include "platform/display/UiMarshal.h"
#include "platform/user/WindowCore.h"

#include <string>
#include <thread>
#include <vector>

namespace platform::display {

// Writes one snapshot now; user-interface thread only. Answers the files written (their
// names, not paths); files of a previous snapshot that names no longer match are removed
// by the session, not here.
std::vector<std::string> write_snapshot(std::string const& folder);

// While it lives, SIGUSR1 makes the user-interface thread write a snapshot into `folder`.
// The program's last look is kept too: when a visible top-level window starts to be destroyed,
// a snapshot is written while it still shows (once per burst of destruction: the windows a
// tear-down destroys one after another are caught in their first one's snapshot). When the
// session ends it writes one last snapshot only if a window still shows; otherwise the folder
// keeps the last look. One session at a time.
class SnapshotSession : private user::WindowObserver {
public:
    explicit SnapshotSession(std::string folder);
    ~SnapshotSession();
    SnapshotSession(SnapshotSession const&) = delete;
    SnapshotSession& operator=(SnapshotSession const&) = delete;

    std::string const& folder() const { return m_folder; }
    // How many snapshots were written so far.
    int count() const { return m_count; }
    void write_now();

private:
    void watch_signal();
    void window_destroying(HWND) override;
    void write();

    std::string m_folder;
    UiMarshal m_marshal;
    std::vector<std::string> m_written;
    int m_count {};
    bool m_in_teardown {};
    int m_pipe[2] { -1, -1 };
    std::thread m_watcher;
};

// The folder named by VX_SNAPSHOT_DIR; empty when it is not set.
std::string snapshot_folder_from_environment();

}
