// The 802.11n settings page over a fake library: the stored capability on show, Apply, the
// enabling rule, both agreement tables on timer 1, the acknowledgement policy, the coexistence
// mode and the requests its buttons send to the configuration window.
#include "FakeBlockAckLibrary.h"
#include "FeaturesFixture.h"

#include "station/core/ConfigWindowMessages.h"
#include "station/features/Page80211nSettingDlg.h"

#include <string>
#include <vector>

namespace {

using Page = CPage80211nSettingDlg;
using Row = std::vector<std::string>;

class Page80211nTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        lib.config_window = parent.m_hWnd;
        saved_option = G_VxWlLib.bACKPolicyCoexMode11nPage;
        G_VxWlLib.bACKPolicyCoexMode11nPage = 1;
    }
    void TearDown() override
    {
        page.reset();
        G_VxWlLib.bACKPolicyCoexMode11nPage = saved_option;
        FeaturesTest::TearDown();
    }

    Page& open()
    {
        page = std::make_unique<Page>(&host);
        EXPECT_TRUE(page->Create(Page::IDD, &host));
        page->ShowWindow(SW_SHOW);
        pump();
        return *page;
    }
    HWND item(int id) const { return ::GetDlgItem(page->m_hWnd, id); }
    bool checked(int id) const { return ::SendMessage(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool enabled(int id) const { return ::IsWindowEnabled(item(id)) != FALSE; }
    bool visible(int id) const { return ::IsWindowVisible(item(id)) != FALSE; }
    void set_check(int id, bool on) { ::SendMessage(item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
    // The notification alone: the control's state stays as the test set it.
    void click(int id)
    {
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        pump();
    }
    std::string combo_text(int id) const
    {
        int const sel = int(::SendMessage(item(id), CB_GETCURSEL, 0, 0));
        char text[128] {};
        if (sel >= 0)
            ::SendMessage(item(id), CB_GETLBTEXT, WPARAM(sel), reinterpret_cast<LPARAM>(text));
        return text;
    }
    CQuickList& list(int id) const { return *dynamic_cast<CQuickList*>(CWnd::FromHandlePermanent(item(id))); }
    std::vector<Row> rows(int id) const
    {
        std::vector<Row> out;
        CQuickList& l = list(id);
        for (int i = 0; i < l.GetItemCount(); ++i) {
            Row row;
            for (int c = 0; c <= 8; ++c)
                row.push_back(l.FillCellRequest(i, c)->m_strText.str());
            out.push_back(row);
        }
        return out;
    }
    void tick()
    {
        platform::testing::advance(Page::kRefreshMs);
        pump();
    }

    FakeBlockAckLibrary lib;
    std::unique_ptr<Page> page;
    int saved_option {};
};

void put(BA_ENTRY& e, BYTE last, std::initializer_list<std::pair<int, int>> agreements)
{
    BYTE const mac[6] = { 0x02, 0x10, 0x00, 0x00, 0x00, last };
    std::memcpy(e.Mac, mac, 6);
    for (auto [tid, window] : agreements) {
        e.TidBitmap = BYTE(e.TidBitmap | 1u << tid);
        e.WindowSize[tid] = BYTE(window);
    }
}

constexpr int kModeAndDensity[] = { Page::IDC_MANUAL, Page::IDC_AUTO, Page::IDC_DENSITY };
constexpr int kAgreementButtons[] = { Page::IDC_ORIGINATOR_ADD, Page::IDC_ORIGINATOR_DELETE, Page::IDC_ORIGINATOR_DELETE_ALL,
    Page::IDC_RECIPIENT_ADD, Page::IDC_RECIPIENT_DELETE, Page::IDC_RECIPIENT_DELETE_ALL };

}

// [SECTION] The capability

TEST_F(Page80211nTest, ShowReadsTheStoredCapabilityIntoTheControls)
{
    lib.cap_stored = true;
    lib.packed = 0x01FC2020; // manual, aggregation off, density 7, A-MSDU on at 7935, dynamic SMPS
    open();
    EXPECT_FALSE(checked(Page::IDC_AGGREGATION));
    EXPECT_TRUE(checked(Page::IDC_MANUAL));
    EXPECT_FALSE(checked(Page::IDC_AUTO));
    EXPECT_EQ(combo_text(Page::IDC_DENSITY), "7");
    EXPECT_TRUE(checked(Page::IDC_AMSDU));
    EXPECT_TRUE(checked(Page::IDC_AMSDU_7935));
    EXPECT_TRUE(checked(Page::IDC_SMPS_DYNAMIC));
    EXPECT_FALSE(enabled(Page::IDC_DENSITY)) << "aggregation off";

    // A-MSDU stored off clears the box and keeps the size shown before.
    lib.packed = 0x03032020 | 7u << 19;
    page->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    pump();
    EXPECT_FALSE(checked(Page::IDC_AMSDU));
    EXPECT_TRUE(checked(Page::IDC_AMSDU_7935));
    EXPECT_FALSE(enabled(Page::IDC_AMSDU_7935));
}

// Without a stored capability the page keeps its own values: aggregation on, automatic,
// density 0, A-MSDU on at 3839 bytes, power save off; Apply sends and stores exactly those.
TEST_F(Page80211nTest, ApplySetsTheRecordThenStoresItsPackedWord)
{
    open();
    EXPECT_TRUE(checked(Page::IDC_AUTO));
    EXPECT_EQ(combo_text(Page::IDC_DENSITY), "0");
    EXPECT_TRUE(checked(Page::IDC_SM_ENABLE));
    click(Page::IDC_APPLY);
    ASSERT_EQ(lib.cap_sets.size(), 1u);
    BA_CAP_SETTING const defaults { 32, 32, 1, 0, 1, 0, 3, 1 };
    EXPECT_EQ(std::memcmp(&lib.cap_sets[0], &defaults, 8), 0);
    EXPECT_EQ(lib.cap_writes, std::vector<VXWL_U32> { 0x03432020 });

    set_check(Page::IDC_AGGREGATION, false);
    set_check(Page::IDC_SM_ENABLE, false);
    set_check(Page::IDC_SMPS_DYNAMIC, true);
    click(Page::IDC_APPLY);
    ASSERT_EQ(lib.cap_sets.size(), 2u);
    EXPECT_EQ(lib.cap_sets[1].Aggregation, 2);
    EXPECT_EQ(lib.cap_sets[1].PowerSave, 1);
    EXPECT_EQ(lib.cap_writes[1] >> 24 & 3, 1u);
    EXPECT_FALSE(enabled(Page::IDC_MANUAL)) << "the rule runs after Apply";
}

TEST_F(Page80211nTest, EnablingRuleFollowsAggregationModeAndAmsdu)
{
    struct Case {
        char const* name;
        bool aggregation;
        bool manual;
        bool amsdu;
        bool mode_and_density;
        bool buttons;
    };
    Case const cases[] = {
        { "off, A-MSDU on", false, true, true, false, false },
        { "off, A-MSDU off", false, false, false, false, false },
        { "on and manual, A-MSDU on", true, true, true, true, true },
        { "on and manual, A-MSDU off", true, true, false, true, true },
        { "on and automatic, A-MSDU on", true, false, true, true, false },
        { "on and automatic, A-MSDU off", true, false, false, true, false },
    };
    open();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        set_check(Page::IDC_MANUAL, c.manual);
        set_check(Page::IDC_AUTO, !c.manual);
        set_check(Page::IDC_AMSDU, c.amsdu);
        set_check(Page::IDC_AGGREGATION, c.aggregation);
        // A click on either box reads the controls and runs the rule.
        click((&c - cases) % 2 ? Page::IDC_AMSDU : Page::IDC_AGGREGATION);
        for (int id : kModeAndDensity)
            EXPECT_EQ(enabled(id), c.mode_and_density) << id;
        for (int id : kAgreementButtons)
            EXPECT_EQ(enabled(id), c.buttons) << id;
        EXPECT_EQ(enabled(Page::IDC_AMSDU_3839), c.amsdu);
        EXPECT_EQ(enabled(Page::IDC_AMSDU_7935), c.amsdu);
    }
}

// A radio button unchecks the others of its group only: the groups end before the check boxes
// that follow them.
TEST_F(Page80211nTest, RadioClicksLeaveTheCheckBoxesAlone)
{
    lib.policy = { 1, 1, 1, 1 };
    open();
    for (int id : { Page::IDC_SMPS_STATIC, Page::IDC_MANUAL, Page::IDC_AMSDU_3839 }) {
        SCOPED_TRACE(id);
        ::SendMessage(item(id), BM_CLICK, 0, 0);
        pump();
        EXPECT_TRUE(checked(id));
        for (int box : { Page::IDC_AGGREGATION, Page::IDC_AMSDU, Page::IDC_POLICY_BE, Page::IDC_POLICY_VO })
            EXPECT_TRUE(checked(box)) << box;
    }
    EXPECT_FALSE(checked(Page::IDC_SM_ENABLE));
    EXPECT_FALSE(checked(Page::IDC_AUTO));
}

// [SECTION] The tables

TEST_F(Page80211nTest, TablesShowTheAgreementsOnEachTick)
{
    put(lib.table.Originator[2], 5, { { 0, 32 }, { 5, 64 } });
    lib.table.OriginatorCount = 1;
    put(lib.table.Recipient[1], 7, { { 7, 8 } });
    lib.table.RecipientCount = 1;
    open();
    EXPECT_EQ(list(Page::IDC_ORIGINATOR_LIST).GetItemCount(), 0) << "nothing before the first tick";
    tick();
    EXPECT_EQ(rows(Page::IDC_ORIGINATOR_LIST), (std::vector<Row> { { "02-10-00-00-00-05", "32", "-", "-", "-", "-", "64", "-", "-" } }));
    EXPECT_EQ(rows(Page::IDC_RECIPIENT_LIST), (std::vector<Row> { { "02-10-00-00-00-07", "-", "-", "-", "-", "-", "-", "-", "8" } }));

    // A count above the non-empty entries shows no rows in that half.
    lib.table.OriginatorCount = 2;
    tick();
    EXPECT_EQ(list(Page::IDC_ORIGINATOR_LIST).GetItemCount(), 0);
    EXPECT_EQ(list(Page::IDC_RECIPIENT_LIST).GetItemCount(), 1);

    // A failed query leaves both as they were; an empty table empties both.
    lib.table_ok = false;
    tick();
    EXPECT_EQ(list(Page::IDC_RECIPIENT_LIST).GetItemCount(), 1);
    lib.table_ok = true;
    lib.table = {};
    tick();
    EXPECT_EQ(list(Page::IDC_ORIGINATOR_LIST).GetItemCount(), 0);
    EXPECT_EQ(list(Page::IDC_RECIPIENT_LIST).GetItemCount(), 0);
}

TEST_F(Page80211nTest, TheRefreshRunsOnlyWhileShown)
{
    open();
    tick();
    int const queries = lib.table_queries;
    EXPECT_EQ(queries, 1);
    page->ShowWindow(SW_HIDE);
    pump();
    tick();
    tick();
    EXPECT_EQ(lib.table_queries, queries);
    EXPECT_EQ(page->m_nTimer, 0u);
}

TEST_F(Page80211nTest, ListsHaveTheMacColumnAndOneColumnPerTid)
{
    open();
    CQuickList& l = list(Page::IDC_ORIGINATOR_LIST);
    CRect rect;
    l.GetWindowRect(&rect);
    EXPECT_EQ(l.GetColumnWidth(0), rect.Width() * 14 / 30);
    for (int c = 1; c <= 8; ++c)
        EXPECT_EQ(l.GetColumnWidth(c), rect.Width() / 15) << c;
    EXPECT_EQ(l.GetHeaderCtrl()->GetItemCount(), 9);
}

// [SECTION] Buttons to the window

TEST_F(Page80211nTest, AgreementButtonsAskTheWindowForItsDialogs)
{
    struct Case {
        int id;
        UINT message;
        LPARAM lParam;
    };
    Case const cases[] = {
        { Page::IDC_ORIGINATOR_ADD, MSG_SHOW_ADDBADLG, 1 },
        { Page::IDC_RECIPIENT_ADD, MSG_SHOW_ADDBADLG, 0 },
        { Page::IDC_ORIGINATOR_DELETE, MSG_SHOW_DELBADLG, 1 },
        { Page::IDC_ORIGINATOR_DELETE_ALL, MSG_SHOW_DELBADLG, 2 },
        { Page::IDC_RECIPIENT_DELETE, MSG_SHOW_DELBADLG, 3 },
        { Page::IDC_RECIPIENT_DELETE_ALL, MSG_SHOW_DELBADLG, 4 },
    };
    open();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.id);
        parent.privates.clear();
        page->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), reinterpret_cast<LPARAM>(item(c.id)));
        ASSERT_EQ(parent.privates.size(), 1u) << "sent, not posted";
        EXPECT_EQ(parent.privates[0].message, c.message);
        EXPECT_EQ(parent.privates[0].wParam, 3u);
        EXPECT_EQ(parent.privates[0].lParam, c.lParam);
    }
}

