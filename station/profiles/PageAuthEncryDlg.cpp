#include "station/profiles/PageAuthEncryDlg.h"

#include "station/controls/CInfoWnd.h"
#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EditorTabs.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"

using namespace station::profiles;

namespace {

constexpr int kMenuIcon = 159;
constexpr int kWepHexLimit = 26;
constexpr int kWepAsciiLimit = 13;
constexpr int kPskLimit = 64;
constexpr int kKeyTypeMenus[4] = { 184, 185, 186, 187 };
constexpr int kPskTypeMenu = 183;
constexpr UINT kKeyTypeCallbacks[4] = { WM_USER + 102, WM_USER + 103, WM_USER + 104, WM_USER + 105 };
constexpr UINT kPskTypeCallback = WM_USER + 107;

constexpr int kAuthItemCommands[kAuthItems] = { 32810, 32811, 32812, 32813, 32814, 32815, 32816, 32941, 32817, 32818 };
constexpr int kCipherItemCommands[kCipherItems] = { 32821, 32823, 32824, 32825, 32826, 32944, 32945 };

std::string mode_caption(int mode, int win_os)
{
    std::string const cckm = win_os < 10 ? "(CCKM capable)" : "";
    switch (mode) {
    case kAuthOpen: return G_UiStr.IDS_OPENSYSTEM;
    case kAuthShared: return G_UiStr.IDS_SHARED;
    case kAuthWpa: return G_UiStr.IDS_WPA + cckm;
    case kAuthWpaPsk: return G_UiStr.IDS_WPAPSK;
    case kAuthWpa2: return G_UiStr.IDS_WPA2 + cckm;
    case kAuthWpa2Psk: return G_UiStr.IDS_WPA2PSK;
    case kAuthWpaNone: return G_UiStr.IDS_WPANONE;
    case kAuthWapiPsk: return G_UiStr.IDS_WAPIPSK;
    case kAuthWapiCa: return G_UiStr.IDS_WAPICA;
    case kAuthCckm: return G_UiStr.IDS_CCKM;
    default: return {};
    }
}

std::string const& cipher_caption(int cipher)
{
    std::string const* const captions[] = { &G_UiStr.IDS_NONE, &G_UiStr.IDS_WEP, &G_UiStr.IDS_TKIP, &G_UiStr.IDS_AES,
        &G_UiStr.IDS_SMS4, &G_UiStr.IDS_TKIP_MFP, &G_UiStr.IDS_AES_MFP };
    return *captions[cipher >= 0 && cipher < kCipherItems ? cipher : 0];
}

template<std::size_t N>
void read_items(HMENU menu, int const (&commands)[N], std::array<bool, N>& enabled)
{
    for (std::size_t i = 0; i < N; ++i)
        enabled[i] = (GetMenuState(menu, UINT(commands[i]), MF_BYCOMMAND) & MF_GRAYED) == 0;
}

template<std::size_t N>
void write_items(HMENU menu, int const (&commands)[N], std::array<bool, N> const& enabled)
{
    for (std::size_t i = 0; i < N; ++i)
        EnableMenuItem(menu, UINT(commands[i]), MF_BYCOMMAND | (enabled[i] ? MF_ENABLED : MF_GRAYED));
}

}

