#include "station/features/Page80211nSettingDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

namespace {

constexpr int kRadioChecked = 145;
constexpr int kRadioUnchecked = 146;
constexpr int kCheckChecked = 147;
constexpr int kCheckUnchecked = 148;
constexpr WPARAM kFromThisPage = 3;

// The delete dialog's scope as the window reads it from lParam.
enum DeleteScope : LPARAM { OriginatorOne = 1, OriginatorAll = 2, RecipientOne = 3, RecipientAll = 4 };

constexpr char const* kCoexModes[CPage80211nSettingDlg::kCoexItems] = {
    "40 Intolerant \"1\" in AssocReq",
    "40 Intolerant \"0\" in AssocReq",
    "Send 20/40 BSS COEX Mgmt \"40Intolerant\"",
    "Send 20/40 BSS COEX Mgmt \"20 BSS Width Request\"",
    "Send 20/40 COEX Mgmt \"Channel Report includes channel 3\"",
    "AssocReq with MCS 0~7",
    "AssocReq with MCS 8~15",
    "AssocReq with MCS 16~23",
    "AssocReq with full MCS",
    "1x1 SS",
    "2x2 SS",
    "3x3 SS",
    "20/40 COEX Scan and Report",
};

constexpr int kPolicyIds[CPage80211nSettingDlg::kPolicyBoxes] = { CPage80211nSettingDlg::IDC_POLICY_BE,
    CPage80211nSettingDlg::IDC_POLICY_BK, CPage80211nSettingDlg::IDC_POLICY_VI, CPage80211nSettingDlg::IDC_POLICY_VO };

// The six add and delete buttons, in the order of the page's button members.
constexpr int kAgreementIds[] = { CPage80211nSettingDlg::IDC_ORIGINATOR_ADD, CPage80211nSettingDlg::IDC_ORIGINATOR_DELETE,
    CPage80211nSettingDlg::IDC_ORIGINATOR_DELETE_ALL, CPage80211nSettingDlg::IDC_RECIPIENT_ADD,
    CPage80211nSettingDlg::IDC_RECIPIENT_DELETE, CPage80211nSettingDlg::IDC_RECIPIENT_DELETE_ALL };

}

BEGIN_MESSAGE_MAP(CPage80211nSettingDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_ORIGINATOR_ADD, OnOriginatorAdd)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_RECIPIENT_ADD, OnRecipientAdd)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_ORIGINATOR_DELETE, OnOriginatorDelete)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_ORIGINATOR_DELETE_ALL, OnOriginatorDeleteAll)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_RECIPIENT_DELETE, OnRecipientDelete)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_RECIPIENT_DELETE_ALL, OnRecipientDeleteAll)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_AMSDU, OnCheckClicked)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_AGGREGATION, OnCheckClicked)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_APPLY, OnApply)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_POLICY_BE, OnPolicyClicked)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_POLICY_BK, OnPolicyClicked)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_POLICY_VI, OnPolicyClicked)
ON_BN_CLICKED(CPage80211nSettingDlg::IDC_POLICY_VO, OnPolicyClicked)
ON_CBN_SELCHANGE(CPage80211nSettingDlg::IDC_COEX, OnCoexChanged)
ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CPage80211nSettingDlg::CPage80211nSettingDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPage80211nSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AMSDU, m_chkAmsdu);
    DDX_Control(pDX, IDC_AMSDU_3839, m_radAmsdu[0]);
    DDX_Control(pDX, IDC_AMSDU_7935, m_radAmsdu[1]);
    for (int i = 0; i < 3; ++i)
        DDX_Control(pDX, IDC_SM_ENABLE + i, m_radPowerSave[i]);
    DDX_Control(pDX, IDC_AGGREGATION, m_chkAggregation);
    DDX_Control(pDX, IDC_MANUAL, m_radMode[0]);
    DDX_Control(pDX, IDC_AUTO, m_radMode[1]);
    for (int i = 0; i < kPolicyBoxes; ++i)
        DDX_Control(pDX, kPolicyIds[i], m_chkPolicy[i]);
    DDX_Control(pDX, IDC_DENSITY, m_comboDensity);
    DDX_Control(pDX, IDC_COEX, m_comboCoex);
    DDX_Control(pDX, IDC_APPLY, m_btnApply);
    for (std::size_t i = 0; i < std::size(kAgreementIds); ++i)
        DDX_Control(pDX, kAgreementIds[i], m_btnAgreement[i]);
    int const headings[] = { IDC_AMSDU_HEADING, IDC_SMPS_HEADING, IDC_ORIGINATOR_HEADING, IDC_RECIPIENT_HEADING, IDC_POLICY_HEADING };
    for (std::size_t i = 0; i < std::size(headings); ++i)
        DDX_Control(pDX, headings[i], m_headings[i]);
    DDX_Control(pDX, IDC_ORIGINATOR_LIST, m_listOriginator);
    DDX_Control(pDX, IDC_RECIPIENT_LIST, m_listRecipient);

    CString density(m_ba.density.c_str());
    DDX_CBString(pDX, IDC_DENSITY, density);
    m_ba.density = density.str();
    DDX_Check(pDX, IDC_AMSDU, m_ba.amsdu_enable);
    DDX_Check(pDX, IDC_AGGREGATION, m_ba.aggregation_enable);
    DDX_Radio(pDX, IDC_MANUAL, m_ba.aggregation_mode);
    DDX_Radio(pDX, IDC_AMSDU_3839, m_ba.amsdu_size);
    DDX_Radio(pDX, IDC_SM_ENABLE, m_ba.power_save);
}

