#include "station/features/PageAdvanceDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <map>

using namespace station::features;

namespace {

constexpr int kFirstNewerSystem = 10;
constexpr int kFirstTcpWindowSystem = 6;
constexpr std::uint32_t kBand24Ht = 9;
constexpr std::uint32_t kBand5Ht = 8;
constexpr std::uint32_t kLegacyBand24Ht = 7;
// The last index of the built-in 2.4 GHz region list.
constexpr int kLastBuiltInRegion24 = 7;

void fill_combo(CWnd& page, int id, std::vector<std::string> const& texts)
{
    page.SendDlgItemMessage(id, CB_RESETCONTENT, 0, 0);
    for (std::string const& text : texts)
        page.SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}

BEGIN_MESSAGE_MAP(CPageAdvanceDlg, CResizeDlg)
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_CBN_SELCHANGE(CPageAdvanceDlg::IDC_MODE, OnModeChange)
ON_CBN_SELCHANGE(CPageAdvanceDlg::IDC_REGION24, OnRegion24Change)
ON_CBN_SELCHANGE(CPageAdvanceDlg::IDC_MCS, OnRateChoice)
ON_EN_CHANGE(CPageAdvanceDlg::IDC_THRESHOLD, OnThresholdChange)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_APPLY, OnApplyNow)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_FASTROAM, OnFastRoam)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_ENABLE_11N, OnEnable11n)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_TDLS, OnTdls)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_HT_MM, OnHtMode)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_HT_GF, OnHtMode)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_HT_11B, OnHtMode)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_HT_11G, OnHtMode)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_BW_20, OnBandwidth)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_BW_AUTO, OnBandwidth)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_GI_LONG, OnRateChoice)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_GI_AUTO, OnRateChoice)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_STBC_NONE, OnTakeData)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_STBC_AUTO, OnTakeData)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_EXTCHA_NONE, OnTakeData)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_EXTCHA_NONE + 1, OnTakeData)
ON_BN_CLICKED(CPageAdvanceDlg::IDC_EXTCHA_BELOW, OnTakeData)
ON_COMMAND(CPageAdvanceDlg::ID_PROTECTION_AUTO, OnProtectionMenu)
ON_COMMAND(CPageAdvanceDlg::ID_PROTECTION_ON, OnProtectionMenu)
ON_COMMAND(CPageAdvanceDlg::ID_PROTECTION_OFF, OnProtectionMenu)
END_MESSAGE_MAP()

CPageAdvanceDlg::CPageAdvanceDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageAdvanceDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_MODE, m_nMode);
    DDX_CBIndex(pDX, IDC_TXRATE, m_nTxRate);
    DDX_Check(pDX, IDC_TXBURST, m_bTxBurst);
    DDX_Check(pDX, IDC_TCPWINDOW, m_bTcpWindow);
    DDX_Check(pDX, IDC_FASTROAM, m_bFastRoam);
    DDX_Check(pDX, IDC_AUTHSTATUS, m_bShowAuthStatus);
    DDX_Check(pDX, IDC_ENABLE_11N, m_bEnable11n);
    DDX_Check(pDX, IDC_TDLS, m_bTdls);
    DDX_Text(pDX, IDC_THRESHOLD, m_strThreshold);
    DDX_CBIndex(pDX, IDC_REGION24, m_nRegion24);
    DDX_CBIndex(pDX, IDC_REGION5, m_nRegion5);
    DDX_Radio(pDX, IDC_HT_MM, m_nHtMode);
    DDX_Radio(pDX, IDC_BW_20, m_nBW);
    DDX_Radio(pDX, IDC_GI_LONG, m_nGI);
    DDX_Radio(pDX, IDC_STBC_NONE, m_nSTBC);
    DDX_Radio(pDX, IDC_EXTCHA_NONE, m_nExtCha);
    DDX_CBIndex(pDX, IDC_MCS, m_nMcs);
    // Showing the data enables the threshold only while fast roaming is on.
    if (!pDX->m_bSaveAndValidate)
        GetDlgItem(IDC_THRESHOLD)->EnableWindow(m_bFastRoam != 0);
}

