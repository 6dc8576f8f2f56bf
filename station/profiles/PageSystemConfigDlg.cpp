#include "station/profiles/PageSystemConfigDlg.h"

#include "station/controls/PageFrame.h"
#include "station/core/ScanList.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "station/profiles/EditorTabs.h"
#include "station/profiles/PageAuthEncryDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>

namespace {

constexpr int kNameLimit = 32;
constexpr int kIdLimit = 3;
constexpr int kSsidLimit = 32;
constexpr int kChannelBuffer = 64;
constexpr int kMenuIcon = 159;

// Channels the ad hoc list never offers.
bool skipped_channel(int channel) { return channel == 34 || channel == 38 || channel == 42 || channel == 46; }

std::string const* tx_power_texts[] = { &G_UiStr.IDS_AUTO, &G_UiStr.IDS_100PERCENT, &G_UiStr.IDS_75PERCENT,
    &G_UiStr.IDS_50PERCENT, &G_UiStr.IDS_25PERCENT, &G_UiStr.IDS_10PERCENT, &G_UiStr.IDS_LOWEST };

// The combo boxes are owner-drawn windows of their own class: the list messages reach them
// directly.
int cb_add(CWnd& combo, CString const& text) { return int(combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()))); }
int cb_count(CWnd& combo) { return int(combo.SendMessage(CB_GETCOUNT)); }
int cb_selection(CWnd& combo) { return int(combo.SendMessage(CB_GETCURSEL)); }
void cb_select(CWnd& combo, int row) { combo.SendMessage(CB_SETCURSEL, WPARAM(row)); }
void cb_reset(CWnd& combo) { combo.SendMessage(CB_RESETCONTENT); }

CString ssid_text(NDIS_802_11_SSID const& ssid)
{
    return CString(std::string(reinterpret_cast<char const*>(ssid.Ssid), std::min<std::uint32_t>(ssid.SsidLength, NDIS_SSID_MAX)).c_str());
}

CString bssid_text(std::uint8_t const* mac)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

}

// A typed threshold as a number: its leading digits, a long run of digits saturating at `max`.
int ParseThreshold(CString const& text, int max)
{
    long long value = 0;
    for (char c : std::string(text.GetString())) {
        if (c < '0' || c > '9')
            break;
        value = std::min<long long>(value * 10 + (c - '0'), max + 1LL);
    }
    return int(std::min<long long>(value, max + 1LL));
}

