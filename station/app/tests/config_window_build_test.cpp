// The configuration window: what it builds, the lower area and expanding, and a page that
// cannot be created. The program runs against the simulated world, headless, on the manual
// clock.
#include "config_window_harness.h"

#include "station/controls/CInvalidIDPW.h"
#include "station/features/Page80211nSettingDlg.h"
#include "station/features/PageExtAPDlg.h"
#include "station/features/PageWMMDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "station/survey/PageStatisticsDlg.h"

#include <cstring>

using station::testing::ConfigWindowTest;
using station::testing::Machine;

namespace {

int visible_lower_children(CVxUI2008Dlg& window)
{
    int n = 0;
    for (int i = 0; i < CVxUI2008Dlg::SUB_COUNT; ++i)
        n += ConfigWindowTest::visible(window.lower_child(i));
    return n;
}

int window_height(CWnd& window)
{
    CRect rect;
    window.GetWindowRect(&rect);
    return rect.Height();
}

// The heights the window takes, measured from its top edge as the template places the lower
// frame and the expand button, with the window's bottom frame below them: the lower frame
// ends at the client area's bottom, the expand button 2 pixels above it.
struct Heights {
    int expanded;
    int collapsed;
};

Heights expected_heights(CVxUI2008Dlg& window, bool small)
{
    CRect frame;
    CRect expand;
    CRect outer;
    window.GetWindowRect(&outer);
    window.GetDlgItem(CVxUI2008Dlg::IDC_LOWER_FRAME)->GetWindowRect(&frame);
    window.expand_button().GetWindowRect(&expand);
    CRect client;
    window.GetClientRect(&client);
    window.ClientToScreen(&client);
    int const border = outer.bottom - client.bottom;
    int const cut = small ? 40 : 0;
    if (small)
        return { frame.bottom - outer.top - cut + border, frame.top - outer.top - cut + 5 + border };
    return { frame.bottom - outer.top + border, expand.bottom - outer.top + 2 + border };
}

}

TEST_F(ConfigWindowTest, BuildsHostPagesButtonsAndHiddenLowerChildren)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        EXPECT_TRUE(visible(&window));
        ASSERT_NE(window.page_host(), nullptr);
        EXPECT_TRUE(visible(window.page_host()));
        EXPECT_EQ(window.page_host()->GetParent(), &window);
        // Every kind of the full sequence is registered; the arrows are the two extra buttons
        // besides radio and help.
        EXPECT_EQ(window.page_host()->page_count(), 11);
        EXPECT_EQ(window.page_host()->button_count(), 4);
        for (int kind = 0; kind < BTN_KIND_COUNT; ++kind) {
            SCOPED_TRACE(kind);
            ASSERT_NE(window.kind_button(kind), nullptr);
            EXPECT_EQ(window.kind_button(kind)->m_nKind, kind);
            EXPECT_EQ(window.kind_button(kind)->GetParent(), window.page_host());
        }
        CWnd* const pages[] = { window.m_pPageProfileDlg, window.site_survey_page(), window.m_pPageStatisticsDlg,
            window.m_pPageWMMDlg, window.m_pPage80211nSettingDlg, window.m_pPageWPSDlg, window.m_pPageExtAPDlg };
        int shown = 0;
        for (CWnd* page : pages) {
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(page->GetParent(), window.page_host());
            shown += visible(page);
        }
        // Showing the window pressed the site survey button: its page alone is shown.
        EXPECT_EQ(shown, 1);
        EXPECT_TRUE(visible(window.site_survey_page()));
        EXPECT_TRUE(window.kind_button(BTN_SITESURVEY)->m_bHighlighted);
        EXPECT_FALSE(window.kind_button(BTN_PROFILE)->m_bHighlighted);
        // The WPS page knows the lower frame.
        EXPECT_EQ(window.m_pPageWPSDlg->GetPageRect(), template_rect(window, CVxUI2008Dlg::IDC_LOWER_FRAME));
        for (int i = 0; i < CVxUI2008Dlg::SUB_COUNT; ++i) {
            SCOPED_TRACE(i);
            ASSERT_NE(window.lower_child(i), nullptr);
            EXPECT_EQ(window.lower_child(i)->GetParent(), &window);
            CRect rect;
            window.lower_child(i)->GetWindowRect(&rect);
            window.ScreenToClient(&rect);
            EXPECT_EQ(rect, template_rect(window, CVxUI2008Dlg::IDC_LOWER_FRAME));
        }
        // Link status alone, and the window opens collapsed.
        EXPECT_EQ(visible_lower_children(window), 1);
        EXPECT_TRUE(visible(window.lower_child(CVxUI2008Dlg::SUB_LINK_STATUS)));
        EXPECT_FALSE(window.expanded());
        EXPECT_EQ(window_height(window), expected_heights(window, false).collapsed);
        EXPECT_TRUE(window.m_bShown);
        EXPECT_EQ(dialog.m_pVxUI, &window);
    });
}

