// The profile list page of the configuration window: the stored connection profiles, the
// details of the selected one, and the buttons that add, edit, delete, activate, import and
// export them. Add and Edit only ask the configuration window for the profile editor; Activate
// makes the library's current setting the chosen profile and hands it to the hidden dialog's
// action queue (SetOidFromReg), which connects. Every 3 seconds the row of the active profile
// is marked connected or not.
//
// Files: PageProfileDlg.cpp builds the page, keeps the rows and the mark; PageProfileDetail.cpp
// the detail panel, the rights and the proposals for a new profile; PageProfileActions.cpp the
// buttons and SetOidFromReg. The decisions without windows are in ProfileListRules.h.
// User-interface thread only.
#pragma once

#include "platform/framework/GdiObjects.h"
#include "platform/framework/ImageListCtrl.h"
#include "station/controls/CQuickList.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/Separator.h"
#include "station/controls/ShadeButtonST.h"
#include "station/profiles/ProfileListRules.h"
#include "wlan/api/Profile.h"

#include <memory>
#include <string>
#include <vector>

// One row of the list.
struct ProfileListItem {
    int nMark { -1 }; // -1 none, 0 connected, 1 active but not connected
    CString strID;
    CString strName;
    CString strSSID;
    int bSecured {};
    int nNetworkType {};
    int bSpare {};
};

class CPageProfileDlg : public CResizeDlg {
public:
    enum { IDD = 114 };
    enum Control : int {
        IDC_ADD = 112,
        IDC_PROFILE_LABEL = 1028,
        IDC_PROFILE_VALUE = 1031,
        IDC_TITLE = 1039,
        IDC_LIST = 1040,
        IDC_EDIT = 1042,
        IDC_DELETE = 1043,
        IDC_ACTIVATE = 1044,
        IDC_SSID_LABEL = 1045,
        IDC_SSID_VALUE = 1055,
        IDC_IMPORT = 1380,
        IDC_EXPORT = 1381,
    };
    // The eleven detail values, in the order of ProfileDetail's fields.
    static constexpr int kDetailIds[11] = { 1031, 1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064 };
    enum : UINT_PTR { TIMER_ACTIVE_MARK = 2 };
    static constexpr UINT kActiveMarkMs = 3000;
    static constexpr int kImageBitmap = 258;
    enum Image : int { IMAGE_ADHOC = 0, IMAGE_INFRASTRUCTURE = 1, IMAGE_SECURED = 5, IMAGE_CONNECTED = 6, IMAGE_ACTIVE = 7 };
    enum Column : int { COL_MARK, COL_ID, COL_NAME, COL_SSID, COL_SECURED, COL_NETWORK };

    explicit CPageProfileDlg(CWnd* pParent = nullptr);
    ~CPageProfileDlg() override;

    // [SECTION] Operations other windows call
    // Rebuilds the list from the stored profiles; selects row 0 when asked and there is one.
    void RefreshProfileList(BOOL bSelectFirst = TRUE);
    // "<IDS_PROF><n>", n one above the highest number among the list's names of that form.
    CString GetDefaultProfileName();
    // The library's next free profile ID, as text; "0" without rows.
    CString GetNextProfileIDText();
    // Re-applies the active profile (and with bSetAdvance the advanced settings) to the card,
    // then asks the hidden dialog to connect with it.
    void SetOidFromReg(BOOL bSetAdvance);
    // Timer 2's work: marks the active profile's row connected or not.
    void UpdateActiveMark();

    // [SECTION] Reading the page
    int RowCount() const { return static_cast<int>(m_aryProfile.size()); }
    ProfileListItem const& Row(int row) const { return m_aryProfile[static_cast<size_t>(row)]; }
    int DeleteFlag() const { return m_nDeleteFlag; }

    // [SECTION] Members other windows read and write
    // The name of the active profile.
    CString m_strProfile;
    // A stored profile is the active one; a connection from the site survey clears it.
    BOOL m_bActiveProfile { TRUE };
    // A connection from the site survey is queued.
    BOOL m_bConnectFromSurvey {};

    // The action the hidden dialog takes when the page asks it to run one: its type and the
    // page's own profile record (zeroed until the page fills it).
    int m_nActionType {};
    std::unique_ptr<WLANPROFILE> m_pActionProfile { std::make_unique<WLANPROFILE>() };

    // The profile list (column 1 profile ID, column 2 profile name).
    CQuickList m_listProfile;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a page: ending a modeless dialog hides it.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnClickList(NMHDR* header, LRESULT* result);
    afx_msg LRESULT OnGetCellText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnActivate();
    afx_msg void OnImport();
    afx_msg void OnExport();
    DECLARE_MESSAGE_MAP()

private:
    // [SECTION] Building and rows (PageProfileDlg.cpp)
    void set_texts();
    void set_up_list();
    void fill_cell(QuickCellRequest& cell, ProfileListItem const& row) const;
    void show_row_count();
    int mark_row() const;

    // [SECTION] Detail panel and rights (PageProfileDetail.cpp)
    void ShowDetail();
    void clear_detail();
    void enable(std::initializer_list<int> ids, bool on);
    bool user_allowed() const;
    bool config_service_usable() const;
    // The row a button acts on: the selected one, or the only one; -1 after saying so.
    int chosen_row();
    int selected_row() const;
    void select_row(int row);

    // [SECTION] Buttons (PageProfileActions.cpp)
    void delete_active_profile();
    int delete_flag_for(ProfileListItem const& row) const;
    void after_delete(int old_row);
    void ActivateProfile(int row);
    void UpdateSSOProfile();
    void send_to_window(UINT message, WPARAM wParam, LPARAM lParam) const;
    bool ask(std::string const& text) const;

    int m_nDeleteFlag {};
    CString m_strActiveSSID;
    std::vector<ProfileListItem> m_aryProfile;
    station::profiles::ProfileTexts m_texts;
    // The full texts of the name and SSID values, shown shortened when long.
    CString m_strFullName;
    CString m_strFullSSID;

    CSeparator m_title;
    CShadeButtonST m_btnAdd;
    CShadeButtonST m_btnEdit;
    CShadeButtonST m_btnDelete;
    CShadeButtonST m_btnActivate;
    CShadeButtonST m_btnImport;
    CShadeButtonST m_btnExport;
    CImageList m_imageList;
    CFont m_fontTitle;
    UINT_PTR m_nTimer {};
};
