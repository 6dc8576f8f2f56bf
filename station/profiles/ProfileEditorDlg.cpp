#include "station/profiles/ProfileEditorDlg.h"

#include "station/core/Trace.h"

#include <cstdlib>

CProfileEditorDlg::CProfileEditorDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

// FIXME: loading and saving are the editor's own work; until it lands they only say they ran.
void CProfileEditorDlg::LoadProfile()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CProfileEditorDlg::LoadProfile\n");
}

void CProfileEditorDlg::OnOK()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CProfileEditorDlg::OnOK\n");
}

void CProfileEditorDlg::FreePACList()
{
    std::free(m_pPACList);
    m_pPACList = nullptr;
    m_nPACCount = 0;
}
