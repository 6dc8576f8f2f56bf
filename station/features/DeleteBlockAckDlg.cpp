#include "station/features/DeleteBlockAckDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/BlockAckPeers.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CDeleteBlockAckDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(CDeleteBlockAckDlg::IDC_CONFIRM, OnConfirm)
ON_BN_CLICKED(CDeleteBlockAckDlg::IDC_CANCEL, OnCancelClicked)
END_MESSAGE_MAP()

CDeleteBlockAckDlg::CDeleteBlockAckDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CDeleteBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PEERS, m_listPeers);
    DDX_Control(pDX, IDC_TID, m_comboTid);
    DDX_Control(pDX, IDC_CONFIRM, m_btnConfirm);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
}

BOOL CDeleteBlockAckDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    SetUpBlockAckDialog(*this, m_font, m_listPeers, m_comboTid);
    for (CShadeButtonST* button : { &m_btnConfirm, &m_btnCancel })
        button->ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    return TRUE;
}

void CDeleteBlockAckDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CDeleteBlockAckDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

// Deleting every agreement with the peer needs no TID: its list hides.
void CDeleteBlockAckDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    FillBlockAckPeers(m_listPeers);
    int const show = m_nDeleteOne == 0 ? SW_HIDE : SW_SHOW;
    for (int id : { IDC_TID, IDC_TID_LABEL })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), show);
}

// The selection is checked before its item is read. The request carries the TID list's value
// even when every agreement goes.
void CDeleteBlockAckDlg::OnConfirm()
{
    if (!UpdateData(TRUE))
        return;
    auto const peer = SelectedBlockAckPeer(m_listPeers);
    if (!peer) {
        ShowMessageBox(G_UiStr.IDS_ADD_BLOCKACK_BSSID_ERR_MSG);
        return;
    }
    std::copy(peer->begin(), peer->end(), m_byMac);
    m_nTID = SelectedBlockAckTid(m_comboTid);
    BA_REQUEST request = BlockAckDeleteRequest(BlockAckDirectionByte(m_nDirection), *peer, m_nTID, m_nDeleteAll);
    VXWL_U32 const oid = G_VxWlLib.VXWL_GetWinOS() >= BA_OID_SYSTEM_CODE ? OID_BA_DELETE : OID_BA_DELETE_LEGACY;
    G_VxWlLib.VXWL_OIDSetInfo(oid, &request, sizeof request);
    back_to_link_status();
}

void CDeleteBlockAckDlg::OnCancelClicked() { back_to_link_status(); }

// Sent, so the window has switched its lower child before the handler returns.
void CDeleteBlockAckDlg::back_to_link_status()
{
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, MSG_SHOW_DELBADLG, 0, 0);
}
