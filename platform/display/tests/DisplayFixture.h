// Shared set-up of the presenters' tests: a manual clock, a clean window table, surfaces of
// the test's own (solid colours per window, set by the test) and a tray model in memory.
#pragma once

#include "platform/display/Presenter.h"
#include "platform/display/SurfaceSource.h"
#include "platform/display/TraySource.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>

namespace display_test {

// Each window's surface is its window rectangle's size, filled with one colour.
class SolidSurfaces final : public platform::display::SurfaceSource {
public:
    SIZE size(HWND top) override
    {
        RECT r {};
        if (!GetWindowRect(top, &r))
            return {};
        return SIZE { r.right - r.left, r.bottom - r.top };
    }

    bool copy(HWND top, RECT const& area, std::uint32_t* out, int out_stride) override
    {
        std::lock_guard lock(m_mutex);
        auto it = m_colours.find(top);
        if (it == m_colours.end())
            return false;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                out[(y - area.top) * out_stride + (x - area.left)] = it->second;
        }
        return true;
    }

    void set_colour(HWND top, std::uint32_t colour)
    {
        std::lock_guard lock(m_mutex);
        m_colours[top] = colour;
    }

private:
    std::mutex m_mutex;
    std::map<HWND, std::uint32_t> m_colours;
};

class MemoryTray final : public platform::display::TraySource {
public:
    std::vector<platform::display::TrayIcon> icons() override
    {
        std::lock_guard lock(m_mutex);
        return m_icons;
    }
    void set(std::vector<platform::display::TrayIcon> icons)
    {
        std::lock_guard lock(m_mutex);
        m_icons = std::move(icons);
    }

private:
    std::mutex m_mutex;
    std::vector<platform::display::TrayIcon> m_icons;
};

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        surfaces = std::make_shared<SolidSurfaces>();
        tray = std::make_shared<MemoryTray>();
        platform::display::set_surface_source(surfaces);
        platform::display::set_tray_source(tray);
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = DefWindowProc;
            wc.lpszClassName = "DisplayTestWindow";
            ASSERT_NE(RegisterClass(&wc), 0);
            registered = true;
        }
    }

    void TearDown() override
    {
        platform::display::install_presenter(nullptr);
        platform::testing::reset_windows();
        platform::display::set_surface_source(nullptr);
        platform::display::set_tray_source(nullptr);
    }

    static HWND make_top(LPCSTR title, RECT r, DWORD style = WS_POPUP | WS_VISIBLE)
    {
        return CreateWindowEx(0, "DisplayTestWindow", title, style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    }

    std::shared_ptr<SolidSurfaces> surfaces;
    std::shared_ptr<MemoryTray> tray;
};

}
