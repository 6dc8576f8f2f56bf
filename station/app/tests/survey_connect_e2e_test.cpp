// Connecting from the site survey in the running program on the default world: an open network
// at once, the hidden open network Attic through the hidden-network prompt (the right name, a
// wrong one, Cancel), secured networks with the settings the security editor hands over (which
// the test fills as the editor's OK would), EAP-FAST held back until the system's EAP
// configuration window is done, and the authentication progress window on an older system.
// What each step shows is read from the window-tree dump of a snapshot; the PNGs of the prompt
// and of the progress window are kept beside the test for a person to look at.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "ConnectionHarness.h"
#include "platform/display/Snapshots.h"
#include "station/app/HideDlg.h"
#include "station/core/AuthStatusRing.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/UiStr.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/AuthenStatusDlg.h"
#include "station/survey/HiddenSsidDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using station::testing::wlansim;

using station::testing::ConfigWindowTest;
using station::testing::LibraryRecorder;
using station::testing::ProfileCatcher;

namespace {

namespace fs = std::filesystem;

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string default_world(int os = 12)
{
    std::string const text = read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini");
    return std::regex_replace(text, std::regex("\nos = 12\n"), "\nos = " + std::to_string(os) + "\n");
}

std::vector<std::string> split(std::string const& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

// The windows.txt line of the visible control `id` of class `cls` (other dialogs reuse ids),
// split at its tabs: window, depth, handle, class, id, rectangle, state, text. Empty if none.
std::vector<std::string> window_fields(std::string const& tree, char const* cls, int id)
{
    std::istringstream lines(tree);
    for (std::string line; std::getline(lines, line);) {
        auto fields = split(line);
        if (fields.size() > 6 && fields[0] == "window" && fields[3] == cls && fields[4] == std::to_string(id)
            && fields[6].find('V') != std::string::npos)
            return fields;
    }
    return {};
}

// The rows of the list `id`: each row's column texts.
std::vector<std::vector<std::string>> list_rows(std::string const& tree, int id)
{
    std::string const handle = [&] {
        auto const fields = window_fields(tree, "SysListView32", id);
        return fields.empty() ? std::string() : fields[2];
    }();
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(tree);
    for (std::string line; std::getline(lines, line);) {
        auto fields = split(line);
        if (fields.size() > 4 && fields[0] == "item" && fields[1] == handle)
            rows.emplace_back(fields.begin() + 4, fields.end());
    }
    return rows;
}

class SurveyConnectRun : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        world(default_world());
    }

    static std::string snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        fs::path const folder = fs::read_symlink("/proc/self/exe").parent_path() / "survey_connect_snapshots" / name;
        fs::remove_all(folder);
        fs::create_directories(folder);
        platform::display::write_snapshot(folder.string());
        return read_file((folder / "windows.txt").string());
    }
    static WLAN_STATUS status()
    {
        WLAN_STATUS s {};
        WLAN_STATUS_REQUEST request {};
        request.Switch[1] = 1;
        G_VxWlLib.VXWL_QueryWLANStatus(&s, request);
        return s;
    }
    static bool connected_to(std::string const& ssid)
    {
        WLAN_STATUS const s = status();
        return s.Status == VxStatus_Connected
            && std::string(reinterpret_cast<char const*>(s.Ssid.Ssid), std::min<std::uint32_t>(s.Ssid.SsidLength, 32)) == ssid;
    }
    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }
    // Lets the first scan list the networks, and the start-up's reconnection (4 s after the
    // card's initialisation, with no stored profile) pass.
    static void wait_for_rows(CPageSiteSurveyDlg& page)
    {
        ASSERT_TRUE(run_until([&] { return page.RowCount() > 1; }, 12000));
        run_for(4000);
    }
    // The row of `ssid` (a hidden one by its channel), selected, and Connect clicked.
    static void connect(CPageSiteSurveyDlg& page, std::string const& ssid, std::string const& channel = {})
    {
        int row = -1;
        for (int i = 0; i < page.RowCount(); ++i)
            if (page.Row(i).strSsid == ssid && (channel.empty() || page.Row(i).strChannel == channel))
                row = i;
        ASSERT_GE(row, 0) << ssid;
        page.List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        click(page.GetDlgItem(CPageSiteSurveyDlg::IDC_CONNECT));
    }
    // The security editor's OK, with `hand_over` as its tabs would collect it.
    static void editor_ok(CVxUI2008Dlg& window, SECURITY_HAND_OVER const& hand_over)
    {
        ASSERT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_SECURITY_EDITOR);
        window.m_pSecurityEditorDlg->m_HandOver = hand_over;
        window.SendMessage(MSG_SHOW_SECURITYEDITOR, 0, 2);
        platform::testing::pump_until_idle();
    }
    static SECURITY_HAND_OVER wpa_psk(char const* key)
    {
        SECURITY_HAND_OVER h;
        h.eap.Reset();
        h.nAuthIndex = 4;
        h.nEncryIndex = 2;
        h.strPskKey = key;
        return h;
    }
    static SECURITY_HAND_OVER eap_fast()
    {
        SECURITY_HAND_OVER h;
        h.eap.Reset();
        h.nAuthIndex = 5;
        h.nEncryIndex = 3;
        h.eap.nEapMethod = EAP_FAST;
        h.eap.strIdentity = "dave";
        h.eap.strPassword = "pacman";
        return h;
    }
};

}

