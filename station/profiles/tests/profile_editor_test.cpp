// The profile editor and its system configuration and authentication tabs over a scripted
// library: Add, Save, Edit, Save as a round trip per security kind, OK's refusals in their
// order, the rename rules, the PAC list and the EAP configuration window, and the tabs' own
// rules that need their windows.
#include "ProfileEditorFixture.h"

#include "platform/gdi/Png.h"

#include <filesystem>

namespace {

// The security of one round-trip case, entered on the authentication tab.
struct Security {
    char const* what;
    int win_os;
    int network_type;
    int mode;
    int cipher;
    std::array<int, 4> key_types;
    std::array<char const*, 4> keys;
    int default_key;
    int psk_type;
    char const* psk;
    bool wapi;
    // The stored record.
    std::uint32_t auth_code;
    std::uint32_t cipher_code;
    std::array<char const*, 4> stored_keys;
    std::uint32_t stored_default;
};

constexpr char const* kHex26 = "0123456789abcdef0123456789";
constexpr char const* kPsk64 = "0123456789abcdef0123456789ABCDEF0123456789abcdef0123456789ABCDEF";

}

TEST_F(ProfileEditorTest, AddSaveEditSaveStoresTheSameRecord)
{
    Security const cases[] = {
        { "open", 12, 1, kAuthOpen, kCipherNone, {}, {}, 0, 1, "", false, AUTH_OPEN, ENC_NONE, {}, 1 },
        { "open wep, older system", 8, 1, kAuthOpen, kCipherWep, { 0, 1, 0, 1 }, { "0123456789", "abcde", kHex26, "abcdefghijklm" }, 2, 1, "",
            false, AUTH_OPEN, ENC_WEP, { "0123456789", "abcde", kHex26, "abcdefghijklm" }, 3 },
        { "open wep, newer system", 12, 1, kAuthOpen, kCipherWep, { 0, 1, 0, 1 }, { "0123456789", "abcde", kHex26, "abcdefghijklm" }, 2, 1, "",
            false, AUTH_OPEN, ENC_WEP, { "", "", kHex26, "" }, 3 },
        { "shared wep", 12, 1, kAuthShared, kCipherWep, { 1, 0, 0, 0 }, { "abcde" }, 0, 1, "", false, AUTH_SHARED, ENC_WEP, { "abcde" }, 1 },
        { "wpa-psk tkip", 12, 1, kAuthWpaPsk, kCipherTkip, {}, {}, 0, 1, "sunflower-tkip", false, AUTH_WPA_PSK, ENC_TKIP, {}, 1 },
        { "wpa2-psk aes, 64 digits", 12, 1, kAuthWpa2Psk, kCipherAes, {}, {}, 0, 1, kPsk64, false, AUTH_WPA2_PSK, ENC_AES, {}, 1 },
        { "wpa-none ad hoc", 8, 0, kAuthWpaNone, kCipherTkip, {}, {}, 0, 1, "lan-party-99", false, AUTH_WPA_NONE, ENC_TKIP, {}, 1 },
        { "wpa2-psk ad hoc", 12, 0, kAuthWpa2Psk, kCipherAes, {}, {}, 0, 1, "frag-them-all", false, AUTH_WPA2_PSK, ENC_AES, {}, 1 },
        { "wapi-psk hex", 12, 1, kAuthWapiPsk, kCipherSms4, {}, {}, 0, 0, "0123456789abcdef", true, AUTH_WAPI_PSK, ENC_SMS4, {}, 1 },
        { "wapi-psk ascii", 12, 1, kAuthWapiPsk, kCipherSms4, {}, {}, 0, 1, "wapi pass", true, AUTH_WAPI_PSK, ENC_SMS4, {}, 1 },
    };
    for (Security const& c : cases) {
        SCOPED_TRACE(c.what);
        lib.profiles.clear();
        lib.win_os = c.win_os;
        G_VxWlLib.bSupportWAPI = c.wapi;
        add("Home", "4");
        type(sys(), CPageSystemConfigDlg::IDC_SSID, "HomeNet");
        if (c.network_type == 0)
            command(sys(), CPageSystemConfigDlg::ID_ADHOC);
        tab(TAB_BUTTON_AUTH);
        command(auth(), auth_command(c.mode));
        command(auth(), cipher_command(c.cipher));
        choose_default_key(c.default_key);
        for (int k = 0; k < 4; ++k) {
            command(auth(), key_type_command(k + 1, c.key_types[std::size_t(k)] == 1));
            if (c.keys[std::size_t(k)])
                type(auth(), CPageAuthEncryDlg::kKeyEdits[k], c.keys[std::size_t(k)]);
        }
        command(auth(), key_type_command(0, c.psk_type == 1));
        type(auth(), CPageAuthEncryDlg::IDC_PSK, c.psk);
        ok();
        ASSERT_EQ(boxes, std::vector<std::string>());
        WLANPROFILE const* first = stored("Home");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->enumAuthenMode, c.auth_code);
        EXPECT_EQ(first->enumEncryStatus, c.cipher_code);
        EXPECT_EQ(first->enumNetworkType, std::uint32_t(c.network_type));
        EXPECT_EQ(first->nProfileID, 4u);
        EXPECT_EQ(wlan::profile::read_ssid(*first), "HomeNet");
        EXPECT_EQ(wlan::profile::read_psk(*first), c.psk);
        EXPECT_EQ(first->nPskKeyType, std::uint32_t(c.psk_type));
        EXPECT_EQ(first->wepDefaultKey, c.stored_default);
        char const* const keys[4] = { first->WEPKey1, first->WEPKey2, first->WEPKey3, first->WEPKey4 };
        for (int k = 0; k < 4; ++k)
            EXPECT_STREQ(keys[k], c.stored_keys[std::size_t(k)] ? c.stored_keys[std::size_t(k)] : "") << "key " << k + 1;
        EXPECT_EQ(sent(MSG_SHOW_PROFILEEDITOR, 0), 1);
        EXPECT_EQ(sent(CHANGE_DLG_PAGE, PAGE_PROFILE), 1);
        WLANPROFILE const saved = *first;

        edit("Home", "4");
        ok();
        ASSERT_EQ(boxes, std::vector<std::string>());
        ASSERT_EQ(lib.profiles.size(), 1u);
        EXPECT_EQ(std::memcmp(&saved, stored("Home"), sizeof(WLANPROFILE)), 0);
    }
}

