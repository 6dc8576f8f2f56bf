#include "station/profiles/PageProfileDlg.h"

#include "platform/framework/DataExchange.h"
#include "station/core/Trace.h"

CPageProfileDlg::CPageProfileDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageProfileDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_listProfile);
}

// FIXME: the operations below are the page's own work; until it lands they only say they ran.
void CPageProfileDlg::RefreshProfileList()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::RefreshProfileList\n");
}

CString CPageProfileDlg::GetDefaultProfileName()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::GetDefaultProfileName\n");
    return CString();
}

CString CPageProfileDlg::GetNextProfileIDText()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::GetNextProfileIDText\n");
    return CString();
}

void CPageProfileDlg::SetOidFromReg(BOOL bSetAdvance)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::SetOidFromReg(%d)\n", bSetAdvance);
}
