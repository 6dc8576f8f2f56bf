// End to end on the default simulated world: 802.1X profiles made in the profile editor's
// 802.1X tab connect to "Corp" when activated (PEAP as alice with the server checked against
// "Corp Root CA"; TLS with carol's certificate); carol's expired certificate is refused by OK;
// a server that no longer answers to its name fails the activation; a certificate added with
// wlansim shows at the client tab's next enumeration. The store is read with `wlansim profiles`.
#include "config_window_harness.h"
#include "Wlansim.h"

#include "platform/display/Snapshots.h"
#include "station/app/HideDlg.h"
#include "station/controls/CMessageBoxDlg.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageClientCertificationDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageServerCertificationDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/ProfileEditorDlg.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using station::testing::wlansim;

using station::testing::ConfigWindowTest;
using Tab = CPage8021XDlg;
using Name = CPageNamePasswordDlg;
using Client = CPageClientCertificationDlg;
using Server = CPageServerCertificationDlg;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class EapProfilesEndToEndTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        std::string const scenarios = std::string(VXWLAPI_FOLDER) + "/scenarios";
        world(read_file(scenarios + "/default.ini"));
        std::filesystem::copy(scenarios + "/certs", folder() + "/certs", std::filesystem::copy_options::recursive);
        options("0,1,12,9,10");
        on_dialog("Pelka", [this](HWND box) {
            char shown[256] {};
            ::GetDlgItemText(box, CMessageBoxDlg::kMessageId, shown, sizeof shown);
            boxes.push_back(shown);
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
        });
    }

    static void pump() { platform::testing::pump_until_idle(); }
    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        pump();
    }
    static void command(CWnd& page, int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        pump();
    }
    static void type(CWnd& page, int id, char const* text)
    {
        page.SetDlgItemText(id, text);
        pump();
    }
    // Ticks an unticked box with a click, as the user does.
    static void check(CWnd& page, int id)
    {
        HWND const box = ::GetDlgItem(page.m_hWnd, id);
        if (::SendMessage(box, BM_GETCHECK, 0, 0) != BST_CHECKED)
            ::SendMessage(box, BM_CLICK, 0, 0);
        pump();
    }
    // Picks the combo item whose column `column` reads `text`; false when none does.
    static bool pick(CWnd& page, CComboBoxSuper& combo, int id, int column, std::string const& text)
    {
        int const count = int(combo.SendMessage(CB_GETCOUNT));
        for (int item = 0; item < count; ++item) {
            if (combo.FetchCellText(item, column).str() != text)
                continue;
            combo.SendMessage(CB_SETCURSEL, WPARAM(item));
            page.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.m_hWnd));
            pump();
            return true;
        }
        return false;
    }
    static void select(CPageProfileDlg& page, std::string const& name)
    {
        page.m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row = 0; row < page.RowCount(); ++row)
            if (page.Row(row).strName == name.c_str())
                page.m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        NMITEMACTIVATE notice {};
        notice.hdr = { page.m_listProfile.m_hWnd, CPageProfileDlg::IDC_LIST, UINT(NM_CLICK) };
        notice.iItem = -1;
        page.SendMessage(WM_NOTIFY, CPageProfileDlg::IDC_LIST, reinterpret_cast<LPARAM>(&notice));
        pump();
    }
    // Add on the profile page: the editor with the name and SSID "Corp", WPA2 with AES, on its
    // 802.1X tab.
    CProfileEditorDlg& add(CVxUI2008Dlg& window, char const* name)
    {
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        click(page.GetDlgItem(CPageProfileDlg::IDC_ADD));
        CProfileEditorDlg& editor = *window.m_pProfileEditorDlg;
        EXPECT_TRUE(editor.IsWindowVisible());
        type(*editor.m_pPageSystemConfigDlg, CPageSystemConfigDlg::IDC_NAME, name);
        type(*editor.m_pPageSystemConfigDlg, CPageSystemConfigDlg::IDC_SSID, "Corp");
        editor.click_tab_button(TAB_BUTTON_AUTH);
        pump();
        command(*editor.m_pPageAuthEncryDlg, station::profiles::auth_command(station::profiles::kAuthWpa2));
        command(*editor.m_pPageAuthEncryDlg, station::profiles::cipher_command(station::profiles::kCipherAes));
        editor.click_tab_button(TAB_BUTTON_8021X);
        pump();
        return editor;
    }
    void ok(CProfileEditorDlg& editor)
    {
        boxes.clear();
        click(editor.GetDlgItem(CProfileEditorDlg::IDC_OK));
    }
    // Activates a stored profile and lets the connection run its course.
    void activate(CVxUI2008Dlg& window, std::string const& name)
    {
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        select(page, name);
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
        for (int i = 0; i < 30; ++i)
            platform::testing::advance(1000);
    }
    bool connected_to_corp()
    {
        auto const icon = tray_icon();
        return icon && icon->tip.find("Connected to Corp") != std::string::npos;
    }
    void snapshot(std::string const& name)
    {
        pump();
        std::filesystem::path const out = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "eap_profiles_snapshots" / name;
        std::filesystem::remove_all(out);
        std::filesystem::create_directories(out);
        platform::display::write_snapshot(out.string());
    }

    std::vector<std::string> boxes;
};

}

