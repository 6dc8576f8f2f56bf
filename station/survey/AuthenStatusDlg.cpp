#include "station/survey/AuthenStatusDlg.h"

#include "station/core/Trace.h"

CAuthenStatusDlg::CAuthenStatusDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

// FIXME: the progress list is the window's own work; until it lands this only says it ran.
void CAuthenStatusDlg::AppendLine(const char* line)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CAuthenStatusDlg::AppendLine(%s)\n", line ? line : "");
}
