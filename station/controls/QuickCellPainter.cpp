#include "station/controls/QuickCellPainter.h"

#include "platform/controls/common/ImageList.h"

#include <algorithm>
#include <cstdint>

namespace {

void fill(CDC& dc, CRect const& rect, COLORREF colour)
{
    if (colour != CLR_NONE && !rect.IsRectEmpty())
        dc.FillSolidRect(&rect, colour);
}

// Selection shows in the backgrounds of bars and text only in full-row-select lists.
bool selection_fills(QuickCellPaint const& p)
{
    return p.full_row_select && !p.request.m_bNoHighlight;
}

void paint_check_box(CDC& dc, QuickCellPaint const& p)
{
    bool const plain = p.request.m_bCheckBoxNoHighlight || p.request.m_bNoHighlight;
    fill(dc, p.layout.check_area, quick_background_colour(p.request, p.state, plain));
    CRect square = p.layout.check_box;
    ::DrawFrameControl(dc, &square, DFC_BUTTON, p.request.m_nCheckState);
}

void paint_image(CDC& dc, QuickCellPaint const& p)
{
    QuickCellRequest const& r = p.request;
    bool const plain = r.m_bImageNoHighlight || r.m_bNoHighlight;
    COLORREF const background = quick_background_colour(r, p.state, plain);
    COLORREF const old = ImageList_SetBkColor(r.m_hImageList, background);
    fill(dc, p.layout.image_area, background);
    COLORREF const blend = quick_background_colour(r, p.state, false);
    bool const blended = p.state.selected && !r.m_bNoHighlight && r.m_nSelectedImageStyle != 0 && blend != CLR_NONE;
    IMAGELISTDRAWPARAMS params {};
    params.cbSize = sizeof(params);
    params.himl = r.m_hImageList;
    params.i = r.m_nImage;
    params.hdcDst = dc;
    params.x = p.layout.image.left;
    params.y = p.layout.image.top;
    params.cx = p.layout.image.Width();
    params.cy = p.layout.image.Height();
    params.rgbBk = CLR_DEFAULT;
    params.rgbFg = blended ? blend : CLR_DEFAULT;
    params.fStyle = blended ? r.m_nSelectedImageStyle : ILD_NORMAL;
    params.dwRop = SRCCOPY;
    ImageList_DrawIndirect(&params);
    ImageList_SetBkColor(r.m_hImageList, old);
}

void paint_bar(CDC& dc, QuickCellPaint const& p)
{
    QuickCellRequest const& r = p.request;
    QuickCellLayout const& l = p.layout;
    COLORREF const outside = quick_background_colour(r, p.state, !selection_fills(p));
    // The text rectangle around the bar: four strips, so the bar is painted once.
    fill(dc, CRect(l.text.left, l.text.top, l.text.right, l.bar.top), outside);
    fill(dc, CRect(l.text.left, l.bar.bottom, l.text.right, l.text.bottom), outside);
    fill(dc, CRect(l.text.left, l.bar.top, l.bar.left, l.bar.bottom), outside);
    fill(dc, CRect(l.bar.right, l.bar.top, l.text.right, l.bar.bottom), outside);
    if (r.m_nBarEdge != 0) {
        CRect frame = l.bar;
        dc.DrawEdge(&frame, r.m_nBarEdge, BF_RECT);
    }
    fill(dc, l.bar_inner, quick_background_colour(r, p.state, true));
    if (r.m_nBarValue > 0)
        paint_level_bar(dc, p.gradient, l.bar_inner, quick_bar_fill(r.m_nBarValue, r.m_nBarMax, l.bar_inner.Width()));
}

// A bold and/or italic copy of the DC's font while it lives.
class StyledFont {
public:
    StyledFont(CDC& dc, bool bold, bool italic)
        : m_dc(dc)
    {
        if (!bold && !italic)
            return;
        LOGFONT lf {};
        ::GetObject(::GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf);
        if (bold)
            lf.lfWeight = FW_BOLD;
        if (italic)
            lf.lfItalic = TRUE;
        m_font = ::CreateFontIndirect(&lf);
        m_old = ::SelectObject(dc, m_font);
    }
    ~StyledFont()
    {
        if (!m_font)
            return;
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_font);
    }
    StyledFont(StyledFont const&) = delete;
    StyledFont& operator=(StyledFont const&) = delete;

private:
    CDC& m_dc;
    HFONT m_font {};
    HGDIOBJ m_old {};
};

