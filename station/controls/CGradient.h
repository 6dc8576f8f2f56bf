// A colour gradient made of solid bands: a list of colour pegs is turned into bands of one
// colour each (as many as the colours differ, no more than the pixels allow) and painted
// into a rectangle in one of four directions, optionally shifted cyclically for animation and
// through a palette on palette devices. Used by the list cells' level bars and by CProgress.
#pragma once

#include "platform/framework/Afx.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <vector>

// One band: a colour and its length in pixels.
struct CGradElement {
    COLORREF colour {};
    int length {};
};

using GradBands = std::vector<CGradElement>;

class CGradient {
public:
    // No band limit: every colour step gets its own band.
    static constexpr int UNLIMITED = INT_MAX;
    // The most entries a gradient's palette may take on a 256-colour display.
    static constexpr int PALETTE_BANDS = 236;

    CGradient() = default;
    virtual ~CGradient();
    CGradient(CGradient const&) = delete;
    CGradient& operator=(CGradient const&) = delete;

    // Exactly `count` pegs, in the order given: SetColors(3, green, light_blue, green).
    template<typename... Colours>
    void SetColors(int count, Colours... colours)
    {
        std::vector<COLORREF> const given { static_cast<COLORREF>(colours)... };
        set_pegs(std::vector<COLORREF>(given.begin(), given.begin() + std::clamp<long>(count, 0, static_cast<long>(given.size()))));
    }
    void set_pegs(std::vector<COLORREF> pegs);
    std::vector<COLORREF> const& pegs() const { return m_pegs; }
    std::vector<double> const& segment_sizes() const { return m_segments; }

    void SetDirection(int direction) { m_nDirection = direction; }
    int GetDirection() const { return m_nDirection; }
    void SetStretch(float stretch) { m_fStretch = stretch; }
    float GetStretch() const { return m_fStretch; }
    void SetUsePalette(BOOL use) { m_bUsePalette = use; }
    BOOL GetUsePalette() const { return m_bUsePalette; }

    // Paints the bands between `start` and `end` (-1: the rectangle's extent) of a gradient
    // stretched over the rectangle, shifted cyclically by `shift` pixels.
    virtual void Draw(CDC* dc, CRect const& rect, int start, int end, int shift);
    // The bands of a gradient of `length` pixels rotated by `shift`, cut to start..end.
    virtual GradBands LayOutShiftedBands(int shift, int length, int start, int end, int max_bands);
    // The bands of a gradient of `length` pixels between start and end (-1: the length).
    virtual GradBands LayOutBands(int length, int start, int end, int max_bands);
    // Appends the bands of one segment (colour 1 to colour 2 over `segment_length` pixels)
    // that lie between start and end, measured from the segment's start.
    virtual void BlendBands(GradBands& out, COLORREF from, COLORREF to, int segment_length, int start, int end,
        int max_bands);

    // The palette of the gradient (built on demand; deleted whenever the pegs change).
    HPALETTE palette();

protected:
    void delete_palette();

    std::vector<COLORREF> m_pegs;
    BOOL m_bUsePalette {};
    HPALETTE m_palette {};
    std::vector<double> m_segments;
    int m_nDirection {};
    float m_fStretch { 1.0f };

private:
    void fill_band(CDC* dc, CRect const& rect, int offset, int length, COLORREF colour, bool palette_device,
        bool palette_selected) const;
};
