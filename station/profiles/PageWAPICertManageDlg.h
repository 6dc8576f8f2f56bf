// The WAPI certificate manager tab of the profile editor (template 265), present when the
// option file's WAPI_Cert_Manage is set (and WAPI_Cert is not): a list of the files installed
// with Install in this tab (issued from, issued to, validity) and the details of the last one.
// The list lives only as long as the tab; AS Manage, Move Up, Move Down and Delete do nothing.
#pragma once

#include "station/controls/CComboBoxSuper.h"
#include "station/controls/CQuickList.h"
#include "station/controls/ShadeButtonST.h"

#include <vector>

class CPageWAPICertManageDlg : public CDialog {
public:
    enum { IDD = 265 };
    enum Control : int {
        IDC_SELECT_METHOD = 1616,
        IDC_LIST = 1656,
        IDC_AS_MANAGE = 1621,
        IDC_MOVE_UP = 1622,
        IDC_MOVE_DOWN = 1623,
        IDC_INSTALL = 1624,
        IDC_DELETE = 1625,
        IDC_VERSION = 1361,
        IDC_SERIAL = 1665,
        IDC_ISSUED_FROM = 1658,
        IDC_ISSUED_TO = 1445,
        IDC_TYPE = 1667,
        IDC_VALID_FROM = 1661,
        IDC_VALID_TO = 1662,
        IDC_INSTITUTION = 1669,
        IDC_LABEL_INSTITUTION = 1668,
    };

    // One installed file as the list shows it.
    struct CertRow {
        CString strIssuedFrom;
        CString strIssuedTo;
        CString strValidity;
    };

    explicit CPageWAPICertManageDlg(CWnd* pParent = nullptr);

    std::vector<CertRow> m_rows;
    CString m_strValidity;
    CString m_strVersion;
    CString m_strSerial;
    CString m_strIssuedFrom;
    CString m_strIssuedTo;
    CString m_strType;
    CString m_strValidFrom;
    CString m_strValidTo;
    CQuickList m_listCert;
    CComboBoxSuper m_comboMethod;
    CString m_strInstallPath;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnInstall();
    afx_msg void OnInertButton() {}
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void init_list();
    void describe(CString const& path);
    void show_details();

    CShadeButtonST m_buttons[5];
    CFont m_font;
};
