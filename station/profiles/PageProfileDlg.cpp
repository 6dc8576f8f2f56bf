// CPageProfileDlg: building the page, the rows of the list and their cells, and the active
// row's mark. The detail panel is in PageProfileDetail.cpp, the buttons in
// PageProfileActions.cpp.
#include "station/profiles/PageProfileDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "wlan/profile/ProfileFields.h"

#include <cstring>

namespace {

struct ColumnSpec {
    char const* title;
    int format;
    double fraction; // of the list's width
};

constexpr ColumnSpec kColumns[] = {
    { "", LVCFMT_CENTER, 0.04 },
    { "ID", LVCFMT_LEFT, 0.08 },
    { "NAME", LVCFMT_LEFT, 0.20 },
    { "SSID", LVCFMT_LEFT, 0.56 },
    { "", LVCFMT_CENTER, 0.04 },
    { "", LVCFMT_CENTER, 0.04 },
};

constexpr int kImageGrow = 24;
constexpr COLORREF kImageMask = RGB(255, 255, 255);
constexpr int kTitleHeight = 16;

}

BEGIN_MESSAGE_MAP(CPageProfileDlg, CResizeDlg)
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_NOTIFY(NM_CLICK, IDC_LIST, OnClickList)
    ON_MESSAGE(QLN_CELLREQUEST, OnGetCellText)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ACTIVATE, OnActivate)
    ON_BN_CLICKED(IDC_IMPORT, OnImport)
    ON_BN_CLICKED(IDC_EXPORT, OnExport)
END_MESSAGE_MAP()

CPageProfileDlg::CPageProfileDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
    , m_texts(station::profiles::ProfileTexts::FromUiStrings())
{
}

CPageProfileDlg::~CPageProfileDlg() = default;

void CPageProfileDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TITLE, m_title);
    DDX_Control(pDX, IDC_LIST, m_listProfile);
    DDX_Control(pDX, IDC_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_EDIT, m_btnEdit);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_ACTIVATE, m_btnActivate);
    DDX_Control(pDX, IDC_IMPORT, m_btnImport);
    DDX_Control(pDX, IDC_EXPORT, m_btnExport);
}

// [SECTION] Building

BOOL CPageProfileDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_fontTitle.CreateFont(kTitleHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    m_title.SetFont(&m_fontTitle);
    set_up_list();
    set_texts();
    RefreshProfileList(TRUE);
    if (!user_allowed())
        enable({ IDC_ADD, IDC_EDIT, IDC_DELETE, IDC_IMPORT, IDC_EXPORT }, false);
    m_nTimer = SetTimer(TIMER_ACTIVE_MARK, kActiveMarkMs);
    return TRUE;
}

void CPageProfileDlg::set_texts()
{
    auto const& s = G_UiStr;
    struct Text {
        int id;
        std::string const& text;
    } const texts[] = {
        { IDC_TITLE, s.IDS_PROFILE_LIST }, { IDC_ADD, s.IDS_PROF_ADD }, { IDC_EDIT, s.IDS_PROF_EDIT },
        { IDC_DELETE, s.IDS_PROF_DEL }, { IDC_ACTIVATE, s.IDS_PROF_ACTIVATE }, { IDC_IMPORT, s.IDS_PROF_IMPORT },
        { IDC_EXPORT, s.IDS_PROF_EXPORT }, { IDC_PROFILE_LABEL, s.IDS_PROF_PROFILE }, { IDC_SSID_LABEL, s.IDS_PROF_SSID },
        { 1046, s.IDS_PROF_NETTYPE }, { 1047, s.IDS_PROF_AUTH }, { 1048, s.IDS_PROF_ENCRYP }, { 1049, s.IDS_PROF_USE8021X },
        { 1050, s.IDS_PROF_TX_POWER }, { 1051, s.IDS_PROF_CHANNEL }, { 1052, s.IDS_PROF_POWER_SAVE_MODE },
        { 1053, s.IDS_PROF_RTS_THRESHOLD }, { 1054, s.IDS_PROF_FRAG_THRESHOLD },
    };
    for (Text const& t : texts)
        SetDlgItemText(t.id, t.text.c_str());
    for (CShadeButtonST* button : { &m_btnAdd, &m_btnEdit, &m_btnDelete, &m_btnActivate, &m_btnImport, &m_btnExport }) {
        button->m_bLeftAlignedText = FALSE;
        button->ConfigureShading(2, 8, 10, 0, 0, 0, 0);
    }
}

void CPageProfileDlg::set_up_list()
{
    m_listProfile.SetExtendedStyle(m_listProfile.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CBitmap strip;
    if (m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, kImageGrow) && strip.LoadBitmap(kImageBitmap))
        m_imageList.Add(&strip, kImageMask);
    CRect rect;
    m_listProfile.GetWindowRect(&rect);
    int index = 0;
    for (ColumnSpec const& c : kColumns)
        m_listProfile.InsertColumn(index++, c.title, c.format, static_cast<int>(rect.Width() * c.fraction));
}

void CPageProfileDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CPageProfileDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

void CPageProfileDlg::OnDestroy()
{
    if (m_nTimer)
        KillTimer(TIMER_ACTIVE_MARK);
    m_nTimer = 0;
    CResizeDlg::OnDestroy();
}

// [SECTION] Rows

