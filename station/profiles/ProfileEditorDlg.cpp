#include "station/profiles/ProfileEditorDlg.h"

#include "station/controls/CTabDialog.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EapBlockCollect.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "station/profiles/PageWAPICertManageDlg.h"
#include "station/profiles/PageWAPIDlg.h"
#include "wlan/profile/ProfileCodes.h"
#include "wlan/profile/ProfileFields.h"

#include <cstdlib>
#include <cstring>

using namespace station::profiles;

namespace {

CTabbedEditorDlg::TabButton const kTabButtons[] = {
    { TAB_BUTTON_SYSCONFIG, &G_UiStr.IDS_TAB_SYSCONFIG },
    { TAB_BUTTON_AUTH, &G_UiStr.IDS_AUTH_ENCRY },
    { TAB_BUTTON_8021X, &G_UiStr.IDS_TAB8021X },
    { TAB_BUTTON_WAPI, &G_UiStr.IDS_TAB_WAPI },
};
constexpr int kNameMax = 32;
constexpr int kBufferTooSmall = -10;
constexpr int kNameTaken = -16;
constexpr int kIdTaken = 0;
constexpr int kIdOverflow = 3;

// A name in the zeroed 128-byte buffer the library reads.
struct NameBuffer {
    char text[PROFILE_NAME_SIZE] {};
    explicit NameBuffer(CString const& name) { wlan::profile::write_text(text, name.str()); }
};

std::string text_of(char const* field, std::size_t size) { return wlan::profile::read_text(field, size); }

// The ID text as its number, saturating; no digits read as 0.
std::uint32_t id_number(CString const& text)
{
    std::uint64_t value = 0;
    for (char c : text.str()) {
        if (c < '0' || c > '9')
            break;
        value = std::min<std::uint64_t>(value * 10 + std::uint64_t(c - '0'), UINT32_MAX);
    }
    return std::uint32_t(value);
}

bool is_8021x_method_profile(int auth, int b8021x, bool infra)
{
    return (infra && (auth == kAuthWpa || auth == kAuthWpa2)) || ((auth == kAuthOpen || auth == kAuthShared) && b8021x)
        || auth == kAuthCckm;
}

}

BEGIN_MESSAGE_MAP(CProfileEditorDlg, CTabbedEditorDlg)
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(CProfileEditorDlg::IDC_OK, OnButtonOK)
ON_BN_CLICKED(CProfileEditorDlg::IDC_CANCEL, OnButtonCancel)
END_MESSAGE_MAP()

CProfileEditorDlg::CProfileEditorDlg(CWnd* pParent)
    : CTabbedEditorDlg(IDD, pParent, kTabButtons, IDC_TAB_PLACE1)
{
    ResetSettings();
}

CProfileEditorDlg::~CProfileEditorDlg()
{
    FreePACList();
}

// [SECTION] Creation

BOOL CProfileEditorDlg::CreatePages()
{
    if (!make_tab_buttons())
        return FALSE;
    m_btnTabs[2]->EnableWindow(FALSE);
    CWnd* const host = m_pTabDlg.get();
    m_system = std::make_unique<CPageSystemConfigDlg>(host);
    m_auth = std::make_unique<CPageAuthEncryDlg>(host);
    m_auth->m_model.editor.in_profile_editor = true;
    m_8021x = std::make_unique<CPage8021XDlg>(host);
    m_8021x->m_bInProfileEditor = TRUE;
    // Set before the pages are created: their set-up already asks the editor.
    m_pPageSystemConfigDlg = m_system.get();
    m_pPageAuthEncryDlg = m_auth.get();
    m_pPage8021XDlg = m_8021x.get();
    if (!m_system->Create(CPageSystemConfigDlg::IDD, host) || !m_auth->Create(CPageAuthEncryDlg::IDD, host)
        || !m_8021x->Create(CPage8021XDlg::IDD, host))
        return FALSE;
    m_pTabDlg->AddPage(m_system.get(), m_btnTabs[0].get());
    m_pTabDlg->AddPage(m_auth.get(), m_btnTabs[1].get());
    m_pTabDlg->AddPage(m_8021x.get(), m_btnTabs[2].get());
    if (G_VxWlLib.bWAPICert) {
        m_wapi = std::make_unique<CPageWAPIDlg>(host);
        if (!m_wapi->Create(CPageWAPIDlg::IDD, host))
            return FALSE;
        m_pPageWAPIDlg = m_wapi.get();
        m_pTabDlg->AddPage(m_wapi.get(), m_btnTabs[3].get());
    } else if (G_VxWlLib.bWAPICertManage) {
        m_wapiManage = std::make_unique<CPageWAPICertManageDlg>(host);
        if (!m_wapiManage->Create(CPageWAPICertManageDlg::IDD, host))
            return FALSE;
        m_pPageWAPICertManageDlg = m_wapiManage.get();
        m_pTabDlg->AddPage(m_wapiManage.get(), m_btnTabs[3].get());
    }
    bool const wapi = G_VxWlLib.bSupportWAPI && CheckAdapterType() != 0;
    m_btnTabs[3]->ShowWindow(wapi ? SW_SHOW : SW_HIDE);
    return TRUE;
}

