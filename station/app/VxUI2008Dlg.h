// CVxUI2008Dlg: the visible configuration window of the station utility. The hidden dialog
// creates it modeless when it is first wanted and shows it again on later requests; closing it
// only hides it. Along its top a page host (CTabDialog) holds a row of page buttons, in the
// order the option file's "Button Sequence" gives, and the page dialog of the pressed button;
// under it an expand button opens the lower area, where exactly one lower child (link status,
// detail, the editors and small prompts) is visible at a time.
//
// The row has eight slots; when more buttons are configured, arrows scroll it. The layout pass
// (ShoworHideSTAButton, VxUI2008DlgLayout.cpp) runs whenever the row may have changed.
// Everything here runs on the user-interface thread.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"

#include "wlan/api/Profile.h"

#include <array>
#include <string>
#include <vector>

class CTabDialog;
class CPageSiteSurveyDlg;
class CPageProfileDlg;
class CPageStatisticsDlg;
class CPageWMMDlg;
class CPage80211nSettingDlg;
class CPageWPSDlg;
class CPageAboutDlg;
class CPageAdvanceDlg;
class CLinkStatusDlg;
class CHiddenSsidDlg;
class CProfileEditorDlg;
class CAPDetailInfoDlg;
class CAddBlockAckDlg;
class CDeleteBlockAckDlg;
class CSecurityEditorDlg;
class CAuthenStatusDlg;
class CPageWPSProfile;
class CInvalidIDPW;
class CPeapSettingDlg;
class CPageSSODlg;
class CPageCCXConfigDlg;
class CPageExtAPDlg;
class CExtAPMACTableDlg;

// The page-button kinds, the numbers of "Button Sequence".
enum : int {
    BTN_PROFILE = 0,
    BTN_SITESURVEY = 1,
    BTN_ADVANCE = 2,
    BTN_STATISTIC = 3,
    BTN_WMM = 4,
    BTN_WPS = 5,
    BTN_SSO = 6,
    BTN_CCXCONFIG = 7,
    BTN_80211N = 8,
    BTN_RADIO = 9,
    BTN_ABOUT = 10,
    BTN_HELP = 11,
    BTN_EXTAP = 12,
    BTN_KIND_COUNT = 13,
    BTN_LEFT = -1,
    BTN_RIGHT = -2,
    // The reserved buttons, which only fill empty slots.
    BTN_NONE = -3,
};

class CVxUI2008Dlg : public CResizeDlg {
public:
    enum { IDD = 102 };

    // [SECTION] Controls of template 102 and commands of the window
    enum : int {
        IDC_LEFT_AREA = 1000,
        IDC_SLOT = 1001,
        IDC_RIGHT_AREA = 1009,
        IDC_PAGE_AREA = 1010,
        IDC_LOWER_FRAME = 1011,
        IDC_EXPAND = 1012,
        IDC_MINIMISE = 1621,
        IDC_BTN_LEFT = 101,
        IDC_BTN_RIGHT = 111,
        IDC_BTN_HELP = 110,
        IDC_BTN_RADIO = 121,
        IDC_BTN_RESERVED = 449,
    };
    // Lower children by the index ShowSubDialog takes; any other index is link status.
    enum : int {
        SUB_LINK_STATUS = 0,
        SUB_AP_DETAIL = 1,
        SUB_ADD_BLOCK_ACK = 2,
        SUB_DELETE_BLOCK_ACK = 3,
        SUB_PROFILE_EDITOR = 4,
        SUB_HIDDEN_SSID = 5,
        SUB_SECURITY_EDITOR = 6,
        SUB_PEAP_SETTING = 7,
        SUB_AUTHEN_STATUS = 8,
        SUB_WPS_PROFILE = 9,
        SUB_INVALID_IDPW = 10,
        SUB_EXTAP_MAC_TABLE = 11,
        SUB_COUNT = 12,
    };
    // The hidden dialog's help windows: help opens only while none of them exists.
    static constexpr const char* kHelpWindowTitles[] = { "VXCONFIGENG", "VXCONFIGCHN", "HTML Help" };
    // The CCX control word's rotate-profile bit, and the timer of the rotation step.
    static constexpr DWORD kRotateProfileBit = 1u << 7;
    static constexpr UINT_PTR kRotationTimer = 10;

    explicit CVxUI2008Dlg(CWnd* pParent = nullptr);
    ~CVxUI2008Dlg() override;

    BOOL OnInitDialog() override;
    BOOL CreateChildren();
    BOOL CreatePages();
    void ShowSubDialog(int index);
    void ToggleExpand();
    void EnableWMMButton();
    void ActionTurnOnOffRadio(BOOL state);
    // The radio button's image (unless small screens hide icons) and the window's radio flag,
    // without the work of a switch: the hidden dialog tells the window what the radio is.
    void MarkRadio(BOOL on);
    void ShowRadioIcon(BOOL on);
    // One tick of the hidden dialog's timer 10: the profile rotation step when the CCX control
    // word asks for it.
    void RotateProfileTick();

