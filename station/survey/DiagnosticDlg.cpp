#include "station/survey/DiagnosticDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/WinApp.h"
#include "platform/system/Locale.h"
#include "platform/system/Module.h"
#include "platform/system/Version.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/DiagnosticParse.h"
#include "wlan/api/Pranto.h"

#include <cstdio>
#include <cstring>

using namespace station::survey;

PrantoExports& station::survey::DiagnosticsLibrary()
{
    static PrantoExports library;
    return library;
}

namespace {

void load_pranto()
{
    PrantoExports& p = DiagnosticsLibrary();
    if (p.module)
        return;
    p.module = LoadLibrary("Pranto.dll");
    if (!p.module)
        return;
    p.open = reinterpret_cast<PRANTO_raOpenAdapter_t>(GetProcAddress(p.module, "PRANTO_raOpenAdapter"));
    p.close = reinterpret_cast<PRANTO_raCloseAdapter_t>(GetProcAddress(p.module, "PRANTO_raCloseAdapter"));
    p.action = reinterpret_cast<PrantoAction_t>(GetProcAddress(p.module, "PrantoAction"));
    p.report = reinterpret_cast<ClientRptAction_t>(GetProcAddress(p.module, "ClientRptAction"));
    p.win_os = reinterpret_cast<PRANTO_GetWinOS_t>(GetProcAddress(p.module, "PRANTO_GetWinOS"));
}

std::string time_stamp()
{
    SYSTEMTIME now {};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d ", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    return text;
}

std::string system_folder()
{
    char folder[261] {};
    GetSystemDirectory(folder, sizeof folder);
    return folder;
}

// The system folder, a separator unless the name brings one, then the name.
std::string in_system_folder(std::string const& name)
{
    std::string path = system_folder();
    if (name.empty() || (name.front() != '\\' && name.front() != '/'))
        path += '\\';
    return path + name;
}

// "Version: a.b.c.d" from the file's version note; empty when it has none.
std::string version_line(std::string const& file)
{
    DWORD handle = 0;
    DWORD const size = GetFileVersionInfoSize(file.c_str(), &handle);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfo(file.c_str(), handle, size, block.data())
        || !VerQueryValue(block.data(), "\\", reinterpret_cast<LPVOID*>(&info), &length) || !info
        || length < sizeof(VS_FIXEDFILEINFO))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "Version: %d.%d.%d.%d", HIWORD(info->dwFileVersionMS),
        LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
}

constexpr int kNewerSystems = 10;

}

BEGIN_MESSAGE_MAP(CDiagnosticDlg, CDialog)
ON_BN_CLICKED(IDC_LOCAL_TEST, OnLocalTest)
ON_BN_CLICKED(IDC_NETWORK_TEST, OnNetworkTest)
ON_BN_CLICKED(IDC_CLEAR, OnClear)
ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CDiagnosticDlg::CDiagnosticDlg(CWnd* pParent)
    : CDialog(IDD, pParent)
    , m_makeRunner([] { return MakePingScriptRunner(); })
{
}

CDiagnosticDlg::~CDiagnosticDlg() = default;

void CDiagnosticDlg::SetPingRunnerFactory(std::function<std::unique_ptr<PingScriptRunner>()> factory)
{
    m_makeRunner = std::move(factory);
}

void CDiagnosticDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TITLE, m_title);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_CLEAR, m_btnClear);
    DDX_Control(pDX, IDC_NETWORK_TEST, m_btnNetworkTest);
    DDX_Control(pDX, IDC_LOCAL_TEST, m_btnLocalTest);
}

BOOL CDiagnosticDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (HICON icon = AfxGetApp() ? AfxGetApp()->LoadIcon(128) : nullptr)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    load_pranto();
    m_hPranto = DiagnosticsLibrary().module;
    m_font.DeleteObject();
    m_font.CreateFont(16, 0, 0, 0, 0, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    SetCtrlText(m_hWnd, m_title.m_hWnd, G_UiStr.IDS_DIAGNOSTIC_TEST);
    m_title.SetFont(&m_font);
    init_list();
    init_buttons();
    return TRUE;
}

