// CVxUI2008Dlg: construction, tear-down, the message map, and showing the lower area.
#include "station/app/VxUI2008Dlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/app/HideDlg.h"
#include "station/controls/CInvalidIDPW.h"
#include "station/controls/CTabDialog.h"
#include "station/core/HideDlgIds.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
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

namespace {

// The program icon, the expand button's two icons.
constexpr int kProgramIcon = 128;
constexpr int kIconMore = 143;
constexpr int kIconLess = 144;
// What the small-screen layout takes off every height read from the template.
constexpr int kSmallScreenCut = 40;

template<typename T>
void delete_and_clear(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

}

BEGIN_MESSAGE_MAP(CVxUI2008Dlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_TIMER()
ON_WM_HELPINFO()
ON_BN_CLICKED(IDC_BTN_RADIO, OnRadio)
ON_BN_CLICKED(IDC_EXPAND, ToggleExpand)
ON_BN_CLICKED(IDC_BTN_LEFT, OnLeft)
ON_BN_CLICKED(IDC_BTN_RIGHT, OnRight)
ON_BN_CLICKED(IDC_BTN_HELP, OnHelp)
ON_BN_CLICKED(IDC_MINIMISE, OnMinimise)
END_MESSAGE_MAP()

CVxUI2008Dlg::CVxUI2008Dlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
    m_hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(kProgramIcon));
}

// The window goes first, so that no child window outlives the object it belongs to; then
// every page, lower child and button this window made, and the host.
CVxUI2008Dlg::~CVxUI2008Dlg()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    delete_and_clear(m_pPageSiteSurveyDlg);
    delete_and_clear(m_pPageProfileDlg);
    delete_and_clear(m_pPageStatisticsDlg);
    delete_and_clear(m_pPageWMMDlg);
    delete_and_clear(m_pPage80211nSettingDlg);
    delete_and_clear(m_pPageWPSDlg);
    delete_and_clear(m_pPageAboutDlg);
    delete_and_clear(m_pPageAdvanceDlg);
    delete_and_clear(m_pLinkStatusDlg);
    delete_and_clear(m_pHiddenSsidDlg);
    delete_and_clear(m_pProfileEditorDlg);
    delete_and_clear(m_pAPDetailInfoDlg);
    delete_and_clear(m_pAddBlockAckDlg);
    delete_and_clear(m_pDeleteBlockAckDlg);
    delete_and_clear(m_pSecurityEditorDlg);
    delete_and_clear(m_pAuthenStatusDlg);
    delete_and_clear(m_pPageWPSProfile);
    delete_and_clear(m_pInvalidIDPW);
    delete_and_clear(m_pPeapSettingDlg);
    delete_and_clear(m_pPageSSODlg);
    delete_and_clear(m_pSparePage);
    delete_and_clear(m_pPageCCXConfigDlg);
    delete_and_clear(m_pPageExtAPDlg);
    delete_and_clear(m_pExtAPMACTableDlg);
    delete_and_clear(m_pBtnLeft);
    for (auto& button : m_pBtnKind)
        delete_and_clear(button);
    delete_and_clear(m_pBtnRight);
    for (auto& button : m_pBtnReserved)
        delete_and_clear(button);
    delete_and_clear(m_pTabDlg);
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    close_windows_of_hidden_dialog();
}

// Message boxes and dialogs that the hidden dialog still owns are asked to close.
void CVxUI2008Dlg::close_windows_of_hidden_dialog()
{
    ::EnumWindows(
        [](HWND hwnd, LPARAM) -> BOOL {
            HWND owner = ::GetParent(hwnd);
            if (!owner)
                owner = ::GetWindow(hwnd, GW_OWNER);
            char title[64] {};
            if (owner && ::GetWindowText(owner, title, sizeof title) > 0 && std::strcmp(title, HIDE_DLG_TITLE) == 0)
                ::PostMessage(hwnd, WM_CLOSE, 0, 0);
            return TRUE;
        },
        0);
}

void CVxUI2008Dlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXPAND, m_btnExpand);
    DDX_Control(pDX, IDC_MINIMISE, m_btnMinimise);
}

