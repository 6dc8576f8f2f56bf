// The 802.1X tab's side of the editors: the defaults, loading the editor's block, the checks
// of the editor's OK, gathering the sub-tabs for the save, and what the tab re-does whenever
// it shows.
#include "station/profiles/Page8021XDlg.h"

#include "station/controls/CTabDialog.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/AuthEncryModel.h"
#include "station/profiles/EapSubTabs.h"
#include "station/profiles/EditorTabs.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageClientCertificationDlg.h"
#include "station/profiles/PageEAPFastDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageProfileSSODlg.h"
#include "station/profiles/PageServerCertificationDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "wlan/profile/ProfileCodes.h"

#include <charconv>
#include <cstring>

using namespace station::profiles;

namespace {

using Name = CPageNamePasswordDlg;
constexpr int kTunnelGtc = 6;

// Name rule 1: the server name needs a dot that is neither its first nor its last character.
bool domain_rule_fails(std::string const& name)
{
    std::size_t const dot = name.find('.');
    return dot == std::string::npos || dot == 0 || dot + 1 == name.size();
}

// "YYYY/MM/DD", each part decimal; false for a text that is not such a date.
bool parse_date(char const* text, int& year, int& month, int& day)
{
    std::string const s(text, strnlen(text, 256));
    int* const parts[3] = { &year, &month, &day };
    std::size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        std::size_t const end = i < 2 ? s.find('/', pos) : s.size();
        if (end == std::string::npos || end == pos)
            return false;
        auto const [ptr, ec] = std::from_chars(s.data() + pos, s.data() + end, *parts[i]);
        if (ec != std::errc() || ptr != s.data() + end)
            return false;
        pos = end + 1;
    }
    return true;
}

// A certificate expiring today is still valid.
bool expired(char const* expiration)
{
    int year = 0;
    int month = 0;
    int day = 0;
    if (!parse_date(expiration, year, month, day))
        return true;
    SYSTEMTIME now {};
    ::GetLocalTime(&now);
    if (year != now.wYear)
        return year < now.wYear;
    if (month != now.wMonth)
        return month < now.wMonth;
    return day < now.wDay;
}

std::uint32_t provisioning_code(int tunnel)
{
    return wlan::profile::tunnel_code(EAP_PEAP, tunnel).value_or(26);
}

}

// [SECTION] Defaults

void CPage8021XDlg::reset_sub_tabs()
{
    Name& name = *m_name;
    name.m_strIdentity.Empty();
    name.m_strPassword.Empty();
    name.m_strDomain.Empty();
    name.m_nPasswordMode = 1;
    name.m_bShowPassword = 0;
    name.m_bCacheUserInfo = 1;
    name.SetIdentityKind(0);
    name.UpdateDataEx(FALSE);
    CPageEAPFastDlg& fast = *m_fast;
    fast.m_strPACFilePath.Empty();
    fast.m_bAllowUnauthProvision = 1;
    fast.m_bUsePAC = 1;
    fast.EnableUsePAC();
    fast.m_nProvisioningTunnel = 0;
    fast.LoadPACFolder();
    fast.UpdateData(FALSE);
    m_client->Reset();
    m_server->Reset();
    m_sso->SetBits(0);
}

void CPage8021XDlg::ResetToDefault()
{
    m_bSessionResumption = 1;
    m_nEapMethod = EAP_PEAP;
    m_nTunnelIndex = 0;
    m_nTtlsTunnelIndex = 0;
    m_storedUserCert = KT_BLOB_KEY {};
    if (!m_name)
        return;
    reset_sub_tabs();
    m_fast->SetTunnel(0);
    ApplyEapMethod(EAP_PEAP);
    UpdateData(FALSE);
}

// [SECTION] Loading the editor's block

