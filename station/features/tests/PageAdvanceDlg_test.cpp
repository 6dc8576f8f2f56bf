// The advanced page on a fake library bound into the binding's slots: what it shows from a
// stored record, what Apply stores and applies, the refusals, and when Apply flushes the scan
// list.
#include "FeaturesFixture.h"

#include "station/core/ActionQueue.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/HideDlgIds.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageAdvanceDlg.h"

#include "platform/system/DebugOutput.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>

namespace {

struct FakeAdvance {
    // [SECTION] What the library answers
    bool stored_ok { true };
    ADVANCE_CONFIG_DATA stored {};
    int has_11n { 1 };
    int has_11a { 1 };
    int model { 5 };
    VXWL_U32 region_word { 0 };
    VXWL_U32 flag5 { 1 };
    VXWL_U32 flag24 { 1 };
    int antenna { 0x22 };
    int driver_mode { 5 };
    int win_os { 9 };
    VXWL_U32 ccx { 0 };
    std::string active_profile;
    int admin { 1 };
    int standard_user_may { 0 };
    WLAN_STATUS status {};
    int bw40_bg { 1 };
    int bw40_a { 1 };
    VXWL_U32 wps_flag { 0 };
    int op_mode { 0 };
    int extap_answer { 1 };
    EXTAP_CONFIG_DATA extap {};
    int setup_answer { 1 };
    int tdls { 0 };
    WMM_SETTING wmm {};

    // [SECTION] What the page did
    std::vector<ADVANCE_CONFIG_DATA> writes;
    std::vector<ADVANCE_OID> oids;
    std::vector<std::pair<int, int>> flushes;
    std::vector<std::pair<int, VXWL_U32>> ccx_infos;
    int scan_flags { 0 };
    std::vector<std::string> calls;
    struct Join {
        std::string profile;
        int network;
        std::string ssid;
        int connect_mode, auth, encryption;
    };
    std::vector<Join> joins;
    std::vector<EXTAP_CONFIG_DATA> setups;
    std::vector<WMM_SETTING> dls_setups;

