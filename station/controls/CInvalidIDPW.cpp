#include "station/controls/CInvalidIDPW.h"

#include "platform/user/Utf8.h"
#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <cstring>

using namespace station::controls;

namespace {

std::atomic<BOOL> g_own_reconnect { TRUE };
std::atomic<BOOL>* g_reconnect = &g_own_reconnect;

constexpr int kTextIds[] = { CInvalidIDPW::IDC_LABEL_CARDNAME, CInvalidIDPW::IDC_LABEL_PROFILENAME,
    CInvalidIDPW::IDC_LABEL_MESSAGE, CInvalidIDPW::IDC_CARDNAME, CInvalidIDPW::IDC_PROFILENAME, CInvalidIDPW::IDC_MESSAGE,
    CInvalidIDPW::IDC_LABEL_IDENTITY, CInvalidIDPW::IDC_LABEL_PASSWORD, CInvalidIDPW::IDC_LABEL_DOMAIN,
    CInvalidIDPW::IDC_IDENTITY, CInvalidIDPW::IDC_PASSWORD, CInvalidIDPW::IDC_DOMAIN };

// Copies at most 127 bytes of `text` into a zeroed 128-byte field.
void copy_field(char (&field)[128], CString const& text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.GetString(), platform::utf8_cut_length(text.str(), sizeof field - 1));
}

// A text the library wrote into a 128-byte buffer, read only up to the buffer's end.
CString from_buffer(char const (&buffer)[128])
{
    return CString(std::string(buffer, ::strnlen(buffer, sizeof buffer)));
}

void trace_failed(int result, char const* call)
{
    if (result != VXWL_ERROR_SUCCESS)
        TraceMsg(TRACE_FAIL, "[Kivra] CInvalidIDPW::OnOK: %s failed (%d)\n", call, result);
}

}

BEGIN_MESSAGE_MAP(CInvalidIDPW, CResizeDlg)
ON_WM_SHOWWINDOW()
ON_WM_NCHITTEST()
ON_BN_CLICKED(CInvalidIDPW::IDC_OK, OnClickOK)
ON_BN_CLICKED(CInvalidIDPW::IDC_CANCEL, OnClickCancel)
END_MESSAGE_MAP()

CInvalidIDPW::CInvalidIDPW(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
    , m_profile_store(std::make_unique<WLANPROFILE>())
{
    std::memset(m_profile_store.get(), 0, sizeof(WLANPROFILE));
    m_pProfile = m_profile_store.get();
}

CInvalidIDPW::~CInvalidIDPW() = default;

void CInvalidIDPW::BindStationFlags(BOOL* pHideTabIcon, std::atomic<BOOL>* pReConnect)
{
    BindHideTabIcon(pHideTabIcon);
    g_reconnect = pReConnect ? pReConnect : &g_own_reconnect;
}

void CInvalidIDPW::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_CARDNAME, m_strCardName);
    DDX_Text(pDX, IDC_MESSAGE, m_strMessage);
    DDX_Text(pDX, IDC_PROFILENAME, m_strProfileName);
    DDX_Text(pDX, IDC_IDENTITY, m_strIdentity);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_DOMAIN, m_strDomain);
}

BOOL CInvalidIDPW::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    init_texts();
    init_buttons();
    show_credential_controls();
    UpdateData(TRUE);
    return TRUE;
}

void CInvalidIDPW::init_texts()
{
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_LABEL_CARDNAME, G_UiStr.IDS_STATIC_CARDNAME }, { IDC_LABEL_MESSAGE, G_UiStr.IDS_STATIC_MESSAGE },
        { IDC_LABEL_PROFILENAME, G_UiStr.IDS_STATIC_PROFILENAME }, { IDC_LABEL_IDENTITY, G_UiStr.IDS_TUNNELID },
        { IDC_LABEL_PASSWORD, G_UiStr.IDS_TUNNELPASSWORD }, { IDC_LABEL_DOMAIN, G_UiStr.IDS_DOMAIN_NAME } };
    for (Label const& l : labels)
        SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, l.id), l.text);
    for (int id : { IDC_CARDNAME, IDC_MESSAGE, IDC_PROFILENAME })
        SetCtrlTextPtr(m_hWnd, ::GetDlgItem(m_hWnd, id), nullptr);
    for (int id : kTextIds) {
        if (CWnd* control = GetDlgItem(id))
            control->SetFont(&m_font);
    }
    for (int id : { IDC_IDENTITY, IDC_PASSWORD, IDC_DOMAIN })
        SendDlgItemMessage(id, EM_LIMITTEXT, kCredentialLimit);
}

void CInvalidIDPW::init_buttons()
{
    struct Face {
        CShadeButtonST& button;
        std::string const& text;
    };
    for (Face const& f : { Face { m_btnOK, G_UiStr.IDS_OK }, Face { m_btnCancel, G_UiStr.IDS_CANCEL } }) {
        if (!f.button.m_hWnd)
            continue;
        f.button.SetWindowText(f.text.c_str());
        f.button.m_bLeftAlignedText = FALSE;
        f.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        f.button.SetFont(&m_font);
    }
}

