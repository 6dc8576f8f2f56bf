#include "station/survey/AuthenStatusDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/controls/QuickListRecords.h"
#include "station/core/AuthStatusRing.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"

#include <cstring>

using station::core::AuthStatusRing;

namespace {

// What the window tells the configuration window with MSG_SHOW_AUTHSTATUS (0, lParam).
constexpr LPARAM kClosedByOk = 0;
constexpr LPARAM kStopped = 2;
constexpr LPARAM kRunEnded = 3;
// The list scrolls this many pixels per line listed, so that the newest is in view.
constexpr int kScrollPerLine = 25;
constexpr std::size_t kDescriptionSize = 256;
constexpr std::size_t kProfileNameSize = 128;
// The SSID record Stop hands the library: every byte 0x10, which it reads as "stay
// disassociated".
constexpr std::uint8_t kStayDisassociated = 0x10;

}

BEGIN_MESSAGE_MAP(CAuthenStatusDlg, CResizeDlg)
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_BN_CLICKED(CAuthenStatusDlg::IDC_STOP, OnStop)
ON_BN_CLICKED(CAuthenStatusDlg::IDC_OK, OnClickOK)
ON_MESSAGE(WM_AUTH_STATUS_LINE, OnStatusLine)
ON_MESSAGE(QLN_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

CAuthenStatusDlg::CAuthenStatusDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CAuthenStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HEADING, m_heading);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_STOP, m_btnStop);
    DDX_Control(pDX, IDC_OK, m_btnOK);
    DDX_Text(pDX, IDC_CARDNAME, m_strCardName);
    DDX_Text(pDX, IDC_PROFILENAME, m_strProfileName);
}

// [SECTION] Building

BOOL CAuthenStatusDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    struct Text {
        int id;
        std::string const& text;
    } const texts[] = { { IDC_HEADING, G_UiStr.IDS_AUTHEN_STATUS }, { IDC_CARDNAME, G_UiStr.IDS_STATIC_CARDNAME },
        { IDC_PROFILENAME, G_UiStr.IDS_STATIC_PROFILENAME } };
    for (Text const& t : texts) {
        SetCtrlText(m_hWnd, ::GetDlgItem(m_hWnd, t.id), t.text);
        if (CWnd* control = GetDlgItem(t.id))
            control->SetFont(&m_font);
    }
    set_up_list();
    set_up_buttons();
    m_nLineCount = 0;
    AuthStatusRing::the().set_window(m_hWnd);
    Reset();
    return TRUE;
}

void CAuthenStatusDlg::set_up_list()
{
    m_list.ShowWindow(SW_SHOW);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    m_list.SetColumnStepping(false);
    CRect rect;
    m_list.GetWindowRect(&rect);
    m_list.InsertColumn(0, "Time", LVCFMT_RIGHT, rect.Width() * 30 / 100);
    m_list.InsertColumn(1, "Description", LVCFMT_LEFT, rect.Width() * 70 / 100);
    m_list.SetFont(&m_font);
}

// Stop sits centred across the window; OK is hidden.
void CAuthenStatusDlg::set_up_buttons()
{
    struct Face {
        CShadeButtonST& button;
        std::string const& text;
    };
    for (Face const& f : { Face { m_btnStop, G_UiStr.IDS_CANCEL }, Face { m_btnOK, G_UiStr.IDS_OK } }) {
        f.button.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
        f.button.SetWindowText(f.text.c_str());
        f.button.SetFont(&m_font);
    }
    CRect client;
    GetClientRect(&client);
    CRect stop;
    m_btnStop.GetWindowRect(&stop);
    ScreenToClient(&stop);
    m_btnStop.MoveWindow((client.Width() - stop.Width()) / 2, stop.top, stop.Width(), stop.Height());
    m_btnOK.ShowWindow(SW_HIDE);
}

void CAuthenStatusDlg::OnDestroy()
{
    if (AuthStatusRing::the().window() == m_hWnd)
        AuthStatusRing::the().set_window(nullptr);
    CResizeDlg::OnDestroy();
}

// [SECTION] Texts

