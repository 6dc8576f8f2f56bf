// The block acknowledgement tab of 802.11n adapters: A-MSDU, spatial multiplexing power save and
// MPDU aggregation, the agreements this access point originated and those it is recipient of
// (refreshed every second while the tab is shown), and Add and Delete through modal dialogs.
// The stored capability is applied when the page is made; each visit shows the adapter's
// current one. The capability, enabling rule, rows and requests are the shared block-ack
// unit's (station/features/blockack), as on the station's 802.11n page.
#pragma once

#include "accesspoint/controls/NoHScrollListCtrl.h"
#include "platform/framework/AfxControls.h"
#include "platform/framework/PropertyPage.h"
#include "station/features/blockack/BlockAckCapability.h"
#include "station/features/blockack/BlockAckRequest.h"

#include <vector>

namespace hotvane {

class CBlockAck : public CPropertyPage {
public:
    enum { IDD = 112 };
    enum Control : int {
        IDC_AMSDU_GROUP = 1254, IDC_SMPS_GROUP = 1255, IDC_AMSDU = 1258, IDC_AMSDU_3839 = 1262, IDC_AMSDU_7935 = 6265,
        IDC_SM_ENABLE = 6267, IDC_SMPS_STATIC = 6216, IDC_SMPS_DYNAMIC = 6268, IDC_AGGREGATION = 1260,
        IDC_MANUAL = 1242, IDC_AUTO = 1243, IDC_DENSITY = 1281, IDC_DENSITY_LABEL = 1282, IDC_APPLY = 1259,
        IDC_ORIGINATOR_GROUP = 1263, IDC_ORIGINATOR_LIST = 1257, IDC_ORIGINATOR_ADD = 1136, IDC_ORIGINATOR_DELETE = 1137,
        IDC_ORIGINATOR_DELETE_ALL = 1248, IDC_RECIPIENT_GROUP = 1264, IDC_RECIPIENT_LIST = 1256, IDC_RECIPIENT_ADD = 1275,
        IDC_RECIPIENT_DELETE = 1276, IDC_RECIPIENT_DELETE_ALL = 1277,
    };
    static constexpr UINT_PTR kTimer = 1;
    static constexpr UINT kRefreshMs = 1000;

    CBlockAck();

    // One refresh of both tables, as each tick runs it while the page is active.
    void RefreshTables();

    BlockAckMembers m_ba;
    std::vector<BlockAckMac> m_arrOriginatorPeers;
    std::vector<BlockAckMac> m_arrRecipientPeers;
    CNoHScrollListCtrl m_listOriginator;
    CNoHScrollListCtrl m_listRecipient;
    UINT_PTR m_nTimer {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnOriginatorAdd();
    afx_msg void OnRecipientAdd();
    afx_msg void OnOriginatorDelete();
    afx_msg void OnOriginatorDeleteAll();
    afx_msg void OnRecipientDelete();
    afx_msg void OnRecipientDeleteAll();
    afx_msg void OnApplyClicked();
    afx_msg void OnCheckClicked();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void init_list(CListCtrl& list);
    void apply_enabling();
    void add(bool originator);
    void remove(bool originator, int one_agreement);
    void show_half(CListCtrl& list, std::vector<BlockAckMac>& peers, BA_ENTRY const (&entries)[BA_TABLE_ENTRIES],
        std::uint8_t count);
};

}