// [SECTION] Showing

void CProfileEditorDlg::ResetSettings()
{
    m_EapData = EAP_SETTING_DATA {};
    m_EapData.Reset();
    m_EapData.nSessionResumption = 0;
    m_nAuthIndex = 0;
    m_nCipherIndex = 0;
    m_nDefaultKey = 1;
    m_b8021X = 0;
    FreePACList();
}

void CProfileEditorDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    ResetSettings();
    click_tab_button(TAB_BUTTON_SYSCONFIG);
}

void CProfileEditorDlg::OnCancel()
{
    if (HWND window = config_window())
        ::SendMessage(window, MSG_SHOW_PROFILEEDITOR, 0, 0);
    CResizeDlg::OnCancel();
}

void CProfileEditorDlg::FreePACList()
{
    std::free(m_pPACList);
    m_pPACList = nullptr;
    m_nPACCount = 0;
}

// [SECTION] Loading

// The list protocol: the count for a null block, then a block of exactly that count; a list
// that grew meanwhile (-10, with the new count) is asked once more.
void CProfileEditorDlg::read_pac_list(std::string const& name)
{
    FreePACList();
    NameBuffer const buffer(name.c_str());
    VXWL_U32 count = 0;
    if (G_VxWlLib.VXWL_ReadPACList(nullptr, &count, buffer.text) != VXWL_ERROR_SUCCESS)
        return;
    for (int attempt = 0; attempt < 2 && count > 0; ++attempt) {
        auto* block = static_cast<PAC_ENTRY*>(std::calloc(count, sizeof(PAC_ENTRY)));
        if (!block)
            return;
        VXWL_U32 filled = count;
        int const answer = G_VxWlLib.VXWL_ReadPACList(block, &filled, buffer.text);
        if (answer == VXWL_ERROR_SUCCESS && filled <= count) {
            m_pPACList = block;
            m_nPACCount = int(filled);
            return;
        }
        std::free(block);
        if (answer != kBufferTooSmall)
            return;
        count = filled;
    }
}

