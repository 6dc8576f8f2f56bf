#include "platform/gdi/tests/GdiTestSupport.h"

#include <functional>
#include <string>

namespace {

struct ShapeCase {
    char const* name;
    std::function<void(HDC)> draw;
    std::function<bool(int, int)> inside;
};

TEST(Primitives, EdgeRulesOfEveryShape)
{
    ShapeCase const cases[] = {
        { "FillRect keeps left/top, drops right/bottom",
            [](HDC dc) { RECT r { 2, 3, 7, 9 }; FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); },
            [](int x, int y) { return x >= 2 && x < 7 && y >= 3 && y < 9; } },
        { "FillRect of an inverted rectangle draws nothing",
            [](HDC dc) { RECT r { 7, 3, 2, 9 }; FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); },
            [](int, int) { return false; } },
        { "FrameRect is a one-pixel border inside",
            [](HDC dc) { RECT r { 1, 1, 6, 5 }; FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); },
            [](int x, int y) { return x >= 1 && x < 6 && y >= 1 && y < 5 && (x == 1 || x == 5 || y == 1 || y == 4); } },
        { "LineTo leaves out its end point",
            [](HDC dc) { MoveToEx(dc, 1, 2, nullptr); LineTo(dc, 8, 2); },
            [](int x, int y) { return y == 2 && x >= 1 && x < 8; } },
        { "vertical LineTo leaves out its end point",
            [](HDC dc) { MoveToEx(dc, 4, 8, nullptr); LineTo(dc, 4, 1); },
            [](int x, int y) { return x == 4 && y > 1 && y <= 8; } },
        { "diagonal LineTo",
            [](HDC dc) { MoveToEx(dc, 0, 0, nullptr); LineTo(dc, 5, 5); },
            [](int x, int y) { return x == y && x < 5; } },
        { "Rectangle outlines with the pen inside its bounds",
            [](HDC dc) { SelectObject(dc, GetStockObject(BLACK_BRUSH)); Rectangle(dc, 2, 2, 8, 7); },
            [](int x, int y) { return x >= 2 && x < 8 && y >= 2 && y < 7; } },
        { "Rectangle without a pen fills one pixel less",
            [](HDC dc) { SelectObject(dc, GetStockObject(NULL_PEN)); SelectObject(dc, GetStockObject(BLACK_BRUSH)); Rectangle(dc, 2, 2, 8, 7); },
            [](int x, int y) { return x >= 2 && x < 7 && y >= 2 && y < 6; } },
        { "PatBlt with a negative width",
            [](HDC dc) { SelectObject(dc, GetStockObject(BLACK_BRUSH)); PatBlt(dc, 6, 1, -3, 2, PATCOPY); },
            [](int x, int y) { return x >= 3 && x < 6 && y >= 1 && y < 3; } },
        { "window origin moves every primitive",
            [](HDC dc) { SetWindowOrgEx(dc, -2, -1, nullptr); RECT r { 0, 0, 3, 3 }; FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); },
            [](int x, int y) { return x >= 2 && x < 5 && y >= 1 && y < 4; } },
        { "viewport origin and window origin add up",
            [](HDC dc) { SetViewportOrgEx(dc, 3, 0, nullptr); SetWindowOrgEx(dc, 1, 0, nullptr); SetPixel(dc, 1, 1, kBlack); },
            [](int x, int y) { return x == 3 && y == 1; } },
        { "clip rectangle stops a fill",
            [](HDC dc) { IntersectClipRect(dc, 3, 3, 6, 6); RECT r { 0, 0, 10, 10 }; FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); },
            [](int x, int y) { return x >= 3 && x < 6 && y >= 3 && y < 6; } },
        { "excluded rectangle keeps its pixels",
            [](HDC dc) { ExcludeClipRect(dc, 2, 0, 8, 10); RECT r { 0, 0, 10, 1 }; FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); },
            [](int x, int y) { return y == 0 && (x < 2 || x >= 8); } },
        { "clip stops lines",
            [](HDC dc) { IntersectClipRect(dc, 0, 0, 4, 10); MoveToEx(dc, 0, 5, nullptr); LineTo(dc, 10, 5); },
            [](int x, int y) { return y == 5 && x < 4; } },
        { "logical clip rectangles follow the window origin",
            [](HDC dc) { SetWindowOrgEx(dc, 2, 2, nullptr); IntersectClipRect(dc, 2, 2, 4, 4); RECT r { 0, 0, 10, 10 }; FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); },
            [](int x, int y) { return x >= 0 && x < 2 && y >= 0 && y < 2; } },
        { "selected clip region is in device units",
            [](HDC dc) { SetWindowOrgEx(dc, 5, 5, nullptr); HRGN rgn = CreateRectRgn(1, 1, 3, 2); SelectClipRgn(dc, rgn); DeleteObject(rgn); SetPixel(dc, 6, 6, kBlack); SetPixel(dc, 7, 6, kBlack); SetPixel(dc, 8, 8, kBlack); },
            [](int x, int y) { return y == 1 && (x == 1 || x == 2); } },
    };
    for (ShapeCase const& c : cases) {
        SCOPED_TRACE(c.name);
        PixelCanvas canvas(10, 10);
        c.draw(canvas.dc());
        canvas.expect_shape(c.inside, kBlack, kWhite);
    }
}

