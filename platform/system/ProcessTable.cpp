#include "platform/system/ProcessTable.h"

#include "platform/system/IniDocument.h"
#include "platform/system/ParseInteger.h"
#include "platform/system/Paths.h"
#include "platform/system/TextSplit.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system {

namespace {

bool ends_with_ignoring_case(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && equal_ignoring_case(text.substr(text.size() - suffix.size()), suffix);
}

std::optional<std::string_view> status_field(std::string_view text, std::string_view field)
{
    std::string const key = "\n" + std::string(field) + ":";
    size_t const at = text.find(key);
    if (at == std::string_view::npos)
        return std::nullopt;
    size_t const start = at + key.size();
    return trim_blanks(text.substr(start, text.find('\n', start) - start));
}

// Tests run programs side by side, each in a runtime folder of its own (ZORVEL_RUNTIME_DIR:
// its named objects and window records). Under test such a folder is a session of its own: a
// program sees only the processes started with the same folder, so one test's mode switcher is
// not another test's running switcher.
bool same_test_session(std::uint32_t pid, std::string const& folder)
{
    std::string environment;
    if (!read_whole_file("/proc/" + std::to_string(pid) + "/environ", environment))
        return false;
    std::string const wanted = "ZORVEL_RUNTIME_DIR=" + folder;
    for (size_t at = 0; at < environment.size();) {
        size_t end = environment.find('\0', at);
        if (end == std::string::npos)
            end = environment.size();
        if (std::string_view(environment).substr(at, end - at) == wanted)
            return true;
        at = end + 1;
    }
    return false;
}

}

std::vector<std::uint32_t> process_ids()
{
    std::vector<std::uint32_t> ids;
    DIR* folder = ::opendir("/proc");
    if (!folder)
        return ids;
    char const* test_folder = std::getenv("ZORVEL_TEST") ? std::getenv("ZORVEL_RUNTIME_DIR") : nullptr;
    // The list has no order a caller may count on; this process comes first. A program that
    // looks for itself by name (the station utility does at every start, to learn its session)
    // then finds itself at once instead of opening every process on the machine before it. It
    // is in its own session also under test, where it may have set its runtime folder after it
    // started.
    auto const own = static_cast<std::uint32_t>(::getpid());
    ids.push_back(own);
    while (dirent* entry = ::readdir(folder)) {
        auto pid = parse_process_id(entry->d_name);
        if (pid && *pid != own && (!test_folder || same_test_session(*pid, test_folder)))
            ids.push_back(*pid);
    }
    ::closedir(folder);
    return ids;
}

namespace {

// The target of a link under /proc/<pid>/ into `target`: 0, else the error of the read.
int read_process_link(std::uint32_t pid, char const* name, std::string& target)
{
    char buffer[4096];
    std::string const link = "/proc/" + std::to_string(pid) + "/" + name;
    ssize_t const n = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
    if (n < 0)
        return errno;
    if (n == 0)
        return ENOENT;
    target.assign(buffer, static_cast<size_t>(n));
    return 0;
}

// A file removed or replaced since the process started is named with " (deleted)" after it.
int read_executable_link(std::uint32_t pid, std::string& path)
{
    int const error = read_process_link(pid, "exe", path);
    constexpr std::string_view deleted = " (deleted)";
    if (error == 0 && path.ends_with(deleted))
        path.resize(path.size() - deleted.size());
    return error;
}

}

std::optional<std::vector<std::string>> process_stat_fields(std::uint32_t pid)
{
    std::string text;
    if (!read_whole_file("/proc/" + std::to_string(pid) + "/stat", text))
        return std::nullopt;
    size_t const close = text.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    return split_words(std::string_view(text).substr(close + 1));
}

