#include "station/controls/CeXDib.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

WORD palette_size_for(int bits_per_pixel)
{
    switch (bits_per_pixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

BYTE mix(BYTE colour, BYTE entry, int percent)
{
    return static_cast<BYTE>((colour * percent + entry * (100 - percent)) / 100);
}

}

CCeXDib::CCeXDib() = default;

CCeXDib::~CCeXDib()
{
    ReleaseImage();
}

void* CCeXDib::AllocateImage(int width, int height, int bits_per_pixel)
{
    ReleaseImage();
    if (width < 0 || height < 0 || bits_per_pixel <= 0)
        return nullptr;
    BITMAPINFOHEADER header {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits_per_pixel);
    header.biCompression = BI_RGB;
    int const line = ((width * bits_per_pixel + 31) / 32) * 4;
    header.biSizeImage = static_cast<DWORD>(line) * static_cast<DWORD>(height);
    WORD const entries = palette_size_for(bits_per_pixel);
    size_t const total = header.biSize + entries * sizeof(RGBQUAD) + header.biSizeImage;
    try {
        m_block.assign(total, 0);
    } catch (std::bad_alloc const&) {
        m_block.clear();
        return nullptr;
    }
    m_header = header;
    m_line_width = line;
    m_palette_entries = entries;
    std::memcpy(m_block.data(), &m_header, sizeof m_header);
    return m_block.data();
}

void CCeXDib::ReleaseImage()
{
    if (m_memory_dc)
        DeleteDC(m_memory_dc);
    if (m_section)
        DeleteObject(m_section);
    m_memory_dc = nullptr;
    m_section = nullptr;
    m_section_bits = nullptr;
    m_block.clear();
    m_block.shrink_to_fit();
    m_header = {};
    m_line_width = 0;
    m_palette_entries = 0;
}

void CCeXDib::CopyFrom(CCeXDib const& source)
{
    if (&source == this)
        return;
    if (!AllocateImage(source.width(), source.height(), source.bit_count()))
        return;
    std::copy(source.m_block.begin(), source.m_block.end(), m_block.begin());
}

RGBQUAD* CCeXDib::palette()
{
    if (m_block.empty() || !m_palette_entries)
        return nullptr;
    return reinterpret_cast<RGBQUAD*>(m_block.data() + m_header.biSize);
}

RGBQUAD const* CCeXDib::palette() const
{
    return const_cast<CCeXDib*>(this)->palette();
}

void CCeXDib::StorePaletteEntry(int index, BYTE red, BYTE green, BYTE blue)
{
    // The index is taken as a byte, as the palette of an 8-bit image is addressed.
    BYTE const slot = static_cast<BYTE>(index);
    RGBQUAD* entries = palette();
    if (!entries || slot >= m_palette_entries)
        return;
    entries[slot] = RGBQUAD { blue, green, red, 0 };
}

void CCeXDib::TintPalette(COLORREF colour, int percent)
{
    RGBQUAD* entries = palette();
    if (!entries)
        return;
    percent = std::clamp(percent, 0, 100);
    for (WORD i = 0; i < m_palette_entries; ++i) {
        entries[i].rgbBlue = mix(GetBValue(colour), entries[i].rgbBlue, percent);
        entries[i].rgbGreen = mix(GetGValue(colour), entries[i].rgbGreen, percent);
        entries[i].rgbRed = mix(GetRValue(colour), entries[i].rgbRed, percent);
    }
}

RGBQUAD CCeXDib::palette_entry(int index) const
{
    RGBQUAD const* entries = palette();
    if (!entries || index < 0 || index >= m_palette_entries)
        return RGBQUAD {};
    return entries[index];
}

void CCeXDib::WipeImage(BYTE value)
{
    if (BYTE* pixels = PixelArea())
        std::memset(pixels, value, m_header.biSizeImage);
}

void CCeXDib::StorePixelValue(int x, int y, BYTE value)
{
    BYTE* pixels = PixelArea();
    if (!pixels || !palette() || x < 0 || y < 0 || x >= width() || y >= height())
        return;
    pixels[x + static_cast<size_t>(height() - y - 1) * static_cast<size_t>(m_line_width)] = value;
}

BYTE CCeXDib::row_pixel(int x, int row_from_bottom) const
{
    BYTE const* pixels = PixelArea();
    if (!pixels || x < 0 || row_from_bottom < 0 || x >= width() || row_from_bottom >= height())
        return 0;
    return pixels[x + static_cast<size_t>(row_from_bottom) * static_cast<size_t>(m_line_width)];
}

BYTE* CCeXDib::PixelArea()
{
    if (m_block.empty())
        return nullptr;
    return m_block.data() + m_header.biSize + m_palette_entries * sizeof(RGBQUAD);
}

BYTE const* CCeXDib::PixelArea() const
{
    return const_cast<CCeXDib*>(this)->PixelArea();
}

bool CCeXDib::make_section()
{
    if (m_section)
        return true;
    void* bits = nullptr;
    m_section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO const*>(m_block.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_section && !bits) {
        DeleteObject(m_section);
        m_section = nullptr;
    }
    m_section_bits = m_section ? bits : nullptr;
    return m_section != nullptr;
}

void CCeXDib::BlitTo(HDC dc, int x, int y)
{
    if (m_block.empty() || !make_section())
        return;
    std::memcpy(m_section_bits, PixelArea(), m_header.biSizeImage);
    if (!m_memory_dc)
        m_memory_dc = CreateCompatibleDC(dc);
    if (!m_memory_dc)
        return;
    HGDIOBJ const previous = SelectObject(m_memory_dc, m_section);
    BitBlt(dc, x, y, width(), height(), m_memory_dc, 0, 0, SRCCOPY);
    SelectObject(m_memory_dc, previous);
}
