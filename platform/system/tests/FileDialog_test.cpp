#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogBox.h"
#include "platform/system/FileDialogModel.h"
#include "platform/user/Messages.h"

#include "TempFolder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string_view>

namespace {

using platform::system::FileDialogModel;
using Outcome = FileDialogModel::Outcome;

constexpr char profile_filter[] = "PROF (*.prof)\0*.prof\0All (*.*)\0*.*\0";

TEST(FileDialogModel, ReadsFilterPairsAndMatchesPatterns)
{
    auto filters = platform::system::parse_filters(profile_filter, sizeof profile_filter);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].label, "PROF (*.prof)");
    EXPECT_EQ(filters[0].patterns, std::vector<std::string> { "*.prof" });
    // Several patterns in one pair; a label without its pattern ends the list; the length
    // bounds a text that is not terminated.
    constexpr char several[] = "Certificates\0*.cer; *.CRT\0Broken\0";
    auto two = platform::system::parse_filters(several, sizeof several);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].patterns, (std::vector<std::string> { "*.cer", "*.CRT" }));
    char unterminated[8];
    std::memset(unterminated, 'x', sizeof unterminated);
    EXPECT_TRUE(platform::system::parse_filters(unterminated, sizeof unterminated).empty());

    struct Case {
        char const* name;
        char const* pattern;
        bool matches;
    } const cases[] = {
        { "a.prof", "*.prof", true }, { "A.PROF", "*.prof", true }, { "a.prof.bak", "*.prof", false },
        { "prof", "*.prof", false }, { "noext", "*.*", true }, { "x1.pac", "x?.pac", true },
        { "x12.pac", "x?.pac", false }, { "aaab", "*a*b", true }, { "abc", "*a*d", false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " ~ " + c.pattern);
        EXPECT_EQ(platform::system::matches_pattern(c.name, c.pattern), c.matches);
    }
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(m_folder.file("sub"));
        for (char const* name : { "b.prof", "A.prof", "c.pac", "sub/inner.prof", ".hidden.prof" })
            std::ofstream(m_folder.file(name)) << "x";
    }
    void TearDown() override { platform::system::set_file_dialog_ui(nullptr); }
    FileDialogModel::Options options(FileDialogModel::Kind kind)
    {
        FileDialogModel::Options o;
        o.kind = kind;
        o.filters = platform::system::parse_filters(profile_filter, sizeof profile_filter);
        o.default_extension = "prof";
        o.folder = m_folder.path();
        return o;
    }
    // A user who types each of `names` in turn and cancels when they run out.
    void answer_with(std::vector<std::string> names, bool confirm_overwrite = false)
    {
        platform::system::set_file_dialog_ui([=, this](FileDialogModel& model, platform::system::FileDialogRequest const& request) {
            m_titles.push_back(request.title);
            for (auto const& name : names) {
                auto outcome = model.submit(name);
                if (outcome == Outcome::confirm_overwrite && confirm_overwrite) {
                    model.confirm();
                    outcome = model.submit(name);
                }
                if (outcome == Outcome::accepted)
                    return platform::system::FileDialogAnswer::accepted;
            }
            return platform::system::FileDialogAnswer::cancelled;
        });
    }
    platform::system::testing::TempFolder m_folder;
    std::vector<std::string> m_titles;
};

TEST_F(FileDialogTest, ListsFoldersThenFilteredFilesAndMovesThroughFolders)
{
    FileDialogModel model(options(FileDialogModel::Kind::open));
    using E = platform::system::FolderEntry;
    EXPECT_EQ(model.entries(), (std::vector<E> { { "..", true }, { "sub", true }, { "A.prof", false }, { "b.prof", false } }));
    model.set_filter(1);
    EXPECT_EQ(model.entries().size(), 5u) << "all files, still without hidden ones";
    model.set_filter(7);
    EXPECT_EQ(model.filter(), 1u);
    EXPECT_EQ(model.submit("sub"), Outcome::entered_folder);
    EXPECT_EQ(model.folder(), m_folder.file("sub"));
    EXPECT_EQ(model.submit(".."), Outcome::entered_folder);
    EXPECT_EQ(model.folder(), m_folder.path());
    EXPECT_EQ(model.submit("   "), Outcome::empty);
}

