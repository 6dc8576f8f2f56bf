#include "station/profiles/WapiCertSubTab.h"

#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EapSubTabs.h"

#include "platform/system/FileDialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kPathBytes = 128;
constexpr int kInfoPathBytes = 256;
constexpr char kCerFilter[] = "CER (*.cer)\0*.cer\0";

// The installed certificates as the enumeration fills them: 32 entries of 8464 bytes.
struct SystemCertList {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(std::size_t(SYSTEM_CERT_ENTRY_SIZE) * SYSTEM_CERT_ENTRY_COUNT);
    VXWL_U32 count {};

    bool enumerate()
    {
        if (G_VxWlLib.VXWL_EnumSystemCertificate(&count, bytes.data()) != 0)
            return false;
        // A library that claims more than the buffers hold is read as far as they go.
        count = std::min<VXWL_U32>(count, SYSTEM_CERT_ENTRY_COUNT);
        return true;
    }
    std::uint8_t const* entry(VXWL_U32 index) const { return bytes.data() + std::size_t(index) * SYSTEM_CERT_ENTRY_SIZE; }
};

// A length-prefixed text of VXWL_GetCertificateManagerParam.
std::string prefixed_text(std::uint8_t const (&buffer)[CERT_PARAM_TEXT_SIZE])
{
    std::size_t const length = std::min<std::size_t>(buffer[0], CERT_PARAM_TEXT_SIZE - 1);
    return std::string(reinterpret_cast<char const*>(buffer + 1), length);
}

std::uint32_t entry_kind(std::uint8_t const* entry)
{
    return std::uint32_t(entry[0]) | std::uint32_t(entry[1]) << 8 | std::uint32_t(entry[2]) << 16 | std::uint32_t(entry[3]) << 24;
}

std::string hex_prefix(std::string const& bytes)
{
    unsigned char b[4] {};
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), 4), b);
    char text[9];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X", b[0], b[1], b[2], b[3]);
    return text;
}

}

std::string WapiExpirationText(std::uint32_t kind, std::string const& valid_from, std::string const& valid_to)
{
    if (kind != 0)
        return hex_prefix(valid_from) + "-" + hex_prefix(valid_to);
    if (valid_to.size() != 13)
        return valid_from + "-" + valid_to;
    std::string const& t = valid_to;
    return "20" + t.substr(0, 2) + "/" + t.substr(2, 2) + "/" + t.substr(4, 2) + " " + t.substr(6, 2) + ":" + t.substr(8, 2) + ":" + t.substr(10, 2);
}

bool ChooseCerFile(CString& path)
{
    char buffer[kPathBytes] {};
    OPENFILENAME ofn {};
    ofn.lStructSize = 88;
    ofn.hwndOwner = hide_dlg_services().config_window();
    ofn.lpstrFilter = kCerFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = kPathBytes;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = "cer";
    TraceMsg(TRACE_STEP, "[Kivra] call GetOpenFileName()\n");
    if (!GetOpenFileName(&ofn)) {
        TraceMsg(TRACE_STEP, "[Kivra] GetOpenFileName() return FALSE, GetLastError() return %d\n", int(CommDlgExtendedError()));
        return false;
    }
    path = buffer;
    return true;
}

BEGIN_MESSAGE_MAP(CWapiCertSubTab, CResizeDlg)
ON_WM_PAINT()
ON_BN_CLICKED(CWapiCertSubTab::IDC_BROWSER, OnBrowser)
END_MESSAGE_MAP()

CWapiCertSubTab::CWapiCertSubTab(UINT nIDTemplate, WapiCertKind const& kind, CWnd* pParent)
    : CResizeDlg(nIDTemplate, pParent)
    , m_kind(kind)
{
}

void CWapiCertSubTab::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ISSUED_TO, m_strIssuedTo);
    DDX_Text(pDX, IDC_ISSUED_BY, m_strIssuedBy);
    DDX_Text(pDX, IDC_EXPIRATION, m_strExpiration);
    DDX_Text(pDX, IDC_PATH, m_strCertPath);
    DDX_Control(pDX, m_kind.title_id, m_labelTitle);
    DDX_Control(pDX, IDC_LABEL_TO, m_labelTo);
    DDX_Control(pDX, IDC_LABEL_BY, m_labelBy);
    DDX_Control(pDX, IDC_LABEL_EXPIRATION, m_labelExpiration);
    DDX_Control(pDX, IDC_BROWSER, m_btnBrowser);
}

BOOL CWapiCertSubTab::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    m_labelTitle.SetWindowText(m_kind.title->c_str());
    m_labelTo.SetWindowText(G_UiStr.IDS_ISSUETO.c_str());
    m_labelBy.SetWindowText(G_UiStr.IDS_ISSUEBY.c_str());
    m_labelExpiration.SetWindowText(G_UiStr.IDS_EXPIREON.c_str());
    m_btnBrowser.SetWindowText(G_UiStr.IDS_BTN_BROWSER.c_str());
    m_btnBrowser.m_bLeftAlignedText = FALSE;
    m_btnBrowser.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    m_btnBrowser.SetFont(&m_font);
    UpdateData(FALSE);
    return TRUE;
}

void CWapiCertSubTab::OnPaint()
{
    CPaintDC dc(this);
    station::profiles::PaintSubTabFrame(*this, dc);
}

// [SECTION] Choosing, installing and describing a certificate

