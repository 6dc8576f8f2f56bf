// The image-list calls: forwarders into ImageListObject.
#include "platform/controls/common/ImageListObject.h"

#include <memory>

using platform::commctrl::DrawRequest;
using platform::commctrl::ImageListObject;

extern "C" {

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int)
{
    if (cx <= 0 || cy <= 0 || initial < 0)
        return nullptr;
    return std::make_unique<ImageListObject>(cx, cy, flags).release()->handle();
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
    std::unique_ptr<ImageListObject> owned(ImageListObject::from(list));
    return owned != nullptr;
}

int ImageList_GetImageCount(HIMAGELIST list)
{
    auto* l = ImageListObject::from(list);
    return l ? l->count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count)
{
    auto* l = ImageListObject::from(list);
    if (!l)
        return FALSE;
    l->set_count(static_cast<int>(count));
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy)
{
    auto* l = ImageListObject::from(list);
    if (!l || !cx || !cy)
        return FALSE;
    *cx = l->cx();
    *cy = l->cy();
    return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask)
{
    auto* l = ImageListObject::from(list);
    return l ? l->add_bitmap(image, mask, CLR_NONE) : -1;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask_colour)
{
    auto* l = ImageListObject::from(list);
    return l ? l->add_bitmap(image, nullptr, mask_colour) : -1;
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask)
{
    auto* l = ImageListObject::from(list);
    return l && l->replace_bitmap(index, image, mask);
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon)
{
    auto* l = ImageListObject::from(list);
    return l ? l->replace_icon(index, icon) : -1;
}

BOOL ImageList_Remove(HIMAGELIST list, int index)
{
    auto* l = ImageListObject::from(list);
    return l && l->remove(index);
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info)
{
    auto* l = ImageListObject::from(list);
    return l && info && l->image_info(index, *info);
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT)
{
    auto* l = ImageListObject::from(list);
    return l ? l->make_icon(index) : nullptr;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour)
{
    auto* l = ImageListObject::from(list);
    return l ? l->set_background(colour) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list)
{
    auto* l = ImageListObject::from(list);
    return l ? l->background() : CLR_NONE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style)
{
    auto* l = ImageListObject::from(list);
    return l && l->draw({ index, dc, x, y, 0, 0, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style });
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
    COLORREF foreground, UINT style)
{
    auto* l = ImageListObject::from(list);
    return l && l->draw({ index, dc, x, y, dx, dy, 0, 0, background, foreground, style });
}

BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* p)
{
    if (!p)
        return FALSE;
    auto* l = ImageListObject::from(p->himl);
    return l && l->draw({ p->i, p->hdcDst, p->x, p->y, p->cx, p->cy, p->xBitmap, p->yBitmap, p->rgbBk, p->rgbFg, p->fStyle });
}

}
