#include "station/profiles/PageEAPFastDlg.h"

#include "platform/system/FileDialog.h"
#include "platform/system/FileFind.h"
#include "station/controls/CProgress.h"
#include "station/controls/UxMenu.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/IniFile.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EapSubTabs.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageClientCertificationDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

using namespace station::profiles;

namespace {

constexpr int kTunnelCommands[3] = { 32891, 32892, 32893 };
using Name = CPageNamePasswordDlg;

std::string name_of_path(std::string const& path)
{
    std::size_t const slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool same_folder(std::string const& file, std::string const& folder)
{
    std::error_code error;
    auto const a = std::filesystem::weakly_canonical(std::filesystem::path(file).parent_path(), error);
    if (error)
        return false;
    auto const b = std::filesystem::weakly_canonical(std::filesystem::path(folder), error);
    return !error && a == b;
}

}

BEGIN_MESSAGE_MAP(CPageEAPFastDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_NOTIFY(NM_DBLCLK, CPageEAPFastDlg::IDC_LIST, OnDblClkList)
ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CPageEAPFastDlg::CPageEAPFastDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageEAPFastDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROVISION, m_btnProvision);
    DDX_Control(pDX, IDC_TUNNEL, m_btnTunnel);
    DDX_Control(pDX, IDC_REMOVE, m_btnRemove);
    DDX_Control(pDX, IDC_IMPORT, m_btnImport);
    DDX_Control(pDX, IDC_USE_PAC, m_btnUsePAC);
    DDX_Control(pDX, IDC_LIST, m_listPAC);
    DDX_Check(pDX, IDC_PROVISION, m_bAllowUnauthProvision);
    DDX_Check(pDX, IDC_USE_PAC, m_bUsePAC);
    DDX_Text(pDX, IDC_PATH_VALUE, m_strPACFilePath);
}

std::string const& CPageEAPFastDlg::tunnel_caption(int tunnel) const
{
    if (tunnel == 1)
        return G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD;
    if (tunnel == 2)
        return G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_GTC;
    return G_UiStr.IDS_8021X_PEAP_TUNNEL_MSCHAP2;
}

BOOL CPageEAPFastDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    CreatePageFont(m_font);
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_PROVISION_LABEL, G_UiStr.IDS_PROVISION_MODE }, { IDC_TUNNEL_LABEL, G_UiStr.IDS_PROVISIONING_TUNNEL },
        { IDC_PAC_LABEL, G_UiStr.IDS_PAC }, { IDC_REMOVE, G_UiStr.IDS_REMOVE_FILE }, { IDC_IMPORT, G_UiStr.IDS_IMPORT_FILE },
        { IDC_PATH_LABEL, G_UiStr.IDS_PAC_FILE_PATH }, { IDC_LIST_TITLE, G_UiStr.IDS_PAC_LIST } };
    for (Label const& l : labels)
        if (CWnd* control = GetDlgItem(l.id))
            SetCtrlText(m_hWnd, control->m_hWnd, l.text);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    ShowItems(*this, { IDC_PATH_LABEL, IDC_PATH_VALUE }, false);
    StyleCheckButton(m_btnProvision);
    StyleCheckButton(m_btnUsePAC);
    for (CShadeButtonST* button : { &m_btnImport, &m_btnRemove }) {
        button->m_bLeftAlignedText = FALSE;
        button->ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    }
    bool const newer = G_VxWlLib.VXWL_GetWinOS() >= 10;
    std::map<UINT, CString> texts;
    for (int t = 0; t < (newer ? 2 : 3); ++t)
        texts[UINT(kTunnelCommands[t])] = tunnel_caption(t).c_str();
    m_btnTunnel.AssignIcons(159, 159);
    m_btnTunnel.ChooseImageSide(CButtonST::ImageRight, FALSE);
    m_btnTunnel.AttachDropMenu(kTunnelMenu, m_hWnd, 1, kTunnelImages, texts, 16, 16, RGB(255, 0, 255), FALSE);
    if (newer)
        if (UxMenu* menu = m_btnTunnel.drop_menu())
            ::DeleteMenu(menu->GetSubMenu(0), UINT(kTunnelCommands[2]), MF_BYCOMMAND);
    m_btnTunnel.SetWindowText(tunnel_caption(0).c_str());
    m_listPAC.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CBitmap strip;
    if (m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4) && strip.LoadBitmap(kListImages))
        m_imageList.Add(&strip, RGB(255, 255, 255));
    m_listPAC.SetImageList(m_imageList.GetSafeHandle(), LVSIL_SMALL);
    CRect rect;
    m_listPAC.GetWindowRect(&rect);
    m_listPAC.InsertColumn(0, "Selected", LVCFMT_CENTER, int(rect.Width() * 0.2));
    m_listPAC.InsertColumn(1, "File Name", LVCFMT_LEFT, int(rect.Width() * 0.7));
    bool const enhanced = G_VxWlLib.bEapFastEnhancement != 0;
    EnableItems(*this, { IDC_PROVISION, IDC_PROVISION_LABEL, IDC_TUNNEL_LABEL, IDC_TUNNEL }, enhanced);
    ShowItems(*this, { IDC_TUNNEL_LABEL, IDC_TUNNEL }, enhanced);
    m_bAllowUnauthProvision = 1;
    m_bUsePAC = 1;
    UpdateData(FALSE);
    return TRUE;
}

