#include "platform/gdi/FontCache.h"
#include "platform/gdi/Testing.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/tests/GdiTestSupport.h"

#include <cstring>
#include <functional>
#include <string>

namespace {

class TextTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::gdi::testing::use_test_drawing(GDI_TEST_DIR "/DejaVuSans.ttf");
        m_font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg");
    }
    void TearDown() override { DeleteObject(m_font); }
    HFONT m_font { nullptr };
};

TEST_F(TextTest, MetricsAndExtentsOfThePinnedFontAreStable)
{
    PixelCanvas canvas(10, 10);
    SelectObject(canvas.dc(), m_font);
    TEXTMETRIC tm {};
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 14);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 3);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmOverhang, 0);
    SIZE size {};
    ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), "Hello", 5, &size));
    EXPECT_EQ(size.cx, 28);
    EXPECT_EQ(size.cy, 14);
    INT widths[2];
    GetCharWidth32(canvas.dc(), 'i', 'j', widths);
    EXPECT_EQ(widths[0], 3);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
}

TEST_F(TextTest, PositiveHeightIsTheCellHeight)
{
    HFONT cell = CreateFont(16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Trebuchet MS");
    PixelCanvas canvas(4, 4);
    SelectObject(canvas.dc(), cell);
    TEXTMETRIC tm {};
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_GE(tm.tmHeight, 15);
    EXPECT_LE(tm.tmHeight, 17);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(cell);
}

TEST_F(TextTest, OpaqueTextFillsItsCellAndTransparentDoesNot)
{
    PixelCanvas canvas(40, 16);
    SelectObject(canvas.dc(), m_font);
    SetBkColor(canvas.dc(), kBlue);
    TextOut(canvas.dc(), 2, 1, "Ab", 2);
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "Ab", 2, &size);
    EXPECT_EQ(canvas.count(kBlue) + canvas.count(kBlack), size.cx * size.cy);
    EXPECT_GT(canvas.count(kBlack), 10);
    canvas.clear(kWhite);
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOut(canvas.dc(), 2, 1, "Ab", 2);
    EXPECT_EQ(canvas.count(kBlue), 0);
    EXPECT_EQ(canvas.count(kWhite) + canvas.count(kBlack), 40 * 16) << "monochrome glyphs have no blends";
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
}

TEST_F(TextTest, AlignmentMovesTheCell)
{
    PixelCanvas canvas(60, 30);
    SelectObject(canvas.dc(), m_font);
    SetBkColor(canvas.dc(), kBlue);
    SetTextAlign(canvas.dc(), TA_CENTER | TA_BOTTOM);
    TextOut(canvas.dc(), 30, 20, "ii", 2);
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "ii", 2, &size);
    EXPECT_NE(canvas.at(30 - size.cx / 2, 20 - size.cy), kWhite);
    EXPECT_EQ(canvas.at(30 - size.cx / 2 - 1, 19), kWhite);
    EXPECT_EQ(canvas.at(30, 20), kWhite) << "the bottom edge is outside the cell";
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
}

TEST_F(TextTest, EscapementTurnsTheCell)
{
    HFONT up = CreateFont(-11, 0, 900, 900, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    PixelCanvas canvas(30, 40);
    SelectObject(canvas.dc(), up);
    SetBkColor(canvas.dc(), kBlue);
    TextOut(canvas.dc(), 5, 35, "WW", 2);
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "WW", 2, &size);
    // Turned a quarter to the left: the cell runs up from (5, 35) and to the right by its height.
    EXPECT_NE(canvas.at(5, 34), kWhite);
    EXPECT_NE(canvas.at(5 + size.cy - 1, 35 - size.cx), kWhite);
    EXPECT_EQ(canvas.at(5, 35), kWhite);
    EXPECT_EQ(canvas.at(4, 34), kWhite);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(up);
}

TEST_F(TextTest, DrawTextRectangles)
{
    struct Case {
        char const* name;
        char const* text;
        UINT format;
        RECT in;
        RECT want;
    };
    // Line height 14; "Hello" is 28 wide, "Hello world" 63.
    Case const cases[] = {
        { "CALCRECT one line moves right and bottom", "Hello", DT_CALCRECT | DT_SINGLELINE, { 0, 0, 200, 100 }, { 0, 0, 28, 14 } },
        { "CALCRECT prefix characters take no room", "&Hello", DT_CALCRECT | DT_SINGLELINE, { 0, 0, 200, 100 }, { 0, 0, 28, 14 } },
        { "CALCRECT NOPREFIX measures the ampersand", "&Hello", DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX, { 0, 0, 200, 100 }, { 0, 0, 38, 14 } },
        { "CALCRECT word break keeps the width", "Hello world Hello world", DT_CALCRECT | DT_WORDBREAK, { 0, 0, 70, 0 }, { 0, 0, 70, 28 } },
        { "CALCRECT lines", "a\nb\nc", DT_CALCRECT, { 5, 5, 50, 6 }, { 5, 5, 50, 47 } },
        { "CALCRECT long word widens", "Helloworldlong", DT_CALCRECT | DT_WORDBREAK, { 0, 0, 20, 0 }, { 0, 0, 83, 14 } },
        { "CALCRECT EDITCONTROL breaks long words", "Helloworldlong", DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL, { 0, 0, 40, 0 }, { 0, 0, 40, 42 } },
    };
    PixelCanvas canvas(10, 10);
    SelectObject(canvas.dc(), m_font);
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        RECT r = c.in;
        int height = DrawText(canvas.dc(), c.text, -1, &r, c.format);
        EXPECT_EQ(r.left, c.want.left);
        EXPECT_EQ(r.top, c.want.top);
        EXPECT_EQ(r.right, c.want.right);
        EXPECT_EQ(r.bottom, c.want.bottom);
        EXPECT_EQ(height, c.want.bottom - c.want.top);
        EXPECT_EQ(canvas.count(kWhite), 100) << "CALCRECT draws nothing";
    }
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
}

