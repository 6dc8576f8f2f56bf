#include "platform/system/Spawner.h"

#include "platform/system/IniDocument.h"
#include "platform/system/Paths.h"
#include "platform/system/ProcessTable.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform::system {

namespace {

bool is_runnable(std::string const& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool is_script(std::string_view name)
{
    return name.size() > 4
        && (equal_ignoring_case(name.substr(name.size() - 4), ".bat")
            || equal_ignoring_case(name.substr(name.size() - 4), ".cmd"));
}

bool exists_as_file(std::string const& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> search_folders()
{
    std::vector<std::string> folders;
    if (auto self = own_executable())
        folders.push_back(folder_of(*self));
    folders.push_back("./");
    folders.push_back(system_dir() + "/");
    if (char const* path = std::getenv("PATH")) {
        std::string_view list(path);
        while (!list.empty()) {
            size_t colon = list.find(':');
            std::string folder(list.substr(0, colon));
            if (!folder.empty())
                folders.push_back(folder + "/");
            list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
        }
    }
    return folders;
}

std::optional<std::string> first_match(std::string const& folder, std::string_view program)
{
    std::string mapped = folder + linux_file_name(program);
    std::string given = folder + std::string(program);
    if (is_script(program))
        return exists_as_file(given) ? std::optional(given) : std::nullopt;
    if (is_runnable(mapped))
        return mapped;
    if (is_runnable(given))
        return given;
    return std::nullopt;
}

// A script's environment: the program's folder and the system folder ahead of PATH, as the
// command interpreter the scripts were written for found the system's programs first.
std::vector<std::string> script_environment()
{
    std::string path;
    if (auto self = own_executable())
        path = folder_of(*self) + ":";
    path += system_dir();
    if (char const* rest = std::getenv("PATH"); rest && *rest)
        path += std::string(":") + rest;
    std::vector<std::string> environment { "PATH=" + path };
    for (char** entry = environ; *entry; ++entry) {
        if (std::string_view(*entry).rfind("PATH=", 0) != 0)
            environment.emplace_back(*entry);
    }
    return environment;
}

}

std::optional<std::string> resolve_program(std::string_view program)
{
    if (program.empty())
        return std::nullopt;
    if (program.find('/') != std::string_view::npos) {
        std::string folder = folder_of(std::string(program));
        return first_match(folder, base_name_of(std::string(program)));
    }
    for (auto const& folder : search_folders()) {
        if (auto found = first_match(folder, program))
            return found;
    }
    return std::nullopt;
}

std::uint32_t spawn_process(SpawnRequest const& request)
{
    if (request.arguments.empty()) {
        errno = EINVAL;
        return 0;
    }
    auto file = resolve_program(request.arguments[0]);
    if (!file) {
        errno = ENOENT;
        return 0;
    }
    std::vector<std::string> arguments = request.arguments;
    std::vector<std::string> environment;
    if (is_script(*file)) {
        arguments[0] = *file;
        arguments.insert(arguments.begin(), "/bin/sh");
        file = "/bin/sh";
        environment = script_environment();
    }
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!request.folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, request.folder.c_str());
    if (request.output_fd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, request.output_fd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, request.output_fd, STDERR_FILENO);
    }
    pid_t pid = 0;
    int error = ::posix_spawn(&pid, file->c_str(), &actions, nullptr, argv.data(),
        environment.empty() ? environ : envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        errno = error;
        return 0;
    }
    return static_cast<std::uint32_t>(pid);
}

std::uint32_t spawn_detached(SpawnRequest const& request)
{
    std::uint32_t const pid = spawn_process(request);
    if (pid != 0)
        std::thread([pid] { ::waitpid(static_cast<pid_t>(pid), nullptr, 0); }).detach();
    return pid;
}

RunResult run_and_capture(std::vector<std::string> const& arguments, unsigned timeout_ms)
{
    RunResult result;
    int pipe_fds[2];
    if (::pipe2(pipe_fds, O_CLOEXEC) != 0)
        return result;
    SpawnRequest request { arguments, {}, pipe_fds[1] };
    std::uint32_t pid = spawn_process(request);
    ::close(pipe_fds[1]);
    if (pid == 0) {
        ::close(pipe_fds[0]);
        return result;
    }
    result.started = true;
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timed_out = true;
            ::kill(static_cast<pid_t>(pid), SIGKILL);
            break;
        }
        pollfd entry { pipe_fds[0], POLLIN, 0 };
        if (::poll(&entry, 1, static_cast<int>(left.count())) <= 0)
            continue;
        ssize_t n = ::read(pipe_fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // every writer closed: the program and its children are done with the output
        result.output.append(buffer, static_cast<size_t>(n));
    }
    ::close(pipe_fds[0]);
    int status = 0;
    ::waitpid(static_cast<pid_t>(pid), &status, 0);
    if (!result.timed_out)
        result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}
