// CSelCardDlg: the modal dialog in which the user chooses one of several wireless adapters,
// the same in both programs on each program's own template. It lists the adapters by friendly
// name, in the library's order, and shows the chosen one's details in four read-only fields.
// The list stays owned by the caller.
#pragma once

#include "platform/framework/AfxControls.h"
#include "station/controls/CComboBoxSuper.h"
#include "station/core/HideDlgIds.h"
#include "wlan/api/Records.h"

// A program's template of the dialog and the ids of its controls.
struct SelCardLayout {
    UINT templateId;
    int comboId;
    int friendlyNameId;
    int descriptionId;
    int hardwareId;
    int locationId;
    // Closed without OK: the adapter shown then (true), or the first one (false).
    bool cancelTakesShown;
};

// The station utility's template.
constexpr SelCardLayout kStationSelCardLayout { IDD_SELCARD_DLG, 1244, 1245, 1246, 1247, 1248, false };

class CSelCardDlg : public CDialog {
public:
    explicit CSelCardDlg(CWnd* pParent = nullptr, SelCardLayout const& layout = kStationSelCardLayout);

    // Called before the modal run: the list of `count` entries it shows.
    void SetAdapterList(AdapterEntry const* list, int count);
    // The entry the user chose: set by OK; when the dialog ended another way, the entry shown
    // then or the first, as the layout says. Always an entry of the list (0 for an empty list).
    int chosen_index() const { return m_nIndex; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSelChange();

    DECLARE_MESSAGE_MAP()

private:
    void show_entry(int index);
    int current_selection() const;

    void take_selection();

    SelCardLayout m_layout;
    int m_nIndex { 0 };
    AdapterEntry const* m_pAdapterList { nullptr };
    int m_nCount { 0 };
    // One column, 200 pixels wide: the friendly names.
    CComboBoxSuper m_cbCard;
    CString m_strFriendlyName;
    CString m_strDescription;
    CString m_strHardwareId;
    CString m_strLocation;
};
