// CPageSiteSurveyDlg: building the page, the scan cycle and its buttons. The cells and the
// choice of a network are in PageSiteSurveyRows.cpp, the enabling of the buttons and the
// connected row in PageSiteSurveyState.cpp.
#include "station/survey/PageSiteSurveyDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "platform/framework/GdiObjects.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/BssidQuery.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgIds.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/survey/SurveyList.h"

#include <cstring>

namespace {

struct Column {
    char const* title;
    int format;
    double fraction; // of the list's width
};

constexpr Column kColumns[] = {
    { "Connected Icon", LVCFMT_CENTER, 0.04 },
    { "SSID", LVCFMT_LEFT, 0.27 },
    { "Network Type", LVCFMT_CENTER, 0.03 },
    { "Channel", LVCFMT_LEFT, 0.04 },
    { "a Icon", LVCFMT_CENTER, 0.02 },
    { "b Icon", LVCFMT_CENTER, 0.03 },
    { "g Icon", LVCFMT_CENTER, 0.03 },
    { "n Icon", LVCFMT_CENTER, 0.03 },
    { "Security Icon", LVCFMT_CENTER, 0.04 },
    { "", LVCFMT_CENTER, 0.08 },
    { "Signal", LVCFMT_CENTER, 0.37 },
};

// The hidden dialog passes this on from the library.
constexpr UINT kScanFailed = WM_USER + 1;

// Check box and radio pictures: the checked look first.
constexpr int kRadioChecked = 145;
constexpr int kRadioUnchecked = 146;
constexpr int kCheckChecked = 147;
constexpr int kCheckUnchecked = 148;
constexpr int kImageGrow = 24;
constexpr COLORREF kImageMask = RGB(255, 255, 255);

}

BEGIN_MESSAGE_MAP(CPageSiteSurveyDlg, CResizeDlg)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_RESCAN, OnRescan)
    ON_COMMAND_RANGE(IDC_SORT_SSID, IDC_SORT_SIGNAL, OnSortType)
    ON_BN_CLICKED(IDC_CONNECT, OnConnect)
    ON_BN_CLICKED(IDC_ADD_TO_PROFILE, OnAddToProfile)
    ON_BN_CLICKED(IDC_SHOW_DBM, OnShowDbm)
    ON_NOTIFY(NM_CLICK, IDC_LIST, OnClickList)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST, OnDblClkList)
    ON_MESSAGE(QLN_CELLREQUEST, OnGetCellText)
    ON_MESSAGE(QLN_KEYDOWN, OnListKey)
    ON_MESSAGE(kScanFailed, OnScanFail)
    ON_MESSAGE(MSG_SURVEY_CONNECT, OnInsertActionExec)
END_MESSAGE_MAP()

CPageSiteSurveyDlg::CPageSiteSurveyDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
    , m_pBssidList(std::make_unique<std::uint8_t[]>(BSSID_LIST_BUFFER_SIZE))
    , m_pProfile(std::make_unique<WLANPROFILE>())
{
    std::memset(m_pBssidList.get(), 0, BSSID_LIST_BUFFER_SIZE);
    ResetSecuritySettings();
    m_bSurveyComplete = 0;
}

CPageSiteSurveyDlg::~CPageSiteSurveyDlg() = default;

void CPageSiteSurveyDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_listSurvey);
    DDX_Control(pDX, IDC_SORT_SSID, m_btnSort[0]);
    DDX_Control(pDX, IDC_SORT_CHANNEL, m_btnSort[1]);
    DDX_Control(pDX, IDC_SORT_SIGNAL, m_btnSort[2]);
    DDX_Control(pDX, IDC_SHOW_DBM, m_chkShowDbm);
    DDX_Control(pDX, IDC_RESCAN, m_btnRescan);
    DDX_Control(pDX, IDC_ADD_TO_PROFILE, m_btnAddToProfile);
    DDX_Control(pDX, IDC_CONNECT, m_btnConnect);
    DDX_Radio(pDX, IDC_SORT_SSID, m_nSortType);
    DDX_Check(pDX, IDC_SHOW_DBM, m_bShowDbm);
}

// [SECTION] Building

BOOL CPageSiteSurveyDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    set_texts();
    set_up_buttons();
    set_up_list();
    insert_columns();
    ForceUpdateBssidList();
    arm_first_scan();
    UpdateControlState();
    return TRUE;
}