void CWapiCertSubTab::OnBrowser()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> %s::OnBrowser\n", m_kind.class_name);
    CString path;
    if (ChooseCerFile(path)) {
        m_strCertPath = path;
        SetDlgItemText(IDC_PATH, m_strCertPath.GetString());
        DeleteAllCert();
        if (!m_strCertPath.IsEmpty()) {
            SetupCert(m_strCertPath);
            ShowCertInfo(m_strCertPath);
        }
    }
    TraceMsg(TRACE_STEP, "[Kivra] <-- %s::OnBrowser\n", m_kind.class_name);
}

void CWapiCertSubTab::DeleteAllCert()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> %s::DeleteAllCert\n", m_kind.class_name);
    SystemCertList list;
    if (!list.enumerate()) {
        TraceMsg(TRACE_FAIL, "%s", m_kind.enum_fail);
        return;
    }
    // Once per installed certificate, from the last index (count - 1) down to 0.
    for (int index = int(list.count) - 1; index >= 0; --index)
        G_VxWlLib.VXWL_DeleteCertificate(index);
    TraceMsg(TRACE_STEP, "[Kivra] <-- %s::DeleteAllCert\n", m_kind.class_name);
}

void CWapiCertSubTab::SetupCert(CString const& path)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> %s::SetupCert\n", m_kind.class_name);
    TraceMsg(TRACE_STEP, "[Kivra] Start to load Cert\n");
    auto loaded = std::make_unique<WAPI_LOADED_CERT>();
    if (LoadCert(path.GetString(), loaded.get()) != 0) {
        TraceMsg(TRACE_FAIL, "[Kivra] LoadX509%sCertificate Fail !!!\n", m_kind.call_word);
        ShowMessageBox(G_UiStr.IDS_ERROR_LOAD_CER);
        return;
    }
    TraceMsg(TRACE_STEP, "[Kivra] ## %s Cert##\ncer_identify: %d\ncer_length: %d\n", m_kind.cert_word, int(loaded->Identifier), int(loaded->Length));
    TraceMsg(TRACE_STEP, "[Kivra] Start to setup Cert\n");
    if (InstallCert(path.GetString(), loaded.get()) != 0) {
        TraceMsg(TRACE_FAIL, "[Kivra] SetupX509%sCertificate Fail !!!\n", m_kind.call_word);
        ShowMessageBox(G_UiStr.IDS_ERROR_SETUP_CER);
        return;
    }
    show_installed();
    TraceMsg(TRACE_STEP, "[Kivra] <-- %s::SetupCert\n", m_kind.class_name);
}

// Each installed entry overwrites the texts, so the last one's details remain.
void CWapiCertSubTab::show_installed()
{
    TraceMsg(TRACE_STEP, "[Kivra] Start to enumerate Cert\n");
    SystemCertList list;
    if (!list.enumerate()) {
        TraceMsg(TRACE_FAIL, "[Kivra] EnumSystemCertificate Fail !!!\n");
        return;
    }
    for (VXWL_U32 i = 0; i < list.count; ++i) {
        std::uint8_t extra[CERT_PARAM_EXTRA_SIZE] {};
        std::uint8_t subject[CERT_PARAM_TEXT_SIZE] {};
        std::uint8_t issuer[CERT_PARAM_TEXT_SIZE] {};
        std::uint8_t from[CERT_PARAM_TEXT_SIZE] {};
        std::uint8_t to[CERT_PARAM_TEXT_SIZE] {};
        int value = 0;
        std::uint8_t const* entry = list.entry(i);
        G_VxWlLib.VXWL_GetCertificateManagerParam(entry + SYSTEM_CERT_DESCRIPTOR_OFFSET, extra, subject, issuer, &value, from, to);
        std::string const to_text = prefixed_text(subject);
        std::string const by_text = prefixed_text(issuer);
        TraceMsg(TRACE_STEP, "[Kivra] UserName: %s\n", to_text.c_str());
        TraceMsg(TRACE_STEP, "[Kivra] IssureName: %s\n", by_text.c_str());
        std::string const expiration = WapiExpirationText(entry_kind(entry), prefixed_text(from), prefixed_text(to));
        TraceMsg(TRACE_STEP, "[Kivra] Expiration: %s\n", expiration.c_str());
        show_texts(to_text.c_str(), by_text.c_str(), expiration.c_str());
    }
}

void CWapiCertSubTab::ShowCertInfo(CString const& path)
{
    CERT_INFO info {};
    if (G_VxWlLib.VXWL_GetWAPICertInfo) {
        char name[kInfoPathBytes] {};
        std::snprintf(name, sizeof name, "%s", path.GetString());
        G_VxWlLib.VXWL_GetWAPICertInfo(name, &info, 1);
    }
    auto text = [](char const (&field)[256]) { return CString(std::string(field, ::strnlen(field, sizeof field)).c_str()); };
    show_texts(text(info.IssuedTo), text(info.IssuedBy), text(info.Expiration));
}

void CWapiCertSubTab::show_texts(CString const& to, CString const& by, CString const& expiration)
{
    m_strIssuedTo = to;
    m_strIssuedBy = by;
    m_strExpiration = expiration;
    if (!m_hWnd)
        return;
    SetDlgItemText(IDC_ISSUED_TO, m_strIssuedTo.GetString());
    SetDlgItemText(IDC_ISSUED_BY, m_strIssuedBy.GetString());
    SetDlgItemText(IDC_EXPIRATION, m_strExpiration.GetString());
}

void CWapiCertSubTab::SetCertPath(CString const& path)
{
    m_strCertPath = path;
    if (m_hWnd)
        UpdateData(FALSE);
}

void CWapiCertSubTab::ClearCert()
{
    m_strIssuedTo.Empty();
    m_strIssuedBy.Empty();
    m_strExpiration.Empty();
    m_strCertPath.Empty();
    if (m_hWnd)
        UpdateData(FALSE);
}
