#include "station/controls/CProgress.h"

#include "station/controls/CMemDC.h"
#include "station/controls/CSelect.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// The part a..b (pixels from where the bar starts growing) of the bar rectangle. A
// horizontal bar grows from the left, or from the right when reversed; a vertical one from
// the bottom, or from the top when reversed.
CRect part_of(CRect const& bar, int a, int b, bool vertical, bool reversed)
{
    CRect r = bar;
    if (!vertical && !reversed)
        r.left = bar.left + a, r.right = bar.left + b;
    else if (!vertical)
        r.left = bar.right - b, r.right = bar.right - a;
    else if (!reversed)
        r.top = bar.bottom - b, r.bottom = bar.bottom - a;
    else
        r.top = bar.top + a, r.bottom = bar.top + b;
    return r;
}

int clamp_to(long long value, int lower, int upper)
{
    return static_cast<int>(std::clamp<long long>(value, lower, upper));
}

}

CProgress::CProgress()
    : m_clrBk(GetSysColor(COLOR_BTNFACE))
    , m_clrTextOnBar(GetSysColor(COLOR_CAPTIONTEXT))
    , m_clrTextOnBk(GetSysColor(COLOR_BTNTEXT))
{
    BOOL gradient_captions = FALSE;
    SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient_captions, 0);
    SetColors(2, GetSysColor(COLOR_ACTIVECAPTION),
        GetSysColor(gradient_captions ? COLOR_GRADIENTACTIVECAPTION : COLOR_ACTIVECAPTION));
}

// [SECTION] Range and position

void CProgress::SetRange(int a, int b)
{
    m_nLower = std::min(a, b);
    m_nUpper = std::max(a, b);
    apply_position(m_nPos);
}

int CProgress::apply_position(int position)
{
    int const old = m_nPos;
    position = clamp_to(position, m_nLower, m_nUpper);
    if (position != m_nPos && BeforePosChange(m_nPos, position)) {
        m_nPos = position;
        AfterPosChange(position);
    }
    return old;
}

int CProgress::SetPos(int position)
{
    int const old = m_nPos;
    if (GetStyle() & PBS_SNAKE)
        MoveRunner(position, false);
    else
        apply_position(position);
    return old;
}

int CProgress::OffsetPos(int delta)
{
    int const old = m_nPos;
    if (GetStyle() & PBS_SNAKE)
        MoveRunner(delta, true);
    else
        apply_position(clamp_to(static_cast<long long>(m_nPos) + delta, m_nLower, m_nUpper));
    return old;
}

int CProgress::SetStep(int step)
{
    int const old = m_nStep;
    m_nStep = step;
    return old;
}

// The snake is the block tail..head. Its head may run past the upper bound while the block
// leaves the bar; the position stays clamped to the range, so at the upper bound the head is
// found again as tail + size. Once the whole block has left (head beyond upper + size) it
// turns back: the bar's growing direction flips and the head re-enters from the lower end.
void CProgress::MoveRunner(int value, bool is_delta)
{
    if (!(GetStyle() & PBS_SNAKE))
        return;
    long long head = value;
    if (is_delta) {
        head = m_nPos;
        if (m_nPos == m_nUpper && m_nUpper - m_nTail < m_nSnakeSize)
            head = static_cast<long long>(m_nTail) + m_nSnakeSize;
        head += std::llabs(static_cast<long long>(value));
    }
    long long const turn = static_cast<long long>(m_nUpper) + m_nSnakeSize;
    if (head > turn) {
        ModifyStyle(PBS_REVERSE, (GetStyle() & PBS_REVERSE) ? 0 : PBS_REVERSE);
        head = m_nLower + (head - turn);
    }
    head = std::clamp<long long>(head, m_nLower, turn);
    m_nTail = clamp_to(head - m_nSnakeSize, m_nLower, m_nUpper);
    apply_position(clamp_to(head, m_nLower, m_nUpper));
}

BOOL CProgress::BeforePosChange(int, int)
{
    return TRUE;
}

void CProgress::AfterPosChange(int)
{
}

// [SECTION] Look