void CProfileEditorDlg::LoadProfile()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CProfileEditorDlg::LoadProfile\n");
    CPageSystemConfigDlg& sys = *m_pPageSystemConfigDlg;
    CPageAuthEncryDlg& auth = *m_pPageAuthEncryDlg;
    m_strOldProfileName = sys.m_strName;
    auto record = std::make_unique<WLANPROFILE>();
    std::memset(record.get(), 0, sizeof(WLANPROFILE));
    NameBuffer const name(m_strOldProfileName);
    if (!G_VxWlLib.VXWL_ReadProfileData(record.get(), name.text))
        TraceMsg(TRACE_FAIL, "[Kivra] CProfileEditorDlg::LoadProfile: no profile %s\n", name.text);
    WLANPROFILE& p = *record;
    wlan::profile::sanitise(p);

    sys.m_strSSID = wlan::profile::read_ssid(p).c_str();
    sys.m_nNetworkType = int(wlan::profile::network_type(p.enumNetworkType));
    auth.m_model.state.network_type = sys.m_nNetworkType;
    sys.m_strChannel.Format("%d", G_VxWlLib.VXWL_FrequencyToChannel(VXWL_U32(p.lFreq)));
    sys.m_strID.Format("%u", p.nProfileID);
    m_nOldProfileID = p.nProfileID;
    sys.m_nPowerSave = int(wlan::profile::power_save_mode(p.enumPSMode));
    sys.m_nTxPower = p.lTxPower >= 0 && p.lTxPower < wlan::profile::kTxPowerCodes ? p.lTxPower : 0;
    sys.m_bCAM = p.bACCam;
    sys.m_nPreamble = wlan::profile::preamble_is_long(p.enumPreamType) ? 1 : 0;
    sys.m_bUseRTS = p.bUseRTSThre;
    sys.m_nRtsThre = sys.m_nRtsValue = p.bUseRTSThre ? std::clamp(p.lRtsThre, 0, CPageSystemConfigDlg::kRtsMax) : CPageSystemConfigDlg::kRtsMax;
    sys.m_bUseFrag = p.bUseFragThre;
    sys.m_nFragThre = sys.m_nFragValue = p.bUseFragThre
        ? std::clamp(p.lFragThre, CPageSystemConfigDlg::kFragMin, CPageSystemConfigDlg::kFragMax)
        : CPageSystemConfigDlg::kFragMax;
    sys.m_bDiagnostic = p.bUseDiagnostic;

    AuthEncryState& s = auth.m_model.state;
    s.auth = wlan::profile::auth_tab_index(p.enumAuthenMode);
    if (auto const cipher = wlan::profile::cipher_tab_index(p.enumEncryStatus))
        s.cipher = *cipher;
    s.default_key = p.wepDefaultKey >= 1 && p.wepDefaultKey <= 4 ? int(p.wepDefaultKey) - 1 : 0;
    char const* const keys[4] = { p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4 };
    std::uint32_t const types[4] = { p.WEPKey1Type, p.WEPKey2Type, p.WEPKey3Type, p.WEPKey4Type };
    for (std::size_t k = 0; k < 4; ++k) {
        s.wep_key[k] = text_of(keys[k], sizeof p.WEPKey1);
        s.wep_key_type[k] = types[k] == 1 ? 1 : 0;
    }
    s.psk_key = wlan::profile::read_psk(p);
    s.psk_key_type = p.nPskKeyType == 0 ? 0 : 1;
    s.b8021x = p.b8021X ? 1 : 0;

    EAP_SETTING_DATA& e = m_EapData;
    e.nEapMethod = int(p.enumAuthenProtocol);
    (p.enumAuthenProtocol == EAP_TTLS ? e.nTtlsTunnel : e.nTunnel) = int(p.enumTunnel);
    e.nProvisioningTunnel = int(p.enumProvisioningTunnel);
    e.nIDModeIndex = int(p.nIDModeIndex);
    e.strIdentity = text_of(p.chID, sizeof p.chID);
    e.strPassword = text_of(p.chPassword, sizeof p.chPassword);
    e.strDomainName = text_of(p.chDomainName, sizeof p.chDomainName);
    e.nSessionResumption = int(p.nSessionResumption);
    e.nPasswordMode = int(p.nPasswordMode);
    e.bClientCert = int(p.bClientCert);
    e.bClientCertInSmartCard = int(p.bClientCertInSmartCard);
    e.bServerCert = int(p.bServerCert);
    e.bPAC = int(p.bPAC);
    e.bProvision = int(p.bProvision);
    e.strPACFilePath = text_of(p.chPACfilepath, sizeof p.chPACfilepath);
    CopyEapBlob(e.UserCert, p.user_cert);
    CopyEapBlob(e.CACert, p.CA_cert);
    e.strServerName = text_of(p.chServerName, sizeof p.chServerName);
    e.nServerNameRule = int(p.nServerNameRule);
    e.bIntermediateCert = int(p.bIntermediateCert);
    e.bCacheUserInfo = int(p.bCacheUserInfo);

    read_pac_list(m_strOldProfileName.str());
    m_nSsoBits = p.ssoInfo & wlan::profile::kProfSsoMask;
    m_strWAPIUserCert = text_of(p.chUserCertPath, sizeof p.chUserCertPath).c_str();
    m_strWAPIASCert = text_of(p.chASCertPath, sizeof p.chASCertPath).c_str();
    RefreshTabs();
}

