// CPageWPSDlg: the run's status, polled every 200 ms while a run is under way. The codes, texts
// and progress positions are WpsStatusTable's; what each code does to the run is here.
#include "station/features/PageWPSDlg.h"

#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/core/WpsGlobals.h"
#include "station/features/WpsPin.h"
#include "station/features/WpsStatusTable.h"

using namespace station::features;

namespace {

constexpr int kNewerSystem = 10;
constexpr UINT kConnectWatchMs = 2000;

}

bool CPageWPSDlg::valid_row() const { return G_nCurSelItem >= 0 && G_nCurSelItem < int(ApRows().size()); }

// The rules by which a failed PIN run moves on to the next access point; a push-button run
// only shows the text.
void CPageWPSDlg::next_access_point(int rule)
{
    if (G_nWPSMode != WPS_RUN_PIN)
        return;
    bool const automatic = m_bAutoSelect == 1;
    bool const go_on = valid_row() && (rule == 3 || automatic);
    if (!go_on) {
        G_nCurSelItem = -1;
        return;
    }
    if (rule != 1)
        KillTimer(TIMER_WPS_NDIS_MEDIA_DISCONNECTED);
    if (rule == 4)
        StopWpsRoutine(TRUE);
    OnPinConnect();
}

void CPageWPSDlg::on_wps_success()
{
    KillTimer(TIMER_WPS_DLG_TWO_MINUTES);
    KillTimer(TIMER_WPS_NDIS_MEDIA_DISCONNECTED);
    G_nCurSelItem = -1;
    G_nWPSMode = WPS_RUN_NONE;
    m_bRescan = FALSE;
    RescanTimeEnd();
    UpdateWpsButtons();
    StopWpsRoutine(FALSE);
    m_progress.SetPos(100);
    WPS_PROFILE fresh {};
    G_VxWlLib.VXWL_QueryWPSProfile(&fresh);
    m_WpsProfile = ClampWpsProfile(fresh);
    int channel = 0;
    G_VxWlLib.VXWL_QueryWPSAPChannel(&channel);
    G_nWpsApChannel = channel;
    WriteBackWpsProfiletoRegistry();
    DisplayWPSProfile();
    MarkWpsProfileRow(m_nCurProfile, 1);
    if (m_WpsProfile.ProfileCnt == 0)
        return;
    m_nConnectTick = 1;
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, DLG_MSG_EXCHANGE, PAGE_WPS_DLG, 0);
    SetTimer(TIMER_WPS_DLG_CONNECT_STATUS, kConnectWatchMs);
}

int CPageWPSDlg::GetWPSStatus()
{
    VXWL_U32 word = 0;
    if ((G_VxWlLib.VXWL_QueryWPSStatus(&word) & 0xFF) != 1)
        return 0;
    WpsStatusLine const line = DecodeWpsStatus(word);
    if (line.progress)
        m_progress.SetPos(*line.progress);
    m_strStatus = line.text.c_str();
    bool const newer = G_VxWlLib.VXWL_GetWinOS() >= kNewerSystem;
    switch (line.action) {
    case WpsStatusAction::None: break;
    case WpsStatusAction::NotUsed:
        KillTimer(TIMER_WPS_DLG_STATUS);
        if (newer)
            StopWpsRoutine(TRUE);
        next_access_point(2);
        break;
    case WpsStatusAction::Idle: next_access_point(2); break;
    case WpsStatusAction::Success: on_wps_success(); break;
    case WpsStatusAction::NextPin: next_access_point(1); break;
    case WpsStatusAction::NextPinAuto: next_access_point(2); break;
    case WpsStatusAction::NextPinAnyway: next_access_point(3); break;
    case WpsStatusAction::StopThenNext:
        StopWpsRoutine(TRUE);
        next_access_point(2);
        break;
    case WpsStatusAction::StopDisconnect:
        StopWpsRoutine(TRUE);
        if (m_bAutoSelect == 0) {
            if (!newer) {
                OnWpsDisconnect();
            } else {
                G_VxWlLib.VXWL_WPSDisconnect();
                G_bRotateProfile = FALSE;
            }
        }
        next_access_point(2);
        break;
    case WpsStatusAction::RestartNext: next_access_point(4); break;
    }
    SetDlgItemText(IDC_STATUS, line.text.c_str());
    return 0;
}
