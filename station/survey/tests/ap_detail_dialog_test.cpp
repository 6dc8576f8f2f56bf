// The access point detail dialog against a scripted library: the tabs it makes and where, what
// a showing fills in, a page that cannot be created, its own copy of the entry while the site
// survey page rewrites its list, and Close.
#include "PagesTableTest.h"

#include "station/controls/CTabDialog.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/UiStr.h"
#include "station/features/PageWPSStatusDlg.h"
#include "station/survey/APDetailInfoDlg.h"
#include "station/survey/Page80211nDlg.h"
#include "station/survey/PageCCXDlg.h"
#include "station/survey/PageGeneralDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "station/survey/tests/FakeWlan.h"

#include <cstring>

using station::testing::FakeServices;
using station::testing::FakeWlan;
using station::testing::named_entry;

namespace {

// A detail whose page number `fail_at` cannot be created; it keeps OnInitDialog's answer.
class FailingDetail : public CAPDetailInfoDlg {
public:
    FailingDetail(CWnd* parent, int fail_at)
        : CAPDetailInfoDlg(parent)
        , m_failAt(fail_at)
    {
    }
    BOOL init_result { TRUE };
    int attempts {};

protected:
    BOOL OnInitDialog() override { return init_result = CAPDetailInfoDlg::OnInitDialog(); }
    BOOL CreatePage(CResizeDlg& page, UINT idd, CWnd* host) override
    {
        return attempts++ == m_failAt ? FALSE : CAPDetailInfoDlg::CreatePage(page, idd, host);
    }

private:
    int m_failAt;
};

class DetailDialogTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        G_UiStr.IDS_GENERAL = "General";
        G_UiStr.IDS_TAB_WPS = "WPS";
        G_UiStr.IDS_TAB_CCX_CONFIG = "CCX";
        G_UiStr.IDS_TAB_80211N = "802.11n";
        G_UiStr.IDS_SUPPORT_RATE = "Support rate";
        G_UiStr.IDS_11N_MAX_SUPPORT_RATE = "Maximum 802.11n rate";
    }
    void TearDown() override
    {
        if (detail && detail->m_hWnd)
            detail->DestroyWindow();
        detail.reset();
        DialogsTest::TearDown();
    }
    CAPDetailInfoDlg& open()
    {
        detail = std::make_unique<CAPDetailInfoDlg>(&parent);
        EXPECT_TRUE(detail->Create(CAPDetailInfoDlg::IDD, &parent));
        pump();
        return *detail;
    }
    // Shows the detail of one entry of the fake list, as the window does.
    void show(std::vector<std::uint8_t> const& bytes)
    {
        detail->ShowWindow(SW_HIDE);
        detail->SetBssidEntry(reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(bytes.data()), bytes.size());
        detail->ShowWindow(SW_SHOW);
        pump();
    }
    static bool visible(CWnd* window) { return (GetWindowLong(window->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    static CRect rect_of(CWnd* window)
    {
        CRect r;
        window->GetWindowRect(&r);
        return r;
    }

    FakeWlan wlan;
    std::unique_ptr<CAPDetailInfoDlg> detail;
};

}

TEST_F(DetailDialogTest, TabsStandGeneralWpsHtCcxWithPagesInTheirOwnOrder)
{
    CAPDetailInfoDlg& d = open();
    CTabDialog* host = d.TabHost();
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(host->page_count(), 4);
    std::vector<CShadeButtonST*> const buttons = host->PageButtons();
    std::vector<int> ids;
    for (CShadeButtonST* b : buttons)
        ids.push_back(b->GetDlgCtrlID());
    EXPECT_EQ(ids, (std::vector<int> { 159, 164, 165, 174 })) << "pages General, WPS, CCX, 802.11n";
    std::vector<std::pair<int, std::string>> by_x;
    for (CShadeButtonST* b : buttons) {
        CString text;
        b->GetWindowText(text);
        by_x.emplace_back(rect_of(b).left, text.GetString());
        EXPECT_EQ(::GetParent(b->m_hWnd), host->m_hWnd);
    }
    std::sort(by_x.begin(), by_x.end());
    std::vector<std::string> left_to_right;
    for (auto const& [x, text] : by_x)
        left_to_right.push_back(text);
    EXPECT_EQ(left_to_right, (std::vector<std::string> { "General", "WPS", "802.11n", "CCX" }));
    for (CWnd* page : std::initializer_list<CWnd*> { d.GeneralPage(), d.WpsPage(), d.CcxPage(), d.HtPage() })
        EXPECT_EQ(::GetParent(page->m_hWnd), host->m_hWnd);
    // Every page fills the page area; General shows first.
    EXPECT_EQ(rect_of(d.GeneralPage()), rect_of(d.HtPage()));
    EXPECT_TRUE(visible(d.GeneralPage()));
}

TEST_F(DetailDialogTest, AFailedPageEndsTheSetUp)
{
    for (int fail_at = 0; fail_at < 4; ++fail_at) {
        SCOPED_TRACE(fail_at);
        FailingDetail d(&parent, fail_at);
        EXPECT_FALSE(d.Create(CAPDetailInfoDlg::IDD, &parent)) << "a modeless dialog that fails its set-up is refused";
        EXPECT_FALSE(d.init_result);
        EXPECT_EQ(d.attempts, fail_at + 1) << "no page is made after the one that failed";
        EXPECT_EQ(d.TabHost()->page_count(), fail_at);
    }
}

TEST_F(DetailDialogTest, ShowingFillsEveryPage)
{
    auto ht = named_entry(1, "Fast", -50, 36);
    auto plain = named_entry(2, "Plain", -60, 6);
    IE_INFO_WPA d1 {};
    d1.nAuthentication = 16;
    d1.nEncryption = 4;
    d1.bHT = 1;
    d1.bCCKM = 1;
    d1.bMobilityDomain = 1;
    d1.MDID[0] = 0x34;
    d1.MDID[1] = 0x12;
    d1.SupportedMcsSet[0] = 0xFF;
    std::strcpy(d1.WpsState, "Configured");
    wlan.digests[1] = d1;
    CAPDetailInfoDlg& d = open();

    show(ht);
    CPageGeneralDlg& general = *d.GeneralPage();
    auto text = [&](CWnd& page, int id) {
        CString s;
        page.GetDlgItem(id)->GetWindowText(s);
        return std::string(s.GetString());
    };
    EXPECT_EQ(text(general, CPageGeneralDlg::IDC_SSID), "Fast");
    EXPECT_EQ(text(general, CPageGeneralDlg::IDC_AUTH), "WPA2-PSK+CCKM");
    EXPECT_EQ(text(general, CPageGeneralDlg::IDC_CHANNEL), "36 <--> 5180 MHz");
    EXPECT_EQ(text(general, CPageGeneralDlg::IDC_MDID), "1234");
    EXPECT_TRUE(visible(general.GetDlgItem(CPageGeneralDlg::IDC_MDID)));
    EXPECT_EQ(text(general, CPageGeneralDlg::IDC_RATES).find("Maximum 802.11n rate: 65.0") != std::string::npos, true)
        << text(general, CPageGeneralDlg::IDC_RATES);
    EXPECT_EQ(general.SignalBar().GetPos(), 100);
    EXPECT_EQ(text(*d.CcxPage(), CPageCCXDlg::IDC_CCKM), "TRUE");
    EXPECT_EQ(text(*d.WpsPage(), 1344), "WPA2-PSK+CCKM");
    EXPECT_EQ(text(*d.WpsPage(), 1360), "Configured");
    EXPECT_TRUE(visible(d.TabButton(CAPDetailInfoDlg::PAGE_80211N)));
    EXPECT_FALSE(visible(d.TabButton(CAPDetailInfoDlg::PAGE_CCX)));
    EXPECT_EQ(d.HtPage()->List().GetItemCount(), 64);
    EXPECT_EQ(d.HtPage()->Rows()[14].value, "FALSE") << "Short GI for 40 MHz";

    // The 802.11n tab in front; a new showing brings General back.
    d.TabButton(CAPDetailInfoDlg::PAGE_80211N)->SendMessage(BM_CLICK);
    pump();
    EXPECT_TRUE(visible(d.HtPage()));
    show(plain);
    EXPECT_TRUE(visible(d.GeneralPage()));
    EXPECT_FALSE(visible(d.HtPage()));
    EXPECT_EQ(text(general, CPageGeneralDlg::IDC_SSID), "Plain");
    EXPECT_EQ(text(general, CPageGeneralDlg::IDC_AUTH), "Open");
    EXPECT_FALSE(visible(general.GetDlgItem(CPageGeneralDlg::IDC_MDID)));
    EXPECT_FALSE(visible(d.TabButton(CAPDetailInfoDlg::PAGE_80211N)));
    CQuickList& list = d.HtPage()->List();
    ASSERT_EQ(list.GetItemCount(), 64);
    int bold = 0, na = 0;
    for (int row = 0; row < 64; ++row) {
        auto const* property = list.FillCellRequest(row, 0);
        bold += property->m_bBold;
        bool const heading = property->m_bBold;
        std::string const value = list.FillCellRequest(row, 1)->m_strText.GetString();
        if (heading) {
            EXPECT_EQ(value, "") << row;
        }
        na += value == "n/a";
    }
    EXPECT_EQ(bold, 10);
    EXPECT_EQ(na, 54);
}

TEST_F(DetailDialogTest, KeepsItsNetworkWhileTheSurveyListIsRewritten)
{
    FakeServices services(parent.m_hWnd);
    wlan.list.add(named_entry(1, "b-strong", -40)).add(named_entry(2, "a-weak", -80));
    CPageSiteSurveyDlg page(&parent);
    ASSERT_TRUE(page.Create(CPageSiteSurveyDlg::IDD, &parent));
    pump();
    CAPDetailInfoDlg& d = open();
    NDIS_WLAN_BSSID_EX const* entry = page.EntryOfRow(0);
    ASSERT_NE(entry, nullptr);
    d.SetBssidEntry(entry, entry->Length);
    d.ShowWindow(SW_SHOW);
    pump();
    CString ssid;
    d.GeneralPage()->GetDlgItem(CPageGeneralDlg::IDC_SSID)->GetWindowText(ssid);
    EXPECT_EQ(std::string(ssid.GetString()), "a-weak");
    page.GetDlgItem(CPageSiteSurveyDlg::IDC_SORT_SIGNAL)->SendMessage(BM_CLICK);
    pump();
    ASSERT_EQ(page.Row(0).strSsid, "b-strong") << "the page's list is rewritten in the new order";
    d.ShowWindow(SW_HIDE);
    d.ShowWindow(SW_SHOW);
    pump();
    d.GeneralPage()->GetDlgItem(CPageGeneralDlg::IDC_SSID)->GetWindowText(ssid);
    EXPECT_EQ(std::string(ssid.GetString()), "a-weak");
    page.DestroyWindow();
}

TEST_F(DetailDialogTest, CloseGivesThePlaceBackToTheLinkStatus)
{
    CAPDetailInfoDlg& d = open();
    parent.privates.clear();
    d.GetDlgItem(CAPDetailInfoDlg::IDC_CLOSE)->SendMessage(BM_CLICK);
    pump();
    ASSERT_EQ(parent.privates.size(), 1u);
    EXPECT_EQ(parent.privates[0].message, MSG_SHOW_WPSINFO);
    EXPECT_EQ(parent.privates[0].wParam, 0u);
    EXPECT_EQ(parent.privates[0].lParam, 0);
    // Enter and Escape on a tab leave the dialog and its pages alone.
    d.GeneralPage()->SendMessage(WM_COMMAND, IDOK);
    d.TabHost()->SendMessage(WM_COMMAND, IDCANCEL);
    d.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(::IsWindow(d.GeneralPage()->m_hWnd));
    EXPECT_TRUE(::IsWindow(d.m_hWnd));
}
