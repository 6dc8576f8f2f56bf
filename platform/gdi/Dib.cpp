#include "platform/gdi/Dib.h"

#include <cstring>

namespace platform::gdi {

static constexpr long long max_pixels = 1LL << 26;

std::optional<DibFormat> read_dib_format(BITMAPINFO const* info, UINT usage, PaletteObject const* palette)
{
    if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return std::nullopt;
    BITMAPINFOHEADER const& h = info->bmiHeader;
    int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return std::nullopt;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && bpp == 32))
        return std::nullopt;
    long long w = h.biWidth;
    long long rows = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
    if (w <= 0 || rows <= 0 || w * rows > max_pixels)
        return std::nullopt;
    DibFormat f;
    f.width = static_cast<int>(w);
    f.height = static_cast<int>(rows);
    f.bits_per_pixel = bpp;
    f.bottom_up = h.biHeight > 0;
    if (bpp <= 8) {
        std::size_t count = h.biClrUsed ? std::min<std::size_t>(h.biClrUsed, 1u << bpp) : (1u << bpp);
        auto const* colours = reinterpret_cast<std::uint8_t const*>(info) + h.biSize;
        for (std::size_t i = 0; i < count; ++i) {
            RGBQUAD q;
            if (usage == DIB_PAL_COLORS) {
                WORD index;
                std::memcpy(&index, colours + i * 2, sizeof index);
                PALETTEENTRY e = palette && index < palette->entries.size() ? palette->entries[index] : PALETTEENTRY {};
                q = RGBQUAD { e.peBlue, e.peGreen, e.peRed, 0 };
            } else {
                std::memcpy(&q, colours + i * sizeof(RGBQUAD), sizeof q);
            }
            f.palette.push_back(q);
        }
    }
    return f;
}

std::unique_ptr<BitmapObject> make_dib_section(DibFormat const& f)
{
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->dib = true;
    bitmap->storage.assign(static_cast<std::size_t>(dib_stride(f.width, f.bits_per_pixel)) * static_cast<std::size_t>(f.height), 0);
    bitmap->surface = std::make_unique<Surface>(bitmap->storage.data(), f.width, f.height, f.bits_per_pixel, f.bottom_up);
    bitmap->surface->set_palette(f.palette);
    return bitmap;
}

std::unique_ptr<BitmapObject> make_device_bitmap(int width, int height, int bits_per_pixel)
{
    if (width < 0 || height < 0 || static_cast<long long>(width) * height > max_pixels)
        return nullptr;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = std::make_unique<Surface>(std::max(width, 1), std::max(height, 1), bits_per_pixel);
    return bitmap;
}

std::unique_ptr<Surface> wrap_dib(DibFormat const& f, void const* bits)
{
    // The surface is only read through, so casting away const is safe here.
    auto surface = std::make_unique<Surface>(static_cast<std::uint8_t*>(const_cast<void*>(bits)), f.width, f.height,
        f.bits_per_pixel, f.bottom_up);
    surface->set_palette(f.palette);
    return surface;
}

void convert_rows(Surface const& from, int from_top, Surface& to, int to_top, int count)
{
    int width = std::min(from.width(), to.width());
    for (int i = 0; i < count; ++i) {
        int fy = from_top + i;
        int ty = to_top + i;
        if (fy < 0 || fy >= from.height() || ty < 0 || ty >= to.height())
            continue;
        if (from.bits_per_pixel() == to.bits_per_pixel() && from.palette().size() == to.palette().size()
            && std::equal(from.palette().begin(), from.palette().end(), to.palette().begin(),
                [](RGBQUAD a, RGBQUAD b) { return std::memcmp(&a, &b, sizeof a) == 0; })) {
            std::memcpy(to.row(ty), from.row(fy), static_cast<std::size_t>(std::min(from.stride(), to.stride())));
            continue;
        }
        for (int x = 0; x < width; ++x)
            to.set_pixel(x, ty, from.pixel(x, fy));
    }
}

}
