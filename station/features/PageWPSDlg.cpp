// CPageWPSDlg: set-up, the two lists, the stored records and the buttons other than the runs.
//
// [SECTION] Construction and set-up
// [SECTION] Lists
// [SECTION] Records
// [SECTION] Buttons
#include "station/features/PageWPSDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/CInfoWnd.h"
#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/BssidQuery.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/core/WpsGlobals.h"
#include "station/features/WpsApRows.h"
#include "station/features/WpsPin.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace station::features;

namespace {

struct Column {
    char const* title;
    int format;
    double fraction; // of the list's width
};

constexpr Column kApColumns[] = {
    { "", LVCFMT_CENTER, 0.03 },
    { "ID", LVCFMT_LEFT, 0.23 },
    { "SSID", LVCFMT_LEFT, 0.30 },
    { "BSSID", LVCFMT_LEFT, 0.25 },
    { "Channel", LVCFMT_LEFT, 0.08 },
    { "", LVCFMT_CENTER, 0.03 },
};
constexpr Column kProfileColumns[] = {
    { "", LVCFMT_CENTER, 0.04 },
    { "SSID", LVCFMT_LEFT, 0.52 },
    { "BSSID", LVCFMT_LEFT, 0.25 },
    { "", LVCFMT_CENTER, 0.15 },
};
enum ApColumn : int { AP_COL_STATE, AP_COL_ID, AP_COL_SSID, AP_COL_BSSID, AP_COL_CHANNEL, AP_COL_SECURED };
enum ProfileColumn : int { PROF_COL_STATE, PROF_COL_SSID, PROF_COL_BSSID, PROF_COL_SECURED };
// The site survey's image strip: 5 secured, 6 connected, 7 tried and not connected.
constexpr UINT kImageBitmap = 258;
constexpr int kImageSecured = 5;
constexpr int kImageConnected = 6;
constexpr int kImageTried = 7;
constexpr int kImageGrow = 24;
constexpr COLORREF kImageMask = RGB(255, 255, 255);
// The scan list holds a 32-bit count and the entries of the listed access points.
constexpr size_t kScanListBytes = BSSID_LIST_BUFFER_SIZE;

constexpr int kButtonIds[] = { CPageWPSDlg::IDC_PIN, CPageWPSDlg::IDC_PBC, CPageWPSDlg::IDC_RESCAN,
    CPageWPSDlg::IDC_INFORMATION, CPageWPSDlg::IDC_DETAIL, CPageWPSDlg::IDC_CONNECT, CPageWPSDlg::IDC_ROTATE,
    CPageWPSDlg::IDC_DISCONNECT, CPageWPSDlg::IDC_IMPORT, CPageWPSDlg::IDC_DELETE, CPageWPSDlg::IDC_RENEW };
constexpr int kNewerSystem = 10;
// What the page asks of the window with DLG_MSG_EXCHANGE besides SET_OID_FROM_REG.
constexpr LPARAM kWpsImportProfile = 1;

template <size_t N>
void insert(CQuickList& list, Column const (&columns)[N])
{
    CRect rect;
    list.GetWindowRect(&rect);
    int index = 0;
    for (Column const& c : columns)
        list.InsertColumn(index++, c.title, c.format, static_cast<int>(rect.Width() * c.fraction));
}

void select_first(CQuickList& list, int rows)
{
    if (rows <= 0 || !list.m_hWnd)
        return;
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

}

// [SECTION] Construction and set-up

BEGIN_MESSAGE_MAP(CPageWPSDlg, CResizeDlg)
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_TIMER()
    ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
    ON_MESSAGE(VXWL_MSG_SCAN_FAILED, OnScanFail)
    ON_BN_CLICKED(IDC_PBC, OnPbcConnect)
    ON_BN_CLICKED(IDC_PIN, OnPinConnect)
    ON_BN_CLICKED(IDC_RESCAN, OnWpsRescan)
    ON_BN_CLICKED(IDC_INFORMATION, OnWpsInformation)
    ON_BN_CLICKED(IDC_DETAIL, OnWpsDetail)
    ON_BN_CLICKED(IDC_CONNECT, OnWpsConnect)
    ON_BN_CLICKED(IDC_ROTATE, OnWpsRotate)
    ON_BN_CLICKED(IDC_DISCONNECT, OnWpsDisconnect)
    ON_BN_CLICKED(IDC_DELETE, OnWpsDelete)
    ON_BN_CLICKED(IDC_IMPORT, OnWpsImport)
    ON_BN_CLICKED(IDC_RENEW, OnWpsRenew)
    ON_BN_CLICKED(IDC_AUTO_SELECT, OnAutoSelect)
    ON_NOTIFY(NM_CLICK, IDC_AP_LIST, OnListClick)
    ON_NOTIFY(NM_CLICK, IDC_PROFILE_LIST, OnListClick)
    ON_CBN_SELCHANGE(IDC_ROLE, OnSelchangeConfigMode)
    ON_CBN_SELCHANGE(IDC_BAND, OnSelchangeBand)
END_MESSAGE_MAP()

CPageWPSDlg::CPageWPSDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
    G_bScanComplete.store(0);
    G_nWpsApChannel = 1;
}

