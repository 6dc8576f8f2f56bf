#include "accesspoint/pages/BlockAckDialogs.h"

#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/PageTexts.h"
#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/MessageBox.h"

#include <algorithm>
#include <cstdlib>

namespace hotvane {

namespace {

constexpr int kTidCount = 8;
constexpr std::size_t kNameBuffer = 128;

}

// [SECTION] Shared

void CBlockAckDialogBase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TID, m_cmbTid);
    DDX_Control(pDX, IDC_PEERS, m_listPeers);
}

int CBlockAckDialogBase::message(std::string const& text)
{
    CSheetModalGuard guard;
    return ::MessageBox(m_hWnd, text.c_str(), G_UiStr.IDS_APCONFIGMSG.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CBlockAckDialogBase::set_up(std::string const& caption, std::vector<BlockAckMac> const& peers)
{
    SetWindowText(caption.c_str());
    SetDlgItemText(IDC_TID_LABEL, G_UiStr.IDS_ADD_BLOCKACK_TID.c_str());
    SetDlgItemText(IDC_PEERS_LABEL, G_UiStr.IDS_ADD_BLOCKACK_AVAIL_BSSID.c_str());
    SetDlgItemText(IDOK, G_UiStr.IDS_ADD_BLOCKACK_CONFIRM.c_str());
    SetDlgItemText(IDCANCEL, G_UiStr.IDS_ADD_BLOCKACK_CANCEL.c_str());
    for (int tid = 0; tid < kTidCount; ++tid)
        m_cmbTid.AddString(std::to_string(tid).c_str());
    m_cmbTid.SetCurSel(0);
    CRect rect;
    m_listPeers.GetClientRect(&rect);
    m_listPeers.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_listPeers.InsertColumn(0, "BSSID", LVCFMT_LEFT, rect.Width() * 9 / 10, 0);
    for (auto const& peer : peers)
        m_listPeers.InsertItem(m_listPeers.GetItemCount(), MacText(peer.data()).c_str());
    if (m_listPeers.GetItemCount() > 0)
        m_listPeers.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// The selection is checked before its text is read.
bool CBlockAckDialogBase::take_choice()
{
    int const sel = m_listPeers.GetNextItem(-1, LVNI_SELECTED);
    if (m_listPeers.GetItemCount() == 0 || sel < 0) {
        message(G_UiStr.IDS_ADD_BLOCKACK_BSSID_ERR_MSG);
        return false;
    }
    char text[kNameBuffer] {};
    std::string const shown = m_listPeers.GetItemText(sel, 0).GetString();
    std::copy_n(shown.begin(), std::min(shown.size(), kNameBuffer - 1), text);
    G_VxApApi.VXAP_ConvertMACStrToByte(text, m_byMac.data());
    CString tid;
    m_cmbTid.GetLBText(std::max(m_cmbTid.GetCurSel(), 0), tid);
    m_nTID = std::atoi(tid.GetString());
    return true;
}

// [SECTION] Add

CAddBlockAckDlg::CAddBlockAckDlg(bool originator, CWnd* pParent)
    : CBlockAckDialogBase(IDD, pParent)
    , m_bOriginator(originator)
{
}

void CAddBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CBlockAckDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WINDOW, m_nWindowSize);
}

BOOL CAddBlockAckDlg::OnInitDialog()
{
    CBlockAckDialogBase::OnInitDialog();
    SetDlgItemText(IDC_WINDOW_LABEL, G_UiStr.IDS_ADD_BLOCKACK_WINDOW_SIZE.c_str());
    KT_802_11_MAC_TABLE table {};
    G_VxApApi.VXAP_QueryMacTable(&table);
    set_up(G_UiStr.IDS_TAB_ADD_BLOCK_ACK, BlockAckPeerList(table));
    return TRUE;
}

// A window size whose low 8 bits are 0 would reach the library as a deletion: refused.
void CAddBlockAckDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if ((m_nWindowSize & 0xFF) == 0) {
        message(m_bOriginator ? G_UiStr.IDS_ADD_BLOCKACK_ORI_WM_SIZE_ERR_MSG : G_UiStr.IDS_ADD_BLOCKACK_REC_WM_SIZE_ERR_MSG);
        return;
    }
    if (take_choice())
        EndDialog(IDOK);
}

// [SECTION] Delete

CDeleteBlockAckDlg::CDeleteBlockAckDlg(bool originator, int one_agreement, std::vector<BlockAckMac> peers, CWnd* pParent)
    : CBlockAckDialogBase(IDD, pParent)
    , m_bOriginator(originator)
    , m_nOneAgreement(one_agreement)
    , m_peers(std::move(peers))
{
}

BOOL CDeleteBlockAckDlg::OnInitDialog()
{
    CBlockAckDialogBase::OnInitDialog();
    std::vector<BlockAckMac> shown;
    std::copy_if(m_peers.begin(), m_peers.end(), std::back_inserter(shown), [](BlockAckMac const& mac) {
        return std::any_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b != 0; });
    });
    set_up(G_UiStr.IDS_TAB_DELETE_BLOCK_ACK, shown);
    if (m_nOneAgreement == 0)
        for (int id : { IDC_TID, IDC_TID_LABEL })
            ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
    return TRUE;
}

void CDeleteBlockAckDlg::OnOK()
{
    if (UpdateData(TRUE) && take_choice())
        EndDialog(IDOK);
}

}
