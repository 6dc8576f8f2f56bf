// The page-button layout of the configuration window: which buttons the row shows in which
// slot, the arrows and reserved buttons, scrolling, and the buttons a computer or user cannot
// use. Slots and arrows are measured in pixels from the window's own template.
#include "config_window_harness.h"

#include "station/features/Page80211nSettingDlg.h"
#include "station/features/PageExtAPDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

using station::testing::ConfigWindowTest;
using station::testing::Machine;

namespace {

struct Row {
    int slot_width;
    int slot_height;
    int arrow_width;
};

Row row_of(CVxUI2008Dlg& window)
{
    CRect const slot = ConfigWindowTest::template_rect(window, CVxUI2008Dlg::IDC_SLOT);
    CRect const left = ConfigWindowTest::template_rect(window, CVxUI2008Dlg::IDC_LEFT_AREA);
    return { slot.Width(), slot.Height(), left.Width() };
}

std::vector<int> orders_of(CVxUI2008Dlg& window, std::vector<int> const& kinds)
{
    std::vector<int> orders;
    for (int kind : kinds)
        orders.push_back(window.kind_button(kind)->m_nOrder);
    return orders;
}

// The button of each kind sits in the slot given (1 to 8), the row starting after `offset`.
void expect_slots(CVxUI2008Dlg& window, std::vector<std::pair<int, int>> const& kind_slots, int offset)
{
    Row const row = row_of(window);
    for (auto const& [kind, slot] : kind_slots) {
        SCOPED_TRACE(std::string(kind >= 0 ? "kind " : "arrow ") + std::to_string(kind));
        CShadeButtonST* const button = window.kind_button(kind);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(ConfigWindowTest::visible(button));
        EXPECT_EQ(ConfigWindowTest::in_host(window, button),
            CRect(CPoint((slot - 1) * row.slot_width + offset, 0), CSize(row.slot_width, row.slot_height)));
    }
}

}

TEST_F(ConfigWindowTest, SevenButtonsLeaveTheFirstSlotEmptyAndRestoreTheirOrders)
{
    std::vector<int> const kinds { 0, 1, 2, 3, 4, 5, 10 };
    options("0,1,2,3,4,5,10");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        expect_slots(window, { { 0, 2 }, { 1, 3 }, { 2, 4 }, { 3, 5 }, { 4, 6 }, { 5, 7 }, { 10, 8 } }, 0);
        EXPECT_EQ(orders_of(window, kinds), (std::vector<int> { 1, 2, 3, 4, 5, 6, 7 }));
        EXPECT_FALSE(visible(window.left_arrow()));
        EXPECT_FALSE(visible(window.right_arrow()));
        Row const row = row_of(window);
        // Reserved button 1 lies beneath the button of slot 8, reserved button 2 right of it.
        EXPECT_TRUE(visible(window.reserved_button(0)));
        EXPECT_TRUE(visible(window.reserved_button(1)));
        EXPECT_EQ(in_host(window, window.reserved_button(0)).left, 7 * row.slot_width);
        EXPECT_EQ(in_host(window, window.reserved_button(1)).left, 8 * row.slot_width);
        // Kinds left out of the sequence keep a hidden button and page, unregistered.
        EXPECT_FALSE(visible(window.kind_button(BTN_RADIO)));
        EXPECT_EQ(window.page_host()->page_count(), 7);
    });
}

TEST_F(ConfigWindowTest, EightButtonsFillTheSlotsWithoutArrows)
{
    options("0,1,2,3,4,5,9,10");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        expect_slots(window, { { 0, 1 }, { 1, 2 }, { 2, 3 }, { 3, 4 }, { 4, 5 }, { 5, 6 }, { 9, 7 }, { 10, 8 } }, 0);
        EXPECT_FALSE(visible(window.left_arrow()));
        EXPECT_FALSE(visible(window.right_arrow()));
        EXPECT_TRUE(visible(window.reserved_button(0)));
        EXPECT_FALSE(visible(window.reserved_button(1)));
        EXPECT_EQ(in_host(window, window.reserved_button(0)).left, 8 * row_of(window).slot_width);
    });
}

