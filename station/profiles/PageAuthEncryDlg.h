// The authentication and encryption tab of the profile and security editors (template 185):
// the mode and cipher menu buttons, four WEP keys with their types and the default key, the
// pre-shared key, show password and the use-802.1X box. Its rules live in AuthEncryModel; the
// page copies its controls into the model, runs one rule and applies the model back to the
// controls and to the editor's tab buttons. The editors read and write `m_model.state`.
#pragma once

#include "station/controls/ButtonST.h"
#include "station/controls/CResizeDlg.h"
#include "station/controls/CSmartEdit.h"
#include "station/controls/Separator.h"
#include "station/profiles/AuthEncryModel.h"

#include <array>
#include <utility>

class CPageAuthEncryDlg : public CResizeDlg {
public:
    enum { IDD = 185 };
    enum Control : int {
        IDC_AUTH = 1057,
        IDC_CIPHER = 1058,
        IDC_PSK_TYPE = 1411,
        IDC_KEY1_TYPE = 1412,
        IDC_USE_8021X = 1410,
        IDC_SHOW_PASSWORD = 1418,
        IDC_SHOW_PASSWORD_LABEL = 1419,
        IDC_RADIO_KEY1 = 1420,
        IDC_SEPARATOR = 1425,
        IDC_PSK = 1245,
        IDC_KEY1 = 1246,
        IDC_KEY2 = 1416,
        IDC_KEY3 = 1248,
        IDC_KEY4 = 1417,
        IDC_LABEL_8021X = 1426,
        IDC_LABEL_KEY1 = 1427,
        IDC_CAPTION_AUTH = 1047,
        IDC_CAPTION_CIPHER = 1048,
        IDC_CAPTION_PSK = 1424,
    };
    static constexpr int kKeyEdits[4] = { IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4 };
    static constexpr UINT WM_AUTH_MENU = WM_USER + 100;
    static constexpr UINT WM_CIPHER_MENU = WM_USER + 101;
    // Image strips of the mode and cipher menus.
    static constexpr UINT kAuthImages = 290;
    static constexpr UINT kCipherImages = 291;

    explicit CPageAuthEncryDlg(CWnd* pParent = nullptr);

    // A new profile or a scanned network: `wpa` the site survey's security code, `encryption`
    // its cipher text, `security` 1 for a secured network.
    void Preset(int wpa, CString const& encryption, int security);
    // Re-applies the members the editor copied from a loaded profile.
    void RefreshControls();
    // The key check of the editor's OK: FALSE, with the focus and the hint at the failing edit.
    BOOL ValidateKeys();
    // The system configuration tab chose ad hoc: the 802.1X box is cleared and hidden.
    void ClearAndHide8021X();
    // Takes the controls' values into the model.
    void ReadControls();

    station::profiles::AuthEncryModel m_model;

    // [SECTION] Controls
    CButtonST m_btnAuth;
    CButtonST m_btnCipher;
    CButtonST m_btnPskType;
    std::array<CButtonST, 4> m_btnKeyType;
    CButtonST m_check8021X;
    CButtonST m_checkShowPassword;
    std::array<CButtonST, 4> m_radioKey;
    CSeparator m_separator;
    CSmartEdit m_editPsk;
    std::array<CSmartEdit, 4> m_editKey;
    CFont m_font;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnAuthMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCipherMenu(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void init_menus();
    // The options, the library's answers and the editor's view, before each rule runs.
    void sync_from_world();
    // Writes the model into the controls and the editor.
    void apply();
    void apply_key_types();
    void apply_editor();
    void set_caption(CButtonST& button, std::string const& text);
    BOOL on_command(UINT id);
    BOOL m_bApplying {};
};
