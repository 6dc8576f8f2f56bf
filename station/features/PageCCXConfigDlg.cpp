#include "station/features/PageCCXConfigDlg.h"

#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "station/controls/PageFrame.h"
#include "station/core/ConfigWindowMessages.h"
#include "station/core/ConnectionFlags.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/Helpers.h"
#include "station/core/HideDlgServices.h"
#include "station/core/Trace.h"
#include "station/core/UiStr.h"
#include "station/core/VxWlLib.h"
#include "wlan/api/Wmm.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace {

constexpr int kFirstNewerSystem = 10;
constexpr WPARAM kAuthStatusFromCcx = 9;
constexpr UINT kMsPerSecond = 1000;
constexpr std::size_t kProfileBytes = sizeof(WLANPROFILE);
constexpr std::size_t kSystemNameBytes = 64;

// The option boxes with their labels: disabled while CCX is off.
constexpr int kOptionIds[] = { CPageCCXConfigDlg::IDC_CCKM, CPageCCXConfigDlg::IDC_CCKM_LABEL, CPageCCXConfigDlg::IDC_RM,
    CPageCCXConfigDlg::IDC_RM_LABEL, CPageCCXConfigDlg::IDC_NETWORK_EAP, CPageCCXConfigDlg::IDC_NETWORK_EAP_LABEL,
    CPageCCXConfigDlg::IDC_CAC_ENABLE, CPageCCXConfigDlg::IDC_CAC_ENABLE_LABEL, CPageCCXConfigDlg::IDC_ROTATE,
    CPageCCXConfigDlg::IDC_ROTATE_LABEL, CPageCCXConfigDlg::IDC_MFP, CPageCCXConfigDlg::IDC_MFP_LABEL,
    CPageCCXConfigDlg::IDC_RF_ROAM, CPageCCXConfigDlg::IDC_RF_ROAM_LABEL, CPageCCXConfigDlg::IDC_VOICE_RATE,
    CPageCCXConfigDlg::IDC_VOICE_RATE_LABEL };

// The diagnostic group's label, list and texts (1583, 1522, 1605-1612).
constexpr int kDiagnosticIds[] = { CPageCCXConfigDlg::IDC_DIAG_HEADING, CPageCCXConfigDlg::IDC_PROFILE_LIST,
    CPageCCXConfigDlg::IDC_INFO_GROUP, CPageCCXConfigDlg::IDC_NAME_LABEL, CPageCCXConfigDlg::IDC_SSID_LABEL,
    CPageCCXConfigDlg::IDC_NAME_TEXT, CPageCCXConfigDlg::IDC_SSID_TEXT, CPageCCXConfigDlg::IDC_CAP_TEXT,
    CPageCCXConfigDlg::IDC_PROFILE_LABEL, CPageCCXConfigDlg::IDC_CAP_LABEL };

// An emptied edit is 0; a number too large for the word stays too large to be accepted.
bool parse_time_limit(std::string const& text, unsigned& out)
{
    if (!std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }))
        return false;
    unsigned long long value = 0;
    for (char c : text)
        value = std::min<unsigned long long>(value * 10 + unsigned(c - '0'), std::numeric_limits<unsigned>::max());
    out = static_cast<unsigned>(value);
    return true;
}

std::string text_of(char const* bytes, std::size_t size) { return std::string(bytes, ::strnlen(bytes, size)); }

}

BEGIN_MESSAGE_MAP(CPageCCXConfigDlg, CResizeDlg)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_BN_CLICKED(CPageCCXConfigDlg::IDC_APPLY, OnApply)
ON_BN_CLICKED(CPageCCXConfigDlg::IDC_CCX_ENABLE, OnCcxEnable)
ON_BN_CLICKED(CPageCCXConfigDlg::IDC_RM, OnRadioMeasure)
ON_BN_CLICKED(CPageCCXConfigDlg::IDC_DCRM, OnNonServingMeasure)
ON_BN_CLICKED(CPageCCXConfigDlg::IDC_DIAGNOSTIC, OnDiagnostic)
ON_BN_CLICKED(CPageCCXConfigDlg::IDC_CAC_SET, OnCacSet)
ON_EN_CHANGE(CPageCCXConfigDlg::IDC_TIME_LIMIT, OnTimeLimitChanged)
ON_CBN_SELCHANGE(CPageCCXConfigDlg::IDC_PROFILE_LIST, OnProfileChanged)
ON_MESSAGE(CPageCCXConfigDlg::MSG_CCX_DC_CONNECT, OnDcConnect)
ON_MESSAGE(CPageCCXConfigDlg::MSG_CCX_TEST_FINISHED, OnTestFinished)
ON_MESSAGE(CPageCCXConfigDlg::MSG_CCX_DIAG_MESSAGE, OnDiagMessage)
ON_MESSAGE(CPageCCXConfigDlg::MSG_CCX_TEST_FAILED, OnTestFailed)
END_MESSAGE_MAP()

