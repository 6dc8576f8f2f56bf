// The authentication tab's rules without a window: the menus chosen and their greying, a mode
// or cipher chosen, the page shown, a preset, and the key check, each as a table of cases.
#include "station/profiles/AuthEncryModel.h"

#include <gtest/gtest.h>

#include <string>

using namespace station::profiles;

namespace {

AuthEncryContext os(int code)
{
    AuthEncryContext ctx;
    ctx.win_os = code;
    return ctx;
}

// Items of the widest menu, in the greying tables' order; 'E' enabled, 'G' greyed.
std::string auth_items(AuthEncryContext const& ctx, int network_type)
{
    std::array<bool, kAuthItems> enabled;
    enabled.fill(true);
    grey_auth_menu(ctx, network_type, enabled);
    std::string out;
    for (bool on : enabled)
        out += on ? 'E' : 'G';
    return out;
}

std::string cipher_items(AuthEncryContext const& ctx, int mode, int network_type)
{
    std::array<bool, kCipherItems> enabled;
    enabled.fill(true);
    grey_cipher_menu(ctx, mode, network_type, enabled);
    std::string out;
    for (bool on : enabled)
        out += on ? 'E' : 'G';
    return out;
}

}

TEST(AuthEncryModel, MenuChosenBySystemOptionAndAdapter)
{
    struct Case {
        int win_os;
        bool support_wapi;
        int check;
        std::uint32_t adapter;
        int auth;
        int cipher;
    };
    Case const cases[] = {
        { 12, true, 1, 7, 249, 252 },
        { 8, true, 1, 7, 179, 252 },
        { 12, false, 1, 7, 246, 255 },
        { 8, false, 0, 2, 198, 199 },
        { 12, true, 0, 3, 246, 199 },
        { 12, true, 1, 3, 249, 180 }, // only reachable if the two adapter tests disagreed
    };
    for (auto const& c : cases) {
        AuthEncryContext ctx = os(c.win_os);
        ctx.support_wapi = c.support_wapi;
        ctx.check_adapter_type = c.check;
        ctx.adapter_type = c.adapter;
        EXPECT_EQ(auth_menu_id(ctx), c.auth) << c.win_os << c.support_wapi << c.adapter;
        EXPECT_EQ(cipher_menu_id(ctx), c.cipher) << c.win_os << c.support_wapi << c.adapter;
    }
}

TEST(AuthEncryModel, AuthenticationMenuGreying)
{
    struct Case {
        int win_os;
        int network_type;
        bool wpa_capable;
        bool support_wapi;
        int check;
        bool wpa2psk_xp;
        bool adhoc_aes;
        char const* items; // Open Shared WPA WPA-PSK WPA2 WPA2-PSK WPA-None CCKM WAPI-PSK WAPI-CA
    };
    Case const cases[] = {
        { 12, 1, true, true, 1, false, false, "EEEEEEEEEE" },
        { 12, 1, true, false, 1, false, false, "EEEEEEEEGG" },
        { 12, 1, true, true, 0, false, false, "EEEEEEEEGG" },
        { 12, 0, true, true, 1, false, false, "EGGGGGEGGG" },
        { 12, 0, true, true, 1, false, true, "EGGGGEEGGG" },
        { 12, 1, false, true, 1, false, false, "EEGGGGGEEE" },
        { 5, 1, true, false, 0, false, false, "EEEEGGGEEG" },
        { 7, 1, true, true, 1, false, false, "EEEEEEGEEE" },
        { 8, 0, true, true, 1, false, false, "EGGGGGEEEG" },
        { 8, 0, true, false, 0, true, false, "EGGGGEEEEG" },
        { 8, 1, false, true, 1, false, false, "EEGGGGGEEE" },
        { 12, 0, true, false, 0, true, false, "EGGGGGEGGG" }, // the older systems' option is not read
        { 8, 0, true, false, 0, false, true, "EGGGGGEEEG" },  // nor the library's answer on them
    };
    for (auto const& c : cases) {
        AuthEncryContext ctx = os(c.win_os);
        ctx.wpa_capable = c.wpa_capable;
        ctx.support_wapi = c.support_wapi;
        ctx.check_adapter_type = c.check;
        ctx.wpa2psk_for_adhoc_xp = c.wpa2psk_xp;
        ctx.adhoc_wpa2_aes = c.adhoc_aes;
        EXPECT_EQ(auth_items(ctx, c.network_type), c.items)
            << "os " << c.win_os << " net " << c.network_type << " wpa " << c.wpa_capable << " wapi " << c.support_wapi;
    }
}

