#include "station/profiles/PageWAPICertManageDlg.h"

#include "station/controls/QuickListRecords.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/WapiCertSubTab.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kButtonIds[5] = { CPageWAPICertManageDlg::IDC_AS_MANAGE, CPageWAPICertManageDlg::IDC_MOVE_UP,
    CPageWAPICertManageDlg::IDC_MOVE_DOWN, CPageWAPICertManageDlg::IDC_INSTALL, CPageWAPICertManageDlg::IDC_DELETE };
std::string const* const kButtonTexts[5] = { &G_UiStr.IDS_CERT_AS_MANAGE, &G_UiStr.IDS_CERT_MOVE_UP,
    &G_UiStr.IDS_CERT_MOVE_DOWN, &G_UiStr.IDS_CERT_INSTALL, &G_UiStr.IDS_CERT_DELETE };

struct Label {
    int id;
    std::string const* text;
};
Label const kLabels[] = { { 1663, &G_UiStr.IDS_CERT_SELECT_METHOD }, { 1352, &G_UiStr.IDS_CERT_VERSION },
    { 1664, &G_UiStr.IDS_CERT_SERIAL }, { 1657, &G_UiStr.IDS_CERT_ISSUE_FROM }, { 1449, &G_UiStr.IDS_CERT_ISSUE_TO },
    { 1666, &G_UiStr.IDS_CERT_TYPE }, { 1660, &G_UiStr.IDS_CERT_VALID_FROM }, { 1659, &G_UiStr.IDS_CERT_VALID_TO },
    { 1668, &G_UiStr.IDS_CERT_INSTITUTION } };

CString field_text(char const (&field)[256]) { return CString(std::string(field, ::strnlen(field, sizeof field)).c_str()); }

}

BEGIN_MESSAGE_MAP(CPageWAPICertManageDlg, CDialog)
ON_BN_CLICKED(CPageWAPICertManageDlg::IDC_INSTALL, OnInstall)
ON_BN_CLICKED(CPageWAPICertManageDlg::IDC_AS_MANAGE, OnInertButton)
ON_BN_CLICKED(CPageWAPICertManageDlg::IDC_MOVE_UP, OnInertButton)
ON_BN_CLICKED(CPageWAPICertManageDlg::IDC_MOVE_DOWN, OnInertButton)
ON_BN_CLICKED(CPageWAPICertManageDlg::IDC_DELETE, OnInertButton)
ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CPageWAPICertManageDlg::CPageWAPICertManageDlg(CWnd* pParent)
    : CDialog(IDD, pParent)
{
}

void CPageWAPICertManageDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_listCert);
    DDX_Control(pDX, IDC_SELECT_METHOD, m_comboMethod);
    for (int i = 0; i < 5; ++i)
        DDX_Control(pDX, kButtonIds[i], m_buttons[i]);
}

BOOL CPageWAPICertManageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    init_texts();
    m_comboMethod.ChangeColumnTotal(1);
    // The template's height is already the combo's dropped-down height, and this platform's
    // dropped rectangle is the list below the box: moving the box there would move it off
    // its label. The one choice is shown selected, so the box is not blank.
    m_comboMethod.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(G_UiStr.IDS_CERT_SELECT_AUTO.c_str()));
    m_comboMethod.SendMessage(CB_SETCURSEL, 0);
    init_list();
    GetDlgItem(IDC_LABEL_INSTITUTION)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_INSTITUTION)->ShowWindow(SW_HIDE);
    return TRUE;
}

void CPageWAPICertManageDlg::init_texts()
{
    for (Label const& label : kLabels)
        SetDlgItemText(label.id, label.text->c_str());
    for (int i = 0; i < 5; ++i) {
        m_buttons[i].SetWindowText(kButtonTexts[i]->c_str());
        m_buttons[i].m_bLeftAlignedText = FALSE;
        m_buttons[i].ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        m_buttons[i].SetFont(&m_font);
    }
}

void CPageWAPICertManageDlg::init_list()
{
    m_listCert.SetExtendedStyle(m_listCert.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CRect rect;
    m_listCert.GetWindowRect(&rect);
    m_listCert.InsertColumn(0, "Issued From", LVCFMT_LEFT, rect.Width() / 4);
    m_listCert.InsertColumn(1, "Issued To", LVCFMT_LEFT, rect.Width() / 4);
    m_listCert.InsertColumn(2, "Valid Date", LVCFMT_RIGHT, rect.Width() / 2);
}

LRESULT CPageWAPICertManageDlg::OnCellRequest(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0 || cell->m_nItem >= int(m_rows.size()))
        return 0;
    CertRow const& row = m_rows[std::size_t(cell->m_nItem)];
    switch (cell->m_nSubItem) {
    case 0: cell->m_strText = row.strIssuedFrom; break;
    case 1: cell->m_strText = row.strIssuedTo; break;
    case 2: cell->m_strText = row.strValidity; break;
    default: break;
    }
    return 0;
}

// [SECTION] Install

// A cancelled dialog adds no row: a row stands for a file installed here.
void CPageWAPICertManageDlg::OnInstall()
{
    CString path;
    if (!ChooseCerFile(path) || path.IsEmpty())
        return;
    m_strInstallPath = path;
    describe(path);
    show_details();
    m_rows.push_back({ m_strIssuedFrom, m_strIssuedTo, m_strValidity });
    m_listCert.SetItemCountEx(int(m_rows.size()));
    m_listCert.Invalidate();
}

// What the library tells of the file: issuer, subject and expiration. It gives no version,
// serial, type or start of validity, so those stay empty.
void CPageWAPICertManageDlg::describe(CString const& path)
{
    CERT_INFO info {};
    if (G_VxWlLib.VXWL_GetWAPICertInfo) {
        char name[256] {};
        std::snprintf(name, sizeof name, "%s", path.GetString());
        G_VxWlLib.VXWL_GetWAPICertInfo(name, &info, 1);
    }
    m_strVersion.Empty();
    m_strSerial.Empty();
    m_strType.Empty();
    m_strValidFrom.Empty();
    m_strIssuedFrom = field_text(info.IssuedBy);
    m_strIssuedTo = field_text(info.IssuedTo);
    m_strValidTo = field_text(info.Expiration);
    m_strValidity.Format("%s-%s", m_strValidFrom.GetString(), m_strValidTo.GetString());
}

void CPageWAPICertManageDlg::show_details()
{
    struct Shown {
        int id;
        CString const& text;
    };
    for (Shown const& s : { Shown { IDC_VERSION, m_strVersion }, Shown { IDC_SERIAL, m_strSerial },
             Shown { IDC_ISSUED_FROM, m_strIssuedFrom }, Shown { IDC_ISSUED_TO, m_strIssuedTo }, Shown { IDC_TYPE, m_strType },
             Shown { IDC_VALID_FROM, m_strValidFrom }, Shown { IDC_VALID_TO, m_strValidTo } })
        SetDlgItemText(s.id, s.text.GetString());
}
