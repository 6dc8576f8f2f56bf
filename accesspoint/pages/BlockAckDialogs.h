// The block acknowledgement page's two modal dialogs: Add (TID, window size and one of the
// associated stations) and Delete (one of the peers the page's table shows, and the TID unless
// every agreement with the peer goes). They only choose; the page sends the request after OK.
#pragma once

#include "accesspoint/controls/NoHScrollListCtrl.h"
#include "platform/framework/AfxControls.h"
#include "platform/framework/Dialog.h"
#include "station/features/blockack/BlockAckRequest.h"

#include <vector>

namespace hotvane {

// What both dialogs share: the TID list "0" to "7", the peer list with its one column, and the
// checks of OK.
class CBlockAckDialogBase : public CDialog {
public:
    enum Control : int { IDC_TID_LABEL = 1265, IDC_WINDOW_LABEL = 1266, IDC_PEERS_LABEL = 1267, IDC_TID = 6259,
        IDC_PEERS = 6242, IDC_WINDOW = 6243 };

    CBlockAckDialogBase(UINT idd, CWnd* pParent) : CDialog(idd, pParent) { }

    int m_nTID {};
    BlockAckMac m_byMac {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Texts, the TID list and the peer list filled with `peers`, the first selected.
    void set_up(std::string const& caption, std::vector<BlockAckMac> const& peers);
    // The selected peer's address and the TID; false (after the message) when no peer is
    // selected.
    bool take_choice();
    int message(std::string const& text);

    CComboBox m_cmbTid;
    CNoHScrollListCtrl m_listPeers;
};

class CAddBlockAckDlg : public CBlockAckDialogBase {
public:
    enum { IDD = 118 };
    // `originator`: the agreement this access point originates.
    CAddBlockAckDlg(bool originator, CWnd* pParent = nullptr);

    int m_nWindowSize { 32 };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    bool m_bOriginator;
};

class CDeleteBlockAckDlg : public CBlockAckDialogBase {
public:
    enum { IDD = 119 };
    // `one_agreement`: 1 deletes the one TID, 0 every agreement with the peer.
    CDeleteBlockAckDlg(bool originator, int one_agreement, std::vector<BlockAckMac> peers, CWnd* pParent = nullptr);

    bool m_bOriginator;
    int m_nOneAgreement;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<BlockAckMac> m_peers;
};

}