CPageCCXConfigDlg::CPageCCXConfigDlg(CWnd* pParent)
    : CResizeDlg(IDD, pParent)
{
}

void CPageCCXConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_CCX_ENABLE, m_bCCXEnable);
    DDX_Check(pDX, IDC_CCKM, m_bCCKM);
    DDX_Check(pDX, IDC_RM, m_bRM);
    DDX_Check(pDX, IDC_DCRM, m_bDCRM);
    DDX_Check(pDX, IDC_NETWORK_EAP, m_bNetworkEAP);
    DDX_Check(pDX, IDC_CAC_ENABLE, m_bCAC);
    DDX_Check(pDX, IDC_ROTATE, m_bRotateProfile);
    DDX_Check(pDX, IDC_MFP, m_bMFP);
    DDX_Check(pDX, IDC_RF_ROAM, m_bRFRoam);
    DDX_Check(pDX, IDC_VOICE_RATE, m_bVoiceRate);
    CString limit(m_strTimeLimit.c_str());
    DDX_Text(pDX, IDC_TIME_LIMIT, limit);
    m_strTimeLimit = limit.str();
    CString name(m_strName.c_str());
    CString ssid(m_strSsid.c_str());
    CString capability(m_strCapability.c_str());
    DDX_Text(pDX, IDC_NAME_TEXT, name);
    DDX_Text(pDX, IDC_SSID_TEXT, ssid);
    DDX_Text(pDX, IDC_CAP_TEXT, capability);
}

// [SECTION] Building and showing

BOOL CPageCCXConfigDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    SetWindowText("CCX Config");
    // The controls keep the template's font: its labels are laid out for it, and the page font
    // would not let them fit.
    struct Label {
        int id;
        std::string const& text;
    };
    Label const labels[] = { { IDC_CCX_LABEL, G_UiStr.IDS_CCX20 }, { IDC_CCKM_LABEL, G_UiStr.IDS_LEAP_CCKM },
        { IDC_RM_LABEL, G_UiStr.IDS_RADIO_MEASURE }, { IDC_DCRM_LABEL, G_UiStr.IDS_NON_SERVING_CHANNEL_MEASURE },
        { IDC_TIME_LIMIT_LABEL, G_UiStr.IDS_CCX_MEASURE_TIME_UNIT }, { IDC_NETWORK_EAP_LABEL, G_UiStr.IDS_NETWORKEAP },
        { IDC_CAC_ENABLE_LABEL, G_UiStr.IDS_ENABLE_CAC }, { IDC_ROTATE_LABEL, G_UiStr.IDS_ROTATE_PROFILE },
        { IDC_MFP_LABEL, G_UiStr.IDS_ENABLE_MFP }, { IDC_RF_ROAM_LABEL, G_UiStr.IDS_RF_ROAM_ENABLE },
        { IDC_VOICE_RATE_LABEL, G_UiStr.IDS_VOICE_RATE }, { IDC_CAC_LABEL, G_UiStr.IDS_CAC },
        { IDC_CAC_SET, G_UiStr.IDS_CAC_APPLY }, { IDC_PROFILE_LABEL, G_UiStr.IDS_CCX_SELECT_PROFILE },
        { IDC_INFO_GROUP, G_UiStr.IDS_STATIC_PROFILE_INFORMATION }, { IDC_NAME_LABEL, G_UiStr.IDS_STATIC_PROFILENAME },
        { IDC_SSID_LABEL, G_UiStr.IDS_SSID }, { IDC_CAP_LABEL, G_UiStr.IDS_PROF_DIAGNOSTIC_CAP_HEADER },
        { IDC_DIAGNOSTIC, G_UiStr.IDS_PROF_DIAGNOSTIC_CONNECT }, { IDC_APPLY, G_UiStr.IDS_APPLY } };
    for (Label const& l : labels)
        SetDlgItemText(l.id, l.text.c_str());
    ::SendDlgItemMessage(m_hWnd, IDC_TIME_LIMIT, EM_LIMITTEXT, 4, 0);
    hide_for_adapter_type();
    ReadCCX2Control();
    SendCCXInfo();
    fill_profile_table();
    return TRUE;
}