TEST(Primitives, SixBySixEllipseIsARoundedSquare)
{
    PixelCanvas canvas(8, 8);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    Ellipse(canvas.dc(), 1, 1, 7, 7);
    char const* rows[] = { "........", "..####..", ".######.", ".######.", ".######.", ".######.", "..####..", "........" };
    canvas.expect_shape([&](int x, int y) { return rows[y][x] == '#'; }, kBlack, kWhite);
}

TEST(Primitives, EllipseOutlineUsesPenAndFillUsesBrush)
{
    PixelCanvas canvas(12, 12);
    HPEN pen = CreatePen(PS_SOLID, 0, kRed);
    HBRUSH brush = CreateSolidBrush(kBlue);
    SelectObject(canvas.dc(), pen);
    SelectObject(canvas.dc(), brush);
    Ellipse(canvas.dc(), 0, 0, 12, 12);
    EXPECT_EQ(canvas.at(6, 0), kRed);
    EXPECT_EQ(canvas.at(0, 6), kRed);
    EXPECT_EQ(canvas.at(6, 6), kBlue);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
}

TEST(Primitives, PolygonFillsInsideAndOutlinesEveryVertex)
{
    PixelCanvas canvas(10, 10);
    HBRUSH brush = CreateSolidBrush(kBlue);
    SelectObject(canvas.dc(), brush);
    POINT square[] = { { 1, 1 }, { 8, 1 }, { 8, 8 }, { 1, 8 } };
    Polygon(canvas.dc(), square, 4);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool in = x >= 1 && x <= 8 && y >= 1 && y <= 8;
            bool edge = in && (x == 1 || x == 8 || y == 1 || y == 8);
            EXPECT_EQ(canvas.at(x, y), edge ? kBlack : in ? kBlue : kWhite) << x << "," << y;
        }
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(Primitives, DottedPenSkipsPixels)
{
    PixelCanvas canvas(12, 1);
    HPEN pen = CreatePen(PS_DOT, 0, kBlack);
    SelectObject(canvas.dc(), pen);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    EXPECT_EQ(canvas.at(0, 0), kBlack);
    EXPECT_EQ(canvas.at(3, 0), kWhite);
    EXPECT_EQ(canvas.at(6, 0), kBlack);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Primitives, RasterOperationsOfPatBlt)
{
    struct Case {
        char const* name;
        DWORD rop;
        COLORREF want;
    } const cases[] = {
        { "PATCOPY", PATCOPY, RGB(0, 0xF0, 0) },
        { "DSTINVERT", DSTINVERT, RGB(0xFF - 0x12, 0xFF - 0x34, 0xFF - 0x56) },
        { "PATINVERT", PATINVERT, RGB(0x12, 0x34 ^ 0xF0, 0x56) },
        { "BLACKNESS", BLACKNESS, kBlack },
        { "WHITENESS", WHITENESS, kWhite },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        PixelCanvas canvas(2, 2, RGB(0x12, 0x34, 0x56));
        HBRUSH brush = CreateSolidBrush(RGB(0, 0xF0, 0));
        SelectObject(canvas.dc(), brush);
        PatBlt(canvas.dc(), 0, 0, 1, 1, c.rop);
        EXPECT_EQ(canvas.at(0, 0), c.want);
        EXPECT_EQ(canvas.at(1, 1), RGB(0x12, 0x34, 0x56));
        SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
        DeleteObject(brush);
    }
}

