// The drawing side of UxMenu: measuring items, and the flat and classic looks.
#include "station/controls/UxMenu.h"
#include "station/controls/UxMenuColours.h"
#include "station/controls/UxMenuMemDC.h"

#include <algorithm>

namespace {

COLORREF sys(int index) { return GetSysColor(index); }

void frame(CDC* dc, CRect const& r, COLORREF colour)
{
    CBrush brush(colour);
    dc->FrameRect(&r, &brush);
}

// The shape of a store image (its pixels that differ from the button face when drawn on
// it) in one colour at (x, y).
void draw_shape(CDC* dc, int index, int x, int y, int w, int h, COLORREF colour)
{
    HICON const icon = ImageList_GetIcon(UxMenu::image_store(), index, ILD_NORMAL);
    if (!icon)
        return;
    CDC scratch;
    scratch.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ const old = scratch.SelectObject(static_cast<HGDIOBJ>(bitmap.m_hObject));
    COLORREF const face = sys(COLOR_BTNFACE);
    scratch.FillSolidRect(0, 0, w, h, face);
    DrawIconEx(scratch, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px)
            if (scratch.GetPixel(px, py) != face)
                dc->SetPixel(x + px, y + py, colour);
    scratch.SelectObject(old);
    DestroyIcon(icon);
}

void emboss(CDC* dc, int index, int x, int y, int w, int h)
{
    draw_shape(dc, index, x + 1, y + 1, w, h, sys(COLOR_BTNHIGHLIGHT));
    draw_shape(dc, index, x, y, w, h, sys(COLOR_BTNSHADOW));
}

void draw_image(CDC* dc, int index, int x, int y)
{
    ImageList_Draw(UxMenu::image_store(), index, *dc, x, y, ILD_TRANSPARENT);
}

// The check mark: seven 3-pixel strokes whose tops are at rows 2, 3, 4, 3, 2, 1, 0; or a
// 6 x 6 dot for an item with a checked bitmap of its own.
void draw_check(CDC* dc, int x, int y, bool dot)
{
    COLORREF const colour = sys(COLOR_MENUTEXT);
    if (dot) {
        CBrush brush(colour);
        CPen pen(PS_SOLID, 1, colour);
        CBrush* old_brush = dc->SelectObject(&brush);
        CPen* old_pen = dc->SelectObject(&pen);
        Ellipse(*dc, x, y, x + 6, y + 6);
        dc->SelectObject(old_brush);
        dc->SelectObject(old_pen);
        return;
    }
    static constexpr int tops[7] = { 2, 3, 4, 3, 2, 1, 0 };
    for (int i = 0; i < 7; ++i)
        dc->FillSolidRect(x + i, y + tops[i], 1, 3, colour);
}

bool has_own_check_bitmap(HMENU menu, UINT id)
{
    MENUITEMINFO info {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    return GetMenuItemInfo(menu, id, FALSE, &info) && info.hbmpChecked;
}

// The label (up to the first tab) and the shortcut (after the last tab) of an item text.
void draw_texts(CDC* dc, std::string const& text, CRect area, int shortcut_right, COLORREF colour)
{
    size_t const first = text.find('\t');
    std::string const label = text.substr(0, first);
    COLORREF const old = dc->SetTextColor(colour);
    dc->DrawText(label.c_str(), static_cast<int>(label.size()), &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (first != std::string::npos) {
        std::string const shortcut = text.substr(text.rfind('\t') + 1);
        CRect right = area;
        right.right = shortcut_right;
        dc->DrawText(shortcut.c_str(), static_cast<int>(shortcut.size()), &right, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    dc->SetTextColor(old);
}

HFONT create_menu_font()
{
    NONCLIENTMETRICS metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirect(&metrics.lfMenuFont);
}

}

int UxMenu::gutter_width() const
{
    return look() == 1 && gutter_setting() ? 7 : 4;
}

void UxMenu::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    auto const* record = reinterpret_cast<UxMenuData const*>(item->itemData);
    if (!record)
        return;
    int const g = gutter_width();
    if (record->flags & MF_SEPARATOR) {
        item->itemWidth = 0;
        item->itemHeight = static_cast<UINT>(std::max((m_nImageHeight + g) / 2, GetSystemMetrics(SM_CYMENU) / 2));
        return;
    }
    CWnd* main = AfxGetMainWnd();
    HWND const owner = main ? main->m_hWnd : nullptr;
    HDC const dc = ::GetDC(owner);
    HFONT const font = create_menu_font();
    HGDIOBJ const old = system().os_code > 1 ? SelectObject(dc, font) : nullptr;
    int width = 0;
    if (system().os_code == 0) {
        RECT r {};
        ::DrawText(dc, record->text.c_str(), static_cast<int>(record->text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        TEXTMETRIC tm {};
        GetTextMetrics(dc, &tm);
        width = (r.right - r.left) + 3 + 3 * tm.tmAveCharWidth;
    } else {
        SIZE size {};
        GetTextExtentPoint32(dc, record->text.c_str(), static_cast<int>(record->text.size()), &size);
        width = size.cx;
    }
    if (old)
        SelectObject(dc, old);
    DeleteObject(font);
    ::ReleaseDC(owner, dc);
    width += look() == 1 ? m_nImageWidth + g + 8 : 2 * m_nImageWidth + 1;
    item->itemWidth = static_cast<UINT>(width);
    item->itemHeight = static_cast<UINT>(std::max(m_nImageHeight + g, GetSystemMetrics(SM_CYMENU)));
}

void UxMenu::DrawItem(LPDRAWITEMSTRUCT item)
{
    auto const* record = reinterpret_cast<UxMenuData const*>(item->itemData);
    if (!record || !item->hDC)
        return;
    CDC* dc = CDC::FromHandle(item->hDC);
    bool const palette = (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    if (palette || look() != 1)
        draw_classic(dc, *item, *record);
    else
        draw_flat(dc, *item, *record);
}

// [SECTION] Flat look

void UxMenu::draw_flat(CDC* target, DRAWITEMSTRUCT const& item, UxMenuData const& record)
{
    bool const xp = system().xp_capable();
    COLORREF const W = sys(COLOR_WINDOW);
    COLORREF const F = xp ? sys(COLOR_BTNFACE) : lighten(sys(COLOR_BTNFACE), 25);
    COLORREF const H = sys(COLOR_HIGHLIGHT);
    COLORREF const S = lighten(H, xp ? 70 : 85);
    int const g = gutter_width();
    bool const grayed = item.itemState & ODS_GRAYED;
    bool const selected = !grayed && (item.itemState & ODS_SELECTED);
    bool const checked = item.itemState & ODS_CHECKED;
    CRect const r(item.rcItem);
    CRect gutter = r;
    gutter.right = r.left + m_nImageWidth + g;

    std::unique_ptr<UxMenuMemDC> memory;
    HFONT font {};
    HGDIOBJ old_font {};
    CDC* dc = target;
    if (grayed) {
        memory = std::make_unique<UxMenuMemDC>(target, r);
        dc = memory.get();
        font = create_menu_font();
        old_font = dc->SelectObject(static_cast<HGDIOBJ>(font));
    }
    if (record.flags & MF_SEPARATOR) {
        dc->FillSolidRect(&r, W);
        dc->FillSolidRect(&gutter, F);
        frame(dc, gutter, F);
        CRect line(gutter.right + g, r.top + r.Height() / 2, r.right, r.bottom);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
    } else {
        if (selected) {
            dc->FillSolidRect(&r, S);
            frame(dc, r, H);
        } else {
            dc->FillSolidRect(&r, W);
            frame(dc, r, W);
            dc->FillSolidRect(&gutter, F);
            frame(dc, gutter, F);
        }
        int const image = record.store_index;
        UINT const id = static_cast<UINT>(record.id);
        if (image >= 0) {
            int const x = gutter.left + std::max(0, (gutter.Width() - m_nImageWidth + 1) / 2);
            int const y = r.top + std::max(0, (r.Height() - m_nImageHeight + 1) / 2);
            CRect box = gutter;
            box.DeflateRect(1, 1);
            bool const copies = has_copies(id);
            if (grayed) {
                emboss(dc, image, x, y, m_nImageWidth, m_nImageHeight);
            } else if (selected) {
                dc->FillSolidRect(&box, S);
                if (checked) {
                    frame(dc, box, H);
                    draw_image(dc, image, x - 1, y - 1);
                } else if (copies) {
                    draw_image(dc, image + 2, x + 1, y + 1);
                    draw_image(dc, image, x - 1, y - 1);
                } else {
                    draw_image(dc, image, x, y);
                }
            } else if (checked) {
                dc->FillSolidRect(&box, lighten(H, 85));
                frame(dc, box, H);
                draw_image(dc, image, x - 1, y - 1);
            } else {
                dc->FillSolidRect(&box, F);
                draw_image(dc, copies ? image + 1 : image, x, y);
            }
        } else if (checked) {
            int const x = gutter.left + (gutter.Width() - 16) / 2;
            int const y = r.top + (r.Height() - 16) / 2;
            CRect box(x, y, x + 16, y + 16);
            dc->FillSolidRect(&box, lighten(H, 85));
            frame(dc, box, H);
            draw_check(dc, x + 5, y + 4, has_own_check_bitmap(m_hMenu, id));
        }
        CRect area(gutter.right + 8, r.top - 1, r.right, r.bottom - 1);
        int const old_mode = dc->SetBkMode(TRANSPARENT);
        COLORREF const colour = !grayed ? sys(COLOR_MENUTEXT) : xp ? sys(COLOR_GRAYTEXT) : lighten(sys(COLOR_GRAYTEXT), 40);
        draw_texts(dc, record.text, area, r.right - m_nImageWidth, colour);
        dc->SetBkMode(old_mode);
    }
    if (memory) {
        dc->SelectObject(old_font);
        memory.reset();
        DeleteObject(font);
    }
}

// [SECTION] Classic look

void UxMenu::draw_classic(CDC* dc, DRAWITEMSTRUCT const& item, UxMenuData const& record)
{
    bool const xp = system().xp_capable();
    bool const sunken_frames = system().os_code > 1;
    COLORREF const B = xp ? sys(COLOR_3DFACE) : sys(COLOR_MENU);
    bool const grayed = item.itemState & ODS_GRAYED;
    bool const selected = item.itemState & ODS_SELECTED;
    bool const checked = item.itemState & ODS_CHECKED;
    CRect const r(item.rcItem);
    if (record.flags & MF_SEPARATOR) {
        dc->FillSolidRect(&r, B);
        CRect line(r.left, r.top + r.Height() / 2, r.right, r.bottom);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    int const image = record.store_index;
    COLORREF text_colour = sys(COLOR_MENUTEXT);
    if (selected) {
        CRect lit = r;
        if (image >= 0 || checked)
            lit.left = r.left + m_nImageWidth + 5;
        dc->FillSolidRect(&lit, sys(COLOR_HIGHLIGHT));
        text_colour = sys(COLOR_HIGHLIGHTTEXT);
    } else {
        dc->FillSolidRect(&r, B);
        frame(dc, r, B);
    }
    int const m = std::max(0, (r.Height() - m_nImageHeight - 4) / 2);
    if (image >= 0) {
        CRect inner(r.left + 1, r.top + m + 1, r.left + m_nImageWidth + 3, r.top + m + m_nImageHeight + 3);
        CRect outer(r.left, r.top + m, r.left + m_nImageWidth + 4, r.top + m + m_nImageHeight + 4);
        frame(dc, inner, B);
        if (grayed) {
            frame(dc, outer, B);
            emboss(dc, image, r.left + 2, r.top + m + 2, m_nImageWidth, m_nImageHeight);
        } else {
            if (!selected && !checked) {
                dc->FillSolidRect(&inner, B);
                frame(dc, outer, B);
            } else if (!selected) {
                dc->FillSolidRect(&inner, lighten(B, 60));
                if (sunken_frames)
                    dc->Draw3dRect(&outer, sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT));
            } else {
                dc->FillSolidRect(&inner, B);
                if (sunken_frames && checked)
                    dc->Draw3dRect(&outer, sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT));
                else if (sunken_frames)
                    dc->Draw3dRect(&outer, sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
            }
            draw_image(dc, image, r.left + 2, r.top + m + 2);
        }
    } else if (checked) {
        CRect box(r.left + 1, r.top + m + 2, r.left + 1 + m_nImageWidth, r.top + m + 2 + m_nImageHeight);
        dc->FillSolidRect(&box, selected ? B : lighten(B, 60));
        if (sunken_frames)
            dc->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
        bool const dot = has_own_check_bitmap(m_hMenu, static_cast<UINT>(record.id));
        draw_check(dc, box.left + (dot ? 5 : 4), box.top + 4, dot);
    }
    CRect area(r.left + m_nImageWidth + 9, r.top - 1, r.right, r.bottom - 1);
    int const shortcut_right = r.right - m_nImageWidth;
    int const old_mode = dc->SetBkMode(TRANSPARENT);
    if (!grayed) {
        draw_texts(dc, record.text, area, shortcut_right, text_colour);
    } else if (!selected) {
        CRect down = area;
        down.OffsetRect(1, 1);
        draw_texts(dc, record.text, down, shortcut_right + 1, sys(COLOR_BTNHIGHLIGHT));
        draw_texts(dc, record.text, area, shortcut_right, sys(COLOR_GRAYTEXT));
    } else {
        draw_texts(dc, record.text, area, shortcut_right, B);
    }
    dc->SetBkMode(old_mode);
}
