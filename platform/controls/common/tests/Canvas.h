// A small memory DC over a 32-bit DIB section, with pixel probes, for the module's tests.
#pragma once

#include "platform/controls/common/ImageListObject.h"

#include <cstdint>

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
        : m_width(width)
        , m_height(height)
    {
        m_bitmap = platform::commctrl::make_dib(width, height, &m_bits);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
        clear(fill);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    Canvas(Canvas const&) = delete;
    Canvas& operator=(Canvas const&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void clear(COLORREF c)
    {
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    COLORREF at(int x, int y) const
    {
        std::uint32_t p = m_bits[y * m_width + x];
        return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
    }
    int count(COLORREF c) const
    {
        int n = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                n += at(x, y) == c;
        return n;
    }
    void set(int x, int y, COLORREF c) { m_bits[y * m_width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

private:
    int m_width;
    int m_height;
    HBITMAP m_bitmap {};
    HDC m_dc {};
    HGDIOBJ m_old {};
    std::uint32_t* m_bits {};
};