void CPageProfileDlg::RefreshProfileList(BOOL bSelectFirst)
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageProfileDlg::RefreshProfileList\n");
    m_aryProfile.clear();
    VXWL_U32 count = 0;
    G_VxWlLib.VXWL_ReadProfileList(nullptr, &count);
    std::vector<WLANPROFILE> records(count);
    // The list may have grown between the two calls: the second call then answers -10 and the
    // count it needs, and the page shows none rather than read past its buffer.
    if (count > 0 && G_VxWlLib.VXWL_ReadProfileList(records.data(), &count) != VXWL_ERROR_SUCCESS)
        count = 0;
    records.resize(std::min<std::size_t>(count, records.size()));
    bool active_listed = false;
    for (WLANPROFILE const& p : records) {
        ProfileListItem row;
        row.strID.Format("%u", p.nProfileID);
        row.strName = wlan::profile::name_of(p).c_str();
        row.strSSID = wlan::profile::read_ssid(p).c_str();
        row.bSecured = !(p.enumAuthenMode == AUTH_OPEN && p.enumEncryStatus == ENC_NONE);
        row.nNetworkType = station::profiles::NetworkIndex(p.enumNetworkType);
        active_listed = active_listed || row.strName.CompareNoCase(m_strProfile) == 0;
        m_aryProfile.push_back(row);
    }
    if (bSelectFirst == 1 && RowCount() > 0)
        select_row(0);
    show_row_count();
    bool const rows = RowCount() > 0;
    if (rows && !active_listed)
        m_strProfile.Empty();
    enable({ IDC_DELETE, IDC_EDIT, IDC_ACTIVATE, IDC_EXPORT }, rows);
    if (!user_allowed())
        enable({ IDC_ADD, IDC_DELETE, IDC_EDIT, IDC_IMPORT, IDC_EXPORT }, false);
}

void CPageProfileDlg::show_row_count()
{
    if (!m_listProfile.m_hWnd)
        return;
    m_listProfile.SetItemCountEx(RowCount());
    if (RowCount() > 0)
        m_listProfile.RedrawItems(m_listProfile.GetTopIndex(), RowCount() - 1);
    m_listProfile.Invalidate();
}

LRESULT CPageProfileDlg::OnGetCellText(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (cell && cell->m_nItem >= 0 && cell->m_nItem < RowCount())
        fill_cell(*cell, Row(cell->m_nItem));
    return 0;
}

void CPageProfileDlg::fill_cell(QuickCellRequest& cell, ProfileListItem const& row) const
{
    int image = -1;
    switch (cell.m_nSubItem) {
    case COL_MARK: image = row.nMark == 0 ? IMAGE_CONNECTED : row.nMark == 1 ? IMAGE_ACTIVE : -1; break;
    case COL_ID: cell.m_strText = row.strID; break;
    case COL_NAME: cell.m_strText = row.strName; break;
    case COL_SSID: cell.m_strText = row.strSSID; break;
    case COL_SECURED: image = row.bSecured ? IMAGE_SECURED : -1; break;
    case COL_NETWORK: image = row.nNetworkType == 0 ? IMAGE_ADHOC : IMAGE_INFRASTRUCTURE; break;
    default: break;
    }
    if (image >= 0) {
        cell.m_nImage = image;
        cell.m_hImageList = m_imageList.GetSafeHandle();
        cell.m_bCenterImage = 1;
    }
}

// [SECTION] The active row's mark

void CPageProfileDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_ACTIVE_MARK)
        UpdateActiveMark();
}

int CPageProfileDlg::mark_row() const
{
    if (m_strProfile.IsEmpty())
        return -1;
    for (int i = 0; i < RowCount(); ++i)
        if (Row(i).strName.CompareNoCase(m_strProfile) == 0)
            return i;
    return -1;
}

void CPageProfileDlg::UpdateActiveMark()
{
    int const found = mark_row();
    if (found < 0)
        return;
    WLAN_STATUS link {};
    WLAN_STATUS_REQUEST request {};
    request.Switch[1] = 1;
    G_VxWlLib.VXWL_QueryWLANStatus(&link, request);
    VXWL_U32 wps = 0;
    G_VxWlLib.VXWL_ReadWPSFlag(&wps);
    ProfileListItem const& row = Row(found);
    int mark = 1;
    if (auto const early = station::profiles::LinkMark(link, wps != 0, m_bActiveProfile != 0, row.strSSID.str()))
        mark = *early;
    else {
        WLANPROFILE record {};
        G_VxWlLib.VXWL_ReadProfileData(&record, row.strName);
        bool const adhoc = station::profiles::NetworkIndex(record.enumNetworkType) == 0;
        mark = station::profiles::ProfileMark(adhoc, adhoc ? G_VxWlLib.VXWL_FrequencyToChannel(VXWL_U32(record.lFreq)) : 0,
            adhoc ? G_VxWlLib.VXWL_FrequencyToChannel(link.FrequencyKHz) : 0);
    }
    if (G_VxWlLib.VXWL_GetWinOS() >= 10 && G_VxWlLib.bActiveProfileIcon != 1)
        return;
    for (ProfileListItem& r : m_aryProfile)
        r.nMark = -1;
    m_aryProfile[std::size_t(found)].nMark = mark;
    if (m_listProfile.m_hWnd && RowCount() > 0)
        m_listProfile.RedrawItems(m_listProfile.GetTopIndex(), RowCount() - 1);
}
