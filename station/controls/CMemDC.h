// Flicker-free drawing: a memory DC with a bitmap the size of a rectangle of the target DC,
// its window origin moved so that the caller draws in the target's coordinates. On
// destruction the bitmap is copied to the target (through a palette built from the bitmap on
// palette devices when asked). With "copy screen" the target's pixels are copied in first,
// for drawing that does not cover the whole rectangle.
#pragma once

#include "platform/framework/Afx.h"

class CMemDC : public CDC {
public:
    // `rect` null: the target's clip box.
    CMemDC(CDC* dc, CRect const* rect = nullptr, bool copy_screen = false, bool use_palette = false);
    ~CMemDC() override;

    CMemDC* operator->() { return this; }
    CRect const& rect() const { return m_rect; }
    // True when drawing goes to an off-screen bitmap (not to the target itself).
    bool is_memory() const { return m_bMemDC; }

private:
    void copy_back();

    CDC* m_pDC;
    CRect m_rect;
    bool m_bMemDC {};
    bool m_bUsePalette {};
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap {};
};
