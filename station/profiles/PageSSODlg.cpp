#include "station/profiles/PageSSODlg.h"

#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "wlan/profile/ProfileFields.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr char kLogonLibrary[] = "VexlorGina.DLL";
constexpr char kKeyWow64[] = "Software\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Vexlor";
constexpr char kKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Vexlor";
constexpr int kProfileCredentials = 1;
constexpr int kPromptCredentials = 2;

// The three credential sources by the record's text: "0" the logon's, "1" the profile's, any
// other a prompt.
int source_of(char const* text)
{
    std::string const value = wlan::profile::read_text(text, sizeof SSO_STATUS::CredentialSource);
    return value == "0" ? 0 : (value == "1" ? kProfileCredentials : kPromptCredentials);
}

void set_text(CWnd& dialog, int id, std::string const& text)
{
    SetCtrlText(dialog.m_hWnd, ::GetDlgItem(dialog.m_hWnd, id), text);
}

int combo_count(CWnd& combo) { return int(combo.SendMessage(CB_GETCOUNT)); }
int combo_selection(CWnd& combo) { return int(combo.SendMessage(CB_GETCURSEL)); }

CString combo_text(CWnd& combo, int index)
{
    int const length = int(combo.SendMessage(CB_GETLBTEXTLEN, WPARAM(index)));
    if (length <= 0)
        return CString();
    std::string text(std::size_t(length) + 1, '\0');
    combo.SendMessage(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return CString(text.c_str());
}

}

BEGIN_MESSAGE_MAP(CPageSSODlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
ON_WM_NCHITTEST()
ON_BN_CLICKED(CPageSSODlg::IDC_ENABLE, OnEnableSSO)
ON_BN_CLICKED(CPageSSODlg::IDC_PERSISTENT, OnPersistentConn)
ON_BN_CLICKED(CPageSSODlg::IDC_SOURCE_LOGON, OnCredentialSource)
ON_BN_CLICKED(CPageSSODlg::IDC_SOURCE_PROFILE, OnCredentialSource)
ON_BN_CLICKED(CPageSSODlg::IDC_SOURCE_PROMPT, OnCredentialSource)
ON_CBN_SELCHANGE(CPageSSODlg::IDC_PROFILES, OnSelChangeProfile)
ON_BN_CLICKED(CPageSSODlg::IDC_APPLY, OnApply)
END_MESSAGE_MAP()

CPageSSODlg::CPageSSODlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageSSODlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROFILES, m_comboProfiles);
    DDX_Control(pDX, IDC_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_ENABLE, m_checkEnable);
    DDX_Control(pDX, IDC_PERSISTENT, m_checkPersistent);
    for (int i = 0; i < 3; ++i)
        DDX_Control(pDX, IDC_SOURCE_LOGON + i, m_radioSource[std::size_t(i)]);
    DDX_Radio(pDX, IDC_SOURCE_LOGON, m_nCredentialSource);
    DDX_Check(pDX, IDC_ENABLE, m_bEnableSSO);
    DDX_Check(pDX, IDC_PERSISTENT, m_bPersistentConn);
    DDX_Text(pDX, IDC_AUTH, m_strAuthText);
    DDX_Text(pDX, IDC_NAME, m_strSSOProfile);
    DDX_Text(pDX, IDC_SSID, m_strSSID);
    if (!pDX->m_bSaveAndValidate) {
        m_checkEnable.StoreCheckState(m_bEnableSSO);
        m_checkPersistent.StoreCheckState(m_bPersistentConn);
    }
}

// [SECTION] Creation and showing

BOOL CPageSSODlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    SetWindowText("SSO");
    init_controls();
    m_comboProfiles.SendMessage(CB_RESETCONTENT);
    FillSSOProfiles();
    ReadSSOState();
    SelectSSOProfile();
    return TRUE;
}