// A search looks at every process of the machine, so each is told apart with as few reads as
// can be. The executable link answers most: named, or refused (another user's process or
// kernel thread, which runs). Without one (ENOENT) it is a kernel thread, which still has a
// working folder, or a process that ends or has ended: its state tells a zombie (or an id
// nobody has) from one still on its way out, which runs until it is a zombie.
ProcessSighting look_at_process(std::uint32_t pid)
{
    ProcessSighting sighting { ProcessPresence::Gone, {} };
    if (pid == 0)
        return sighting;
    int const error = read_executable_link(pid, sighting.executable);
    if (error == 0) {
        sighting.presence = ProcessPresence::Named;
        return sighting;
    }
    std::string folder;
    if (error == EACCES || read_process_link(pid, "cwd", folder) != ENOENT) {
        sighting.presence = ProcessPresence::Hidden;
        return sighting;
    }
    if (auto const fields = process_stat_fields(pid); fields && !fields->empty() && (*fields)[0] != "Z" && (*fields)[0] != "X")
        sighting.presence = ProcessPresence::Hidden;
    return sighting;
}

bool process_exists(std::uint32_t pid)
{
    return look_at_process(pid).presence != ProcessPresence::Gone;
}

std::optional<std::string> process_executable(std::uint32_t pid)
{
    std::string path;
    if (pid == 0 || read_executable_link(pid, path) != 0)
        return std::nullopt;
    return path;
}

std::optional<std::string> own_executable()
{
    static std::optional<std::string> const path = process_executable(static_cast<std::uint32_t>(::getpid()));
    return path;
}

ProcessStatus process_status(std::uint32_t pid)
{
    ProcessStatus status;
    std::string text;
    if (!read_whole_file("/proc/" + std::to_string(pid) + "/status", text))
        return status;
    // The first process's parent is 0: a number, but no process.
    if (auto value = status_field(text, "PPid"))
        status.parent = parse_integer<std::uint32_t>(*value).value_or(0);
    if (auto value = status_field(text, "Threads"))
        status.threads = parse_integer<unsigned>(*value).value_or(0);
    return status;
}

std::string original_module_name(std::string_view file_name)
{
    if (file_name.ends_with(".so"))
        return std::string(file_name.substr(0, file_name.size() - 3)) + ".dll";
    return std::string(file_name) + ".exe";
}

std::string linux_file_name(std::string_view original_name)
{
    if (ends_with_ignoring_case(original_name, ".exe"))
        return std::string(original_name.substr(0, original_name.size() - 4));
    if (ends_with_ignoring_case(original_name, ".dll"))
        return std::string(original_name.substr(0, original_name.size() - 4)) + ".so";
    return std::string(original_name);
}

std::optional<std::uint32_t> parse_process_id(std::string_view text)
{
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    auto const pid = parse_integer<pid_t>(text);
    if (!pid || *pid <= 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(*pid);
}

std::optional<std::uint32_t> parse_session_id(std::string_view text)
{
    if (text.ends_with('\n'))
        text.remove_suffix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    auto const id = parse_integer<std::uint32_t>(text);
    if (!id || *id == 0xFFFFFFFFu)
        return std::nullopt;
    return id;
}

std::string program_file_path(std::string_view path)
{
    std::string written(path);
    std::replace(written.begin(), written.end(), '\\', '/');
    auto exists = [](std::string const& p) {
        struct stat info {};
        return ::stat(p.c_str(), &info) == 0;
    };
    if (exists(written))
        return written;
    std::string const folder = folder_of(written);
    std::string const linux_name = linux_file_name(base_name_of(written));
    for (std::string const& candidate : { folder + linux_name, folder + "lib" + linux_name }) {
        if (exists(candidate))
            return candidate;
    }
    return written;
}

// A ZORVEL_SESSION_ID that is not a session id is ignored, as an unset one. The kernel's
// session of a process is fixed for its life, so it is read once; the variable is asked each
// time, as tests set it.
std::uint32_t own_session_id()
{
    if (char const* value = std::getenv("ZORVEL_SESSION_ID"); value && *value) {
        if (auto id = parse_session_id(value))
            return *id;
    }
    static std::uint32_t const kernel_session = [] {
        std::string text;
        if (read_whole_file("/proc/self/sessionid", text)) {
            if (auto id = parse_session_id(text); id && *id != 0)
                return *id;
        }
        return std::uint32_t { 1 };
    }();
    return kernel_session;
}

}
