#include "platform/system/Profile.h"
#include "platform/system/ProfileStore.h"

#include "TempFolder.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void write(std::string const& text) { std::ofstream(path()) << text; }
    std::string path() const { return m_folder.file("Zorvel.ini"); }
    std::string read(char const* section, char const* key, char const* fallback = "dflt", DWORD size = 256)
    {
        char buffer[600];
        std::memset(buffer, 'X', sizeof buffer);
        DWORD count = GetPrivateProfileString(section, key, fallback, buffer, size, path().c_str());
        EXPECT_EQ(count, std::strlen(buffer));
        return buffer;
    }
    platform::system::testing::TempFolder m_folder;
};

TEST_F(ProfileTest, ReadsWithTheOriginalRules)
{
    write("; options\n[Settings]\nDebugMode = 3 \nEmpty=\nQuoted=\" spaced \"\n;Hidden=1\n"
          "  [ Custom ]  \r\nSoftAP_UIName=Hotvane\r\n[Other]\nDebugMode=9\n");
    struct Case {
        char const* name;
        char const* section;
        char const* key;
        char const* expected;
    } const cases[] = {
        { "trimmed value", "Settings", "DebugMode", "3" },
        { "case-insensitive names", "SETTINGS", "debugmode", "3" },
        { "empty value is empty, not the default", "Settings", "Empty", "" },
        { "quotes removed", "Settings", "Quoted", " spaced " },
        { "commented key is missing", "Settings", "Hidden", "dflt" },
        { "missing key", "Settings", "Nope", "dflt" },
        { "missing section", "Nope", "DebugMode", "dflt" },
        { "blanks around section name, CRLF lines", "custom", "SoftAP_UIName", "Hotvane" },
        { "same key in another section", "Other", "DebugMode", "9" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(c.section, c.key), c.expected);
    }
}

TEST_F(ProfileTest, MissingFileGivesTheDefault)
{
    EXPECT_EQ(read("Settings", "DebugMode", "0"), "0");
    EXPECT_EQ(read("Settings", "DebugMode", nullptr), "");
    EXPECT_EQ(GetPrivateProfileInt("Settings", "DebugMode", 7, path().c_str()), 7u);
}

TEST_F(ProfileTest, CutsToTheBufferSizeLessOne)
{
    write("[S]\nLong=" + std::string(300, 'a') + "\n");
    EXPECT_EQ(read("S", "Long", "", 256), std::string(255, 'a'));
    EXPECT_EQ(read("S", "Long", "", 1), "");
    EXPECT_EQ(read("S", "Missing", "defaultvalue", 5), "defa");
}

TEST_F(ProfileTest, SeesChangesMadeSinceTheLastRead)
{
    write("[Settings]\nDebugMode=0\n");
    EXPECT_EQ(read("Settings", "DebugMode"), "0");
    write("[Settings]\nDebugMode=5\n");
    EXPECT_EQ(read("Settings", "DebugMode"), "5");
    std::filesystem::remove(path());
    EXPECT_EQ(read("Settings", "DebugMode"), "dflt");
}

TEST_F(ProfileTest, ReadsIntegersSectionsAndLists)
{
    write("[A]\nN=42\nNeg=-3\nText=abc\n[B]\nx=1\n");
    EXPECT_EQ(GetPrivateProfileInt("A", "N", 0, path().c_str()), 42u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileInt("A", "Neg", 0, path().c_str())), -3);
    EXPECT_EQ(GetPrivateProfileInt("A", "Text", 9, path().c_str()), 0u);
    char buffer[64];
    DWORD count = GetPrivateProfileSection("A", buffer, sizeof buffer, path().c_str());
    EXPECT_EQ(std::string(buffer, count), std::string("N=42\0Neg=-3\0Text=abc\0", 21));
    count = GetPrivateProfileString(nullptr, nullptr, "", buffer, sizeof buffer, path().c_str());
    EXPECT_EQ(std::string(buffer, count + 1), std::string("A\0B\0\0", 5));
    count = GetPrivateProfileString("A", nullptr, "", buffer, 6, path().c_str());
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(std::string(buffer, 6), std::string("N\0Neg\0", 6).substr(0, 4) + std::string("\0\0", 2));
}

