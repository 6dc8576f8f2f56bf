// CHideDlg: the retry timer. Armed by each profile the queue hands the library; when it fires
// and the link is not the current profile's, the profile is connected again.
#include "station/app/HideDlg.h"

#include "station/app/RetryDecision.h"
#include "station/app/VxUI2008Dlg.h"
#include "station/core/ScanList.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"

#include <cstring>

namespace {

// The element digest of the cached scan entry of `bssid`. With no such entry the digest stays
// zero: the library is handed nothing beyond the list.
IE_INFO_WPA digest_of(BYTE const (&bssid)[6])
{
    IE_INFO_WPA digest {};
    if (!G_VxWlLib.pBssidList)
        return digest;
    std::span<std::uint8_t const> const list(G_VxWlLib.pBssidList, station::core::kBssidListSize);
    for (auto const& entry : station::core::walk_bssid_list(list).entries) {
        auto const* record = reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(list.data() + entry.offset);
        if (std::memcmp(record->MacAddress, bssid, 6) == 0) {
            if (entry.consistent)
                G_VxWlLib.VXWL_ParseInfoElement(record, &digest);
            break;
        }
    }
    return digest;
}

}

void CHideDlg::ProcRetryConnection(WLAN_STATUS const& status)
{
    if (G_VxWlLib.VXWL_GetWinOS() >= 10 || G_VxWlLib.VXWL_CheckIEEE80211H() != 0)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] TIMER_HIDE_DLG_RETRY_CON\n");
    WLANPROFILE profile {};
    if (m_nTickCount == 0 || G_VxWlLib.VXWL_IsZeroConfig() == VXWL_ZERO_CONFIG_SYSTEM || !CopyProfile(profile)
        || m_bRetryHoldBack || !G_VxWlLib.VXWL_ReadRadioStatus())
        return;
    IE_INFO_WPA const digest = digest_of(status.Bssid);
    bool const wpa_capable = G_VxWlLib.VXWL_IsWpaCapable() != 0;
    if (!DecideRetry(RetryInputs { profile, status, digest, wpa_capable }))
        return;
    if (!config_window_alive() || !m_pVxUI->m_pPageProfileDlg || G_bReConnect != 1)
        return;
    TraceMsg(TRACE_STEP, "[Kivra] ------ Retry connection ------\n");
    if (profile.bBssid == 1) {
        {
            std::lock_guard lock(m_profileMutex);
            m_pProfData->bSetAdvance = 0;
        }
        if (InsertAction(actionTypeProfile, m_pProfData))
            ActionExec();
    } else {
        InitCard_SetOidFromReg(TRUE, TRUE);
    }
}
