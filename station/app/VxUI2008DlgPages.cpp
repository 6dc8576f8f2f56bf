// CVxUI2008Dlg: building the window's children. The page host and its pages with their
// buttons (CreatePages), then the expand and minimise buttons and the lower children
// (CreateChildren). A child that cannot be made stops the building there; the window stays up
// with what was made before it.
#include "station/app/VxUI2008Dlg.h"

#include "station/app/HideDlg.h"
#include "station/app/VxUI2008DlgKinds.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/controls/CTabDialog.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"
#include "station/features/AddBlockAckDlg.h"
#include "station/features/DeleteBlockAckDlg.h"
#include "station/features/ExtAPMACTableDlg.h"
#include "station/features/Page80211nSettingDlg.h"
#include "station/features/PageAboutDlg.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/features/PageCCXConfigDlg.h"
#include "station/features/PageExtAPDlg.h"
#include "station/features/PageWMMDlg.h"
#include "station/features/PageWPSDlg.h"
#include "station/features/PageWPSProfile.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PageSSODlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/APDetailInfoDlg.h"
#include "station/survey/AuthenStatusDlg.h"
#include "station/survey/HiddenSsidDlg.h"
#include "station/survey/LinkStatusDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "station/survey/PageStatisticsDlg.h"

#include <algorithm>
#include <cstring>

using namespace station::core;

namespace station::core {

const PageButtonKind kPageButtonKinds[BTN_KIND_COUNT] = {
    { "BTN_PROFILE", &CUISTR::IDS_TAB_PROFILE, 133, 104, true },
    { "BTN_SITESURVEY", &CUISTR::IDS_TAB_SITESURVEY, 134, 105, true },
    { "BTN_ADVANCE", &CUISTR::IDS_TAB_ADVANCE, 157, 105, true },
    { "BTN_STATISTIC", &CUISTR::IDS_TAB_STATISTICS, 135, 106, true },
    { "BTN_WMM", &CUISTR::IDS_TAB_WMM, 137, 107, true },
    { "BTN_WPS", &CUISTR::IDS_TAB_WPS, 136, 108, true },
    { "BTN_SSO", &CUISTR::IDS_TAB_SSO, 245, 100, true },
    { "BTN_CCXCONFIG", &CUISTR::IDS_TAB_CCX_CONFIG, 243, 440, true },
    { "BTN_80211N", &CUISTR::IDS_TAB_80211N, 138, 112, true },
    { "BTN_RADIO", &CUISTR::IDS_TAB_RADIO, kIconRadioOn, 121, false },
    { "BTN_ABOUT", &CUISTR::IDS_TAB_ABOUT, 140, 109, true },
    { "BTN_HELP", &CUISTR::IDS_BTN_HELP, kIconHelp, 110, false },
    { "BTN_EXTAP", &CUISTR::IDS_BTN_EXTAP, 264, 7000, true },
};

const char* page_button_name(int kind)
{
    if (kind == BTN_LEFT)
        return "BTN_LEFT";
    if (kind == BTN_RIGHT)
        return "BTN_RIGHT";
    if (kind < 0 || kind >= BTN_KIND_COUNT)
        return "BTN_UNKNOWN";
    return kPageButtonKinds[kind].name;
}

}

namespace {

constexpr int kSmallScreenCut = 40;

// The rectangle of a template control in the window's client coordinates; small screens move
// it up by the 40 pixels the button row loses.
CRect template_rect(HWND window, int id)
{
    RECT rect {};
    GetCtrlRectInDlg(&rect, window, id);
    CRect result(rect);
    if (G_bHideTabIcon)
        result.OffsetRect(0, -kSmallScreenCut);
    return result;
}

template<typename T>
BOOL make_child(T*& pointer, CWnd* parent)
{
    pointer = new T(parent);
    return pointer->Create(T::IDD, parent);
}

}

// [SECTION] CreateChildren