TEST_F(ProfileEditorTest, OkRefusesInOrderAndShowsTheTab)
{
    struct Case {
        char const* what;
        int win_os;
        std::function<void(ProfileEditorTest&)> set_up;
        char const* message;
        bool first_tab;
        bool saved;
    };
    auto wpa2 = [](ProfileEditorTest& t) {
        t.command(t.auth(), auth_command(kAuthWpa2Psk));
        t.type(t.auth(), CPageAuthEncryDlg::IDC_PSK, "good enough key");
    };
    Case const cases[] = {
        { "fragmentation below 256", 12, [](auto& t) { t.type(t.sys(), CPageSystemConfigDlg::IDC_FRAG, "100"); }, "IDS_INVALIDFRAGTHRE", false, false },
        { "no name", 12, [](auto& t) { t.type(t.sys(), CPageSystemConfigDlg::IDC_NAME, ""); }, "IDS_INPUTPROFILENAME", true, false },
        { "long name", 8, [](auto& t) { t.type(t.sys(), CPageSystemConfigDlg::IDC_NAME, std::string(33, 'n')); }, "IDS_PROFILENAMELENGTH", true, false },
        { "no SSID, newer", 12, [](auto& t) { t.type(t.sys(), CPageSystemConfigDlg::IDC_SSID, ""); }, "IDS_ADHOCINPUTSSID", true, false },
        { "no SSID, older infrastructure", 8, [](auto& t) { t.type(t.sys(), CPageSystemConfigDlg::IDC_SSID, ""); }, nullptr, false, true },
        { "no SSID, older ad hoc", 8,
            [](auto& t) {
                t.type(t.sys(), CPageSystemConfigDlg::IDC_SSID, "");
                t.command(t.sys(), CPageSystemConfigDlg::ID_ADHOC);
            },
            "IDS_ADHOCINPUTSSID", false, false },
        { "taken name, newer", 12, [](auto& t) { t.lib.add("HOME", "x"); }, "IDS_DUPLIPROF", true, false },
        { "taken name, older", 8, [](auto& t) { t.lib.add("home", "x"); }, "IDS_DUPLIPROF", true, false },
        { "no ID, older", 8, [](auto& t) { t.type(t.sys(), CPageSystemConfigDlg::IDC_ID, ""); }, "IDS_PROF_IDREQUIRED", true, false },
        { "no ID, newer: not checked", 12, [](auto& t) { t.type(t.sys(), CPageSystemConfigDlg::IDC_ID, ""); }, nullptr, false, true },
        { "taken ID, older", 8, [](auto& t) { t.lib.id_answer = 0; }, "IDS_DUPLIPROFID", true, false },
        { "taken ID, newer: not asked", 12, [](auto& t) { t.lib.id_answer = 0; }, nullptr, false, true },
        { "no channel", 12,
            [](auto& t) {
                t.lib.channels.clear();
                t.command(t.sys(), CPageSystemConfigDlg::ID_ADHOC);
            },
            "IDS_SYSCONFIG_NO_CHANN_4_ADHOC", false, false },
        { "short key: the pop-up, no box", 12,
            [](auto& t) {
                t.tab(TAB_BUTTON_AUTH);
                t.command(t.auth(), auth_command(kAuthWpa2Psk));
                t.type(t.auth(), CPageAuthEncryDlg::IDC_PSK, "1234567");
                t.tab(TAB_BUTTON_SYSCONFIG);
            },
            nullptr, false, false },
        { "store refuses the write", 12, [](auto& t) { t.lib.write_result = 0x7f; }, "IDS_REGISTRYFAIL", false, false },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        lib.profiles.clear();
        lib.win_os = c.win_os;
        lib.id_answer = 1;
        lib.write_result = 0;
        lib.channels = { 1, 6, 11 };
        boxes.clear();
        add("Home", "4");
        type(sys(), CPageSystemConfigDlg::IDC_SSID, "HomeNet");
        tab(TAB_BUTTON_AUTH);
        wpa2(*this);
        tab(TAB_BUTTON_SYSCONFIG);
        c.set_up(*this);
        tab(TAB_BUTTON_AUTH);
        ok();
        EXPECT_EQ(boxes, c.message ? std::vector<std::string> { c.message } : std::vector<std::string> {});
        if (c.first_tab) {
            EXPECT_TRUE(front(sys()));
        }
        bool const home = std::any_of(lib.profiles.begin(), lib.profiles.end(), [](auto const& p) { return wlan::profile::name_of(p) == "Home"; });
        EXPECT_EQ(home, c.saved);
        EXPECT_EQ(sent(MSG_SHOW_PROFILEEDITOR, 0), c.saved ? 1 : 0);
        EXPECT_EQ(sent(CHANGE_DLG_PAGE, PAGE_ADVANCE), std::string(c.message ? c.message : "") == "IDS_SYSCONFIG_NO_CHANN_4_ADHOC" ? 1 : 0);
    }
}