    // [SECTION] Routing of the pages' requests (VxUI2008DlgRoutes.cpp, VxUI2008DlgExchange.cpp)
    // Every message passes through here: the pages' private messages are routed first, and
    // every message then goes on to the dialog's own processing.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Makes one new profile through the profile editor for each credential of the stored WPS
    // profile record.
    void WPS_ImportProfile();

    // [SECTION] The page-button layout (VxUI2008DlgLayout.cpp)
    void ShoworHideSTAButton();
    void IncreaseButtonOrder();
    void DecreaseButtonOrder();
    CShadeButtonST* GetFirstPageButton() const;

    // Used by the hidden dialog when it shows the window.
    void EnableRadioButton(bool enable);
    void ShowAndActivate();
    // Shows the page of the highlighted button afresh by clicking that button; the site
    // survey's when that button is disabled now.
    void ClickShownPage();
    // Set before ToggleExpand to have the window collapse whatever it showed.
    void set_expanded_flag(BOOL expanded) { m_bExpanded = expanded; }

    // [SECTION] Reading the window back (the hidden dialog and tests)
    CShadeButtonST* kind_button(int kind) const;
    CShadeButtonST* left_arrow() const { return m_pBtnLeft; }
    CShadeButtonST* right_arrow() const { return m_pBtnRight; }
    CShadeButtonST* reserved_button(int index) const { return m_pBtnReserved[static_cast<size_t>(index)]; }
    CTabDialog* page_host() const { return m_pTabDlg; }
    CWnd* lower_child(int index) const;
    int current_sub_dialog() const { return m_nCurrentSub; }
    BOOL expanded() const { return m_bExpanded; }
    BOOL radio_on() const { return m_bRadioOn; }
    bool radio_button_enabled() const;
    CShadeButtonST& expand_button() { return m_btnExpand; }
    CShadeButtonST& minimise_button() { return m_btnMinimise; }
    // The help file's folder (no trailing separator) and name for this system's language.
    static std::string help_folder();
    static std::string help_file_name();
    static bool help_file_exists();

    // [SECTION] Members, in the order the rest of the program knows them
private:
    int m_nCurrentSub { 0 };
    HICON m_hIcon { nullptr };
    CTabDialog* m_pTabDlg { nullptr };
    CPageSiteSurveyDlg* m_pPageSiteSurveyDlg { nullptr };

public:
    CPageProfileDlg* m_pPageProfileDlg { nullptr };
    CPageStatisticsDlg* m_pPageStatisticsDlg { nullptr };
    CPageWMMDlg* m_pPageWMMDlg { nullptr };
    CPage80211nSettingDlg* m_pPage80211nSettingDlg { nullptr };
    CPageWPSDlg* m_pPageWPSDlg { nullptr };
    CPageAboutDlg* m_pPageAboutDlg { nullptr };
    CPageAdvanceDlg* m_pPageAdvanceDlg { nullptr };
    CLinkStatusDlg* m_pLinkStatusDlg { nullptr };
    CHiddenSsidDlg* m_pHiddenSsidDlg { nullptr };
    CProfileEditorDlg* m_pProfileEditorDlg { nullptr };
    CAPDetailInfoDlg* m_pAPDetailInfoDlg { nullptr };
    CAddBlockAckDlg* m_pAddBlockAckDlg { nullptr };
    CDeleteBlockAckDlg* m_pDeleteBlockAckDlg { nullptr };
    CSecurityEditorDlg* m_pSecurityEditorDlg { nullptr };
    CAuthenStatusDlg* m_pAuthenStatusDlg { nullptr };
    CPageWPSProfile* m_pPageWPSProfile { nullptr };
    CInvalidIDPW* m_pInvalidIDPW { nullptr };
    CPeapSettingDlg* m_pPeapSettingDlg { nullptr };
    CPageSSODlg* m_pPageSSODlg { nullptr };
    // Never created; deleted when something sets it.
    CDialog* m_pSparePage { nullptr };
    CPageCCXConfigDlg* m_pPageCCXConfigDlg { nullptr };
    CPageExtAPDlg* m_pPageExtAPDlg { nullptr };
    CExtAPMACTableDlg* m_pExtAPMACTableDlg { nullptr };
    CPageSiteSurveyDlg* site_survey_page() const { return m_pPageSiteSurveyDlg; }

private:
    CShadeButtonST* m_pBtnLeft { nullptr };
    std::array<CShadeButtonST*, BTN_KIND_COUNT> m_pBtnKind {};
    CShadeButtonST* m_pBtnRight { nullptr };
    std::array<CShadeButtonST*, 2> m_pBtnReserved {};
    CShadeButtonST m_btnExpand;
    int m_nRotationTicks { 0 };
    int m_nRotationIndex { 0 };
    BOOL m_bExpanded { FALSE };
    BOOL m_bRadioOn { FALSE };

public:
    BOOL m_bScanAfterAdvanceChange { FALSE };
    // Set when the hidden dialog shows the window.
    BOOL m_bShown { FALSE };

private:
    CFont m_fontButton;
    CShadeButtonST m_btnMinimise;

