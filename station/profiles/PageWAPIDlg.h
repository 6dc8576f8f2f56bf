// The WAPI certificate tab of the profile and security editors (template 190), present when the
// option file's WAPI_Cert is set: two sub-tabs, the station's user certificate and the
// authentication server's, each a chosen ".cer" file that the WLAN library installs. The
// editors read and set the two paths through m_strUserCertPath and m_strASCertPath, which are
// the sub-tabs' own paths, and call LoadCertificates and ClearCertificates; with WAPI_Cert off
// the tab has no sub-tabs and both calls do nothing.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "station/profiles/PageASCertDlg.h"
#include "station/profiles/PageUserCertDlg.h"

#include <memory>

class CTabDialog;

class CPageWAPIDlg : public CResizeDlg {
public:
    enum { IDD = 190 };
    enum Control : int {
        IDC_USER_TAB_PLACE = 1442,
        IDC_AS_TAB_PLACE = 1443,
        IDC_HOST_PLACE = 1067,
        IDC_PAGE_PLACE = 1437,
        IDC_USER_TAB = 1442,
        IDC_AS_TAB = 1443,
    };

    explicit CPageWAPIDlg(CWnd* pParent = nullptr);
    ~CPageWAPIDlg() override;

    // A profile was loaded: shows both paths and installs and describes each non-empty one,
    // user first; then brings the user sub-tab forward. Nothing when WAPI_Cert is off.
    void LoadCertificates(CString const& user_path, CString const& as_path);
    // A new profile: empties both sub-tabs and brings the user sub-tab forward. Nothing when
    // WAPI_Cert is off.
    void ClearCertificates();
    // Bring the user or AS certificate sub-tab forward (BM_CLICK on its button).
    void ShowUserCertTab()
    {
        ++m_nUserTabShown;
        click(m_btnUserCert);
    }
    void ShowASCertTab()
    {
        ++m_nASTabShown;
        click(m_btnASCert);
    }

    CPageUserCertDlg m_dlgUserCert;
    CPageASCertDlg m_dlgASCert;
    CShadeButtonST m_btnUserCert;
    CShadeButtonST m_btnASCert;
    // The paths the user and AS certificate sub-tabs hold.
    CString& m_strUserCertPath;
    CString& m_strASCertPath;
    // The sub-tab buttons, as the editors' older code reaches them.
    CShadeButtonST* m_pBtnUserCert { &m_btnUserCert };
    CShadeButtonST* m_pBtnASCert { &m_btnASCert };
    // How often each sub-tab was asked to come forward (the editors' tests read them).
    int m_nUserTabShown {};
    int m_nASTabShown {};

    CTabDialog* tab_host() const { return m_pTabDlg.get(); }

protected:
    BOOL OnInitDialog() override;
    void CreateSubPages();

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    static void click(CShadeButtonST& button);
    CRect placeholder(int id) const;
    BOOL create_tab_button(CShadeButtonST& button, std::string const& text, int place);

    std::unique_ptr<CTabDialog> m_pTabDlg;
    CFont m_font;
};
