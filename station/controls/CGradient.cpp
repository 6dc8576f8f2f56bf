#include "station/controls/CGradient.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Band k of n over a segment of `length` pixels covers k * length / n up to
// (k + 1) * length / n (integer division, 64-bit products), so the bands tile the segment
// exactly and differ in length by at most one pixel; the last one ends at the length.
int band_edge(int k, int bands, int length)
{
    return k >= bands ? length : static_cast<int>(static_cast<int64_t>(k) * length / bands);
}

// Colour of band k of n between two colours: each component is the first colour's plus
// k / n of the difference, the division truncating toward zero, kept to 0..255.
BYTE blend_component(int from, int to, int k, int bands)
{
    int const value = from + static_cast<int>(static_cast<int64_t>(to - from) * k / bands);
    return static_cast<BYTE>(value & 0xFF);
}

int largest_difference(COLORREF a, COLORREF b)
{
    int const dr = std::abs(GetRValue(a) - GetRValue(b));
    int const dg = std::abs(GetGValue(a) - GetGValue(b));
    int const db = std::abs(GetBValue(a) - GetBValue(b));
    return std::max({ dr, dg, db });
}

void append(GradBands& out, COLORREF colour, int length)
{
    if (length > 0)
        out.push_back(CGradElement { colour, length });
}

int total_length(GradBands const& bands)
{
    int total = 0;
    for (CGradElement const& b : bands)
        total += b.length;
    return total;
}

// The part of `bands` (laid end to end from 0) that lies between start and end.
GradBands cut(GradBands const& bands, int start, int end)
{
    GradBands out;
    int position = 0;
    for (CGradElement const& b : bands) {
        int const lo = std::max(position, start);
        int const hi = std::min(position + b.length, end);
        append(out, b.colour, hi - lo);
        position += b.length;
        if (position >= end)
            break;
    }
    return out;
}

}

CGradient::~CGradient()
{
    delete_palette();
}

void CGradient::set_pegs(std::vector<COLORREF> pegs)
{
    m_pegs = std::move(pegs);
    m_segments.assign(m_pegs.size() > 1 ? m_pegs.size() - 1 : 0, m_pegs.size() > 1 ? 100.0 / static_cast<double>(m_pegs.size() - 1) : 0.0);
    delete_palette();
}

void CGradient::BlendBands(GradBands& out, COLORREF from, COLORREF to, int segment_length, int start, int end,
    int max_bands)
{
    int const bands = std::max(1, std::min({ largest_difference(from, to), max_bands, segment_length }));
    for (int k = 0; k < bands; ++k) {
        int const lo = band_edge(k, bands, segment_length);
        int const hi = band_edge(k + 1, bands, segment_length);
        if (lo >= end)
            break;
        if (hi <= start)
            continue;
        COLORREF const colour = RGB(blend_component(GetRValue(from), GetRValue(to), k, bands),
            blend_component(GetGValue(from), GetGValue(to), k, bands),
            blend_component(GetBValue(from), GetBValue(to), k, bands));
        append(out, colour, std::min(hi, end) - std::max(lo, start));
    }
}

GradBands CGradient::LayOutBands(int length, int start, int end, int max_bands)
{
    if (end == -1)
        end = length;
    GradBands out;
    if (m_pegs.empty() || start >= end)
        return out;
    if (m_pegs.size() == 1) {
        append(out, m_pegs.front(), end - start);
        return out;
    }
    int const segments = static_cast<int>(m_segments.size());
    int const per_segment = std::max(1, max_bands / segments);
    double sum = 0;
    int segment_start = 0;
    for (int i = 0; i < segments && segment_start < end; ++i) {
        sum += m_segments[static_cast<size_t>(i)];
        // The segment ends at length x (running share) / 100, fraction dropped; the last one
        // ends exactly at the length, whatever the shares add up to.
        int const segment_end = i == segments - 1 ? length : static_cast<int>(static_cast<double>(length) * sum / 100.0);
        if (segment_end >= start && segment_end > segment_start) {
            BlendBands(out, m_pegs[static_cast<size_t>(i)], m_pegs[static_cast<size_t>(i) + 1], segment_end - segment_start,
                std::max(0, start - segment_start), std::min(end, segment_end) - segment_start, per_segment);
        }
        segment_start = std::max(segment_start, segment_end);
    }
    return out;
}

