#include "platform/gdi/Testing.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontCache.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/SysColors.h"

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

bool matches_golden(HDC dc, std::string const& golden_path)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !d->surface())
        return false;
    char const* update = std::getenv("ZORVEL_UPDATE_GOLDENS");
    if (update && std::string(update) == "1")
        return write_png(dc, golden_path);
    HBITMAP golden = read_png(golden_path);
    auto* g = lookup<BitmapObject>(golden);
    Surface const& actual = *d->surface();
    bool same = g && g->surface->width() == actual.width() && g->surface->height() == actual.height();
    for (int y = 0; same && y < actual.height(); ++y)
        for (int x = 0; same && x < actual.width(); ++x)
            same = g->surface->pixel(x, y) == actual.pixel(x, y);
    if (golden)
        DeleteObject(golden);
    if (!same)
        write_png(dc, std::filesystem::path(golden_path).stem().string() + ".actual.png");
    return same;
}

}
