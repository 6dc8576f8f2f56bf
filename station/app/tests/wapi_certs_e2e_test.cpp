// End to end on the default simulated world with WAPI on: a WAPI certificate profile made in
// the profile editor with the sample user and AS certificates (chosen with Browse on the WAPI
// tab) connects to "WAPI Secure", and the tab shows each certificate's issuer, subject and
// expiry, when chosen and again when the profile is edited; with a certificate of another
// server the connection fails. With the certificate manager option the editor's fourth tab is
// the manager, and Install lists a file. The page is read from the snapshot's windows.txt;
// the PNGs stay beside the test.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "platform/display/Snapshots.h"
#include "platform/system/FileDialog.h"
#include "platform/system/FileDialogModel.h"
#include "station/app/HideDlg.h"
#include "station/controls/CTabDialog.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/PageWAPICertManageDlg.h"
#include "station/profiles/PageWAPIDlg.h"
#include "station/profiles/ProfileEditorDlg.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::wlansim;

using station::testing::ConfigWindowTest;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string cert(char const* name) { return std::string(VXWLAPI_FOLDER) + "/scenarios/certs/" + name; }

// The text windows.txt gives the control `hwnd` (the last field of its window line).
std::string dumped_text(std::string const& tree, HWND hwnd)
{
    char handle[32];
    std::snprintf(handle, sizeof handle, "\t%p\t", static_cast<void*>(hwnd));
    std::istringstream lines(tree);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("window\t", 0) == 0 && line.find(handle) != std::string::npos)
            return line.substr(line.rfind('\t') + 1);
    return "<not dumped>";
}

class WapiCertsEndToEndTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        world(read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini"));
    }
    void TearDown() override
    {
        platform::system::set_file_dialog_ui(nullptr);
        ConfigWindowTest::TearDown();
    }


    // Writes the snapshot into a folder of its own beside the test and answers windows.txt.
    static std::string snapshot(std::string const& name)
    {
        platform::testing::pump_until_idle();
        std::filesystem::path const folder
            = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "wapi_snapshots" / name;
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        platform::display::write_snapshot(folder.string());
        return read_file((folder / "windows.txt").string());
    }

    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }
    static void command(CWnd& page, int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        platform::testing::pump_until_idle();
    }
    static void file_dialog_answers(std::string const& path)
    {
        platform::system::set_file_dialog_ui([path](platform::system::FileDialogModel& model, auto const&) {
            return model.submit(path) == platform::system::FileDialogModel::Outcome::accepted
                ? platform::system::FileDialogAnswer::accepted
                : platform::system::FileDialogAnswer::cancelled;
        });
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
    // Advances the clock a second at a time, at most 20 seconds, until the tray's tip holds `text`.
    void wait_for_tray(std::string const& text)
    {
        for (int second = 0; second < 20 && !(tray_icon() && tray_icon()->tip.find(text) != std::string::npos); ++second)
            platform::testing::advance(1000);
    }
    // Browse on a sub-tab with the file dialog answering `path`.
    static void browse(CWapiCertSubTab& tab, std::string const& path)
    {
        file_dialog_answers(path);
        click(tab.GetDlgItem(CWapiCertSubTab::IDC_BROWSER));
    }
    static void expect_details(std::string const& tree, CWapiCertSubTab& tab, char const* to, char const* by, char const* expiry)
    {
        EXPECT_EQ(dumped_text(tree, ::GetDlgItem(tab.m_hWnd, CWapiCertSubTab::IDC_ISSUED_TO)), to);
        EXPECT_EQ(dumped_text(tree, ::GetDlgItem(tab.m_hWnd, CWapiCertSubTab::IDC_ISSUED_BY)), by);
        EXPECT_EQ(dumped_text(tree, ::GetDlgItem(tab.m_hWnd, CWapiCertSubTab::IDC_EXPIRATION)), expiry);
    }
};

}