BOOL CVxUI2008Dlg::CreateChildren()
{
    m_pTabDlg = new CTabDialog(CTabDialog::IDD, this);
    if (!m_pTabDlg->Create(CTabDialog::IDD, this) || !CreatePages())
        return FALSE;
    CRect const page_area = template_rect(m_hWnd, IDC_PAGE_AREA);
    CRect const lower_frame = template_rect(m_hWnd, IDC_LOWER_FRAME);
    CRect const expand = template_rect(m_hWnd, IDC_EXPAND);
    CRect const minimise = template_rect(m_hWnd, IDC_MINIMISE);
    CRect client;
    GetClientRect(&client);
    CRect host;
    m_pTabDlg->GetWindowRect(&host);
    ScreenToClient(&host);
    m_pTabDlg->MoveWindow(host.left, host.top, client.Width(), page_area.bottom - host.top);
    m_pTabDlg->ShowWindow(SW_SHOW);
    m_pTabDlg->MovePages(page_area, 0);
    place_expand_buttons(expand, minimise);
    return create_lower_children(lower_frame);
}

void CVxUI2008Dlg::place_expand_buttons(CRect const& expand, CRect const& minimise)
{
    m_btnExpand.MoveWindow(&expand);
    m_btnExpand.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    show_expand_state();
    m_btnMinimise.MoveWindow(&minimise);
    m_btnMinimise.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    m_btnMinimise.AssignIcons(260, 0);
    m_btnMinimise.SetTooltipText(G_UiStr.IDS_MIN_WINDOW.c_str());
    m_btnMinimise.ShowWindow(G_bHideTabIcon ? SW_SHOW : SW_HIDE);
}

BOOL CVxUI2008Dlg::create_lower_children(CRect const& frame)
{
    auto place = [&](CWnd* child) {
        child->MoveWindow(&frame);
        child->ShowWindow(SW_HIDE);
        return TRUE;
    };
    return make_child(m_pLinkStatusDlg, this) && place(m_pLinkStatusDlg)
        && make_child(m_pProfileEditorDlg, this) && place(m_pProfileEditorDlg)
        && make_child(m_pAPDetailInfoDlg, this) && place(m_pAPDetailInfoDlg)
        && make_child(m_pAddBlockAckDlg, this) && place(m_pAddBlockAckDlg)
        && make_child(m_pDeleteBlockAckDlg, this) && place(m_pDeleteBlockAckDlg)
        && make_child(m_pHiddenSsidDlg, this) && place(m_pHiddenSsidDlg)
        && make_child(m_pSecurityEditorDlg, this) && place(m_pSecurityEditorDlg)
        && make_child(m_pAuthenStatusDlg, this) && place(m_pAuthenStatusDlg)
        && make_child(m_pPageWPSProfile, this) && place(m_pPageWPSProfile)
        && make_child(m_pInvalidIDPW, this) && place(m_pInvalidIDPW)
        && make_child(m_pPeapSettingDlg, this) && place(m_pPeapSettingDlg)
        && make_child(m_pExtAPMACTableDlg, this) && place(m_pExtAPMACTableDlg);
}

// [SECTION] CreatePages

BOOL CVxUI2008Dlg::CreatePages()
{
    create_button_font();
    read_row_geometry();
    CRect const left = template_rect(m_hWnd, IDC_LEFT_AREA);
    m_pBtnLeft = create_row_button(BTN_LEFT, IDC_BTN_LEFT, G_bHideTabIcon ? "<==" : "", left.left, 0, m_nArrowWidth,
        m_nSlotHeight);
    set_row_icon(m_pBtnLeft, kIconLeft, 0);
    m_pTabDlg->AddButton(m_pBtnLeft);
    static constexpr int kCreatedKinds[] = { BTN_PROFILE, BTN_SITESURVEY, BTN_ADVANCE, BTN_STATISTIC, BTN_WMM,
        BTN_WPS, BTN_SSO, BTN_CCXCONFIG, BTN_RADIO, BTN_ABOUT, BTN_HELP, BTN_EXTAP };
    for (int kind : kCreatedKinds) {
        if (kind == BTN_EXTAP && G_VxWlLib.VXWL_GetWinOS() <= 11)
            continue;
        if (!create_kind(kind))
            return FALSE;
    }
    if (!register_sequence())
        return FALSE;
    create_arrows_and_reserved();
    ShoworHideSTAButton();
    return TRUE;
}