CPageWPSDlg::~CPageWPSDlg() = default;

void CPageWPSDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AP_LIST, m_listAP);
    DDX_Control(pDX, IDC_PROFILE_LIST, m_listProfile);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_PIN_EDIT, m_editPin);
    DDX_Control(pDX, IDC_ROLE, m_comboRole);
    DDX_Control(pDX, IDC_BAND, m_comboBand);
    for (std::size_t i = 0; i < std::size(kButtonIds); ++i)
        DDX_Control(pDX, kButtonIds[i], m_buttons[i]);
    DDX_Text(pDX, IDC_PIN_EDIT, m_strPin);
    DDX_Text(pDX, IDC_STATUS, m_strStatus);
    DDX_Check(pDX, IDC_ASSOCIATE_IE, m_bAssociateIE);
    DDX_Check(pDX, IDC_PROBE_IE, m_bProbeIE);
    DDX_Check(pDX, IDC_AUTO_SELECT, m_bAutoSelect);
}

BOOL CPageWPSDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    set_texts();
    insert_columns();
    set_up_band_and_role();
    read_stored_records();
    m_ScanList.assign(kScanListBytes, 0);
    UpdateWpsButtons();
    m_nDevicePin = GenerateDevPwd();
    bool const registrar = G_nConfigMode == WPS_ROLE_REGISTRAR;
    if (!registrar)
        G_lPin = long(m_nDevicePin);
    apply_role_controls(registrar);
    show(IDC_AUTO_SELECT, true);
    show(IDC_AUTO_SELECT_LABEL, true);
    m_strPin.Format("%08ld", G_lPin);
    m_editPin.SetAcceptedClasses(CSmartEdit::kDigits);
    m_editPin.SendMessage(EM_LIMITTEXT, 8);
    DisplayWPSProfile();
    bool const associate = G_VxWlLib.bWPSAssociateIE != 0;
    bool const probe = G_VxWlLib.bWPSProbeIE != 0;
    show(IDC_ASSOCIATE_IE, associate);
    show(IDC_ASSOCIATE_IE_LABEL, associate);
    show(IDC_PROBE_IE, probe);
    show(IDC_PROBE_IE_LABEL, probe);
    UpdateData(FALSE);
    m_nConnectTick = 1;
    ForceUpdateBssidList();
    VXWL_U32 flag = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&flag);
    if (flag && m_WpsProfile.ProfileCnt != 0)
        SetTimer(TIMER_WPS_DLG_CONNECT_STATUS, 2000);
    SetTimer(TIMER_WPS_DLG_HW_PBC, 1000);
    return TRUE;
}

