#include "ButtonsFixture.h"

#include "station/controls/Separator.h"

namespace {

constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(255, 255, 255);

}

class SeparatorTest : public ButtonsTest {
protected:
    HWND separator(DWORD style, char const* caption, RECT r)
    {
        HWND const hwnd = make("Static", caption, style, 100, r);
        EXPECT_TRUE(m_separator.SubclassWindow(hwnd));
        InvalidateRect(hwnd, nullptr, TRUE);
        pump();
        return hwnd;
    }
    CSeparator m_separator;
};

TEST_F(SeparatorTest, TallControlGetsAVerticalLineDownItsMiddle)
{
    HWND s = separator(SS_LEFT, "ignored", { 10, 10, 20, 70 });
    EXPECT_EQ(pixel(s, 5, 30), kShadow);
    EXPECT_EQ(pixel(s, 6, 30), kLight);
    EXPECT_EQ(pixel(s, 4, 30), kFace);
    EXPECT_EQ(pixel(s, 7, 30), kFace);
    // No caption is written: the top rows hold only the line.
    EXPECT_EQ(pixel(s, 1, 2), kFace);
}

TEST_F(SeparatorTest, HorizontalLineIsBrokenByTheCaptionAndItsBlanks)
{
    struct Case {
        char const* name;
        DWORD style;
        char const* caption;
        std::vector<int> gaps; // columns where the line is broken
        std::vector<int> line; // columns where it shows
    };
    Case const cases[] = {
        { "empty caption, left: two blanks at the left end", SS_LEFT, "", { 1 }, { 60, 198 } },
        { "empty caption, centred: blanks on both sides of the middle", SS_CENTER, "", { 97, 102 }, { 1, 198 } },
        { "empty caption, right: blanks at the right end", SS_RIGHT, "", { 198 }, { 1, 100 } },
        { "caption at the left", SS_LEFT | SS_NOPREFIX, "Wireless", { 1, 20 }, { 150, 198 } },
        { "square control is horizontal", SS_LEFT, "", { 1 }, { 60 } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        bool const square = std::string(c.name).find("square") != std::string::npos;
        RECT const r = square ? RECT { 10, 10, 80, 80 } : RECT { 10, 10, 210, 26 };
        HWND s = separator(c.style, c.caption, r);
        int const y = (r.bottom - r.top) / 2;
        // With the square control the caption's line sits at the top, far above the line.
        if (!square) {
            // Under the caption and its blanks: face or glyph, never the line.
            for (int x : c.gaps) {
                EXPECT_NE(pixel(s, x, y), kShadow) << "x " << x;
                EXPECT_NE(pixel(s, x, y + 1), kLight) << "x " << x;
            }
        }
        for (int x : c.line) {
            EXPECT_EQ(pixel(s, x, y), kShadow) << "x " << x;
            EXPECT_EQ(pixel(s, x, y + 1), kLight) << "x " << x;
        }
        m_separator.UnsubclassWindow();
        DestroyWindow(s);
    }
}
