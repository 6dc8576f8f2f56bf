#include "station/profiles/Page8021XDlg.h"

#include "station/controls/CTabDialog.h"
#include "station/controls/PageFrame.h"
#include "station/controls/ShadeButtonST.h"
#include "station/controls/UxMenu.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EapSubTabs.h"
#include "station/profiles/PageClientCertificationDlg.h"
#include "station/profiles/PageEAPFastDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageProfileSSODlg.h"
#include "station/profiles/PageServerCertificationDlg.h"

using namespace station::profiles;

namespace {

using Name = CPageNamePasswordDlg;
using Client = CPageClientCertificationDlg;
constexpr DWORD kSubButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr int kMenuIcon = 159;

std::string const& method_caption(int method)
{
    std::string const* const captions[] = { &G_UiStr.IDS_8021X_EAP_PEAP, &G_UiStr.IDS_8021X_EAP_TLS_SMART_CARD,
        &G_UiStr.IDS_8021X_EAP_TTLS, &G_UiStr.IDS_8021X_EAP_EAP_FAST, &G_UiStr.IDS_8021X_EAP_MD5, &G_UiStr.IDS_LEAP };
    return *captions[method >= 0 && method < 6 ? method : 0];
}

std::string const* const kPeapInner[3] = { &G_UiStr.IDS_8021X_PEAP_TUNNEL_MSCHAP2, &G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD,
    &G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_GTC };
std::string const* const kTtlsInner[5] = { &G_UiStr.IDS_8021X_TTLS_TUNNEL_CHAP, &G_UiStr.IDS_8021X_TTLS_TUNNEL_MS_CHAP,
    &G_UiStr.IDS_8021X_TTLS_TUNNEL_MS_CHAP_V2, &G_UiStr.IDS_8021X_TTLS_TUNNEL_PAP, &G_UiStr.IDS_8021X_TTLS_TUNNEL_EAP_MD5 };

}

BEGIN_MESSAGE_MAP(CPage8021XDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
ON_MESSAGE(CPage8021XDlg::WM_METHOD_MENU, OnMethodMenu)
ON_MESSAGE(CPage8021XDlg::WM_TUNNEL_MENU, OnTunnelMenu)
END_MESSAGE_MAP()

CPage8021XDlg::CPage8021XDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
    m_SubTabValues.Reset();
}

CPage8021XDlg::~CPage8021XDlg() = default;

bool CPage8021XDlg::newer() const { return G_VxWlLib.VXWL_GetWinOS() >= 10; }

void CPage8021XDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_METHOD, m_btnMethod);
    DDX_Control(pDX, IDC_TUNNEL, m_btnTunnel);
    DDX_Control(pDX, IDC_SESSION_RESUMPTION, m_checkSessionResumption);
    DDX_Check(pDX, IDC_SESSION_RESUMPTION, m_bSessionResumption);
}

// [SECTION] Creation