void CInvalidIDPW::show_credential_controls()
{
    bool const ask = m_nFailKind == kIdentityRejected;
    auto const protocol = m_pProfile->enumAuthenProtocol;
    bool const password = ask && protocol != EAP_TLS;
    bool const domain = ask && (protocol == EAP_FAST || protocol == EAP_LEAP);
    struct Row {
        int label;
        int edit;
        bool shown;
    };
    for (Row const& r : { Row { IDC_LABEL_IDENTITY, IDC_IDENTITY, ask }, Row { IDC_LABEL_PASSWORD, IDC_PASSWORD, password },
             Row { IDC_LABEL_DOMAIN, IDC_DOMAIN, domain } }) {
        for (int id : { r.label, r.edit })
            ::ShowWindow(::GetDlgItem(m_hWnd, id), r.shown ? SW_SHOW : SW_HIDE);
    }
}

void CInvalidIDPW::choose_message()
{
    if (m_nFailKind == kIdentityRejected) {
        m_strMessage = G_UiStr.IDS_INVALID_IDPW.c_str();
        return;
    }
    std::string const* texts[] = { &G_UiStr.IDS_PEAP_TIMEOUT, &G_UiStr.IDS_TLS_TIMEOUT, &G_UiStr.IDS_TTLS_TIMEOUT,
        &G_UiStr.IDS_EAP_FAST_TIMEOUT, &G_UiStr.IDS_MD5_TIMEOUT, &G_UiStr.IDS_LEAP_TIMEOUT };
    auto const protocol = m_pProfile->enumAuthenProtocol;
    // Another method keeps the message shown before.
    if (protocol < std::size(texts))
        m_strMessage = texts[protocol]->c_str();
}

void CInvalidIDPW::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    m_strIdentity.Empty();
    m_strPassword.Empty();
    m_strDomain.Empty();
    if (bShow != TRUE)
        return;
    char card[128] {};
    G_VxWlLib.VXWL_ReadDriverDesc(card);
    m_strCardName = from_buffer(card);
    char profile[128] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(profile);
    m_strProfileName = from_buffer(profile);
    choose_message();
    show_credential_controls();
    UpdateData(FALSE);
}

void CInvalidIDPW::OnClickOK() { OnOK(); }
void CInvalidIDPW::OnClickCancel() { OnCancel(); }

void CInvalidIDPW::OnOK()
{
    UpdateData(TRUE);
    if (m_nFailKind == kIdentityRejected) {
        if (!check_credentials())
            return;
        write_credentials();
    }
    *g_reconnect = TRUE;
    trace_failed(G_VxWlLib.VXWL_SetWLANProfile(m_pProfile), "VXWL_SetWLANProfile");
    reconnect();
}

BOOL CInvalidIDPW::check_credentials()
{
    if (m_strIdentity.IsEmpty()) {
        ShowMessageBox("Must input Identity");
        return FALSE;
    }
    if (m_strPassword.IsEmpty() && m_pProfile->enumAuthenProtocol != EAP_TLS) {
        ShowMessageBox("Must input Password");
        return FALSE;
    }
    return TRUE;
}

void CInvalidIDPW::write_credentials()
{
    char identity[128];
    char password[128];
    char domain[128];
    copy_field(identity, m_strIdentity);
    copy_field(password, m_strPassword);
    copy_field(domain, m_strDomain);
    trace_failed(G_VxWlLib.VXWL_WriteIDnPasswd(identity, password), "VXWL_WriteIDnPasswd");
    trace_failed(G_VxWlLib.VXWL_WriteDomainName(domain), "VXWL_WriteDomainName");
    copy_field(m_pProfile->chID, m_strIdentity);
    copy_field(m_pProfile->chPassword, m_strPassword);
    copy_field(m_pProfile->chDomainName, m_strDomain);
}

void CInvalidIDPW::reconnect()
{
    bool const eap = m_pProfile->b8021X == 1 || m_pProfile->enumAuthenMode == AUTH_WPA
        || m_pProfile->enumAuthenMode == AUTH_WPA2;
    ::SendMessage(main_window(), MSG_SHOW_AUTHSTATUS, eap ? AUTHSTATUS_PROGRESS_CHILD : 0, 0);
}

void CInvalidIDPW::OnCancel()
{
    *g_reconnect = FALSE;
    ::SendMessage(main_window(), MSG_SHOW_INVALIDIDPW, 0, 0);
}

LRESULT CInvalidIDPW::OnNcHitTest(CPoint)
{
    return PageNcHitTest(*this);
}

HWND CInvalidIDPW::main_window() const
{
    return CWnd::GetSafeOwner_(nullptr);
}