void CPageSiteSurveyDlg::set_texts()
{
    struct Text {
        int id;
        std::string const& text;
    } const texts[] = {
        { IDC_SEPARATOR, G_UiStr.IDS_SITESUR_AP_LIST },
        { IDC_STATIC_SORTBY, G_UiStr.IDS_SITESUR_SORTBY },
        { IDC_STATIC_SSID, G_UiStr.IDS_SITESUR_SSID },
        { IDC_STATIC_CHANNEL, G_UiStr.IDS_SITESUR_CHANNEL },
        { IDC_STATIC_SIGNAL, G_UiStr.IDS_SITESUR_SIGNAL },
        { IDC_STATIC_SHOW_DBM, G_UiStr.IDS_SHOW_DBM },
        { IDC_RESCAN, G_UiStr.IDS_SITESUR_RESCAN },
        { IDC_CONNECT, G_UiStr.IDS_SITESUR_CONNECT },
        { IDC_ADD_TO_PROFILE, G_UiStr.IDS_SITESUR_ADDPRO },
    };
    for (Text const& t : texts)
        if (HWND control = ::GetDlgItem(m_hWnd, t.id))
            SetCtrlText(m_hWnd, control, t.text);
}

void CPageSiteSurveyDlg::set_up_buttons()
{
    for (CButtonST& sort : m_btnSort) {
        sort.ChooseImageSide(CButtonST::ImageTopLeft, FALSE);
        sort.AssignIcons(kRadioChecked, kRadioUnchecked);
    }
    m_btnSort[m_nSortType].SetCheck(BST_CHECKED);
    m_chkShowDbm.ChooseImageSide(CButtonST::ImageTopLeft, FALSE);
    m_chkShowDbm.AssignIcons(kCheckChecked, kCheckUnchecked);
    for (CShadeButtonST* button : { &m_btnRescan, &m_btnAddToProfile, &m_btnConnect })
        button->ConfigureShading(2, 8, 10, 0, 0, 0, 0);
}

void CPageSiteSurveyDlg::set_up_list()
{
    m_listSurvey.SetExtendedStyle(m_listSurvey.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CBitmap strip;
    if (m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, kImageGrow) && strip.LoadBitmap(kImageBitmap))
        m_imageList.Add(&strip, kImageMask);
}

void CPageSiteSurveyDlg::insert_columns()
{
    CRect rect;
    m_listSurvey.GetWindowRect(&rect);
    int index = 0;
    for (Column const& c : kColumns)
        m_listSurvey.InsertColumn(index++, c.title, c.format, static_cast<int>(rect.Width() * c.fraction));
}

// The first scan waits one scan period of the stored wireless mode.
void CPageSiteSurveyDlg::arm_first_scan()
{
    ADVANCE_CONFIG_DATA config {};
    G_VxWlLib.VXWL_ReadAdvanceCfgData(&config);
    int const period = SetTimerForScanByChnList(int(config.WirelessMode));
    TraceMsg(TRACE_STEP, "[Kivra] Site survey scan period = %d sec\n", period);
    m_nTimer = SetTimer(TIMER_CONNECT_STATUS, UINT(period));
}

void CPageSiteSurveyDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.Draw3dRect(0, 0, client.Width(), 2, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

// [SECTION] The scan cycle

void CPageSiteSurveyDlg::OnTimer(UINT_PTR nIDEvent)
{
    TraceMsg(TRACE_TICK, "[Kivra] CPageSiteSurveyDlg::OnTimer(%d)\n", int(nIDEvent));
    if (nIDEvent == TIMER_CONNECT_STATUS) {
        KillTimer(TIMER_CONNECT_STATUS);
        if (!m_bRescan) {
            VXWL_U32 hardware = 0;
            VXWL_U32 software = 0;
            G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
            if (hardware && software)
                OnRescan();
        }
        m_nTimer = SetTimer(TIMER_SITESURVEY_DLG, kSurveyPollMs);
    } else if (m_bSurveyComplete) {
        fetch_list();
        RescanTimeFunc();
        if (hide_dlg_services().take_scan_after_advance_change()) {
            TraceMsg(TRACE_STEP, "[Kivra] Switch country region, connect BSSID after scan complete!\n");
            if (HWND hide = hide_dlg_services().hide_dialog())
                ::PostMessage(hide, ACTION_INSERT_EXEC, SEND_BY_ADVANCE_DLG, 0);
        }
    }
    UpdateControlState();
    UpdateConnectStatus();
    CResizeDlg::OnTimer(nIDEvent);
}

void CPageSiteSurveyDlg::fetch_list()
{
    QueryBssidList(m_pBssidList.get());
    TraceBssidList(m_pBssidList.get());
    G_VxWlLib.UpdateBssidList(m_pBssidList.get());
}

void CPageSiteSurveyDlg::ForceUpdateBssidList()
{
    fetch_list();
    RescanTimeFunc();
}

void CPageSiteSurveyDlg::StartConnectStatusTimer()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSiteSurveyDlg::StartConnectStatusTimer\n");
    m_nTimer = SetTimer(TIMER_CONNECT_STATUS, kConnectStatusMs);
}

