// The site survey page against a scripted library: the buttons it offers, the cells of each
// kind of network, choosing a row, Show dBm, the connected row and the scan cycle on the
// manual clock.
#include "PagesTableTest.h"

#include "station/controls/QuickListRecords.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "station/survey/tests/FakeWlan.h"

#include <cstring>

using station::testing::FakeServices;
using station::testing::FakeWlan;
using station::testing::named_entry;

namespace {

IE_INFO_WPA digest(std::uint32_t authentication, std::uint32_t encryption = 0)
{
    IE_INFO_WPA d {};
    d.nAuthentication = authentication;
    d.nEncryption = encryption;
    return d;
}

class SitePageTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        services = std::make_unique<FakeServices>(parent.m_hWnd);
        G_UiStr.IDS_SITESUR_SCAN_WAIT = "Waiting for the scan";
    }
    void TearDown() override
    {
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        services.reset();
        DialogsTest::TearDown();
    }

    // Creates the page as the window does; its start-up reads the fake's list.
    CPageSiteSurveyDlg& open()
    {
        page = std::make_unique<CPageSiteSurveyDlg>(&parent);
        EXPECT_TRUE(page->Create(CPageSiteSurveyDlg::IDD, &parent));
        page->ShowWindow(SW_SHOW);
        pump();
        return *page;
    }
    std::string cell(int row, int column) { return page->List().FillCellRequest(row, column)->m_strText.GetString(); }
    int image(int row, int column) { return page->List().FillCellRequest(row, column)->m_nImage; }
    bool enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(page->m_hWnd, id)); }
    // One tick of the 2-second poll.
    void tick() { page->SendMessage(WM_TIMER, CPageSiteSurveyDlg::TIMER_SITESURVEY_DLG); }

    FakeWlan wlan;
    std::unique_ptr<FakeServices> services;
    std::unique_ptr<CPageSiteSurveyDlg> page;
};

constexpr int kRescan = CPageSiteSurveyDlg::IDC_RESCAN;
constexpr int kConnect = CPageSiteSurveyDlg::IDC_CONNECT;
constexpr int kAdd = CPageSiteSurveyDlg::IDC_ADD_TO_PROFILE;

}

