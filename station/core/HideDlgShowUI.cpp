// CHideDlg: showing the configuration window, created on first use and re-created when its
// window has gone.
#include "station/core/HideDlg.h"

#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/VxUI2008Dlg.h"
#include "station/core/VxWlLib.h"

void CHideDlg::ShowConfigUI()
{
    bool const alive = m_pVxUI && m_pVxUI->m_hWnd && ::IsWindow(m_pVxUI->m_hWnd);
    if (!alive) {
        bool const first = m_pVxUI == nullptr;
        delete m_pVxUI;
        g_bExitingUI = FALSE;
        m_pVxUI = new CVxUI2008Dlg(this);
        m_pVxUI->Create(IDD_VXUI2008_DIALOG, this);
        if (first) {
            char name[128] {};
            G_VxWlLib.VXWL_ReadActiveProfileName(name);
            // FIXME: hand the name to the profile page once the configuration window has one.
            TraceMsg(TRACE_STEP, "[Kivra] active profile: %s\n", name);
        }
        int const win_os = G_VxWlLib.VXWL_GetWinOS();
        if (win_os < 10)
            KillTimer(TIMER_HIDE_DLG_CCX);
        VXWL_U32 hardware = 1, software = 1;
        G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
        m_pVxUI->EnableRadioButton(hardware != 0);
    }
    m_pVxUI->ShowAndActivate();
}
