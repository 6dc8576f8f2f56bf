// Painting of the list view: the custom-draw stages around the default painting of rows and
// cells. Only rows and columns that meet the clip rectangle are painted, so the parent is
// asked for the text of visible cells only.
#include "platform/controls/common/ListViewControl.h"

#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"

#include <algorithm>

namespace platform::commctrl {

namespace {

COLORREF or_system(COLORREF colour, int index)
{
    return colour == CLR_DEFAULT ? GetSysColor(index) : colour;
}

void fill(HDC dc, RECT const& rect, COLORREF colour)
{
    COLORREF old = SetBkColor(dc, colour);
    ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
    SetBkColor(dc, old);
}

bool intersects(RECT const& a, RECT const& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}

bool ListViewControl::shows_selected(int item, int sub_item) const
{
    if (!(m_states[static_cast<std::size_t>(item)] & LVIS_SELECTED))
        return false;
    if (sub_item != 0 && !(m_ex_style & LVS_EX_FULLROWSELECT))
        return false;
    return GetFocus() == m_hwnd || (style() & LVS_SHOWSELALWAYS);
}

ListViewControl::Colours ListViewControl::default_colours(int item, int sub_item) const
{
    if (shows_selected(item, sub_item)) {
        bool focused = GetFocus() == m_hwnd;
        return { GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT), GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) };
    }
    COLORREF background = m_text_bk == CLR_DEFAULT ? or_system(m_bk, COLOR_WINDOW) : m_text_bk;
    return { or_system(m_text, COLOR_WINDOWTEXT), background };
}

LRESULT ListViewControl::custom_draw(NMLVCUSTOMDRAW& cd)
{
    return notify(NM_CUSTOMDRAW, cd.nmcd.hdr);
}

void ListViewControl::paint(HDC dc, RECT const& clip)
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    RECT area = { clip.left, std::max<LONG>(clip.top, header_bottom()), clip.right, clip.bottom };
    fill(dc, area, or_system(m_bk, COLOR_WINDOW));
    NMLVCUSTOMDRAW cd {};
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = client;
    LRESULT pre = custom_draw(cd);
    if (pre & CDRF_SKIPDEFAULT)
        return;
    HGDIOBJ old_font = SelectObject(dc, m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(DEFAULT_GUI_FONT));
    int first = m_top + std::max(0, static_cast<int>(area.top) - header_bottom()) / std::max(row_height(), 1);
    int last = std::min(count() - 1, m_top + (static_cast<int>(area.bottom) - header_bottom() - 1) / std::max(row_height(), 1));
    if (owner_data() && first <= last) {
        NMLVCACHEHINT hint {};
        hint.iFrom = first;
        hint.iTo = last;
        notify(LVN_ODCACHEHINT, hint.hdr);
    }
    for (int item = first; item <= last; ++item)
        paint_row(dc, item, area, pre);
    if (m_ex_style & LVS_EX_GRIDLINES) {
        HBRUSH grid = GetSysColorBrush(COLOR_BTNFACE);
        for (int row = first; row <= last; ++row) {
            RECT r = row_rect(row);
            RECT line = { r.left, r.bottom - 1, r.right, r.bottom };
            FillRect(dc, &line, grid);
        }
    }
    SelectObject(dc, old_font);
    if (pre & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
        custom_draw(cd);
    }
}

