#include "platform/display/IconImage.h"

#include "platform/gdi/Gdi.h"

#include <algorithm>

namespace platform::display {

namespace {

struct BitmapPixels {
    int width {};
    int height {};
    int bits_per_pixel {};
    std::vector<std::uint32_t> pixels; // as GetDIBits gives them: 0xAARRGGBB
};

// Reads any bitmap as 32-bit rows, top-down; empty for a null or unknown bitmap.
BitmapPixels read_bitmap(HBITMAP bitmap)
{
    BitmapPixels out;
    BITMAP header {};
    if (!bitmap || GetObject(bitmap, sizeof(header), &header) == 0 || header.bmWidth <= 0 || header.bmHeight <= 0)
        return out;
    // Room for a colour table follows the header: GetDIBits may write one for low depths.
    struct {
        BITMAPINFO info;
        RGBQUAD table[256];
    } info {};
    info.info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.info.bmiHeader.biWidth = header.bmWidth;
    info.info.bmiHeader.biHeight = -header.bmHeight;
    info.info.bmiHeader.biPlanes = 1;
    info.info.bmiHeader.biBitCount = 32;
    info.info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(header.bmWidth) * static_cast<std::size_t>(header.bmHeight));
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(header.bmHeight), pixels.data(), &info.info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (lines != header.bmHeight)
        return out;
    out.width = header.bmWidth;
    out.height = header.bmHeight;
    out.bits_per_pixel = header.bmBitsPixel;
    out.pixels = std::move(pixels);
    return out;
}

bool carries_alpha(BitmapPixels const& colour)
{
    return colour.bits_per_pixel == 32
        && std::any_of(colour.pixels.begin(), colour.pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
}

ArgbImage combine(BitmapPixels const& mask, BitmapPixels const& colour)
{
    // Without a colour bitmap the mask is twice as high: its lower half is the image.
    bool monochrome = colour.pixels.empty();
    int width = mask.width;
    int height = monochrome ? mask.height / 2 : std::min(colour.height, mask.height);
    if (!monochrome)
        width = std::min(width, colour.width);
    ArgbImage image { width, height, {} };
    image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    bool own_alpha = !monochrome && carries_alpha(colour);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t m = mask.pixels[static_cast<std::size_t>(y) * mask.width + x] & 0xFFFFFFu;
            std::uint32_t c = monochrome ? mask.pixels[static_cast<std::size_t>(y + height) * mask.width + x]
                                         : colour.pixels[static_cast<std::size_t>(y) * colour.width + x];
            std::uint32_t alpha = own_alpha ? (c >> 24) : (m != 0 ? 0u : 0xFFu);
            image.pixels.push_back(alpha == 0 ? 0u : (alpha << 24) | (c & 0xFFFFFFu));
        }
    }
    return image;
}

std::uint32_t blend_channel(std::uint32_t over, std::uint32_t under, std::uint32_t alpha, int shift)
{
    std::uint32_t a = (over >> shift) & 0xFF;
    std::uint32_t b = (under >> shift) & 0xFF;
    return ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
}

}

ArgbImage icon_image(HICON icon)
{
    ICONINFO info {};
    if (!icon || !GetIconInfo(icon, &info))
        return {};
    BitmapPixels mask = read_bitmap(info.hbmMask);
    BitmapPixels colour = read_bitmap(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (mask.pixels.empty())
        return {};
    return combine(mask, colour);
}

std::uint32_t blended_over(std::uint32_t argb, std::uint32_t background)
{
    std::uint32_t alpha = argb >> 24;
    return blend_channel(argb, background, alpha, 16) | blend_channel(argb, background, alpha, 8)
        | blend_channel(argb, background, alpha, 0);
}

std::vector<std::uint32_t> composed_over(ArgbImage const& image, std::uint32_t background)
{
    std::vector<std::uint32_t> out;
    out.reserve(image.pixels.size());
    for (std::uint32_t p : image.pixels)
        out.push_back(blended_over(p, background));
    return out;
}

}
