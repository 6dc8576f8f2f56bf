#include "station/profiles/PageServerCertificationDlg.h"

#include "station/controls/ShadeButtonST.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/Page8021XDlg.h"

using namespace station::profiles;

BEGIN_MESSAGE_MAP(CPageServerCertificationDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageServerCertificationDlg::CPageServerCertificationDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageServerCertificationDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_USE_CERT, m_btnUseCert);
    DDX_Control(pDX, IDC_INTERMEDIATE, m_btnIntermediate);
    DDX_Control(pDX, IDC_COMBO, m_comboCA);
    DDX_Control(pDX, IDC_RULE_EXACT, m_radioRule[0]);
    DDX_Control(pDX, IDC_RULE_DOMAIN, m_radioRule[1]);
    DDX_Check(pDX, IDC_USE_CERT, m_bUseServerCert);
    DDX_Check(pDX, IDC_INTERMEDIATE, m_bAllowIntermediate);
    DDX_Radio(pDX, IDC_RULE_EXACT, m_nServerNameRule);
    DDX_Text(pDX, IDC_SERVER_NAME, m_strServerName);
}

BOOL CPageServerCertificationDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreatePageFont(m_font);
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_TITLE, G_UiStr.IDS_CASERVER }, { IDC_SERVER_LABEL, G_UiStr.IDS_SERVERNAMEBE },
        { IDC_INTERMEDIATE_LABEL, G_UiStr.IDS_ALLOWINTER }, { IDC_RULE_EXACT_LABEL, G_UiStr.IDS_SERVERMATCH },
        { IDC_RULE_DOMAIN_LABEL, G_UiStr.IDS_DONAIMEND } };
    for (Label const& l : labels)
        if (CWnd* control = GetDlgItem(l.id))
            SetCtrlText(m_hWnd, control->m_hWnd, l.text);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    SendDlgItemMessage(IDC_SERVER_NAME, EM_LIMITTEXT, kEapTextLimit);
    StyleCheckButton(m_btnUseCert);
    m_btnUseCert.AssignColourSlot(CButtonST::TextHot, RGB(0, 0, 255), FALSE);
    StyleCheckButton(m_btnIntermediate);
    for (CButtonST& radio : m_radioRule)
        StyleRadioButton(radio);
    m_comboCA.ChangeColumnTotal(1);
    m_comboCA.ResizeColumn(0, 450);
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        ShowItems(*this, { IDC_INTERMEDIATE, IDC_INTERMEDIATE_LABEL, IDC_RULE_EXACT, IDC_RULE_DOMAIN, IDC_RULE_EXACT_LABEL, IDC_RULE_DOMAIN_LABEL }, false);
    UpdateData(FALSE);
    return TRUE;
}

void CPageServerCertificationDlg::enable_dependents(bool enable)
{
    EnableItems(*this, { IDC_INTERMEDIATE, IDC_INTERMEDIATE_LABEL, IDC_RULE_EXACT, IDC_RULE_DOMAIN, IDC_RULE_EXACT_LABEL,
                           IDC_RULE_DOMAIN_LABEL, IDC_COMBO, IDC_SERVER_LABEL, IDC_SERVER_NAME },
        enable);
}

void CPageServerCertificationDlg::OnUseServerCert()
{
    UpdateData(TRUE);
    if (m_bUseServerCert == 1) {
        FillCAList();
        enable_dependents(true);
        UpdateData(FALSE);
    } else {
        enable_dependents(false);
    }
}

void CPageServerCertificationDlg::OnSelectCA()
{
    UpdateData(TRUE);
    int const item = int(m_comboCA.SendMessage(CB_GETCURSEL));
    CString const name = m_comboCA.FetchCellText(item, 0);
    m_selectedCA.clear();
    for (CERT_RECORD const& r : m_certs.records()) {
        if (name == r.IssuedTo) {
            m_selectedCA.take(r);
            break;
        }
    }
    UpdateData(FALSE);
}

void CPageServerCertificationDlg::FillCAList()
{
    m_selectedCA.clear();
    m_certs.enumerate("ROOT");
    if (!m_comboCA.m_hWnd)
        return;
    m_comboCA.SendMessage(CB_RESETCONTENT);
    m_comboCA.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kAnyTrustedCA));
    for (CERT_RECORD const& r : m_certs.records())
        m_comboCA.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.IssuedTo));
    m_comboCA.SendMessage(CB_SETCURSEL, 0);
    OnSelectCA();
}

void CPageServerCertificationDlg::RefreshServerCert()
{
    if (!m_hWnd)
        return;
    UpdateData(FALSE);
    if (m_bUseServerCert == 1) {
        FillCAList();
        enable_dependents(true);
    } else {
        enable_dependents(false);
    }
    UpdateData(FALSE);
}

bool CPageServerCertificationDlg::SelectStored(KT_BLOB_KEY const& blob)
{
    if (blob.BlobLength == 0)
        return false;
    for (CERT_RECORD const& r : m_certs.records()) {
        if (!SameCertData(r, blob))
            continue;
        int const count = m_comboCA.m_hWnd ? int(m_comboCA.SendMessage(CB_GETCOUNT)) : 0;
        for (int item = 1; item < count; ++item)
            if (m_comboCA.FetchCellText(item, 0) == r.IssuedTo) {
                m_comboCA.SendMessage(CB_SETCURSEL, WPARAM(item));
                break;
            }
        m_selectedCA.take(r);
        return true;
    }
    return false;
}

void CPageServerCertificationDlg::Reset()
{
    m_selectedCA.clear();
    m_bUseServerCert = 0;
    m_bAllowIntermediate = 0;
    m_nServerNameRule = 0;
    m_strServerName.Empty();
    if (m_hWnd) {
        UpdateData(FALSE);
        enable_dependents(false);
    }
}

BOOL CPageServerCertificationDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A box or radio changes its own check when its click comes back to it: it sees the click
    // before the rules below, which read the new check.
    if (lParam && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    int const id = LOWORD(wParam);
    int const code = HIWORD(wParam);
    if (lParam && code == BN_CLICKED && id == IDC_USE_CERT) {
        OnUseServerCert();
        return TRUE;
    }
    if (lParam && code == BN_CLICKED && (id == IDC_RULE_EXACT || id == IDC_RULE_DOMAIN)) {
        UpdateData(TRUE);
        if (m_pOwner && m_pOwner->m_pBtnServerCert && m_pOwner->m_pBtnServerCert->m_hWnd)
            m_pOwner->m_pBtnServerCert->SendMessage(BM_CLICK);
        return TRUE;
    }
    if (lParam && id == IDC_COMBO && code == CBN_SELCHANGE) {
        OnSelectCA();
        return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

LRESULT CPageServerCertificationDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

void CPageServerCertificationDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintSubTabFrame(*this, dc);
}

void CPageServerCertificationDlg::OnDestroy()
{
    CResizeDlg::OnDestroy();
    m_certs.free();
    m_selectedCA.clear();
}