    static FakeAdvance& the()
    {
        static FakeAdvance fake;
        return fake;
    }
    static void bind()
    {
        the() = FakeAdvance {};
        auto& l = G_VxWlLib;
        l.VXWL_ReadConfigData.bind([](ADVANCE_CONFIG_DATA* c) {
            *c = the().stored;
            return the().stored_ok ? 1 : 0;
        });
        l.VXWL_WriteAdvanceCfgData.bind([](ADVANCE_CONFIG_DATA c) { return the().writes.push_back(c), 1; });
        l.VXWL_SetAdvanceSetting.bind([](ADVANCE_OID o) { return the().oids.push_back(o), 1; });
        l.VXWL_Is80211NSupport.bind([] { return the().has_11n; });
        l.VXWL_Is80211ASupport.bind([] { return the().has_11a; });
        l.VXWL_GetCurrentDeviceModel.bind([](int* m) { return *m = the().model, 1; });
        l.VXWL_GetMaxCountryRegion.bind([](VXWL_U32* a, VXWL_U32* b) { return *a = 0, *b = 0, 1; });
        l.VXWL_QueryCountryRegion.bind([](VXWL_U32* word, VXWL_U32* f5, VXWL_U32* f24) {
            *word = the().region_word;
            *f5 = the().flag5;
            *f24 = the().flag24;
            return 1;
        });
        l.VXWL_QueryAntennaNumber.bind([](int* a) { return *a = the().antenna, 1; });
        l.VXWL_QueryWirelessMode.bind([](int* m) { return *m = the().driver_mode, 1; });
        l.VXWL_CheckIfAllowBW40InBGBand.bind([] { return the().bw40_bg; });
        l.VXWL_CheckIfAllowBW40InABand.bind([] { return the().bw40_a; });
        l.VXWL_ReadWPSFlag.bind([](VXWL_U32* f) { return *f = the().wps_flag, 1; });
        l.VXWL_IsSupportTDLS.bind([] { return the().tdls; });
        l.VXWL_QueryAndReadWMMCapability.bind([](WMM_SETTING* w) { return *w = the().wmm, 1; });
        l.VXWL_EnableDLSetup.bind([](WMM_SETTING w) { return the().dls_setups.push_back(w), 1; });
        l.VXWL_QueryOPMode.bind([] { return the().op_mode; });
        l.VXWL_ReadExtAPConfig.bind([](EXTAP_CONFIG_DATA* c) { return *c = the().extap, the().extap_answer; });
        l.VXWL_HostedNetworkStopUsing.bind([] { return the().calls.push_back("stop hosted"), 1; });
        l.VXWL_HostedNetworkSetup.bind([](EXTAP_CONFIG_DATA c) {
            the().calls.push_back("setup hosted");
            the().setups.push_back(c);
            return the().setup_answer;
        });
        l.VXWL_GetWinOS.bind([] { return the().win_os; });
        l.VXWL_ReadCCX2Cont.bind([](VXWL_U32* w) { return *w = the().ccx, 1; });
        l.VXWL_SetCCXInfo.bind([](int on, VXWL_U32 w) { return the().ccx_infos.emplace_back(on, w), 1; });
        l.VXWL_VerifyCountryRegion.bind([] { return 1; });
        l.VXWL_ReadActiveProfileName.bind([](char* name) {
            std::strcpy(name, the().active_profile.c_str());
            return 1;
        });
        l.VXWL_ReadProfileData.bind([](WLANPROFILE* p, const char*) { return p->bBssid = 1, 1; });
        l.VXWL_FlushBSSIDList.bind([](int from, int to) {
            the().calls.push_back("flush");
            return the().flushes.emplace_back(from, to), 1;
        });
        l.VXWL_DetectUserAdmin.bind([] { return the().admin; });
        // The driver runs TX burst on and protection On.
        l.VXWL_QuerySTAConfig.bind([](KT_802_11_STA_CONFIG* c) {
            c->EnableTxBurst = 1;
            c->UseBGProtection = 1;
            return 1;
        });
        l.VXWL_IsAllowStandardUserSetAdvance.bind([] { return the().standard_user_may; });
        l.VXWL_QueryWLANStatus.bind([](WLAN_STATUS* s, WLAN_STATUS_REQUEST request) {
            the().calls.push_back("status " + std::to_string(request.Switch[0]) + std::to_string(request.Switch[1])
                + std::to_string(request.Switch[2]));
            return *s = the().status, 1;
        });
        l.VXWL_WlanDisconnect.bind([] { return the().calls.push_back("disconnect"), 1; });
        // Distinct conversions, so a value passed unconverted shows.
        l.VXWL_WlanConvertNdis2Dot11AuthType.bind([](int v, int* r) { return *r = v + 100, 1; });
        l.VXWL_WlanConvertNdis2Dot11EncryptType.bind([](int v, int* r) { return *r = v + 200, 1; });
        l.VXWL_WlanConvertNdis2Dot11NetworkType.bind([](int v, int* r) { return *r = v + 300, 1; });
        l.VXWL_WlanConnect.bind([](const char* profile, int network, NDIS_802_11_SSID ssid, int mode, int auth, int enc) {
            the().calls.push_back("connect");
            the().joins.push_back({ profile, network,
                std::string(reinterpret_cast<char const*>(ssid.Ssid), std::min<std::size_t>(ssid.SsidLength, 32)), mode,
                auth, enc });
            return 1;
        });
    }
    static void unbind()
    {
        auto& l = G_VxWlLib;
        l.VXWL_ReadConfigData.bind(nullptr);
        l.VXWL_WriteAdvanceCfgData.bind(nullptr);
        l.VXWL_SetAdvanceSetting.bind(nullptr);
        l.VXWL_Is80211NSupport.bind(nullptr);
        l.VXWL_Is80211ASupport.bind(nullptr);
        l.VXWL_GetCurrentDeviceModel.bind(nullptr);
        l.VXWL_GetMaxCountryRegion.bind(nullptr);
        l.VXWL_QueryCountryRegion.bind(nullptr);
        l.VXWL_QueryAntennaNumber.bind(nullptr);
        l.VXWL_QueryWirelessMode.bind(nullptr);
        l.VXWL_CheckIfAllowBW40InBGBand.bind(nullptr);
        l.VXWL_CheckIfAllowBW40InABand.bind(nullptr);
        l.VXWL_GetWinOS.bind(nullptr);
        l.VXWL_ReadCCX2Cont.bind(nullptr);
        l.VXWL_SetCCXInfo.bind(nullptr);
        l.VXWL_VerifyCountryRegion.bind(nullptr);
        l.VXWL_ReadActiveProfileName.bind(nullptr);
        l.VXWL_ReadProfileData.bind(nullptr);
        l.VXWL_FlushBSSIDList.bind(nullptr);
        l.VXWL_DetectUserAdmin.bind(nullptr);
        l.VXWL_QuerySTAConfig.bind(nullptr);
        l.VXWL_IsAllowStandardUserSetAdvance.bind(nullptr);
        l.VXWL_QueryWLANStatus.bind(nullptr);
        l.VXWL_WlanDisconnect.bind(nullptr);
        l.VXWL_WlanConvertNdis2Dot11AuthType.bind(nullptr);
        l.VXWL_WlanConvertNdis2Dot11EncryptType.bind(nullptr);
        l.VXWL_WlanConvertNdis2Dot11NetworkType.bind(nullptr);
        l.VXWL_WlanConnect.bind(nullptr);
        l.VXWL_ReadWPSFlag.bind(nullptr);
        l.VXWL_IsSupportTDLS.bind(nullptr);
        l.VXWL_QueryAndReadWMMCapability.bind(nullptr);
        l.VXWL_EnableDLSetup.bind(nullptr);
        l.VXWL_QueryOPMode.bind(nullptr);
        l.VXWL_ReadExtAPConfig.bind(nullptr);
        l.VXWL_HostedNetworkStopUsing.bind(nullptr);
        l.VXWL_HostedNetworkSetup.bind(nullptr);
    }
};

class ScanFlagServices : public HideDlgServices {
public:
    explicit ScanFlagServices(HWND window)
        : m_window(window)
    {
        set_hide_dlg_services(this);
    }
    ~ScanFlagServices() override { set_hide_dlg_services(nullptr); }
    HWND config_window() const override { return m_window; }
    HWND hide_dialog() const override { return m_window; }
    void set_scan_after_advance_change() override { ++FakeAdvance::the().scan_flags; }
    bool take_current_profile_for_advance(WLANPROFILE& out) override
    {
        if (!current)
            return false;
        current->bSetAdvance = 0;
        out = *current;
        return true;
    }
    // The hidden dialog's current profile; none when null.
    WLANPROFILE* current { nullptr };

private:
    HWND m_window;
};

// A stored record: mode 5 (both bands, 802.11n), MCS 7, BW/GI/STBC Auto, MM, regions 1 and 2,
// fast roaming at -75.
ADVANCE_CONFIG_DATA stored_record()
{
    ADVANCE_CONFIG_DATA c {};
    c.WirelessMode = 5;
    c.TransmitSetting = 5 | 7u << 4 | 1u << 11 | 1u << 12 | 1u << 13 | 2u << 14;
    c.CountryRegion = 1;
    c.CountryRegionABand = 2;
    c.TransRate = 3;
    c.TXBurst = 1;
    c.BGProtection = 2;
    c.CCX2Control = 1u << 5 | 75u << 8;
    return c;
}

class PageAdvanceTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        FakeAdvance::bind();
        fake().stored = stored_record();
        saved_ui = G_UiStr;
        saved_region_option = G_VxWlLib.bShowCountryRegion;
        G_VxWlLib.bShowCountryRegion = 1;
        G_UiStr.IDS_AUTO = "Auto";
        G_UiStr.IDS_ON = "On";
        G_UiStr.IDS_OFF = "Off";
        G_UiStr.IDS_PHY_24G = "2.4G";
        G_UiStr.IDS_PHY_5G = "5G";
        G_UiStr.IDS_PHY_24_5G = "2.4G+5G";
        G_UiStr.IDS_INVALID_DBM = "bad dBm";
        G_UiStr.IDS_MSG_NOT_AVAIL_COMBO_GI_STBC_GF = "bad combination";
        saved_options = { G_VxWlLib.bHTSetting, G_VxWlLib.bTxRate, G_VxWlLib.bBgProtection, G_VxWlLib.bSelect11nDialog,
            G_VxWlLib.bTDLSControl };
        SetMessageBoxHandler([this](std::string const& text) {
            boxes.push_back(text);
            return INT_PTR { IDOK };
        });
    }
    void TearDown() override
    {
        page.reset();
        SetMessageBoxHandler(nullptr);
        FakeAdvance::unbind();
        G_VxWlLib.bShowCountryRegion = saved_region_option;
        G_VxWlLib.bHTSetting = saved_options[0];
        G_VxWlLib.bTxRate = saved_options[1];
        G_VxWlLib.bBgProtection = saved_options[2];
        G_VxWlLib.bSelect11nDialog = saved_options[3];
        G_VxWlLib.bTDLSControl = saved_options[4];
        G_UiStr = saved_ui;
        FeaturesTest::TearDown();
    }
    static FakeAdvance& fake() { return FakeAdvance::the(); }

    void open()
    {
        page = std::make_unique<CPageAdvanceDlg>(&host);
        ASSERT_TRUE(page->Create(CPageAdvanceDlg::IDD, &host));
        page->ShowWindow(SW_SHOW);
        pump();
    }
    std::string shown(int id) const { return text_of(::GetDlgItem(page->m_hWnd, id)); }
    int selected(int id) const { return int(::SendDlgItemMessage(page->m_hWnd, id, CB_GETCURSEL, 0, 0)); }
    int count(int id) const { return int(::SendDlgItemMessage(page->m_hWnd, id, CB_GETCOUNT, 0, 0)); }
    bool checked(int id) const { return ::IsDlgButtonChecked(page->m_hWnd, id) == BST_CHECKED; }
    void select(int id, int index)
    {
        ::SendDlgItemMessage(page->m_hWnd, id, CB_SETCURSEL, WPARAM(index), 0);
        ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(::GetDlgItem(page->m_hWnd, id)));
        pump();
    }
    void click(int id)
    {
        ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(page->m_hWnd, id)));
        pump();
    }
    void set_radio(int first, int count, int chosen)
    {
        for (int i = 0; i < count; ++i)
            ::CheckDlgButton(page->m_hWnd, first + i, i == chosen ? BST_CHECKED : BST_UNCHECKED);
    }

    std::unique_ptr<CPageAdvanceDlg> page;
    std::vector<std::string> boxes;
    CUISTR saved_ui;
    int saved_region_option { 0 };
    std::array<int, 5> saved_options {};
};

}

