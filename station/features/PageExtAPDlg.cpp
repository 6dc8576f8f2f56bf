#include "station/features/PageExtAPDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/features/extap/ExtAPRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kSsidLimit = 32;
constexpr int kKeyLimit = 64;
constexpr int kMaxPeersLow = 1;
constexpr int kMaxPeersHigh = 32;
constexpr int kOpModeAccessPoint = 1;
constexpr int kChannelBytes = 64;
// The channels of the 5 GHz plan's 40 MHz centres, which the list never offers.
constexpr int kUnlisted[] = { 34, 38, 42, 46 };

// The value of a text made of decimal digits only, up to `limit`; -1 for any other text
// ("12abc" is not 12).
int digits_value(std::string const& text, int limit)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    auto const first = text.find_first_not_of('0');
    std::string const significant = first == std::string::npos ? "0" : text.substr(first);
    if (significant.size() > 9)
        return -1;
    int const value = std::stoi(significant);
    return value <= limit ? value : -1;
}

CString dotted(BYTE const (&address)[4])
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", address[0], address[1], address[2], address[3]);
    return text;
}

}

BEGIN_MESSAGE_MAP(CPageExtAPDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_BN_CLICKED(CPageExtAPDlg::IDC_SHOW_PASSWORD, OnShowPassword)
ON_BN_CLICKED(CPageExtAPDlg::IDC_APPLY, OnApply)
END_MESSAGE_MAP()

CPageExtAPDlg::CPageExtAPDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageExtAPDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_CHANNEL, m_comboChannel);
    DDX_Text(pDX, IDC_SSID, m_strSSID);
    DDX_Text(pDX, IDC_KEY, m_strKey);
    DDX_CBString(pDX, IDC_CHANNEL, m_strChannel);
    DDX_Text(pDX, IDC_MAX_PEERS, m_strMaxPeers);
    DDX_Text(pDX, IDC_AUTH, m_strAuth);
    DDX_Text(pDX, IDC_ENCRYPTION, m_strEncryption);
    DDX_Text(pDX, IDC_IP, m_strIP);
    DDX_Check(pDX, IDC_SHOW_PASSWORD, m_bShowPassword);
}

BOOL CPageExtAPDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0,
        G_UiStr.strFaceName.c_str());
    init_texts();
    SendDlgItemMessage(IDC_SSID, EM_LIMITTEXT, kSsidLimit);
    SendDlgItemMessage(IDC_KEY, EM_LIMITTEXT, kKeyLimit);
    show_password();
    load();
    UpdateData(FALSE);
    return TRUE;
}

void CPageExtAPDlg::init_texts()
{
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_SSID_LABEL, G_UiStr.IDS_PROF_SSID }, { IDC_CHANNEL_LABEL, G_UiStr.IDS_PROF_CHANNEL },
        { IDC_KEY_LABEL, G_UiStr.IDS_KEY_MATERIAL }, { IDC_SHOW_PASSWORD_LABEL, G_UiStr.IDS_SHOW_PASSWORD },
        { IDC_MAX_PEERS_LABEL, G_UiStr.IDS_EXTAP_MAX_CLIENT }, { IDC_AUTH_LABEL, G_UiStr.IDS_AUTHTYPE },
        { IDC_ENCRYPTION_LABEL, G_UiStr.IDS_ENCRYP_TYPE }, { IDC_IP_LABEL, G_UiStr.IDS_LINK_IP_ADDR } };
    for (Label const& l : labels)
        SetDlgItemText(l.id, l.text.c_str());
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
    m_btnApply.SetWindowText(G_UiStr.IDS_APPLY.c_str());
    m_btnApply.m_bLeftAlignedText = FALSE;
    m_btnApply.ConfigureShading(2, 8, 10, 0, 0, 0, 0);
}

// A failed read leaves the texts as they were.
void CPageExtAPDlg::load()
{
    ExtAPConfig record {};
    if (G_VxWlLib.VXWL_ReadExtAPConfig(&record) != VXWL_ERROR_SUCCESS)
        return;
    m_strSSID = ExtAPSsidText(record);
    m_strKey = ExtAPKeyText(record);
    m_strChannel.Format("%d", static_cast<int>(record.Channel));
    m_strMaxPeers.Format("%d", static_cast<int>(record.MaxPeers));
    m_strIP = dotted(record.IpAddress);
}

void CPageExtAPDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

LRESULT CPageExtAPDlg::OnNcHitTest(CPoint) { return PageNcHitTest(*this); }

void CPageExtAPDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        hide_dlg_services().show_sub_dialog(kDefaultLowerChild);
        if (m_nTimer)
            KillTimer(m_nTimer);
        m_nTimer = 0;
        return;
    }
    load();
    UpdateData(FALSE);
    hide_dlg_services().show_sub_dialog(kStationTable);
    fill_channels();
    show_channel_controls();
    m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

// The adapter's channels for its wireless mode, without the four unlisted ones; the page's
// channel is selected, else the first entry.
void CPageExtAPDlg::fill_channels()
{
    int mode = 0;
    G_VxWlLib.VXWL_QueryWirelessMode(&mode);
    int adhoc_mode = 0;
    G_VxWlLib.VXWL_ConvertPhyModeToAdHocMode(mode, &adhoc_mode);
    std::uint8_t channels[kChannelBytes] {};
    int count = 0;
    G_VxWlLib.VXWL_GetAvailableChannels(0, mode, adhoc_mode, channels, &count, 1);
    m_comboChannel.ResetContent();
    int selected = 0;
    for (int i = 0; i < std::clamp(count, 0, kChannelBytes); ++i) {
        int const channel = channels[i];
        if (std::find(std::begin(kUnlisted), std::end(kUnlisted), channel) != std::end(kUnlisted))
            continue;
        char text[8];
        std::snprintf(text, sizeof text, "%d", channel);
        int const index = m_comboChannel.AddString(text);
        if (m_strChannel == text)
            selected = index;
    }
    m_comboChannel.SetCurSel(selected);
}

void CPageExtAPDlg::show_channel_controls()
{
    int const show = G_VxWlLib.VXWL_QueryOPMode() == kOpModeAccessPoint ? SW_SHOW : SW_HIDE;
    for (int id : { int(IDC_CHANNEL_LABEL), int(IDC_CHANNEL) })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), show);
}

void CPageExtAPDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRefreshTimer) {
        CResizeDlg::OnTimer(nIDEvent);
        return;
    }
    ExtAPConfig record {};
    if (G_VxWlLib.VXWL_ReadExtAPConfig(&record) == VXWL_ERROR_SUCCESS)
        m_strIP = dotted(record.IpAddress);
    SetDlgItemText(IDC_IP, m_strIP);
}

void CPageExtAPDlg::OnShowPassword()
{
    UpdateData(TRUE);
    show_password();
}

// Without the ShowPassword option the box is hidden and the key always masked; with it, a
// checked box shows the key in clear.
void CPageExtAPDlg::show_password()
{
    bool const allowed = G_VxWlLib.bShowPassword != 0;
    for (int id : { int(IDC_SHOW_PASSWORD), int(IDC_SHOW_PASSWORD_LABEL) })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), allowed ? SW_SHOW : SW_HIDE);
    bool const clear = allowed && m_bShowPassword;
    SendDlgItemMessage(IDC_KEY, EM_SETPASSWORDCHAR, clear ? 0 : '*');
    Invalidate();
}

// The Part's order: max peers, SSID, key. Each refusal is shown and ends the Apply.
bool CPageExtAPDlg::check_entries()
{
    std::string const* refusal = nullptr;
    int const peers = digits_value(m_strMaxPeers.str(), kMaxPeersHigh);
    if (peers < kMaxPeersLow)
        refusal = &G_UiStr.IDS_MSG_INVALID_MAXCLIENT;
    else if (m_strSSID.IsEmpty())
        refusal = &G_UiStr.IDS_ADHOCINPUTSSID;
    else if (!IsValidWpaPsk(m_strKey.str()))
        refusal = &G_UiStr.IDS_MSGPSKKEYINVALID;
    if (refusal)
        ShowMessageBox(*refusal);
    return refusal == nullptr;
}

// An empty channel list leaves no text: channel 0.
ExtAPConfig CPageExtAPDlg::make_record() const
{
    ExtAPConfig record {};
    SetExtAPSsid(record, m_strSSID.str());
    record.Channel = static_cast<std::uint32_t>(std::max(digits_value(m_strChannel.str(), 255), 0));
    SetExtAPKey(record, m_strKey.str());
    record.MaxPeers = static_cast<std::uint32_t>(digits_value(m_strMaxPeers.str(), kMaxPeersHigh));
    return record;
}

void CPageExtAPDlg::OnApply()
{
    if (!UpdateData(TRUE) || !check_entries())
        return;
    G_VxWlLib.VXWL_WriteExtAPConfig(make_record());
    G_VxWlLib.VXWL_HostedNetworkSetup(make_record());
}
