#include "platform/gdi/SystemParameters.h"
#include "platform/gdi/tests/WindowTestSupport.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using platform::gdi::probe_color;
using platform::gdi::window_pixel;
namespace testing_gdi = platform::gdi::testing;
using platform::testing::pump_until_idle;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

void gradient_captions(bool on)
{
    SystemParametersInfo(SPI_SETGRADIENTCAPTIONS, 0, on ? reinterpret_cast<PVOID>(1) : nullptr, 0);
}

TEST_F(WindowPaintTest, ChildPaintsIntoTheTopLevelSurfaceAfterTheClassBrushErases)
{
    testing_gdi::use_probe_colors();
    HWND top = make_window("GdiWindowBrush", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 100, 100, 300, 250 });
    HWND child = make_window("GdiWindowBrush", kChild, { 10, 10, 60, 40 }, top);
    painters[child] = [](HWND, HDC dc) { fill(dc, { 0, 0, 5, 5 }, kRed); };
    pump_until_idle();

    POINT origin = platform::user::client_origin_in_top_level(top);
    EXPECT_EQ(origin.x, 4);
    EXPECT_EQ(origin.y, 22);
    EXPECT_EQ(client_pixel(top, 0, 0), probe_color(COLOR_WINDOW));
    EXPECT_EQ(client_pixel(top, 9, 9), probe_color(COLOR_WINDOW));
    EXPECT_EQ(client_pixel(child, 0, 0), kRed);
    EXPECT_EQ(client_pixel(child, 4, 4), kRed);
    EXPECT_EQ(client_pixel(child, 5, 5), probe_color(COLOR_WINDOW));
    EXPECT_EQ(window_pixel(top, origin.x + 10, origin.y + 10), kRed);
}

TEST_F(WindowPaintTest, ChildIsClippedByItsParentsClientArea)
{
    testing_gdi::use_probe_colors();
    HWND top = make_window("GdiWindowBrush", WS_POPUP | WS_BORDER | WS_VISIBLE, { 0, 0, 40, 30 });
    HWND child = make_window("GdiWindowBare", kChild, { -5, 20, 60, 50 }, top);
    painters[child] = [](HWND, HDC dc) { fill(dc, { -100, -100, 200, 200 }, kRed); };
    pump_until_idle();

    // The one-pixel border and everything outside the parent's client area stay the frame's.
    EXPECT_EQ(window_pixel(top, 0, 21), probe_color(COLOR_WINDOWFRAME));
    EXPECT_EQ(window_pixel(top, 39, 25), probe_color(COLOR_WINDOWFRAME));
    EXPECT_EQ(window_pixel(top, 10, 29), probe_color(COLOR_WINDOWFRAME));
    EXPECT_EQ(client_pixel(top, 0, 20), kRed);
    EXPECT_EQ(client_pixel(top, 37, 27), kRed);
    EXPECT_EQ(client_pixel(top, 10, 19), probe_color(COLOR_WINDOW));
}

TEST_F(WindowPaintTest, ClipChildrenKeepsTheParentOffItsChildren)
{
    testing_gdi::use_probe_colors();
    HWND top = make_window("GdiWindowBare", WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE, { 0, 0, 40, 30 });
    HWND child = make_window("GdiWindowBrush", kChild, { 10, 10, 20, 20 }, top);
    pump_until_idle();

    HDC dc = GetDC(top);
    fill(dc, { 0, 0, 40, 30 }, kBlue);
    ReleaseDC(top, dc);
    EXPECT_EQ(client_pixel(top, 9, 9), kBlue);
    EXPECT_EQ(client_pixel(top, 20, 20), kBlue);
    EXPECT_EQ(client_pixel(child, 0, 0), probe_color(COLOR_WINDOW));
    EXPECT_EQ(client_pixel(child, 9, 9), probe_color(COLOR_WINDOW));
}