void CPageSSODlg::init_controls()
{
    struct Text {
        int id;
        std::string const& text;
    };
    for (Text const& t : { Text { IDC_LABEL_ENABLE, G_UiStr.IDS_SSO_ENABLE_SSO_FEATURE },
             Text { IDC_LABEL_PERSISTENT, G_UiStr.IDS_SSO_ENABLE_PRELOGON_CONNECTION },
             Text { IDC_LABEL_LOGON, G_UiStr.IDS_SSO_USE_ID_PASSWORD_IN_WINLOGON },
             Text { IDC_LABEL_PROFILE, G_UiStr.IDS_SSO_USE_ID_PASSWORD_IN_PROFILE },
             Text { IDC_LABEL_PROMPT, G_UiStr.IDS_SSO_PROMPT_ID_PASSWORD_DIALOG },
             Text { IDC_GROUP_LIST, G_UiStr.IDS_GROUP_SSO_PROFILE_LIST },
             Text { IDC_GROUP_INFO, G_UiStr.IDS_STATIC_PROFILE_INFORMATION },
             Text { IDC_LABEL_SELECT, G_UiStr.IDS_STATIC_SELECT_PROFILE },
             Text { IDC_LABEL_NAME, G_UiStr.IDS_STATIC_PROFILENAME }, Text { IDC_LABEL_SSID, G_UiStr.IDS_SSID },
             Text { IDC_LABEL_AUTH, G_UiStr.IDS_LINK_AUTHEN }, Text { IDC_APPLY, G_UiStr.IDS_APPLY } })
        set_text(*this, t.id, t.text);
    for (int id : { IDC_NAME, IDC_SSID, IDC_AUTH })
        set_text(*this, id, "");
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    for (CButtonST* check : { &m_checkEnable, &m_checkPersistent })
        check->AssignIcons(147, 148);
    for (CButtonST& radio : m_radioSource)
        radio.AssignIcons(145, 146);
    for (CButtonST* button : { &m_checkEnable, &m_checkPersistent, &m_radioSource[0], &m_radioSource[1], &m_radioSource[2] }) {
        button->AssignColourSlot(CButtonST::TextHot, RGB(255, 0, 0), FALSE);
        button->AssignColourSlot(CButtonST::TextRest, RGB(0, 0, 0), FALSE);
    }
    m_btnApply.m_bLeftAlignedText = FALSE;
    m_btnApply.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    m_comboProfiles.ChangeColumnTotal(1);
    CRect rect;
    m_comboProfiles.GetClientRect(&rect);
    m_comboProfiles.ResizeColumn(0, rect.Width());
}

void CPageSSODlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    if (bShow) {
        ReadSSOState();
        SelectSSOProfile();
    }
    CResizeDlg::OnShowWindow(bShow, nStatus);
}

void CPageSSODlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CPageSSODlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

// Enter and Escape never close a page of the window.
LRESULT CPageSSODlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

HWND CPageSSODlg::config_window() const
{
    if (HWND window = hide_dlg_services().config_window())
        return window;
    CWnd* const owner = m_hWnd ? GetSafeOwner() : nullptr;
    return owner ? owner->m_hWnd : nullptr;
}

// [SECTION] Enabling

void CPageSSODlg::enable(std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(on);
}

void CPageSSODlg::enable_all_others(bool on)
{
    enable({ IDC_PERSISTENT, IDC_LABEL_PERSISTENT, IDC_SOURCE_LOGON, IDC_SOURCE_PROFILE, IDC_SOURCE_PROMPT, IDC_LABEL_LOGON,
               IDC_LABEL_PROFILE, IDC_LABEL_PROMPT, IDC_GROUP_LIST, IDC_LABEL_SELECT, IDC_PROFILES },
        on);
    enable_info(on);
}

void CPageSSODlg::enable_info(bool on)
{
    enable({ IDC_APPLY, IDC_GROUP_INFO, IDC_LABEL_NAME, IDC_LABEL_SSID, IDC_LABEL_AUTH, IDC_NAME, IDC_SSID, IDC_AUTH }, on);
}

void CPageSSODlg::enable_feature_controls()
{
    enable({ IDC_SOURCE_LOGON, IDC_SOURCE_PROFILE, IDC_SOURCE_PROMPT, IDC_LABEL_LOGON, IDC_LABEL_PROFILE, IDC_LABEL_PROMPT,
               IDC_GROUP_LIST, IDC_LABEL_SELECT, IDC_PROFILES, IDC_PERSISTENT, IDC_LABEL_PERSISTENT },
        true);
    enable_info(has_selection());
}

bool CPageSSODlg::has_selection()
{
    return combo_count(m_comboProfiles) > 0 && combo_selection(m_comboProfiles) != CB_ERR;
}

void CPageSSODlg::force_profile_credentials()
{
    enable({ IDC_SOURCE_LOGON, IDC_SOURCE_PROMPT, IDC_LABEL_LOGON, IDC_LABEL_PROMPT }, false);
    m_nCredentialSource = kProfileCredentials;
    UpdateData(FALSE);
}

// [SECTION] The library's state and the profiles

