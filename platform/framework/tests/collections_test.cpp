#include "platform/framework/Collections.h"

#include <gtest/gtest.h>

TEST(CStringFormat, RewritesTheOriginalConversions)
{
    struct Case {
        char const* name;
        char const* format;
        std::string expected;
    };
    CString s;
    s.Format("%I64d|%I64u|%I64X", static_cast<long long>(-5000000000LL), 18000000000ULL, 0xABCDEF012ULL);
    EXPECT_EQ(s, "-5000000000|18000000000|ABCDEF012");
    s.Format("%hs-%S-%s-%5.2f-%%-%c", "a", "b", "c", 3.14159, 'x');
    EXPECT_EQ(s, "a-b-c- 3.14-%-x");
    s.AppendFormat("%03d", 7);
    EXPECT_EQ(s, "a-b-c- 3.14-%-x007");
    std::string const long_text(5000, 'z');
    s.Format("%s!", long_text.c_str());
    EXPECT_EQ(s.GetLength(), 5001);
}

TEST(CStringMembers, EditAndSearch)
{
    CString s("  Hello World  ");
    s.Trim();
    EXPECT_EQ(s, "Hello World");
    EXPECT_EQ(s.Find("World"), 6);
    EXPECT_EQ(s.ReverseFind('o'), 7);
    EXPECT_EQ(s.Left(5), "Hello");
    EXPECT_EQ(s.Right(100), "Hello World");
    EXPECT_EQ(s.Mid(6, 100), "World");
    EXPECT_EQ(s.Mid(-3, 2), "He");
    EXPECT_EQ(s.CompareNoCase("hello world"), 0);
    EXPECT_EQ(s.Replace("o", "0"), 2);
    EXPECT_EQ(s, "Hell0 W0rld");
    EXPECT_EQ(s.GetAt(100), '\0');
    LPTSTR buffer = s.GetBuffer(32);
    buffer[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "He");
}

TEST(Arrays, GrowRemoveAndGuardIndexes)
{
    CArray<int, int> a;
    a.Add(1);
    a.Add(2);
    a.InsertAt(1, 9);
    a.SetAtGrow(5, 4);
    EXPECT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a[1], 9);
    a.RemoveAt(1, 10);
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a.GetAt(7), 0);
    CStringArray strings;
    strings.Add("x");
    strings.Add(CString("y"));
    EXPECT_EQ(strings.GetAt(1), "y");
    CMap<int, int, CString, LPCTSTR> map;
    map.SetAt(3, "three");
    map[1] = "one";
    CString value;
    EXPECT_TRUE(map.Lookup(3, value));
    EXPECT_EQ(value, "three");
    int keys = 0;
    for (POSITION p = map.GetStartPosition(); p;) {
        int key = 0;
        map.GetNextAssoc(p, key, value);
        keys += key;
    }
    EXPECT_EQ(keys, 4);
}
