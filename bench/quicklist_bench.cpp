// CQuickList benchmark: one visible page (30 rows x 11 columns) painted cell by cell from cell
// requests answered by the parent: text with colours in every cell, an image in three columns
// and a level bar in one. Target: under 1 ms per page.
#include "bench/ListPageSetup.h"
#include "platform/framework/Wnd.h"
#include "platform/user/Testing.h"
#include "station/controls/CQuickList.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace bench;

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

struct QuickPage {
    QuickPage()
    {
        platform::testing::use_manual_clock();
        InitCommonControls();
        parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, kColumns * kColumnWidth, 600,
            nullptr, nullptr);
        HWND const hwnd = create_list_page(parent.m_hWnd);
        list.SubclassWindow(hwnd);
        images = make_list_images();
        fill_list_page(hwnd, images);
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
