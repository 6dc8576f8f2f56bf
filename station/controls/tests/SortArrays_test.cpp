#include "station/controls/SortArrays.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> values(CSortIntArray const& a) { return { a.begin(), a.end() }; }

std::vector<std::string> texts(CSortStringArray const& a)
{
    std::vector<std::string> out;
    for (CString const& s : a)
        out.push_back(s.str());
    return out;
}

}

TEST(SortIntArray, SortsAscendingAndReversesForDescending)
{
    struct Case {
        char const* name;
        std::vector<int> input;
        std::vector<int> sorted;
        std::vector<int> reversed;
    };
    Case const cases[] = {
        { "empty", {}, {}, {} },
        { "one element stays", { 7 }, { 7 }, { 7 } },
        { "two elements swap", { 2, 1 }, { 1, 2 }, { 2, 1 } },
        { "odd count keeps the middle", { 5, -3, 9, 0, 5 }, { -3, 0, 5, 5, 9 }, { 9, 5, 5, 0, -3 } },
        { "extremes compare without overflow", { 2147483647, -2147483647 - 1, 0 }, { -2147483647 - 1, 0, 2147483647 },
            { 2147483647, 0, -2147483647 - 1 } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CSortIntArray a;
        for (int v : c.input)
            a.Add(v);
        a.Sort();
        EXPECT_EQ(values(a), c.sorted);
        a.Reverse();
        EXPECT_EQ(values(a), c.reversed);
    }
}

TEST(SortIntArray, ReverseAloneDoesNotSort)
{
    CSortIntArray a;
    for (int v : { 3, 1, 2 })
        a.Add(v);
    a.Reverse();
    EXPECT_EQ(values(a), (std::vector<int> { 2, 1, 3 }));
}

TEST(SortStringArray, SortsWithoutCaseAndKeepsEqualStringsInOrder)
{
    CSortStringArray a;
    for (char const* s : { "b", "A", "a" })
        a.Add(s);
    a.Sort();
    EXPECT_EQ(texts(a), (std::vector<std::string> { "A", "a", "b" }));

    CSortStringArray b;
    for (char const* s : { "net", "Home", "NET", "home", "", "Alpha" })
        b.Add(s);
    b.Sort();
    EXPECT_EQ(texts(b), (std::vector<std::string> { "", "Alpha", "Home", "home", "net", "NET" }));
}
