#include "station/profiles/PageProfileSSODlg.h"

#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/profiles/EapSubTabs.h"

using namespace station::profiles;

BEGIN_MESSAGE_MAP(CPageProfileSSODlg, CDialog)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CPageProfileSSODlg::CPageProfileSSODlg(CWnd* pParent)
    : CDialog(IDD, pParent)
{
}

void CPageProfileSSODlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENABLE, m_btnEnable);
    DDX_Control(pDX, IDC_MACHINE, m_btnMachine);
    DDX_Control(pDX, IDC_PRE_LOGON, m_radioLogon[0]);
    DDX_Control(pDX, IDC_POST_LOGON, m_radioLogon[1]);
    DDX_Control(pDX, IDC_LOGON_TITLE, m_separator);
    DDX_Check(pDX, IDC_ENABLE, bUseSSO);
    DDX_Check(pDX, IDC_MACHINE, bAllowMachine);
    DDX_Radio(pDX, IDC_PRE_LOGON, nLogon);
}

BOOL CPageProfileSSODlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreatePageFont(m_font);
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_ENABLE_LABEL, G_UiStr.IDS_PROF_SSO_ENABLE_SSO }, { IDC_MACHINE_LABEL, G_UiStr.IDS_PROF_SSO_ALLOW_MACHINE },
        { IDC_PRE_LOGON_LABEL, G_UiStr.IDS_PROF_SSO_PRE_LOGON }, { IDC_POST_LOGON_LABEL, G_UiStr.IDS_PROF_SSO_POST_LOGON },
        { IDC_LOGON_TITLE, G_UiStr.IDS_PROF_SSO_LOGON_TYPE } };
    for (Label const& l : labels)
        if (CWnd* control = GetDlgItem(l.id))
            SetCtrlText(m_hWnd, control->m_hWnd, l.text);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    StyleCheckButton(m_btnEnable);
    StyleCheckButton(m_btnMachine);
    for (CButtonST& radio : m_radioLogon)
        StyleRadioButton(radio);
    UpdateData(FALSE);
    return TRUE;
}

void CPageProfileSSODlg::OnEnableSSO()
{
    if (!m_hWnd)
        return;
    UpdateData(TRUE);
    EnableItems(*this, { IDC_MACHINE, IDC_MACHINE_LABEL, IDC_PRE_LOGON, IDC_POST_LOGON }, bUseSSO == 1);
}

std::uint32_t CPageProfileSSODlg::Bits() const
{
    return (bUseSSO ? 1u : 0u) | (bAllowMachine ? 2u : 0u) | (nLogon ? 4u : 0u);
}

void CPageProfileSSODlg::SetBits(std::uint32_t bits)
{
    bUseSSO = (bits & 1u) ? 1 : 0;
    bAllowMachine = (bits & 2u) ? 1 : 0;
    nLogon = (bits & 4u) ? 1 : 0;
    if (m_hWnd) {
        UpdateData(FALSE);
        OnEnableSSO();
    }
}

BOOL CPageProfileSSODlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A box or radio changes its own check when its click comes back to it: it sees the click
    // before the rules below, which read the new check.
    if (lParam && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    if (lParam && LOWORD(wParam) == IDC_ENABLE && HIWORD(wParam) == BN_CLICKED) {
        OnEnableSSO();
        return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

LRESULT CPageProfileSSODlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CDialog::WindowProc(message, wParam, lParam);
}

void CPageProfileSSODlg::OnPaint()
{
    CPaintDC dc(this);
    PaintSubTabFrame(*this, dc);
}

void CPageProfileSSODlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    UpdateData(FALSE);
    OnEnableSSO();
}
