#include "accesspoint/pages/AuthSecuDlg.h"

#include "accesspoint/core/Helpers.h"
#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/ApConfigRecord.h"
#include "accesspoint/pages/PageTexts.h"
#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/MessageBox.h"
#include "platform/user/Utf8.h"
#include "station/features/extap/ExtAPRecord.h"

#include <algorithm>
#include <cstring>

namespace hotvane {

namespace {

constexpr int kHexKeyLimit = 26;
constexpr int kAsciiKeyLimit = 13;
constexpr int kPskLimit = 64;

void fill_codes(CComboBox& combo, std::vector<CodeEntry> const& entries)
{
    combo.ResetContent();
    for (auto const& e : entries)
        AddComboItem(combo.m_hWnd, e.text.c_str(), e.code);
}

void select_code(CComboBox& combo, std::uint32_t code)
{
    int const found = FindComboItemByData(combo.m_hWnd, code);
    combo.SetCurSel(found >= 0 ? found : 0);
}

std::uint32_t selected_code(CComboBox const& combo)
{
    DWORD_PTR data = 0;
    int const sel = combo.GetCurSel();
    if (sel < 0)
        return 0;
    GetComboItemData(combo.m_hWnd, sel, &data);
    return static_cast<std::uint32_t>(data);
}

template<std::size_t N>
void copy_text(char (&field)[N], CString const& text)
{
    std::string const value = text.GetString();
    std::size_t const n = platform::utf8_cut_length(value, N);
    std::memset(field, 0, N);
    std::memcpy(field, value.data(), n);
}

}

BEGIN_MESSAGE_MAP(CAuthSecuDlg, CDialog)
ON_CBN_SELCHANGE(CAuthSecuDlg::IDC_AUTH, OnSelchangeAuth)
ON_CBN_SELCHANGE(CAuthSecuDlg::IDC_ENCRYPTION, OnSelchangeEncryption)
ON_CBN_SELCHANGE(CAuthSecuDlg::IDC_FORMAT1, OnSelchangeFormat)
ON_CBN_SELCHANGE(CAuthSecuDlg::IDC_FORMAT2, OnSelchangeFormat)
ON_CBN_SELCHANGE(CAuthSecuDlg::IDC_FORMAT3, OnSelchangeFormat)
ON_CBN_SELCHANGE(CAuthSecuDlg::IDC_FORMAT4, OnSelchangeFormat)
ON_BN_CLICKED(CAuthSecuDlg::IDC_REKEY_UNIT, OnRekeyUnit)
ON_BN_CLICKED(CAuthSecuDlg::IDC_KEY1, OnKeyRadio)
ON_BN_CLICKED(CAuthSecuDlg::IDC_KEY2, OnKeyRadio)
ON_BN_CLICKED(CAuthSecuDlg::IDC_KEY3, OnKeyRadio)
ON_BN_CLICKED(CAuthSecuDlg::IDC_KEY4, OnKeyRadio)
ON_BN_CLICKED(CAuthSecuDlg::IDC_SHOW_PASSWORD, OnShowPassword)
END_MESSAGE_MAP()

CAuthSecuDlg::CAuthSecuDlg(CWnd* pParent)
    : CDialog(IDD, pParent)
{
}

void CAuthSecuDlg::enable(int id, bool enabled) { ::EnableWindow(::GetDlgItem(m_hWnd, id), enabled); }

CipherPermissions CAuthSecuDlg::permissions() const
{
    return PermissionsFor(G_VxApApi.VXAP_Is80211NSupport() != 0, G_VxApApi.ProhibitWEPonHT, G_VxApApi.ProhibitTKIPonHT);
}

void CAuthSecuDlg::message(std::string const& text)
{
    CSheetModalGuard guard;
    ::MessageBox(m_hWnd, text.c_str(), G_UiStr.IDS_APCONFIGMSG.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CAuthSecuDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUTH, m_cmbAuth);
    DDX_Control(pDX, IDC_ENCRYPTION, m_cmbEncryption);
    for (int i = 0; i < 4; ++i) {
        DDX_Control(pDX, kFormatIds[i], m_cmbFormat[i]);
        DDX_Control(pDX, kWepIds[i], m_editWep[i]);
        DDX_Text(pDX, kWepIds[i], m_strWepKey[i]);
        DDX_CBIndex(pDX, kFormatIds[i], m_nKeyFormat[i]);
    }
    DDX_Radio(pDX, IDC_KEY1, m_nDefaultKeyId);
    DDX_Text(pDX, IDC_RADIUS_KEY, m_strRadiusKey);
    DDX_Text(pDX, IDC_RADIUS_PORT, m_nRadiusPort);
    DDX_Text(pDX, IDC_REKEY, m_strRekey);
    DDX_Text(pDX, IDC_PSK, m_strPsk);
    DDX_IPAddress(pDX, IDC_RADIUS_IP, m_dwRadiusServerIp);
    if (pDX->m_bSaveAndValidate) {
        m_nAuthenMode = selected_code(m_cmbAuth);
        m_nEncryStatus = selected_code(m_cmbEncryption);
    } else {
        select_code(m_cmbAuth, m_nAuthenMode);
        select_code(m_cmbEncryption, m_nEncryStatus);
    }
}

// The block's fields into the members; lengths are trusted no further than the block.
BOOL CAuthSecuDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ApSecurity const& s = m_security;
    m_dwRadiusServerIp = s.RadiusServerIp;
    m_nAuthenMode = s.AuthenMode;
    m_nEncryStatus = s.EncryStatus;
    m_strRekey = std::to_string(s.nRekeyInterval).c_str();
    m_nRekeyMethod = s.nRekeyMethod ? 1 : 0;
    m_strRadiusKey = RadiusKeyText(s).c_str();
    m_nRadiusPort = static_cast<int>(s.nRadiusPort);
    m_strPsk = PskText(s).c_str();
    m_nDefaultKeyId = static_cast<int>(std::min<std::uint32_t>(s.nDefaultKeyId, 3));
    for (int i = 0; i < 4; ++i) {
        m_nKeyFormat[i] = s.KeyFormat[i] ? 1 : 0;
        m_strWepKey[i] = WepKeyText(s, i).c_str();
    }
    TraceMsg("[Hotvane] CAuthSecuDlg::OnInitDialog: AuthenMode = %d, EncryStatus = %d\n", static_cast<int>(m_nAuthenMode),
        static_cast<int>(m_nEncryStatus));
    SetDlgItemText(IDC_REKEY_UNIT, (m_nRekeyMethod ? G_UiStr.IDS_KPackets : G_UiStr.IDS_10Seconds).c_str());
    for (int i = 0; i < 4; ++i)
        if (m_nKeyFormat[i] == 0)
            m_editWep[i].SetFilter(CSmartEdit::kHexDigits);
    ::SendMessage(::GetDlgItem(m_hWnd, IDC_PSK), EM_LIMITTEXT, kPskLimit, 0);
    init_texts();
    fill_codes(m_cmbAuth, AuthenticationEntries(G_UiStr, permissions()));
    for (auto& format : m_cmbFormat)
        fill_codes(format, { { G_UiStr.IDS_HEXA, 0 }, { G_UiStr.IDS_ASCII, 1 } });
    fill_encryption();
    UpdateData(FALSE);
    m_nAuthenMode = selected_code(m_cmbAuth);
    fill_encryption();
    select_code(m_cmbEncryption, m_nEncryStatus);
    m_nEncryStatus = selected_code(m_cmbEncryption);
    set_fields();
    return TRUE;
}

