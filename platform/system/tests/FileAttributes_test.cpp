#include "platform/system/FileAttributes.h"

#include "platform/system/Shell.h"
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

class FileAttributesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(m_folder.file("VXCONFIGENG.html")) << "<html></html>";
        std::ofstream(m_folder.file("Plain.txt")) << "text";
        std::ofstream(m_folder.file("Only.CHM")) << "";
        std::filesystem::create_directory(m_folder.file("sub"));
        std::ofstream(m_folder.file("sub/Inner.txt")) << "inner";
    }
    void TearDown() override { platform::system::set_shell_opener(nullptr); }
    // A path in the programs' own style: the folder, then "\\" and the rest.
    std::string windows_style(std::string const& rest) const { return m_folder.path() + "\\" + rest; }
    TempFolder m_folder;
};

TEST_F(FileAttributesTest, AnswersWhatIsThereWithEitherSeparator)
{
    struct Case {
        char const* name;
        std::string path;
        DWORD attributes;
        DWORD error; // when INVALID_FILE_ATTRIBUTES
    };
    std::vector<Case> const cases = {
        { "help file through its HTML twin", windows_style("VXCONFIGENG.CHM"), FILE_ATTRIBUTE_NORMAL, 0 },
        { "help file, slash", m_folder.file("VXCONFIGENG.CHM"), FILE_ATTRIBUTE_NORMAL, 0 },
        { "help file, lower-case extension", windows_style("VXCONFIGENG.chm"), FILE_ATTRIBUTE_NORMAL, 0 },
        { "help file without a twin", windows_style("VXCONFIGCHN.CHM"), INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND },
        { "help file itself, no twin", windows_style("Only.CHM"), FILE_ATTRIBUTE_NORMAL, 0 },
        { "plain file", windows_style("Plain.txt"), FILE_ATTRIBUTE_NORMAL, 0 },
        { "file in a sub-folder", windows_style("sub\\Inner.txt"), FILE_ATTRIBUTE_NORMAL, 0 },
        { "folder", windows_style("sub"), FILE_ATTRIBUTE_DIRECTORY, 0 },
        { "folder with a trailing separator", windows_style("sub\\"), FILE_ATTRIBUTE_DIRECTORY, 0 },
        { "missing file", windows_style("Missing.txt"), INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND },
        { "missing folder", windows_style("nowhere\\Plain.txt"), INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND },
        { "an address is no file", "http://example.com/VXCONFIGENG.CHM", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND },
        { "empty path", "", INVALID_FILE_ATTRIBUTES, ERROR_INVALID_PARAMETER },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(GetFileAttributesA(c.path.c_str()), c.attributes);
        if (c.attributes == INVALID_FILE_ATTRIBUTES) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        EXPECT_EQ(PathFileExistsA(c.path.c_str()), c.attributes != INVALID_FILE_ATTRIBUTES ? TRUE : FALSE);
    }
    SetLastError(0);
    EXPECT_EQ(GetFileAttributes(nullptr), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(PathFileExists(nullptr));
}

// The configuration window cuts its help file path at the last "\\", tests "<folder>\\NAME.CHM"
// and then opens "NAME.CHM" with the folder as working directory: both find the same file.
TEST_F(FileAttributesTest, HelpFoundByTheExistenceTestIsTheOneShellExecuteOpens)
{
    std::string const help_path = windows_style("Zorvel.HLP");
    std::string const folder = help_path.substr(0, help_path.rfind('\\'));
    ASSERT_TRUE(PathFileExistsA((folder + "\\VXCONFIGENG.CHM").c_str()));
    std::vector<std::string> opened;
    platform::system::set_shell_opener([&](std::string const& target) {
        opened.push_back(target);
        return true;
    });
    EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", "VXCONFIGENG.CHM", nullptr, folder.c_str(), 5)), 32);
    EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", (folder + "\\VXCONFIGENG.CHM").c_str(), nullptr, nullptr, 5)), 32);
    std::vector<std::string> const expected(2, m_folder.file("VXCONFIGENG.html"));
    EXPECT_EQ(opened, expected);
}

}
