// The statistics page: the ten counter texts read from a status record put in the status slot,
// the refresh timer that runs only while the page shows, the reset, and the two tabs.
#include "station/controls/tests/DialogsFixture.h"

#include "station/core/ConfigWindowMessages.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/PageStatisticsDlg.h"
#include "station/survey/StatisticsTexts.h"

#include <cstring>
#include <memory>

using station::survey::FormatStatistics;

namespace {

// Byte offsets of the counter block (at byte 208 of the record) that the page reads.
constexpr std::uint32_t kTxOk = 8, kTxFailedAck = 24, kTxRetried = 32, kRtsOk = 48, kRtsFailed = 56,
                        kRxDuplicate = 72, kRxCrc = 96;

void set_counter(WLAN_STATUS& s, std::uint32_t offset, std::int64_t value)
{
    std::memcpy(reinterpret_cast<std::uint8_t*>(&s) + 208 + offset, &value, 8);
}

void set_word(WLAN_STATUS& s, std::uint32_t offset, std::uint32_t value)
{
    std::memcpy(reinterpret_cast<std::uint8_t*>(&s) + offset, &value, 4);
}

// A record whose every counter is a different number.
WLAN_STATUS counting_status()
{
    WLAN_STATUS s {};
    set_counter(s, kTxOk, 1000);
    set_counter(s, kTxRetried, 30);
    set_counter(s, kTxFailedAck, 4);
    set_counter(s, kRtsOk, 50);
    set_counter(s, kRtsFailed, 6);
    set_counter(s, kRxDuplicate, 7);
    set_counter(s, kRxCrc, 8);
    set_word(s, 408, 900);
    set_word(s, 416, 901);
    set_word(s, 420, 9);
    return s;
}

struct FakeCounters {
    WLAN_STATUS status {};
    int win_os { 12 };
    int queries {};
    int resets {};
    WLAN_STATUS_REQUEST last_request {};

    static FakeCounters& the()
    {
        static FakeCounters fake;
        return fake;
    }
    static void bind()
    {
        the() = FakeCounters {};
        G_VxWlLib.VXWL_QueryWLANStatus.bind([](WLAN_STATUS* s, WLAN_STATUS_REQUEST request) {
            ++the().queries;
            the().last_request = request;
            *s = the().status;
            return 1;
        });
        G_VxWlLib.VXWL_GetWinOS.bind([] { return the().win_os; });
        G_VxWlLib.VXWL_ResetCounter.bind([] { return ++the().resets, 1; });
    }
    static void unbind()
    {
        G_VxWlLib.VXWL_QueryWLANStatus.bind(nullptr);
        G_VxWlLib.VXWL_GetWinOS.bind(nullptr);
        G_VxWlLib.VXWL_ResetCounter.bind(nullptr);
    }
};

class WindowServices : public HideDlgServices {
public:
    explicit WindowServices(HWND window)
        : m_window(window)
    {
        set_hide_dlg_services(this);
    }
    ~WindowServices() override { set_hide_dlg_services(nullptr); }
    HWND config_window() const override { return m_window; }

private:
    HWND m_window;
};

}

// [SECTION] The texts of one record

TEST(StatisticsTexts, ReadTheCountersOfTheRecord)
{
    auto const t = FormatStatistics(counting_status(), 12);
    EXPECT_EQ(t.tx, (std::array<std::string, 6> { "1000", "30", "4", "50", "6", "970" }));
    EXPECT_EQ(t.rx, (std::array<std::string, 4> { "900", "8", "9", "7" }));
}

TEST(StatisticsTexts, EdgeCases)
{
    struct Case {
        char const* name;
        int win_os;
        std::int64_t tx_ok, tx_retried;
        std::uint32_t rx_ok_408, rx_ok_416;
        char const* want_tx_ok;
        char const* want_no_retry;
        char const* want_rx_ok;
    };
    Case const cases[] = {
        { "above 2^32 in full; the no-retry figure in 64 bits", 12, 4294967301LL, 5, 1, 2, "4294967301", "4294967296",
            "1" },
        { "code 10 reads byte 408", 10, 0, 0, 77, 88, "0", "0", "77" },
        { "code 9 reads byte 416", 9, 0, 0, 77, 88, "0", "0", "88" },
        { "more retries than successes: a negative figure, as signed counters give", 12, 3, 5, 0, 0, "3", "-2", "0" },
        { "a full 32-bit receive count", 12, 0, 0, 4294967295u, 0, "0", "0", "4294967295" },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        WLAN_STATUS s {};
        set_counter(s, kTxOk, c.tx_ok);
        set_counter(s, kTxRetried, c.tx_retried);
        set_word(s, 408, c.rx_ok_408);
        set_word(s, 416, c.rx_ok_416);
        auto const t = FormatStatistics(s, c.win_os);
        EXPECT_EQ(t.tx[0], c.want_tx_ok);
        EXPECT_EQ(t.tx[5], c.want_no_retry);
        EXPECT_EQ(t.rx[0], c.want_rx_ok);
    }
}