// Adapters of kinds 0-3 have neither RF roaming, voice rate, the diagnostic test nor admission
// control.
void CPageCCXConfigDlg::hide_for_adapter_type()
{
    if (CheckAdapterType() != 0)
        return;
    for (int id : { int(IDC_RF_ROAM), int(IDC_RF_ROAM_LABEL), int(IDC_VOICE_RATE), int(IDC_VOICE_RATE_LABEL),
             int(IDC_DIAGNOSTIC), int(IDC_CAC_LABEL), int(IDC_CAC_LIST), int(IDC_CAC_SET) })
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
    for (int id : kDiagnosticIds)
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
}

void CPageCCXConfigDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPageTopLine(*this, dc);
}

void CPageCCXConfigDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CResizeDlg::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    ReadCCX2Control();
    fill_profile_table();
}

void CPageCCXConfigDlg::show_data()
{
    UpdateData(FALSE);
    apply_enabling();
}

bool CPageCCXConfigDlg::take_data()
{
    UpdateData(TRUE);
    return parse_time_limit(m_strTimeLimit, m_nTimeLimit);
}

// Showing the data enables the controls by the boxes. CCX off leaves the test's button and the
// admission control group as they are.
void CPageCCXConfigDlg::apply_enabling()
{
    BOOL const on = m_bCCXEnable ? TRUE : FALSE;
    for (int id : kOptionIds)
        ::EnableWindow(::GetDlgItem(m_hWnd, id), on);
    for (int id : kDiagnosticIds)
        ::EnableWindow(::GetDlgItem(m_hWnd, id), on);
    BOOL const dcrm = on && m_bRM;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DCRM), dcrm);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DCRM_LABEL), dcrm);
    BOOL const limit = on && m_bRM && m_bDCRM;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TIME_LIMIT), limit);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TIME_LIMIT_LABEL), limit);
    if (on && !m_bTestRunning)
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DIAGNOSTIC), TRUE);
}

// [SECTION] The CCX word

CCX_PAGE_OPTIONS CPageCCXConfigDlg::options() const
{
    CCX_PAGE_OPTIONS o;
    o.bEnable = m_bCCXEnable;
    o.bCCKM = m_bCCKM;
    o.bRM = m_bRM;
    o.bDCRM = m_bDCRM;
    o.bNetworkEAP = m_bNetworkEAP;
    o.bCAC = m_bCAC;
    o.bRotateProfile = m_bRotateProfile;
    o.bMFP = m_bMFP;
    o.bRFRoam = m_bRFRoam;
    o.bVoiceRate = m_bVoiceRate;
    o.nTimeLimit = m_nTimeLimit;
    return o;
}

void CPageCCXConfigDlg::set_options(CCX_PAGE_OPTIONS const& o)
{
    m_bCCXEnable = o.bEnable;
    m_bCCKM = o.bCCKM;
    m_bRM = o.bRM;
    m_bDCRM = o.bDCRM;
    m_bNetworkEAP = o.bNetworkEAP;
    m_bCAC = o.bCAC;
    m_bRotateProfile = o.bRotateProfile;
    m_bMFP = o.bMFP;
    m_bRFRoam = o.bRFRoam;
    m_bVoiceRate = o.bVoiceRate;
    m_nTimeLimit = o.nTimeLimit;
    m_strTimeLimit = std::to_string(m_nTimeLimit);
}

void CPageCCXConfigDlg::ReadCCX2Control()
{
    VXWL_U32 word = 0;
    if (G_VxWlLib.VXWL_ReadCCX2Cont(&word))
        set_options(CcxOptionsFromWord(word));
    show_data();
}

std::uint32_t CPageCCXConfigDlg::build_word()
{
    VXWL_U32 read_word = 0;
    G_VxWlLib.VXWL_ReadCCX2Cont(&read_word);
    CCX_PAGE_OPTIONS o = options();
    std::uint32_t const word = CcxWordFromOptions(read_word, o);
    m_bDCRM = o.bDCRM;
    return word;
}

void CPageCCXConfigDlg::WriteCCX2Control()
{
    VXWL_U32 const word = build_word();
    G_VxWlLib.VXWL_WriteRegValue("CCX2Control", 4, &word, 4);
}