TEST(Primitives, InvertRectTwiceRestores)
{
    PixelCanvas canvas(4, 4, RGB(10, 20, 30));
    RECT r { 1, 1, 3, 3 };
    InvertRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.at(1, 1), RGB(245, 235, 225));
    InvertRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.count(RGB(10, 20, 30)), 16);
}

TEST(Primitives, PixelsOutsideTheClipAnswerInvalid)
{
    PixelCanvas canvas(4, 4);
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 1, kRed), kRed);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), kRed);
    EXPECT_EQ(GetPixel(canvas.dc(), 4, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc(), -1, 0, kRed), CLR_INVALID);
}

TEST(Primitives, HorizontalAndVerticalGradients)
{
    PixelCanvas canvas(5, 4);
    TRIVERTEX v[2] = { { 0, 0, 0, 0, 0, 0 }, { 5, 4, 0xFF00, 0, 0x5000, 0 } };
    GRADIENT_RECT g { 0, 1 };
    GradientFill(canvas.dc(), v, 2, &g, 1, GRADIENT_FILL_RECT_H);
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(4, 3), RGB(0xCC, 0, 0x40));
    EXPECT_EQ(canvas.at(2, 0), canvas.at(2, 3));
    GradientFill(canvas.dc(), v, 2, &g, 1, GRADIENT_FILL_RECT_V);
    EXPECT_EQ(canvas.at(0, 3), canvas.at(4, 3));
    EXPECT_EQ(canvas.at(0, 2), RGB(0x7F, 0, 0x28));

    // Clipped: only what the clip leaves is painted, in the colour of its column.
    PixelCanvas clipped(5, 4);
    ExcludeClipRect(clipped.dc(), 1, 1, 4, 3);
    GradientFill(clipped.dc(), v, 2, &g, 1, GRADIENT_FILL_RECT_H);
    EXPECT_EQ(clipped.at(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(clipped.at(4, 3), RGB(0xCC, 0, 0x40));
    EXPECT_EQ(clipped.at(2, 0), clipped.at(2, 3));
    EXPECT_NE(clipped.at(2, 0), RGB(255, 255, 255));
}

TEST(DcState, SaveAndRestoreBringBackObjectsColoursAndClip)
{
    PixelCanvas canvas(6, 6);
    HDC dc = canvas.dc();
    EXPECT_EQ(GetTextColor(dc), kBlack);
    EXPECT_EQ(GetBkColor(dc), kWhite);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    int level = SaveDC(dc);
    SetTextColor(dc, kRed);
    HBRUSH brush = CreateSolidBrush(kGreen);
    HGDIOBJ previous = SelectObject(dc, brush);
    EXPECT_EQ(previous, GetStockObject(WHITE_BRUSH));
    IntersectClipRect(dc, 0, 0, 1, 1);
    EXPECT_FALSE(DeleteObject(brush)) << "a selected brush stays alive";
    EXPECT_TRUE(RestoreDC(dc, level));
    EXPECT_EQ(GetTextColor(dc), kBlack);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 6);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0u) << "a deleted handle is gone";
}

TEST(Regions, CombineOffsetAndBox)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
    RECT box;
    GetRgnBox(out, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
    OffsetRgn(b, -5, -5);
    EXPECT_TRUE(EqualRgn(a, b));
    EXPECT_TRUE(PtInRegion(b, 9, 9));
    EXPECT_FALSE(PtInRegion(b, 10, 9));
    for (HRGN r : { a, b, out })
        DeleteObject(r);
}

TEST(DeviceCaps, PaletteDeviceCanBeInjected)
{
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(nullptr, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(nullptr, RASTERCAPS) & RC_PALETTE, 0);
}

}
