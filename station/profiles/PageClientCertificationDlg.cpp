#include "station/profiles/PageClientCertificationDlg.h"

#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "wlan/api/Profile.h"

#include <cstring>

using namespace station::profiles;

namespace {

constexpr int kColumnWidths[4] = { 100, 150, 80, 70 };
constexpr std::uint32_t kTunnelEapTls = 13;

}

BEGIN_MESSAGE_MAP(CPageClientCertificationDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageClientCertificationDlg::CPageClientCertificationDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageClientCertificationDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMBO, m_comboCert);
    DDX_Control(pDX, IDC_ON_MACHINE, m_radioLocation[0]);
    DDX_Control(pDX, IDC_ON_SMART_CARD, m_radioLocation[1]);
    DDX_Control(pDX, IDC_USE_CERT, m_btnUseCert);
    DDX_Check(pDX, IDC_USE_CERT, m_bUseClientCert);
    DDX_Text(pDX, IDC_ISSUED_TO, m_strIssuedTo);
    DDX_Text(pDX, IDC_ISSUED_BY, m_strIssuedBy);
    DDX_Text(pDX, IDC_EXPIRATION, m_strExpiration);
    DDX_Text(pDX, IDC_FRIENDLY, m_strFriendlyName);
    DDX_Radio(pDX, IDC_ON_MACHINE, m_nCertLocation);
}

BOOL CPageClientCertificationDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreatePageFont(m_font);
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_TITLE, G_UiStr.IDS_CLIENTCER }, { IDC_LABEL_ISSUED_TO, G_UiStr.IDS_ISSUETO },
        { IDC_LABEL_ISSUED_BY, G_UiStr.IDS_ISSUEBY }, { IDC_LABEL_EXPIRATION, G_UiStr.IDS_EXPIREON },
        { IDC_LABEL_FRIENDLY, G_UiStr.IDS_FRIENDLYNAME }, { IDC_ON_MACHINE_LABEL, G_UiStr.IDS_CERT_DLG_USE_CERT_ON_MACHINE },
        { IDC_ON_SMART_CARD_LABEL, G_UiStr.IDS_CERT_DLG_USE_CERT_ON_SMART_CARD } };
    for (Label const& l : labels)
        if (CWnd* control = GetDlgItem(l.id))
            SetCtrlText(m_hWnd, control->m_hWnd, l.text);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    m_comboCert.ChangeColumnTotal(4);
    for (int c = 0; c < 4; ++c)
        m_comboCert.ResizeColumn(c, kColumnWidths[c]);
    // The template gives the closed combo its place; the list drops below it.
    CRect dropped;
    m_comboCert.GetWindowRect(&dropped);
    m_comboCert.SendMessage(CB_SETDROPPEDWIDTH, WPARAM(dropped.Width() * 3 / 2));
    for (CButtonST& radio : m_radioLocation)
        StyleRadioButton(radio);
    StyleCheckButton(m_btnUseCert);
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        ShowItems(*this, { IDC_USE_CERT, IDC_TITLE }, false);
    else
        ShowItems(*this, { IDC_ON_MACHINE, IDC_ON_SMART_CARD, IDC_ON_MACHINE_LABEL, IDC_ON_SMART_CARD_LABEL }, false);
    UpdateData(FALSE);
    return TRUE;
}

void CPageClientCertificationDlg::OnUseClientCert()
{
    UpdateData(TRUE);
    if (m_bUseClientCert == 1) {
        EnumerateCertificates();
        EnableCertControls(TRUE);
    } else {
        EnableCertControls(FALSE);
    }
}

void CPageClientCertificationDlg::OnSelectCert()
{
    UpdateData(TRUE);
    SelectCurrent();
    UpdateData(FALSE);
}

void CPageClientCertificationDlg::RefreshForMethod(int nMethod, int nTunnelCode)
{
    bool active = m_bUseClientCert == 1;
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        active = (nMethod == EAP_PEAP && std::uint32_t(nTunnelCode) == kTunnelEapTls) || nMethod == EAP_TLS;
    if (active) {
        EnumerateCertificates();
        EnableCertControls(TRUE);
    } else {
        EnableCertControls(FALSE);
    }
    if (m_hWnd)
        UpdateData(FALSE);
}