TEST_F(ProfileEditorTest, AShortKeyShowsItsHintAtTheKeyAndKeepsTheEditorOpen)
{
    add();
    type(sys(), CPageSystemConfigDlg::IDC_SSID, "HomeNet");
    tab(TAB_BUTTON_AUTH);
    command(auth(), auth_command(kAuthWpa2Psk));
    type(auth(), CPageAuthEncryDlg::IDC_PSK, "1234567");
    tab(TAB_BUTTON_SYSCONFIG);
    ok();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(front(auth()));
    EXPECT_EQ(::GetFocus(), auth().m_editPsk.m_hWnd);
    ASSERT_NE(auth().m_editPsk.info_window(), nullptr);
    // The hint pads its text with a space each side.
    EXPECT_EQ(auth().m_editPsk.info_window()->text().str(), " IDS_MSGWPA2PSKKEYINVALID ");
    EXPECT_EQ(stored("Home"), nullptr);
}

TEST_F(ProfileEditorTest, AWrongWepKeyGetsItsLimitBack)
{
    lib.win_os = 8;
    add();
    type(sys(), CPageSystemConfigDlg::IDC_SSID, "HomeNet");
    tab(TAB_BUTTON_AUTH);
    command(auth(), auth_command(kAuthShared));
    type(auth(), CPageAuthEncryDlg::IDC_KEY2, "12345");
    auth().m_editKey[1].SendMessage(EM_LIMITTEXT, 5);
    ok();
    EXPECT_EQ(::GetFocus(), auth().m_editKey[0].m_hWnd); // the empty default key fails first
    EXPECT_EQ(auth().m_editKey[0].info_window()->text().str(), " IDS_MSGHEXWEPKEYINVALID ");
    type(auth(), CPageAuthEncryDlg::IDC_KEY1, "0123456789");
    ok();
    EXPECT_EQ(::GetFocus(), auth().m_editKey[1].m_hWnd);
    EXPECT_EQ(int(auth().m_editKey[1].SendMessage(EM_GETLIMITTEXT)), 26);
}

