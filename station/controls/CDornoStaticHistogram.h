// A static control that plots the latest samples of one quantity as 2-pixel-wide bars on
// black, newest first beside a strip of white labels at the left; each new sample pushes the
// older ones one bar to the right. The link status page feeds two of them from its timer.
//
// The owner sets the bar colour and the label texts directly, then AdjustLabelWidth,
// AdjustLabelCount, ChangeCeiling and PushSample. Every operation answers 0 and does nothing
// while the sample ring could not be allocated.
#pragma once

#include "platform/framework/Afx.h"

#include <memory>

class CDornoStaticHistogram : public CWnd {
public:
    static constexpr int MAX_LABELS = 10;

    CDornoStaticHistogram();
    ~CDornoStaticHistogram() override;

    COLORREF m_crBar {};
    CString m_strLabels[MAX_LABELS];

    BOOL PushSample(double sample);
    void ForgetSamples();
    BOOL AdjustLabelWidth(int width);
    // Clamped to 0..10, the number of label strings.
    BOOL AdjustLabelCount(int count);
    BOOL ChangeCeiling(double maximum);

    BOOL is_ready() const { return m_bReady; }
    int position() const { return m_nPos; }
    int ring_size() const { return m_nRingSize; }
    int label_count() const { return m_nLabelCount; }
    double sample(int index) const { return m_pRing[static_cast<size_t>(index)]; }

    // Paints into `dc` the client rectangle `client`: what WM_PAINT draws.
    void paint(CDC* dc, CRect const& client);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    BOOL redraw_now();
    void paint_labels(CDC* dc, CRect const& strip);
    void paint_bars(CDC* dc, CRect const& plot);

    BOOL m_bReady {};
    int m_nLabelCount {};
    int m_nLabelWidth {};
    int m_nPos {};
    double m_dMax { 1.0 };
    std::unique_ptr<double[]> m_pRing;
    int m_nRingSize {};
    BOOL m_bErase {};
};
