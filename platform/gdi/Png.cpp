#include "platform/gdi/Png.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Dib.h"
#include "platform/user/Trace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <memory>

namespace platform::gdi {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool write_surface(Surface const& surface, std::string const& path)
{
    File file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(surface.width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width()), static_cast<png_uint_32>(surface.height()), 8, PNG_COLOR_TYPE_RGB,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            Pixel p = surface.pixel(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>(p >> 16);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}

bool write_png(Surface const& surface, std::string const& path)
{
    return write_surface(surface, path);
}

bool write_png(HBITMAP bitmap, std::string const& path)
{
    auto* b = lookup<BitmapObject>(bitmap);
    return b && write_surface(*b->surface, path);
}

bool write_png(HDC dc, std::string const& path)
{
    DeviceContext* d = dc_of(dc);
    return d && d->surface() && write_surface(*d->surface(), path);
}

HBITMAP read_png(std::string const& path)
{
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        platform::report_unreadable_file(path, std::strerror(errno));
        return nullptr;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return nullptr;
    }
    std::unique_ptr<BitmapObject> bitmap;
    std::vector<png_byte> row;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        platform::report_unreadable_file(path, "not a PNG image");
        return nullptr;
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || static_cast<unsigned long long>(width) * height > (1ULL << 26)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return nullptr;
    }
    DibFormat format { static_cast<int>(width), static_cast<int>(height), 32, false, {} };
    bitmap = make_dib_section(format);
    row.resize(png_get_rowbytes(png, info));
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        Pixel* out = bitmap->surface->row32(static_cast<int>(y));
        for (png_uint_32 x = 0; x < width; ++x) {
            png_byte const* p = &row[x * 4];
            unsigned a = p[3];
            out[x] = (a << 24) | ((p[0] * a / 255) << 16) | ((p[1] * a / 255) << 8) | (p[2] * a / 255);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return static_cast<HBITMAP>(ObjectTable::the().add(std::move(bitmap)));
}

}
