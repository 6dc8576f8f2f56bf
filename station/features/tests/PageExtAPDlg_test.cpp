// The hosted network page over a fake library: what Apply refuses and stores, the channel list,
// the address refresh on timer 1, and the lower child it shows with itself.
#include "FakeHostedLibrary.h"
#include "FeaturesFixture.h"

#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/features/PageExtAPDlg.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class PageExtAPTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        saved_ui = G_UiStr;
        G_UiStr.IDS_MSG_INVALID_MAXCLIENT = "IDS_MSG_INVALID_MAXCLIENT";
        G_UiStr.IDS_ADHOCINPUTSSID = "IDS_ADHOCINPUTSSID";
        G_UiStr.IDS_MSGPSKKEYINVALID = "IDS_MSGPSKKEYINVALID";
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
    }
    void TearDown() override
    {
        page.reset();
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        FeaturesTest::TearDown();
    }

    CPageExtAPDlg& open()
    {
        page = std::make_unique<CPageExtAPDlg>(&host);
        EXPECT_TRUE(page->Create(CPageExtAPDlg::IDD, &host));
        page->ShowWindow(SW_SHOW);
        pump();
        return *page;
    }
    void type(int id, std::string const& text) { ::SetDlgItemText(page->m_hWnd, id, text.c_str()); }
    std::string shown(int id) const { return text_of(::GetDlgItem(page->m_hWnd, id)); }
    bool visible(int id) const { return ::IsWindowVisible(::GetDlgItem(page->m_hWnd, id)) != FALSE; }
    void apply()
    {
        page->SendMessage(WM_COMMAND, MAKEWPARAM(CPageExtAPDlg::IDC_APPLY, BN_CLICKED),
            reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, CPageExtAPDlg::IDC_APPLY)));
        pump();
    }
    std::vector<std::string> channel_items() const
    {
        std::vector<std::string> items;
        HWND combo = ::GetDlgItem(page->m_hWnd, CPageExtAPDlg::IDC_CHANNEL);
        for (int i = 0; i < int(::SendMessage(combo, CB_GETCOUNT, 0, 0)); ++i) {
            char text[16] {};
            ::SendMessage(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    std::string selected_channel() const
    {
        HWND combo = ::GetDlgItem(page->m_hWnd, CPageExtAPDlg::IDC_CHANNEL);
        int const sel = int(::SendMessage(combo, CB_GETCURSEL, 0, 0));
        char text[16] {};
        if (sel >= 0)
            ::SendMessage(combo, CB_GETLBTEXT, WPARAM(sel), reinterpret_cast<LPARAM>(text));
        return text;
    }

    FakeHostedLibrary lib;
    std::unique_ptr<CPageExtAPDlg> page;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
};

ExtAPConfig record(std::string const& ssid, std::string const& key, std::uint32_t channel, std::uint32_t peers)
{
    ExtAPConfig r {};
    r.SsidLength = std::uint32_t(ssid.size());
    std::memcpy(r.Ssid, ssid.data(), ssid.size());
    r.Channel = channel;
    r.KeyLength = std::uint32_t(key.size());
    std::memcpy(r.Key, key.data(), key.size());
    r.MaxPeers = peers;
    return r;
}

std::string const kHex64 = "0123456789abcdef0123456789ABCDEF0123456789abcdef0123456789abcdef";

}

// In the Part's order: max peers, then SSID, then key; the first refusal is the one shown.
TEST_F(PageExtAPTest, ApplyRefusesInTheOrderOfItsChecks)
{
    struct Case {
        char const* name;
        std::string peers;
        std::string ssid;
        std::string key;
        char const* refusal; // null: accepted
    };
    Case const cases[] = {
        { "max peers 0", "0", "", "1", "IDS_MSG_INVALID_MAXCLIENT" },
        { "max peers 33", "33", "Den", "12345678", "IDS_MSG_INVALID_MAXCLIENT" },
        { "max peers abc", "abc", "Den", "12345678", "IDS_MSG_INVALID_MAXCLIENT" },
        { "max peers 12abc", "12abc", "Den", "12345678", "IDS_MSG_INVALID_MAXCLIENT" },
        { "max peers empty", "", "Den", "12345678", "IDS_MSG_INVALID_MAXCLIENT" },
        { "max peers 32", "32", "Den", "12345678", nullptr },
        { "empty SSID", "20", "", "1", "IDS_ADHOCINPUTSSID" },
        { "key of 7", "20", "Den", "1234567", "IDS_MSGPSKKEYINVALID" },
        { "key of 63", "20", "Den", std::string(63, 'x'), nullptr },
        { "64 hexadecimal", "20", "Den", kHex64, nullptr },
        { "64 with one g", "20", "Den", kHex64.substr(0, 63) + "g", "IDS_MSGPSKKEYINVALID" },
    };
    open();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        lib.writes.clear();
        lib.setups.clear();
        type(CPageExtAPDlg::IDC_MAX_PEERS, c.peers);
        type(CPageExtAPDlg::IDC_SSID, c.ssid);
        type(CPageExtAPDlg::IDC_KEY, c.key);
        apply();
        if (c.refusal) {
            EXPECT_EQ(boxes, std::vector<std::string> { c.refusal });
            EXPECT_TRUE(lib.writes.empty());
            EXPECT_TRUE(lib.setups.empty());
        } else {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(lib.writes.size(), 1u);
            EXPECT_EQ(lib.setups.size(), 1u);
        }
        EXPECT_EQ(shown(CPageExtAPDlg::IDC_SSID), c.ssid) << "the page keeps its values";
    }
}