BEGIN_MESSAGE_MAP(CPageAuthEncryDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
ON_MESSAGE(CPageAuthEncryDlg::WM_AUTH_MENU, OnAuthMenu)
ON_MESSAGE(CPageAuthEncryDlg::WM_CIPHER_MENU, OnCipherMenu)
END_MESSAGE_MAP()

CPageAuthEncryDlg::CPageAuthEncryDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageAuthEncryDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUTH, m_btnAuth);
    DDX_Control(pDX, IDC_CIPHER, m_btnCipher);
    DDX_Control(pDX, IDC_PSK_TYPE, m_btnPskType);
    DDX_Control(pDX, IDC_USE_8021X, m_check8021X);
    DDX_Control(pDX, IDC_SHOW_PASSWORD, m_checkShowPassword);
    DDX_Control(pDX, IDC_SEPARATOR, m_separator);
    DDX_Control(pDX, IDC_PSK, m_editPsk);
    for (int k = 0; k < 4; ++k) {
        DDX_Control(pDX, IDC_KEY1_TYPE + k, m_btnKeyType[std::size_t(k)]);
        DDX_Control(pDX, IDC_RADIO_KEY1 + k, m_radioKey[std::size_t(k)]);
        DDX_Control(pDX, kKeyEdits[k], m_editKey[std::size_t(k)]);
    }
    AuthEncryState& s = m_model.state;
    DDX_Check(pDX, IDC_SHOW_PASSWORD, s.show_password);
    DDX_Check(pDX, IDC_USE_8021X, s.b8021x);
    DDX_Radio(pDX, IDC_RADIO_KEY1, s.default_key);
    CString psk = s.psk_key.c_str();
    DDX_Text(pDX, IDC_PSK, psk);
    DDV_MaxChars(pDX, psk, kPskLimit);
    s.psk_key = psk.str();
    for (int k = 0; k < 4; ++k) {
        CString key = s.wep_key[std::size_t(k)].c_str();
        DDX_Text(pDX, kKeyEdits[k], key);
        s.wep_key[std::size_t(k)] = key.str();
    }
}

BOOL CPageAuthEncryDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    for (CSmartEdit& edit : m_editKey)
        edit.SetAcceptedClasses(CSmartEdit::kHexDigits);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    init_texts();
    init_menus();
    sync_from_world();
    apply();
    return TRUE;
}

void CPageAuthEncryDlg::init_texts()
{
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_LABEL_8021X, G_UiStr.IDS_USE8021X }, { IDC_LABEL_KEY1, G_UiStr.IDS_AUTH_KEY1 },
        { IDC_LABEL_KEY1 + 1, G_UiStr.IDS_AUTH_KEY2 }, { IDC_LABEL_KEY1 + 2, G_UiStr.IDS_AUTH_KEY3 },
        { IDC_LABEL_KEY1 + 3, G_UiStr.IDS_AUTH_KEY4 }, { IDC_SHOW_PASSWORD_LABEL, G_UiStr.IDS_SHOW_PASSWORD },
        { IDC_CAPTION_AUTH, G_UiStr.IDS_AUTHTYPE }, { IDC_CAPTION_CIPHER, G_UiStr.IDS_ENCRYP_TYPE },
        { IDC_CAPTION_PSK, G_UiStr.IDS_WPAWPAPSK }, { IDC_SEPARATOR, G_UiStr.IDS_AUTH_WEPKEY } };
    for (Label const& l : labels)
        if (CWnd* control = GetDlgItem(l.id))
            SetCtrlText(m_hWnd, control->m_hWnd, l.text);
}

