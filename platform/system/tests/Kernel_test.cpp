#include "platform/system/Kernel.h"
#include "platform/system/Process.h"
#include "platform/user/Clock.h"
#include "platform/user/KernelObject.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

class KernelTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder.use_for_system_services(); }
    platform::system::testing::TempFolder m_folder;
};

TEST_F(KernelTest, AutoResetEventWakesOneWaitManualResetStays)
{
    HANDLE automatic = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    HANDLE manual = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    SetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    HANDLE both[] = { automatic, manual };
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
    ResetEvent(manual);
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_TIMEOUT);
    EXPECT_FALSE(SetEvent(reinterpret_cast<HANDLE>(0x7777)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    CloseHandle(automatic);
    CloseHandle(manual);
}

TEST_F(KernelTest, AWaitingThreadWakesWhenAnotherThreadSignals)
{
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, "Wake");
    DWORD result = 0;
    std::thread waiter([&] { result = WaitForSingleObject(event, INFINITE); });
    HANDLE other = OpenEvent(EVENT_ALL_ACCESS, FALSE, "Wake");
    ASSERT_NE(other, nullptr);
    SetEvent(other);
    waiter.join();
    EXPECT_EQ(result, WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT); // consumed by the waiter
    CloseHandle(other);
    CloseHandle(event);
}

TEST_F(KernelTest, NamedObjectsReportExistenceAndVanishWithTheirLastHandle)
{
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, FALSE, "ShowUIEvent"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    HANDLE first = CreateEvent(nullptr, FALSE, FALSE, "ShowUIEvent");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateEvent(nullptr, TRUE, TRUE, "ShowUIEvent");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    // The second create opened the first's event: auto-reset and not signalled.
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_TIMEOUT);
    CloseHandle(first);
    CloseHandle(second);
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, FALSE, "ShowUIEvent"), nullptr);

    HANDLE mutex = CreateMutex(nullptr, FALSE, "KT90");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE again = CreateMutex(nullptr, FALSE, "Global\\KT90");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(again);
    CloseHandle(mutex);
    CloseHandle(CreateMutex(nullptr, FALSE, "KT90"));
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
}

TEST_F(KernelTest, MutexBelongsToOneThreadAtATime)
{
    HANDLE mutex = CreateMutex(nullptr, TRUE, "Owned");
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0); // recursive for its owner
    DWORD other_wait = 0;
    BOOL other_release = TRUE;
    std::thread([&] {
        other_wait = WaitForSingleObject(mutex, 0);
        other_release = ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(other_wait, WAIT_TIMEOUT);
    EXPECT_FALSE(other_release);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
    std::thread([&] {
        other_wait = WaitForSingleObject(mutex, 0);
        other_release = ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(other_wait, WAIT_OBJECT_0);
    EXPECT_TRUE(other_release);
    CloseHandle(mutex);
}

TEST_F(KernelTest, SecondProcessSeesTheMutexAndWakesTheFirst)
{
    HANDLE ready = CreateEvent(nullptr, TRUE, FALSE, "HelperReady");
    HANDLE woke = CreateEvent(nullptr, TRUE, FALSE, "HelperWoke");
    ::setenv("ZORVEL_HELPER_MODE", "first-instance", 1);
    PROCESS_INFORMATION first {};
    char first_line[] = "SysHelper.exe";
    ASSERT_TRUE(CreateProcess(nullptr, first_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &first));
    HANDLE started[] = { ready, first.hProcess };
    ASSERT_EQ(WaitForMultipleObjects(2, started, FALSE, INFINITE), WAIT_OBJECT_0);

    ::setenv("ZORVEL_HELPER_MODE", "second-instance", 1);
    PROCESS_INFORMATION second {};
    char second_line[] = "SysHelper.exe -s";
    ASSERT_TRUE(CreateProcess(nullptr, second_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &second));
    ASSERT_EQ(WaitForSingleObject(second.hProcess, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 10u) << "the second process did not see the first's mutex";
    EXPECT_EQ(WaitForSingleObject(woke, INFINITE), WAIT_OBJECT_0);

    // Killed without closing anything, the first process leaves no mutex behind.
    ASSERT_TRUE(TerminateProcess(first.hProcess, 1));
    ASSERT_EQ(WaitForSingleObject(first.hProcess, INFINITE), WAIT_OBJECT_0);
    HANDLE mutex = CreateMutex(nullptr, FALSE, "KT90");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    for (HANDLE handle : { mutex, ready, woke, first.hProcess, first.hThread, second.hProcess, second.hThread })
        CloseHandle(handle);
    ::unsetenv("ZORVEL_HELPER_MODE");
}

// Runs the test helper in `mode` with `argument` and waits for it to end; its exit code.
DWORD run_helper(char const* mode, char const* argument)
{
    ::setenv("ZORVEL_HELPER_MODE", mode, 1);
    std::string line = std::string("SysHelper.exe ") + argument;
    PROCESS_INFORMATION process {};
    DWORD code = 99;
    if (CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &process)) {
        // Bounded, so a helper that hangs fails the test instead of hanging it.
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        else
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    ::unsetenv("ZORVEL_HELPER_MODE");
    return code;
}

// A thread waiting for ever on a named event blocks until another process sets it: it wakes
// once, not on a polling period while other processes come and go.
TEST_F(KernelTest, NamedEventWaiterSleepsUntilAnotherProcessSetsIt)
{
    // Real time: a manual clock left by an earlier test would make the wait poll.
    platform::set_clock(nullptr);
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, "IdleWaiter");
    DWORD result = WAIT_FAILED;
    std::uint64_t wakeups = 0;
    std::thread waiter([&] {
        // A long bound rather than INFINITE: a lost wake-up fails the test instead of hanging it,
        // and a waiter that polled would still count its wake-ups meanwhile.
        result = WaitForSingleObject(event, 30000);
        wakeups = platform::wait_wakeups();
    });
    // Real processes started and ended meanwhile take far longer than a polling period.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(run_helper("set-event", "NoSuchEvent"), 1u);
    EXPECT_EQ(run_helper("set-event", "IdleWaiter"), 0u);
    waiter.join();
    EXPECT_EQ(result, WAIT_OBJECT_0);
    EXPECT_LE(wakeups, 1u);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "auto-reset event stayed set";
    CloseHandle(event);
}

TEST_F(KernelTest, ConvertsTheSecurityDescriptorStringsInUse)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptor(
        "D:(A;OICI;GA;;;BG)(A;OICI;GA;;;AN)(A;OICI;GA;;;AU)(A;OICI;GA;;;BA)", SDDL_REVISION_1, &descriptor, nullptr));
    SECURITY_ATTRIBUTES attributes { sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE };
    HANDLE event = CreateEvent(&attributes, FALSE, FALSE, "Shared");
    EXPECT_NE(event, nullptr);
    CloseHandle(event);
    LocalFree(descriptor);
    for (char const* bad : { "", "D:(A;OICI;GA;;BG)", "D:(X;;GA;;;BG)", "D:(A;;GA;;;ZZ)", "O:BA", "D:(A;;GA;;;BG" }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ConvertStringSecurityDescriptorToSecurityDescriptor(bad, SDDL_REVISION_1, &descriptor, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
}

TEST_F(KernelTest, GlobalMemoryIsZeroed)
{
    HGLOBAL memory = GlobalAlloc(GHND, 0x8000);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[0x7FFF], 0);
    GlobalUnlock(memory);
    EXPECT_EQ(GlobalFree(memory), nullptr);
}

}
