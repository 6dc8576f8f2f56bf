#include "accesspoint/pages/BlockAckPage.h"

#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/BlockAckDialogs.h"
#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/PropertySheet.h"
#include "station/features/blockack/BlockAckRows.h"

namespace hotvane {

namespace {

constexpr int kAgreementIds[] = { CBlockAck::IDC_ORIGINATOR_ADD, CBlockAck::IDC_ORIGINATOR_DELETE,
    CBlockAck::IDC_ORIGINATOR_DELETE_ALL, CBlockAck::IDC_RECIPIENT_ADD, CBlockAck::IDC_RECIPIENT_DELETE,
    CBlockAck::IDC_RECIPIENT_DELETE_ALL };
constexpr int kShownAtStart[] = { CBlockAck::IDC_AMSDU_GROUP, CBlockAck::IDC_AMSDU, CBlockAck::IDC_AMSDU_3839,
    CBlockAck::IDC_SMPS_GROUP, CBlockAck::IDC_SM_ENABLE, CBlockAck::IDC_SMPS_STATIC, CBlockAck::IDC_SMPS_DYNAMIC };
constexpr DWORD kListStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;

}

BEGIN_MESSAGE_MAP(CBlockAck, CPropertyPage)
ON_BN_CLICKED(CBlockAck::IDC_ORIGINATOR_ADD, OnOriginatorAdd)
ON_BN_CLICKED(CBlockAck::IDC_ORIGINATOR_DELETE, OnOriginatorDelete)
ON_BN_CLICKED(CBlockAck::IDC_ORIGINATOR_DELETE_ALL, OnOriginatorDeleteAll)
ON_BN_CLICKED(CBlockAck::IDC_RECIPIENT_ADD, OnRecipientAdd)
ON_BN_CLICKED(CBlockAck::IDC_RECIPIENT_DELETE, OnRecipientDelete)
ON_BN_CLICKED(CBlockAck::IDC_RECIPIENT_DELETE_ALL, OnRecipientDeleteAll)
ON_BN_CLICKED(CBlockAck::IDC_APPLY, OnApplyClicked)
ON_BN_CLICKED(CBlockAck::IDC_MANUAL, OnCheckClicked)
ON_BN_CLICKED(CBlockAck::IDC_AUTO, OnCheckClicked)
ON_BN_CLICKED(CBlockAck::IDC_AMSDU, OnCheckClicked)
ON_BN_CLICKED(CBlockAck::IDC_AGGREGATION, OnCheckClicked)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CBlockAck::CBlockAck()
    : CPropertyPage(IDD)
{
}

void CBlockAck::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ORIGINATOR_LIST, m_listOriginator);
    DDX_Control(pDX, IDC_RECIPIENT_LIST, m_listRecipient);
    CString density(m_ba.density.c_str());
    DDX_CBString(pDX, IDC_DENSITY, density);
    m_ba.density = density.GetString();
    DDX_Check(pDX, IDC_AMSDU, m_ba.amsdu_enable);
    DDX_Check(pDX, IDC_AGGREGATION, m_ba.aggregation_enable);
    DDX_Radio(pDX, IDC_MANUAL, m_ba.aggregation_mode);
    DDX_Radio(pDX, IDC_AMSDU_3839, m_ba.amsdu_size);
    DDX_Radio(pDX, IDC_SM_ENABLE, m_ba.power_save);
}

BOOL CBlockAck::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_listOriginator.DeleteAllItems();
    m_listRecipient.DeleteAllItems();
    init_texts();
    init_list(m_listOriginator);
    init_list(m_listRecipient);
    VXAP_U32 packed = 0;
    if (G_VxApApi.VXAP_ReadBACap(&packed))
        BACapToMembers(UnpackBACap(packed), m_ba);
    G_VxApApi.VXAP_SetBACap(BACapFromMembers(m_ba));
    apply_enabling();
    UpdateData(FALSE);
    m_nTimer = SetTimer(kTimer, kRefreshMs);
    for (int id : kShownAtStart)
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
    return TRUE;
}

void CBlockAck::init_texts()
{
    auto const& s = G_UiStr;
    std::pair<int, std::string const*> const texts[] = { { IDC_MANUAL, &s.IDS_BLOCKACK_MANUAL }, { IDC_AUTO, &s.IDS_BLOCKACK_AUTO },
        { IDC_DENSITY_LABEL, &s.IDS_BLOCKACK_DENSITY }, { IDC_APPLY, &s.IDS_BLOCKACK_CONFIRM },
        { IDC_ORIGINATOR_GROUP, &s.IDS_BLOCKACK_ORIGINATOR }, { IDC_ORIGINATOR_ADD, &s.IDS_BLOCKACK_ADD },
        { IDC_ORIGINATOR_DELETE, &s.IDS_BLOCKACK_DELETE }, { IDC_ORIGINATOR_DELETE_ALL, &s.IDS_BLOCKACK_DELETE_ALL },
        { IDC_RECIPIENT_GROUP, &s.IDS_BLOCKACK_RECIPIENT }, { IDC_RECIPIENT_ADD, &s.IDS_BLOCKACK_ADD },
        { IDC_RECIPIENT_DELETE, &s.IDS_BLOCKACK_DELETE }, { IDC_RECIPIENT_DELETE_ALL, &s.IDS_BLOCKACK_DELETE_ALL } };
    for (auto const& [id, text] : texts)
        SetDlgItemText(id, text->c_str());
}