TEST_F(PageAdvanceTest, ShowsTheStoredRecord)
{
    open();
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_MODE), "2.4G+5G");
    EXPECT_EQ(count(CPageAdvanceDlg::IDC_TXRATE), 13);
    EXPECT_EQ(selected(CPageAdvanceDlg::IDC_TXRATE), 3);
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_PROTECTION), "Off");
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_MCS), "7");
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_THRESHOLD), "-75");
    EXPECT_TRUE(checked(CPageAdvanceDlg::IDC_FASTROAM));
    EXPECT_TRUE(checked(CPageAdvanceDlg::IDC_TXBURST));
    EXPECT_TRUE(checked(CPageAdvanceDlg::IDC_BW_20 + 1));
    EXPECT_TRUE(checked(CPageAdvanceDlg::IDC_HT_MM));
    EXPECT_EQ(selected(CPageAdvanceDlg::IDC_REGION24), 1);
    EXPECT_EQ(selected(CPageAdvanceDlg::IDC_REGION5), 2);
}

TEST_F(PageAdvanceTest, OutOfRangeStoredThresholdsAndFlaglessBandsShowTheDefaults)
{
    fake().stored.CCX2Control = 95u << 8;
    fake().flag24 = 0;
    fake().region_word = 5 | 3u << 8;
    open();
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_THRESHOLD), "-70");
    EXPECT_EQ(selected(CPageAdvanceDlg::IDC_REGION24), 5);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_REGION24)));
    EXPECT_EQ(selected(CPageAdvanceDlg::IDC_REGION5), 2);
}

