// The records a CQuickList exchanges with its parent window, and the numbers of the messages
// that carry them. The parent describes a cell by filling the cell record during
// QLN_CELLREQUEST; the list owns the record and resets it before every request, so a pointer
// to it is valid only during that call.
#pragma once

#include "platform/controls/common/ImageList.h"
#include "platform/framework/CString.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/User.h"

// Messages to the list's parent, always sent. wParam is the list window unless noted.
constexpr UINT QLN_CELLREQUEST = 3003;  // lParam: QuickCellRequest*; the parent fills it
constexpr UINT QLN_COLUMNCHANGE = 3004; // lParam: QuickNavigation*; clear allow to refuse
constexpr UINT QLN_CELLCLICK = 3005;    // lParam: QuickCellClick*
constexpr UINT QLN_HEADERMENU = 3006;   // lParam: QuickHeaderMenu*
constexpr UINT QLN_KEYDOWN = 3008;      // wParam: the virtual-key code, lParam 0
constexpr UINT QLN_BUTTONDOWN = 3009;   // wParam 0, lParam 0

// The description of one cell. Colours take CLR_DEFAULT for "the system colour"; a
// background of CLR_NONE is not filled.
class QuickCellRequest {
public:
    // Back to the values a request starts from; the tip text is kept on purpose, so a parent
    // that sets it once for a cell sees it again on later requests until it changes it.
    void reset();

    CString m_strText;
    CString m_strTipText;
    BYTE m_bNoHighlight {};
    BYTE m_bBold {};
    BYTE m_bItalic {};
    UINT m_nTextFormat {};
    int m_nImage { -1 };
    HIMAGELIST m_hImageList {};
    BYTE m_bImageNoHighlight { 1 };
    BYTE m_bCenterImage {};
    UINT m_nSelectedImageStyle { ILD_BLEND50 };
    UINT m_nCheckState {};
    BYTE m_bCheckBox {};
    BYTE m_bCenterCheckBox {};
    BYTE m_bCheckBoxNoHighlight { 1 };
    int m_nBarMax { -1 };
    int m_nBarValue {};
    COLORREF m_crBar { CLR_DEFAULT }; // kept for the parent; bars always use the gradient
    COLORREF m_crBarText { CLR_DEFAULT };
    UINT m_nBarEdge { EDGE_SUNKEN };
    COLORREF m_crText { CLR_DEFAULT };
    COLORREF m_crBackground { CLR_DEFAULT };
    COLORREF m_crHotText { CLR_DEFAULT };
    COLORREF m_crSelectedText { CLR_DEFAULT };
    COLORREF m_crSelectedBackground { CLR_DEFAULT };
    COLORREF m_crSelectedBackgroundNoFocus { CLR_DEFAULT };
    COLORREF m_crNavigationText { CLR_DEFAULT };
    COLORREF m_crNavigationBackground { CLR_DEFAULT };
    int m_nItem {};
    int m_nSubItem {};
    BYTE m_bSelected {};
    BYTE m_bHot {};
};

// QLN_COLUMNCHANGE: sent before the current column moves.
struct QuickNavigation {
    int m_nOldColumn;
    int m_nNewColumn;
    BYTE m_bAllow;
};

// QLN_CELLCLICK: a click that hit a cell.
struct QuickCellClick {
    int m_nItem;
    int m_nSubItem;
    BYTE m_bOnImage;
    BYTE m_bOnCheckBox;
};

// QLN_HEADERMENU: a right-click on the header; the column is -1 off every column.
struct QuickHeaderMenu {
    int m_nColumn;
    POINT m_ptScreen;
};