// [SECTION] Acknowledgement policy and coexistence

TEST_F(Page80211nTest, PolicyIsReadIntoTheBoxesOrStoredAsAllOn)
{
    lib.policy = { 1, 0, 1, 0 };
    open();
    EXPECT_EQ(lib.policy_reads, 1);
    EXPECT_TRUE(checked(Page::IDC_POLICY_BE));
    EXPECT_FALSE(checked(Page::IDC_POLICY_BK));
    EXPECT_TRUE(checked(Page::IDC_POLICY_VI));
    EXPECT_FALSE(checked(Page::IDC_POLICY_VO));
    EXPECT_TRUE(lib.policy_calls.empty());

    page.reset();
    lib.policy_ok = false;
    open();
    EXPECT_EQ(lib.policy_calls, std::vector<std::string> { "write" });
    EXPECT_EQ(lib.policy_values[0], (FakeBlockAckLibrary::Policy { 1, 1, 1, 1 }));
    for (int id : { Page::IDC_POLICY_BE, Page::IDC_POLICY_BK, Page::IDC_POLICY_VI, Page::IDC_POLICY_VO })
        EXPECT_TRUE(checked(id)) << id;
}

TEST_F(Page80211nTest, OptionOffHidesThePolicyAndCoexistenceButStillReads)
{
    G_VxWlLib.bACKPolicyCoexMode11nPage = 0;
    lib.policy_ok = false;
    open();
    for (int id : { 1654, 1649, 1650, 1651, 1652, 1645, 1646, 1647, 1648, 1653, 1616 })
        EXPECT_FALSE(visible(id)) << id;
    EXPECT_EQ(lib.policy_reads, 1);
    EXPECT_EQ(lib.policy_calls, std::vector<std::string> { "write" });
    EXPECT_TRUE(visible(Page::IDC_AMSDU)) << "shown by initialisation";
    EXPECT_TRUE(visible(Page::IDC_SMPS_DYNAMIC));
}