TEST_F(WindowPaintTest, PaintIsClippedToTheUpdateRegion)
{
    HWND top = make_window("GdiWindowBare", WS_POPUP | WS_VISIBLE, { 0, 0, 40, 30 });
    pump_until_idle();
    painters[top] = [](HWND, HDC dc) { fill(dc, { 0, 0, 40, 30 }, kRed); };
    HRGN area = CreateRectRgn(5, 5, 10, 10);
    HRGN second = CreateRectRgn(20, 20, 25, 22);
    CombineRgn(area, area, second, RGN_OR);
    ASSERT_TRUE(InvalidateRgn(top, area, FALSE));

    HRGN update = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(top, update, FALSE), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(update, area));
    ASSERT_TRUE(ValidateRgn(top, second));
    EXPECT_EQ(GetUpdateRgn(top, update, FALSE), SIMPLEREGION);
    pump_until_idle();

    EXPECT_EQ(client_pixel(top, 5, 5), kRed);
    EXPECT_EQ(client_pixel(top, 9, 9), kRed);
    EXPECT_EQ(client_pixel(top, 10, 9), RGB(0, 0, 0));
    EXPECT_EQ(client_pixel(top, 20, 20), RGB(0, 0, 0));
    EXPECT_EQ(GetUpdateRgn(top, update, FALSE), NULLREGION);

    // RedrawWindow with a region invalidates exactly that region.
    painters[top] = [](HWND, HDC dc) { fill(dc, { 0, 0, 40, 30 }, kBlue); };
    RedrawWindow(top, nullptr, second, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(client_pixel(top, 20, 20), kBlue);
    EXPECT_EQ(client_pixel(top, 5, 5), kRed);
    for (HRGN r : { area, second, update })
        DeleteObject(r);
}

TEST_F(WindowPaintTest, DialogBackgroundIsButtonFace)
{
    testing_gdi::use_probe_colors();
    HWND dialog = make_window("#32770", WS_POPUP | WS_CAPTION | WS_VISIBLE, { 0, 0, 60, 50 });
    ASSERT_NE(dialog, nullptr);
    pump_until_idle();
    EXPECT_EQ(client_pixel(dialog, 0, 0), probe_color(COLOR_BTNFACE));
    EXPECT_EQ(client_pixel(dialog, 53, 24), probe_color(COLOR_BTNFACE));
}

TEST_F(WindowPaintTest, WindowWithoutClassBrushIsNotErased)
{
    HWND top = make_window("GdiWindowBare", WS_POPUP | WS_VISIBLE, { 0, 0, 20, 20 });
    pump_until_idle();
    HDC dc = GetDC(top);
    fill(dc, { 0, 0, 20, 20 }, kBlue);
    ReleaseDC(top, dc);
    InvalidateRect(top, nullptr, TRUE);
    pump_until_idle();
    EXPECT_EQ(client_pixel(top, 3, 3), kBlue);
}

TEST_F(WindowPaintTest, FrameShowsActivationTitleAndSize)
{
    testing_gdi::use_probe_colors();
    gradient_captions(false);
    HWND first = make_window("GdiWindowBrush", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 120, 80 }, nullptr, 0, "one");
    pump_until_idle();
    EXPECT_EQ(window_pixel(first, 0, 0), probe_color(COLOR_3DLIGHT));
    EXPECT_EQ(window_pixel(first, 119, 79), probe_color(COLOR_3DDKSHADOW));
    EXPECT_EQ(window_pixel(first, 2, 2), probe_color(COLOR_ACTIVEBORDER));
    EXPECT_EQ(window_pixel(first, 5, 5), probe_color(COLOR_ACTIVECAPTION));
    EXPECT_EQ(window_pixel(first, 5, 21), probe_color(COLOR_BTNFACE));

    HWND second = make_window("GdiWindowBrush", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 50, 50, 150, 130 });
    pump_until_idle();
    ASSERT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(window_pixel(first, 5, 5), probe_color(COLOR_INACTIVECAPTION));
    EXPECT_EQ(window_pixel(first, 2, 2), probe_color(COLOR_INACTIVEBORDER));

    auto title_pixels = [&] {
        int n = 0;
        for (int y = 4; y < 21; ++y)
            for (int x = 4; x < 60; ++x)
                n += window_pixel(first, x, y) == probe_color(COLOR_INACTIVECAPTIONTEXT);
        return n;
    };
    int short_title = title_pixels();
    EXPECT_GT(short_title, 0);
    SetWindowText(first, "one two three");
    EXPECT_GT(title_pixels(), short_title);

    MoveWindow(first, 0, 0, 160, 100, TRUE);
    pump_until_idle();
    EXPECT_EQ(platform::gdi::window_surface(first)->width(), 160);
    EXPECT_EQ(window_pixel(first, 159, 99), probe_color(COLOR_3DDKSHADOW));
    EXPECT_EQ(client_pixel(first, 150, 73), probe_color(COLOR_WINDOW));
}

