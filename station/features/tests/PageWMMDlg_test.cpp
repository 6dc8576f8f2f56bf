// The WMM page on a fake library: the record each toggle sends, the status texts and enabling,
// the re-join by encryption value and system, the notice to the configuration window, the
// direct-link list refreshed by its timer, the set-up form's refusals and what a set-up stores
// and sends, the selection, the double-click and the tear-down.
#include "FeaturesFixture.h"

#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageWMMDlg.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct FakeWmm {
    // [SECTION] What the library answers
    WMM_SETTING stored {};
    int tdls { 0 };
    int win_os { 10 };
    WLAN_STATUS status {};
    DLS_ENTRY table[DLS_TABLE_ENTRIES] {};
    std::string mac_text;
    bool timeout_stored { false };
    VXWL_U32 timeout { 0 };

    // [SECTION] What the page did
    std::vector<std::string> calls;
    std::vector<WMM_SETTING> sent;
    std::vector<DLS_ENTRY> dls;
    std::vector<std::string> written_macs;
    std::vector<int> written_timeouts;

    static FakeWmm& the()
    {
        static FakeWmm fake;
        return fake;
    }
    static void bind()
    {
        the() = FakeWmm {};
        auto& l = G_VxWlLib;
        l.VXWL_QueryAndReadWMMCapability.bind([](WMM_SETTING* s) { return *s = the().stored, 1; });
        l.VXWL_UpdateWMMEnable.bind([](WMM_SETTING s) { return the().calls.push_back("wmm"), the().sent.push_back(s), 1; });
        l.VXWL_EnableDLSetup.bind([](WMM_SETTING s) { return the().calls.push_back("dls"), the().sent.push_back(s), 1; });
        l.VXWL_EnableAPSD.bind([](WMM_SETTING s) { return the().calls.push_back("apsd"), the().sent.push_back(s), 1; });
        l.VXWL_SetAndWriteAPSDSetting.bind([](WMM_SETTING s) {
            return the().calls.push_back("categories"), the().sent.push_back(s), 1;
        });
        l.VXWL_IsSupportTDLS.bind([] { return the().tdls; });
        l.VXWL_GetWinOS.bind([] { return the().win_os; });
        l.VXWL_QueryWLANStatus.bind([](WLAN_STATUS* s, WLAN_STATUS_REQUEST request) {
            the().calls.push_back("status " + std::to_string(request.Switch[1]));
            return *s = the().status, 1;
        });
        l.VXWL_WlanDisconnect.bind([] { return the().calls.push_back("disconnect"), 1; });
        l.VXWL_WlanConvertNdis2Dot11AuthType.bind([](int v, int* r) { return *r = v + 100, 1; });
        l.VXWL_WlanConvertNdis2Dot11EncryptType.bind([](int v, int* r) { return *r = v + 200, 1; });
        l.VXWL_WlanConvertNdis2Dot11NetworkType.bind([](int v, int* r) { return *r = v + 300, 1; });
        l.VXWL_WlanConnect.bind([](const char* profile, int network, NDIS_802_11_SSID ssid, int mode, int auth, int enc) {
            the().calls.push_back("connect " + std::string(profile) + " "
                + std::string(reinterpret_cast<char const*>(ssid.Ssid), ssid.SsidLength) + " " + std::to_string(network) + " "
                + std::to_string(mode) + " " + std::to_string(auth) + " " + std::to_string(enc));
            return 1;
        });
        l.VXWL_Disassociate.bind([] { return the().calls.push_back("disassociate"), 1; });
        l.VXWL_SetSSID.bind([](NDIS_802_11_SSID ssid) {
            return the().calls.push_back("ssid " + std::string(reinterpret_cast<char const*>(ssid.Ssid), ssid.SsidLength)), 1;
        });
        l.VXWL_ReadCCX2Cont.bind([](VXWL_U32* w) { return *w = 0x21, 1; });
        l.VXWL_ReadActiveProfileName.bind([](char* name) { return std::strcpy(name, "Home"), 1; });
        l.VXWL_ReadProfileData.bind([](WLANPROFILE* p, const char*) { return p->bBssid = 1, 1; });
        l.VXWL_SetCCXInfo.bind([](int on, VXWL_U32 w) {
            return the().calls.push_back("ccx " + std::to_string(on) + " " + std::to_string(w)), 1;
        });
        l.VXWL_QueryDLSParameter.bind([](DLS_ENTRY* entries) {
            std::memcpy(entries, the().table, sizeof the().table);
            return 1;
        });
        l.VXWL_SetDLSParameter.bind([](DLS_ENTRY e) { return the().calls.push_back("set link"), the().dls.push_back(e), 1; });
        l.VXWL_ReadWMMMacAddr.bind([](char* text) {
            std::snprintf(text, 128, "%s", the().mac_text.c_str());
            return the().mac_text.empty() ? 0 : 1;
        });
        l.VXWL_WriteWMMMacAddr.bind([](const char* text) { return the().written_macs.push_back(text), 1; });
        l.VXWL_ReadWMMTimeout.bind([](VXWL_U32* t) {
            *t = the().timeout;
            return the().timeout_stored ? 1 : 0;
        });
        l.VXWL_WriteWMMTimeout.bind([](std::uint16_t t) { return the().written_timeouts.push_back(t), 1; });
        l.VXWL_QueryMacAddrs.bind([](std::uint8_t* mac) {
            std::uint8_t const own[6] = { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
            return std::memcpy(mac, own, 6), 1;
        });
    }
    static void unbind()
    {
        auto& l = G_VxWlLib;
        l.VXWL_QueryAndReadWMMCapability.bind(nullptr);
        l.VXWL_UpdateWMMEnable.bind(nullptr);
        l.VXWL_EnableDLSetup.bind(nullptr);
        l.VXWL_EnableAPSD.bind(nullptr);
        l.VXWL_SetAndWriteAPSDSetting.bind(nullptr);
        l.VXWL_IsSupportTDLS.bind(nullptr);
        l.VXWL_GetWinOS.bind(nullptr);
        l.VXWL_QueryWLANStatus.bind(nullptr);
        l.VXWL_WlanDisconnect.bind(nullptr);
        l.VXWL_WlanConvertNdis2Dot11AuthType.bind(nullptr);
        l.VXWL_WlanConvertNdis2Dot11EncryptType.bind(nullptr);
        l.VXWL_WlanConvertNdis2Dot11NetworkType.bind(nullptr);
        l.VXWL_WlanConnect.bind(nullptr);
        l.VXWL_Disassociate.bind(nullptr);
        l.VXWL_SetSSID.bind(nullptr);
        l.VXWL_ReadCCX2Cont.bind(nullptr);
        l.VXWL_ReadActiveProfileName.bind(nullptr);
        l.VXWL_ReadProfileData.bind(nullptr);
        l.VXWL_SetCCXInfo.bind(nullptr);
        l.VXWL_QueryDLSParameter.bind(nullptr);
        l.VXWL_SetDLSParameter.bind(nullptr);
        l.VXWL_ReadWMMMacAddr.bind(nullptr);
        l.VXWL_WriteWMMMacAddr.bind(nullptr);
        l.VXWL_ReadWMMTimeout.bind(nullptr);
        l.VXWL_WriteWMMTimeout.bind(nullptr);
        l.VXWL_QueryMacAddrs.bind(nullptr);
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

void link(DLS_ENTRY& e, std::uint8_t last, std::uint8_t state, std::uint16_t timeout)
{
    std::uint8_t const mac[6] = { 0x02, 0x30, 0x00, 0x00, 0x00, last };
    std::memcpy(e.MacAddr, mac, 6);
    e.State = state;
    e.InUse = 1;
    e.TimeOut = timeout;
}

using Calls = std::vector<std::string>;

class PageWmmTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        FakeWmm::bind();
        saved_ui = G_UiStr;
        saved_list = G_VxWlLib.bDLSStatusList;
        G_VxWlLib.bDLSStatusList = 0;
        G_UiStr.IDS_ENABLED = "On";
        G_UiStr.IDS_DISABLED = "Off";
        G_UiStr.IDS_INVALIDMACADDR = "bad mac";
        G_UiStr.IDS_NOTACCEPTB = "group";
        G_UiStr.IDS_INVALIDTIMEOUT = "bad timeout";
        G_UiStr.IDS_NOSELECTEDITEM = "select";
        g_nDlsSelectedIndex = 0;
        g_strDlsSelectedMac.clear();
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
        services = std::make_unique<WindowServices>(parent.m_hWnd);
        fake().stored.WMMEnable = 1;
        // Connected to a WPA2 network with AES.
        fake().status.EncryptionStatus = 6;
        fake().status.AuthMode = 7;
        fake().status.NetworkType = 2;
        fake().status.ConnectMode = 1;
        fake().status.Ssid.SsidLength = 10;
        std::memcpy(fake().status.Ssid.Ssid, "HomeNet 5G", 10);
        std::strcpy(fake().status.ProfileName, "Home");
    }
    void TearDown() override
    {
        page.reset();
        services.reset();
        SetMessageBoxHandler(nullptr);
        FakeWmm::unbind();
        G_VxWlLib.bDLSStatusList = saved_list;
        G_UiStr = saved_ui;
        FeaturesTest::TearDown();
    }
    static FakeWmm& fake() { return FakeWmm::the(); }

    void open()
    {
        page = std::make_unique<CPageWMMDlg>(&host);
        ASSERT_TRUE(page->Create(CPageWMMDlg::IDD, &host));
        page->ShowWindow(SW_SHOW);
        pump();
        fake().calls.clear();
        fake().sent.clear();
        parent.privates.clear();
    }
    HWND item(int id) const { return ::GetDlgItem(page->m_hWnd, id); }
    std::string shown(int id) const { return text_of(item(id)); }
    bool enabled(int id) const { return ::IsWindowEnabled(item(id)) != FALSE; }
    bool visible(int id) const { return (::GetWindowLong(item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void check(int id, bool on)
    {
        ::CheckDlgButton(page->m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
        click(id);
    }
    void click(int id)
    {
        ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(item(id)));
        pump();
    }
    void form(std::array<char const*, 6> mac, char const* timeout)
    {
        for (int i = 0; i < 6; ++i)
            ::SetWindowText(item(CPageWMMDlg::IDC_MAC1 + i), mac[std::size_t(i)]);
        ::SetWindowText(item(CPageWMMDlg::IDC_TIMEOUT), timeout);
    }
    int rows() const { return int(::SendMessage(item(CPageWMMDlg::IDC_LIST), LVM_GETITEMCOUNT, 0, 0)); }
    void list_notify(UINT code, int row)
    {
        HWND list = item(CPageWMMDlg::IDC_LIST);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        if (row >= 0)
            ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        // As the list sends them: clicks carry the item-activation record.
        NMITEMACTIVATE activate {};
        activate.hdr = NMHDR { list, UINT_PTR(CPageWMMDlg::IDC_LIST), code };
        activate.iItem = row;
        RECT cell { LVIR_BOUNDS, 0, 0, 0 };
        if (row >= 0 && ::SendMessage(list, LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&cell)))
            activate.ptAction = POINT { cell.left + 2, (cell.top + cell.bottom) / 2 };
        ::SendMessage(page->m_hWnd, WM_NOTIFY, WPARAM(CPageWMMDlg::IDC_LIST), reinterpret_cast<LPARAM>(&activate));
        pump();
    }
    int exchanges() const
    {
        return int(std::count_if(parent.privates.begin(), parent.privates.end(), [](auto const& m) {
            return m.message == DLG_MSG_EXCHANGE && m.wParam == WPARAM(PAGE_WMM_DLG) && m.lParam == 0;
        }));
    }

    std::unique_ptr<CPageWMMDlg> page;
    std::unique_ptr<WindowServices> services;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
    int saved_list {};
};

}

// [SECTION] Status and records

TEST_F(PageWmmTest, ShowsTheStoredSettingWithItsStatusTexts)
{
    fake().stored = { 1, 1, 1, 1, 0, 0, 1, 0 };
    fake().mac_text = "023000000001";
    fake().timeout_stored = true;
    fake().timeout = 90;
    open();
    EXPECT_EQ(shown(CPageWMMDlg::IDC_WMM_STATUS), "On");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_PS_STATUS), "On:AC_BE:AC_VO");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_DL_STATUS), "On");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_MAC1), "02");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_MAC1 + 5), "01");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_TIMEOUT), "90");
    EXPECT_TRUE(enabled(CPageWMMDlg::IDC_AC_VI));
    EXPECT_TRUE(enabled(CPageWMMDlg::IDC_SETUP));
    EXPECT_TRUE(enabled(CPageWMMDlg::IDC_LIST));
}

