#include "station/features/PageCCXConfigDlg.h"

#include "station/core/Trace.h"

CPageCCXConfigDlg::CPageCCXConfigDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

// FIXME: the diagnostic test is the page's own work; until it lands this only says it ran.
void CPageCCXConfigDlg::StopDiagnostic()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageCCXConfigDlg::StopDiagnostic\n");
}