void CAuthSecuDlg::init_texts()
{
    auto const& s = G_UiStr;
    SetWindowText(s.IDS_TAB_AUTHSEC.c_str());
    std::pair<int, std::string const*> const texts[] = { { IDC_AUTH_LABEL, &s.IDS_AUTH_AUTH_TYPE },
        { IDC_ENCRYPTION_LABEL, &s.IDS_ENCRYPTYPE }, { IDC_PSK_LABEL, &s.IDS_WPAPSKKEY }, { IDC_REKEY_LABEL, &s.IDS_GROUPREKEY },
        { IDC_KEY1, &s.IDS_AUTH_KEY1 }, { IDC_KEY2, &s.IDS_AUTH_KEY2 }, { IDC_KEY3, &s.IDS_AUTH_KEY3 },
        { IDC_KEY4, &s.IDS_AUTH_KEY4 }, { IDC_WEP_GROUP, &s.IDS_AUTH_WEPKEY }, { IDOK, &s.IDS_OK }, { IDCANCEL, &s.IDS_CANCEL } };
    for (auto const& [id, text] : texts)
        SetDlgItemText(id, text->c_str());
    SetDlgItemText(IDC_HINT, FillOneValue(s.IDS_KEY_LENGTH_DESCRIPTION_HEX, "\n").c_str());
    if (G_VxApApi.ShowPassword == 1)
        SetDlgItemText(IDC_SHOW_PASSWORD, s.IDS_SHOW_PASSWARD.c_str());
    else
        ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SHOW_PASSWORD), SW_HIDE);
}

void CAuthSecuDlg::fill_encryption() { fill_codes(m_cmbEncryption, EncryptionEntries(G_UiStr, m_nAuthenMode, permissions())); }

void CAuthSecuDlg::set_fields()
{
    auto const fields = FieldsFor(m_nAuthenMode, m_nEncryStatus);
    if (fields) {
        enable(IDC_PSK, fields->psk);
        enable(IDC_REKEY, fields->rekey);
        enable(IDC_REKEY_UNIT, fields->rekey);
        for (int id : { IDC_RADIUS_IP, IDC_RADIUS_PORT, IDC_RADIUS_KEY })
            enable(id, fields->radius);
        for (int i = 0; i < 4; ++i) {
            enable(kWepIds[i], fields->wep);
            enable(kFormatIds[i], fields->wep);
        }
        for (int id : { IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4, IDC_WEP_GROUP, IDC_HINT })
            enable(id, fields->wep);
    }
    set_key_limits();
}

