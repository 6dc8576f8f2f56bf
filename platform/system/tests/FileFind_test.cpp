#include "platform/system/FileFind.h"

#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using platform::system::testing::TempFolder;

std::vector<std::string> find_all(std::string const& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATA data {};
    HANDLE const find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(find, &data) && names.size() < 1000);
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(find));
    return names;
}

}

TEST(FileFind, WildcardsMatchTheLastPartWithoutRegardToCaseInNameOrder)
{
    TempFolder folder;
    for (char const* name : { "b.pac", "A.PAC", "c.pac.bak", "notes.txt", "x.pa" })
        std::ofstream(folder.file(name)) << "1234";
    std::filesystem::create_directory(folder.file("sub.pac"));
    std::string const programs_style = folder.path() + "\\";
    struct Case {
        char const* name;
        std::string pattern;
        std::vector<std::string> expected;
    } const cases[] = {
        { "star extension", programs_style + "*.pac", { "A.PAC", "b.pac", "sub.pac" } },
        { "question mark", folder.file("?.pa?"), { "A.PAC", "b.pac" } },
        { "every entry", folder.file("*"), { "A.PAC", "b.pac", "c.pac.bak", "notes.txt", "sub.pac", "x.pa" } },
        { "one exact name", folder.file("NOTES.TXT"), { "notes.txt" } },
        { "stars around", folder.file("*pac*"), { "A.PAC", "b.pac", "c.pac.bak", "sub.pac" } },
        { "no match", folder.file("*.cer"), {} },
        { "no folder", folder.file("missing/*.pac"), {} },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(find_all(c.pattern), c.expected);
    }
    WIN32_FIND_DATA data {};
    EXPECT_EQ(FindFirstFileA(folder.file("*.cer").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(FileFind, EntriesCarryTheirSizeAndKindAndClosedHandlesAreRefused)
{
    TempFolder folder;
    std::ofstream(folder.file("one.pac")) << "123456789";
    std::filesystem::create_directory(folder.file("two.pac"));
    WIN32_FIND_DATA data {};
    HANDLE const find = FindFirstFileA(folder.file("*.pac").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "one.pac");
    EXPECT_EQ(data.nFileSizeLow, 9u);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(FindNextFileA(find, &data));
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(FindNextFileA(find, &data));
    EXPECT_TRUE(FindClose(find));
    EXPECT_FALSE(FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(FindClose(find));
}

TEST(FileFind, DeleteRemovesFilesOnly)
{
    TempFolder folder;
    std::ofstream(folder.file("gone.pac")) << "x";
    std::filesystem::create_directory(folder.file("kept"));
    EXPECT_TRUE(DeleteFileA((folder.path() + "\\gone.pac").c_str()));
    EXPECT_FALSE(std::filesystem::exists(folder.file("gone.pac")));
    EXPECT_FALSE(DeleteFileA(folder.file("gone.pac").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFileA(folder.file("kept").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(std::filesystem::exists(folder.file("kept")));
    EXPECT_FALSE(DeleteFileA(""));
}