void CPageWPSDlg::set_texts()
{
    CUISTR const& s = G_UiStr;
    struct Text {
        int id;
        std::string const& text;
    } const texts[] = {
        { IDC_AP_TITLE, s.IDS_SEPARATOR_WPS_AP_LIST }, { IDC_RESCAN, s.IDS_SITESUR_RESCAN },
        { IDC_INFORMATION, s.IDS_WPS_INFO }, { IDC_PIN_GROUP, s.IDS_PIN_CODE }, { IDC_RENEW, s.IDS_WPS_RENEW },
        { IDC_CONFIG_MODE_LABEL, s.IDS_CONFIG_MODE }, { IDC_PROFILE_TITLE, s.IDS_SEPARATOR_WPS_PROFILE_LIST },
        { IDC_DETAIL, s.IDS_WPS_DETAIL }, { IDC_CONNECT, s.IDS_SITESUR_CONNECT }, { IDC_ROTATE, s.IDS_WPS_ROTATE },
        { IDC_DISCONNECT, s.IDS_WPS_DISCONNECT }, { IDC_IMPORT, s.IDS_IMPORT_PROFILE }, { IDC_DELETE, s.IDS_PROF_DEL },
        { IDC_ASSOCIATE_IE_LABEL, s.IDS_WPS_ASSOCIATE_IE }, { IDC_PROBE_IE_LABEL, s.IDS_WPS_PROBE_IE },
        { IDC_AUTO_SELECT_LABEL, s.IDS_WPS_AUTO_SELECT }, { IDC_BAND_LABEL, s.IDS_WIRELESS_MODE },
    };
    for (Text const& t : texts)
        if (!t.text.empty())
            SetDlgItemText(t.id, t.text.c_str());
    m_progress.SetRange(0, 100);
    m_progress.SetCaptionFormat(G_UiStr.IDS_PROGRESS.c_str(), 0);
    m_progress.SetPos(0);
    for (CShadeButtonST& button : m_buttons) {
        if (!button.m_hWnd)
            continue;
        button.m_bLeftAlignedText = FALSE;
        button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    }
}

void CPageWPSDlg::insert_columns()
{
    for (CQuickList* list : { &m_listAP, &m_listProfile }) {
        list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
        list->SetColumnStepping(false);
    }
    CBitmap strip;
    if (m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, kImageGrow) && strip.LoadBitmap(kImageBitmap))
        m_imageList.Add(&strip, kImageMask);
    insert(m_listAP, kApColumns);
    insert(m_listProfile, kProfileColumns);
}

// The band choice shows only when the option asks for it and never on newer systems.
void CPageWPSDlg::set_up_band_and_role()
{
    bool const band = G_VxWlLib.bSupportPhyModeinWps != 0 && G_VxWlLib.VXWL_GetWinOS() < kNewerSystem;
    show(IDC_BAND_LABEL, band);
    show(IDC_BAND, band);
    m_comboBand.ResetContent();
    for (std::string const* text : { &G_UiStr.IDS_WPS_BGFIRST, &G_UiStr.IDS_WPS_AFIRST, &G_UiStr.IDS_WPS_AUTO_PHY_MODE })
        m_comboBand.AddString(text->c_str());
    m_comboBand.SetCurSel(G_nPreferWpsBand);
    m_comboRole.ResetContent();
    m_comboRole.AddString(G_UiStr.IDS_ENROLLEE.c_str());
    m_comboRole.AddString(G_UiStr.IDS_REGISTRAR.c_str());
}

void CPageWPSDlg::read_stored_records()
{
    WPS_MODE mode {};
    WPS_PROFILE profile {};
    G_VxWlLib.VXWL_ReadWPSProfile(&mode, &profile);
    m_WpsProfile = ClampWpsProfile(profile);
    G_nConfigMode = mode.ConfigMode == WPS_ROLE_REGISTRAR ? WPS_ROLE_REGISTRAR : WPS_ROLE_ENROLLEE;
    std::memcpy(m_WpsBssid, mode.Bssid, sizeof m_WpsBssid);
    if (G_nConfigMode == WPS_ROLE_REGISTRAR)
        G_lPin = long(StoredPin(mode));
    m_comboRole.SetCurSel(G_nConfigMode);
}

