#include "station/features/PageWPSProfile.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "platform/framework/MessageBox.h"
#include "station/controls/CInfoWnd.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HexText.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/core/WpsGlobals.h"
#include "station/features/WpsPin.h"

#include <algorithm>
#include <cstring>

using namespace station::features;

namespace {

enum AuthItem : int { ITEM_OPEN = 0, ITEM_WPA_PSK = 1, ITEM_WPA2_PSK = 2 };
// The key-length items: characters and whether they are hexadecimal digits.
struct KeyLengthItem {
    int limit;
    bool hexadecimal;
};
constexpr KeyLengthItem kKeyLengths[] = { { 5, false }, { 10, true }, { 13, false }, { 26, true } };
constexpr int kPassphraseLimit = 64;

int key_length_item(std::uint32_t length)
{
    switch (length) {
    case 10: return 1;
    case 13: return 2;
    case 26: return 3;
    default: return 0;
    }
}

}

BEGIN_MESSAGE_MAP(CPageWPSProfile, CResizeDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_BN_CLICKED(IDC_SHOW_PASSWORD, OnShowPassword)
    ON_BN_CLICKED(IDC_ASCII, OnAsciiFormat)
    ON_BN_CLICKED(IDC_OK, OnButtonOK)
    ON_BN_CLICKED(IDC_CANCEL, OnButtonCancel)
    ON_CBN_SELCHANGE(IDC_AUTH, OnSelchangeAuth)
    ON_CBN_SELCHANGE(IDC_ENCR, OnSelchangeEncr)
    ON_CBN_SELCHANGE(IDC_KEY_LENGTH, OnSelchangeKeyLength)
END_MESSAGE_MAP()

CPageWPSProfile::CPageWPSProfile(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageWPSProfile::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KEY, m_editKey);
    DDX_Control(pDX, IDC_AUTH, m_comboAuth);
    DDX_Control(pDX, IDC_ENCR, m_comboEncr);
    DDX_Control(pDX, IDC_KEY_LENGTH, m_comboKeyLength);
    DDX_Control(pDX, IDC_KEY_INDEX, m_comboKeyIndex);
    DDX_Text(pDX, IDC_KEY_INDEX_TEXT, m_strKeyIndex);
    DDX_Text(pDX, IDC_KEY, m_strKeyMaterial);
    DDX_Text(pDX, IDC_KEY_LENGTH_TEXT, m_strKeyLength);
    DDX_Text(pDX, IDC_AUTH_TEXT, m_strAuth);
    DDX_Text(pDX, IDC_ENCR_TEXT, m_strEncr);
    DDX_Text(pDX, IDC_SSID, m_strSSID);
    DDX_Text(pDX, IDC_BSSID_TEXT, m_strBSSID);
    DDX_Check(pDX, IDC_SHOW_PASSWORD, m_bShowPassword);
    DDX_Check(pDX, IDC_ASCII, m_bAsciiFormat);
}

BOOL CPageWPSProfile::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CUISTR const& s = G_UiStr;
    struct Text {
        int id;
        std::string const& text;
    } const texts[] = {
        { 1045, s.IDS_SSID }, { 1510, s.IDS_SITESUR_BSSID }, { 1340, s.IDS_AUTH_TYPE }, { 1511, s.IDS_KEY_LENGTH },
        { 1512, s.IDS_KEY_MATERIAL }, { 1347, s.IDS_ENCRY_TYPE }, { 1513, s.IDS_KEY_INDEX },
        { IDC_SHOW_PASSWORD_LABEL, s.IDS_SHOW_PASSWORD }, { IDC_ASCII_LABEL, s.IDS_ASCII_FORMAT }, { IDC_OK, s.IDS_OK },
        { IDC_CANCEL, s.IDS_CANCEL },
    };
    for (Text const& t : texts)
        if (!t.text.empty())
            SetDlgItemText(t.id, t.text.c_str());
    return TRUE;
}

void CPageWPSProfile::enable(int id, bool on)
{
    if (HWND control = ::GetDlgItem(m_hWnd, id))
        ::EnableWindow(control, on ? TRUE : FALSE);
}

void CPageWPSProfile::show(int id, bool on)
{
    if (HWND control = ::GetDlgItem(m_hWnd, id))
        ::ShowWindow(control, on ? SW_SHOW : SW_HIDE);
}

void CPageWPSProfile::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CPageWPSProfile::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

void CPageWPSProfile::set_mode(bool edit)
{
    m_bEditMode = edit;
    ::SendMessage(::GetDlgItem(m_hWnd, IDC_SSID), EM_SETREADONLY, edit ? FALSE : TRUE, 0);
    set_key_read_only(!edit);
    for (int id : { IDC_AUTH_TEXT, IDC_ENCR_TEXT, IDC_KEY_LENGTH_TEXT, IDC_KEY_INDEX_TEXT })
        show(id, !edit);
    for (int id : { IDC_AUTH, IDC_ENCR, IDC_KEY_LENGTH, IDC_KEY_INDEX })
        show(id, edit);
}

