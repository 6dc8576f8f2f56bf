// CPageAdvanceDlg: the wireless-mode change, the 2.4 GHz region rule, the 802.11n group with its
// rate text and its one-second timer, and the small handlers of its radios.
#include "station/features/PageAdvanceDlg.h"

#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::uint32_t kCode24 = 0;
constexpr std::uint32_t kCode5 = 2;
constexpr std::uint32_t kCodeDual = 3;
constexpr std::uint32_t kCodeDualHt = 5;
constexpr std::uint32_t kCode5Ht = 8;
constexpr std::uint32_t kCode24Ht = 9;
constexpr std::uint32_t kCodeLegacy24Ht = 7;
constexpr int kBw20 = 0;
constexpr int kBwAuto = 1;
constexpr int kLastOfdmIndex = 8;
// A range of this many channels or fewer leaves no room for a 40 MHz channel.
constexpr int kNarrowSpan = 3;

// The 802.11n group the rules show: the HT mode statics, the MM and GF radios with their labels,
// the BW, GI and STBC labels, radios and texts, and the MCS label and list.
constexpr int kShownGroup[] = { 1298, 1299, 1271, 1272, 1300, 1301, 1220, 1273, 1274, 1302, 1303, 1221, 1275, 1276,
    1307, 1304, 1222, 1277, 1278, 1308, 1305, 1223, 1255 };
// The 11b and 11g radios with their labels: never shown.
constexpr int kLegacyRadios[] = { 1599, 1600, 1601, 1602 };
// The BW, GI and STBC labels, radios and texts, which only MM and GF offer.
constexpr int kHtOptions[] = { 1220, 1273, 1274, 1302, 1303, 1221, 1275, 1276, 1307, 1304, 1222, 1277, 1278, 1308,
    1305 };

bool is_ht_code(std::uint32_t code) { return code == kCodeDualHt || code == kCode5Ht || code == kCode24Ht; }

// The channel range of a 2.4 GHz region entry: the number after the first "H" up to "-" is the
// first channel, the number after the last "-" the last; an entry without "-" has one channel.
int channel_span(std::string const& entry)
{
    auto const dash = entry.rfind('-');
    if (dash == std::string::npos)
        return 0;
    auto const h = entry.find('H');
    int const first = h == std::string::npos ? 0 : std::atoi(entry.c_str() + h + 1);
    int const last = std::atoi(entry.c_str() + dash + 1);
    return last - first;
}

}

// Steps of a change of the wireless-mode list (and of the set-up and every showing).
void CPageAdvanceDlg::mode_change()
{
    UpdateData(TRUE);
    SendDlgItemMessage(IDC_TXRATE, CB_RESETCONTENT, 0, 0);
    show_group(false);
    std::uint32_t const code = mode_code();
    bool const band24 = code == kCode24 || code == kCode24Ht || code == kCodeDual || code == kCodeDualHt;
    bool const band5 = code == kCode5 || code == kCode5Ht || code == kCodeDual || code == kCodeDualHt;
    for (int id : { int(IDC_REGION24), int(IDC_REGION24_LABEL) })
        GetDlgItem(id)->ShowWindow(band24 ? SW_SHOW : SW_HIDE);
    for (int id : { int(IDC_REGION5), int(IDC_REGION5_LABEL) })
        GetDlgItem(id)->ShowWindow(band5 ? SW_SHOW : SW_HIDE);
    for (std::string const& text : station::features::TxRateTexts(code))
        SendDlgItemMessage(IDC_TXRATE, CB_ADDSTRING, 0, LPARAM(text.c_str()));
    if (code == kCode5) {
        m_nProtection = PROTECTION_AUTO;
        if (m_nTxRate > kLastOfdmIndex)
            m_nTxRate = 0;
    }
    show_protection();
    if (is_ht_code(code)) {
        update_rate_text();
        ShowHTControls(G_VxWlLib.bHTSetting != 0, code);
    }
    UpdateData(FALSE);
    region24_change();
}

void CPageAdvanceDlg::OnModeChange() { mode_change(); }

