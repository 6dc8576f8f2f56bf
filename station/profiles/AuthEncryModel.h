// The rules of the authentication and encryption tab, without a window: which menus the mode
// and cipher buttons carry and which of their items are greyed, and how a chosen mode or cipher,
// the 802.1X box, the default key, the page's showing and a preset keep the mode, the cipher,
// the key fields, the 802.1X box and the editor's 802.1X and WAPI tab buttons consistent with
// each other, the network type and the system code. The page (CPageAuthEncryDlg) copies its
// controls into `AuthEncryModel::state`, runs one operation and applies the state back.
#pragma once

#include "station/core/UiStr.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace station::profiles {

// Page codes of the modes; 2 is never used, 11 has no menu item.
enum AuthMode : int {
    kAuthOpen = 0, kAuthShared = 1, kAuthWpa = 3, kAuthWpaPsk = 4, kAuthWpa2 = 5, kAuthWpa2Psk = 6,
    kAuthWpaNone = 7, kAuthWapiPsk = 8, kAuthWapiCa = 9, kAuthCckm = 10, kAuthCcx = 11,
};
// Page codes of the ciphers.
enum Cipher : int { kCipherNone = 0, kCipherWep = 1, kCipherTkip = 2, kCipherAes = 3, kCipherSms4 = 4, kCipherTkipMfp = 5, kCipherAesMfp = 6 };

// The menu commands of the modes and ciphers, and their resource menus.
int auth_command(int mode);            // 0 for a mode without a menu item
std::optional<int> auth_of_command(int command);
int cipher_command(int cipher);
std::optional<int> cipher_of_command(int command);
// Key type commands: index 0 the pre-shared key, 1..4 the WEP keys; `ascii` the ASCII item.
int key_type_command(int key, bool ascii);

// Positions of the modes in the greying tables (menu item order of the widest menu).
enum AuthItem : int { kItemOpen, kItemShared, kItemWpa, kItemWpaPsk, kItemWpa2, kItemWpa2Psk, kItemWpaNone, kItemCckm, kItemWapiPsk, kItemWapiCa, kAuthItems };
enum CipherItem : int { kItemNone, kItemWep, kItemTkip, kItemAes, kItemSms4, kItemTkipMfp, kItemAesMfp, kCipherItems };

// What the page reads of the library, the options and the adapter.
struct AuthEncryContext {
    int win_os { 12 };
    bool wpa_capable { true };
    bool support_wapi {};
    int check_adapter_type {};     // CheckAdapterType(): 0 for adapter types 0..3
    std::uint32_t adapter_type {}; // the selected adapter record's type value
    bool wpa2psk_for_adhoc_xp {};
    bool adhoc_wpa2_aes {};        // VXWL_WlanIsAdhocSupportWPA2AES
    bool prohibit_wep_on_ht {};
    bool prohibit_tkip_on_ht {};
    bool show_password_option {};

    bool newer() const { return win_os >= 10; }
    bool wapi() const { return support_wapi && check_adapter_type == 1; }
};

int auth_menu_id(AuthEncryContext const& ctx);
int cipher_menu_id(AuthEncryContext const& ctx);

// Item states before the menus open: true enabled. Items a row does not name keep their state.
void grey_auth_menu(AuthEncryContext const& ctx, int network_type, std::array<bool, kAuthItems>& enabled);
void grey_cipher_menu(AuthEncryContext const& ctx, int mode, int network_type, std::array<bool, kCipherItems>& enabled);

// The editor as the page sees it: its system configuration tab's network type (profile editor
// only) and the 802.1X tab's EAP method; and what the page did to the editor.
struct EditorView {
    bool in_profile_editor {};
    int sysconfig_network_type { 1 };
    int eap_method {};                  // 4 MD5-Challenge, 0 PEAP
    std::optional<bool> tab_8021x;      // button 424 enabled, when the page set it
    std::optional<bool> tab_wapi;       // button 425
    bool eap_switched_to_peap {};       // the 802.1X tab must run ApplyEapMethod(0)
    bool own_tab_clicked {};
};

constexpr int kEapMd5 = 4;

// The page's members and the state of its controls.
struct AuthEncryState {
    int auth { kAuthOpen };
    int cipher { kCipherNone };
    int default_key {};                  // 0..3
    std::array<int, 4> wep_key_type {};  // 0 hexadecimal, 1 ASCII
    int psk_key_type { 1 };
    int b8021x {};
    int show_password {};
    int network_type { 1 };
    std::string psk_key;
    std::array<std::string, 4> wep_key;

    // Controls.
    bool box_shown { true };             // 802.1X check box and its label
    bool box_enabled { true };
    std::array<bool, 4> radio_enabled { true, true, true, true };
    std::array<bool, 4> key_enabled { true, true, true, true }; // label, type button, edit
    bool psk_enabled { true };
    bool psk_type_shown {};
    bool show_password_shown { true };
    char password_char { '*' };
};

class AuthEncryModel {
public:
    explicit AuthEncryModel(AuthEncryContext ctx = {});

    AuthEncryContext ctx;
    AuthEncryState state;
    EditorView editor;

    // A mode or cipher command (menu choice).
    void choose_mode(int mode);
    void choose_cipher(int cipher);
    void on_auth_type_changed();
    void update_8021x_check();
    void update_wep_key_state();
    void enable_wep_keys(bool enable);
    // The single-key rule (newer systems), also the radios' click after reading the controls.
    void single_key_rule();
    void on_default_key_clicked();
    void on_8021x();
    void on_show_password();
    void on_show_window();
    void set_8021x(int value);
    void preset(int wpa, std::string const& encryption, int security, std::string const& tkip_text, std::string const& sms4_text);
    void refresh();
    void reset_members();

private:
    void set_key_controls(bool enable);
    void apply_tab_buttons(bool keep_8021x_for_open);
    bool newer() const { return ctx.newer(); }
    bool adhoc() const { return state.network_type != 1; }
};

// The key check of the editor's OK (ValidateKeys). Step 2's enabling and tab click change
// `model`; the answer names the failing edit (0 the pre-shared key, 1..4 the WEP keys), the
// string key of the message and the text limit the WEP edit gets again.
struct KeyCheck {
    bool ok { true };
    int edit {};
    std::string CUISTR::* message {};
    int limit {};
};
KeyCheck validate_keys(AuthEncryModel& model);

}