void CPage8021XDlg::load_name_tab(EAP_SETTING_DATA const& block)
{
    Name& name = *m_name;
    name.SetIdentityKind(block.nIDModeIndex == 1 ? 1 : 0);
    name.m_strIdentity = CutText(block.strIdentity, kEapTextLimit).c_str();
    name.m_strPassword = CutText(block.strPassword, kEapTextLimit).c_str();
    name.m_nPasswordMode = block.nPasswordMode;
    name.m_strDomain = CutText(block.strDomainName, kEapTextLimit).c_str();
    name.m_bShowPassword = 0;
    name.m_bCacheUserInfo = block.bCacheUserInfo;
    bool const user = block.nIDModeIndex != 1;
    EnableItems(name, { Name::IDC_IDENTITY, Name::IDC_MODE_LABEL, Name::IDC_MODE_TOKEN, Name::IDC_MODE_STATIC }, user);
    for (CShadeButtonST* b : { m_pBtnClientCert, m_pBtnServerCert })
        if (b && b->m_hWnd)
            b->EnableWindow(user ? TRUE : FALSE);
    EnableItems(name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, !user || block.nPasswordMode != 0);
    EnableItems(name, { Name::IDC_DOMAIN_LABEL, Name::IDC_DOMAIN }, user && m_nEapMethod == EAP_FAST);
    name.UpdateDataEx(FALSE);
}

void CPage8021XDlg::load_certificates(EAP_SETTING_DATA const& block)
{
    CPageClientCertificationDlg& client = *m_client;
    client.m_bUseClientCert = block.bClientCert;
    client.RefreshForMethod(m_nEapMethod, block.nTunnel);
    client.m_nCertLocation = block.bClientCertInSmartCard;
    client.SelectStored(block.UserCert);
    client.UpdateData(FALSE);
    CPageServerCertificationDlg& server = *m_server;
    server.m_bUseServerCert = block.bServerCert;
    server.m_bAllowIntermediate = block.bIntermediateCert;
    server.m_nServerNameRule = block.nServerNameRule;
    server.m_strServerName = CutText(block.strServerName, kEapTextLimit).c_str();
    server.RefreshServerCert();
    server.SelectStored(block.CACert);
}

void CPage8021XDlg::LoadFromEditor(EAP_SETTING_DATA const& block, PAC_ENTRY const* pacs, int pac_count, std::uint32_t sso_bits)
{
    m_nEapMethod = block.nEapMethod;
    if (auto const index = wlan::profile::tunnel_index(EAP_PEAP, std::uint32_t(block.nTunnel)))
        m_nTunnelIndex = *index;
    if (auto const index = wlan::profile::tunnel_index(EAP_TTLS, std::uint32_t(block.nTtlsTunnel)))
        m_nTtlsTunnelIndex = *index;
    m_bSessionResumption = block.nSessionResumption;
    m_PacRows.assign(pacs, pacs + (pacs && pac_count > 0 ? pac_count : 0));
    m_nSsoBits = sso_bits & wlan::profile::kProfSsoMask;
    CopyEapBlob(m_storedUserCert, block.UserCert);
    if (!m_name)
        return;
    ApplyEapMethod(m_nEapMethod);
    UpdateData(FALSE);
    load_name_tab(block);
    CPageEAPFastDlg& fast = *m_fast;
    fast.m_strPACFilePath = CutText(block.strPACFilePath, kPacPathLimit).c_str();
    fast.m_arrPAC = m_PacRows;
    for (PAC_ENTRY& e : fast.m_arrPAC) {
        e.Name[sizeof e.Name - 1] = 0;
        e.Path[sizeof e.Path - 1] = 0;
    }
    fast.RefreshPACList();
    fast.m_bAllowUnauthProvision = block.bProvision;
    fast.m_bUsePAC = block.bPAC;
    fast.EnableUsePAC();
    if (auto const index = wlan::profile::tunnel_index(EAP_PEAP, std::uint32_t(block.nProvisioningTunnel)))
        fast.m_nProvisioningTunnel = *index;
    fast.UpdateData(FALSE);
    fast.ApplyTunnel();
    load_certificates(block);
    m_sso->SetBits(m_nSsoBits);
    UpdateData(FALSE);
    if (block.nTunnel == kTunnelGtc || block.nProvisioningTunnel == kTunnelGtc) {
        m_name->m_nPasswordMode = block.nPasswordMode;
        m_name->UpdateDataEx(FALSE);
    }
}

