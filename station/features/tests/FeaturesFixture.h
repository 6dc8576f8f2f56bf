// Shared set-up of the feature pages' tests: a manual clock, a clean window table, the pinned
// font and classic colours, the station utility's own resource file, and the parent the pages
// are created in: the configuration window's page host (template 142) inside a plain frame.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"

#include <gtest/gtest.h>

namespace platform::controls {
void register_control_classes();
}

class FeaturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::gdi::testing::use_test_drawing(FEATURES_TEST_FONT);
        platform::user::set_desktop_size(1024, 768);
        platform::controls::register_control_classes();
        ASSERT_TRUE(platform::framework::load_resources(FEATURES_RESOURCES));
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE)), "frame",
            WS_POPUP | WS_VISIBLE, 0, 0, 900, 600, nullptr, nullptr));
        ASSERT_TRUE(parent.Create(kPageHost, &frame));
        parent.ShowWindow(SW_SHOW);
        pump();
    }

    void TearDown() override
    {
        platform::testing::reset_windows();
        AfxDeleteTempMap();
    }

    static void pump() { platform::testing::pump_until_idle(); }

    static constexpr UINT kPageHost = 142;
    CWnd frame;
    CDialog parent { kPageHost };
};
