// Drawing benchmarks: fills and blits of a window-sized surface, short DrawText calls with
// cached glyphs, and an icon drawn over and over.
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Testing.h"
#include "platform/gdi/SysPaint.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/WindowSurfaces.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Target {
    Target(int width, int height)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(width, height, 1, 32, nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~Target()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

void BM_Fill800x600(benchmark::State& state)
{
    Target t(800, 600);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    RECT r { 0, 0, 800, 600 };
    for (auto _ : state)
        FillRect(t.dc, &r, brush);
    DeleteObject(brush);
}
BENCHMARK(BM_Fill800x600)->Unit(benchmark::kMicrosecond);

void BM_Blit800x600(benchmark::State& state)
{
    Target source(800, 600);
    Target target(800, 600);
    for (auto _ : state)
        BitBlt(target.dc, 0, 0, 800, 600, source.dc, 0, 0, SRCCOPY);
}
BENCHMARK(BM_Blit800x600)->Unit(benchmark::kMicrosecond);

void BM_DrawText10000(benchmark::State& state)
{
    platform::gdi::testing::set_monochrome_glyphs(false);
    Target t(400, 60);
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Shell Dlg");
    SelectObject(t.dc, font);
    SetBkMode(t.dc, TRANSPARENT);
    char const text[] = "Signal 54%"; // 10 glyphs
    RECT r { 0, 0, 400, 60 };
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i)
            DrawText(t.dc, text, 10, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    state.counters["glyphs/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 10000 * 10, benchmark::Counter::kIsRate);
    SelectObject(t.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}
BENCHMARK(BM_DrawText10000)->Unit(benchmark::kMillisecond);

// List cells: opaque background, end ellipsis, clipped to the cell, a colour per column.
void BM_DrawTextCells10000(benchmark::State& state)
{
    platform::gdi::testing::set_monochrome_glyphs(false);
    Target t(660, 60);
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Shell Dlg");
    SelectObject(t.dc, font);
    SetBkColor(t.dc, RGB(240, 240, 255));
    char const text[] = "cell 12345.10"; // 13 glyphs, cut to fit 60 pixels
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i) {
            RECT r { (i % 11) * 60, 20, (i % 11) * 60 + 60, 37 };
            SetTextColor(t.dc, i % 2 ? RGB(0, 0, 128) : RGB(0, 0, 0));
            DrawText(t.dc, text, 13, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 10000, benchmark::Counter::kIsRate);
    SelectObject(t.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}
BENCHMARK(BM_DrawTextCells10000)->Unit(benchmark::kMillisecond);

void BM_Icon32x10000(benchmark::State& state)
{
    std::vector<std::uint8_t> mask_bits(32 * 4, 0);
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, mask_bits.data());
    HBITMAP colour = CreateBitmap(32, 32, 1, 32, nullptr);
    ICONINFO info { TRUE, 0, 0, mask, colour };
    HICON icon = CreateIconIndirect(&info);
    Target t(64, 64);
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i)
            DrawIconEx(t.dc, 16, 16, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    DeleteObject(mask);
    DeleteObject(colour);
}
BENCHMARK(BM_Icon32x10000)->Unit(benchmark::kMillisecond);

LRESULT fill_on_paint(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message != WM_PAINT)
        return DefWindowProc(hwnd, message, wparam, lparam);
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    FillRect(ps.hdc, &ps.rcPaint, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
    EndPaint(hwnd, &ps);
    return 0;
}

// A whole 800 x 600 window painted through the window core: invalidate, erase with the class
// brush, WM_PAINT fills again, the frame checked on the way.
void BM_WindowRepaint800x600(benchmark::State& state)
{
    platform::testing::use_manual_clock();
    WNDCLASS wc {};
    wc.lpfnWndProc = fill_on_paint;
    wc.lpszClassName = "GdiBenchWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    RegisterClass(&wc);
    HWND hwnd = CreateWindowEx(0, "GdiBenchWindow", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
        nullptr, nullptr, nullptr);
    platform::testing::pump_until_idle();
    for (auto _ : state) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
    benchmark::DoNotOptimize(platform::gdi::window_pixel(hwnd, 10, 30));
    DestroyWindow(hwnd);
}
BENCHMARK(BM_WindowRepaint800x600)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