// [SECTION] What the editors save

void CPage8021XDlg::GatherSubTabs()
{
    EAP_SETTING_DATA& e = m_SubTabValues;
    if (m_hWnd)
        UpdateData(TRUE);
    e.nEapMethod = m_nEapMethod;
    if (auto const code = wlan::profile::tunnel_code(EAP_PEAP, m_nTunnelIndex))
        e.nTunnel = int(*code);
    if (auto const code = wlan::profile::tunnel_code(EAP_TTLS, m_nTtlsTunnelIndex))
        e.nTtlsTunnel = int(*code);
    e.nSessionResumption = m_bSessionResumption;
    if (!m_name || !m_name->m_hWnd)
        return;
    Name& name = *m_name;
    name.UpdateDataEx(TRUE);
    e.strIdentity = CutText(name.m_strIdentity.str(), kEapTextLimit);
    e.strPassword = CutText(name.m_strPassword.str(), kEapTextLimit);
    e.strDomainName = CutText(name.m_strDomain.str(), kEapTextLimit);
    e.nPasswordMode = name.m_nPasswordMode;
    e.bCacheUserInfo = name.m_bCacheUserInfo;
    e.nIDModeIndex = name.IdentityKind() == 1 ? 1 : 0;
    CPageClientCertificationDlg& client = *m_client;
    client.UpdateData(TRUE);
    e.bClientCert = client.m_bUseClientCert;
    e.bClientCertInSmartCard = client.m_nCertLocation;
    client.m_selectedCert.to_blob(e.UserCert);
    CPageServerCertificationDlg& server = *m_server;
    server.UpdateData(TRUE);
    e.bServerCert = server.m_bUseServerCert;
    e.bIntermediateCert = server.m_bAllowIntermediate;
    e.nServerNameRule = server.m_nServerNameRule;
    e.strServerName = CutText(server.m_strServerName.str(), kEapTextLimit);
    server.m_selectedCA.to_blob(e.CACert);
    CPageEAPFastDlg& fast = *m_fast;
    fast.UpdateData(TRUE);
    e.bProvision = fast.m_bAllowUnauthProvision;
    e.bPAC = fast.m_bUsePAC;
    e.nProvisioningTunnel = int(provisioning_code(fast.m_nProvisioningTunnel));
    e.strPACFilePath = CutText(fast.m_strPACFilePath.str(), kPacPathLimit);
    m_PacRows = fast.m_arrPAC;
    if (m_sso->m_hWnd)
        m_sso->UpdateData(TRUE);
    m_nSsoBits = m_sso->Bits();
}

// [SECTION] Showing

void CPage8021XDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow || !m_name)
        return;
    CEditorTabs* const editor = FindEditorOf(this);
    m_bAllowMD5 = 0;
    if (CPageAuthEncryDlg* auth = editor ? editor->auth_tab() : nullptr) {
        AuthEncryState const& s = auth->m_model.state;
        m_bAllowMD5 = s.b8021x && (s.auth == kAuthOpen || s.auth == kAuthShared || s.cipher == kCipherNone || s.cipher == kCipherWep);
    }
    if (!m_bInProfileEditor)
        return;
    if (m_nEapMethod == EAP_LEAP)
        on_method(EAP_LEAP);
    else
        ApplyEapMethod(m_nEapMethod);
    CPageSystemConfigDlg* const sys = editor ? editor->system_config_tab() : nullptr;
    if (sys) {
        char profile[128] {};
        std::string const name = CutText(sys->m_strOldName.str(), sizeof profile - 1);
        std::memcpy(profile, name.data(), name.size());
        KT_BLOB_KEY stored {};
        // A new profile has no stored certificate: the one loaded or chosen stays.
        if (G_VxWlLib.VXWL_Read8021XCert(&stored, profile) == VXWL_ERROR_SUCCESS && stored.BlobLength <= sizeof stored.BlobData)
            m_storedUserCert = stored;
    }
    m_client->SelectStored(m_storedUserCert);
}