// [SECTION] Building

BOOL CPage80211nSettingDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    init_texts();
    init_buttons();
    init_combos();
    for (int id : { IDC_AMSDU_HEADING, IDC_AMSDU, IDC_AMSDU_3839, IDC_SMPS_HEADING, IDC_SM_ENABLE, IDC_SMPS_STATIC, IDC_SMPS_DYNAMIC })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
    init_policy();
    init_list(m_listOriginator);
    init_list(m_listRecipient);
    return TRUE;
}

void CPage80211nSettingDlg::init_texts()
{
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_MANUAL_LABEL, G_UiStr.IDS_BLOCKACK_MANUAL }, { IDC_AUTO_LABEL, G_UiStr.IDS_BLOCKACK_AUTO },
        { IDC_DENSITY_LABEL, G_UiStr.IDS_BLOCKACK_DENSITY }, { IDC_APPLY, G_UiStr.IDS_APPLY },
        { IDC_ORIGINATOR_HEADING, G_UiStr.IDS_BLOCKACK_ORIGINATOR }, { IDC_ORIGINATOR_MAC_LABEL, G_UiStr.IDS_MAC_ADDR },
        { IDC_RECIPIENT_HEADING, G_UiStr.IDS_BLOCKACK_RECIPIENT }, { IDC_RECIPIENT_MAC_LABEL, G_UiStr.IDS_MAC_ADDR } };
    for (Label const& l : labels)
        SetDlgItemText(l.id, l.text.c_str());
    // The tables keep the template's smaller font: a TID column is a fifteenth of the list's
    // width, too narrow for a window size in the page font.
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        if (child->GetDlgCtrlID() != IDC_ORIGINATOR_LIST && child->GetDlgCtrlID() != IDC_RECIPIENT_LIST)
            child->SetFont(&m_font);
}

void CPage80211nSettingDlg::init_buttons()
{
    for (CButtonST* box : { &m_chkAmsdu, &m_chkAggregation, &m_chkPolicy[0], &m_chkPolicy[1], &m_chkPolicy[2], &m_chkPolicy[3] }) {
        box->ChooseImageSide(CButtonST::ImageTopLeft, FALSE);
        box->AssignIcons(kCheckChecked, kCheckUnchecked);
    }
    for (CButtonST* radio : { &m_radAmsdu[0], &m_radAmsdu[1], &m_radPowerSave[0], &m_radPowerSave[1], &m_radPowerSave[2],
             &m_radMode[0], &m_radMode[1] }) {
        radio->ChooseImageSide(CButtonST::ImageTopLeft, FALSE);
        radio->AssignIcons(kRadioChecked, kRadioUnchecked);
    }
    m_btnApply.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    for (CShadeButtonST& button : m_btnAgreement)
        button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
}

