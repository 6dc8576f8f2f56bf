// The profile editor end to end on the default simulated world, as a user works it: Add, the
// name "Home", "HomeNet 5G" picked from the network list, WPA2-PSK with AES and its key, OK;
// the profile page lists it and Activate connects. Edit with a 7-character key shows the key's
// pop-up and keeps the editor open; a wrong 8-character key is saved and Activate then fails.
// A network wlansim adds shows in the network list at the next Add. The store is read with
// `wlansim profiles`, what the windows show from the snapshot's window tree; the PNGs of both
// tabs and of the pop-up stay beside the test ("profile_editor_run/<step>").
#include "PageRunHarness.h"
#include "Wlansim.h"

#include "platform/controls/tests/LabelFit.h"
#include "platform/gdi/FontCache.h"
#include "platform/gdi/Png.h"
#include "station/app/HideDlg.h"
#include "station/controls/CInfoWnd.h"
#include "station/profiles/AuthEncryModel.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using station::testing::PageRunTest;
using station::testing::Shown;
namespace fs = std::filesystem;

namespace {

using Sys = CPageSystemConfigDlg;
using Auth = CPageAuthEncryDlg;
namespace fit = platform::controls::testing;

constexpr char const* kHomeKey = "correct horse battery"; // the default world's "HomeNet 5G"
// A push button's frame and focus rectangle beside its text.
constexpr int kButtonFrame = 4;
constexpr char const* kKeyHint = " The WPA2 pre-shared key must be 8 to 63 characters, or 64 hexadecimal digits. ";

class ProfileEditorRun : public PageRunTest {
protected:
    void SetUp() override
    {
        PageRunTest::SetUp();
        world(station::testing::shipped_world("default.ini"));
        options("0,1,12,9,10");
    }

    // Runs the wlansim program and answers what it printed.

    static Shown look(std::string const& step)
    {
        platform::testing::pump_until_idle();
        return station::testing::snapshot(station::testing::snapshot_folder("profile_editor_run", step));
    }
    static fs::path folder_of(std::string const& step)
    {
        return fs::read_symlink("/proc/self/exe").parent_path() / "profile_editor_run" / step;
    }

    static void select(CPageProfileDlg& page, char const* name)
    {
        page.m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row = 0; row < page.RowCount(); ++row)
            if (page.Row(row).strName == name)
                page.m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        NMITEMACTIVATE click {};
        click.hdr = { page.m_listProfile.m_hWnd, CPageProfileDlg::IDC_LIST, UINT(NM_CLICK) };
        click.iItem = -1;
        page.SendMessage(WM_NOTIFY, CPageProfileDlg::IDC_LIST, reinterpret_cast<LPARAM>(&click));
        platform::testing::pump_until_idle();
    }

    // The user picks the row of `ssid` in the drop-down list: the selection, then its notice.
    static void pick_ssid(Sys& sys, char const* ssid)
    {
        int const count = int(sys.m_comboSSID.SendMessage(CB_GETCOUNT));
        for (int row = 0; row < count; ++row)
            if (sys.m_comboSSID.FetchCellText(row, 0) == ssid) {
                sys.m_comboSSID.SendMessage(CB_SETCURSEL, WPARAM(row));
                sys.SendMessage(WM_COMMAND, MAKEWPARAM(Sys::IDC_SSID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sys.m_comboSSID.m_hWnd));
                platform::testing::pump_until_idle();
                return;
            }
        ADD_FAILURE() << ssid << " is not in the network list";
    }

    static void type(CWnd& page, int id, char const* text)
    {
        page.SetDlgItemText(id, text);
        platform::testing::pump_until_idle();
    }
    static void command(CWnd& page, UINT id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        platform::testing::pump_until_idle();
    }
    static void tab(CProfileEditorDlg& editor, int id)
    {
        editor.click_tab_button(id);
        platform::testing::pump_until_idle();
    }