TEST_F(ProfileEditorTest, IdOverflowClosesTheEditorUnsaved)
{
    lib.win_os = 8;
    lib.id_answer = 3;
    add("Home", "007");
    type(sys(), CPageSystemConfigDlg::IDC_SSID, "HomeNet");
    ok();
    EXPECT_EQ(boxes, std::vector<std::string> { "IDS_PROF_IDOVERFLOW" });
    EXPECT_EQ(lib.ids_asked, std::vector<std::string> { "7" });
    EXPECT_EQ(sent(MSG_SHOW_PROFILEEDITOR, 0), 1);
    EXPECT_EQ(stored("Home"), nullptr);
}

TEST_F(ProfileEditorTest, RenamesAndTheActiveProfile)
{
    lib.add("Home", "HomeNet");
    lib.add("Office", "Work");
    lib.active = "Home";
    edit("Home", "1");
    type(sys(), CPageSystemConfigDlg::IDC_NAME, "HOME");
    ok();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(std::count(lib.calls.begin(), lib.calls.end(), "CheckDuplicatedProfileName"), 0);
    auto const reset = std::find(lib.calls.begin(), lib.calls.end(), "ResetToDefaultConnecctionSetting");
    auto const write = std::find(lib.calls.begin(), lib.calls.end(), "WriteProfile");
    ASSERT_NE(reset, lib.calls.end());
    EXPECT_LT(reset, write);
    EXPECT_EQ(lib.profiles.size(), 2u);
    EXPECT_EQ(wlan::profile::name_of(lib.profiles[0]), "HOME");

    lib.active = "Office";
    edit("Office", "2");
    type(sys(), CPageSystemConfigDlg::IDC_NAME, "Home");
    ok();
    EXPECT_EQ(boxes, std::vector<std::string> { "IDS_DUPLIPROF" });
    EXPECT_EQ(std::count(lib.calls.begin(), lib.calls.end(), "WriteProfile"), 0);
}