void CPageCCXConfigDlg::SendCCXInfo()
{
    std::uint32_t const word = build_word();
    G_VxWlLib.VXWL_SetCCXInfo(ActiveProfileFastRoamingSwitch(), word);
}

void CPageCCXConfigDlg::OnApply()
{
    if (!take_data() || m_nTimeLimit > kLargestTimeLimit) {
        ShowMessageBox(G_UiStr.IDS_INVALID_MEASURE_TIME);
        return;
    }
    WriteCCX2Control();
    SendCCXInfo();
    show_data();
}

// [SECTION] Box rules

void CPageCCXConfigDlg::OnCcxEnable()
{
    take_data();
    m_bCCKM = m_bNetworkEAP = m_bCAC = m_bRotateProfile = m_bRFRoam = m_bMFP = m_bVoiceRate = FALSE;
    m_bRM = m_bDCRM = m_bCCXEnable ? TRUE : FALSE;
    if (!m_bCCXEnable) {
        m_nTimeLimit = kDefaultTimeLimit;
        m_strTimeLimit = std::to_string(m_nTimeLimit);
    }
    show_data();
}

void CPageCCXConfigDlg::OnRadioMeasure()
{
    take_data();
    if (!m_bRM) {
        m_bDCRM = FALSE;
        m_nTimeLimit = kDefaultTimeLimit;
        m_strTimeLimit = std::to_string(m_nTimeLimit);
    }
    show_data();
}

void CPageCCXConfigDlg::OnNonServingMeasure()
{
    take_data();
    if (!m_bDCRM) {
        m_nTimeLimit = kDefaultTimeLimit;
        m_strTimeLimit = std::to_string(m_nTimeLimit);
    }
    show_data();
}

void CPageCCXConfigDlg::OnTimeLimitChanged()
{
    if (::GetWindowTextLength(::GetDlgItem(m_hWnd, IDC_TIME_LIMIT)) != 0)
        return;
    take_data();
    m_nTimeLimit = 0;
    m_strTimeLimit = "0";
    show_data();
}

// [SECTION] Profile table

// The list may grow between asking its size and reading it: a read answering that the buffer is
// too small is asked once more with the count it gives.
void CPageCCXConfigDlg::fill_profile_table()
{
    m_rows.clear();
    ::SendDlgItemMessage(m_hWnd, IDC_PROFILE_LIST, CB_RESETCONTENT, 0, 0);
    VXWL_U32 count = 0;
    G_VxWlLib.VXWL_ReadProfileList(nullptr, &count);
    std::vector<WLANPROFILE> profiles;
    for (int attempt = 0; attempt < 2 && count > 0; ++attempt) {
        profiles.assign(count, WLANPROFILE {});
        VXWL_U32 capacity = count;
        int const result = G_VxWlLib.VXWL_ReadProfileList(profiles.data(), &capacity);
        if (result == VXWL_ERROR_BUFFER_TOO_SMALL) {
            count = capacity;
            profiles.clear();
            continue;
        }
        profiles.resize(std::min<std::size_t>(capacity, count));
        break;
    }
    static_assert(kProfileBytes == 5460);
    for (WLANPROFILE const& p : profiles) {
        CCX_PROFILE_ROW row;
        row.strName = text_of(p.strProfileName, sizeof p.strProfileName);
        row.strSsid = std::string(reinterpret_cast<char const*>(p.SSID.Ssid),
            ::strnlen(reinterpret_cast<char const*>(p.SSID.Ssid), std::min<std::size_t>(p.SSID.SsidLength, sizeof p.SSID.Ssid)));
        row.strCapability = G_VxWlLib.VXWL_WlanIsCCXDiagnosticProfile(row.strName.c_str()) == 1 ? "YES" : "NO";
        ::SendDlgItemMessage(m_hWnd, IDC_PROFILE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.strName.c_str()));
        m_rows.push_back(std::move(row));
    }
    ::SendDlgItemMessage(m_hWnd, IDC_PROFILE_LIST, CB_SETCURSEL, 0, 0);
    show_selected_row();
}

std::string CPageCCXConfigDlg::selected_name() const
{
    HWND const list = ::GetDlgItem(m_hWnd, IDC_PROFILE_LIST);
    int const selected = int(::SendMessage(list, CB_GETCURSEL, 0, 0));
    if (selected < 0)
        return {};
    int const length = int(::SendMessage(list, CB_GETLBTEXTLEN, WPARAM(selected), 0));
    if (length < 0)
        return {};
    std::string text(std::size_t(length) + 1, '\0');
    ::SendMessage(list, CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(text.data()));
    text.resize(::strnlen(text.c_str(), text.size()));
    return text;
}

