// The gradient progress bar window: a progress-bar control that answers the progress-bar
// messages itself and paints through CProgress, off screen (CMemDC). The pages use it for
// signal strength, link quality and the WPS progress; a text over the bar comes from the
// window text (the caption format) and the style bits of CProgress.h.
//
// Timers: 11 steps the bar (nothing starts it here; a program may), 12 moves the gradient by
// the animation step (RunAnimation).
#pragma once

#include "station/controls/CProgress.h"

class CProgressCtrlX : public CWnd, public CProgress {
public:
    static constexpr UINT_PTR TIMER_STEP = 11;
    static constexpr UINT_PTR TIMER_ANIMATION = 12;

    CProgressCtrlX() = default;

    BOOL Create(DWORD style, RECT const& rect, CWnd* parent, UINT id);

    int SetPos(int position);
    void SetCaptionFont(CFont* font);
    // Moves the gradient by `step` position units every `period` ms (timer 12).
    void RunAnimation(UINT period, int step);
    void StopAnimation() { KillTimer(TIMER_ANIMATION); }
    void SetTooltipFormat(CString const& format) { m_strTipFormat = format; }

    // The window's style stands for CProgress's own.
    DWORD GetStyle() const override { return CWnd::GetStyle(); }
    void ModifyStyle(DWORD remove, DWORD add) override { CWnd::ModifyStyle(remove, add, 0); }
    void AfterPosChange(int new_position) override;

protected:
    afx_msg LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFontMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFontMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    DECLARE_MESSAGE_MAP()

private:
    void changed() { Invalidate(TRUE); }

    HWND m_hTip {}; // the tool tip, when a program made one for this bar
    CString m_strTipFormat;
    BOOL m_bTip {};
    int m_nAnimStep { 1 };
};
