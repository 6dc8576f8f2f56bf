// The processes of the machine as /proc shows them, under the names the programs look for:
// an executable "X" is the module "X.exe", a shared object "X.so" the module "X.dll". A process
// whose executable cannot be read (another user's, a kernel thread) cannot be opened.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

std::vector<std::uint32_t> process_ids();

// A process as opening it finds it: running with an executable that can be named, running but
// hidden (another user's, a kernel thread), or gone (ended, ended but not yet reaped, or never
// there). `executable` is the full path when named.
enum class ProcessPresence { Gone, Hidden, Named };
struct ProcessSighting {
    ProcessPresence presence;
    std::string executable;
};
ProcessSighting look_at_process(std::uint32_t pid);
// The fields of /proc/<pid>/stat after the command name (which may hold blanks and
// parentheses itself): the state letter first. Nothing when the process is gone.
std::optional<std::vector<std::string>> process_stat_fields(std::uint32_t pid);
bool process_exists(std::uint32_t pid);
// The full path of the process's executable, or nullopt when it cannot be read.
std::optional<std::string> process_executable(std::uint32_t pid);
// This process's executable, read once: a process keeps its program for its life.
std::optional<std::string> own_executable();

// The parent (0 for the first process) and the thread count, read together; zeros when the
// process cannot be read.
struct ProcessStatus {
    std::uint32_t parent { 0 };
    unsigned threads { 0 };
};
ProcessStatus process_status(std::uint32_t pid);

// "SysHelper" → "SysHelper.exe", "libfoo.so" → "libfoo.dll"; the name of a file as the
// original platform's module functions answer it.
std::string original_module_name(std::string_view file_name);
// The inverse for program names: "VxSwap.exe" → "VxSwap", "VxWLAPI.dll" → "VxWLAPI.so".
std::string linux_file_name(std::string_view original_name);
// The file a program names the original platform's way: "\\" read as "/", and a ".dll" or
// ".exe" name that does not exist as written taken as its Linux file ("X.so", then "libX.so";
// "X"). Answers the path as written (with "/") when none exists.
std::string program_file_path(std::string_view path);

// A process id written as text (a "/proc" entry, a status field, the name of a runtime record):
// decimal digits with no sign or blank, from 1 to the largest id the kernel gives; anything else
// names no process.
std::optional<std::uint32_t> parse_process_id(std::string_view text);

// A session id written as text, with one trailing newline allowed (as the files end); the
// kernel's "unset" value 4294967295 is no session.
std::optional<std::uint32_t> parse_session_id(std::string_view text);

// The login session of this process: ZORVEL_SESSION_ID when set, else the kernel's audit
// session of the process, else 1.
std::uint32_t own_session_id();

}