// The list of section names "ab" and "c" into buffers of every size around the cut: a list
// that fills the buffer to size - 1 (size 4: "ab\0" plus room for one byte) must not read past
// the item that no longer fits.
TEST_F(ProfileTest, CutsAListAtEverySizeAroundTheBoundary)
{
    write("[ab]\nx=1\n[c]\ny=2\n");
    struct Case {
        DWORD size;
        DWORD count;
        std::string stored;
    };
    Case const cases[] = {
        { 0, 0, "" },
        { 1, 0, std::string("\0", 1) },
        { 2, 0, std::string("\0\0", 2) },
        { 3, 1, std::string("a\0\0", 3) },
        { 4, 2, std::string("ab\0\0", 4) },
        { 5, 3, std::string("ab\0\0\0", 5) },
        { 6, 5, std::string("ab\0c\0\0", 6) },
        { 7, 5, std::string("ab\0c\0\0X", 7) },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[16];
        std::memset(buffer, 'X', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, "", buffer, c.size, path().c_str()), c.count);
        EXPECT_EQ(std::string(buffer, c.size), c.stored);
        EXPECT_EQ(buffer[c.size], 'X');
    }
}

TEST_F(ProfileTest, WritesKeepOtherLinesAndReplaceTheFileAtomically)
{
    write("; keep me\n[Settings]\nDebugMode=0\n\n[Custom]\nA=1\n");
    auto inode_before = std::filesystem::status(path()).type();
    (void)inode_before;
    ASSERT_TRUE(WritePrivateProfileString("settings", "DebugMode", "4", path().c_str()));
    ASSERT_TRUE(WritePrivateProfileString("Settings", "New", "x y", path().c_str()));
    ASSERT_TRUE(WritePrivateProfileString("Fresh", "K", "v", path().c_str()));
    ASSERT_TRUE(WritePrivateProfileString("Custom", "A", nullptr, path().c_str()));
    std::ifstream in(path());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "; keep me\n[Settings]\nDebugMode=4\nNew=x y\n\n[Custom]\n[Fresh]\nK=v\n");
    ASSERT_TRUE(WritePrivateProfileString("Custom", nullptr, nullptr, path().c_str()));
    EXPECT_EQ(read("Fresh", "K"), "v");
    // Nothing is left beside the file: the new text went to a temporary file that was renamed.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.path()), {}), 1);
}

TEST_F(ProfileTest, AWriteIntoAnUnwritableFolderFailsAndLeavesTheFile)
{
    write("[S]\nK=old\n");
    std::filesystem::permissions(m_folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    bool const root = ::geteuid() == 0;
    BOOL ok = WritePrivateProfileString("S", "K", "new", path().c_str());
    std::filesystem::permissions(m_folder.path(), std::filesystem::perms::owner_all);
    if (!root) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(read("S", "K"), "old");
    }
}

// A program reads its option file and its language file in turn; each is parsed once while it
// stays unchanged, and a file changed since is read afresh.
TEST_F(ProfileTest, FilesReadInTurnAreParsedOnceEach)
{
    namespace fs = std::filesystem;
    std::string const other = m_folder.file("Lang0409.ini");
    write("[Settings]\nDebugMode=3\n");
    std::ofstream(other) << "[Strings]\nOK=OK\n";
    auto const old = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    fs::last_write_time(path(), old);
    fs::last_write_time(other, old);
    auto& store = platform::system::ProfileStore::the();
    auto const options = store.read(path());
    auto const language = store.read(other);
    ASSERT_TRUE(options && language);
    EXPECT_EQ(store.read(path()), options);
    EXPECT_EQ(store.read(other), language);

    write("[Settings]\nDebugMode=4\n");
    fs::last_write_time(path(), old + std::chrono::seconds(1));
    auto const changed = store.read(path());
    ASSERT_TRUE(changed);
    EXPECT_NE(changed, options);
    EXPECT_EQ(changed->value("Settings", "DebugMode"), "4");
    EXPECT_EQ(store.read(other), language);
}

}
