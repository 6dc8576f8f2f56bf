#include "platform/system/TextSplit.h"

#include <string>
#include <vector>

namespace {

using platform::system::for_each_line;
using platform::system::split_text;
using platform::system::split_words;
using Pieces = std::vector<std::string>;

TEST(TextSplit, LinesAsAStreamReadsThem)
{
    struct Case {
        std::string_view text;
        Pieces lines;
    };
    Case const cases[] = {
        { "", {} },
        { "\n", { "" } },
        { "one", { "one" } },
        { "one\n", { "one" } },
        { "one\n\ntwo", { "one", "", "two" } },
        { "dos\r\nline\r\n", { "dos\r", "line\r" } },
        { std::string_view("nul\0inside\nnext", 15), { std::string("nul\0inside", 10), "next" } },
    };
    for (auto const& c : cases) {
        Pieces lines;
        for_each_line(c.text, [&](std::string_view line) { lines.emplace_back(line); });
        EXPECT_EQ(lines, c.lines) << c.text;
    }
}

TEST(TextSplit, PiecesAndWords)
{
    EXPECT_EQ(split_text("", '/'), Pieces {});
    EXPECT_EQ(split_text("/a//b/", '/'), (Pieces { "", "a", "", "b" }));
    EXPECT_EQ(split_text("a,b", ','), (Pieces { "a", "b" }));
    EXPECT_EQ(split_words(""), Pieces {});
    EXPECT_EQ(split_words(" \t\r\n"), Pieces {});
    EXPECT_EQ(split_words("  ap-add\tHome \v 5\f\n"), (Pieces { "ap-add", "Home", "5" }));
}

}
