#include "platform/gdi/Png.h"
#include "platform/gdi/tests/GdiTestSupport.h"

#include <cstring>
#include <vector>

namespace {

// A 3 x 2 DIB of the given depth whose pixel (x, y) has palette index / colour chosen below.
struct DibImage {
    std::vector<std::uint8_t> info_block;
    std::vector<std::uint8_t> bits;
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(info_block.data()); }
};

COLORREF const palette_colours[4] = { RGB(10, 20, 30), RGB(200, 0, 0), RGB(0, 150, 0), RGB(7, 8, 250) };
int const index_at[2][3] = { { 0, 1, 2 }, { 3, 2, 1 } };

DibImage make_image(int bpp, bool bottom_up)
{
    DibImage img;
    int colours = bpp <= 8 ? (1 << bpp) : 0;
    img.info_block.assign(sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(colours) * sizeof(RGBQUAD), 0);
    BITMAPINFOHEADER& h = img.info()->bmiHeader;
    h.biSize = 40;
    h.biWidth = 3;
    h.biHeight = bottom_up ? 2 : -2;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bpp);
    h.biCompression = BI_RGB;
    int stride = ((3 * bpp + 31) / 32) * 4;
    h.biSizeImage = static_cast<DWORD>(stride * 2);
    auto* table = reinterpret_cast<RGBQUAD*>(img.info_block.data() + 40);
    for (int i = 0; i < colours; ++i) {
        COLORREF c = palette_colours[i % 4];
        table[i] = RGBQUAD { GetBValue(c), GetGValue(c), GetRValue(c), 0 };
    }
    img.bits.assign(static_cast<std::size_t>(stride * 2), 0);
    for (int y = 0; y < 2; ++y) {
        std::uint8_t* row = img.bits.data() + (bottom_up ? 1 - y : y) * stride;
        for (int x = 0; x < 3; ++x) {
            int index = index_at[y][x];
            COLORREF c = palette_colours[index];
            switch (bpp) {
            case 1:
                row[0] |= static_cast<std::uint8_t>((index & 1) << (7 - x));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>(index << ((x % 2) ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(index);
                break;
            case 24:
                row[x * 3] = GetBValue(c);
                row[x * 3 + 1] = GetGValue(c);
                row[x * 3 + 2] = GetRValue(c);
                break;
            case 32:
                row[x * 4] = GetBValue(c);
                row[x * 4 + 1] = GetGValue(c);
                row[x * 4 + 2] = GetRValue(c);
                break;
            }
        }
    }
    return img;
}

TEST(Dib, EveryDepthBlitsThroughItsPaletteToA32BitTarget)
{
    for (int bpp : { 1, 4, 8, 24, 32 })
        for (bool bottom_up : { true, false }) {
            SCOPED_TRACE(testing::Message() << bpp << " bpp, " << (bottom_up ? "bottom-up" : "top-down"));
            DibImage img = make_image(bpp, bottom_up);
            void* bits = nullptr;
            HDC src = CreateCompatibleDC(nullptr);
            HBITMAP dib = CreateDIBSection(src, img.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
            ASSERT_NE(dib, nullptr);
            std::memcpy(bits, img.bits.data(), img.bits.size());
            HGDIOBJ old = SelectObject(src, dib);
            PixelCanvas target(5, 4);
            BitBlt(target.dc(), 1, 1, 3, 2, src, 0, 0, SRCCOPY);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x) {
                    int index = bpp == 1 ? (index_at[y][x] & 1) : index_at[y][x];
                    EXPECT_EQ(target.at(x + 1, y + 1), palette_colours[index]) << x << "," << y;
                }
            EXPECT_EQ(target.at(0, 0), kWhite);
            EXPECT_EQ(target.at(4, 3), kWhite);
            SelectObject(src, old);
            DeleteObject(dib);
            DeleteDC(src);
        }
}

TEST(Dib, GetDIBitsReadsBackWhatSetDIBitsWrote)
{
    DibImage img = make_image(8, true);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, nullptr);
    EXPECT_EQ(SetDIBits(dc, bitmap, 0, 2, img.bits.data(), img.info(), DIB_RGB_COLORS), 2);
    DibImage out = make_image(24, false);
    std::fill(out.bits.begin(), out.bits.end(), 0);
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, 2, out.bits.data(), out.info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(out.bits, make_image(24, false).bits);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(Blit, MonochromeSourceTakesTheTargetsTextAndBackgroundColours)
{
    std::uint8_t rows[4] = { 0x80, 0, 0x40, 0 }; // (0, 0) and (1, 1) set
    HBITMAP mono = CreateBitmap(2, 2, 1, 1, rows);
    HDC src = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(src, mono);
    PixelCanvas target(2, 2);
    SetTextColor(target.dc(), kRed);
    SetBkColor(target.dc(), kBlue);
    BitBlt(target.dc(), 0, 0, 2, 2, src, 0, 0, SRCCOPY);
    EXPECT_EQ(target.at(0, 0), kBlue);
    EXPECT_EQ(target.at(1, 0), kRed);
    EXPECT_EQ(target.at(1, 1), kBlue);
    SelectObject(src, old);
    DeleteObject(mono);
    DeleteDC(src);
}

TEST(Blit, RopsClipAndOriginsApply)
{
    PixelCanvas source(4, 4, RGB(0x0F, 0xF0, 0x33));
    struct Case {
        char const* name;
        DWORD rop;
        COLORREF want;
    } const cases[] = {
        { "SRCCOPY", SRCCOPY, RGB(0x0F, 0xF0, 0x33) },
        { "SRCPAINT", SRCPAINT, RGB(0x0F | 0x81, 0xF0 | 0x18, 0x33 | 0x42) },
        { "SRCAND", SRCAND, RGB(0x0F & 0x81, 0xF0 & 0x18, 0x33 & 0x42) },
        { "SRCINVERT", SRCINVERT, RGB(0x0F ^ 0x81, 0xF0 ^ 0x18, 0x33 ^ 0x42) },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        PixelCanvas target(6, 6, RGB(0x81, 0x18, 0x42));
        SetWindowOrgEx(target.dc(), -1, -1, nullptr); // logical (0, 0) is pixel (1, 1)
        IntersectClipRect(target.dc(), 0, 0, 2, 4);
        BitBlt(target.dc(), 0, 0, 4, 4, source.dc(), 0, 0, c.rop);
        EXPECT_EQ(target.at(1, 1), c.want);
        EXPECT_EQ(target.at(2, 4), c.want);
        EXPECT_EQ(target.at(3, 1), RGB(0x81, 0x18, 0x42)) << "outside the clip";
        EXPECT_EQ(target.at(0, 0), RGB(0x81, 0x18, 0x42));
    }
}

TEST(Blit, StretchTransparentAndAlpha)
{
    PixelCanvas source(2, 1);
    SetPixel(source.dc(), 0, 0, kRed);
    SetPixel(source.dc(), 1, 0, kGreen);
    PixelCanvas target(4, 2);
    StretchBlt(target.dc(), 0, 0, 4, 2, source.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(target.at(1, 1), kRed);
    EXPECT_EQ(target.at(2, 0), kGreen);
    target.clear(kWhite);
    TransparentBlt(target.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 2, 1, kGreen);
    EXPECT_EQ(target.at(0, 0), kRed);
    EXPECT_EQ(target.at(1, 0), kWhite);
    target.clear(kWhite);
    AlphaBlend(target.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 2, 1, BLENDFUNCTION { AC_SRC_OVER, 0, 128, 0 });
    EXPECT_EQ(target.at(0, 0), RGB(255, 127, 127));
}

TEST(Icon, MaskAndColourAndHotSpot)
{
    std::uint8_t mask_rows[4] = { 0x40, 0, 0x00, 0 }; // only (1, 0) transparent
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, mask_rows);
    PixelCanvas colour(2, 2, kBlue);
    SetPixel(colour.dc(), 1, 0, kBlack);
    ICONINFO info { TRUE, 0, 0, mask, colour.bitmap() };
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    DeleteObject(mask);
    ICONINFO back {};
    ASSERT_TRUE(GetIconInfo(icon, &back));
    EXPECT_EQ(back.xHotspot, 1u);
    EXPECT_EQ(back.yHotspot, 1u);
    DeleteObject(back.hbmMask);
    DeleteObject(back.hbmColor);
    HICON copy = CopyIcon(icon);
    DestroyIcon(icon);
    PixelCanvas target(3, 3, kGreen);
    DrawIcon(target.dc(), 1, 1, copy);
    EXPECT_EQ(target.at(1, 1), kBlue);
    EXPECT_EQ(target.at(2, 1), kGreen) << "transparent pixel keeps the target";
    EXPECT_EQ(target.at(2, 2), kBlue);
    EXPECT_EQ(target.at(0, 0), kGreen);
    DestroyIcon(copy);
}

// Bytes that vary from pixel to pixel and from row to row, the same on every run.
std::vector<std::uint8_t> varied_bytes(std::size_t count, unsigned seed)
{
    std::vector<std::uint8_t> out(count);
    for (std::uint8_t& b : out) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(seed >> 16);
    }
    return out;
}