// One column each; the coexistence list drops twice as wide. The combo boxes keep the dropped
// height their template gives them, which is what sizing a combo box to its dropped rectangle
// achieves (its field keeps its own height). The first coexistence item is selected without a
// notification, so no library call is made.
void CPage80211nSettingDlg::init_combos()
{
    for (CComboBoxSuper* combo : { &m_comboDensity, &m_comboCoex }) {
        combo->ChangeColumnTotal(1);
        CRect rect;
        combo->GetClientRect(&rect);
        combo->ResizeColumn(0, rect.Width());
    }
    CRect rect;
    m_comboCoex.GetWindowRect(&rect);
    m_comboCoex.SendMessage(CB_SETDROPPEDWIDTH, WPARAM(rect.Width() * 2));
    for (char const* mode : kCoexModes)
        m_comboCoex.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode));
    m_comboCoex.SendMessage(CB_SETCURSEL, 0);
}

// The policy is read whether or not its boxes show; a failed read stores all four as on.
void CPage80211nSettingDlg::init_policy()
{
    auto& lib = G_VxWlLib;
    if (lib.VXWL_ReadAckPolicy) {
        VXWL_U32 values[kPolicyBoxes] {};
        if (!lib.VXWL_ReadAckPolicy(&values[0], &values[1], &values[2], &values[3])) {
            if (lib.VXWL_WriteAckPolicy)
                lib.VXWL_WriteAckPolicy(1, 1, 1, 1);
            for (VXWL_U32& v : values)
                v = 1;
        }
        for (int i = 0; i < kPolicyBoxes; ++i)
            m_chkPolicy[i].SetCheck(values[i] ? BST_CHECKED : BST_UNCHECKED);
    }
    if (lib.bACKPolicyCoexMode11nPage)
        return;
    for (int id = IDC_POLICY_BE_LABEL; id <= IDC_POLICY_VO_LABEL; ++id)
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
    for (int id : { int(IDC_POLICY_HEADING), kPolicyIds[0], kPolicyIds[1], kPolicyIds[2], kPolicyIds[3], int(IDC_COEX_LABEL), int(IDC_COEX) })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
}

void CPage80211nSettingDlg::init_list(CQuickList& list)
{
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CRect rect;
    list.GetWindowRect(&rect);
    list.InsertColumn(0, "MAC Address", LVCFMT_CENTER, rect.Width() * 14 / 30);
    for (int tid = 0; tid < int(BA_TID_COUNT); ++tid)
        list.InsertColumn(tid + 1, std::to_string(tid).c_str(), LVCFMT_CENTER, rect.Width() / 15);
}

// [SECTION] Showing and refreshing

void CPage80211nSettingDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

void CPage80211nSettingDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        if (m_nTimer)
            KillTimer(m_nTimer);
        m_nTimer = 0;
        return;
    }
    m_listOriginator.SetItemCountEx(0);
    m_listRecipient.SetItemCountEx(0);
    read_stored_capability();
    apply_enabling();
    UpdateData(FALSE);
    m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

// A failed read leaves the page's values as they were.
void CPage80211nSettingDlg::read_stored_capability()
{
    VXWL_U32 packed = 0;
    if (G_VxWlLib.VXWL_ReadBACap(&packed))
        BACapToMembers(UnpackBACap(packed), m_ba);
}

void CPage80211nSettingDlg::apply_enabling()
{
    BlockAckEnabling const e = BlockAckEnablingFor(m_ba);
    for (int id : { IDC_MANUAL, IDC_AUTO, IDC_DENSITY })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), e.mode_and_density);
    for (int id : kAgreementIds)
        ::EnableWindow(::GetDlgItem(m_hWnd, id), e.agreement_buttons);
    for (int id : { IDC_AMSDU_3839, IDC_AMSDU_7935 })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), e.amsdu_size);
}

void CPage80211nSettingDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimer)
        refresh_tables();
    CResizeDlg::OnTimer(nIDEvent);
}

