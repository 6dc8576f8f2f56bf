// The 802.11n settings page of the configuration window: A-MSDU, spatial multiplexing power
// save, MPDU aggregation with its density, the two tables of live block-acknowledgement
// agreements (refreshed every second while shown), the acknowledgement policy per access
// category and the 20/40 MHz coexistence test mode. Apply sets and stores the capability; the
// "+" and "-" buttons ask the configuration window for its add and delete dialogs. The
// capability logic and the tables' rows are the shared block-ack unit's.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/Separator.h"
#include "station/controls/ShadeButtonST.h"
#include "station/features/blockack/BlockAckCapability.h"
#include "station/features/blockack/BlockAckRows.h"

#include <vector>

class CPage80211nSettingDlg : public CResizeDlg {
public:
    enum { IDD = 118 };
    enum Control : int {
        IDC_AMSDU_HEADING = 1136,
        IDC_AMSDU = 1115,
        IDC_AMSDU_3839 = 1117,
        IDC_AMSDU_7935 = 1118,
        IDC_SMPS_HEADING = 1139,
        IDC_SM_ENABLE = 1120,
        IDC_SMPS_STATIC = 1121,
        IDC_SMPS_DYNAMIC = 1122,
        IDC_AGGREGATION = 1116,
        IDC_MANUAL = 1124,
        IDC_AUTO = 1125,
        IDC_MANUAL_LABEL = 1144,
        IDC_AUTO_LABEL = 1145,
        IDC_DENSITY_LABEL = 1146,
        IDC_DENSITY = 1126,
        IDC_APPLY = 1127,
        IDC_ORIGINATOR_HEADING = 1119,
        IDC_ORIGINATOR_MAC_LABEL = 1147,
        IDC_ORIGINATOR_LIST = 1128,
        IDC_ORIGINATOR_ADD = 112,
        IDC_ORIGINATOR_DELETE = 1043,
        IDC_ORIGINATOR_DELETE_ALL = 1132,
        IDC_RECIPIENT_HEADING = 1123,
        IDC_RECIPIENT_MAC_LABEL = 1149,
        IDC_RECIPIENT_LIST = 1129,
        IDC_RECIPIENT_ADD = 1133,
        IDC_RECIPIENT_DELETE = 1134,
        IDC_RECIPIENT_DELETE_ALL = 1135,
        IDC_POLICY_HEADING = 1654,
        IDC_POLICY_BE_LABEL = 1649,
        IDC_POLICY_VO_LABEL = 1652,
        IDC_POLICY_BE = 1645,
        IDC_POLICY_BK = 1646,
        IDC_POLICY_VI = 1647,
        IDC_POLICY_VO = 1648,
        IDC_COEX_LABEL = 1653,
        IDC_COEX = 1616,
    };
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 1000;
    static constexpr int kPolicyBoxes = 4;
    static constexpr int kCoexItems = 13;

    explicit CPage80211nSettingDlg(CWnd* pParent = nullptr);

    BlockAckMembers m_ba;
    std::vector<BA_DISPLAY_ROW> m_arrOriginatorRows;
    std::vector<BA_DISPLAY_ROW> m_arrRecipientRows;
    UINT_PTR m_nTimer {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnOriginatorAdd();
    afx_msg void OnRecipientAdd();
    afx_msg void OnOriginatorDelete();
    afx_msg void OnOriginatorDeleteAll();
    afx_msg void OnRecipientDelete();
    afx_msg void OnRecipientDeleteAll();
    afx_msg void OnCheckClicked();
    afx_msg void OnApply();
    afx_msg void OnPolicyClicked();
    afx_msg void OnCoexChanged();
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void init_buttons();
    void init_combos();
    void init_policy();
    void init_list(CQuickList& list);
    void read_stored_capability();
    void apply_enabling();
    void refresh_tables();
    void show_rows(CQuickList& list, std::vector<BA_DISPLAY_ROW>& target, std::vector<BA_DISPLAY_ROW> rows);
    void send_to_window(UINT message, LPARAM lParam) const;

    CFont m_font;
    CButtonST m_chkAmsdu;
    CButtonST m_radAmsdu[2];
    CButtonST m_radPowerSave[3];
    CButtonST m_chkAggregation;
    CButtonST m_radMode[2];
    CButtonST m_chkPolicy[kPolicyBoxes];
    CComboBoxSuper m_comboDensity;
    CComboBoxSuper m_comboCoex;
    CShadeButtonST m_btnApply;
    CShadeButtonST m_btnAgreement[6];
    CSeparator m_headings[5];
    CQuickList m_listOriginator;
    CQuickList m_listRecipient;
};
