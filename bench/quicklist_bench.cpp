// CQuickList benchmark: one visible page (30 rows x 11 columns) painted cell by cell from cell
// requests answered by the parent: text with colours in every cell, an image in three columns
// and a level bar in one. Target: under 1 ms per page.
#include "platform/controls/common/ImageListObject.h"
#include "platform/controls/common/ListView.h"
#include "platform/framework/Wnd.h"
#include "platform/user/Testing.h"
#include "station/controls/CQuickList.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kRows = 30;
constexpr int kColumns = 11;
constexpr int kColumnWidth = 60;

class BenchParent : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != QLN_CELLREQUEST)
            return CWnd::WindowProc(message, wParam, lParam);
        auto& cell = *reinterpret_cast<QuickCellRequest*>(lParam);
        int const column = cell.m_nSubItem;
        if (column == 0 || column == 2 || column == 7)
            cell.m_nImage = cell.m_nItem % 2;
        if (column == 5) {
            cell.m_nBarMax = 100;
            cell.m_nBarValue = (cell.m_nItem * 7) % 101;
        }
        char text[32];
        std::snprintf(text, sizeof(text), "cell %d.%d", cell.m_nItem, column);
        cell.m_strText = text;
        cell.m_crText = column % 2 ? RGB(0, 0, 128) : CLR_DEFAULT;
        cell.m_crBackground = cell.m_nItem % 2 ? RGB(240, 240, 255) : CLR_DEFAULT;
        return 0;
    }
};

HIMAGELIST make_images()
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

struct QuickPage {
    QuickPage()
    {
        platform::testing::use_manual_clock();
        InitCommonControls();
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, kColumns * kColumnWidth, 600,
            nullptr, nullptr);
        HWND const hwnd = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
            kColumns * kColumnWidth, 600, parent.m_hWnd, reinterpret_cast<HMENU>(1), nullptr, nullptr);
        list.SubclassWindow(hwnd);
        for (int c = 0; c < kColumns; ++c) {
            LVCOLUMN col {};
            col.mask = LVCF_WIDTH | LVCF_TEXT;
            col.cx = kColumnWidth;
            col.pszText = const_cast<LPSTR>("column");
            SendMessage(hwnd, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
        }
        images = make_images();
        SendMessage(hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
        SendMessage(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        SendMessage(hwnd, LVM_SETITEMCOUNT, 100000, 0);
        RECT row {};
        row.left = LVIR_BOUNDS;
        SendMessage(hwnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        MoveWindow(hwnd, 0, 0, kColumns * kColumnWidth, static_cast<int>(row.top + kRows * (row.bottom - row.top)), FALSE);
        ListView_SetItemState(hwnd, 3, LVIS_SELECTED, LVIS_SELECTED);
        platform::testing::pump_until_idle();
    }
    ~QuickPage()
    {
        parent.DestroyWindow();
        ImageList_Destroy(images);
    }
    BenchParent parent;
    CQuickList list;
    HIMAGELIST images {};
};

// The whole repaint: invalidation, WM_PAINT, custom draw and 330 cell requests.
void BM_QuickListPageRepaint(benchmark::State& state)
{
    QuickPage page;
    state.counters["rows"] = static_cast<double>(SendMessage(page.list.m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0));
    for (auto _ : state) {
        page.list.Invalidate(TRUE);
        page.list.UpdateWindow();
    }
}
BENCHMARK(BM_QuickListPageRepaint)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
