// The button the station utility's dialogs place: an owner-drawn button whose face is copied
// from three palette images made once by ConfigureShading (normal, hover tinted with the hover
// colour, highlighted tinted with the highlight colour) and which draws no frame. Each image's
// palette runs from the shadow colour through the face colour to the light colour, and its
// pixels follow one of eight shading patterns with random grain (ShadePatterns.h).
//
// The faces keep the size the window had when ConfigureShading last ran; until it runs, the
// button paints no face.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CeXDib.h"

class CShadeButtonST : public CButtonST {
public:
    CShadeButtonST();
    ~CShadeButtonST() override;

    // Builds the three faces from the window's current size. Granularity, highlight (percent
    // of the hover and highlight tints) and colouring (percent of `colour` in the base
    // palette) are taken as bytes.
    void ConfigureShading(UINT shade_type, BYTE granularity, BYTE highlight, BYTE colouring, COLORREF colour,
        COLORREF hover_colour, COLORREF highlight_colour);

    CCeXDib const& normal_face() const { return m_normal; }
    CCeXDib const& hover_face() const { return m_hover; }
    CCeXDib const& highlighted_face() const { return m_highlighted; }

    // Stored by the main window on its page buttons; the button never reads it.
    int m_nKind;

protected:
    void PaintButtonFace(CDC* dc, CRect const& rect) override;
    void PaintButtonFrame(CDC* dc, CRect const& rect) override;

private:
    void build_base_palette();

    CCeXDib m_normal;
    CCeXDib m_hover;
    CCeXDib m_highlighted;
};
