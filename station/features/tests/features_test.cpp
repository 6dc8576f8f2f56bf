#include "FeaturesFixture.h"

#include "platform/framework/Resources.h"
#include "station/core/UiStr.h"
#include "station/features/AddBlockAckDlg.h"
#include "station/features/DeleteBlockAckDlg.h"
#include "station/features/ExtAPMACTableDlg.h"
#include "station/features/Page80211nSettingDlg.h"
#include "station/features/PageAboutDlg.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/features/PageExtAPDlg.h"
#include "station/features/PageWMMDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/features/PageWPSProfile.h"

#include <functional>
#include <memory>
#include <set>

namespace {

struct PageCase {
    char const* name;
    int idd;
    std::function<std::unique_ptr<CResizeDlg>(CWnd*)> make;
};

template <typename T>
PageCase page_case(char const* name)
{
    return { name, T::IDD, [](CWnd* parent) { return std::make_unique<T>(parent); } };
}

std::vector<PageCase> const& all_pages()
{
    static std::vector<PageCase> const cases = {
        page_case<CPageAdvanceDlg>("advanced"),
        page_case<CPageWMMDlg>("WMM"),
        page_case<CPage80211nSettingDlg>("802.11n"),
        page_case<CPageWPSDlg>("WPS"),
        page_case<CPageAboutDlg>("about"),
        page_case<CPageExtAPDlg>("hosted network"),
        page_case<CPageCCXConfigDlg>("CCX"),
        page_case<CAddBlockAckDlg>("add block ack"),
        page_case<CDeleteBlockAckDlg>("delete block ack"),
        page_case<CPageWPSProfile>("WPS profile"),
        page_case<CExtAPMACTableDlg>("hosted network stations"),
    };
    return cases;
}

}

TEST_F(FeaturesTest, EveryTemplateIsInTheResources)
{
    std::vector<int> ids;
    for (PageCase const& c : all_pages())
        ids.push_back(c.idd);
    EXPECT_EQ(platform::framework::missing_resources(platform::framework::resources(), "dialog", ids),
        std::vector<std::string> {});
}

// Each class is created as the configuration window creates it: constructed with its parent,
// then Create(IDD, parent); the result is a hidden child of that parent.
TEST_F(FeaturesTest, EveryClassCreatesAsAChildFromItsTemplate)
{
    for (PageCase const& c : all_pages()) {
        SCOPED_TRACE(c.name);
        auto page = c.make(&parent);
        ASSERT_NE(page->Create(c.idd, &parent), FALSE);
        ASSERT_NE(page->m_hWnd, nullptr);
        EXPECT_EQ(::GetParent(page->m_hWnd), parent.m_hWnd);
        DWORD const style = static_cast<DWORD>(::GetWindowLong(page->m_hWnd, GWL_STYLE));
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_FALSE(style & WS_CAPTION);
        page->DestroyWindow();
    }
}

TEST_F(FeaturesTest, WpsActionButtonsAreSevenDistinctLiveButtons)
{
    CPageWPSDlg page(&parent);
    EXPECT_EQ(page.ActionButton(0), nullptr) << "no buttons before the page exists";
    ASSERT_TRUE(page.Create(CPageWPSDlg::IDD, &parent));
    std::set<HWND> seen;
    for (int i = 0; i < CPageWPSDlg::kActionButtons; ++i) {
        CWnd* button = page.ActionButton(i);
        ASSERT_NE(button, nullptr) << i;
        EXPECT_TRUE(::IsWindow(button->m_hWnd));
        EXPECT_EQ(::GetParent(button->m_hWnd), page.m_hWnd);
        seen.insert(button->m_hWnd);
    }
    EXPECT_EQ(seen.size(), size_t { CPageWPSDlg::kActionButtons });
    EXPECT_EQ(page.ActionButton(-1), nullptr);
    EXPECT_EQ(page.ActionButton(CPageWPSDlg::kActionButtons), nullptr);
    page.DestroyWindow();
}

TEST_F(FeaturesTest, WpsScanWaitLeavesOneRow)
{
    G_UiStr.IDS_SITESUR_SCAN_WAIT = "Scanning, please wait";
    CPageWPSDlg page(&parent);
    page.SetPageRect(CRect(10, 20, 300, 200));
    ASSERT_TRUE(page.Create(CPageWPSDlg::IDD, &parent));
    EXPECT_EQ(page.GetPageRect(), CRect(10, 20, 300, 200));
    page.ShowScanWait();
    page.ShowScanWait();
    ASSERT_EQ(page.ApRows().size(), 1u);
    EXPECT_EQ(page.ApRows()[0].strSSID, "Scanning, please wait");
    EXPECT_EQ(page.ApRows()[0].strBSSID, "ScanWait");
    EXPECT_EQ(page.m_listAP.GetItemCount(), 1);
    page.DestroyWindow();
}
