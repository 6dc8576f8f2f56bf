#include "station/profiles/PageNamePasswordDlg.h"

#include "platform/system/Locale.h"
#include "station/controls/ShadeButtonST.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EapSubTabs.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageEAPFastDlg.h"
#include "wlan/api/Profile.h"

using namespace station::profiles;

namespace {

constexpr int kModeControls[] = { CPageNamePasswordDlg::IDC_MODE_LABEL, CPageNamePasswordDlg::IDC_MODE_TOKEN,
    CPageNamePasswordDlg::IDC_MODE_STATIC, CPageNamePasswordDlg::IDC_MODE_WINDOWS, CPageNamePasswordDlg::IDC_MODE_PROMPT };

void show_mode_controls(CWnd& page, bool show)
{
    for (int id : kModeControls)
        ShowItems(page, { id }, show);
}

}

BEGIN_MESSAGE_MAP(CPageNamePasswordDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CPageNamePasswordDlg::CPageNamePasswordDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageNamePasswordDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PASSWORD, m_editPassword);
    DDX_Control(pDX, IDC_TITLE, m_separator);
    DDX_Control(pDX, IDC_SHOW_PASSWORD, m_btnShowPassword);
    for (std::size_t i = 0; i < m_radioMode.size(); ++i)
        DDX_Control(pDX, kModeRadios[i], m_radioMode[i]);
    DDX_Control(pDX, IDC_ID_KIND, m_comboIdKind);
    DDX_Control(pDX, IDC_CACHE, m_btnCache);
    DDX_Check(pDX, IDC_SHOW_PASSWORD, m_bShowPassword);
    DDX_Check(pDX, IDC_CACHE, m_bCacheUserInfo);
    DDX_Radio(pDX, IDC_MODE_TOKEN, m_nPasswordMode);
    DDX_Text(pDX, IDC_IDENTITY, m_strIdentity);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_DOMAIN, m_strDomain);
}

BOOL CPageNamePasswordDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreatePageFont(m_font);
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_PASSWORD_LABEL, G_UiStr.IDS_AUTH_PASSWORD }, { IDC_DOMAIN_LABEL, G_UiStr.IDS_DOMAIN_NAME },
        { IDC_MODE_LABEL, G_UiStr.IDS_8021X_PWD_MODE }, { IDC_SHOW_PASSWORD_LABEL, G_UiStr.IDS_SHOW_PASSWORD },
        { IDC_TITLE, G_UiStr.IDS_AUTH_ID_PASSWD }, { IDC_MODE_TOKEN, G_UiStr.IDS_8021X_PWD_TOKEN },
        { IDC_MODE_STATIC, G_UiStr.IDS_8021X_PWD_STATIC }, { IDC_MODE_WINDOWS, G_UiStr.IDS_8021X_PWD_WINDOWS },
        { IDC_MODE_PROMPT, G_UiStr.IDS_8021X_PWD_PROMPT }, { IDC_CACHE_LABEL, G_UiStr.IDS_PROF_CACHE_USER_INFO } };
    for (Label const& l : labels)
        if (CWnd* control = GetDlgItem(l.id))
            SetCtrlText(m_hWnd, control->m_hWnd, l.text);
    m_comboIdKind.ChangeColumnTotal(1);
    // The template gives the closed combo its place; the list drops below it.
    CRect dropped;
    m_comboIdKind.GetWindowRect(&dropped);
    m_comboIdKind.ResizeColumn(0, dropped.Width());
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    for (int id : { int(IDC_IDENTITY), int(IDC_PASSWORD), int(IDC_DOMAIN) })
        SendDlgItemMessage(id, EM_LIMITTEXT, kEapTextLimit);
    for (CButtonST& radio : m_radioMode)
        StyleRadioButton(radio);
    StyleCheckButton(m_btnShowPassword);
    StyleCheckButton(m_btnCache);
    ShowItems(*this, { IDC_MODE_WINDOWS, IDC_MODE_PROMPT, IDC_CACHE, IDC_CACHE_LABEL }, false);
    UpdateDataEx(FALSE);
    m_comboIdKind.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(G_UiStr.IDS_AUTH_ID.c_str()));
    m_comboIdKind.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(G_UiStr.IDS_MACHINE_ID.c_str()));
    m_comboIdKind.SendMessage(CB_SETCURSEL, 0);
    return TRUE;
}