void CProfileEditorDlg::PresetNewProfile(CString const& name, CString const& id, NDIS_WLAN_BSSID_EX const* entry, int wpa,
    CString const& encryption, int security)
{
    if (!m_pPageSystemConfigDlg)
        return;
    if (!entry)
        m_strOldProfileName.Empty();
    m_pPageSystemConfigDlg->Preset(entry, name, id);
    m_pPageSystemConfigDlg->m_bFromSiteSurvey = entry != nullptr;
    m_pPageAuthEncryDlg->m_model.state.network_type = entry ? (entry->InfrastructureMode == 1 ? 1 : 0) : 1;
    if (entry)
        m_pPageAuthEncryDlg->Preset(wpa, encryption, security);
    else
        m_pPageAuthEncryDlg->Preset(0, CString(), 0);
    m_pPage8021XDlg->ResetToDefault();
    if (m_pPageWAPIDlg)
        m_pPageWAPIDlg->ClearCertificates();
    m_bNewProfile = TRUE;
}

void CProfileEditorDlg::EditProfile(CString const& name, CString const& id)
{
    if (!m_pPageSystemConfigDlg)
        return;
    m_pPageSystemConfigDlg->m_strName = m_pPageSystemConfigDlg->m_strOldName = name;
    m_pPageSystemConfigDlg->m_strID = id;
    m_pPageAuthEncryDlg->m_model.editor.in_profile_editor = true;
    m_pPage8021XDlg->m_bInProfileEditor = TRUE;
    LoadProfile();
    m_bNewProfile = FALSE;
    FreePACList();
}

void CProfileEditorDlg::RefreshTabs()
{
    m_pPageSystemConfigDlg->RefreshControls();
    m_pPageAuthEncryDlg->RefreshControls();
    m_pPage8021XDlg->LoadFromEditor(m_EapData, m_pPACList, m_nPACCount, m_nSsoBits);
    if (m_pPageWAPIDlg)
        m_pPageWAPIDlg->LoadCertificates(m_strWAPIUserCert, m_strWAPIASCert);
}

// [SECTION] OK: the checks in their order, the collection, the write

void CProfileEditorDlg::refuse(std::string const& text, bool back_to_first_tab)
{
    ShowMessageBox(text);
    if (back_to_first_tab && config_window())
        click_tab_button(TAB_BUTTON_SYSCONFIG);
}

// Steps 2 to 4: the thresholds and the name.
bool CProfileEditorDlg::check_system_config()
{
    CPageSystemConfigDlg const& sys = *m_pPageSystemConfigDlg;
    if (sys.m_nRtsValue < 0 || sys.m_nRtsValue > CPageSystemConfigDlg::kRtsMax) {
        refuse(G_UiStr.IDS_INVALIDRTSTHRE, false);
        return false;
    }
    if (sys.m_nFragValue < CPageSystemConfigDlg::kFragMin || sys.m_nFragValue > CPageSystemConfigDlg::kFragMax) {
        refuse(G_UiStr.IDS_INVALIDFRAGTHRE, false);
        return false;
    }
    if (sys.m_strName.IsEmpty()) {
        refuse(G_UiStr.IDS_INPUTPROFILENAME, true);
        return false;
    }
    if (sys.m_strName.GetLength() > kNameMax) {
        refuse(G_UiStr.IDS_PROFILENAMELENGTH, true);
        return false;
    }
    return true;
}

