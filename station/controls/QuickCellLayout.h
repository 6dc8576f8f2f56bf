// Where the parts of a CQuickList cell go: the check box square, the image, the text and the
// level bar, from the cell's rectangle (list client coordinates) and its record. Each part's
// "area" is what its background fill covers.
#pragma once

#include "platform/framework/CRect.h"
#include "station/controls/QuickListRecords.h"

struct QuickCellLayout {
    CRect cell;
    bool has_check_box {};
    CRect check_box;      // the square DrawFrameControl draws
    CRect check_area;     // cell's left to the square's right
    bool has_image {};
    CRect image;          // where the image is drawn, cut to the cell
    CRect image_area;     // the image's background: area start to the image's right
    CRect text;           // the cell less its check box and image areas
    bool has_bar {};
    CRect bar;            // frame of the level bar
    CRect bar_inner;      // what the gradient fills; the frame inset when there is an edge
};

// `image_size` is the image list's image size when the record names a valid image of a list,
// otherwise {0, 0} (no image is placed).
QuickCellLayout lay_out_quick_cell(CRect const& cell, QuickCellRequest const& request, SIZE image_size);
