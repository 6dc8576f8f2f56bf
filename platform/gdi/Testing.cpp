#include "platform/gdi/Testing.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontCache.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SystemParameters.h"
#include "platform/gdi/WindowSurfaces.h"

#include <cstdlib>
#include <filesystem>

namespace platform::gdi::testing {

void use_test_drawing(std::string const& font_file)
{
    pin_font_file(font_file);
    gdi::set_monochrome_glyphs(true);
    use_classic_scheme();
    device_caps() = DeviceCaps {};
}

void use_probe_colors()
{
    use_probe_scheme();
}

void use_classic_colors()
{
    use_classic_scheme();
}

void set_monochrome_glyphs(bool on)
{
    gdi::set_monochrome_glyphs(on);
}

void use_palette_device(bool on)
{
    device_caps().palette = on;
    device_caps().bits_per_pixel = on ? 8 : 32;
}

namespace {

void write_diff(Surface const& actual, Surface const& golden, std::string const& path)
{
    Surface diff(actual.width(), actual.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            Pixel a = actual.pixel(x, y);
            Pixel dim = ((a >> 2) & 0x3F3F3F) + 0x808080;
            diff.set_pixel(x, y, a == golden.pixel(x, y) ? dim : 0xFF0000);
        }
    write_png(diff, path);
}

bool same_pixels(Surface const& a, Surface const& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

bool matches_golden(Surface const& actual, std::string const& golden_path)
{
    char const* update = std::getenv("ZORVEL_UPDATE_GOLDENS");
    if (update && std::string(update) == "1")
        return write_png(actual, golden_path);
    HBITMAP golden = read_png(golden_path);
    auto* g = lookup<BitmapObject>(golden);
    bool same = g && same_pixels(actual, *g->surface);
    if (!same) {
        std::string stem = std::filesystem::path(golden_path).stem().string();
        write_png(actual, stem + ".actual.png");
        if (g && g->surface->width() == actual.width() && g->surface->height() == actual.height())
            write_diff(actual, *g->surface, stem + ".diff.png");
    }
    if (golden)
        DeleteObject(golden);
    return same;
}

}

bool matches_golden(HDC dc, std::string const& golden_path)
{
    DeviceContext* d = dc_of(dc);
    return d && d->surface() && matches_golden(*d->surface(), golden_path);
}

bool matches_golden(HWND window, std::string const& golden_path)
{
    auto surface = window_surface(window);
    return surface && matches_golden(*surface, golden_path);
}

void use_default_system_parameters()
{
    reset_system_parameters();
}

}