// The stored profiles the option file's [SSO] section allows, in the library's order. A list
// that grew between the count and the read (-10, with the new count) is asked once more.
void CPageSSODlg::FillSSOProfiles()
{
    constexpr int kBufferTooSmall = VXWL_ERROR_BUFFER_TOO_SMALL;
    VXWL_U32 count = 0;
    G_VxWlLib.VXWL_ReadProfileList(nullptr, &count);
    std::vector<WLANPROFILE> profiles;
    VXWL_U32 filled = 0;
    for (int attempt = 0; attempt < 2 && count > 0; ++attempt) {
        profiles.assign(count, WLANPROFILE {});
        filled = count;
        int const answer = G_VxWlLib.VXWL_ReadProfileList(profiles.data(), &filled);
        if (answer == VXWL_ERROR_SUCCESS)
            break;
        bool const grew = answer == kBufferTooSmall;
        count = grew ? filled : 0;
        filled = 0;
    }
    filled = std::min<VXWL_U32>(filled, VXWL_U32(profiles.size()));
    for (VXWL_U32 i = 0; i < filled; ++i)
        if (IsSSOProfileType(profiles[i]))
            m_comboProfiles.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wlan::profile::name_of(profiles[i]).c_str()));
}

void CPageSSODlg::ReadSSOState()
{
    SSO_STATUS record {};
    if (G_VxWlLib.VXWL_ReadSSOStatus(&record) != 0) {
        TraceMsg(TRACE_FAIL, "[Kivra] RegOpenKeyEx '%hs' failed\n", G_VxWlLib.VXWL_IsWow64() ? kKeyWow64 : kKey);
        return;
    }
    if (!record.bAvailable)
        return;
    if (!record.bEnabled) {
        m_bEnableSSO = 0;
        enable_all_others(false);
    } else {
        m_bEnableSSO = 1;
        enable_feature_controls();
    }
    m_nCredentialSource = source_of(record.CredentialSource);
    m_bPersistentConn = wlan::profile::read_text(record.PersistentConn) == "1";
    UpdateData(FALSE);
}

// The stored name selects the item equal to it, case aside; none equal, none selected.
void CPageSSODlg::SelectSSOProfile()
{
    UpdateData(FALSE);
    if (combo_count(m_comboProfiles) <= 0) {
        enable({ IDC_APPLY, IDC_GROUP_INFO }, false);
        return;
    }
    char name[PROFILE_NAME_SIZE] {};
    WPARAM item = 0;
    if (G_VxWlLib.VXWL_ReadSSOCurrProfileName(name) == 1) {
        name[sizeof name - 1] = '\0';
        item = WPARAM(m_comboProfiles.SendMessage(CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(name)));
    }
    m_comboProfiles.SendMessage(CB_SETCURSEL, item);
    int const selected = combo_selection(m_comboProfiles);
    if (selected == CB_ERR)
        return;
    ShowProfileInfo(combo_text(m_comboProfiles, selected));
    enable({ IDC_APPLY }, true);
}

bool CPageSSODlg::auth_text_of(WLANPROFILE const& p, CString& text)
{
    if (p.b8021X) {
        std::string const* const methods[] = { &G_UiStr.IDS_8021X_EAP_PEAP, &G_UiStr.IDS_8021X_EAP_TLS_SMART_CARD,
            &G_UiStr.IDS_8021X_EAP_TTLS, &G_UiStr.IDS_8021X_EAP_EAP_FAST, &G_UiStr.IDS_8021X_EAP_MD5, &G_UiStr.IDS_LEAP };
        if (p.enumAuthenProtocol >= std::size(methods))
            return false;
        text = methods[p.enumAuthenProtocol]->c_str();
        return true;
    }
    if (p.enumAuthenMode == AUTH_OPEN && p.enumEncryStatus == ENC_NONE)
        text = "Open-None";
    else if (p.enumAuthenMode == AUTH_OPEN && p.enumEncryStatus == ENC_WEP)
        text = "Open-WEP";
    else if (p.enumAuthenMode == AUTH_SHARED && p.enumEncryStatus == ENC_WEP)
        text = "Shared-WEP";
    else if (p.enumAuthenMode == AUTH_WPA_PSK)
        text = "WPA-PSK";
    else if (p.enumAuthenMode == AUTH_WPA2_PSK)
        text = "WPA2-PSK";
    else
        return false;
    return true;
}

