// CVxUI2008Dlg: the page-button layout. The row has eight slots; every button carries an order
// (1 to 8 visible, below 1 or above 8 scrolled out, -10 hidden for one pass) that the host
// set when the button was registered. A pass enables the configured buttons for this user,
// hides those this computer cannot use, places the visible ones, the arrows and the reserved
// buttons, and then puts every order back, so that each pass starts from the full sequence.
#include "station/app/VxUI2008Dlg.h"

#include "station/app/HideDlg.h"
#include "station/app/VxUI2008DlgKinds.h"
#include "station/controls/CTabDialog.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"

#include <algorithm>

using namespace station::core;

namespace {

constexpr int kHiddenOrder = -10;
constexpr int kSlots = 8;

bool is_arrow(CShadeButtonST const* button)
{
    return button->m_nKind == BTN_LEFT || button->m_nKind == BTN_RIGHT;
}

void show_at(CShadeButtonST* button, int x, int width, int height)
{
    button->MoveWindow(x, 0, width, height);
    button->ShowWindow(SW_SHOW);
}

}

// [SECTION] Reading the sequence

bool CVxUI2008Dlg::in_sequence(int kind) const
{
    int const count = std::min(G_VxWlLib.nButtonCount, MAX_PAGE_BUTTONS);
    return std::find(G_VxWlLib.aryButtonSequence, G_VxWlLib.aryButtonSequence + count, kind)
        != G_VxWlLib.aryButtonSequence + count;
}

std::vector<CShadeButtonST*> CVxUI2008Dlg::page_buttons() const
{
    return m_pTabDlg ? m_pTabDlg->PageButtons() : std::vector<CShadeButtonST*> {};
}

std::vector<CShadeButtonST*> CVxUI2008Dlg::extra_buttons() const
{
    return m_pTabDlg ? m_pTabDlg->ExtraButtons() : std::vector<CShadeButtonST*> {};
}

std::vector<CShadeButtonST*> CVxUI2008Dlg::all_registered() const
{
    std::vector<CShadeButtonST*> all = page_buttons();
    std::vector<CShadeButtonST*> const extra = extra_buttons();
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

CShadeButtonST* CVxUI2008Dlg::GetFirstPageButton() const
{
    auto const registered = all_registered();
    int const count = std::min(G_VxWlLib.nButtonCount, MAX_PAGE_BUTTONS);
    for (int i = 0; i < count; ++i) {
        CShadeButtonST* const button = kind_button(G_VxWlLib.aryButtonSequence[i]);
        if (button && G_VxWlLib.aryButtonSequence[i] >= 0
            && std::find(registered.begin(), registered.end(), button) != registered.end())
            return button;
    }
    return nullptr;
}

bool CVxUI2008Dlg::sso_available() const
{
    if (G_VxWlLib.VXWL_IsZeroConfig() != 0 || !G_VxWlLib.VXWL_DetectUserAdmin())
        return false;
    SSO_STATUS status {};
    G_VxWlLib.VXWL_ReadSSOStatus(&status);
    return status.bAvailable == 1;
}

// [SECTION] The layout pass

void CVxUI2008Dlg::ShoworHideSTAButton()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CVxUI2008Dlg::ShoworHideSTAButton\n");
    if (!m_pTabDlg || !m_pBtnLeft || !m_pBtnRight) {
        // The row was not completed (a page failed to be created): nothing to lay out.
        TraceMsg(TRACE_STEP, "[Kivra] <-- CVxUI2008Dlg::ShoworHideSTAButton (no row)\n");
        return;
    }
    bool has_sso = false;
    bool has_ccx = false;
    bool has_help = false;
    enable_sequence_buttons(has_sso, has_ccx, has_help);
    int count = m_pTabDlg->page_count() + m_pTabDlg->button_count() - 2;
    TraceMsg(TRACE_DUMP, "[Kivra] Button count = %d\n", count);

    std::vector<HiddenButton> hidden;
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    BOOL const hide_ap = g_pHideDlg ? g_pHideDlg->m_bHideAPButton : TRUE;
    if (hide_ap && G_VxWlLib.VXWL_DetectUserAdmin())
        hide_for_pass(kind_button(BTN_EXTAP), count, hidden);
    if (has_sso && !sso_available())
        hide_for_pass(kind_button(BTN_SSO), count, hidden);
    if (win_os > 11 && G_VxWlLib.bCCXForWin7 == 0 && has_ccx)
        hide_for_pass(kind_button(BTN_CCXCONFIG), count, hidden);
    if (has_help && !help_file_exists())
        hide_for_pass(kind_button(BTN_HELP), count, hidden);

    std::vector<CShadeButtonST*> const pages = page_buttons();
    int const scrolled_left = static_cast<int>(std::count_if(pages.begin(), pages.end(),
        [](CShadeButtonST const* b) { return b->m_nOrder < 1 && b->m_nOrder != kHiddenOrder; }));
    // A short row moves up by one slot for the pass.
    bool const lifted = count - scrolled_left < kSlots;
    if (lifted)
        IncreaseButtonOrder();
    place_slots(count);
    hide_out_of_view();
    place_arrows(count);
    place_reserved(count);
    if (lifted)
        DecreaseButtonOrder();
    restore_hidden(hidden);
    TraceMsg(TRACE_STEP, "[Kivra] <-- CVxUI2008Dlg::ShoworHideSTAButton\n");
}