BOOL CPageAdvanceDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    init_texts();
    init_protection_button();
    G_VxWlLib.VXWL_QueryCountryRegion(&m_regionWord, &m_flag5, &m_flag24);
    int const system = G_VxWlLib.VXWL_GetWinOS();
    if (system >= kFirstNewerSystem) {
        GetDlgItem(IDC_AUTHSTATUS)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_AUTHSTATUS_LABEL)->ShowWindow(SW_HIDE);
    }
    m_rates.Build();
    m_bEnable11n = has_11n() ? 1 : 0;
    fill_lists();
    show_11n_box();
    SendDlgItemMessage(IDC_TXRATE, CB_ADDSTRING, 0, LPARAM("Auto"));
    if (system < kFirstTcpWindowSystem) {
        GetDlgItem(IDC_TCPWINDOW)->EnableWindow(FALSE);
        GetDlgItem(IDC_TCPWINDOW_LABEL)->EnableWindow(FALSE);
    }
    load_settings();
    if (!may_change_settings())
        load_driver_values();
    add_driver_regions();
    show_protection();
    UpdateData(FALSE);
    mode_change();
    init_tdls();
    UpdateData(FALSE);
    m_bSetUpDone = true;
    note_applied_selections();
    m_previousMode = selected_mode();
    return TRUE;
}

// The texts of the template come from the language file.
void CPageAdvanceDlg::init_texts()
{
    // The controls keep the template's font: the radio labels of the 802.11n group are sized
    // for it.
    SetWindowText("Advance");
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { 1282, G_UiStr.IDS_WIRELESS_MODE }, { IDC_PROTECTION_LABEL, G_UiStr.IDS_BGPROTECTION },
        { IDC_TXRATE_LABEL, G_UiStr.IDS_TXRATE }, { 1284, G_UiStr.IDS_ENABLE_TX_BURST },
        { IDC_TCPWINDOW_LABEL, G_UiStr.IDS_ENABLE_TCP_WINDOW }, { 1286, G_UiStr.IDS_FAST_ROAMING },
        { 1287, G_UiStr.IDS_FAST_ROAMING_DBM }, { IDC_AUTHSTATUS_LABEL, G_UiStr.IDS_SHOW_AUTH_STATUS },
        { 1289, G_UiStr.IDS_COUNTRY_REGION }, { IDC_REGION24_LABEL, G_UiStr.IDS_STATIC_COUNTRY_REGION_11BG },
        { IDC_REGION5_LABEL, G_UiStr.IDS_STATIC_COUNTRY_REGION_11A }, { IDC_ENABLE_11N_LABEL, G_UiStr.IDS_ENABLE_11N_MODE },
        { IDC_APPLY, G_UiStr.IDS_APPLY } };
    for (Label const& l : labels) {
        if (!l.text.empty())
            SetDlgItemText(l.id, l.text.c_str());
    }
}

// The protection button opens menu 160 under itself; the chosen command comes back to the page.
void CPageAdvanceDlg::init_protection_button()
{
    m_protectionButton.SubclassDlgItem(IDC_PROTECTION, this);
    std::map<UINT, CString> const texts { { ID_PROTECTION_AUTO, G_UiStr.IDS_AUTO.c_str() },
        { ID_PROTECTION_ON, G_UiStr.IDS_ON.c_str() }, { ID_PROTECTION_OFF, G_UiStr.IDS_OFF.c_str() } };
    m_protectionButton.AttachDropMenu(IDR_PROTECTION_MENU, m_hWnd, 1, 0, texts, 0, 0, CLR_INVALID, FALSE);
}

bool CPageAdvanceDlg::has_11n() const { return G_VxWlLib.VXWL_Is80211NSupport() != 0; }

bool CPageAdvanceDlg::may_change_settings() const
{
    return G_VxWlLib.VXWL_DetectUserAdmin() != 0 || G_VxWlLib.VXWL_IsAllowStandardUserSetAdvance() != 0;
}

void CPageAdvanceDlg::fill_lists()
{
    SendDlgItemMessage(IDC_TXRATE, CB_RESETCONTENT, 0, 0);
    bool const has_11a = G_VxWlLib.VXWL_Is80211ASupport() != 0;
    m_modes = WirelessModeEntries(has_11a);
    std::vector<std::string> mode_texts;
    for (WirelessModeEntry entry : m_modes)
        mode_texts.push_back(WirelessModeText(entry));
    fill_combo(*this, IDC_MODE, mode_texts);

    int model = 0;
    bool const model_known = G_VxWlLib.VXWL_GetCurrentDeviceModel(&model) != 0;
    VXWL_U32 max24 = 0;
    VXWL_U32 max5 = 0;
    if (model_known && model >= 2)
        G_VxWlLib.VXWL_GetMaxCountryRegion(&max24, &max5);
    m_regions = BuildRegionLists(model_known, model, max24, max5);
    fill_combo(*this, IDC_REGION24, m_regions.band24);
    fill_combo(*this, IDC_REGION5, m_regions.band5);
    bool const regions_on = G_VxWlLib.bShowCountryRegion != 0;
    GetDlgItem(IDC_REGION24)->EnableWindow(regions_on && m_flag24 != 0);
    GetDlgItem(IDC_REGION24_LABEL)->EnableWindow(regions_on && m_flag24 != 0);
    GetDlgItem(IDC_REGION5)->EnableWindow(regions_on && m_flag5 != 0);
    GetDlgItem(IDC_REGION5_LABEL)->EnableWindow(regions_on && m_flag5 != 0);
    if (!has_11a) {
        GetDlgItem(IDC_REGION5)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_REGION5_LABEL)->ShowWindow(SW_HIDE);
    }

    int antenna = 0;
    bool const answered = G_VxWlLib.VXWL_QueryAntennaNumber && G_VxWlLib.VXWL_QueryAntennaNumber(&antenna) == 1;
    m_mcsTexts = McsTexts(std::uint32_t(antenna), answered);
    fill_combo(*this, IDC_MCS, m_mcsTexts);
}