    static bool lists_ssid(Shown const& shown, std::string const& ssid)
    {
        auto it = shown.rows.find(Sys::IDC_SSID);
        return it != shown.rows.end()
            && std::any_of(it->second.begin(), it->second.end(), [&](auto const& row) { return !row.empty() && row[0] == ssid; });
    }
    static bool lists_profile(Shown const& shown, std::string const& name)
    {
        auto it = shown.rows.find(CPageProfileDlg::IDC_LIST);
        return it != shown.rows.end() && std::any_of(it->second.begin(), it->second.end(), [&](auto const& row) {
            return std::find(row.begin(), row.end(), name) != row.end();
        });
    }
    // Whether a key pop-up shows in windows.txt (it draws its text itself: the window has none).
    static bool popup_shown(std::string const& step)
    {
        std::ifstream in(folder_of(step) / "windows.txt");
        for (std::string line; std::getline(in, line);) {
            auto const f = station::testing::split_fields(line);
            if (f.size() > 6 && f[0] == "window" && f[3] == CInfoWnd::kClassName && f[6][0] == 'V')
                return true;
        }
        return false;
    }
    // The width of a window's text in its own font, and of its client area.
    static int text_width(HWND hwnd)
    {
        char text[128] {};
        ::GetWindowText(hwnd, text, sizeof text);
        HDC const dc = ::GetDC(hwnd);
        HGDIOBJ const old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessage(hwnd, WM_GETFONT, 0, 0)));
        SIZE size {};
        ::GetTextExtentPoint32(dc, text, int(std::strlen(text)), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(hwnd, dc);
        return size.cx;
    }
    static int client_width(HWND hwnd)
    {
        RECT client {};
        ::GetClientRect(hwnd, &client);
        return client.right;
    }
    // Each tab button's text fits on one line; so does either key type ("Hexadecimal",
    // "ASCII") on the pre-shared key's and each WEP key's type button, which centre it, and
    // every label of the system configuration and authentication tabs.
    static void expect_tab_texts_fit(CProfileEditorDlg& editor)
    {
        for (int id : { TAB_BUTTON_SYSCONFIG, TAB_BUTTON_AUTH, TAB_BUTTON_8021X }) {
            CShadeButtonST* const button = editor.tab_button(id);
            ASSERT_NE(button, nullptr);
            EXPECT_LE(text_width(button->m_hWnd) + kButtonFrame, client_width(button->m_hWnd)) << id;
        }
        Auth& auth = *editor.m_pPageAuthEncryDlg;
        for (int id : { int(Auth::IDC_PSK_TYPE), int(Auth::IDC_KEY1_TYPE), Auth::IDC_KEY1_TYPE + 1, Auth::IDC_KEY1_TYPE + 2,
                 Auth::IDC_KEY1_TYPE + 3 }) {
            HWND const button = ::GetDlgItem(auth.m_hWnd, id);
            for (char const* type : { "Hexadecimal", "ASCII" })
                EXPECT_LE(fit::extent_in(button, type, 0, nullptr).cx + kButtonFrame, client_width(button)) << id << " " << type;
        }
        // The mode and cipher buttons draw their caption left of the 16-pixel drop arrow, 3 pixels
        // from either edge: their longest captions fit there.
        auto const caption_room = [](HWND button) { return client_width(button) - 3 - 3 - 16; };
        HWND const mode = ::GetDlgItem(auth.m_hWnd, Auth::IDC_AUTH);
        for (char const* caption : { "WAPI certificate", "WPA2(CCKM capable)" })
            EXPECT_LE(fit::extent_in(mode, caption, 0, nullptr).cx, caption_room(mode)) << caption;
        HWND const cipher = ::GetDlgItem(auth.m_hWnd, Auth::IDC_CIPHER);
        EXPECT_LE(fit::extent_in(cipher, "TKIP-MFP", 0, nullptr).cx, caption_room(cipher));
        EXPECT_EQ(fit::describe(fit::misfits_under(editor.m_pPageSystemConfigDlg->m_hWnd)), "");
        EXPECT_EQ(fit::describe(fit::misfits_under(auth.m_hWnd)), "");
    }
    bool connected_in_tray(std::string const& ssid)
    {
        return tray_icon() && tray_icon()->tip.find("Connected to " + ssid) != std::string::npos;
    }
};

}

