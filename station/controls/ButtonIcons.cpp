#include "station/controls/ButtonIcons.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace station::controls {

namespace {

// A 32-bit top-down copy of a bitmap's pixels (0xAARRGGBB each).
struct Pixels32 {
    int width {};
    int height {};
    std::vector<std::uint32_t> data;
};

bool read_pixels(HBITMAP bitmap, Pixels32& out)
{
    BITMAP bm {};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0)
        return false;
    out.width = bm.bmWidth;
    out.height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    out.data.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = out.width;
    info.bmiHeader.biHeight = -out.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC const dc = CreateCompatibleDC(nullptr);
    int const lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(out.height), out.data.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == out.height;
}

std::uint32_t derive_pixel(std::uint32_t pixel, DerivedIcon kind)
{
    BYTE const r = static_cast<BYTE>(pixel >> 16);
    BYTE const g = static_cast<BYTE>(pixel >> 8);
    BYTE const b = static_cast<BYTE>(pixel);
    if (!r && !g && !b)
        return pixel;
    std::uint32_t const alpha = pixel & 0xFF000000u;
    switch (kind) {
    case DerivedIcon::Grey: {
        std::uint32_t const v = grey_level(r, g, b);
        return alpha | (v << 16) | (v << 8) | v;
    }
    case DerivedIcon::Darker:
        return alpha | (std::uint32_t { darker_level(r) } << 16) | (std::uint32_t { darker_level(g) } << 8) | darker_level(b);
    }
    return pixel;
}

}

bool read_icon_size(HICON icon, IconSize& out)
{
    ICONINFO info {};
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    out = IconSize { static_cast<int>(info.xHotspot * 2), static_cast<int>(info.yHotspot * 2) };
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return true;
}

BYTE grey_level(BYTE red, BYTE green, BYTE blue)
{
    return static_cast<BYTE>(0.299 * red + 0.587 * green + 0.114 * blue);
}

BYTE darker_level(BYTE channel)
{
    return static_cast<BYTE>(channel - 0.25 * channel);
}

HICON derive_icon(HICON source, DerivedIcon kind)
{
    ICONINFO info {};
    if (!source || !GetIconInfo(source, &info))
        return nullptr;
    HICON result = nullptr;
    Pixels32 pixels;
    if (read_pixels(info.hbmColor, pixels)) {
        int const width = std::min(static_cast<int>(info.xHotspot * 2), pixels.width);
        int const height = std::min(static_cast<int>(info.yHotspot * 2), pixels.height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint32_t& p = pixels.data[static_cast<size_t>(y) * static_cast<size_t>(pixels.width) + static_cast<size_t>(x)];
                p = derive_pixel(p, kind);
            }
        HBITMAP const colour = CreateBitmap(pixels.width, pixels.height, 1, 32, pixels.data.data());
        ICONINFO made { TRUE, 0, 0, info.hbmMask, colour };
        result = CreateIconIndirect(&made);
        DeleteObject(colour);
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return result;
}

}