// Every configured button is shown; whether it is enabled depends on who manages the adapter
// (P: this program, or a newer system) and whether the user is an administrator (A).
void CVxUI2008Dlg::enable_sequence_buttons(bool& has_sso, bool& has_ccx, bool& has_help)
{
    int const zero_config = G_VxWlLib.VXWL_IsZeroConfig();
    int const win_os = G_VxWlLib.VXWL_GetWinOS();
    bool const managed = zero_config != VXWL_ZERO_CONFIG_SYSTEM || win_os > 9;
    bool const admin = G_VxWlLib.VXWL_DetectUserAdmin() != 0;
    int const count = std::min(G_VxWlLib.nButtonCount, MAX_PAGE_BUTTONS);
    for (int i = 0; i < count; ++i) {
        int const kind = G_VxWlLib.aryButtonSequence[i];
        CShadeButtonST* const button = kind_button(kind);
        if (kind < 0 || !button || !button->m_hWnd)
            continue;
        has_sso = has_sso || kind == BTN_SSO;
        has_ccx = has_ccx || kind == BTN_CCXCONFIG;
        has_help = has_help || kind == BTN_HELP;
        switch (kind) {
        case BTN_PROFILE:
        case BTN_SSO: button->EnableWindow(managed); break;
        case BTN_ADVANCE:
        case BTN_WPS:
        case BTN_CCXCONFIG: button->EnableWindow(managed && admin); break;
        case BTN_WMM:
            // Otherwise EnableWMMButton decides, from the link.
            if (!admin)
                button->EnableWindow(FALSE);
            break;
        case BTN_RADIO: button->EnableWindow(!(zero_config == VXWL_ZERO_CONFIG_SYSTEM && win_os < 10)); break;
        default: button->EnableWindow(TRUE); break;
        }
        TraceMsg(TRACE_DUMP, "[Kivra] Show %s, order = %d\n", page_button_name(kind), button->m_nOrder);
        button->ShowWindow(SW_SHOW);
    }
}

// Takes a button out of this pass: the buttons after it close up. Only a button that the row
// holds can be taken out, so a created but unconfigured button never shifts the others.
void CVxUI2008Dlg::hide_for_pass(CShadeButtonST* button, int& count, std::vector<HiddenButton>& hidden)
{
    auto const registered = all_registered();
    if (!button || std::find(registered.begin(), registered.end(), button) == registered.end())
        return;
    int const order = button->m_nOrder;
    TraceMsg(TRACE_STEP, "[Kivra] Hide %s, order = %d\n", page_button_name(button->m_nKind), order);
    button->m_nOrder = kHiddenOrder;
    --count;
    for (CShadeButtonST* other : registered)
        if (other->m_nOrder > order)
            --other->m_nOrder;
    hidden.push_back({ button, order });
}

// The buttons taken out get their orders back, last taken first.
void CVxUI2008Dlg::restore_hidden(std::vector<HiddenButton> const& hidden)
{
    auto const registered = all_registered();
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it) {
        for (CShadeButtonST* other : registered)
            if (other->m_nOrder >= it->order)
                ++other->m_nOrder;
        it->button->m_nOrder = it->order;
    }
}

void CVxUI2008Dlg::place_slots(int count)
{
    int const offset = count > kSlots ? m_nArrowWidth : 0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        int const x = (slot - 1) * m_nSlotWidth + offset;
        for (auto const& map : { page_buttons(), extra_buttons() }) {
            auto const found = std::find_if(map.begin(), map.end(), [slot](CShadeButtonST const* b) { return b->m_nOrder == slot; });
            if (found != map.end())
                show_at(*found, x, m_nSlotWidth, m_nSlotHeight);
        }
    }
}