void CDiagnosticDlg::init_list()
{
    SetCtrlTextPtr(m_hWnd, m_list.m_hWnd, nullptr);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    m_list.SetColumnStepping(false);
    CRect rect;
    m_list.GetWindowRect(&rect);
    m_list.InsertColumn(0, "Time", LVCFMT_RIGHT, static_cast<int>(rect.Width() * 0.3));
    m_list.InsertColumn(1, "Description", LVCFMT_LEFT, static_cast<int>(rect.Width() * 0.7));
}

void CDiagnosticDlg::init_buttons()
{
    struct Face {
        CShadeButtonST& button;
        std::string const& text;
    };
    for (Face const& f : { Face { m_btnClose, G_UiStr.IDS_BTN_CLOSE }, Face { m_btnClear, G_UiStr.IDS_CLEAR },
             Face { m_btnNetworkTest, G_UiStr.IDS_PING_GATEWAY }, Face { m_btnLocalTest, G_UiStr.IDS_LOCAL_TEST } }) {
        SetCtrlText(m_hWnd, f.button.m_hWnd, f.text);
        f.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        f.button.SetFont(&m_font);
    }
}

// Enter, Escape, the close box and the close button all leave an empty list for the next
// opening.
LRESULT CDiagnosticDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        OnClear();
    return CDialog::WindowProc(message, wParam, lParam);
}

void CDiagnosticDlg::OnCloseButton()
{
    OnClear();
    EndDialog(1);
}

void CDiagnosticDlg::AddResultLine(std::string const& text, COLORREF colour)
{
    m_arrResults.push_back(ResultRow { time_stamp(), text, colour });
    RefreshList();
    if (m_list.m_hWnd)
        m_list.Scroll(CSize(0, static_cast<int>(m_arrResults.size()) * 25));
}

void CDiagnosticDlg::RefreshList()
{
    if (!m_list.m_hWnd)
        return;
    int const rows = static_cast<int>(m_arrResults.size());
    m_list.SetItemCountEx(rows);
    if (rows > 0) {
        m_list.RepaintCellText(0, rows - 1, 0, FALSE);
        m_list.RepaintCellText(0, rows - 1, 1, FALSE);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDiagnosticDlg::OnClear()
{
    m_arrResults.clear();
    if (m_list.m_hWnd)
        m_list.DeleteAllItems();
    RefreshList();
}

LRESULT CDiagnosticDlg::OnCellRequest(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0 || cell->m_nItem >= static_cast<int>(m_arrResults.size()))
        return 0;
    ResultRow const& row = m_arrResults[static_cast<std::size_t>(cell->m_nItem)];
    if (cell->m_nSubItem == 0) {
        cell->m_strText = row.time;
    } else if (cell->m_nSubItem == 1) {
        cell->m_strText = row.description;
        cell->m_crText = row.colour;
    }
    return 0;
}

// Profiles added between the two calls must not overrun the buffer: the second call is given
// the buffer's capacity and is asked once more, with a buffer of the new count, on -10.
void CDiagnosticDlg::CountProfiles(int& total, int& diagnostic)
{
    total = diagnostic = 0;
    VXWL_U32 count = 0;
    if (G_VxWlLib.VXWL_ReadProfileList(nullptr, &count) != 0)
        return;
    std::vector<WLANPROFILE> profiles;
    int answer = VXWL_ERROR_BUFFER_TOO_SMALL;
    for (int attempt = 0; attempt < 2 && answer == VXWL_ERROR_BUFFER_TOO_SMALL; ++attempt) {
        profiles.assign(count, WLANPROFILE {});
        answer = G_VxWlLib.VXWL_ReadProfileList(profiles.empty() ? nullptr : profiles.data(), &count);
    }
    total = static_cast<int>(count);
    if (answer != 0)
        return;
    std::size_t const read = std::min<std::size_t>(count, profiles.size());
    for (std::size_t i = 0; i < read; ++i)
        diagnostic += profiles[i].bUseDiagnostic ? 1 : 0;
}

void CDiagnosticDlg::add_verdict(COLORREF colour, bool pause)
{
    AddResultLine(colour == kPass ? "Pass" : colour == kFail ? "Fail" : "Warn", colour);
    if (pause)
        DelayTime(200);
}

void CDiagnosticDlg::add_version_line(std::string const& file)
{
    AddResultLine(version_line(file));
    add_verdict(kPass, true);
}

void CDiagnosticDlg::OnLocalTest()
{
    OnClear();
    bool const newer = G_VxWlLib.VXWL_GetWinOS() >= kNewerSystems;
    AddResultLine("Utility verification...");
    add_verdict(kPass, true);
    AddResultLine("Supplicant verification...");
    add_version_line(in_system_folder(newer ? "VXIHV.dll" : "Velmar.dll"));
    if (!newer) {
        AddResultLine("Pranto verification...");
        add_version_line(in_system_folder("Pranto.dll"));
    }
    AddResultLine("Driver verification...");
    char driver[261] {};
    G_VxWlLib.VXWL_ReadDriverName(driver);
    driver[sizeof driver - 1] = '\0';
    add_version_line(in_system_folder(driver));
    AddResultLine("WLAN Card verification...");
    bool const present = G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter) != 0;
    AddResultLine(present ? "WLAN Card enabled." : "WLAN Card disabled.");
    add_verdict(present ? kPass : kFail, true);
    AddResultLine("Profile verification...");
    int total = 0;
    int diagnostic = 0;
    CountProfiles(total, diagnostic);
    char line[64];
    std::snprintf(line, sizeof line, "%d Profiles", total);
    AddResultLine(line);
    add_verdict(total < 1 ? kWarn : kPass, false);
    std::snprintf(line, sizeof line, "%d Diagnostic Capable", diagnostic);
    AddResultLine(line);
    add_verdict(diagnostic < 1 ? kWarn : kPass, false);
}

