#include "station/survey/PageSiteSurveyDlg.h"

#include "platform/framework/DataExchange.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/UiStr.h"

#include <strings.h>

namespace {

struct Column {
    char const* title;
    int format;
    double fraction; // of the list's width
};

constexpr Column kColumns[] = {
    { "Connected Icon", LVCFMT_CENTER, 0.04 },
    { "SSID", LVCFMT_LEFT, 0.27 },
    { "Network Type", LVCFMT_CENTER, 0.03 },
    { "Channel", LVCFMT_LEFT, 0.04 },
    { "a Icon", LVCFMT_CENTER, 0.02 },
    { "b Icon", LVCFMT_CENTER, 0.03 },
    { "g Icon", LVCFMT_CENTER, 0.03 },
    { "n Icon", LVCFMT_CENTER, 0.03 },
    { "Security Icon", LVCFMT_CENTER, 0.04 },
    { "", LVCFMT_CENTER, 0.08 },
    { "Signal", LVCFMT_CENTER, 0.37 },
};

}

BEGIN_MESSAGE_MAP(CPageSiteSurveyDlg, CResizeDlg)
    ON_MESSAGE(QLN_CELLREQUEST, OnGetCellText)
END_MESSAGE_MAP()

CPageSiteSurveyDlg::CPageSiteSurveyDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageSiteSurveyDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_listSurvey);
}

BOOL CPageSiteSurveyDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    insert_columns();
    return TRUE;
}

void CPageSiteSurveyDlg::insert_columns()
{
    CRect rect;
    m_listSurvey.GetWindowRect(&rect);
    int index = 0;
    for (Column const& c : kColumns)
        m_listSurvey.InsertColumn(index++, c.title, c.format, static_cast<int>(rect.Width() * c.fraction));
}

void CPageSiteSurveyDlg::ShowScanWait()
{
    SITESURVEY_ITEM row;
    row.nNetworkType = -1;
    row.nRadioType = -1;
    row.strSsid = kScanWaitSsid;
    m_arySiteSurvey.assign(1, row);
    if (!m_listSurvey.m_hWnd)
        return;
    m_listSurvey.SetItemCountEx(RowCount());
    m_listSurvey.RedrawItems(0, RowCount() - 1);
}

// Only the scan-wait row is described for now: it shows the waiting text in the SSID column.
LRESULT CPageSiteSurveyDlg::OnGetCellText(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0 || cell->m_nItem >= RowCount())
        return 0;
    SITESURVEY_ITEM const& row = m_arySiteSurvey[static_cast<size_t>(cell->m_nItem)];
    if (strcasecmp(row.strSsid.c_str(), kScanWaitSsid) == 0 && cell->m_nSubItem == 1)
        cell->m_strText = G_UiStr.IDS_SITESUR_SCAN_WAIT.c_str();
    return 0;
}
