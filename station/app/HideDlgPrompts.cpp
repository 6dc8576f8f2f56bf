// CHideDlg: the credential prompts before a connection, and the work the status callback and
// the worker threads hand over to the user-interface thread: the recovery after a failed
// authentication, the identity re-prompt, the change-password prompt and the CCX re-apply.
#include "station/app/HideDlg.h"

#include "platform/user/WindowCore.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/app/WorkerThreads.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PeapSettingDlg.h"

#include <cstring>

namespace {

template<std::size_t N>
std::string field_text(char const (&field)[N])
{
    return std::string(field, ::strnlen(field, N));
}

template<std::size_t N>
void set_field(char (&field)[N], std::string const& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

}

HWND CHideDlg::config_window() const
{
    HWND const hwnd = m_hConfigWnd.load();
    return hwnd && ::IsWindow(hwnd) ? hwnd : nullptr;
}

// [SECTION] Prompts

int CHideDlg::PromptPeapCredentials()
{
    // The paths that ask nothing leave the reconnection flag as they found it.
    BOOL const reconnect = G_bReConnect.exchange(FALSE);
    CPeapSettingDlg* const prompt = m_pVxUI ? m_pVxUI->m_pPeapSettingDlg : nullptr;
    if (!prompt) {
        G_bReConnect = reconnect;
        return 0;
    }
    if (prompt->m_hWnd && prompt->IsWindowVisible())
        return 2;
    if (G_nAuthFailState.load() < 3) {
        G_nAuthFailState = 3;
        G_bReConnect = reconnect;
        return 0;
    }
    WLANPROFILE current {};
    CopyProfile(current);
    if (!show_prompt_for(current)) {
        G_bReConnect = reconnect;
        return 0;
    }
    // The prompt (and the whole window) may be gone when the wait returns: nothing reads it.
    int const result = wait_for_prompt(*prompt);
    if (result != 1)
        return 2;
    G_bReConnect = TRUE;
    std::string identity, password;
    CPeapSettingDlg::ConfirmedCredentials(identity, password);
    std::lock_guard lock(m_profileMutex);
    if (m_pProfData) {
        set_field(m_pProfData->chID, identity);
        set_field(m_pProfData->chPassword, password);
    }
    return result;
}

int CHideDlg::PromptLeapFastCredentials()
{
    SSO_STATUS status {};
    G_VxWlLib.VXWL_ReadSSOStatus(&status);
    if (!(status.bEnabled == 1 && std::strncmp(status.CredentialSource, "2", sizeof status.CredentialSource) == 0))
        return 0;
    if (!m_pVxUI)
        ShowConfigUI();
    return PromptPeapCredentials();
}

int CHideDlg::wait_for_prompt(CWnd& prompt)
{
    return static_cast<CPeapSettingDlg&>(prompt).WaitForInput(platform::user::MLF_SHOWONIDLE);
}

// Fills the prompt from `profile` and has the configuration window show it; a prompt never
// waits unseen, so a hidden window is shown first. False when there is no prompt window.
bool CHideDlg::show_prompt_for(WLANPROFILE const& profile)
{
    CPeapSettingDlg* const prompt = m_pVxUI ? m_pVxUI->m_pPeapSettingDlg : nullptr;
    if (!prompt || !prompt->m_hWnd || !::IsWindow(prompt->m_hWnd))
        return false;
    prompt->m_strIdentity = field_text(profile.chID).c_str();
    prompt->m_strPassword.Empty();
    *prompt->m_pProfile = profile;
    if (!m_pVxUI->IsWindowVisible())
        ShowConfigUI();
    m_bPromptShown = true;
    m_pVxUI->PostMessage(CPeapSettingDlg::MSG_SHOW_PEAPSETTING, 8, 0);
    return true;
}

// Closing the configuration window hides the prompt with it: whoever waits gets Cancel.
void CHideDlg::EndUnseenPrompt()
{
    if (!m_bPromptShown)
        return;
    if (CPeapSettingDlg::Answer() != 0) {
        m_bPromptShown = false;
        return;
    }
    CPeapSettingDlg* const prompt = m_pVxUI ? m_pVxUI->m_pPeapSettingDlg : nullptr;
    bool const seen = prompt && prompt->m_hWnd && m_pVxUI->IsWindowVisible() && prompt->IsWindowVisible();
    if (seen)
        return;
    m_bPromptShown = false;
    if (prompt)
        prompt->EndWait(2);
    else
        CPeapSettingDlg::AbortWaits();
}

LRESULT CHideDlg::OnAskNewPassword(WPARAM, LPARAM)
{
    WLANPROFILE current {};
    CopyProfile(current);
    if (!show_prompt_for(current))
        CPeapSettingDlg::AbortWaits();
    return 0;
}

// [SECTION] After a failed authentication

LRESULT CHideDlg::OnAuthFailed(WPARAM wParam, LPARAM)
{
    recover_after_failure(wParam == 1 ? CInvalidIDPW::kIdentityRejected : CInvalidIDPW::kTimedOut);
    return 0;
}

// A profile locked to its access point or in CCX profile rotation is left alone; otherwise the
// card leaves the network, and the connection is retried at once when the stored password
// changed since it was used, else the user is asked again.
void CHideDlg::recover_after_failure(int kind)
{
    WLANPROFILE current {};
    CInvalidIDPW* const reprompt = m_pVxUI ? m_pVxUI->m_pInvalidIDPW : nullptr;
    if (!CopyProfile(current) || !reprompt || current.bBssid != 0 || (current.CCX2Control & CCX2_ROTATE_PROFILE))
        return;
    G_bReConnect = FALSE;
    G_VxWlLib.VXWL_Disassociate();
    NDIS_802_11_SSID none {};
    none.SsidLength = 32;
    G_VxWlLib.VXWL_SetSSID(none);
    G_nAuthFailState = kind;
    reprompt->m_nFailKind = kind;
    std::string const kept = field_text(current.chPassword);
    std::memset(G_pProfileBuffer, 0, sizeof(WLANPROFILE));
    char name[PROFILE_NAME_SIZE + 1] {};
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadActiveProfileName()\n");
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_ReadProfileData()\n");
    G_VxWlLib.VXWL_ReadProfileData(G_pProfileBuffer, name);
    std::string const stored = field_text(G_pProfileBuffer->chPassword);
    TraceMsg(TRACE_SECRET, "[Kivra] Pwd before read registry = %s, Pwd after read registry = %s\n", kept.c_str(),
        stored.c_str());
    if (stored != kept) {
        TraceMsg(TRACE_STEP, "[Kivra] Insert profile type action!\n");
        if (InsertAction(actionTypeProfile, G_pProfileBuffer))
            ActionExec();
        return;
    }
    station::app::WorkerThreads::the().start(ShowInvalidIDPWThread);
}

LRESULT CHideDlg::OnShowInvalidIDPW(WPARAM, LPARAM)
{
    CInvalidIDPW* const reprompt = m_pVxUI ? m_pVxUI->m_pInvalidIDPW : nullptr;
    if (!reprompt || !reprompt->m_pProfile)
        return 0;
    CopyProfile(*reprompt->m_pProfile);
    m_pVxUI->PostMessage(station::controls::MSG_SHOW_INVALIDIDPW, 8, 0);
    return 0;
}

LRESULT CHideDlg::OnCcxDiagProfile(WPARAM, LPARAM)
{
    if (m_pVxUI && m_pVxUI->m_pPageProfileDlg)
        m_pVxUI->m_pPageProfileDlg->SetOidFromReg(FALSE);
    return 0;
}