TEST_F(PageAdvanceTest, NothingStoredShowsTheDriversMode)
{
    fake().stored_ok = false;
    fake().driver_mode = 8;
    open();
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_MODE), "5G");
}

TEST_F(PageAdvanceTest, ApplyWithoutChangesStoresAndAppliesButDoesNotFlush)
{
    ScanFlagServices services(parent.m_hWnd);
    open();
    click(CPageAdvanceDlg::IDC_APPLY);
    ASSERT_EQ(fake().writes.size(), 1u);
    ASSERT_EQ(fake().oids.size(), 1u);
    ADVANCE_CONFIG_DATA const& w = fake().writes[0];
    EXPECT_EQ(w.WirelessMode, 5u);
    EXPECT_EQ(w.TransmitSetting, fake().stored.TransmitSetting);
    EXPECT_EQ(w.CountryRegion, 1u);
    EXPECT_EQ(w.CountryRegionABand, 2u);
    EXPECT_EQ(w.TransRate, 3u);
    EXPECT_EQ(w.BGProtection, 2u);
    EXPECT_EQ(w.CCX2Control, 1u << 5 | 75u << 8);
    ADVANCE_OID const& o = fake().oids[0];
    EXPECT_EQ(o.PhyMode, 5u);
    EXPECT_EQ(o.MCS, 7);
    EXPECT_EQ(o.TransmitNo, 2);
    EXPECT_EQ(o.KTphyMode, 5u);
    // No active profile name: fast roaming allowed.
    ASSERT_EQ(fake().ccx_infos.size(), 1u);
    EXPECT_EQ(fake().ccx_infos[0], (std::pair<int, VXWL_U32> { 1, 1u << 5 | 75u << 8 }));
    EXPECT_TRUE(fake().flushes.empty());
    EXPECT_TRUE(parent.privates.empty());
    EXPECT_EQ(fake().scan_flags, 0);
}

TEST_F(PageAdvanceTest, ThresholdsOutsideMinus90ToMinus40AreRefused)
{
    struct Case {
        char const* text;
        bool accepted;
    };
    open();
    for (Case c : { Case { "-90", true }, Case { "-40", true }, Case { "-91", false }, Case { "-39", false },
             Case { "", false }, Case { "-7x", false } }) {
        SCOPED_TRACE(c.text);
        fake().writes.clear();
        boxes.clear();
        ::SetDlgItemText(page->m_hWnd, CPageAdvanceDlg::IDC_THRESHOLD, c.text);
        click(CPageAdvanceDlg::IDC_APPLY);
        EXPECT_EQ(fake().writes.size(), c.accepted ? 1u : 0u);
        EXPECT_EQ(boxes, c.accepted ? std::vector<std::string> {} : std::vector<std::string> { "bad dBm" });
    }
}

TEST_F(PageAdvanceTest, GreenfieldWithShortGuardAndStbcIsRefusedOnlyOn80211n)
{
    for (int has_11n : { 1, 0 }) {
        SCOPED_TRACE(has_11n);
        fake().has_11n = has_11n;
        fake().writes.clear();
        boxes.clear();
        open();
        set_radio(CPageAdvanceDlg::IDC_HT_MM, 2, 1);
        set_radio(CPageAdvanceDlg::IDC_GI_LONG, 2, 1);
        set_radio(CPageAdvanceDlg::IDC_STBC_NONE, 2, 1);
        click(CPageAdvanceDlg::IDC_APPLY);
        EXPECT_EQ(fake().writes.size(), has_11n ? 0u : 1u);
        EXPECT_EQ(boxes.size(), has_11n ? 1u : 0u);
        if (!has_11n && !fake().writes.empty()) {
            EXPECT_EQ(fake().writes[0].TransmitSetting, 0u);
        }
    }
}

TEST_F(PageAdvanceTest, FastRoamingOffStoresSeventyAndClearsTheFlag)
{
    fake().ccx = 0x00005A20;
    open();
    ::CheckDlgButton(page->m_hWnd, CPageAdvanceDlg::IDC_FASTROAM, BST_UNCHECKED);
    click(CPageAdvanceDlg::IDC_FASTROAM);
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_THRESHOLD), "-70");
    click(CPageAdvanceDlg::IDC_APPLY);
    ASSERT_EQ(fake().writes.size(), 1u);
    EXPECT_EQ(fake().writes[0].CCX2Control, 0x00004600u);
}