    // Geometry of the row, in pixels, read from the template once the window exists.
    int m_nArrowWidth { 0 };
    int m_nSlotWidth { 0 };
    int m_nSlotHeight { 0 };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnRadio();
    afx_msg void OnLeft();
    afx_msg void OnRight();
    afx_msg void OnHelp();
    afx_msg void OnMinimise();
    DECLARE_MESSAGE_MAP()

private:
    // [SECTION] Building (VxUI2008DlgPages.cpp)
    void read_row_geometry();
    void create_button_font();
    CShadeButtonST* create_row_button(int kind, int id, LPCTSTR text, int x, int y, int width, int height);
    BOOL create_kind(int kind);
    BOOL create_page_of(int kind);
    BOOL register_sequence();
    BOOL register_kind(int kind);
    void create_arrows_and_reserved();
    BOOL create_lower_children(CRect const& frame);
    void place_expand_buttons(CRect const& expand, CRect const& minimise);
    CDialog* page_of(int kind) const;

    // [SECTION] Showing
    void hide_lower_children();
    void show_expand_state();
    int template_height(int id, bool bottom) const;
    int bottom_frame() const;
    void close_windows_of_hidden_dialog();

    // [SECTION] Layout steps (VxUI2008DlgLayout.cpp)
    struct HiddenButton {
        CShadeButtonST* button;
        int order;
    };
    void enable_sequence_buttons(bool& has_sso, bool& has_ccx, bool& has_help);
    void hide_for_pass(CShadeButtonST* button, int& count, std::vector<HiddenButton>& hidden);
    void restore_hidden(std::vector<HiddenButton> const& hidden);
    void place_slots(int count);
    void hide_out_of_view();
    void place_arrows(int count);
    void place_reserved(int count);
    bool sso_available() const;
    bool in_sequence(int kind) const;
    std::vector<CShadeButtonST*> all_registered() const;
    // The host's button records in registration order; empty before the host exists.
    std::vector<CShadeButtonST*> page_buttons() const;
    void shift_orders(int delta, char const* who);
    std::vector<CShadeButtonST*> extra_buttons() const;

    // [SECTION] Routes, one per message (VxUI2008DlgRoutes.cpp)
    void route(UINT message, WPARAM wParam, LPARAM lParam);
    // Set by a route that hands its message on to another route: WindowProc then leaves out
    // its closing trace line.
    bool m_bSkipClosingTrace { false };
    void on_show_wps_info(WPARAM wParam);
    void on_show_add_ba(WPARAM wParam, LPARAM lParam);
    void on_show_delete_ba(WPARAM wParam, LPARAM lParam);
    void on_show_profile_editor(WPARAM wParam, LPARAM lParam);
    void preset_profile_editor(CProfileEditorDlg& editor, bool from_survey);
    void on_show_hidden_ssid(WPARAM wParam, LPARAM lParam);
    static void take_hidden_ssid(CPageSiteSurveyDlg& page, CString const& name);
    void on_show_security_editor(WPARAM wParam, LPARAM lParam);
    void on_show_peap_setting(WPARAM wParam);
    void on_show_invalid_idpw(WPARAM wParam);
    void on_show_auth_status(WPARAM wParam, LPARAM lParam);
    void on_show_wps_profile(WPARAM wParam, LPARAM lParam);
    bool fill_wps_profile_dialog();
    void take_wps_profile_dialog();

    // [SECTION] Requests between pages and to the hidden dialog (VxUI2008DlgExchange.cpp)
    void on_action_insert_exec(WPARAM wParam, LPARAM lParam);
    void on_change_dlg_page(WPARAM wParam);
    void on_dlg_msg_exchange(WPARAM wParam, LPARAM lParam);
    void on_apply_now_xp();
    void reconnect_after_apply(WLANPROFILE& profile);
    void on_wps_exchange(LPARAM lParam);
    void on_set_oid_from_reg(LPARAM lParam, char const* call_trace);

    // [SECTION] Radio, help and rotation (VxUI2008DlgRadio.cpp)
    void turn_radio_off();
    void turn_radio_on();
    void show_scan_wait_rows();
    void rotate_profile_step();
    void set_row_icon(CShadeButtonST* button, int icon, int rest);
};
