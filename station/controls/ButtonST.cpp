// The owner-drawn button's state, setters and messages; its painting is in ButtonSTPaint.cpp.
//
// Behaviour (the table the button's tests walk):
//
// | input                                 | mode           | state after                          | parent gets |
// |---------------------------------------|----------------|--------------------------------------|-------------|
// | pointer enters (move over the button) | any            | hover, repainted, leave tracked      | -           |
// | pointer moves again over it           | hovered        | tool tip text set, tool tip active   | -           |
// | pointer over another window, leave,   | hovered        | not hovered, repainted               | -           |
// |   focus lost, cancel mode, disabled   |                |                                      |             |
// | move with the left button down        | not hovered    | unchanged                            | -           |
// | click (BN_CLICKED reflected)          | push           | focused                              | BN_CLICKED  |
// | click                                 | check box      | focused, check inverted              | BN_CLICKED  |
// | double click                          | check box      | inverted twice (two clicks)          | BN_CLICKED x2 |
// | click                                 | radio          | checked; the rest of its group, both | BN_CLICKED  |
// |                                       |                |   ways, unchecked                    |             |
// | disabled while focused                | any            | focus to the next tab item           | -           |
#include "station/controls/ButtonST.h"

#include "platform/framework/Dc.h"
#include "platform/framework/ResourceApi.h"

#include <algorithm>
#include <set>

using station::controls::derive_icon;
using station::controls::DerivedIcon;
using station::controls::IconSize;
using station::controls::read_icon_size;

namespace {

constexpr DWORD kOk = 0;
constexpr DWORD kBadIcon = 1;
constexpr DWORD kBadSlot = 3;
constexpr DWORD kBadSide = 4;
constexpr DWORD kBadOffset = 5;

HICON load_icon(int id)
{
    if (id <= 0)
        return nullptr;
    return static_cast<HICON>(LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
}

// The common amount all three channels can move by without leaving 0..255.
int common_shift(COLORREF colour, int offset)
{
    int const channels[] = { GetRValue(colour), GetGValue(colour), GetBValue(colour) };
    int d = offset;
    for (int c : channels)
        d = offset > 0 ? std::min(d, 255 - c) : std::max(d, -c);
    return d;
}

}

BEGIN_MESSAGE_MAP(CButtonST, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, ReactToClick)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_GETDLGCODE()
ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
ON_MESSAGE(BM_GETCHECK, OnGetCheck)
ON_MESSAGE(BM_SETCHECK, OnSetCheck)
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_CANCELMODE, OnCancelMode)
ON_WM_ACTIVATE()
ON_WM_ENABLE()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CButtonST::CButtonST()
{
    RestoreFaceColours(FALSE);
}

CButtonST::~CButtonST()
{
    free_icons();
    m_tool_tip_text.Empty();
    m_tool_tip.destroy();
}

// [SECTION] Subclassing and the message filter