TEST(AuthEncryModel, CipherMenuPerMode)
{
    struct Case {
        int win_os;
        int mode;
        int network_type;
        bool no_wep;
        bool no_tkip;
        char const* items; // None WEP TKIP AES SMS4 TKIP(MFP) AES(MFP)
    };
    Case const cases[] = {
        { 12, kAuthOpen, 1, false, false, "EEGGGGG" },
        { 12, kAuthShared, 1, false, false, "GEGGGGG" },
        { 12, kAuthWpa2, 1, false, false, "GGEEGEE" },
        { 12, kAuthWpaPsk, 1, false, false, "GGEEGGG" },
        { 12, kAuthWpa2Psk, 0, false, false, "GGGEGGG" },
        { 12, kAuthWapiPsk, 1, false, false, "GGGGEGG" },
        { 12, kAuthCckm, 1, false, false, "GEEEGGG" },
        { 12, kAuthCcx, 1, false, false, "EGGGGGG" },
        { 12, kAuthOpen, 0, true, true, "EEGGGGG" }, // the options count on older systems only
        { 8, kAuthOpen, 0, true, false, "EGGGGGG" },
        { 8, kAuthOpen, 1, true, false, "EEGGGGG" },
        { 8, kAuthShared, 0, false, false, "GEGGGGG" },
        { 8, kAuthWpa2, 1, false, false, "GGEEGEE" },
        { 8, kAuthWpaNone, 0, false, true, "GGGEGGG" },
        { 8, kAuthWpaNone, 0, false, false, "GGEEGGG" },
        { 8, kAuthWpa2Psk, 0, false, false, "GGGEGGG" },
        { 8, kAuthWpaPsk, 1, false, true, "GGEEGGG" },
        { 8, kAuthWapiCa, 1, false, false, "GGGGEGG" },
        { 8, kAuthCckm, 1, false, false, "EEEEEEE" }, // no row: the items keep their state
    };
    for (auto const& c : cases) {
        AuthEncryContext ctx = os(c.win_os);
        ctx.prohibit_wep_on_ht = c.no_wep;
        ctx.prohibit_tkip_on_ht = c.no_tkip;
        EXPECT_EQ(cipher_items(ctx, c.mode, c.network_type), c.items) << "os " << c.win_os << " mode " << c.mode << " net " << c.network_type;
    }
}

namespace {

// The state a case starts from and what it ends with.
struct Before {
    int win_os;
    int network_type;
    int auth;
    int cipher;
    int b8021x;
    int eap_method;
};
struct After {
    int auth;
    int cipher;
    int b8021x;
    int tab_8021x; // -1 left as it was
    int tab_wapi;
    int eap_method;
};

AuthEncryModel model_of(Before const& b)
{
    AuthEncryModel m(os(b.win_os));
    m.state.network_type = b.network_type;
    m.state.auth = b.auth;
    m.state.cipher = b.cipher;
    m.state.b8021x = b.b8021x;
    m.editor.in_profile_editor = true;
    m.editor.sysconfig_network_type = b.network_type;
    m.editor.eap_method = b.eap_method;
    return m;
}

void expect_after(AuthEncryModel const& m, After const& a, std::string const& what)
{
    EXPECT_EQ(m.state.auth, a.auth) << what;
    EXPECT_EQ(m.state.cipher, a.cipher) << what;
    EXPECT_EQ(m.state.b8021x, a.b8021x) << what;
    EXPECT_EQ(m.editor.tab_8021x ? int(*m.editor.tab_8021x) : -1, a.tab_8021x) << what;
    EXPECT_EQ(m.editor.tab_wapi ? int(*m.editor.tab_wapi) : -1, a.tab_wapi) << what;
    EXPECT_EQ(m.editor.eap_method, a.eap_method) << what;
}

}