// The record is zeroed, then filled; the set-up gets the very same bytes.
TEST_F(PageExtAPTest, ApplyStoresTheRecordByteForByteThenSetsItUp)
{
    lib.stored = true;
    lib.record = record("Old", "old-key-1", 11, 5);
    open();
    std::string const ssid(32, 'S');
    type(CPageExtAPDlg::IDC_SSID, ssid);
    type(CPageExtAPDlg::IDC_KEY, "hosted-key");
    type(CPageExtAPDlg::IDC_MAX_PEERS, "32");
    apply();
    ASSERT_EQ(lib.writes.size(), 1u);
    ASSERT_EQ(lib.setups.size(), 1u);
    ExtAPConfig const expected = record(ssid, "hosted-key", 11, 32);
    EXPECT_EQ(lib.writes[0].SsidLength, 32u);
    EXPECT_EQ(std::memcmp(&lib.writes[0], &expected, sizeof expected), 0);
    EXPECT_EQ(std::memcmp(&lib.setups[0], &expected, sizeof expected), 0);
}

TEST_F(PageExtAPTest, EditsHoldThirtyTwoAndSixtyFourBytes)
{
    open();
    EXPECT_EQ(page->SendDlgItemMessage(CPageExtAPDlg::IDC_SSID, EM_GETLIMITTEXT), 32);
    EXPECT_EQ(page->SendDlgItemMessage(CPageExtAPDlg::IDC_KEY, EM_GETLIMITTEXT), 64);
}

// A record whose lengths pass their fields shows no more than the fields hold; a failed read
// leaves the texts alone.
TEST_F(PageExtAPTest, LoadReadsWithinTheFields)
{
    lib.stored = true;
    lib.record = record(std::string(32, 'n'), std::string(64, 'k'), 6, 8);
    lib.record.SsidLength = 40;
    lib.record.KeyLength = 200;
    lib.record.IpAddress[0] = 192;
    lib.record.IpAddress[1] = 168;
    lib.record.IpAddress[2] = 137;
    lib.record.IpAddress[3] = 1;
    open();
    EXPECT_EQ(shown(CPageExtAPDlg::IDC_SSID), std::string(32, 'n'));
    EXPECT_EQ(page->m_strKey.str(), std::string(64, 'k'));
    EXPECT_EQ(shown(CPageExtAPDlg::IDC_MAX_PEERS), "8");
    EXPECT_EQ(shown(CPageExtAPDlg::IDC_IP), "192.168.137.1");
    lib.stored = false;
    page->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    EXPECT_EQ(shown(CPageExtAPDlg::IDC_MAX_PEERS), "8");
}

TEST_F(PageExtAPTest, ChannelListLeavesOutTheFortyMegahertzCentresAndSelectsTheStoredChannel)
{
    lib.channels = { 1, 6, 34, 36, 38, 40, 42, 44, 46, 48 };
    lib.stored = true;
    lib.record = record("Den", "12345678", 44, 20);
    lib.op_mode = 1;
    open();
    EXPECT_EQ(channel_items(), (std::vector<std::string> { "1", "6", "36", "40", "44", "48" }));
    EXPECT_EQ(selected_channel(), "44");
    EXPECT_TRUE(visible(CPageExtAPDlg::IDC_CHANNEL));
    EXPECT_TRUE(visible(CPageExtAPDlg::IDC_CHANNEL_LABEL));

    lib.record.Channel = 13;
    page->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    EXPECT_EQ(selected_channel(), "1") << "a channel the list lacks selects the first";
}