// A failed query leaves both tables as they were.
void CPage80211nSettingDlg::refresh_tables()
{
    BA_TABLE table {};
    if (!G_VxWlLib.VXWL_QueryBATable(&table))
        return;
    auto const mode = BlockAckRowMode::RowsWhenCountReached;
    show_rows(m_listOriginator, m_arrOriginatorRows, BlockAckRows(table.Originator, table.OriginatorCount, mode));
    show_rows(m_listRecipient, m_arrRecipientRows, BlockAckRows(table.Recipient, table.RecipientCount, mode));
}

void CPage80211nSettingDlg::show_rows(CQuickList& list, std::vector<BA_DISPLAY_ROW>& target, std::vector<BA_DISPLAY_ROW> rows)
{
    target = std::move(rows);
    int const count = static_cast<int>(target.size());
    list.SetItemCountEx(count);
    if (count > 0)
        list.RedrawItems(0, count - 1);
    list.Invalidate();
}

LRESULT CPage80211nSettingDlg::OnCellRequest(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    HWND const list = reinterpret_cast<HWND>(wParam);
    auto const* rows = list == m_listOriginator.m_hWnd ? &m_arrOriginatorRows
        : list == m_listRecipient.m_hWnd               ? &m_arrRecipientRows
                                                       : nullptr;
    if (!cell || !rows || cell->m_nItem < 0 || cell->m_nItem >= static_cast<int>(rows->size()))
        return 0;
    cell->m_strText = BlockAckCellText((*rows)[static_cast<std::size_t>(cell->m_nItem)], cell->m_nSubItem).c_str();
    return 0;
}

// [SECTION] Clicks

void CPage80211nSettingDlg::send_to_window(UINT message, LPARAM lParam) const
{
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, message, kFromThisPage, lParam);
}

void CPage80211nSettingDlg::OnOriginatorAdd() { send_to_window(MSG_SHOW_ADDBADLG, 1); }
void CPage80211nSettingDlg::OnRecipientAdd() { send_to_window(MSG_SHOW_ADDBADLG, 0); }
void CPage80211nSettingDlg::OnOriginatorDelete() { send_to_window(MSG_SHOW_DELBADLG, OriginatorOne); }
void CPage80211nSettingDlg::OnOriginatorDeleteAll() { send_to_window(MSG_SHOW_DELBADLG, OriginatorAll); }
void CPage80211nSettingDlg::OnRecipientDelete() { send_to_window(MSG_SHOW_DELBADLG, RecipientOne); }
void CPage80211nSettingDlg::OnRecipientDeleteAll() { send_to_window(MSG_SHOW_DELBADLG, RecipientAll); }

void CPage80211nSettingDlg::OnCheckClicked()
{
    UpdateData(TRUE);
    apply_enabling();
}

// Applied first, then stored in its packed form; the results are not examined.
void CPage80211nSettingDlg::OnApply()
{
    UpdateData(TRUE);
    BA_CAP_SETTING const cap = BACapFromMembers(m_ba);
    G_VxWlLib.VXWL_SetBACap(cap);
    G_VxWlLib.VXWL_WriteBACap(PackBACap(cap));
    apply_enabling();
}

void CPage80211nSettingDlg::OnPolicyClicked()
{
    VXWL_U32 v[kPolicyBoxes];
    for (int i = 0; i < kPolicyBoxes; ++i)
        v[i] = m_chkPolicy[i].GetCheck() == BST_CHECKED ? 1 : 0;
    auto& lib = G_VxWlLib;
    if (lib.VXWL_WriteAckPolicy)
        lib.VXWL_WriteAckPolicy(v[0], v[1], v[2], v[3]);
    if (lib.VXWL_SetAckPolicy)
        lib.VXWL_SetAckPolicy(v[0], v[1], v[2], v[3]);
}

void CPage80211nSettingDlg::OnCoexChanged()
{
    int const selected = static_cast<int>(m_comboCoex.SendMessage(CB_GETCURSEL));
    if (selected < 0)
        return;
    int const length = static_cast<int>(m_comboCoex.SendMessage(CB_GETLBTEXTLEN, WPARAM(selected)));
    if (length < 0)
        return;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    m_comboCoex.SendMessage(CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(text.data()));
    G_VxWlLib.VXWL_SetCoexMode(text.c_str());
}