void CPageClientCertificationDlg::EnumerateCertificates()
{
    // The choice is a copy, yet it names a certificate of the list being replaced: a fresh
    // list starts from its first item again.
    m_selectedCert.clear();
    m_certs.enumerate("MY");
    if (!m_comboCert.m_hWnd)
        return;
    m_comboCert.SendMessage(CB_RESETCONTENT);
    for (CERT_RECORD const& r : m_certs.records()) {
        int const item = int(m_comboCert.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.IssuedTo)));
        m_comboCert.StoreCellText(item, 1, r.IssuedBy);
        m_comboCert.StoreCellText(item, 2, r.Expiration);
        m_comboCert.StoreCellText(item, 3, r.FriendlyName);
    }
    if (m_certs.count() != 0) {
        m_comboCert.SendMessage(CB_SETCURSEL, 0);
        SelectCurrent();
        UpdateData(FALSE);
    }
}

void CPageClientCertificationDlg::SelectCurrent()
{
    if (!m_comboCert.m_hWnd)
        return;
    int const item = int(m_comboCert.SendMessage(CB_GETCURSEL));
    m_strIssuedTo = m_comboCert.FetchCellText(item, 0);
    m_strIssuedBy = m_comboCert.FetchCellText(item, 1);
    m_strExpiration = m_comboCert.FetchCellText(item, 2);
    m_strFriendlyName = m_comboCert.FetchCellText(item, 3);
    m_selectedCert.clear();
    for (CERT_RECORD const& r : m_certs.records()) {
        if (m_strIssuedTo == r.IssuedTo && m_strIssuedBy == r.IssuedBy && m_strExpiration == r.Expiration && m_strFriendlyName == r.FriendlyName) {
            m_selectedCert.take(r);
            break;
        }
    }
}

bool CPageClientCertificationDlg::SelectStored(KT_BLOB_KEY const& blob)
{
    if (blob.BlobLength == 0)
        return false;
    for (CERT_RECORD const& r : m_certs.records()) {
        if (!SameCertData(r, blob))
            continue;
        int const count = m_comboCert.m_hWnd ? int(m_comboCert.SendMessage(CB_GETCOUNT)) : 0;
        for (int item = 0; item < count; ++item) {
            if (m_comboCert.FetchCellText(item, 0) == r.IssuedTo && m_comboCert.FetchCellText(item, 1) == r.IssuedBy
                && m_comboCert.FetchCellText(item, 2) == r.Expiration && m_comboCert.FetchCellText(item, 3) == r.FriendlyName) {
                m_comboCert.SendMessage(CB_SETCURSEL, WPARAM(item));
                break;
            }
        }
        m_selectedCert.take(r);
        m_strIssuedTo = r.IssuedTo;
        m_strIssuedBy = r.IssuedBy;
        m_strExpiration = r.Expiration;
        m_strFriendlyName = r.FriendlyName;
        if (m_hWnd)
            UpdateData(FALSE);
        return true;
    }
    return false;
}

void CPageClientCertificationDlg::EnableCertControls(BOOL bEnable)
{
    if (!m_hWnd)
        return;
    EnableItems(*this, { IDC_COMBO, IDC_ISSUED_TO, IDC_ISSUED_BY, IDC_EXPIRATION, IDC_FRIENDLY, IDC_LABEL_ISSUED_TO,
                           IDC_LABEL_ISSUED_BY, IDC_LABEL_EXPIRATION, IDC_LABEL_FRIENDLY },
        bEnable != FALSE);
    if (!bEnable)
        m_comboCert.SendMessage(CB_RESETCONTENT);
    if (G_VxWlLib.VXWL_GetWinOS() >= 10)
        EnableItems(*this, { IDC_ON_MACHINE, IDC_ON_SMART_CARD, IDC_ON_MACHINE_LABEL, IDC_ON_SMART_CARD_LABEL }, bEnable != FALSE);
}

void CPageClientCertificationDlg::Reset()
{
    m_selectedCert.clear();
    m_bUseClientCert = 0;
    m_strIssuedTo.Empty();
    m_strIssuedBy.Empty();
    m_strExpiration.Empty();
    m_strFriendlyName.Empty();
    m_nCertLocation = 0;
    if (!m_hWnd)
        return;
    m_comboCert.SendMessage(CB_SETCURSEL, WPARAM(-1));
    UpdateData(FALSE);
}

BOOL CPageClientCertificationDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A box or radio changes its own check when its click comes back to it: it sees the click
    // before the rules below, which read the new check.
    if (lParam && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    int const id = LOWORD(wParam);
    int const code = HIWORD(wParam);
    if (lParam && id == IDC_USE_CERT && code == BN_CLICKED) {
        OnUseClientCert();
        return TRUE;
    }
    if (lParam && id == IDC_COMBO && code == CBN_SELCHANGE) {
        OnSelectCert();
        return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

LRESULT CPageClientCertificationDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

void CPageClientCertificationDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintSubTabFrame(*this, dc);
}

void CPageClientCertificationDlg::OnDestroy()
{
    CResizeDlg::OnDestroy();
    m_certs.free();
    m_selectedCert.clear();
}
