// The WPS page on a scripted library: its lists by band, the buttons it enables, the runs
// (push button, PIN with automatic selection, the adapter's button), the connection watch and
// its rotation, the two-minute window, and deleting credentials. Time moves on the manual
// clock only.
#include "FeaturesFixture.h"
#include "WpsTestCredential.h"

#include "station/controls/CInfoWnd.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/UiStr.h"
#include "station/core/WpsGlobals.h"
#include "station/features/PageWPSDlg.h"
#include "station/survey/tests/FakeWlan.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

using station::testing::FakeServices;
using station::testing::FakeWlan;
using station::testing::named_entry;

namespace {

constexpr VXWL_U32 kPin = 0x10000000;

// What the WPS calls did, and what they answer.
struct WpsScript {
    std::vector<WPS_MODE> modes;
    std::vector<WPS_PROFILE> offered;
    std::vector<VXWL_U32> flags_written;
    std::vector<std::string> calls;
    WPS_MODE stored_mode {};
    WPS_PROFILE stored_profile {};
    int writes { 0 };
    // The status word: the last run's by its target (last address byte; 0 for push button).
    std::map<int, std::vector<VXWL_U32>> codes;
    std::size_t step { 0 };
    WPS_PROFILE result {};
    int channel { 9 };

    static WpsScript*& current()
    {
        static WpsScript* script = nullptr;
        return script;
    }
    VXWL_U32 status()
    {
        int const target = modes.empty() ? -1 : modes.back().WpsMode == kPin ? modes.back().Bssid[5] : 0;
        auto const it = codes.find(target);
        if (it == codes.end() || it->second.empty())
            return 0;
        return it->second[std::min(step++, it->second.size() - 1)];
    }
};

WpsScript& script() { return *WpsScript::current(); }

void bind_wps()
{
    auto& l = G_VxWlLib;
    l.VXWL_SetWPSMode.bind([](WPS_MODE m) {
        script().modes.push_back(m);
        script().step = 0;
        return 1;
    });
    l.VXWL_SetWPSProfile.bind([](WPS_PROFILE p) { return script().offered.push_back(p), 1; });
    l.VXWL_SetWPSAssociateIE.bind([](int) { return 1; });
    l.VXWL_SetWPSProbeReqIE.bind([](int) { return 1; });
    l.VXWL_SetWPSAutoSelect.bind([](int) { return 1; });
    l.VXWL_SetPreferWPSAPPhyType.bind([](int) { return 1; });
    l.VXWL_WriteWPSFlag.bind([](VXWL_U32 flag) {
        script().flags_written.push_back(flag);
        FakeWlan::current()->wps_flag = flag;
        return 1;
    });
    l.VXWL_WriteWPSProfile.bind([](WPS_MODE m, WPS_PROFILE p) {
        ++script().writes;
        script().stored_mode = m;
        script().stored_profile = p;
        return 1;
    });
    l.VXWL_ReadWPSProfile.bind([](WPS_MODE* m, WPS_PROFILE* p) {
        *m = script().stored_mode;
        *p = script().stored_profile;
        return 1;
    });
    l.VXWL_QueryWPSProfile.bind([](WPS_PROFILE* p) { return *p = script().result, 1; });
    l.VXWL_QueryWPSAPChannel.bind([](int* c) { return *c = script().channel, 1; });
    l.VXWL_QueryWPSStatus.bind([](VXWL_U32* s) { return *s = script().status(), 1; });
    l.VXWL_WPSDisconnect.bind([] { return script().calls.push_back("wps-disconnect"), 1; });
    l.VXWL_WlanDisconnect.bind([] { return script().calls.push_back("leave"), 1; });
    l.VXWL_Disassociate.bind([] { return script().calls.push_back("leave"), 1; });
    l.VXWL_WlanDeleteAllWindowsProfiles.bind([] { return 1; });
    l.VXWL_QueryCurrAddress.bind([](std::uint8_t* mac) {
        std::uint8_t const address[6] { 0, 0x11, 0x22, 0x0A, 0x1B, 0x2C };
        return std::memcpy(mac, address, 6), 1;
    });
}

IE_INFO_WPA wps_digest(char const* password_id)
{
    IE_INFO_WPA d {};
    d.bWPS = 1;
    d.nAuthentication = IE_AUTH_WPA2_PSK;
    std::strncpy(d.DevicePasswordId, password_id, sizeof d.DevicePasswordId - 1);
    std::strncpy(d.WpsState, "Configured", sizeof d.WpsState - 1);
    return d;
}

WPS_CREDENTIAL credential(char const* ssid) { return wps_credential(ssid, 32, 8, "12345678"); }

class WpsRunTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        services.emplace(parent.m_hWnd);
        WpsScript::current() = &wps;
        bind_wps();
        saved_ui = G_UiStr;
        G_UiStr.IDS_RESCANNING = "Scanning...";
        G_UiStr.IDS_NOSELECTEDITEM = "No item";
        G_VxWlLib.nWPSRotatePeriod = 60;
        G_VxWlLib.bSupportPhyModeinWps = 1;
        G_nWPSMode = 0;
        G_nConfigMode = 0;
        G_nCurSelItem = -1;
        G_nPreferWpsBand = 2;
        G_bRotateProfile = FALSE;
        G_nCurWpsProfile = 0;
        G_nRotateWpsProfile = 0;
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR(IDOK);
        });
        // Push button at 1 (channel 1), two PIN access points at 2 (channel 9) and 3 (149), and
        // one without WPS at 4.
        fake.digests[1] = wps_digest("0x0004");
        fake.digests[2] = wps_digest("0x0000");
        fake.digests[3] = wps_digest("0x0000");
        fake.list.add(named_entry(1, "Printer Room", -60, 1))
            .add(named_entry(2, "Family", -55, 9))
            .add(named_entry(3, "Studio 5G", -61, 149))
            .add(named_entry(4, "Corner Cafe", -48, 6));
        fake.cache_list();
    }
    void TearDown() override
    {
        if (page.m_hWnd)
            page.DestroyWindow();
        SetMessageBoxHandler(nullptr);
        G_UiStr = saved_ui;
        WpsScript::current() = nullptr;
        services.reset();
        FeaturesTest::TearDown();
    }

    void create()
    {
        ASSERT_TRUE(page.Create(CPageWPSDlg::IDD, &host));
        pump();
    }
    static void run_for(int ms)
    {
        for (int waited = 0; waited < ms; waited += 100) {
            platform::testing::advance(100);
            platform::testing::pump_until_idle();
        }
    }
    void click(int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(page.m_hWnd, id)));
        pump();
    }
    bool enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)); }
    std::string status() const { return text_of(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_STATUS)); }
    int progress() const { return int(::SendMessage(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_PROGRESS), PBM_GETPOS, 0, 0)); }
    std::vector<std::string> ssids() const
    {
        std::vector<std::string> out;
        for (auto const& row : page.ApRows())
            out.push_back(row.strSSID);
        return out;
    }
    int exchanges(LPARAM what) const
    {
        return int(std::count_if(parent.privates.begin(), parent.privates.end(), [&](auto const& m) {
            return m.message == DLG_MSG_EXCHANGE && m.wParam == PAGE_WPS_DLG && m.lParam == what;
        }));
    }
    void set_pin(char const* text) { ::SetWindowText(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_PIN_EDIT), text); }
    void store(std::vector<WPS_CREDENTIAL> const& credentials)
    {
        wps.stored_profile = WPS_PROFILE {};
        wps.stored_profile.ProfileCnt = std::uint32_t(credentials.size());
        std::copy(credentials.begin(), credentials.end(), wps.stored_profile.Profile);
    }

    FakeWlan fake;
    // Made once the parent window exists: it stands for the configuration window.
    std::optional<FakeServices> services;
    WpsScript wps;
    CUISTR saved_ui;
    std::vector<std::string> boxes;
    CPageWPSDlg page { &host };
};

}