// Steps 5 and 6. From code 10 on only the SSID and the name are checked; below it an empty SSID
// passes for an infrastructure profile that was typed in, and the ID is checked too. The ID
// overflow closes the editor without saving (`close_unsaved`).
bool CProfileEditorDlg::check_names_and_id(bool& close_unsaved)
{
    CPageSystemConfigDlg const& sys = *m_pPageSystemConfigDlg;
    int const auth = m_pPageAuthEncryDlg->m_model.state.auth;
    bool const newer = G_VxWlLib.VXWL_GetWinOS() >= 10;
    bool const ssid_needed = newer || sys.m_nNetworkType == 0 || sys.m_bFromSiteSurvey || auth == kAuthWapiPsk || auth == kAuthWapiCa;
    if (ssid_needed && sys.m_strSSID.IsEmpty()) {
        refuse(G_UiStr.IDS_ADHOCINPUTSSID, newer);
        return false;
    }
    if (!wlan::profile::same_name(sys.m_strName.str(), m_strOldProfileName.str())) {
        NameBuffer const name(sys.m_strName);
        if (G_VxWlLib.VXWL_CheckDuplicatedProfileName(name.text) == kNameTaken) {
            refuse(G_UiStr.IDS_DUPLIPROF, true);
            return false;
        }
    }
    if (newer)
        return true;
    if (sys.m_strID.IsEmpty()) {
        refuse(G_UiStr.IDS_PROF_IDREQUIRED, true);
        return false;
    }
    std::uint32_t const id = id_number(sys.m_strID);
    if (id == m_nOldProfileID && !m_bNewProfile)
        return true;
    CString text;
    text.Format("%u", id);
    int const answer = G_VxWlLib.VXWL_IsDuplicateProfileID(NameBuffer(text).text);
    if (answer == kIdTaken) {
        refuse(G_UiStr.IDS_DUPLIPROFID, true);
        return false;
    }
    if (answer == kIdOverflow) {
        ShowMessageBox(G_UiStr.IDS_PROF_IDOVERFLOW);
        close_unsaved = true;
        return false;
    }
    return true;
}

