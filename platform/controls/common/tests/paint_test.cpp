// The controls painted the way a program shows them: through WM_PAINT and BeginPaint on the
// window's surface, compared with a small golden picture.
#include "platform/controls/common/tests/ListFixture.h"

#include "platform/controls/common/ImageListObject.h"
#include "platform/gdi/SysPaint.h"
#include "platform/gdi/Testing.h"

#include <cstdio>

namespace {

// A 6 x 6 image: a filled square of `colour`.
HIMAGELIST square_images(COLORREF colour)
{
    HIMAGELIST list = ImageList_Create(6, 6, ILC_COLOR32, 1, 1);
    std::uint32_t* bits = nullptr;
    HBITMAP image = platform::commctrl::make_dib(6, 6, &bits);
    for (int i = 0; i < 36; ++i)
        bits[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    ImageList_Add(list, image, nullptr);
    DeleteObject(image);
    return list;
}

TEST_F(ListTest, ReportListWithHeaderSelectionCustomColoursAndImagesPaintsThroughWmPaint)
{
    platform::gdi::testing::use_test_drawing(COMMCTRL_TEST_FONT);
    HWND top = make_top("list", WS_POPUP | WS_VISIBLE, { 0, 0, 160, 90 });
    parent = top;
    HWND list = make_list(LVS_OWNERDATA | LVS_SHOWSELALWAYS, 3, 10, { 0, 0, 160, 90 });
    HIMAGELIST images = square_images(RGB(0, 128, 0));
    SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    answer = [](NMHDR* nm) -> LRESULT {
        if (nm->code == LVN_GETDISPINFO) {
            auto* info = reinterpret_cast<NMLVDISPINFO*>(nm);
            if (info->item.mask & LVIF_TEXT)
                std::snprintf(info->item.pszText, static_cast<std::size_t>(info->item.cchTextMax), "%d.%d", info->item.iItem, info->item.iSubItem);
            if (info->item.mask & LVIF_IMAGE)
                info->item.iImage = info->item.iItem % 2 == 0 ? 0 : -1;
        } else if (nm->code == NM_CUSTOMDRAW) {
            auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
            if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
                return CDRF_NOTIFYITEMDRAW;
            if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                return CDRF_NOTIFYSUBITEMDRAW;
            if (cd->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && cd->iSubItem == 2 && cd->nmcd.dwItemSpec != 1)
                cd->clrText = RGB(192, 0, 0);
        }
        return 0;
    };
    InvalidateRect(top, nullptr, TRUE);
    platform::testing::pump_until_idle();
    EXPECT_TRUE(platform::gdi::testing::matches_golden(top, COMMCTRL_TEST_DIR "/goldens/report_list.png"));
    DestroyWindow(top);
    ImageList_Destroy(images);
}

}
