// The security dialog opened from the configuration tab, and the access control tab: what each
// offers and refuses, and the bytes Apply hands the library.
#include "ConfigFixture.h"

#include "accesspoint/pages/AuthSecuDlg.h"
#include "accesspoint/pages/PageTexts.h"

using namespace hotvane;
using SD = CAuthSecuDlg;
using AC = CAccessControlPage;

namespace {

std::string text(HWND hwnd)
{
    char buffer[256] {};
    ::GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

}

// [SECTION] Security dialog

class SecurityTest : public ConfigTest {
protected:
    // Opens the dialog from the page, runs `script` in it, and answers whether it ended with OK.
    bool run_dialog(std::function<void(HWND)> const& script)
    {
        bool ok = false;
        dialog_script = [&](HWND dialog) {
            dialog_script = nullptr;
            script(dialog);
            if (::IsWindow(dialog) && ::IsWindowVisible(dialog))
                ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        };
        ApSecurity const before = config().m_security;
        click(item(config(), CConfigPage::IDC_SECURITY));
        ok = std::memcmp(&before, &config().m_security, sizeof before) != 0;
        return ok;
    }

    static void press_ok(HWND dialog)
    {
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        pump();
    }

    void open() { open_sheet(); }
};

TEST_F(SecurityTest, ListsFollowTheProhibitSwitches)
{
    G_VxApApi.ProhibitWEPonHT = 1;
    G_VxApApi.ProhibitTKIPonHT = 1;
    open();
    std::vector<std::string> auth, enc;
    run_dialog([&](HWND d) {
        auth = entries(item(d, SD::IDC_AUTH));
        enc = entries(item(d, SD::IDC_ENCRYPTION));
    });
    EXPECT_EQ(auth, (std::vector<std::string> { G_UiStr.IDS_OPENSYSTEM, G_UiStr.IDS_WPAPSK, G_UiStr.IDS_WPA2PSK,
                        G_UiStr.IDS_WPAPSK_WPA2PSK }));
    EXPECT_EQ(enc, (std::vector<std::string> { G_UiStr.IDS_NOTUSE }));
}

TEST_F(SecurityTest, PreSharedKeyRule)
{
    struct Case {
        std::string key;
        bool ok;
    } const cases[] = {
        { "1234567", false },
        { "12345678", true },
        { std::string(62, 'a') + "G", true },
        { std::string(63, 'a') + "G", false },
        { std::string(64, 'F'), true },
    };
    open();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.key);
        platform::framework::message_box_log().clear();
        bool const ok = run_dialog([&](HWND d) {
            choose(item(d, SD::IDC_AUTH), G_UiStr.IDS_WPA2PSK);
            choose(item(d, SD::IDC_ENCRYPTION), G_UiStr.IDS_AES);
            type(item(d, SD::IDC_PSK), c.key);
            press_ok(d);
        });
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(boxes(), c.ok ? std::vector<std::string> {} : std::vector<std::string> { G_UiStr.IDS_MSGPSKKEYINVALID });
        if (ok) {
            EXPECT_EQ(config().m_security.AuthenMode, AP_AUTH_WPA2_PSK);
            EXPECT_EQ(PskText(config().m_security), c.key);
        }
        config().m_security.AuthenMode = 0; // the next run changes the block again
    }
}

