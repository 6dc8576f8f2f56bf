#include "accesspoint/pages/AccessControlPage.h"

#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/MessageBox.h"

#include <array>
#include <cstdlib>

namespace hotvane {

namespace {

constexpr int kDigits = 12;
constexpr int kEditWidth = 90;
constexpr int kModifyLeft = 91, kModifyRight = 146;
constexpr int kCancelLeft = 147, kCancelRight = 202;

}

BEGIN_MESSAGE_MAP(CAccessControlPage, CPropertyPage)
ON_BN_CLICKED(CAccessControlPage::IDC_APPLY, OnApplyClicked)
ON_BN_CLICKED(CAccessControlPage::IDC_ADD, OnAdd)
ON_BN_CLICKED(CAccessControlPage::IDC_DELETE, OnDelete)
ON_BN_CLICKED(CAccessControlPage::IDC_REMOVE_ALL, OnRemoveAll)
ON_CBN_SELCHANGE(CAccessControlPage::IDC_POLICY, OnSelchangePolicy)
ON_LBN_DBLCLK(CAccessControlPage::IDC_LIST, OnDblclkList)
ON_BN_CLICKED(CAccessControlPage::IDC_MODIFY, OnModify)
ON_BN_CLICKED(CAccessControlPage::IDC_MODIFY_CANCEL, OnModifyCancel)
END_MESSAGE_MAP()

CAccessControlPage::CAccessControlPage()
    : CPropertyPage(IDD)
{
}

void CAccessControlPage::enable(int id, bool enabled) { ::EnableWindow(::GetDlgItem(m_hWnd, id), enabled); }
void CAccessControlPage::show(int id, bool visible) { ::ShowWindow(::GetDlgItem(m_hWnd, id), visible ? SW_SHOW : SW_HIDE); }

int CAccessControlPage::message(std::string const& text)
{
    CSheetModalGuard guard;
    return ::MessageBox(m_hWnd, text.c_str(), G_UiStr.IDS_APCONFIGMSG.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CAccessControlPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_POLICY, m_cmbPolicy);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_ENTRY, m_editEntry);
    DDX_Control(pDX, IDC_MODIFY_EDIT, m_editModify);
    DDX_CBIndex(pDX, IDC_POLICY, m_nPolicy);
}

BOOL CAccessControlPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SetItemHeight(0, static_cast<UINT>(m_list.GetItemHeight(0) * 3 / 2));
    for (auto const* text : { &G_UiStr.IDS_DISABLE, &G_UiStr.IDS_ALLOWALL, &G_UiStr.IDS_REJECTALL })
        m_cmbPolicy.AddString(text->c_str());
    for (CSmartEdit* edit : { &m_editEntry, &m_editModify }) {
        edit->SetFilter(CSmartEdit::kHexDigits);
        edit->SendMessage(EM_LIMITTEXT, kDigits);
    }
    load();
    enable_for_policy();
    std::pair<int, std::string const*> const texts[] = { { IDC_POLICY_LABEL, &G_UiStr.IDS_ACPOLICY },
        { IDC_LIST_LABEL, &G_UiStr.IDS_ACLIST }, { IDC_ENTRY_LABEL, &G_UiStr.IDS_MACADDR }, { IDC_ADD, &G_UiStr.IDS_ADD },
        { IDC_DELETE, &G_UiStr.IDS_DELETE }, { IDC_REMOVE_ALL, &G_UiStr.IDS_REMOVEALL }, { IDC_MODIFY, &G_UiStr.IDS_MODIFY },
        { IDC_MODIFY_CANCEL, &G_UiStr.IDS_CANCEL }, { IDC_APPLY, &G_UiStr.IDS_APPLY } };
    for (auto const& [id, text] : texts)
        SetDlgItemText(id, text->c_str());
    return TRUE;
}

// The stored list is read only inside its buffer; entries that are not 12 hexadecimal digits are
// left out, with a trace line.
void CAccessControlPage::load()
{
    std::array<char, AP_ACL_TEXT_SIZE> policy {}, list {};
    G_VxApApi.VXAP_ReadAccessPolicy(policy.data());
    policy.back() = '\0';
    m_nPolicy = std::clamp(std::atoi(policy.data()), 0, 2);
    G_VxApApi.VXAP_ReadAccessList(list.data());
    auto const entries = ParseStoredAccessList(list, [](std::string const& skipped) {
        TraceMsg("[Hotvane] CAccessControlPage::LoadAccessList: skipped the stored entry \"%s\"\n", skipped.c_str());
    });
    m_list.ResetContent();
    for (auto const& digits : entries) {
        std::string const entry = DashedAclEntry(digits);
        if (m_list.FindString(-1, entry.c_str()) < 0)
            m_list.AddString(entry.c_str());
    }
    m_cmbPolicy.SetCurSel(m_nPolicy);
}

std::vector<std::string> CAccessControlPage::Entries() const
{
    std::vector<std::string> entries;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CString text;
        m_list.GetText(i, text);
        entries.emplace_back(text.GetString());
    }
    return entries;
}

void CAccessControlPage::enable_for_policy()
{
    bool const on = m_nPolicy != 0;
    for (int id : { IDC_LIST, IDC_ENTRY, IDC_DELETE, IDC_REMOVE_ALL })
        enable(id, on);
    enable(IDC_ADD, on && m_list.GetCount() < static_cast<int>(AP_ACL_ENTRIES));
}

