#include "station/controls/SelCardDlg.h"

#include <cstring>

namespace {

// The list shows the friendly names only, in one column of this width.
constexpr int kNameColumnWidth = 200;

// A text field of the record, which need not be terminated when full.
template<std::size_t N>
CString field(char const (&text)[N])
{
    return CString(std::string(text, strnlen(text, N)).c_str());
}

}

BEGIN_MESSAGE_MAP(CSelCardDlg, CDialog)
END_MESSAGE_MAP()

CSelCardDlg::CSelCardDlg(CWnd* pParent, SelCardLayout const& layout)
    : CDialog(layout.templateId, pParent)
    , m_layout(layout)
{
}

void CSelCardDlg::SetAdapterList(AdapterEntry const* list, int count)
{
    m_pAdapterList = list;
    m_nCount = list && count > 0 ? count : 0;
}

void CSelCardDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, m_layout.comboId, m_cbCard);
    DDX_Text(pDX, m_layout.friendlyNameId, m_strFriendlyName);
    DDX_Text(pDX, m_layout.descriptionId, m_strDescription);
    DDX_Text(pDX, m_layout.hardwareId, m_strHardwareId);
    DDX_Text(pDX, m_layout.locationId, m_strLocation);
}

BOOL CSelCardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_cbCard.ChangeColumnTotal(1);
    m_cbCard.ResizeColumn(0, kNameColumnWidth);
    if (m_nCount == 0)
        return FALSE;
    for (int i = 0; i < m_nCount; ++i) {
        CString const name = field(m_pAdapterList[i].FriendlyName);
        m_cbCard.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
    }
    m_cbCard.SendMessage(CB_SETCURSEL, 0);
    show_entry(0);
    return TRUE;
}

void CSelCardDlg::show_entry(int index)
{
    if (index < 0 || index >= m_nCount)
        return;
    AdapterEntry const& entry = m_pAdapterList[index];
    m_strFriendlyName = field(entry.FriendlyName);
    m_strDescription = field(entry.DeviceDescription);
    m_strHardwareId = field(entry.HardwareId);
    m_strLocation = field(entry.Location);
    UpdateData(FALSE);
}

int CSelCardDlg::current_selection() const
{
    return static_cast<int>(m_cbCard.SendMessage(CB_GETCURSEL));
}

// The combo box's id comes with the program's template, so its notification is routed here
// rather than through the message map.
BOOL CSelCardDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == CBN_SELCHANGE && int(LOWORD(wParam)) == m_layout.comboId) {
        OnSelChange();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSelCardDlg::OnSelChange()
{
    show_entry(current_selection());
}

// Only a row of the list may be chosen; no selection keeps the first adapter.
void CSelCardDlg::take_selection()
{
    int const selected = current_selection();
    m_nIndex = selected >= 0 && selected < m_nCount ? selected : 0;
}

void CSelCardDlg::OnOK()
{
    take_selection();
    EndDialog(IDOK);
}

// The caller takes an adapter whichever way the dialog ends.
void CSelCardDlg::OnCancel()
{
    if (m_layout.cancelTakesShown)
        take_selection();
    EndDialog(IDCANCEL);
}