TEST_F(WpsRunTest, BandChoiceFiltersTheWpsAccessPoints)
{
    create();
    struct Case {
        int band;
        std::vector<std::string> rows;
    } const cases[] = {
        { 0, { "Printer Room", "Family" } },
        { 1, { "Studio 5G" } },
        { 2, { "Printer Room", "Family", "Studio 5G" } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.band);
        G_nPreferWpsBand = c.band;
        ::SendMessage(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_BAND), CB_SETCURSEL, WPARAM(c.band), 0);
        page.RescanTimeEnd();
        EXPECT_EQ(ssids(), c.rows);
        EXPECT_EQ(page.m_listAP.GetItemCount(), int(c.rows.size()));
    }
    // The push-button access point shows its password ID; the cell of column 1 reads it.
    G_nPreferWpsBand = 2;
    page.RescanTimeEnd();
    QuickCellRequest* cell = page.m_listAP.FillCellRequest(0, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_STREQ(cell->m_strText.GetString(), "ID : 0x0004");
    ASSERT_NE(page.EntryOfRow(2), nullptr);
    EXPECT_EQ(page.EntryOfRow(2)->MacAddress[5], 3);
    EXPECT_EQ(page.EntryOfRow(3), nullptr);
}

TEST_F(WpsRunTest, ListRebuildKeepsRowsOnAnEmptyCacheAndSkipsAMalformedEntry)
{
    create();
    ASSERT_EQ(page.ApRows().size(), 3u);
    std::memset(G_VxWlLib.pBssidList, 0, 4);
    page.RescanTimeEnd();
    EXPECT_EQ(page.ApRows().size(), 3u) << "an empty cache leaves the list";
    // The second entry claims more element bytes than its length holds.
    fake.list = station::testing::ScanListBuffer {};
    auto bad = named_entry(2, "Family", -55, 9);
    NDIS_WLAN_BSSID_EX fixed;
    std::memcpy(&fixed, bad.data(), sizeof fixed);
    fixed.IELength = 400;
    std::memcpy(bad.data(), &fixed, sizeof fixed);
    fake.list.add(named_entry(1, "Printer Room", -60, 1)).add(bad).add(named_entry(3, "Studio 5G", -61, 149));
    fake.cache_list();
    page.RescanTimeEnd();
    EXPECT_EQ(ssids(), (std::vector<std::string> { "Printer Room", "Studio 5G" }));
}

