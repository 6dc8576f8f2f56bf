#include "station/controls/CLinkSlider.h"

#include "platform/controls/BarMessages.h"
#include "platform/controls/ScrollMessages.h"
#include "station/controls/CSmartEdit.h"

// The slider's own procedure has nothing to do with a scroll notification, so the reflected
// entries do all the work and keep the message from the parent's own handling.
BEGIN_MESSAGE_MAP(CLinkSlider, CWnd)
{ WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, nullptr,
    AFX_THUNK(AFX_THIS->OnScroll(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE;) },
{ WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, nullptr,
    AFX_THUNK(AFX_THIS->OnScroll(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE;) },
END_MESSAGE_MAP()

CLinkSlider::CLinkSlider() = default;

void CLinkSlider::SetBuddy(CSmartEdit* pBuddy)
{
    m_pBuddy = pBuddy;
    m_bVertical = m_hWnd && (GetStyle() & TBS_VERT) ? 1 : 0;
}

void CLinkSlider::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = nMax;
    if (m_hWnd)
        SendMessage(TBM_SETRANGE, TRUE, MAKELPARAM(static_cast<WORD>(nMin), static_cast<WORD>(nMax)));
}

void CLinkSlider::OnScroll(UINT nSBCode, UINT nPos)
{
    if (!m_pBuddy)
        return;
    int position = 0;
    switch (nSBCode) {
    case SB_LINELEFT:
    case SB_LINERIGHT:
    case SB_PAGELEFT:
    case SB_PAGERIGHT:
        position = static_cast<int>(SendMessage(TBM_GETPOS));
        break;
    case SB_THUMBTRACK:
        position = static_cast<int>(static_cast<short>(nPos));
        break;
    default:
        return;
    }
    m_nLastPos = position;
    m_pBuddy->SetValue(position);
}
