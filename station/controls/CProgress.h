// A progress bar drawn on a gradient: range, position, step, an optional moving "snake"
// block, borders, brushes and colours, and a caption drawn over the bar in two colours (one
// over the filled part, one over the rest). It paints into any DC; CProgressCtrlX is the
// window around it.
//
// A range whose bounds are equal draws an empty bar and a 0 % caption.
#pragma once

// The framework first: when it brings the bar messages itself, theirs is the one definition.
#include "station/controls/CGradient.h"
#include "platform/controls/BarMessages.h"

// Style bits of a progress bar (the window style of a CProgressCtrlX).
constexpr DWORD PBS_CAPTION_LEFT = 0x10;
constexpr DWORD PBS_CAPTION_RIGHT = 0x20;
constexpr DWORD PBS_CAPTION_TOP = 0x40;
constexpr DWORD PBS_CAPTION_BOTTOM = 0x80;
constexpr DWORD PBS_SHOW_PERCENT = 0x100;
constexpr DWORD PBS_SHOW_POSITION = 0x200;
constexpr DWORD PBS_SHOW_TEXTONLY = 0x300;
constexpr DWORD PBS_TEXT_IN_BAR = 0x1000;
constexpr DWORD PBS_RUBBER_BAR = 0x2000;
constexpr DWORD PBS_REVERSE = 0x4000;
constexpr DWORD PBS_SNAKE = 0x8000;

class CProgress : public CGradient {
public:
    // What one paint works with.
    struct DrawInfo {
        CDC* dc {};
        DWORD style {};
        CRect bar; // the rectangle less the borders
        int position {};
        int lower {};
        int upper {};
    };

    CProgress();

    // [SECTION] Range and position
    void SetRange(int a, int b);
    void GetRange(int& lower, int& upper) const { lower = m_nLower, upper = m_nUpper; }
    int SetPos(int position);
    int GetPos() const { return m_nPos; }
    int OffsetPos(int delta);
    int StepIt() { return OffsetPos(m_nStep); }
    int SetStep(int step);
    int GetStep() const { return m_nStep; }
    void SetSnakeSize(int size) { m_nSnakeSize = size; }
    int GetSnakeTail() const { return m_nTail; }

    // [SECTION] Look
    void SetBarBrush(CBrush* brush) { m_pbrBar = brush; }
    void SetBkColor(COLORREF colour) { m_clrBk = colour; }
    COLORREF GetBkColor() const { return m_clrBk; }
    void SetBkBrush(CBrush* brush) { m_pbrBk = brush; }
    void SetTextColor(COLORREF bar_text, COLORREF background_text) { m_clrTextOnBar = bar_text, m_clrTextOnBk = background_text; }
    void SetBorders(CRect const& borders) { m_rcBorders = borders; }
    void SetClipRegion(HRGN region);
    void SetFont(HFONT font) { m_hFont = font; }
    HFONT GetFont() const { return m_hFont; }
    void SetCaptionFormat(CString const& format, DWORD style_bits);
    CString const& GetCaptionFormat() const { return m_strFormat; }
    void set_text_format(CString const& format) { m_strFormat = format; }
    int gradient_shift() const { return m_nGradientShift; }
    void set_gradient_shift(int shift) { m_nGradientShift = shift; }

    // [SECTION] Drawing
    // Paints the bar into `rect` of `dc` (background, bar, caption).
    void Draw(CDC* dc, CRect const& rect);
    using CGradient::Draw;

    // [SECTION] Overridable steps
    virtual DWORD GetStyle() const { return m_dwStyle; }
    virtual void ModifyStyle(DWORD remove, DWORD add) { m_dwStyle = (m_dwStyle & ~remove) | add; }
    virtual void PaintCaption(DrawInfo const& info, CRect const& whole, CRect const& filled);
    virtual void PaintCaptionClipped(DrawInfo const& info, CRect const& band, CString const& text, CPoint origin);
    virtual void MoveRunner(int value, bool is_delta);
    virtual CString BuildCaption(CString const& format, DrawInfo const& info, int value);
    virtual int GetCaptionValue(DrawInfo const& info);
    virtual BOOL BeforePosChange(int old_position, int new_position);
    virtual void AfterPosChange(int new_position);

    // Formats `format` with one integer: %d, %i and %u (with flags and a width) take the
    // value, %% is a percent sign, anything else is copied as it stands. Caption formats come
    // from language files, so no other conversion may reach a printf.
    static CString format_value(CString const& format, int value);

protected:
    void paint_bar(DrawInfo const& info, CRect& filled);
    int apply_position(int position);
    // Filled length of `value` on a bar of `length` pixels (0 for an empty range).
    int bar_offset(int value, int length) const;

    CBrush* m_pbrBar {};
    COLORREF m_clrBk;
    CBrush* m_pbrBk {};
    COLORREF m_clrTextOnBar;
    COLORREF m_clrTextOnBk;
    int m_nTail {};
    int m_nSnakeSize { 40 };
    int m_nStep { 10 };
    int m_nLower {};
    int m_nUpper { 100 };
    CRect m_rcBorders;
    CString m_strFormat;
    HFONT m_hFont {};
    DWORD m_dwStyle { 0xF0 };
    CRgn m_rgnClip;
    int m_nPos {};
    int m_nGradientShift {};
};
