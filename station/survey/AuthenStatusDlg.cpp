#include "station/survey/AuthenStatusDlg.h"

#include "station/core/AuthStatusRing.h"
#include "station/core/Trace.h"

using station::core::AuthStatusRing;

BEGIN_MESSAGE_MAP(CAuthenStatusDlg, CResizeDlg)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAuthenStatusDlg::CAuthenStatusDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

// FIXME: the progress list is the window's own work; until it lands this only says it ran.
void CAuthenStatusDlg::AppendLine(const char* line)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CAuthenStatusDlg::AppendLine(%s)\n", line ? line : "");
}

BOOL CAuthenStatusDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    AuthStatusRing::the().set_window(m_hWnd);
    return TRUE;
}

void CAuthenStatusDlg::OnDestroy()
{
    if (AuthStatusRing::the().window() == m_hWnd)
        AuthStatusRing::the().set_window(nullptr);
    CResizeDlg::OnDestroy();
}
