// DrawText: prefix characters, line breaking, ellipses, alignment, CALCRECT and clipping, as
// written down in Text.h.
#pragma once

#include "platform/gdi/TextRenderer.h"

namespace platform::gdi {

int draw_text(DeviceContext& dc, std::string_view text, RECT& rect, UINT format);

}