GradBands CGradient::LayOutShiftedBands(int shift, int length, int start, int end, int max_bands)
{
    if (length <= 0 || m_pegs.size() < 2)
        return LayOutBands(length, start, end, max_bands);
    shift %= length;
    if (shift < 0)
        shift += length;
    if (shift == 0)
        return LayOutBands(length, start, end, max_bands);
    if (end == -1)
        end = length;
    GradBands const whole = LayOutBands(length, 0, length, max_bands);
    if (whole.size() <= 1) {
        GradBands out;
        append(out, m_pegs.front(), end - start);
        return out;
    }
    // The last `shift` pixels of the gradient move to its front; a band that straddles the
    // cut is split in two.
    int const total = total_length(whole);
    GradBands rotated = cut(whole, total - shift, total);
    GradBands const rest = cut(whole, 0, total - shift);
    rotated.insert(rotated.end(), rest.begin(), rest.end());
    return cut(rotated, start, end);
}

HPALETTE CGradient::palette()
{
    if (m_palette)
        return m_palette;
    GradBands const bands = LayOutBands(PALETTE_BANDS, 0, PALETTE_BANDS, PALETTE_BANDS);
    if (bands.empty())
        return nullptr;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + bands.size() * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(storage.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(bands.size());
    for (size_t i = 0; i < bands.size(); ++i)
        log->palPalEntry[i] = PALETTEENTRY { GetRValue(bands[i].colour), GetGValue(bands[i].colour), GetBValue(bands[i].colour), 0 };
    m_palette = CreatePalette(log);
    return m_palette;
}

void CGradient::delete_palette()
{
    if (m_palette)
        DeleteObject(m_palette);
    m_palette = nullptr;
}

void CGradient::fill_band(CDC* dc, CRect const& rect, int offset, int length, COLORREF colour, bool palette_device,
    bool palette_selected) const
{
    CRect band = rect;
    switch (m_nDirection) {
    case 1:
        band.right = rect.right - offset;
        band.left = band.right - length;
        break;
    case 2:
        band.top = rect.top + offset;
        band.bottom = band.top + length;
        break;
    case 3:
        band.bottom = rect.bottom - offset;
        band.top = band.bottom - length;
        break;
    default:
        band.left = rect.left + offset;
        band.right = band.left + length;
        break;
    }
    if (!palette_device) {
        dc->FillSolidRect(&band, colour);
        return;
    }
    CBrush brush(palette_selected ? PALETTERGB(GetRValue(colour), GetGValue(colour), GetBValue(colour)) : colour);
    dc->FillRect(&band, &brush);
}

void CGradient::Draw(CDC* dc, CRect const& rect, int start, int end, int shift)
{
    if (m_pegs.empty())
        return;
    bool const palette_device = (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    bool const vertical = m_nDirection == 2 || m_nDirection == 3;
    int const extent = vertical ? rect.Height() : rect.Width();
    if (end == -1)
        end = extent;
    if (!palette_device && dc->GetDeviceCaps(BITSPIXEL) * dc->GetDeviceCaps(PLANES) < 8) {
        fill_band(dc, rect, start, end - start, m_pegs.front(), false, false);
        return;
    }
    int const length = static_cast<int>(m_fStretch * static_cast<float>(extent));
    GradBands const bands = LayOutShiftedBands(shift, length, start, end, palette_device ? PALETTE_BANDS : UNLIMITED);
    HPALETTE old_palette {};
    bool const use_palette = palette_device && m_bUsePalette && palette();
    if (use_palette) {
        old_palette = SelectPalette(*dc, m_palette, FALSE);
        RealizePalette(*dc);
    }
    int offset = start;
    for (CGradElement const& band : bands) {
        fill_band(dc, rect, offset, band.length, band.colour, palette_device, use_palette);
        offset += band.length;
    }
    if (use_palette)
        SelectPalette(*dc, old_palette, FALSE);
}