void CPageCCXConfigDlg::show_selected_row()
{
    std::string const name = selected_name();
    auto const row = std::find_if(m_rows.begin(), m_rows.end(), [&](CCX_PROFILE_ROW const& r) { return r.strName == name; });
    bool const shown = !name.empty() && row != m_rows.end();
    m_strName = shown ? row->strName : "";
    m_strSsid = shown ? row->strSsid : "";
    m_strCapability = shown ? row->strCapability : "";
    for (auto [id, text] : { std::pair { int(IDC_NAME_TEXT), &m_strName }, std::pair { int(IDC_SSID_TEXT), &m_strSsid },
             std::pair { int(IDC_CAP_TEXT), &m_strCapability } })
        SetDlgItemText(id, text->c_str());
}

void CPageCCXConfigDlg::OnProfileChanged() { show_selected_row(); }

// [SECTION] Admission control

// The list is not filled by the page: with nothing selected the command carries 0.
void CPageCCXConfigDlg::OnCacSet()
{
    ACM_COMMAND command {};
    int const selected = int(::SendDlgItemMessage(m_hWnd, IDC_CAC_LIST, CB_GETCURSEL, 0, 0));
    command.Command = std::uint16_t(selected + 1);
    command.Flag = 1;
    G_VxWlLib.VXWL_SetACMCmd(command);
}

// [SECTION] Diagnostic test

void CPageCCXConfigDlg::set_message(char const* text)
{
    // At most kMessageChars characters are kept; the rest of the buffer stays zero.
    std::memset(m_chMessage, 0, sizeof m_chMessage);
    std::memcpy(m_chMessage, text, strnlen(text, kMessageChars));
}

void CPageCCXConfigDlg::show_message() const
{
    if (HWND window = hide_dlg_services().config_window())
        ::SendMessage(window, MSG_SHOW_AUTHSTATUS, kAuthStatusFromCcx, 0);
}

void CPageCCXConfigDlg::set_test_running(bool running)
{
    m_bTestRunning = running ? TRUE : FALSE;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DIAGNOSTIC), running ? FALSE : TRUE);
}

void CPageCCXConfigDlg::start_s64(std::string const& name) const
{
    char16_t wide[kS64NameUnits];
    S64NameOf(name, wide);
    G_VxWlLib.VXWL_WlanSendS64Start(wide);
}

void CPageCCXConfigDlg::restore_user_profile() const
{
    char name[128] {};
    G_VxWlLib.VXWL_ReadActiveProfileName(name);
    WLANPROFILE profile {};
    G_VxWlLib.VXWL_ReadProfileData(&profile, name);
    G_VxWlLib.VXWL_SetWLANProfile(&profile);
}

void CPageCCXConfigDlg::OnDiagnostic()
{
    std::string const name = selected_name();
    if (name.empty()) {
        ShowMessageBox("Please select a profile");
        return;
    }
    if (G_VxWlLib.VXWL_GetWinOS() < kFirstNewerSystem) {
        G_bReConnect = FALSE;
        G_VxWlLib.VXWL_StartDiagTest();
        set_test_running(true);
    } else {
        auto const row = std::find_if(m_rows.begin(), m_rows.end(), [&](CCX_PROFILE_ROW const& r) { return r.strName == name; });
        if (row == m_rows.end())
            return;
        char system_name[kSystemNameBytes] {};
        std::strncpy(system_name, name.c_str(), sizeof system_name - 1);
        if (G_VxWlLib.VXWL_WlanIsWindowsProfileExist(system_name) == 0) {
            ShowMessageBox("Please activate the profile before diagnosing");
            return;
        }
        if (row->strCapability == "NO") {
            ShowMessageBox("Please enable diagnostic function");
            return;
        }
        set_test_running(true);
        if (!IsDiagnosticChannelSsid(row->strSsid)) {
            TraceMsg(TRACE_STEP, "[Kivra] The ssid of current profile is not \"Diagnostic Channel\"\n");
            WLANPROFILE profile = DiagnosticChannelProfile();
            G_VxWlLib.VXWL_SetWLANProfile(&profile);
            start_timer(kTimerJoinDiagnostic, G_VxWlLib.nDelayAfterSetDCProf);
        } else {
            TraceMsg(TRACE_STEP, "[Kivra] The ssid of current profile is \"Diagnostic Channel\"\n");
            start_s64(name);
        }
    }
    set_message("Test Started");
    show_message();
}