TEST_F(ConfigWindowTest, ElevenButtonsScrollWithTheArrows)
{
    // CCX shown on the newest systems, the help document beside the program: nothing hides.
    options("0,1,2,3,4,5,7,8,9,10,11", { { "CCXForWin7", "1" } });
    help_file();
    std::vector<int> const kinds { 0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11 };
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        Row const row = row_of(window);
        expect_slots(window, { { 0, 1 }, { 1, 2 }, { 7, 7 }, { 8, 8 } }, row.arrow_width);
        for (int kind : { 9, 10, 11 }) {
            EXPECT_FALSE(visible(window.kind_button(kind)));
            EXPECT_FALSE(enabled(window.kind_button(kind)));
        }
        CShadeButtonST* const left = window.left_arrow();
        CShadeButtonST* const right = window.right_arrow();
        EXPECT_TRUE(visible(left));
        EXPECT_TRUE(visible(right));
        EXPECT_FALSE(enabled(left));
        EXPECT_TRUE(enabled(right));
        EXPECT_EQ(in_host(window, left), template_rect(window, CVxUI2008Dlg::IDC_LEFT_AREA));
        EXPECT_EQ(in_host(window, right).left, template_rect(window, CVxUI2008Dlg::IDC_RIGHT_AREA).left);
        EXPECT_FALSE(visible(window.reserved_button(0)));

        for (int press = 1; press <= 3; ++press) {
            SCOPED_TRACE(press);
            right->SendMessage(BM_CLICK);
            EXPECT_TRUE(enabled(left));
            EXPECT_EQ(enabled(right), press < 3);
        }
        EXPECT_EQ(orders_of(window, kinds), (std::vector<int> { -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8 }));
        expect_slots(window, { { 3, 1 }, { 11, 8 } }, row.arrow_width);
        EXPECT_FALSE(visible(window.kind_button(0)));
        EXPECT_FALSE(visible(window.kind_button(2)));

        for (int press = 1; press <= 3; ++press)
            left->SendMessage(BM_CLICK);
        EXPECT_FALSE(enabled(left));
        EXPECT_TRUE(enabled(right));
        EXPECT_EQ(orders_of(window, kinds), (std::vector<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 }));
        expect_slots(window, { { 0, 1 } }, row.arrow_width);
    });
}

TEST_F(ConfigWindowTest, HostedNetworkSingleSignOnCcxAndHelpHideAndGetTheirOrdersBack)
{
    // Newest system, administrator, hosted-network button to hide, single sign-on not
    // available, CCX not shown on this system, no help document.
    options("0,1,6,7,11,12,3");
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        ASSERT_TRUE(dialog.m_bHideAPButton);
        for (int kind : { 6, 7, 11, 12 }) {
            SCOPED_TRACE(kind);
            EXPECT_FALSE(visible(window.kind_button(kind)));
        }
        // Three buttons remain, moved up by one slot.
        expect_slots(window, { { 0, 2 }, { 1, 3 }, { 3, 4 } }, 0);
        EXPECT_EQ(in_host(window, window.reserved_button(0)).left, 3 * row_of(window).slot_width);
        EXPECT_EQ(orders_of(window, { 0, 1, 6, 7, 11, 12, 3 }), (std::vector<int> { 1, 2, 3, 4, 5, 6, 7 }));

        // Each one comes back when its reason goes.
        struct Sso {
            static int status(SSO_STATUS* out)
            {
                *out = SSO_STATUS {};
                out->bAvailable = 1;
                return VXWL_ERROR_SUCCESS;
            }
        };
        G_VxWlLib.VXWL_ReadSSOStatus.bind(&Sso::status);
        G_VxWlLib.bCCXForWin7 = 1;
        help_file();
        dialog.m_bHideAPButton = FALSE;
        window.ShoworHideSTAButton();
        expect_slots(window, { { 0, 2 }, { 1, 3 }, { 6, 4 }, { 7, 5 }, { 11, 6 }, { 12, 7 }, { 3, 8 } }, 0);
    });
}

