// The version-information functions and the file times, over files named the programs' way.
#include "platform/system/FileAttributes.h"
#include "platform/system/Version.h"

#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include "TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

VS_FIXEDFILEINFO const* fixed_info(std::vector<BYTE> const& block)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValue(block.data(), "\\", &value, &length) || length != sizeof(VS_FIXEDFILEINFO))
        return nullptr;
    return static_cast<VS_FIXEDFILEINFO const*>(value);
}

}

TEST(VersionApi, ReadsTheFixedInformationOfAProgram)
{
    DWORD handle = 7;
    DWORD const size = GetFileVersionInfoSize(ZORVEL_TEST_BIN_DIR "/SysHelper", &handle);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(handle, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfo(ZORVEL_TEST_BIN_DIR "/SysHelper", 0, size, block.data()));
    auto const* fixed = fixed_info(block);
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, (3u << 16) | 14u);
    EXPECT_EQ(fixed->dwFileVersionLS, (15u << 16) | 92u);

    std::vector<BYTE> small(size - 1);
    EXPECT_FALSE(GetFileVersionInfo(ZORVEL_TEST_BIN_DIR "/SysHelper", 0, size - 1, small.data()));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

// "X.dll" is the shared object the module functions would load; without a note it answers 0.
TEST(VersionApi, NamesTheProgramsWayAndFilesWithoutANote)
{
    EXPECT_EQ(GetFileVersionInfoSize(ZORVEL_TEST_BIN_DIR "/TestModule.dll", nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    EXPECT_EQ(GetFileVersionInfoSize("/nonexistent/VxWLAPI.dll", nullptr), 0u);

    platform::system::testing::TempFolder folder;
    std::ofstream(folder.file("drivers.sys")) << "ZORVEL-VERSION-NOTE 1\nFileVersion=5.6.7.8\n";
    std::string const windows_style = folder.path() + "\\drivers.sys";
    DWORD const size = GetFileVersionInfoSize(windows_style.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfo(windows_style.c_str(), 0, size, block.data()));
    ASSERT_NE(fixed_info(block), nullptr);
    EXPECT_EQ(fixed_info(block)->dwFileVersionMS, (5u << 16) | 6u);
}

TEST(VersionApi, LastWriteTimeIsTheModificationTime)
{
    struct stat info {};
    ASSERT_EQ(::stat(ZORVEL_TEST_BIN_DIR "/TestModule.so", &info), 0);
    WIN32_FILE_ATTRIBUTE_DATA data {};
    ASSERT_TRUE(GetFileAttributesEx(ZORVEL_TEST_BIN_DIR "/TestModule.dll", GetFileExInfoStandard, &data));
    std::uint64_t const ticks = (std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    EXPECT_EQ(ticks / 10'000'000 - 11644473600ull, std::uint64_t(info.st_mtim.tv_sec));
    EXPECT_EQ(data.nFileSizeLow, DWORD(info.st_size));
    EXPECT_FALSE(GetFileAttributesEx("/nonexistent/file", GetFileExInfoStandard, &data));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}