TEST_F(PageAdvanceTest, ChangingTheModeOnAnOlderSystemFlushesAndHandsTheRescanOver)
{
    ScanFlagServices services(parent.m_hWnd);
    open();
    select(CPageAdvanceDlg::IDC_MODE, 0);
    click(CPageAdvanceDlg::IDC_APPLY);
    ASSERT_EQ(fake().flushes.size(), 1u);
    EXPECT_EQ(fake().flushes[0], (std::pair<int, int> { 5, 9 }));
    ASSERT_EQ(parent.privates.size(), 1u);
    EXPECT_EQ(parent.privates[0].message, UINT { DLG_MSG_EXCHANGE });
    EXPECT_EQ(parent.privates[0].wParam, WPARAM { PAGE_ADVANCE_DLG });
    EXPECT_EQ(parent.privates[0].lParam, LPARAM { ON_APPLY_NOW_XP });
    EXPECT_EQ(fake().scan_flags, 1);
    EXPECT_EQ(page->m_bSwitched, TRUE);
    // A second Apply without change does not switch again.
    click(CPageAdvanceDlg::IDC_APPLY);
    EXPECT_EQ(fake().flushes.size(), 1u);
    EXPECT_EQ(page->m_bSwitched, FALSE);
}

TEST_F(PageAdvanceTest, ChangingARegionOnANewerSystemFlushesAndWaitsForTheScanTimer)
{
    ScanFlagServices services(parent.m_hWnd);
    fake().win_os = 12;
    open();
    select(CPageAdvanceDlg::IDC_REGION24, 3);
    click(CPageAdvanceDlg::IDC_APPLY);
    ASSERT_EQ(fake().flushes.size(), 1u);
    EXPECT_EQ(fake().flushes[0], (std::pair<int, int> { 5, 5 }));
    EXPECT_TRUE(parent.privates.empty());
    EXPECT_EQ(fake().scan_flags, 0);
    // Timer 2's tick hands the page over to the configuration window.
    ::SendMessage(page->m_hWnd, WM_TIMER, CPageAdvanceDlg::TIMER_ADVANCE_PAGE_SCAN, 0);
    pump();
    ASSERT_EQ(parent.privates.size(), 1u);
    EXPECT_EQ(parent.privates[0].wParam, WPARAM { PAGE_ADVANCE_DLG });
    EXPECT_EQ(parent.privates[0].lParam, LPARAM { 0 });
}

TEST_F(PageAdvanceTest, Toggling80211nCountsAsAChange)
{
    ScanFlagServices services(parent.m_hWnd);
    open();
    ::CheckDlgButton(page->m_hWnd, CPageAdvanceDlg::IDC_ENABLE_11N, BST_CHECKED);
    click(CPageAdvanceDlg::IDC_ENABLE_11N);
    click(CPageAdvanceDlg::IDC_APPLY);
    EXPECT_EQ(fake().flushes.size(), 1u);
}

TEST_F(PageAdvanceTest, ASwitchOnANewerSystemRejoinsTheConnectedNetwork)
{
    ScanFlagServices services(parent.m_hWnd);
    fake().win_os = 10;
    WLAN_STATUS& s = fake().status;
    s.Status = VxStatus_Connected;
    std::strcpy(s.ProfileName, "Corner Cafe");
    s.Ssid.SsidLength = 11;
    std::memcpy(s.Ssid.Ssid, "Corner Cafe", 11);
    s.NetworkType = 1;
    s.AuthMode = 0;
    s.EncryptionStatus = 1;
    s.ConnectMode = 2;
    open();
    select(CPageAdvanceDlg::IDC_MODE, 0);
    click(CPageAdvanceDlg::IDC_APPLY);
    EXPECT_EQ(fake().calls, (std::vector<std::string> { "flush", "status 010", "disconnect", "connect" }));
    ASSERT_EQ(fake().joins.size(), 1u);
    auto const& j = fake().joins[0];
    EXPECT_EQ(j.profile, "Corner Cafe");
    EXPECT_EQ(j.ssid, "Corner Cafe");
    EXPECT_EQ(j.network, 301);
    EXPECT_EQ(j.auth, 100);
    EXPECT_EQ(j.encryption, 201);
    EXPECT_EQ(j.connect_mode, 2);
}

TEST_F(PageAdvanceTest, ASwitchWhileNotConnectedOnlyFlushes)
{
    ScanFlagServices services(parent.m_hWnd);
    fake().win_os = 10;
    fake().status.Status = VxStatus_Disconnected;
    open();
    select(CPageAdvanceDlg::IDC_MODE, 0);
    click(CPageAdvanceDlg::IDC_APPLY);
    EXPECT_EQ(fake().calls, (std::vector<std::string> { "flush", "status 010" }));
}

TEST_F(PageAdvanceTest, WithoutRightsThePageShowsTheDriversValues)
{
    fake().admin = 0;
    fake().driver_mode = 8;
    fake().region_word = 4 | 6u << 8;
    open();
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_MODE), "5G");
    EXPECT_EQ(selected(CPageAdvanceDlg::IDC_REGION24), 4);
    EXPECT_EQ(selected(CPageAdvanceDlg::IDC_REGION5), 6);
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_PROTECTION), "On");
    page.reset();
    fake().standard_user_may = 1;
    open();
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_MODE), "2.4G+5G");
}

