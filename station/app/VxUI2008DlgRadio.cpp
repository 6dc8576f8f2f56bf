// CVxUI2008Dlg: the radio button, help, and the timer's profile rotation step.
#include "station/app/VxUI2008Dlg.h"

#include "platform/system/FileAttributes.h"
#include "platform/system/Locale.h"
#include "platform/system/Shell.h"
#include "station/app/HideDlg.h"
#include "station/app/VxUI2008DlgKinds.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/IniFile.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageWPSDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace station::core;

namespace {

constexpr LANGID kTraditionalChinese = 1028;
constexpr UINT kReconnectAfterRadioOnMs = 3000;
constexpr UINT kRescanAfterRadioOnMs = 8000;
// Disconnected ticks of timer 10 before the next stored profile is tried.
constexpr int kRotationTicks = 3;

}

// [SECTION] Radio

void CVxUI2008Dlg::OnRadio()
{
    m_bRadioOn = !m_bRadioOn;
    if (G_VxWlLib.VXWL_SetAndWriteRadioState(m_bRadioOn)) {
        ActionTurnOnOffRadio(m_bRadioOn);
        return;
    }
    TraceMsg(TRACE_FAIL, "[Kivra] VXWL_SetAndWriteRadioState() return FALSE!\n");
    ShowMessageBox(G_UiStr.IDS_RADIO_SWITCH_FAIL);
    m_bRadioOn = !m_bRadioOn;
}

void CVxUI2008Dlg::MarkRadio(BOOL on)
{
    m_bRadioOn = on;
    ShowRadioIcon(on);
}

void CVxUI2008Dlg::ShowRadioIcon(BOOL on)
{
    set_row_icon(kind_button(BTN_RADIO), on ? kIconRadioOn : kIconRadioOff, 0);
}

void CVxUI2008Dlg::ActionTurnOnOffRadio(BOOL state)
{
    m_bRadioOn = state;
    if (state)
        turn_radio_on();
    else
        turn_radio_off();
}

void CVxUI2008Dlg::turn_radio_off()
{
    set_row_icon(kind_button(BTN_RADIO), kIconRadioOff, 0);
    if (G_VxWlLib.pBssidList)
        std::memset(G_VxWlLib.pBssidList, 0, sizeof(std::uint32_t));
    if (m_pPageWPSDlg) {
        for (int i = 0; i < CPageWPSDlg::kActionButtons; ++i)
            if (CWnd* const button = m_pPageWPSDlg->ActionButton(i))
                button->EnableWindow(FALSE);
    }
    if (G_VxWlLib.VXWL_GetWinOS() <= 11 || !kind_button(BTN_RADIO))
        return;
    // The hosted network needs the radio: its page gives way to the site survey.
    CShadeButtonST* const extap = kind_button(BTN_EXTAP);
    CShadeButtonST* const survey = kind_button(BTN_SITESURVEY);
    if (extap && extap->m_bHighlighted && survey && survey->m_hWnd)
        survey->SendMessage(BM_CLICK);
    if (g_pHideDlg)
        g_pHideDlg->m_bHideAPButton = TRUE;
    TraceMsg(TRACE_STEP, "[Kivra] Radio OFF, set m_bHideAPButton as TRUE\n");
    ShoworHideSTAButton();
}

void CVxUI2008Dlg::turn_radio_on()
{
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    if (win_os < 10)
        show_scan_wait_rows();
    set_row_icon(kind_button(BTN_RADIO), kIconRadioOn, 0);
    if (m_pPageWPSDlg) {
        WPS_MODE mode {};
        WPS_PROFILE profile {};
        G_VxWlLib.VXWL_ReadWPSProfile(&mode, &profile);
        if (CWnd* const rescan = m_pPageWPSDlg->ActionButton(0))
            rescan->EnableWindow(TRUE);
        // The enrollee may start a push-button run again.
        if (mode.ConfigMode == 0)
            if (CWnd* const push_button = m_pPageWPSDlg->ActionButton(1))
                push_button->EnableWindow(TRUE);
    }
    if (!g_pHideDlg)
        return;
    if (win_os < 10 && G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM) {
        if (m_pPageSiteSurveyDlg) {
            m_pPageSiteSurveyDlg->m_bConnectByBssid = FALSE;
            m_pPageSiteSurveyDlg->m_bConnectBySsid = FALSE;
        }
        g_pHideDlg->m_nTimerReconnect = g_pHideDlg->SetTimer(TIMER_HIDE_DLG_RECONNECT, kReconnectAfterRadioOnMs);
    }
    g_pHideDlg->m_nTimerRescan = g_pHideDlg->SetTimer(TIMER_HIDE_DLG_RESCAN, kRescanAfterRadioOnMs);
}