TEST_F(ProfileEditorTest, EapFastWritesThePacListAndOpensTheEapWindowAfterTheWrite)
{
    for (int method : { 3, 0 }) {
        SCOPED_TRACE(method);
        lib.profiles.clear();
        lib.pac_lists.clear();
        lib.win_os = 12;
        WLANPROFILE& corp = lib.add("Corp", "CorpNet", AUTH_WPA2, ENC_AES);
        corp.enumAuthenProtocol = std::uint32_t(method);
        wlan::profile::write_text(corp.chID, "alice"); // PEAP's check asks for an identity and a password
        wlan::profile::write_text(corp.chPassword, "secret");
        lib.pac_lists["Corp"] = { PAC_ENTRY { 1, "pac one", "/p/1" }, PAC_ENTRY { 2, "pac two", "/p/2" } };
        edit("Corp", "1");
        EXPECT_EQ(editor->m_pPACList, nullptr);
        EXPECT_EQ(editor->m_pPage8021XDlg->m_PacRows.size(), 2u);
        editor->m_pPage8021XDlg->m_pEapFastDlg->m_arrPAC.pop_back();
        ok();
        EXPECT_TRUE(boxes.empty());
        bool const fast = method == 3;
        EXPECT_EQ(std::count(lib.calls.begin(), lib.calls.end(), "WritePACList"), fast ? 1 : 0);
        if (fast) {
            EXPECT_EQ(lib.pac_lists["Corp"].size(), 1u);
        }
        auto const write = std::find(lib.calls.begin(), lib.calls.end(), "WriteProfile");
        auto const ui = std::find(lib.calls.begin(), lib.calls.end(), "StartEapHostPeerInvokeConfigUI");
        EXPECT_EQ(ui != lib.calls.end(), fast);
        if (fast) {
            EXPECT_LT(write, ui);
        }
        EXPECT_EQ(sent(MSG_ENABLE_CONFIG_UI, 0), fast ? 1 : 0);
        EXPECT_EQ(stored("Corp")->enumAuthenProtocol, std::uint32_t(method));
    }
}

TEST_F(ProfileEditorTest, ThePacListIsReadByTheListProtocol)
{
    lib.add("Corp", "CorpNet", AUTH_WPA2, ENC_AES).enumAuthenProtocol = EAP_FAST;
    lib.pac_lists["Corp"] = { PAC_ENTRY { 1, "a", "" }, PAC_ENTRY { 2, "b", "" } };
    lib.pac_growth = 3; // the list grows between the count and the read: asked once more
    sys().m_strName = "Corp";
    editor->LoadProfile();
    EXPECT_EQ(editor->m_nPACCount, 5);
    EXPECT_EQ(std::count(lib.calls.begin(), lib.calls.end(), "ReadPACList"), 3);
    EXPECT_EQ(editor->m_pPage8021XDlg->m_PacRows.size(), 5u);
}

TEST_F(ProfileEditorTest, LoadedValuesIndexNothingUnchecked)
{
    WLANPROFILE& p = lib.add("Odd", "OddNet", AUTH_SHARED, ENC_WEP);
    p.wepDefaultKey = 9;
    p.lTxPower = 9;
    p.enumPSMode = 7;
    p.lRtsThre = 99999;
    p.bUseRTSThre = 1;
    p.lFragThre = 10;
    p.bUseFragThre = 1;
    lib.win_os = 8;
    edit("Odd", "1");
    EXPECT_EQ(auth().m_model.state.default_key, 0);
    EXPECT_EQ(sys().m_nTxPower, 0);
    EXPECT_EQ(sys().m_nPowerSave, 1);
    EXPECT_EQ(sys().m_nRtsValue, 2347);
    EXPECT_EQ(sys().m_nFragValue, 256);
}

// [SECTION] The system configuration tab

