#include "station/profiles/PageWAPIDlg.h"

#include "station/controls/CTabDialog.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

namespace {

constexpr DWORD kTabButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

}

BEGIN_MESSAGE_MAP(CPageWAPIDlg, CResizeDlg)
ON_WM_PAINT()
END_MESSAGE_MAP()

CPageWAPIDlg::CPageWAPIDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
    , m_strUserCertPath(m_dlgUserCert.m_strCertPath)
    , m_strASCertPath(m_dlgASCert.m_strCertPath)
{
}

CPageWAPIDlg::~CPageWAPIDlg() = default;

BOOL CPageWAPIDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    m_pTabDlg = std::make_unique<CTabDialog>(CTabDialog::IDD, this);
    if (!m_pTabDlg->Create(CTabDialog::IDD, this))
        return FALSE;
    // The host brings a sub-tab forward by painting it at once, while the area the other one
    // left is still to be painted by the host; clipping its children keeps that later paint
    // off the sub-tab's frame.
    m_pTabDlg->ModifyStyle(0, WS_CLIPCHILDREN);
    CreateSubPages();
    CRect const host = placeholder(IDC_HOST_PLACE);
    m_pTabDlg->SetWindowPos(nullptr, host.left, host.top, host.Width(), host.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
    if (m_dlgUserCert.m_hWnd) {
        CRect pages = placeholder(IDC_PAGE_PLACE);
        pages.OffsetRect(-host.left, -host.top);
        m_pTabDlg->MovePages(pages, 0);
    }
    return TRUE;
}

void CPageWAPIDlg::CreateSubPages()
{
    if (!G_VxWlLib.bWAPICert)
        return;
    CWnd* const host = m_pTabDlg.get();
    if (!create_tab_button(m_btnUserCert, G_UiStr.IDS_TAB_WAPI_USER_CERT, IDC_USER_TAB_PLACE)
        || !create_tab_button(m_btnASCert, G_UiStr.IDS_TAB_WAPI_AS_CERT, IDC_AS_TAB_PLACE))
        return;
    if (!m_dlgUserCert.Create(CPageUserCertDlg::IDD, host) || !m_dlgASCert.Create(CPageASCertDlg::IDD, host))
        return;
    m_pTabDlg->AddPage(&m_dlgUserCert, &m_btnUserCert);
    m_pTabDlg->AddPage(&m_dlgASCert, &m_btnASCert);
}

// The buttons are the host's children, placed in its coordinates.
BOOL CPageWAPIDlg::create_tab_button(CShadeButtonST& button, std::string const& text, int place)
{
    CRect rect = placeholder(place);
    CRect const host = placeholder(IDC_HOST_PLACE);
    rect.OffsetRect(-host.left, -host.top);
    if (!button.Create(text.c_str(), kTabButtonStyle, rect, m_pTabDlg.get(), UINT(place)))
        return FALSE;
    button.SetFont(&m_font);
    button.ConfigureShading(4, 8, 40, 5, 0, RGB(180, 180, 180), RGB(0, 255, 0));
    return TRUE;
}

CRect CPageWAPIDlg::placeholder(int id) const
{
    CRect rect;
    HWND const control = ::GetDlgItem(m_hWnd, id);
    ::GetWindowRect(control, &rect);
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect.right));
    return rect;
}

void CPageWAPIDlg::click(CShadeButtonST& button)
{
    if (button.m_hWnd)
        button.SendMessage(BM_CLICK);
}

void CPageWAPIDlg::OnPaint()
{
    CPaintDC dc(this);
}

// [SECTION] What the editors call

void CPageWAPIDlg::LoadCertificates(CString const& user_path, CString const& as_path)
{
    if (!G_VxWlLib.bWAPICert)
        return;
    m_dlgUserCert.SetCertPath(user_path);
    m_dlgASCert.SetCertPath(as_path);
    for (CWapiCertSubTab* tab : { static_cast<CWapiCertSubTab*>(&m_dlgUserCert), static_cast<CWapiCertSubTab*>(&m_dlgASCert) }) {
        if (tab->m_strCertPath.IsEmpty())
            continue;
        tab->DeleteAllCert();
        tab->SetupCert(tab->m_strCertPath);
        tab->ShowCertInfo(tab->m_strCertPath);
    }
    ShowUserCertTab();
}

void CPageWAPIDlg::ClearCertificates()
{
    if (!G_VxWlLib.bWAPICert)
        return;
    m_dlgUserCert.ClearCert();
    m_dlgASCert.ClearCert();
    ShowUserCertTab();
}