void CPageSiteSurveyDlg::OnRescan()
{
    DoScan();
}

void CPageSiteSurveyDlg::DoScan()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSiteSurveyDlg::DoScan\n");
    m_bRescan = TRUE;
    if (G_VxWlLib.VXWL_GetWinOS() < 10 && G_VxWlLib.VXWL_IsZeroConfig() == 2)
        ForceUpdateBssidList();
    else
        G_VxWlLib.VXWL_SiteSurveyScan(FuncScanFinished);
    UpdateControlState();
}

LRESULT CPageSiteSurveyDlg::OnScanFail(WPARAM, LPARAM)
{
    TraceMsg(TRACE_STEP, "[Kivra] CPageSiteSurveyDlg::OnScanFail\n");
    m_bSurveyComplete = 0;
    m_bRescan = FALSE;
    UpdateControlState();
    return 0;
}

// [SECTION] Rebuilding the rows

void CPageSiteSurveyDlg::RescanTimeFunc()
{
    m_arySiteSurvey.clear();
    if (m_listSurvey.m_hWnd)
        m_listSurvey.DeleteAllItems();
    m_bSurveyComplete = 0;
    m_bRescan = FALSE;
    if (G_VxWlLib.pBssidList)
        std::memcpy(m_pBssidList.get(), G_VxWlLib.pBssidList, BSSID_LIST_BUFFER_SIZE);
    else
        std::memset(m_pBssidList.get(), 0, BSSID_LIST_BUFFER_SIZE);
    station::survey::ListLibrary const library {
        [](std::uint32_t khz) { return G_VxWlLib.VXWL_FrequencyToChannel(khz); },
        [](NDIS_WLAN_BSSID_EX const* entry, IE_INFO_WPA* digest) { G_VxWlLib.VXWL_ParseInfoElement(entry, digest); },
    };
    station::survey::ListBytes const list(m_pBssidList.get(), BSSID_LIST_BUFFER_SIZE);
    station::survey::sort_bssid_list(list, m_nSortType, library);
    auto built = station::survey::build_rows(list, library);
    if (built.skipped)
        TraceMsg(TRACE_FAIL, "[Kivra] %d inconsistent entries left out of the list\n", built.skipped);
    m_arySiteSurvey = std::move(built.rows);
    show_rows();
}

void CPageSiteSurveyDlg::show_rows()
{
    if (!m_listSurvey.m_hWnd)
        return;
    m_listSurvey.SetItemCountEx(RowCount());
    if (RowCount() > 0)
        m_listSurvey.RedrawItems(m_listSurvey.GetTopIndex(), RowCount() - 1);
    m_listSurvey.Invalidate();
}

// FIXME: which of the page's lists the radio's return empties comes with the page's own
// scan work; the window's scan-wait row shows meanwhile.
void CPageSiteSurveyDlg::ClearListContainers()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageSiteSurveyDlg::ClearListContainers\n");
}

void CPageSiteSurveyDlg::ShowScanWait()
{
    SITESURVEY_ITEM row;
    row.nNetworkType = -1;
    row.nRadioType = -1;
    row.strSsid = kScanWaitSsid;
    m_arySiteSurvey.assign(1, row);
    show_rows();
}

// [SECTION] Buttons

void CPageSiteSurveyDlg::OnSortType(UINT)
{
    UpdateData(TRUE);
    RescanTimeFunc();
}

void CPageSiteSurveyDlg::OnShowDbm()
{
    if (m_listSurvey.m_hWnd && RowCount() > 0)
        m_listSurvey.RepaintCells(m_listSurvey.GetTopIndex(), RowCount() - 1, 9, FALSE);
    UpdateData(TRUE);
    send_to_window(DLG_MSG_EXCHANGE, PAGE_LINK_STATUS, ON_DBM_CHECK);
}