// Registrar: the PIN is typed, the list holds the offered credential only (no Delete) and
// there is no device PIN to renew nor access point to pick automatically.
void CPageWPSDlg::apply_role_controls(bool registrar)
{
    m_editPin.SendMessage(EM_SETREADONLY, registrar ? FALSE : TRUE);
    show(IDC_DELETE, !registrar);
    enable(IDC_RENEW, !registrar);
    enable(IDC_AUTO_SELECT, !registrar);
    enable(IDC_AUTO_SELECT_LABEL, !registrar);
}

void CPageWPSDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CPageWPSDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

CWnd* CPageWPSDlg::ActionButton(int index)
{
    if (index < 0 || index >= kActionButtons || !m_hWnd)
        return nullptr;
    return GetDlgItem(kActionButtonIds[index]);
}

void CPageWPSDlg::enable(int id, bool on)
{
    if (HWND control = ::GetDlgItem(m_hWnd, id))
        ::EnableWindow(control, on ? TRUE : FALSE);
}

void CPageWPSDlg::show(int id, bool on)
{
    if (HWND control = ::GetDlgItem(m_hWnd, id))
        ::ShowWindow(control, on ? SW_SHOW : SW_HIDE);
}

bool CPageWPSDlg::radio_on() const
{
    VXWL_U32 hardware = 1, software = 1;
    G_VxWlLib.VXWL_QueryHWAndSWRadioState(&hardware, &software);
    return hardware && software;
}

bool CPageWPSDlg::may_change_profiles() const
{
    return G_VxWlLib.VXWL_GetWinOS() >= kNewerSystem || G_VxWlLib.VXWL_DetectUserAdmin() != 0
        || G_VxWlLib.VXWL_IsAllowStandardUserSetProfile() == 1;
}

int CPageWPSDlg::selected_row(CQuickList& list) const
{
    return list.m_hWnd ? list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

void CPageWPSDlg::exchange(LPARAM what)
{
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, DLG_MSG_EXCHANGE, PAGE_WPS_DLG, what);
}

// [SECTION] Lists

// The list shows only the SSID of a row whose BSSID text is the scan-wait marker, so the SSID
// carries the waiting text.
void CPageWPSDlg::ShowScanWait()
{
    ApRow row;
    row.strSSID = G_UiStr.IDS_SITESUR_SCAN_WAIT;
    row.strBSSID = kScanWait;
    m_arrApRows.assign(1, row);
    if (!m_ScanList.empty())
        std::memset(m_ScanList.data(), 0, sizeof(std::uint32_t));
    if (!m_listAP.m_hWnd)
        return;
    int const rows = static_cast<int>(m_arrApRows.size());
    m_listAP.SetItemCountEx(rows);
    m_listAP.RedrawItems(0, rows - 1);
}

void CPageWPSDlg::ClearListContainers()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::ClearListContainers\n");
    m_arrApRows.clear();
    if (!m_ScanList.empty())
        std::memset(m_ScanList.data(), 0, sizeof(std::uint32_t));
    if (m_listAP.m_hWnd)
        m_listAP.SetItemCountEx(0);
}