TEST(AuthEncryModel, ModeChosen)
{
    struct Case {
        Before before;
        int mode;
        After after;
    };
    Case const cases[] = {
        // WPA from a stale menu in ad hoc on code 12 ends as Open.
        { { 12, 0, kAuthOpen, kCipherNone, 0, 0 }, kAuthWpa, { kAuthOpen, kCipherNone, 0, 0, 0, 0 } },
        // WPA with MD5-Challenge on the 802.1X tab switches it to PEAP.
        { { 12, 1, kAuthOpen, kCipherNone, 0, 4 }, kAuthWpa, { kAuthWpa, kCipherTkip, 1, 1, 0, 0 } },
        { { 12, 1, kAuthOpen, kCipherWep, 0, 0 }, kAuthWpa2, { kAuthWpa2, kCipherTkip, 1, 1, 0, 0 } },
        { { 12, 1, kAuthWpa, kCipherAes, 1, 0 }, kAuthWpa2Psk, { kAuthWpa2Psk, kCipherAes, 0, 0, 0, 0 } },
        { { 12, 1, kAuthWpa2Psk, kCipherAes, 0, 0 }, kAuthShared, { kAuthShared, kCipherWep, 0, 0, 0, 0 } },
        { { 12, 1, kAuthWpa2Psk, kCipherAes, 0, 0 }, kAuthOpen, { kAuthOpen, kCipherNone, 0, 0, 0, 0 } },
        { { 12, 1, kAuthOpen, kCipherNone, 0, 0 }, kAuthWapiCa, { kAuthWapiCa, kCipherSms4, 0, 0, 1, 0 } },
        { { 12, 1, kAuthOpen, kCipherNone, 0, 0 }, kAuthWapiPsk, { kAuthWapiPsk, kCipherSms4, 0, 0, 0, 0 } },
        { { 12, 1, kAuthOpen, kCipherNone, 0, 0 }, kAuthCckm, { kAuthCckm, kCipherWep, 1, 1, 0, 0 } },
        { { 12, 0, kAuthOpen, kCipherNone, 0, 0 }, kAuthWpa2Psk, { kAuthWpa2Psk, kCipherAes, 0, 0, 0, 0 } },
        { { 8, 0, kAuthOpen, kCipherNone, 0, 0 }, kAuthWpaNone, { kAuthWpaNone, kCipherTkip, 0, 0, 0, 0 } },
        { { 8, 0, kAuthOpen, kCipherNone, 0, 0 }, kAuthWpa2Psk, { kAuthWpa2Psk, kCipherAes, 0, 0, 0, 0 } },
        { { 8, 1, kAuthOpen, kCipherWep, 0, 0 }, kAuthWpa2, { kAuthWpa2, kCipherWep, 1, 1, 0, 0 } }, // older WPA2 keeps its cipher
        { { 8, 1, kAuthOpen, kCipherNone, 0, 0 }, kAuthWpaPsk, { kAuthWpaPsk, kCipherTkip, 0, 0, 0, 0 } },
        { { 8, 1, kAuthWpa, kCipherTkip, 1, 0 }, kAuthOpen, { kAuthOpen, kCipherNone, 0, 0, 0, 0 } },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto const& c = cases[i];
        AuthEncryModel m = model_of(c.before);
        m.choose_mode(c.mode);
        expect_after(m, c.after, "case " + std::to_string(i));
    }
}