// A library that wants more than the page's buffer is offered the buffer, never more.
TEST_F(WpsRunTest, ScanQueryNeverAsksBeyondTheBuffer)
{
    static std::vector<VXWL_U32> sizes;
    sizes.clear();
    G_VxWlLib.VXWL_SiteSurveyQuery.bind([](void*, VXWL_U32* size) {
        sizes.push_back(*size);
        if (sizes.size() == 1) {
            *size = 0x9000;
            return VXWL_ERROR_BUFFER_TOO_SMALL;
        }
        return 1;
    });
    create();
    EXPECT_EQ(sizes, (std::vector<VXWL_U32> { 15364u, 0x8000u }));
}

TEST_F(WpsRunTest, RestrictedUserOnAnOlderSystemMayNotDeleteNorImport)
{
    fake.win_os = 9;
    fake.admin = 0;
    fake.standard_user_profile = 0;
    store({ credential("Home") });
    create();
    run_for(1000);
    page.UpdateWpsButtons();
    EXPECT_FALSE(enabled(CPageWPSDlg::IDC_DELETE));
    EXPECT_FALSE(enabled(CPageWPSDlg::IDC_IMPORT));
    EXPECT_TRUE(enabled(CPageWPSDlg::IDC_DETAIL));
    fake.admin = 1;
    run_for(1000);
    page.UpdateWpsButtons();
    EXPECT_TRUE(enabled(CPageWPSDlg::IDC_IMPORT));
    EXPECT_TRUE(enabled(CPageWPSDlg::IDC_DELETE));
}