void ListViewControl::paint_row(HDC dc, int item, RECT const& clip, LRESULT pre)
{
    NMLVCUSTOMDRAW cd {};
    cd.nmcd.hdc = dc;
    cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(item);
    UINT state = m_states[static_cast<std::size_t>(item)];
    cd.nmcd.uItemState = ((state & LVIS_SELECTED) ? CDIS_SELECTED : 0) | ((state & LVIS_FOCUSED) ? CDIS_FOCUS : 0)
        | (item == m_hot ? CDIS_HOT : 0);
    cd.nmcd.rc = row_rect(item);
    Colours colours = default_colours(item, 0);
    cd.clrText = colours.text;
    cd.clrTextBk = colours.background;
    LRESULT item_answer = CDRF_DODEFAULT;
    if (pre & CDRF_NOTIFYITEMDRAW) {
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        item_answer = custom_draw(cd);
        if (item_answer & CDRF_SKIPDEFAULT)
            return;
    }
    std::vector<int> const& order = header().order();
    for (int column : order) {
        RECT cell = cell_rect(item, column);
        if (!intersects(cell, clip) || cell.right <= cell.left)
            continue;
        Colours cell_colours = default_colours(item, column);
        if (item_answer & CDRF_NOTIFYSUBITEMDRAW) {
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            cd.nmcd.rc = cell;
            cd.iSubItem = column;
            cd.clrText = cell_colours.text;
            cd.clrTextBk = cell_colours.background;
            LRESULT sub_answer = custom_draw(cd);
            if (!(sub_answer & CDRF_SKIPDEFAULT))
                paint_cell(dc, item, column, cell, { cd.clrText, cd.clrTextBk });
            if (sub_answer & CDRF_NOTIFYPOSTPAINT) {
                cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT | CDDS_SUBITEM;
                custom_draw(cd);
            }
        } else {
            // Colours the item stage chose apply to every cell drawn in the item's own look.
            bool item_colours = (pre & CDRF_NOTIFYITEMDRAW) && shows_selected(item, column) == shows_selected(item, 0);
            paint_cell(dc, item, column, cell, item_colours ? Colours { cd.clrText, cd.clrTextBk } : cell_colours);
        }
    }
    if (state & LVIS_FOCUSED && GetFocus() == m_hwnd) {
        RECT focus = row_rect(item);
        DrawFocusRect(dc, &focus);
    }
    if (item_answer & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
        cd.nmcd.rc = row_rect(item);
        cd.iSubItem = 0;
        custom_draw(cd);
    }
}

void ListViewControl::paint_cell(HDC dc, int item, int column, RECT const& rect, Colours colours)
{
    int sub_item = m_sub_items[static_cast<std::size_t>(column)];
    int image = -1;
    UINT state_image = 0;
    std::string text = text_of(item, sub_item, column == 0 ? &image : nullptr, column == 0 ? &state_image : nullptr);
    if (colours.background != CLR_NONE)
        fill(dc, rect, colours.background);
    RECT text_rect = rect;
    if (column == 0) {
        if (m_ex_style & LVS_EX_CHECKBOXES) {
            RECT box = { rect.left + 1, rect.top + 1, rect.left + row_height() - 1, rect.bottom - 1 };
            UINT checked = (state_image | (m_states[static_cast<std::size_t>(item)] & LVIS_STATEIMAGEMASK)) == INDEXTOSTATEIMAGEMASK(2);
            DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
            text_rect.left += row_height();
        }
        RECT icon {};
        item_rect(item, LVIR_ICON, icon);
        if (m_small_images && image >= 0) {
            int cx = 0;
            int cy = 0;
            ImageList_GetIconSize(m_small_images, &cx, &cy);
            bool selected = shows_selected(item, 0) && GetFocus() == m_hwnd;
            ImageList_DrawEx(m_small_images, image, dc, icon.left, rect.top + std::max(0, (row_height() - cy) / 2), 0, 0,
                CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT | (selected ? ILD_BLEND50 : 0));
        }
        text_rect.left = std::max(text_rect.left, icon.right);
    }
    if (text.empty())
        return;
    text_rect.left += 2;
    text_rect.right -= 2;
    int align = column < header().count() ? header().item(column).format & HDF_JUSTIFYMASK : HDF_LEFT;
    SetTextColor(dc, colours.text);
    SetBkMode(dc, TRANSPARENT);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX
        | (align == HDF_CENTER ? DT_CENTER : align == HDF_RIGHT ? DT_RIGHT : DT_LEFT);
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &text_rect, flags);
}

}
