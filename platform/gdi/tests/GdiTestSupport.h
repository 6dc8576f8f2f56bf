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
