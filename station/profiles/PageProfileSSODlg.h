// The single sign-on sub-tab of the 802.1X tab (template 446): use single sign-on, allow
// machine authentication, and whether the connection is made before or after the user logs
// on. The member names are the profile's PROF_SSO fields; the profile editor packs them into
// the profile's ssoInfo bits (bit 0, bit 1, bit 2) on code 10 and above.
#pragma once

#include "platform/framework/Afx.h"
#include "station/controls/ButtonST.h"
#include "station/controls/Separator.h"

#include <array>
#include <cstdint>

class CPageProfileSSODlg : public CDialog {
public:
    enum { IDD = 446 };
    enum Control : int {
        IDC_ENABLE = 1517,
        IDC_MACHINE = 1594,
        IDC_PRE_LOGON = 1597,
        IDC_POST_LOGON = 1598,
        IDC_ENABLE_LABEL = 1523,
        IDC_MACHINE_LABEL = 1595,
        IDC_PRE_LOGON_LABEL = 1630,
        IDC_POST_LOGON_LABEL = 1631,
        IDC_LOGON_TITLE = 1596,
    };

    explicit CPageProfileSSODlg(CWnd* pParent = nullptr);

    // Enables the machine option and the logon radios by bUseSSO.
    void OnEnableSSO();
    // The ssoInfo bits of the three members, and the members from them.
    std::uint32_t Bits() const;
    void SetBits(std::uint32_t bits);

    int bUseSSO {};
    int bAllowMachine {};
    int nLogon {};

    CButtonST m_btnEnable;
    CButtonST m_btnMachine;
    std::array<CButtonST, 2> m_radioLogon;
    CSeparator m_separator;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
