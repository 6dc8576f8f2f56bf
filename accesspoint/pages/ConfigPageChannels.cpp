// The channel side of the configuration page: the country-region lists, the channel arrays the
// library gives for the chosen regions, the channel and extension channel lists and the Allow
// 40 MHz rule. The decisions are ChannelPlan's; this file asks the library and moves controls.
#include "accesspoint/pages/ChannelPlan.h"
#include "accesspoint/pages/ConfigPage.h"

#include "accesspoint/core/Helpers.h"
#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"

#include <algorithm>
#include <cstdlib>

namespace hotvane {

namespace {

constexpr int kChannelArray = 32;
constexpr int kRegion30 = 30;

std::vector<int> channels_of(BYTE const* array, int count)
{
    int const n = std::clamp(count, 0, kChannelArray);
    return std::vector<int>(array, array + n);
}

void fill_regions(CComboBox& combo, std::vector<RegionEntry> const& entries)
{
    combo.ResetContent();
    for (auto const& e : entries)
        AddComboItem(combo.m_hWnd, e.text.c_str(), static_cast<DWORD_PTR>(e.code));
}

}

void CConfigPage::query_region_state()
{
    m_dwRegionWord = 0;
    m_bHWsupportsA = 0;
    m_bHWsupportBG = 0;
    G_VxApApi.VXAP_QueryCountryRegion(&m_dwRegionWord, &m_bHWsupportsA, &m_bHWsupportBG);
}

void CConfigPage::LoadCountryRegion()
{
    BYTE ch5[kChannelArray] {}, ch24[kChannelArray] {};
    int n24 = 0, n5 = 0;
    G_VxApApi.VXAP_GetCountryChannel(ch5, ch24, &n24, &n5, kRegion30, kRegion30);
    std::optional<std::string> region30_24, region30_5;
    if (n24 > 0) {
        region30_24 = Region30Text24(channels_of(ch24, n24));
        m_bRegion30_24 = true;
    }
    int model = -1;
    if (!G_VxApApi.VXAP_GetCurrentDeviceModel(&model))
        model = -1;
    if (model >= 2 && model <= 8 && n5 > 0) {
        region30_5 = Region30Text5(channels_of(ch5, n5));
        m_bRegion30_5 = true;
    }
    auto const& texts5 = RegionTexts5(model, G_VxApApi.VXAP_CheckIEEE80211H() != 0);
    query_region_state();
    unsigned const highest24 = (m_dwRegionWord >> 16) & 0xFF;
    unsigned const highest5 = (m_dwRegionWord >> 24) & 0xFF;
    fill_regions(m_cmbRegionBG, RegionEntries(RegionTexts24(), highest24, region30_24));
    TraceMsg("[Hotvane] CConfigPage::LoadCountryRegion: nMaxCountryRegion_A = %d\n", static_cast<int>(highest5));
    if (highest5 == 0 || highest5 + 1 > texts5.size())
        TraceMsg("[Hotvane] CConfigPage::LoadCountryRegion: nSizeCountryRegion_A = %d\n", static_cast<int>(texts5.size()));
    fill_regions(m_cmbRegionA, RegionEntries(texts5, highest5, region30_5));
    bool const bg = m_bHWsupportBG && G_VxApApi.ShowCountryRegion;
    bool const a = m_bHWsupportsA && G_VxApApi.ShowCountryRegion;
    enable(IDC_REGION_BG, bg);
    enable(IDC_REGION_A, a);
    enable(IDC_REGION_GROUP, bg && a);
}

void CConfigPage::fetch_channel_arrays()
{
    BYTE ch5[kChannelArray] {}, ch24[kChannelArray] {};
    int n24 = 0, n5 = 0;
    G_VxApApi.VXAP_GetCountryChannel(ch5, ch24, &n24, &n5, m_nCountryRegion_11BG, m_nCountryRegion_11A);
    m_channels24 = channels_of(ch24, n24);
    m_channels5 = channels_of(ch5, n5);
}

void CConfigPage::OnSelchangeCountryRegion()
{
    UpdateData(TRUE);
    fetch_channel_arrays();
    TraceMsg("[Hotvane] CConfigPage::OnSelchangeCountryRegion: VXAP_GetCountryChannel, m_n24GhzIndex = %d, m_n52GhzIndex = %d\n",
        static_cast<int>(m_channels24.size()), static_cast<int>(m_channels5.size()));
    rebuild_channel_list();
    EnableOrDisableAllowBW40(m_nRememberedBw40);
}

void CConfigPage::rebuild_channel_list()
{
    std::uint32_t const band = BandCodeNow();
    bool drop_edges = false;
    if (band == 9) {
        bool const wide = m_bAllowBW40 && Spans40MHz(m_channels24) && m_bExtChannelAvailable;
        enable(IDC_EXT_LABEL, wide);
        enable(IDC_EXT, wide);
        m_bAllowBW40 = wide ? 1 : 0;
        int side_band = 1;
        G_VxApApi.VXAP_GetSideBandParaFromE2PROM_BG(&side_band);
        drop_edges = side_band == 0 && IsDlgButtonChecked(IDC_ALLOW_BW40) == BST_CHECKED;
    }
    m_cmbChannel.ResetContent();
    for (int channel : ChannelEntries(band, m_channels24, m_channels5, drop_edges))
        m_cmbChannel.AddString(std::to_string(channel).c_str());
    int const found = m_strChannel.empty() ? -1 : m_cmbChannel.FindStringExact(-1, m_strChannel.c_str());
    m_cmbChannel.SetCurSel(found >= 0 ? found : 0);
    CString text;
    if (m_cmbChannel.GetCurSel() >= 0)
        m_cmbChannel.GetLBText(m_cmbChannel.GetCurSel(), text);
    m_strChannel = text.GetString();
    rebuild_extension_list();
    UpdateData(FALSE);
}

void CConfigPage::OnSelchangeChannel()
{
    UpdateData(TRUE);
    rebuild_extension_list();
    UpdateData(FALSE);
}

void CConfigPage::rebuild_extension_list()
{
    m_cmbExt.ResetContent();
    std::vector<int> listed;
    for (int i = 0; i < m_cmbChannel.GetCount(); ++i) {
        CString text;
        m_cmbChannel.GetLBText(i, text);
        listed.push_back(std::atoi(text.GetString()));
    }
    int const sel = m_cmbChannel.GetCurSel();
    if (sel < 0)
        return;
    ExtensionEntries const ext = ExtensionChannelsFor(listed[static_cast<std::size_t>(sel)], listed);
    for (auto const& entry : ext.entries)
        m_cmbExt.AddString(entry.c_str());
    if (!ext.available) {
        enable(IDC_EXT_LABEL, false);
        enable(IDC_EXT, false);
        m_bAllowBW40 = 0;
    }
    int const found = m_cmbExt.FindStringExact(-1, m_strExt.c_str());
    m_cmbExt.SetCurSel(found >= 0 ? found : 0);
    CString text;
    m_cmbExt.GetLBText(m_cmbExt.GetCurSel(), text);
    m_strExt = text.GetString();
    m_bExtChannelAvailable = ext.available ? 1 : 0;
    EnableOrDisableAllowBW40(m_bAllowBW40);
}

void CConfigPage::check_bw40_flags()
{
    m_dwBw40Flags = 3;
    if (!G_VxApApi.VXAP_CheckAllowBW40ForBand(&m_dwBw40Flags))
        TraceMsg("[Hotvane] VXAP_CheckAllowBW40ForBand() return FALSE!\n");
}

// An unchecked box also leaves the value at 0, so that what Apply stores is what shows.
void CConfigPage::set_allow_bw40(bool checked, bool enabled)
{
    CheckDlgButton(IDC_ALLOW_BW40, checked ? BST_CHECKED : BST_UNCHECKED);
    enable(IDC_ALLOW_BW40, enabled);
    if (!checked)
        m_bAllowBW40 = 0;
}

void CConfigPage::EnableOrDisableAllowBW40(int v)
{
    std::uint32_t const band = BandCodeNow();
    if (has_11n() && s_b11nMode) {
        check_bw40_flags();
        show(IDC_ALLOW_BW40, (band == 8 && (m_dwBw40Flags & 2)) || (band == 9 && (m_dwBw40Flags & 1)));
    }
    int const channel = m_cmbChannel.GetCurSel() >= 0 ? std::atoi(m_strChannel.c_str()) : -1;
    if (band != 0 && band != 9) {
        if (Refuses40MHz(channel)) {
            TraceMsg("[Hotvane] EnableOrDisableAllowBW40(): Select Channel is %d --> uncheck and disable [Allow BW40] \n", channel);
            set_allow_bw40(false, false);
        } else if (m_bExtChannelAvailable) {
            set_allow_bw40(v == 1, true);
            if (m_bAllowBW40 != v)
                TraceMsg("[Hotvane] EnableOrDisableAllowBW40(): 5G update m_bAllowBW40Capability to %d\n", v);
            m_bAllowBW40 = v;
        } else {
            set_allow_bw40(false, false);
        }
        return;
    }
    if (Spans40MHz(m_channels24) && channel != 14 && m_bExtChannelAvailable) {
        set_allow_bw40(v == 1, true);
        TraceMsg("[Hotvane] EnableOrDisableAllowBW40(): 2.4G Keep the situation_SetCheck(%d)\n", v);
        if (m_bAllowBW40 != v)
            TraceMsg("[Hotvane] EnableOrDisableAllowBW40(): 2.4G Keep the situation_update m_bAllowBW40Capability to %d\n", v);
        m_bAllowBW40 = v;
    } else {
        set_allow_bw40(false, false);
    }
}

void CConfigPage::OnAllowBw40()
{
    UpdateData(TRUE);
    if (m_bAllowBW40 != m_nRememberedBw40) {
        m_nRememberedBw40 = m_bAllowBW40;
        TraceMsg("[Hotvane] OnAllowBw40(): update bAllowBW40Capability to %d\n", m_nRememberedBw40);
    }
    m_bAllowBW40 = m_bAllowBW40 ? 1 : 0;
    rebuild_channel_list();
    UpdateData(FALSE);
    update_rate_text();
    enable(IDC_EXT_LABEL, m_bAllowBW40 == 1);
    enable(IDC_EXT, m_bAllowBW40 == 1);
}

}
