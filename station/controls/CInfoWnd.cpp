#include "station/controls/CInfoWnd.h"

BEGIN_MESSAGE_MAP(CInfoWnd, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CInfoWnd::CInfoWnd(COLORREF colour)
{
    register_class(colour);
}

CInfoWnd::~CInfoWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

// The brush is made once and lives for the process, like the class that paints with it.
void CInfoWnd::register_class(COLORREF colour)
{
    WNDCLASS existing {};
    if (::GetClassInfo(nullptr, kClassName, &existing))
        return;
    static HBRUSH const background = ::CreateSolidBrush(colour);
    WNDCLASS wc {};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProc;
    // The platform has one pointer shape, the arrow.
    wc.hCursor = nullptr;
    wc.hbrBackground = background;
    wc.lpszClassName = kClassName;
    ::RegisterClass(&wc);
}

BOOL CInfoWnd::Create(CWnd* pOwner)
{
    m_pOwner = pOwner;
    return CreateEx(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_BORDER, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, pOwner ? pOwner->m_hWnd : nullptr, nullptr);
}

CFont* CInfoWnd::owner_font() const
{
    return m_pOwner && m_pOwner->m_hWnd ? m_pOwner->GetFont() : nullptr;
}

void CInfoWnd::PopUpText(CWnd* pAnchor, CString const& text)
{
    if (!m_hWnd || IsWindowVisible() || !::GetFocus() || !pAnchor || !pAnchor->m_hWnd)
        return;
    m_strText = " " + text + " ";

    CClientDC dc(this);
    CFont* old_font = nullptr;
    if (CFont* font = owner_font())
        old_font = dc.SelectObject(font);
    CSize const extent = dc.GetTextExtent(m_strText);
    TEXTMETRIC tm {};
    dc.GetTextMetrics(&tm);
    if (old_font)
        dc.SelectObject(old_font);

    CSize const size(extent.cx + tm.tmOverhang + 2, extent.cy + tm.tmDescent + 2);
    CRect anchor;
    pAnchor->GetWindowRect(&anchor);
    CPoint const at = place(anchor, size);
    m_rcHint = CRect(at.x, at.y, at.x + size.cx + 100, at.y + size.cy);
    ::SetWindowPos(m_hWnd, HWND_TOP, at.x - 3, at.y - 1, m_rcHint.Width() + 3, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_nTimerId = SetTimer(kHideTimer, kShowTime);
}

CPoint CInfoWnd::place(CRect const& anchor, CSize size) const
{
    if (m_nPlacement == kBelow)
        return CPoint(anchor.left, anchor.bottom + m_nVOffset);
    if (m_nPlacement & kRightBit)
        return CPoint(anchor.right + m_nHOffset, anchor.top);
    if (m_nPlacement & kLeftBit)
        return CPoint(anchor.left - m_nHOffset - size.cx, anchor.top);
    return CPoint(anchor.left, anchor.top - m_nVOffset - size.cy);
}

void CInfoWnd::OnPaint()
{
    CPaintDC dc(this);
    CFont* old_font = nullptr;
    if (CFont* font = owner_font())
        old_font = dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    CRect rect = m_rcHint;
    ScreenToClient(&rect);
    dc.DrawText(m_strText, &rect, kTextFormat);
    if (old_font)
        dc.SelectObject(old_font);
}

void CInfoWnd::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    ShowWindow(SW_HIDE);
    CWnd::OnTimer(nIDEvent);
}

void CInfoWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    ShowWindow(SW_HIDE);
    CWnd::OnLButtonUp(nFlags, point);
}
