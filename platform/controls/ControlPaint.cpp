#include "platform/controls/ControlPaint.h"

#include "platform/gdi/DcHelpers.h"
#include "platform/user/User.h"

#include <algorithm>
#include <string>

namespace platform::controls {

namespace {

void fill(HDC dc, RECT const& rect, int colour_index)
{
    FillRect(dc, &rect, GetSysColorBrush(colour_index));
}

void fill_colour(HDC dc, RECT const& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

COLORREF or_default(COLORREF colour, int index)
{
    return colour == 0xFF000000u ? GetSysColor(index) : colour;
}

int text_height(HDC dc)
{
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    return tm.tmHeight;
}

}

void draw_control_text(HDC dc, RECT rect, std::string_view text, UINT format, bool enabled)
{
    std::string s(text);
    int old_mode = SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        DrawText(dc, s.c_str(), -1, &rect, format);
    } else {
        COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shifted = rect;
        OffsetRect(&shifted, 1, 1);
        DrawText(dc, s.c_str(), -1, &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawText(dc, s.c_str(), -1, &rect, format);
        SetTextColor(dc, old);
    }
    SetBkMode(dc, old_mode);
}

void paint_push_button(HDC dc, RECT const& rect, PushButtonLook const& look)
{
    RECT r = rect;
    if (look.default_button) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (look.pushed && look.default_button) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
        fill(dc, r, COLOR_BTNFACE);
    } else {
        DrawEdge(dc, &r, look.pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
    RECT text_rect = r;
    if (look.pushed)
        OffsetRect(&text_rect, 1, 1);
    UINT format = DT_CENTER | (look.multiline ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER))
        | (look.hide_access_keys ? DT_HIDEPREFIX : 0);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    draw_control_text(dc, text_rect, look.text, format, look.enabled);
    if (look.focused) {
        RECT focus = rect;
        InflateRect(&focus, look.default_button ? -4 : -3, look.default_button ? -4 : -3);
        DrawFocusRect(dc, &focus);
    }
}

void paint_check_button(HDC dc, RECT const& rect, CheckButtonLook const& look)
{
    int top = rect.top + (rect.bottom - rect.top - check_box_size) / 2;
    int box_left = look.left_text ? rect.right - check_box_size : rect.left;
    RECT box { box_left, top, box_left + check_box_size, top + check_box_size };
    UINT state = look.radio ? DFCS_BUTTONRADIO : (look.check == 2 ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK);
    state |= look.check ? DFCS_CHECKED : 0;
    state |= look.pushed ? DFCS_PUSHED : 0;
    state |= look.enabled ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    RECT text_rect = rect;
    if (look.left_text)
        text_rect.right = box.left - 4;
    else
        text_rect.left = box.right + 4;
    draw_control_text(dc, text_rect, look.text, DT_SINGLELINE | DT_VCENTER | (look.hide_access_keys ? DT_HIDEPREFIX : 0),
        look.enabled);
    if (look.focused && !look.text.empty()) {
        std::string s(look.text);
        RECT measured = text_rect;
        DrawText(dc, s.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        int height = measured.bottom - measured.top;
        RECT focus { text_rect.left - 1, text_rect.top + (text_rect.bottom - text_rect.top - height) / 2 - 1,
            measured.right + 1, 0 };
        focus.bottom = focus.top + height + 2;
        DrawFocusRect(dc, &focus);
    }
}

void paint_group_box(HDC dc, RECT const& rect, std::string_view text, bool enabled)
{
    int half = text_height(dc) / 2;
    RECT frame { rect.left, rect.top + half, rect.right, rect.bottom };
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty())
        return;
    std::string s(text);
    RECT measured { rect.left + 8, rect.top, rect.right - 8, rect.bottom };
    DrawText(dc, s.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    measured.left -= 2;
    measured.right += 2;
    fill_colour(dc, measured, GetBkColor(dc));
    measured.left += 2;
    draw_control_text(dc, measured, text, DT_SINGLELINE, enabled);
}

void paint_progress(HDC dc, RECT const& rect, ProgressLook const& look)
{
    platform::gdi::draw_3d_rect(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    fill_colour(dc, inner, or_default(look.background, COLOR_BTNFACE));
    long long range = static_cast<long long>(look.high) - look.low;
    if (range <= 0 || look.position <= look.low)
        return;
    int extent = look.vertical ? inner.bottom - inner.top : inner.right - inner.left;
    long long done = std::min<long long>(look.position - look.low, range);
    int filled = static_cast<int>(done * extent / range);
    COLORREF bar = or_default(look.bar, COLOR_HIGHLIGHT);
    RECT part = inner;
    if (look.vertical)
        part.top = part.bottom - filled;
    else
        part.right = part.left + filled;
    if (look.smooth) {
        fill_colour(dc, part, bar);
        return;
    }
    int block = std::max(2, ((look.vertical ? inner.right - inner.left : inner.bottom - inner.top) * 2) / 3);
    for (int at = 0; at < filled; at += block + 2) {
        int size = std::min(block, filled - at);
        RECT b = inner;
        if (look.vertical) {
            b.bottom = inner.bottom - at;
            b.top = b.bottom - size;
        } else {
            b.left = inner.left + at;
            b.right = b.left + size;
        }
        fill_colour(dc, b, bar);
    }
}

RECT trackbar_channel(RECT const& rect, bool vertical)
{
    if (vertical) {
        int x = (rect.left + rect.right) / 2 - 2;
        return RECT { x, rect.top + 8, x + 4, rect.bottom - 8 };
    }
    int y = (rect.top + rect.bottom) / 2 - 2;
    return RECT { rect.left + 8, y, rect.right - 8, y + 4 };
}

RECT trackbar_thumb(RECT const& rect, TrackbarLook const& look)
{
    RECT channel = trackbar_channel(rect, look.vertical);
    long long range = std::max(1LL, static_cast<long long>(look.max) - look.min);
    long long offset = std::clamp<long long>(static_cast<long long>(look.position) - look.min, 0, range);
    if (look.vertical) {
        int y = channel.top + static_cast<int>(offset * (channel.bottom - channel.top - 1) / range);
        int cx = (channel.left + channel.right) / 2;
        return RECT { cx - 10, y - 5, cx + 11, y + 6 };
    }
    int x = channel.left + static_cast<int>(offset * (channel.right - channel.left - 1) / range);
    int cy = (channel.top + channel.bottom) / 2;
    return RECT { x - 5, cy - 10, x + 6, cy + 11 };
}

int trackbar_position_at(RECT const& rect, TrackbarLook const& look, POINT point)
{
    RECT channel = trackbar_channel(rect, look.vertical);
    int along = look.vertical ? point.y - channel.top : point.x - channel.left;
    int length = std::max(1, look.vertical ? channel.bottom - channel.top - 1 : channel.right - channel.left - 1);
    long long range = static_cast<long long>(look.max) - look.min;
    long long value = look.min + (static_cast<long long>(along) * range + length / 2) / length;
    return static_cast<int>(std::clamp<long long>(value, look.min, look.max));
}

namespace {

// A disabled thumb: its face inside the raised edge checkered with the highlight colour, so
// that it reads as greyed, as the thumb of a disabled trackbar does.
void dither_inside(HDC dc, RECT const& thumb)
{
    COLORREF const light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int y = thumb.top + 2; y < thumb.bottom - 2; ++y)
        for (int x = thumb.left + 2 + (y & 1); x < thumb.right - 2; x += 2)
            SetPixel(dc, x, y, light);
}

}

void paint_trackbar(HDC dc, RECT const& rect, TrackbarLook const& look)
{
    fill(dc, rect, COLOR_BTNFACE);
    RECT channel = trackbar_channel(rect, look.vertical);
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    if (look.tic_frequency > 0 && look.max > look.min) {
        for (long long v = look.min; v <= look.max; v += look.tic_frequency) {
            TrackbarLook at = look;
            at.position = static_cast<int>(v);
            RECT thumb = trackbar_thumb(rect, at);
            RECT tic = look.vertical ? RECT { thumb.right + 2, (thumb.top + thumb.bottom) / 2, thumb.right + 5, (thumb.top + thumb.bottom) / 2 + 1 }
                                     : RECT { (thumb.left + thumb.right) / 2, thumb.bottom + 2, (thumb.left + thumb.right) / 2 + 1, thumb.bottom + 5 };
            fill(dc, tic, look.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        }
    }
    RECT thumb = trackbar_thumb(rect, look);
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    if (!look.enabled)
        dither_inside(dc, thumb);
    if (look.focused) {
        RECT focus = rect;
        DrawFocusRect(dc, &focus);
    }
}

RECT scroll_thumb(RECT const& rect, ScrollBarLook const& look)
{
    int arrow = look.vertical ? rect.right - rect.left : rect.bottom - rect.top;
    int start = (look.vertical ? rect.top : rect.left) + arrow;
    int track = std::max(0, (look.vertical ? rect.bottom - rect.top : rect.right - rect.left) - 2 * arrow);
    long long range = static_cast<long long>(look.max) - look.min + 1;
    int page = std::max(0, look.page);
    if (range <= 0 || page >= range || !look.enabled)
        return RECT {};
    int size = page > 0 ? std::max(8, static_cast<int>(track * page / range)) : std::min(arrow, track);
    long long positions = std::max(1LL, range - std::max(page, 1));
    long long offset = std::clamp<long long>(static_cast<long long>(look.position) - look.min, 0, positions);
    int at = start + static_cast<int>((track - size) * offset / positions);
    return look.vertical ? RECT { rect.left, at, rect.right, at + size } : RECT { at, rect.top, at + size, rect.bottom };
}

void paint_scroll_bar(HDC dc, RECT const& rect, ScrollBarLook const& look)
{
    int arrow = look.vertical ? rect.right - rect.left : rect.bottom - rect.top;
    UINT inactive = look.enabled ? 0 : DFCS_INACTIVE;
    RECT first = look.vertical ? RECT { rect.left, rect.top, rect.right, rect.top + arrow } : RECT { rect.left, rect.top, rect.left + arrow, rect.bottom };
    RECT last = look.vertical ? RECT { rect.left, rect.bottom - arrow, rect.right, rect.bottom } : RECT { rect.right - arrow, rect.top, rect.right, rect.bottom };
    DrawFrameControl(dc, &first, DFC_SCROLL, (look.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
    DrawFrameControl(dc, &last, DFC_SCROLL, (look.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
    RECT track = look.vertical ? RECT { rect.left, first.bottom, rect.right, last.top } : RECT { first.right, rect.top, last.left, rect.bottom };
    fill(dc, track, COLOR_SCROLLBAR);
    RECT thumb = scroll_thumb(rect, look);
    if (!IsRectEmpty(&thumb))
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void paint_drop_button(HDC dc, RECT const& rect, bool pushed, bool enabled)
{
    RECT r = rect;
    DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLDOWN | (pushed ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
}

}