// A 13 x 9 source of the given depth in a memory DC: bits and colour table from varied_bytes.
// Depth 0 is a monochrome device bitmap, which takes its colours from the target DC.
struct VariedSource {
    explicit VariedSource(int bpp)
    {
        dc = CreateCompatibleDC(nullptr);
        if (bpp == 0) {
            auto rows = varied_bytes(4 * 9, 7);
            bitmap = CreateBitmap(13, 9, 1, 1, rows.data());
        } else {
            std::vector<std::uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
            auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
            info->bmiHeader = BITMAPINFOHEADER { sizeof(BITMAPINFOHEADER), 13, bpp == 8 ? 9 : -9, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0, 0, 0 };
            auto colours = varied_bytes(256 * sizeof(RGBQUAD), 11);
            std::memcpy(block.data() + sizeof(BITMAPINFOHEADER), colours.data(), colours.size());
            void* bits = nullptr;
            bitmap = CreateDIBSection(dc, info, DIB_RGB_COLORS, &bits, nullptr, 0);
            auto content = varied_bytes(static_cast<std::size_t>(((13 * bpp + 31) / 32) * 4 * 9), 3u + static_cast<unsigned>(bpp));
            std::memcpy(bits, content.data(), content.size());
        }
        old = SelectObject(dc, bitmap);
    }
    ~VariedSource()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc {};
    HBITMAP bitmap {};
    HGDIOBJ old {};
};