void CVxUI2008Dlg::hide_out_of_view()
{
    for (CShadeButtonST* button : all_registered()) {
        if (button->m_nOrder >= 1 && button->m_nOrder <= kSlots)
            continue;
        button->EnableWindow(FALSE);
        button->ShowWindow(SW_HIDE);
    }
}

void CVxUI2008Dlg::place_arrows(int count)
{
    if (count <= kSlots) {
        m_pBtnLeft->ShowWindow(SW_HIDE);
        m_pBtnRight->ShowWindow(SW_HIDE);
        return;
    }
    RECT left {};
    RECT right {};
    GetCtrlRectInDlg(&left, m_hWnd, IDC_LEFT_AREA);
    GetCtrlRectInDlg(&right, m_hWnd, IDC_RIGHT_AREA);
    show_at(m_pBtnLeft, left.left, left.right - left.left, m_nSlotHeight);
    show_at(m_pBtnRight, right.left, right.right - right.left, m_nSlotHeight);

    CShadeButtonST const* const first = GetFirstPageButton();
    bool const at_start = first && first->m_nOrder == 1;
    m_pBtnLeft->EnableWindow(!at_start);
    if (at_start)
        m_pBtnLeft->AssignIconHandles(nullptr, nullptr);
    else
        set_row_icon(m_pBtnLeft, kIconLeft, 0);

    int last = kHiddenOrder;
    for (CShadeButtonST const* button : all_registered())
        if (!is_arrow(button) && button->m_nOrder != kHiddenOrder)
            last = std::max(last, button->m_nOrder);
    bool const at_end = last < kSlots + 1;
    m_pBtnRight->EnableWindow(!at_end);
    if (at_end)
        m_pBtnRight->AssignIconHandles(nullptr, nullptr);
    else
        set_row_icon(m_pBtnRight, kIconRight, 0);
}

// The reserved buttons fill the slots right of a short row, beneath the buttons.
void CVxUI2008Dlg::place_reserved(int count)
{
    CShadeButtonST* const first = m_pBtnReserved[0];
    CShadeButtonST* const second = m_pBtnReserved[1];
    if (count < kSlots) {
        show_at(first, m_nSlotWidth * count, m_nSlotWidth, m_nSlotHeight);
        show_at(second, m_nSlotWidth * (count + 1), m_nSlotWidth, m_nSlotHeight);
    } else if (count == kSlots) {
        show_at(first, m_nSlotWidth * kSlots, m_nSlotWidth, m_nSlotHeight);
        second->ShowWindow(SW_HIDE);
    } else {
        first->ShowWindow(SW_HIDE);
        second->ShowWindow(SW_HIDE);
    }
}

// [SECTION] Scrolling

void CVxUI2008Dlg::IncreaseButtonOrder()
{
    shift_orders(1, "OnLeft()");
}

void CVxUI2008Dlg::DecreaseButtonOrder()
{
    shift_orders(-1, "OnRight()");
}

// Every page button and every extra button but the arrows moves by `delta`, hidden ones stay.
void CVxUI2008Dlg::shift_orders(int delta, char const* who)
{
    for (CShadeButtonST* button : page_buttons()) {
        if (button->m_nOrder == kHiddenOrder)
            continue;
        button->m_nOrder += delta;
        TraceMsg(TRACE_DUMP, "[Kivra] %s: Normal button ID = %d, order = %d\n", who, button->GetDlgCtrlID(), button->m_nOrder);
    }
    for (CShadeButtonST* button : extra_buttons()) {
        if (button->m_nOrder == kHiddenOrder || is_arrow(button))
            continue;
        button->m_nOrder += delta;
        TraceMsg(TRACE_DUMP, "[Kivra] %s: Special button ID = %d, order = %d\n", who, button->GetDlgCtrlID(), button->m_nOrder);
    }
}

void CVxUI2008Dlg::OnLeft()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CVxUI2008Dlg::OnLeft\n");
    IncreaseButtonOrder();
    ShoworHideSTAButton();
}

void CVxUI2008Dlg::OnRight()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CVxUI2008Dlg::OnRight\n");
    DecreaseButtonOrder();
    ShoworHideSTAButton();
}
