// The pop-up hint a page shows beside a field to say what is wrong with the entry: a
// borderless tool window of class "ST_InfoWnd" sized to its text in the owner's font, hidden
// again after four seconds (timer 1) or a left-button release on it. While it shows, a further
// PopUpText does nothing.
//
// The class is registered once per process, by the first constructor that finds it missing,
// with a background brush of that constructor's colour: every hint of the process shows that
// first colour, whatever colour later hints were made with.
#pragma once

#include "platform/framework/Afx.h"

class CInfoWnd : public CWnd {
public:
    static constexpr LPCTSTR kClassName = "ST_InfoWnd";
    static constexpr UINT_PTR kHideTimer = 1;
    static constexpr UINT kShowTime = 4000;
    // DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL.
    static constexpr UINT kTextFormat = 0x2810;
    // Placement values: below the anchor, right of it (bit), left of it (bit); anything else
    // puts the hint above the anchor.
    static constexpr int kBelow = 1;
    static constexpr int kRightBit = 8;
    static constexpr int kLeftBit = 2;

    explicit CInfoWnd(COLORREF colour);
    ~CInfoWnd() override;

    using CWnd::Create;
    // Makes the (hidden) window with `pOwner` as parent; the hint uses the owner's font.
    virtual BOOL Create(CWnd* pOwner);
    void PopUpText(CWnd* pAnchor, CString const& text);

    void set_placement(int placement) { m_nPlacement = placement; }
    CRect const& hint_rect() const { return m_rcHint; }
    CString const& text() const { return m_strText; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    static void register_class(COLORREF colour);
    CFont* owner_font() const;
    CPoint place(CRect const& anchor, CSize size) const;

    CWnd* m_pOwner {};
    CRect m_rcHint;
    CString m_strText;
    int m_nHOffset { 2 };
    int m_nVOffset { 2 };
    int m_nPlacement {};
    UINT_PTR m_nTimerId {};
};