TEST(AuthEncryModel, PageShown)
{
    struct Case {
        Before before;
        bool wpa2psk_xp;
        After after;
        bool box_shown;
    };
    Case const cases[] = {
        { { 12, 0, kAuthShared, kCipherWep, 0, 0 }, false, { kAuthOpen, kCipherNone, 0, 0, 0, 0 }, false },
        { { 12, 0, kAuthWpa2Psk, kCipherTkip, 0, 0 }, false, { kAuthWpa2Psk, kCipherAes, 0, 0, -1, 0 }, false },
        { { 12, 1, kAuthOpen, kCipherWep, 1, 0 }, false, { kAuthOpen, kCipherWep, 1, -1, -1, 0 }, true },
        { { 12, 1, kAuthWpa2, kCipherAes, 1, 0 }, false, { kAuthWpa2, kCipherAes, 1, -1, -1, 0 }, false },
        { { 8, 0, kAuthWpa2Psk, kCipherAes, 0, 0 }, false, { kAuthOpen, kCipherNone, 0, 0, 0, 0 }, false },
        { { 8, 0, kAuthWpa2Psk, kCipherTkip, 0, 0 }, true, { kAuthWpa2Psk, kCipherAes, 0, 0, 0, 0 }, false },
        { { 8, 0, kAuthWpaNone, kCipherTkip, 0, 0 }, false, { kAuthWpaNone, kCipherTkip, 0, 0, 0, 0 }, false },
        { { 8, 1, kAuthWpaNone, kCipherTkip, 0, 0 }, false, { kAuthOpen, kCipherNone, 0, 0, 0, 0 }, false },
        { { 8, 0, kAuthWapiPsk, kCipherAes, 0, 0 }, false, { kAuthWapiPsk, kCipherSms4, 0, 0, 0, 0 }, false },
        { { 8, 1, kAuthWpa, kCipherTkip, 1, 4 }, false, { kAuthWpa, kCipherTkip, 1, 1, 0, 4 }, false },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto const& c = cases[i];
        AuthEncryModel m = model_of(c.before);
        m.ctx.wpa2psk_for_adhoc_xp = c.wpa2psk_xp;
        m.on_show_window();
        expect_after(m, c.after, "case " + std::to_string(i));
        EXPECT_EQ(m.state.box_shown, c.box_shown) << "case " << i;
    }
}

TEST(AuthEncryModel, OpenWithWepAnd8021XKeepsKeysOnlyForMd5WhenShown)
{
    for (int eap : { 0, 4 }) {
        AuthEncryModel m = model_of({ 8, 1, kAuthOpen, kCipherWep, 1, eap });
        m.on_show_window();
        EXPECT_EQ(m.state.key_enabled[0], eap == 4) << eap;
        EXPECT_TRUE(m.state.box_shown);
    }
}

TEST(AuthEncryModel, Preset)
{
    struct Case {
        int win_os;
        int wpa;
        char const* encryption;
        int security;
        int auth;
        int cipher;
        int b8021x;
    };
    Case const cases[] = {
        { 5, 4, "TKIPAES", 1, kAuthWpa, kCipherAes, 1 },
        { 12, 4, "TKIPAES", 1, kAuthWpa2, kCipherAes, 1 },
        { 12, 0, "", 0, kAuthOpen, kCipherNone, 0 },
        { 12, 9, "", 1, kAuthOpen, kCipherWep, 0 },
        { 12, 0, "", 1, kAuthOpen, kCipherWep, 0 },
        { 12, 5, "AES", 1, kAuthWpa2Psk, kCipherAes, 0 },
        { 5, 5, "AES", 1, kAuthWpaPsk, kCipherAes, 0 },
        { 12, 2, "TKIP", 1, kAuthWpaPsk, kCipherTkip, 0 },
        { 12, 6, "SMS4", 1, kAuthWapiPsk, kCipherSms4, 0 },
        { 12, 7, "SMS4", 1, kAuthWapiCa, kCipherSms4, 0 },
        { 12, 8, "TKIP", 1, kAuthCckm, kCipherTkip, 1 },
        { 8, 3, "TKIP", 1, kAuthWpaNone, kCipherTkip, 0 },
    };
    for (auto const& c : cases) {
        AuthEncryModel m(os(c.win_os));
        m.state.network_type = 1;
        m.editor.in_profile_editor = true;
        m.state.auth = kAuthWpa2Psk; // stale values of an earlier use
        m.state.wep_key_type = { 1, 1, 1, 1 };
        m.state.psk_key = "left over";
        m.preset(c.wpa, c.encryption, c.security, "TKIP", "SMS4");
        EXPECT_EQ(m.state.auth, c.auth) << c.win_os << " " << c.wpa;
        EXPECT_EQ(m.state.cipher, c.cipher) << c.win_os << " " << c.wpa;
        EXPECT_EQ(m.state.b8021x, c.b8021x) << c.win_os << " " << c.wpa;
        EXPECT_EQ(m.state.wep_key_type, (std::array<int, 4> {})) << c.wpa;
        EXPECT_EQ(m.state.psk_key_type, 1);
        EXPECT_EQ(m.state.psk_key, "");
    }
}