// The 2.4 GHz region decides whether 40 MHz fits: a narrow range, or a band the driver keeps at
// 20 MHz, gives BW 20.
void CPageAdvanceDlg::region24_change()
{
    UpdateData(TRUE);
    int const index = int(SendDlgItemMessage(IDC_REGION24, CB_GETCURSEL, 0, 0));
    bool narrow = false;
    if (index >= 0) {
        auto const length = int(SendDlgItemMessage(IDC_REGION24, CB_GETLBTEXTLEN, WPARAM(index), 0));
        std::string text(std::size_t(length > 0 ? length : 0) + 1, '\0');
        SendDlgItemMessage(IDC_REGION24, CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
        text.resize(std::char_traits<char>::length(text.c_str()));
        narrow = channel_span(text) <= kNarrowSpan;
    }
    int driver_mode = 0;
    G_VxWlLib.VXWL_QueryWirelessMode(&driver_mode);
    auto const mode = std::uint32_t(driver_mode);
    // The band of the chosen mode counts as well as the driver's: the chosen one is what Apply
    // stores.
    bool const refused = ((mode == kCode24Ht || mode == kCodeLegacy24Ht) && G_VxWlLib.VXWL_CheckIfAllowBW40InBGBand() == 0)
        || (mode == kCode5Ht && G_VxWlLib.VXWL_CheckIfAllowBW40InABand() == 0) || bw40_refused(mode_code());
    if (refused || narrow) {
        m_nBW = kBw20;
    } else if (G_VxWlLib.bSelect11nDialog) {
        ADVANCE_CONFIG_DATA config {};
        if (G_VxWlLib.VXWL_ReadConfigData(&config) == 1)
            m_nBW = int(UnpackTransmitSetting(config.TransmitSetting).BW);
    } else {
        m_nBW = kBwAuto;
    }
    UpdateData(FALSE);
}

void CPageAdvanceDlg::OnRegion24Change() { region24_change(); }

void CPageAdvanceDlg::show_group(bool show)
{
    for (int id : kShownGroup)
        GetDlgItem(id)->ShowWindow(show ? SW_SHOW : SW_HIDE);
    for (int id : kLegacyRadios)
        GetDlgItem(id)->ShowWindow(SW_HIDE);
}

// 40 MHz is not offered in a band whose driver refuses it, nor with the 11b or 11g HT mode.
bool CPageAdvanceDlg::bw40_refused(std::uint32_t code) const
{
    bool const legacy_ht = m_nHtMode == int(HT_CHOICE_11B) || m_nHtMode == int(HT_CHOICE_11G);
    return (code == kCode24Ht && G_VxWlLib.VXWL_CheckIfAllowBW40InBGBand() == 0)
        || (code == kCode5Ht && G_VxWlLib.VXWL_CheckIfAllowBW40InABand() == 0)
        || ((code == kCode5Ht || code == kCode24Ht) && legacy_ht);
}

// The 802.11n group and the controls it stands in for (the TX rate and, on an 802.11n adapter
// without the option, the protection).
void CPageAdvanceDlg::ShowHTControls(bool show, std::uint32_t code)
{
    bool const ht = has_11n();
    bool rate_shown = !ht;
    bool rate_enabled = true;
    if (G_VxWlLib.bTxRate && ht) {
        rate_shown = !m_bEnable11n;
    } else if (G_VxWlLib.bTxRate) {
        rate_shown = true;
        rate_enabled = !show;
    }
    for (int id : { int(IDC_TXRATE), int(IDC_TXRATE_LABEL) })
        GetDlgItem(id)->ShowWindow(rate_shown ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_TXRATE)->EnableWindow(rate_enabled);
    bool const protection = !(G_VxWlLib.bBgProtection == 0 && ht);
    for (int id : { int(IDC_PROTECTION), int(IDC_PROTECTION_LABEL) })
        GetDlgItem(id)->ShowWindow(protection ? SW_SHOW : SW_HIDE);
    show_group(show);
    if (!show)
        return;
    bool const bw40 = !bw40_refused(code);
    GetDlgItem(IDC_BW_AUTO)->EnableWindow(bw40);
    if (!bw40) {
        m_nBW = kBw20;
        CheckRadioButton(IDC_BW_20, IDC_BW_AUTO, IDC_BW_20);
    }
}

// The PHY rate of the chosen bandwidth, guard interval and MCS, kept in the hidden static 1306.
void CPageAdvanceDlg::update_rate_text()
{
    std::string const mcs = m_nMcs >= 0 && std::size_t(m_nMcs) < m_mcsTexts.size() ? m_mcsTexts[std::size_t(m_nMcs)] : "";
    double rate = 0;
    char text[64];
    if (m_rates.Lookup(m_nBW, m_nGI, int(McsValueOfText(mcs, G_UiStr.IDS_AUTO)), &rate))
        std::snprintf(text, sizeof text, "Tx Rate: %.2f Mbps", rate);
    else
        std::snprintf(text, sizeof text, "Tx Rate: Not Available");
    SetDlgItemText(IDC_RATE_TEXT, text);
}

// Timer 1: the 802.11n group follows the options while the page lives.
void CPageAdvanceDlg::group_tick()
{
    KillTimer(TIMER_ADVANCE_PAGE_GROUP);
    std::uint32_t const code = mode_code();
    if (is_ht_code(code)) {
        bool const show = G_VxWlLib.bHTSetting || (G_VxWlLib.bSelect11nDialog && m_bEnable11n);
        ShowHTControls(show, code);
    }
    SetTimer(TIMER_ADVANCE_PAGE_GROUP, TIMER_ADVANCE_PAGE_GROUP_MS, nullptr);
}

void CPageAdvanceDlg::OnHtMode()
{
    UpdateData(TRUE);
    bool const options = m_nHtMode == int(HT_CHOICE_MM) || m_nHtMode == int(HT_CHOICE_GF);
    for (int id : kHtOptions)
        GetDlgItem(id)->EnableWindow(options);
}

void CPageAdvanceDlg::OnBandwidth()
{
    UpdateData(TRUE);
    m_b11nChanged = true;
    update_rate_text();
}

void CPageAdvanceDlg::OnRateChoice()
{
    UpdateData(TRUE);
    update_rate_text();
}

void CPageAdvanceDlg::OnTakeData() { UpdateData(TRUE); }

// The TDLS box shows only where the adapter offers it and the program's option asks for it; it
// starts from the driver's direct-link state (the first field of the WMM setting).
void CPageAdvanceDlg::init_tdls()
{
    bool const supported = G_VxWlLib.VXWL_IsSupportTDLS() != 0;
    bool const shown = supported && G_VxWlLib.bTDLSControl;
    for (int id : { int(IDC_TDLS), int(IDC_TDLS_LABEL) })
        GetDlgItem(id)->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    if (!supported)
        return;
    WMM_SETTING setting {};
    G_VxWlLib.VXWL_QueryAndReadWMMCapability(&setting);
    m_bTdls = setting.DLSEnable ? 1 : 0;
}

// The box sets direct-link set-up on or off at once: a WMM setting whose only field is its state.
void CPageAdvanceDlg::OnTdls()
{
    UpdateData(TRUE);
    if (G_VxWlLib.VXWL_IsSupportTDLS() == 0)
        return;
    WMM_SETTING setting {};
    setting.DLSEnable = m_bTdls ? 1 : 0;
    G_VxWlLib.VXWL_EnableDLSetup(setting);
}
