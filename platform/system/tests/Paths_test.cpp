#include "platform/system/Paths.h"

#include "platform/system/WindowRecords.h"

#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The per-user folders are asked for at each use; a folder removed while a program runs, or
// the folders above it, is there again when next asked.
TEST(Paths, AFolderRemovedWhileRunningIsMadeAgainWhenNextAsked)
{
    struct Case {
        char const* name;
        char const* variable;
        std::string (*folder)();
        char const* below; // the asked folder below the variable's
    } const cases[] = {
        { "runtime", "ZORVEL_RUNTIME_DIR", platform::system::runtime_dir, "" },
        { "data", "ZORVEL_DATA_DIR", platform::system::data_dir, "" },
        { "window records", "ZORVEL_RUNTIME_DIR", platform::system::window_folder, "/windows" },
    };
    platform::system::testing::TempFolder temp;
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        char const* before = std::getenv(c.variable);
        std::string const saved = before ? before : "";
        std::string const top = temp.file(c.name);
        std::string const expected = top + "/a/b" + c.below;
        ::setenv(c.variable, (top + "/a/b").c_str(), 1);
        EXPECT_EQ(c.folder(), expected);
        EXPECT_TRUE(fs::is_directory(expected));
        EXPECT_EQ(fs::status(expected).permissions(), fs::perms::owner_all);
        fs::remove_all(expected);
        EXPECT_EQ(c.folder(), expected);
        EXPECT_TRUE(fs::is_directory(expected));
        fs::remove_all(top);
        EXPECT_EQ(c.folder(), expected);
        EXPECT_TRUE(fs::is_directory(expected));
        // A file in the folder's place is left alone: the path is answered, and is no folder.
        fs::remove_all(top + "/a");
        std::ofstream(top + "/a") << "in the way";
        EXPECT_EQ(c.folder(), expected);
        EXPECT_FALSE(fs::is_directory(expected));
        if (saved.empty())
            ::unsetenv(c.variable);
        else
            ::setenv(c.variable, saved.c_str(), 1);
    }
}

TEST(Paths, MakeDirsSaysWhetherTheFolderIsThere)
{
    platform::system::testing::TempFolder temp;
    struct Case {
        char const* name;
        std::string path;
        bool made;
    } const cases[] = {
        { "existing", temp.path(), true },
        { "new chain", temp.file("x/y/z"), true },
        { "trailing slash", temp.file("t/u/"), true },
        { "below a file", temp.file("file/sub"), false },
        { "a file", temp.file("file"), false },
        { "empty", "", false },
    };
    std::ofstream(temp.file("file")) << "";
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::system::make_dirs(c.path, 0700), c.made);
        EXPECT_EQ(fs::is_directory(c.path), c.made);
    }
}

}