BEGIN_MESSAGE_MAP(CPageSystemConfigDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
ON_BN_CLICKED(CPageSystemConfigDlg::IDC_CAM, OnPowerSave)
ON_BN_CLICKED(CPageSystemConfigDlg::IDC_PSM, OnPowerSave)
ON_BN_CLICKED(CPageSystemConfigDlg::IDC_USE_RTS, OnUseRTS)
ON_BN_CLICKED(CPageSystemConfigDlg::IDC_USE_FRAG, OnUseFrag)
ON_EN_CHANGE(CPageSystemConfigDlg::IDC_RTS, OnChangeRTS)
ON_EN_CHANGE(CPageSystemConfigDlg::IDC_FRAG, OnChangeFrag)
ON_COMMAND(CPageSystemConfigDlg::ID_ADHOC, OnAdhoc)
ON_COMMAND(CPageSystemConfigDlg::ID_INFRA, OnInfra)
ON_MESSAGE(CPageSystemConfigDlg::WM_MENU_OPENING, OnMenuOpening)
END_MESSAGE_MAP()

CPageSystemConfigDlg::CPageSystemConfigDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageSystemConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ID, m_editID);
    DDX_Control(pDX, IDC_SSID, m_comboSSID);
    DDX_Control(pDX, IDC_CHANNEL, m_comboChannel);
    DDX_Control(pDX, IDC_CAM, m_radioCAM);
    DDX_Control(pDX, IDC_PSM, m_radioPSM);
    DDX_Control(pDX, IDC_NETTYPE, m_btnNetType);
    DDX_Control(pDX, IDC_TXPOWER, m_btnTxPower);
    DDX_Control(pDX, IDC_PREAMBLE, m_btnPreamble);
    DDX_Control(pDX, IDC_USE_RTS, m_checkRTS);
    DDX_Control(pDX, IDC_USE_FRAG, m_checkFrag);
    DDX_Control(pDX, IDC_DIAGNOSTIC, m_checkDiagnostic);
    DDX_Control(pDX, IDC_RTS_SLIDER, m_sliderRTS);
    DDX_Control(pDX, IDC_FRAG_SLIDER, m_sliderFrag);
    DDX_Control(pDX, IDC_RTS, m_editRTS);
    DDX_Control(pDX, IDC_FRAG, m_editFrag);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDX_Text(pDX, IDC_ID, m_strID);
    DDX_Text(pDX, IDC_SSID, m_strSSID);
    DDX_Radio(pDX, IDC_CAM, m_nPowerSave);
    DDX_Check(pDX, IDC_USE_RTS, m_bUseRTS);
    DDX_Check(pDX, IDC_USE_FRAG, m_bUseFrag);
    DDX_Check(pDX, IDC_DIAGNOSTIC, m_bDiagnostic);
    if (!pDX->m_bSaveAndValidate) {
        m_sliderRTS.SendMessage(TBM_SETPOS, TRUE, m_nRtsThre);
        m_sliderFrag.SendMessage(TBM_SETPOS, TRUE, m_nFragThre);
    } else {
        m_nRtsThre = int(m_sliderRTS.SendMessage(TBM_GETPOS));
        m_nFragThre = int(m_sliderFrag.SendMessage(TBM_GETPOS));
        CString rts;
        CString frag;
        DDX_Text(pDX, IDC_RTS, rts);
        DDX_Text(pDX, IDC_FRAG, frag);
        m_nRtsValue = ParseThreshold(rts, INT_MAX - 1);
        m_nFragValue = ParseThreshold(frag, INT_MAX - 1);
        int const row = cb_selection(m_comboChannel);
        m_strChannel = row >= 0 ? m_comboChannel.FetchCellText(row, 0) : CString();
    }
}

BOOL CPageSystemConfigDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<BYTE>(G_UiStr.nCharSet), 0, 0, 0, 0, G_UiStr.strFaceName.c_str());
    init_texts();
    CRect combo;
    m_comboSSID.GetClientRect(&combo);
    m_comboSSID.ChangeColumnTotal(2);
    m_comboSSID.ResizeColumn(0, int(combo.Width() * 1.2));
    m_comboSSID.ResizeColumn(1, int(combo.Width() * 0.8));
    m_comboSSID.SendMessage(CB_SETDROPPEDWIDTH, WPARAM(combo.Width() * 2));
    m_comboSSID.SendMessage(CB_LIMITTEXT, kSsidLimit);
    m_comboChannel.ChangeColumnTotal(1);
    SendDlgItemMessage(IDC_NAME, EM_LIMITTEXT, kNameLimit);
    m_editID.SetAcceptedClasses(CSmartEdit::kDigits);
    m_editID.SendMessage(EM_LIMITTEXT, kIdLimit);
    init_buttons();
    m_editRTS.AttachSlider(this, IDC_RTS_SLIDER);
    m_editRTS.SetRange(0, kRtsMax, 32, 256);
    m_editFrag.AttachSlider(this, IDC_FRAG_SLIDER);
    m_editFrag.SetRange(kFragMin, kFragMax, 32, 256);
    set_defaults();
    show_values();
    return TRUE;
}