std::uint32_t CPageAdvanceDlg::mode_code() const
{
    bool const with_11n = has_11n() && !(G_VxWlLib.bSelect11nDialog && !m_bEnable11n);
    return WirelessModeCode(selected_mode(), with_11n);
}

// A list without a selection counts as its first entry, 2.4 GHz.
WirelessModeEntry CPageAdvanceDlg::selected_mode() const
{
    if (m_nMode < 0 || std::size_t(m_nMode) >= m_modes.size())
        return WirelessModeEntry::Band24;
    return m_modes[std::size_t(m_nMode)];
}

void CPageAdvanceDlg::load_settings()
{
    ADVANCE_CONFIG_DATA config {};
    if (G_VxWlLib.VXWL_ReadConfigData(&config) == 0) {
        load_driver_values();
        return;
    }
    bool const with_11n = has_11n() || m_bEnable11n;
    bool const has_11a = G_VxWlLib.VXWL_Is80211ASupport() != 0;
    m_bTcpWindow = int(config.EnableTcpWindowSize);
    WirelessModeEntry const entry = WirelessModeEntryOf(config.WirelessMode, with_11n, has_11a);
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        if (m_modes[i] == entry)
            m_nMode = int(i);
    }
    if (has_11n()) {
        TRANSMIT_SETTING const t = UnpackTransmitSetting(config.TransmitSetting);
        bool const bw40_refused = ((t.PhyMode == kBand24Ht || t.PhyMode == kLegacyBand24Ht)
                                      && G_VxWlLib.VXWL_CheckIfAllowBW40InBGBand() == 0)
            || (t.PhyMode == kBand5Ht && G_VxWlLib.VXWL_CheckIfAllowBW40InABand() == 0);
        m_nBW = bw40_refused ? 0 : int(t.BW);
        m_nGI = int(t.ShortGI);
        m_nSTBC = int(t.STBC);
        m_nExtCha = int(t.ExtCha);
        m_nHtMode = int(t.HtChoice);
        // The MCS list keeps the selection of the set-up at later loads.
        if (!m_bSetUpDone)
            m_nMcs = IndexOrFirst(m_mcsTexts, McsTextOfValue(t.MCS, G_UiStr.IDS_AUTO));
    }
    m_bTxBurst = int(config.TXBurst);
    m_nProtection = int(config.BGProtection);
    m_nRegion24 = int(m_flag24 ? config.CountryRegion : (m_regionWord & 0x7F));
    m_nRegion5 = int(m_flag5 ? config.CountryRegionABand : ((m_regionWord >> 8) & 0x7F));
    m_nTxRate = int(config.TransRate) < 0 ? 0 : int(config.TransRate);
    m_bShowAuthStatus = int(config.ShowAuthStatus);
    CCX2_CONTROL const ccx = UnpackCcx2Control(config.CCX2Control);
    m_bFastRoam = (ccx.Flags & CCX2_FAST_ROAM) ? 1 : 0;
    m_strThreshold = std::to_string(RoamingThresholdFromStored(ccx.dBmToRoam)).c_str();
}

// Nothing stored yet, or no right to change the settings: what the driver runs.
void CPageAdvanceDlg::load_driver_values()
{
    int code = 0;
    G_VxWlLib.VXWL_QueryWirelessMode(&code);
    WirelessModeEntry const entry
        = WirelessModeEntryOf(std::uint32_t(code), has_11n(), G_VxWlLib.VXWL_Is80211ASupport() != 0);
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        if (m_modes[i] == entry)
            m_nMode = int(i);
    }
    KT_802_11_STA_CONFIG config {};
    G_VxWlLib.VXWL_QuerySTAConfig(&config);
    m_bTxBurst = int(config.EnableTxBurst);
    m_nProtection = int(config.UseBGProtection);
    G_VxWlLib.VXWL_QueryCountryRegion(&m_regionWord, &m_flag5, &m_flag24);
    m_nRegion24 = int(m_regionWord & 0x7F);
    m_nRegion5 = int((m_regionWord >> 8) & 0x7F);
}