void CPageWPSDlg::RescanTimeEnd()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::RescanTimeEnd\n");
    BYTE const* cache = G_VxWlLib.pBssidList;
    std::uint32_t count = 0;
    if (cache)
        std::memcpy(&count, cache, sizeof count);
    if (count == 0 || m_ScanList.size() < kScanListBytes) {
        TraceMsg(TRACE_STEP, "[Kivra] BSSID list count is 0!\n");
        return;
    }
    // The cache may be merged again while the rows are built: work on a copy.
    std::vector<BYTE> const copy(cache, cache + kScanListBytes);
    WpsApLibrary library;
    library.frequency_to_channel = [](std::uint32_t khz) { return G_VxWlLib.VXWL_FrequencyToChannel(khz); };
    library.parse = [](NDIS_WLAN_BSSID_EX const* entry, IE_INFO_WPA* digest) {
        G_VxWlLib.VXWL_ParseInfoElement(entry, digest);
    };
    m_arrApRows = BuildWpsApRows(copy, G_nPreferWpsBand, library, m_ScanList);
    int const rows = int(m_arrApRows.size());
    if (m_comboBand.m_hWnd && m_comboBand.GetCurSel() >= 0)
        G_nPreferWpsBand = m_comboBand.GetCurSel();
    if (!m_listAP.m_hWnd)
        return;
    m_listAP.SetItemCountEx(rows);
    select_first(m_listAP, rows);
    if (rows > 0)
        m_listAP.RedrawItems(0, rows - 1);
}

void CPageWPSDlg::fetch_scan_list()
{
    if (m_ScanList.size() < kScanListBytes)
        return;
    QueryBssidList(m_ScanList.data());
    TraceBssidList(m_ScanList.data());
    G_VxWlLib.UpdateBssidList(m_ScanList.data());
}

void CPageWPSDlg::ForceUpdateBssidList()
{
    fetch_scan_list();
    RescanTimeEnd();
}

NDIS_WLAN_BSSID_EX const* CPageWPSDlg::EntryOfRow(int row) const
{
    if (row < 0 || row >= int(m_arrApRows.size()) || m_ScanList.empty())
        return nullptr;
    return WpsListEntry(m_ScanList, row);
}

void CPageWPSDlg::set_image(QuickCellRequest& cell, int image) const
{
    if (image < 0)
        return;
    cell.m_nImage = image;
    cell.m_hImageList = m_imageList.GetSafeHandle();
    cell.m_bCenterImage = 1;
}

void CPageWPSDlg::fill_ap_cell(QuickCellRequest& cell, ApRow const& row) const
{
    if (row.strSSID == kScanWait)
        return;
    if (row.strBSSID == kScanWait) {
        if (cell.m_nSubItem == AP_COL_SSID)
            cell.m_strText = row.strSSID.c_str();
        return;
    }
    switch (cell.m_nSubItem) {
    case AP_COL_STATE: set_image(cell, row.nState == 1 ? kImageConnected : -1); break;
    case AP_COL_ID: cell.m_strText.Format("ID : %s", row.strDevPwdId.c_str()); break;
    case AP_COL_SSID: cell.m_strText = row.strSSID.c_str(); break;
    case AP_COL_BSSID: cell.m_strText = row.strBSSID.c_str(); break;
    case AP_COL_CHANNEL: cell.m_strText = row.strChannel.c_str(); break;
    case AP_COL_SECURED: set_image(cell, row.bSecured ? kImageSecured : -1); break;
    default: break;
    }
}

void CPageWPSDlg::fill_profile_cell(QuickCellRequest& cell, ProfileRow const& row) const
{
    switch (cell.m_nSubItem) {
    case PROF_COL_STATE: set_image(cell, row.nState == 0 ? kImageConnected : row.nState == 1 ? kImageTried : -1); break;
    case PROF_COL_SSID: cell.m_strText = row.strSSID.c_str(); break;
    case PROF_COL_BSSID: cell.m_strText = row.strSecond.c_str(); break;
    case PROF_COL_SECURED: set_image(cell, row.bSecured ? kImageSecured : -1); break;
    default: break;
    }
}

LRESULT CPageWPSDlg::OnCellRequest(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0)
        return 0;
    auto const item = static_cast<size_t>(cell->m_nItem);
    HWND const list = reinterpret_cast<HWND>(wParam);
    if (list == m_listAP.m_hWnd && item < m_arrApRows.size())
        fill_ap_cell(*cell, m_arrApRows[item]);
    else if (list == m_listProfile.m_hWnd && item < m_arrProfileRows.size())
        fill_profile_cell(*cell, m_arrProfileRows[item]);
    return 0;
}

