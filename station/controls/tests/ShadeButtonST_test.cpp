#include "ButtonsFixture.h"

#include "station/controls/ShadeButtonST.h"
#include "station/controls/ShadePatterns.h"

#include <string>

using platform::user::input::move_mouse;
using platform::user::input::MouseButton;
using platform::user::input::press_mouse;
using platform::user::input::release_mouse;
using station::controls::paint_shade_pattern;
using station::controls::seed_shade_rand;

namespace {

COLORREF colour_of(RGBQUAD q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

}

class ShadeButtonTest : public ButtonsTest {
protected:
    HWND shaded(CShadeButtonST& b, RECT r = { 10, 10, 90, 34 }, char const* text = "")
    {
        HWND const hwnd = make("Button", text, BS_PUSHBUTTON | WS_TABSTOP, 400, r);
        EXPECT_TRUE(b.SubclassWindow(hwnd));
        return hwnd;
    }
};

TEST_F(ShadeButtonTest, PaletteRunsFromShadowThroughFaceToLight)
{
    CShadeButtonST b;
    shaded(b);
    b.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    struct Entry {
        int index;
        COLORREF colour;
    };
    // Classic colours: shadow 128, face 192, light 255 in every channel.
    Entry const entries[] = { { 0, RGB(128, 128, 128) }, { 64, RGB(160, 160, 160) }, { 127, RGB(191, 191, 191) },
        { 128, RGB(192, 192, 192) }, { 200, RGB(227, 227, 227) }, { 255, RGB(255, 255, 255) } };
    for (Entry const& e : entries) {
        EXPECT_EQ(colour_of(b.normal_face().palette_entry(e.index)), e.colour) << e.index;
        // The hover and highlighted faces are tinted 10 % towards black.
        BYTE const v = static_cast<BYTE>(GetRValue(e.colour) * 90 / 100);
        EXPECT_EQ(colour_of(b.hover_face().palette_entry(e.index)), RGB(v, v, v)) << e.index;
        EXPECT_EQ(colour_of(b.highlighted_face().palette_entry(e.index)), RGB(v, v, v)) << e.index;
    }
    EXPECT_EQ(b.normal_face().width(), 80);
    EXPECT_EQ(b.normal_face().height(), 24);
}

TEST_F(ShadeButtonTest, ColouringTintsTheBasePalette)
{
    CShadeButtonST b;
    shaded(b);
    b.ConfigureShading(4, 8, 40, 5, RGB(0, 0, 255), 0xB4B4B4, RGB(255, 0, 0));
    // (255 x 5 + 128 x 95) / 100 = 134 for blue; 128 x 95 / 100 = 121 for red and green.
    EXPECT_EQ(colour_of(b.normal_face().palette_entry(0)), RGB(121, 121, 134));
    // Highlighted: 40 % red over that: (255 x 40 + 121 x 60) / 100 = 174; 121 x 60 / 100 = 72.
    EXPECT_EQ(colour_of(b.highlighted_face().palette_entry(0)), RGB(174, 72, 80));
}

// The three ways the main window shades its page buttons and the dialogs their buttons.
TEST_F(ShadeButtonTest, FaceChosenPerStateWithThePageButtonColours)
{
    struct Case {
        char const* name;
        UINT type;
        BYTE granularity, highlight, colouring;
        COLORREF colour, hover, highlighted;
        COLORREF rest_pixel, hover_pixel, highlighted_pixel;
    };
    Case const cases[] = {
        { "page buttons", 0, 33, 10, 0, 0, 0xE68CA0, 0xA01E3C, RGB(255, 255, 255), RGB(245, 243, 252), RGB(235, 232, 245) },
        { "plain page buttons", 0, 33, 10, 0, 0, 0xFFFFFF, 0xFFFFFF, RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255) },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CShadeButtonST b;
        HWND hwnd = shaded(b);
        b.ConfigureShading(c.type, c.granularity, c.highlight, c.colouring, c.colour, c.hover, c.highlighted);
        move_mouse(at(hwnd, 300, 300));
        b.Invalidate();
        pump();
        EXPECT_EQ(pixel(hwnd, 0, 0), c.rest_pixel);
        EXPECT_EQ(pixel(hwnd, 79, 23), c.rest_pixel);

        b.m_bHighlighted = TRUE;
        b.Invalidate();
        pump();
        EXPECT_EQ(pixel(hwnd, 5, 5), c.highlighted_pixel);

        move_mouse(at(hwnd, 40, 12));
        pump();
        EXPECT_EQ(pixel(hwnd, 0, 0), c.hover_pixel); // hover wins over highlighted
        press_mouse(MouseButton::Left);
        pump();
        EXPECT_EQ(pixel(hwnd, 1, 1), c.hover_pixel); // pressed: drawn one pixel down and right
        release_mouse(MouseButton::Left);
        move_mouse(at(hwnd, 300, 300));
        pump();
        DestroyWindow(hwnd);
    }