TEST_F(ProfileEditorTest, SystemConfigurationPreset)
{
    ScanListBuffer list;
    list.add(scan_entry(1, 1)).add(scan_entry(2, 6));
    auto* first = reinterpret_cast<NDIS_WLAN_BSSID_EX*>(list.data() + 4);
    first->Ssid.SsidLength = 7;
    std::memcpy(first->Ssid.Ssid, "Gamers!", 7);
    first->InfrastructureMode = 0;
    std::memcpy(G_VxWlLib.pBssidList, list.data(), BSSID_LIST_BUFFER_SIZE);
    editor->PresetNewProfile("PROF1", "0", first, 5, "AES", 1);
    show();
    EXPECT_EQ(sys().m_strID, "1");
    EXPECT_EQ(sys().m_nNetworkType, 0);
    EXPECT_EQ(sys().m_strChannel, "1");
    EXPECT_EQ(int(sys().m_comboSSID.SendMessage(CB_GETCOUNT)), 2);
    EXPECT_EQ(int(sys().m_comboSSID.SendMessage(CB_GETCURSEL)), 0);
    EXPECT_EQ(sys().m_comboSSID.FetchCellText(0, 1), "020000000001");
    EXPECT_TRUE(sys().m_bFromSiteSurvey);
    std::vector<std::string> channels;
    for (int row = 0; row < int(sys().m_comboChannel.SendMessage(CB_GETCOUNT)); ++row) {
        channels.push_back(sys().m_comboChannel.FetchCellText(row, 0).str());
    }
    EXPECT_EQ(channels, (std::vector<std::string> { "1", "6", "11", "36", "44", "48" }));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_CHANNEL)));
}

TEST_F(ProfileEditorTest, ALoadedSsidMissingFromTheScanListIsTheSelectedLastRow)
{
    ScanListBuffer list;
    list.add(scan_entry(1, 1)).add(scan_entry(2, 6));
    std::memcpy(G_VxWlLib.pBssidList, list.data(), BSSID_LIST_BUFFER_SIZE);
    lib.add("Far", "Far Away");
    edit("Far", "1");
    ASSERT_EQ(int(sys().m_comboSSID.SendMessage(CB_GETCOUNT)), 3);
    EXPECT_EQ(int(sys().m_comboSSID.SendMessage(CB_GETCURSEL)), 2);
    EXPECT_EQ(sys().m_comboSSID.FetchCellText(2, 0), "Far Away");
}

TEST_F(ProfileEditorTest, NetworkTypeCommands)
{
    add();
    tab(TAB_BUTTON_AUTH);
    command(auth(), auth_command(kAuthOpen));
    command(auth(), cipher_command(kCipherWep));
    ASSERT_TRUE(::IsWindowVisible(::GetDlgItem(auth().m_hWnd, CPageAuthEncryDlg::IDC_USE_8021X)));
    click(auth(), CPageAuthEncryDlg::IDC_USE_8021X);
    EXPECT_TRUE(editor->tab_button(TAB_BUTTON_8021X)->IsWindowEnabled());
    tab(TAB_BUTTON_SYSCONFIG);
    command(sys(), CPageSystemConfigDlg::ID_PREAMBLE_LONG);
    command(sys(), CPageSystemConfigDlg::ID_ADHOC);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(auth().m_hWnd, CPageAuthEncryDlg::IDC_USE_8021X)));
    EXPECT_EQ(auth().m_model.state.b8021x, 0);
    EXPECT_FALSE(editor->tab_button(TAB_BUTTON_8021X)->IsWindowEnabled());
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_PREAMBLE)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_CAM)));
    command(sys(), CPageSystemConfigDlg::ID_INFRA);
    EXPECT_EQ(sys().m_nPreamble, 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_PREAMBLE)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_CHANNEL)));
}

TEST_F(ProfileEditorTest, ThresholdEdits)
{
    add();
    click(sys(), CPageSystemConfigDlg::IDC_USE_RTS);
    click(sys(), CPageSystemConfigDlg::IDC_USE_FRAG);
    type(sys(), CPageSystemConfigDlg::IDC_RTS, "3000");
    EXPECT_EQ(text_of(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_RTS)), "2347");
    type(sys(), CPageSystemConfigDlg::IDC_RTS, "99999999999999999999");
    EXPECT_EQ(sys().m_nRtsValue, 2347);
    type(sys(), CPageSystemConfigDlg::IDC_FRAG, "100");
    EXPECT_EQ(text_of(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_FRAG)), "100");
    EXPECT_EQ(int(sys().m_sliderFrag.SendMessage(TBM_GETPOS)), 256);
    click(sys(), CPageSystemConfigDlg::IDC_USE_FRAG);
    EXPECT_EQ(text_of(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_FRAG)), "2346");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sys().m_hWnd, CPageSystemConfigDlg::IDC_FRAG)));
}

