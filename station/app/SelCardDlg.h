// CSelCardDlg: the modal dialog in which the user chooses one of several wireless adapters.
// It lists the adapters by friendly name, in the library's order, and shows the chosen one's
// details in four read-only fields. The list stays owned by the caller.
#pragma once

#include "platform/framework/AfxControls.h"
#include "station/controls/CComboBoxSuper.h"
#include "wlan/api/Records.h"

class CSelCardDlg : public CDialog {
public:
    explicit CSelCardDlg(CWnd* pParent = nullptr);

    // Called before the modal run: the list of `count` entries it shows.
    void SetAdapterList(AdapterEntry const* list, int count);
    // The entry the user chose: set by OK; the first entry when the dialog ended another way.
    int chosen_index() const { return m_nIndex; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnSelChange();

    DECLARE_MESSAGE_MAP()

private:
    void show_entry(int index);
    int current_selection() const;

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