TEST_F(ConfigWindowTest, ButtonsFollowWhoManagesTheAdapterAndTheUser)
{
    struct Case {
        const char* name;
        Machine machine;
        bool profile;
        bool advanced;
        bool radio;
    };
    Case const cases[] = {
        { "this program, administrator", { 9, true, 0 }, true, true, true },
        { "system service, older system", { 9, true, 2 }, false, false, false },
        { "system service, newer system", { 10, true, 2 }, true, true, true },
        { "standard user", { 9, false, 0 }, true, false, true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        machine(c.machine);
        options("0,1,2,4,9,10");
        with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
            // Showing the window set the radio button from the hardware switch; the layout
            // pass alone is looked at here.
            window.ShoworHideSTAButton();
            EXPECT_EQ(enabled(window.kind_button(BTN_PROFILE)), c.profile);
            EXPECT_TRUE(enabled(window.kind_button(BTN_SITESURVEY)));
            EXPECT_EQ(enabled(window.kind_button(BTN_ADVANCE)), c.advanced);
            EXPECT_EQ(enabled(window.kind_button(BTN_RADIO)), c.radio);
            EXPECT_TRUE(enabled(window.kind_button(BTN_ABOUT)));
            if (!c.machine.admin) {
                EXPECT_FALSE(enabled(window.kind_button(BTN_WMM)));
            }
        });
    }
}

TEST_F(ConfigWindowTest, KindsThatCannotBeShownGetNoButtonOrPage)
{
    struct Case {
        const char* name;
        int os;
        std::string sequence;
        int pages;
        int extras;
    };
    Case const cases[] = {
        // 802.11n left out: neither its page nor its button is made.
        { "no 802.11n", 12, "0,1,3,10", 4, 2 },
        // The hosted network before system code 12.
        { "hosted network on an older system", 11, "0,1,12,3", 3, 2 },
        // Numbers outside 0 to 12 are skipped; a repeated kind counts once.
        { "unknown kinds", 12, "0,13,1,-1,99,1,3", 3, 2 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        machine({ c.os });
        options(c.sequence);
        with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
            EXPECT_EQ(window.page_host()->page_count(), c.pages);
            EXPECT_EQ(window.page_host()->button_count(), c.extras);
            EXPECT_EQ(window.kind_button(BTN_80211N), nullptr);
            EXPECT_EQ(window.m_pPage80211nSettingDlg, nullptr);
            if (c.os <= 11) {
                EXPECT_EQ(window.kind_button(BTN_EXTAP), nullptr);
                EXPECT_EQ(window.m_pPageExtAPDlg, nullptr);
            }
            // The registered buttons take the slots in order.
            expect_slots(window, { { 0, 2 }, { 1, 3 } }, 0);
        });
    }
}

TEST_F(ConfigWindowTest, RadioOffOnTheNewestSystemsHidesTheHostedNetworkPage)
{
    options("0,1,12,9,10");
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        // The access point button shows while the adapter may run as one.
        dialog.m_bHideAPButton = FALSE;
        window.ShoworHideSTAButton();
        CShadeButtonST* const extap = window.kind_button(BTN_EXTAP);
        ASSERT_TRUE(visible(extap));
        extap->SendMessage(BM_CLICK);
        ASSERT_TRUE(extap->m_bHighlighted);
        ASSERT_TRUE(visible(window.m_pPageExtAPDlg));
        window.kind_button(BTN_RADIO)->SendMessage(BM_CLICK);
        EXPECT_FALSE(window.radio_on());
        EXPECT_TRUE(dialog.m_bHideAPButton);
        EXPECT_FALSE(visible(extap));
        EXPECT_TRUE(window.kind_button(BTN_SITESURVEY)->m_bHighlighted);
        EXPECT_TRUE(visible(window.site_survey_page()));
        EXPECT_FALSE(visible(window.m_pPageExtAPDlg));
    });
}