BOOL CVxUI2008Dlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // Small screens have no room for a caption or frames.
    if (G_bHideTabIcon)
        ModifyStyle(~DWORD(0xFF33FFFF), 0, SWP_FRAMECHANGED);
    CreateChildren();
    if (m_pLinkStatusDlg && m_pLinkStatusDlg->m_hWnd)
        m_pLinkStatusDlg->ShowWindow(SW_SHOW);
    m_nCurrentSub = SUB_LINK_STATUS;
    return TRUE;
}

// [SECTION] Painting

void CVxUI2008Dlg::OnPaint()
{
    if (!IsIconic()) {
        CResizeDlg::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    int const x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int const y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CVxUI2008Dlg::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(m_hIcon);
}

// The minimise button closes the window the dialog's way, which hides it; the program goes on
// in the tray.
void CVxUI2008Dlg::OnMinimise()
{
    OnCancel();
}

// [SECTION] The lower area

CWnd* CVxUI2008Dlg::lower_child(int index) const
{
    switch (index) {
    case SUB_AP_DETAIL: return (m_pAPDetailInfoDlg);
    case SUB_ADD_BLOCK_ACK: return (m_pAddBlockAckDlg);
    case SUB_DELETE_BLOCK_ACK: return (m_pDeleteBlockAckDlg);
    case SUB_PROFILE_EDITOR: return (m_pProfileEditorDlg);
    case SUB_HIDDEN_SSID: return (m_pHiddenSsidDlg);
    case SUB_SECURITY_EDITOR: return (m_pSecurityEditorDlg);
    case SUB_PEAP_SETTING: return (m_pPeapSettingDlg);
    case SUB_AUTHEN_STATUS: return (m_pAuthenStatusDlg);
    case SUB_WPS_PROFILE: return (m_pPageWPSProfile);
    case SUB_INVALID_IDPW: return (m_pInvalidIDPW);
    case SUB_EXTAP_MAC_TABLE: return (m_pExtAPMACTableDlg);
    default: return (m_pLinkStatusDlg);
    }
}

void CVxUI2008Dlg::ShowSubDialog(int index)
{
    CWnd* const link_status = lower_child(SUB_LINK_STATUS);
    if (index == SUB_LINK_STATUS && link_status && link_status->m_hWnd && link_status->IsWindowVisible())
        return;
    hide_lower_children();
    m_nCurrentSub = index;
    CWnd* const child = lower_child(index);
    if (child && child->m_hWnd)
        child->ShowWindow(SW_SHOW);
    if (link_status && link_status->m_hWnd && child == link_status)
        link_status->UpdateWindow();
}

// Hiding the lower children always leaves the window expanded: the flag is cleared, so the
// toggle sets it again.
void CVxUI2008Dlg::hide_lower_children()
{
    m_bExpanded = FALSE;
    ToggleExpand();
    static constexpr int kHideOrder[] = { SUB_LINK_STATUS, SUB_AP_DETAIL, SUB_ADD_BLOCK_ACK, SUB_DELETE_BLOCK_ACK,
        SUB_PROFILE_EDITOR, SUB_HIDDEN_SSID, SUB_SECURITY_EDITOR, SUB_PEAP_SETTING, SUB_AUTHEN_STATUS,
        SUB_WPS_PROFILE, SUB_INVALID_IDPW, SUB_EXTAP_MAC_TABLE };
    for (int index : kHideOrder) {
        CWnd* const child = lower_child(index);
        if (child && child->m_hWnd)
            child->ShowWindow(SW_HIDE);
    }
}

// The top or bottom of a template control, measured from the window's top edge (caption
// included); small screens take the row's 40 pixels off.
int CVxUI2008Dlg::template_height(int id, bool bottom) const
{
    CRect window;
    GetWindowRect(&window);
    CWnd* const control = GetDlgItem(id);
    if (!control)
        return window.Height();
    CRect rect;
    control->GetWindowRect(&rect);
    return (bottom ? rect.bottom : rect.top) - window.top - (G_bHideTabIcon ? kSmallScreenCut : 0);
}

// The window's frame below its client area. The heights below end that far lower, so that
// the lower frame and the expand button keep their margin inside the client area instead of
// running under the frame.
int CVxUI2008Dlg::bottom_frame() const
{
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    return std::max(0, static_cast<int>(window.bottom - client.bottom));
}

void CVxUI2008Dlg::ToggleExpand()
{
    m_bExpanded = !m_bExpanded;
    CRect window;
    GetWindowRect(&window);
    int height = 0;
    if (m_bExpanded)
        height = template_height(IDC_LOWER_FRAME, true);
    else if (G_bHideTabIcon)
        height = template_height(IDC_LOWER_FRAME, false) + 5;
    else
        height = template_height(IDC_EXPAND, true) + 2;
    height += bottom_frame();
    SetWindowPos(nullptr, 0, 0, window.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    show_expand_state();
}

void CVxUI2008Dlg::show_expand_state()
{
    if (!m_btnExpand.m_hWnd)
        return;
    m_btnExpand.AssignIcons(m_bExpanded ? kIconLess : kIconMore, 0);
    m_btnExpand.SetTooltipText((m_bExpanded ? G_UiStr.IDS_BTN_LESS : G_UiStr.IDS_BTN_MORE).c_str());
}

// [SECTION] Buttons the hidden dialog drives

CShadeButtonST* CVxUI2008Dlg::kind_button(int kind) const
{
    if (kind == BTN_LEFT)
        return m_pBtnLeft;
    if (kind == BTN_RIGHT)
        return m_pBtnRight;
    if (kind < 0 || kind >= BTN_KIND_COUNT)
        return nullptr;
    return m_pBtnKind[static_cast<size_t>(kind)];
}

void CVxUI2008Dlg::ClickShownPage()
{
    CShadeButtonST* shown = nullptr;
    for (int kind = 0; kind < BTN_KIND_COUNT && !shown; ++kind) {
        CShadeButtonST* const button = kind_button(kind);
        if (button && button->m_hWnd && button->m_bHighlighted)
            shown = button;
    }
    if (!shown || !shown->IsWindowEnabled())
        shown = kind_button(BTN_SITESURVEY);
    if (shown && shown->m_hWnd)
        shown->SendMessage(BM_CLICK);
}

bool CVxUI2008Dlg::radio_button_enabled() const
{
    CShadeButtonST* const radio = kind_button(BTN_RADIO);
    return radio && radio->m_hWnd && radio->IsWindowEnabled();
}

void CVxUI2008Dlg::EnableRadioButton(bool enable)
{
    if (CShadeButtonST* const radio = kind_button(BTN_RADIO); radio && radio->m_hWnd)
        radio->EnableWindow(enable ? TRUE : FALSE);
}

void CVxUI2008Dlg::ShowAndActivate()
{
    m_bShown = TRUE;
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
}

// The WMM button follows the link: only an administrator, on an infrastructure network, with
// an adapter of the newer kinds, and not while the adapter runs as an access point on the
// newest systems. Nothing changes while either radio is off.
void CVxUI2008Dlg::EnableWMMButton()
{
    CShadeButtonST* const wmm = kind_button(BTN_WMM);
    WLAN_STATUS status {};
    G_VxWlLib.VXWL_QueryWLANStatus(&status, WLAN_STATUS_REQUEST { { 0, 1, 0, 0, 0 } });
    VXWL_U32 hardware = 1;
    VXWL_U32 software = 1;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    if (!hardware || !software || !wmm || !wmm->m_hWnd)
        return;
    BOOL const enable = G_VxWlLib.VXWL_DetectUserAdmin() != 0 && status.NetworkType != 0
        && G_VxWlLib.adapter.AdapterKind != 0 && G_VxWlLib.adapter.AdapterKind != 1
        && (G_VxWlLib.VXWL_GetWinOS() < 12 || G_VxWlLib.VXWL_QueryOPMode() != VXWL_OPMODE_AP_CLIENT);
    wmm->EnableWindow(enable);
}
