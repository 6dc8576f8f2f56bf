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

constexpr DWORD kTabButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr int kTabButtonIds[CSecurityEditorDlg::kTabs] = { TAB_BUTTON_AUTH, TAB_BUTTON_8021X, TAB_BUTTON_WAPI };
std::string const* const kTabTexts[CSecurityEditorDlg::kTabs] = { &G_UiStr.IDS_AUTH_ENCRY, &G_UiStr.IDS_TAB8021X, &G_UiStr.IDS_TAB_WAPI };
// The longest key the authentication tab accepts: 26 hexadecimal digits.
constexpr std::size_t kWepKeyMax = 26;
constexpr int kHexKey = 0;
// The name under which the library keeps the PAC list of the connection without a profile.
constexpr char kNoProfileName[PROFILE_NAME_SIZE] = "";

bool open_or_shared(int auth) { return auth == kAuthOpen || auth == kAuthShared; }

}

BEGIN_MESSAGE_MAP(CSecurityEditorDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(CSecurityEditorDlg::IDC_OK, OnButtonOK)
ON_BN_CLICKED(CSecurityEditorDlg::IDC_CANCEL, OnButtonCancel)
END_MESSAGE_MAP()

CSecurityEditorDlg::CSecurityEditorDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
    m_HandOver.eap.Reset();
}

CSecurityEditorDlg::~CSecurityEditorDlg() = default;

void CSecurityEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
}

// [SECTION] Creation

BOOL CSecurityEditorDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    m_pTabDlg = std::make_unique<CTabDialog>(CTabDialog::IDD, this);
    if (!m_pTabDlg->Create(CTabDialog::IDD, this) || !CreatePages())
        return FALSE;
    place_tab_host();
    struct Button {
        CShadeButtonST& button;
        std::string const& text;
    };
    for (Button const& b : { Button { m_btnOK, G_UiStr.IDS_OK }, Button { m_btnCancel, G_UiStr.IDS_CANCEL } }) {
        b.button.SetWindowText(b.text.c_str());
        b.button.m_bLeftAlignedText = FALSE;
        b.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        b.button.SetFont(&m_font);
    }
    return TRUE;
}

BOOL CSecurityEditorDlg::create_tab_button(int index)
{
    auto button = std::make_unique<CShadeButtonST>();
    if (!button->Create(kTabTexts[index]->c_str(), kTabButtonStyle, placeholder(IDC_TAB_PLACE1 + index), m_pTabDlg.get(),
            UINT(kTabButtonIds[index])))
        return FALSE;
    button->SetFont(&m_font);
    button->ConfigureShading(4, 8, 40, 5, 0, RGB(180, 180, 180), RGB(0, 255, 0));
    m_btnTabs[std::size_t(index)] = std::move(button);
    return TRUE;
}

// The authentication and 802.1X tabs are the security editor's, not the profile editor's; the
// WAPI tab always exists, its button shows only where WAPI is offered, and both the 802.1X and
// the WAPI button start disabled until the authentication tab's mode asks for them.
BOOL CSecurityEditorDlg::CreatePages()
{
    for (int i = 0; i < kTabs; ++i)
        if (!create_tab_button(i))
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

// The host covers the dialog down to the tab area's bottom; the pages fill the tab area.
void CSecurityEditorDlg::place_tab_host()
{
    CRect client;
    GetClientRect(&client);
    CRect const area = placeholder(IDC_TAB_AREA);
    m_pTabDlg->SetWindowPos(nullptr, 0, 0, client.Width(), area.bottom, SWP_NOZORDER | SWP_SHOWWINDOW);
    m_pTabDlg->MovePages(area, 0);
}

CRect CSecurityEditorDlg::placeholder(int id) const
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(m_hWnd, id), &rect);
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.right));
    return rect;
}

CShadeButtonST* CSecurityEditorDlg::tab_button(int id)
{
    for (int i = 0; i < kTabs; ++i)
        if (kTabButtonIds[i] == id)
            return m_btnTabs[std::size_t(i)].get();
    return nullptr;
}

void CSecurityEditorDlg::enable_tab_button(int id, BOOL enable)
{
    if (CShadeButtonST* button = tab_button(id); button && button->m_hWnd)
        button->EnableWindow(enable);
}

void CSecurityEditorDlg::click_tab_button(int id)
{
    if (CShadeButtonST* button = tab_button(id); button && button->m_hWnd)
        button->SendMessage(BM_CLICK);
}

HWND CSecurityEditorDlg::config_window() const
{
    if (HWND window = hide_dlg_services().config_window())
        return window;
    CWnd* const parent = m_hWnd ? GetParent() : nullptr;
    return parent ? parent->m_hWnd : nullptr;
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

void CSecurityEditorDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
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