TEST_F(ProfileEditorRun, AddActivateEditAndTheNetworkList)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_PROFILE));
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        ASSERT_TRUE(page.IsWindowVisible());
        // The network list comes from the scans the utility ran since it started.
        run_for(6000);

        // Add: the editor opens on its system configuration tab.
        click(page.GetDlgItem(CPageProfileDlg::IDC_ADD));
        CProfileEditorDlg* editor = window.m_pProfileEditorDlg;
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->IsWindowVisible());
        Sys& sys = *editor->m_pPageSystemConfigDlg;
        Auth& auth = *editor->m_pPageAuthEncryDlg;
        type(sys, Sys::IDC_NAME, "Home");
        pick_ssid(sys, "HomeNet 5G");
        Shown shown = look("system-configuration");
        EXPECT_TRUE(lists_ssid(shown, "HomeNet 5G"));
        EXPECT_TRUE(lists_ssid(shown, "Corner Cafe"));
        EXPECT_EQ(shown.texts[Sys::IDC_NAME], "Home");
        EXPECT_EQ(shown.texts[Sys::IDC_SSID], "HomeNet 5G");

        expect_tab_texts_fit(*editor);

        tab(*editor, TAB_BUTTON_AUTH);
        command(auth, UINT(station::profiles::auth_command(station::profiles::kAuthWpa2Psk)));
        command(auth, UINT(station::profiles::cipher_command(station::profiles::kCipherAes)));
        type(auth, Auth::IDC_PSK, kHomeKey);
        shown = look("authentication");
        EXPECT_EQ(shown.texts[Auth::IDC_AUTH], "WPA2-PSK");
        EXPECT_EQ(shown.texts[Auth::IDC_CIPHER], "AES");

        click(editor->GetDlgItem(CProfileEditorDlg::IDC_OK));
        EXPECT_FALSE(editor->IsWindowVisible());
        ASSERT_TRUE(page.IsWindowVisible());
        EXPECT_TRUE(lists_profile(look("listed"), "Home"));
        EXPECT_EQ(station::testing::wlansim("profiles"), "profile\t1\tHome\tHomeNet 5G\twpa2-psk/aes\tpac 0\nactive\t\n");

        // Activate connects.
        select(page, "Home");
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
        run_for(8000);
        EXPECT_TRUE(connected_in_tray("HomeNet 5G")) << (tray_icon() ? tray_icon()->tip : "no icon");
        EXPECT_EQ(station::testing::wlansim("profiles"), "profile\t1\tHome\tHomeNet 5G\twpa2-psk/aes\tpac 0\nactive\tHome\n");
        look("connected");

        // Edit with a 7-character key: the pop-up at the key, the editor stays open, nothing stored.
        select(page, "Home");
        click(page.GetDlgItem(CPageProfileDlg::IDC_EDIT));
        ASSERT_TRUE(editor->IsWindowVisible());
        tab(*editor, TAB_BUTTON_AUTH);
        EXPECT_EQ(look("edit").texts[Auth::IDC_PSK], kHomeKey);
        type(auth, Auth::IDC_PSK, "1234567");
        click(editor->GetDlgItem(CProfileEditorDlg::IDC_OK));
        look("short-key");
        EXPECT_TRUE(popup_shown("short-key"));
        EXPECT_TRUE(editor->IsWindowVisible());
        EXPECT_EQ(::GetFocus(), auth.m_editPsk.m_hWnd);
        CInfoWnd* const hint = auth.m_editPsk.info_window();
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(hint->text().str(), kKeyHint);
        {
            HDC const dc = ::GetWindowDC(hint->m_hWnd);
            EXPECT_TRUE(platform::gdi::write_png(dc, (folder_of("short-key") / "key-popup.png").string()));
            ::ReleaseDC(hint->m_hWnd, dc);
        }
        EXPECT_EQ(station::testing::wlansim("profiles"), "profile\t1\tHome\tHomeNet 5G\twpa2-psk/aes\tpac 0\nactive\tHome\n");

        // A wrong 8-character key is a valid key: saved, and Activate then fails.
        type(auth, Auth::IDC_PSK, "12345678");
        click(editor->GetDlgItem(CProfileEditorDlg::IDC_OK));
        EXPECT_FALSE(editor->IsWindowVisible());
        select(page, "Home");
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
        run_for(15000);
        look("wrong-key");
        EXPECT_FALSE(connected_in_tray("HomeNet 5G")) << tray_icon()->tip;

        // A network wlansim adds is in the list at the next Add, once a scan has seen it: the
        // site survey's Rescan.
        station::testing::wlansim("ap-add harbour ssid=Harbour bssid=02:20:00:00:00:31 channel=6 rssi=-40");
        click(window.kind_button(BTN_SITESURVEY));
        click(window.site_survey_page()->GetDlgItem(CPageSiteSurveyDlg::IDC_RESCAN));
        run_for(5000);
        click(window.kind_button(BTN_PROFILE));
        click(page.GetDlgItem(CPageProfileDlg::IDC_ADD));
        ASSERT_TRUE(editor->IsWindowVisible());
        EXPECT_TRUE(lists_ssid(look("new-network"), "Harbour"));
        type(sys, Sys::IDC_NAME, "Harbour");
        pick_ssid(sys, "Harbour");
        click(editor->GetDlgItem(CProfileEditorDlg::IDC_OK));
        EXPECT_EQ(station::testing::wlansim("profiles"),
            "profile\t1\tHome\tHomeNet 5G\twpa2-psk/aes\tpac 0\n"
            "profile\t2\tHarbour\tHarbour\topen/none\tpac 0\n"
            "active\tHome\n");
    });
}

// The tab buttons' and key type buttons' texts fit in the faces a user's machine draws too (the
// substitution table, not the pinned test font).
TEST_F(ProfileEditorRun, TabTextsFitInTheFacesAUserDraws)
{
    platform::gdi::pin_font_file("");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_PROFILE));
        click(window.m_pPageProfileDlg->GetDlgItem(CPageProfileDlg::IDC_ADD));
        ASSERT_NE(window.m_pProfileEditorDlg, nullptr);
        ASSERT_TRUE(window.m_pProfileEditorDlg->IsWindowVisible());
        expect_tab_texts_fit(*window.m_pProfileEditorDlg);
    });
}
