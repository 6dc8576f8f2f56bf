// A small memory DC over a 32-bit DIB section for pixel tests, with probes.
#pragma once

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SysPaint.h"

#include <gtest/gtest.h>

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
        : m_width(width)
        , m_height(height)
    {
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        clear(fill);
    }
    ~PixelCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    PixelCanvas(PixelCanvas const&) = delete;
    PixelCanvas& operator=(PixelCanvas const&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void clear(COLORREF colour)
    {
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }
    // Reads the pixel straight from memory, whatever the DC's clip and origins.
    COLORREF at(int x, int y) const
    {
        std::uint32_t p = m_bits[y * m_width + x];
        return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
    }
    int count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                n += at(x, y) == colour;
        return n;
    }
    // Every pixel is `inside` where the predicate holds and `outside` elsewhere.
    template<typename Pred>
    void expect_shape(Pred inside, COLORREF in_colour, COLORREF out_colour) const
    {
        int failures = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                COLORREF want = inside(x, y) ? in_colour : out_colour;
                if (at(x, y) != want && failures++ < 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << at(x, y) << ", want " << want;
            }
    }

private:
    int m_width;
    int m_height;
    HDC m_dc { nullptr };
    HBITMAP m_bitmap { nullptr };
    HGDIOBJ m_old { nullptr };
    std::uint32_t* m_bits { nullptr };
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory DC over a top-down 24 or 32-bit DIB section. Drawing code has row paths for
// 32-bit targets and draws other depths pixel by pixel, so the same drawing on both depths
// must give the same colours.
class DepthCanvas {
public:
    DepthCanvas(int width, int height, int bits_per_pixel, COLORREF fill)
        : m_width(width)
        , m_bpp(bits_per_pixel)
        , m_stride(((width * bits_per_pixel + 31) / 32) * 4)
    {
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bits_per_pixel);
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all { 0, 0, width, height };
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    ~DepthCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    DepthCanvas(DepthCanvas const&) = delete;
    DepthCanvas& operator=(DepthCanvas const&) = delete;

    HDC dc() const { return m_dc; }
    COLORREF at(int x, int y) const
    {
        std::uint8_t const* p = m_bits + y * m_stride + x * (m_bpp / 8);
        return RGB(p[2], p[1], p[0]);
    }

private:
    int m_width;
    int m_bpp;
    int m_stride;
    HDC m_dc { nullptr };
    HBITMAP m_bitmap { nullptr };
    HGDIOBJ m_old { nullptr };
    std::uint8_t* m_bits { nullptr };
};

// Draws the same thing on a 32-bit and a 24-bit canvas and expects every pixel equal; answers
// how many pixels the drawing changed, so that a case can show it drew something.
template<typename Draw>
int expect_same_on_both_depths(int width, int height, COLORREF fill, Draw draw)
{
    DepthCanvas rows(width, height, 32, fill);
    DepthCanvas pixels(width, height, 24, fill);
    draw(rows.dc());
    draw(pixels.dc());
    int changed = 0;
    int failures = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            changed += rows.at(x, y) != fill;
            if (rows.at(x, y) != pixels.at(x, y) && failures++ < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << rows.at(x, y) << " on 32 bits, "
                              << pixels.at(x, y) << " on 24";
        }
    return changed;
}