BOOL CPage8021XDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreatePageFont(m_font);
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_SESSION_LABEL, G_UiStr.IDS_8021X_SESSION_RESUMPTION }, { IDC_METHOD_LABEL, G_UiStr.IDS_AUTH_AUTH_TYPE },
        { IDC_TUNNEL_LABEL, G_UiStr.IDS_AUTHPROTOCOAL } };
    for (Label const& l : labels)
        if (CWnd* control = GetDlgItem(l.id))
            SetCtrlText(m_hWnd, control->m_hWnd, l.text);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    for (int i = 0; i < 3; ++i)
        m_peapTexts[UINT(ID_INNER_MSCHAPV2 + i)] = kPeapInner[i]->c_str();
    for (int i = 0; i < 5; ++i)
        m_ttlsTexts[UINT(ID_TTLS_CHAP + i)] = kTtlsInner[i]->c_str();
    std::map<UINT, CString> methods;
    for (int m = 0; m < 6; ++m)
        methods[UINT(ID_PEAP + m)] = method_caption(m).c_str();
    bool const is_newer = newer();
    for (CButtonST* button : { &m_btnMethod, &m_btnTunnel }) {
        button->AssignIcons(kMenuIcon, kMenuIcon);
        button->ChooseImageSide(CButtonST::ImageRight, FALSE);
        button->ShiftColourSlot(CButtonST::BackHot, 30, FALSE);
    }
    m_btnMethod.AttachDropMenu(is_newer ? kMethodMenuNewer : kMethodMenuOlder, m_hWnd, 1, is_newer ? kMethodImagesNewer : kMethodImagesOlder,
        methods, 16, 16, RGB(255, 0, 255), FALSE);
    m_btnMethod.RegisterMenuNotify(m_hWnd, WM_METHOD_MENU, 0);
    m_btnMethod.SetWindowText(method_caption(0).c_str());
    attach_tunnel_menu(false);
    m_checkSessionResumption.AssignIcons(147, 148);
    m_checkSessionResumption.EnableFrame(FALSE, FALSE);
    m_tabHost = std::make_unique<CTabDialog>(CTabDialog::IDD, this);
    if (!m_tabHost->Create(CTabDialog::IDD, this))
        return FALSE;
    m_pTabDlg = m_tabHost.get();
    if (!CreateSubPages())
        return FALSE;
    // The host spans the button row and the sub-tab area, below the method rows.
    CRect slot;
    CRect area;
    GetCtrlRectInDlg(&slot, m_hWnd, IDC_SLOT1);
    GetCtrlRectInDlg(&area, m_hWnd, IDC_SUBTAB_AREA);
    CRect client;
    GetClientRect(&client);
    m_tabHost->SetWindowPos(nullptr, 0, slot.top, client.Width(), area.bottom - slot.top, SWP_NOZORDER | SWP_SHOWWINDOW);
    area.OffsetRect(0, -slot.top);
    m_tabHost->MovePages(area, 0);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPage8021XDlg::create_sub_button(std::unique_ptr<CShadeButtonST>& button, int id, std::string const& text, int slot)
{
    CRect rect;
    GetCtrlRectInDlg(&rect, m_hWnd, slot);
    CRect host;
    GetCtrlRectInDlg(&host, m_hWnd, IDC_SLOT1);
    rect.OffsetRect(0, -host.top);
    button = std::make_unique<CShadeButtonST>();
    if (!button->Create(text.c_str(), kSubButtonStyle, rect, m_tabHost.get(), UINT(id)))
        return FALSE;
    button->SetFont(&m_font);
    button->ConfigureShading(4, 8, 40, 5, 0, RGB(180, 180, 180), RGB(255, 0, 0));
    return TRUE;
}

BOOL CPage8021XDlg::CreateSubPages()
{
    bool const enhanced = G_VxWlLib.bEapFastEnhancement != 0;
    CWnd* const host = m_tabHost.get();
    m_name = std::make_unique<CPageNamePasswordDlg>(host);
    m_fast = std::make_unique<CPageEAPFastDlg>(host);
    m_client = std::make_unique<CPageClientCertificationDlg>(host);
    m_server = std::make_unique<CPageServerCertificationDlg>(host);
    m_sso = std::make_unique<CPageProfileSSODlg>(host);
    m_name->m_pOwner = this;
    m_fast->m_pOwner = this;
    m_server->m_pOwner = this;
    m_pNamePasswordDlg = m_name.get();
    m_pEapFastDlg = m_fast.get();
    m_pClientCertDlg = m_client.get();
    m_pServerCertDlg = m_server.get();
    m_pProfileSSODlg = m_sso.get();
    struct Sub {
        int id;
        std::string const& text;
        int slot;
        CDialog* page;
        UINT template_id;
    };
    Sub const subs[] = { { IDC_BTN_NAME_PASSWORD, G_UiStr.IDS_ID_PASSWORD, IDC_SLOT1, m_name.get(), CPageNamePasswordDlg::IDD },
        { IDC_BTN_EAP_FAST, G_UiStr.IDS_8021X_EAP_EAP_FAST, enhanced ? IDC_SLOT4 : IDC_SLOT2, m_fast.get(), CPageEAPFastDlg::IDD },
        { IDC_BTN_CLIENT_CERT, G_UiStr.IDS_TABAUTHENTICATION, IDC_SLOT2, m_client.get(), CPageClientCertificationDlg::IDD },
        { IDC_BTN_SERVER_CERT, G_UiStr.IDS_TABCASERVER, IDC_SLOT3, m_server.get(), CPageServerCertificationDlg::IDD },
        { IDC_BTN_SSO, G_UiStr.IDS_TAB_SSO, IDC_SLOT4, m_sso.get(), CPageProfileSSODlg::IDD } };
    for (std::size_t i = 0; i < 5; ++i) {
        Sub const& s = subs[i];
        if (!create_sub_button(m_buttons[i], s.id, s.text, s.slot) || !s.page->Create(s.template_id, host))
            return FALSE;
        m_tabHost->AddPage(s.page, m_buttons[i].get());
    }
    m_pBtnNamePassword = m_buttons[0].get();
    m_pBtnEapFast = m_buttons[1].get();
    m_pBtnClientCert = m_buttons[2].get();
    m_pBtnServerCert = m_buttons[3].get();
    m_pBtnSSO = m_buttons[4].get();
    return TRUE;
}