void CPageSystemConfigDlg::init_texts()
{
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_LABEL_PROFILE, G_UiStr.IDS_PROF_PROFILE }, { IDC_LABEL_SSID, G_UiStr.IDS_PROF_SSID },
        { IDC_LABEL_POWER_SAVE, G_UiStr.IDS_PROF_POWER_SAVE_MODE }, { IDC_LABEL_NETTYPE, G_UiStr.IDS_PROF_NETTYPE },
        { IDC_LABEL_TXPOWER, G_UiStr.IDS_PROF_TX_POWER }, { IDC_LABEL_PREAMBLE, G_UiStr.IDS_SYS_PREAMBLE },
        { IDC_LABEL_CHANNEL, G_UiStr.IDS_PROF_CHANNEL }, { IDC_LABEL_ID, G_UiStr.IDS_PROF_PROFILE_ID },
        { IDC_TEXT_CAM, G_UiStr.IDS_SYS_CAM }, { IDC_TEXT_PSM, G_UiStr.IDS_SYS_PSM },
        { IDC_TEXT_RTS, G_UiStr.IDS_SYS_CHECK_RTS }, { IDC_TEXT_FRAG, G_UiStr.IDS_SYS_CHECK_FRAG },
        { IDC_TEXT_DIAGNOSTIC, G_UiStr.IDS_PROF_DIAGNOSTIC_CAP } };
    for (Label const& l : labels)
        SetDlgItemText(l.id, l.text.c_str());
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&m_font);
}

void CPageSystemConfigDlg::init_buttons()
{
    struct MenuButton {
        CButtonST& button;
        UINT menu;
        std::map<UINT, CString> texts;
    };
    std::map<UINT, CString> power;
    for (int i = 0; i <= int(ID_TXPOWER_LAST - ID_TXPOWER_FIRST); ++i)
        power[ID_TXPOWER_FIRST + UINT(i)] = tx_power_texts[i]->c_str();
    MenuButton buttons[] = {
        { m_btnNetType, 168, { { ID_ADHOC, G_UiStr.IDS_ADHOC.c_str() }, { ID_INFRA, G_UiStr.IDS_INFRA.c_str() } } },
        { m_btnTxPower, 169, power },
        { m_btnPreamble, 170, { { ID_PREAMBLE_AUTO, G_UiStr.IDS_SYS_AUTO.c_str() }, { ID_PREAMBLE_LONG, G_UiStr.IDS_SYS_LONG.c_str() } } },
    };
    for (MenuButton& b : buttons) {
        b.button.AssignIcons(kMenuIcon, kMenuIcon);
        b.button.ChooseImageSide(CButtonST::ImageRight, FALSE);
        b.button.ShiftColourSlot(CButtonST::BackHot, 30, FALSE);
        b.button.SetFont(&m_font);
        b.button.AttachDropMenu(b.menu, m_hWnd, 1, 0, b.texts, 16, 16, RGB(255, 0, 255), FALSE);
    }
    m_btnNetType.RegisterMenuNotify(m_hWnd, WM_MENU_OPENING, 0);
    for (CButtonST* check : { &m_checkRTS, &m_checkFrag, &m_checkDiagnostic })
        check->AssignIcons(147, 148);
    for (CButtonST* radio : { &m_radioCAM, &m_radioPSM })
        radio->AssignIcons(145, 146);
    for (CButtonST* check : { &m_checkRTS, &m_checkFrag, &m_checkDiagnostic, &m_radioCAM, &m_radioPSM }) {
        check->AssignColourSlot(CButtonST::TextHot, RGB(255, 0, 0), FALSE);
        check->AssignColourSlot(CButtonST::TextRest, RGB(0, 0, 0), FALSE);
    }
}

void CPageSystemConfigDlg::set_defaults()
{
    m_nAdhocMode = 1;
    m_nNetworkType = 0;
    m_nPreamble = 0;
    VXWL_U32 ps = 0;
    G_VxWlLib.VXWL_ReadPSMode(&ps);
    m_nPowerSave = ps > 1 ? 1 : int(ps);
    m_nTxPower = 0;
    m_nRtsThre = m_nRtsValue = kRtsMax;
    m_nFragThre = m_nFragValue = kFragMax;
    m_bCAM = m_bUseRTS = m_bUseFrag = m_bDiagnostic = FALSE;
    m_bFromSiteSurvey = FALSE;
    m_strName.Empty();
    m_strID.Empty();
    m_strSSID.Empty();
    m_strChannel.Empty();
}

