// The normal surface source: the drawing module's top-level window surfaces.
#pragma once

#include "platform/display/SurfaceSource.h"

namespace platform::display {

class GdiSurfaceSource final : public SurfaceSource {
public:
    SIZE size(HWND top) override;
    bool copy(HWND top, RECT const& area, std::uint32_t* out, int out_stride) override;
};

}