// A driver region the user cannot choose, beyond the list, shows as its number: added once, and
// selected again at every later load.
int CPageAdvanceDlg::driver_region_entry(int id, int region)
{
    std::string const number = std::to_string(region);
    auto index = int(SendDlgItemMessage(id, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(number.c_str())));
    if (index < 0)
        index = int(SendDlgItemMessage(id, CB_ADDSTRING, 0, LPARAM(number.c_str())));
    return index;
}

void CPageAdvanceDlg::add_driver_regions()
{
    if (m_flag24 == 0 && m_nRegion24 > kLastBuiltInRegion24)
        m_nRegion24 = driver_region_entry(IDC_REGION24, m_nRegion24);
    if (m_flag5 == 0 && m_nRegion5 >= 0 && std::size_t(m_nRegion5) > m_regions.built5)
        m_nRegion5 = driver_region_entry(IDC_REGION5, m_nRegion5);
}

// The "Enable 11N Mode" box is on for an 802.11n adapter and shows only when the program offers
// it; the 802.11n group shows only while it is on.
void CPageAdvanceDlg::show_11n_box()
{
    bool const offered = has_11n() && G_VxWlLib.bSelect11nDialog;
    GetDlgItem(IDC_ENABLE_11N)->ShowWindow(offered ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_ENABLE_11N_LABEL)->ShowWindow(offered ? SW_SHOW : SW_HIDE);
    if (!(has_11n() && m_bEnable11n))
        show_group(false);
}

void CPageAdvanceDlg::show_protection()
{
    std::string const& text = m_nProtection == PROTECTION_ON ? G_UiStr.IDS_ON
        : m_nProtection == PROTECTION_OFF                    ? G_UiStr.IDS_OFF
                                                             : G_UiStr.IDS_AUTO;
    SetDlgItemText(IDC_PROTECTION, text.c_str());
}

void CPageAdvanceDlg::OnProtectionMenu()
{
    auto const* message = GetCurrentMessage();
    int const id = message ? int(LOWORD(message->wParam)) : ID_PROTECTION_AUTO;
    m_nProtection = id == ID_PROTECTION_ON ? PROTECTION_ON : id == ID_PROTECTION_OFF ? PROTECTION_OFF : PROTECTION_AUTO;
    show_protection();
}

void CPageAdvanceDlg::OnFastRoam()
{
    UpdateData(TRUE);
    if (!m_bFastRoam)
        m_strThreshold = "-70";
    UpdateData(FALSE);
}

// An emptied threshold counts as 0 (which Apply refuses) and shows so.
void CPageAdvanceDlg::OnThresholdChange()
{
    CString text;
    GetDlgItemText(IDC_THRESHOLD, text);
    if (!text.IsEmpty())
        return;
    UpdateData(TRUE);
    m_strThreshold = "0";
    UpdateData(FALSE);
}

void CPageAdvanceDlg::OnEnable11n()
{
    UpdateData(TRUE);
    m_b11nChanged = true;
    G_VxWlLib.bHTSetting = 0;
    G_VxWlLib.bTxRate = m_bEnable11n ? 0 : 1;
    GetDlgItem(IDC_TXRATE)->ShowWindow(m_bEnable11n ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_TXRATE_LABEL)->ShowWindow(m_bEnable11n ? SW_HIDE : SW_SHOW);
    show_11n_box();
}

void CPageAdvanceDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow != TRUE)
        return;
    load_settings();
    add_driver_regions();
    UpdateData(FALSE);
    mode_change();
    // Without the right to change the settings the page shows what the driver runs.
    if (!may_change_settings()) {
        load_driver_values();
        add_driver_regions();
    }
    show_protection();
    UpdateData(FALSE);
    SetTimer(TIMER_ADVANCE_PAGE_GROUP, TIMER_ADVANCE_PAGE_GROUP_MS, nullptr);
}

void CPageAdvanceDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_ADVANCE_PAGE_GROUP) {
        group_tick();
        return;
    }
    if (nIDEvent == TIMER_ADVANCE_PAGE_SCAN) {
        KillTimer(TIMER_ADVANCE_PAGE_SCAN);
        if (HWND window = hide_dlg_services().config_window())
            ::SendMessage(window, DLG_MSG_EXCHANGE, PAGE_ADVANCE_DLG, 0);
    }
}

void CPageAdvanceDlg::OnDestroy()
{
    KillTimer(TIMER_ADVANCE_PAGE_GROUP);
    CResizeDlg::OnDestroy();
}

void CPageAdvanceDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}
