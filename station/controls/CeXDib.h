// A small palette image kept as one packed device-independent bitmap block (header, palette,
// pixel rows bottom-up), written pixel by pixel and drawn with a blit. The shaded button keeps
// its faces in these.
//
// Rules: every write is checked against the image (a pixel outside, a palette index past the
// palette, or an image without a block is ignored); the DIB section and memory DC used for
// drawing are made on the first draw and retried at the next one when they cannot be made.
#pragma once

#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <vector>

class CCeXDib {
public:
    CCeXDib();
    virtual ~CCeXDib();
    CCeXDib(CCeXDib const&) = delete;
    CCeXDib& operator=(CCeXDib const&) = delete;

    // Frees everything and makes an image of the size and depth given, palette and pixels
    // not yet set. Answers the block, or null when it cannot be allocated.
    void* AllocateImage(int width, int height, int bits_per_pixel);
    void ReleaseImage();
    // Becomes a copy of `source` (header, palette and pixels).
    void CopyFrom(CCeXDib const& source);

    void StorePaletteEntry(int index, BYTE red, BYTE green, BYTE blue);
    // Mixes every palette entry with `colour`: `percent` (at most 100) of the colour.
    void TintPalette(COLORREF colour, int percent);
    void WipeImage(BYTE value);
    // One 8-bit pixel, y counted from the top row.
    void StorePixelValue(int x, int y, BYTE value);
    BYTE* PixelArea();
    BYTE const* PixelArea() const;

    int width() const { return m_header.biWidth; }
    int height() const { return m_header.biHeight; }
    int line_width() const { return m_line_width; }
    int bit_count() const { return m_header.biBitCount; }
    DWORD image_size() const { return m_header.biSizeImage; }
    WORD palette_entries() const { return m_palette_entries; }
    bool empty() const { return m_block.empty(); }
    // The palette entry, or a zero entry outside the palette.
    RGBQUAD palette_entry(int index) const;
    // The pixel value of a row counted from the bottom (the block's own order).
    BYTE row_pixel(int x, int row_from_bottom) const;
    BITMAPINFOHEADER const& header() const { return m_header; }

    void BlitTo(HDC dc, int x, int y);

private:
    RGBQUAD* palette();
    RGBQUAD const* palette() const;
    bool make_section();

    std::vector<std::uint8_t> m_block;
    BITMAPINFOHEADER m_header {};
    int m_line_width {};
    WORD m_palette_entries {};
    HBITMAP m_section {};
    HDC m_memory_dc {};
    void* m_section_bits {};
};