TEST(AuthEncryModel, NewerSystemsKeepOnlyTheDefaultKey)
{
    AuthEncryModel m = model_of({ 12, 1, kAuthOpen, kCipherWep, 0, 0 });
    m.state.wep_key = { "1111111111", "2222222222", "3333333333", "4444444444" };
    m.state.default_key = 2;
    m.on_default_key_clicked();
    EXPECT_EQ(m.state.wep_key, (std::array<std::string, 4> { "", "", "3333333333", "" }));
    EXPECT_EQ(m.state.key_enabled, (std::array<bool, 4> { false, false, true, false }));

    AuthEncryModel older = model_of({ 8, 1, kAuthOpen, kCipherWep, 0, 0 });
    older.state.wep_key = { "1111111111", "2222222222", "3333333333", "4444444444" };
    older.state.default_key = 2;
    older.on_default_key_clicked();
    EXPECT_EQ(older.state.wep_key[0], "1111111111");
}

TEST(AuthEncryModel, AdHocWepOnNewerSystemsUsesKeyOne)
{
    AuthEncryModel m = model_of({ 12, 0, kAuthOpen, kCipherNone, 0, 0 });
    m.state.default_key = 3;
    m.enable_wep_keys(true);
    EXPECT_EQ(m.state.default_key, 0);
    EXPECT_EQ(m.state.radio_enabled, (std::array<bool, 4> { true, false, false, false }));
}