void CVxUI2008Dlg::create_button_font()
{
    LOGFONT font {};
    font.lfHeight = G_bHideTabIcon ? 16 : 20;
    font.lfCharSet = static_cast<BYTE>(G_UiStr.nCharSet);
    std::strncpy(font.lfFaceName, G_UiStr.strFaceName.c_str(), sizeof font.lfFaceName - 1);
    m_fontButton.CreateFontIndirect(&font);
}

void CVxUI2008Dlg::read_row_geometry()
{
    RECT rect {};
    GetCtrlRectInDlg(&rect, m_hWnd, IDC_LEFT_AREA);
    m_nArrowWidth = rect.right - rect.left;
    GetCtrlRectInDlg(&rect, m_hWnd, IDC_SLOT);
    m_nSlotWidth = rect.right - rect.left;
    m_nSlotHeight = rect.bottom - rect.top - (G_bHideTabIcon ? kSmallScreenCut : 0);
}

CShadeButtonST* CVxUI2008Dlg::create_row_button(int kind, int id, LPCTSTR text, int x, int y, int width, int height)
{
    auto* button = new CShadeButtonST;
    button->Create(text, kRowButtonStyle, CRect(x, y, x + width, y + height), m_pTabDlg, static_cast<UINT>(id));
    button->SetFont(&m_fontButton);
    button->ChooseImageSide(CButtonST::ImageAbove, FALSE);
    bool const reserved = id == IDC_BTN_RESERVED;
    button->ConfigureShading(0, 33, 10, 0, 0, reserved ? kReservedTint : kHoverTint,
        reserved ? kReservedTint : kHighlightTint);
    button->m_nKind = kind;
    return button;
}

// Small screens show no icons on the row.
void CVxUI2008Dlg::set_row_icon(CShadeButtonST* button, int icon, int rest)
{
    if (button && !G_bHideTabIcon)
        button->AssignIcons(icon, rest);
}

// One kind's button and, for kinds with a page, its page, created as a child of the host.
BOOL CVxUI2008Dlg::create_kind(int kind)
{
    PageButtonKind const& info = kPageButtonKinds[kind];
    int const registered = m_pTabDlg->page_count() + m_pTabDlg->button_count();
    int const x = (registered - 1) * m_nSlotWidth + m_nArrowWidth;
    CShadeButtonST* const button
        = create_row_button(kind, info.id, (G_UiStr.*info.text).c_str(), x, 0, m_nSlotWidth, m_nSlotHeight);
    m_pBtnKind[static_cast<size_t>(kind)] = button;
    int icon = info.icon;
    if (kind == BTN_RADIO) {
        m_bRadioOn = G_VxWlLib.VXWL_ReadRadioStatus() != 0;
        icon = m_bRadioOn ? kIconRadioOn : kIconRadioOff;
    }
    set_row_icon(button, icon, info.has_page ? CButtonST::kGreyIcon : 0);
    button->ShowWindow(SW_HIDE);
    if (!info.has_page)
        return TRUE;
    if (!create_page_of(kind)) {
        TraceMsg(TRACE_FAIL, "[Kivra] CVxUI2008Dlg::CreatePages: page of %s not created\n", info.name);
        return FALSE;
    }
    return TRUE;
}

BOOL CVxUI2008Dlg::create_page_of(int kind)
{
    switch (kind) {
    case BTN_PROFILE: return make_child(m_pPageProfileDlg, m_pTabDlg);
    case BTN_SITESURVEY: return make_child(m_pPageSiteSurveyDlg, m_pTabDlg);
    case BTN_ADVANCE: return make_child(m_pPageAdvanceDlg, m_pTabDlg);
    case BTN_STATISTIC: return make_child(m_pPageStatisticsDlg, m_pTabDlg);
    case BTN_WMM: return make_child(m_pPageWMMDlg, m_pTabDlg);
    case BTN_WPS:
        m_pPageWPSDlg = new CPageWPSDlg(m_pTabDlg);
        m_pPageWPSDlg->SetPageRect(template_rect(m_hWnd, IDC_LOWER_FRAME));
        return m_pPageWPSDlg->Create(CPageWPSDlg::IDD, m_pTabDlg);
    case BTN_SSO: return make_child(m_pPageSSODlg, m_pTabDlg);
    case BTN_CCXCONFIG: return make_child(m_pPageCCXConfigDlg, m_pTabDlg);
    case BTN_80211N: return make_child(m_pPage80211nSettingDlg, m_pTabDlg);
    case BTN_ABOUT: return make_child(m_pPageAboutDlg, m_pTabDlg);
    case BTN_EXTAP: return make_child(m_pPageExtAPDlg, m_pTabDlg);
    default: return FALSE;
    }
}

