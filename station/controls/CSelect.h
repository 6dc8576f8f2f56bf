// Scoped DC attributes: each selector sets one attribute of a DC when built (and on every
// later Select), remembers only the value the DC had before the first change, and puts that
// value back when it is destroyed or asked to Restore. They keep painting code free of
// "remember the old value" bookkeeping.
#pragma once

#include "station/controls/CMyFont.h"

// The common part: the DC and whether a first value has been saved.
class CSelect {
public:
    explicit CSelect(CDC* dc) : m_pDC(dc) { }
    virtual ~CSelect() = default;
    CSelect(CSelect const&) = delete;
    CSelect& operator=(CSelect const&) = delete;
    CDC* dc() const { return m_pDC; }

protected:
    CDC* m_pDC;
    bool m_bSaved {};
};

class CSelFont : public CSelect {
public:
    CSelFont(CDC* dc, HFONT font) : CSelect(dc) { Select(font); }
    ~CSelFont() override { Restore(); }
    void Select(HFONT font);
    void Restore();
    CMyFont& font() { return m_font; }

private:
    CMyFont m_font; // the copy that stays selected while this selector lives
    HGDIOBJ m_old {};
};

class CSelBkMode : public CSelect {
public:
    CSelBkMode(CDC* dc, int mode) : CSelect(dc) { Select(mode); }
    ~CSelBkMode() override { Restore(); }
    void Select(int mode);
    void Restore();

private:
    int m_old {};
};

class CSelTextColor : public CSelect {
public:
    CSelTextColor(CDC* dc, COLORREF colour) : CSelect(dc) { Select(colour); }
    ~CSelTextColor() override { Restore(); }
    void Select(COLORREF colour);
    void Restore();

private:
    COLORREF m_old {};
};

class CSelTextAlign : public CSelect {
public:
    CSelTextAlign(CDC* dc, UINT align) : CSelect(dc) { Select(align); }
    ~CSelTextAlign() override { Restore(); }
    void Select(UINT align);
    void Restore();

private:
    UINT m_old {};
};