TEST_F(ProfileEditorTest, AdHocIsGreyedWhileTheAdapterServesAsAccessPoint)
{
    add();
    UxMenu* menu = sys().m_btnNetType.drop_menu();
    ASSERT_NE(menu, nullptr);
    HMENU const items = menu->GetSubMenu(0);
    for (int op_mode : { 1, 0 }) {
        lib.op_mode = op_mode;
        sys().SendMessage(CPageSystemConfigDlg::WM_MENU_OPENING, reinterpret_cast<WPARAM>(items), 0);
        EXPECT_EQ((GetMenuState(items, CPageSystemConfigDlg::ID_ADHOC, MF_BYCOMMAND) & MF_GRAYED) != 0, op_mode != 0);
        EXPECT_EQ(GetMenuState(items, CPageSystemConfigDlg::ID_INFRA, MF_BYCOMMAND) & MF_GRAYED, 0u);
    }
}

TEST_F(ProfileEditorTest, TheAuthenticationTabChoosesItsMenusAndGreysThem)
{
    add();
    UxMenu* modes = auth().m_btnAuth.drop_menu();
    ASSERT_NE(modes, nullptr);
    HMENU const items = modes->GetSubMenu(0);
    EXPECT_NE(GetMenuState(items, 32941, MF_BYCOMMAND), UINT(-1)); // menu 246 on the newer system
    EXPECT_EQ(GetMenuState(items, 32816, MF_BYCOMMAND), UINT(-1));
    command(sys(), CPageSystemConfigDlg::ID_ADHOC);
    tab(TAB_BUTTON_AUTH);
    auth().SendMessage(CPageAuthEncryDlg::WM_AUTH_MENU, reinterpret_cast<WPARAM>(items), 0);
    EXPECT_NE(GetMenuState(items, 32812, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(items, 32815, MF_BYCOMMAND) & MF_GRAYED, 0u); // the library allows WPA2-PSK in ad hoc
}


// Pictures of both tabs and of the key hint, beside the test binary, for a person to look at.
TEST_F(ProfileEditorTest, SnapshotsOfTheTabsAndTheKeyHint)
{
    std::filesystem::path const folder = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "profile_editor_snapshots";
    std::filesystem::create_directories(folder);
    auto write = [&](char const* name) {
        pump();
        HDC const whole = ::GetWindowDC(parent.m_hWnd);
        EXPECT_TRUE(platform::gdi::write_png(whole, (folder / (std::string(name) + ".png")).string()));
        ::ReleaseDC(parent.m_hWnd, whole);
    };
    // The program's own texts, in an editor made after they are read.
    editor.reset();
    G_UiStr.load_from(std::filesystem::path(DIALOGS_RESOURCES).parent_path().string() + "/", "0409");
    editor = std::make_unique<CProfileEditorDlg>(&parent);
    ASSERT_TRUE(editor->Create(CProfileEditorDlg::IDD, &parent));
    add("Home", "4");
    type(sys(), CPageSystemConfigDlg::IDC_SSID, "HomeNet 5G");
    write("system-configuration");
    tab(TAB_BUTTON_AUTH);
    command(auth(), auth_command(kAuthWpa2Psk));
    type(auth(), CPageAuthEncryDlg::IDC_PSK, "1234567");
    write("authentication");
    ok();
    CInfoWnd* const hint = auth().m_editPsk.info_window();
    ASSERT_TRUE(hint && ::IsWindowVisible(hint->m_hWnd));
    HDC const dc = ::GetWindowDC(hint->m_hWnd);
    EXPECT_TRUE(platform::gdi::write_png(dc, (folder / "key-hint.png").string()));
    ::ReleaseDC(hint->m_hWnd, dc);
}