void CPageCCXConfigDlg::start_timer(UINT_PTR id, int seconds)
{
    m_nPendingTimer = id;
    SetTimer(id, UINT(std::max(seconds, 0)) * kMsPerSecond, nullptr);
}

void CPageCCXConfigDlg::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kTimerJoinDiagnostic:
        KillTimer(kTimerJoinDiagnostic);
        m_nPendingTimer = 0;
        m_nCountDC = 0;
        start_s64(kDiagnosticChannel);
        start_timer(kTimerRestoreProfile, G_VxWlLib.nDelayAfterIHVContDC);
        return;
    case kTimerRestoreProfile:
        KillTimer(kTimerRestoreProfile);
        m_nPendingTimer = 0;
        restore_user_profile();
        start_timer(kTimerReconnect, G_VxWlLib.nDelayAfterSetCurProf);
        return;
    case kTimerReconnect: {
        KillTimer(kTimerReconnect);
        m_nPendingTimer = 0;
        char name[128] {};
        G_VxWlLib.VXWL_ReadActiveProfileName(name);
        start_s64(text_of(name, sizeof name));
        return;
    }
    default: CResizeDlg::OnTimer(nIDEvent);
    }
}

// The count of connect results: the diagnostic channel's (1) and the user's profile's (2). A
// failed second connect connects the selected profile once more; its result counts from 0.
LRESULT CPageCCXConfigDlg::OnDcConnect(WPARAM, LPARAM lParam)
{
    if (++m_nCountDC > 2)
        m_nCountDC = 0;
    if (lParam != 0) {
        set_message("Connect to the Diagnostic Channel successfully");
        if (m_nCountDC == 2)
            m_nCountDC = 0;
    } else {
        set_message("Could not connect to the Diagnostic Channel. Please try again later");
        if (m_nCountDC == 2) {
            TraceMsg(TRACE_STEP, "[Kivra] m_bRetryDC = FALSE\n");
            if (G_VxWlLib.VXWL_GetWinOS() >= kFirstNewerSystem) {
                start_s64(selected_name());
                set_test_running(true);
            }
        } else {
            StopDiagnostic();
        }
    }
    TraceMsg(TRACE_STEP, "[Kivra] m_nCountDC = %d\n", m_nCountDC);
    show_message();
    return 0;
}

LRESULT CPageCCXConfigDlg::OnTestFinished(WPARAM, LPARAM)
{
    if (m_nCountDC == 2)
        return 0;
    set_message("Test finished");
    show_message();
    return 0;
}

// The library writes at most 255 characters and the terminator; 240 of them are kept.
LRESULT CPageCCXConfigDlg::OnDiagMessage(WPARAM wParam, LPARAM)
{
    char text[256] {};
    G_VxWlLib.VXWL_WlanBuildIHVMessage(wParam, text);
    text[sizeof text - 1] = '\0';
    set_message(text);
    show_message();
    return 0;
}

LRESULT CPageCCXConfigDlg::OnTestFailed(WPARAM, LPARAM)
{
    set_message("The test could not be run");
    show_message();
    return 0;
}

// Also ends the test's timers: a test stopped while the diagnostic profile is set (timer 5 or 7
// pending) gets the user's profile back once, as timer 7 would have, and joins nothing more.
void CPageCCXConfigDlg::StopDiagnostic()
{
    TraceMsg(TRACE_STEP, "[Kivra] --> CPageCCXConfigDlg::StopDiagnostic\n");
    if (!m_hWnd)
        return;
    UINT_PTR const pending = m_nPendingTimer;
    for (UINT_PTR timer : { kTimerJoinDiagnostic, kTimerRestoreProfile, kTimerReconnect })
        KillTimer(timer);
    m_nPendingTimer = 0;
    if (pending == kTimerJoinDiagnostic || pending == kTimerRestoreProfile)
        restore_user_profile();
    if (m_bTestRunning) {
        if (G_VxWlLib.VXWL_GetWinOS() >= kFirstNewerSystem) {
            G_VxWlLib.VXWL_WlanSendClientAbort();
        } else {
            G_VxWlLib.VXWL_StopDiagTest();
            hide_dlg_services().set_oid_from_reg(FALSE);
        }
    }
    set_test_running(false);
    TraceMsg(TRACE_STEP, "[Kivra] <-- CPageCCXConfigDlg::StopDiagnostic\n");
}