// [SECTION] The page

class StatisticsPageTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        FakeCounters::bind();
        auto& s = G_UiStr;
        s.IDS_STA_TX = "Transmit";
        s.IDS_STA_RX = "Receive";
        s.IDS_STA_TXOK = "Sent";
        s.IDS_STA_TXOKNORETRY = "Sent at once";
        s.IDS_STA_RXOK = "Received";
        s.IDS_STA_RXDUPLI = "Duplicates";
        s.IDS_STA_RESETCOUNTER = "Zero the counters";
    }
    void TearDown() override
    {
        page.reset();
        FakeCounters::unbind();
        DialogsTest::TearDown();
    }

    static FakeCounters& fake() { return FakeCounters::the(); }

    CPageStatisticsDlg& open()
    {
        page = std::make_unique<CPageStatisticsDlg>(&parent);
        EXPECT_TRUE(page->Create(CPageStatisticsDlg::IDD, &parent));
        page->ShowWindow(SW_SHOW);
        pump();
        return *page;
    }

    std::string tx(int row) const
    {
        return text_of(::GetDlgItem(page->TxTab().m_hWnd, CPageStatisticsTXDlg::IDC_FIRST_VALUE + row));
    }
    std::string rx(int row) const
    {
        return text_of(::GetDlgItem(page->RxTab().m_hWnd, CPageStatisticsRXDlg::IDC_FIRST_VALUE + row));
    }
    bool shown(CWnd& w) const { return (w.GetStyle() & WS_VISIBLE) != 0; }

    std::unique_ptr<CPageStatisticsDlg> page;
};

TEST_F(StatisticsPageTest, RefreshesEveryTwoSecondsWhileShown)
{
    fake().status = counting_status();
    open();
    EXPECT_EQ(fake().queries, 0);
    platform::testing::advance(1999);
    EXPECT_EQ(fake().queries, 0);
    platform::testing::advance(1);
    EXPECT_EQ(fake().queries, 1);
    EXPECT_EQ(fake().last_request.Switch[4], 1u);
    EXPECT_EQ(fake().last_request.Switch[0] + fake().last_request.Switch[1] + fake().last_request.Switch[2]
            + fake().last_request.Switch[3],
        0u);
    EXPECT_EQ(tx(0), "1000");
    EXPECT_EQ(tx(5), "970");
    EXPECT_EQ(rx(0), "900");
    EXPECT_EQ(rx(3), "7");

    page->ShowWindow(SW_HIDE);
    pump();
    platform::testing::advance(10000);
    EXPECT_EQ(fake().queries, 1) << "no queries while hidden";
    page->ShowWindow(SW_SHOW);
    pump();
    platform::testing::advance(1999);
    EXPECT_EQ(fake().queries, 1);
    platform::testing::advance(1);
    EXPECT_EQ(fake().queries, 2) << "shown again, the first refresh comes after 2000 ms";
}

TEST_F(StatisticsPageTest, ResetShowsZerosAtOnceAndTellsTheWindow)
{
    WindowServices services(parent.m_hWnd);
    fake().status = counting_status();
    open();
    platform::testing::advance(2000);
    ASSERT_EQ(tx(0), "1000");
    parent.privates.clear();
    ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(CPageStatisticsDlg::IDC_RESET_COUNTER, BN_CLICKED),
        reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, CPageStatisticsDlg::IDC_RESET_COUNTER)));
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(tx(row), "0") << "transmit row " << row;
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(rx(row), "0") << "receive row " << row;
    EXPECT_EQ(fake().resets, 1);
    pump();
    ASSERT_EQ(parent.privates.size(), 1u);
    EXPECT_EQ(parent.privates[0].message, UINT { DLG_MSG_EXCHANGE });
    EXPECT_EQ(parent.privates[0].wParam, WPARAM { PAGE_STATISTICS_DLG });
    EXPECT_EQ(parent.privates[0].lParam, 0);

    fake().status = WLAN_STATUS {};
    set_counter(fake().status, kTxOk, 12);
    platform::testing::advance(2000);
    EXPECT_EQ(tx(0), "12") << "the next refresh shows the library's counters";
}

