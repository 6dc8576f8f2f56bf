// CPageProfileDlg: the detail panel of the selected row, the user's rights, the row a button
// acts on, and the name and ID proposed for a new profile.
#include "station/profiles/PageProfileDlg.h"

#include "station/core/CtrlHelpers.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <vector>

// [SECTION] Rights

// The panel tests the standard user's profile right for exactly 1, the rest of the page for
// any non-zero answer.
bool CPageProfileDlg::user_allowed() const
{
    return G_VxWlLib.VXWL_DetectUserAdmin() != 0 || G_VxWlLib.VXWL_IsAllowStandardUserSetProfile() != 0;
}

bool CPageProfileDlg::config_service_usable() const
{
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        return G_VxWlLib.VXWL_CheckMSConfigService() != 0;
    return G_VxWlLib.VXWL_IsZeroConfig() != 2;
}

void CPageProfileDlg::enable(std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        if (HWND control = ::GetDlgItem(m_hWnd, id))
            ::EnableWindow(control, on ? TRUE : FALSE);
}

// [SECTION] Rows the buttons act on

int CPageProfileDlg::selected_row() const
{
    return m_listProfile.m_hWnd ? m_listProfile.GetNextItem(-1, LVNI_SELECTED) : -1;
}

void CPageProfileDlg::select_row(int row)
{
    if (!m_listProfile.m_hWnd || row < 0 || row >= RowCount())
        return;
    m_listProfile.SetItemCountEx(RowCount());
    m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_listProfile.EnsureVisible(row, FALSE);
}

int CPageProfileDlg::chosen_row()
{
    int const row = selected_row();
    if (row >= 0 && row < RowCount())
        return row;
    if (RowCount() == 1)
        return 0;
    ShowMessageBox(G_UiStr.IDS_NOSELECTEDITEM);
    return -1;
}

// [SECTION] Detail panel

void CPageProfileDlg::OnClickList(NMHDR*, LRESULT* result)
{
    ShowDetail();
    *result = 0;
}

void CPageProfileDlg::clear_detail()
{
    enable({ IDC_DELETE, IDC_EDIT, IDC_ACTIVATE, IDC_EXPORT }, false);
    for (int id : kDetailIds)
        SetDlgItemText(id, "");
    m_strFullName.Empty();
    m_strFullSSID.Empty();
}

void CPageProfileDlg::ShowDetail()
{
    int row = selected_row();
    if (row < 0 && RowCount() == 1)
        row = 0;
    if (row < 0 || row >= RowCount()) {
        clear_detail();
        return;
    }
    WLANPROFILE record {};
    G_VxWlLib.VXWL_ReadProfileData(&record, Row(row).strName);
    int const channel = station::profiles::NetworkIndex(record.enumNetworkType) == 0
        ? G_VxWlLib.VXWL_FrequencyToChannel(VXWL_U32(record.lFreq))
        : 0;
    auto const detail = station::profiles::DescribeProfile(record, m_texts, channel);
    m_strFullName = detail.name.c_str();
    m_strFullSSID = detail.ssid.c_str();
    std::string const values[] = { station::profiles::ShortText(detail.name), station::profiles::ShortText(detail.ssid),
        detail.network, detail.auth, detail.cipher, detail.dot1x, detail.tx_power, detail.channel, detail.power_save,
        detail.rts, detail.frag };
    for (std::size_t i = 0; i < std::size(kDetailIds); ++i)
        SetDlgItemText(kDetailIds[i], values[i].c_str());
    bool const allowed = G_VxWlLib.VXWL_DetectUserAdmin() != 0 || G_VxWlLib.VXWL_IsAllowStandardUserSetProfile() == 1;
    if (allowed)
        enable({ IDC_DELETE, IDC_EDIT, IDC_EXPORT }, true);
    else
        enable({ IDC_ADD, IDC_DELETE, IDC_EDIT, IDC_EXPORT, IDC_IMPORT }, false);
    station::profiles::ActivateInputs const in { allowed, G_VxWlLib.VXWL_GetWinOS(), G_VxWlLib.VXWL_QueryOPMode(),
        station::profiles::NetworkIndex(record.enumNetworkType), G_VxWlLib.VXWL_IsWpaCapable() != 0, detail.dot1x,
        detail.auth };
    enable({ IDC_ACTIVATE }, station::profiles::ActivateEnabled(in));
}

// [SECTION] A new profile's name and ID

CString CPageProfileDlg::GetDefaultProfileName()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::GetDefaultProfileName\n");
    std::vector<std::string> names;
    for (ProfileListItem const& row : m_aryProfile)
        names.push_back(row.strName.str());
    std::string const name = station::profiles::DefaultProfileName(names, G_UiStr.IDS_PROF);
    TraceMsg(TRACE_STEP, "[Kivra] CPageProfileDlg::GetDefaultProfileName = %s\n", name.c_str());
    return name.c_str();
}

CString CPageProfileDlg::GetNextProfileIDText()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::GetNextProfileIDText\n");
    if (RowCount() == 0)
        return "0";
    char id[PROFILE_NAME_SIZE] {};
    G_VxWlLib.VXWL_GetNextProfileID(id);
    id[sizeof id - 1] = '\0';
    return id;
}