TEST(Blit, RowPathGivesThePixelsOfThePixelPath)
{
    HBRUSH brush = CreateSolidBrush(RGB(0x5A, 0xC3, 0x0F));
    for (int bpp : { 0, 1, 4, 8, 24, 32 }) {
        VariedSource source(bpp);
        for (DWORD rop : { SRCCOPY, SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, SRCERASE, MERGECOPY }) {
            SCOPED_TRACE(testing::Message() << "source depth " << bpp << ", rop " << std::hex << rop);
            int changed = expect_same_on_both_depths(20, 16, RGB(0x81, 0x18, 0x42), [&](HDC dc) {
                SetTextColor(dc, RGB(200, 10, 30));
                SetBkColor(dc, RGB(20, 220, 240));
                HGDIOBJ old = SelectObject(dc, brush);
                SetWindowOrgEx(dc, -2, -1, nullptr);
                ExcludeClipRect(dc, 6, 3, 9, 6); // the clip is several rectangles
                // The source rectangle reaches past the source's left and bottom edges.
                BitBlt(dc, 0, 0, 16, 12, source.dc, -2, 1, rop);
                SelectObject(dc, old);
            });
            EXPECT_GT(changed, 20);
        }
    }
    DeleteObject(brush);
}

TEST(Blit, RowPathWithinOneSurfaceReadsRowsBeforeWritingThem)
{
    PixelCanvas canvas(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(canvas.dc(), x, y, RGB(x * 30, y * 30, 7));
    BitBlt(canvas.dc(), 2, 3, 5, 5, canvas.dc(), 1, 1, SRCCOPY); // down and to the right, overlapping
    for (int y = 3; y < 8; ++y)
        for (int x = 2; x < 7; ++x)
            EXPECT_EQ(canvas.at(x, y), RGB((x - 1) * 30, (y - 2) * 30, 7)) << x << ", " << y;
}

TEST(Icon, RowPathGivesThePixelsOfThePixelPath)
{
    VariedSource colour(32);
    auto mask_rows = varied_bytes(4 * 18, 5); // 13 x 9 mask, then the monochrome icon's image half
    HBITMAP mask = CreateBitmap(13, 9, 1, 1, mask_rows.data());
    HBITMAP mono_mask = CreateBitmap(13, 18, 1, 1, mask_rows.data());
    ICONINFO info { TRUE, 0, 0, mask, colour.bitmap };
    ICONINFO mono_info { TRUE, 0, 0, mono_mask, nullptr };
    HICON icons[] = { CreateIconIndirect(&info), CreateIconIndirect(&mono_info) };
    for (HICON icon : icons)
        for (UINT flags : { UINT(DI_NORMAL), UINT(DI_MASK), UINT(DI_IMAGE) }) {
            SCOPED_TRACE(testing::Message() << (icon == icons[0] ? "colour icon" : "monochrome icon") << ", flags " << flags);
            int changed = expect_same_on_both_depths(20, 16, RGB(0x81, 0x18, 0x42), [&](HDC dc) {
                ExcludeClipRect(dc, 6, 3, 9, 6);
                DrawIconEx(dc, -3, 4, icon, 0, 0, 0, nullptr, flags);
            });
            EXPECT_GT(changed, 0);
        }
    for (HICON icon : icons)
        DestroyIcon(icon);
    DeleteObject(mask);
    DeleteObject(mono_mask);
}

TEST(Png, RoundTripKeepsPixels)
{
    PixelCanvas canvas(3, 2);
    SetPixel(canvas.dc(), 0, 0, kRed);
    SetPixel(canvas.dc(), 2, 1, RGB(1, 2, 3));
    std::string path = testing::TempDir() + "gdi_round_trip.png";
    ASSERT_TRUE(platform::gdi::write_png(canvas.dc(), path));
    HBITMAP read = platform::gdi::read_png(path);
    ASSERT_NE(read, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, read);
    EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
    SelectObject(dc, old);
    DeleteObject(read);
    DeleteDC(dc);
    EXPECT_EQ(platform::gdi::read_png(path + ".missing"), nullptr);
}

TEST(Palette, PaletteIndexColoursAndRealize)
{
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 2;
    lp->palPalEntry[0] = PALETTEENTRY { 9, 8, 7, 0 };
    reinterpret_cast<PALETTEENTRY*>(&lp->palPalEntry[0])[1] = PALETTEENTRY { 250, 1, 2, 0 };
    HPALETTE palette = CreatePalette(lp);
    PixelCanvas canvas(2, 1);
    HPALETTE old = SelectPalette(canvas.dc(), palette, FALSE);
    EXPECT_NE(old, nullptr);
    RealizePalette(canvas.dc());
    SetPixel(canvas.dc(), 0, 0, PALETTEINDEX(1));
    EXPECT_EQ(canvas.at(0, 0), RGB(250, 1, 2));
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(255, 0, 0)), 1u);
    SelectPalette(canvas.dc(), old, FALSE);
    DeleteObject(palette);
}

}
