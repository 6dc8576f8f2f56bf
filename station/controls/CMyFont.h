// The font object the DC-attribute selectors keep: a framework font that can be made as a
// copy of another font (same face, size and escapement) and tells its escapement, which the
// progress bar's caption uses to turn its text box.
#pragma once

#include "platform/framework/Afx.h"

class CMyFont : public CFont {
public:
    CMyFont() = default;
    // A new font with the attributes of `font` (nothing when it is null or unreadable).
    explicit CMyFont(HFONT font) { CreateCopy(font); }

    BOOL CreateCopy(HFONT font);
    // The text angle in tenths of a degree, 0 for no font.
    int GetEscapement() const;
};