TEST_F(SurveyConnectRun, AnOpenNetworkConnectsAndItsRowIsMarked)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        window.ToggleExpand();
        wait_for_rows(page);
        LibraryRecorder::install();
        LibraryRecorder::clear();
        ProfileCatcher::install();
        connect(page, "Corner Cafe");
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
        ASSERT_EQ(ProfileCatcher::caught().size(), 1u) << "one action queued";
        EXPECT_EQ(ProfileCatcher::caught()[0].bBssid, 1u);
        EXPECT_EQ(LibraryRecorder::calls_among({ "VXWL_WriteWPSFlag", "VXWL_ResetToDefaultConnecctionSetting", "VXWL_SetWLANProfile" }),
            (std::vector<std::string> { "VXWL_WriteWPSFlag", "VXWL_ResetToDefaultConnecctionSetting", "VXWL_SetWLANProfile" }));
        EXPECT_TRUE(run_until([] { return connected_to("Corner Cafe"); }, 3000));
        // The page's poll marks the connected row.
        EXPECT_TRUE(run_until([&] {
            for (int i = 0; i < page.RowCount(); ++i)
                if (page.Row(i).strSsid == "Corner Cafe")
                    return bool(page.Row(i).bConnected);
            return false;
        }, 6000));
        auto const rows = list_rows(snapshot("open"), CPageSiteSurveyDlg::IDC_LIST);
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](auto const& r) { return r.size() > 1 && r[1] == "Corner Cafe"; }));
    });
}

