#include "station/features/PageAboutDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "platform/system/Locale.h"
#include "platform/system/Shell.h"
#include "station/controls/PageFrame.h"
#include "station/core/FileVersionText.h"
#include "station/core/Helpers.h"
#include "station/core/IniFile.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFirstFirmwareModel = 2;
constexpr int kLastFirmwareModel = 8;

std::string system_folder()
{
    char folder[MAX_PATH] {};
    UINT const length = ::GetSystemDirectory(folder, sizeof folder);
    return length < sizeof folder ? std::string(folder, length) : std::string();
}

UINT open_web_page(LPVOID)
{
    ::ShellExecute(nullptr, "open", CPageAboutDlg::kWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
    return 1;
}

}

BEGIN_MESSAGE_MAP(CPageAboutDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(CPageAboutDlg::IDC_LINK, OnLink)
END_MESSAGE_MAP()

CPageAboutDlg::CPageAboutDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

std::string CPageAboutDlg::DriverPath(std::string const& system_folder, std::string const& name)
{
    std::string path = system_folder;
    if (name.empty() || (name.front() != '/' && name.front() != '\\'))
        path += '/';
    path += name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

void CPageAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK, m_btnLink);
    DDX_Text(pDX, IDC_LEGAL, m_strLegal);
    DDX_Text(pDX, IDC_VERSION, m_strVersion);
    DDX_Text(pDX, IDC_DATE, m_strDate);
    DDX_Text(pDX, IDC_DRIVER, m_strDriverVersion);
    DDX_Text(pDX, IDC_DRIVER_DATE, m_strDriverDate);
    DDX_Text(pDX, IDC_EEPROM, m_strEEPROM);
    DDX_Text(pDX, IDC_FIRMWARE, m_strFirmware);
    DDX_Text(pDX, IDC_MAC, m_strMAC);
    DDX_Text(pDX, IDC_LIBRARY, m_strLibraryVersion);
    DDX_Text(pDX, IDC_LIBRARY_DATE, m_strLibraryDate);
}

BOOL CPageAboutDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    init_texts();
    m_btnLink.m_bLeftAlignedText = FALSE;
    m_btnLink.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    return TRUE;
}

void CPageAboutDlg::init_texts()
{
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_LEGAL, G_UiStr.IDS_LEGAL_COPYRIGHT }, { IDC_VERSION_LABEL, G_UiStr.IDS_ABOUT_VX_VERSION },
        { IDC_DATE_LABEL, G_UiStr.IDS_ABOUT_DATE }, { IDC_DRIVER_LABEL, G_UiStr.IDS_ABOUT_VERSION },
        { IDC_DRIVER_DATE_LABEL, G_UiStr.IDS_ABOUT_DATE }, { IDC_EEPROM_LABEL, G_UiStr.IDS_EEPROMVERSION },
        { IDC_FIRMWARE_LABEL, G_UiStr.IDS_FW_VERSION_NAME }, { IDC_MAC_LABEL, G_UiStr.IDS_ABOUT_PHY_ADDR },
        { IDC_LIBRARY_LABEL, G_UiStr.IDS_ABOUT_DLL_VERSION }, { IDC_LIBRARY_DATE_LABEL, G_UiStr.IDS_ABOUT_DATE } };
    for (Label const& l : labels)
        SetDlgItemText(l.id, l.text.c_str());
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (child->GetDlgCtrlID() != IDC_GROUP)
            child->SetFont(&m_font);
    }
}

void CPageAboutDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CPageAboutDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

// Each file is read on its own: a program without version information still shows the
// library's.
void CPageAboutDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow != TRUE)
        return;
    m_strLegal = G_UiStr.IDS_LEGAL_COPYRIGHT.c_str();
    read_utility();
    read_library();
    read_driver();
    read_eeprom();
    read_mac();
    read_firmware();
    UpdateData(FALSE);
}

void CPageAboutDlg::read_utility()
{
    auto const file = ReadFileVersionText(GetProgramPath());
    m_strVersion = file ? CString(file->version.c_str()) : CString();
    m_strDate = file ? CString(file->date.c_str()) : CString();
}

void CPageAboutDlg::read_library()
{
    auto const file = ReadFileVersionText(GetProgramFolder() + kLibraryFile);
    m_strLibraryVersion = file ? CString(file->version.c_str()) : CString();
    m_strLibraryDate = file ? CString(file->date.c_str()) : CString();
}

// On 64-bit systems the 32-bit program reads the real driver folder with the redirection off,
// and turns it back on afterwards.
void CPageAboutDlg::read_driver()
{
    char name[MAX_PATH] {};
    G_VxWlLib.VXWL_ReadDriverName(name);
    name[sizeof name - 1] = '\0';
    int const os = G_VxWlLib.VXWL_GetWinOS();
    bool const redirected = G_VxWlLib.VXWL_IsWow64() && (os == 8 || os >= 10);
    if (redirected) {
        Wow64FsRedirectionOn();
        Wow64FsRedirectionOff();
    }
    auto const file = ReadFileVersionText(DriverPath(system_folder(), name));
    if (redirected)
        Wow64FsRedirectionOn();
    m_strDriverVersion = file ? CString(file->version.c_str()) : CString();
    m_strDriverDate = file ? CString(file->date.c_str()) : CString();
}

// Bytes 0 and 1 of the value; a failed query hides the row, a later success shows it again.
void CPageAboutDlg::read_eeprom()
{
    VXWL_U32 value = 0;
    bool const ok = (G_VxWlLib.VXWL_QueryEEPROMVersion(&value) & 0xFF) != 0;
    if (ok)
        m_strEEPROM.Format("%d.%d", value & 0xFF, (value >> 8) & 0xFF);
    show_row(IDC_EEPROM_LABEL, IDC_EEPROM, ok);
}

void CPageAboutDlg::read_mac()
{
    std::fill(std::begin(m_MacAddr), std::end(m_MacAddr), BYTE { 0 });
    G_VxWlLib.VXWL_QueryMacAddrs(m_MacAddr);
    m_strMAC.Format("%02X-%02X-%02X-%02X-%02X-%02X", m_MacAddr[0], m_MacAddr[1], m_MacAddr[2], m_MacAddr[3], m_MacAddr[4],
        m_MacAddr[5]);
}

// Bytes 1 and 0, on models 2 to 8 only; other models leave the row as it is.
void CPageAboutDlg::read_firmware()
{
    int model = 0;
    if (!G_VxWlLib.VXWL_GetCurrentDeviceModel(&model) || model < kFirstFirmwareModel || model > kLastFirmwareModel)
        return;
    VXWL_U32 value = 0;
    bool const ok = G_VxWlLib.VXWL_QueryFWVersion(&value) != 0;
    if (ok)
        m_strFirmware.Format("%d.%d", (value >> 8) & 0xFF, value & 0xFF);
    show_row(IDC_FIRMWARE_LABEL, IDC_FIRMWARE, ok);
}

void CPageAboutDlg::show_row(int label, int value, bool show)
{
    for (int id : { label, value })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), show ? SW_SHOW : SW_HIDE);
}

// The thread only asks the desktop to open the address; the click does not wait for it.
void CPageAboutDlg::OnLink()
{
    AfxBeginThread(open_web_page, nullptr);
}
