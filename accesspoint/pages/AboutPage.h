// The last tab of the property sheet: the versions and dates of the utility, of the access
// point library and of the adapter's driver, the EEPROM and firmware versions, the copyright,
// and the adapter's MAC address, IP address and subnet mask. Everything but the network values
// is read once when the page is made; those are read again every 5 s while it is the active
// page. The link button opens the maker's web page.
#pragma once

#include "platform/framework/PropertyPage.h"

#include <cstdint>

namespace hotvane {

class CAboutPage : public CPropertyPage {
public:
    enum { IDD = 103 };
    enum Control : int {
        IDC_ICON = 6172,
        IDC_LINK = 6063,
        IDC_COPYRIGHT = 1085,
        IDC_UTILITY_LABEL = 6173,
        IDC_UTILITY = 1053,
        IDC_UTILITY_DATE_LABEL = 6174,
        IDC_UTILITY_DATE = 1056,
        IDC_LIBRARY_LABEL = 6175,
        IDC_LIBRARY = 1059,
        IDC_LIBRARY_DATE_LABEL = 6176,
        IDC_LIBRARY_DATE = 1060,
        IDC_DRIVER_LABEL = 1175,
        IDC_DRIVER = 1052,
        IDC_DRIVER_DATE_LABEL = 1176,
        IDC_DRIVER_DATE = 1055,
        IDC_EEPROM_LABEL = 6178,
        IDC_EEPROM = 1054,
        IDC_FIRMWARE_LABEL = 6179,
        IDC_FIRMWARE = 1058,
        IDC_MAC_LABEL = 1221,
        IDC_MAC = 1057,
        IDC_IP_LABEL = 1219,
        IDC_IP = 1220,
        IDC_MASK_LABEL = 1223,
        IDC_MASK = 1225,
        IDC_GATEWAY_LABEL = 1224,
        IDC_GATEWAY = 1226,
    };
    static constexpr char kWebAddress[] = "http://www.vexlor.example/";
    static constexpr char kLibraryFile[] = "VxAPAPI.dll";
    static constexpr UINT_PTR kTimer = 0;
    static constexpr UINT kRefreshMs = 5000;

    CAboutPage();

    // [SECTION] Texts exchanged with the controls
    CString m_strCopyright;
    CString m_strUtilityLabel, m_strUtility, m_strUtilityDateLabel, m_strUtilityDate;
    CString m_strLibraryLabel, m_strLibrary, m_strLibraryDateLabel, m_strLibraryDate;
    CString m_strDriverLabel, m_strDriver, m_strDriverDateLabel, m_strDriverDate;
    CString m_strEEPROMLabel, m_strEEPROM, m_strFirmwareLabel, m_strFirmware;
    CString m_strMacLabel, m_strMac, m_strIpLabel, m_strIp, m_strMaskLabel, m_strMask, m_strGatewayLabel, m_strGateway;
    std::uint8_t m_MacAddr[6] {};
    UINT_PTR m_nTimer {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnLink();
    DECLARE_MESSAGE_MAP()

private:
    void read_files();
    void read_driver();
    void read_eeprom();
    void read_mac();
    void read_firmware();
    void set_labels();
    void RefreshNetConfig();
    void show_row(int label, int value, bool show);
};

}