TEST_F(WapiCertsEndToEndTest, ACertificateProfileConnectsAndTheTabShowsItsCertificates)
{
    options("0,1,12,9,10", { { "SupportWAPI", "1" } });
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_PROFILE));
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        click(page.GetDlgItem(CPageProfileDlg::IDC_ADD));
        CProfileEditorDlg* editor = window.m_pProfileEditorDlg;
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->IsWindowVisible());
        editor->m_pPageSystemConfigDlg->SetDlgItemText(CPageSystemConfigDlg::IDC_NAME, "Office cert");
        editor->m_pPageSystemConfigDlg->SetDlgItemText(CPageSystemConfigDlg::IDC_SSID, "WAPI Secure");
        editor->click_tab_button(TAB_BUTTON_AUTH);
        command(*editor->m_pPageAuthEncryDlg, station::profiles::auth_command(station::profiles::kAuthWapiCa));
        editor->click_tab_button(TAB_BUTTON_WAPI);
        platform::testing::pump_until_idle();
        CPageWAPIDlg& wapi = *editor->m_pPageWAPIDlg;
        ASSERT_TRUE(wapi.IsWindowVisible());

        browse(wapi.m_dlgUserCert, cert("wapi-user.cer"));
        click(&wapi.m_btnASCert);
        browse(wapi.m_dlgASCert, cert("wapi-as.cer"));
        std::string tree = snapshot("wapi-tab-as");
        expect_details(tree, wapi.m_dlgASCert, "WAPI Office AS", "WAPI Office AS", "2035/01/31 23:59:59");
        click(&wapi.m_btnUserCert);
        tree = snapshot("wapi-tab-user");
        expect_details(tree, wapi.m_dlgUserCert, "WAPI User", "WAPI Office AS", "2030/06/30 12:00:00");
        EXPECT_EQ(dumped_text(tree, ::GetDlgItem(wapi.m_dlgUserCert.m_hWnd, CWapiCertSubTab::IDC_PATH)), cert("wapi-user.cer"));

        click(editor->GetDlgItem(CProfileEditorDlg::IDC_OK));
        ASSERT_FALSE(editor->IsWindowVisible());
        EXPECT_NE(wlansim("profiles").find("Office cert\tWAPI Secure\twapi-cert/sms4"), std::string::npos) << wlansim("profiles");

        select(page, "Office cert");
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
        wait_for_tray("Connected to");
        ASSERT_TRUE(tray_icon());
        EXPECT_NE(tray_icon()->tip.find("Connected to WAPI Secure"), std::string::npos) << tray_icon()->tip;

        // Edit shows the stored certificates again.
        click(page.GetDlgItem(CPageProfileDlg::IDC_EDIT));
        ASSERT_TRUE(editor->IsWindowVisible());
        editor->click_tab_button(TAB_BUTTON_WAPI);
        tree = snapshot("wapi-tab-edit");
        expect_details(tree, wapi.m_dlgUserCert, "WAPI User", "WAPI Office AS", "2030/06/30 12:00:00");
        expect_details(tree, wapi.m_dlgASCert, "WAPI Office AS", "WAPI Office AS", "2035/01/31 23:59:59");

        // Another server's certificate: the access point does not know it, the link fails.
        click(&wapi.m_btnASCert);
        browse(wapi.m_dlgASCert, cert("wapi-other-as.cer"));
        click(editor->GetDlgItem(CProfileEditorDlg::IDC_OK));
        select(page, "Office cert");
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
        platform::testing::advance(15000);
        ASSERT_TRUE(tray_icon());
        EXPECT_EQ(tray_icon()->tip.find("Connected"), std::string::npos) << tray_icon()->tip;
    });
}

TEST_F(WapiCertsEndToEndTest, TheManagerTabListsAnInstalledFile)
{
    options("0,1,12,9,10", { { "SupportWAPI", "1" }, { "WAPI_Cert", "0" }, { "WAPI_Cert_Manage", "1" } });
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_PROFILE));
        click(window.m_pPageProfileDlg->GetDlgItem(CPageProfileDlg::IDC_ADD));
        CProfileEditorDlg* editor = window.m_pProfileEditorDlg;
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(editor->m_pPageWAPIDlg, nullptr);
        ASSERT_NE(editor->m_pPageWAPICertManageDlg, nullptr);
        // The fourth tab button is enabled for a WAPI certificate profile.
        editor->click_tab_button(TAB_BUTTON_AUTH);
        command(*editor->m_pPageAuthEncryDlg, station::profiles::auth_command(station::profiles::kAuthWapiCa));
        editor->click_tab_button(TAB_BUTTON_WAPI);
        platform::testing::pump_until_idle();
        CPageWAPICertManageDlg& manager = *editor->m_pPageWAPICertManageDlg;
        ASSERT_TRUE(manager.IsWindowVisible());
        file_dialog_answers(cert("wapi-user.cer"));
        click(manager.GetDlgItem(CPageWAPICertManageDlg::IDC_INSTALL));
        std::string const tree = snapshot("manager-tab");
        char prefix[48];
        std::snprintf(prefix, sizeof prefix, "item\t%p\t0\t", static_cast<void*>(manager.m_listCert.m_hWnd));
        EXPECT_NE(tree.find(prefix), std::string::npos);
        EXPECT_NE(tree.find("WAPI Office AS\tWAPI User\t-2030/06/30 12:00:00"), std::string::npos);
        EXPECT_EQ(dumped_text(tree, ::GetDlgItem(manager.m_hWnd, CPageWAPICertManageDlg::IDC_ISSUED_TO)), "WAPI User");
    });
}
