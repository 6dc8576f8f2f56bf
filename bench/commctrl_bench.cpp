// List view benchmark: one visible page (30 rows x 11 columns) of an owner-data report list
// with custom draw down to the sub-items, per-cell colours, texts asked for by
// LVN_GETDISPINFO and an image in the first column. Target: under 1 ms per page.
#include "bench/ListPageSetup.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Testing.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace bench;

LRESULT parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message != WM_NOTIFY)
        return DefWindowProc(hwnd, message, wparam, lparam);
    auto* nm = reinterpret_cast<NMHDR*>(lparam);
    if (nm->code == LVN_GETDISPINFO) {
        auto* info = reinterpret_cast<NMLVDISPINFO*>(nm);
        if (info->item.mask & LVIF_TEXT)
            std::snprintf(info->item.pszText, static_cast<std::size_t>(info->item.cchTextMax), "cell %d.%d", info->item.iItem, info->item.iSubItem);
        if (info->item.mask & LVIF_IMAGE)
            info->item.iImage = info->item.iItem % 2;
    } else if (nm->code == NM_CUSTOMDRAW) {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            return CDRF_NOTIFYSUBITEMDRAW;
        cd->clrText = cd->iSubItem % 2 ? RGB(0, 0, 128) : RGB(0, 0, 0);
        cd->clrTextBk = cd->nmcd.dwItemSpec % 2 ? RGB(240, 240, 255) : RGB(255, 255, 255);
    }
    return 0;
}

struct ListPage {
    ListPage()
    {
        platform::testing::use_manual_clock();
        InitCommonControls();
        WNDCLASS wc {};
        wc.lpfnWndProc = parent_proc;
        wc.lpszClassName = "CommctrlBenchParent";
        RegisterClass(&wc);
        parent = CreateWindowEx(0, "CommctrlBenchParent", "bench", WS_POPUP | WS_VISIBLE, 0, 0, kColumns * kColumnWidth, 600,
            nullptr, nullptr, nullptr, nullptr);
        list = create_list_page(parent);
        images = make_list_images();
        fill_list_page(list, images);
        platform::testing::pump_until_idle();
    }
    ~ListPage()
    {
        DestroyWindow(parent);
        ImageList_Destroy(images);
    }
    HWND parent {};
    HWND list {};
    HIMAGELIST images {};
};

// The painting alone, into a memory DC.
void BM_ListPagePrintClient(benchmark::State& state)
{
    ListPage page;
    RECT client {};
    GetClientRect(page.list, &client);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(client.right, client.bottom, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    state.counters["rows"] = static_cast<double>(SendMessage(page.list, LVM_GETCOUNTPERPAGE, 0, 0));
    for (auto _ : state)
        SendMessage(page.list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
BENCHMARK(BM_ListPagePrintClient)->Unit(benchmark::kMicrosecond);

// The whole repaint a program sees: invalidation, WM_PAINT, BeginPaint on the window surface.
void BM_ListPageRepaint(benchmark::State& state)
{
    ListPage page;
    for (auto _ : state) {
        InvalidateRect(page.list, nullptr, TRUE);
        UpdateWindow(page.list);
    }
}
BENCHMARK(BM_ListPageRepaint)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