TEST_F(FileDialogTest, OpenAnswersAnExistingFileWithTheDefaultExtension)
{
    char path[128] = "";
    OPENFILENAME ofn {};
    ofn.lStructSize = 88;
    ofn.lpstrFilter = profile_filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = "prof";
    std::string folder = m_folder.path();
    ofn.lpstrInitialDir = folder.c_str();

    answer_with({ "missing", "sub", "inner" });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    std::string expected = m_folder.file("sub/inner.prof");
    EXPECT_EQ(std::string(path), expected);
    EXPECT_EQ(std::string_view(path + ofn.nFileOffset), "inner.prof");
    EXPECT_EQ(std::string_view(path + ofn.nFileExtension), "prof");
    EXPECT_EQ(m_titles.back(), "Open");

    answer_with({ "missing" });
    EXPECT_FALSE(GetOpenFileName(&ofn)) << "a file that must exist and does not is never answered";
    EXPECT_EQ(CommDlgExtendedError(), 0u) << "cancel is no error";
}

TEST_F(FileDialogTest, SaveAsksBeforeReplacingOnlyWhenTold)
{
    char path[128] = "new";
    OPENFILENAME ofn {};
    ofn.lStructSize = 88;
    ofn.lpstrFilter = profile_filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.Flags = OFN_HIDEREADONLY;
    ofn.lpstrDefExt = "prof";
    std::string folder = m_folder.path();
    ofn.lpstrInitialDir = folder.c_str();

    answer_with({ "b" });
    ASSERT_TRUE(GetSaveFileName(&ofn)) << "without OFN_OVERWRITEPROMPT the program asks itself";
    EXPECT_EQ(std::string(path), m_folder.file("b.prof"));

    ofn.Flags |= OFN_OVERWRITEPROMPT;
    answer_with({ "b" });
    EXPECT_FALSE(GetSaveFileName(&ofn)) << "the user did not confirm";
    answer_with({ "b" }, true);
    EXPECT_TRUE(GetSaveFileName(&ofn));
    answer_with({ "fresh" });
    EXPECT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(path), m_folder.file("fresh.prof"));
}

TEST_F(FileDialogTest, FailuresAreReportedThroughTheExtendedError)
{
    char small[8] = "";
    OPENFILENAME ofn {};
    ofn.lStructSize = 88;
    ofn.lpstrFile = small;
    ofn.nMaxFile = sizeof small;
    std::string folder = m_folder.path();
    ofn.lpstrInitialDir = folder.c_str();

    platform::system::set_file_dialog_ui([](FileDialogModel&, platform::system::FileDialogRequest const&) {
        return platform::system::FileDialogAnswer::failed;
    });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_DIALOGFAILURE) << "the window could not be built";

    answer_with({ "A.prof" });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof needed);
    EXPECT_EQ(needed, m_folder.file("A.prof").size() + 1);

    ofn.lStructSize = 0;
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}

TEST_F(FileDialogTest, TheDialogObjectTakesBarSeparatedFiltersAndSplitsThePath)
{
    platform::system::FileDialogBox box(true, "pac", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
        "PAC (*.pac)|*.pac|All (*.*)|*.*||");
    std::string folder = m_folder.path();
    box.ofn().lpstrInitialDir = folder.c_str();
    answer_with({ "c" });
    ASSERT_EQ(box.do_modal(nullptr), IDOK);
    EXPECT_EQ(box.path_name(), m_folder.file("c.pac"));
    EXPECT_EQ(box.file_name(), "c.pac");
    EXPECT_EQ(box.file_extension(), "pac");
    EXPECT_EQ(box.file_title(), "c");
    EXPECT_STREQ(box.ofn().lpstrFileTitle, "c.pac");

    platform::system::FileDialogBox save(false, "cer", "exported");
    save.ofn().lpstrInitialDir = folder.c_str();
    answer_with({});
    EXPECT_EQ(save.do_modal(nullptr), IDCANCEL);
    EXPECT_EQ(save.path_name(), "exported") << "a cancelled dialog leaves the name alone";
}

}
