// CHideDlg: the polling tick (timer 1 every two seconds, timer 4 while the driver is not ready),
// the radio messages of the library and the power and device-change broadcasts.
#include "accesspoint/app/HideDlg.h"

#include "accesspoint/core/Trace.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/EventArray.h"
#include "accesspoint/pages/SheetModalGuard.h"

#include <algorithm>

namespace hotvane {

void CHideDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_bDialogRunning)
        return;
    if (nIDEvent == TIMER_WAIT_DRIVER)
        wait_driver_tick();
    else if (nIDEvent != TIMER_POLL)
        return;
    if (G_bDeviceRemoved || !m_bDeviceExist || !G_VxApApi.VXAP_IsDeviceExist(&G_VxApApi.adapter)) {
        adapter_gone_tick();
        return;
    }
    if (!m_bRadioOn) {
        ModifyTaskBar(IDI_AP_LOST);
        return;
    }
    radio_on_tick();
}

// The wait ends when the driver is ready or the counter reaches the option's limit (at least
// one tick): the configuration is then applied anyway.
void CHideDlg::wait_driver_tick()
{
    ++m_nCountReconnect;
    KillTimer(TIMER_WAIT_DRIVER);
    m_nTimerWaitDriver = 0;
    VXAP_U32 state = 0;
    G_VxApApi.VXAP_QueryInitialState(&state);
    int const limit = std::max(1, G_VxApApi.WaitforDriverInitialized);
    if (state == 1 || m_nCountReconnect >= limit) {
        m_nCountReconnect = 0;
        apply_when_ready(false);
        return;
    }
    m_nTimerWaitDriver = SetTimer(TIMER_WAIT_DRIVER, WAIT_DRIVER_INTERVAL_MS);
}

// The sheet goes (not under a page's modal loop: then this waits for the loop's end), and the
// adapter is looked for again.
void CHideDlg::adapter_gone_tick()
{
    if (CSheetModalGuard::count() != 0) {
        m_bAdapterGoneWaiting = true;
        return;
    }
    KillTimer(TIMER_POLL);
    destroy_sheet();
    m_bDeviceExist = G_VxApApi.VXAP_IsDeviceExist(&G_VxApApi.adapter) ? TRUE : FALSE;
    m_nTimerPoll = SetTimer(TIMER_POLL, POLL_INTERVAL_MS);
    if (m_bDeviceExist && G_bDeviceRemoved) {
        ModifyTaskBar(IDI_AP_LOST);
        InitCard();
        G_bDeviceRemoved = FALSE;
    } else if (!m_bDeviceExist) {
        ModifyTaskBar(IDI_AP_NOTEXIST);
        DetectAdapter();
    }
}

void CHideDlg::radio_on_tick()
{
    VXAP_U32 applied = 0;
    VXAP_U32 stored = 0;
    G_VxApApi.VXAP_QueryAuthMode(&applied);
    G_VxApApi.VXAP_ReadAuthMode(&stored);
    if (applied != stored)
        SetOidFromReg();
    int rssi = 0;
    G_VxApApi.VXAP_QuerySignalStrength(&rssi);
    ModifyTaskBar(SignalIconFor(G_VxApApi.VXAP_ConvertRssiToSignalQuality(rssi)));
    append_events();
    if (sheet_open())
        m_pPropSheet->RefreshPages();
    if (G_VxApApi.VXAP_GetWinOS() < OS_NEWER && G_VxApApi.VXAP_IsZeroConfig())
        G_VxApApi.VXAP_StopXpZeroConfig();
}

void CHideDlg::append_events()
{
    EventTable table {};
    if (G_VxApApi.VXAP_QueryEventTable(&table))
        AppendEventTable(table);
}

LRESULT CHideDlg::OnTurnOnRadio(WPARAM, LPARAM)
{
    if (!m_bRadioOn) {
        SetVistaWindowsProfile("getUpdatedSSID");
        m_bRadioOn = TRUE;
    }
    return 0;
}

LRESULT CHideDlg::OnTurnOffRadio(WPARAM, LPARAM)
{
    if (m_bRadioOn) {
        ModifyTaskBar(IDI_AP_LOST);
        m_bRadioOn = FALSE;
    }
    return 0;
}

void CHideDlg::on_power_broadcast(WPARAM event)
{
    if (event == PBT_APMSUSPEND) {
        KillAllTimer();
        return;
    }
    if (event != PBT_APMRESUMEAUTOMATIC)
        return;
    m_nTimerPoll = SetTimer(TIMER_POLL, POLL_INTERVAL_MS);
    m_nCountReconnect = 0;
    VXAP_U32 state = 0;
    G_VxApApi.VXAP_QueryInitialState(&state);
    if (state == 1)
        apply_when_ready(true);
    else
        m_nTimerWaitDriver = SetTimer(TIMER_WAIT_DRIVER, WAIT_DRIVER_INTERVAL_MS);
}

void CHideDlg::on_device_change()
{
    if (G_VxApApi.VXAP_IsDeviceExist(&G_VxApApi.adapter))
        return;
    G_bDeviceRemoved = TRUE;
    CloseHelpWindows();
}

}