TEST_F(SitePageTest, OffersConnectAndAddOnlyWhenTheChosenNetworkCanBeJoined)
{
    struct Case {
        char const* name;
        std::function<void(FakeWlan&, CPageSiteSurveyDlg&)> set;
        bool rescan, connect, add;
    } const cases[] = {
        { "ready", [](FakeWlan&, CPageSiteSurveyDlg&) {}, true, true, true },
        { "scanning", [](FakeWlan&, CPageSiteSurveyDlg& p) { p.DoScan(); }, false, false, false },
        { "radio off", [](FakeWlan& w, CPageSiteSurveyDlg&) { w.radio = 0; }, false, false, false },
        { "no rows", [](FakeWlan& w, CPageSiteSurveyDlg& p) { w.list.set_count(0); w.cache_list(); p.RescanTimeFunc(); }, true, false, false },
        { "WPA2-PSK on an adapter without WPA", [](FakeWlan& w, CPageSiteSurveyDlg& p) { w.wpa_capable = 0; p.m_nWPA = 5; }, true, false, false },
        { "WPA2 on an adapter with WPA", [](FakeWlan&, CPageSiteSurveyDlg& p) { p.m_nWPA = 4; }, true, true, true },
        { "WAPI without SupportWAPI", [](FakeWlan&, CPageSiteSurveyDlg& p) { p.m_nWPA = 6; }, true, false, false },
        { "WPA-NONE at code 10", [](FakeWlan& w, CPageSiteSurveyDlg& p) { w.win_os = 10; p.m_nWPA = 3; }, true, false, false },
        { "WPA-NONE at code 9", [](FakeWlan& w, CPageSiteSurveyDlg& p) { w.win_os = 9; p.m_nWPA = 3; }, true, true, true },
        { "ad hoc at code 12 in access point mode", [](FakeWlan& w, CPageSiteSurveyDlg& p) { w.op_mode = 2; p.m_nNetworkType = 0; }, true, false, false },
        { "system service runs the adapter on an older system", [](FakeWlan& w, CPageSiteSurveyDlg&) { w.win_os = 9; w.zero_config = 2; }, true, false, false },
        { "standard user allowed to set profiles", [](FakeWlan& w, CPageSiteSurveyDlg&) { w.admin = 0; }, true, true, true },
        { "standard user not allowed", [](FakeWlan& w, CPageSiteSurveyDlg&) { w.admin = 0; w.standard_user_profile = 0; }, true, true, false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        wlan.reset();
        wlan.list.add(named_entry(1, "net", -50));
        CPageSiteSurveyDlg& p = open();
        p.m_nWPA = 0;
        p.m_nNetworkType = 1;
        c.set(wlan, p);
        p.UpdateControlState();
        EXPECT_EQ(enabled(kRescan), c.rescan);
        EXPECT_EQ(enabled(CPageSiteSurveyDlg::IDC_SORT_SIGNAL), c.rescan);
        EXPECT_EQ(enabled(CPageSiteSurveyDlg::IDC_SHOW_DBM), c.rescan);
        EXPECT_EQ(enabled(kConnect), c.connect);
        EXPECT_EQ(enabled(kAdd), c.add);
        p.DestroyWindow();
    }
}

TEST_F(SitePageTest, CellsShowEachKindOfNetwork)
{
    struct Kind {
        char const* name;
        std::uint32_t infrastructure, radio;
        std::uint8_t basic_rate;
        IE_INFO_WPA digest;
        std::uint32_t privacy;
        int channel;
        std::vector<int> images; // columns 0, 2, 4, 5, 6, 7, 8
    };
    IE_INFO_WPA wps = digest(16, 4);
    wps.bWPS = 1;
    IE_INFO_WPA ht {};
    ht.bHT = 1;
    Kind const kinds[] = {
        { "ad hoc, b", 0, 1, 0x82, {}, 0, 10, { -1, 0, -1, 3, -1, -1, -1 } },
        { "infrastructure, g", 1, 3, 0x82, {}, 0, 1, { -1, 1, -1, 3, 4, -1, -1 } },
        { "g only", 1, 3, 0x8C, {}, 0, 1, { -1, 1, -1, -1, 4, -1, -1 } },
        { "a", 1, 2, 0x8C, {}, 0, 36, { -1, 1, 2, -1, -1, -1, -1 } },
        { "n", 1, 2, 0x8C, ht, 0, 149, { -1, 1, 2, -1, -1, 9, -1 } },
        { "WPS", 1, 3, 0x82, wps, 1, 9, { -1, 1, -1, 3, 4, -1, 8 } },
        { "WAPI", 1, 3, 0x82, digest(64, 8), 1, 13, { -1, 1, -1, 3, 4, -1, 10 } },
        { "secured", 1, 3, 0x82, digest(16, 4), 1, 6, { -1, 1, -1, 3, 4, -1, 5 } },
        { "WEP (privacy only)", 1, 3, 0x82, {}, 1, 6, { -1, 1, -1, 3, 4, -1, 5 } },
        { "open, unknown frequency", 1, 3, 0x82, {}, 0, 0, { -1, 1, -1, 3, 4, -1, -1 } },
    };
    std::uint8_t mac = 1;
    for (Kind const& k : kinds) {
        auto bytes = named_entry(mac, k.name, -60 - mac, k.channel);
        NDIS_WLAN_BSSID_EX fixed;
        std::memcpy(&fixed, bytes.data(), sizeof fixed);
        fixed.InfrastructureMode = k.infrastructure;
        fixed.NetworkTypeInUse = k.radio;
        fixed.SupportedRates[0] = k.basic_rate;
        fixed.Privacy = k.privacy;
        std::memcpy(bytes.data(), &fixed, sizeof fixed);
        wlan.list.add(bytes);
        wlan.digests[mac++] = k.digest;
    }
    CPageSiteSurveyDlg& p = open();
    ASSERT_EQ(p.RowCount(), int(std::size(kinds)));
    for (int row = 0; row < p.RowCount(); ++row) {
        // Rows are sorted by name; each kind's signal is -61 dBm, -62 dBm ... in table order.
        std::string const name = cell(row, 1);
        auto const at = std::find_if(std::begin(kinds), std::end(kinds), [&](Kind const& k) { return name == k.name; });
        ASSERT_NE(at, std::end(kinds)) << name;
        Kind const& k = *at;
        int const percent = 2 * (40 - int(at - std::begin(kinds)) - 1);
        SCOPED_TRACE(k.name);
        EXPECT_EQ(cell(row, 3), k.channel ? std::to_string(k.channel) : "");
        int const columns[] = { 0, 2, 4, 5, 6, 7, 8 };
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(image(row, columns[i]), k.images[std::size_t(i)]) << "column " << columns[i];
        EXPECT_EQ(cell(row, 9), std::to_string(percent) + "%");
        QuickCellRequest const* bar = p.List().FillCellRequest(row, 10);
        EXPECT_EQ(bar->m_nBarMax, 100);
        EXPECT_EQ(bar->m_nBarValue, percent);
    }
}

TEST_F(SitePageTest, ShowDbmSwitchesTheTextWithoutARebuildAndTellsTheWindow)
{
    wlan.list.add(named_entry(1, "net", -58));
    CPageSiteSurveyDlg& p = open();
    EXPECT_EQ(cell(0, 9), "84%");
    wlan.list.set_count(0); // a rebuild would now empty the list
    p.GetDlgItem(CPageSiteSurveyDlg::IDC_SHOW_DBM)->SendMessage(BM_CLICK);
    pump();
    EXPECT_TRUE(p.m_bShowDbm);
    EXPECT_EQ(p.RowCount(), 1);
    EXPECT_EQ(cell(0, 9), "-58 dBm");
    ASSERT_FALSE(parent.privates.empty());
    auto const& sent = parent.privates.back();
    EXPECT_EQ(sent.message, DLG_MSG_EXCHANGE);
    EXPECT_EQ(sent.wParam, WPARAM(PAGE_LINK_STATUS));
    EXPECT_EQ(sent.lParam, LPARAM(ON_DBM_CHECK));
}

TEST_F(SitePageTest, ARowChoosesTheNetworkItShows)
{
    wlan.list.add(named_entry(1, "a first", -50)).add(named_entry(2, "b short", -60)).add(named_entry(3, "c below", -70));
    std::uint32_t const claimed = 999;
    std::memcpy(wlan.list.data() + 4 + 124 + 112, &claimed, 4); // the second entry cannot hold its elements
    wlan.digests[3] = digest(16, 4);
    CPageSiteSurveyDlg& p = open();
    ASSERT_EQ(p.RowCount(), 2);
    EXPECT_EQ(cell(1, 1), "c below");
    p.List().SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE header {};
    header.hdr = { p.List().m_hWnd, UINT_PTR(CPageSiteSurveyDlg::IDC_LIST), UINT(NM_CLICK) };
    p.SendMessage(WM_NOTIFY, CPageSiteSurveyDlg::IDC_LIST, reinterpret_cast<LPARAM>(&header));
    ASSERT_NE(p.m_pDesiredBssid, nullptr);
    EXPECT_EQ(p.m_pDesiredBssid->MacAddress[5], 3);
    EXPECT_EQ(p.m_nWPA, 5);
    // The key notification chooses the row the arrow goes to; past the last row, nothing.
    p.SendMessage(QLN_KEYDOWN, VK_UP);
    EXPECT_EQ(p.m_pDesiredBssid->MacAddress[5], 1);
    p.SendMessage(QLN_KEYDOWN, VK_DOWN);
    EXPECT_EQ(p.m_pDesiredBssid->MacAddress[5], 1);
    // A scan-wait row has no entry: it chooses nothing.
    p.ShowScanWait();
    EXPECT_EQ(p.EntryOfRow(0), nullptr);
    p.SelectBssid(0);
    EXPECT_EQ(p.m_pDesiredBssid->MacAddress[5], 1);
    EXPECT_EQ(cell(0, 1), "Waiting for the scan");
    EXPECT_TRUE(p.List().FillCellRequest(0, 1)->m_bBold);
}

TEST_F(SitePageTest, MarksTheConnectedRowAndRescansAfterSevenMisses)
{
    wlan.list.add(named_entry(1, "Home", -50, 6)).add(named_entry(2, "Other", -60, 11));
    CPageSiteSurveyDlg& p = open();
    wlan.status.Status = VxStatus_Connected;
    wlan.status.Bssid[0] = 0x02;
    wlan.status.Bssid[5] = 2;
    wlan.status.NetworkType = 1;
    wlan.status.FrequencyKHz = station::testing::channel_khz(11);
    std::memcpy(wlan.active.SSID.Ssid, "Other", 5);
    wlan.active.SSID.SsidLength = 5;
    p.UpdateConnectStatus();
    EXPECT_EQ(p.Row(1).bConnected, 1);
    EXPECT_EQ(p.Row(0).bConnected, 0);
    EXPECT_EQ(image(1, 0), CPageSiteSurveyDlg::IMAGE_CONNECTED);
    EXPECT_EQ(p.MissingConnectedCount(), 0);

    // The active profile names another network: the row no longer counts, unless the access
    // point announces a mobility domain.
    std::memcpy(wlan.active.SSID.Ssid, "Othe", 4);
    wlan.active.SSID.SsidLength = 4;
    p.UpdateConnectStatus();
    EXPECT_EQ(p.MissingConnectedCount(), 1);
    IE_INFO_WPA mobility {};
    mobility.bMobilityDomain = 1;
    wlan.digests[2] = mobility;
    p.UpdateConnectStatus();
    EXPECT_EQ(p.MissingConnectedCount(), 1) << "a tick that finds the row leaves the count alone";
    wlan.digests.erase(2);

    int const scans = wlan.scans;
    for (int miss = 2; miss <= 6; ++miss)
        p.UpdateConnectStatus();
    EXPECT_EQ(p.MissingConnectedCount(), 6);
    EXPECT_EQ(wlan.scans, scans);
    p.UpdateConnectStatus();
    EXPECT_EQ(wlan.scans, scans + 1);
    EXPECT_EQ(p.MissingConnectedCount(), 0);
}

TEST_F(SitePageTest, ALockedProfileComparesTheLinksOwnName)
{
    wlan.list.add(named_entry(1, "Home", -50, 6));
    CPageSiteSurveyDlg& p = open();
    wlan.status.Status = VxStatus_Connected;
    wlan.status.Bssid[0] = 0x02;
    wlan.status.Bssid[5] = 1;
    wlan.status.NetworkType = 1;
    wlan.status.FrequencyKHz = station::testing::channel_khz(6);
    services->current.bBssid = 1;
    struct Case {
        char const* name;
        char const* ssid;
        bool found;
    } const cases[] = { { "same name", "Home", true }, { "longer name", "Home2", false }, { "shorter name", "Hom", false } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        wlan.status.Ssid.SsidLength = std::uint32_t(std::strlen(c.ssid));
        std::memcpy(wlan.status.Ssid.Ssid, c.ssid, wlan.status.Ssid.SsidLength);
        int const before = p.MissingConnectedCount();
        p.UpdateConnectStatus();
        EXPECT_EQ(p.MissingConnectedCount() == before, c.found);
    }
}

TEST_F(SitePageTest, RadioOffEmptiesTheList)
{
    wlan.list.add(named_entry(1, "net", -50));
    CPageSiteSurveyDlg& p = open();
    ASSERT_EQ(p.RowCount(), 1);
    wlan.sw_radio = 0;
    p.UpdateConnectStatus();
    EXPECT_EQ(p.RowCount(), 0);
    EXPECT_EQ(p.List().GetItemCount(), 0);
}

TEST_F(SitePageTest, ScanCycleOnTheManualClock)
{
    wlan.channels = 11; // 11 channels: 1650 ms
    CPageSiteSurveyDlg& p = open();
    EXPECT_EQ(p.RowCount(), 0);
    platform::testing::advance(1649);
    EXPECT_EQ(wlan.scans, 0);
    platform::testing::advance(1);
    EXPECT_EQ(wlan.scans, 1);
    EXPECT_TRUE(p.Rescanning());
    EXPECT_FALSE(enabled(kRescan));

    // The scan ends; the next 2-second poll fetches the list.
    wlan.list.add(named_entry(1, "new", -50));
    wlan.finish_scan();
    platform::testing::advance(1999);
    EXPECT_EQ(p.RowCount(), 0);
    platform::testing::advance(1);
    EXPECT_EQ(p.RowCount(), 1);
    EXPECT_FALSE(p.Rescanning());
    EXPECT_TRUE(enabled(kRescan));
    platform::testing::advance(4000);
    EXPECT_EQ(wlan.scans, 1) << "the poll only fetches; it does not scan";

    // A failed scan gives the buttons back.
    p.GetDlgItem(kRescan)->SendMessage(BM_CLICK);
    EXPECT_EQ(wlan.scans, 2);
    EXPECT_FALSE(enabled(kRescan));
    p.SendMessage(WM_USER + 1);
    EXPECT_FALSE(p.Rescanning());
    EXPECT_TRUE(enabled(kRescan));

    // The end of a WAPI attempt brings exactly one scan.
    wlan.wapi_connecting = 1;
    platform::testing::advance(2000);
    wlan.wapi_connecting = 0;
    platform::testing::advance(2000);
    platform::testing::advance(2000);
    EXPECT_EQ(wlan.scans, 3);
}

TEST_F(SitePageTest, SortButtonsReorderTheRowsAtOnce)
{
    wlan.list.add(named_entry(1, "b", -40, 11)).add(named_entry(2, "a", -70, 1)).add(named_entry(3, "c", -55, 6));
    CPageSiteSurveyDlg& p = open();
    auto order = [&] {
        std::string s;
        for (int i = 0; i < p.RowCount(); ++i)
            s += p.Row(i).strSsid;
        return s;
    };
    EXPECT_EQ(order(), "abc");
    struct Case {
        int button;
        char const* order;
    } const cases[] = { { CPageSiteSurveyDlg::IDC_SORT_SIGNAL, "bca" }, { CPageSiteSurveyDlg::IDC_SORT_CHANNEL, "acb" },
        { CPageSiteSurveyDlg::IDC_SORT_SSID, "abc" } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.order);
        p.GetDlgItem(c.button)->SendMessage(BM_CLICK);
        pump();
        EXPECT_EQ(order(), c.order);
    }
}