void CPageWPSDlg::DisplayWPSProfile()
{
    m_arrProfileRows.clear();
    std::uint32_t const count = std::min(m_WpsProfile.ProfileCnt, WPS_MAX_CREDENTIALS);
    for (std::uint32_t i = 0; i < count; ++i) {
        WPS_CREDENTIAL const& c = m_WpsProfile.Profile[i];
        m_arrProfileRows.push_back(ProfileRow { -1, WpsSsidText(c), "", IsWpsCredentialSecured(c) ? 1 : 0 });
    }
    if (!m_listProfile.m_hWnd)
        return;
    int const rows = int(m_arrProfileRows.size());
    m_listProfile.SetItemCountEx(rows);
    select_first(m_listProfile, rows);
    if (rows > 0)
        m_listProfile.RedrawItems(0, rows - 1);
}

void CPageWPSDlg::MarkWpsProfileRow(int row, int value)
{
    for (ProfileRow& r : m_arrProfileRows)
        r.nState = -1;
    if (row >= 0 && row < int(m_arrProfileRows.size()))
        m_arrProfileRows[std::size_t(row)].nState = value;
    if (m_listProfile.m_hWnd && !m_arrProfileRows.empty())
        m_listProfile.RedrawItems(0, int(m_arrProfileRows.size()) - 1);
}

void CPageWPSDlg::UpdateWpsButtons()
{
    if (!m_hWnd)
        return;
    bool const radio = radio_on();
    bool const ap_row = selected_row(m_listAP) >= 0;
    enable(IDC_INFORMATION, ap_row);
    enable(IDC_PIN, ap_row || m_bAutoSelect);
    bool const profile_row = selected_row(m_listProfile) >= 0;
    enable(IDC_DETAIL, profile_row);
    enable(IDC_CONNECT, profile_row && radio);
    enable(IDC_DELETE, profile_row && may_change_profiles());
    enable(IDC_ROTATE, m_WpsProfile.ProfileCnt != 0 && radio);
    enable(IDC_PBC, G_nConfigMode != WPS_ROLE_REGISTRAR && radio);
}

void CPageWPSDlg::OnListClick(NMHDR*, LRESULT* pResult)
{
    UpdateWpsButtons();
    if (pResult)
        *pResult = 0;
}

// [SECTION] Records

void CPageWPSDlg::WriteBackWpsProfiletoRegistry()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageWPSDlg::WriteBackWpsProfiletoRegistry\n");
    StoredWps const stored = StoredWpsRecords(m_WpsProfile, G_nConfigMode, std::uint32_t(G_lPin), m_WpsBssid,
        G_nWpsApChannel);
    TraceMsg(TRACE_DUMP, "[Kivra] struct WPS_MODE:\n");
    TraceMsg(TRACE_DUMP, "[Kivra] ConfigMode = %d, Channel = %d, PIN = %.8s\n", int(stored.mode.ConfigMode),
        int(stored.mode.Channel), stored.mode.PIN);
    TraceMsg(TRACE_DUMP, "[Kivra] struct WPS_PROFILE:\n");
    TraceMsg(TRACE_DUMP, "[Kivra] ProfileCnt = %u\n", stored.profile.ProfileCnt);
    for (std::uint32_t i = 0; i < stored.profile.ProfileCnt; ++i) {
        WPS_CREDENTIAL const& c = stored.profile.Profile[i];
        TraceMsg(TRACE_DUMP, "[Kivra] struct WPS_CREDENTIAL:\n");
        TraceMsg(TRACE_DUMP, "[Kivra] Ssid = %s, AuthType = %u, EncrType = %u, KeyIndex = %u, KeyLength = %u\n",
            WpsSsidText(c).c_str(), c.AuthType, c.EncrType, c.KeyIndex, c.KeyLength);
    }
    G_VxWlLib.VXWL_WriteWPSProfile(stored.mode, stored.profile);
}

