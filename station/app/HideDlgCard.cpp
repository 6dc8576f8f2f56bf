// CHideDlg: choosing the adapter and bringing the card into the state the program expects.
#include "station/app/HideDlg.h"

#include "station/controls/SelCardDlg.h"
#include "station/app/StatusCallback.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"

#include <cstring>
#include <vector>

namespace {

// The library's adapter list, read with a second call when the first buffer was too small.
// The count is believed only as far as the entries the library was given room for: a second
// "too small", a failure or a negative count all read as no adapter.
std::vector<AdapterEntry> read_adapters()
{
    std::vector<BYTE> buffer(ADAPTER_LIST_HEADER_SIZE + sizeof(AdapterEntry));
    int answer = G_VxWlLib.VXWL_GetAvailableAdapters(buffer.data(), 1);
    std::int32_t count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    if (answer == VXWL_ERROR_BUFFER_TOO_SMALL && count > 1) {
        buffer.assign(ADAPTER_LIST_HEADER_SIZE + std::size_t(count) * sizeof(AdapterEntry), 0);
        answer = G_VxWlLib.VXWL_GetAvailableAdapters(buffer.data(), count);
    }
    if (answer != VXWL_ERROR_SUCCESS)
        return {};
    std::int32_t reported = 0;
    std::memcpy(&reported, buffer.data(), sizeof reported);
    std::size_t const room = (buffer.size() - ADAPTER_LIST_HEADER_SIZE) / sizeof(AdapterEntry);
    std::size_t const usable = reported <= 0 ? 0 : std::min<std::size_t>(std::size_t(reported), room);
    std::vector<AdapterEntry> adapters(usable);
    if (usable)
        std::memcpy(adapters.data(), buffer.data() + ADAPTER_LIST_HEADER_SIZE, usable * sizeof(AdapterEntry));
    return adapters;
}

void clear_adapter_texts()
{
    AdapterEntry& adapter = G_VxWlLib.adapter;
    adapter.FriendlyName[0] = '\0';
    adapter.DeviceDescription[0] = '\0';
    adapter.ServiceName[0] = '\0';
    adapter.DeviceName[0] = '\0';
}

bool same_name(char const (&a)[64], char const (&b)[64])
{
    return std::strncmp(a, b, sizeof a) == 0;
}

}

int CHideDlg::DetectAdapter()
{
    std::vector<AdapterEntry> adapters = read_adapters();
    int const count = int(adapters.size());
    TraceMsg(TRACE_STEP, "[Kivra] Adapter count = %d\n", count);
    if (count <= 0) {
        clear_adapter_texts();
        return count;
    }
    bool const remembered = G_VxWlLib.adapter.FriendlyName[0] == '\0'
        || same_name(G_VxWlLib.adapter.FriendlyName, adapters[0].FriendlyName);
    if (count == 1 && remembered) {
        G_VxWlLib.adapter = adapters[0];
    } else {
        CSelCardDlg dialog(this);
        dialog.SetAdapterList(adapters.data(), count);
        m_bDialogRunning = TRUE;
        dialog.DoModal();
        m_bDialogRunning = FALSE;
        G_VxWlLib.adapter = adapters[std::size_t(dialog.chosen_index())];
    }
    if (G_VxWlLib.VXWL_AdapterSelect(&G_VxWlLib.adapter, station::core::rsCallBackFunc, m_hWnd) != VXWL_ERROR_SUCCESS) {
        TraceMsg(TRACE_FAIL, "[Kivra] VXWL_AdapterSelect() return NOT VXWL_ERROR_SUCCESS!\n");
        return 0;
    }
    return count;
}

void CHideDlg::InitCard(BOOL bShowUI)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CHideDlg::InitCard\n");
    CheckConfigToolForXP();
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    if (win_os < 10 && G_VxWlLib.VXWL_IsZeroConfig() == VXWL_ZERO_CONFIG_SYSTEM && G_VxWlLib.VXWL_IsWpaCapable())
        G_VxWlLib.VXWL_Release();
    G_VxWlLib.VXWL_RunOnceInitConfigTxBurst();
    init_card_op_mode(win_os);
    if (m_bEnding) {
        TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::InitCard (handed to the mode switcher)\n");
        return;
    }
    m_bDialogRunning = TRUE;
    G_VxWlLib.VXWL_VerifyCountryRegion();
    m_bDialogRunning = FALSE;
    G_VxWlLib.VXWL_SetAndWriteRadioState(G_VxWlLib.VXWL_ReadRadioStatus());
    if (bShowUI)
        ShowConfigUI();
    init_card_connection();
    SetTimer(TIMER_HIDE_DLG_WPS_HW_PBC, 1000);
    TraceMsg(TRACE_STEP, "[Kivra] <-- CHideDlg::InitCard\n");
}

// A driver in another mode than the program expects is handed to the mode switcher, and the
// program ends.
void CHideDlg::init_card_op_mode(int win_os)
{
    if (win_os < 12) {
        if (G_VxWlLib.VXWL_QueryOPMode() != VXWL_OPMODE_STATION) {
            if (!G_VxWlLib.VXWL_SetAndWriteOPMode(VXWL_OPMODE_STATION))
                TraceMsg(TRACE_FAIL, "[Kivra] VXWL_SetAndWriteOPMode() return FALSE\n");
            OnTrayExit();
            RunVxSwap(0);
        }
        return;
    }
    int const stored = G_VxWlLib.VXWL_ReadOpMode();
    int const driver = G_VxWlLib.VXWL_QueryOPMode();
    if (stored != driver)
        G_VxWlLib.VXWL_SetAndWriteOPMode(driver);
    if (driver == VXWL_OPMODE_STATION) {
        m_bHideAPButton = TRUE;
        if (stored == VXWL_OPMODE_AP || stored == VXWL_OPMODE_AP_CLIENT) {
            G_VxWlLib.VXWL_HostedNetworkStopUsing();
            if (G_VxWlLib.VXWL_DetectUserAdmin()) {
                OnTrayExit();
                RunVxSwap(0);
            }
        }
    } else if (driver == VXWL_OPMODE_AP || driver == VXWL_OPMODE_AP_CLIENT) {
        m_bHideAPButton = FALSE;
    }
}

// Applies the stored settings when the adapter is not connected yet and arms the first
// reconnection and scan.
void CHideDlg::init_card_connection()
{
    VXWL_U32 hardware = 1, software = 1;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    bool const radio_on = hardware != 0 && software != 0;
    if (G_VxWlLib.VXWL_IsZeroConfig() == VXWL_ZERO_CONFIG_SYSTEM)
        return;
    // FIXME: make the site survey page refresh its list once the configuration window has it.
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST {});
    bool const connected = status.Status == VxStatus_Connected;
    if (!connected || G_VxWlLib.VXWL_IsWpaCapable() == 1) {
        if (G_VxWlLib.VXWL_GetWinOS() >= 10) {
            InitCard_SetOidFromReg(TRUE, FALSE);
            m_nTimerReconnect = SetTimer(TIMER_HIDE_DLG_RECONNECT, 4000);
        } else {
            InitCard_SetOidFromReg(TRUE, TRUE);
        }
    }
    if (radio_on) {
        ADVANCE_CONFIG_DATA config {};
        G_VxWlLib.VXWL_ReadAdvanceCfgData(&config);
        m_nTimerRescan = SetTimer(TIMER_HIDE_DLG_RESCAN, UINT(SetTimerForScanByChnList(int(config.WirelessMode))));
    }
}