// Writes the members into the controls; the threshold edits get their values.
void CPageSystemConfigDlg::show_values()
{
    if (!m_hWnd)
        return;
    m_bShowing = TRUE;
    UpdateData(FALSE);
    CString text;
    text.Format("%d", m_nRtsValue);
    SetDlgItemText(IDC_RTS, text);
    text.Format("%d", m_nFragValue);
    SetDlgItemText(IDC_FRAG, text);
    enable_threshold(m_bUseRTS, IDC_RTS_SLIDER, IDC_RTS, IDC_RTS_MIN, IDC_RTS_MAX);
    enable_threshold(m_bUseFrag, IDC_FRAG_SLIDER, IDC_FRAG, IDC_FRAG_MIN, IDC_FRAG_MAX);
    m_bShowing = FALSE;
}

void CPageSystemConfigDlg::ReadControls()
{
    if (m_hWnd)
        UpdateData(TRUE);
}

void CPageSystemConfigDlg::Preset(NDIS_WLAN_BSSID_EX const* entry, CString const& name, CString const& id)
{
    set_defaults();
    show_values();
    m_strName = m_strOldName = name;
    m_strID = id == "0" ? CString("1") : id;
    if (entry)
        m_strSSID = ssid_text(entry->Ssid);
    int const row = fill_ssid_list(m_strSSID);
    apply_network_type(entry && entry->InfrastructureMode != 1 ? 0 : 1);
    set_tx_power(0);
    set_preamble(0);
    if (entry) {
        int const channel = G_VxWlLib.VXWL_FrequencyToChannel(entry->DSConfig);
        if (channel != -1)
            m_strChannel.Format("%u", unsigned(channel));
        fill_channel_list();
    }
    show_values();
    if (m_hWnd && row >= 0)
        cb_select(m_comboSSID, row);
    show_diagnostic();
}

void CPageSystemConfigDlg::RefreshControls()
{
    m_bFromSiteSurvey = FALSE;
    int row = fill_ssid_list(m_strSSID);
    if (row >= 0 && m_hWnd)
        m_strSSID = m_comboSSID.FetchCellText(row, 0);
    apply_network_type(m_nNetworkType == 1 ? 1 : 0);
    set_tx_power(m_nTxPower);
    set_preamble(m_nPreamble);
    show_values();
    if (m_hWnd) {
        if (row < 0) {
            row = cb_add(m_comboSSID, m_strSSID);
            m_comboSSID.StoreCellText(row, 0, m_strSSID);
        }
        cb_select(m_comboSSID, row);
    }
    show_diagnostic();
}

// The scan cache is copied first: the hidden dialog may merge a fresh list into it meanwhile.
int CPageSystemConfigDlg::fill_ssid_list(CString const& ssid)
{
    if (!m_hWnd)
        return -1;
    cb_reset(m_comboSSID);
    if (!G_VxWlLib.pBssidList)
        return -1;
    std::vector<std::uint8_t> const copy(G_VxWlLib.pBssidList, G_VxWlLib.pBssidList + BSSID_LIST_BUFFER_SIZE);
    int match = -1;
    for (auto const& span : station::core::walk_bssid_list(copy).entries) {
        auto const* entry = reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(copy.data() + span.offset);
        CString const name = ssid_text(entry->Ssid);
        int const row = cb_add(m_comboSSID, name);
        m_comboSSID.StoreCellText(row, 0, name);
        m_comboSSID.StoreCellText(row, 1, bssid_text(entry->MacAddress));
        if (match < 0 && name == ssid)
            match = row;
    }
    return match;
}