TEST_F(SurveyConnectRun, AtticIsJoinedThroughTheHiddenNetworkPrompt)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        window.ToggleExpand();
        wait_for_rows(page);
        ProfileCatcher::install();
        CHiddenSsidDlg& prompt = *window.m_pHiddenSsidDlg;

        // Cancel: nothing is built.
        connect(page, "", "11");
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_HIDDEN_SSID);
        click(prompt.GetDlgItem(CHiddenSsidDlg::IDC_CANCEL));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
        EXPECT_TRUE(ProfileCatcher::caught().empty());

        // A wrong name does not associate.
        connect(page, "", "11");
        prompt.SetDlgItemText(CHiddenSsidDlg::IDC_SSID, "Atic");
        click(prompt.GetDlgItem(CHiddenSsidDlg::IDC_OK));
        ASSERT_EQ(ProfileCatcher::caught().size(), 1u);
        run_for(3000);
        EXPECT_NE(status().Status, VxStatus_Connected);

        // The right name: the prompt, empty again, is pictured; then the network joins.
        connect(page, "", "11");
        std::string const tree = snapshot("hidden-prompt");
        auto const edit = window_fields(tree, "Edit", CHiddenSsidDlg::IDC_SSID);
        ASSERT_FALSE(edit.empty()) << "the prompt shows";
        EXPECT_NE(edit[6].find('F'), std::string::npos) << "its edit has the focus";
        EXPECT_EQ(edit.size() > 7 ? edit[7] : "", "") << "it starts empty";
        auto const text = window_fields(tree, "Static", CHiddenSsidDlg::IDC_PROMPT);
        ASSERT_GT(text.size(), 7u);
        EXPECT_EQ(text[7], G_UiStr.IDS_HIDDEN_TEXT);
        prompt.SetDlgItemText(CHiddenSsidDlg::IDC_SSID, "Attic");
        click(prompt.GetDlgItem(CHiddenSsidDlg::IDC_OK));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
        ASSERT_EQ(ProfileCatcher::caught().size(), 2u);
        EXPECT_EQ(ProfileCatcher::caught()[1].bBssid, 0u) << "a hidden network goes by its name";
        EXPECT_TRUE(run_until([] { return connected_to("Attic"); }, 3000));
    });
}

TEST_F(SurveyConnectRun, SunflowerConnectsWithItsKeyAndAWrongKeyTimesOut)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        wait_for_rows(page);
        connect(page, "Sunflower");
        editor_ok(window, wpa_psk("not-the-key"));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
        EXPECT_TRUE(run_until([] { return status().LinkState == LINK_EAP_4WAY_TIMEOUT; }, 8000));
        EXPECT_NE(status().Status, VxStatus_Connected);

        connect(page, "Sunflower");
        editor_ok(window, wpa_psk("sunflower-tkip"));
        EXPECT_TRUE(run_until([] { return connected_to("Sunflower"); }, 3000));
    });
}

TEST_F(SurveyConnectRun, EapFastWaitsForTheEapConfigurationWindow)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        CPageSiteSurveyDlg& page = *window.site_survey_page();
        wait_for_rows(page);
        LibraryRecorder::install();
        ProfileCatcher::install();
        connect(page, "Corp");
        LibraryRecorder::clear();
        editor_ok(window, eap_fast());
        EXPECT_FALSE(window.IsWindowEnabled()) << "disabled while the system's window is up";
        EXPECT_EQ(LibraryRecorder::calls_among({ "VXWL_StartEapHostPeerInvokeConfigUI" }).size(), 1u);
        EXPECT_TRUE(ProfileCatcher::caught().empty()) << "nothing is queued yet";
        run_for(400);
        EXPECT_TRUE(ProfileCatcher::caught().empty());
        EXPECT_TRUE(run_until([&] { return window.IsWindowEnabled() && !ProfileCatcher::caught().empty(); }, 1000));
        ASSERT_EQ(ProfileCatcher::caught().size(), 1u);
        WLANPROFILE const sent = ProfileCatcher::caught()[0];
        EXPECT_EQ(sent.enumAuthenProtocol, EAP_FAST);
        EXPECT_GT(sent.dwLenEapFastConfigBlob, 0u);
        EXPECT_LT(sent.dwLenEapFastConfigBlob, 3000u) << "the length the configuration wrote";
        run_for(2000);
        EXPECT_EQ(ProfileCatcher::caught().size(), 1u) << "queued exactly once";

        // The user cancels the system's window: only the window comes back.
        wlansim("world-set eap_ui_cancel=1");
        settle();
        connect(page, "Corp");
        editor_ok(window, eap_fast());
        EXPECT_FALSE(window.IsWindowEnabled());
        EXPECT_TRUE(run_until([&] { return window.IsWindowEnabled() != FALSE; }, 1500));
        run_for(2000);
        EXPECT_EQ(ProfileCatcher::caught().size(), 1u) << "nothing more is queued";
    });
}