TEST(AuthEncryModel, KeyCheck)
{
    std::string const hex26 = "0123456789abcdefABCDEF0123";
    std::string const psk64(64, 'a');
    std::string const psk64g = std::string(63, 'a') + "g";
    struct Case {
        int win_os;
        int auth;
        int cipher;
        int b8021x;
        int eap;
        int default_key;
        std::array<int, 4> types;
        std::array<std::string, 4> keys;
        int psk_type;
        std::string psk;
        bool ok;
        int edit;
        std::string CUISTR::* message;
        int limit;
        bool click;
    };
    std::string CUISTR::* const hex = &CUISTR::IDS_MSGHEXWEPKEYINVALID;
    std::string CUISTR::* const ascii = &CUISTR::IDS_MSGASCIIWEPKEYINVALID;
    Case const cases[] = {
        { 12, kAuthShared, kCipherWep, 0, 0, 0, {}, { "12345" }, 1, "", false, 1, hex, 26, true },
        { 12, kAuthShared, kCipherWep, 0, 0, 0, {}, { hex26 }, 1, "", true, 0, nullptr, 0, true },
        { 12, kAuthShared, kCipherWep, 0, 0, 0, {}, { "012345678g" }, 1, "", false, 1, hex, 26, true },
        { 12, kAuthShared, kCipherWep, 0, 0, 0, { 1 }, { "abcd" }, 1, "", false, 1, ascii, 13, true },
        { 8, kAuthOpen, kCipherWep, 0, 0, 2, { 0, 0, 0, 1 }, { "0123456789", "", "", "abcde" }, 1, "", false, 3, hex, 26, true },
        { 8, kAuthOpen, kCipherWep, 0, 0, 0, { 1, 0, 1, 1 }, { "abcdefghijklm", "", "abcde", "xyz" }, 1, "", false, 4, ascii, 13, true },
        { 8, kAuthOpen, kCipherWep, 0, 0, 0, { 1, 0, 1, 0 }, { "abcdefghijklm", "", "abcde", "" }, 1, "", true, 0, nullptr, 0, true },
        { 12, kAuthOpen, kCipherWep, 1, 0, 0, {}, { "bad" }, 1, "", true, 0, nullptr, 0, false },
        { 12, kAuthOpen, kCipherWep, 1, 4, 0, {}, { "bad" }, 1, "", false, 1, hex, 26, true },
        { 12, kAuthOpen, kCipherNone, 0, 0, 0, {}, { "bad" }, 1, "", true, 0, nullptr, 0, false },
        { 12, kAuthWpaPsk, kCipherTkip, 0, 0, 0, {}, {}, 1, "1234567", false, 0, &CUISTR::IDS_MSGPSKKEYINVALID, 0, true },
        { 12, kAuthWpa2Psk, kCipherAes, 0, 0, 0, {}, {}, 1, psk64g, false, 0, &CUISTR::IDS_MSGWPA2PSKKEYINVALID, 0, true },
        { 12, kAuthWpa2Psk, kCipherAes, 0, 0, 0, {}, {}, 1, psk64, true, 0, nullptr, 0, true },
        { 8, kAuthWpaNone, kCipherTkip, 0, 0, 0, {}, {}, 1, std::string(63, 'g'), true, 0, nullptr, 0, true },
        { 8, kAuthWpaNone, kCipherTkip, 0, 0, 0, {}, {}, 1, "short", false, 0, &CUISTR::IDS_MSGWPANONEKEYINVALID, 0, true },
        { 12, kAuthWapiPsk, kCipherSms4, 0, 0, 0, {}, {}, 0, "123456789", false, 0, &CUISTR::IDS_MSGHEXWAPIPSKKEYINVALID, 0, true },
        { 12, kAuthWapiPsk, kCipherSms4, 0, 0, 0, {}, {}, 0, "12345678zz", false, 0, &CUISTR::IDS_MSGHEXWAPIPSKKEYINVALID, 0, true },
        { 12, kAuthWapiPsk, kCipherSms4, 0, 0, 0, {}, {}, 0, "12345678ab", true, 0, nullptr, 0, true },
        { 12, kAuthWapiPsk, kCipherSms4, 0, 0, 0, {}, {}, 1, "12345678zz", true, 0, nullptr, 0, true },
        { 12, kAuthWapiPsk, kCipherSms4, 0, 0, 0, {}, {}, 1, "1234567", false, 0, &CUISTR::IDS_MSGWAPIPSKKEYINVALID, 0, true },
        { 12, kAuthWpa2, kCipherAes, 1, 0, 0, {}, {}, 1, "", true, 0, nullptr, 0, false },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto const& c = cases[i];
        AuthEncryModel m = model_of({ c.win_os, 1, c.auth, c.cipher, c.b8021x, c.eap });
        m.state.default_key = c.default_key;
        m.state.wep_key_type = c.types;
        m.state.wep_key = c.keys;
        m.state.psk_key_type = c.psk_type;
        m.state.psk_key = c.psk;
        KeyCheck const r = validate_keys(m);
        EXPECT_EQ(r.ok, c.ok) << "case " << i;
        EXPECT_EQ(r.edit, c.edit) << "case " << i;
        EXPECT_EQ(r.message, c.message) << "case " << i;
        EXPECT_EQ(r.limit, c.limit) << "case " << i;
        EXPECT_EQ(m.editor.own_tab_clicked, c.click) << "case " << i;
    }
}

TEST(AuthEncryModel, KeyCheckOnNewerSystemsExaminesTheDefaultKeyAlone)
{
    AuthEncryModel m = model_of({ 12, 1, kAuthOpen, kCipherWep, 0, 0 });
    m.state.default_key = 2;
    m.state.wep_key = { "bad", "bad", "0123456789", "bad" };
    EXPECT_TRUE(validate_keys(m).ok);
    EXPECT_EQ(m.state.wep_key, (std::array<std::string, 4> { "", "", "0123456789", "" }));
}