void CProgress::SetClipRegion(HRGN region)
{
    m_rgnClip.DeleteObject();
    if (!region)
        return;
    m_rgnClip.CreateRectRgn(0, 0, 0, 0);
    CombineRgn(static_cast<HRGN>(m_rgnClip.m_hObject), region, nullptr, RGN_COPY);
}

void CProgress::SetCaptionFormat(CString const& format, DWORD style_bits)
{
    CString text = format;
    if (text.IsEmpty() || style_bits == 0) {
        text.Empty();
        style_bits = 0;
    }
    ModifyStyle(PBS_SHOW_TEXTONLY, style_bits & PBS_SHOW_TEXTONLY);
    m_strFormat = text;
}

// [SECTION] Drawing

int CProgress::bar_offset(int value, int length) const
{
    if (m_nUpper <= m_nLower)
        return 0;
    return static_cast<int>(static_cast<long long>(value - m_nLower) * length / (static_cast<long long>(m_nUpper) - m_nLower));
}

void CProgress::Draw(CDC* dc, CRect const& rect)
{
    bool const clipped = m_rgnClip.m_hObject != nullptr;
    if (clipped) {
        CRgn moved;
        moved.CreateRectRgn(0, 0, 0, 0);
        CombineRgn(static_cast<HRGN>(moved.m_hObject), static_cast<HRGN>(m_rgnClip.m_hObject), nullptr, RGN_COPY);
        OffsetRgn(static_cast<HRGN>(moved.m_hObject), rect.left, rect.top);
        dc->SelectClipRgn(&moved);
    }
    {
        CMemDC memory(dc, &rect, !m_pbrBk && m_clrBk == CLR_INVALID);
        if (m_pbrBk)
            memory.FillRect(&rect, m_pbrBk);
        else if (m_clrBk != CLR_INVALID)
            memory.FillSolidRect(&rect, m_clrBk);
        DrawInfo info { &memory, GetStyle(), rect, m_nPos, m_nLower, m_nUpper };
        info.bar.left += m_rcBorders.left, info.bar.top += m_rcBorders.top;
        info.bar.right -= m_rcBorders.right, info.bar.bottom -= m_rcBorders.bottom;
        CRect filled(info.bar.left, info.bar.top, info.bar.left, info.bar.top);
        paint_bar(info, filled);
        PaintCaption(info, info.bar, filled);
    }
    if (clipped)
        dc->SelectClipRgn(nullptr);
}

void CProgress::paint_bar(DrawInfo const& info, CRect& filled)
{
    bool const vertical = (info.style & PBS_VERTICAL) != 0;
    bool const reversed = (info.style & PBS_REVERSE) != 0;
    int const length = vertical ? info.bar.Height() : info.bar.Width();
    if (info.position < info.lower || info.position > info.upper || info.upper <= info.lower || length <= 0)
        return;
    int const end = bar_offset(info.position, length);
    int const start = (info.style & PBS_SNAKE) ? bar_offset(m_nTail, length) : 0;
    filled = part_of(info.bar, start, end, vertical, reversed);
    if (m_pbrBar) {
        info.dc->FillRect(&filled, m_pbrBar);
        return;
    }
    SetDirection(vertical ? (reversed ? 2 : 3) : (reversed ? 1 : 0));
    int const span = (info.style & PBS_RUBBER_BAR) ? end : length;
    int const shift = static_cast<int>(static_cast<long long>(span) * m_nGradientShift / (static_cast<long long>(info.upper) - info.lower));
    CGradient::Draw(info.dc, part_of(info.bar, 0, span, vertical, reversed), start, end, shift);
}

int CProgress::GetCaptionValue(DrawInfo const& info)
{
    switch (info.style & PBS_SHOW_TEXTONLY) {
    case PBS_SHOW_PERCENT:
        if (info.upper <= info.lower)
            return 0;
        return static_cast<int>(static_cast<long long>(info.position - info.lower) * 100 / (static_cast<long long>(info.upper) - info.lower));
    case PBS_SHOW_POSITION:
        return info.position;
    default:
        return 0;
    }
}

CString CProgress::BuildCaption(CString const& format, DrawInfo const&, int value)
{
    return format_value(format, value);
}