void CPageSystemConfigDlg::fill_channel_list()
{
    KT_802_11_STA_CONFIG config {};
    if (G_VxWlLib.VXWL_QuerySTAConfig(&config))
        m_nAdhocMode = int(config.AdhocMode);
    int mode = 0;
    G_VxWlLib.VXWL_QueryWirelessMode(&mode);
    std::uint8_t channels[kChannelBuffer] {};
    int count = 0;
    G_VxWlLib.VXWL_GetAvailableChannels(m_nNetworkType, mode, m_nAdhocMode, channels, &count, 1);
    count = std::clamp(count, 0, kChannelBuffer);
    if (!m_hWnd)
        return;
    cb_reset(m_comboChannel);
    int const wanted = std::atoi(m_strChannel.GetString());
    int selected = 0;
    for (int i = 0; i < count; ++i) {
        if (skipped_channel(channels[i]))
            continue;
        CString text;
        text.Format("%d", channels[i]);
        int const row = cb_add(m_comboChannel, text);
        m_comboChannel.StoreCellText(row, 0, text);
        if (channels[i] == wanted)
            selected = row;
    }
    cb_select(m_comboChannel, cb_count(m_comboChannel) > 0 ? selected : -1);
}

void CPageSystemConfigDlg::apply_network_type(int type)
{
    if (type == 1)
        set_infra();
    else
        set_adhoc();
}

void CPageSystemConfigDlg::OnAdhoc()
{
    ReadControls();
    set_adhoc();
}

void CPageSystemConfigDlg::OnInfra()
{
    ReadControls();
    set_infra();
}

void CPageSystemConfigDlg::set_adhoc()
{
    m_nNetworkType = 0;
    fill_channel_list();
    if (!m_hWnd)
        return;
    m_btnNetType.SetWindowText(G_UiStr.IDS_ADHOC.c_str());
    for (int id : { int(IDC_LABEL_CHANNEL), int(IDC_CHANNEL) })
        GetDlgItem(id)->ShowWindow(SW_SHOW);
    for (int id : { int(IDC_CAM), int(IDC_PSM), int(IDC_LABEL_POWER_SAVE), int(IDC_TEXT_CAM), int(IDC_TEXT_PSM) })
        GetDlgItem(id)->EnableWindow(FALSE);
    for (int id : { int(IDC_PREAMBLE), int(IDC_LABEL_PREAMBLE) })
        GetDlgItem(id)->EnableWindow(TRUE);
    if (CEditorTabs* editor = FindEditorOf(this)) {
        if (CPageAuthEncryDlg* auth = editor->auth_tab())
            auth->ClearAndHide8021X();
        editor->enable_tab_button(TAB_BUTTON_8021X, FALSE);
    }
}

void CPageSystemConfigDlg::set_infra()
{
    m_nNetworkType = 1;
    fill_channel_list();
    set_preamble(0);
    if (!m_hWnd)
        return;
    m_btnNetType.SetWindowText(G_UiStr.IDS_INFRA.c_str());
    for (int id : { int(IDC_LABEL_CHANNEL), int(IDC_CHANNEL) })
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    for (int id : { int(IDC_CAM), int(IDC_PSM), int(IDC_LABEL_POWER_SAVE), int(IDC_TEXT_CAM), int(IDC_TEXT_PSM) })
        GetDlgItem(id)->EnableWindow(TRUE);
    for (int id : { int(IDC_PREAMBLE), int(IDC_LABEL_PREAMBLE) })
        GetDlgItem(id)->EnableWindow(FALSE);
}

void CPageSystemConfigDlg::set_tx_power(int index)
{
    m_nTxPower = index >= 0 && index < int(std::size(tx_power_texts)) ? index : 0;
    if (m_hWnd)
        m_btnTxPower.SetWindowText(tx_power_texts[m_nTxPower]->c_str());
}

void CPageSystemConfigDlg::set_preamble(int index)
{
    m_nPreamble = index == 1 ? 1 : 0;
    if (m_hWnd)
        m_btnPreamble.SetWindowText((m_nPreamble ? G_UiStr.IDS_SYS_LONG : G_UiStr.IDS_SYS_AUTO).c_str());
}

void CPageSystemConfigDlg::show_diagnostic()
{
    if (m_hWnd)
        m_checkDiagnostic.StoreCheckState(m_bDiagnostic);
}

