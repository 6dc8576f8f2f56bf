#include "platform/system/CommandLine.h"

#include <gtest/gtest.h>

using platform::system::quote_argument;
using platform::system::split_arguments;
using platform::system::split_command_line;

namespace {

struct SplitCase {
    char const* name;
    char const* line;
    std::vector<std::string> expected;
};

TEST(CommandLine, SplitsWithTheOriginalQuotingRules)
{
    SplitCase const cases[] = {
        { "plain words", "prog a b  c", { "prog", "a", "b", "c" } },
        { "quoted blank", "prog \"a b\" c", { "prog", "a b", "c" } },
        { "escaped quote", "prog a\\\"b", { "prog", "a\"b" } },
        { "even backslashes before quote", "prog \"a\\\\\" b", { "prog", "a\\", "b" } },
        { "odd backslashes before quote", "prog \"a\\\\\\\"b\"", { "prog", "a\\\"b" } },
        { "backslashes elsewhere literal", "prog C:\\dir\\file x\\\\y", { "prog", "C:\\dir\\file", "x\\\\y" } },
        { "doubled quote inside quotes", "prog \"a\"\"b\"", { "prog", "a\"b" } },
        { "empty quoted argument", "prog \"\" x", { "prog", "", "x" } },
        { "quoted program keeps backslashes", "\"C:\\a b\\p.exe\" x", { "C:\\a b\\p.exe", "x" } },
        { "tabs separate", "prog\ta\t\tb", { "prog", "a", "b" } },
        { "unterminated quote runs to the end", "prog \"a b", { "prog", "a b" } },
        { "leading blanks", "   prog", { "prog" } },
        { "empty line", "", {} },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(split_command_line(c.line), c.expected);
    }
}

TEST(CommandLine, TheModeSwitchLineGivesSixArguments)
{
    auto arguments = split_command_line(
        "\"VxSwap.exe\" ON Zorvel Hotvane \"Vexlor Folder\" \"Icon Name\" \"{5D624F94}\\VWIFIMP\"");
    std::vector<std::string> expected { "VxSwap.exe", "ON", "Zorvel", "Hotvane", "Vexlor Folder", "Icon Name",
        "{5D624F94}\\VWIFIMP" };
    EXPECT_EQ(arguments, expected);
}

TEST(CommandLine, QuotingRoundTrips)
{
    for (std::string argument : { "", "plain", "a b", "a\"b", "tail\\", "a\\\"b", "x\\\\ y\\" }) {
        SCOPED_TRACE(argument);
        auto back = split_arguments(quote_argument(argument));
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0], argument);
    }
}

}