BOOL CPageWPSDlg::CheckEditPinCode()
{
    CString text;
    m_editPin.GetWindowText(text);
    std::uint32_t pin = 0;
    switch (CheckPinText(text.GetString(), pin)) {
    case PinTextCheck::Valid:
        G_lPin = long(pin);
        WriteBackWpsProfiletoRegistry();
        return TRUE;
    case PinTextCheck::WrongLength:
        m_editPin.SetFocus();
        if (CInfoWnd* hint = m_editPin.info_window())
            hint->PopUpText(&m_editPin, "Invaild Pin Code");
        return FALSE;
    case PinTextCheck::WrongCheckDigit:
        ShowMessageBox("Pin Code error");
        m_editPin.SetFocus();
        return FALSE;
    }
    return FALSE;
}

// [SECTION] Buttons

void CPageWPSDlg::OnWpsRescan()
{
    for (int id : { IDC_RESCAN, IDC_INFORMATION, IDC_PIN, IDC_PBC, IDC_DETAIL, IDC_CONNECT, IDC_ROTATE })
        enable(id, false);
    G_VxWlLib.VXWL_SiteSurveyScan(FuncScanFinished);
}

LRESULT CPageWPSDlg::OnScanFail(WPARAM, LPARAM)
{
    if (radio_on()) {
        enable(IDC_RESCAN, true);
        enable(IDC_PBC, true);
    }
    UpdateWpsButtons();
    return 0;
}

void CPageWPSDlg::OnSelchangeBand()
{
    G_nPreferWpsBand = m_comboBand.GetCurSel();
    OnWpsRescan();
    G_VxWlLib.VXWL_SetPreferWPSAPPhyType(G_nPreferWpsBand);
}

void CPageWPSDlg::OnWpsInformation()
{
    if (selected_row(m_listAP) < 0) {
        ShowMessageBox(G_UiStr.IDS_NOSELECTEDITEM);
        return;
    }
    std::uint32_t count = 0;
    std::memcpy(&count, m_ScanList.data(), sizeof count);
    if (count == 0)
        return;
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, MSG_SHOW_WPSINFO, 1, 0);
}

void CPageWPSDlg::fill_detail_strings(WPS_CREDENTIAL const& c)
{
    m_strSSID = WpsSsidText(c).c_str();
    m_strBSSID.Format("%02X-%02X-%02X-%02X-%02X-%02X", c.MacAddr[0], c.MacAddr[1], c.MacAddr[2], c.MacAddr[3],
        c.MacAddr[4], c.MacAddr[5]);
    m_strAuth = WpsAuthText(c.AuthType).c_str();
    m_strEncr = WpsEncrText(c.EncrType).c_str();
    m_nKeyLength = 0;
    m_nKeyIndex = 0;
    m_strKeyHex.Empty();
    m_strKeyAscii.Empty();
    if (c.AuthType == 1 && c.EncrType == 1)
        return;
    m_nKeyLength = int(std::min<std::uint32_t>(c.KeyLength, sizeof c.Key));
    m_nKeyIndex = int(c.KeyIndex & 0x7FFFFFFF) + 1;
    if (c.EncrType != 2)
        return;
    WepKeyForms const forms = MakeWepKeyForms(std::string(reinterpret_cast<char const*>(c.Key), std::size_t(m_nKeyLength)));
    m_strKeyHex = forms.hex.c_str();
    m_strKeyAscii = forms.ascii.c_str();
}

void CPageWPSDlg::OnWpsDetail()
{
    int row = selected_row(m_listProfile);
    if (row < 0) {
        TraceMsg(TRACE_STEP, "[Kivra] No WPS profile is selected!\n");
        return;
    }
    if (G_nConfigMode == WPS_ROLE_REGISTRAR)
        row = 0;
    if (std::uint32_t(row) >= std::min(m_WpsProfile.ProfileCnt, WPS_MAX_CREDENTIALS))
        return;
    fill_detail_strings(m_WpsProfile.Profile[row]);
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, MSG_SHOW_WPSPROFILE, 1, 0);
}

