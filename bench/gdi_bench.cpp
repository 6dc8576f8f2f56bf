// Drawing benchmarks: fills and blits of a window-sized surface, short DrawText calls with
// cached glyphs, and an icon drawn over and over.
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Testing.h"
#include "platform/gdi/Text.h"

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

}

BENCHMARK_MAIN();