void CPageAuthEncryDlg::init_menus()
{
    AuthEncryContext& ctx = m_model.ctx;
    sync_from_world();
    std::map<UINT, CString> modes;
    for (int mode = kAuthOpen; mode <= kAuthCckm; ++mode)
        if (int const command = auth_command(mode))
            modes[UINT(command)] = mode_caption(mode, ctx.win_os).c_str();
    std::map<UINT, CString> ciphers;
    for (int cipher = kCipherNone; cipher < kCipherItems; ++cipher)
        ciphers[UINT(cipher_command(cipher))] = cipher_caption(cipher).c_str();
    struct MenuButton {
        CButtonST& button;
        UINT menu;
        UINT images;
        std::map<UINT, CString> const& texts;
        UINT callback;
    };
    MenuButton const buttons[] = { { m_btnAuth, UINT(auth_menu_id(ctx)), kAuthImages, modes, WM_AUTH_MENU },
        { m_btnCipher, UINT(cipher_menu_id(ctx)), kCipherImages, ciphers, WM_CIPHER_MENU } };
    for (MenuButton const& b : buttons) {
        b.button.AssignIcons(kMenuIcon, kMenuIcon);
        b.button.ChooseImageSide(CButtonST::ImageRight, FALSE);
        b.button.ShiftColourSlot(CButtonST::BackHot, 30, FALSE);
        b.button.AttachDropMenu(b.menu, m_hWnd, 1, b.images, b.texts, 16, 16, RGB(255, 0, 255), FALSE);
        b.button.RegisterMenuNotify(m_hWnd, b.callback, 0);
    }
    std::map<UINT, CString> const psk_types = { { UINT(key_type_command(0, false)), G_UiStr.IDS_HEXA.c_str() },
        { UINT(key_type_command(0, true)), G_UiStr.IDS_ASCII.c_str() } };
    m_btnPskType.AttachDropMenu(kPskTypeMenu, m_hWnd, 1, 0, psk_types, 16, 16, RGB(255, 0, 255), FALSE);
    m_btnPskType.RegisterMenuNotify(m_hWnd, kPskTypeCallback, 0);
    for (int k = 0; k < 4; ++k) {
        std::map<UINT, CString> const types = { { UINT(key_type_command(k + 1, false)), G_UiStr.IDS_HEXA.c_str() },
            { UINT(key_type_command(k + 1, true)), G_UiStr.IDS_ASCII.c_str() } };
        m_btnKeyType[std::size_t(k)].AttachDropMenu(UINT(kKeyTypeMenus[k]), m_hWnd, 1, 0, types, 16, 16, RGB(255, 0, 255), FALSE);
        m_btnKeyType[std::size_t(k)].RegisterMenuNotify(m_hWnd, kKeyTypeCallbacks[k], 0);
    }
    m_checkShowPassword.AssignIcons(147, 148);
    m_check8021X.AssignIcons(147, 148);
    for (CButtonST& radio : m_radioKey)
        radio.AssignIcons(145, 146);
    m_checkShowPassword.EnableFrame(FALSE, FALSE);
    m_checkShowPassword.AssignColourSlot(CButtonST::TextHot, RGB(255, 0, 0), FALSE);
    m_checkShowPassword.AssignColourSlot(CButtonST::TextRest, RGB(0, 0, 0), FALSE);
}

void CPageAuthEncryDlg::sync_from_world()
{
    AuthEncryContext& ctx = m_model.ctx;
    ctx.win_os = G_VxWlLib.VXWL_GetWinOS();
    ctx.support_wapi = G_VxWlLib.bSupportWAPI != 0;
    ctx.check_adapter_type = CheckAdapterType();
    ctx.adapter_type = G_VxWlLib.adapter.AdapterKind;
    ctx.wpa2psk_for_adhoc_xp = G_VxWlLib.bWPA2PSKForAdhocXP != 0;
    ctx.prohibit_wep_on_ht = G_VxWlLib.bProhibitWEPonHT != 0;
    ctx.prohibit_tkip_on_ht = G_VxWlLib.bProhibitTKIPonHT != 0;
    ctx.show_password_option = G_VxWlLib.bShowPassword != 0;
    CEditorTabs* const editor = FindEditorOf(this);
    if (!editor)
        return;
    if (CPageSystemConfigDlg* sys = editor->system_config_tab())
        m_model.editor.sysconfig_network_type = sys->m_nNetworkType;
    if (CPage8021XDlg* tab = editor->tab_8021x())
        m_model.editor.eap_method = tab->m_nEapMethod;
}

void CPageAuthEncryDlg::ReadControls()
{
    if (m_hWnd)
        UpdateData(TRUE);
}

void CPageAuthEncryDlg::set_caption(CButtonST& button, std::string const& text)
{
    CString current;
    button.GetWindowText(current);
    if (current != text.c_str())
        button.SetWindowText(text.c_str());
}

void CPageAuthEncryDlg::apply_key_types()
{
    AuthEncryState const& s = m_model.state;
    for (int k = 0; k < 4; ++k) {
        bool const ascii = s.wep_key_type[std::size_t(k)] == 1;
        set_caption(m_btnKeyType[std::size_t(k)], ascii ? G_UiStr.IDS_ASCII : G_UiStr.IDS_HEXA);
        m_editKey[std::size_t(k)].SetAcceptedClasses(ascii ? CSmartEdit::kAllClasses : CSmartEdit::kHexDigits);
        m_editKey[std::size_t(k)].SendMessage(EM_LIMITTEXT, ascii ? kWepAsciiLimit : kWepHexLimit);
    }
    bool const ascii = s.psk_key_type == 1;
    set_caption(m_btnPskType, ascii ? G_UiStr.IDS_ASCII : G_UiStr.IDS_HEXA);
    m_editPsk.SetAcceptedClasses(ascii ? CSmartEdit::kAllClasses : CSmartEdit::kHexDigits);
    m_editPsk.SendMessage(EM_LIMITTEXT, kPskLimit);
}

