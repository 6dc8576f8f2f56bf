#include "station/profiles/AuthEncryModel.h"

#include "station/core/HexText.h"

#include <algorithm>

namespace station::profiles {

namespace {

struct CommandOf {
    int code;
    int command;
};

constexpr CommandOf kModeCommands[] = {
    { kAuthOpen, 32810 }, { kAuthShared, 32811 }, { kAuthWpa, 32812 }, { kAuthWpaPsk, 32813 },
    { kAuthWpa2, 32814 }, { kAuthWpa2Psk, 32815 }, { kAuthWpaNone, 32816 }, { kAuthWapiPsk, 32817 },
    { kAuthWapiCa, 32818 }, { kAuthCckm, 32941 },
};
constexpr CommandOf kCipherCommands[] = {
    { kCipherNone, 32821 }, { kCipherWep, 32823 }, { kCipherTkip, 32824 }, { kCipherAes, 32825 },
    { kCipherSms4, 32826 }, { kCipherTkipMfp, 32944 }, { kCipherAesMfp, 32945 },
};
// Hexadecimal and ASCII items of menus 183 (pre-shared key) and 184..187 (WEP keys 1..4).
constexpr int kKeyTypeCommands[5][2] = { { 32832, 32834 }, { 32835, 32837 }, { 32840, 32841 }, { 32844, 32845 }, { 32848, 32849 } };

template<std::size_t N>
int command_of(CommandOf const (&table)[N], int code)
{
    for (auto const& row : table)
        if (row.code == code)
            return row.command;
    return 0;
}

template<std::size_t N>
std::optional<int> code_of(CommandOf const (&table)[N], int command)
{
    for (auto const& row : table)
        if (row.command == command)
            return row.code;
    return std::nullopt;
}

bool is_psk_mode(int mode) { return mode == kAuthWpaPsk || mode == kAuthWpa2Psk || mode == kAuthWpaNone; }
bool is_wpa_family(int mode) { return mode >= kAuthWpa && mode <= kAuthWpaNone; }
bool is_wapi(int mode) { return mode == kAuthWapiPsk || mode == kAuthWapiCa; }
bool is_mfp(int cipher) { return cipher == kCipherTkipMfp || cipher == kCipherAesMfp; }

using AuthRow = std::array<signed char, kAuthItems>; // 1 enable, 0 grey, -1 keep

void apply_row(AuthRow const& row, std::array<bool, kAuthItems>& enabled)
{
    for (int i = 0; i < kAuthItems; ++i)
        if (row[std::size_t(i)] >= 0)
            enabled[std::size_t(i)] = row[std::size_t(i)] == 1;
}

}

int auth_command(int mode) { return command_of(kModeCommands, mode); }
std::optional<int> auth_of_command(int command) { return code_of(kModeCommands, command); }
int cipher_command(int cipher) { return command_of(kCipherCommands, cipher); }
std::optional<int> cipher_of_command(int command) { return code_of(kCipherCommands, command); }

int key_type_command(int key, bool ascii)
{
    return key >= 0 && key <= 4 ? kKeyTypeCommands[key][ascii ? 1 : 0] : 0;
}

int auth_menu_id(AuthEncryContext const& ctx)
{
    if (ctx.wapi())
        return ctx.newer() ? 249 : 179;
    return ctx.newer() ? 246 : 198;
}

int cipher_menu_id(AuthEncryContext const& ctx)
{
    if (ctx.adapter_type <= 3)
        return ctx.wapi() ? 180 : 199;
    return ctx.wapi() ? 252 : 255;
}

// The first matching row applies; an item a row leaves out (-1) keeps its state.
void grey_auth_menu(AuthEncryContext const& ctx, int network_type, std::array<bool, kAuthItems>& enabled)
{
    bool const infra = network_type == 1;
    //                  Open Shared WPA WPA-PSK WPA2 WPA2-PSK WPA-None CCKM WAPI-PSK WAPI-CA
    if (!ctx.wpa_capable) {
        apply_row({ -1, -1, 0, 0, 0, 0, 0, -1, -1, -1 }, enabled);
    } else if (ctx.newer() && infra) {
        apply_row({ -1, 1, 1, 1, 1, 1, -1, 1, 1, 1 }, enabled);
    } else if (ctx.newer()) {
        signed char const wpa2psk = ctx.adhoc_wpa2_aes ? 1 : 0;
        apply_row({ -1, 0, 0, 0, 0, wpa2psk, 1, 0, 0, 0 }, enabled);
    } else if (infra && ctx.win_os < 6) {
        apply_row({ -1, 1, 1, 1, 0, 0, 0, -1, -1, -1 }, enabled);
    } else if (infra) {
        apply_row({ -1, 1, 1, 1, 1, 1, 0, -1, -1, -1 }, enabled);
    } else {
        signed char const wpa2psk = ctx.wpa2psk_for_adhoc_xp ? 1 : 0;
        apply_row({ -1, 0, 0, 0, 0, wpa2psk, 1, -1, -1, -1 }, enabled);
    }
    if (ctx.newer()) {
        if (!ctx.wapi())
            enabled[kItemWapiCa] = enabled[kItemWapiPsk] = false;
    } else {
        enabled[kItemWapiCa] = ctx.wapi() && infra;
    }
    enabled[kItemOpen] = true;
}

void grey_cipher_menu(AuthEncryContext const& ctx, int mode, int network_type, std::array<bool, kCipherItems>& enabled)
{
    bool const infra = network_type == 1;
    auto set = [&](bool none, bool wep, bool tkip, bool aes, bool sms4) {
        enabled[kItemNone] = none;
        enabled[kItemWep] = wep;
        enabled[kItemTkip] = tkip;
        enabled[kItemAes] = aes;
        enabled[kItemSms4] = sms4;
    };
    auto set_mfp = [&](bool on) { enabled[kItemTkipMfp] = enabled[kItemAesMfp] = on; };
    if (ctx.newer()) {
        set_mfp(mode == kAuthWpa2);
        if (mode == kAuthOpen)
            set(true, true, false, false, false);
        else if (mode == kAuthShared)
            set(false, true, false, false, false);
        else if (is_wpa_family(mode))
            set(false, false, infra, true, false);
        else if (is_wapi(mode))
            set(false, false, false, false, true);
        else if (mode == kAuthCckm)
            set(false, true, true, true, false);
        else if (mode == kAuthCcx)
            set(true, false, false, false, false);
        return;
    }
    bool const wep = !(!infra && ctx.prohibit_wep_on_ht);
    if (mode == kAuthOpen || mode == kAuthShared) {
        set(mode == kAuthOpen, wep, false, false, false);
        set_mfp(false);
    } else if (is_wpa_family(mode)) {
        bool const tkip = infra || !(ctx.prohibit_tkip_on_ht || mode == kAuthWpa2Psk);
        set(false, false, tkip, true, false);
        set_mfp(mode == kAuthWpa2);
    } else if (is_wapi(mode)) {
        set(false, false, false, false, true);
        set_mfp(false);
    }
}

AuthEncryModel::AuthEncryModel(AuthEncryContext context)
    : ctx(context)
{
}

void AuthEncryModel::reset_members()
{
    AuthEncryState fresh;
    state.auth = fresh.auth;
    state.cipher = fresh.cipher;
    state.default_key = fresh.default_key;
    state.wep_key_type = fresh.wep_key_type;
    state.psk_key_type = fresh.psk_key_type;
    state.b8021x = fresh.b8021x;
    state.show_password = fresh.show_password;
    state.psk_key.clear();
    for (auto& key : state.wep_key)
        key.clear();
}

void AuthEncryModel::choose_mode(int mode)
{
    state.auth = mode;
    on_auth_type_changed();
    if (mode == kAuthOpen || mode == kAuthShared)
        update_wep_key_state();
}

void AuthEncryModel::choose_cipher(int cipher)
{
    state.cipher = cipher;
    if (cipher == kCipherNone || cipher == kCipherWep) {
        update_8021x_check();
        update_wep_key_state();
    }
}

void AuthEncryModel::on_auth_type_changed()
{
    int const mode = state.auth;
    if (newer() && adhoc() && mode != kAuthOpen && mode != kAuthWpa2Psk)
        return choose_mode(kAuthOpen);
    int& cipher = state.cipher;
    if (mode == kAuthOpen || mode == kAuthShared) {
        if (cipher == kCipherTkip || cipher == kCipherAes || cipher == kCipherSms4 || (newer() && is_mfp(cipher)))
            cipher = kCipherNone;
        if (mode == kAuthShared && cipher == kCipherNone)
            cipher = kCipherWep;
        state.psk_enabled = false;
        update_8021x_check();
    } else {
        bool const weak = cipher == kCipherNone || cipher == kCipherWep || cipher == kCipherSms4 || is_mfp(cipher);
        if (newer() && !adhoc()) {
            if (mode == kAuthWpa2 && (cipher == kCipherNone || cipher == kCipherWep))
                cipher = kCipherTkip;
            else if (is_wapi(mode))
                cipher = kCipherSms4;
            else if (mode == kAuthCckm && (cipher == kCipherNone || is_mfp(cipher)))
                cipher = kCipherWep;
            else if (mode == kAuthCcx)
                cipher = kCipherNone;
            else if ((mode == kAuthWpa || mode == kAuthWpaPsk || mode == kAuthWpa2Psk || mode == kAuthWpaNone) && weak)
                cipher = kCipherTkip;
        } else if (newer()) {
            if (cipher == kCipherNone || cipher == kCipherWep || cipher == kCipherTkip)
                cipher = kCipherAes;
        } else if (is_wapi(mode)) {
            cipher = kCipherSms4;
        } else if (mode == kAuthWpaNone) {
            if (adhoc() && ctx.prohibit_tkip_on_ht)
                cipher = kCipherAes;
            else if (cipher != kCipherTkip && cipher != kCipherAes)
                cipher = kCipherTkip;
        } else if (mode == kAuthWpa2Psk) {
            if (adhoc())
                cipher = kCipherAes;
            else if (cipher != kCipherTkip && cipher != kCipherAes)
                cipher = kCipherTkip;
        } else if ((mode == kAuthWpa || mode == kAuthWpaPsk) && weak) {
            cipher = kCipherTkip;
        }
        enable_wep_keys(false);
        if (mode == kAuthWpa || mode == kAuthWpa2 || (newer() && (mode == kAuthCckm || mode == kAuthCcx))) {
            state.psk_enabled = false;
            state.box_shown = false;
            set_8021x(1);
            if (newer())
                editor.tab_8021x = true;
            if (editor.eap_method == kEapMd5) {
                editor.eap_method = 0;
                editor.eap_switched_to_peap = true;
            }
        } else if (mode == kAuthWapiCa) {
            state.psk_enabled = false;
            state.box_shown = false;
            set_8021x(0);
        } else if (is_psk_mode(mode) || mode == kAuthWapiPsk) {
            state.psk_enabled = true;
            state.box_shown = false;
            state.box_enabled = false;
            set_8021x(0);
            if (newer())
                editor.tab_8021x = false;
        }
    }
    apply_tab_buttons(false);
    state.psk_type_shown = state.auth == kAuthWapiPsk;
    if (adhoc())
        state.box_shown = false;
    on_show_password();
}

// Step 4 of a mode change: the editor's 802.1X (424) and WAPI (425) tab buttons.
void AuthEncryModel::apply_tab_buttons(bool keep_8021x_for_open)
{
    switch (state.auth) {
    case kAuthShared:
    case kAuthWpaPsk:
    case kAuthWpa2Psk:
    case kAuthWpaNone:
    case kAuthWapiPsk:
        editor.tab_8021x = false;
        editor.tab_wapi = false;
        break;
    case kAuthWpa:
    case kAuthWpa2:
        editor.tab_8021x = true;
        editor.tab_wapi = false;
        break;
    case kAuthWapiCa:
        editor.tab_8021x = false;
        editor.tab_wapi = true;
        break;
    default:
        editor.tab_wapi = false;
        if (!keep_8021x_for_open)
            editor.tab_8021x = state.b8021x == 1;
        break;
    }
}

void AuthEncryModel::update_8021x_check()
{
    if (state.cipher == kCipherNone) {
        enable_wep_keys(false);
        set_8021x(0);
        state.box_shown = false;
    } else if (newer()) {
        if (state.auth == kAuthOpen) {
            state.box_shown = state.box_enabled = true;
        } else if (state.auth == kAuthShared) {
            set_8021x(0);
            enable_wep_keys(true);
            state.box_shown = false;
        } else if (state.auth == kAuthCckm) {
            set_8021x(1);
            enable_wep_keys(false);
            state.box_shown = false;
        } else {
            state.box_shown = false;
        }
    } else {
        enable_wep_keys(true);
        state.box_shown = state.auth != kAuthShared;
        if (state.box_shown)
            state.box_enabled = true;
    }
    if (editor.in_profile_editor && editor.sysconfig_network_type == 0)
        state.network_type = 0;
    if (state.network_type == 0) {
        set_8021x(0);
        state.box_shown = false;
    }
}

void AuthEncryModel::update_wep_key_state()
{
    bool const wep = state.auth == kAuthShared || state.cipher == kCipherWep;
    if (state.b8021x) {
        if (wep)
            enable_wep_keys(false);
        return;
    }
    enable_wep_keys(wep);
}

void AuthEncryModel::enable_wep_keys(bool enable)
{
    state.radio_enabled.fill(enable);
    state.key_enabled.fill(enable);
    if (!newer() || !enable)
        return;
    if (adhoc()) {
        state.default_key = 0;
        state.radio_enabled = { true, false, false, false };
    }
    single_key_rule();
}

void AuthEncryModel::single_key_rule()
{
    if (!newer())
        return;
    int const chosen = std::clamp(state.default_key, 0, 3);
    for (int k = 0; k < 4; ++k) {
        state.key_enabled[std::size_t(k)] = k == chosen;
        if (k != chosen)
            state.wep_key[std::size_t(k)].clear();
    }
}

void AuthEncryModel::on_default_key_clicked() { single_key_rule(); }

void AuthEncryModel::set_8021x(int value)
{
    state.b8021x = value;
    on_8021x();
}

void AuthEncryModel::on_8021x()
{
    editor.tab_8021x = state.b8021x == 1;
    update_wep_key_state();
}

void AuthEncryModel::on_show_password()
{
    state.show_password_shown = ctx.show_password_option;
    state.password_char = ctx.show_password_option && state.show_password ? '\0' : '*';
}

void AuthEncryModel::on_show_window()
{
    if (editor.in_profile_editor) {
        if (editor.sysconfig_network_type == 1) {
            state.network_type = 1;
        } else {
            state.network_type = 0;
            set_8021x(0);
            state.box_shown = false;
        }
    }
    if (state.b8021x)
        enable_wep_keys(editor.eap_method == kEapMd5);
    int const mode = state.auth;
    if (adhoc()) {
        state.box_shown = false;
        if (mode == kAuthOpen) {
            if (ctx.prohibit_wep_on_ht)
                choose_cipher(kCipherNone);
        } else if (mode == kAuthShared) {
            choose_mode(kAuthOpen);
            choose_cipher(kCipherNone);
        } else if (mode == kAuthWpa2Psk && (newer() || ctx.wpa2psk_for_adhoc_xp)) {
            choose_cipher(kCipherAes);
        } else if (!newer() && mode == kAuthWpaNone) {
        } else if (!newer() && mode == kAuthWapiPsk) {
            choose_cipher(kCipherSms4);
        } else {
            choose_mode(kAuthOpen);
        }
    } else if (newer()) {
        state.box_shown = state.auth == kAuthOpen && state.cipher == kCipherWep;
    } else if (mode >= 2 && mode <= 9) {
        state.box_shown = false;
        if (mode == kAuthWpaNone)
            choose_mode(kAuthOpen);
    } else if (state.cipher == kCipherNone) {
        state.box_shown = false;
    }
    if (!newer()) {
        apply_tab_buttons(true);
        state.psk_type_shown = state.auth == kAuthWapiPsk;
    }
    on_show_password();
}

void AuthEncryModel::preset(int wpa, std::string const& encryption, int security, std::string const& tkip_text, std::string const& sms4_text)
{
    reset_members();
    if (security != 1) {
        choose_mode(kAuthOpen);
        choose_cipher(kCipherNone);
    } else if (wpa < 1 || wpa > 8) {
        choose_mode(kAuthOpen);
        choose_cipher(kCipherWep);
    } else {
        choose_mode(kAuthWpaNone);
        bool const wpa2 = ctx.win_os >= 6;
        constexpr int kNone = -1;
        int const modes[] = { kAuthWpa, kAuthWpaPsk, kNone, wpa2 ? kAuthWpa2 : kAuthWpa, wpa2 ? kAuthWpa2Psk : kAuthWpaPsk,
            kAuthWapiPsk, kAuthWapiCa, kAuthCckm };
        if (int const mode = modes[wpa - 1]; mode != kNone)
            choose_mode(mode);
        if (encryption == tkip_text)
            choose_cipher(kCipherTkip);
        else if (encryption == sms4_text)
            choose_cipher(kCipherSms4);
        else
            choose_cipher(kCipherAes);
    }
    on_8021x();
}

void AuthEncryModel::refresh()
{
    int const keep_8021x = state.b8021x;
    int const stored_cipher = state.cipher;
    if (state.auth != kAuthCcx && auth_command(state.auth))
        choose_mode(state.auth);
    if (cipher_command(stored_cipher))
        choose_cipher(stored_cipher);
    state.b8021x = keep_8021x;
    on_8021x();
    state.show_password = 0;
    on_show_password();
}

namespace {

bool hex_text(std::string const& text) { return IsHexString(text.c_str()); }

// Steps 2 to 6 of the key check: the first failing key names its edit and message.
KeyCheck check_wep_keys(AuthEncryState const& s)
{
    for (int k = 0; k < 4; ++k) {
        std::string const& key = s.wep_key[std::size_t(k)];
        if (key.empty() && k != s.default_key)
            continue;
        if (s.wep_key_type[std::size_t(k)] == 0) {
            if ((key.size() != 10 && key.size() != 26) || !hex_text(key))
                return { false, k + 1, &CUISTR::IDS_MSGHEXWEPKEYINVALID, 26 };
        } else if (key.size() != 5 && key.size() != 13) {
            return { false, k + 1, &CUISTR::IDS_MSGASCIIWEPKEYINVALID, 13 };
        }
    }
    return {};
}

KeyCheck check_psk(AuthEncryState const& s)
{
    std::string CUISTR::* const message = s.auth == kAuthWpaPsk ? &CUISTR::IDS_MSGPSKKEYINVALID
        : s.auth == kAuthWpa2Psk                               ? &CUISTR::IDS_MSGWPA2PSKKEYINVALID
                                                               : &CUISTR::IDS_MSGWPANONEKEYINVALID;
    std::size_t const n = s.psk_key.size();
    // The record holds 64 bytes: a longer text (only ever set from code) cannot be stored.
    bool const ok = n >= 8 && n <= 64 && (n < 64 || hex_text(s.psk_key));
    return ok ? KeyCheck {} : KeyCheck { false, 0, message, 0 };
}

KeyCheck check_wapi_psk(AuthEncryState const& s)
{
    std::size_t const n = s.psk_key.size();
    if (n < 8)
        return { false, 0, &CUISTR::IDS_MSGWAPIPSKKEYINVALID, 0 };
    if (s.psk_key_type == 1)
        return {};
    if (n % 2 != 0 || !hex_text(s.psk_key))
        return { false, 0, &CUISTR::IDS_MSGHEXWAPIPSKKEYINVALID, 0 };
    return {};
}

}

KeyCheck validate_keys(AuthEncryModel& model)
{
    AuthEncryState& s = model.state;
    EditorView& editor = model.editor;
    bool const md5 = editor.eap_method == kEapMd5;
    auto enable = [&](bool on, bool click) {
        model.enable_wep_keys(on);
        if (click)
            editor.own_tab_clicked = true;
    };
    if (s.b8021x) {
        enable(md5, md5);
    } else if (is_psk_mode(s.auth) || s.auth == kAuthWapiPsk) {
        enable(false, true);
    } else if (s.auth == kAuthWapiCa) {
        enable(false, false);
    } else if (!editor.in_profile_editor) {
        enable(true, true);
    } else {
        bool const wep = s.cipher == kCipherWep;
        enable(wep, wep);
    }
    bool const wep_keys = s.auth == kAuthShared || (s.auth == kAuthOpen && s.cipher == kCipherWep && (!s.b8021x || md5));
    if (wep_keys)
        return check_wep_keys(s);
    if (is_psk_mode(s.auth))
        return check_psk(s);
    if (s.auth == kAuthWapiPsk)
        return check_wapi_psk(s);
    return {};
}

}
