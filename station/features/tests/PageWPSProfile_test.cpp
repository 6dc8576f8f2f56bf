// The WPS profile dialog: what OK writes back in each role, the key checks of the registrar's
// credential, the key-length and encryption choices, the Show Password option; and the WPS tab
// of the access point detail showing the ten texts it is handed.
#include "FeaturesFixture.h"
#include "WpsTestCredential.h"

#include "station/controls/CInfoWnd.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/core/WpsGlobals.h"
#include "station/features/PageWPSProfile.h"
#include "station/features/PageWPSStatusDlg.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

class ParentServices : public HideDlgServices {
public:
    explicit ParentServices(HWND window)
        : m_window(window)
    {
        set_hide_dlg_services(this);
    }
    ~ParentServices() override { set_hide_dlg_services(nullptr); }
    HWND config_window() const override { return m_window; }

private:
    HWND m_window;
};

WPS_CREDENTIAL credential(std::uint32_t auth, std::uint32_t encr, char const* key, std::uint32_t index = 0)
{
    return wps_credential("ExRegNW0A1B2C", auth, encr, key, index);
}

class WpsProfileDialogTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        services.emplace(parent.m_hWnd);
        saved_ui = G_UiStr;
        saved_show = G_VxWlLib.bShowPassword;
        G_VxWlLib.bShowPassword = 1;
        G_UiStr.IDS_WPS_WPA_ERROR = "wpa error";
        G_UiStr.IDS_WPS_26LENGTH_ERROR = "26 error";
        G_UiStr.IDS_OPENSYSTEM = "Open";
        G_nConfigMode = WPS_ROLE_REGISTRAR;
        ASSERT_TRUE(dialog.Create(CPageWPSProfile::IDD, &host));
    }
    void TearDown() override
    {
        if (dialog.m_hWnd)
            dialog.DestroyWindow();
        G_UiStr = saved_ui;
        G_VxWlLib.bShowPassword = saved_show;
        G_nConfigMode = WPS_ROLE_ENROLLEE;
        services.reset();
        FeaturesTest::TearDown();
    }

    void open_with(WPS_CREDENTIAL const& c)
    {
        dialog.m_WpsProfile = WPS_PROFILE {};
        dialog.m_WpsProfile.ProfileCnt = 1;
        dialog.m_WpsProfile.Profile[0] = c;
        dialog.m_nSelIndex = 0;
        dialog.m_strSSID = "ExRegNW0A1B2C";
        dialog.ShowWindow(SW_HIDE);
        dialog.ShowWindow(SW_SHOW);
        pump();
    }
    HWND item(int id) const { return ::GetDlgItem(dialog.m_hWnd, id); }
    void select(int combo, int index)
    {
        ::SendMessage(item(combo), CB_SETCURSEL, WPARAM(index), 0);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), LPARAM(item(combo)));
        pump();
    }
    void click(int id)
    {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(item(id)));
        pump();
    }
    void type_key(char const* key) { ::SetWindowText(item(CPageWPSProfile::IDC_KEY), key); }
    std::string key() const { return text_of(item(CPageWPSProfile::IDC_KEY)); }
    // The lParam of the last MSG_SHOW_WPSPROFILE the window got; -1 for none.
    LPARAM answer() const
    {
        for (auto it = parent.privates.rbegin(); it != parent.privates.rend(); ++it)
            if (it->message == MSG_SHOW_WPSPROFILE && it->wParam == 0)
                return it->lParam;
        return -1;
    }
    // The hint beside the key edit, without the blanks it is padded with.
    std::string hint()
    {
        std::string text = dialog.KeyEdit().info_window() ? dialog.KeyEdit().info_window()->text().GetString() : "";
        text.erase(0, text.find_first_not_of(' '));
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }

    // Made once the parent window exists: it stands for the configuration window.
    std::optional<ParentServices> services;
    CUISTR saved_ui;
    int saved_show {};
    CPageWPSProfile dialog { &host };
};

}

TEST_F(WpsProfileDialogTest, EnrolleeOkClosesWithoutWritingBack)
{
    G_nConfigMode = WPS_ROLE_ENROLLEE;
    WPS_CREDENTIAL const c = credential(32, 8, "printer-pass");
    open_with(c);
    EXPECT_FALSE(dialog.editing());
    EXPECT_FALSE(::IsWindowVisible(item(CPageWPSProfile::IDC_AUTH)));
    ::SetWindowText(item(CPageWPSProfile::IDC_SSID), "Changed");
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(answer(), 0);
    EXPECT_EQ(std::memcmp(&dialog.m_WpsProfile.Profile[0], &c, sizeof c), 0);
}

