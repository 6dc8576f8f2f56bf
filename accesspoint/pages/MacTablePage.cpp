#include "accesspoint/pages/MacTablePage.h"

#include "accesspoint/core/Trace.h"
#include "accesspoint/core/UiStr.h"
#include "accesspoint/core/VxApApi.h"
#include "accesspoint/pages/PageTexts.h"
#include "platform/framework/DataExchange.h"

#include <algorithm>
#include <cstdio>

namespace hotvane {

namespace {

constexpr DWORD kListStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
constexpr int kFirstModel = 2;
constexpr int kFirst11nModel = 4;
constexpr int kLastModel = 8;

template<typename Entry>
std::string rate_text(Entry const&, CHTTable const&)
{
    return {};
}

std::string rate_text(KT_802_11_MAC_ENTRY const& entry, CHTTable const& table) { return StationRateText(entry.TxRate, table); }

}

BEGIN_MESSAGE_MAP(CMacTablePage, CPropertyPage)
ON_WM_TIMER()
END_MESSAGE_MAP()

CMacTablePage::CMacTablePage()
    : CPropertyPage(IDD)
    , m_strMacTitle(G_UiStr.IDS_MACADDR.c_str())
    , m_strAidTitle(G_UiStr.IDS_AID.c_str())
    , m_strPowerSaveTitle(G_UiStr.IDS_POWERSAVING.c_str())
    , m_strRateTitle(G_UiStr.IDS_MAC_TBL_11N_MCS_BW.c_str())
{
}

void CMacTablePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_list);
}

BOOL CMacTablePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitListCtrl();
    m_HTTable.Build();
    return TRUE;
}

// Widths in sixths of the list's width: 2.2, 0.8, 0.8 and 6.5, each cut to whole pixels.
void CMacTablePage::InitListCtrl()
{
    m_list.SetExtendedStyle(kListStyle);
    CRect rect;
    m_list.GetWindowRect(&rect);
    int const sixth = rect.Width() / 6;
    m_list.InsertColumn(0, m_strMacTitle, LVCFMT_LEFT, static_cast<int>(sixth * 2.2), 0);
    m_list.InsertColumn(1, m_strAidTitle, LVCFMT_LEFT, static_cast<int>(sixth * 0.8), 1);
    m_list.InsertColumn(2, m_strPowerSaveTitle, LVCFMT_LEFT, static_cast<int>(sixth * 0.8), 2);
    m_list.InsertColumn(3, m_strRateTitle, LVCFMT_LEFT, static_cast<int>(sixth * 6.5), 3);
}

BOOL CMacTablePage::OnSetActive()
{
    TraceMsg("[Hotvane] CMacTablePage::OnSetActive()-->SetTimer\n");
    SetTimer(kTimer, kRefreshMs);
    return CPropertyPage::OnSetActive();
}

BOOL CMacTablePage::OnKillActive()
{
    TraceMsg("[Hotvane] CMacTablePage::OnKillActive()-->KillTimer\n");
    KillTimer(kTimer);
    return CPropertyPage::OnKillActive();
}

void CMacTablePage::OnTimer(UINT_PTR) { RefreshStations(); }

// The device model is asked once: the same answer picks the query and the listing, so a model
// that changes between two questions cannot have a 260-byte table read as ten-byte entries.
void CMacTablePage::RefreshStations()
{
    int model = 0;
    if (!G_VxApApi.VXAP_GetCurrentDeviceModel(&model) || model < kFirstModel || model > kLastModel)
        return;
    if (model >= kFirst11nModel) {
        KT_802_11_MAC_TABLE table {};
        int const result = G_VxApApi.VXAP_QueryMacTable(&table);
        TraceMsg("[Hotvane] CMacTablePage::RefreshStations() VXAP_QueryMacTable return %d\n", result);
        if (result != 0)
            list_stations(table, true);
        return;
    }
    KT_802_11_MAC_TABLE_NOT_11N table {};
    int const result = G_VxApApi.VXAP_QueryMacTableNOT_11N(&table);
    TraceMsg("[Hotvane] CMacTablePage::RefreshStations() VXAP_QueryMacTableNOT_11N return %d\n", result);
    if (result != 0)
        list_stations(table, false);
}

// One row per entry in table order; the count is taken within 0 to the table's 32 entries.
template<typename Table>
void CMacTablePage::list_stations(Table const& table, bool with_rate)
{
    constexpr std::uint32_t capacity = sizeof table.Entry / sizeof table.Entry[0];
    m_list.DeleteAllItems();
    std::uint32_t const count = std::min(table.Count, capacity);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto const& entry = table.Entry[i];
        int const row = m_list.InsertItem(static_cast<int>(i), MacText(entry.Mac).c_str());
        m_list.SetItemText(row, 1, std::to_string(entry.Aid).c_str());
        m_list.SetItemText(row, 2, (entry.PowerSave ? G_UiStr.IDS_YES : G_UiStr.IDS_NO).c_str());
        if (with_rate)
            m_list.SetItemText(row, 3, rate_text(entry, m_HTTable).c_str());
    }
}

}
