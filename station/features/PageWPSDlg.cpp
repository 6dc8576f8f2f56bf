#include "station/features/PageWPSDlg.h"

#include "station/core/UiStr.h"

CPageWPSDlg::CPageWPSDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageWPSDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AP_LIST, m_listAP);
}

CWnd* CPageWPSDlg::ActionButton(int index)
{
    if (index < 0 || index >= kActionButtons || !m_hWnd)
        return nullptr;
    return GetDlgItem(kActionButtonIds[index]);
}

// The list shows only the SSID of a row whose BSSID text is "ScanWait", so the SSID carries
// the waiting text.
void CPageWPSDlg::ShowScanWait()
{
    m_arrApRows.clear();
    ApRow row;
    row.strSSID = G_UiStr.IDS_SITESUR_SCAN_WAIT;
    row.strBSSID = "ScanWait";
    m_arrApRows.push_back(row);
    if (m_listAP.m_hWnd) {
        m_listAP.SetItemCount(static_cast<int>(m_arrApRows.size()));
        m_listAP.Invalidate();
    }
}
