// The WMM page of the configuration window: WMM, WMM power save per access category and direct
// link setup with its live links (refreshed each second while shown), a form to set one up and
// a button to tear the selected one down. A change of WMM, direct links or the power-save
// categories joins the current network again when its security asks for it.
#pragma once

#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/ShadeButtonST.h"
#include "station/features/WmmSettings.h"

#include <array>
#include <string>
#include <vector>

// The list's last selection, shared by the whole program: the row index (0 at start, -1 after
// a click on no row) and its MAC text.
extern int g_nDlsSelectedIndex;
extern std::string g_strDlsSelectedMac;

class CPageWMMDlg : public CResizeDlg {
public:
    enum { IDD = 117 };
    enum Control : int {
        IDC_STATUS_GROUP = 1081,
        IDC_WMM_STATUS_LABEL = 1082,
        IDC_WMM_STATUS = 1083,
        IDC_PS_STATUS_LABEL = 1084,
        IDC_PS_STATUS = 1085,
        IDC_DL_STATUS_LABEL = 1086,
        IDC_DL_STATUS = 1087,
        IDC_WMM = 1088,
        IDC_WMM_LABEL = 1105,
        IDC_APSD = 1089,
        IDC_APSD_LABEL = 1106,
        IDC_AC_BK = 1090,
        IDC_AC_BE = 1091,
        IDC_AC_VI = 1092,
        IDC_AC_VO = 1093,
        IDC_AC_BK_LABEL = 1107,
        IDC_AC_BE_LABEL = 1108,
        IDC_AC_VI_LABEL = 1109,
        IDC_AC_VO_LABEL = 1110,
        IDC_DLS = 1094,
        IDC_DLS_LABEL = 1111,
        IDC_MAC_LABEL = 1112,
        IDC_MAC1 = 1095,
        IDC_TIMEOUT_LABEL = 1113,
        IDC_TIMEOUT = 1101,
        IDC_SECOND_LABEL = 1114,
        IDC_LIST = 1102,
        IDC_SETUP = 1103,
        IDC_TEAR_DOWN = 1104,
    };
    static constexpr int kMacFields = 6;
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 1000;

    explicit CPageWMMDlg(CWnd* pParent = nullptr);

    int m_nBE {};
    int m_nBK {};
    int m_nVI {};
    int m_nVO {};
    int m_bWMM {};
    int m_bDLS {};
    int m_bAPSD {};
    std::array<std::string, kMacFields> m_strMac;
    std::string m_strTimeout { "60" };
    std::string m_strWmmStatus;
    std::string m_strPowerSaveStatus;
    std::string m_strDlsStatus;
    std::vector<DLS_ROW> m_rows;
    UINT_PTR m_nTimer {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnWmmEnable();
    afx_msg void OnApsdEnable();
    afx_msg void OnCategory();
    afx_msg void OnDlsEnable();
    afx_msg void OnSetup();
    afx_msg void OnTearDown();
    afx_msg void OnClickList(NMHDR* header, LRESULT* result);
    afx_msg void OnDblClkList(NMHDR* header, LRESULT* result);
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void init_list();
    void apply_status_rule();
    void enable_categories(BOOL enable);
    void enable_form(BOOL enable);
    void enable_list(BOOL enable);
    void apply_categories();
    void refresh_list();
    void remember_selection();
    WMM_SETTING setting() const;

    CSmartEdit m_editMac[kMacFields];
    CSmartEdit m_editTimeout;
    CQuickList m_list;
    CShadeButtonST m_btnSetup;
    CShadeButtonST m_btnTearDown;
};