// Step 7: a WAPI certificate profile names both certificates.
bool CProfileEditorDlg::check_wapi_names()
{
    if (m_pPageAuthEncryDlg->m_model.state.auth != kAuthWapiCa || !G_VxWlLib.bWAPICert || !m_pPageWAPIDlg)
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

void CProfileEditorDlg::collect_security()
{
    AuthEncryState const& s = m_pPageAuthEncryDlg->m_model.state;
    m_nAuthIndex = s.auth;
    m_nCipherIndex = s.cipher;
    m_nDefaultKey = s.default_key + 1;
    m_b8021X = s.b8021x;
}

// Step 13: the 802.1X block from the 802.1X tab and what its sub-tabs hold.
void CProfileEditorDlg::collect_8021x()
{
    m_pPage8021XDlg->GatherSubTabs();
    Collect8021XBlock(*m_pPage8021XDlg, m_EapData);
    m_nSsoBits = m_pPage8021XDlg->m_nSsoBits;
}

// The PAC block always has the list's row count, whatever block an earlier load left.
bool CProfileEditorDlg::collect_pac_list()
{
    auto const& rows = m_pPage8021XDlg->m_PacRows;
    FreePACList();
    if (rows.empty())
        return true;
    m_pPACList = static_cast<PAC_ENTRY*>(std::calloc(rows.size(), sizeof(PAC_ENTRY)));
    if (!m_pPACList)
        return false;
    std::copy(rows.begin(), rows.end(), m_pPACList);
    m_nPACCount = int(rows.size());
    return true;
}

void CProfileEditorDlg::OnOK()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CProfileEditorDlg::OnOK\n");
    CPageSystemConfigDlg& sys = *m_pPageSystemConfigDlg;
    CPageAuthEncryDlg& auth = *m_pPageAuthEncryDlg;
    sys.ReadControls();
    auth.ReadControls();
    bool close_unsaved = false;
    if (!check_system_config() || !check_names_and_id(close_unsaved)) {
        if (close_unsaved)
            ::SendMessage(config_window(), MSG_SHOW_PROFILEEDITOR, 0, 0);
        return;
    }
    bool const newer = G_VxWlLib.VXWL_GetWinOS() >= 10;
    if (!newer && !check_wapi_names())
        return;
    if (m_bNewProfile)
        sys.m_strOldName = sys.m_strName;
    if (sys.m_strChannel.IsEmpty()) {
        ShowMessageBox(G_UiStr.IDS_SYSCONFIG_NO_CHANN_4_ADHOC);
        ::SendMessage(config_window(), CHANGE_DLG_PAGE, PAGE_ADVANCE, 0);
        return;
    }
    AuthEncryState const& s = auth.m_model.state;
    bool const infra = sys.m_nNetworkType == 1;
    bool const needs_8021x = (s.auth == kAuthOpen && s.b8021x) || ((s.auth == kAuthWpa || s.auth == kAuthWpa2 || s.auth == kAuthCckm) && infra);
    if (needs_8021x && !m_pPage8021XDlg->Validate())
        return;
    if (!auth.ValidateKeys())
        return;
    collect_security();
    bool const wpa_capable = G_VxWlLib.VXWL_IsWpaCapable() != 0;
    bool collected = true;
    if (wpa_capable && is_8021x_method_profile(m_nAuthIndex, m_b8021X, infra)) {
        collect_8021x();
        collected = collect_pac_list();
    }
    if (collected && G_VxWlLib.bWAPICert && wpa_capable && infra && m_nAuthIndex == kAuthWapiCa && m_pPageWAPIDlg) {
        m_strWAPIUserCert = m_pPageWAPIDlg->m_strUserCertPath;
        m_strWAPIASCert = m_pPageWAPIDlg->m_strASCertPath;
    }
    char active[PROFILE_NAME_SIZE] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(active);
    std::string const old_name = sys.m_strOldName.str();
    if (!old_name.empty() && wlan::profile::same_name(old_name, wlan::profile::read_text(active)) && old_name != sys.m_strName.str())
        G_VxWlLib.VXWL_ResetToDefaultConnecctionSetting();
    int const written = SaveProfile();
    if (written != VXWL_ERROR_SUCCESS) {
        FreePACList();
        refuse(written == kNameTaken ? G_UiStr.IDS_DUPLIPROF : G_UiStr.IDS_REGISTRYFAIL, written == kNameTaken);
        return;
    }
    HWND const window = config_window();
    ::SendMessage(window, MSG_SHOW_PROFILEEDITOR, 0, 0);
    ::SendMessage(window, CHANGE_DLG_PAGE, PAGE_PROFILE, 0);
    FreePACList();
}

// [SECTION] The record