bool CAccessControlPage::check_address(std::string const& digits)
{
    std::array<std::uint8_t, 6> own {};
    G_VxApApi.VXAP_GetMacAddrs(own.data());
    switch (CheckAclAddress(digits, own, Entries())) {
    case AclRefusal::None:
        return true;
    case AclRefusal::Invalid:
        message(G_UiStr.IDS_INVALIDMACADDR);
        return false;
    case AclRefusal::Group:
        message(G_UiStr.IDS_NOTACCEPTB);
        return false;
    case AclRefusal::Own:
        message(G_UiStr.IDS_NOTOWNADDR);
        return false;
    case AclRefusal::Duplicate:
        message(G_UiStr.IDS_DUPLIMAC);
        return false;
    }
    return false;
}

void CAccessControlPage::OnAdd()
{
    CString text;
    GetDlgItemText(IDC_ENTRY, text);
    if (!check_address(text.GetString()))
        return;
    m_list.AddString(DashedAclEntry(text.GetString()).c_str());
    if (m_list.GetCount() >= static_cast<int>(AP_ACL_ENTRIES))
        enable(IDC_ADD, false);
}

void CAccessControlPage::OnDelete()
{
    int const sel = m_list.GetCurSel();
    if (sel >= 0)
        m_list.DeleteString(static_cast<UINT>(sel));
    enable(IDC_ADD, true);
}

void CAccessControlPage::OnRemoveAll()
{
    m_list.ResetContent();
    enable(IDC_ADD, true);
}

void CAccessControlPage::OnSelchangePolicy()
{
    UpdateData(TRUE);
    enable_for_policy();
}

// [SECTION] Modify in place

void CAccessControlPage::OnDblclkList()
{
    int const sel = m_list.GetCurSel();
    if (sel < 0)
        return;
    CString text;
    m_list.GetText(sel, text);
    SetDlgItemText(IDC_MODIFY_EDIT, AclDigits(text.GetString()).c_str());
    enable(IDC_APPLY, false);
    enable(IDC_POLICY, false);
    for (int id : { IDC_LIST, IDC_ENTRY, IDC_ADD, IDC_DELETE, IDC_REMOVE_ALL })
        enable(id, false);
    CRect row;
    m_list.GetItemRect(sel, &row);
    m_list.MapWindowPoints(this, &row);
    int const height = row.Height() - 1;
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_MODIFY_EDIT), row.left, row.top, kEditWidth, height, TRUE);
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_MODIFY), row.left + kModifyLeft, row.top, kModifyRight - kModifyLeft, height, TRUE);
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_MODIFY_CANCEL), row.left + kCancelLeft, row.top, kCancelRight - kCancelLeft, height,
        TRUE);
    for (int id : { IDC_MODIFY_EDIT, IDC_MODIFY, IDC_MODIFY_CANCEL }) {
        show(id, true);
        ::SetWindowPos(::GetDlgItem(m_hWnd, id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_MODIFY_EDIT));
    m_list.Invalidate();
}

void CAccessControlPage::OnModify()
{
    CString text;
    GetDlgItemText(IDC_MODIFY_EDIT, text);
    if (!check_address(text.GetString()))
        return;
    int const sel = m_list.GetCurSel();
    if (sel >= 0) {
        m_list.DeleteString(static_cast<UINT>(sel));
        m_list.InsertString(sel, DashedAclEntry(text.GetString()).c_str());
    }
    end_modify();
}

void CAccessControlPage::OnModifyCancel() { end_modify(); }

void CAccessControlPage::end_modify()
{
    SetDlgItemText(IDC_MODIFY_EDIT, "");
    for (int id : { IDC_MODIFY_EDIT, IDC_MODIFY, IDC_MODIFY_CANCEL })
        show(id, false);
    enable(IDC_POLICY, true);
    enable(IDC_APPLY, true);
    enable_for_policy();
}

BOOL CAccessControlPage::OnKillActive()
{
    end_modify();
    return CPropertyPage::OnKillActive();
}

// [SECTION] Apply

void CAccessControlPage::OnApplyClicked() { WriteConfigToRegistryAndSetOid(); }

void CAccessControlPage::WriteConfigToRegistryAndSetOid()
{
    UpdateData(TRUE);
    if (m_nPolicy != 0 && m_list.GetCount() == 0) {
        if (message(G_UiStr.IDS_NOACLIST) == 0) {
            TraceMsg("[Hotvane] CAccessControlPage::WriteConfigToRegistryAndSetOid return function, error code = %d \n",
                static_cast<int>(::GetLastError()));
            return;
        }
        m_nPolicy = 0;
        m_cmbPolicy.SetCurSel(0);
        m_list.ResetContent();
        enable_for_policy();
    }
    G_VxApApi.VXAP_WriteAccessPolicy(m_nPolicy);
    AccessControlWrite write = BuildAccessControl(m_nPolicy, Entries());
    G_VxApApi.VXAP_WriteAccessList(write.text.data(), write.length);
    G_VxApApi.VXAP_Set80211ACL(&write.record);
}

}