void CPageAuthEncryDlg::apply()
{
    if (!m_hWnd || m_bApplying)
        return;
    m_bApplying = TRUE;
    AuthEncryState const& s = m_model.state;
    if (s.auth != kAuthCcx)
        set_caption(m_btnAuth, mode_caption(s.auth, m_model.ctx.win_os));
    set_caption(m_btnCipher, cipher_caption(s.cipher));
    apply_key_types();
    for (int k = 0; k < 4; ++k) {
        m_radioKey[std::size_t(k)].EnableWindow(s.radio_enabled[std::size_t(k)]);
        bool const on = s.key_enabled[std::size_t(k)];
        for (int id : { IDC_LABEL_KEY1 + k, IDC_KEY1_TYPE + k, kKeyEdits[k] })
            GetDlgItem(id)->EnableWindow(on);
    }
    m_editPsk.EnableWindow(s.psk_enabled);
    m_btnPskType.ShowWindow(s.psk_type_shown ? SW_SHOW : SW_HIDE);
    for (int id : { int(IDC_USE_8021X), int(IDC_LABEL_8021X) }) {
        GetDlgItem(id)->ShowWindow(s.box_shown ? SW_SHOW : SW_HIDE);
        GetDlgItem(id)->EnableWindow(s.box_enabled);
    }
    for (int id : { int(IDC_SHOW_PASSWORD), int(IDC_SHOW_PASSWORD_LABEL) })
        GetDlgItem(id)->ShowWindow(s.show_password_shown ? SW_SHOW : SW_HIDE);
    m_editPsk.SendMessage(EM_SETPASSWORDCHAR, WPARAM(BYTE(s.password_char)));
    for (CSmartEdit& edit : m_editKey)
        edit.SendMessage(EM_SETPASSWORDCHAR, WPARAM(BYTE(s.password_char)));
    UpdateData(FALSE);
    m_check8021X.StoreCheckState(s.b8021x);
    Invalidate();
    m_bApplying = FALSE;
    apply_editor();
}

// The editor's side of a rule: tab buttons, the 802.1X tab's method, and last the click that
// brings this tab forward (which may show the page and run its rules again).
void CPageAuthEncryDlg::apply_editor()
{
    EditorView& view = m_model.editor;
    CEditorTabs* const editor = FindEditorOf(this);
    auto const tab_8021x = std::exchange(view.tab_8021x, std::nullopt);
    auto const tab_wapi = std::exchange(view.tab_wapi, std::nullopt);
    bool const switched = std::exchange(view.eap_switched_to_peap, false);
    bool const click = std::exchange(view.own_tab_clicked, false);
    if (!editor)
        return;
    if (tab_8021x)
        editor->enable_tab_button(TAB_BUTTON_8021X, *tab_8021x);
    if (tab_wapi)
        editor->enable_tab_button(TAB_BUTTON_WAPI, *tab_wapi);
    if (CPage8021XDlg* tab = editor->tab_8021x(); tab && switched) {
        tab->m_nEapMethod = 0;
        tab->ApplyEapMethod(0);
    }
    if (click)
        editor->click_tab_button(TAB_BUTTON_AUTH);
}

void CPageAuthEncryDlg::Preset(int wpa, CString const& encryption, int security)
{
    sync_from_world();
    m_model.preset(wpa, encryption.str(), security, G_UiStr.IDS_TKIP, G_UiStr.IDS_SMS4);
    apply();
}

void CPageAuthEncryDlg::RefreshControls()
{
    sync_from_world();
    m_model.refresh();
    apply();
}

void CPageAuthEncryDlg::ClearAndHide8021X()
{
    ReadControls();
    m_model.set_8021x(0);
    m_model.state.box_shown = false;
    apply();
}