void CPageEAPFastDlg::SyncTunnelFromCaption()
{
    if (!m_btnTunnel.m_hWnd)
        return;
    CString caption;
    m_btnTunnel.GetWindowText(caption);
    if (caption == G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_GTC.c_str())
        m_nProvisioningTunnel = 2;
    else if (caption == G_UiStr.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD.c_str())
        m_nProvisioningTunnel = 1;
    else
        m_nProvisioningTunnel = 0;
}

void CPageEAPFastDlg::SetTunnel(int nTunnel)
{
    m_nProvisioningTunnel = nTunnel;
    if (m_btnTunnel.m_hWnd)
        m_btnTunnel.SetWindowText(tunnel_caption(nTunnel).c_str());
    if (!m_pOwner)
        return;
    CPageNamePasswordDlg* const name = m_pOwner->m_pNamePasswordDlg;
    int const inner = m_pOwner->m_nTunnelIndex;
    if (G_VxWlLib.VXWL_GetWinOS() >= 10) {
        if (name)
            name->UpdateControlsForMethod();
    } else if (name && name->m_hWnd) {
        bool const modes = nTunnel == 2 || inner == 2;
        if (nTunnel == 1)
            EnableItems(*name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, inner != 1);
        if (nTunnel == 2)
            EnableItems(*name, { Name::IDC_PASSWORD_LABEL, Name::IDC_PASSWORD }, true);
        ShowItems(*name, { Name::IDC_MODE_LABEL, Name::IDC_MODE_TOKEN, Name::IDC_MODE_STATIC }, modes);
    }
    CPageClientCertificationDlg* const client = m_pOwner->m_pClientCertDlg;
    if (nTunnel == 1 && client && client->m_hWnd) {
        client->m_bUseClientCert = 1;
        client->m_btnUseCert.EnableWindow(FALSE);
        client->UpdateData(FALSE);
        client->EnumerateCertificates();
        client->EnableCertControls(TRUE);
        client->UpdateData(FALSE);
    }
    UpdateCertTabs(m_pOwner->m_nEapMethod);
}

void CPageEAPFastDlg::ApplyTunnel()
{
    SetTunnel(m_nProvisioningTunnel == 1 || m_nProvisioningTunnel == 2 ? m_nProvisioningTunnel : 0);
}

void CPageEAPFastDlg::UpdateCertTabs(int nMethod)
{
    if (!m_pOwner)
        return;
    bool const enhanced = G_VxWlLib.bEapFastEnhancement != 0;
    if (nMethod != EAP_FAST)
        return;
    if (enhanced)
        m_pOwner->PlaceEnhancedButtons(nMethod);
    bool const certs = enhanced && (m_nProvisioningTunnel == 1 || m_pOwner->m_nTunnelIndex == 1);
    m_pOwner->show_button(m_pOwner->m_pBtnClientCert, certs);
    m_pOwner->show_button(m_pOwner->m_pBtnServerCert, certs);
    CPageClientCertificationDlg* const client = m_pOwner->m_pClientCertDlg;
    if (enhanced && !certs && client) {
        client->m_bUseClientCert = 0;
        if (client->m_hWnd)
            client->UpdateData(FALSE);
    }
}

void CPageEAPFastDlg::EnableUsePAC()
{
    EnableItems(*this, { IDC_IMPORT, IDC_REMOVE, IDC_PATH_LABEL, IDC_PATH_VALUE }, m_bUsePAC != 0);
}

std::string CPageEAPFastDlg::PacFolder()
{
    return GetProgramFolder();
}

void CPageEAPFastDlg::add_entry(std::string const& path, std::string const& name)
{
    PAC_ENTRY entry {};
    std::string const cut_name = CutText(name, kPacPathLimit);
    std::string const cut_path = CutText(path, kPacPathLimit);
    std::memcpy(entry.Name, cut_name.data(), cut_name.size());
    std::memcpy(entry.Path, cut_path.data(), cut_path.size());
    m_arrPAC.push_back(entry);
}

