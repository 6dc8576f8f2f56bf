// The site survey page's Connect against a scripted library: what ends an attempt, which way
// each kind of network takes (hidden-network prompt, security editor, at once), the messages the
// window gets, the library calls, and EAP-FAST held back until the configuration is done.
#include "PagesTableTest.h"

#include "station/core/ActionQueue.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/UiStr.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "station/survey/tests/FakeWlan.h"

#include <cstring>
#include <string>
#include <vector>

using station::testing::FakeServices;
using station::testing::FakeWlan;
using station::testing::named_entry;

namespace {

// The calls LoadProfile makes, in order, with what each was given.
struct Calls {
    std::vector<std::string> names;
    VXWL_U32 wps_flag { 99 };
    VXWL_U32 eap_length {};
};
Calls* g_calls = nullptr;

// The test's parent is the configuration window and the hidden dialog both.
class Services : public FakeServices {
public:
    using FakeServices::FakeServices;
    HWND hide_dialog() const override { return config_window(); }
};

std::vector<std::uint8_t> entry(std::uint8_t mac, char const* ssid, bool privacy = false)
{
    auto bytes = named_entry(mac, ssid, -50);
    std::uint32_t const flag = privacy;
    std::memcpy(bytes.data() + offsetof(NDIS_WLAN_BSSID_EX, Privacy), &flag, 4);
    return bytes;
}

IE_INFO_WPA digest(std::uint32_t authentication, std::uint32_t encryption)
{
    IE_INFO_WPA d {};
    d.nAuthentication = authentication;
    d.nEncryption = encryption;
    return d;
}

class SiteConnectTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        services = std::make_unique<Services>(parent.m_hWnd);
        G_UiStr.IDS_SITESUR_SCAN_WAIT = "Waiting for the scan";
        G_UiStr.IDS_NOSELECTEDITEM = "Select a network first";
        SetMessageBoxHandler([this](std::string const& text) { return shown.push_back(text), INT_PTR(IDOK); });
        g_calls = &calls;
        auto& l = G_VxWlLib;
        l.VXWL_WriteWPSFlag.bind([](VXWL_U32 flag) { return g_calls->names.push_back("WriteWPSFlag"), g_calls->wps_flag = flag, 1; });
        l.VXWL_ResetToDefaultConnecctionSetting.bind([] { return g_calls->names.push_back("ResetToDefault"), 1; });
        l.VXWL_ReadPSMode.bind([](VXWL_U32* mode) { return *mode = 1, 1; });
        l.VXWL_StartEapHostPeerInvokeConfigUI.bind([](char const*, VXWL_U32* length, std::uint8_t*) {
            g_calls->names.push_back("StartEapHostPeerInvokeConfigUI");
            g_calls->eap_length = *length;
            return 1;
        });
        // Cafe (open), Attic (hidden), Sunflower (WPA2-PSK).
        wlan.list.add(entry(1, "Cafe")).add(entry(2, "")).add(entry(3, "Sunflower", true));
        wlan.digests[3] = digest(IE_AUTH_WPA2_PSK, IE_ENC_AES);
    }
    void TearDown() override
    {
        SetMessageBoxHandler(nullptr);
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        services.reset();
        g_calls = nullptr;
        DialogsTest::TearDown();
    }

    CPageSiteSurveyDlg& open()
    {
        page = std::make_unique<CPageSiteSurveyDlg>(&parent);
        EXPECT_TRUE(page->Create(CPageSiteSurveyDlg::IDD, &parent));
        page->ShowWindow(SW_SHOW);
        pump();
        return *page;
    }
    // Selects the row of `ssid` and clicks Connect.
    void connect(std::string const& ssid)
    {
        int row = -1;
        for (int i = 0; i < page->RowCount(); ++i)
            if (page->Row(i).strSsid == ssid)
                row = i;
        ASSERT_GE(row, 0) << ssid;
        page->List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        parent.privates.clear();
        calls = Calls {};
        page->GetDlgItem(CPageSiteSurveyDlg::IDC_CONNECT)->SendMessage(BM_CLICK);
        pump();
    }
    std::vector<std::pair<UINT, WPARAM>> messages() const
    {
        std::vector<std::pair<UINT, WPARAM>> out;
        for (auto const& m : parent.privates)
            out.emplace_back(m.message, m.wParam);
        return out;
    }
    int count(UINT message) const
    {
        int n = 0;
        for (auto const& m : parent.privates)
            n += m.message == message;
        return n;
    }

    FakeWlan wlan;
    std::unique_ptr<Services> services;
    std::unique_ptr<CPageSiteSurveyDlg> page;
    std::vector<std::string> shown;
    Calls calls;
};

using Sent = std::vector<std::pair<UINT, WPARAM>>;

}

TEST_F(SiteConnectTest, WithoutARowOfANetworkTheUserIsToldToChooseOne)
{
    CPageSiteSurveyDlg& p = open();
    p.GetDlgItem(CPageSiteSurveyDlg::IDC_CONNECT)->SendMessage(BM_CLICK);
    EXPECT_EQ(shown, std::vector<std::string> { "Select a network first" });
    // The scan-wait row is no network.
    p.ShowScanWait();
    p.List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    p.GetDlgItem(CPageSiteSurveyDlg::IDC_CONNECT)->SendMessage(BM_CLICK);
    pump();
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(count(ACTION_INSERT_EXEC), 0);
}