TEST_F(Page80211nTest, APolicyClickWritesThenSets)
{
    open();
    lib.policy_calls.clear();
    lib.policy_values.clear();
    set_check(Page::IDC_POLICY_VO, true);
    click(Page::IDC_POLICY_VO);
    EXPECT_EQ(lib.policy_calls, (std::vector<std::string> { "write", "set" }));
    ASSERT_EQ(lib.policy_values.size(), 2u);
    FakeBlockAckLibrary::Policy const expected { 1, 0, 1, 1 };
    EXPECT_EQ(lib.policy_values[0], expected);
    EXPECT_EQ(lib.policy_values[1], expected);
}

// A library without the optional exports: nothing is called, nothing breaks, the boxes stay.
TEST_F(Page80211nTest, PolicyWithoutTheExportsCallsNothing)
{
    lib.drop_policy_exports();
    open();
    click(Page::IDC_POLICY_BE);
    EXPECT_EQ(lib.policy_reads, 0);
    EXPECT_TRUE(lib.policy_calls.empty());
}

TEST_F(Page80211nTest, CoexistenceModeGoesOutOnlyOnASelectionChange)
{
    open();
    EXPECT_EQ(::SendMessage(item(Page::IDC_COEX), CB_GETCOUNT, 0, 0), 13);
    EXPECT_EQ(combo_text(Page::IDC_COEX), "40 Intolerant \"1\" in AssocReq");
    EXPECT_TRUE(lib.coex_modes.empty()) << "the first item is selected without a call";
    ::SendMessage(item(Page::IDC_COEX), CB_SETCURSEL, 12, 0);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(Page::IDC_COEX, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(Page::IDC_COEX)));
    EXPECT_EQ(lib.coex_modes, std::vector<std::string> { "20/40 COEX Scan and Report" });
    ::SendMessage(item(Page::IDC_COEX), CB_SETCURSEL, WPARAM(-1), 0);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(Page::IDC_COEX, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(Page::IDC_COEX)));
    EXPECT_EQ(lib.coex_modes.size(), 1u) << "nothing selected: no call";
}