TEST_F(WpsProfileDialogTest, RegistrarPassphraseNeedsEightCharacters)
{
    open_with(credential(32, 8, "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF"));
    ASSERT_TRUE(dialog.editing());
    EXPECT_EQ(::SendMessage(item(CPageWPSProfile::IDC_AUTH), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(::SendMessage(item(CPageWPSProfile::IDC_ENCR), CB_GETCURSEL, 0, 0), 1);
    type_key("seven77");
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(answer(), -1);
    EXPECT_EQ(hint(), "wpa error");
    struct Case {
        int encryption_item;
        std::uint32_t encr;
    } const cases[] = { { 0, 4 }, { 1, 8 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.encr);
        select(CPageWPSProfile::IDC_ENCR, c.encryption_item);
        type_key("eight888");
        click(CPageWPSProfile::IDC_OK);
        EXPECT_EQ(answer(), 1);
        WPS_CREDENTIAL const& w = dialog.m_WpsProfile.Profile[0];
        EXPECT_EQ(w.AuthType, 32u);
        EXPECT_EQ(w.EncrType, c.encr);
        EXPECT_EQ(w.KeyIndex, 0u);
        EXPECT_EQ(w.KeyLength, 8u);
        EXPECT_EQ(std::string(reinterpret_cast<char const*>(w.Key), 8), "eight888");
    }
}

TEST_F(WpsProfileDialogTest, SixtyFourCharactersMustBeHexadecimal)
{
    open_with(credential(32, 8, "eight888"));
    type_key(std::string(64, 'x').c_str());
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(answer(), -1);
    type_key(std::string(64, 'a').c_str());
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(answer(), 1);
    EXPECT_EQ(dialog.m_WpsProfile.Profile[0].KeyLength, 64u);
}

TEST_F(WpsProfileDialogTest, WepKeyLengthAndIndexAreStored)
{
    open_with(credential(1, 2, "12345"));
    EXPECT_EQ(dialog.key_limit(), 5);
    EXPECT_EQ(key(), "12345");
    select(CPageWPSProfile::IDC_KEY_LENGTH, 2);
    EXPECT_EQ(key(), "") << "a new length empties the key";
    EXPECT_EQ(dialog.key_limit(), 13);
    select(CPageWPSProfile::IDC_KEY_LENGTH, 3);
    type_key("0123456789abcdef012345678g");
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(answer(), -1) << "a pasted non-hexadecimal digit";
    EXPECT_EQ(hint(), "26 error");
    type_key("0123456789abcdef0123456789");
    select(CPageWPSProfile::IDC_KEY_INDEX, 2);
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(answer(), 1);
    WPS_CREDENTIAL const& w = dialog.m_WpsProfile.Profile[0];
    EXPECT_EQ(w.AuthType, 1u);
    EXPECT_EQ(w.EncrType, 2u);
    EXPECT_EQ(w.KeyLength, 26u);
    EXPECT_EQ(w.KeyIndex, 2u);
}

TEST_F(WpsProfileDialogTest, OpenWithoutEncryptionAsksBeforeStoring)
{
    open_with(credential(32, 8, "eight888"));
    select(CPageWPSProfile::IDC_AUTH, 0);
    select(CPageWPSProfile::IDC_ENCR, 0);
    EXPECT_EQ(key(), "");
    int asked = 0;
    platform::user::set_modal_hook([&](HWND box) {
        ++asked;
        ::PostMessage(box, WM_COMMAND, IDCANCEL, 0);
    });
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(answer(), -1);
    platform::user::set_modal_hook([&](HWND box) { ::PostMessage(box, WM_COMMAND, IDOK, 0); });
    click(CPageWPSProfile::IDC_OK);
    EXPECT_EQ(answer(), 1);
    EXPECT_EQ(dialog.m_WpsProfile.Profile[0].AuthType, 1u);
    EXPECT_EQ(dialog.m_WpsProfile.Profile[0].EncrType, 1u);
    EXPECT_EQ(dialog.m_WpsProfile.Profile[0].KeyLength, 0u);
}

TEST_F(WpsProfileDialogTest, ShowPasswordOptionOffHidesTheBoxAndMasksTheKey)
{
    G_VxWlLib.bShowPassword = 0;
    open_with(credential(32, 8, "eight888"));
    EXPECT_FALSE(::IsWindowVisible(item(CPageWPSProfile::IDC_SHOW_PASSWORD)));
    EXPECT_EQ(::SendMessage(item(CPageWPSProfile::IDC_KEY), EM_GETPASSWORDCHAR, 0, 0), '*');
    G_VxWlLib.bShowPassword = 1;
    ::SendMessage(item(CPageWPSProfile::IDC_SHOW_PASSWORD), BM_SETCHECK, BST_CHECKED, 0);
    click(CPageWPSProfile::IDC_SHOW_PASSWORD);
    EXPECT_TRUE(::IsWindowVisible(item(CPageWPSProfile::IDC_SHOW_PASSWORD)));
    EXPECT_EQ(::SendMessage(item(CPageWPSProfile::IDC_KEY), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(FeaturesTest, WpsStatusTabShowsTheTenTextsHandedIn)
{
    CPageWPSStatusDlg tab { &host };
    ASSERT_TRUE(tab.Create(CPageWPSStatusDlg::IDD, &host));
    for (std::size_t i = 0; i < tab.m_strTexts.size(); ++i)
        tab.m_strTexts[i].Format("value %zu", i);
    tab.UpdateData(FALSE);
    for (std::size_t i = 0; i < CPageWPSStatusDlg::kValueIds.size(); ++i)
        EXPECT_EQ(text_of(::GetDlgItem(tab.m_hWnd, CPageWPSStatusDlg::kValueIds[i])), "value " + std::to_string(i));
    tab.DestroyWindow();
}