// MAC at a third of the width, "TID=0" at 12 %, TIDs 1 to 7 at 8 % each.
void CBlockAck::init_list(CListCtrl& list)
{
    list.SetExtendedStyle(kListStyle);
    CRect rect;
    list.GetClientRect(&rect);
    int const width = rect.Width();
    list.InsertColumn(0, G_UiStr.IDS_BLOCKACK_MAC.c_str(), LVCFMT_LEFT, width * 33 / 100, 0);
    list.InsertColumn(1, "TID=0", LVCFMT_LEFT, width * 12 / 100, 1);
    for (int tid = 1; tid < 8; ++tid)
        list.InsertColumn(tid + 1, std::to_string(tid).c_str(), LVCFMT_LEFT, width * 8 / 100, tid + 1);
}

BOOL CBlockAck::OnSetActive()
{
    BA_CAP_SETTING cap {};
    G_VxApApi.VXAP_QueryBACap(&cap);
    BACapToMembers(cap, m_ba);
    apply_enabling();
    UpdateData(FALSE);
    return CPropertyPage::OnSetActive();
}

void CBlockAck::apply_enabling()
{
    BlockAckEnabling const e = BlockAckEnablingFor(m_ba);
    for (int id : { IDC_MANUAL, IDC_AUTO, IDC_DENSITY })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), e.mode_and_density);
    for (int id : kAgreementIds)
        ::EnableWindow(::GetDlgItem(m_hWnd, id), e.agreement_buttons);
    for (int id : { IDC_AMSDU_3839, IDC_AMSDU_7935 })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), e.amsdu_size);
}

void CBlockAck::OnCheckClicked()
{
    UpdateData(TRUE);
    apply_enabling();
}

// Applied first, then stored in its packed form; the results are not examined.
void CBlockAck::OnApplyClicked()
{
    UpdateData(TRUE);
    BA_CAP_SETTING const cap = BACapFromMembers(m_ba);
    G_VxApApi.VXAP_SetBACap(cap);
    G_VxApApi.VXAP_WriteBACap(PackBACap(cap));
    apply_enabling();
}

// [SECTION] Tables

void CBlockAck::OnTimer(UINT_PTR nIDEvent)
{
    auto* sheet = dynamic_cast<CPropertySheet*>(GetParent());
    if (nIDEvent == kTimer && sheet && sheet->GetActivePage() == this)
        RefreshTables();
}

void CBlockAck::RefreshTables()
{
    BA_TABLE table {};
    if (!G_VxApApi.VXAP_QueryBATable(&table))
        return;
    show_half(m_listOriginator, m_arrOriginatorPeers, table.Originator, table.OriginatorCount);
    show_half(m_listRecipient, m_arrRecipientPeers, table.Recipient, table.RecipientCount);
}

void CBlockAck::show_half(CListCtrl& list, std::vector<BlockAckMac>& peers, BA_ENTRY const (&entries)[BA_TABLE_ENTRIES],
    std::uint8_t count)
{
    list.DeleteAllItems();
    peers.clear();
    for (auto const& row : BlockAckRows(entries, count, BlockAckRowMode::RowsAsAppended)) {
        int const item = list.InsertItem(list.GetItemCount(), row.mac.c_str());
        for (int column = 1; column <= static_cast<int>(BA_TID_COUNT); ++column)
            list.SetItemText(item, column, BlockAckCellText(row, column).c_str());
        if (auto const mac = ParseDashedMac(row.mac))
            peers.push_back(*mac);
    }
}

void CBlockAck::OnDestroy()
{
    CPropertyPage::OnDestroy();
    if (m_nTimer)
        KillTimer(m_nTimer);
    m_nTimer = 0;
}

// [SECTION] Add and delete

void CBlockAck::add(bool originator)
{
    CAddBlockAckDlg dialog(originator, this);
    CSheetModalGuard guard;
    if (dialog.DoModal() != IDOK)
        return;
    G_VxApApi.VXAP_SetIMMEBA(BlockAckAddRequest(BlockAckDirectionByte(originator ? 1 : 0), dialog.m_byMac, dialog.m_nTID,
        dialog.m_nWindowSize));
}

void CBlockAck::remove(bool originator, int one_agreement)
{
    CDeleteBlockAckDlg dialog(originator, one_agreement, originator ? m_arrOriginatorPeers : m_arrRecipientPeers, this);
    CSheetModalGuard guard;
    if (dialog.DoModal() != IDOK)
        return;
    G_VxApApi.VXAP_SetIMMEBA(BlockAckDeleteRequest(BlockAckDirectionByte(originator ? 1 : 0), dialog.m_byMac, dialog.m_nTID,
        one_agreement ? 0 : 1));
}

void CBlockAck::OnOriginatorAdd() { add(true); }
void CBlockAck::OnRecipientAdd() { add(false); }
void CBlockAck::OnOriginatorDelete() { remove(true, 1); }
void CBlockAck::OnOriginatorDeleteAll() { remove(true, 0); }
void CBlockAck::OnRecipientDelete() { remove(false, 1); }
void CBlockAck::OnRecipientDeleteAll() { remove(false, 0); }

}