TEST_F(PageWmmTest, WmmOffShowsEverythingDisabled)
{
    fake().stored = { 1, 0, 1, 1, 1, 1, 1, 0 };
    open();
    for (int id : { CPageWMMDlg::IDC_WMM_STATUS, CPageWMMDlg::IDC_PS_STATUS, CPageWMMDlg::IDC_DL_STATUS })
        EXPECT_EQ(shown(id), "Off");
    for (int id : { CPageWMMDlg::IDC_APSD, CPageWMMDlg::IDC_DLS, CPageWMMDlg::IDC_AC_BE, CPageWMMDlg::IDC_LIST,
             CPageWMMDlg::IDC_SETUP, CPageWMMDlg::IDC_MAC1, CPageWMMDlg::IDC_TIMEOUT })
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_EQ(shown(CPageWMMDlg::IDC_TIMEOUT), "0");
}

TEST_F(PageWmmTest, EachToggleSendsTheRecordWithItsFields)
{
    open();
    check(CPageWMMDlg::IDC_APSD, true);
    check(CPageWMMDlg::IDC_AC_VO, true);
    check(CPageWMMDlg::IDC_DLS, true);
    EXPECT_EQ(shown(CPageWMMDlg::IDC_PS_STATUS), "On:AC_VO");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_DL_STATUS), "On");
    // Power save on applies the categories first, then turns APSD on.
    ASSERT_EQ(fake().sent.size(), 4u);
    std::vector<std::string> kinds;
    for (auto const& c : fake().calls)
        if (c == "wmm" || c == "dls" || c == "apsd" || c == "categories")
            kinds.push_back(c);
    EXPECT_EQ(kinds, (Calls { "categories", "apsd", "categories", "dls" }));
    EXPECT_EQ(fake().sent[1].APSDEnable, 1u);
    EXPECT_EQ(fake().sent[2].AC_VO, 1u);
    EXPECT_EQ(fake().sent[2].AC_BE, 0u);
    EXPECT_EQ(fake().sent[3].DLSEnable, 1u);
    EXPECT_EQ(fake().sent[3].WMMEnable, 1u);

    // WMM off clears power save and, without TDLS, direct links; the window hears of it.
    check(CPageWMMDlg::IDC_WMM, false);
    WMM_SETTING const& off = fake().sent.back();
    EXPECT_EQ(off.WMMEnable, 0u);
    EXPECT_EQ(off.APSDEnable, 0u);
    EXPECT_EQ(off.DLSEnable, 0u);
    EXPECT_EQ(shown(CPageWMMDlg::IDC_TIMEOUT), "60");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_PS_STATUS), "Off");
    EXPECT_FALSE(enabled(CPageWMMDlg::IDC_SETUP));
    EXPECT_EQ(exchanges(), 1);
}

