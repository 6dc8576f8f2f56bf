// Shared set-up of the list benchmarks: one page of an owner-data report list with 100,000
// rows, kColumns columns of kColumnWidth pixels, two 16 x 16 images and full-row selection,
// sized to show exactly kRows rows under its header.
#pragma once

#include "platform/controls/common/ImageListObject.h"
#include "platform/controls/common/ListView.h"

#include <cstdint>

namespace bench {

constexpr int kRows = 30;
constexpr int kColumns = 11;
constexpr int kColumnWidth = 60;

// A green and a red square, owned by the caller.
inline HIMAGELIST make_list_images()
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
    for (COLORREF colour : { RGB(0, 160, 0), RGB(200, 0, 0) }) {
        std::uint32_t* bits = nullptr;
        HBITMAP image = platform::commctrl::make_dib(16, 16, &bits);
        for (int i = 0; i < 16 * 16; ++i)
            bits[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        ImageList_AddMasked(list, image, RGB(255, 0, 255));
        DeleteObject(image);
    }
    return list;
}

inline HWND create_list_page(HWND parent)
{
    return CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
        kColumns * kColumnWidth, 600, parent, reinterpret_cast<HMENU>(1), nullptr, nullptr);
}

// Columns, images, row count and the page height; `images` stays the caller's.
inline void fill_list_page(HWND list, HIMAGELIST images)
{
    for (int c = 0; c < kColumns; ++c) {
        LVCOLUMN col {};
        col.mask = LVCF_WIDTH | LVCF_TEXT;
        col.cx = kColumnWidth;
        col.pszText = const_cast<LPSTR>("column");
        SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessage(list, LVM_SETITEMCOUNT, 100000, 0);
    RECT row {};
    row.left = LVIR_BOUNDS;
    SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    MoveWindow(list, 0, 0, kColumns * kColumnWidth, static_cast<int>(row.top + kRows * (row.bottom - row.top)), FALSE);
}

}
