// Measuring and drawing one line of text with a DC's font: the coverage of the line's glyphs
// is built in a mask, turned for the font's escapement, and blended in the text colour.
#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontCache.h"

#include <optional>
#include <string_view>

namespace platform::gdi {

std::shared_ptr<RealizedFont> dc_font(DeviceContext& dc);

struct LineOptions {
    int tab_width { 0 }; // 0: tabs are ordinary characters
    std::vector<int> const* dx { nullptr }; // advances per code point (ExtTextOut)
    int underline_from { -1 }; // code point range drawn with an underline ("&" prefixes)
    int underline_to { -1 };
};

int text_width(RealizedFont& font, std::u32string_view text, LineOptions const& options = {});
// How far the pen moves over text[i] when it stands at `x` (x counts from the line's start).
int advance_of(RealizedFont& font, std::u32string_view text, std::size_t i, int x, LineOptions const& options);
// Draws `text` with its cell's top-left corner at the logical point `origin`, turned by the
// font's escapement about that point. `clip` (logical) further limits the drawing; `opaque`
// fills the cell (or the opaque rectangle) with the background colour first.
void draw_text_line(DeviceContext& dc, RealizedFont& font, POINT origin, std::u32string_view text, LineOptions const& options,
    RECT const* clip, bool opaque, RECT const* opaque_rect);

}