TEST_F(SecurityTest, RekeyIntervalBlocksOkAndListChanges)
{
    struct Case {
        const char* rekey;
        bool ok;
    } const cases[] = { { "2", false }, { "", false }, { "67108864", false }, { "3", true }, { "67108863", true } };
    open();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.rekey);
        platform::framework::message_box_log().clear();
        std::string enc_after;
        bool const ok = run_dialog([&](HWND d) {
            type(item(d, SD::IDC_REKEY), c.rekey);
            choose(item(d, SD::IDC_AUTH), G_UiStr.IDS_WPAPSK);
            enc_after = selected(item(d, SD::IDC_ENCRYPTION));
            type(item(d, SD::IDC_PSK), "passphrase");
            press_ok(d);
        });
        EXPECT_EQ(ok, c.ok);
        if (!c.ok) {
            EXPECT_EQ(boxes(), (std::vector<std::string> { G_UiStr.IDS_GROUPREKEY_ERR, G_UiStr.IDS_GROUPREKEY_ERR }));
            EXPECT_EQ(enc_after, G_UiStr.IDS_NOTUSE) << "the encryption list was not refilled";
        } else {
            EXPECT_EQ(config().m_security.nRekeyInterval, std::strtoul(c.rekey, nullptr, 10));
        }
        config().m_security = ApSecurity {};
        config().m_security.EncryStatus = AP_ENC_NONE;
        config().m_security.nRekeyInterval = 60;
    }
}

