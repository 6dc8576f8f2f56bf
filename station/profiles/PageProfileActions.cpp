// CPageProfileDlg: the six buttons and the re-application of the active profile. Add and Edit
// ask the configuration window for the editor; Delete and Activate change the library's stored
// and current profiles; Import and Export move one profile through a ".prof" file.
#include "station/profiles/PageProfileDlg.h"

#include "platform/framework/MessageBox.h"
#include "platform/system/FileDialog.h"
#include "station/core/AdvanceSettings.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "wlan/profile/ProfileFields.h"

#include <cstdio>
#include <cstring>

namespace {

// Filter "PROF (*.prof)", as the file dialogs read it: label, pattern, and an empty end.
constexpr char kProfileFilter[] = "PROF (*.prof)\0*.prof\0";
constexpr char kProfileExtension[] = "prof";
constexpr int kPathBytes = 128;
constexpr int kZeroConfigSystem = 2;

// The file dialog's fields the page fills, over a zeroed `path` of kPathBytes.
OPENFILENAME file_dialog(char* path, DWORD flags)
{
    OPENFILENAME ofn {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hide_dlg_services().config_window();
    ofn.lpstrFilter = kProfileFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathBytes;
    ofn.lpstrDefExt = kProfileExtension;
    ofn.Flags = flags;
    return ofn;
}

bool file_exists(char const* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

}

void CPageProfileDlg::send_to_window(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (HWND const window = hide_dlg_services().config_window())
        ::SendMessage(window, message, wParam, lParam);
}

// A question the user can say no to: the framework's box with OK and Cancel.
bool CPageProfileDlg::ask(std::string const& text) const
{
    return AfxMessageBox(text.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

// [SECTION] Add and Edit

void CPageProfileDlg::OnAdd() { send_to_window(MSG_SHOW_PROFILEEDITOR, 4, 0); }

void CPageProfileDlg::OnEdit()
{
    if (!config_service_usable())
        return;
    int const row = chosen_row();
    if (row >= 0)
        send_to_window(MSG_SHOW_PROFILEEDITOR, 5, row);
}

// [SECTION] Delete

void CPageProfileDlg::OnDelete()
{
    if (G_VxWlLib.VXWL_GetWinOS() >= 10 && G_VxWlLib.VXWL_CheckMSConfigService() == 0)
        return;
    int const row = chosen_row();
    if (row < 0)
        return;
    ProfileListItem const item = Row(row);
    if (item.strName.CompareNoCase(m_strProfile) == 0 && m_bActiveProfile) {
        if (!ask(G_UiStr.IDS_DELCURRENTPROF))
            return;
        delete_active_profile();
    }
    m_nDeleteFlag = delete_flag_for(item);
    TraceMsg(TRACE_STEP, "[Kivra] call VXWL_DeleteProfile(%s, %d)\n", item.strName.GetString(), m_nDeleteFlag);
    G_VxWlLib.VXWL_DeleteProfile(item.strName, m_nDeleteFlag);
    after_delete(row);
    send_to_window(MSG_SHOW_PROFILEEDITOR, 0, 0);
}

void CPageProfileDlg::delete_active_profile()
{
    m_bActiveProfile = FALSE;
    hide_dlg_services().zero_current_profile();
    G_VxWlLib.VXWL_ResetToDefaultConnecctionSetting();
    m_strProfile.Empty();
    VXWL_U32 wps = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&wps);
    if (wps == 0 && G_VxWlLib.VXWL_GetWinOS() < 10) {
        G_bManualConnect = TRUE;
        SetOidFromReg(FALSE);
    }
}

int CPageProfileDlg::delete_flag_for(ProfileListItem const& row) const
{
    WLAN_STATUS link {};
    WLAN_STATUS_REQUEST request {};
    request.Switch[1] = 1;
    G_VxWlLib.VXWL_QueryWLANStatus(&link, request);
    char active[PROFILE_NAME_SIZE] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(active);
    active[sizeof active - 1] = '\0';
    return station::profiles::DeleteFlag(row.strSSID.str(), row.strName.str(), link, active);
}

void CPageProfileDlg::after_delete(int old_row)
{
    RefreshProfileList(TRUE);
    if (RowCount() == 0) {
        clear_detail();
        Invalidate();
        return;
    }
    int const row = old_row < RowCount() ? old_row : RowCount() - 1;
    m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    select_row(row);
    m_listProfile.SetFocus();
    ShowDetail();
}

// [SECTION] Activate

void CPageProfileDlg::OnActivate()
{
    int const os = G_VxWlLib.VXWL_GetWinOS();
    if ((G_VxWlLib.VXWL_CheckMSConfigService() == 0 && os >= 10) || G_VxWlLib.VXWL_ReadRadioStatus() == 0)
        return;
    int const row = chosen_row();
    if (row < 0)
        return;
    G_bManualConnect = TRUE;
    if (os < 10)
        G_VxWlLib.VXWL_WriteSSOReleaseSUP();
    m_strProfile = Row(row).strName;
    m_strActiveSSID = Row(row).strSSID;
    ActivateProfile(row);
}

void CPageProfileDlg::ActivateProfile(int row)
{
    CString const name = Row(row).strName;
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::ActivateProfile(%s)\n", name.GetString());
    G_VxWlLib.VXWL_WriteWPSFlag(0);
    m_bActiveProfile = TRUE;
    if (G_VxWlLib.VXWL_GetWinOS() < 10)
        UpdateSSOProfile();
    G_VxWlLib.VXWL_CopyProfileToCurrentSetting(name);
    SetOidFromReg(FALSE);
    RefreshProfileList(TRUE);
}

// The profile checked is the one being activated (m_strProfile): the library's active profile is
// still the one before it, which the activation is about to replace.
void CPageProfileDlg::UpdateSSOProfile()
{
    char name[PROFILE_NAME_SIZE] {};
    wlan::profile::write_text(name, m_strProfile.str());
    name[sizeof name - 1] = '\0';
    WLANPROFILE record {};
    G_VxWlLib.VXWL_ReadProfileData(&record, name);
    bool const type_enabled = IsSSOProfileType(record);
    SSO_STATUS status {};
    G_VxWlLib.VXWL_ReadSSOStatus(&status);
    if (!type_enabled && status.bEnabled)
        ShowMessageBox(G_UiStr.IDS_PROFILE_NOSSO);
    if (G_VxWlLib.VXWL_WriteSSOProfileAndFunc)
        G_VxWlLib.VXWL_WriteSSOProfileAndFunc(name, type_enabled ? 0 : 1);
    status = SSO_STATUS {};
    G_VxWlLib.VXWL_ReadSSOStatus(&status);
    if (status.bEnabled)
        hide_dlg_services().show_sso_profile(name);
}

// The library's record of the active profile, with the CCX word and, when asked, the advanced
// settings applied together with it. The record is read into a copy first and the added words
// laid over it, so that reading it does not wipe them out.
void CPageProfileDlg::SetOidFromReg(BOOL bSetAdvance)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::SetOidFromReg(%d)\n", bSetAdvance);
    m_nActionType = actionTypeProfile;
    WLANPROFILE& record = *m_pActionProfile;
    record = WLANPROFILE {};
    m_bActiveProfile = FALSE;
    VXWL_U32 wps = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&wps);
    WPS_MODE mode {};
    WPS_PROFILE credentials {};
    G_VxWlLib.VXWL_ReadWPSProfile(&mode, &credentials);
    VXWL_U32 ccx = 0;
    G_VxWlLib.VXWL_ReadCCX2Cont(&ccx);
    KT_802_11_STA_CONFIG sta {};
    std::uint32_t region = 0;
    if (bSetAdvance) {
        ADVANCE_CONFIG_DATA config {};
        G_VxWlLib.VXWL_ReadAdvanceCfgData(&config);
        G_VxWlLib.VXWL_SetAdvanceSetting(BuildAdvanceOid(config));
        G_VxWlLib.VXWL_QuerySTAConfig(&sta);
        region = config.CountryRegionABand * 256 + config.CountryRegion;
    }
    if (wps == 0) {
        char name[PROFILE_NAME_SIZE] {};
        G_VxWlLib.VXWL_ReadActiveProfileName(name);
        name[sizeof name - 1] = '\0';
        G_VxWlLib.VXWL_ReadProfileData(&record, name);
        m_bActiveProfile = name[0] != '\0';
    }
    record.CCX2Control = ccx;
    record.bSetAdvance = bSetAdvance ? 1 : 0;
    if (bSetAdvance) {
        record.configSta = sta;
        record.nCountryRegion = region;
    }
    // A connection that belongs to WPS is the WPS page's: nothing is queued over it.
    if (wps != 0) {
        TraceMsg(TRACE_STEP, "[Kivra] WPS flag is set: no profile queued\n");
        return;
    }
    send_to_window(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG, 0);
}

// [SECTION] Import and Export

void CPageProfileDlg::OnImport()
{
    char path[kPathBytes] {};
    OPENFILENAME ofn = file_dialog(path, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    if (!GetOpenFileName(&ofn)) {
        TraceMsg(TRACE_STEP, "[Kivra] GetOpenFileName() return FALSE, GetLastError() return %d\n", int(CommDlgExtendedError()));
        return;
    }
    int const result = G_VxWlLib.VXWL_ImportProfile(path);
    TraceMsg(TRACE_STEP, "[Kivra] VXWL_ImportProfile(%s) return %d\n", path, result);
    switch (result) {
    case 0: RefreshProfileList(TRUE); return;
    case -15: ShowMessageBox(G_UiStr.IDS_IM_EXPORT_PROFILE_NO_PROFILE); return;
    case -14: ShowMessageBox(G_UiStr.IDS_IM_EXPORT_PROFILE_MORE_THAN_ONE); return;
    case -16: ShowMessageBox(G_UiStr.IDS_IM_EXPORT_PROFILE_PROFILE_EXIST); return;
    default: ShowMessageBox(G_UiStr.IDS_IM_EXPORT_PROFILE_OPEN_FILE_FAIL); return;
    }
}

// The library writes the file whole or not at all, so the page neither creates nor empties
// it first: a failed export leaves an existing file as it was.
void CPageProfileDlg::OnExport()
{
    int const row = chosen_row();
    if (row < 0)
        return;
    char path[kPathBytes] {};
    OPENFILENAME ofn = file_dialog(path, OFN_HIDEREADONLY);
    if (!GetSaveFileName(&ofn)) {
        TraceMsg(TRACE_STEP, "[Kivra] GetSaveFileName() return FALSE, GetLastError() return %d\n", int(CommDlgExtendedError()));
        return;
    }
    if (file_exists(path) && !ask(G_UiStr.IDS_IM_EXPORT_EXPORT_FILE_EXIST))
        return;
    int const result = G_VxWlLib.VXWL_ExportProfile(Row(row).strName, path);
    TraceMsg(TRACE_STEP, "[Kivra] VXWL_ExportProfile(%s) return %d\n", path, result);
    if (result != VXWL_ERROR_SUCCESS)
        ShowMessageBox(G_UiStr.IDS_IM_EXPORT_PROFILE_OPEN_FILE_FAIL);
}
