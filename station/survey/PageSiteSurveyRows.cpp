// CPageSiteSurveyDlg: the cells of the network list, and choosing a network by its row (click,
// arrow keys, double click, Add to profile). A row chooses the entry it keeps, never "the n-th
// entry", so a skipped entry cannot shift the choice onto the network below.
#include "station/survey/PageSiteSurveyDlg.h"

#include "station/controls/QuickListRecords.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/SurveyList.h"

#include <cstring>
#include <strings.h>

namespace {

enum Column : int {
    COL_CONNECTED = 0,
    COL_SSID = 1,
    COL_NETWORK_TYPE = 2,
    COL_CHANNEL = 3,
    COL_A = 4,
    COL_B = 5,
    COL_G = 6,
    COL_N = 7,
    COL_SECURITY = 8,
    COL_SIGNAL_TEXT = 9,
    COL_SIGNAL_BAR = 10,
};

// The signal bar's colour steps by percent (COLORREF values).
COLORREF bar_colour(int percent)
{
    if (percent > 75)
        return 0xC87814;
    if (percent > 50)
        return 0x46F064;
    if (percent > 25)
        return 0x32E6FA;
    return 0x2828F0;
}

constexpr UINT kBarEdge = 3;

int security_image(SITESURVEY_ITEM const& row)
{
    if (row.nWapiType == -1 || row.bWps == -1 || row.bSecured == -1)
        return -1;
    if (row.nWapiType <= 0 && row.bWps != 1 && row.bSecured != 1)
        return -1;
    if (row.nWapiType > 0)
        return CPageSiteSurveyDlg::IMAGE_WAPI;
    return row.bWps == 1 ? CPageSiteSurveyDlg::IMAGE_WPS : CPageSiteSurveyDlg::IMAGE_SECURED;
}

int image_of(SITESURVEY_ITEM const& row, int column)
{
    switch (column) {
    case COL_CONNECTED: return row.bConnected ? CPageSiteSurveyDlg::IMAGE_CONNECTED : -1;
    case COL_NETWORK_TYPE: return row.nNetworkType == 0 || row.nNetworkType == 1 ? row.nNetworkType : -1;
    case COL_A: return row.nRadioType == 2 ? CPageSiteSurveyDlg::IMAGE_A : -1;
    case COL_B:
        return !row.bGOnly && (row.nRadioType == 0 || row.nRadioType == 1 || row.nRadioType == 3) ? CPageSiteSurveyDlg::IMAGE_B : -1;
    case COL_G: return row.nRadioType == 3 ? CPageSiteSurveyDlg::IMAGE_G : -1;
    case COL_N: return row.bHt == 1 ? CPageSiteSurveyDlg::IMAGE_N : -1;
    case COL_SECURITY: return security_image(row);
    default: return -1;
    }
}

}

// [SECTION] Cells

LRESULT CPageSiteSurveyDlg::OnGetCellText(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0 || cell->m_nItem >= RowCount())
        return 0;
    SITESURVEY_ITEM const& row = Row(cell->m_nItem);
    cell->m_bNoHighlight = 0;
    cell->m_bBold = 0;
    if (strcasecmp(row.strSsid.c_str(), kScanWaitSsid) == 0 || strcasecmp(row.strChannel.c_str(), kScanWaitSsid) == 0)
        fill_scan_wait_cell(*cell, row);
    else
        fill_cell(*cell, row);
    return 0;
}

// A placeholder row shows one bold text in the SSID column: the scan-wait text, or its own name.
void CPageSiteSurveyDlg::fill_scan_wait_cell(QuickCellRequest& cell, SITESURVEY_ITEM const& row) const
{
    if (cell.m_nSubItem != COL_SSID)
        return;
    cell.m_bBold = 1;
    bool const waiting = strcasecmp(row.strSsid.c_str(), kScanWaitSsid) == 0;
    cell.m_strText = (waiting ? G_UiStr.IDS_SITESUR_SCAN_WAIT : row.strSsid).c_str();
}

void CPageSiteSurveyDlg::fill_cell(QuickCellRequest& cell, SITESURVEY_ITEM const& row) const
{
    int const column = cell.m_nSubItem;
    if (int const image = image_of(row, column); image >= 0) {
        cell.m_nImage = image;
        cell.m_hImageList = m_imageList.GetSafeHandle();
        return;
    }
    if (column == COL_SSID)
        cell.m_strText = row.strSsid.c_str();
    else if (column == COL_CHANNEL)
        cell.m_strText = row.strChannel.c_str();
    if (row.nSignal == -1 || (column != COL_SIGNAL_TEXT && column != COL_SIGNAL_BAR))
        return;
    int const percent = G_VxWlLib.VXWL_RssiToPercent(row.nSignal);
    if (column == COL_SIGNAL_TEXT) {
        if (m_bShowDbm)
            cell.m_strText.Format("%d dBm", row.nSignal);
        else
            cell.m_strText.Format("%d%%", percent);
        return;
    }
    cell.m_nBarMax = 100;
    cell.m_nBarValue = percent;
    cell.m_nBarEdge = kBarEdge;
    cell.m_crBar = bar_colour(percent);
}