// The activation redraws both frames as it moves, without anyone reading the surfaces, and
// the redrawn frames reach the damage hook; a DC that only reads reports nothing.
TEST_F(WindowPaintTest, ActivationRedrawsTheFramesAndReportsThem)
{
    testing_gdi::use_probe_colors();
    gradient_captions(false);
    std::vector<std::pair<HWND, RECT>> damage;
    platform::gdi::set_window_damage_hook([&](HWND top, RECT const& area) { damage.emplace_back(top, area); });
    struct Unhook {
        ~Unhook() { platform::gdi::set_window_damage_hook(nullptr); }
    } unhook;
    HWND first = make_window("GdiWindowBrush", WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 120, 80 });
    HWND second = make_window("GdiWindowBrush", WS_OVERLAPPEDWINDOW, { 50, 50, 150, 130 });
    pump_until_idle();
    auto caption = [](HWND hwnd) {
        auto surface = platform::gdi::WindowSurfaces::the().surface_of(hwnd); // raw: no frame refresh
        return platform::gdi::colorref_from_pixel(surface->pixel(5, 5));
    };
    ASSERT_EQ(caption(first), probe_color(COLOR_ACTIVECAPTION));

    damage.clear();
    ShowWindow(second, SW_SHOW);
    EXPECT_EQ(caption(first), probe_color(COLOR_INACTIVECAPTION));
    EXPECT_EQ(caption(second), probe_color(COLOR_ACTIVECAPTION));
    auto reported = [&](HWND hwnd, RECT whole) {
        return std::any_of(damage.begin(), damage.end(), [&](auto const& d) { return d.first == hwnd && EqualRect(&d.second, &whole); });
    };
    EXPECT_TRUE(reported(first, RECT { 0, 0, 120, 80 }));
    EXPECT_TRUE(reported(second, RECT { 0, 0, 100, 80 }));

    pump_until_idle();
    damage.clear();
    SetActiveWindow(first);
    EXPECT_EQ(caption(first), probe_color(COLOR_ACTIVECAPTION));
    EXPECT_EQ(caption(second), probe_color(COLOR_INACTIVECAPTION));
    EXPECT_EQ(damage.size(), 2u) << "one redrawn frame each";

    damage.clear();
    HDC dc = GetWindowDC(first);
    GetPixel(dc, 5, 5);
    ReleaseDC(first, dc);
    EXPECT_TRUE(damage.empty());
}

TEST_F(WindowPaintTest, SurfacesFollowTopLevelWindowsOnly)
{
    std::size_t before = platform::gdi::WindowSurfaces::the().count();
    HWND top = make_window("GdiWindowBrush", WS_POPUP, { 0, 0, 30, 20 });
    HWND child = make_window("GdiWindowBrush", kChild, { 0, 0, 5, 5 }, top);
    // A hidden window has no surface until it is shown (or painted, or read).
    EXPECT_EQ(platform::gdi::WindowSurfaces::the().count(), before);
    ShowWindow(top, SW_SHOWNA);
    EXPECT_EQ(platform::gdi::WindowSurfaces::the().count(), before + 1);
    EXPECT_EQ(platform::gdi::window_surface(child), platform::gdi::window_surface(top));
    DestroyWindow(top);
    EXPECT_EQ(platform::gdi::WindowSurfaces::the().count(), before);
    EXPECT_EQ(window_pixel(top, 0, 0), CLR_INVALID);
}

