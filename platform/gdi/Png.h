// PNG files: any bitmap, DC or window surface written to a PNG, and PNG files read into
// 32-bit top-down DIB sections (alpha kept, premultiplied for AlphaBlend).
#pragma once

#include "platform/gdi/Gdi.h"

#include <string>

namespace platform::gdi {

class Surface;
bool write_png(Surface const& surface, std::string const& path);
bool write_png(HBITMAP bitmap, std::string const& path);
// What the DC draws on (its bitmap, or its window's top-level surface).
bool write_png(HDC dc, std::string const& path);
HBITMAP read_png(std::string const& path);

}
