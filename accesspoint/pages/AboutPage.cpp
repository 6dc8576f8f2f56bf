#include "accesspoint/pages/AboutPage.h"

#include "accesspoint/core/Helpers.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/PageTexts.h"
#include "platform/framework/DataExchange.h"
#include "platform/system/Shell.h"
#include "station/core/FileVersionText.h"
#include "station/core/IniFile.h"

#include <cstdio>
#include <cstring>

namespace hotvane {

namespace {

constexpr int kFirstFirmwareModel = 2;
constexpr int kLastFirmwareModel = 8;
constexpr int kWow64Code = 8;
constexpr int kNewerSystems = 10;

CString dotted(std::uint8_t const* bytes)
{
    CString text;
    text.Format("%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

}

BEGIN_MESSAGE_MAP(CAboutPage, CPropertyPage)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_BN_CLICKED(CAboutPage::IDC_LINK, OnLink)
END_MESSAGE_MAP()

CAboutPage::CAboutPage()
    : CPropertyPage(IDD)
{
}

void CAboutPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    struct Row {
        int id;
        CString& text;
    };
    Row const rows[] = { { IDC_COPYRIGHT, m_strCopyright }, { IDC_UTILITY_LABEL, m_strUtilityLabel }, { IDC_UTILITY, m_strUtility },
        { IDC_UTILITY_DATE_LABEL, m_strUtilityDateLabel }, { IDC_UTILITY_DATE, m_strUtilityDate },
        { IDC_LIBRARY_LABEL, m_strLibraryLabel }, { IDC_LIBRARY, m_strLibrary }, { IDC_LIBRARY_DATE_LABEL, m_strLibraryDateLabel },
        { IDC_LIBRARY_DATE, m_strLibraryDate }, { IDC_DRIVER_LABEL, m_strDriverLabel }, { IDC_DRIVER, m_strDriver },
        { IDC_DRIVER_DATE_LABEL, m_strDriverDateLabel }, { IDC_DRIVER_DATE, m_strDriverDate }, { IDC_EEPROM_LABEL, m_strEEPROMLabel },
        { IDC_EEPROM, m_strEEPROM }, { IDC_FIRMWARE_LABEL, m_strFirmwareLabel }, { IDC_FIRMWARE, m_strFirmware },
        { IDC_MAC_LABEL, m_strMacLabel }, { IDC_MAC, m_strMac }, { IDC_IP_LABEL, m_strIpLabel }, { IDC_IP, m_strIp },
        { IDC_MASK_LABEL, m_strMaskLabel }, { IDC_MASK, m_strMask }, { IDC_GATEWAY_LABEL, m_strGatewayLabel },
        { IDC_GATEWAY, m_strGateway } };
    for (Row const& row : rows)
        DDX_Text(pDX, row.id, row.text);
}

BOOL CAboutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    read_files();
    read_driver();
    read_eeprom();
    read_mac();
    set_labels();
    read_firmware();
    UpdateData(FALSE);
    return TRUE;
}

// Each file is read on its own, as the station's about page does: a utility without version
// information still shows the library's.
void CAboutPage::read_files()
{
    if (auto const utility = ReadFileVersionText(GetProgramPath())) {
        m_strUtility = utility->version.c_str();
        m_strCopyright = utility->copyright.c_str();
        m_strUtilityDate = utility->date.c_str();
    }
    if (auto const library = ReadFileVersionText(GetProgramFolder() + kLibraryFile)) {
        m_strLibrary = library->version.c_str();
        m_strLibraryDate = library->date.c_str();
    }
}

// Redirection is switched on and at once off again, so that it is off while the driver file
// is read: on the older systems only at code 8, on the newer ones always, each time only for a
// 32-bit program on a 64-bit system.
void CAboutPage::read_driver()
{
    char path[AP_DRIVER_PATH_SIZE] {};
    G_VxApApi.VXAP_GetDriverPath(&G_VxApApi.adapter, path);
    path[sizeof path - 1] = '\0';
    int const os = G_VxApApi.VXAP_GetWinOS();
    if (os >= kNewerSystems || os == kWow64Code) {
        if (G_VxApApi.VXAP_IsWow64())
            EnableWow64FsRedirection();
        if (G_VxApApi.VXAP_IsWow64())
            DisableWow64FsRedirection();
    }
    if (auto const driver = ReadFileVersionText(path)) {
        m_strDriver = driver->version.c_str();
        m_strDriverDate = driver->date.c_str();
    }
}

void CAboutPage::read_eeprom()
{
    std::uint8_t version[2] {};
    bool const ok = G_VxApApi.VXAP_GetEEPROMVer(version) != 0;
    if (ok)
        m_strEEPROM.Format("%d.%d", version[0], version[1]);
    show_row(IDC_EEPROM_LABEL, IDC_EEPROM, ok);
}

void CAboutPage::read_mac()
{
    std::memset(m_MacAddr, 0, sizeof m_MacAddr);
    G_VxApApi.VXAP_GetMacAddrs(m_MacAddr);
    m_strMac = MacText(m_MacAddr).c_str();
}

void CAboutPage::set_labels()
{
    m_strUtilityLabel = G_UiStr.IDS_ABOUT_VX_VERSION.c_str();
    m_strUtilityDateLabel = G_UiStr.IDS_ABOUT_DATE.c_str();
    m_strLibraryLabel = G_UiStr.IDS_VXAPAPI_DLL.c_str();
    m_strLibraryDateLabel = G_UiStr.IDS_ABOUT_DATE.c_str();
    m_strDriverLabel = G_UiStr.IDS_ABOUT_VERSION.c_str();
    m_strDriverDateLabel = G_UiStr.IDS_ABOUT_DATE.c_str();
    m_strEEPROMLabel = G_UiStr.IDS_EEPROMVERSION.c_str();
    m_strMacLabel = G_UiStr.IDS_ABOUT_PHY_ADDR.c_str();
    m_strIpLabel = G_UiStr.IDS_ABOUT_IP_ADDR.c_str();
    m_strMaskLabel = G_UiStr.IDS_ABOUT_SUB_MASK.c_str();
    m_strGatewayLabel = G_UiStr.IDS_ABOUT_DEF_GATEWAY.c_str();
}

// Models 2 to 8 only; the high byte first. Other models leave the row hidden.
void CAboutPage::read_firmware()
{
    int model = 0;
    if (!G_VxApApi.VXAP_GetCurrentDeviceModel(&model) || model < kFirstFirmwareModel || model > kLastFirmwareModel)
        return;
    std::uint16_t value = 0;
    bool const ok = G_VxApApi.VXAP_GetFirmwareVer(&value) != 0;
    if (ok) {
        m_strFirmwareLabel = G_UiStr.IDS_FW_VERSION_NAME.c_str();
        m_strFirmware.Format("%d.%d", (value >> 8) & 0xFF, value & 0xFF);
    }
    show_row(IDC_FIRMWARE_LABEL, IDC_FIRMWARE, ok);
}

void CAboutPage::show_row(int label, int value, bool show)
{
    for (int id : { label, value })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), show ? SW_SHOW : SW_HIDE);
}

// The record's bytes 4-7 are the address and 8-11 the mask, each in dotted order; the gateway
// stays empty.
void CAboutPage::RefreshNetConfig()
{
    m_strIp.Empty();
    m_strMask.Empty();
    m_strGateway.Empty();
    NET_CONFIG_RECORD record {};
    G_VxApApi.VXAP_GetNetConfig(&G_VxApApi.adapter, &record);
    m_strIp = dotted(record.IpAddress);
    m_strMask = dotted(record.SubnetMask);
}

BOOL CAboutPage::OnSetActive()
{
    BOOL const shown = CPropertyPage::OnSetActive();
    RefreshNetConfig();
    UpdateData(FALSE);
    m_nTimer = SetTimer(kTimer, kRefreshMs);
    return shown;
}

BOOL CAboutPage::OnKillActive()
{
    KillTimer(kTimer);
    return CPropertyPage::OnKillActive();
}

void CAboutPage::OnTimer(UINT_PTR)
{
    RefreshNetConfig();
    UpdateData(FALSE);
}

void CAboutPage::OnDestroy()
{
    KillTimer(kTimer);
    CPropertyPage::OnDestroy();
}

void CAboutPage::OnLink()
{
    ::ShellExecute(nullptr, "open", kWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

}