// A window past the largest surface gets none (and paints nothing) instead of gigabytes of
// pixels; one at the bound still gets its surface.
TEST_F(WindowPaintTest, AWindowLargerThanTheLargestSurfaceIsRefused)
{
    struct Case {
        RECT rect;
        bool surface;
    };
    constexpr int kMax = platform::gdi::kMaxSurfaceSide;
    constexpr Case cases[] = {
        { { 0, 0, kMax, 1 }, true },
        { { 0, 0, kMax + 1, 1 }, false },
        { { 0, 0, 1, kMax + 1 }, false },
        { { -2000000000, 0, 100, 10 }, false },
        { { 0, 0, 10, 2000000000 }, false },
    };
    testing::internal::CaptureStderr();
    for (auto const& c : cases) {
        HWND top = make_window("GdiWindowBrush", WS_POPUP | WS_VISIBLE, c.rect);
        pump_until_idle();
        EXPECT_EQ(platform::gdi::window_surface(top) != nullptr, c.surface) << c.rect.right << " x " << c.rect.bottom;
        DestroyWindow(top);
    }
    std::string const said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("pixels refused: larger than 16384 x 16384"), std::string::npos) << said;
}

TEST_F(WindowPaintTest, WindowDcCoversTheFrameAndClientDcStartsAtTheClient)
{
    HWND top = make_window("GdiWindowBare", WS_POPUP | WS_BORDER | WS_VISIBLE, { 0, 0, 20, 20 });
    pump_until_idle();
    HDC whole = GetWindowDC(top);
    SetPixel(whole, 0, 0, kRed);
    ReleaseDC(top, whole);
    HDC client = GetDC(top);
    SetPixel(client, 0, 0, kBlue);
    SetPixel(client, -1, 5, kBlue); // on the border: clipped
    RECT box;
    EXPECT_EQ(GetClipBox(client, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 18);
    ReleaseDC(top, client);
    EXPECT_EQ(window_pixel(top, 0, 0), kRed);
    EXPECT_EQ(window_pixel(top, 1, 1), kBlue);
    EXPECT_NE(window_pixel(top, 0, 6), kBlue);

    HRGN cut = CreateRectRgn(0, 0, 4, 4);
    HDC limited = GetDCEx(top, cut, DCX_EXCLUDERGN);
    SetPixel(limited, 2, 2, kRed);
    SetPixel(limited, 5, 5, kRed);
    ReleaseDC(top, limited);
    DeleteObject(cut);
    EXPECT_NE(client_pixel(top, 2, 2), kRed);
    EXPECT_EQ(client_pixel(top, 5, 5), kRed);
}

TEST_F(WindowPaintTest, DcHeldWhileItsWindowShrinksStaysInsideTheSurface)
{
    HWND top = make_window("GdiWindowBare", WS_POPUP | WS_VISIBLE, { 0, 0, 60, 40 });
    pump_until_idle();
    HDC dc = GetDC(top);
    fill(dc, { 0, 0, 60, 40 }, kBlue);
    MoveWindow(top, 0, 0, 20, 10, FALSE);
    fill(dc, { 0, 0, 60, 40 }, kRed);
    ReleaseDC(top, dc);
    EXPECT_EQ(client_pixel(top, 19, 9), kRed);
    EXPECT_EQ(platform::gdi::window_surface(top)->width(), 20);
}

TEST_F(WindowPaintTest, SetSysColorsTellsTopLevelWindowsAndRepaints)
{
    testing_gdi::use_probe_colors();
    HWND top = make_window("GdiWindowBrush", WS_POPUP | WS_VISIBLE, { 0, 0, 20, 20 });
    HWND child = make_window("GdiWindowBrush", kChild, { 0, 0, 5, 5 }, top);
    pump_until_idle();
    INT index = COLOR_WINDOW;
    COLORREF colour = RGB(1, 2, 3);
    ASSERT_TRUE(SetSysColors(1, &index, &colour));
    EXPECT_EQ(count_of(top, WM_SYSCOLORCHANGE), 1);
    EXPECT_EQ(count_of(child, WM_SYSCOLORCHANGE), 0);
    pump_until_idle();
    EXPECT_EQ(client_pixel(top, 10, 10), colour);
    EXPECT_EQ(client_pixel(child, 1, 1), colour);
}

TEST_F(WindowPaintTest, SystemParametersAnswerMetricsAndGradientCaptions)
{
    NONCLIENTMETRICS metrics {};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, "Tahoma");
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, -11);
    EXPECT_EQ(metrics.lfCaptionFont.lfWeight, 700);
    EXPECT_EQ(metrics.iCaptionHeight, 18);

    std::strcpy(metrics.lfMenuFont.lfFaceName, "Trebuchet MS");
    ASSERT_TRUE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    NONCLIENTMETRICS older {};
    older.cbSize = sizeof older - sizeof(int); // without iPaddedBorderWidth
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, older.cbSize, &older, 0));
    EXPECT_STREQ(older.lfMenuFont.lfFaceName, "Trebuchet MS");
    NONCLIENTMETRICS bad {};
    bad.cbSize = 12;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 12, &bad, 0));

    BOOL gradient = FALSE;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0));
    EXPECT_TRUE(gradient);
    gradient_captions(false);
    ASSERT_TRUE(SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0));
    EXPECT_FALSE(gradient);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, nullptr, 0));
}