TEST_F(TextTest, DrawTextPixels)
{
    PixelCanvas canvas(80, 40);
    HDC dc = canvas.dc();
    SelectObject(dc, m_font);
    SetBkMode(dc, TRANSPARENT);
    auto ink_columns = [&](int y0, int y1) {
        int left = 1000, right = -1;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.at(x, y) == kBlack) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return std::pair { left, right };
    };
    {
        SCOPED_TRACE("prefix underlines the next letter, && shows one ampersand");
        RECT r { 0, 0, 80, 20 };
        DrawText(dc, "&H&&", -1, &r, DT_SINGLELINE);
        SIZE h;
        GetTextExtentPoint32(dc, "H", 1, &h);
        int underline_y = 11 + 1;
        EXPECT_EQ(canvas.at(0, underline_y), kBlack);
        EXPECT_EQ(canvas.at(h.cx + 1, underline_y), kWhite);
        SIZE amp;
        GetTextExtentPoint32(dc, "H&", 2, &amp);
        EXPECT_LE(ink_columns(0, 11).second, amp.cx);
        EXPECT_GT(ink_columns(0, 11).second, h.cx);
    }
    canvas.clear(kWhite);
    {
        SCOPED_TRACE("right and centre alignment");
        RECT r { 0, 0, 80, 13 };
        DrawText(dc, "ii", -1, &r, DT_RIGHT | DT_SINGLELINE);
        EXPECT_EQ(ink_columns(0, 13).second, 78);
        canvas.clear(kWhite);
        DrawText(dc, "ii", -1, &r, DT_CENTER | DT_SINGLELINE);
        auto [l, rr] = ink_columns(0, 13);
        EXPECT_NEAR((l + rr) / 2.0, 40, 2);
    }
    canvas.clear(kWhite);
    {
        SCOPED_TRACE("VCENTER with SINGLELINE, clipping without NOCLIP");
        RECT r { 0, 10, 30, 39 };
        DrawText(dc, "Hello world", -1, &r, DT_SINGLELINE | DT_VCENTER);
        EXPECT_LE(ink_columns(0, 40).second, 29) << "clipped at the right edge";
        for (int y = 0; y < 17; ++y)
            EXPECT_NE(canvas.at(1, y), kBlack);
        canvas.clear(kWhite);
        DrawText(dc, "Hello world", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
        EXPECT_GT(ink_columns(0, 40).second, 40);
    }
    canvas.clear(kWhite);
    {
        SCOPED_TRACE("END_ELLIPSIS ends with dots inside the rectangle");
        RECT r { 0, 0, 45, 13 };
        DrawText(dc, "Hello world", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
        EXPECT_LE(ink_columns(0, 13).second, 44);
        EXPECT_EQ(canvas.at(ink_columns(0, 13).second, 10), kBlack) << "a dot on the baseline row";
    }
    canvas.clear(kWhite);
    {
        SCOPED_TRACE("EDITCONTROL leaves out a cut last line");
        RECT r { 0, 0, 40, 20 };
        DrawText(dc, "Hello Hello", -1, &r, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_NOCLIP);
        EXPECT_EQ(ink_columns(13, 40).first, 1000);
        canvas.clear(kWhite);
        DrawText(dc, "Hello Hello", -1, &r, DT_WORDBREAK | DT_NOPREFIX);
        EXPECT_NE(ink_columns(13, 20).first, 1000) << "without it the second line shows, clipped";
    }
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
}

// Antialiased text on a 32-bit target is blended into the surface's rows, glyph by glyph
// when no two glyphs share a column ("Signal", "cell 12.3"), else through a coverage mask
// (overlapping glyphs, underlines); on other depths it goes pixel by pixel. Clip regions of
// several rectangles and text off the edge must come out the same on every path.
TEST_F(TextTest, RowPathGivesThePixelsOfThePixelPath)
{
    platform::gdi::testing::set_monochrome_glyphs(false);
    HFONT italic = CreateFont(-14, 0, 0, 0, FW_BOLD, TRUE, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HFONT lined = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, TRUE, TRUE, 0, 0, 0, 0, 0, "Arial");
    INT const dx[] = { 9, 2, 7, -3, 8, 6 };
    struct Case {
        char const* name;
        HFONT font;
        int mode;
        std::function<void(HDC)> draw;
    };
    Case const cases[] = {
        { "opaque, half off the left edge", m_font, OPAQUE, [](HDC dc) { TextOut(dc, -9, 2, "Signal 54%", 10); } },
        { "glyphs overlap, opaque, half off the left edge", m_font, OPAQUE, [](HDC dc) { TextOut(dc, -9, 2, "jfy Wave%", 9); } },
        { "DrawText clipped by its rectangle", m_font, TRANSPARENT,
            [](HDC dc) {
                RECT r { 10, 5, 47, 16 };
                DrawText(dc, "cell 12.3 Signal", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
            } },
        { "slanted bold glyphs overlap", italic, TRANSPARENT, [](HDC dc) { TextOut(dc, 1, 18, "ffjW/y", 6); } },
        { "DrawText clipped by its rectangle, prefix underline", m_font, TRANSPARENT,
            [](HDC dc) {
                RECT r { 10, 5, 47, 16 };
                DrawText(dc, "S&ignal jy 54%", -1, &r, DT_SINGLELINE);
            } },
        { "clip of several rectangles, window origin", m_font, OPAQUE,
            [](HDC dc) {
                SetWindowOrgEx(dc, 3, -2, nullptr);
                ExcludeClipRect(dc, 20, 0, 26, 40);
                IntersectClipRect(dc, 0, 4, 60, 30);
                TextOut(dc, 4, 3, "Quality 98% gj", 14);
                TextOut(dc, 2, 18, "Signal 54%", 10);
            } },
        { "underline and strike-out", lined, TRANSPARENT, [](HDC dc) { TextOut(dc, 2, 20, "Tx gy", 5); } },
        { "ExtTextOut clipped and opaque with advances", m_font, TRANSPARENT,
            [&dx](HDC dc) {
                RECT r { 5, 3, 30, 12 };
                ExtTextOut(dc, 4, 1, ETO_CLIPPED | ETO_OPAQUE, &r, "WAVEjj", 6, dx);
            } },
        { "off the bottom right corner", italic, OPAQUE, [](HDC dc) { TextOut(dc, 45, 25, "Wg", 2); } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        int changed = expect_same_on_both_depths(60, 34, RGB(30, 160, 90), [&](HDC dc) {
            HGDIOBJ old = SelectObject(dc, c.font);
            SetTextColor(dc, RGB(20, 90, 200));
            SetBkColor(dc, RGB(250, 240, 10));
            SetBkMode(dc, c.mode);
            c.draw(dc);
            SelectObject(dc, old);
        });
        EXPECT_GT(changed, 10);
    }
    platform::gdi::testing::set_monochrome_glyphs(true);
    DeleteObject(italic);
    DeleteObject(lined);
}

TEST_F(TextTest, NonLatinTextUsesAFallbackFace)
{
    HFONT mono = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Serif");
    PixelCanvas canvas(40, 20);
    SelectObject(canvas.dc(), mono);
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOut(canvas.dc(), 1, 1, "\xD7\xA9\xD7\x9C", 4); // Hebrew
    EXPECT_GT(canvas.count(kBlack), 10);
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "\xD7\xA9\xD7\x9C", 4, &size);
    EXPECT_GT(size.cx, 8);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(mono);
}

}

// Each face the programs' templates and pages name is drawn in the installed face whose
// metrics come closest (the install script installs them), not in whatever fontconfig
// offers first: a label then takes about the room it was laid out for.
TEST(FontSubstitution, NamedFacesDrawInTheClosestMetricInstalledFamily)
{
    platform::gdi::testing::use_test_drawing("");
    struct Case {
        char const* face;
        char const* file; // of the Debian packages fonts-liberation2 and fonts-dejavu-*
    };
    Case const cases[] = {
        { "Trebuchet MS", "/LiberationSans-Regular.ttf" },
        { "MS Sans Serif", "/LiberationSans-Regular.ttf" },
        { "Microsoft Sans Serif", "/LiberationSans-Regular.ttf" },
        { "MS Shell Dlg", "/LiberationSans-Regular.ttf" },
        { "MS Shell Dlg 2", "/DejaVuSansCondensed.ttf" },
        { "Tahoma", "/DejaVuSansCondensed.ttf" },
        { "Arial", "/LiberationSans-Regular.ttf" },
        { "Verdana", "/DejaVuSans.ttf" },
        { "Segoe UI", "/LiberationSans-Regular.ttf" },
        { "Times New Roman", "/LiberationSerif-Regular.ttf" },
        { "Courier New", "/LiberationMono-Regular.ttf" },
        { "Courier", "/LiberationMono-Regular.ttf" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.face);
        LOGFONT logfont {};
        logfont.lfHeight = -11;
        std::strncpy(logfont.lfFaceName, c.face, LF_FACESIZE - 1);
        std::string const file = platform::gdi::realize_font(logfont)->file();
        EXPECT_TRUE(file.ends_with(c.file)) << file;
    }
}
