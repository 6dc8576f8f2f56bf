#include "station/controls/CDornoStaticHistogram.h"

#include <algorithm>
#include <cmath>
#include <new>

BEGIN_MESSAGE_MAP(CDornoStaticHistogram, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

CDornoStaticHistogram::CDornoStaticHistogram()
    // One sample per screen column; at least one, so the ring always has a newest slot.
    : m_nRingSize(std::max(1, GetSystemMetrics(SM_CXSCREEN)))
{
    m_pRing.reset(new (std::nothrow) double[static_cast<size_t>(m_nRingSize)]());
    m_bReady = m_pRing != nullptr;
}

CDornoStaticHistogram::~CDornoStaticHistogram() = default;

BOOL CDornoStaticHistogram::redraw_now()
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

BOOL CDornoStaticHistogram::PushSample(double sample)
{
    if (!m_bReady)
        return FALSE;
    m_nPos = (m_nPos + 1) % m_nRingSize;
    m_pRing[static_cast<size_t>(m_nPos)] = sample;
    return redraw_now();
}

void CDornoStaticHistogram::ForgetSamples()
{
    if (!m_bReady)
        return;
    std::fill(m_pRing.get(), m_pRing.get() + m_nRingSize, 0.0);
    m_nPos = 0;
    redraw_now();
}

BOOL CDornoStaticHistogram::AdjustLabelWidth(int width)
{
    if (!m_bReady)
        return FALSE;
    m_nLabelWidth = width;
    m_bErase = TRUE;
    return redraw_now();
}

BOOL CDornoStaticHistogram::AdjustLabelCount(int count)
{
    if (!m_bReady)
        return FALSE;
    m_nLabelCount = std::clamp(count, 0, MAX_LABELS);
    m_bErase = TRUE;
    return redraw_now();
}

BOOL CDornoStaticHistogram::ChangeCeiling(double maximum)
{
    if (!m_bReady)
        return FALSE;
    m_dMax = maximum;
    m_bErase = TRUE;
    return redraw_now();
}

void CDornoStaticHistogram::OnPaint()
{
    if (!m_bReady) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    paint(&dc, client);
}

void CDornoStaticHistogram::paint(CDC* dc, CRect const& client)
{
    if (m_bErase) {
        m_bErase = FALSE;
        dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    }
    CRect strip = client;
    strip.right = std::min(client.right, client.left + std::max(0, m_nLabelWidth));
    paint_labels(dc, strip);
    CRect plot = client;
    plot.left = strip.right;
    if (m_dMax == 0.0) {
        dc->FillSolidRect(&plot, RGB(0, 0, 0));
        return;
    }
    paint_bars(dc, plot);
}

void CDornoStaticHistogram::paint_labels(CDC* dc, CRect const& strip)
{
    if (strip.IsRectEmpty())
        return;
    dc->FillSolidRect(&strip, RGB(0, 0, 0));
    if (m_nLabelCount <= 0)
        return;
    int const row = strip.Height() / m_nLabelCount;
    int const old_mode = dc->SetBkMode(TRANSPARENT);
    COLORREF const old_colour = dc->SetTextColor(RGB(255, 255, 255));
    HGDIOBJ const old_font = dc->SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    for (int i = 0; i < m_nLabelCount; ++i) {
        CRect r(strip.left, strip.top + i * row, strip.right, strip.top + (i + 1) * row);
        dc->DrawText(m_strLabels[i], &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (old_font)
        dc->SelectObject(old_font);
    dc->SetTextColor(old_colour);
    dc->SetBkMode(old_mode);
}

// The newest sample is the leftmost bar; the walk goes backwards through the ring. A bar is
// H x sample / maximum pixels high (H = plot height - 2), fraction dropped, at most H; a
// negative (or not-a-number) sample gives an empty bar.
void CDornoStaticHistogram::paint_bars(CDC* dc, CRect const& plot)
{
    int const unit = plot.Height() - 2;
    int index = m_nPos;
    for (int x = plot.left, n = 0; n < m_nRingSize && x <= plot.right - 2; ++n, x += 2) {
        double const ratio = m_pRing[static_cast<size_t>(index)] / m_dMax;
        double const scaled = std::isnan(ratio) ? 0.0 : std::clamp(static_cast<double>(unit) * ratio, 0.0, static_cast<double>(std::max(unit, 0)));
        int const height = static_cast<int>(scaled);
        dc->FillSolidRect(x, plot.top, 2, plot.Height() - height, RGB(0, 0, 0));
        dc->FillSolidRect(x, plot.bottom - height, 2, height, m_crBar);
        index = index == 0 ? m_nRingSize - 1 : index - 1;
    }
}