TEST_F(WpsRunTest, RadioOffEmptiesTheListAndDisablesTheRunButtons)
{
    create();
    fake.sw_radio = 0;
    run_for(1000);
    EXPECT_TRUE(page.ApRows().empty());
    for (int id : { CPageWPSDlg::IDC_RESCAN, CPageWPSDlg::IDC_PIN, CPageWPSDlg::IDC_PBC, CPageWPSDlg::IDC_CONNECT,
             CPageWPSDlg::IDC_INFORMATION, CPageWPSDlg::IDC_DISCONNECT, CPageWPSDlg::IDC_ROTATE })
        EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(WpsRunTest, PushButtonRunStoresTheCredentialAndWatchesTheConnection)
{
    wps.codes[0] = { 5, 18, 27, 15 };
    wps.result.ProfileCnt = 1;
    wps.result.Profile[0] = credential("Printer Room");
    create();
    click(CPageWPSDlg::IDC_PBC);
    EXPECT_EQ(status(), "Start PBC connection");
    ASSERT_EQ(wps.modes.size(), 1u);
    EXPECT_EQ(wps.modes[0].WpsMode, 0x20000000u);
    EXPECT_EQ(wps.modes[0].ConfigMode, 1);
    EXPECT_EQ(wps.flags_written, std::vector<VXWL_U32> { 1 });
    EXPECT_EQ(progress(), 5);
    run_for(300);
    EXPECT_EQ(status(), "PBC - Sending EAPOL-Start");
    EXPECT_EQ(progress(), 25);
    run_for(600);
    EXPECT_EQ(status(), "PBC - Get WPS profile successfully.");
    EXPECT_EQ(progress(), 100);
    EXPECT_EQ(wps.stored_profile.ProfileCnt, 1u);
    EXPECT_EQ(wps.stored_mode.Channel, 9);
    ASSERT_EQ(page.ProfileRows().size(), 1u);
    EXPECT_EQ(page.ProfileRows()[0].strSSID, "Printer Room");
    EXPECT_EQ(exchanges(0), 1);
    // Not connected yet: the row shows "tried".
    run_for(2000);
    EXPECT_EQ(page.ProfileRows()[0].nState, 1);
    fake.status.Status = VxStatus_Connected;
    fake.status.AuthMode = 7;
    fake.status.EncryptionStatus = 6;
    run_for(2000);
    EXPECT_EQ(page.ProfileRows()[0].nState, 0);
    EXPECT_FALSE(G_bRotateProfile);
}

TEST_F(WpsRunTest, SuccessWithoutCredentialsAsksNoConnection)
{
    wps.codes[0] = { 15 };
    create();
    click(CPageWPSDlg::IDC_PBC);
    run_for(400);
    EXPECT_EQ(progress(), 100);
    EXPECT_EQ(exchanges(0), 0);
}

TEST_F(WpsRunTest, AutomaticPinSkipsPushButtonAndMovesOnAfterAWrongPin)
{
    wps.codes[2] = { kPin | 18, kPin | 262 };
    wps.codes[3] = { kPin | 21, kPin | 15 };
    wps.result.ProfileCnt = 1;
    wps.result.Profile[0] = credential("Studio 5G");
    create();
    set_pin("12345670");
    ::SendMessage(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_AUTO_SELECT), BM_SETCHECK, BST_CHECKED, 0);
    click(CPageWPSDlg::IDC_PIN);
    ASSERT_EQ(wps.modes.size(), 1u);
    EXPECT_EQ(wps.modes[0].Bssid[5], 2) << "the push-button access point is skipped";
    EXPECT_EQ(std::string(wps.modes[0].PIN, 8), "12345670");
    EXPECT_EQ(status(), "Start PIN connection - Family");
    run_for(600);
    ASSERT_EQ(wps.modes.size(), 2u);
    EXPECT_EQ(wps.modes[1].Bssid[5], 3);
    run_for(600);
    EXPECT_EQ(status(), "PIN - Get WPS profile successfully.");
    EXPECT_EQ(G_nWPSMode, 0);
    EXPECT_EQ(G_nCurSelItem, -1);
}

TEST_F(WpsRunTest, AutomaticPinOverPushButtonsOnlyRescansAndRestartsFromTheTop)
{
    fake.digests[2] = wps_digest("0x0004");
    fake.digests[3] = wps_digest("0x0004");
    create();
    set_pin("12345670");
    ::SendMessage(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_AUTO_SELECT), BM_SETCHECK, BST_CHECKED, 0);
    click(CPageWPSDlg::IDC_PIN);
    EXPECT_TRUE(wps.modes.empty());
    EXPECT_EQ(status(), "Scanning...");
    EXPECT_EQ(fake.scans, 1);
    EXPECT_EQ(G_nCurSelItem, -1);
    // The scan brings a PIN access point at the top.
    fake.digests[1] = wps_digest("0x0000");
    fake.finish_scan();
    run_for(1000);
    ASSERT_EQ(wps.modes.size(), 1u);
    EXPECT_EQ(wps.modes[0].Bssid[5], 1);
}