// [SECTION] The checks of the editor's OK

BOOL CPage8021XDlg::Validate()
{
    if (!m_name || !m_name->m_hWnd)
        return TRUE;
    m_name->UpdateDataEx(TRUE);
    m_client->UpdateData(TRUE);
    m_server->UpdateData(TRUE);
    return newer() ? validate_newer() : validate_older();
}

BOOL CPage8021XDlg::validate_older()
{
    Name const& name = *m_name;
    bool const no_password = name.m_strPassword.IsEmpty();
    auto refuse = [](std::string const& text) {
        ShowMessageBox(text);
        return FALSE;
    };
    if (name.m_strIdentity.IsEmpty() && name.m_nPasswordMode != 0)
        return refuse(G_UiStr.IDS_IDREQUIRED);
    if (m_nEapMethod == EAP_PEAP && no_password && m_nTunnelIndex != 1)
        return refuse(G_UiStr.IDS_PWDREQUIRED);
    if ((m_nEapMethod == EAP_TTLS || m_nEapMethod == EAP_FAST || m_nEapMethod == EAP_LEAP) && no_password)
        return refuse(G_UiStr.IDS_PWDREQUIRED);
    if (m_nEapMethod == EAP_MD5 && no_password)
        return refuse(G_UiStr.IDS_CHECKRULE4);
    if (m_client->m_bUseClientCert && m_client->m_selectedCert.empty())
        return refuse(G_UiStr.IDS_CHECKRULE5);
    if (m_server->m_bUseServerCert) {
        std::string const server = m_server->m_strServerName.str();
        if (server.empty())
            return refuse(G_UiStr.IDS_IDREQUIRED);
        if (m_server->m_nServerNameRule == 1 && domain_rule_fails(server))
            return refuse(G_UiStr.IDS_CHECKRULE7);
    }
    return TRUE;
}

BOOL CPage8021XDlg::validate_newer()
{
    Name const& name = *m_name;
    bool const is_static = name.m_nPasswordMode == 1;
    bool identity = false;
    bool password = false;
    bool certificate = false;
    bool server = false;
    if (m_nEapMethod == EAP_PEAP && m_nTunnelIndex >= 0 && m_nTunnelIndex <= 2) {
        identity = m_nTunnelIndex != 2 || is_static;
        password = m_nTunnelIndex == 0 || (m_nTunnelIndex == 2 && is_static);
        certificate = m_nTunnelIndex == 1;
        server = true;
    } else if (m_nEapMethod == EAP_TLS) {
        identity = certificate = server = true;
    } else if (m_nEapMethod == EAP_LEAP) {
        identity = password = is_static;
    }
    auto refuse = [](std::string const& text) {
        ShowMessageBox(text);
        return FALSE;
    };
    if (identity && name.m_strIdentity.IsEmpty() && name.m_nPasswordMode != 0)
        return refuse(G_UiStr.IDS_IDREQUIRED);
    if (password && name.m_strPassword.IsEmpty())
        return refuse(G_UiStr.IDS_PWDREQUIRED);
    if (certificate && m_client->m_bUseClientCert) {
        if (m_client->m_selectedCert.empty())
            return refuse(G_UiStr.IDS_CHECKRULE5);
        if (expired(m_client->m_selectedCert.record.Expiration))
            return refuse(G_UiStr.IDS_ERROR_CERT_INVALID_EXPDAT);
    }
    if (server && m_server->m_bUseServerCert) {
        std::string const name_text = m_server->m_strServerName.str();
        if (name_text.empty())
            return refuse(G_UiStr.IDS_SERVER_NAME_REQUIRED);
        if (m_server->m_nServerNameRule == 1 && domain_rule_fails(name_text))
            return refuse(G_UiStr.IDS_CHECKRULE7);
    }
    return TRUE;
}