TEST_F(ConfigWindowTest, ShowSubDialogShowsOneChildAndExpands)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        Heights const heights = expected_heights(window, false);
        // Link status is already shown: asking for it changes nothing, collapsed stays so.
        window.ShowSubDialog(CVxUI2008Dlg::SUB_LINK_STATUS);
        EXPECT_FALSE(window.expanded());
        EXPECT_EQ(window_height(window), heights.collapsed);
        for (int index = 1; index <= 12; ++index) {
            SCOPED_TRACE(index);
            window.ShowSubDialog(index);
            EXPECT_TRUE(window.expanded());
            EXPECT_EQ(window_height(window), heights.expanded);
            EXPECT_EQ(window.current_sub_dialog(), index);
            EXPECT_EQ(visible_lower_children(window), 1);
            // An index outside 1 to 11 is link status.
            int const shown = index > 11 ? CVxUI2008Dlg::SUB_LINK_STATUS : index;
            EXPECT_TRUE(visible(window.lower_child(shown)));
        }
        window.ShowSubDialog(CVxUI2008Dlg::SUB_AP_DETAIL);
        window.ToggleExpand();
        window.ShowSubDialog(CVxUI2008Dlg::SUB_LINK_STATUS);
        EXPECT_TRUE(window.expanded());
        EXPECT_TRUE(visible(window.lower_child(CVxUI2008Dlg::SUB_LINK_STATUS)));
    });
}

TEST_F(ConfigWindowTest, ToggleExpandHeightsOnNormalAndSmallScreens)
{
    for (int desktop : { 768, 600 }) {
        SCOPED_TRACE(desktop);
        platform::user::set_desktop_size(1024, desktop);
        with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
            bool const small = desktop < 660;
            ASSERT_EQ(G_bHideTabIcon, small ? TRUE : FALSE);
            Heights const heights = expected_heights(window, small);
            EXPECT_EQ(window_height(window), heights.collapsed);
            if (!small) {
                // The expand button keeps a margin above the window's bottom frame.
                CRect expand;
                window.expand_button().GetWindowRect(&expand);
                CRect client;
                window.GetClientRect(&client);
                window.ClientToScreen(&client);
                EXPECT_EQ(client.bottom - expand.bottom, 2);
            }
            // The expand button is the command 1012.
            window.expand_button().SendMessage(BM_CLICK);
            EXPECT_TRUE(window.expanded());
            EXPECT_EQ(window_height(window), heights.expanded);
            window.ToggleExpand();
            EXPECT_FALSE(window.expanded());
            EXPECT_EQ(window_height(window), heights.collapsed);
            // Small screens: no caption, a minimise button, no icons on the row, arrow texts.
            EXPECT_EQ((window.GetStyle() & WS_CAPTION) != 0, !small);
            EXPECT_EQ(visible(&window.minimise_button()), small);
            EXPECT_EQ(window.kind_button(BTN_PROFILE)->hover_icon() == nullptr, small);
            CString arrow;
            window.left_arrow()->GetWindowText(arrow);
            EXPECT_EQ(std::string(arrow.GetString()), small ? "<==" : "");
            // The whole expanded window fits the small screen.
            EXPECT_LE(heights.expanded, desktop);
            // The minimise button hides the window; the program goes on.
            if (small) {
                window.minimise_button().SendMessage(BM_CLICK);
                EXPECT_FALSE(visible(&window));
                EXPECT_TRUE(::IsWindow(window.m_hWnd));
            }
        });
    }
}