// Both access point lists wait for the first scan with the radio on.
void CVxUI2008Dlg::show_scan_wait_rows()
{
    if (m_pPageSiteSurveyDlg)
        m_pPageSiteSurveyDlg->ShowScanWait();
    if (m_pPageWPSDlg)
        m_pPageWPSDlg->ShowScanWait();
}

// [SECTION] Help

// The folder of the program's help file path: the program's own folder.
std::string CVxUI2008Dlg::help_folder()
{
    std::string folder = GetProgramFolder();
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder;
}

std::string CVxUI2008Dlg::help_file_name()
{
    return GetSystemDefaultLangID() == kTraditionalChinese ? "VXCONFIGCHN.CHM" : "VXCONFIGENG.CHM";
}

bool CVxUI2008Dlg::help_file_exists()
{
    std::string const path = help_folder() + "\\" + help_file_name();
    return PathFileExistsA(path.c_str()) != FALSE;
}

void CVxUI2008Dlg::OnHelp()
{
    for (const char* title : kHelpWindowTitles)
        if (::FindWindow(nullptr, title))
            return;
    std::string const folder = help_folder();
    ::ShellExecute(m_hWnd, "open", help_file_name().c_str(), nullptr, folder.c_str(), SW_SHOW);
    set_row_icon(kind_button(BTN_HELP), kIconHelp, 0);
}

BOOL CVxUI2008Dlg::OnHelpInfo(HELPINFO*)
{
    if (help_file_exists())
        OnHelp();
    return TRUE;
}

// [SECTION] Timer

// Nothing arms a timer on this window: the rotation runs on the hidden dialog's timer 10.
void CVxUI2008Dlg::OnTimer(UINT_PTR nIDEvent)
{
    CResizeDlg::OnTimer(nIDEvent);
}

void CVxUI2008Dlg::RotateProfileTick()
{
    VXWL_U32 ccx = 0;
    G_VxWlLib.VXWL_ReadCCX2Cont(&ccx);
    if (ccx & kRotateProfileBit)
        rotate_profile_step();
}

// While the link stays down for three ticks, the next stored profile is made current. The
// link is asked each tick: a status that is never read would never show a lost link.
void CVxUI2008Dlg::rotate_profile_step()
{
    VXWL_U32 count = 0;
    G_VxWlLib.VXWL_ReadProfileList(nullptr, &count);
    if (count < 1)
        return;
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST {});
    if (status.Status != VxStatus_Disconnected) {
        m_nRotationTicks = 0;
        return;
    }
    if (++m_nRotationTicks < kRotationTicks)
        return;
    m_nRotationTicks = 0;
    if (++m_nRotationIndex >= static_cast<int>(count))
        m_nRotationIndex = 0;
    std::vector<WLANPROFILE> profiles(count);
    if (G_VxWlLib.VXWL_ReadProfileList(profiles.data(), &count) != VXWL_ERROR_SUCCESS
        || m_nRotationIndex >= static_cast<int>(count))
        return;
    G_VxWlLib.VXWL_WriteWPSFlag(0);
    char name[128] {};
    WLANPROFILE const& profile = profiles[static_cast<size_t>(m_nRotationIndex)];
    std::memcpy(name, profile.strProfileName, strnlen(profile.strProfileName, sizeof name - 1));
    TraceMsg(TRACE_STEP, "[Kivra] Rotate to profile %s\n", name);
    G_VxWlLib.VXWL_CopyProfileToCurrentSetting(name);
    if (m_pPageSiteSurveyDlg) {
        m_pPageSiteSurveyDlg->m_bConnectByBssid = FALSE;
        m_pPageSiteSurveyDlg->m_bConnectBySsid = FALSE;
    }
    if (m_pPageProfileDlg)
        m_pPageProfileDlg->SetOidFromReg(FALSE);
}