TEST_F(SiteConnectTest, AnOpenNetworkIsQueuedAtOnceLockedToItsBssid)
{
    CPageSiteSurveyDlg& p = open();
    connect("Cafe");
    EXPECT_EQ(messages(), (Sent { { MSG_SHOW_AUTHSTATUS, 0 }, { MSG_SHOW_PROFILEEDITOR, 0 }, { ACTION_INSERT_EXEC, SEND_BY_SITESURVEY_DLG } }));
    EXPECT_EQ(calls.names, (std::vector<std::string> { "WriteWPSFlag", "ResetToDefault" }));
    EXPECT_EQ(calls.wps_flag, 0u);
    EXPECT_EQ(p.m_nActionType, actionTypeProfile);
    EXPECT_EQ(p.m_pActionData, &p.Profile());
    WLANPROFILE const& r = p.Profile();
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(r.SSID.Ssid), r.SSID.SsidLength), "Cafe");
    EXPECT_EQ(r.bBssid, 1u);
    EXPECT_EQ(r.BSSID[5], 1);
    EXPECT_EQ(r.enumPSMode, 1u);
    EXPECT_FALSE(p.m_bSecurity);
}

TEST_F(SiteConnectTest, AStandardUserOnANewerSystemKeepsTheConnectionSettings)
{
    wlan.admin = 0;
    open();
    connect("Cafe");
    EXPECT_EQ(calls.names, std::vector<std::string> { "WriteWPSFlag" });
    EXPECT_EQ(count(ACTION_INSERT_EXEC), 1);
}

TEST_F(SiteConnectTest, AHiddenNetworkAsksForItsName)
{
    CPageSiteSurveyDlg& p = open();
    connect("");
    EXPECT_EQ(messages(), (Sent { { MSG_SHOW_HIDDENSSID, 2 } }));
    EXPECT_TRUE(p.m_bHiddenSsid);
    EXPECT_TRUE(calls.names.empty());

    // The window's continuation after the prompt's OK: the typed name is in the holder.
    p.m_HiddenSsid.SsidLength = 5;
    std::memcpy(p.m_HiddenSsid.Ssid, "Attic", 5);
    parent.privates.clear();
    p.LoadProfile();
    EXPECT_EQ(count(ACTION_INSERT_EXEC), 1);
    WLANPROFILE const& r = p.Profile();
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(r.SSID.Ssid), r.SSID.SsidLength), "Attic");
    EXPECT_EQ(r.bBssid, 0u);
}

TEST_F(SiteConnectTest, ASecuredNetworkAsksForTheSecurityEditor)
{
    CPageSiteSurveyDlg& p = open();
    connect("Sunflower");
    EXPECT_EQ(messages(), (Sent { { MSG_SHOW_SECURITYEDITOR, 2 } }));
    EXPECT_TRUE(p.m_bSecurity);
    EXPECT_EQ(p.m_nWPA, 5);
    EXPECT_STREQ(p.m_strEncryption.GetString(), "AES");
    EXPECT_EQ(p.m_nNetworkType, 1);
}

TEST_F(SiteConnectTest, WithoutWpaOnlyWpaFamilyNetworksAreRefused)
{
    struct Case {
        char const* name;
        std::uint32_t authentication;
        bool refused;
    } const cases[] = { { "WPA-None", IE_AUTH_WPA_NONE, true }, { "WPA2-PSK", IE_AUTH_WPA2_PSK, true },
        { "WPA-PSK and WPA2-PSK", 18, true }, { "WPA2-None", IE_AUTH_WPA2_NONE, false },
        { "WAPI-PSK and WPA-None", 68, false } };
    wlan.wpa_capable = 0;
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        wlan.digests[3] = digest(c.authentication, IE_ENC_TKIP);
        open();
        connect("Sunflower");
        EXPECT_EQ(count(MSG_SHOW_SECURITYEDITOR), c.refused ? 0 : 1);
        EXPECT_TRUE(shown.empty()) << "a refusal is written to the trace only";
        page->DestroyWindow();
    }
}

TEST_F(SiteConnectTest, EapFastOnNewerSystemsWaitsForTheConfigurationToBeDone)
{
    wlan.win_os = 10;
    CPageSiteSurveyDlg& p = open();
    connect("Sunflower");
    // What the security editor's OK leaves before LoadProfile: WPA2 with EAP-FAST.
    p.m_Pending.nAuthIndex = 5;
    p.m_Pending.nEncryIndex = 3;
    p.m_Pending.eap.nEapMethod = EAP_FAST;
    parent.privates.clear();
    p.LoadProfile();
    pump();
    EXPECT_EQ(calls.eap_length, 3000u);
    EXPECT_EQ(count(ACTION_INSERT_EXEC), 0);
    ASSERT_EQ(count(MSG_ENABLE_CONFIG_UI), 1);
    for (auto const& m : parent.privates) {
        if (m.message == MSG_ENABLE_CONFIG_UI) {
            EXPECT_EQ(m.wParam, 0u) << "the window is disabled meanwhile";
        }
    }

    p.SendMessage(MSG_SURVEY_CONNECT, 0, 0);
    EXPECT_EQ(count(ACTION_INSERT_EXEC), 1);
}

TEST_F(SiteConnectTest, ACorruptedSettingIsNotConnected)
{
    CPageSiteSurveyDlg& p = open();
    connect("Sunflower");
    p.m_Pending.nAuthIndex = 6;
    p.m_Pending.nEncryIndex = 3;
    p.m_Pending.strPskKey.assign(65, 'k');
    parent.privates.clear();
    p.LoadProfile();
    EXPECT_EQ(count(ACTION_INSERT_EXEC), 0);
    EXPECT_TRUE(calls.names.empty());
}
