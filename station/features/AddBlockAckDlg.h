// The lower-area dialog of the configuration window that sets up one block-acknowledgement
// agreement with a peer; the 802.11n page asks the window to show it. Confirm hands the library
// one add request and asks the window for its usual lower child; Cancel only asks for the child.
#pragma once

#include "platform/framework/ListViewCtrl.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/ShadeButtonST.h"

class CAddBlockAckDlg : public CResizeDlg {
public:
    enum { IDD = 175 };
    enum Control : int {
        IDC_PEERS = 1374,
        IDC_PEERS_LABEL = 1377,
        IDC_TID = 1373,
        IDC_TID_LABEL = 1375,
        IDC_WINDOW_SIZE = 1245,
        IDC_WINDOW_SIZE_LABEL = 1376,
        IDC_CONFIRM = 1331,
        IDC_CANCEL = 1372,
    };

    explicit CAddBlockAckDlg(CWnd* pParent = nullptr);

    // Set by the window before showing the dialog: 1 when this station is the originator.
    int m_nDirection {};
    BYTE m_byMac[6] {};
    int m_nTID {};
    int m_nWindowSize { 32 };

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
    CSmartEdit m_editWindowSize;
    CShadeButtonST m_btnConfirm;
    CShadeButtonST m_btnCancel;
};
