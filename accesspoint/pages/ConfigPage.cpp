#include "accesspoint/pages/ConfigPage.h"

#include "accesspoint/core/Helpers.h"
#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/AuthSecuDlg.h"
#include "accesspoint/pages/PageTexts.h"
#include "accesspoint/pages/SheetModalGuard.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/MessageBox.h"

#include <cstdio>
#include <cstdlib>

namespace hotvane {

namespace {

ProfileHandOver g_profile_hand_over;

constexpr std::uint32_t kBeaconMin = 20, kBeaconMax = 1000;
constexpr std::uint32_t kIdleMin = 60, kIdleMax = 3600;
constexpr int kOldSystem = 10;

constexpr int kHtGroup[] = { CConfigPage::IDC_HT_GROUP, CConfigPage::IDC_GI_LABEL, CConfigPage::IDC_STBC_LABEL,
    CConfigPage::IDC_MCS_LABEL, CConfigPage::IDC_MCS, CConfigPage::IDC_RATE_TEXT, CConfigPage::IDC_EXT_LABEL,
    CConfigPage::IDC_EXT, CConfigPage::IDC_GI_LONG, CConfigPage::IDC_GI_AUTO, CConfigPage::IDC_STBC_NONE,
    CConfigPage::IDC_STBC_AUTO, CConfigPage::IDC_HTMODE_LABEL, CConfigPage::IDC_HT_MM, CConfigPage::IDC_HT_GF };

bool is_5ghz(std::uint32_t band) { return band == 2 || band == 8; }
bool is_ht_band(std::uint32_t band) { return band == 8 || band == 9; }

void fill_combo(CComboBox& combo, std::initializer_list<std::pair<std::string const*, DWORD_PTR>> items)
{
    combo.ResetContent();
    for (auto const& [text, data] : items)
        AddComboItem(combo.m_hWnd, text->c_str(), data);
}

std::string combo_text(CComboBox const& combo)
{
    int const sel = combo.GetCurSel();
    if (sel < 0)
        return {};
    CString text;
    combo.GetLBText(sel, text);
    return text.GetString();
}

// Selects the entry showing `text`, the first when none; answers what is selected. A list not
// filled yet keeps the text for when it is.
std::string select_text(CComboBox& combo, std::string const& text)
{
    if (combo.GetCount() == 0)
        return text;
    int const found = text.empty() ? -1 : combo.FindStringExact(-1, text.c_str());
    combo.SetCurSel(found >= 0 ? found : 0);
    return combo_text(combo);
}

void select_data(CComboBox& combo, DWORD_PTR data)
{
    int const found = FindComboItemByData(combo.m_hWnd, data);
    combo.SetCurSel(found >= 0 ? found : 0);
}

DWORD_PTR selected_data(CComboBox const& combo)
{
    DWORD_PTR data = 0;
    int const sel = combo.GetCurSel();
    GetComboItemData(combo.m_hWnd, sel >= 0 ? sel : 0, &data);
    return data;
}

}

void SetProfileHandOver(ProfileHandOver handler) { g_profile_hand_over = std::move(handler); }

int CConfigPage::s_b11nMode = 0;

BEGIN_MESSAGE_MAP(CConfigPage, CPropertyPage)
ON_BN_CLICKED(CConfigPage::IDC_APPLY, OnApplyClicked)
ON_BN_CLICKED(CConfigPage::IDC_DEFAULT, OnDefault)
ON_BN_CLICKED(CConfigPage::IDC_SECURITY, OnSecurity)
ON_BN_CLICKED(CConfigPage::IDC_USE_MAC, OnUseMacAddress)
ON_CBN_SELCHANGE(CConfigPage::IDC_BAND, OnSelchangeWirelessMode)
ON_BN_CLICKED(CConfigPage::IDC_AUTO_CHANNEL, OnAutoChannel)
ON_CBN_SELCHANGE(CConfigPage::IDC_REGION_BG, OnSelchangeCountryRegion)
ON_CBN_SELCHANGE(CConfigPage::IDC_REGION_A, OnSelchangeCountryRegion)
ON_WM_TIMER()
ON_CBN_SELCHANGE(CConfigPage::IDC_MCS, OnMcsOrGuardInterval)
ON_BN_CLICKED(CConfigPage::IDC_GI_LONG, OnMcsOrGuardInterval)
ON_BN_CLICKED(CConfigPage::IDC_GI_AUTO, OnMcsOrGuardInterval)
ON_CBN_SELCHANGE(CConfigPage::IDC_CHANNEL, OnSelchangeChannel)
ON_BN_CLICKED(CConfigPage::IDC_ALLOW_BW40, OnAllowBw40)
ON_BN_CLICKED(CConfigPage::IDC_CANCEL, OnCancelClicked)
ON_BN_CLICKED(CConfigPage::IDC_NO_FORWARDING, OnReadControls)
ON_BN_CLICKED(CConfigPage::IDC_HIDE_SSID, OnReadControls)
ON_BN_CLICKED(CConfigPage::IDC_11N_MODE, On11nMode)
END_MESSAGE_MAP()

CConfigPage::CConfigPage()
    : CPropertyPage(IDD)
{
}

// [SECTION] Small helpers

void CConfigPage::show(int id, bool visible) { ::ShowWindow(::GetDlgItem(m_hWnd, id), visible ? SW_SHOW : SW_HIDE); }
void CConfigPage::enable(int id, bool enabled) { ::EnableWindow(::GetDlgItem(m_hWnd, id), enabled); }
bool CConfigPage::has_11n() const { return G_VxApApi.VXAP_Is80211NSupport() != 0; }

// The band text gives the 802.11n codes unless the 802.11n mode switch is offered and off.
bool CConfigPage::ht_codes_for_text() const { return has_11n() && !(G_VxApApi.Select11nDialog && !s_b11nMode); }

std::uint32_t CConfigPage::BandCodeNow() const
{
    int index = -1;
    if (m_strBand == G_UiStr.IDS_PHY_24G)
        index = 0;
    else if (m_strBand == G_UiStr.IDS_PHY_5G)
        index = 1;
    return BandCode(index, ht_codes_for_text());
}

std::uint32_t CConfigPage::mcs_code() const
{
    return m_strMcs == G_UiStr.IDS_AUTO ? AP_HT_MCS_AUTO : static_cast<std::uint32_t>(std::atoi(m_strMcs.c_str()));
}

int CConfigPage::selected_channel() const
{
    std::string const text = combo_text(m_cmbChannel);
    return text.empty() ? -1 : std::atoi(text.c_str());
}

void CConfigPage::message(std::string const& text)
{
    CSheetModalGuard guard;
    ::MessageBox(m_hWnd, text.c_str(), G_UiStr.IDS_APCONFIGMSG.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// [SECTION] Data exchange

void CConfigPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BAND, m_cmbBand);
    DDX_Control(pDX, IDC_CHANNEL, m_cmbChannel);
    DDX_Control(pDX, IDC_PROTECTION, m_cmbProtection);
    DDX_Control(pDX, IDC_ANT_TX, m_cmbAntTx);
    DDX_Control(pDX, IDC_ANT_RX, m_cmbAntRx);
    DDX_Control(pDX, IDC_PREAMBLE, m_cmbPreamble);
    DDX_Control(pDX, IDC_TXRATE, m_cmbTxRate);
    DDX_Control(pDX, IDC_TXPOWER, m_cmbTxPower);
    DDX_Control(pDX, IDC_MCS, m_cmbMcs);
    DDX_Control(pDX, IDC_EXT, m_cmbExt);
    DDX_Control(pDX, IDC_REGION_BG, m_cmbRegionBG);
    DDX_Control(pDX, IDC_REGION_A, m_cmbRegionA);
    DDX_Text(pDX, IDC_SSID, m_strSsid);
    DDX_Text(pDX, IDC_BEACON, m_strBeacon);
    DDX_Text(pDX, IDC_IDLE, m_strIdle);
    DDX_Text(pDX, IDC_RTS, m_nRts);
    DDX_Text(pDX, IDC_FRAG, m_nFrag);
    DDX_Check(pDX, IDC_TX_BURST, m_bTxBurst);
    DDX_Check(pDX, IDC_TURBO, m_bTurbo);
    DDX_Check(pDX, IDC_NO_FORWARDING, m_bNoForwarding);
    DDX_Check(pDX, IDC_HIDE_SSID, m_bHideSsid);
    DDX_Check(pDX, IDC_SHORT_SLOT, m_bShortSlot);
    DDX_Check(pDX, IDC_AUTO_CHANNEL, m_bAutoChannel);
    DDX_Check(pDX, IDC_ALLOW_BW40, m_bAllowBW40);
    DDX_Check(pDX, IDC_11N_MODE, m_n11nMode);
    DDX_Radio(pDX, IDC_GI_LONG, m_nShortGI);
    DDX_Radio(pDX, IDC_STBC_NONE, m_nSTBC);
    DDX_Radio(pDX, IDC_HT_MM, m_nHtMode);
    exchange_lists(pDX->m_bSaveAndValidate != FALSE);
}

// The lists by item data or text; every exchange is traced with the region lists' state.
void CConfigPage::exchange_lists(bool save)
{
    if (save) {
        m_strBand = combo_text(m_cmbBand);
        m_strChannel = combo_text(m_cmbChannel);
        m_strMcs = combo_text(m_cmbMcs);
        m_strExt = combo_text(m_cmbExt);
        m_nTxRate = static_cast<DWORD>(selected_data(m_cmbTxRate));
        m_nTxPower = std::max(m_cmbTxPower.GetCurSel(), 0);
        m_nBGProtection = static_cast<int>(selected_data(m_cmbProtection));
        m_nPreamble = std::max(m_cmbPreamble.GetCurSel(), 0);
        m_nCountryRegion_11BG = static_cast<int>(selected_data(m_cmbRegionBG));
        m_nCountryRegion_11A = static_cast<int>(selected_data(m_cmbRegionA));
        TraceMsg("[Hotvane] CConfigPage::UpdateData(TRUE): m_nCountryRegion_11BG = %d, m_nCountryRegion_11A = %d, m_nTXRate = %d\n",
            m_nCountryRegion_11BG, m_nCountryRegion_11A, static_cast<int>(m_nTxRate));
        return;
    }
    m_strBand = select_text(m_cmbBand, m_strBand);
    m_strChannel = select_text(m_cmbChannel, m_strChannel);
    m_strExt = select_text(m_cmbExt, m_strExt);
    select_data(m_cmbTxRate, m_nTxRate);
    m_cmbTxPower.SetCurSel(m_nTxPower);
    select_data(m_cmbProtection, static_cast<DWORD_PTR>(m_nBGProtection));
    m_cmbPreamble.SetCurSel(m_nPreamble);
    select_data(m_cmbRegionBG, static_cast<DWORD_PTR>(m_nCountryRegion_11BG));
    select_data(m_cmbRegionA, static_cast<DWORD_PTR>(m_nCountryRegion_11A));
    TraceMsg("[Hotvane] CConfigPage::UpdateData(FALSE): m_CountryRegionCtrl_11BG.SetCurSel(%d), m_nCountryRegion_11BG = %d\n",
        m_cmbRegionBG.GetCurSel(), m_nCountryRegion_11BG);
    TraceMsg("[Hotvane] CConfigPage::UpdateData(FALSE): m_CountryRegionCtrl_11A.SetCurSel(%d), m_nCountryRegion_11A = %d\n",
        m_cmbRegionA.GetCurSel(), m_nCountryRegion_11A);
    SetDlgItemText(IDC_RATE_TEXT, m_strRate.c_str());
}

// [SECTION] Opening

BOOL CConfigPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_HTTable.Build();
    m_strBand = G_UiStr.IDS_PHY_24G;
    m_bAllowBW40 = 1;
    m_nRememberedBw40 = 1;
    init_texts();
    ::SendMessage(::GetDlgItem(m_hWnd, IDC_SSID), EM_LIMITTEXT, AP_SSID_MAX, 0);
    LoadCountryRegion();
    bool const old_system = G_VxApApi.VXAP_GetWinOS() < kOldSystem;
    if (old_system)
        for (int id : { IDC_PREAMBLE, IDC_PREAMBLE_LABEL, IDC_SHORT_SLOT, IDC_AUTO_CHANNEL })
            show(id, false);
    if (!G_VxApApi.VXAP_Is80211ASupport()) {
        show(IDC_REGION_A_LABEL, false);
        show(IDC_REGION_A, false);
    }
    fill_lists();
    load_record();
    show(IDC_11N_MODE, has_11n() && G_VxApApi.Select11nDialog);
    apply_11n_hiding();
    select_band();
    fill_mcs_list();
    fetch_channel_arrays();
    enable(IDC_CHANNEL, !m_bAutoChannel);
    UpdateData(FALSE);
    OnSelchangeWirelessMode();
    BYTE mac[6] {};
    G_VxApApi.VXAP_GetMacAddrs(mac);
    char name[24] {};
    std::snprintf(name, sizeof name, "AP%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    m_strMacName = name;
    if (old_system)
        SetTimer(kTimer, kTimerMs);
    return TRUE;
}

void CConfigPage::init_texts()
{
    auto const& s = G_UiStr;
    std::pair<int, std::string const*> const texts[] = { { IDC_TX_BURST, &s.IDS_TX_BURST }, { IDC_TURBO, &s.IDS_TURBO_RATE },
        { IDC_NO_FORWARDING, &s.IDS_NO_FORWARDING }, { IDC_HIDE_SSID, &s.IDS_HIDE_SSID }, { IDC_SHORT_SLOT, &s.IDS_SHORT_SLOT },
        { IDC_AUTO_CHANNEL, &s.IDS_AUTOCHANNEL }, { IDC_ALLOW_BW40, &s.IDS_ALLOW_BW40_CAPABILITY },
        { IDC_SECURITY, &s.IDS_TAB_AUTHSEC }, { IDC_USE_MAC, &s.IDS_USE_MAC_ADDRESS }, { IDC_DEFAULT, &s.IDS_DEFAULT },
        { IDC_APPLY, &s.IDS_APPLY }, { IDC_CANCEL, &s.IDS_CANCEL }, { IDC_BAND_LABEL, &s.IDS_WIRELESSMODE },
        { 1197, &s.IDS_SSID }, { 1199, &s.IDS_CHANNEL }, { IDC_PROTECTION_LABEL, &s.IDS_BGPROTECTION },
        { IDC_ANT_TX_LABEL, &s.IDS_SYS_ANTENNA_TX }, { IDC_ANT_RX_LABEL, &s.IDS_SYS_ANTENNA_RX },
        { IDC_PREAMBLE_LABEL, &s.IDS_SYS_PREAMBLE }, { 1201, &s.IDS_BEACON }, { 1202, &s.IDS_SYS_CHECK_RTS },
        { 1203, &s.IDS_SYS_CHECK_FRAG }, { IDC_TXRATE_LABEL, &s.IDS_TXRATE }, { 1210, &s.IDS_SYS_TXPOWER },
        { IDC_REGION_GROUP, &s.IDS_COUNTRY_REGION }, { IDC_REGION_BG_LABEL, &s.IDS_STATIC_COUNTRY_REGION_11BG },
        { IDC_REGION_A_LABEL, &s.IDS_STATIC_COUNTRY_REGION_11A }, { 1217, &s.IDS_CONFIGPAGE_IDLETIME } };
    for (auto const& [id, text] : texts)
        if (!text->empty())
            SetDlgItemText(id, text->c_str());
}

void CConfigPage::fill_lists()
{
    auto const& s = G_UiStr;
    fill_combo(m_cmbProtection, { { &s.IDS_AUTO, 0 }, { &s.IDS_ON, 1 }, { &s.IDS_OFF, 2 } });
    fill_combo(m_cmbAntTx, { { &s.IDS_SYS_AUTO, 0 }, { &s.IDS_SYS_ANTENNA_A_TX, 1 }, { &s.IDS_SYS_ANTENNA_B_TX, 2 } });
    fill_combo(m_cmbAntRx, { { &s.IDS_SYS_AUTO, 0 }, { &s.IDS_SYS_ANTENNA_A_TX, 1 }, { &s.IDS_SYS_ANTENNA_B_TX, 2 } });
    fill_combo(m_cmbPreamble, { { &s.IDS_SYS_LONG, 0 }, { &s.IDS_SYS_SHORT, 1 } });
    fill_combo(m_cmbTxPower, { { &s.IDS_100PERCENT, 0 }, { &s.IDS_75PERCENT, 1 }, { &s.IDS_50PERCENT, 2 },
                                 { &s.IDS_25PERCENT, 3 }, { &s.IDS_LOWEST, 4 } });
    m_cmbBand.ResetContent();
    AddComboItem(m_cmbBand.m_hWnd, s.IDS_PHY_24G.c_str(), 0);
    if (G_VxApApi.VXAP_Is80211ASupport())
        AddComboItem(m_cmbBand.m_hWnd, s.IDS_PHY_5G.c_str(), 1);
    fill_combo(m_cmbTxRate, { { &s.IDS_SYS_AUTO, 0 }, { &s.IDS_SYS_1M, 2 }, { &s.IDS_SYS_2M, 4 }, { &s.IDS_SYS_55M, 11 },
                                { &s.IDS_SYS_11M, 22 } });
}

void CConfigPage::fill_rate_list(std::uint32_t band)
{
    auto const& s = G_UiStr;
    if (is_5ghz(band)) {
        fill_combo(m_cmbTxRate, { { &s.IDS_AUTO, 0 }, { &s.IDS_6MBPS, 12 }, { &s.IDS_9MBPS, 18 }, { &s.IDS_12MBPS, 24 },
                                    { &s.IDS_18MBPS, 36 }, { &s.IDS_24MBPS, 48 }, { &s.IDS_36MBPS, 72 }, { &s.IDS_48MBPS, 96 },
                                    { &s.IDS_54MBPS, 108 } });
        return;
    }
    fill_combo(m_cmbTxRate, { { &s.IDS_AUTO, 0 }, { &s.IDS_1MBPS, 2 }, { &s.IDS_2MBPS, 4 }, { &s.IDS_55MBPS, 11 },
                                { &s.IDS_11MBPS, 22 }, { &s.IDS_6MBPS, 12 }, { &s.IDS_9MBPS, 18 }, { &s.IDS_12MBPS, 24 },
                                { &s.IDS_18MBPS, 36 }, { &s.IDS_24MBPS, 48 }, { &s.IDS_36MBPS, 72 }, { &s.IDS_48MBPS, 96 },
                                { &s.IDS_54MBPS, 108 } });
}

// The MCS entries follow the antennas: 1x1 up to 7, 3x3 up to 23, anything else up to 15.
void CConfigPage::fill_mcs_list()
{
    int last = 15;
    VXAP_U32 word = 0;
    if (G_VxApApi.VXAP_QueryAntennaNumber && G_VxApApi.VXAP_QueryAntennaNumber(&word) != 0) {
        if ((word & 0xF) == 3 && ((word >> 4) & 0xF) == 3)
            last = 23;
        else if ((word & 0xF) == 1 && ((word >> 4) & 0xF) == 1)
            last = 7;
    }
    m_cmbMcs.ResetContent();
    m_cmbMcs.AddString(G_UiStr.IDS_AUTO.c_str());
    for (int i = 0; i <= last; ++i)
        m_cmbMcs.AddString(std::to_string(i).c_str());
    m_cmbMcs.AddString("32");
    m_cmbMcs.AddString("Force Short GI");
    int const found = m_strMcs.empty() ? -1 : m_cmbMcs.FindString(-1, m_strMcs.c_str());
    m_cmbMcs.SetCurSel(found >= 0 ? found : 0);
    m_strMcs = combo_text(m_cmbMcs);
}

// [SECTION] The stored record

void CConfigPage::load_record()
{
    ApConfigData record {};
    G_VxApApi.VXAP_ReadConfigData(&record);
    ConfigPageValues const v = LoadConfigPageValues(record);
    take_values(v);
    bool const ht_texts = has_11n() || s_b11nMode;
    int const band = BandIndex(v.wireless_mode, ht_texts);
    m_strBand = band == 0 ? G_UiStr.IDS_PHY_24G : band == 1 ? G_UiStr.IDS_PHY_5G : std::string();
    int const channel = G_VxApApi.VXAP_FrequencyToChannel(v.freq_khz);
    m_strChannel = std::to_string(channel);
    m_bAllowBW40 = v.allow_bw40;
    m_nRememberedBw40 = RememberedBw40(record);
    m_nShortGI = v.ht.short_gi;
    m_nSTBC = v.ht.stbc;
    m_nHtMode = v.ht.ht_mode;
    m_strMcs = v.ht.mcs == AP_HT_MCS_AUTO ? G_UiStr.IDS_AUTO : std::to_string(v.ht.mcs);
    m_strExt = ExtChaText(v.allow_bw40, v.ht.extcha, channel);
    m_n11nMode = is_ht_band(v.wireless_mode) ? 1 : 0;
    s_b11nMode = m_n11nMode;
}

// Everything but the band, channel and 802.11n texts; the protection also as the value last
// loaded.
void CConfigPage::take_values(ConfigPageValues const& v)
{
    m_strSsid = v.ssid.c_str();
    m_nTxRate = v.tx_rate;
    m_nTxPower = static_cast<int>(v.tx_power);
    m_nBGProtection = static_cast<int>(v.bg_protection);
    m_nLastBGProtection = m_nBGProtection;
    m_nCountryRegion_11BG = static_cast<int>(v.region_bg);
    m_nCountryRegion_11A = static_cast<int>(v.region_a);
    m_nPreamble = static_cast<int>(v.preamble);
    m_strBeacon = std::to_string(v.beacon).c_str();
    m_nRts = static_cast<int>(v.rts);
    m_nFrag = static_cast<int>(v.frag);
    m_bTxBurst = v.tx_burst ? 1 : 0;
    m_bTurbo = v.turbo_rate ? 1 : 0;
    m_bNoForwarding = v.no_forwarding ? 1 : 0;
    m_bHideSsid = v.hide_ssid ? 1 : 0;
    m_bShortSlot = v.short_slot ? 1 : 0;
    m_bAutoChannel = v.auto_channel ? 1 : 0;
    m_strIdle = std::to_string(v.idle_time).c_str();
    m_security = v.security;
}

ConfigPageValues CConfigPage::page_values() const
{
    ConfigPageValues v;
    v.ssid = m_strSsid.GetString();
    v.wireless_mode = BandCodeNow();
    int const channel = std::atoi(m_strChannel.c_str());
    v.freq_khz = static_cast<std::uint32_t>(G_VxApApi.VXAP_ChannelToFrequency(channel));
    v.allow_bw40 = m_bAllowBW40;
    v.ht = { mcs_code(), m_bAllowBW40 ? 1 : 0, m_nShortGI, m_nSTBC, m_nHtMode, ExtChaCode(m_bAllowBW40, channel, m_strExt) };
    v.tx_rate = m_nTxRate;
    v.tx_power = static_cast<std::uint32_t>(m_nTxPower);
    v.bg_protection = static_cast<std::uint32_t>(m_nBGProtection);
    v.region_bg = static_cast<std::uint32_t>(m_nCountryRegion_11BG);
    v.region_a = static_cast<std::uint32_t>(m_nCountryRegion_11A);
    v.preamble = static_cast<std::uint32_t>(m_nPreamble);
    v.beacon = static_cast<std::uint32_t>(std::strtoul(m_strBeacon.GetString(), nullptr, 10));
    v.rts = static_cast<std::uint32_t>(m_nRts);
    v.frag = static_cast<std::uint32_t>(m_nFrag);
    v.tx_burst = static_cast<std::uint32_t>(m_bTxBurst);
    v.turbo_rate = static_cast<std::uint32_t>(m_bTurbo);
    v.no_forwarding = static_cast<std::uint32_t>(m_bNoForwarding);
    v.hide_ssid = static_cast<std::uint32_t>(m_bHideSsid);
    v.short_slot = static_cast<std::uint32_t>(m_bShortSlot);
    v.auto_channel = static_cast<std::uint32_t>(m_bAutoChannel);
    v.idle_time = static_cast<std::uint32_t>(std::strtoul(m_strIdle.GetString(), nullptr, 10));
    v.security = m_security;
    return v;
}

// The region lists are read again when either band's region may change, and the channel list
// rebuilt, before the 802.11n fields are taken.
void CConfigPage::WriteConfigToRegistryAndSetOid()
{
    query_region_state();
    if (m_bHWsupportsA || m_bHWsupportBG) {
        rebuild_channel_list();
        UpdateData(TRUE);
    }
    bool const with_ht = has_11n() && (!G_VxApApi.Select11nDialog || s_b11nMode);
    ApRecords const records = BuildApRecords(page_values(), G_VxApApi.VXAP_Is80211ASupport() != 0, with_ht);
    m_nBGProtection = static_cast<int>(records.config.nBGProtection);
    m_nLastBGProtection = m_nBGProtection;
    G_VxApApi.VXAP_WriteandSetConfigData(records.config, records.options);
    if (g_profile_hand_over)
        g_profile_hand_over(m_strSsid.GetString());
}

// [SECTION] Buttons

void CConfigPage::OnApplyClicked()
{
    CString beacon, idle;
    GetDlgItemText(IDC_BEACON, beacon);
    GetDlgItemText(IDC_IDLE, idle);
    if (!DecimalInRange(beacon.GetString(), kBeaconMin, kBeaconMax)) {
        message(G_UiStr.IDS_BEACON_PERIOD_ERR);
        return;
    }
    if (!DecimalInRange(idle.GetString(), kIdleMin, kIdleMax)) {
        message(G_UiStr.IDS_IDLE_TIME_ERR);
        return;
    }
    if (!UpdateData(TRUE))
        return;
    if (m_strSsid.IsEmpty()) {
        message(G_UiStr.IDS_ADHOCINPUTSSID);
        return;
    }
    WriteConfigToRegistryAndSetOid();
}

void CConfigPage::OnDefault()
{
    query_region_state();
    if (m_bHWsupportBG && G_VxApApi.ShowCountryRegion)
        m_nCountryRegion_11BG = 0;
    if (m_bHWsupportsA && G_VxApApi.ShowCountryRegion)
        m_nCountryRegion_11A = 0;
    fetch_channel_arrays();
    m_strBand = G_UiStr.IDS_PHY_24G;
    ApConfigData record {};
    int const result = G_VxApApi.VXAP_GetAPDefault(&record);
    TraceMsg("[Hotvane] HideDlg::VXAPAPI.VXAP_GetAPDefault() return %d\n", result);
    ConfigPageValues v = LoadConfigPageValues(record);
    v.region_bg = static_cast<std::uint32_t>(m_nCountryRegion_11BG);
    v.region_a = static_cast<std::uint32_t>(m_nCountryRegion_11A);
    take_values(v);
    TraceMsg("[Hotvane] HideDlg::VXAPAPI.VXAP_GetAPDefault() m_nBGProtection = nBGProtection = ApConfigData.nBGProtection =  %d\n",
        m_nBGProtection);
    enable(IDC_CHANNEL, true);
    m_strChannel.clear();
    m_nSTBC = 1;
    m_nShortGI = 1;
    m_nHtMode = 0;
    m_bAllowBW40 = 1;
    m_strMcs = G_UiStr.IDS_AUTO;
    m_strExt = "none";
    UpdateData(FALSE);
    select_band();
    OnSelchangeWirelessMode();
}

void CConfigPage::OnCancelClicked()
{
    load_record();
    fetch_channel_arrays();
    enable(IDC_CHANNEL, !m_bAutoChannel);
    UpdateData(FALSE);
    select_band();
    OnSelchangeWirelessMode();
}

void CConfigPage::OnSecurity()
{
    CAuthSecuDlg dialog(this);
    dialog.m_security = m_security;
    CSheetModalGuard guard;
    if (dialog.DoModal() == IDOK)
        m_security = dialog.m_security;
}

void CConfigPage::OnUseMacAddress()
{
    UpdateData(TRUE);
    m_strSsid = m_strMacName.c_str();
    UpdateData(FALSE);
}

void CConfigPage::OnAutoChannel()
{
    m_strMcs = combo_text(m_cmbMcs);
    enable(IDC_CHANNEL, IsDlgButtonChecked(IDC_AUTO_CHANNEL) != BST_CHECKED);
}

void CConfigPage::OnReadControls() { UpdateData(TRUE); }

void CConfigPage::On11nMode()
{
    UpdateData(TRUE);
    s_b11nMode = m_n11nMode;
    G_VxApApi.TxRate = 1;
    G_VxApApi.HTSetting = m_n11nMode;
    apply_11n_hiding();
}

// [SECTION] Band and 802.11n

void CConfigPage::select_band()
{
    m_strBand = select_text(m_cmbBand, m_strBand);
}

void CConfigPage::apply_11n_hiding()
{
    if (has_11n() && s_b11nMode)
        return;
    for (int id : kHtGroup)
        show(id, false);
    show(IDC_ALLOW_BW40, false);
}

void CConfigPage::OnSelchangeWirelessMode()
{
    // A list not filled yet (the extension list at opening) keeps the loaded text.
    for (auto [combo, text] : { std::pair { &m_cmbMcs, &m_strMcs }, { &m_cmbExt, &m_strExt }, { &m_cmbBand, &m_strBand } })
        if (combo->GetCurSel() >= 0)
            *text = combo_text(*combo);
    std::uint32_t const band = BandCodeNow();
    TraceMsg("[Hotvane] CConfigPage::OnSelchangeWirelessMode() -->EnableDlgItemForWirelessMode80211n(FALSE)\n");
    EnableDlgItemForWirelesMode80211nForXP(0);
    EnableOrDisableAllowBW40(m_bAllowBW40);
    bool const five = is_5ghz(band);
    show(IDC_REGION_BG_LABEL, !five);
    show(IDC_REGION_BG, !five);
    show(IDC_REGION_A_LABEL, five);
    show(IDC_REGION_A, five);
    fill_rate_list(band);
    if (five)
        m_nBGProtection = 0;
    if (is_ht_band(band)) {
        update_rate_text();
        TraceMsg("[Hotvane] CConfigPage::OnSelchangeWirelessMode()-->\tEnableDlgItemForWirelessMode80211n(TRUE)\n");
        EnableDlgItemForWirelesMode80211nForXP(1);
        enable(IDC_EXT_LABEL, m_bAllowBW40 == 1);
        enable(IDC_EXT, m_bAllowBW40 == 1);
    }
    rebuild_channel_list();
    UpdateData(FALSE);
}

void CConfigPage::EnableDlgItemForWirelesMode80211nForXP(int n)
{
    std::uint32_t const band = BandCodeNow();
    bool const rate_shown = G_VxApApi.TxRate ? true : !has_11n();
    show(IDC_TXRATE, rate_shown);
    show(IDC_TXRATE_LABEL, rate_shown);
    if (G_VxApApi.TxRate) {
        enable(IDC_TXRATE, n == 0);
        enable(IDC_TXRATE_LABEL, n == 0);
    }
    bool protection_shown = true;
    if (!G_VxApApi.BgProtection && has_11n() && s_b11nMode)
        protection_shown = false;
    show(IDC_PROTECTION, protection_shown);
    show(IDC_PROTECTION_LABEL, protection_shown);
    if (!G_VxApApi.BgProtection && protection_shown) {
        bool const five = is_5ghz(band);
        if (!five && m_nLastBGProtection != m_nBGProtection) {
            m_nBGProtection = m_nLastBGProtection;
            TraceMsg("[Hotvane] EnableDlgItemForWirelesMode80211nForXP(): 2.4G Keep the situation_update m_nBGProtection to %d\n",
                m_nBGProtection);
        }
        select_data(m_cmbProtection, static_cast<DWORD_PTR>(m_nBGProtection));
        enable(IDC_PROTECTION, !five);
    }
    bool const group = G_VxApApi.HTSetting && n == 1;
    for (int id : kHtGroup)
        show(id, group);
}

void CConfigPage::OnMcsOrGuardInterval()
{
    UpdateData(TRUE);
    update_rate_text();
    SetDlgItemText(IDC_RATE_TEXT, m_strRate.c_str());
}

// Automatic MCS has no rate of its own, at any bandwidth.
void CConfigPage::update_rate_text()
{
    std::uint32_t const mcs = mcs_code();
    double rate = 0;
    if (mcs != AP_HT_MCS_AUTO && m_HTTable.Lookup(m_bAllowBW40, m_nShortGI, static_cast<int>(mcs), &rate)) {
        char text[64] {};
        std::snprintf(text, sizeof text, "Tx Rate : %.2f Mbps", rate);
        m_strRate = text;
    } else {
        m_strRate = "Tx Rate: Not Available";
    }
    SetDlgItemText(IDC_RATE_TEXT, m_strRate.c_str());
}

// [SECTION] Activation and timer

BOOL CConfigPage::OnSetActive()
{
    SetTimer(kTimer, kTimerMs);
    return CPropertyPage::OnSetActive();
}

BOOL CConfigPage::OnKillActive()
{
    KillTimer(kTimer);
    return CPropertyPage::OnKillActive();
}

void CConfigPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimer)
        return;
    KillTimer(kTimer);
    check_bw40_flags();
    std::uint32_t const band = BandCodeNow();
    if (is_ht_band(band)) {
        EnableDlgItemForWirelesMode80211nForXP(G_VxApApi.HTSetting ? 1 : 0);
        show(IDC_ALLOW_BW40, (band == 9 && (m_dwBw40Flags & 1)) || (band == 8 && (m_dwBw40Flags & 2)));
    } else {
        if (G_VxApApi.Select11nDialog && !s_b11nMode)
            EnableDlgItemForWirelesMode80211nForXP(0);
        show(IDC_ALLOW_BW40, false);
    }
    SetTimer(kTimer, kTimerMs);
}

}
