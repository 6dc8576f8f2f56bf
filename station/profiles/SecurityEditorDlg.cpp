#include "station/profiles/SecurityEditorDlg.h"

#include "station/controls/CTabDialog.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EapBlockCollect.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageWAPIDlg.h"

#include <algorithm>
#include <cstring>

using namespace station::profiles;

namespace {

CTabbedEditorDlg::TabButton const kTabButtons[CSecurityEditorDlg::kTabs] = {
    { TAB_BUTTON_AUTH, &G_UiStr.IDS_AUTH_ENCRY },
    { TAB_BUTTON_8021X, &G_UiStr.IDS_TAB8021X },
    { TAB_BUTTON_WAPI, &G_UiStr.IDS_TAB_WAPI },
};
// The longest key the authentication tab accepts: 26 hexadecimal digits.
constexpr std::size_t kWepKeyMax = 26;
constexpr int kHexKey = 0;
// The name under which the library keeps the PAC list of the connection without a profile.
constexpr char kNoProfileName[PROFILE_NAME_SIZE] = "";

bool open_or_shared(int auth) { return auth == kAuthOpen || auth == kAuthShared; }

}

BEGIN_MESSAGE_MAP(CSecurityEditorDlg, CTabbedEditorDlg)
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(CSecurityEditorDlg::IDC_OK, OnButtonOK)
ON_BN_CLICKED(CSecurityEditorDlg::IDC_CANCEL, OnButtonCancel)
END_MESSAGE_MAP()

CSecurityEditorDlg::CSecurityEditorDlg(CWnd* pParent)
    : CTabbedEditorDlg(IDD, pParent, kTabButtons, IDC_TAB_PLACE1)
{
    m_HandOver.eap.Reset();
}

CSecurityEditorDlg::~CSecurityEditorDlg() = default;

// [SECTION] Creation

// The authentication and 802.1X tabs are the security editor's, not the profile editor's; the
// WAPI tab always exists, its button shows only where WAPI is offered, and both the 802.1X and
// the WAPI button start disabled until the authentication tab's mode asks for them.
BOOL CSecurityEditorDlg::CreatePages()
{
    if (!make_tab_buttons())
        return FALSE;
    m_btnTabs[1]->EnableWindow(FALSE);
    m_btnTabs[2]->EnableWindow(FALSE);
    CWnd* const host = m_pTabDlg.get();
    m_auth = std::make_unique<CPageAuthEncryDlg>(host);
    m_auth->m_model.editor.in_profile_editor = false;
    m_8021x = std::make_unique<CPage8021XDlg>(host);
    m_8021x->m_bInProfileEditor = FALSE;
    m_wapi = std::make_unique<CPageWAPIDlg>(host);
    // Set before the pages are created: their set-up already asks the editor.
    m_pPageAuthEncryDlg = m_auth.get();
    m_pPage8021XDlg = m_8021x.get();
    m_pPageWAPIDlg = m_wapi.get();
    if (!m_auth->Create(CPageAuthEncryDlg::IDD, host) || !m_8021x->Create(CPage8021XDlg::IDD, host)
        || !m_wapi->Create(CPageWAPIDlg::IDD, host))
        return FALSE;
    m_pTabDlg->AddPage(m_auth.get(), m_btnTabs[0].get());
    m_pTabDlg->AddPage(m_8021x.get(), m_btnTabs[1].get());
    m_pTabDlg->AddPage(m_wapi.get(), m_btnTabs[2].get());
    bool const wapi = G_VxWlLib.bSupportWAPI && CheckAdapterType() != 0;
    m_btnTabs[2]->ShowWindow(wapi ? SW_SHOW : SW_HIDE);
    return TRUE;
}

// [SECTION] Preset and showing

void CSecurityEditorDlg::PresetFromSurvey(NDIS_WLAN_BSSID_EX const* entry, int wpa, CString const& encryption)
{
    if (!m_pPageAuthEncryDlg)
        return;
    CPageAuthEncryDlg& auth = *m_pPageAuthEncryDlg;
    auth.m_model.editor.in_profile_editor = false;
    auth.m_model.state.network_type = !entry || entry->InfrastructureMode == 1 ? 1 : 0;
    auth.Preset(wpa, encryption, 1);
    m_pPage8021XDlg->m_bInProfileEditor = FALSE;
    m_pPage8021XDlg->ResetToDefault();
    m_pPageWAPIDlg->ClearCertificates();
}

// Shown: the site survey page's pending settings start again from their reset values, and the
// editor opens on the authentication tab.
void CSecurityEditorDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    if (HWND window = config_window())
        ::SendMessage(window, MSG_SHOW_SECURITYEDITOR, 2, 1);
    click_tab_button(TAB_BUTTON_AUTH);
}

// Posted: the window goes back to the link status once the editor's own cancel is done.
void CSecurityEditorDlg::OnCancel()
{
    if (HWND window = config_window())
        ::PostMessage(window, MSG_SHOW_SECURITYEDITOR, 0, 0);
    CResizeDlg::OnCancel();
}

