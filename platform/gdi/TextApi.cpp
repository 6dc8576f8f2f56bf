// Forwarders of Text.h.
#include "platform/gdi/TextLayout.h"

#include <cstring>
#include <utility>

using namespace platform::gdi;

namespace {

std::string_view text_of(LPCSTR text, int count)
{
    if (!text)
        return {};
    return count < 0 ? std::string_view(text) : std::string_view(text, static_cast<std::size_t>(count));
}

// The point the text cell's top-left corner lies at, from the alignment's reference point.
POINT cell_origin(UINT align, POINT reference, int width, TEXTMETRIC const& tm)
{
    POINT p = reference;
    if ((align & TA_CENTER) == TA_CENTER)
        p.x -= width / 2;
    else if (align & TA_RIGHT)
        p.x -= width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        p.y -= tm.tmAscent;
    else if (align & TA_BOTTOM)
        p.y -= tm.tmHeight;
    return p;
}

BOOL text_out(HDC dc, int x, int y, UINT options, RECT const* rect, std::string_view text, INT const* dx)
{
    DeviceContext* d = dc_of(dc);
    if (!d)
        return FALSE;
    if (text.empty() && rect && (options & ETO_OPAQUE)) {
        // Only the opaque rectangle: FillSolidRect's way of filling with the background colour.
        Paint back = d->solid_paint(d->state().background_colour);
        back.rop2 = 0b1100;
        paint_rect(d->canvas(), d->to_surface(*rect), back);
        return TRUE;
    }
    auto font = dc_font(*d);
    std::u32string cps = decode_utf8(text);
    std::vector<int> advances;
    LineOptions line;
    if (dx) {
        advances.assign(dx, dx + cps.size());
        line.dx = &advances;
    }
    int width = text_width(*font, cps, line);
    UINT align = d->state().text_align;
    POINT reference { x, y };
    if (align & TA_UPDATECP)
        reference = d->state().position;
    // Alignment applies along the text's direction; the cell origin is worked out unturned.
    int quarter = ((font->logfont().lfEscapement % 3600 + 3600) % 3600) / 900;
    POINT offset = cell_origin(align, POINT { 0, 0 }, width, font->metrics());
    POINT turned = offset;
    switch (font->logfont().lfEscapement % 900 == 0 ? quarter : 0) {
    case 1:
        turned = POINT { offset.y, -offset.x };
        break;
    case 2:
        turned = POINT { -offset.x, -offset.y };
        break;
    case 3:
        turned = POINT { -offset.y, offset.x };
        break;
    default:
        break;
    }
    POINT origin { reference.x + turned.x, reference.y + turned.y };
    if (rect && (options & ETO_OPAQUE)) {
        Paint back = d->solid_paint(d->state().background_colour);
        back.rop2 = 0b1100;
        paint_rect(d->canvas(), d->to_surface(*rect), back);
    }
    bool opaque = d->state().background_mode == OPAQUE && !(rect && (options & ETO_OPAQUE));
    draw_text_line(*d, *font, origin, cps, line, (rect && (options & ETO_CLIPPED)) ? rect : nullptr, opaque, nullptr);
    if (align & TA_UPDATECP)
        d->state().position.x += (align & TA_RIGHT) && (align & TA_CENTER) != TA_CENTER ? -width : width;
    return TRUE;
}

}

extern "C" {

HFONT CreateFontIndirect(LOGFONT const* font)
{
    if (!font)
        return nullptr;
    LOGFONT copy = *font;
    copy.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(ObjectTable::the().add(std::make_unique<FontObject>(copy)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
    DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality, DWORD pitch_and_family,
    LPCSTR face)
{
    LOGFONT lf {};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic ? 1 : 0);
    lf.lfUnderline = static_cast<BYTE>(underline ? 1 : 0);
    lf.lfStrikeOut = static_cast<BYTE>(strike_out ? 1 : 0);
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfOutPrecision = static_cast<BYTE>(out_precision);
    lf.lfClipPrecision = static_cast<BYTE>(clip_precision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    if (face)
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* out)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !out)
        return FALSE;
    *out = dc_font(*d)->metrics();
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, SIZE* out)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !out || count < 0)
        return FALSE;
    auto font = dc_font(*d);
    out->cx = text_width(*font, decode_utf8(text_of(text, count)));
    out->cy = font->metrics().tmHeight;
    return TRUE;
}

BOOL GetTextExtentPoint(HDC dc, LPCSTR text, int count, SIZE* out)
{
    return GetTextExtentPoint32(dc, text, count, out);
}

BOOL GetCharWidth32(HDC dc, UINT first, UINT last, INT* out)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !out || last < first)
        return FALSE;
    auto font = dc_font(*d);
    for (UINT c = first; c <= last; ++c)
        out[c - first] = font->glyph(static_cast<char32_t>(c)).advance;
    return TRUE;
}

BOOL GetCharWidth(HDC dc, UINT first, UINT last, INT* out)
{
    return GetCharWidth32(dc, first, last, out);
}

int GetTextFace(HDC dc, int size, LPSTR out)
{
    DeviceContext* d = dc_of(dc);
    auto* font = d ? lookup<FontObject>(d->state().font) : nullptr;
    if (!font)
        return 0;
    std::string face(font->logfont.lfFaceName);
    if (!out)
        return static_cast<int>(face.size()) + 1;
    if (size <= 0)
        return 0;
    std::size_t n = std::min(face.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(out, face.data(), n);
    out[n] = '\0';
    return static_cast<int>(n);
}

UINT SetTextAlign(HDC dc, UINT align)
{
    DeviceContext* d = dc_of(dc);
    return d ? std::exchange(d->state().text_align, align) : GDI_ERROR;
}

UINT GetTextAlign(HDC dc)
{
    DeviceContext* d = dc_of(dc);
    return d ? d->state().text_align : GDI_ERROR;
}

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count)
{
    if (count < 0)
        return FALSE;
    return text_out(dc, x, y, 0, nullptr, text_of(text, count), nullptr);
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, RECT const* rect, LPCSTR text, UINT count, INT const* dx)
{
    return text_out(dc, x, y, options, rect, text_of(text, static_cast<int>(count)), dx);
}

int DrawText(HDC dc, LPCSTR text, int count, RECT* rect, UINT format)
{
    DeviceContext* d = dc_of(dc);
    if (!d || !rect || !text)
        return 0;
    return draw_text(*d, text_of(text, count), *rect, format);
}

}
