#include "station/controls/CProgressCtrlX.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CProgressCtrlX, CWnd)
ON_MESSAGE(PBM_SETRANGE, OnSetRange)
ON_MESSAGE(PBM_SETRANGE32, OnSetRange32)
ON_MESSAGE(PBM_GETRANGE, OnGetRange)
ON_MESSAGE(PBM_SETPOS, OnSetPos)
ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
ON_MESSAGE(PBM_SETSTEP, OnSetStep)
ON_MESSAGE(PBM_STEPIT, OnStepIt)
ON_MESSAGE(PBM_GETPOS, OnGetPos)
ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(WM_SETFONT, OnSetFontMessage)
ON_MESSAGE(WM_GETFONT, OnGetFontMessage)
ON_WM_TIMER()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CProgressCtrlX::Create(DWORD style, RECT const& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(PROGRESS_CLASS, "", style, rect, parent, id);
}

int CProgressCtrlX::SetPos(int position)
{
    int const old = CProgress::SetPos(position);
    changed();
    return old;
}

void CProgressCtrlX::SetCaptionFont(CFont* font)
{
    CProgress::SetFont(font ? static_cast<HFONT>(font->m_hObject) : nullptr);
    changed();
}

void CProgressCtrlX::RunAnimation(UINT period, int step)
{
    m_nAnimStep = step;
    KillTimer(TIMER_ANIMATION);
    SetTimer(TIMER_ANIMATION, period);
}

void CProgressCtrlX::AfterPosChange(int)
{
    if (!m_hTip || !::IsWindow(m_hTip))
        return;
    DrawInfo const info { nullptr, GetStyle(), CRect(), m_nPos, m_nLower, m_nUpper };
    CString const text = BuildCaption(m_strTipFormat, info, GetCaptionValue(info));
    if (!text.IsEmpty())
        ::SetWindowText(m_hTip, text);
}

BOOL CProgressCtrlX::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && m_hTip && ::IsWindow(m_hTip))
        ::SendMessage(m_hTip, WM_MOUSEMOVE, pMsg->wParam, pMsg->lParam);
    return CWnd::PreTranslateMessage(pMsg);
}

// [SECTION] Progress-bar messages

LRESULT CProgressCtrlX::OnSetRange(WPARAM, LPARAM lParam)
{
    return OnSetRange32(LOWORD(lParam), HIWORD(lParam));
}

LRESULT CProgressCtrlX::OnSetRange32(WPARAM wParam, LPARAM lParam)
{
    LRESULT const old = MAKELONG(static_cast<WORD>(m_nLower), static_cast<WORD>(m_nUpper));
    SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
    changed();
    return old;
}

LRESULT CProgressCtrlX::OnGetRange(WPARAM wParam, LPARAM lParam)
{
    if (auto* range = reinterpret_cast<PBRANGE*>(lParam))
        *range = PBRANGE { m_nLower, m_nUpper };
    return wParam ? m_nLower : m_nUpper;
}

LRESULT CProgressCtrlX::OnSetPos(WPARAM wParam, LPARAM)
{
    return SetPos(static_cast<int>(wParam));
}

LRESULT CProgressCtrlX::OnDeltaPos(WPARAM wParam, LPARAM)
{
    int const old = OffsetPos(static_cast<int>(wParam));
    changed();
    return old;
}

LRESULT CProgressCtrlX::OnSetStep(WPARAM wParam, LPARAM)
{
    int const old = SetStep(static_cast<int>(wParam));
    changed();
    return old;
}

LRESULT CProgressCtrlX::OnStepIt(WPARAM, LPARAM)
{
    int const old = StepIt();
    changed();
    return old;
}

LRESULT CProgressCtrlX::OnGetPos(WPARAM, LPARAM)
{
    return m_nPos;
}

LRESULT CProgressCtrlX::OnSetBarColor(WPARAM wParam, LPARAM lParam)
{
    COLORREF const second = static_cast<COLORREF>(lParam);
    COLORREF const first = wParam ? static_cast<COLORREF>(wParam) : second;
    SetColors(2, second, first);
    changed();
    return CLR_DEFAULT;
}

// Nothing in the programs sends it; it sets the background colour (CLR_DEFAULT: the button
// face) and answers the previous one.
LRESULT CProgressCtrlX::OnSetBkColor(WPARAM, LPARAM lParam)
{
    COLORREF const old = m_clrBk;
    COLORREF const colour = static_cast<COLORREF>(lParam);
    m_clrBk = colour == CLR_DEFAULT ? GetSysColor(COLOR_BTNFACE) : colour;
    changed();
    return old;
}

// [SECTION] Text and font: the window text is the caption format

LRESULT CProgressCtrlX::OnSetText(WPARAM, LPARAM lParam)
{
    auto const* text = reinterpret_cast<char const*>(lParam);
    set_text_format(CString(text ? text : ""));
    changed();
    return TRUE;
}

LRESULT CProgressCtrlX::OnGetText(WPARAM wParam, LPARAM lParam)
{
    auto* out = reinterpret_cast<char*>(lParam);
    if (!out || wParam == 0)
        return 0;
    size_t const count = std::min(static_cast<size_t>(wParam) - 1, static_cast<size_t>(m_strFormat.GetLength()));
    std::memcpy(out, m_strFormat.GetString(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT CProgressCtrlX::OnGetTextLength(WPARAM, LPARAM)
{
    return m_strFormat.GetLength();
}

LRESULT CProgressCtrlX::OnSetFontMessage(WPARAM wParam, LPARAM lParam)
{
    CProgress::SetFont(reinterpret_cast<HFONT>(wParam));
    if (LOWORD(lParam))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 0;
}

LRESULT CProgressCtrlX::OnGetFontMessage(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(CProgress::GetFont());
}

// [SECTION] Timers and painting

void CProgressCtrlX::OnTimer(UINT_PTR id)
{
    if (id == TIMER_STEP) {
        StepIt();
        changed();
    } else if (id == TIMER_ANIMATION) {
        // The shift runs modulo the range stretched like the gradient; a stretched range
        // under one unit leaves the gradient still.
        long long const range = static_cast<long long>(static_cast<double>(static_cast<long long>(m_nUpper) - m_nLower) * m_fStretch);
        m_nGradientShift = range >= 1 ? static_cast<int>((static_cast<long long>(m_nGradientShift) + m_nAnimStep) % range) : 0;
        changed();
    }
    Default();
}

BOOL CProgressCtrlX::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CProgressCtrlX::OnPaint()
{
    CPaintDC dc(this);
    HPALETTE old_palette {};
    HPALETTE const own = m_bUsePalette ? palette() : nullptr;
    if (own) {
        old_palette = SelectPalette(dc, own, FALSE);
        RealizePalette(dc);
    }
    CRect client;
    GetClientRect(&client);
    CProgress::Draw(&dc, client);
    if (own)
        SelectPalette(dc, old_palette, FALSE);
}