void CDiagnosticDlg::OnNetworkTest()
{
    OnClear();
    AddResultLine("Start Diagnostic Gateway Ping Test...");
    if (G_VxWlLib.VXWL_GetWinOS() < kNewerSystems)
        pranto_ping();
    else if (!script_ping())
        return;
    AddResultLine("Finish Diagnostic Gateway Ping Test...");
}

// The adapter handle is closed after each test: the library is kept, its handles are not.
void CDiagnosticDlg::pranto_ping()
{
    PrantoExports const& p = DiagnosticsLibrary();
    auto* adapter_name = reinterpret_cast<char const*>(&G_VxWlLib.adapter) + PRANTO_ADAPTER_NAME_OFFSET;
    int const handle = p.open ? p.open(adapter_name) : PRANTO_INVALID_HANDLE;
    if (handle == PRANTO_INVALID_HANDLE) {
        AddResultLine("Invalid adapter!");
        return;
    }
    std::uint8_t result[PRANTO_RESULT_BUFFER] {};
    std::uint32_t size = PRANTO_RESULT_BUFFER;
    int const answer = p.action ? p.action(handle, &G_VxWlLib.adapter, PRANTO_ACTION_PING, result, &size, 0)
                                : static_cast<int>(PRANTO_RESULT_BUFFER);
    if (p.close)
        p.close(handle);
    for (std::string const& line : PrantoResultLines(answer, std::span<std::uint8_t const>(result, sizeof result)))
        AddResultLine(line);
}

// False when the test ended without its finish line.
bool CDiagnosticDlg::script_ping()
{
    if (!G_VxWlLib.VXWL_IsDeviceExist(&G_VxWlLib.adapter)) {
        AddResultLine("Invalid adapter!");
        return true;
    }
    NET_CONFIG_RECORD config {};
    G_VxWlLib.VXWL_ReadNetConfig(&G_VxWlLib.adapter, &config);
    char command[96];
    std::snprintf(command, sizeof command, "ping %d.%d.%d.%d > %s", config.Gateway[0], config.Gateway[1],
        config.Gateway[2], config.Gateway[3], kPingResultName);
    std::unique_ptr<PingScriptRunner> runner = m_makeRunner ? m_makeRunner() : nullptr;
    if (!runner || !runner->Start(command)) {
        AddResultLine("Error: Failed to create the command file!!!");
        return false;
    }
    AddResultLine("Please Wait...");
    std::optional<std::string> const output = runner->Finish();
    runner.reset();
    if (!output) {
        AddResultLine("Error: Failed to open the result file!!!");
        return false;
    }
    PingFigures figures;
    if (!ParsePingResult(*output, figures)) {
        AddResultLine("Diagnostic Test Failed!!!");
        return true;
    }
    PingReport report;
    report.ip_version = 4;
    std::memcpy(report.ip, config.IpAddress, sizeof report.ip);
    G_VxWlLib.VXWL_QueryMacAddrs(report.mac);
    report.figures = figures;
    for (std::string const& line : SuccessLines(report))
        AddResultLine(line);
    return true;
}
