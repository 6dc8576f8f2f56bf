#include "station/controls/ButtonIcons.h"

#include "platform/gdi/Testing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace station::controls;

namespace {

// An icon whose colour image is `pixels` (0x00RRGGBB, w x h, top-down) with an all-zero mask.
HICON make_icon(int w, int h, std::vector<DWORD> pixels)
{
    for (DWORD& p : pixels)
        p |= 0xFF000000u;
    HBITMAP colour = CreateBitmap(w, h, 1, 32, pixels.data());
    std::vector<BYTE> zeros(static_cast<size_t>((w + 15) / 16 * 2 * h), 0);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, zeros.data());
    ICONINFO info { TRUE, 0, 0, mask, colour };
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

COLORREF drawn_pixel(HICON icon, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateBitmap(8, 8, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    PatBlt(dc, 0, 0, 8, 8, WHITENESS);
    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    COLORREF const c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return c;
}

}

TEST(ButtonIcons, GreyAndDarkerLevels)
{
    struct Case {
        char const* name;
        BYTE r, g, b;
        BYTE grey;
    };
    Case const cases[] = {
        { "white", 255, 255, 255, 255 },
        { "pure red", 255, 0, 0, 76 },
        { "pure green", 0, 255, 0, 149 },
        { "pure blue", 0, 0, 255, 29 },
        { "mixed, truncated", 10, 20, 30, 18 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(grey_level(c.r, c.g, c.b), c.grey);
    }
    EXPECT_EQ(darker_level(255), 191);
    EXPECT_EQ(darker_level(4), 3);
    EXPECT_EQ(darker_level(1), 0);
}

TEST(ButtonIcons, SizeIsTwiceTheHotSpot)
{
    HICON even = make_icon(4, 6, std::vector<DWORD>(24, 0x808080));
    HICON odd = make_icon(5, 3, std::vector<DWORD>(15, 0x808080));
    IconSize s;
    ASSERT_TRUE(read_icon_size(even, s));
    EXPECT_EQ(s.width, 4);
    EXPECT_EQ(s.height, 6);
    ASSERT_TRUE(read_icon_size(odd, s));
    EXPECT_EQ(s.width, 4); // the hot spot of a 5 x 3 icon is (2, 1)
    EXPECT_EQ(s.height, 2);
    EXPECT_FALSE(read_icon_size(nullptr, s));
    DestroyIcon(even);
    DestroyIcon(odd);
}

TEST(ButtonIcons, DerivedIconsKeepBlackAndRecolourTheRest)
{
    // Row 0: black, red, white, grey; row 1 repeats it.
    std::vector<DWORD> const pixels { 0x000000, 0xFF0000, 0xFFFFFF, 0x646464, 0x000000, 0xFF0000, 0xFFFFFF, 0x646464 };
    HICON source = make_icon(4, 2, pixels);
    HICON grey = derive_icon(source, DerivedIcon::Grey);
    HICON darker = derive_icon(source, DerivedIcon::Darker);
    ASSERT_NE(grey, nullptr);
    ASSERT_NE(darker, nullptr);
    EXPECT_EQ(drawn_pixel(grey, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(drawn_pixel(grey, 1, 0), RGB(76, 76, 76));
    EXPECT_EQ(drawn_pixel(grey, 2, 1), RGB(255, 255, 255));
    EXPECT_EQ(drawn_pixel(darker, 0, 1), RGB(0, 0, 0));
    EXPECT_EQ(drawn_pixel(darker, 1, 0), RGB(191, 0, 0));
    EXPECT_EQ(drawn_pixel(darker, 3, 0), RGB(75, 75, 75));
    IconSize s;
    ASSERT_TRUE(read_icon_size(grey, s));
    EXPECT_EQ(s.width, 4);
    for (HICON i : { source, grey, darker })
        DestroyIcon(i);
    EXPECT_EQ(derive_icon(nullptr, DerivedIcon::Grey), nullptr);
}

// A cursor-style hot spot far outside the image must not walk past the colour bitmap.
TEST(ButtonIcons, DerivedIconWalkStaysInsideTheImageWhateverTheHotSpot)
{
    std::vector<DWORD> pixels(4, 0xFF0000);
    for (DWORD& p : pixels)
        p |= 0xFF000000u;
    HBITMAP colour = CreateBitmap(2, 2, 1, 32, pixels.data());
    BYTE zeros[4] {};
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, zeros);
    ICONINFO info { FALSE, 500, 700, mask, colour };
    HICON cursor = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    HICON grey = derive_icon(cursor, DerivedIcon::Grey);
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(drawn_pixel(grey, 1, 1), RGB(76, 76, 76));
    DestroyIcon(grey);
    DestroyIcon(cursor);
}
