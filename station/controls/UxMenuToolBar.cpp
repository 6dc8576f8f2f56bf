#include "station/controls/UxMenuToolBar.h"

#include <set>

UxMenuToolBar::~UxMenuToolBar()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

BOOL UxMenuToolBar::parse(BYTE const* bytes, size_t size)
{
    auto word = [&](size_t i) { return static_cast<WORD>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    if (!bytes || size < 8)
        return FALSE;
    size_t const count = word(3);
    if (size < 8 + 2 * count)
        return FALSE;
    m_nBitmapWidth = word(1);
    m_nBitmapHeight = word(2);
    m_buttons.clear();
    for (size_t i = 0; i < count; ++i)
        m_buttons.push_back(word(4 + i));
    return m_nBitmapWidth > 0 && m_nBitmapHeight > 0;
}

BOOL UxMenuToolBar::LoadToolBar(UINT id, bool with_bitmap)
{
    HRSRC const raw = FindResource(nullptr, MAKEINTRESOURCE(static_cast<WORD>(id)), MAKEINTRESOURCE(RT_TOOLBAR_TYPE));
    if (!raw || !parse(static_cast<BYTE const*>(LockResource(LoadResource(nullptr, raw))), SizeofResource(nullptr, raw)))
        return FALSE;
    if (!with_bitmap || m_bitmap)
        return TRUE;
    LPCSTR const name = MAKEINTRESOURCE(static_cast<WORD>(id));
    auto plain = static_cast<HBITMAP>(LoadImage(nullptr, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!plain)
        return FALSE;
    if (is_sixteen_colour(plain)) {
        DeleteObject(plain);
        plain = static_cast<HBITMAP>(LoadImage(nullptr, name, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    }
    m_bitmap = plain;
    return m_bitmap != nullptr;
}

int UxMenuToolBar::image_of(size_t button) const
{
    int image = 0;
    for (size_t i = 0; i < button && i < m_buttons.size(); ++i)
        image += m_buttons[i] != 0;
    return image;
}

// The images of this program are PNG files with no colour table: one that uses at most 16
// colours stands for a 16-colour bitmap.
bool UxMenuToolBar::is_sixteen_colour(HBITMAP bitmap)
{
    BITMAP bm {};
    if (!GetObject(bitmap, sizeof bm, &bm) || !bm.bmBits || bm.bmBitsPixel != 32)
        return false;
    auto const* pixels = static_cast<DWORD const*>(bm.bmBits);
    size_t const count = static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight);
    std::set<DWORD> colours;
    for (size_t i = 0; i < count && colours.size() <= 16; ++i)
        colours.insert(pixels[i] & 0xFFFFFF);
    return colours.size() <= 16;
}
