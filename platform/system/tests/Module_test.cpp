#include "platform/system/Module.h"

#include "platform/system/Session.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Module, LoadsTheSharedObjectForADllNameAndFindsItsExports)
{
    HMODULE module = LoadLibrary(ZORVEL_TEST_BIN_DIR "/TestModule.dll");
    ASSERT_NE(module, nullptr);
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "TestModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetProcAddress(module, "VXWL_Missing"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(GetModuleHandle("testmodule.DLL"), module);
    char path[256];
    DWORD length = GetModuleFileName(module, path, sizeof path);
    EXPECT_TRUE(std::string(path, length).ends_with("/TestModule.so"));
    EXPECT_EQ(LoadLibrary(ZORVEL_TEST_BIN_DIR "/TestModule.dll"), module);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
}

TEST(Module, AMissingLibraryFails)
{
    EXPECT_EQ(LoadLibrary(ZORVEL_TEST_BIN_DIR "/VxWLAPI_missing.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(GetModuleHandle("NotLoaded.dll"), nullptr);
}

TEST(Module, SystemLibrariesAnswerThePlatformFunctions)
{
    HMODULE kernel = GetModuleHandle("Kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(kernel, "WTSGetActiveConsoleSessionId")),
        reinterpret_cast<void*>(&WTSGetActiveConsoleSessionId));
    EXPECT_NE(GetProcAddress(kernel, "CreateToolhelp32Snapshot"), nullptr);
    EXPECT_NE(GetProcAddress(kernel, "IsWow64Process"), nullptr);
    EXPECT_EQ(GetProcAddress(kernel, "Wow64EnableWow64FsRedirection"), nullptr);
    HMODULE psapi = LoadLibrary("psapi.dll");
    EXPECT_NE(GetProcAddress(psapi, "GetModuleBaseNameA"), nullptr);
    EXPECT_NE(GetProcAddress(psapi, "EnumProcesses"), nullptr);
    EXPECT_TRUE(FreeLibrary(psapi));
    EXPECT_NE(GetProcAddress(LoadLibrary("wtsapi32.dll"), "WTSRegisterSessionNotification"), nullptr);
}

TEST(Module, TheProgramsOwnPath)
{
    char path[256];
    DWORD length = GetModuleFileName(nullptr, path, sizeof path);
    ASSERT_GT(length, 0u);
    EXPECT_TRUE(std::string(path).ends_with("/platform_system_tests"));
    char small[8];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 8u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(small), std::string(path, 7));
    EXPECT_NE(GetModuleHandle(nullptr), nullptr);
}

}