void CButtonST::PreSubclassWindow()
{
    DWORD const style = GetStyle();
    if (style & 0x2)
        m_bIsCheckBox = TRUE;
    if ((style & 0x4) == 0x4 || (style & 0x9) == 0x9)
        m_bIsRadio = TRUE;
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        m_bIsDefault = TRUE;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

BOOL CButtonST::PreTranslateMessage(MSG* pMsg)
{
    if (!m_tool_tip.created())
        m_tool_tip.create(m_hWnd);
    m_tool_tip.relay(*pMsg);
    // A double click counts as a second click.
    if (pMsg->message == WM_LBUTTONDBLCLK)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

// [SECTION] Setters

DWORD CButtonST::AssignIcons(int hover_id, int rest_id)
{
    HICON const hover = load_icon(hover_id);
    HICON const rest = rest_id > 0 ? load_icon(rest_id) : (rest_id == kGreyIcon || rest_id == kDarkerIcon ? derived_handle(rest_id) : nullptr);
    return AssignIconHandles(hover, rest);
}

DWORD CButtonST::AssignIconHandles(HICON hover, HICON rest)
{
    free_icons();
    if (rest == derived_handle(kGreyIcon))
        rest = derive_icon(hover, DerivedIcon::Grey);
    else if (rest == derived_handle(kDarkerIcon))
        rest = derive_icon(hover, DerivedIcon::Darker);
    IconSize hover_size;
    IconSize rest_size;
    bool const readable = read_icon_size(hover, hover_size) && (!rest || read_icon_size(rest, rest_size));
    if (!readable) {
        // The button owns what it was given, so a refused pair is freed here.
        if (hover)
            DestroyIcon(hover);
        if (rest)
            DestroyIcon(rest);
        repaint_if(TRUE);
        return kBadIcon;
    }
    m_hover_icon = Icon { hover, hover_size.width, hover_size.height };
    if (rest)
        m_rest_icon = Icon { rest, rest_size.width, rest_size.height };
    repaint_if(TRUE);
    return kOk;
}

DWORD CButtonST::ChooseImageSide(BYTE side, BOOL repaint)
{
    if (side > ImageTopLeft)
        return kBadSide;
    m_byAlign = side;
    repaint_if(repaint);
    return kOk;
}

DWORD CButtonST::AssignColourSlot(BYTE slot, COLORREF colour, BOOL repaint)
{
    if (slot >= kColourSlots)
        return kBadSlot;
    m_crColors[slot] = colour;
    repaint_if(repaint);
    return kOk;
}

DWORD CButtonST::ShiftColourSlot(BYTE slot, int offset, BOOL repaint)
{
    if (slot >= kColourSlots)
        return kBadSlot;
    if (offset < -255 || offset > 255)
        return kBadOffset;
    COLORREF const c = m_crColors[slot];
    int const d = common_shift(c, offset);
    m_crColors[slot] = RGB(static_cast<BYTE>(GetRValue(c) + d), static_cast<BYTE>(GetGValue(c) + d), static_cast<BYTE>(GetBValue(c) + d));
    repaint_if(repaint);
    return kOk;
}

DWORD CButtonST::RestoreFaceColours(BOOL repaint)
{
    for (int slot = 0; slot < kColourSlots; ++slot)
        m_crColors[static_cast<size_t>(slot)] = GetSysColor(slot % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    repaint_if(repaint);
    return kOk;
}

DWORD CButtonST::EnableFrame(BOOL enable, BOOL repaint)
{
    m_bDrawBorder = enable;
    repaint_if(repaint);
    return kOk;
}

DWORD CButtonST::StoreCheckState(int check, BOOL repaint)
{
    if (m_bIsCheckBox || m_bIsRadio) {
        m_nCheck = check != 0;
        repaint_if(repaint);
    }
    return kOk;
}

int CButtonST::ReadCheckState() const
{
    return m_nCheck;
}

void CButtonST::SetTooltipText(LPCTSTR text)
{
    m_tool_tip_text = text;
}

// [SECTION] Messages

BOOL CButtonST::ReactToClick()
{
    SetFocus();
    if (m_bIsCheckBox) {
        m_nCheck = !m_nCheck;
        Invalidate();
        return FALSE;
    }
    if (m_bIsRadio) {
        SendMessage(BM_SETCHECK, BST_CHECKED);
        walk_group_unchecking(FALSE);
        walk_group_unchecking(TRUE);
        Invalidate();
        return FALSE;
    }
    if (has_drop_menu())
        return track_drop_menu();
    return FALSE;
}

// The walk ends when it comes back to this button or finds nothing; a control met twice
// ends it too, so a group this button is not part of cannot loop for ever.
void CButtonST::walk_group_unchecking(BOOL previous)
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    std::set<HWND> seen;
    for (CWnd* w = parent->GetNextDlgGroupItem(this, previous); w && w->m_hWnd != m_hWnd; w = parent->GetNextDlgGroupItem(w, previous)) {
        if (!seen.insert(w->m_hWnd).second)
            break;
        w->SendMessage(BM_SETCHECK, BST_UNCHECKED);
    }
}

HBRUSH CButtonST::CtlColor(CDC*, UINT)
{
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

UINT CButtonST::OnGetDlgCode()
{
    UINT const code = CButton::OnGetDlgCode();
    if (m_bIsRadio)
        return code | DLGC_RADIOBUTTON;
    return code | (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT CButtonST::OnSetStyle(WPARAM style, LPARAM redraw)
{
    DWORD const type = static_cast<DWORD>(style) & BS_TYPEMASK;
    if (type == BS_DEFPUSHBUTTON)
        m_bIsDefault = TRUE;
    else if (type == BS_PUSHBUTTON)
        m_bIsDefault = FALSE;
    return DefWindowProc(BM_SETSTYLE, (style & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, redraw);
}

LRESULT CButtonST::OnGetCheck(WPARAM, LPARAM)
{
    return m_bIsCheckBox || m_bIsRadio ? m_nCheck : 0;
}

LRESULT CButtonST::OnSetCheck(WPARAM check, LPARAM)
{
    StoreCheckState(check == BST_CHECKED || check == BST_INDETERMINATE, TRUE);
    return 0;
}

void CButtonST::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    ClientToScreen(&point);
    HWND const under = ::WindowFromPoint(point);
    if ((flags & MK_LBUTTON) && !m_bIsHover)
        return;
    if (under != m_hWnd) {
        cancel_hover();
        return;
    }
    if (m_bIsHover) {
        show_tool_tip();
        return;
    }
    m_bIsHover = TRUE;
    Invalidate();
    TRACKMOUSEEVENT track { sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0 };
    TrackMouseEvent(&track);
}

void CButtonST::show_tool_tip()
{
    if (!m_tool_tip.created())
        m_tool_tip.create(m_hWnd);
    if (!m_tool_tip.has_tool()) {
        CRect client;
        GetClientRect(&client);
        m_tool_tip.add_tool(client, m_tool_tip_text.str());
    }
    m_tool_tip.update_text(m_tool_tip_text.str());
    m_tool_tip.activate(true);
}

LRESULT CButtonST::OnMouseLeave(WPARAM, LPARAM)
{
    cancel_hover();
    return 0;
}

void CButtonST::OnKillFocus(CWnd* next)
{
    CButton::OnKillFocus(next);
    cancel_hover();
}

LRESULT CButtonST::OnCancelMode(WPARAM, LPARAM)
{
    Default();
    cancel_hover();
    return 0;
}

void CButtonST::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CButton::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE)
        cancel_hover();
}

// Only a button that has the focus hands it on: moving it from any other control would pull
// keystrokes out of the field the user is typing in.
void CButtonST::OnEnable(BOOL enable)
{
    CButton::OnEnable(enable);
    if (!enable && ::GetFocus() == m_hWnd) {
        if (CWnd* parent = GetParent()) {
            CWnd* next = parent->GetNextDlgTabItem(this);
            if (next && next->m_hWnd != m_hWnd)
                next->SetFocus();
            else
                parent->SetFocus();
        }
    }
    cancel_hover();
}

void CButtonST::OnSysColorChange()
{
    CButton::OnSysColorChange();
    RestoreFaceColours(TRUE);
}

// [SECTION] Helpers

void CButtonST::cancel_hover()
{
    if (!m_bIsHover)
        return;
    m_bIsHover = FALSE;
    Invalidate();
}

void CButtonST::repaint_if(BOOL repaint)
{
    if (repaint && m_hWnd)
        Invalidate();
}

void CButtonST::free_icons()
{
    if (m_hover_icon.handle)
        DestroyIcon(m_hover_icon.handle);
    if (m_rest_icon.handle)
        DestroyIcon(m_rest_icon.handle);
    m_hover_icon = {};
    m_rest_icon = {};
}
