// The image side of UxMenu: the program-wide image store with its faded and shadowed
// copies, setting a command's image, and taking the images of a toolbar resource.
#include "station/controls/UxMenu.h"
#include "station/controls/UxMenuColours.h"
#include "station/controls/UxMenuToolBar.h"

#include <algorithm>
#include <vector>

namespace {

struct Store {
    HIMAGELIST list {};
    std::vector<UINT> ids;
    // Per slot: what its image was made from (a toolbar's image in the colours of the time),
    // empty when not known. Every menu of a kind takes the same toolbar's images, and making
    // the faded and shadowed copies again was the largest part of creating a page with menus.
    std::vector<std::string> sources;
};

Store& store()
{
    static Store s;
    return s;
}

// Draws `icon` at w x h on the button face; the caller deletes the bitmap.
HBITMAP on_face(HICON icon, int w, int h)
{
    HDC const screen = GetDC(nullptr);
    HDC const dc = CreateCompatibleDC(screen);
    HBITMAP const bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ const old = SelectObject(dc, bitmap);
    RECT const all { 0, 0, w, h };
    HBRUSH const face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &all, face);
    DeleteObject(face);
    DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

enum class Copy { Faded, Shadowed };

// Every pixel that is not the face colour becomes, in the faded copy, that pixel lightened
// by 30 %, and in the shadowed copy the shadow colour; the face stays the (transparent) face.
// The pixels are changed in one read and one write of the bitmap's bits: a call per pixel
// was most of the cost of the first menu of each kind.
HICON make_copy(HICON icon, int w, int h, Copy kind)
{
    COLORREF const face = GetSysColor(COLOR_BTNFACE);
    COLORREF const shadow = UxMenu::system().xp_capable() ? GetSysColor(COLOR_BTNSHADOW) : lighten(GetSysColor(COLOR_BTNSHADOW), 49);
    HBITMAP const bitmap = on_face(icon, w, h);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(std::max(w, 0)) * static_cast<size_t>(std::max(h, 0)));
    if (!pixels.empty() && GetDIBits(nullptr, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS) == h) {
        for (RGBQUAD& p : pixels) {
            COLORREF const c = RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
            if (c == face)
                continue;
            COLORREF const to = kind == Copy::Faded ? lighten(c, 30) : shadow;
            p = RGBQUAD { GetBValue(to), GetGValue(to), GetRValue(to), 0 };
        }
        SetDIBits(nullptr, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
    }
    HIMAGELIST const temp = ImageList_Create(w, h, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddMasked(temp, bitmap, face);
    HICON const copy = ImageList_GetIcon(temp, 0, ILD_NORMAL);
    ImageList_Destroy(temp);
    DeleteObject(bitmap);
    return copy;
}

void put_icon(int index, HICON icon)
{
    ImageList_ReplaceIcon(store().list, index, icon);
    DestroyIcon(icon);
}

}

void UxMenu::forget_images()
{
    if (store().list)
        ImageList_Destroy(store().list);
    store() = Store {};
}

HIMAGELIST UxMenu::image_store()
{
    return store().list;
}

int UxMenu::store_index(UINT id)
{
    auto const& ids = store().ids;
    auto it = std::find(ids.begin(), ids.end(), id);
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

bool UxMenu::has_copies(UINT id)
{
    int const i = store_index(id);
    auto const& ids = store().ids;
    return i >= 0 && static_cast<size_t>(i) + 2 < ids.size() && ids[static_cast<size_t>(i) + 1] == id && ids[static_cast<size_t>(i) + 2] == id;
}

// Replaces the command's image (and its copies) when the store has it; appends it (and, in
// the flat look with the wide gutter, its two copies) otherwise. Answers the store index.
int UxMenu::add_to_store(UINT id, HIMAGELIST list, int index, std::string const& source)
{
    Store& s = store();
    if (!s.list) {
        s.list = ImageList_Create(m_nImageWidth, m_nImageHeight, ILC_COLOR32 | ILC_MASK, 16, 16);
        s.ids.clear();
        s.sources.clear();
    }
    if (int const kept = store_index(id); kept >= 0 && !source.empty() && s.sources[static_cast<size_t>(kept)] == source)
        return kept;
    int w = m_nImageWidth, h = m_nImageHeight;
    ImageList_GetIconSize(s.list, &w, &h);
    HICON const icon = ImageList_GetIcon(list, index, ILD_NORMAL);
    if (!icon)
        return -1;
    int position = store_index(id);
    bool const copies = position >= 0 ? has_copies(id) : (look() == 1 && gutter_setting());
    if (position < 0) {
        position = ImageList_GetImageCount(s.list);
        s.ids.push_back(id);
        if (copies)
            s.ids.insert(s.ids.end(), { id, id });
        put_icon(-1, CopyIcon(icon));
        if (copies) {
            put_icon(-1, make_copy(icon, w, h, Copy::Faded));
            put_icon(-1, make_copy(icon, w, h, Copy::Shadowed));
        }
    } else {
        put_icon(position, CopyIcon(icon));
        if (copies) {
            put_icon(position + 1, make_copy(icon, w, h, Copy::Faded));
            put_icon(position + 2, make_copy(icon, w, h, Copy::Shadowed));
        }
    }
    DestroyIcon(icon);
    s.sources.resize(s.ids.size());
    s.sources[static_cast<size_t>(position)] = source;
    return position;
}

BOOL UxMenu::set_command_image(char const* text, UINT id, HIMAGELIST list, int index, std::string const& source)
{
    std::vector<std::pair<UxMenu const*, int>> found;
    UxMenuData* last = nullptr;
    int const stored = add_to_store(id, list, index, source);
    for (;;) {
        int position = -1;
        UxMenu* menu = FindCommand(id, position, &found);
        if (!menu)
            break;
        found.emplace_back(menu, position);
        last = menu->m_items[static_cast<size_t>(position)].get();
    }
    auto update = [&](UxMenuData& r) {
        if (text)
            r.text = text;
        if (r.own_list)
            ImageList_Destroy(r.own_list);
        r.own_list = nullptr;
        r.own_image = -1;
        r.own_image_index = -1;
        r.store_index = stored;
        r.flags = (r.flags & ~MF_BYPOSITION) | MF_OWNERDRAW;
        r.id = id;
    };
    for (auto const& [menu, position] : found)
        update(*menu->m_items[static_cast<size_t>(position)]);
    if (!last) {
        auto record = std::make_unique<UxMenuData>();
        update(*record);
        last = record.get();
        m_items.push_back(std::move(record));
    }
    return ModifyMenu(m_hMenu, id, MF_BYCOMMAND | (last->flags & ~MF_BYPOSITION), id, reinterpret_cast<LPCSTR>(last));
}

// What a toolbar's image is made from: the toolbar, the image, its size in the store, the
// mask, and the colours the bitmap's greys are mapped to and the copies are drawn in.
std::string UxMenu::toolbar_source(UINT toolbar_id, int image, COLORREF mask) const
{
    std::string source = "toolbar " + std::to_string(toolbar_id) + " " + std::to_string(image) + " "
        + std::to_string(m_nImageWidth) + "x" + std::to_string(m_nImageHeight) + " " + std::to_string(mask) + " "
        + std::to_string(system().xp_capable());
    for (int colour : { COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW })
        source += " " + std::to_string(GetSysColor(colour));
    return source;
}

BOOL UxMenu::TakeToolbarImages(UINT toolbar_id)
{
    UxMenuToolBar bar;
    if (!bar.LoadToolBar(toolbar_id, false))
        return FALSE;
    m_nImageWidth = std::max(m_nImageWidth, bar.bitmap_width());
    m_nImageHeight = std::max(m_nImageHeight, bar.bitmap_height());
    COLORREF const mask = m_bBackgroundSet ? m_crBackground : GetSysColor(COLOR_BTNFACE);
    // The strip is read only when the store lacks one of its images as they would be now.
    HIMAGELIST list = nullptr;
    auto const& buttons = bar.buttons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        UINT const id = buttons[i];
        if (id == 0 || GetMenuState(m_hMenu, id, MF_BYCOMMAND) == static_cast<UINT>(-1))
            continue;
        std::string const source = toolbar_source(toolbar_id, bar.image_of(i), mask);
        int const kept = store_index(id);
        if (!list && !(kept >= 0 && store().sources[static_cast<size_t>(kept)] == source)) {
            if (!bar.LoadToolBar(toolbar_id))
                return FALSE;
            list = ImageList_Create(bar.bitmap_width(), bar.bitmap_height(), ILC_COLOR32 | ILC_MASK, 16, 16);
            if (ImageList_AddMasked(list, bar.bitmap(), mask) < 0) {
                ImageList_Destroy(list);
                return FALSE;
            }
        }
        set_command_image(nullptr, id, list, bar.image_of(i), source);
    }
    if (list)
        ImageList_Destroy(list);
    return TRUE;
}
