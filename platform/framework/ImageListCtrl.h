// CImageList: owns one image list handle (destroyed with the object unless detached) and
// forwards to the image-list calls.
#pragma once

#include "platform/framework/ControlHeaders.h"
#include "platform/framework/Dc.h"
#include "platform/framework/GdiObjects.h"

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(CImageList const&) = delete;
    CImageList& operator=(CImageList const&) = delete;

    HIMAGELIST m_hImageList {};
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        if (m_hImageList)
            return FALSE;
        m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    BOOL Attach(HIMAGELIST list)
    {
        if (m_hImageList || !list)
            return FALSE;
        m_hImageList = list;
        return TRUE;
    }
    HIMAGELIST Detach()
    {
        HIMAGELIST const list = m_hImageList;
        m_hImageList = nullptr;
        return list;
    }
    BOOL DeleteImageList()
    {
        if (!m_hImageList)
            return FALSE;
        return ImageList_Destroy(Detach());
    }

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
    int Add(CBitmap* image, CBitmap* mask)
    {
        return ImageList_Add(m_hImageList, image ? static_cast<HBITMAP>(*image) : nullptr, mask ? static_cast<HBITMAP>(*mask) : nullptr);
    }
    int Add(CBitmap* image, COLORREF mask_colour)
    {
        return ImageList_AddMasked(m_hImageList, image ? static_cast<HBITMAP>(*image) : nullptr, mask_colour);
    }
    int Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
    BOOL Replace(int index, CBitmap* image, CBitmap* mask)
    {
        return ImageList_Replace(m_hImageList, index, image ? static_cast<HBITMAP>(*image) : nullptr, mask ? static_cast<HBITMAP>(*mask) : nullptr);
    }
    int Replace(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon); }
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
    HICON ExtractIcon(int index) { return ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, index, info); }
    COLORREF SetBkColor(COLORREF colour) { return ImageList_SetBkColor(m_hImageList, colour); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL Draw(CDC* dc, int index, POINT point, UINT style)
    {
        return dc && ImageList_Draw(m_hImageList, index, dc->m_hDC, point.x, point.y, style);
    }
    BOOL DrawEx(CDC* dc, int index, POINT point, SIZE size, COLORREF background, COLORREF foreground, UINT style)
    {
        return dc && ImageList_DrawEx(m_hImageList, index, dc->m_hDC, point.x, point.y, size.cx, size.cy, background, foreground, style);
    }
};