int CPageNamePasswordDlg::UpdateDataEx(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return 1;
    UpdateData(bSaveAndValidate);
    if (!bSaveAndValidate)
        ApplyShowPassword();
    return 1;
}

void CPageNamePasswordDlg::ApplyShowPassword()
{
    if (!m_hWnd)
        return;
    UpdateData(TRUE);
    bool const allowed = G_VxWlLib.bShowPassword != 0;
    if (!allowed)
        ShowItems(*this, { IDC_SHOW_PASSWORD, IDC_SHOW_PASSWORD_LABEL }, false);
    m_editPassword.SendMessage(EM_SETPASSWORDCHAR, m_bShowPassword && allowed ? 0 : WPARAM('*'));
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int CPageNamePasswordDlg::IdentityKind() const
{
    return m_comboIdKind.m_hWnd ? int(::SendMessage(m_comboIdKind.m_hWnd, CB_GETCURSEL, 0, 0)) : 0;
}

void CPageNamePasswordDlg::SetIdentityKind(int kind)
{
    if (m_comboIdKind.m_hWnd)
        m_comboIdKind.SendMessage(CB_SETCURSEL, WPARAM(kind));
}

int CPageNamePasswordDlg::checked_mode() const
{
    for (int mode = 0; mode < 4; ++mode)
        if (::SendMessage(m_radioMode[std::size_t(mode)].m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return mode;
    return 1;
}

void CPageNamePasswordDlg::check_mode(int mode)
{
    for (int m = 0; m < 4; ++m)
        m_radioMode[std::size_t(m)].SendMessage(BM_SETCHECK, m == mode ? BST_CHECKED : BST_UNCHECKED);
}

void CPageNamePasswordDlg::UpdateControlsForMethod()
{
    if (!m_hWnd || !m_pOwner)
        return;
    int const mode = checked_mode();
    bool const is_static = mode == 1;
    EnableItems(*this, { IDC_DOMAIN_LABEL, IDC_DOMAIN }, false);
    int const inner = m_pOwner->m_nTunnelIndex;
    auto identity = [&](bool on) { EnableItems(*this, { IDC_IDENTITY }, on); };
    auto password = [&](bool on) { EnableItems(*this, { IDC_PASSWORD_LABEL, IDC_PASSWORD }, on); };
    auto kind = [&](bool on) { EnableItems(*this, { IDC_ID_KIND }, on); };
    switch (m_pOwner->m_nEapMethod) {
    case EAP_PEAP:
        if (inner < 0 || inner > 2)
            break;
        kind(false);
        identity(inner != 2 || is_static);
        password(inner == 0 || (inner == 2 && is_static));
        show_mode_controls(*this, inner == 2);
        if (inner == 2)
            EnableItems(*this, { IDC_MODE_TOKEN }, true);
        break;
    case EAP_TLS:
    case EAP_TTLS:
        identity(true);
        password(false);
        show_mode_controls(*this, false);
        break;
    case EAP_FAST:
        if (inner < 0 || inner > 2)
            break;
        identity(inner == 0);
        password(true);
        if (inner == 0) {
            show_mode_controls(*this, true);
            ShowItems(*this, { IDC_MODE_WINDOWS, IDC_MODE_PROMPT }, false);
            if (mode == 0)
                check_mode(1);
        } else {
            show_mode_controls(*this, inner == 2);
            if (inner == 2)
                EnableItems(*this, { IDC_MODE_TOKEN }, true);
        }
        break;
    case EAP_MD5:
        identity(true);
        password(true);
        show_mode_controls(*this, false);
        break;
    case EAP_LEAP:
        kind(false);
        identity(is_static);
        password(is_static);
        show_mode_controls(*this, true);
        EnableItems(*this, { IDC_MODE_TOKEN }, false);
        if (mode == 0) {
            check_mode(1);
            identity(true);
            password(true);
        }
        break;
    default:
        break;
    }
    if (G_VxWlLib.VXWL_GetWinOS() < 10)
        ShowItems(*this, { IDC_MODE_WINDOWS, IDC_MODE_PROMPT }, false);
}

void CPageNamePasswordDlg::click_own_button()
{
    if (m_pOwner && m_pOwner->m_pBtnNamePassword && m_pOwner->m_pBtnNamePassword->m_hWnd)
        m_pOwner->m_pBtnNamePassword->SendMessage(BM_CLICK);
}

void CPageNamePasswordDlg::OnPasswordMode()
{
    UpdateDataEx(TRUE);
    click_own_button();
    if (G_VxWlLib.VXWL_GetWinOS() >= 10) {
        UpdateControlsForMethod();
        return;
    }
    EnableItems(*this, { IDC_IDENTITY, IDC_PASSWORD, IDC_PASSWORD_LABEL }, m_nPasswordMode != 0);
}

void CPageNamePasswordDlg::OnIdentityKind()
{
    UpdateDataEx(TRUE);
    int const kind = IdentityKind();
    if (m_pOwner && m_pOwner->m_pEapFastDlg && m_pOwner->m_pEapFastDlg->m_hWnd) {
        m_pOwner->m_pEapFastDlg->m_bAllowUnauthProvision = 0;
        m_pOwner->m_pEapFastDlg->UpdateData(FALSE);
    }
    CWnd* const client = m_pOwner ? reinterpret_cast<CWnd*>(m_pOwner->m_pBtnClientCert) : nullptr;
    CWnd* const server = m_pOwner ? reinterpret_cast<CWnd*>(m_pOwner->m_pBtnServerCert) : nullptr;
    auto cert_buttons = [&](bool on) {
        for (CWnd* button : { client, server })
            if (button && button->m_hWnd)
                button->EnableWindow(on ? TRUE : FALSE);
    };
    if (kind == 1) {
        EnableItems(*this, { IDC_MODE_LABEL, IDC_IDENTITY, IDC_DOMAIN_LABEL, IDC_DOMAIN, IDC_MODE_TOKEN, IDC_MODE_STATIC }, false);
        cert_buttons(false);
        EnableItems(*this, { IDC_PASSWORD_LABEL, IDC_PASSWORD }, true);
        char computer[256] {};
        DWORD size = sizeof computer;
        if (!::GetComputerName(computer, &size))
            computer[0] = 0;
        char domain[256] {};
        ::ExpandEnvironmentStrings("%USERDNSDOMAIN%", domain, sizeof domain);
        domain[sizeof domain - 1] = 0;
        std::string const identity = CutText(std::string("host/") + computer + "." + domain, kEapTextLimit);
        SetDlgItemText(IDC_IDENTITY, identity.c_str());
        return;
    }
    EnableItems(*this, { IDC_IDENTITY, IDC_MODE_LABEL, IDC_MODE_TOKEN, IDC_MODE_STATIC }, true);
    cert_buttons(true);
    EnableItems(*this, { IDC_PASSWORD_LABEL, IDC_PASSWORD }, m_nPasswordMode != 0);
    EnableItems(*this, { IDC_DOMAIN_LABEL, IDC_DOMAIN }, m_pOwner && m_pOwner->m_nEapMethod == EAP_FAST);
}

BOOL CPageNamePasswordDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A box or radio changes its own check when its click comes back to it: it sees the click
    // before the rules below, which read the new check.
    if (lParam && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    int const id = LOWORD(wParam);
    int const code = HIWORD(wParam);
    if (lParam && code == BN_CLICKED) {
        if (id == IDC_SHOW_PASSWORD) {
            ApplyShowPassword();
            return TRUE;
        }
        for (int radio : kModeRadios)
            if (id == radio) {
                OnPasswordMode();
                return TRUE;
            }
    }
    if (lParam && id == IDC_ID_KIND && code == CBN_SELCHANGE) {
        OnIdentityKind();
        return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

LRESULT CPageNamePasswordDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

void CPageNamePasswordDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintSubTabFrame(*this, dc);
}

void CPageNamePasswordDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow)
        ApplyShowPassword();
}