TEST_F(PageAdvanceTest, ADriverRegionBeyondTheListOfAFixedBandShowsAsItsNumber)
{
    fake().flag24 = 0;
    fake().region_word = 33;
    open();
    EXPECT_EQ(count(CPageAdvanceDlg::IDC_REGION24), 9);
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_REGION24), "33");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_REGION24)));
}

TEST_F(PageAdvanceTest, TheSystemDecidesTheTcpWindowAndAuthenticationStatusBoxes)
{
    struct Case {
        int win_os;
        bool tcp_enabled, auth_visible;
    };
    for (Case c : { Case { 5, false, true }, Case { 9, true, true }, Case { 10, true, false } }) {
        SCOPED_TRACE(c.win_os);
        fake().win_os = c.win_os;
        open();
        EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_TCPWINDOW)) != FALSE, c.tcp_enabled);
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_AUTHSTATUS)) != FALSE, c.auth_visible);
        page.reset();
    }
}

TEST_F(PageAdvanceTest, The80211nGroupShowsWithTheOptionOnAn80211nAdapterOnly)
{
    G_VxWlLib.bHTSetting = 1;
    open();
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_MCS)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_ENABLE_11N)));
    // The 11b and 11g radios, the rate text and the extension channel never show.
    for (int id : { 1599, 1600, 1601, 1602, 1306, 1279, 1309 })
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, id))) << id;
    page.reset();
    fake().has_11n = 0;
    open();
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_MCS)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_HT_MM)));
}

// Without the option the group waits for timer 1, which shows it when the program offers the
// 802.11n box and it is checked.
TEST_F(PageAdvanceTest, TimerOneShowsTheGroupWhileTheOfferedBoxIsChecked)
{
    G_VxWlLib.bSelect11nDialog = 1;
    open();
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_MCS)));
    ::SendMessage(page->m_hWnd, WM_TIMER, CPageAdvanceDlg::TIMER_ADVANCE_PAGE_GROUP, 0);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_MCS)));
    ::CheckDlgButton(page->m_hWnd, CPageAdvanceDlg::IDC_ENABLE_11N, BST_UNCHECKED);
    click(CPageAdvanceDlg::IDC_ENABLE_11N);
    ::SendMessage(page->m_hWnd, WM_TIMER, CPageAdvanceDlg::TIMER_ADVANCE_PAGE_GROUP, 0);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_MCS)));
}

TEST_F(PageAdvanceTest, TheOptionsHideTheTxRateAndProtectionOfAn80211nAdapter)
{
    struct Case {
        int has_11n, tx_rate, protection;
        bool rate_shown, protection_shown;
    };
    G_VxWlLib.bHTSetting = 1;
    // On an 802.11n adapter the box "Enable 11N Mode" is checked, which hides the TX rate too.
    for (Case c : { Case { 1, 0, 0, false, false }, Case { 1, 1, 1, false, true }, Case { 0, 0, 0, true, true } }) {
        SCOPED_TRACE(c.has_11n * 100 + c.tx_rate * 10 + c.protection);
        fake().has_11n = c.has_11n;
        G_VxWlLib.bTxRate = c.tx_rate;
        G_VxWlLib.bBgProtection = c.protection;
        open();
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_TXRATE)) != FALSE, c.rate_shown);
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_PROTECTION)) != FALSE,
            c.protection_shown);
        page.reset();
    }
}

TEST_F(PageAdvanceTest, TheProtectionMenuChoosesWhatApplyStores)
{
    open();
    struct Case {
        UINT command;
        char const* text;
        std::uint32_t stored;
    };
    for (Case c : { Case { 32773, "On", 1 }, Case { 32774, "Off", 2 }, Case { 32772, "Auto", 0 } }) {
        ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
        EXPECT_EQ(shown(CPageAdvanceDlg::IDC_PROTECTION), c.text);
        fake().writes.clear();
        click(CPageAdvanceDlg::IDC_APPLY);
        ASSERT_EQ(fake().writes.size(), 1u);
        EXPECT_EQ(fake().writes[0].BGProtection, c.stored);
    }
}

// The 2.4 GHz region decides whether 40 MHz fits: the named list of model 0.
TEST_F(PageAdvanceTest, ANarrowRegionOrARefusingBandForcesBandwidth20)
{
    struct Case {
        char const* entry;
        int driver_mode, bw40_bg, bw40_a;
        bool forced;
    };
    fake().model = 0;
    for (Case c : { Case { "3: SPAIN, CH10-11", 5, 1, 1, true }, Case { "5: MKK, CH14", 5, 1, 1, true },
             Case { "2: ETSI, CH1-13", 5, 1, 1, false }, Case { "2: ETSI, CH1-13", 9, 0, 1, true },
             Case { "2: ETSI, CH1-13", 7, 0, 1, true }, Case { "2: ETSI, CH1-13", 8, 1, 0, true },
             Case { "2: ETSI, CH1-13", 9, 1, 0, false } }) {
        SCOPED_TRACE(std::string(c.entry) + " mode " + std::to_string(c.driver_mode));
        fake().driver_mode = c.driver_mode;
        fake().bw40_bg = c.bw40_bg;
        fake().bw40_a = c.bw40_a;
        open();
        int const index = int(::SendDlgItemMessage(page->m_hWnd, CPageAdvanceDlg::IDC_REGION24, CB_FINDSTRINGEXACT,
            WPARAM(-1), LPARAM(c.entry)));
        ASSERT_GE(index, 0);
        set_radio(CPageAdvanceDlg::IDC_BW_20, 2, 1);
        select(CPageAdvanceDlg::IDC_REGION24, index);
        EXPECT_EQ(checked(CPageAdvanceDlg::IDC_BW_20), c.forced);
        EXPECT_EQ(checked(CPageAdvanceDlg::IDC_BW_AUTO), !c.forced);
        page.reset();
    }
}