void CPageWPSProfile::set_key_read_only(bool read_only)
{
    m_bKeyReadOnly = read_only;
    m_editKey.SendMessage(EM_SETREADONLY, read_only ? TRUE : FALSE);
}

void CPageWPSProfile::set_key_limit(int limit, bool hexadecimal)
{
    m_nKeyLimit = limit;
    m_editKey.SetAcceptedClasses(hexadecimal ? CSmartEdit::kHexDigits : CSmartEdit::kAllClasses);
    m_editKey.SendMessage(EM_LIMITTEXT, WPARAM(limit));
}

void CPageWPSProfile::fill_encryption_items(bool wpa_family)
{
    m_bWpaFamily = wpa_family;
    m_comboEncr.ResetContent();
    // Two named lists: a list built inside the condition would end with it, before the loop.
    static constexpr char const* kWpaItems[] = { "TKIP", "AES" };
    static constexpr char const* kOtherItems[] = { "NONE", "WEP" };
    for (char const* item : wpa_family ? kWpaItems : kOtherItems)
        m_comboEncr.AddString(item);
}

void CPageWPSProfile::fill_combos(WPS_CREDENTIAL const& c)
{
    m_comboAuth.ResetContent();
    m_comboAuth.AddString(G_UiStr.IDS_OPENSYSTEM.empty() ? "Open" : G_UiStr.IDS_OPENSYSTEM.c_str());
    m_comboAuth.AddString("WPA-PSK");
    m_comboAuth.AddString("WPA2-PSK");
    int const auth = c.AuthType == 2 || c.AuthType == 34 ? ITEM_WPA_PSK : c.AuthType == 32 ? ITEM_WPA2_PSK : ITEM_OPEN;
    m_comboAuth.SetCurSel(auth);
    fill_encryption_items(auth != ITEM_OPEN);
    m_comboEncr.SetCurSel(c.EncrType == 1 || c.EncrType == 4 || c.EncrType == 12 ? 0 : 1);
    bool const wep = c.EncrType == 2;
    enable(IDC_KEY_LENGTH, wep);
    enable(IDC_KEY_INDEX, wep);
    if (wep) {
        int const item = key_length_item(c.KeyLength);
        m_comboKeyLength.SetCurSel(item);
        set_key_limit(kKeyLengths[item].limit, kKeyLengths[item].hexadecimal);
        m_comboKeyIndex.SetCurSel(int(std::min<std::uint32_t>(c.KeyIndex & 0x7FFFFFFF, 3)));
    } else {
        m_comboKeyLength.SetCurSel(0);
        m_comboKeyIndex.SetCurSel(0);
        set_key_limit(kPassphraseLimit, false);
        set_key_read_only(c.AuthType == 1 && c.EncrType == 1);
    }
    std::size_t const length = std::min<std::size_t>(c.KeyLength, sizeof c.Key);
    m_strKeyMaterial = std::string(reinterpret_cast<char const*>(c.Key), length).c_str();
}

void CPageWPSProfile::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    UpdateData(FALSE);
    bool const registrar = G_nConfigMode == WPS_ROLE_REGISTRAR;
    set_mode(registrar && m_WpsProfile.ProfileCnt != 0);
    ::SendMessage(::GetDlgItem(m_hWnd, IDC_SSID), EM_LIMITTEXT, 32, 0);
    set_key_limit(kPassphraseLimit, false);
    if (!registrar) {
        show(IDC_ASCII, m_bEdit != 0);
        show(IDC_ASCII_LABEL, m_bEdit != 0);
    } else {
        show(IDC_ASCII, false);
        show(IDC_ASCII_LABEL, false);
        fill_combos(m_WpsProfile.Profile[0]);
        UpdateData(FALSE);
    }
    if (m_strAuth == "OPEN")
        OnAsciiFormat();
    OnShowPassword();
}

void CPageWPSProfile::OnShowPassword()
{
    UpdateData(TRUE);
    bool const allowed = G_VxWlLib.bShowPassword != 0;
    show(IDC_SHOW_PASSWORD, allowed);
    show(IDC_SHOW_PASSWORD_LABEL, allowed);
    bool const plain = allowed && m_bShowPassword;
    m_editKey.SendMessage(EM_SETPASSWORDCHAR, plain ? 0 : '*');
    m_editKey.Invalidate();
}

void CPageWPSProfile::OnAsciiFormat()
{
    UpdateData(TRUE);
    if (m_bAsciiFormat) {
        m_strKeyMaterial = m_strKeyAscii;
        m_strKeyLength.Format("%d", m_nKeyLength / 2);
    } else {
        m_strKeyMaterial = m_strKeyHex;
        m_strKeyLength.Format("%d", m_nKeyLength);
    }
    UpdateData(FALSE);
}

void CPageWPSProfile::OnSelchangeAuth()
{
    bool const wpa_family = m_comboAuth.GetCurSel() != ITEM_OPEN;
    if (wpa_family != m_bWpaFamily) {
        fill_encryption_items(wpa_family);
        m_comboEncr.SetCurSel(0);
    }
    OnSelchangeEncr();
}