// A TLS profile and every profile without 802.1X can only use their own credentials.
void CPageSSODlg::ShowProfileInfo(CString const& name)
{
    m_strSSOProfile = name;
    auto profile = std::make_unique<WLANPROFILE>();
    char buffer[PROFILE_NAME_SIZE] {};
    wlan::profile::write_text(buffer, name.str());
    G_VxWlLib.VXWL_ReadProfileData(profile.get(), buffer);
    WLANPROFILE const& p = *profile;
    auth_text_of(p, m_strAuthText);
    if (!p.b8021X || p.enumAuthenProtocol == EAP_TLS)
        force_profile_credentials();
    m_strSSID = wlan::profile::read_ssid(p).c_str();
    set_text(*this, IDC_SSID, m_strSSID.str());
    set_text(*this, IDC_NAME, m_strSSOProfile.str());
    set_text(*this, IDC_AUTH, m_strAuthText.str());
}

void CPageSSODlg::ShowSSOProfile(CString const& name)
{
    if (!m_hWnd) {
        m_strSSOProfile = name;
        return;
    }
    ShowProfileInfo(name);
    UpdateData(FALSE);
}

// [SECTION] The user's changes

void CPageSSODlg::OnEnableSSO()
{
    UpdateData(TRUE);
    if (!m_bEnableSSO) {
        enable_all_others(false);
        G_VxWlLib.VXWL_ResetSSOFeature();
        if (G_VxWlLib.VXWL_GetWinOS() < 10) {
            G_VxWlLib.VXWL_WriteSSOReleaseSUP();
            ::SendMessage(config_window(), DLG_MSG_EXCHANGE, PAGE_SSO_DLG, SET_OID_FROM_REG);
        }
        return;
    }
    enable_feature_controls();
    OnPersistentConn();
}

// Off (with the feature on) is written at once; on waits for Apply, and allows only the
// profile's own credentials meanwhile.
void CPageSSODlg::OnPersistentConn()
{
    UpdateData(TRUE);
    if (!m_bPersistentConn && m_bEnableSSO) {
        enable({ IDC_SOURCE_LOGON, IDC_SOURCE_PROMPT, IDC_LABEL_LOGON, IDC_LABEL_PROMPT }, true);
        G_VxWlLib.VXWL_WriteSSOEnablePersConn(0);
        return;
    }
    force_profile_credentials();
}

void CPageSSODlg::OnCredentialSource()
{
    UpdateData(TRUE);
    G_VxWlLib.VXWL_WriteSSOSavePassword(m_nCredentialSource);
}

void CPageSSODlg::OnSelChangeProfile()
{
    UpdateData(TRUE);
    if (combo_count(m_comboProfiles) <= 0) {
        enable_info(false);
        return;
    }
    int const selected = combo_selection(m_comboProfiles);
    if (selected != CB_ERR)
        m_strSSOProfile = combo_text(m_comboProfiles, selected);
    enable({ IDC_SOURCE_LOGON, IDC_SOURCE_PROFILE, IDC_SOURCE_PROMPT, IDC_LABEL_LOGON, IDC_LABEL_PROFILE, IDC_LABEL_PROMPT }, true);
    ShowProfileInfo(m_strSSOProfile);
    enable_info(selected != CB_ERR);
}

// The whole record by value, then the two fields with calls of their own; the chosen profile
// goes to the library, and the window has the profile page re-apply the active one.
void CPageSSODlg::OnApply()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSSODlg::OnApply\n");
    UpdateData(TRUE);
    SSO_STATUS record {};
    record.bEnabled = std::uint32_t(m_bEnableSSO);
    std::memcpy(record.LogonLibrary, kLogonLibrary, sizeof kLogonLibrary);
    G_VxWlLib.VXWL_ReadDriverDesc(record.DriverDesc);
    record.DriverDesc[sizeof record.DriverDesc - 1] = '\0';
    wlan::profile::write_text(record.ProfileName, m_strSSOProfile.str());
    record.ProfileName[sizeof record.ProfileName - 1] = '\0';
    G_VxWlLib.VXWL_WriteSSOSetting(record);
    G_VxWlLib.VXWL_WriteSSOSavePassword(m_nCredentialSource);
    G_VxWlLib.VXWL_WriteSSOEnablePersConn(m_bEnableSSO ? m_bPersistentConn : 0);
    auto profile = std::make_unique<WLANPROFILE>();
    char name[PROFILE_NAME_SIZE] {};
    wlan::profile::write_text(name, m_strSSOProfile.str());
    G_VxWlLib.VXWL_ReadProfileData(profile.get(), name);
    G_VxWlLib.VXWL_SetWLANProfile(profile.get());
    ::SendMessage(config_window(), DLG_MSG_EXCHANGE, PAGE_SSO_DLG, SET_OID_FROM_REG);
}