void CAuthenStatusDlg::Reset()
{
    m_lines.clear();
    if (m_list.m_hWnd) {
        m_list.SetItemCountEx(0);
        m_list.DeleteAllItems();
    }
    AuthStatusRing::the().reset();
    m_strProfileName.Empty();
    read_adapter_texts();
    if (m_hWnd)
        UpdateData(FALSE);
}

// The card and profile texts from the adapter's description and the active profile; both
// stay as they are when the description cannot be read.
void CAuthenStatusDlg::read_adapter_texts()
{
    char description[kDescriptionSize] {};
    if (G_VxWlLib.VXWL_ReadDriverDesc(description) != 1)
        return;
    char name[kProfileNameSize] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    std::string const card(description, ::strnlen(description, sizeof description));
    std::string const profile(name, ::strnlen(name, sizeof name));
    m_strCardName = (G_UiStr.IDS_STATIC_CARDNAME + " " + card).c_str();
    m_strProfileName = (G_UiStr.IDS_STATIC_PROFILENAME + " " + profile).c_str();
}

void CAuthenStatusDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (bShow)
        m_nTimer = SetTimer(TIMER_REFRESH, kRefreshMs);
    else
        KillTimer(TIMER_REFRESH);
}

void CAuthenStatusDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_REFRESH) {
        KillTimer(TIMER_REFRESH);
        m_strProfileName = G_UiStr.IDS_CONNECTED_FROM.c_str();
        read_adapter_texts();
        UpdateData(FALSE);
        m_nTimer = SetTimer(TIMER_REFRESH, kRefreshMs);
    }
    CResizeDlg::OnTimer(nIDEvent);
}

void CAuthenStatusDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CAuthenStatusDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

// [SECTION] Lines

LRESULT CAuthenStatusDlg::OnStatusLine(WPARAM wParam, LPARAM)
{
    int const slot = int(wParam);
    m_nCurrentSlot = slot;
    if (slot < 0 || slot >= AuthStatusRing::kSlots)
        return 0;
    std::string const text = AuthStatusRing::the().slot(slot);
    if (text == "OK") {
        AuthStatusRing::the().reset();
        m_nCurrentSlot = 0;
        send_to_window(kRunEnded);
        return 0;
    }
    AppendLine(text.c_str());
    return 0;
}

void CAuthenStatusDlg::AppendLine(const char* line)
{
    std::string const text = line && *line ? line : "NULL STRING";
    SYSTEMTIME now {};
    ::GetLocalTime(&now);
    CString time;
    time.Format("%02d:%02d:%02d.%03d ", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    m_lines.push_back({ time, text.c_str() });
    ++m_nLineCount;
    TraceMsg(TRACE_STEP, "[Kivra] --> CAuthenStatusDlg::AppendLine(%s)\n", text.c_str());
    if (m_list.m_hWnd) {
        m_list.SetItemCountEx(int(m_lines.size()));
        m_list.RedrawItems(0, 3);
        m_list.Scroll(CSize(0, kScrollPerLine * m_nLineCount));
    }
    ::Sleep(kLinePauseMs);
}

LRESULT CAuthenStatusDlg::OnCellRequest(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<QuickCellRequest*>(lParam);
    if (!cell || cell->m_nItem < 0 || std::size_t(cell->m_nItem) >= m_lines.size())
        return 0;
    Line const& line = m_lines[std::size_t(cell->m_nItem)];
    if (cell->m_nSubItem == 0)
        cell->m_strText = line.time;
    else if (cell->m_nSubItem == 1)
        cell->m_strText.Format("%s", line.text.GetString());
    return 0;
}

// [SECTION] Buttons

void CAuthenStatusDlg::OnStop()
{
    send_to_window(kStopped);
    G_VxWlLib.VXWL_StopAuth();
    G_VxWlLib.VXWL_Disassociate();
    NDIS_802_11_SSID none;
    std::memset(&none, kStayDisassociated, sizeof none);
    G_VxWlLib.VXWL_SetSSID(none);
    m_nCurrentSlot = 0;
    Reset();
}

void CAuthenStatusDlg::OnClickOK()
{
    send_to_window(kClosedByOk);
    Reset();
}

void CAuthenStatusDlg::send_to_window(LPARAM lParam) const
{
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, MSG_SHOW_AUTHSTATUS, 0, lParam);
}
