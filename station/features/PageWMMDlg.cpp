#include "station/features/PageWMMDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <cstdio>
#include <cstring>

int g_nDlsSelectedIndex = 0;
std::string g_strDlsSelectedMac;

namespace {

constexpr int kCheckChecked = 147;
constexpr int kCheckUnchecked = 148;
constexpr char const* kDefaultTimeout = "60";

// The category boxes with their labels, in the order of the template.
constexpr int kCategoryIds[] = { CPageWMMDlg::IDC_AC_BK, CPageWMMDlg::IDC_AC_BE, CPageWMMDlg::IDC_AC_VI,
    CPageWMMDlg::IDC_AC_VO, CPageWMMDlg::IDC_AC_BK_LABEL, CPageWMMDlg::IDC_AC_BE_LABEL, CPageWMMDlg::IDC_AC_VI_LABEL,
    CPageWMMDlg::IDC_AC_VO_LABEL };

// The set-up form: its labels, the timeout edit, the two buttons (the MAC edits besides).
constexpr int kFormIds[] = { CPageWMMDlg::IDC_MAC_LABEL, CPageWMMDlg::IDC_TIMEOUT_LABEL, CPageWMMDlg::IDC_SECOND_LABEL,
    CPageWMMDlg::IDC_SETUP, CPageWMMDlg::IDC_TIMEOUT, CPageWMMDlg::IDC_TEAR_DOWN };

}

BEGIN_MESSAGE_MAP(CPageWMMDlg, CResizeDlg)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_BN_CLICKED(CPageWMMDlg::IDC_WMM, OnWmmEnable)
ON_BN_CLICKED(CPageWMMDlg::IDC_APSD, OnApsdEnable)
ON_BN_CLICKED(CPageWMMDlg::IDC_AC_BK, OnCategory)
ON_BN_CLICKED(CPageWMMDlg::IDC_AC_BE, OnCategory)
ON_BN_CLICKED(CPageWMMDlg::IDC_AC_VI, OnCategory)
ON_BN_CLICKED(CPageWMMDlg::IDC_AC_VO, OnCategory)
ON_BN_CLICKED(CPageWMMDlg::IDC_DLS, OnDlsEnable)
ON_BN_CLICKED(CPageWMMDlg::IDC_SETUP, OnSetup)
ON_BN_CLICKED(CPageWMMDlg::IDC_TEAR_DOWN, OnTearDown)
ON_NOTIFY(NM_CLICK, CPageWMMDlg::IDC_LIST, OnClickList)
ON_NOTIFY(NM_DBLCLK, CPageWMMDlg::IDC_LIST, OnDblClkList)
ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CPageWMMDlg::CPageWMMDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageWMMDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    for (int i = 0; i < kMacFields; ++i)
        DDX_Control(pDX, IDC_MAC1 + i, m_editMac[i]);
    DDX_Control(pDX, IDC_TIMEOUT, m_editTimeout);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_SETUP, m_btnSetup);
    DDX_Control(pDX, IDC_TEAR_DOWN, m_btnTearDown);
    DDX_Check(pDX, IDC_AC_BE, m_nBE);
    DDX_Check(pDX, IDC_AC_BK, m_nBK);
    DDX_Check(pDX, IDC_AC_VI, m_nVI);
    DDX_Check(pDX, IDC_AC_VO, m_nVO);
    DDX_Check(pDX, IDC_WMM, m_bWMM);
    DDX_Check(pDX, IDC_DLS, m_bDLS);
    DDX_Check(pDX, IDC_APSD, m_bAPSD);
    // The texts are taken whole: the set-up checks them (a paste passes the edits' filters).
    auto text = [&](int id, std::string& value) {
        CString s(value.c_str());
        DDX_Text(pDX, id, s);
        value = s.str();
    };
    for (int i = 0; i < kMacFields; ++i)
        text(IDC_MAC1 + i, m_strMac[std::size_t(i)]);
    text(IDC_TIMEOUT, m_strTimeout);
    text(IDC_WMM_STATUS, m_strWmmStatus);
    text(IDC_PS_STATUS, m_strPowerSaveStatus);
    text(IDC_DL_STATUS, m_strDlsStatus);
}

// [SECTION] Building