TEST_F(WpsRunTest, TwoMinuteWindowEndsTheSearchWithAFullDisconnect)
{
    wps.codes[2] = { kPin | 18 };
    create();
    set_pin("12345670");
    ::SendMessage(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_AUTO_SELECT), BM_SETCHECK, BST_CHECKED, 0);
    fake.status.Status = VxStatus_Connected; // timer 7 finds the adapter connected and waits
    click(CPageWPSDlg::IDC_PIN);
    run_for(119000);
    EXPECT_EQ(G_nWPSMode, 1);
    run_for(2000);
    EXPECT_EQ(G_nWPSMode, 0);
    EXPECT_EQ(fake.wps_flag, 0u);
    EXPECT_EQ(std::count(wps.calls.begin(), wps.calls.end(), "wps-disconnect"), 1);
    EXPECT_EQ(progress(), 0);
}

TEST_F(WpsRunTest, ManualPinRunWithoutARowKeepsTheConnection)
{
    fake.list = station::testing::ScanListBuffer {};
    fake.cache_list();
    create();
    set_pin("12345670");
    click(CPageWPSDlg::IDC_PIN);
    EXPECT_TRUE(wps.modes.empty());
    EXPECT_TRUE(wps.flags_written.empty());
    EXPECT_TRUE(wps.calls.empty());
}

TEST_F(WpsRunTest, TypedPinIsCheckedBeforeAnyRun)
{
    create();
    set_pin("1234567a");
    click(CPageWPSDlg::IDC_PIN);
    ASSERT_NE(page.PinEdit().info_window(), nullptr);
    EXPECT_NE(std::string(page.PinEdit().info_window()->text().GetString()).find("Invaild Pin Code"), std::string::npos);
    EXPECT_TRUE(wps.modes.empty());
    EXPECT_TRUE(boxes.empty());
    set_pin("12345671");
    click(CPageWPSDlg::IDC_PIN);
    EXPECT_EQ(boxes, std::vector<std::string> { "Pin Code error" });
    EXPECT_TRUE(wps.modes.empty());
}

// While the flag is set and the credential is not connected, the 2-second watch asks for a
// connection every half WPSRotatePeriod: every 5th tick for 10, every 30th for 60; 0 must not
// divide by zero.
TEST_F(WpsRunTest, RotationAsksForAConnectionEveryHalfPeriod)
{
    struct Case {
        int period;
        int ticks;
        int asks;
    } const cases[] = { { 10, 10, 2 }, { 60, 30, 1 }, { 0, 3, 3 } };
    store({ credential("Home"), credential("Office") });
    create();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.period);
        G_VxWlLib.nWPSRotatePeriod = c.period;
        click(CPageWPSDlg::IDC_ROTATE);
        int const after_click = exchanges(0);
        run_for(2000 * c.ticks);
        EXPECT_EQ(exchanges(0) - after_click, c.asks);
        click(CPageWPSDlg::IDC_DISCONNECT);
    }
}

TEST_F(WpsRunTest, HardwareButtonStartsARunUnlessTheSystemOwnsTheAdapter)
{
    wps.codes[-1] = { 2 };
    create();
    fake.zero_config = VXWL_ZERO_CONFIG_SYSTEM;
    page.m_bHWPBC = TRUE;
    run_for(1000);
    EXPECT_TRUE(page.m_bHWPBC);
    EXPECT_EQ(status(), "");
    fake.zero_config = 0;
    run_for(1500);
    EXPECT_FALSE(page.m_bHWPBC);
    EXPECT_EQ(status(), "PBC - Scanning AP") << "polled without a mode set: the adapter runs the exchange";
    EXPECT_TRUE(wps.modes.empty());
}

TEST_F(WpsRunTest, DeletingTheOnlyCredentialEmptiesStatusAndProgress)
{
    store({ credential("Home") });
    create();
    ::SetDlgItemText(page.m_hWnd, CPageWPSDlg::IDC_STATUS, "PBC - Get WPS profile successfully.");
    click(CPageWPSDlg::IDC_DELETE);
    EXPECT_EQ(wps.stored_profile.ProfileCnt, 0u);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(progress(), 0);
    EXPECT_TRUE(page.ProfileRows().empty());
}

