// The about page of the configuration window: the legal notice, the versions and dates of the
// utility, of the WLAN library and of the adapter's driver file, the adapter's EEPROM and
// firmware versions and its address, all read again each time the page is shown; and a button
// that has the desktop open the maker's web page from a short worker thread.
#pragma once

#include "station/controls/CResizeDlg.h"
#include "station/controls/ShadeButtonST.h"

#include <string>

class CPageAboutDlg : public CResizeDlg {
public:
    enum { IDD = 120 };
    enum Control : int {
        IDC_GROUP = 1183,
        IDC_LINK = 1184,
        IDC_LEGAL = 1185,
        IDC_VERSION_LABEL = 1186,
        IDC_DRIVER_LABEL = 1187,
        IDC_EEPROM_LABEL = 1188,
        IDC_MAC_LABEL = 1189,
        IDC_VERSION = 1190,
        IDC_DRIVER = 1191,
        IDC_EEPROM = 1192,
        IDC_MAC = 1193,
        IDC_DATE_LABEL = 1194,
        IDC_DRIVER_DATE_LABEL = 1195,
        IDC_FIRMWARE_LABEL = 1196,
        IDC_DATE = 1197,
        IDC_DRIVER_DATE = 1198,
        IDC_FIRMWARE = 1199,
        IDC_LIBRARY = 1617,
        IDC_LIBRARY_DATE = 1618,
        IDC_LIBRARY_LABEL = 1619,
        IDC_LIBRARY_DATE_LABEL = 1620,
    };
    static constexpr char kWebAddress[] = "http://www.vexlor.example/";
    static constexpr char kLibraryFile[] = "VxWLAPI.dll";

    explicit CPageAboutDlg(CWnd* pParent = nullptr);

    // The file the driver row reads: the system folder, a separator unless the name brings
    // one, and the name with "\" read as "/".
    static std::string DriverPath(std::string const& system_folder, std::string const& name);

    CString m_strLegal;
    CString m_strVersion;
    CString m_strDate;
    CString m_strDriverVersion;
    CString m_strDriverDate;
    CString m_strEEPROM;
    CString m_strFirmware;
    CString m_strMAC;
    CString m_strLibraryVersion;
    CString m_strLibraryDate;
    BYTE m_MacAddr[6] {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter and Escape must not end a child of the configuration window: ending a modeless
    // dialog hides it, and the window alone decides what is shown.
    void OnOK() override { }
    void OnCancel() override { }
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnLink();
    DECLARE_MESSAGE_MAP()

private:
    void init_texts();
    void read_utility();
    void read_library();
    void read_driver();
    void read_eeprom();
    void read_mac();
    void read_firmware();
    void show_row(int label, int value, bool show);

    CFont m_font;
    CShadeButtonST m_btnLink;
};
