#include "station/app/SelCardDlg.h"

#include "station/core/HideDlgIds.h"

#include <cstring>

namespace {

constexpr int IDC_CARD_COMBO = 1244;
constexpr int IDC_FRIENDLY_NAME = 1245;
constexpr int IDC_DESCRIPTION = 1246;
constexpr int IDC_HARDWARE_ID = 1247;
constexpr int IDC_LOCATION = 1248;
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
    ON_CBN_SELCHANGE(IDC_CARD_COMBO, OnSelChange)
END_MESSAGE_MAP()

CSelCardDlg::CSelCardDlg(CWnd* pParent)
    : CDialog(IDD_SELCARD_DLG, pParent)
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
    DDX_Control(pDX, IDC_CARD_COMBO, m_cbCard);
    DDX_Text(pDX, IDC_FRIENDLY_NAME, m_strFriendlyName);
    DDX_Text(pDX, IDC_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_HARDWARE_ID, m_strHardwareId);
    DDX_Text(pDX, IDC_LOCATION, m_strLocation);
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

void CSelCardDlg::OnSelChange()
{
    show_entry(current_selection());
}

void CSelCardDlg::OnOK()
{
    int const selected = current_selection();
    // Only a row of the list may be chosen; no selection keeps the first adapter.
    m_nIndex = selected >= 0 && selected < m_nCount ? selected : 0;
    EndDialog(IDOK);
}