TEST_F(EapProfilesEndToEndTest, PeapAndTlsProfilesConnectToCorp)
{
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        click(window.kind_button(BTN_PROFILE));

        // PEAP as alice, the server checked by name against Corp Root CA.
        CProfileEditorDlg* editor = &add(window, "Corp PEAP");
        Tab* tab = editor->m_pPage8021XDlg;
        EXPECT_EQ(tab->m_nEapMethod, int(EAP_PEAP));
        type(*tab->m_pNamePasswordDlg, Name::IDC_IDENTITY, "alice");
        type(*tab->m_pNamePasswordDlg, Name::IDC_PASSWORD, "wonderland");
        click(tab->m_pBtnServerCert);
        Server& server = *tab->m_pServerCertDlg;
        check(server, Server::IDC_USE_CERT);
        EXPECT_TRUE(pick(server, server.m_comboCA, Server::IDC_COMBO, 0, "Corp Root CA"));
        type(server, Server::IDC_SERVER_NAME, "radius.corp.example");
        snapshot("peap-server");
        ok(*editor);
        EXPECT_EQ(boxes, std::vector<std::string>());
        EXPECT_NE(wlansim("profiles").find("Corp PEAP"), std::string::npos);
        activate(window, "Corp PEAP");
        EXPECT_TRUE(connected_to_corp()) << (tray_icon() ? tray_icon()->tip : "");

        // TLS with carol's certificate; her expired one is refused by OK.
        editor = &add(window, "Corp TLS");
        tab = editor->m_pPage8021XDlg;
        command(*tab, Tab::ID_TLS);
        type(*tab->m_pNamePasswordDlg, Name::IDC_IDENTITY, "carol");
        click(tab->m_pBtnClientCert);
        Client& client = *tab->m_pClientCertDlg;
        EXPECT_TRUE(pick(client, client.m_comboCert, Client::IDC_COMBO, 2, "2020/01/01"));
        ok(*editor);
        EXPECT_EQ(boxes, std::vector<std::string> { "The certificate has expired." });
        EXPECT_TRUE(editor->IsWindowVisible());
        EXPECT_TRUE(pick(client, client.m_comboCert, Client::IDC_COMBO, 2, "2030/12/31"));
        snapshot("tls-client");
        ok(*editor);
        EXPECT_EQ(boxes, std::vector<std::string>());
        activate(window, "Corp TLS");
        EXPECT_TRUE(connected_to_corp()) << (tray_icon() ? tray_icon()->tip : "");

        // A certificate added to the store shows at the client tab's next enumeration.
        wlansim("cert-add dana store=MY issued_to=dana 'issued_by=Corp Root CA' expires=2031/01/01 friendly=Dana");
        editor = &add(window, "Corp Dana");
        tab = editor->m_pPage8021XDlg;
        command(*tab, Tab::ID_TLS);
        EXPECT_TRUE(pick(*tab->m_pClientCertDlg, tab->m_pClientCertDlg->m_comboCert, Client::IDC_COMBO, 0, "dana"));
        click(editor->GetDlgItem(CProfileEditorDlg::IDC_CANCEL));

        // The server no longer answers to its name: PEAP fails.
        wlansim("ap-set corp-peap server_name=other.example");
        activate(window, "Corp PEAP");
        EXPECT_FALSE(connected_to_corp());
    });
}