TEST_F(PageWmmTest, WithTdlsWmmOffKeepsDirectLinks)
{
    fake().tdls = 1;
    fake().stored = { 1, 1, 1, 0, 0, 0, 0, 0 };
    G_VxWlLib.bDLSStatusList = 1;
    open();
    check(CPageWMMDlg::IDC_WMM, false);
    EXPECT_EQ(fake().sent.back().DLSEnable, 1u);
    EXPECT_EQ(fake().sent.back().APSDEnable, 0u);
    // The option keeps the list usable.
    EXPECT_TRUE(enabled(CPageWMMDlg::IDC_LIST));
}

TEST_F(PageWmmTest, TdlsHidesTheDirectLinkArea)
{
    for (int list_option : { 0, 1 }) {
        SCOPED_TRACE(list_option);
        fake().tdls = 1;
        G_VxWlLib.bDLSStatusList = list_option;
        open();
        for (int id : std::initializer_list<int> { CPageWMMDlg::IDC_DLS, CPageWMMDlg::IDC_DLS_LABEL, CPageWMMDlg::IDC_MAC_LABEL, CPageWMMDlg::IDC_MAC1,
                 CPageWMMDlg::IDC_MAC1 + 5, CPageWMMDlg::IDC_TIMEOUT, CPageWMMDlg::IDC_SETUP, CPageWMMDlg::IDC_TEAR_DOWN })
            EXPECT_FALSE(visible(id)) << id;
        EXPECT_EQ(visible(CPageWMMDlg::IDC_LIST), list_option == 1);
        EXPECT_TRUE(visible(CPageWMMDlg::IDC_APSD));
        page.reset();
    }
}