void CPageEAPFastDlg::OnImportPACFile()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageEAPFastDlg::OnImportPACFile\n");
    if (int(m_arrPAC.size()) >= kMaxPacEntries) {
        ShowMessageBox(CProgress::format_value(G_UiStr.IDS_PAC_LIST_MAX_ITEM.c_str(), kMaxPacEntries).str());
        TraceMsg(TRACE_STEP, "[Kivra] <-- CPageEAPFastDlg::OnImportPACFile\n");
        return;
    }
    char path[kPacPathLimit + 1] {};
    OPENFILENAME ofn {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ::GetAncestor(m_hWnd, GA_ROOT);
    ofn.lpstrFilter = "PAC (*.pac)\0*.pac\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = "pac";
    TraceMsg(TRACE_STEP, "[Kivra] call GetOpenFileName()\n");
    if (!GetOpenFileName(&ofn)) {
        TraceMsg(TRACE_STEP, "[Kivra] GetOpenFileName() return FALSE, GetLastError() return %d\n", int(CommDlgExtendedError()));
        TraceMsg(TRACE_STEP, "[Kivra] <-- CPageEAPFastDlg::OnImportPACFile\n");
        return;
    }
    path[sizeof path - 1] = 0;
    std::string const full = path;
    bool const listed = std::any_of(m_arrPAC.begin(), m_arrPAC.end(), [&](PAC_ENTRY const& e) { return full == e.Path; });
    if (!listed) {
        add_entry(full, name_of_path(full));
        UpdateData(FALSE);
        RefreshPACList();
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- CPageEAPFastDlg::OnImportPACFile\n");
}

void CPageEAPFastDlg::OnRemovePACFile()
{
    int const row = m_listPAC.m_hWnd ? m_listPAC.GetNextItem(-1, LVNI_SELECTED) : -1;
    if (row < 0 || row >= int(m_arrPAC.size())) {
        ShowMessageBox(G_UiStr.IDS_NOSELECTEDITEM);
        return;
    }
    std::string const path = m_arrPAC[std::size_t(row)].Path;
    if (same_folder(path, PacFolder()))
        ::DeleteFileA(path.c_str());
    m_arrPAC.erase(m_arrPAC.begin() + row);
    RefreshPACList();
    UpdateData(FALSE);
}

void CPageEAPFastDlg::LoadPACFolder()
{
    m_arrPAC.clear();
    std::string const folder = PacFolder();
    WIN32_FIND_DATAA found {};
    HANDLE const find = ::FindFirstFileA((folder + "/*.pac").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            add_entry(folder + "/" + found.cFileName, found.cFileName);
        } while (int(m_arrPAC.size()) < kMaxPacEntries && ::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    RefreshPACList();
}

void CPageEAPFastDlg::RefreshPACList()
{
    if (!m_listPAC.m_hWnd)
        return;
    int const rows = int(m_arrPAC.size());
    m_listPAC.SetItemCountEx(rows);
    if (rows > 0)
        m_listPAC.RedrawItems(0, rows - 1);
    m_listPAC.Invalidate();
}

void CPageEAPFastDlg::ToggleFocused()
{
    int const row = m_listPAC.m_hWnd ? m_listPAC.GetNextItem(-1, LVNI_FOCUSED) : -1;
    if (row < 0 || row >= int(m_arrPAC.size()))
        return;
    std::uint32_t& selected = m_arrPAC[std::size_t(row)].Value;
    selected = selected == 1 ? 0 : 1;
    RefreshPACList();
}

void CPageEAPFastDlg::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    ToggleFocused();
    *pResult = 0;
}

LRESULT CPageEAPFastDlg::OnCellRequest(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || reinterpret_cast<HWND>(wParam) != m_listPAC.m_hWnd || cell->m_nItem < 0 || cell->m_nItem >= int(m_arrPAC.size()))
        return 0;
    PAC_ENTRY const& entry = m_arrPAC[std::size_t(cell->m_nItem)];
    if (cell->m_nSubItem == 0) {
        cell->m_bCheckBox = 1;
        cell->m_bCenterCheckBox = 1;
        cell->m_nCheckState = entry.Value == 1 ? DFCS_CHECKED : 0;
        cell->m_strText.Empty();
    } else if (cell->m_nSubItem == 1) {
        cell->m_strText = entry.Name;
    }
    return 0;
}

BOOL CPageEAPFastDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A box or radio changes its own check when its click comes back to it: it sees the click
    // before the rules below, which read the new check.
    if (lParam && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return TRUE;
    int const id = LOWORD(wParam);
    int const code = HIWORD(wParam);
    if (lParam == 0) {
        for (int t = 0; t < 3; ++t)
            if (id == kTunnelCommands[t]) {
                SetTunnel(t);
                return TRUE;
            }
    }
    if (lParam && code == BN_CLICKED) {
        switch (id) {
        case IDC_PROVISION:
            UpdateData(TRUE);
            SyncTunnelFromCaption();
            UpdateData(FALSE);
            return TRUE;
        case IDC_USE_PAC:
            UpdateData(TRUE);
            EnableUsePAC();
            SyncTunnelFromCaption();
            UpdateData(FALSE);
            return TRUE;
        case IDC_IMPORT: OnImportPACFile(); return TRUE;
        case IDC_REMOVE: OnRemovePACFile(); return TRUE;
        default: break;
        }
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

LRESULT CPageEAPFastDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

void CPageEAPFastDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintSubTabFrame(*this, dc);
}

void CPageEAPFastDlg::OnDestroy()
{
    m_btnTunnel.DestroyWindow();
    CResizeDlg::OnDestroy();
}