void CPageWPSDlg::OnWpsImport() { exchange(kWpsImportProfile); }

void CPageWPSDlg::OnWpsRenew()
{
    UpdateData(TRUE);
    m_nDevicePin = GenerateDevPwd();
    G_lPin = long(m_nDevicePin);
    m_strPin.Format("%08ld", G_lPin);
    WriteBackWpsProfiletoRegistry();
    UpdateData(FALSE);
}

void CPageWPSDlg::OnAutoSelect()
{
    UpdateData(TRUE);
    enable(IDC_PIN, m_bAutoSelect == 1 || selected_row(m_listAP) >= 0);
}

void CPageWPSDlg::OnSelchangeConfigMode()
{
    int const role = m_comboRole.GetCurSel();
    if (role < 0 || role == G_nConfigMode)
        return;
    bool const radio = radio_on();
    OnWpsDisconnect();
    G_nConfigMode = role;
    m_nCurProfile = 0;
    m_WpsProfile = WPS_PROFILE {};
    bool const registrar = role == WPS_ROLE_REGISTRAR;
    if (registrar) {
        enable(IDC_PBC, false);
        std::uint8_t address[6] {};
        G_VxWlLib.VXWL_QueryCurrAddress(address);
        m_WpsProfile = GenerateRegistrarProfile(address);
    } else {
        enable(IDC_PBC, radio);
        G_lPin = long(m_nDevicePin);
        m_strPin.Format("%08ld", G_lPin);
        SetDlgItemText(IDC_PIN_EDIT, m_strPin);
    }
    WriteBackWpsProfiletoRegistry();
    DisplayWPSProfile();
    apply_role_controls(registrar);
}

// Removes credential `row`; the indexes that point at credentials move with them, and none is
// left at or above the new count (the connection watch would compare the wrong credential).
void CPageWPSDlg::delete_credential(int row)
{
    std::uint32_t const count = std::min(m_WpsProfile.ProfileCnt, WPS_MAX_CREDENTIALS);
    if (row < 0 || std::uint32_t(row) >= count)
        return;
    std::copy(m_WpsProfile.Profile + row + 1, m_WpsProfile.Profile + count, m_WpsProfile.Profile + row);
    m_WpsProfile.Profile[count - 1] = WPS_CREDENTIAL {};
    m_WpsProfile.ProfileCnt = count - 1;
    int const left = int(count - 1);
    auto const follow = [&](int& index) {
        if (index > row)
            --index;
        else if (index == row)
            index = 0;
        if (index < 0 || index >= left)
            index = 0;
    };
    follow(m_nCurProfile);
    follow(G_nCurWpsProfile);
    follow(G_nRotateWpsProfile);
    if (left == 0) {
        m_strStatus.Empty();
        SetDlgItemText(IDC_STATUS, "");
        m_progress.SetPos(0);
    }
}

void CPageWPSDlg::OnWpsDelete()
{
    int const row = selected_row(m_listProfile);
    if (row < 0) {
        TraceMsg(TRACE_STEP, "[Kivra] No WPS profile is selected!\n");
        return;
    }
    VXWL_U32 flag = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&flag);
    bool const active = !G_bRotateProfile && flag == 1 && row == m_nCurProfile;
    bool const newer = G_VxWlLib.VXWL_GetWinOS() >= kNewerSystem;
    if (newer && active) {
        TraceMsg(TRACE_STEP,
            "[Kivra] G_bRotateProfile is FALSE, WPS flag is TRUE, CurActiveWPSProfile is SelDelWPSProfile\n");
        StopWpsRoutine(TRUE);
        G_VxWlLib.VXWL_WPSDisconnect();
        G_bRotateProfile = FALSE;
    }
    delete_credential(row);
    WriteBackWpsProfiletoRegistry();
    DisplayWPSProfile();
    if (!newer && active)
        OnWpsDisconnect();
    UpdateWpsButtons();
}