void CPage8021XDlg::attach_tunnel_menu(bool ttls)
{
    m_bTtlsMenu = ttls;
    m_btnTunnel.AttachDropMenu(ttls ? kTtlsMenu : kPeapMenu, m_hWnd, 1, ttls ? kTtlsImages : kPeapImages, ttls ? m_ttlsTexts : m_peapTexts,
        16, 16, RGB(255, 0, 255), FALSE);
    m_btnTunnel.RegisterMenuNotify(m_hWnd, WM_TUNNEL_MENU, 0);
}

// [SECTION] Menus

LRESULT CPage8021XDlg::OnMethodMenu(WPARAM wParam, LPARAM)
{
    HMENU const menu = reinterpret_cast<HMENU>(wParam);
    for (int id : { ID_PEAP, ID_TLS, ID_TTLS, ID_EAP_FAST })
        EnableMenuItem(menu, UINT(id), MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(menu, UINT(ID_MD5), MF_BYCOMMAND | (m_bAllowMD5 ? MF_ENABLED : MF_GRAYED));
    if (newer() && G_VxWlLib.VXWL_IsEapHostInstalled() == 0)
        for (int id : { ID_LEAP, ID_EAP_FAST })
            EnableMenuItem(menu, UINT(id), MF_BYCOMMAND | MF_GRAYED);
    return 0;
}

LRESULT CPage8021XDlg::OnTunnelMenu(WPARAM wParam, LPARAM)
{
    HMENU const menu = reinterpret_cast<HMENU>(wParam);
    if (newer() && G_VxWlLib.VXWL_IsEapHostInstalled() == 0)
        EnableMenuItem(menu, UINT(ID_INNER_GTC), MF_BYCOMMAND | MF_GRAYED);
    return 0;
}

BOOL CPage8021XDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A box or radio changes its own check when its click comes back to it: it sees the click
    // before the rules below, which read the new check.
    if (lParam && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    UINT const id = LOWORD(wParam);
    if (lParam == 0 && RunCommand(id))
        return TRUE;
    if (lParam && id == IDC_SESSION_RESUMPTION && HIWORD(wParam) == BN_CLICKED) {
        UpdateData(TRUE);
        return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CPage8021XDlg::RunCommand(UINT id)
{
    if (id >= UINT(ID_PEAP) && id <= UINT(ID_LEAP)) {
        on_method(int(id) - ID_PEAP);
        return TRUE;
    }
    if (id >= UINT(ID_INNER_MSCHAPV2) && id <= UINT(ID_INNER_GTC)) {
        on_inner(int(id) - ID_INNER_MSCHAPV2);
        return TRUE;
    }
    if (id >= UINT(ID_TTLS_CHAP) && id < UINT(ID_TTLS_CHAP + 5)) {
        on_ttls_inner(int(id) - ID_TTLS_CHAP);
        return TRUE;
    }
    return FALSE;
}

// [SECTION] Method and inner method commands

void CPage8021XDlg::set_tunnel_enabled(bool enable)
{
    EnableItems(*this, { IDC_TUNNEL_LABEL, IDC_TUNNEL }, enable);
}

void CPage8021XDlg::client_cert_off()
{
    Client& client = *m_client;
    EnableItems(client, { Client::IDC_TITLE }, false);
    client.m_bUseClientCert = 0;
    client.m_btnUseCert.EnableWindow(FALSE);
    client.m_btnUseCert.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    client.EnableCertControls(FALSE);
}

void CPage8021XDlg::client_cert_on()
{
    Client& client = *m_client;
    EnableItems(client, { Client::IDC_TITLE }, true);
    client.m_bUseClientCert = 1;
    client.m_btnUseCert.EnableWindow(FALSE);
    client.UpdateData(FALSE);
    client.EnumerateCertificates();
    client.EnableCertControls(TRUE);
}

void CPage8021XDlg::on_method(int method)
{
    if (!m_name)
        return;
    m_nEapMethod = method;
    m_btnMethod.SetWindowText(method_caption(method).c_str());
    Name& name = *m_name;
    Client& client = *m_client;
    bool const older = !newer();
    bool const tunnel_method = method == EAP_PEAP || method == EAP_TTLS;
    if (method != EAP_FAST) {
        set_tunnel_enabled(tunnel_method);
        if (!tunnel_method)
            m_btnTunnel.SetWindowText("");
        else
            attach_tunnel_menu(method == EAP_TTLS);
    }
    if (older && method != EAP_LEAP && method != EAP_FAST) {
        EnableItems(name, { Name::IDC_ID_KIND }, false);
        name.SetIdentityKind(0);
        EnableItems(name, { Name::IDC_IDENTITY }, true);
        EnableItems(name, { Name::IDC_DOMAIN_LABEL, Name::IDC_DOMAIN }, false);
        EnableItems(name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, method == EAP_TTLS || method == EAP_MD5);
    }
    switch (method) {
    case EAP_PEAP:
        if (!older) {
            EnableItems(name, { Name::IDC_ID_KIND, Name::IDC_IDENTITY }, false);
            name.UpdateControlsForMethod();
        }
        on_inner(0);
        break;
    case EAP_TLS:
        if (older)
            ShowItems(name, { Name::IDC_MODE_LABEL, Name::IDC_MODE_TOKEN, Name::IDC_MODE_STATIC, Name::IDC_MODE_WINDOWS, Name::IDC_MODE_PROMPT,
                                Name::IDC_CACHE, Name::IDC_CACHE_LABEL },
                false);
        else
            name.UpdateControlsForMethod();
        client_cert_on();
        break;
    case EAP_TTLS:
    case EAP_MD5:
        if (older)
            ShowItems(name, { Name::IDC_MODE_LABEL, Name::IDC_MODE_TOKEN, Name::IDC_MODE_STATIC }, false);
        else
            name.UpdateControlsForMethod();
        if (method == EAP_MD5)
            client.m_bUseClientCert = 0;
        EnableItems(client, { Client::IDC_TITLE, Client::IDC_USE_CERT }, true);
        client.UpdateData(FALSE);
        EnableItems(client, { Client::IDC_COMBO }, client.m_bUseClientCert == 1);
        if (method == EAP_TTLS)
            on_ttls_inner(0);
        break;
    case EAP_LEAP:
        if (older) {
            EnableItems(name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD, Name::IDC_DOMAIN_LABEL, Name::IDC_DOMAIN }, true);
            ShowItems(name, { Name::IDC_MODE_LABEL, Name::IDC_MODE_TOKEN, Name::IDC_MODE_STATIC }, false);
        } else {
            name.UpdateControlsForMethod();
        }
        break;
    case EAP_FAST: on_eap_fast(); break;
    default: break;
    }
    ShowSubTabs(m_nEapMethod);
}

void CPage8021XDlg::on_eap_fast()
{
    Name& name = *m_name;
    Client& client = *m_client;
    bool const enhanced = G_VxWlLib.bEapFastEnhancement != 0;
    if (newer()) {
        set_tunnel_enabled(false);
        m_btnTunnel.SetWindowText("");
        // The rule table runs with the inner command below: run before it, it would apply
        // the previous inner method's row and drop a soft-token choice that GTC keeps.
        EnableItems(name, { Name::IDC_ID_KIND }, false);
    } else {
        attach_tunnel_menu(false);
        set_tunnel_enabled(enhanced);
        EnableItems(name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, false);
        EnableItems(name, { Name::IDC_ID_KIND }, true);
        EnableItems(name, { Name::IDC_DOMAIN_LABEL, Name::IDC_DOMAIN, Name::IDC_IDENTITY }, name.IdentityKind() == 0);
    }
    EnableItems(client, { Client::IDC_USE_CERT }, true);
    if (!enhanced) {
        client.m_bUseClientCert = 0;
        client.UpdateData(FALSE);
        client.EnableCertControls(FALSE);
        m_server->m_bUseServerCert = 0;
        m_server->RefreshServerCert();
        on_inner(2);
        return;
    }
    EnableItems(client, { Client::IDC_COMBO }, client.m_bUseClientCert == 1);
    on_inner(0);
    m_fast->ApplyTunnel();
}

void CPage8021XDlg::on_inner(int index)
{
    if (!m_name)
        return;
    Name& name = *m_name;
    CPageEAPFastDlg& fast = *m_fast;
    fast.SyncTunnelFromCaption();
    fast.UpdateData(FALSE);
    m_nTunnelIndex = index;
    if (!m_bTtlsMenu)
        m_btnTunnel.SetWindowText(kPeapInner[index]->c_str());
    if (m_nEapMethod == EAP_FAST && newer())
        m_btnTunnel.SetWindowText("");
    bool const fast_method = m_nEapMethod == EAP_FAST;
    int const provisioning = fast.m_nProvisioningTunnel;
    if (!newer()) {
        bool const user = name.IdentityKind() == 0;
        bool const modes = index == 2 || (fast_method && provisioning == 2);
        if (index == 0) {
            EnableItems(name, { Name::IDC_IDENTITY }, user);
            EnableItems(name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, true);
        } else if (index == 1) {
            EnableItems(name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, fast_method && provisioning != 1);
        } else {
            name.UpdateDataEx(TRUE);
            EnableItems(name, { Name::IDC_IDENTITY, Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, name.m_nPasswordMode != 0);
            EnableItems(name, { Name::IDC_MODE_LABEL, Name::IDC_MODE_TOKEN, Name::IDC_MODE_STATIC }, user);
        }
        ShowItems(name, { Name::IDC_MODE_LABEL, Name::IDC_MODE_TOKEN, Name::IDC_MODE_STATIC }, modes);
    } else {
        name.UpdateControlsForMethod();
    }
    if (index == 1)
        client_cert_on();
    else
        client_cert_off();
    ShowSubTabs(m_nEapMethod);
}

void CPage8021XDlg::on_ttls_inner(int index)
{
    m_nTtlsTunnelIndex = index;
    m_btnTunnel.SetWindowText(kTtlsInner[index]->c_str());
    ShowSubTabs(m_nEapMethod);
}

void CPage8021XDlg::ApplyEapMethod(int nMethod)
{
    // Before the tab's window exists (the authentication tab is made first) only the method
    // is kept; the controls follow when the editor resets or loads the tab.
    if (!m_name) {
        m_nEapMethod = nMethod;
        return;
    }
    if (nMethod == EAP_PEAP || nMethod == EAP_FAST) {
        int const inner = m_nTunnelIndex;
        if (inner < 0 || inner > 2)
            return;
        on_method(nMethod);
        on_inner(inner);
    } else if (nMethod == EAP_TTLS) {
        int const inner = m_nTtlsTunnelIndex;
        if (inner < 0 || inner > 4)
            return;
        on_method(nMethod);
        on_ttls_inner(inner);
    } else if (nMethod == EAP_TLS || nMethod == EAP_MD5 || nMethod == EAP_LEAP) {
        on_method(nMethod);
    }
}

// [SECTION] Sub-tab buttons

void CPage8021XDlg::place_button(CShadeButtonST* button, int slot, std::string const& text)
{
    if (!button || !button->m_hWnd)
        return;
    CRect rect;
    GetCtrlRectInDlg(&rect, m_hWnd, slot);
    CRect host;
    GetCtrlRectInDlg(&host, m_hWnd, IDC_SLOT1);
    rect.OffsetRect(0, -host.top);
    button->MoveWindow(&rect);
    button->SetWindowText(text.c_str());
}

void CPage8021XDlg::show_button(CShadeButtonST* button, bool show)
{
    if (button && button->m_hWnd)
        button->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPage8021XDlg::click(CShadeButtonST* button)
{
    if (button && button->m_hWnd)
        button->SendMessage(BM_CLICK);
}

// With EapFastEnhancement the EAP-FAST and certificate buttons share the last three slots:
// EAP-FAST first when neither its provisioning tunnel nor its inner method is EAP-TLS.
void CPage8021XDlg::PlaceEnhancedButtons(int nMethod)
{
    for (CShadeButtonST* b : { m_pBtnClientCert, m_pBtnServerCert, m_pBtnEapFast }) {
        show_button(b, true);
        if (b && b->m_hWnd)
            b->EnableWindow(TRUE);
    }
    bool const fast_first = nMethod == EAP_FAST && m_fast->m_nProvisioningTunnel != 1 && m_nTunnelIndex != 1;
    place_button(m_pBtnEapFast, fast_first ? IDC_SLOT2 : IDC_SLOT4, G_UiStr.IDS_8021X_EAP_EAP_FAST);
    place_button(m_pBtnClientCert, fast_first ? IDC_SLOT3 : IDC_SLOT2, G_UiStr.IDS_TABAUTHENTICATION);
    place_button(m_pBtnServerCert, fast_first ? IDC_SLOT4 : IDC_SLOT3, G_UiStr.IDS_TABCASERVER);
}

void CPage8021XDlg::ShowSubTabs(int nMethod)
{
    if (!m_tabHost)
        return;
    bool const enhanced = G_VxWlLib.bEapFastEnhancement != 0;
    int const provisioning = m_fast->m_nProvisioningTunnel;
    if (enhanced)
        PlaceEnhancedButtons(nMethod);
    if (newer()) {
        show_button(m_pBtnNamePassword, true);
        ShowItems(*this, { IDC_SESSION_RESUMPTION, IDC_SESSION_LABEL }, true);
        if (nMethod == EAP_FAST) {
            for (CShadeButtonST* b : { m_pBtnNamePassword, m_pBtnEapFast, m_pBtnClientCert, m_pBtnServerCert })
                show_button(b, false);
            m_tabHost->HideAllPages();
            ShowItems(*this, { IDC_SESSION_RESUMPTION, IDC_SESSION_LABEL }, false);
            if (!m_bInProfileEditor) {
                show_button(m_pBtnSSO, false);
                return;
            }
            place_button(m_pBtnSSO, IDC_SLOT1, G_UiStr.IDS_TAB_SSO);
            show_button(m_pBtnSSO, true);
            click(m_pBtnSSO);
            return;
        }
        show_button(m_pBtnEapFast, false);
        show_button(m_pBtnClientCert, nMethod != EAP_MD5 && nMethod != EAP_LEAP);
        show_button(m_pBtnServerCert, nMethod != EAP_LEAP);
        if (nMethod == EAP_LEAP)
            ShowItems(*m_name, { Name::IDC_MODE_LABEL, Name::IDC_MODE_STATIC, Name::IDC_MODE_WINDOWS, Name::IDC_MODE_PROMPT }, true);
        place_button(m_pBtnSSO, nMethod == EAP_LEAP ? IDC_SLOT2 : IDC_SLOT4, G_UiStr.IDS_TAB_SSO);
        show_button(m_pBtnSSO, true);
        click(m_pBtnNamePassword);
        return;
    }
    switch (nMethod) {
    case EAP_PEAP:
    case EAP_TLS:
    case EAP_TTLS:
        show_button(m_pBtnEapFast, false);
        show_button(m_pBtnClientCert, true);
        show_button(m_pBtnServerCert, true);
        break;
    case EAP_FAST: {
        show_button(m_pBtnEapFast, true);
        bool const certs = enhanced && (provisioning == 1 || m_nTunnelIndex == 1);
        show_button(m_pBtnClientCert, certs);
        show_button(m_pBtnServerCert, certs);
        if (enhanced && !certs)
            m_client->m_bUseClientCert = 0;
        break;
    }
    case EAP_MD5:
    case EAP_LEAP:
        for (CShadeButtonST* b : { m_pBtnEapFast, m_pBtnClientCert, m_pBtnServerCert })
            show_button(b, false);
        break;
    default: break;
    }
    show_button(m_pBtnSSO, false);
    click(m_pBtnNamePassword);
}

// [SECTION] Window

LRESULT CPage8021XDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

void CPage8021XDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

void CPage8021XDlg::OnDestroy()
{
    m_btnMethod.DestroyWindow();
    m_btnTunnel.DestroyWindow();
    CResizeDlg::OnDestroy();
}