BOOL CPageSystemConfigDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT const id = LOWORD(wParam);
    if (lParam == 0 && id >= ID_TXPOWER_FIRST && id <= ID_TXPOWER_LAST) {
        set_tx_power(int(id - ID_TXPOWER_FIRST));
        return TRUE;
    }
    if (lParam == 0 && (id == ID_PREAMBLE_AUTO || id == ID_PREAMBLE_LONG)) {
        set_preamble(id == ID_PREAMBLE_LONG ? 1 : 0);
        return TRUE;
    }
    return CResizeDlg::OnCommand(wParam, lParam);
}

LRESULT CPageSystemConfigDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return 1;
    return CResizeDlg::WindowProc(message, wParam, lParam);
}

LRESULT CPageSystemConfigDlg::OnMenuOpening(WPARAM wParam, LPARAM)
{
    HMENU const menu = reinterpret_cast<HMENU>(wParam);
    UINT const adhoc = G_VxWlLib.VXWL_QueryOPMode() ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(menu, ID_ADHOC, MF_BYCOMMAND | adhoc);
    EnableMenuItem(menu, ID_INFRA, MF_BYCOMMAND | MF_ENABLED);
    return 0;
}

void CPageSystemConfigDlg::OnPowerSave()
{
    ReadControls();
    if (CEditorTabs* editor = FindEditorOf(this))
        editor->click_tab_button(TAB_BUTTON_SYSCONFIG);
}

void CPageSystemConfigDlg::enable_threshold(BOOL enable, int slider, int edit, int low, int high)
{
    for (int id : { slider, edit, low, high })
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
}

void CPageSystemConfigDlg::OnUseRTS()
{
    m_bUseRTS = m_checkRTS.ReadCheckState() == BST_CHECKED;
    ReadControls();
    if (!m_bUseRTS)
        m_nRtsThre = m_nRtsValue = kRtsMax;
    show_values();
    restore_ssid_text();
}

void CPageSystemConfigDlg::OnUseFrag()
{
    m_bUseFrag = m_checkFrag.ReadCheckState() == BST_CHECKED;
    ReadControls();
    if (!m_bUseFrag)
        m_nFragThre = m_nFragValue = kFragMax;
    show_values();
    restore_ssid_text();
}

void CPageSystemConfigDlg::OnChangeRTS()
{
    if (m_bShowing)
        return;
    CString text;
    GetDlgItemText(IDC_RTS, text);
    ReadControls();
    m_nRtsValue = m_nRtsThre = std::min(ParseThreshold(text, kRtsMax), int(kRtsMax));
    show_values();
    restore_ssid_text();
}

// A value below 256 stays in the edit for OK to refuse; the slider stops at 256.
void CPageSystemConfigDlg::OnChangeFrag()
{
    if (m_bShowing)
        return;
    CString text;
    GetDlgItemText(IDC_FRAG, text);
    ReadControls();
    m_nFragValue = std::min(ParseThreshold(text, kFragMax), int(kFragMax));
    m_nFragThre = std::max(m_nFragValue, int(kFragMin));
    show_values();
    restore_ssid_text();
}

void CPageSystemConfigDlg::restore_ssid_text()
{
    if (m_hWnd)
        m_comboSSID.SetWindowText(m_strSSID);
}

void CPageSystemConfigDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    enable_threshold(m_bUseRTS, IDC_RTS_SLIDER, IDC_RTS, IDC_RTS_MIN, IDC_RTS_MAX);
    enable_threshold(m_bUseFrag, IDC_FRAG_SLIDER, IDC_FRAG, IDC_FRAG_MIN, IDC_FRAG_MAX);
}

void CPageSystemConfigDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

void CPageSystemConfigDlg::OnDestroy()
{
    for (CButtonST* button : { &m_btnNetType, &m_btnTxPower, &m_btnPreamble })
        button->AttachDropMenu(0, nullptr, 1, 0, {}, 16, 16, RGB(255, 0, 255), FALSE);
    CResizeDlg::OnDestroy();
}