TEST_F(ConfigWindowTest, PageThatCannotBeCreatedStopsTheRestButTheWindowStaysUp)
{
    // The statistics page (kind 3) has no template: the pages after it, the rest of the row
    // and the lower children are never made.
    platform::framework::set_resources(resources_without(115));
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        EXPECT_TRUE(visible(&window));
        EXPECT_NE(window.m_pPageProfileDlg, nullptr);
        EXPECT_NE(window.site_survey_page(), nullptr);
        EXPECT_EQ(window.m_pPageWMMDlg, nullptr);
        EXPECT_EQ(window.m_pPageWPSDlg, nullptr);
        EXPECT_EQ(window.right_arrow(), nullptr);
        EXPECT_EQ(window.m_pLinkStatusDlg, nullptr);
        EXPECT_EQ(window.lower_child(CVxUI2008Dlg::SUB_LINK_STATUS), nullptr);
        // Showing it again and asking for lower children does no harm.
        window.ShowSubDialog(CVxUI2008Dlg::SUB_AP_DETAIL);
        window.ShoworHideSTAButton();
        dialog.ShowConfigUI();
        EXPECT_TRUE(visible(&window));
    });
}

TEST_F(ConfigWindowTest, WindowWithoutItsTemplateIsNotKept)
{
    platform::framework::set_resources(resources_without(CVxUI2008Dlg::IDD));
    bool ran = false;
    on_running([&](CHideDlg& dialog) {
        ran = true;
        EXPECT_EQ(dialog.m_pVxUI, nullptr);
        dialog.SendMessage(WM_COMMAND, ID_TRAY_LAUNCH);
        EXPECT_EQ(dialog.m_pVxUI, nullptr);
    });
    run();
    EXPECT_TRUE(ran);
}

TEST_F(ConfigWindowTest, FirstWindowLearnsTheActiveProfile)
{
    struct Active {
        static int name(char* out)
        {
            std::strcpy(out, "Office");
            return VXWL_ERROR_SUCCESS;
        }
    };
    with_window(
        [&](CHideDlg& dialog, CVxUI2008Dlg& window) {
            ASSERT_NE(window.m_pPageProfileDlg, nullptr);
            EXPECT_EQ(std::string(window.m_pPageProfileDlg->m_strProfile.GetString()), "Office");
            EXPECT_TRUE(window.m_pPageProfileDlg->m_bActiveProfile);
            // A window made again after its window went is not told again.
            window.DestroyWindow();
            dialog.ShowConfigUI();
            ASSERT_NE(dialog.m_pVxUI, nullptr);
            EXPECT_TRUE(visible(dialog.m_pVxUI));
            EXPECT_EQ(dialog.m_pVxUI->m_pPageProfileDlg->m_strProfile.GetLength(), 0);
        },
        [](CHideDlg&) { G_VxWlLib.VXWL_ReadActiveProfileName.bind(&Active::name); });
}

TEST_F(ConfigWindowTest, DeletingTheWindowClosesWhatTheHiddenDialogStillShows)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg&) {
        HWND const owned = ::CreateWindowEx(0, "Static", "prompt", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, dialog.m_hWnd,
            nullptr, nullptr, nullptr);
        HWND const stranger = ::CreateWindowEx(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr,
            nullptr, nullptr, nullptr);
        ASSERT_TRUE(::IsWindow(owned));
        g_bExitingUI = TRUE;
        dialog.m_pVxUI->DestroyWindow();
        delete dialog.m_pVxUI;
        dialog.m_pVxUI = nullptr;
        platform::testing::pump_until_idle();
        EXPECT_FALSE(::IsWindow(owned));
        EXPECT_TRUE(::IsWindow(stranger));
        ::DestroyWindow(stranger);
    });
}