// Whole windows against small checked-in PNGs, in the classic colours. Set
// ZORVEL_UPDATE_GOLDENS=1 to rewrite them after a deliberate change of the look.
TEST_F(WindowPaintTest, CaptionedWindowWithChildrenMatchesGolden)
{
    HWND top = make_window("GdiWindowBare", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, { 0, 0, 96, 64 }, nullptr,
        0, "Gdi");
    HWND edit = make_window("GdiWindowBrush", kChild, { 6, 6, 60, 24 }, top, WS_EX_CLIENTEDGE);
    HWND panel = make_window("GdiWindowBare", kChild, { 6, 28, 84, 38 }, top, WS_EX_STATICEDGE);
    painters[top] = [](HWND, HDC dc) {
        RECT all { 0, 0, 96, 64 };
        FillRect(dc, &all, sys_brush_handle(COLOR_BTNFACE));
    };
    painters[edit] = [](HWND, HDC dc) {
        SetBkMode(dc, TRANSPARENT);
        TextOut(dc, 1, 0, "ab", 2);
    };
    painters[panel] = [](HWND, HDC dc) { fill(dc, { 0, 0, 78, 10 }, RGB(0, 128, 0)); };
    pump_until_idle();
    EXPECT_TRUE(testing_gdi::matches_golden(top, GDI_TEST_DIR "/goldens/captioned_window.png"));
}

TEST_F(WindowPaintTest, InactiveToolWindowMatchesGolden)
{
    gradient_captions(false);
    HWND tool = make_window("GdiWindowBrush", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_VISIBLE,
        { 0, 0, 80, 48 }, nullptr, WS_EX_TOOLWINDOW, "A long tool title");
    HWND other = make_window("GdiWindowBrush", WS_POPUP | WS_VISIBLE, { 100, 0, 110, 10 });
    pump_until_idle();
    ASSERT_EQ(GetActiveWindow(), other);
    EXPECT_TRUE(testing_gdi::matches_golden(tool, GDI_TEST_DIR "/goldens/inactive_tool_window.png"));
}

}
