// The access control tab: up to 32 station addresses and whether the list is ignored, the only
// stations admitted, or the stations rejected. Apply stores the policy and the list and applies
// them at once. A double click edits an entry in place (Modify or Cancel; leaving the page
// cancels). The stored forms and the address check are AccessControlRules'.
#pragma once

#include "accesspoint/pages/AccessControlRules.h"
#include "platform/framework/AfxControls.h"
#include "platform/framework/PropertyPage.h"
#include "station/controls/CSmartEdit.h"

namespace hotvane {

class CAccessControlPage : public CPropertyPage {
public:
    enum { IDD = 106 };
    enum Control : int {
        IDC_POLICY = 1132, IDC_LIST = 1139, IDC_ENTRY = 1135, IDC_MODIFY_EDIT = 1166, IDC_ADD = 1136,
        IDC_DELETE = 1137, IDC_REMOVE_ALL = 1138, IDC_APPLY = 1157, IDC_MODIFY = 1164, IDC_MODIFY_CANCEL = 1165,
        IDC_POLICY_LABEL = 1195, IDC_LIST_LABEL = 1196, IDC_ENTRY_LABEL = 1191,
    };

    CAccessControlPage();

    // The entries the list shows, in order.
    std::vector<std::string> Entries() const;
    void WriteConfigToRegistryAndSetOid();

    int m_nPolicy {};
    CComboBox m_cmbPolicy;
    CListBox m_list;
    CSmartEdit m_editEntry;
    CSmartEdit m_editModify;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnApplyClicked();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnRemoveAll();
    afx_msg void OnSelchangePolicy();
    afx_msg void OnDblclkList();
    afx_msg void OnModify();
    afx_msg void OnModifyCancel();
    DECLARE_MESSAGE_MAP()

private:
    void load();
    void enable_for_policy();
    bool check_address(std::string const& digits);
    int message(std::string const& text);
    void enable(int id, bool enabled);
    void show(int id, bool visible);
    void end_modify();
};

}