TEST_F(PageWmmTest, ChangesRejoinByEncryptionAndSystem)
{
    struct Case {
        std::uint32_t encryption;
        int os;
        Calls expected;
    };
    Case const cases[] = {
        { 0, 10, { "status 1" } },
        { 0, 9, { "status 1" } },
        { 4, 10, { "status 1", "disconnect", "connect Home HomeNet 5G 302 1 107 204" } },
        { 6, 10, { "status 1", "disconnect", "connect Home HomeNet 5G 302 1 107 206" } },
        { 11, 10, { "status 1", "disconnect", "connect Home HomeNet 5G 302 1 107 211" } },
        // Older systems: the CCX word with the active profile's switch (bound to its BSSID: 0).
        { 4, 9, { "status 1", "disassociate", "ssid HomeNet 5G", "ccx 0 33" } },
        { 6, 9, { "status 1", "disassociate", "ssid HomeNet 5G", "ccx 0 33" } },
        { 11, 9, { "status 1", "disassociate", "ssid HomeNet 5G", "ccx 0 33" } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(std::to_string(c.encryption) + " on " + std::to_string(c.os));
        fake().status.EncryptionStatus = c.encryption;
        fake().win_os = c.os;
        open();
        check(CPageWMMDlg::IDC_DLS, true);
        Calls expected { "dls" };
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(fake().calls, expected);
        page.reset();
    }
}

// [SECTION] Direct links

TEST_F(PageWmmTest, TheListShowsLinksThatAreUpAndFollowsTheTimer)
{
    fake().stored = { 1, 1, 0, 0, 0, 0, 0, 0 };
    open();
    EXPECT_EQ(rows(), 0);
    link(fake().table[0], 0x01, 2, 60);
    link(fake().table[1], 0x02, 1, 30);
    platform::testing::advance(1000);
    EXPECT_EQ(rows(), 1);
    ASSERT_EQ(page->m_rows.size(), 1u);
    EXPECT_EQ(page->m_rows[0].strMac, "02-30-00-00-00-01");
    fake().table[1].State = 2;
    platform::testing::advance(1000);
    EXPECT_EQ(rows(), 2);
    fake().table[0].InUse = 0;
    platform::testing::advance(1000);
    EXPECT_EQ(rows(), 1);
    // Hidden, the page stops refreshing.
    page->ShowWindow(SW_HIDE);
    pump();
    fake().table[1].InUse = 0;
    platform::testing::advance(3000);
    EXPECT_EQ(rows(), 1);
}

TEST_F(PageWmmTest, SetUpRefusalsStoreAndSendNothing)
{
    struct Case {
        std::array<char const*, 6> mac;
        char const* timeout;
        char const* message;
    };
    Case const cases[] = {
        { { "01", "30", "00", "00", "00", "01" }, "60", "group" },
        { { "00", "1A", "2B", "3C", "4D", "5E" }, "60", "bad mac" },
        { { "00", "00", "00", "00", "00", "00" }, "60", "bad mac" },
        { { "FF", "FF", "FF", "FF", "FF", "FF" }, "60", "bad mac" },
        { { "02", "3", "00", "00", "00", "01" }, "60", "bad mac" },
        { { "02", "zz", "00", "00", "00", "01" }, "60", "bad mac" },
        { { "02", "30", "00", "00", "00", "01" }, "20", "bad timeout" },
        { { "02", "30", "00", "00", "00", "01" }, "65536", "bad timeout" },
    };
    fake().stored = { 1, 1, 0, 0, 0, 0, 0, 0 };
    open();
    for (Case const& c : cases) {
        SCOPED_TRACE(std::string(c.mac[1]) + " " + c.timeout);
        boxes.clear();
        form(c.mac, c.timeout);
        click(CPageWMMDlg::IDC_SETUP);
        EXPECT_EQ(boxes, std::vector<std::string> { c.message });
    }
    EXPECT_TRUE(fake().dls.empty());
    EXPECT_TRUE(fake().written_macs.empty());
    EXPECT_TRUE(fake().written_timeouts.empty());
}

TEST_F(PageWmmTest, SetUpStoresTheAddressAndTimeoutAndSendsTheEntry)
{
    fake().stored = { 1, 1, 0, 0, 0, 0, 0, 0 };
    open();
    for (char const* timeout : { "0", "21", "65535" }) {
        form({ "02", "30", "00", "00", "00", "01" }, timeout);
        click(CPageWMMDlg::IDC_SETUP);
    }
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(fake().dls.size(), 3u);
    EXPECT_EQ(fake().dls[2].TimeOut, 65535);
    EXPECT_EQ(fake().dls[2].InUse, 1);
    EXPECT_EQ(fake().dls[2].MacAddr[5], 1);
    EXPECT_EQ(fake().written_macs, std::vector<std::string>(3, "023000000001"));
    EXPECT_EQ(fake().written_timeouts, (std::vector<int> { 0, 21, 65535 }));

    // An empty timeout: the message, then 60 and the set-up goes on.
    form({ "02", "30", "00", "00", "00", "02" }, "");
    click(CPageWMMDlg::IDC_SETUP);
    EXPECT_EQ(boxes, std::vector<std::string> { "bad timeout" });
    EXPECT_EQ(shown(CPageWMMDlg::IDC_TIMEOUT), "60");
    EXPECT_EQ(fake().dls.back().TimeOut, 60);
    EXPECT_EQ(fake().written_timeouts.back(), 60);
}

TEST_F(PageWmmTest, SelectionDoubleClickAndTearDown)
{
    fake().stored = { 1, 1, 0, 0, 0, 0, 0, 0 };
    link(fake().table[0], 0x01, 2, 60);
    link(fake().table[2], 0x0A, 2, 300);
    open();
    platform::testing::advance(1000);
    ASSERT_EQ(rows(), 2);

    // Before any click the stored selection is row 0 with an empty address: nothing happens.
    click(CPageWMMDlg::IDC_TEAR_DOWN);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(fake().dls.empty());

    list_notify(NM_DBLCLK, 1);
    EXPECT_EQ(g_nDlsSelectedIndex, 1);
    EXPECT_EQ(g_strDlsSelectedMac, "02-30-00-00-00-0A");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_MAC1 + 5), "0A");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_MAC1), "02");
    EXPECT_EQ(shown(CPageWMMDlg::IDC_TIMEOUT), "300");

    click(CPageWMMDlg::IDC_TEAR_DOWN);
    ASSERT_EQ(fake().dls.size(), 1u);
    EXPECT_EQ(fake().dls[0].InUse, 0);
    EXPECT_EQ(fake().dls[0].MacAddr[5], 0x0A);
    EXPECT_EQ(fake().dls[0].TimeOut, 300);

    // A click on no row: Tear Down asks for a selection.
    list_notify(NM_CLICK, -1);
    EXPECT_EQ(g_nDlsSelectedIndex, -1);
    click(CPageWMMDlg::IDC_TEAR_DOWN);
    EXPECT_EQ(boxes, std::vector<std::string> { "select" });
    EXPECT_EQ(fake().dls.size(), 1u);
}