void CProfileEditorDlg::fill_record(WLANPROFILE& p) const
{
    using namespace wlan::profile;
    CPageSystemConfigDlg const& sys = *m_pPageSystemConfigDlg;
    AuthEncryState const& s = m_pPageAuthEncryDlg->m_model.state;
    EAP_SETTING_DATA const& e = m_EapData;
    p.enumAuthenMode = auth_code_of_tab(m_nAuthIndex);
    p.enumEncryStatus = cipher_code_of_tab(m_nCipherIndex);
    p.lFreq = G_VxWlLib.VXWL_ChannelToFrequency(std::atoi(sys.m_strChannel.GetString()));
    p.bACCam = std::uint32_t(sys.m_bCAM);
    p.enumPSMode = std::uint32_t(sys.m_nPowerSave);
    p.lTxPower = sys.m_nTxPower;
    p.bUseDiagnostic = std::uint32_t(sys.m_bDiagnostic);
    p.lRtsThre = sys.m_nRtsValue;
    p.lFragThre = sys.m_nFragValue;
    p.bUseRTSThre = std::uint32_t(sys.m_bUseRTS);
    p.bUseFragThre = std::uint32_t(sys.m_bUseFrag);
    p.enumNetworkType = std::uint32_t(sys.m_nNetworkType);
    p.enumPreamType = preamble_code(sys.m_nPreamble == 1);
    write_ssid(p, sys.m_strSSID.str());
    write_text(p.strProfileName, sys.m_strName.str());
    p.nProfileID = id_number(sys.m_strID);
    char* const keys[4] = { p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4 };
    std::uint32_t* const types[4] = { &p.WEPKey1Type, &p.WEPKey2Type, &p.WEPKey3Type, &p.WEPKey4Type };
    for (std::size_t k = 0; k < 4; ++k) {
        write_text(keys[k], sizeof p.WEPKey1, s.wep_key[k]);
        *types[k] = std::uint32_t(s.wep_key_type[k]);
    }
    p.wepDefaultKey = std::uint32_t(m_nDefaultKey);
    write_psk(p, s.psk_key);
    p.nPskKeyType = std::uint32_t(s.psk_key_type);
    p.b8021X = std::uint32_t(m_b8021X);
    p.enumAuthenProtocol = std::uint32_t(e.nEapMethod);
    p.enumProvisioningTunnel = std::uint32_t(e.nProvisioningTunnel);
    p.nSessionResumption = std::uint32_t(e.nSessionResumption);
    p.enumTunnel = std::uint32_t(e.nEapMethod == int(EAP_TTLS) ? e.nTtlsTunnel : e.nTunnel);
    write_text(p.chID, e.strIdentity);
    write_text(p.chPassword, e.strPassword);
    write_text(p.chDomainName, e.strDomainName);
    p.nPasswordMode = std::uint32_t(e.nPasswordMode);
    p.nIDModeIndex = std::uint32_t(e.nIDModeIndex);
    p.bClientCert = std::uint32_t(e.bClientCert);
    p.bClientCertInSmartCard = std::uint32_t(e.bClientCertInSmartCard);
    CopyEapBlob(p.user_cert, e.UserCert);
    p.bServerCert = std::uint32_t(e.bServerCert);
    CopyEapBlob(p.CA_cert, e.CACert);
    write_text(p.chServerName, e.strServerName);
    p.nServerNameRule = std::uint32_t(e.nServerNameRule);
    p.bIntermediateCert = std::uint32_t(e.bIntermediateCert);
    p.bPAC = std::uint32_t(e.bPAC);
    p.bProvision = std::uint32_t(e.bProvision);
    write_text(p.chPACfilepath, e.strPACFilePath);
    if (G_VxWlLib.bWAPICert) {
        write_text(p.chUserCertPath, m_strWAPIUserCert.str());
        write_text(p.chASCertPath, m_strWAPIASCert.str());
    }
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        p.ssoInfo = m_nSsoBits & kProfSsoMask;
    p.bCacheUserInfo = std::uint32_t(e.bCacheUserInfo);
}

// The PAC list and the system's EAP configuration window follow only a record that was
// written; the window is disabled until the library says the configuration window closed.
int CProfileEditorDlg::SaveProfile()
{
    auto record = std::make_unique<WLANPROFILE>();
    std::memset(record.get(), 0, sizeof(WLANPROFILE));
    fill_record(*record);
    NameBuffer const old_name(m_pPageSystemConfigDlg->m_strOldName);
    int const written = G_VxWlLib.VXWL_WriteProfile(old_name.text, record.get());
    if (written != VXWL_ERROR_SUCCESS)
        return written;
    NameBuffer const name(m_pPageSystemConfigDlg->m_strName);
    if (m_EapData.nEapMethod == int(EAP_FAST)) {
        PAC_LIST list { std::uint32_t(m_nPACCount), m_pPACList };
        G_VxWlLib.VXWL_WritePACList(&list, name.text);
    }
    std::uint32_t const code = record->enumAuthenMode;
    bool const eap = code == AUTH_WPA || code == AUTH_WPA2 || code == AUTH_CCKM || (code == AUTH_OPEN && record->b8021X);
    if (eap && m_EapData.nEapMethod == int(EAP_FAST) && G_VxWlLib.VXWL_GetWinOS() >= 10) {
        if (HWND hide = hide_dlg_services().hide_dialog())
            ::PostMessage(hide, MSG_ENABLE_CONFIG_UI, 0, 0);
        G_VxWlLib.VXWL_StartEapHostPeerInvokeConfigUI(name.text, nullptr, nullptr);
    }
    return written;
}
