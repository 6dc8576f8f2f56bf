// A filtering edit: it lets through only the typed characters whose class (the table below)
// shares a bit with its mask, beeps at the others, knows an integer range and can drive a
// linked slider (CLinkSlider), which writes its position back here. Pasted text and WM_SETTEXT
// are not filtered: the pages validate what they read. Each edit owns a pop-up hint (CInfoWnd)
// made under the edit's parent.
//
// | character                         | class  | bits                   |
// |-----------------------------------|--------|------------------------|
// | below 0x20 (Backspace, Ctrl+V...) | 0xFFFF | every class            |
// | digit                             | 0x55   | 0x01 0x04 0x10 0x40    |
// | "E" or "e"                        | 0x46   | 0x02 0x04 0x40         |
// | other letter "A"-"F", "a"-"f"     | 0x42   | 0x02 0x40              |
// | any other letter                  | 0x02   | 0x02                   |
// | "-"                               | 0x14   | 0x04 0x10              |
// | "."                               | 0x04   | 0x04                   |
// | "_"                               | 0x28   | 0x08 0x20              |
// | anything else                     | 0x08   | 0x08                   |
// Bits: 0x01 decimal digits, 0x02 letters, 0x04 decimal numbers with fraction and exponent,
// 0x08 other characters, 0x10 signed integers, 0x20 the underscore, 0x40 hexadecimal digits.
#pragma once

#include "platform/framework/Afx.h"

#include <climits>
#include <memory>

class CInfoWnd;
class CLinkSlider;

class CSmartEdit : public CWnd {
public:
    static constexpr WORD kAllClasses = 0xFFFF;
    static constexpr WORD kDigits = 0x01;
    static constexpr WORD kSignedDigits = 0x11;
    static constexpr WORD kHexDigits = 0x40;
    static constexpr COLORREF kHintColour = 0x8181FF;
    static constexpr int kNoValue = INT_MIN;

    CSmartEdit();
    ~CSmartEdit() override;

    // Stores the mask and answers it.
    WORD SetAcceptedClasses(WORD wClasses);
    // The access point utility's name for it: stores the mask and answers its low 16 bits.
    int SetFilter(int nMask) { return SetAcceptedClasses(WORD(nMask & 0xFFFF)); }
    // Stores the range; with a linked slider, makes this edit its buddy and gives it the range,
    // line and page sizes. Then accepts digits, and the minus sign when the minimum is negative.
    BOOL SetRange(int nMin, int nMax, int nLineSize, int nPageSize);
    // Links the child `nID` of `pParent`, which must be a CLinkSlider bound to its window.
    void AttachSlider(CWnd* pParent, int nID);
    // Answers 0 and leaves the text alone when `nValue` is the value shown last; else shows it
    // ("%d"), stores it and answers 1.
    int SetValue(int nValue);
    // FALSE when `nValue` is outside the range; else shows it ("%d") without storing it.
    BOOL ClampValue(int nValue);
    // Called for a refused character; beeps.
    virtual void RejectInput();

    static WORD char_classes(UINT ch);
    WORD accepted_classes() const { return m_wClasses; }
    int value() const { return m_nValue; }
    CLinkSlider* slider() const { return m_pSlider; }
    CInfoWnd* info_window() const { return m_pInfoWnd.get(); }

protected:
    void PreSubclassWindow() override;
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    DECLARE_MESSAGE_MAP()

private:
    WORD m_wClasses { kAllClasses };
    std::unique_ptr<CInfoWnd> m_pInfoWnd;
    CLinkSlider* m_pSlider {};
    int m_nMin {};
    int m_nMax {};
    int m_nValue { kNoValue };
};