BOOL CPageAuthEncryDlg::ValidateKeys()
{
    ReadControls();
    sync_from_world();
    KeyCheck const check = validate_keys(m_model);
    apply();
    if (check.ok || !m_hWnd)
        return check.ok;
    CSmartEdit& edit = check.edit == 0 ? m_editPsk : m_editKey[std::size_t(check.edit - 1)];
    if (check.limit)
        edit.SendMessage(EM_LIMITTEXT, WPARAM(check.limit));
    edit.SetFocus();
    if (CInfoWnd* info = edit.info_window())
        info->PopUpText(&edit, (G_UiStr.*check.message).c_str());
    return FALSE;
}

BOOL CPageAuthEncryDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT const id = LOWORD(wParam);
    if (lParam == 0)
        return on_command(id) || CResizeDlg::OnCommand(wParam, lParam);
    // The box and the radios change their own check when their click is reflected to them; the
    // rules below read that new check, so the control sees the click first.
    if (ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    if (HIWORD(wParam) == BN_CLICKED && on_command(id))
        return TRUE;
    return OnCmdMsg(id, HIWORD(wParam), nullptr, nullptr);
}

// The menus' commands and the clicks of the boxes and radios: each reads the controls, runs
// its rule and shows the result.
BOOL CPageAuthEncryDlg::on_command(UINT id)
{
    AuthEncryState& s = m_model.state;
    auto run = [&](auto rule) {
        ReadControls();
        sync_from_world();
        rule();
        apply();
        return TRUE;
    };
    if (auto const mode = auth_of_command(int(id)))
        return run([&] { m_model.choose_mode(*mode); });
    if (auto const cipher = cipher_of_command(int(id)))
        return run([&] { m_model.choose_cipher(*cipher); });
    for (int key = 0; key <= 4; ++key) {
        for (bool ascii : { false, true }) {
            if (int(id) != key_type_command(key, ascii))
                continue;
            return run([&] { (key == 0 ? s.psk_key_type : s.wep_key_type[std::size_t(key - 1)]) = ascii ? 1 : 0; });
        }
    }
    if (id == IDC_USE_8021X)
        return run([&] { m_model.on_8021x(); });
    if (id == IDC_SHOW_PASSWORD)
        return run([&] { m_model.on_show_password(); });
    if (id >= IDC_RADIO_KEY1 && id < IDC_RADIO_KEY1 + 4)
        return run([&] { m_model.on_default_key_clicked(); });
    return FALSE;
}

LRESULT CPageAuthEncryDlg::OnAuthMenu(WPARAM wParam, LPARAM)
{
    HMENU const menu = reinterpret_cast<HMENU>(wParam);
    ReadControls();
    sync_from_world();
    m_model.ctx.wpa_capable = G_VxWlLib.VXWL_IsWpaCapable() != 0;
    m_model.ctx.adhoc_wpa2_aes = G_VxWlLib.VXWL_WlanIsAdhocSupportWPA2AES() == 1;
    std::array<bool, kAuthItems> enabled {};
    read_items(menu, kAuthItemCommands, enabled);
    grey_auth_menu(m_model.ctx, m_model.state.network_type, enabled);
    write_items(menu, kAuthItemCommands, enabled);
    return 0;
}

LRESULT CPageAuthEncryDlg::OnCipherMenu(WPARAM wParam, LPARAM)
{
    HMENU const menu = reinterpret_cast<HMENU>(wParam);
    ReadControls();
    sync_from_world();
    std::array<bool, kCipherItems> enabled {};
    read_items(menu, kCipherItemCommands, enabled);
    grey_cipher_menu(m_model.ctx, m_model.state.auth, m_model.state.network_type, enabled);
    write_items(menu, kCipherItemCommands, enabled);
    return 0;
}

void CPageAuthEncryDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow || m_bApplying)
        return;
    ReadControls();
    sync_from_world();
    m_model.on_show_window();
    apply();
}

LRESULT CPageAuthEncryDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

void CPageAuthEncryDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

void CPageAuthEncryDlg::OnDestroy()
{
    m_btnAuth.DestroyWindow();
    m_btnCipher.DestroyWindow();
    for (CButtonST& button : m_btnKeyType)
        button.DestroyWindow();
    CResizeDlg::OnDestroy();
}