// Older systems show the progress window while an 802.1X profile authenticates, when the
// advanced page asks for it (the test sets the option; the page does not read it from the
// stored settings yet): the lines up to "OK", then link status again. The activated profile
// connects once at start-up, before the window is opened; the test then connects it again.
class OlderSystemRun : public SurveyConnectRun {
protected:
    void SetUp() override
    {
        SurveyConnectRun::SetUp();
        world(default_world(8));
        wlansim("profile-add Work ssid=Corp auth=wpa2 cipher=aes eap=peap identity=alice password=wonderland");
        wlansim("profile-activate Work");
    }
    // Lets the start-up's connection and its checks end, then connects the profile again with
    // the option on; true once the progress window shows.
    static bool reconnect_with_progress(CHideDlg& dialog, CVxUI2008Dlg& window)
    {
        if (!run_until([] { return connected_to("Corp"); }, 8000))
            return false;
        run_for(20000);
        window.m_pPageAdvanceDlg->m_bShowAuthStatus = TRUE;
        dialog.ConnectPreviousProfileSetting();
        platform::testing::pump_until_idle();
        return window.current_sub_dialog() == CVxUI2008Dlg::SUB_AUTHEN_STATUS;
    }
};

TEST_F(OlderSystemRun, TheProgressWindowListsTheLinesUpToOk)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        window.ToggleExpand();
        CAuthenStatusDlg& progress = *window.m_pAuthenStatusDlg;
        std::size_t const before = progress.Lines().size();
        ASSERT_TRUE(reconnect_with_progress(dialog, window));
        auto listed = [&](std::string const& text) {
            auto const& lines = progress.Lines();
            for (std::size_t i = before; i < lines.size(); ++i)
                if (text == lines[i].text.GetString())
                    return true;
            return false;
        };
        ASSERT_TRUE(run_until([&] { return listed("Wireless client is authenticated."); }, 6000));
        std::string const tree = snapshot("progress");
        std::vector<std::string> texts;
        for (auto const& r : list_rows(tree, CAuthenStatusDlg::IDC_LIST))
            texts.push_back(r.size() > 1 ? r[1] : "");
        for (char const* line : { "Starting network connection...", "PEAP Authenticating ...", "Wireless client is authenticated." })
            EXPECT_NE(std::find(texts.begin(), texts.end(), line), texts.end()) << line;
        auto const card = window_fields(tree, "Static", CAuthenStatusDlg::IDC_CARDNAME);
        ASSERT_FALSE(card.empty());
        EXPECT_EQ(card.back(), G_UiStr.IDS_STATIC_CARDNAME + " Simulated Wireless LAN Adapter");
        auto const profile = window_fields(tree, "Static", CAuthenStatusDlg::IDC_PROFILENAME);
        ASSERT_FALSE(profile.empty());
        EXPECT_NE(profile.back().find("Work"), std::string::npos) << profile.back();
        // The checks after the authentication end with "OK": link status comes back.
        EXPECT_TRUE(run_until([&] { return window.current_sub_dialog() == CVxUI2008Dlg::SUB_LINK_STATUS; }, 30000));
        EXPECT_TRUE(listed("Access remote file is succeed."));
        EXPECT_FALSE(listed("OK"));
        EXPECT_TRUE(connected_to("Corp"));
    });
}

TEST_F(OlderSystemRun, StopInTheProgressWindowDisconnects)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        CAuthenStatusDlg& progress = *window.m_pAuthenStatusDlg;
        ASSERT_TRUE(reconnect_with_progress(dialog, window));
        ASSERT_TRUE(run_until([] { return connected_to("Corp"); }, 6000));
        click(progress.GetDlgItem(CAuthenStatusDlg::IDC_STOP));
        EXPECT_EQ(window.current_sub_dialog(), CVxUI2008Dlg::SUB_LINK_STATUS);
        run_for(1000);
        EXPECT_NE(status().Status, VxStatus_Connected);
        // The list was emptied: what follows is the link going down.
        for (auto const& line : progress.Lines())
            EXPECT_STRNE(line.text.GetString(), "PEAP Authenticating ...");
    });
}
