// What the configuration window uses of the WPS page now: its rectangle, its seven action
// buttons and the scan-wait row of its access point list.
#include "FeaturesFixture.h"

#include "station/controls/QuickListRecords.h"
#include "station/core/UiStr.h"
#include "station/features/PageWPSDlg.h"

#include <set>

class WpsPageTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        saved_ui = G_UiStr;
        G_UiStr.IDS_SITESUR_SCAN_WAIT = "Scanning, please wait";
    }
    void TearDown() override
    {
        if (page.m_hWnd)
            page.DestroyWindow();
        G_UiStr = saved_ui;
        FeaturesTest::TearDown();
    }

    CUISTR saved_ui;
    CPageWPSDlg page { &host };
};

TEST_F(WpsPageTest, KeepsThePageRectangleGivenBeforeCreation)
{
    page.SetPageRect(CRect(10, 20, 300, 200));
    ASSERT_TRUE(page.Create(CPageWPSDlg::IDD, &host));
    EXPECT_EQ(page.GetPageRect(), CRect(10, 20, 300, 200));
}

TEST_F(WpsPageTest, ActionButtonsAreSevenDistinctLiveButtons)
{
    EXPECT_EQ(page.ActionButton(0), nullptr) << "no buttons before the page exists";
    ASSERT_TRUE(page.Create(CPageWPSDlg::IDD, &host));
    std::set<HWND> seen;
    for (int i = 0; i < CPageWPSDlg::kActionButtons; ++i) {
        CWnd* button = page.ActionButton(i);
        ASSERT_NE(button, nullptr) << i;
        ASSERT_TRUE(::IsWindow(button->m_hWnd)) << i;
        EXPECT_EQ(::GetParent(button->m_hWnd), page.m_hWnd) << i;
        char cls[32] {};
        ::GetClassName(button->m_hWnd, cls, sizeof cls);
        EXPECT_STREQ(cls, "Button") << i;
        seen.insert(button->m_hWnd);
    }
    EXPECT_EQ(seen.size(), size_t { CPageWPSDlg::kActionButtons });
    EXPECT_EQ(page.ActionButton(-1), nullptr);
    EXPECT_EQ(page.ActionButton(CPageWPSDlg::kActionButtons), nullptr);
}

// The radio switch re-enables index 0 always and index 1 in the enrollee role: Rescan and PBC.
TEST_F(WpsPageTest, ActionButtonsZeroAndOneAreRescanAndPushButton)
{
    ASSERT_TRUE(page.Create(CPageWPSDlg::IDD, &host));
    EXPECT_EQ(page.ActionButton(0)->m_hWnd, ::GetDlgItem(page.m_hWnd, 1164));
    EXPECT_EQ(page.ActionButton(1)->m_hWnd, ::GetDlgItem(page.m_hWnd, 1154));
}

TEST_F(WpsPageTest, ScanWaitLeavesOneRowShowingTheWaitingText)
{
    ASSERT_TRUE(page.Create(CPageWPSDlg::IDD, &host));
    for (int i = 0; i < 2; ++i) {
        page.ShowScanWait();
        ASSERT_EQ(page.ApRows().size(), 1u);
        EXPECT_EQ(page.m_listAP.GetItemCount(), 1);
    }
    EXPECT_EQ(page.ApRows()[0].strBSSID, "ScanWait");
    // The row shows its waiting text in the SSID column and nothing elsewhere.
    for (int column = 0; column < 6; ++column) {
        SCOPED_TRACE(column);
        QuickCellRequest* cell = page.m_listAP.FillCellRequest(0, column);
        ASSERT_NE(cell, nullptr);
        EXPECT_STREQ(cell->m_strText.GetString(), column == 2 ? "Scanning, please wait" : "");
    }
    EXPECT_EQ(page.m_listProfile.GetItemCount(), 0);
}

// Before the page exists the row is kept and shown once the list is there to show it.
TEST_F(WpsPageTest, ScanWaitBeforeCreationKeepsTheRow)
{
    page.ShowScanWait();
    EXPECT_EQ(page.ApRows().size(), 1u);
}