TEST_F(SitePageTest, DoubleClickAsksForTheDetailOfTheFocusedRow)
{
    wlan.list.add(named_entry(1, "net", -50));
    CPageSiteSurveyDlg& p = open();
    std::vector<std::string> shown;
    SetMessageBoxHandler([&](std::string const& text) { return shown.push_back(text), INT_PTR(IDOK); });
    G_UiStr.IDS_NOSELECTEDITEM = "Select a network first";
    NMITEMACTIVATE header {};
    header.hdr = { p.List().m_hWnd, UINT_PTR(CPageSiteSurveyDlg::IDC_LIST), UINT(NM_DBLCLK) };
    p.SendMessage(WM_NOTIFY, CPageSiteSurveyDlg::IDC_LIST, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(shown, std::vector<std::string> { "Select a network first" });
    p.List().SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    parent.privates.clear();
    p.SendMessage(WM_NOTIFY, CPageSiteSurveyDlg::IDC_LIST, reinterpret_cast<LPARAM>(&header));
    pump();
    ASSERT_EQ(parent.privates.size(), 1u);
    EXPECT_EQ(parent.privates[0].message, MSG_SHOW_WPSINFO);
    EXPECT_EQ(parent.privates[0].wParam, 2u);
    SetMessageBoxHandler(nullptr);
}
