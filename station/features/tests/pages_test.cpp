// Every page and lower-area dialog of the feature group is created the way the configuration
// window creates it, as a child of a host dialog, from its own template.
#include "FeaturesFixture.h"

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

namespace {

struct PageCase {
    char const* name;
    int idd;
    std::function<std::unique_ptr<CResizeDlg>(CWnd*)> make;
};

template <typename T>
PageCase page_case(char const* name, int idd)
{
    return { name, idd, [](CWnd* host) { return std::make_unique<T>(host); } };
}

// The template ids are written out, not read from the classes, so a class that names another
// page's template is caught.
std::vector<PageCase> const& all_pages()
{
    static std::vector<PageCase> const cases = {
        page_case<CPageAdvanceDlg>("advanced", 123),
        page_case<CPageWMMDlg>("WMM", 117),
        page_case<CPage80211nSettingDlg>("802.11n", 118),
        page_case<CPageWPSDlg>("WPS", 119),
        page_case<CPageAboutDlg>("about", 120),
        page_case<CPageExtAPDlg>("hosted network", 261),
        page_case<CPageCCXConfigDlg>("CCX", 437),
        page_case<CAddBlockAckDlg>("add block ack", 175),
        page_case<CDeleteBlockAckDlg>("delete block ack", 177),
        page_case<CPageWPSProfile>("WPS profile", 433),
        page_case<CExtAPMACTableDlg>("hosted network stations", 263),
    };
    return cases;
}

int child_count(HWND hwnd)
{
    int n = 0;
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ++n;
    return n;
}

}

TEST_F(FeaturesTest, ClassesNameTheirTemplates)
{
    EXPECT_EQ(CPageAdvanceDlg::IDD, 123);
    EXPECT_EQ(CPageWMMDlg::IDD, 117);
    EXPECT_EQ(CPage80211nSettingDlg::IDD, 118);
    EXPECT_EQ(CPageWPSDlg::IDD, 119);
    EXPECT_EQ(CPageAboutDlg::IDD, 120);
    EXPECT_EQ(CPageExtAPDlg::IDD, 261);
    EXPECT_EQ(CPageCCXConfigDlg::IDD, 437);
    EXPECT_EQ(CAddBlockAckDlg::IDD, 175);
    EXPECT_EQ(CDeleteBlockAckDlg::IDD, 177);
    EXPECT_EQ(CPageWPSProfile::IDD, 433);
    EXPECT_EQ(CExtAPMACTableDlg::IDD, 263);
}

// Constructed with its host, then Create(IDD, host): a hidden, captionless child of that
// host holding every control of its template. Enter and Escape leave it as it is.
TEST_F(FeaturesTest, EveryClassCreatesAsAChildFromItsTemplate)
{
    for (PageCase const& c : all_pages()) {
        SCOPED_TRACE(c.name);
        auto page = c.make(&host);
        ASSERT_NE(page->Create(c.idd, &host), FALSE);
        ASSERT_TRUE(::IsWindow(page->m_hWnd));
        EXPECT_EQ(::GetParent(page->m_hWnd), host.m_hWnd);
        DWORD const style = static_cast<DWORD>(::GetWindowLong(page->m_hWnd, GWL_STYLE));
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_FALSE(style & WS_CAPTION);
        EXPECT_FALSE(::IsWindowVisible(page->m_hWnd));
        auto const* resource = platform::framework::resources().dialog(c.idd);
        ASSERT_NE(resource, nullptr);
        EXPECT_EQ(child_count(page->m_hWnd), static_cast<int>(resource->controls.size()));

        page->ShowWindow(SW_SHOW);
        page->SendMessage(WM_COMMAND, IDOK, 0);
        page->SendMessage(WM_COMMAND, IDCANCEL, 0);
        pump();
        EXPECT_TRUE(::IsWindowVisible(page->m_hWnd));
        page->DestroyWindow();
    }
}

// The window's destructor deletes the objects; one that never got a window goes quietly too.
TEST_F(FeaturesTest, EveryClassDeletesWithOrWithoutItsWindow)
{
    for (PageCase const& c : all_pages()) {
        SCOPED_TRACE(c.name);
        c.make(&host).reset();
        auto page = c.make(&host);
        ASSERT_TRUE(page->Create(c.idd, &host));
        page.reset();
        pump();
    }
}

// What the station core reads before any page work has run is zero.
TEST_F(FeaturesTest, MembersTheStationCoreReadsStartAtZero)
{
    CPageAdvanceDlg advanced(&host);
    EXPECT_EQ(advanced.m_nActionType, 0);
    EXPECT_EQ(advanced.m_pActionData, nullptr);
    EXPECT_FALSE(advanced.m_bConnect);
    EXPECT_FALSE(advanced.m_bSwitched);
    EXPECT_FALSE(advanced.m_bShowAuthStatus);
    EXPECT_EQ(advanced.m_ProfData.bBssid, 0u);
    EXPECT_EQ(advanced.m_ProfData.strProfileName[0], '\0');

    CPageCCXConfigDlg ccx(&host);
    EXPECT_FALSE(ccx.m_bRotateProfile);
    EXPECT_EQ(ccx.m_chMessage[0], '\0');

    CPageWPSDlg wps(&host);
    EXPECT_FALSE(wps.m_bHWPBC);
    EXPECT_EQ(wps.m_WpsProfile.ProfileCnt, 0u);
    EXPECT_EQ(wps.m_nCurProfile, 0);
    EXPECT_EQ(wps.m_nKeyLength, 0);
    EXPECT_TRUE(wps.ApRows().empty());

    CPageWPSProfile profile(&host);
    EXPECT_FALSE(profile.m_bEdit);
    EXPECT_EQ(profile.m_WpsProfile.ProfileCnt, 0u);
    EXPECT_EQ(profile.m_nSelIndex, 0);

    CAddBlockAckDlg add(&host);
    EXPECT_EQ(add.m_nDirection, 0);
    CDeleteBlockAckDlg del(&host);
    EXPECT_EQ(del.m_nDirection + del.m_nDeleteAll + del.m_nDeleteOne, 0);
}