CDialog* CVxUI2008Dlg::page_of(int kind) const
{
    switch (kind) {
    case BTN_PROFILE: return m_pPageProfileDlg;
    case BTN_SITESURVEY: return m_pPageSiteSurveyDlg;
    case BTN_ADVANCE: return m_pPageAdvanceDlg;
    case BTN_STATISTIC: return m_pPageStatisticsDlg;
    case BTN_WMM: return m_pPageWMMDlg;
    case BTN_WPS: return m_pPageWPSDlg;
    case BTN_SSO: return m_pPageSSODlg;
    case BTN_CCXCONFIG: return m_pPageCCXConfigDlg;
    case BTN_80211N: return m_pPage80211nSettingDlg;
    case BTN_ABOUT: return m_pPageAboutDlg;
    case BTN_EXTAP: return m_pPageExtAPDlg;
    default: return nullptr;
    }
}

// The configured sequence, in its order: pages with their buttons, then the radio and help
// buttons alone. A kind is registered once, where it first appears; an unknown number and
// the hosted network below system code 12 are skipped.
BOOL CVxUI2008Dlg::register_sequence()
{
    int const count = std::min(G_VxWlLib.nButtonCount, MAX_PAGE_BUTTONS);
    for (int i = 0; i < count; ++i) {
        int const kind = G_VxWlLib.aryButtonSequence[i];
        if (kind < 0 || kind >= BTN_KIND_COUNT) {
            TraceMsg(TRACE_STEP, "[Kivra] CVxUI2008Dlg::CreatePages: kind %d skipped\n", kind);
            continue;
        }
        if (!register_kind(kind))
            return FALSE;
    }
    return TRUE;
}

BOOL CVxUI2008Dlg::register_kind(int kind)
{
    CShadeButtonST* button = m_pBtnKind[static_cast<size_t>(kind)];
    auto const registered = all_registered();
    if (button && std::find(registered.begin(), registered.end(), button) != registered.end())
        return TRUE;
    if (kind == BTN_EXTAP && G_VxWlLib.VXWL_GetWinOS() <= 11)
        return TRUE;
    if (kind == BTN_80211N) {
        if (!create_kind(kind))
            return FALSE;
        button = m_pBtnKind[static_cast<size_t>(kind)];
    }
    if (!button)
        return TRUE;
    if (kind == BTN_RADIO || kind == BTN_HELP) {
        m_pTabDlg->AddButton(button);
    } else {
        m_pTabDlg->AddPage(page_of(kind), button);
    }
    return TRUE;
}

void CVxUI2008Dlg::create_arrows_and_reserved()
{
    CRect const right = template_rect(m_hWnd, IDC_RIGHT_AREA);
    m_pBtnRight = create_row_button(BTN_RIGHT, IDC_BTN_RIGHT, G_bHideTabIcon ? "==>" : "", right.left, 0,
        right.Width(), m_nSlotHeight);
    set_row_icon(m_pBtnRight, kIconRight, 0);
    m_pTabDlg->AddButton(m_pBtnRight);
    // Created last, so that they lie beneath every other button of the row.
    for (auto& reserved : m_pBtnReserved) {
        reserved = create_row_button(BTN_NONE, IDC_BTN_RESERVED, "", 0, 0, m_nSlotWidth, m_nSlotHeight);
        reserved->ShowWindow(SW_HIDE);
    }
}