TEST_F(PageAdvanceTest, ADriverRegionShownAsANumberCountsAsOneChannel)
{
    fake().flag24 = 0;
    fake().region_word = 33;
    open();
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_REGION24), "33");
    EXPECT_TRUE(checked(CPageAdvanceDlg::IDC_BW_20));
}

TEST_F(PageAdvanceTest, BandwidthAutoIsOfferedPerBand)
{
    struct Case {
        int mode_index, bw40_bg, bw40_a;
        bool offered;
    };
    G_VxWlLib.bHTSetting = 1;
    for (Case c : { Case { 0, 0, 1, false }, Case { 0, 1, 0, true }, Case { 1, 1, 0, false }, Case { 1, 0, 1, true } }) {
        SCOPED_TRACE(c.mode_index * 100 + c.bw40_bg * 10 + c.bw40_a);
        fake().bw40_bg = c.bw40_bg;
        fake().bw40_a = c.bw40_a;
        open();
        select(CPageAdvanceDlg::IDC_MODE, c.mode_index);
        EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_BW_AUTO)) != FALSE, c.offered);
        if (!c.offered) {
            EXPECT_TRUE(checked(CPageAdvanceDlg::IDC_BW_20));
        }
        page.reset();
    }
}

TEST_F(PageAdvanceTest, TheRateTextFollowsBandwidthGuardIntervalAndMcs)
{
    struct Case {
        int bw, gi;
        char const* mcs;
        char const* text;
    };
    open();
    for (Case c : { Case { 1, 1, "7", "Tx Rate: 150.00 Mbps" }, Case { 0, 0, "7", "Tx Rate: 65.00 Mbps" },
             Case { 1, 0, "32", "Tx Rate: 6.00 Mbps" }, Case { 0, 0, "32", "Tx Rate: Not Available" },
             Case { 1, 1, "Force Short GI", "Tx Rate: Not Available" } }) {
        SCOPED_TRACE(std::string(c.mcs) + " " + std::to_string(c.bw) + std::to_string(c.gi));
        set_radio(CPageAdvanceDlg::IDC_BW_20, 2, c.bw);
        set_radio(CPageAdvanceDlg::IDC_GI_LONG, 2, c.gi);
        int const index = int(
            ::SendDlgItemMessage(page->m_hWnd, CPageAdvanceDlg::IDC_MCS, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(c.mcs)));
        select(CPageAdvanceDlg::IDC_MCS, index);
        EXPECT_EQ(shown(CPageAdvanceDlg::IDC_RATE_TEXT), c.text);
    }
}

TEST_F(PageAdvanceTest, AnEmptiedThresholdShowsZero)
{
    open();
    ::SetDlgItemText(page->m_hWnd, CPageAdvanceDlg::IDC_THRESHOLD, "");
    pump();
    EXPECT_EQ(shown(CPageAdvanceDlg::IDC_THRESHOLD), "0");
}

TEST_F(PageAdvanceTest, TheAuthenticationStatusOptionComesFromTheStoredRecord)
{
    fake().stored.ShowAuthStatus = 1;
    open();
    EXPECT_TRUE(page->m_bShowAuthStatus);
    ::CheckDlgButton(page->m_hWnd, CPageAdvanceDlg::IDC_AUTHSTATUS, BST_UNCHECKED);
    click(CPageAdvanceDlg::IDC_APPLY);
    EXPECT_FALSE(page->m_bShowAuthStatus);
    ASSERT_EQ(fake().writes.size(), 1u);
    EXPECT_EQ(fake().writes[0].ShowAuthStatus, 0u);
}