TEST_F(SecurityTest, WepKeysCheckedAndClearedForPsk)
{
    open();
    bool ok = run_dialog([&](HWND d) {
        choose(item(d, SD::IDC_AUTH), G_UiStr.IDS_SHARED);
        click(item(d, SD::IDC_KEY1));
        type(item(d, SD::IDC_WEP3), "0123456789");
        press_ok(d);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(boxes(), (std::vector<std::string> { FillOneValue(G_UiStr.IDS_MSGHEXWEPKEYINVALID, "1") }));

    ok = run_dialog([&](HWND d) {
        choose(item(d, SD::IDC_AUTH), G_UiStr.IDS_SHARED);
        click(item(d, SD::IDC_KEY3));
        type(item(d, SD::IDC_WEP3), "0123456789");
        press_ok(d);
    });
    ASSERT_TRUE(ok) << testing::PrintToString(boxes());
    EXPECT_EQ(WepKeyText(config().m_security, 2), "0123456789");
    EXPECT_EQ(config().m_security.nDefaultKeyId, 2u);

    ok = run_dialog([&](HWND d) {
        choose(item(d, SD::IDC_AUTH), G_UiStr.IDS_WPAPSK);
        type(item(d, SD::IDC_PSK), "passphrase");
        press_ok(d);
    });
    ASSERT_TRUE(ok);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(WepKeyText(config().m_security, i), "") << i;
}

TEST_F(SecurityTest, EncryptionListsByAuthentication)
{
    open();
    std::vector<std::string> mixed, wpa2;
    run_dialog([&](HWND d) {
        choose(item(d, SD::IDC_AUTH), G_UiStr.IDS_WPAPSK_WPA2PSK);
        mixed = entries(item(d, SD::IDC_ENCRYPTION));
        choose(item(d, SD::IDC_AUTH), G_UiStr.IDS_WPA2PSK);
        wpa2 = entries(item(d, SD::IDC_ENCRYPTION));
    });
    EXPECT_EQ(mixed, (std::vector<std::string> { G_UiStr.IDS_TKIP, G_UiStr.IDS_AES }));
    EXPECT_EQ(wpa2, (std::vector<std::string> { G_UiStr.IDS_TKIP, G_UiStr.IDS_AES, G_UiStr.IDS_BOTH }));
}

TEST_F(SecurityTest, StoredCodeNotOfferedSelectsTheFirstEntryAndFormatsStaySafe)
{
    G_UiStr.IDS_KEY_LENGTH_DESCRIPTION_HEX = "%s %n %x";
    open();
    config().m_security.AuthenMode = 3;
    std::string auth, hint;
    run_dialog([&](HWND d) {
        auth = selected(item(d, SD::IDC_AUTH));
        hint = text(item(d, SD::IDC_HINT));
    });
    EXPECT_EQ(auth, G_UiStr.IDS_OPENSYSTEM);
    EXPECT_EQ(hint, "\n %n %x");
}

// [SECTION] Access control

class AccessControlTest : public ConfigTest {
protected:
    CAccessControlPage& acl() { return sheet->m_pageAccessControl; }

    void open_acl()
    {
        open_sheet();
        sheet->SetActivePage(&sheet->m_pageAccessControl);
        pump();
    }

    void add(std::string const& digits)
    {
        type(item(acl(), AC::IDC_ENTRY), digits);
        click(item(acl(), AC::IDC_ADD));
    }

    static void store_list(std::string const& text, int policy)
    {
        G_VxApApi.VXAP_WriteAccessPolicy(policy);
        G_VxApApi.VXAP_WriteAccessList(text.data(), static_cast<int>(text.size()));
    }
};

TEST_F(AccessControlTest, AddUpTo32AndRefusals)
{
    open_acl();
    choose(item(acl(), AC::IDC_POLICY), G_UiStr.IDS_REJECTALL);
    for (int i = 0; i < 32; ++i) {
        char digits[13] {};
        std::snprintf(digits, sizeof digits, "0000000000%02X", i * 2);
        add(digits);
        EXPECT_EQ(enabled(item(acl(), AC::IDC_ADD)), i < 31) << i;
    }
    EXPECT_EQ(acl().m_list.GetCount(), 32);
    acl().m_list.SetCurSel(0);
    click(item(acl(), AC::IDC_DELETE));
    EXPECT_TRUE(enabled(item(acl(), AC::IDC_ADD)));
    add("0000000000F0");
    EXPECT_FALSE(enabled(item(acl(), AC::IDC_ADD)));
    click(item(acl(), AC::IDC_REMOVE_ALL));
    EXPECT_TRUE(enabled(item(acl(), AC::IDC_ADD)));

    add("00112233445a");
    struct Case {
        const char* digits;
        std::string const& message;
    } const cases[] = {
        { "011122334455", G_UiStr.IDS_NOTACCEPTB },
        { "001A2B3C4D5E", G_UiStr.IDS_NOTOWNADDR },
        { "00112233445A", G_UiStr.IDS_DUPLIMAC },
        { "0011", G_UiStr.IDS_INVALIDMACADDR },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.digits);
        platform::framework::message_box_log().clear();
        add(c.digits);
        EXPECT_EQ(boxes(), (std::vector<std::string> { c.message }));
        EXPECT_EQ(acl().m_list.GetCount(), 1);
    }
}

TEST_F(AccessControlTest, ApplyWritesPolicyListAndRecord)
{
    open_acl();
    choose(item(acl(), AC::IDC_POLICY), G_UiStr.IDS_REJECTALL);
    add("001122334455");
    clear_calls();
    click(item(acl(), AC::IDC_APPLY));
    auto const policy = last_call("WriteAccessPolicy");
    auto const list = last_call("WriteAccessList");
    auto const record = last_call("Set80211ACL");
    ASSERT_TRUE(policy && list && record);
    EXPECT_EQ(word(*policy, 0), 2u);
    EXPECT_EQ(list->size(), 14u);
    EXPECT_EQ(std::string(list->begin(), list->begin() + 12), "001122334455");
    ASSERT_EQ(record->size(), 264u);
    EXPECT_EQ(word(*record, 0), 2u);
    EXPECT_EQ(word(*record, 4), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(record->begin() + 8, record->begin() + 16),
        (std::vector<std::uint8_t> { 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x00, 0x00 }));

    choose(item(acl(), AC::IDC_POLICY), G_UiStr.IDS_DISABLE);
    click(item(acl(), AC::IDC_APPLY));
    auto const text = *last_call("WriteAccessList");
    EXPECT_EQ(std::string(text.begin(), text.begin() + 12), "001122334455");
    EXPECT_EQ(word(*last_call("Set80211ACL"), 0), 0u);
    EXPECT_EQ(word(*last_call("Set80211ACL"), 4), 0u);
}

TEST_F(AccessControlTest, AllowWithAnEmptyListWarnsAndStoresPolicy0)
{
    open_acl();
    choose(item(acl(), AC::IDC_POLICY), G_UiStr.IDS_ALLOWALL);
    clear_calls();
    click(item(acl(), AC::IDC_APPLY));
    EXPECT_EQ(boxes(), (std::vector<std::string> { G_UiStr.IDS_NOACLIST }));
    EXPECT_EQ(word(*last_call("WriteAccessPolicy"), 0), 0u);
    EXPECT_EQ(last_call("WriteAccessList")->size(), 1u);
    EXPECT_EQ(selected(item(acl(), AC::IDC_POLICY)), G_UiStr.IDS_DISABLE);
    EXPECT_FALSE(enabled(item(acl(), AC::IDC_LIST)));
}

TEST_F(AccessControlTest, ModifyInPlace)
{
    open_acl();
    choose(item(acl(), AC::IDC_POLICY), G_UiStr.IDS_ALLOWALL);
    add("001122334455");
    add("001122334466");
    acl().m_list.SetCurSel(1);
    ::SendMessage(acl().m_hWnd, WM_COMMAND, MAKEWPARAM(AC::IDC_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(acl().m_list.m_hWnd));
    pump();
    EXPECT_TRUE(shown(item(acl(), AC::IDC_MODIFY_EDIT)));
    EXPECT_EQ(text(item(acl(), AC::IDC_MODIFY_EDIT)), "001122334466");
    EXPECT_FALSE(enabled(item(acl(), AC::IDC_APPLY)));

    type(item(acl(), AC::IDC_MODIFY_EDIT), "00112233zz66"); // pasted, so not filtered
    click(item(acl(), AC::IDC_MODIFY));
    EXPECT_EQ(boxes(), (std::vector<std::string> { G_UiStr.IDS_INVALIDMACADDR }));
    EXPECT_EQ(acl().Entries()[1], "00-11-22-33-44-66");

    type(item(acl(), AC::IDC_MODIFY_EDIT), "001122334477");
    click(item(acl(), AC::IDC_MODIFY));
    EXPECT_EQ(acl().Entries(), (std::vector<std::string> { "00-11-22-33-44-55", "00-11-22-33-44-77" }));
    EXPECT_FALSE(shown(item(acl(), AC::IDC_MODIFY_EDIT)));
    EXPECT_TRUE(enabled(item(acl(), AC::IDC_APPLY)));

    acl().m_list.SetCurSel(0);
    ::SendMessage(acl().m_hWnd, WM_COMMAND, MAKEWPARAM(AC::IDC_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(acl().m_list.m_hWnd));
    pump();
    ASSERT_TRUE(shown(item(acl(), AC::IDC_MODIFY)));
    sheet->SetActivePage(&sheet->m_pageConfig);
    pump();
    EXPECT_FALSE(shown(item(acl(), AC::IDC_MODIFY)));
    EXPECT_FALSE(shown(item(acl(), AC::IDC_MODIFY_EDIT)));
    EXPECT_TRUE(enabled(item(acl(), AC::IDC_APPLY)));
}

TEST_F(AccessControlTest, StoredListIsBoundedAndMalformedEntriesSkipped)
{
    std::string stored;
    for (int i = 0; i < 40; ++i) {
        char entry[14] {};
        std::snprintf(entry, sizeof entry, "0000000000%02X", i * 2);
        stored.append(entry, 13);
        if (i == 3)
            stored.append("12AB", 5);
    }
    stored.push_back('\0');
    store_list(stored, 1);
    open_acl();
    auto const listed = acl().Entries();
    ASSERT_EQ(listed.size(), 32u);
    EXPECT_EQ(listed[3], "00-00-00-00-00-06");
    EXPECT_EQ(listed[4], "00-00-00-00-00-08") << "\"12AB\" skipped";
    EXPECT_FALSE(enabled(item(acl(), AC::IDC_ADD)));
}
