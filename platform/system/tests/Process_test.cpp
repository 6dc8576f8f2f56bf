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
    ASSERT_EQ(WaitForSingleObject(information.hProcess, INFINITE), WAIT_OBJECT_0);
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