// Hexadecimal keys take 26 hexadecimal digits, ASCII keys 13 characters of any kind.
void CAuthSecuDlg::set_key_limits()
{
    for (int i = 0; i < 4; ++i) {
        bool const hex = m_cmbFormat[i].GetCurSel() <= 0;
        m_editWep[i].SendMessage(EM_LIMITTEXT, hex ? kHexKeyLimit : kAsciiKeyLimit);
        m_editWep[i].SetFilter(hex ? CSmartEdit::kHexDigits : CSmartEdit::kAllClasses);
    }
}

bool CAuthSecuDlg::check_rekey()
{
    CString text;
    GetDlgItemText(IDC_REKEY, text);
    if (ValidRekeyText(text.GetString()))
        return true;
    message(G_UiStr.IDS_GROUPREKEY_ERR);
    return false;
}

void CAuthSecuDlg::OnSelchangeAuth()
{
    if (!check_rekey())
        return;
    std::uint32_t const previous = selected_code(m_cmbEncryption);
    UpdateData(TRUE);
    fill_encryption();
    select_code(m_cmbEncryption, previous);
    m_nEncryStatus = selected_code(m_cmbEncryption);
    set_fields();
}

void CAuthSecuDlg::OnSelchangeEncryption()
{
    if (!check_rekey())
        return;
    UpdateData(TRUE);
    set_fields();
}

void CAuthSecuDlg::OnSelchangeFormat() { set_key_limits(); }

void CAuthSecuDlg::OnRekeyUnit()
{
    m_nRekeyMethod = m_nRekeyMethod ? 0 : 1;
    SetDlgItemText(IDC_REKEY_UNIT, (m_nRekeyMethod ? G_UiStr.IDS_KPackets : G_UiStr.IDS_10Seconds).c_str());
}

void CAuthSecuDlg::OnKeyRadio() { UpdateData(TRUE); }

void CAuthSecuDlg::OnShowPassword()
{
    bool const plain = IsDlgButtonChecked(IDC_SHOW_PASSWORD) == BST_CHECKED;
    for (int id : { IDC_WEP1, IDC_WEP2, IDC_WEP3, IDC_WEP4, IDC_PSK }) {
        HWND const edit = ::GetDlgItem(m_hWnd, id);
        ::SendMessage(edit, EM_SETPASSWORDCHAR, plain ? 0 : '*', 0);
        ::InvalidateRect(edit, nullptr, TRUE);
    }
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_PSK));
}

bool CAuthSecuDlg::check_keys()
{
    if (NeedsWepKeys(m_nAuthenMode, m_nEncryStatus)) {
        std::string keys[4];
        for (int i = 0; i < 4; ++i)
            keys[i] = m_strWepKey[i].GetString();
        auto const failure = CheckWepKeys(keys, m_nKeyFormat, m_nDefaultKeyId);
        if (failure) {
            auto const& text = failure->hexadecimal ? G_UiStr.IDS_MSGHEXWEPKEYINVALID : G_UiStr.IDS_MSGASCIIWEPKEYINVALID;
            message(FillOneValue(text, std::to_string(failure->key)));
            return false;
        }
    }
    if (NeedsPsk(m_nAuthenMode) && !IsValidWpaPsk(m_strPsk.GetString())) {
        message(G_UiStr.IDS_MSGPSKKEYINVALID);
        return false;
    }
    return true;
}

void CAuthSecuDlg::OnOK()
{
    if (!check_rekey() || !UpdateData(TRUE) || !check_keys())
        return;
    write_block();
    TraceMsg("[Hotvane] CAuthSecuDlg::OnOK: AuthenMode = %d, EncryStatus = %d\n", static_cast<int>(m_nAuthenMode),
        static_cast<int>(m_nEncryStatus));
    EndDialog(IDOK);
}

void CAuthSecuDlg::write_block()
{
    ApSecurity s {};
    s.AuthenMode = m_nAuthenMode;
    s.EncryStatus = m_nEncryStatus;
    s.RadiusServerIp = m_dwRadiusServerIp;
    for (int i = 0; i < 4; ++i)
        s.KeyFormat[i] = static_cast<std::uint32_t>(m_nKeyFormat[i]);
    s.nDefaultKeyId = static_cast<std::uint32_t>(m_nDefaultKeyId);
    s.nRadiusPort = static_cast<std::uint32_t>(m_nRadiusPort);
    s.nRekeyInterval = static_cast<std::uint32_t>(std::strtoul(m_strRekey.GetString(), nullptr, 10));
    s.nRekeyMethod = static_cast<std::uint32_t>(m_nRekeyMethod);
    copy_text(s.RadiusKey, m_strRadiusKey);
    std::string const psk = m_strPsk.GetString();
    std::size_t const n = platform::utf8_cut_length(psk, sizeof s.WpaPsk);
    std::memcpy(s.WpaPsk, psk.data(), n);
    s.WpaPskLen = static_cast<std::uint32_t>(n);
    if (NeedsWepKeys(m_nAuthenMode, m_nEncryStatus))
        for (int i = 0; i < 4; ++i)
            copy_text(s.WepKey[i], m_strWepKey[i]);
    m_security = s;
}

}