void CPageWPSProfile::OnSelchangeEncr()
{
    if (m_bWpaFamily) {
        set_key_read_only(false);
        if (m_nKeyLimit != kPassphraseLimit)
            SetDlgItemText(IDC_KEY, "");
        enable(IDC_KEY_INDEX, false);
        enable(IDC_KEY_LENGTH, false);
        set_key_limit(kPassphraseLimit, false);
        return;
    }
    if (m_comboEncr.GetCurSel() == 0) {
        SetDlgItemText(IDC_KEY, "");
        set_key_read_only(true);
        enable(IDC_KEY_INDEX, false);
        enable(IDC_KEY_LENGTH, false);
        return;
    }
    set_key_read_only(false);
    enable(IDC_KEY_INDEX, true);
    enable(IDC_KEY_LENGTH, true);
    OnSelchangeKeyLength();
}

void CPageWPSProfile::OnSelchangeKeyLength()
{
    int const item = std::clamp(m_comboKeyLength.GetCurSel(), 0, int(std::size(kKeyLengths)) - 1);
    if (kKeyLengths[item].limit != m_nKeyLimit)
        SetDlgItemText(IDC_KEY, "");
    set_key_limit(kKeyLengths[item].limit, kKeyLengths[item].hexadecimal);
}

// A typed key passes the edit's filter, a pasted one does not: the digits are checked here too.
bool CPageWPSProfile::check_key()
{
    if (m_bKeyReadOnly)
        return true;
    CString text;
    m_editKey.GetWindowText(text);
    std::string const key = text.GetString();
    std::string const* error = nullptr;
    switch (m_nKeyLimit) {
    case 5: error = key.size() == 5 ? nullptr : &G_UiStr.IDS_WPS_5LENGTH_ERROR; break;
    case 10: error = key.size() == 10 && IsHexString(key.c_str()) ? nullptr : &G_UiStr.IDS_WPS_10LENGTH_ERROR; break;
    case 13: error = key.size() == 13 ? nullptr : &G_UiStr.IDS_WPS_13LENGTH_ERROR; break;
    case 26: error = key.size() == 26 && IsHexString(key.c_str()) ? nullptr : &G_UiStr.IDS_WPS_26LENGTH_ERROR; break;
    default: error = IsValidWpsPassphrase(key) ? nullptr : &G_UiStr.IDS_WPS_WPA_ERROR; break;
    }
    if (!error)
        return true;
    m_editKey.SetFocus();
    if (CInfoWnd* hint = m_editKey.info_window())
        hint->PopUpText(&m_editKey, error->c_str());
    return false;
}

void CPageWPSProfile::write_credential(WPS_CREDENTIAL& c)
{
    std::string const ssid = m_strSSID.GetString();
    std::memset(c.Ssid, 0, sizeof c.Ssid);
    c.SsidLength = std::uint32_t(std::min(ssid.size(), sizeof c.Ssid));
    std::memcpy(c.Ssid, ssid.data(), c.SsidLength);
    std::memset(c.Key, 0, sizeof c.Key);
    CString text;
    m_editKey.GetWindowText(text);
    std::string const key = text.GetString();
    auto const copy_key = [&](std::size_t length) {
        c.KeyLength = std::uint32_t(std::min({ length, key.size(), sizeof c.Key }));
        std::memcpy(c.Key, key.data(), c.KeyLength);
    };
    int const auth = m_comboAuth.GetCurSel();
    if (auth == ITEM_OPEN) {
        c.AuthType = 1;
        if (m_comboEncr.GetCurSel() == 1) {
            int const item = std::clamp(m_comboKeyLength.GetCurSel(), 0, int(std::size(kKeyLengths)) - 1);
            c.EncrType = 2;
            c.KeyIndex = std::uint32_t(std::max(0, m_comboKeyIndex.GetCurSel()));
            copy_key(std::size_t(kKeyLengths[item].limit));
        } else {
            c.EncrType = 1;
            c.KeyLength = 0;
        }
        return;
    }
    c.AuthType = auth == ITEM_WPA_PSK ? 2 : 32;
    c.EncrType = m_comboEncr.GetCurSel() == 1 ? 8 : 4;
    c.KeyIndex = 0;
    copy_key(key.size());
}

void CPageWPSProfile::answer(LPARAM store)
{
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, MSG_SHOW_WPSPROFILE, 0, store);
}

void CPageWPSProfile::OnButtonOK()
{
    UpdateData(TRUE);
    if (m_strSSID.IsEmpty()) {
        ShowMessageBox(G_UiStr.IDS_ADHOCINPUTSSID);
        return;
    }
    if (m_nSelIndex < 0 || m_nSelIndex >= int(WPS_MAX_CREDENTIALS))
        return;
    if (G_nConfigMode != WPS_ROLE_REGISTRAR) {
        answer(0);
        return;
    }
    if (!check_key())
        return;
    if (m_comboAuth.GetCurSel() == ITEM_OPEN && m_comboEncr.GetCurSel() == 0
        && ::MessageBox(m_hWnd, G_UiStr.IDS_WPS_REGISTRAR_OPENNONE.c_str(), "", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    write_credential(m_WpsProfile.Profile[m_nSelIndex]);
    answer(1);
}

void CPageWPSProfile::OnButtonCancel() { answer(0); }