CString CProgress::format_value(CString const& format, int value)
{
    std::string const& f = format.str();
    std::string out;
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') {
            out += f[i];
            continue;
        }
        size_t j = i + 1;
        while (j < f.size() && std::string_view("-+ 0#").find(f[j]) != std::string_view::npos)
            ++j;
        while (j < f.size() && f[j] >= '0' && f[j] <= '9' && j - i < 6)
            ++j;
        if (j < f.size() && f[j] == '%' && j == i + 1) {
            out += '%';
            i = j;
        } else if (j < f.size() && (f[j] == 'd' || f[j] == 'i' || f[j] == 'u')) {
            std::string const spec = f.substr(i, j - i) + (f[j] == 'u' ? "u" : "d");
            char buffer[64] {};
            std::snprintf(buffer, sizeof buffer, spec.c_str(), value);
            out += buffer;
            i = j;
        } else {
            out += '%';
        }
    }
    return CString(out);
}

// [SECTION] Caption

namespace {

// Where a TA_CENTER | TA_BOTTOM text of `size` sits in `area`: centred, or against the edges
// the style asks for (both or neither of a pair: centred).
CPoint caption_anchor(CRect const& area, CSize size, DWORD style)
{
    bool const left = style & PBS_CAPTION_LEFT, right = style & PBS_CAPTION_RIGHT;
    bool const top = style & PBS_CAPTION_TOP, bottom = style & PBS_CAPTION_BOTTOM;
    int x = area.left + area.Width() / 2;
    if (left && !right)
        x = area.left + size.cx / 2;
    else if (right && !left)
        x = area.right - (size.cx - size.cx / 2);
    int y = area.top + (area.Height() + size.cy) / 2;
    if (top && !bottom)
        y = area.top + size.cy;
    else if (bottom && !top)
        y = area.bottom;
    return CPoint(x, y);
}

}

void CProgress::PaintCaption(DrawInfo const& info, CRect const& whole, CRect const& filled)
{
    DWORD const kind = info.style & PBS_SHOW_TEXTONLY;
    if (!kind)
        return;
    CString format = m_strFormat;
    if (format.IsEmpty() && kind == PBS_SHOW_PERCENT)
        format = "%d%%";
    else if (format.IsEmpty() && kind == PBS_SHOW_POSITION)
        format = "%d";
    CString const text = BuildCaption(format, info, GetCaptionValue(info));
    if (text.IsEmpty())
        return;

    CDC* dc = info.dc;
    HFONT const font = m_hFont ? m_hFont : static_cast<HFONT>(GetCurrentObject(*dc, OBJ_FONT));
    CSelFont select_font(dc, font);
    CSelBkMode select_mode(dc, TRANSPARENT);
    CSelTextAlign select_align(dc, TA_CENTER | TA_BOTTOM);
    CSize size = dc->GetTextExtent(text);
    // A font turned by 90 or 270 degrees runs the text along the other axis.
    int const angle = ((select_font.font().GetEscapement() / 10) % 360 + 360) % 360;
    if (angle == 90 || angle == 270)
        std::swap(size.cx, size.cy);

    bool const vertical = (info.style & PBS_VERTICAL) != 0;
    int const filled_length = vertical ? filled.Height() : filled.Width();
    int const text_length = vertical ? size.cy : size.cx;
    CSelTextColor select_colour(dc, m_clrTextOnBar);
    if ((info.style & PBS_TEXT_IN_BAR) && filled_length >= text_length) {
        PaintCaptionClipped(info, whole, text, caption_anchor(filled, size, info.style));
        return;
    }
    CPoint const origin = caption_anchor(whole, size, info.style);
    select_colour.Select(m_clrTextOnBk);
    PaintCaptionClipped(info, whole, text, origin);
    if (m_clrTextOnBar != m_clrTextOnBk) {
        select_colour.Select(m_clrTextOnBar);
        PaintCaptionClipped(info, filled, text, origin);
    }
}

void CProgress::PaintCaptionClipped(DrawInfo const& info, CRect const& band, CString const& text, CPoint origin)
{
    if (band.IsRectEmpty())
        return;
    int const saved = info.dc->SaveDC();
    info.dc->IntersectClipRect(&band);
    info.dc->TextOut(origin.x, origin.y, text);
    info.dc->RestoreDC(saved);
}
