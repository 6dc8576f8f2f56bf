#include "station/controls/ShadeButtonST.h"

#include "platform/framework/Dc.h"
#include "station/controls/ShadePatterns.h"

// The kind is the main window's to set; it starts at 0 so that it is never read unset.
CShadeButtonST::CShadeButtonST() : m_nKind(0) { }

CShadeButtonST::~CShadeButtonST() = default;

void CShadeButtonST::ConfigureShading(UINT shade_type, BYTE granularity, BYTE highlight, BYTE colouring, COLORREF colour,
    COLORREF hover_colour, COLORREF highlight_colour)
{
    CRect window;
    GetWindowRect(&window);
    m_normal.AllocateImage(window.Width(), window.Height(), 8);
    build_base_palette();
    m_normal.TintPalette(colour, colouring);
    station::controls::paint_shade_pattern(m_normal, shade_type, granularity);

    m_hover.CopyFrom(m_normal);
    m_hover.TintPalette(hover_colour, highlight);
    m_highlighted.CopyFrom(m_normal);
    m_highlighted.TintPalette(highlight_colour, highlight);
}

// Shadow to face over entries 0..128, then face to light over 128..255 (entry 128 is written
// twice; the second value, one step towards the light, stays).
void CShadeButtonST::build_base_palette()
{
    COLORREF const s = GetSysColor(COLOR_BTNSHADOW);
    COLORREF const f = GetSysColor(COLOR_BTNFACE);
    COLORREF const l = GetSysColor(COLOR_BTNHIGHLIGHT);
    auto blend = [](BYTE a, BYTE b, int i) { return static_cast<BYTE>((a * i + b * (128 - i)) / 128); };
    for (int i = 0; i <= 128; ++i)
        m_normal.StorePaletteEntry(i, blend(GetRValue(f), GetRValue(s), i), blend(GetGValue(f), GetGValue(s), i), blend(GetBValue(f), GetBValue(s), i));
    for (int i = 1; i <= 128; ++i)
        m_normal.StorePaletteEntry(127 + i, blend(GetRValue(l), GetRValue(f), i), blend(GetGValue(l), GetGValue(f), i), blend(GetBValue(l), GetBValue(f), i));
}

void CShadeButtonST::PaintButtonFace(CDC* dc, CRect const&)
{
    if (is_hover()) {
        int const shift = m_bIsPressed ? 1 : 0;
        m_hover.BlitTo(dc->GetSafeHdc(), shift, shift);
    } else if (m_bHighlighted == 1) {
        m_highlighted.BlitTo(dc->GetSafeHdc(), 0, 0);
    } else {
        m_normal.BlitTo(dc->GetSafeHdc(), 0, 0);
    }
}

void CShadeButtonST::PaintButtonFrame(CDC*, CRect const&)
{
}
