// The EAP-FAST sub-tab of the 802.1X tab (template 199): unauthenticated provisioning and its
// tunnel, whether protected access credentials (PAC) are used, and the list of PAC files with
// a "selected" mark each. Its provisioning tunnel also drives the identity and client
// certificate sub-tabs and which certificate sub-tab buttons the 802.1X tab shows.
//
// The PAC folder is the program's own folder (file dialogs move the current directory); the
// list holds at most 50 files, and Remove deletes a file from the disk only when it lies in
// that folder (a PAC imported from elsewhere only leaves the list).
#pragma once

#include "platform/framework/ImageListCtrl.h"
#include "station/controls/ButtonST.h"
#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"
#include "wlan/api/Profile.h"

#include <string>
#include <vector>

class CPage8021XDlg;

class CPageEAPFastDlg : public CResizeDlg {
public:
    enum { IDD = 199 };
    enum Control : int {
        IDC_PROVISION = 1461,
        IDC_USE_PAC = 1462,
        IDC_TUNNEL = 1463,
        IDC_IMPORT = 1464,
        IDC_REMOVE = 1465,
        IDC_LIST = 1466,
        IDC_TUNNEL_LABEL = 1467,
        IDC_PAC_LABEL = 1468,
        IDC_LIST_TITLE = 1469,
        IDC_PATH_LABEL = 1470,
        IDC_PATH_VALUE = 1494,
        IDC_PROVISION_LABEL = 1495,
    };
    static constexpr int kMaxPacEntries = 50;
    static constexpr UINT kTunnelMenu = 205;
    static constexpr UINT kTunnelImages = 213;
    static constexpr int kListImages = 258;

    explicit CPageEAPFastDlg(CWnd* pParent = nullptr);

    void SetTunnel(int nTunnel);
    // Re-runs SetTunnel with m_nProvisioningTunnel (values other than 1 and 2 as 0).
    void ApplyTunnel();
    // The tunnel from the tunnel button's caption.
    void SyncTunnelFromCaption();
    void UpdateCertTabs(int nMethod);
    void OnImportPACFile();
    void OnRemovePACFile();
    // The PAC files of the PAC folder, none selected.
    void LoadPACFolder();
    void RefreshPACList();
    // A double click on a row: its "selected" mark flips.
    void ToggleFocused();
    // Enables Import, Remove and the path texts by m_bUsePAC.
    void EnableUsePAC();
    // The folder LoadPACFolder lists and Remove deletes in.
    static std::string PacFolder();

    // The 802.1X tab, set when it creates this sub-tab.
    CPage8021XDlg* m_pOwner {};

    int m_nProvisioningTunnel {};
    int m_bUsePAC { 1 };
    int m_bAllowUnauthProvision {};
    CString m_strPACFilePath;
    std::vector<PAC_ENTRY> m_arrPAC;

    CButtonST m_btnProvision;
    CButtonST m_btnTunnel;
    CShadeButtonST m_btnRemove;
    CShadeButtonST m_btnImport;
    CButtonST m_btnUsePAC;
    CQuickList m_listPAC;
    CImageList m_imageList;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void add_entry(std::string const& path, std::string const& name);
    std::string const& tunnel_caption(int tunnel) const;
};
