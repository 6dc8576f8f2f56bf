// CHideDlg: the WPS timers. The adapter's push button starts a run (timer 5), whose status is
// polled every 200 ms (timer 6) while the WPS page rescans every 20 s (timer 7); a run that
// brings credentials connects with them and tries them in turn (timer 4) until one holds.
#include "station/app/HideDlg.h"

#include "station/app/VxUI2008Dlg.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/PageWPSDlg.h"

namespace {

constexpr UINT kWpsStatusMs = 200;
constexpr UINT kWpsRescanMs = 20000;
constexpr VXWL_U32 kWpsStatusMask = 0x0FFFFFFF;
constexpr VXWL_U32 kWpsIdle = 0;
constexpr VXWL_U32 kWpsSuccess = 15;

// The run ended without credentials: time-outs and failures of the registrar's exchange.
bool wps_run_failed(VXWL_U32 status)
{
    return (status >= 260 && status <= 262) || (status >= 513 && status <= 516);
}

}

void CHideDlg::ProcWPS_HWPBC()
{
    VXWL_U32 pressed = 0;
    G_VxWlLib.VXWL_QueryWPSHwPbc(&pressed);
    if (!pressed)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] WPS hardware push button pressed\n");
    if (config_window_alive() && m_pVxUI->m_pPageWPSDlg)
        m_pVxUI->m_pPageWPSDlg->m_bHWPBC = TRUE;
    G_VxWlLib.VXWL_WriteWPSFlag(TRUE);
    bool const older = G_VxWlLib.VXWL_GetWinOS() < 10;
    if (older) {
        G_VxWlLib.VXWL_StopAuth();
        G_VxWlLib.VXWL_SetAuthMode(0);
    } else {
        G_VxWlLib.VXWL_WlanDeleteAllWindowsProfiles();
    }
    for (UINT id : { TIMER_HIDE_DLG_RETRY_CON, TIMER_HIDE_DLG_WPS_ROTATE, TIMER_HIDE_DLG_WPS_STATUS,
             TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN })
        KillTimer(id);
    if (older)
        SetTimer(TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN, kWpsRescanMs);
    SetTimer(TIMER_HIDE_DLG_WPS_STATUS, kWpsStatusMs);
}

void CHideDlg::ProcWPSStatus()
{
    VXWL_U32 status = 0;
    if (G_VxWlLib.VXWL_QueryWPSStatus(&status) != VXWL_ERROR_SUCCESS)
        return;
    status &= kWpsStatusMask;
    if (status == kWpsIdle) {
        KillTimer(TIMER_HIDE_DLG_WPS_STATUS);
        return;
    }
    if (status != kWpsSuccess && !wps_run_failed(status))
        return;
    for (UINT id : { TIMER_HIDE_DLG_WPS_ROTATE, TIMER_HIDE_DLG_WPS_STATUS, TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN })
        KillTimer(id);
    if (status != kWpsSuccess)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] WPS status is success\n");
    store_wps_credentials();
    if (m_WpsProfile.ProfileCnt == 0)
        return;
    ConnectWpsProfile();
    UINT const period = UINT(std::max(0, G_VxWlLib.nWPSRotatePeriod)) * 1000u;
    TraceMsg(TRACE_STEP, "[Kivra] call SetTimer(), TIMER_HIDE_DLG_WPS_ROTATE, %dms\n", int(period));
    SetTimer(TIMER_HIDE_DLG_WPS_ROTATE, period);
}

// The run's credentials go to the library's store under the stored mode, with the access
// point's channel; the WPS page shows them when it exists. Nothing else would store them
// while the window is closed.
void CHideDlg::store_wps_credentials()
{
    WPS_PROFILE stored {};
    G_VxWlLib.VXWL_ReadWPSProfile(&m_WpsMode, &stored);
    m_WpsProfile = WPS_PROFILE {};
    G_VxWlLib.VXWL_QueryWPSProfile(&m_WpsProfile);
    int channel = 0;
    if (G_VxWlLib.VXWL_QueryWPSAPChannel(&channel) == VXWL_ERROR_SUCCESS && channel > 0 && channel < 256)
        m_WpsMode.Channel = BYTE(channel);
    G_VxWlLib.VXWL_WriteWPSProfile(m_WpsMode, m_WpsProfile);
    if (config_window_alive() && m_pVxUI->m_pPageWPSDlg) {
        m_pVxUI->m_pPageWPSDlg->m_WpsProfile = m_WpsProfile;
        m_pVxUI->m_pPageWPSDlg->DisplayWPSProfile();
    }
}

void CHideDlg::ProcWPSRoutineRescan()
{
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        return;
    if (config_window_alive() && m_pVxUI->m_pPageWPSDlg)
        m_pVxUI->m_pPageWPSDlg->RescanTimeEnd();
    KillTimer(TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN);
}

void CHideDlg::ProcWPSRotate()
{
    WPS_MODE mode {};
    WPS_PROFILE list {};
    G_VxWlLib.VXWL_ReadWPSProfile(&mode, &list);
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST {});
    VXWL_U32 flag = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&flag);
    bool const rotating = flag && list.ProfileCnt > 0 && G_VxWlLib.VXWL_IsZeroConfig() != VXWL_ZERO_CONFIG_SYSTEM;
    if (rotating && status.Status != VxStatus_Connected) {
        TraceMsg(TRACE_STEP, "[Kivra] WPS rotation: try the next credential\n");
        ConnectWpsProfile();
        return;
    }
    KillTimer(TIMER_HIDE_DLG_WPS_ROTATE);
}