BOOL CPageWMMDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    // The controls keep the template's font: its labels are laid out for it, and the page font
    // would not let them fit.
    init_texts();
    for (CSmartEdit& edit : m_editMac) {
        edit.SetAcceptedClasses(CSmartEdit::kHexDigits);
        edit.SendMessage(EM_LIMITTEXT, 2);
    }
    m_editTimeout.SetAcceptedClasses(CSmartEdit::kDigits);
    m_editTimeout.SendMessage(EM_LIMITTEXT, 5);
    m_btnSetup.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    m_btnTearDown.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    init_list();
    if (G_VxWlLib.VXWL_IsSupportTDLS()) {
        for (int id : { int(IDC_DLS), int(IDC_DLS_LABEL), int(IDC_MAC_LABEL), int(IDC_TIMEOUT_LABEL), int(IDC_TIMEOUT),
                 int(IDC_SECOND_LABEL), int(IDC_SETUP), int(IDC_TEAR_DOWN) })
            ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
        for (int i = 0; i < kMacFields; ++i)
            ::ShowWindow(::GetDlgItem(m_hWnd, IDC_MAC1 + i), SW_HIDE);
        if (!G_VxWlLib.bDLSStatusList)
            m_list.ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CPageWMMDlg::init_texts()
{
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_STATUS_GROUP, G_UiStr.IDS_WMM_SETUP_STATUS }, { IDC_PS_STATUS_LABEL, G_UiStr.IDS_POWER_SAVE_STATUS },
        { IDC_DL_STATUS_LABEL, G_UiStr.IDS_DL }, { IDC_WMM_LABEL, G_UiStr.IDS_WMM_Enable },
        { IDC_APSD_LABEL, G_UiStr.IDS_POWER_SAVE }, { IDC_AC_BK_LABEL, G_UiStr.IDS_WMM_AC_BK },
        { IDC_AC_BE_LABEL, G_UiStr.IDS_WMM_AC_BE }, { IDC_AC_VI_LABEL, G_UiStr.IDS_WMM_AC_VI },
        { IDC_AC_VO_LABEL, G_UiStr.IDS_WMM_AC_VO }, { IDC_DLS_LABEL, G_UiStr.IDS_DLS_ENABLE },
        { IDC_MAC_LABEL, G_UiStr.IDS_MAC_ADDRESS }, { IDC_TIMEOUT_LABEL, G_UiStr.IDS_TIMEOUT_VALUE },
        { IDC_SECOND_LABEL, G_UiStr.IDS_SECOND }, { IDC_SETUP, G_UiStr.IDS_APPLY }, { IDC_TEAR_DOWN, G_UiStr.IDS_TEAR_DOWN } };
    for (Label const& l : labels)
        SetDlgItemText(l.id, l.text.c_str());
}

void CPageWMMDlg::init_list()
{
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES);
    CRect rect;
    m_list.GetWindowRect(&rect);
    m_list.InsertColumn(0, "MAC Address", LVCFMT_CENTER, rect.Width() * 3 / 10);
    m_list.InsertColumn(1, "Timeout", LVCFMT_CENTER, rect.Width() * 7 / 10);
}

// [SECTION] Showing and refreshing

void CPageWMMDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

void CPageWMMDlg::OnDestroy()
{
    CResizeDlg::OnDestroy();
    if (m_nTimer)
        KillTimer(m_nTimer);
    m_nTimer = 0;
}

void CPageWMMDlg::enable_categories(BOOL enable)
{
    for (int id : kCategoryIds)
        ::EnableWindow(::GetDlgItem(m_hWnd, id), enable);
}

void CPageWMMDlg::enable_form(BOOL enable)
{
    for (int id : kFormIds)
        ::EnableWindow(::GetDlgItem(m_hWnd, id), enable);
    for (int i = 0; i < kMacFields; ++i)
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_MAC1 + i), enable);
}

// The list stays usable while the option keeps it listing links made elsewhere.
void CPageWMMDlg::enable_list(BOOL enable) { m_list.EnableWindow(enable || G_VxWlLib.bDLSStatusList ? TRUE : FALSE); }

void CPageWMMDlg::apply_status_rule()
{
    std::string const& on = G_UiStr.IDS_ENABLED;
    std::string const& off = G_UiStr.IDS_DISABLED;
    BOOL const wmm = m_bWMM ? TRUE : FALSE;
    for (int id : { int(IDC_APSD), int(IDC_APSD_LABEL), int(IDC_DLS), int(IDC_DLS_LABEL) })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), wmm);
    if (!wmm) {
        m_strWmmStatus = m_strPowerSaveStatus = m_strDlsStatus = off;
        enable_categories(FALSE);
        enable_list(FALSE);
        enable_form(FALSE);
        return;
    }
    m_strWmmStatus = on;
    m_strPowerSaveStatus = m_bAPSD ? on : off;
    enable_categories(m_bAPSD ? TRUE : FALSE);
    m_strDlsStatus = m_bDLS ? on : off;
    enable_list(m_bDLS ? TRUE : FALSE);
    enable_form(m_bDLS ? TRUE : FALSE);
}

void CPageWMMDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        if (m_nTimer)
            KillTimer(m_nTimer);
        m_nTimer = 0;
        return;
    }
    WMM_SETTING s {};
    G_VxWlLib.VXWL_QueryAndReadWMMCapability(&s);
    m_bDLS = int(s.DLSEnable);
    m_bWMM = int(s.WMMEnable);
    m_bAPSD = int(s.APSDEnable);
    m_nBE = int(s.AC_BE);
    m_nBK = int(s.AC_BK);
    m_nVI = int(s.AC_VI);
    m_nVO = int(s.AC_VO);
    apply_status_rule();
    if (m_bWMM)
        m_strPowerSaveStatus = m_bAPSD ? PowerSaveStatusText(G_UiStr.IDS_ENABLED, { m_nBE, m_nBK, m_nVI, m_nVO }) : G_UiStr.IDS_DISABLED;
    UpdateData(FALSE);
    char mac[128] {};
    G_VxWlLib.VXWL_ReadWMMMacAddr(mac);
    std::string const stored(mac, ::strnlen(mac, sizeof mac));
    for (std::size_t i = 0; i < kMacFields; ++i)
        m_strMac[i] = stored.size() >= 2 * i + 2 ? stored.substr(2 * i, 2) : std::string();
    VXWL_U32 timeout = 0;
    if (!G_VxWlLib.VXWL_ReadWMMTimeout(&timeout))
        timeout = 0;
    m_strTimeout = std::to_string(timeout);
    UpdateData(FALSE);
    m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

void CPageWMMDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRefreshTimer)
        return CResizeDlg::OnTimer(nIDEvent);
    KillTimer(m_nTimer);
    refresh_list();
    m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

void CPageWMMDlg::refresh_list()
{
    DLS_ENTRY table[DLS_TABLE_ENTRIES] {};
    G_VxWlLib.VXWL_QueryDLSParameter(table);
    m_rows = DlsRows(table);
    int const count = int(m_rows.size());
    m_list.SetItemCountEx(count);
    if (count > 0)
        m_list.RedrawItems(0, count - 1);
    m_list.Invalidate();
}

LRESULT CPageWMMDlg::OnCellRequest(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0 || cell->m_nItem >= int(m_rows.size()))
        return 0;
    DLS_ROW const& row = m_rows[std::size_t(cell->m_nItem)];
    cell->m_strText = cell->m_nSubItem == 0 ? row.strMac.c_str() : std::to_string(row.nTimeout).c_str();
    return 0;
}

// [SECTION] WMM, power save and direct links

WMM_SETTING CPageWMMDlg::setting() const
{
    WMM_SETTING s {};
    s.DLSEnable = std::uint32_t(m_bDLS ? 1 : 0);
    s.WMMEnable = std::uint32_t(m_bWMM ? 1 : 0);
    s.APSDEnable = std::uint32_t(m_bAPSD ? 1 : 0);
    s.AC_BE = std::uint32_t(m_nBE ? 1 : 0);
    s.AC_BK = std::uint32_t(m_nBK ? 1 : 0);
    s.AC_VI = std::uint32_t(m_nVI ? 1 : 0);
    s.AC_VO = std::uint32_t(m_nVO ? 1 : 0);
    return s;
}

void CPageWMMDlg::OnWmmEnable()
{
    UpdateData(TRUE);
    BOOL const on = m_bWMM ? TRUE : FALSE;
    for (int id : { int(IDC_APSD), int(IDC_APSD_LABEL), int(IDC_DLS), int(IDC_DLS_LABEL) })
        ::EnableWindow(::GetDlgItem(m_hWnd, id), on);
    if (on) {
        m_strWmmStatus = G_UiStr.IDS_ENABLED;
        UpdateData(FALSE);
    } else {
        m_strWmmStatus = m_strPowerSaveStatus = m_strDlsStatus = G_UiStr.IDS_DISABLED;
        enable_categories(FALSE);
        enable_list(FALSE);
        for (int id : { int(IDC_MAC_LABEL), int(IDC_TIMEOUT_LABEL), int(IDC_SECOND_LABEL) })
            ::EnableWindow(::GetDlgItem(m_hWnd, id), FALSE);
        if (!G_VxWlLib.VXWL_IsSupportTDLS())
            m_bDLS = 0;
        m_bAPSD = 0;
        m_strTimeout = kDefaultTimeout;
        UpdateData(FALSE);
        enable_form(FALSE);
    }
    G_VxWlLib.VXWL_UpdateWMMEnable(setting());
    RejoinAfterWmmChange();
    if (HWND window = hide_dlg_services().config_window())
        ::PostMessage(window, DLG_MSG_EXCHANGE, PAGE_WMM_DLG, 0);
}

