// What a process tells the user's other processes about its top-level windows: one small
// file per process in the per-user runtime folder, naming the process (its id and start
// time, so that a file left by a killed process is not taken for a new process with the same
// id) and, for each window, its handle, class name and title. The parser takes the file as
// untrusted bytes and answers nothing for a malformed one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

struct WindowRecord {
    std::uint32_t handle { 0 };
    std::string class_name;
    std::string title;
    bool operator==(WindowRecord const&) const = default;
};

struct ProcessWindows {
    std::uint32_t pid { 0 };
    std::uint64_t start_time { 0 };
    std::vector<WindowRecord> windows;
    bool operator==(ProcessWindows const&) const = default;
};

std::string format_process_windows(ProcessWindows const& record);
std::optional<ProcessWindows> parse_process_windows(std::string_view text);

// The kernel's start time of `pid` (clock ticks since boot), or nullopt when the process is
// gone or a zombie: the pair (pid, start time) names one process for its whole life.
std::optional<std::uint64_t> process_start_time(std::uint32_t pid);
bool process_is_alive(std::uint32_t pid, std::uint64_t start_time);

// The folder of the records and mailboxes, inside the per-user runtime folder; created 0700.
std::string window_folder();
std::string record_path(std::string const& folder, std::uint32_t pid);
std::string mailbox_path(std::string const& folder, std::uint32_t pid);

// Removes the records and mailboxes in `folder` that killed processes left behind: those of a
// process that is gone, and a record (with its mailbox) naming another process's start time.
void remove_dead_records(std::string const& folder);

}
