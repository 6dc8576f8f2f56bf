#include "station/controls/CeXDib.h"

#include "platform/gdi/Testing.h"

#include <gtest/gtest.h>

TEST(CeXDib, AllocationFillsTheHeaderAndSizesTheBlock)
{
    struct Case {
        char const* name;
        int width, height, bits;
        int line_width;
        WORD palette;
    };
    Case const cases[] = {
        { "8-bit rows pad to 4 bytes", 5, 3, 8, 8, 256 },
        { "1-bit", 33, 2, 1, 8, 2 },
        { "4-bit", 9, 1, 4, 8, 16 },
        { "24-bit has no palette", 3, 2, 24, 12, 0 },
        { "1 x 1", 1, 1, 8, 4, 256 },
        { "empty", 0, 0, 8, 0, 256 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        CCeXDib dib;
        ASSERT_NE(dib.AllocateImage(c.width, c.height, c.bits), nullptr);
        BITMAPINFOHEADER const& h = dib.header();
        EXPECT_EQ(h.biSize, 40u);
        EXPECT_EQ(h.biWidth, c.width);
        EXPECT_EQ(h.biHeight, c.height);
        EXPECT_EQ(h.biPlanes, 1);
        EXPECT_EQ(h.biBitCount, c.bits);
        EXPECT_EQ(h.biCompression, BI_RGB);
        EXPECT_EQ(dib.line_width(), c.line_width);
        EXPECT_EQ(dib.image_size(), static_cast<DWORD>(c.line_width * c.height));
        EXPECT_EQ(dib.palette_entries(), c.palette);
        EXPECT_EQ(h.biXPelsPerMeter | h.biYPelsPerMeter | h.biClrUsed | h.biClrImportant, 0);
    }
}

TEST(CeXDib, OperationsOnAnEmptyImageDoNothing)
{
    CCeXDib dib;
    dib.StorePaletteEntry(0, 1, 2, 3);
    dib.TintPalette(RGB(255, 0, 0), 50);
    dib.WipeImage(7);
    dib.StorePixelValue(0, 0, 9);
    EXPECT_EQ(dib.PixelArea(), nullptr);
    EXPECT_TRUE(dib.empty());

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 4, 4, WHITENESS);
    dib.BlitTo(dc, 0, 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(CeXDib, PixelsCountFromTheTopAndWritesOutsideAreIgnored)
{
    CCeXDib dib;
    dib.AllocateImage(3, 2, 8);
    dib.WipeImage(1);
    dib.StorePixelValue(0, 0, 200); // the top-left pixel: first byte of the last row in the block
    EXPECT_EQ(dib.PixelArea()[dib.line_width()], 200);
    EXPECT_EQ(dib.row_pixel(0, 1), 200);
    dib.StorePixelValue(2, 1, 50);
    EXPECT_EQ(dib.PixelArea()[2], 50);
    for (auto [x, y] : { std::pair { -1, 0 }, { 0, -1 }, { 3, 0 }, { 0, 2 } })
        dib.StorePixelValue(x, y, 99);
    int count = 0;
    for (int i = 0; i < static_cast<int>(dib.image_size()); ++i)
        count += dib.PixelArea()[i] == 99;
    EXPECT_EQ(count, 0);
    // The padding bytes of each row are pixel memory too.
    EXPECT_EQ(dib.PixelArea()[3], 1);
}

TEST(CeXDib, PaletteEntriesAndTint)
{
    CCeXDib dib;
    dib.AllocateImage(1, 1, 8);
    dib.StorePaletteEntry(10, 200, 100, 50);
    RGBQUAD e = dib.palette_entry(10);
    EXPECT_EQ(e.rgbRed, 200);
    EXPECT_EQ(e.rgbGreen, 100);
    EXPECT_EQ(e.rgbBlue, 50);
    EXPECT_EQ(e.rgbReserved, 0);
    dib.StorePaletteEntry(256 + 11, 1, 2, 3); // taken as a byte: entry 11
    EXPECT_EQ(dib.palette_entry(11).rgbRed, 1);

    dib.TintPalette(RGB(0, 0, 255), 10);
    e = dib.palette_entry(10);
    EXPECT_EQ(e.rgbRed, 180); // (0 * 10 + 200 * 90) / 100
    EXPECT_EQ(e.rgbGreen, 90);
    EXPECT_EQ(e.rgbBlue, 70); // (255 * 10 + 50 * 90) / 100 = 70.5
    dib.TintPalette(RGB(1, 2, 3), 150); // acts as 100: the whole palette becomes the colour
    for (int i : { 0, 10, 255 }) {
        EXPECT_EQ(dib.palette_entry(i).rgbRed, 1);
        EXPECT_EQ(dib.palette_entry(i).rgbBlue, 3);
    }

    CCeXDib small;
    small.AllocateImage(2, 2, 1);
    small.StorePaletteEntry(2, 9, 9, 9); // past the two entries of a 1-bit image
    EXPECT_EQ(small.palette_entry(1).rgbRed, 0);
}

TEST(CeXDib, CopyTakesHeaderPaletteAndPixels)
{
    CCeXDib a;
    a.AllocateImage(4, 3, 8);
    a.StorePaletteEntry(5, 1, 2, 3);
    a.WipeImage(5);
    a.StorePixelValue(1, 1, 6);
    CCeXDib b;
    b.AllocateImage(1, 1, 1);
    b.CopyFrom(a);
    EXPECT_EQ(b.width(), 4);
    EXPECT_EQ(b.height(), 3);
    EXPECT_EQ(b.bit_count(), 8);
    EXPECT_EQ(b.palette_entry(5).rgbGreen, 2);
    EXPECT_EQ(b.row_pixel(1, 1), 6);
    a.ReleaseImage();
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.width(), 0);
    EXPECT_EQ(b.row_pixel(0, 0), 5);
}

TEST(CeXDib, BlitDrawsPaletteColoursAndFollowsLaterPixelChanges)
{
    CCeXDib dib;
    dib.AllocateImage(3, 2, 8);
    dib.StorePaletteEntry(0, 255, 0, 0);
    dib.StorePaletteEntry(1, 0, 0, 255);
    dib.WipeImage(0);
    dib.StorePixelValue(2, 0, 1);

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(6, 6, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 6, 6, WHITENESS);
    dib.BlitTo(dc, 1, 2);
    EXPECT_EQ(GetPixel(dc, 0, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 4, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 4), RGB(255, 255, 255));

    // The section is made once; each draw copies the rows again.
    dib.StorePixelValue(0, 1, 1);
    dib.BlitTo(dc, 1, 2);
    EXPECT_EQ(GetPixel(dc, 1, 3), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
