#include "station/controls/QuickCellLayout.h"

#include <algorithm>

namespace {

void place_check_box(QuickCellLayout& out, QuickCellRequest const& request)
{
    CRect const& cell = out.cell;
    int const side = cell.Height();
    int const left = request.m_bCenterCheckBox ? cell.left + (cell.Width() - side) / 2 : cell.left;
    out.has_check_box = true;
    out.check_box = CRect(left, cell.top, left + side, cell.bottom);
    out.check_area = CRect(cell.left, cell.top, out.check_box.right, cell.bottom);
}

void place_image(QuickCellLayout& out, QuickCellRequest const& request, SIZE image_size)
{
    CRect const& cell = out.cell;
    int const area_start = out.has_check_box ? out.check_box.right : cell.left;
    int left = out.has_check_box ? out.check_box.right : cell.left + 1;
    if (request.m_bCenterImage)
        left = cell.left + cell.Width() / 2 - image_size.cx / 2;
    int const width = std::min<int>(image_size.cx, cell.Width());
    int const height = std::min<int>(image_size.cy, cell.Height());
    int const top = cell.top + std::max(0, (cell.Height() - height) / 2);
    out.has_image = true;
    out.image = CRect(left, top, left + width, top + height);
    out.image_area = CRect(area_start, cell.top, std::max(area_start, static_cast<int>(out.image.right)), cell.bottom);
}

void place_bar(QuickCellLayout& out, QuickCellRequest const& request)
{
    out.has_bar = true;
    out.bar = CRect(out.text.left + 1, out.text.top + 5, out.text.right - 2, out.text.bottom - 5);
    out.bar_inner = out.bar;
    if (request.m_nBarEdge != 0)
        out.bar_inner.DeflateRect(2, 2);
}

}

QuickCellLayout lay_out_quick_cell(CRect const& cell, QuickCellRequest const& request, SIZE image_size)
{
    QuickCellLayout out;
    out.cell = cell;
    if (request.m_bCheckBox)
        place_check_box(out, request);
    if (image_size.cx > 0 && image_size.cy > 0 && cell.Width() > 0)
        place_image(out, request, image_size);
    out.text = cell;
    if (out.has_image)
        out.text.left = out.image_area.right;
    else if (out.has_check_box)
        out.text.left = out.check_area.right;
    if (request.m_nBarMax >= 1)
        place_bar(out, request);
    return out;
}
