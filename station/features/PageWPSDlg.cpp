#include "station/features/PageWPSDlg.h"

#include "platform/framework/DataExchange.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"

#include <cstring>

namespace {

struct Column {
    char const* title;
    int format;
    double fraction; // of the list's width
};

constexpr Column kApColumns[] = {
    { "", LVCFMT_CENTER, 0.03 },
    { "ID", LVCFMT_LEFT, 0.23 },
    { "SSID", LVCFMT_LEFT, 0.30 },
    { "BSSID", LVCFMT_LEFT, 0.25 },
    { "Channel", LVCFMT_LEFT, 0.08 },
    { "", LVCFMT_CENTER, 0.03 },
};
constexpr Column kProfileColumns[] = {
    { "", LVCFMT_CENTER, 0.04 },
    { "SSID", LVCFMT_LEFT, 0.52 },
    { "BSSID", LVCFMT_LEFT, 0.25 },
    { "", LVCFMT_CENTER, 0.15 },
};
constexpr int kSsidColumn = 2;
// The scan list holds a 32-bit count and the entries of the listed access points.
constexpr size_t kScanListBytes = 0x8000;

template <size_t N>
void insert(CQuickList& list, Column const (&columns)[N])
{
    CRect rect;
    list.GetWindowRect(&rect);
    int index = 0;
    for (Column const& c : columns)
        list.InsertColumn(index++, c.title, c.format, static_cast<int>(rect.Width() * c.fraction));
}

}

BEGIN_MESSAGE_MAP(CPageWPSDlg, CResizeDlg)
    ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CPageWPSDlg::CPageWPSDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageWPSDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AP_LIST, m_listAP);
    DDX_Control(pDX, IDC_PROFILE_LIST, m_listProfile);
}

BOOL CPageWPSDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    insert_columns();
    m_ScanList.assign(kScanListBytes, 0);
    return TRUE;
}

void CPageWPSDlg::insert_columns()
{
    insert(m_listAP, kApColumns);
    insert(m_listProfile, kProfileColumns);
}

CWnd* CPageWPSDlg::ActionButton(int index)
{
    if (index < 0 || index >= kActionButtons || !m_hWnd)
        return nullptr;
    return GetDlgItem(kActionButtonIds[index]);
}

// The list shows only the SSID of a row whose BSSID text is the scan-wait marker, so the SSID
// carries the waiting text.
void CPageWPSDlg::ShowScanWait()
{
    ApRow row;
    row.strSSID = G_UiStr.IDS_SITESUR_SCAN_WAIT;
    row.strBSSID = kScanWait;
    m_arrApRows.assign(1, row);
    if (!m_ScanList.empty())
        std::memset(m_ScanList.data(), 0, sizeof(std::uint32_t));
    if (!m_listAP.m_hWnd)
        return;
    int const rows = static_cast<int>(m_arrApRows.size());
    m_listAP.SetItemCountEx(rows);
    m_listAP.RedrawItems(0, rows - 1);
}

// FIXME: the page's lists and its access point rows come with the page's own scan; until then
// the radio's return leaves the window's scan-wait row, and nothing is rebuilt.
void CPageWPSDlg::ClearListContainers()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::ClearListContainers\n");
}

void CPageWPSDlg::RescanTimeEnd()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::RescanTimeEnd\n");
}

// Only the scan-wait row is described for now: its SSID, in the SSID column.
LRESULT CPageWPSDlg::OnCellRequest(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || reinterpret_cast<HWND>(wParam) != m_listAP.m_hWnd || cell->m_nItem < 0
        || cell->m_nItem >= static_cast<int>(m_arrApRows.size()))
        return 0;
    ApRow const& row = m_arrApRows[static_cast<size_t>(cell->m_nItem)];
    if (row.strBSSID == kScanWait && cell->m_nSubItem == kSsidColumn)
        cell->m_strText = row.strSSID.c_str();
    return 0;
}

// FIXME: the WPS records and rows are the page's own work; until it lands these only say they
// ran, and no row has an entry.
void CPageWPSDlg::WriteBackWpsProfiletoRegistry()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::WriteBackWpsProfiletoRegistry\n");
}

void CPageWPSDlg::DisplayWPSProfile()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::DisplayWPSProfile\n");
}

NDIS_WLAN_BSSID_EX const* CPageWPSDlg::EntryOfRow(int row) const
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::EntryOfRow(%d)\n", row);
    return nullptr;
}
