// The resource reader on hostile input: coordinates near the ends of the integer range, numbers
// with doubled or misplaced signs, and files that are not files. Each is one clear error (or
// one missing file) and the rest of the set is kept.
#include "platform/framework/Resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using platform::framework::ResourceSet;

namespace {

struct Case {
    char const* line;
    char const* error; // "" = accepted; otherwise the end of the error text
};

std::string error_of(std::string const& text)
{
    ResourceSet set;
    set.parse(text, ".", "t.res");
    return set.errors().empty() ? std::string() : set.errors()[0];
}

void expect_cases(char const* before, char const* after, std::initializer_list<Case> cases)
{
    constexpr char kRange[] = "coordinates out of range (x and y from -32767 to 32767, sizes from 0 to 32767)";
    for (auto const& c : cases) {
        SCOPED_TRACE(c.line);
        std::string const error = error_of(std::string(before) + c.line + "\n" + after);
        std::string const expected = std::string(c.error) == "range" ? kRange : c.error;
        if (expected.empty())
            EXPECT_EQ(error, "");
        else
            EXPECT_TRUE(error.ends_with(expected)) << error;
    }
}

TEST(ResourceParser, ChecksDialogCoordinatesAndSizes)
{
    expect_cases("", "end\n", {
        { "dialog 1 0 0 10 10", "" },
        { "dialog 1 32767 32767 32767 32767", "" },
        { "dialog 1 -32767 -32767 0 0", "" },
        { "dialog 1 -32768 0 10 10", "range" },
        { "dialog 1 32768 0 10 10", "range" },
        { "dialog 1 2147483647 0 10 10", "range" },
        { "dialog 1 0 0 2147483647 10", "range" },
        { "dialog 1 -2000000000 0 10 10", "range" },
        { "dialog 1 0 0 10 -1", "range" },
        { "dialog 1 0 0 2147483648 10", "t.res:1: malformed \"dialog\"" },
        { "dialog 1 0 0 99999999999999999999 10", "t.res:1: malformed \"dialog\"" },
        { "dialog 1 0 0 0x-10 10", "t.res:1: malformed \"dialog\"" },
        { "dialog 1 0 0 --6 10", "t.res:1: malformed \"dialog\"" },
        { "dialog 1 0 0 0x10 010", "" },
    });
}

TEST(ResourceParser, ChecksControlCoordinatesAndSizes)
{
    expect_cases("dialog 1 0 0 100 100\n", "end\n", {
        { "control \"Button\" 1 WS_CHILD 0 0 50 14 \"OK\"", "" },
        { "control \"Button\" 1 WS_CHILD 2147483600 0 100 14 \"OK\"", "range" },
        { "control \"Button\" 1 WS_CHILD 0 -2000000000 50 14 \"OK\"", "range" },
        { "control \"Button\" 1 WS_CHILD 0 0 40000 14 \"OK\"", "range" },
        { "control \"Button\" 1 WS_CHILD 0 0 50 14 \"OK\" icon --3", "t.res:2: malformed \"control\"" },
        { "control \"Button\" 1 WS_CHILD|0x-1 0 0 50 14 \"OK\"", "t.res:2: malformed \"control\"" },
        { "control \"Button\" 1 0x1ffffffff 0 0 50 14 \"OK\"", "t.res:2: malformed \"control\"" },
        { "control \"Button\" 1 0xffffffff 0 0 50 14 \"OK\"", "" },
    });
}

TEST(ResourceParser, AFileThatIsNotAFileIsMissingNotFatal)
{
    std::filesystem::path const dir = std::filesystem::temp_directory_path() / ("res_files_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "folder.bin");
    std::ofstream(dir / "main.res") << "raw 5 \"BLOB\" \"folder.bin\"\nraw 6 \"BLOB\" \"none.bin\"\nstring 1 \"kept\"\n";
    ResourceSet set;
    ASSERT_TRUE(set.load((dir / "main.res").string()));
    EXPECT_TRUE(set.errors().empty());
    ASSERT_EQ(set.missing().size(), 2u);
    EXPECT_TRUE(set.missing()[0].ends_with("folder.bin: not a regular file")) << set.missing()[0];
    EXPECT_TRUE(set.missing()[1].ends_with("none.bin: missing")) << set.missing()[1];
    EXPECT_EQ(set.raw(5, "BLOB"), nullptr);
    ASSERT_NE(set.string(1), nullptr);

    ResourceSet folder;
    EXPECT_FALSE(folder.load((dir / "folder.bin").string()));
    EXPECT_FALSE(folder.loaded());
    std::filesystem::remove_all(dir);
}

TEST(ResourceParser, ReportsWhatStopsTheProgramAndWhatDoesNot)
{
    ResourceSet missing;
    missing.load("/nonexistent/Zorvel.res");
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    EXPECT_FALSE(platform::framework::report_resources(missing, "Zorvel", out));
    std::fclose(out);
    EXPECT_STREQ(text, "Zorvel: cannot read /nonexistent/Zorvel.res: missing\n");
    std::free(text);

    ResourceSet binary;
    binary.parse(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n", 16) + "\x01\x02\n\x03\n\x04\n\x05\n\x06\n", ".", "Zorvel.res");
    out = open_memstream(&text, &size);
    EXPECT_FALSE(platform::framework::report_resources(binary, "Zorvel", out));
    std::fclose(out);
    EXPECT_EQ(std::string(text).rfind("Zorvel: Zorvel.res:1: malformed", 0), 0u) << text;
    EXPECT_NE(std::string(text).find("... and 2 more malformed lines"), std::string::npos) << text;
    std::free(text);
}

}