void CPageWMMDlg::OnDlsEnable()
{
    UpdateData(TRUE);
    BOOL const on = m_bDLS ? TRUE : FALSE;
    m_strDlsStatus = on ? G_UiStr.IDS_ENABLED : G_UiStr.IDS_DISABLED;
    UpdateData(FALSE);
    enable_list(on);
    enable_form(on);
    G_VxWlLib.VXWL_EnableDLSetup(setting());
    RejoinAfterWmmChange();
}

void CPageWMMDlg::OnApsdEnable()
{
    UpdateData(TRUE);
    if (m_bAPSD) {
        m_strPowerSaveStatus = G_UiStr.IDS_ENABLED;
        UpdateData(FALSE);
        enable_categories(TRUE);
        apply_categories();
    } else {
        m_strPowerSaveStatus = G_UiStr.IDS_DISABLED;
        UpdateData(FALSE);
        enable_categories(FALSE);
    }
    G_VxWlLib.VXWL_EnableAPSD(setting());
}

void CPageWMMDlg::OnCategory() { apply_categories(); }

void CPageWMMDlg::apply_categories()
{
    UpdateData(TRUE);
    m_strPowerSaveStatus = PowerSaveStatusText(G_UiStr.IDS_ENABLED, { m_nBE, m_nBK, m_nVI, m_nVO });
    UpdateData(FALSE);
    G_VxWlLib.VXWL_SetAndWriteAPSDSetting(setting());
    RejoinAfterWmmChange();
}

// Every field is checked before anything is stored or sent: a refused set-up changes nothing.
void CPageWMMDlg::OnSetup()
{
    UpdateData(TRUE);
    std::uint8_t own[6] {};
    G_VxWlLib.VXWL_QueryMacAddrs(own);
    DlsFormCheck const check = CheckDlsForm(m_strMac, m_strTimeout, own);
    switch (check.result) {
    case DlsFormResult::InvalidMac: ShowMessageBox(G_UiStr.IDS_INVALIDMACADDR); return;
    case DlsFormResult::GroupAddress: ShowMessageBox(G_UiStr.IDS_NOTACCEPTB); return;
    case DlsFormResult::InvalidTimeout: ShowMessageBox(G_UiStr.IDS_INVALIDTIMEOUT); return;
    case DlsFormResult::Ok: break;
    }
    if (check.bTimeoutDefaulted) {
        m_strTimeout = kDefaultTimeout;
        UpdateData(FALSE);
        ShowMessageBox(G_UiStr.IDS_INVALIDTIMEOUT);
    }
    char digits[128] {};
    std::snprintf(digits, sizeof digits, "%s", check.strMacDigits.c_str());
    G_VxWlLib.VXWL_WriteWMMMacAddr(digits);
    G_VxWlLib.VXWL_SetDLSParameter(check.entry);
    G_VxWlLib.VXWL_WriteWMMTimeout(check.entry.TimeOut);
}

void CPageWMMDlg::OnTearDown()
{
    if (g_nDlsSelectedIndex == -1) {
        ShowMessageBox(G_UiStr.IDS_NOSELECTEDITEM);
        return;
    }
    DLS_ENTRY table[DLS_TABLE_ENTRIES] {};
    G_VxWlLib.VXWL_QueryDLSParameter(table);
    for (DLS_ENTRY& e : table) {
        if (e.InUse && FormatDlsMac(e.MacAddr) == g_strDlsSelectedMac) {
            e.InUse = 0;
            G_VxWlLib.VXWL_SetDLSParameter(e);
            return;
        }
    }
}

// [SECTION] Selection

void CPageWMMDlg::remember_selection()
{
    int const row = m_list.GetNextItem(-1, LVNI_SELECTED);
    g_nDlsSelectedIndex = row;
    if (row >= 0 && row < int(m_rows.size()))
        g_strDlsSelectedMac = m_rows[std::size_t(row)].strMac;
}

void CPageWMMDlg::OnClickList(NMHDR*, LRESULT* result)
{
    remember_selection();
    *result = 0;
}

// The MAC text's pairs sit at characters 1-2, 4-5, ... 16-17.
void CPageWMMDlg::OnDblClkList(NMHDR*, LRESULT* result)
{
    remember_selection();
    int const row = g_nDlsSelectedIndex;
    if (row >= 0 && row < int(m_rows.size())) {
        DLS_ROW const& r = m_rows[std::size_t(row)];
        m_strTimeout = std::to_string(r.nTimeout);
        for (std::size_t i = 0; i < kMacFields; ++i)
            m_strMac[i] = r.strMac.size() >= 3 * i + 2 ? r.strMac.substr(3 * i, 2) : std::string();
        UpdateData(FALSE);
    }
    *result = 0;
}
