// Reads a toolbar resource for the menus' images: the button bitmap size and the command id
// of each button (an RT_TOOLBAR record: version, width, height, count, then one id per
// button, 16-bit words each; id 0 is a separator), and the bitmap of the same id. It is
// never shown; the menu drops it once it has taken the images.
#pragma once

#include "platform/framework/Afx.h"

#include <vector>

class UxMenuToolBar {
public:
    static constexpr WORD RT_TOOLBAR_TYPE = 241;

    UxMenuToolBar() = default;
    ~UxMenuToolBar();
    UxMenuToolBar(UxMenuToolBar const&) = delete;
    UxMenuToolBar& operator=(UxMenuToolBar const&) = delete;

    // FALSE when the record or its bitmap is missing or malformed; the bitmap is read only
    // `with_bitmap` (once).
    BOOL LoadToolBar(UINT id, bool with_bitmap = true);
    // Parses the record's bytes; FALSE when they are too short for what they announce.
    BOOL parse(BYTE const* bytes, size_t size);

    int bitmap_width() const { return m_nBitmapWidth; }
    int bitmap_height() const { return m_nBitmapHeight; }
    std::vector<UINT> const& buttons() const { return m_buttons; }
    // The button's image in the strip: separators take none, so it counts the buttons before.
    int image_of(size_t button) const;
    HBITMAP bitmap() const { return m_bitmap; }

    // A bitmap of at most 16 colours shows its greys and white in the current button colours.
    static bool is_sixteen_colour(HBITMAP bitmap);

private:
    int m_nBitmapWidth {};
    int m_nBitmapHeight {};
    std::vector<UINT> m_buttons;
    HBITMAP m_bitmap {};
};