TEST_F(StatisticsPageTest, ResetWithoutAWindowStillResets)
{
    open();
    page->SendMessage(WM_COMMAND, MAKEWPARAM(CPageStatisticsDlg::IDC_RESET_COUNTER, BN_CLICKED), 0);
    EXPECT_EQ(fake().resets, 1);
    EXPECT_EQ(tx(0), "0");
}

TEST_F(StatisticsPageTest, TabButtonsSwitchTheTabs)
{
    open();
    HWND const tx_button = ::GetDlgItem(page->m_hWnd, CPageStatisticsDlg::IDC_TX_BUTTON);
    HWND const rx_button = ::GetDlgItem(page->m_hWnd, CPageStatisticsDlg::IDC_RX_BUTTON);
    ASSERT_NE(tx_button, nullptr);
    ASSERT_NE(rx_button, nullptr);
    EXPECT_EQ(text_of(tx_button), "Transmit");
    EXPECT_EQ(text_of(rx_button), "Receive");
    EXPECT_TRUE(shown(page->TxTab()));
    EXPECT_FALSE(shown(page->RxTab()));
    ::SendMessage(rx_button, BM_CLICK, 0, 0);
    pump();
    EXPECT_FALSE(shown(page->TxTab()));
    EXPECT_TRUE(shown(page->RxTab()));
    ::SendMessage(tx_button, BM_CLICK, 0, 0);
    pump();
    EXPECT_TRUE(shown(page->TxTab()));
    EXPECT_FALSE(shown(page->RxTab()));
}

TEST_F(StatisticsPageTest, TabsSitOverTheirAreaWithTheLanguageTexts)
{
    open();
    RECT area {}, host {};
    ::GetWindowRect(::GetDlgItem(page->m_hWnd, CPageStatisticsDlg::IDC_TAB_AREA), &area);
    ::GetWindowRect(page->TabHost().m_hWnd, &host);
    EXPECT_EQ(host.left, area.left);
    EXPECT_EQ(host.top, area.top);
    EXPECT_EQ(host.right, area.right);
    EXPECT_EQ(host.bottom, area.bottom);
    EXPECT_EQ(::GetParent(page->TxTab().m_hWnd), page->TabHost().m_hWnd);
    EXPECT_EQ(text_of(::GetDlgItem(page->TxTab().m_hWnd, CPageStatisticsTXDlg::IDC_FIRST_LABEL)), "Sent");
    EXPECT_EQ(text_of(::GetDlgItem(page->TxTab().m_hWnd, CPageStatisticsTXDlg::IDC_FIRST_LABEL + 5)), "Sent at once");
    EXPECT_EQ(text_of(::GetDlgItem(page->RxTab().m_hWnd, CPageStatisticsRXDlg::IDC_FIRST_LABEL)), "Received");
    EXPECT_EQ(text_of(::GetDlgItem(page->RxTab().m_hWnd, CPageStatisticsRXDlg::IDC_FIRST_LABEL + 3)), "Duplicates");
    EXPECT_EQ(text_of(::GetDlgItem(page->m_hWnd, CPageStatisticsDlg::IDC_RESET_COUNTER)), "Zero the counters");
}

TEST_F(StatisticsPageTest, EtchedLineAcrossTheTop)
{
    open();
    ::UpdateWindow(page->m_hWnd);
    pump();
    CRect client;
    page->GetClientRect(&client);
    for (int x : { 0, client.Width() / 2, client.Width() - 1 }) {
        EXPECT_EQ(pixel(page->m_hWnd, x, 0), ::GetSysColor(COLOR_BTNSHADOW)) << x;
        EXPECT_EQ(pixel(page->m_hWnd, x, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT)) << x;
    }
    EXPECT_EQ(pixel(page->m_hWnd, 0, 2), ::GetSysColor(COLOR_BTNFACE));
}