TEST_F(WpsRunTest, DeletingARowAboveTheCurrentOneKeepsTheWatchOnItsCredential)
{
    store({ credential("A"), credential("B"), credential("C") });
    create();
    page.m_nCurProfile = 2;
    G_nCurWpsProfile = 2;
    G_nRotateWpsProfile = 1;
    page.m_listProfile.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    click(CPageWPSDlg::IDC_DELETE);
    ASSERT_EQ(wps.stored_profile.ProfileCnt, 2u);
    EXPECT_EQ(page.m_nCurProfile, 1);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(page.m_WpsProfile.Profile[page.m_nCurProfile].Ssid), 1), "C");
    EXPECT_EQ(G_nCurWpsProfile, 1);
    EXPECT_EQ(G_nRotateWpsProfile, 0);
    // Deleting the current one puts the watch on the first.
    page.m_listProfile.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    click(CPageWPSDlg::IDC_DELETE);
    EXPECT_EQ(page.m_nCurProfile, 0);
    EXPECT_EQ(G_nCurWpsProfile, 0);
}

TEST_F(WpsRunTest, RegistrarRoleOffersItsOwnCredential)
{
    create();
    ::SendMessage(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_ROLE), CB_SETCURSEL, 1, 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CPageWPSDlg::IDC_ROLE, CBN_SELCHANGE),
        LPARAM(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_ROLE)));
    pump();
    EXPECT_EQ(G_nConfigMode, 1);
    EXPECT_EQ(wps.stored_mode.ConfigMode, 1);
    ASSERT_EQ(page.ProfileRows().size(), 1u);
    EXPECT_EQ(page.ProfileRows()[0].strSSID, "ExRegNW0A1B2C");
    EXPECT_FALSE(enabled(CPageWPSDlg::IDC_PBC));
    EXPECT_FALSE(::GetWindowLong(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_DELETE), GWL_STYLE) & WS_VISIBLE);
}

// What a status code does to the run, over the run kind, the automatic choice, a valid row and
// the system code: whether the next access point is tried, and what is left of the choice.
TEST_F(WpsRunTest, StatusCodesMoveOnByTheirRules)
{
    enum Rule { AutoOnly, AnySelection, Disconnects, Success };
    struct Code {
        VXWL_U32 code;
        Rule rule;
    } const codes[] = {
        { 0, AutoOnly }, { 1, AutoOnly }, { 259, AutoOnly }, { 260, AnySelection }, { 261, AutoOnly },
        { 262, AutoOnly }, { 513, AutoOnly }, { 516, Disconnects }, { 517, AutoOnly }, { 15, Success },
    };
    create();
    set_pin("12345670");
    for (auto const& c : codes)
        for (bool pin : { true, false })
            for (bool automatic : { true, false })
                for (bool valid : { true, false })
                    for (int os : { 9, 10 }) {
                        SCOPED_TRACE(testing::Message() << "code " << c.code << (pin ? " PIN" : " PBC")
                                                        << (automatic ? " auto" : " manual") << (valid ? " valid" : " invalid")
                                                        << " os " << os);
                        fake.win_os = os;
                        ::SendMessage(::GetDlgItem(page.m_hWnd, CPageWPSDlg::IDC_AUTO_SELECT), BM_SETCHECK,
                            automatic ? BST_CHECKED : BST_UNCHECKED, 0);
                        page.UpdateData(TRUE);
                        G_nWPSMode = pin ? 1 : 2;
                        G_nCurSelItem = valid ? 0 : 7;
                        wps.modes.clear();
                        wps.calls.clear();
                        wps.flags_written.clear();
                        wps.codes[-1] = { (pin ? kPin : 0) | c.code };
                        page.GetWPSStatus();
                        bool const next = c.rule != Success && pin && valid && (automatic || c.rule == AnySelection);
                        EXPECT_EQ(!wps.modes.empty(), next);
                        bool const full_disconnect = c.rule == Disconnects && !automatic && os < 10;
                        if (c.rule == Success) {
                            EXPECT_EQ(G_nWPSMode, 0);
                        } else if ((pin && !next) || full_disconnect) {
                            EXPECT_EQ(G_nCurSelItem, -1);
                        } else if (!pin) {
                            EXPECT_EQ(G_nCurSelItem, valid ? 0 : 7) << "a push-button run only shows the text";
                        }
                        if (c.rule == Disconnects && !automatic && os >= 10) {
                            EXPECT_EQ(std::count(wps.calls.begin(), wps.calls.end(), "wps-disconnect"), 1);
                        }
                        if (full_disconnect) {
                            EXPECT_EQ(wps.flags_written, std::vector<VXWL_U32> { 0 });
                        }
                    }
}
