// Blits onto 32-bit surfaces a row at a time: the source row is decoded once into colours and
// combined with the target row by the raster operation. This is the path of image lists,
// icons and off-screen buffers; scaled blits and other targets take the per-pixel path.
#pragma once

#include "platform/gdi/Raster.h"

namespace platform::gdi {

// Draws `source` from `src` onto `dst` when the target is a 32-bit surface and no scaling is
// needed; answers false (and draws nothing) otherwise. The pixels are those the per-pixel
// blit would give.
bool blit_rows(Canvas const& canvas, RECT const& dst, Surface const& source, RECT const& src, DWORD rop,
    Paint const* pattern, SourceColours const& colours);

// An icon's mask (a monochrome device bitmap: 1 keeps the target) and 32-bit colour image at
// their own size in one pass, target = (target AND mask) XOR colour: the SRCAND and SRCINVERT
// blits of DrawIconEx together. Answers false when the target or images do not fit this.
bool draw_icon_rows(Canvas const& canvas, POINT at, Surface const& mask, Surface const& colour);

}
