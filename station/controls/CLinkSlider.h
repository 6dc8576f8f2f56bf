// A slider (trackbar) that writes its position into its buddy CSmartEdit as the user moves
// it: line and page steps take the slider's own position, a thumb drag the position that
// comes with the notification; Home, End, the thumb's release and the end of a move change
// nothing. A horizontal slider hears WM_HSCROLL, a vertical one WM_VSCROLL, reflected from
// the parent.
#pragma once

#include "platform/framework/Afx.h"

class CSmartEdit;

class CLinkSlider : public CWnd {
public:
    static constexpr int kNoPosition = 0x7FFFFFFF;

    CLinkSlider();

    // Stores the buddy and whether the slider is vertical now.
    void SetBuddy(CSmartEdit* pBuddy);
    // Stores the range and gives it to the slider, with redraw.
    void SetRange(int nMin, int nMax);

    CSmartEdit* buddy() const { return m_pBuddy; }
    int last_position() const { return m_nLastPos; }
    BOOL is_vertical() const { return m_bVertical; }

    // The reflected scroll notification (code, position).
    void OnScroll(UINT nSBCode, UINT nPos);

protected:
    DECLARE_MESSAGE_MAP()

private:
    CSmartEdit* m_pBuddy {};
    int m_nMin {};
    int m_nMax {};
    int m_nLastPos { kNoPosition };
    BYTE m_bVertical {};
};