// [SECTION] Rows and entries

NDIS_WLAN_BSSID_EX const* CPageSiteSurveyDlg::EntryOfRow(int row) const
{
    if (row < 0 || row >= RowCount())
        return nullptr;
    SITESURVEY_ITEM const& item = Row(row);
    if (item.nEntryOffset < 0 || std::size_t(item.nEntryOffset) + std::size_t(item.nEntryLength) > BSSID_LIST_BUFFER_SIZE)
        return nullptr;
    return reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(m_pBssidList.get() + item.nEntryOffset);
}

// Copies the row's entry into the page and parses it; false for a row without an entry.
bool CPageSiteSurveyDlg::choose_entry(int row)
{
    NDIS_WLAN_BSSID_EX const* entry = EntryOfRow(row);
    if (!entry)
        return false;
    auto const* bytes = reinterpret_cast<std::uint8_t const*>(entry);
    m_desiredCopy.assign(bytes, bytes + Row(row).nEntryLength);
    m_pDesiredBssid = reinterpret_cast<NDIS_WLAN_BSSID_EX*>(m_desiredCopy.data());
    return true;
}

void CPageSiteSurveyDlg::SelectBssid(int row)
{
    if (!choose_entry(row))
        return;
    IE_INFO_WPA digest {};
    G_VxWlLib.VXWL_ParseInfoElement(m_pDesiredBssid, &digest);
    m_nWPA = station::survey::AuthBitsToWPAMode(digest.nAuthentication);
    m_nNetworkType = int(m_pDesiredBssid->InfrastructureMode);
    UpdateControlState();
}

int CPageSiteSurveyDlg::selected_row() const
{
    return m_listSurvey.m_hWnd ? m_listSurvey.GetNextItem(-1, LVNI_SELECTED) : -1;
}

int CPageSiteSurveyDlg::focused_row() const
{
    return m_listSurvey.m_hWnd ? m_listSurvey.GetNextItem(-1, LVNI_FOCUSED) : -1;
}

void CPageSiteSurveyDlg::send_to_window(UINT message, WPARAM wParam, LPARAM lParam, bool post) const
{
    HWND const window = hide_dlg_services().config_window();
    if (!window)
        return;
    if (post)
        ::PostMessage(window, message, wParam, lParam);
    else
        ::SendMessage(window, message, wParam, lParam);
}

// [SECTION] Clicks and keys

void CPageSiteSurveyDlg::OnClickList(NMHDR*, LRESULT* result)
{
    if (int const row = selected_row(); row >= 0)
        SelectBssid(row);
    *result = 0;
}

// Sent before the list moves its focus: the row the key goes to is chosen.
LRESULT CPageSiteSurveyDlg::OnListKey(WPARAM wParam, LPARAM)
{
    int row = focused_row();
    if (wParam == VK_UP)
        --row;
    else if (wParam == VK_DOWN)
        ++row;
    SelectBssid(row);
    return 0;
}

void CPageSiteSurveyDlg::OnDblClkList(NMHDR*, LRESULT* result)
{
    if (focused_row() < 0) {
        ShowMessageBox(G_UiStr.IDS_NOSELECTEDITEM);
        return;
    }
    std::uint32_t count = 0;
    std::memcpy(&count, m_pBssidList.get(), sizeof count);
    if (count > 0)
        send_to_window(MSG_SHOW_WPSINFO, 2, 0, true);
    *result = 0;
}

void CPageSiteSurveyDlg::OnAddToProfile()
{
    int const row = selected_row();
    if (row < 0 || !choose_entry(row)) {
        ShowMessageBox(G_UiStr.IDS_NOSELECTEDITEM);
        return;
    }
    IE_INFO_WPA digest {};
    G_VxWlLib.VXWL_ParseInfoElement(m_pDesiredBssid, &digest);
    m_bSecurity = m_pDesiredBssid->Privacy || digest.nAuthentication || digest.nEncryption;
    bool const cckm = digest.bCCKM && G_VxWlLib.VXWL_GetWinOS() >= 10;
    m_nWPA = cckm ? 8 : station::survey::AuthBitsToWPAMode(digest.nAuthentication);
    m_nNetworkType = int(m_pDesiredBssid->InfrastructureMode);
    m_strEncryption = digest.nEncryption == IE_ENC_TKIP ? "TKIP" : (digest.nEncryption == IE_ENC_SMS4 ? "SMS4" : "AES");
    send_to_window(MSG_SHOW_PROFILEEDITOR, 2, 1);
}