    // The dialogs' ordinary buttons: a vertical ramp, darker at the bottom, no frame drawn.
    seed_shade_rand(7);
    CShadeButtonST b;
    HWND hwnd = shaded(b);
    b.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    b.Invalidate();
    pump();
    EXPECT_LT(GetRValue(pixel(hwnd, 40, 23)), GetRValue(pixel(hwnd, 40, 0)));
    EXPECT_NE(pixel(hwnd, 0, 0), RGB(255, 255, 255));
}

TEST_F(ShadeButtonTest, NoFaceUntilConfigured)
{
    CShadeButtonST b;
    HWND hwnd = shaded(b);
    COLORREF const before = pixel(hwnd, 5, 5);
    b.Invalidate();
    pump();
    EXPECT_EQ(pixel(hwnd, 5, 5), before);
    EXPECT_TRUE(b.normal_face().empty());
}

TEST_F(ShadeButtonTest, ZeroSizeAndTinyButtonsBuildFacesOfTheirSize)
{
    struct Size {
        int w, h;
    };
    for (Size s : { Size { 0, 0 }, Size { 1, 1 }, Size { 0, 5 }, Size { 5, 0 }, Size { 1, 2 }, Size { 2, 1 }, Size { 5, 30 }, Size { 7, 1 } }) {
        for (UINT type = 0; type <= 9; ++type) {
            for (BYTE g : { 0, 8, 200, 255 }) {
                SCOPED_TRACE(std::to_string(s.w) + " x " + std::to_string(s.h) + " type " + std::to_string(type) + " g " + std::to_string(g));
                CShadeButtonST b;
                HWND hwnd = shaded(b, { 10, 10, 10 + s.w, 10 + s.h });
                b.ConfigureShading(type, g, 10, 0, 0, RGB(1, 2, 3), RGB(4, 5, 6));
                EXPECT_EQ(b.normal_face().width(), s.w);
                EXPECT_EQ(b.hover_face().height(), s.h);
                b.Invalidate();
                pump();
                DestroyWindow(hwnd);
            }
        }
    }
}

TEST(ShadePatterns, OtherTypesAndGrainAtGranularityZero)
{
    CCeXDib image;
    image.AllocateImage(6, 4, 8);
    for (unsigned type : { 0u, 9u, 1000u }) {
        paint_shade_pattern(image, type, 8);
        for (int r = 0; r < 4; ++r)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(image.row_pixel(x, r), 255);
    }
    // With granularity 0 there is no grain: type 3 is a clean left-to-right ramp of
    // 255 (w - x) / w.
    seed_shade_rand(1);
    paint_shade_pattern(image, 3, 0);
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(image.row_pixel(x, 2), static_cast<BYTE>(255 * (6 - x) / 6)) << x;
}

// Each pattern on a small face with a seeded source, drawn with a grey ramp palette.
TEST(ShadePatterns, EachTypeMatchesItsGolden)
{
    platform::gdi::testing::use_test_drawing(BUTTONS_TEST_FONT);
    for (unsigned type = 1; type <= 8; ++type) {
        SCOPED_TRACE(type);
        seed_shade_rand(1234);
        CCeXDib image;
        image.AllocateImage(40, 16, 8);
        for (int i = 0; i < 256; ++i)
            image.StorePaletteEntry(i, static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i));
        paint_shade_pattern(image, type, 8);
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateBitmap(40, 16, 1, 32, nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        image.BlitTo(dc, 0, 0);
        EXPECT_TRUE(platform::gdi::testing::matches_golden(dc, std::string(BUTTONS_GOLDEN_DIR) + "/shade_type" + std::to_string(type) + ".png"));
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
}
