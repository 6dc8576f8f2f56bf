// What the configuration window looks like, collapsed and expanded, on a normal and a small
// screen. Each run writes the whole window as PNG files beside the test (for a person to look
// at); the button row and the expand strip are compared with small goldens, and a few probes
// check the parts that do not depend on the pages' own templates.
#include "config_window_harness.h"

#include "platform/gdi/Png.h"
#include "station/controls/ShadePatterns.h"

#include <filesystem>

using station::testing::ConfigWindowTest;

namespace {

// A copy of part of a window's client area, for a golden of that part alone.
class Crop {
public:
    Crop(CWnd& window, CRect const& rect)
    {
        HDC const source = ::GetDC(window.m_hWnd);
        m_dc = ::CreateCompatibleDC(source);
        m_bitmap = ::CreateCompatibleBitmap(source, rect.Width(), rect.Height());
        m_old = ::SelectObject(m_dc, m_bitmap);
        ::BitBlt(m_dc, 0, 0, rect.Width(), rect.Height(), source, rect.left, rect.top, SRCCOPY);
        ::ReleaseDC(window.m_hWnd, source);
    }
    ~Crop()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc {};
    HBITMAP m_bitmap {};
    HGDIOBJ m_old {};
};

// Beside the test binary, wherever it is started from, for review by eye.
std::string snapshot_path(std::string const& name)
{
    std::filesystem::path const folder = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "config_window_snapshots";
    std::filesystem::create_directories(folder);
    return (folder / (name + ".png")).string();
}

COLORREF client_pixel(CWnd& window, int x, int y)
{
    HDC const dc = ::GetDC(window.m_hWnd);
    COLORREF const colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window.m_hWnd, dc);
    return colour;
}

}

TEST_F(ConfigWindowTest, SnapshotsCollapsedAndExpandedOnNormalAndSmallScreens)
{
    help_file();
    for (int desktop : { 768, 600 }) {
        bool const small = desktop < 660;
        std::string const screen = small ? "small" : "normal";
        SCOPED_TRACE(screen);
        platform::user::set_desktop_size(1024, desktop);
        station::controls::seed_shade_rand(1);
        with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
            platform::testing::pump_until_idle();
            HDC const whole = ::GetWindowDC(window.m_hWnd);
            EXPECT_TRUE(platform::gdi::write_png(whole, snapshot_path(screen + "-collapsed")));
            CRect host;
            window.page_host()->GetClientRect(&host);
            CRect const slot = template_rect(window, CVxUI2008Dlg::IDC_SLOT);
            int const row_height = slot.Height() - (small ? 40 : 0);
            {
                Crop const row(*window.page_host(), CRect(0, 0, host.Width(), row_height));
                EXPECT_TRUE(platform::gdi::testing::matches_golden(row.dc(),
                    std::string(WINDOW_GOLDEN_DIR) + "/row-" + screen + ".png"));
            }
            window.ToggleExpand();
            platform::testing::pump_until_idle();
            EXPECT_TRUE(platform::gdi::write_png(whole, snapshot_path(screen + "-expanded")));
            ::ReleaseDC(window.m_hWnd, whole);

            // The expand strip: the window's face around the expand (and minimise) button. Their
            // grain comes from the generator every shaded button draws from, so the faces are
            // made again from a pinned sequence with the window's shade (2, 8, 10, no colours):
            // the strip does not change when a button is added anywhere else.
            station::controls::seed_shade_rand(1);
            for (CShadeButtonST* button : { &window.expand_button(), &window.minimise_button() }) {
                button->ConfigureShading(2, 8, 10, 0, 0, 0, 0);
                button->Invalidate();
            }
            platform::testing::pump_until_idle();
            CRect expand;
            window.expand_button().GetWindowRect(&expand);
            window.ScreenToClient(&expand);
            CRect client;
            window.GetClientRect(&client);
            CRect const strip(0, expand.top - 1, client.Width(), expand.bottom + 1);
            Crop const crop(window, strip);
            EXPECT_TRUE(platform::gdi::testing::matches_golden(crop.dc(),
                std::string(WINDOW_GOLDEN_DIR) + "/expand-" + screen + ".png"));

            // Probes: the window's face left of the expand button; the shaded expand button
            // differs from it; the highlighted site survey button is tinted blue.
            COLORREF const face = ::GetSysColor(COLOR_BTNFACE);
            EXPECT_EQ(client_pixel(window, 2, expand.top + 1), face);
            EXPECT_NE(client_pixel(window, expand.left + 2, expand.top + 2), face);
            CShadeButtonST* const survey = window.kind_button(BTN_SITESURVEY);
            ASSERT_TRUE(survey->m_bHighlighted);
            COLORREF const tint = client_pixel(*survey, 2, 2);
            EXPECT_GT(GetBValue(tint), GetRValue(tint));
        });
    }
}