// Newer systems, not connected: the hidden dialog's current profile is queued again, without its
// advanced settings, unless a WPS run owns the connection; no current profile queues nothing.
TEST_F(PageAdvanceTest, ASwitchWhileNotConnectedQueuesTheCurrentProfile)
{
    struct Case {
        bool has_profile;
        VXWL_U32 wps_flag;
        bool queued;
    };
    for (Case c : { Case { true, 0, true }, Case { true, 1, false }, Case { false, 0, false } }) {
        SCOPED_TRACE(std::to_string(c.has_profile) + std::to_string(c.wps_flag));
        ScanFlagServices services(parent.m_hWnd);
        WLANPROFILE current {};
        std::strcpy(current.strProfileName, "Home");
        current.bSetAdvance = 1;
        if (c.has_profile)
            services.current = &current;
        fake().win_os = 10;
        fake().wps_flag = c.wps_flag;
        fake().status.Status = VxStatus_Disconnected;
        parent.privates.clear();
        open();
        select(CPageAdvanceDlg::IDC_MODE, 0);
        click(CPageAdvanceDlg::IDC_APPLY);
        std::size_t const inserts = std::size_t(std::count_if(parent.privates.begin(), parent.privates.end(),
            [](auto const& m) { return m.message == ACTION_INSERT_EXEC && m.wParam == SEND_BY_ADVANCE_DLG; }));
        EXPECT_EQ(inserts, c.queued ? 1u : 0u);
        if (c.queued) {
            EXPECT_EQ(page->m_nActionType, int(actionTypeProfile));
            EXPECT_EQ(page->m_pActionData, &page->m_ProfData);
            EXPECT_STREQ(page->m_ProfData.strProfileName, "Home");
            EXPECT_EQ(page->m_ProfData.bSetAdvance, 0u);
            EXPECT_EQ(current.bSetAdvance, 0u);
        }
        page.reset();
    }
}

TEST_F(PageAdvanceTest, ASwitchRestartsARunningHostedNetworkWithItsStoredRecord)
{
    struct Case {
        int win_os, op_mode, extap_answer, ssid_length, setup_answer;
        std::vector<std::string> calls;
        bool fail_traced;
    };
    std::vector<std::string> const restarted { "flush", "status 010", "stop hosted", "setup hosted" };
    std::vector<std::string> const left { "flush", "status 010" };
    for (Case const& c : { Case { 12, 2, 1, 6, 1, restarted, false }, Case { 12, 2, 1, 6, 0, restarted, true },
             Case { 12, 2, 0, 0, 1, left, false }, Case { 12, 2, 1, 0, 1, left, false }, Case { 12, 0, 1, 6, 1, left, false },
             Case { 10, 2, 1, 6, 1, left, false } }) {
        SCOPED_TRACE(std::to_string(c.win_os) + " " + std::to_string(c.op_mode) + " " + std::to_string(c.extap_answer)
            + " " + std::to_string(c.ssid_length) + " " + std::to_string(c.setup_answer));
        ScanFlagServices services(parent.m_hWnd);
        auto const level = G_VxWlLib.nDebugMode.load();
        G_VxWlLib.nDebugMode = 3;
        platform::system::TraceCapture trace;
        fake().calls.clear();
        fake().setups.clear();
        fake().win_os = c.win_os;
        fake().op_mode = c.op_mode;
        fake().extap_answer = c.extap_answer;
        fake().extap = {};
        fake().extap.SsidLength = std::uint32_t(c.ssid_length);
        std::memcpy(fake().extap.Ssid, "Hotvan", 6);
        fake().setup_answer = c.setup_answer;
        fake().status.Status = VxStatus_Disconnected;
        fake().wps_flag = 1;
        open();
        select(CPageAdvanceDlg::IDC_MODE, 0);
        click(CPageAdvanceDlg::IDC_APPLY);
        G_VxWlLib.nDebugMode = level;
        EXPECT_EQ(fake().calls, c.calls);
        if (!fake().setups.empty()) {
            EXPECT_EQ(fake().setups[0].SsidLength, 6u);
        }
        EXPECT_EQ(trace.contains("[Kivra]  Start Host Fail!"), c.fail_traced);
        page.reset();
    }
}

TEST_F(PageAdvanceTest, TheTdlsBoxShowsWithSupportAndTheOptionAndSendsItsState)
{
    struct Case {
        int tdls, option;
        bool shown;
    };
    for (Case c : { Case { 1, 1, true }, Case { 1, 0, false }, Case { 0, 1, false } }) {
        SCOPED_TRACE(c.tdls * 10 + c.option);
        fake().tdls = c.tdls;
        G_VxWlLib.bTDLSControl = c.option;
        open();
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_TDLS)) != FALSE, c.shown);
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(page->m_hWnd, CPageAdvanceDlg::IDC_TDLS_LABEL)) != FALSE, c.shown);
        page.reset();
    }
    // The box starts from the direct-link field of the driver's WMM setting, and a click sends a
    // setting that holds the new state alone.
    fake().tdls = 1;
    G_VxWlLib.bTDLSControl = 1;
    fake().wmm.DLSEnable = 1;
    fake().wmm.WMMEnable = 1;
    fake().wmm.AC_VO = 1;
    open();
    EXPECT_TRUE(checked(CPageAdvanceDlg::IDC_TDLS));
    ::CheckDlgButton(page->m_hWnd, CPageAdvanceDlg::IDC_TDLS, BST_UNCHECKED);
    click(CPageAdvanceDlg::IDC_TDLS);
    ::CheckDlgButton(page->m_hWnd, CPageAdvanceDlg::IDC_TDLS, BST_CHECKED);
    click(CPageAdvanceDlg::IDC_TDLS);
    ASSERT_EQ(fake().dls_setups.size(), 2u);
    WMM_SETTING off {};
    WMM_SETTING on {};
    on.DLSEnable = 1;
    EXPECT_EQ(std::memcmp(&fake().dls_setups[0], &off, sizeof off), 0);
    EXPECT_EQ(std::memcmp(&fake().dls_setups[1], &on, sizeof on), 0);
}