// Hidden controls still carry the selection into the record; an empty list stores channel 0.
TEST_F(PageExtAPTest, ChannelIsStoredEvenWhileItsControlsAreHidden)
{
    lib.stored = true;
    lib.record = record("Den", "12345678", 6, 20);
    lib.op_mode = 2;
    open();
    EXPECT_FALSE(visible(CPageExtAPDlg::IDC_CHANNEL));
    EXPECT_FALSE(visible(CPageExtAPDlg::IDC_CHANNEL_LABEL));
    apply();
    ASSERT_EQ(lib.writes.size(), 1u);
    EXPECT_EQ(lib.writes[0].Channel, 6u);

    lib.channels.clear();
    page->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    apply();
    ASSERT_EQ(lib.writes.size(), 2u);
    EXPECT_EQ(lib.writes[1].Channel, 0u);

    // A count past the 64-byte array is read no further than the array.
    lib.channels.assign(64, 9);
    lib.channel_count_override = 1000;
    page->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    EXPECT_EQ(channel_items().size(), 64u);
}

// Timer 1 runs while the page is shown: the address of a network that started shows within
// one tick; a hidden page reads nothing.
TEST_F(PageExtAPTest, AddressFollowsTheNetworkWhileShown)
{
    lib.stored = true;
    lib.record = record("Den", "12345678", 6, 20);
    open();
    EXPECT_EQ(shown(CPageExtAPDlg::IDC_IP), "0.0.0.0");
    lib.record.IpAddress[0] = 192;
    lib.record.IpAddress[1] = 168;
    lib.record.IpAddress[2] = 137;
    lib.record.IpAddress[3] = 1;
    platform::testing::advance(1999);
    EXPECT_EQ(shown(CPageExtAPDlg::IDC_IP), "0.0.0.0");
    platform::testing::advance(1);
    EXPECT_EQ(shown(CPageExtAPDlg::IDC_IP), "192.168.137.1");

    page->ShowWindow(SW_HIDE);
    pump();
    int const reads = lib.reads;
    platform::testing::advance(10000);
    EXPECT_EQ(lib.reads, reads);
}

TEST_F(PageExtAPTest, ShowingThePageShowsTheStationTableAndHidingItTheDefaultChild)
{
    open();
    EXPECT_EQ(lib.sub_dialogs, std::vector<int> { 11 });
    page->ShowWindow(SW_HIDE);
    EXPECT_EQ(lib.sub_dialogs, (std::vector<int> { 11, 0 }));
}

TEST_F(PageExtAPTest, ShowPasswordOptionDecidesHowTheKeyShows)
{
    int const saved = G_VxWlLib.bShowPassword;
    G_VxWlLib.bShowPassword = 0;
    open();
    EXPECT_FALSE(visible(CPageExtAPDlg::IDC_SHOW_PASSWORD));
    EXPECT_EQ(page->SendDlgItemMessage(CPageExtAPDlg::IDC_KEY, EM_GETPASSWORDCHAR), '*');
    page.reset();

    G_VxWlLib.bShowPassword = 1;
    open();
    EXPECT_TRUE(visible(CPageExtAPDlg::IDC_SHOW_PASSWORD));
    page->CheckDlgButton(CPageExtAPDlg::IDC_SHOW_PASSWORD, BST_CHECKED);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(CPageExtAPDlg::IDC_SHOW_PASSWORD, BN_CLICKED), 0);
    EXPECT_EQ(page->SendDlgItemMessage(CPageExtAPDlg::IDC_KEY, EM_GETPASSWORDCHAR), 0);
    G_VxWlLib.bShowPassword = saved;
}

// The shared hit-test: with the small-screen flag a press drags the configuration window.
TEST_F(PageExtAPTest, HitTestDragsTheWindowOnSmallScreens)
{
    BOOL small = FALSE;
    BindHideTabIcon(&small);
    open();
    LPARAM const point = MAKELPARAM(5, 5);
    page->SendMessage(WM_NCHITTEST, 0, point);
    EXPECT_TRUE(parent.privates.empty());
    small = TRUE;
    page->SendMessage(WM_NCHITTEST, 0, point);
    ASSERT_EQ(parent.privates.size(), 1u);
    EXPECT_EQ(parent.privates[0].message, UINT(WM_NCLBUTTONDOWN));
    EXPECT_EQ(parent.privates[0].wParam, WPARAM(HTCAPTION));
    BindHideTabIcon(nullptr);
}
