// The lower-area dialog of the configuration window that tears down block-acknowledgement
// agreements with a peer: one TID, or every agreement with the peer in one direction (the TID
// list then hides). The 802.11n page asks the window to show it with the direction and scope.
#pragma once

#include "platform/framework/ListViewCtrl.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"

class CDeleteBlockAckDlg : public CResizeDlg {
public:
    enum { IDD = 177 };
    enum Control : int {
        IDC_PEERS = 1374,
        IDC_PEERS_LABEL = 1377,
        IDC_TID = 1373,
        IDC_TID_LABEL = 1375,
        IDC_CONFIRM = 1331,
        IDC_CANCEL = 1372,
    };

    explicit CDeleteBlockAckDlg(CWnd* pParent = nullptr);

    // Set by the window before showing the dialog: 1 when this station is the originator, and
    // whether all agreements with the peer or the one TID go.
    int m_nDirection {};
    int m_nDeleteAll {};
    int m_nDeleteOne {};
    BYTE m_byMac[6] {};
    int m_nTID {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnConfirm();
    afx_msg void OnCancelClicked();
    DECLARE_MESSAGE_MAP()

private:
    void back_to_link_status();

    CFont m_font;
    CListCtrl m_listPeers;
    CComboBoxSuper m_comboTid;
    CShadeButtonST m_btnConfirm;
    CShadeButtonST m_btnCancel;
};