void draw_clipped(CDC& dc, CString const& text, CRect rect, UINT format, CRect const& clip, COLORREF colour)
{
    if (clip.IsRectEmpty())
        return;
    int const saved = dc.SaveDC();
    dc.IntersectClipRect(&clip);
    dc.SetTextColor(colour);
    dc.DrawText(text, &rect, format);
    dc.RestoreDC(saved);
}

void paint_text(CDC& dc, QuickCellPaint const& p)
{
    QuickCellRequest const& r = p.request;
    QuickCellLayout const& l = p.layout;
    if (!l.has_bar)
        fill(dc, l.text, quick_background_colour(r, p.state, !selection_fills(p)));
    if (r.m_strText.IsEmpty())
        return;
    StyledFont font(dc, r.m_bBold, r.m_bItalic);
    CString const text = quick_escape_prefix(r.m_strText);
    if (l.has_bar) {
        CRect const& bar = l.bar_inner;
        int const filled = r.m_nBarValue > 0 ? quick_bar_fill(r.m_nBarValue, r.m_nBarMax, bar.Width()) : 0;
        dc.SetBkMode(TRANSPARENT);
        COLORREF const on_bar = r.m_crBarText == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHTTEXT) : r.m_crBarText;
        draw_clipped(dc, text, bar, r.m_nTextFormat, CRect(bar.left, bar.top, bar.left + filled, bar.bottom), on_bar);
        draw_clipped(dc, text, bar, r.m_nTextFormat, CRect(bar.left + filled, bar.top, bar.right, bar.bottom),
            quick_text_colour(r, p.state, true));
        return;
    }
    bool const plain = r.m_bNoHighlight;
    COLORREF const opaque = quick_background_colour(r, p.state, plain);
    dc.SetTextColor(quick_text_colour(r, p.state, plain));
    if (opaque == CLR_NONE) {
        dc.SetBkMode(TRANSPARENT);
    } else {
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(opaque);
    }
    CRect rect = l.text;
    rect.left += 2;
    dc.DrawText(text, &rect, r.m_nTextFormat);
}

}

int quick_bar_fill(int value, int maximum, int inner_width)
{
    if (value <= 0 || maximum <= 0 || inner_width <= 0)
        return 0;
    if (value >= maximum)
        return inner_width;
    return static_cast<int>(static_cast<std::int64_t>(value) * inner_width / maximum);
}

void paint_level_bar(CDC& dc, CGradient& gradient, CRect const& rect, int filled)
{
    if (filled <= 0 || rect.IsRectEmpty())
        return;
    // The pegs are set on every bar: other owners of a shared gradient may have changed them.
    // Evenly spaced, so the middle third of the bar is plain yellow.
    gradient.SetColors(4, RGB(255, 0, 0), RGB(255, 255, 0), RGB(255, 255, 0), RGB(0, 255, 0));
    gradient.Draw(&dc, rect, 0, std::min(filled, rect.Width()), 0);
}

CString quick_escape_prefix(CString const& text)
{
    std::string const& in = text.str();
    if (in.find('&') == std::string::npos)
        return text;
    std::string out;
    out.reserve(in.size() + 4);
    for (char c : in) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return CString(std::move(out));
}

void paint_quick_cell(CDC& dc, QuickCellPaint const& p)
{
    if (p.layout.has_check_box)
        paint_check_box(dc, p);
    if (p.layout.has_image)
        paint_image(dc, p);
    if (p.layout.has_bar && p.request.m_nBarMax > 0)
        paint_bar(dc, p);
    paint_text(dc, p);
    if (p.focus_rect)
        dc.DrawFocusRect(&p.layout.text);
}
