#include "platform/system/Process.h"

#include "platform/system/CommandLine.h"
#include "platform/system/IniDocument.h"
#include "platform/system/ProcessTable.h"
#include "platform/system/Spawner.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include "TempFolder.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::system::equal_ignoring_case;

// The lookup the station utility makes, on the process-status path.
DWORD find_process_id_by_name(char const* name)
{
    DWORD ids[1024], bytes = 0;
    if (!EnumProcesses(ids, sizeof ids, &bytes))
        return 0;
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
        if (!process)
            continue;
        HMODULE module = nullptr;
        DWORD needed = 0;
        char base[260] = "";
        if (EnumProcessModules(process, &module, sizeof module, &needed))
            GetModuleBaseName(process, module, base, sizeof base);
        CloseHandle(process);
        if (equal_ignoring_case(base, name))
            return ids[i];
    }
    return 0;
}

// The same on the tool-help path: a prefix of the module name, without regard to case.
DWORD find_process_id_by_snapshot(char const* name)
{
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(processes, &entry); more && !found; more = Process32Next(processes, &entry)) {
        HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, entry.th32ProcessID);
        if (modules == INVALID_HANDLE_VALUE)
            continue;
        MODULEENTRY32 module {};
        module.dwSize = sizeof module;
        for (BOOL next = Module32First(modules, &module); next; next = Module32Next(modules, &module)) {
            if (equal_ignoring_case(std::string_view(module.szModule).substr(0, std::strlen(name)), name))
                found = entry.th32ProcessID;
        }
        CloseHandle(modules);
    }
    CloseHandle(processes);
    return found;
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.use_for_system_services();
        ::setenv("ZORVEL_HELPER_OUT", m_folder.file("args.txt").c_str(), 1);
        ::setenv("ZORVEL_HELPER_FIFO", m_folder.file("hold").c_str(), 1);
        ::mkfifo(m_folder.file("hold").c_str(), 0600);
    }
    void TearDown() override
    {
        ::unsetenv("ZORVEL_HELPER_OUT");
        ::unsetenv("ZORVEL_HELPER_FIFO");
        ::unsetenv("ZORVEL_HELPER_EXIT");
    }
    // Blocks until the helper has written its arguments and opened the pipe; the helper
    // runs until the returned descriptor is closed.
    int hold_helper() { return ::open(m_folder.file("hold").c_str(), O_WRONLY); }
    std::vector<std::string> helper_arguments()
    {
        std::ifstream in(m_folder.file("args.txt"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    platform::system::testing::TempFolder m_folder;
};

TEST_F(ProcessTest, WinExecPassesExactlyTheArgumentsOfTheLineAndTheProgramCanBeFound)
{
    // A copy under a name of its own, so that helpers started by tests running beside this
    // one are not found in its place.
    std::string name = "Probe" + std::to_string(::getpid());
    std::filesystem::copy_file(ZORVEL_TEST_BIN_DIR "/SysHelper", m_folder.file(name));
    ::setenv("LD_LIBRARY_PATH", ZORVEL_TEST_LIB_DIR, 1); // the copy's own folder has no libraries
    std::string line = "\"" + m_folder.file(name) + ".exe\" ON Zorvel \"Hot vane\" \"C:\\Program Files\\Vx\\\\\" "
                       "\"say \\\"hi\\\"\" {5D624F94}\\VWIFIMP";
    UINT result = WinExec(line.c_str(), 0);
    ASSERT_GT(result, 31u);
    int hold = hold_helper();
    ASSERT_GE(hold, 0);
    auto arguments = helper_arguments();
    ASSERT_EQ(arguments.size(), 7u);
    std::vector<std::string> expected { "ON", "Zorvel", "Hot vane", "C:\\Program Files\\Vx\\", "say \"hi\"",
        "{5D624F94}\\VWIFIMP" };
    EXPECT_EQ(std::vector<std::string>(arguments.begin() + 1, arguments.end()), expected);

    std::string upper = name;
    for (auto& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    DWORD pid = find_process_id_by_name((upper + ".exe").c_str());
    ASSERT_NE(pid, 0u);
    EXPECT_EQ(find_process_id_by_snapshot(upper.c_str()), pid);
    EXPECT_EQ(find_process_id_by_name(name.c_str()), 0u);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    ASSERT_NE(process, nullptr);
    ::close(hold);
    EXPECT_EQ(WaitForSingleObject(process, INFINITE), WAIT_OBJECT_0);
    CloseHandle(process);
    EXPECT_EQ(find_process_id_by_name((name + ".exe").c_str()), 0u);
}

// Under test a runtime folder is a session of its own: a program started with another folder
// is not among the running processes, so tests side by side do not see each other's programs.
TEST_F(ProcessTest, UnderTestOnlyProgramsOfTheSameRuntimeFolderRun)
{
    std::string name = "Session" + std::to_string(::getpid());
    std::filesystem::copy_file(ZORVEL_TEST_BIN_DIR "/SysHelper", m_folder.file(name));
    ::setenv("LD_LIBRARY_PATH", ZORVEL_TEST_LIB_DIR, 1);
    char const* before = std::getenv("ZORVEL_RUNTIME_DIR");
    std::string const saved = before ? before : "";
    ::setenv("ZORVEL_RUNTIME_DIR", m_folder.file("run-a").c_str(), 1);
    ASSERT_GT(WinExec(("\"" + m_folder.file(name) + ".exe\"").c_str(), 0), 31u);
    int hold = hold_helper();
    ASSERT_GE(hold, 0);
    EXPECT_NE(find_process_id_by_name((name + ".exe").c_str()), 0u);
    ::setenv("ZORVEL_RUNTIME_DIR", m_folder.file("run-b").c_str(), 1);
    EXPECT_EQ(find_process_id_by_name((name + ".exe").c_str()), 0u);
    if (saved.empty())
        ::unsetenv("ZORVEL_RUNTIME_DIR");
    else
        ::setenv("ZORVEL_RUNTIME_DIR", saved.c_str(), 1);
    ::close(hold);
}

TEST_F(ProcessTest, CreateProcessGivesAHandleSignalledAtTheEndWithTheExitCode)
{
    ::unsetenv("ZORVEL_HELPER_FIFO");
    ::setenv("ZORVEL_HELPER_EXIT", "7", 1);
    PROCESS_INFORMATION information {};
    char line[] = "SysHelper.exe a";
    ASSERT_TRUE(CreateProcess(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, m_folder.path().c_str(), nullptr,
        &information));
    EXPECT_NE(information.dwProcessId, 0u);
    ASSERT_EQ(WaitForSingleObject(information.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(information.hProcess, &code));
    EXPECT_EQ(code, 7u);
    CloseHandle(information.hProcess);
    CloseHandle(information.hThread);
}

// OpenProcess opens a running process, and refuses an ended one not yet reaped (a zombie) and
// process 0 as processes that do not exist.
TEST_F(ProcessTest, OpenProcessOpensRunningProcessesOnly)
{
    HANDLE own = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(::getpid()));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(WaitForSingleObject(own, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(own);

    pid_t const child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    siginfo_t info {};
    // Waits for the end without reaping: the child stays a zombie until waitpid below.
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    for (DWORD pid : { static_cast<DWORD>(child), DWORD { 0 } }) {
        SCOPED_TRACE(pid);
        SetLastError(0);
        EXPECT_EQ(OpenProcess(SYNCHRONIZE, FALSE, pid), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    ::waitpid(child, nullptr, 0);
}

// What OpenProcess should answer for `pid`, read from /proc another way: a process whose
// executable can be named opens; one that runs (its state is not Z) but cannot be named is
// refused; anything else does not exist.
struct ExpectedOpening {
    HANDLE opens; // non-null: opens; null: refused with `error`
    DWORD error;
    std::string executable;
    bool operator==(ExpectedOpening const&) const = default;
};

ExpectedOpening expected_opening(DWORD pid)
{
    std::string const folder = "/proc/" + std::to_string(pid);
    std::error_code error;
    auto executable = std::filesystem::read_symlink(folder + "/exe", error);
    if (!error) {
        std::string path = executable.string();
        if (path.ends_with(" (deleted)"))
            path.resize(path.size() - 10);
        return { reinterpret_cast<HANDLE>(1), 0, path };
    }
    std::ifstream stat(folder + "/stat");
    std::string line;
    std::getline(stat, line);
    size_t const close = line.rfind(')');
    bool const runs = pid != 0 && close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
    return { nullptr, DWORD(runs ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER), {} };
}

// Every process of the machine (not only this test's session), kernel threads among them, and
// ids no process has: the largest the kernel gives is one less than pid_max.
std::vector<DWORD> every_process_and_some_unused()
{
    std::vector<DWORD> ids { 0, 0x7FFFFFFFu, 0xFFFFFFFFu };
    std::ifstream("/proc/sys/kernel/pid_max") >> ids.emplace_back();
    for (auto const& entry : std::filesystem::directory_iterator("/proc")) {
        if (auto pid = platform::system::parse_process_id(entry.path().filename().string()))
            ids.push_back(*pid);
    }
    return ids;
}

TEST_F(ProcessTest, OpeningAnswersForEveryProcessWhatProcShows)
{
    int compared = 0;
    for (DWORD pid : every_process_and_some_unused()) {
        SCOPED_TRACE(pid);
        auto const before = expected_opening(pid);
        SetLastError(0);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        DWORD const error = process ? 0 : GetLastError();
        char base[260] = "", path[4096] = "";
        if (process) {
            GetModuleBaseName(process, nullptr, base, sizeof base);
            GetModuleFileNameEx(process, nullptr, path, sizeof path);
            CloseHandle(process);
        }
        DWORD session = 0;
        BOOL const has_session = ProcessIdToSessionId(pid, &session);
        DWORD const session_error = has_session ? 0 : GetLastError();
        // A process that started or ended meanwhile proves nothing.
        if (expected_opening(pid) != before)
            continue;
        ++compared;
        EXPECT_EQ(process != nullptr, before.opens != nullptr);
        EXPECT_EQ(error, before.error);
        EXPECT_EQ(path, before.executable);
        if (process) {
            EXPECT_EQ(base, platform::system::original_module_name(std::filesystem::path(before.executable).filename().string()));
        }
        EXPECT_EQ(session_error, before.error);
    }
    EXPECT_GT(compared, 4);
}

// A handle answers the name of the process it opened while the process runs, and nothing once
// it has ended: not yet reaped (a zombie) and after.
TEST_F(ProcessTest, AnOpenedProcessThatEndsNoLongerAnswersItsName)
{
    int hold[2];
    ASSERT_EQ(::pipe(hold), 0);
    pid_t const child = ::fork();
    if (child == 0) {
        char byte;
        ::close(hold[1]);
        (void)!::read(hold[0], &byte, 1);
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ::close(hold[0]);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(child));
    ASSERT_NE(process, nullptr);
    char name[260] = "";
    EXPECT_EQ(GetModuleBaseName(process, nullptr, name, sizeof name), std::strlen("platform_system_tests.exe"));
    EXPECT_STREQ(name, "platform_system_tests.exe");

    ::close(hold[1]);
    siginfo_t info {};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    for (bool reaped : { false, true }) {
        SCOPED_TRACE(reaped ? "reaped" : "not yet reaped");
        SetLastError(0);
        EXPECT_EQ(GetModuleBaseName(process, nullptr, name, sizeof name), 0u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        SetLastError(0);
        EXPECT_EQ(GetModuleFileNameEx(process, nullptr, name, sizeof name), 0u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        DWORD session = 0;
        EXPECT_FALSE(ProcessIdToSessionId(static_cast<DWORD>(child), &session));
        EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
        ::waitpid(child, nullptr, 0);
    }
    CloseHandle(process);
}

TEST_F(ProcessTest, TheSnapshotGivesEachProcessItsParentAndThreads)
{
    PROCESS_INFORMATION information {};
    char line[] = "SysHelper.exe";
    ASSERT_TRUE(CreateProcess(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, m_folder.path().c_str(), nullptr,
        &information));
    int hold = hold_helper();
    ASSERT_GE(hold, 0);
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(processes, INVALID_HANDLE_VALUE);
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(processes, &entry); more && !found; more = Process32Next(processes, &entry))
        found = entry.th32ProcessID == information.dwProcessId;
    CloseHandle(processes);
    ::close(hold);
    EXPECT_EQ(WaitForSingleObject(information.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(information.hProcess);
    CloseHandle(information.hThread);
    ASSERT_TRUE(found);
    EXPECT_EQ(entry.th32ParentProcessID, static_cast<DWORD>(::getpid()));
    EXPECT_GE(entry.cntThreads, 1u);
    EXPECT_STREQ(entry.szExeFile, "SysHelper.exe");
}

TEST_F(ProcessTest, AMissingProgramIsReported)
{
    EXPECT_EQ(WinExec("\"NoSuchProgram.exe\" ON", 0), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(WinExec("", 0), ERROR_FILE_NOT_FOUND);
    PROCESS_INFORMATION information {};
    char line[] = "NoSuchProgram.exe";
    EXPECT_FALSE(CreateProcess(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &information));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(ProcessTest, RunnerCollectsOutputAndExitCode)
{
    std::ofstream(m_folder.file("PingTest.bat")) << "echo reply from $1\nexit 3\n";
    auto result = platform::system::run_and_capture({ m_folder.file("PingTest.bat"), "10.0.0.1" }, 60000);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timed_out);
    EXPECT_EQ(result.exit_code, 3);
    EXPECT_EQ(result.output, "reply from 10.0.0.1\n");
    EXPECT_FALSE(platform::system::run_and_capture({ "NoSuchProgram.exe" }, 1000).started);
}

// A script finds the system folder's programs before the machine's own of the same name.
TEST_F(ProcessTest, ScriptsFindTheSystemFolderFirst)
{
    std::filesystem::create_directory(m_folder.file("system32"));
    std::string const tool = m_folder.file("system32/ping");
    std::ofstream(tool) << "#!/bin/sh\necho stand-in ping $1\n";
    ::chmod(tool.c_str(), 0755);
    ::setenv("ZORVEL_SYSTEM_DIR", m_folder.file("system32").c_str(), 1);
    std::ofstream(m_folder.file("Ping.bat")) << "ping 10.0.0.1\n";
    auto result = platform::system::run_and_capture({ m_folder.file("Ping.bat") }, 60000);
    ::unsetenv("ZORVEL_SYSTEM_DIR");
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.output, "stand-in ping 10.0.0.1\n");
}

TEST_F(ProcessTest, SessionsAndVersionOfThisProcess)
{
    ::setenv("ZORVEL_SESSION_ID", "3", 1);
    DWORD session = 0;
    ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &session));
    EXPECT_EQ(session, 3u);
    ::unsetenv("ZORVEL_SESSION_ID");
    EXPECT_EQ(GetVersion(), 0x0A280105u) << "5.1, build 2600, high bit clear";
    OSVERSIONINFO info {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(info.dwOSVersionInfoSize, sizeof info);
    info.dwOSVersionInfoSize = 8;
    EXPECT_FALSE(GetVersionEx(&info));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_FALSE(GetVersionEx(nullptr));
    BOOL wow64 = TRUE;
    EXPECT_TRUE(IsWow64Process(nullptr, &wow64));
    EXPECT_FALSE(wow64);
    auto back = platform::system::split_command_line(GetCommandLine());
    ASSERT_FALSE(back.empty());
    EXPECT_TRUE(back[0].ends_with("platform_system_tests"));
}

// A program looking for itself by name finds itself, and first: other programs of the same
// name (other instances of this test binary run beside it) are not opened before it.
TEST_F(ProcessTest, ThisProcessIsListedFirst)
{
    DWORD ids[1024], bytes = 0;
    ASSERT_TRUE(EnumProcesses(ids, sizeof ids, &bytes));
    ASSERT_GT(bytes, 0u);
    EXPECT_EQ(ids[0], GetCurrentProcessId());
    EXPECT_EQ(find_process_id_by_name("platform_system_tests.exe"), GetCurrentProcessId());
}

// Process ids come from "/proc" entries and the names of runtime records ("<pid>.windows"):
// "12abc" or "+12" is no process, where a lenient reader saw process 12.
TEST(ProcessIds, OnlyPlainDecimalIdsInRangeNameAProcess)
{
    struct Case {
        char const* name;
        char const* text;
        std::uint32_t expected; // 0: none
    };
    constexpr Case cases[] = {
        { "first", "1", 1 },
        { "typical", "4194304", 4194304 },
        { "largest", "2147483647", 2147483647u },
        { "past the largest", "2147483648", 0 },
        { "far past", "99999999999999999999", 0 },
        { "zero", "0", 0 },
        { "negative", "-1", 0 },
        { "signed", "+12", 0 },
        { "trailing letters", "12abc", 0 },
        { "leading blank", " 12", 0 },
        { "trailing newline", "12\n", 0 },
        { "empty", "", 0 },
        { "self", "self", 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::system::parse_process_id(c.text).value_or(0), c.expected);
    }
}

TEST(SessionIds, TheKernelsUnsetValueAndDamagedTextAreNoSession)
{
    struct Case {
        char const* name;
        char const* text;
        std::optional<std::uint32_t> expected;
    };
    const Case cases[] = {
        { "plain", "3", 3u },
        { "as the file ends", "3\n", 3u },
        { "zero", "0", 0u },
        { "largest real", "4294967294", 4294967294u },
        { "unset", "4294967295", std::nullopt },
        { "unset with newline", "4294967295\n", std::nullopt },
        { "past the range", "4294967296", std::nullopt },
        { "negative", "-1", std::nullopt },
        { "two newlines", "3\n\n", std::nullopt },
        { "trailing letters", "3x", std::nullopt },
        { "empty", "", std::nullopt },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::system::parse_session_id(c.text), c.expected);
    }
}

TEST_F(ProcessTest, ADamagedSessionVariableIsIgnored)
{
    ::unsetenv("ZORVEL_SESSION_ID");
    DWORD unset = 0;
    ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &unset));
    ::setenv("ZORVEL_SESSION_ID", "3x", 1);
    DWORD damaged = 0;
    ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &damaged));
    ::unsetenv("ZORVEL_SESSION_ID");
    EXPECT_EQ(damaged, unset);
}

}
