#include "PagesTableTest.h"

#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/UiStr.h"
#include "station/features/PageWPSStatusDlg.h"
#include "station/survey/APDetailInfoDlg.h"
#include "station/survey/AuthenStatusDlg.h"
#include "station/survey/HiddenSsidDlg.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/Page80211nDlg.h"
#include "station/survey/PageCCXDlg.h"
#include "station/survey/PageGeneralDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "station/survey/PageStatisticsDlg.h"

namespace {

std::vector<PageCase> survey_cases()
{
    return {
        page_case<CPageSiteSurveyDlg>("site survey"),
        page_case<CPageStatisticsDlg>("statistics"),
        // Laid out for the taller lower frame, the height of a page.
        page_case<CLinkStatusDlg>("link status"),
        page_case<CAPDetailInfoDlg>("access point detail"),
        page_case<CHiddenSsidDlg>("hidden network", true),
        page_case<CAuthenStatusDlg>("authentication status", true),
    };
}

}

class SurveyPagesTest : public DialogsTest { };

TEST_F(SurveyPagesTest, TemplateIdsAreTheWindowsOnes)
{
    std::pair<int, int> const ids[] = {
        { CPageSiteSurveyDlg::IDD, 113 },
        { CPageStatisticsDlg::IDD, 115 },
        { CPageStatisticsTXDlg::IDD, 126 },
        { CPageStatisticsRXDlg::IDD, 116 },
        { CLinkStatusDlg::IDD, 122 },
        { CAPDetailInfoDlg::IDD, 156 },
        { CHiddenSsidDlg::IDD, 431 },
        { CAuthenStatusDlg::IDD, 432 },
    };
    for (auto const& [idd, want] : ids)
        EXPECT_EQ(idd, want);
    EXPECT_EQ(CPageSiteSurveyDlg::IDC_RESCAN, 1024);
}

TEST_F(SurveyPagesTest, TemplatesExistWithTheWindowsLayout)
{
    expect_templates(survey_cases());
}

TEST_F(SurveyPagesTest, EveryDialogCreatesAsAChild)
{
    expect_pages_create(survey_cases(), parent);
}

TEST_F(SurveyPagesTest, ConnectRequestsStartCleared)
{
    CPageSiteSurveyDlg page(&parent);
    EXPECT_EQ(page.m_bConnectByBssid, 0);
    EXPECT_EQ(page.m_bConnectBySsid, 0);
    EXPECT_EQ(page.RowCount(), 0);
}

TEST_F(SurveyPagesTest, ShowScanWaitLeavesOneWaitingRow)
{
    G_UiStr.IDS_SITESUR_SCAN_WAIT = "Waiting for the scan";
    CPageSiteSurveyDlg page(&parent);
    ASSERT_TRUE(page.Create(CPageSiteSurveyDlg::IDD, &parent));
    page.ShowWindow(SW_SHOW);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round); // a second call replaces the row rather than adding one
        page.ShowScanWait();
        pump();
        EXPECT_EQ(page.RowCount(), 1);
        EXPECT_EQ(page.List().GetItemCount(), 1);
        EXPECT_EQ(std::string(page.List().FillCellRequest(0, 1)->m_strText.GetString()), "Waiting for the scan");
        EXPECT_TRUE(page.List().FillCellRequest(0, 3)->m_strText.IsEmpty());
    }
    page.DestroyWindow();
}

// The button exists for the radio switch; until scanning arrives a click changes nothing.
TEST_F(SurveyPagesTest, RescanClickDoesNothingYet)
{
    CPageSiteSurveyDlg page(&parent);
    ASSERT_TRUE(page.Create(CPageSiteSurveyDlg::IDD, &parent));
    page.ShowScanWait();
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CPageSiteSurveyDlg::IDC_RESCAN, BN_CLICKED),
        reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, CPageSiteSurveyDlg::IDC_RESCAN)));
    pump();
    EXPECT_TRUE(::IsWindow(page.m_hWnd));
    EXPECT_EQ(page.RowCount(), 1);
    EXPECT_TRUE(parent.commands.empty());
    page.DestroyWindow();
}

// On a small desktop the window has no caption: a press on any of these drags the whole
// window (a caption press sent to the top-level window); otherwise the press stays the page's.
TEST_F(SurveyPagesTest, PressesDragTheWindowOnSmallDesktops)
{
    std::vector<PageCase> const cases = {
        page_case<CLinkStatusDlg>("link status"),
        page_case<CAPDetailInfoDlg>("access point detail"),
        page_case<CPageStatisticsDlg>("statistics"),
        page_case<CPageStatisticsTXDlg>("statistics transmit tab"),
        page_case<CPageGeneralDlg>("detail's general tab"),
        page_case<CPageWPSStatusDlg>("detail's WPS tab"),
        page_case<CPageCCXDlg>("detail's CCX tab"),
        page_case<CPage80211nDlg>("detail's 802.11n tab"),
    };
    BOOL small = FALSE;
    BindHideTabIcon(&small);
    for (PageCase const& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CResizeDlg> dlg = c.make(&parent);
        ASSERT_TRUE(dlg->Create(static_cast<UINT>(c.idd), &parent));
        parent.privates.clear();
        small = FALSE;
        dlg->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(60, 70));
        EXPECT_TRUE(parent.privates.empty());
        small = TRUE;
        dlg->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(60, 70));
        ASSERT_EQ(parent.privates.size(), 1u);
        EXPECT_EQ(parent.privates[0].message, UINT(WM_NCLBUTTONDOWN));
        EXPECT_EQ(parent.privates[0].wParam, WPARAM(HTCAPTION));
        dlg->DestroyWindow();
    }
    BindHideTabIcon(nullptr);
}
