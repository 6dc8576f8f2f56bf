#include "station/features/AddBlockAckDlg.h"

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

BEGIN_MESSAGE_MAP(CAddBlockAckDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(CAddBlockAckDlg::IDC_CONFIRM, OnConfirm)
ON_BN_CLICKED(CAddBlockAckDlg::IDC_CANCEL, OnCancelClicked)
END_MESSAGE_MAP()

CAddBlockAckDlg::CAddBlockAckDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CAddBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PEERS, m_listPeers);
    DDX_Control(pDX, IDC_TID, m_comboTid);
    DDX_Control(pDX, IDC_WINDOW_SIZE, m_editWindowSize);
    DDX_Control(pDX, IDC_CONFIRM, m_btnConfirm);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_WINDOW_SIZE, m_nWindowSize);
}

BOOL CAddBlockAckDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    SetUpBlockAckDialog(*this, m_font, m_listPeers, m_comboTid);
    for (CShadeButtonST* button : { &m_btnConfirm, &m_btnCancel })
        button->ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    return TRUE;
}

void CAddBlockAckDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CAddBlockAckDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

// The TID and the window size keep what they showed last.
void CAddBlockAckDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow)
        FillBlockAckPeers(m_listPeers);
}

// A window size that is not a number is refused by the exchange with its own message: the
// dialog stays and nothing is sent.
void CAddBlockAckDlg::OnConfirm()
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
    G_VxWlLib.VXWL_AddIMMEBA(BlockAckAddRequest(BlockAckDirectionByte(m_nDirection), *peer, m_nTID, m_nWindowSize));
    back_to_link_status();
}

void CAddBlockAckDlg::OnCancelClicked() { back_to_link_status(); }

// Sent, so the window has switched its lower child before the handler returns.
void CAddBlockAckDlg::back_to_link_status()
{
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, MSG_SHOW_ADDBADLG, 0, 0);
}
