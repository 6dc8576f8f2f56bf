// Image lists: rows of same-sized images with an optional transparency mask, drawn plainly,
// transparently, blended with a colour or as their mask.
//
// The layer's choices:
// - Images are kept as 32-bit colour with a mask whatever ILC_COLORxx asks; without ILC_MASK
//   every pixel is opaque.
// - ILD_BLEND50 (and ILD_BLEND25) mixes each opaque pixel half-and-half with the blend colour
//   (rgbFg; CLR_DEFAULT means COLOR_HIGHLIGHT, CLR_NONE draws the image unblended): each
//   channel becomes (image + blend) / 2, fraction dropped.
// - ILD_NORMAL fills the transparent pixels with the list's background colour, or leaves
//   them alone when it is CLR_NONE (then ILD_NORMAL and ILD_TRANSPARENT look the same);
//   ILD_TRANSPARENT always leaves them alone. rgbBk of ImageList_DrawEx / DrawIndirect
//   overrides the list's background colour for that call (CLR_DEFAULT: the list's).
// - ILD_MASK draws the mask: black where the image is opaque, white where it is transparent.
// - An icon added with ReplaceIcon is drawn at the list's size; its transparent pixels are
//   those the icon's mask leaves untouched.
// - GetImageInfo answers bitmaps that stay the list's: a strip of all images side by side
//   and its mask (white where transparent), valid until the list changes.
#pragma once

#include "platform/controls/common/CommonControls.h"

constexpr UINT ILC_MASK = 0x00000001;
constexpr UINT ILC_COLOR = 0x00000000;
constexpr UINT ILC_COLORDDB = 0x000000FE;
constexpr UINT ILC_COLOR4 = 0x00000004;
constexpr UINT ILC_COLOR8 = 0x00000008;
constexpr UINT ILC_COLOR16 = 0x00000010;
constexpr UINT ILC_COLOR24 = 0x00000018;
constexpr UINT ILC_COLOR32 = 0x00000020;

constexpr UINT ILD_NORMAL = 0x00000000;
constexpr UINT ILD_TRANSPARENT = 0x00000001;
constexpr UINT ILD_BLEND25 = 0x00000002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x00000004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x00000010;
constexpr UINT ILD_IMAGE = 0x00000020;
constexpr UINT ILD_ROP = 0x00000040;

struct IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
};

struct IMAGELISTDRAWPARAMS {
    DWORD cbSize;
    HIMAGELIST himl;
    int i;
    HDC hdcDst;
    int x;
    int y;
    int cx; // 0: the image's width
    int cy; // 0: the image's height
    int xBitmap;
    int yBitmap;
    COLORREF rgbBk;
    COLORREF rgbFg;
    UINT fStyle;
    DWORD dwRop;
    DWORD fState;
    DWORD Frame;
    COLORREF crEffect;
};

extern "C" {

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Adds every image of `image` (its width / cx of them); a pixel is transparent where `mask`
// (may be null) is white. Answers the index of the first added image, or -1.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// As ImageList_Add, with the pixels of colour `mask_colour` transparent.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask_colour);
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// `index` -1 appends. Answers the index of the image, or -1.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
BOOL ImageList_Remove(HIMAGELIST list, int index); // -1 removes every image
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
// A new icon of the image; the caller destroys it with DestroyIcon.
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
    COLORREF foreground, UINT style);
BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* params);

}

inline int ImageList_AddIcon(HIMAGELIST list, HICON icon)
{
    return ImageList_ReplaceIcon(list, -1, icon);
}
inline HICON ImageList_ExtractIcon(HINSTANCE, HIMAGELIST list, int index)
{
    return ImageList_GetIcon(list, index, ILD_NORMAL);
}