// [SECTION] OK: the checks in their order, the collection, the hand-over

// A WAPI certificate network names both certificates where WAPI certificates are in use.
bool CSecurityEditorDlg::check_wapi_names()
{
    if (m_pPageAuthEncryDlg->m_model.state.auth != kAuthWapiCa || !G_VxWlLib.bWAPICert)
        return true;
    CPageWAPIDlg& wapi = *m_pPageWAPIDlg;
    bool const user = wapi.m_strUserCertPath.IsEmpty();
    if (!user && !wapi.m_strASCertPath.IsEmpty())
        return true;
    ShowMessageBox(user ? G_UiStr.IDS_NO_USER_CERT : G_UiStr.IDS_NO_AS_CERT);
    click_tab_button(TAB_BUTTON_WAPI);
    if (user)
        wapi.ShowUserCertTab();
    else
        wapi.ShowASCertTab();
    return false;
}

// The 802.1X block and the PAC list as the profile editor collects them; the PAC list is kept
// by the library under the empty name, the connection without a profile.
void CSecurityEditorDlg::collect_8021x()
{
    Collect8021XBlock(*m_pPage8021XDlg, m_HandOver.eap);
    m_PacList = m_pPage8021XDlg->m_PacRows;
    PAC_LIST list { std::uint32_t(m_PacList.size()), m_PacList.data() };
    G_VxWlLib.VXWL_WritePACList(&list, kNoProfileName);
}

// Each key goes over as typed with its type, as the profile editor stores it, and with its
// length in bytes: half the digits of a hexadecimal key.
void CSecurityEditorDlg::collect_wep_keys()
{
    AuthEncryState const& s = m_pPageAuthEncryDlg->m_model.state;
    for (std::size_t k = 0; k < SECURITY_HAND_OVER::kWepKeys; ++k) {
        std::string const& typed = s.wep_key[k];
        std::size_t const length = std::min(typed.size(), kWepKeyMax);
        auto& slot = m_HandOver.WEPKey[k];
        slot.fill(0);
        std::memcpy(slot.data(), typed.data(), length);
        m_HandOver.nKeyType[k] = s.wep_key_type[k];
        m_HandOver.nKeyLength[k] = int(s.wep_key_type[k] == kHexKey ? length / 2 : length);
    }
}

void CSecurityEditorDlg::OnOK()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CSecurityEditorDlg::OnOK\n");
    CPageAuthEncryDlg& auth = *m_pPageAuthEncryDlg;
    auth.ReadControls();
    m_pPage8021XDlg->GatherSubTabs();
    AuthEncryState const& s = auth.m_model.state;
    bool const infra = s.network_type == 1;
    if (!check_wapi_names())
        return;
    bool const box_8021x = open_or_shared(s.auth) && s.b8021x;
    // Shared key with the box is checked here too, unlike in the profile editor; CCKM is not.
    if ((box_8021x || ((s.auth == kAuthWpa || s.auth == kAuthWpa2) && infra)) && !m_pPage8021XDlg->Validate())
        return;
    if (!auth.ValidateKeys())
        return;
    // A block of this OK only: what an earlier OK collected never reaches another network.
    m_HandOver = SECURITY_HAND_OVER {};
    m_HandOver.eap.Reset();
    m_HandOver.nAuthIndex = s.auth;
    m_HandOver.nEncryIndex = s.cipher;
    m_HandOver.nDefaultKey = s.default_key + 1;
    m_HandOver.b8021X = s.b8021x;
    m_HandOver.bInfrastructure = infra ? 1 : 0;
    bool const wpa_capable = G_VxWlLib.VXWL_IsWpaCapable() != 0;
    bool const eap_mode = infra && (s.auth == kAuthWpa || s.auth == kAuthWpa2 || s.auth == kAuthCckm);
    if (wpa_capable && (eap_mode || box_8021x))
        collect_8021x();
    if (wpa_capable && infra && s.auth == kAuthWapiCa) {
        m_HandOver.strWAPIUserCert = m_pPageWAPIDlg->m_strUserCertPath.str();
        m_HandOver.strWAPIASCert = m_pPageWAPIDlg->m_strASCertPath.str();
    }
    bool const plain_or_md5 = !s.b8021x || m_HandOver.eap.nEapMethod == int(EAP_MD5);
    if (plain_or_md5 && (s.auth == kAuthShared || (s.auth == kAuthOpen && s.cipher == kCipherWep)))
        collect_wep_keys();
    if (s.auth >= kAuthWpa && s.auth <= kAuthWapiPsk) {
        m_HandOver.strPskKey = s.psk_key;
        m_HandOver.nPskKeyType = s.psk_key_type;
    }
    // Sent: the window has copied the block before the PAC list goes.
    if (HWND window = config_window())
        ::SendMessage(window, MSG_SHOW_SECURITYEDITOR, 0, 2);
    m_PacList.clear();
    CResizeDlg::OnOK();
}
