#include "station/controls/Separator.h"

#include "platform/framework/Dc.h"

BEGIN_MESSAGE_MAP(CSeparator, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

CSeparator::CSeparator() = default;
CSeparator::~CSeparator() = default;

void CSeparator::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.Height() > client.Width())
        paint_vertical(dc, client);
    else
        paint_horizontal(dc, client);
}

void CSeparator::paint_vertical(CDC& dc, CRect const& client)
{
    dc.Draw3dRect(client.Width() / 2, 0, 2, client.Height(), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
}

void CSeparator::paint_horizontal(CDC& dc, CRect const& client)
{
    dc.Draw3dRect(0, client.Height() / 2, client.Width(), 2, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));

    CString caption;
    GetWindowText(caption);
    DWORD const style = GetStyle();
    UINT format = DT_LEFT;
    if (style & SS_CENTER) {
        caption = "  " + caption + "  ";
        format = DT_CENTER;
    } else if (style & SS_RIGHT) {
        caption = "  " + caption;
        format = DT_RIGHT;
    } else {
        caption += "  ";
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;

    // The blanks are drawn opaque in the face colour: that is what breaks the line.
    CFont* font = GetFont();
    CFont* old_font = font ? dc.SelectObject(font) : nullptr;
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    CRect text_rect = client;
    dc.DrawText(caption, &text_rect, format);
    if (old_font)
        dc.SelectObject(old_font);
}
