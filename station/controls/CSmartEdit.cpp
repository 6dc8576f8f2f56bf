#include "station/controls/CSmartEdit.h"

#include "platform/controls/BarMessages.h"
#include "station/controls/CInfoWnd.h"
#include "station/controls/CLinkSlider.h"

BEGIN_MESSAGE_MAP(CSmartEdit, CWnd)
ON_WM_CHAR()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CSmartEdit::CSmartEdit()
    : m_pInfoWnd(std::make_unique<CInfoWnd>(kHintColour))
{
}

CSmartEdit::~CSmartEdit() = default;

WORD CSmartEdit::char_classes(UINT ch)
{
    if (ch < 0x20)
        return 0xFFFF;
    CHAR const c = static_cast<CHAR>(ch);
    bool const single_byte = ch < 0x100;
    if (single_byte && IsCharAlphaNumeric(c) && !IsCharAlpha(c))
        return 0x55;
    if (ch == 'E' || ch == 'e')
        return 0x46;
    if ((ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f'))
        return 0x42;
    if (single_byte && IsCharAlpha(c))
        return 0x02;
    switch (ch) {
    case '-': return 0x14;
    case '.': return 0x04;
    case '_': return 0x28;
    default: return 0x08;
    }
}

WORD CSmartEdit::SetAcceptedClasses(WORD wClasses)
{
    m_wClasses = wClasses;
    return m_wClasses;
}

BOOL CSmartEdit::SetRange(int nMin, int nMax, int nLineSize, int nPageSize)
{
    m_nMin = nMin;
    m_nMax = nMax;
    if (m_pSlider) {
        m_pSlider->SetBuddy(this);
        m_pSlider->SetRange(nMin, nMax);
        m_pSlider->SendMessage(TBM_SETLINESIZE, 0, nLineSize);
        m_pSlider->SendMessage(TBM_SETPAGESIZE, 0, nPageSize);
    }
    SetAcceptedClasses(nMin < 0 ? kSignedDigits : kDigits);
    return TRUE;
}

// Only a slider object bound to the window can be linked: a temporary wrapper of the handle
// would not outlive the handler that asked for it.
void CSmartEdit::AttachSlider(CWnd* pParent, int nID)
{
    CWnd* const child = pParent ? pParent->GetDlgItem(nID) : nullptr;
    m_pSlider = child ? dynamic_cast<CLinkSlider*>(CWnd::FromHandlePermanent(child->m_hWnd)) : nullptr;
    if (m_pSlider)
        m_pSlider->SetBuddy(this);
}

int CSmartEdit::SetValue(int nValue)
{
    if (nValue == m_nValue)
        return 0;
    m_nValue = nValue;
    CString text;
    text.Format("%d", nValue);
    SetWindowText(text);
    return 1;
}

BOOL CSmartEdit::ClampValue(int nValue)
{
    if (nValue < m_nMin || nValue > m_nMax)
        return FALSE;
    CString text;
    text.Format("%d", nValue);
    SetWindowText(text);
    return TRUE;
}

void CSmartEdit::RejectInput()
{
    MessageBeep(0xFFFFFFFF);
}

void CSmartEdit::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (!m_pInfoWnd->m_hWnd)
        m_pInfoWnd->Create(GetParent());
}

void CSmartEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (char_classes(nChar) & m_wClasses)
        CWnd::OnChar(nChar, nRepCnt, nFlags);
    else
        RejectInput();
}

void CSmartEdit::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
}
