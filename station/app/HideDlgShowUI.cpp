// CHideDlg: showing the configuration window, created on first use and re-created when its
// window has gone. Each show starts from the same view: the radio button follows the hardware
// switch, the site survey page is pressed and rescans, the lower area shows link status and
// the window opens collapsed in front.
#include "station/app/HideDlg.h"

#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"

namespace {

constexpr UINT kRotationPollMs = 10000;

// The first window of the run learns which stored profile is active.
void hand_active_profile(CVxUI2008Dlg& window)
{
    char name[129] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    TraceMsg(TRACE_STEP, "[Kivra] active profile: %s\n", name);
    if (!window.m_pPageProfileDlg)
        return;
    window.m_pPageProfileDlg->m_strProfile = name;
    if (name[0] != '\0')
        window.m_pPageProfileDlg->m_bActiveProfile = TRUE;
}

// Presses a button the way a click does, so that its parent handles it as one.
void click(CWnd* button)
{
    if (button && button->m_hWnd)
        button->SendMessage(BM_CLICK);
}

}

void CHideDlg::ShowConfigUI()
{
    bool const alive = m_pVxUI && m_pVxUI->m_hWnd && ::IsWindow(m_pVxUI->m_hWnd);
    if (!alive) {
        bool const first = m_pVxUI == nullptr;
        delete m_pVxUI;
        g_bExitingUI = FALSE;
        m_pVxUI = new CVxUI2008Dlg(this);
        m_pVxUI->Create(IDD_VXUI2008_DIALOG, this);
        if (!m_pVxUI->m_hWnd) {
            // Nothing to show; the next request tries again as the first.
            TraceMsg(TRACE_FAIL, "[Kivra] ShowConfigUI: the configuration window was not created\n");
            delete m_pVxUI;
            m_pVxUI = nullptr;
            return;
        }
        set_config_window(m_pVxUI->m_hWnd);
        if (first)
            hand_active_profile(*m_pVxUI);
    }
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    if (win_os < 10) {
        // The hidden dialog's own polling tick doubles as the profile rotation's clock.
        if (m_pVxUI->m_pPageCCXConfigDlg && m_pVxUI->m_pPageCCXConfigDlg->m_bRotateProfile)
            SetTimer(TIMER_HIDE_DLG_CCX, kRotationPollMs);
        else
            KillTimer(TIMER_HIDE_DLG_CCX);
    }
    VXWL_U32 hardware = 1;
    VXWL_U32 software = 1;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    m_pVxUI->EnableRadioButton(hardware != 0);
    if (win_os > 11) {
        G_VxWlLib.VXWL_QueryOPMode();
        m_pVxUI->ShoworHideSTAButton();
        click(m_pVxUI->kind_button(BTN_SITESURVEY));
        if (CPageSiteSurveyDlg* const survey = m_pVxUI->site_survey_page(); survey && survey->m_hWnd)
            click(survey->GetDlgItem(CPageSiteSurveyDlg::IDC_RESCAN));
    }
    m_pVxUI->ShowSubDialog(CVxUI2008Dlg::SUB_LINK_STATUS);
    // Shown collapsed: the flag is set, so the toggle clears it.
    m_pVxUI->set_expanded_flag(TRUE);
    m_pVxUI->ToggleExpand();
    m_pVxUI->ShowAndActivate();
}
