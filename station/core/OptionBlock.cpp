// VXWLLIB::ReadIniSettings: the options of the program's option file. Every value is read
// into a 64-byte buffer (a longer text is cut at 63 characters); a "flag" is 1 unless its
// text is exactly "0"; integers convert like atoi ("abc" gives 0).
#include "station/core/IniFile.h"
#include "station/core/Trace.h"
#include "station/core/VxWlLib.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

enum class Kind { Flag, Integer, OnlyOne };

struct Option {
    const char* section;
    const char* key;
    const char* default_value;
    int VXWLLIB::*member;
    Kind kind;
};

// In the order the options are read.
constexpr Option kOptions[] = {
    { "SystemTray", "ShowSwitchAPWhenAPClient", "0", &VXWLLIB::nShowSwitchAPWhenAPClient, Kind::OnlyOne },
    { "Advance", "EapFastEnhancement", "1", &VXWLLIB::bEapFastEnhancement, Kind::Flag },
    { "Advance", "OpenFile", "0", &VXWLLIB::bOpenFile, Kind::Flag },
    { "Advance", "TxRate", "0", &VXWLLIB::bTxRate, Kind::Flag },
    { "Advance", "BgProtection", "0", &VXWLLIB::bBgProtection, Kind::Flag },
    { "Advance", "HT Setting", "0", &VXWLLIB::bHTSetting, Kind::Flag },
    { "Advance", "SupportPhyModeinWps", "0", &VXWLLIB::bSupportPhyModeinWps, Kind::Flag },
    { "Advance", "ActiveProfileIcon", "1", &VXWLLIB::bActiveProfileIcon, Kind::Flag },
    { "Advance", "RetryConnectTimer", "60", &VXWLLIB::nRetryConnectTimer, Kind::Integer },
    { "Advance", "Select11nDialog", "0", &VXWLLIB::bSelect11nDialog, Kind::Flag },
    { "Advance", "RenewIPStatus", "0", &VXWLLIB::bRenewIPStatus, Kind::Flag },
    { "Advance", "TDLSControl", "0", &VXWLLIB::bTDLSControl, Kind::Flag },
    { "Advance", "DLSStatusList", "0", &VXWLLIB::bDLSStatusList, Kind::Flag },
    { "Advance", "ACKPolicy_CoexMode_11nPage", "0", &VXWLLIB::bACKPolicyCoexMode11nPage, Kind::Flag },
    { "Advance", "DelayAfterSetDCProf", "2", &VXWLLIB::nDelayAfterSetDCProf, Kind::Integer },
    { "Advance", "DelayAfterIHVContDC", "3", &VXWLLIB::nDelayAfterIHVContDC, Kind::Integer },
    { "Advance", "DelayAfterSetCurProf", "5", &VXWLLIB::nDelayAfterSetCurProf, Kind::Integer },
    { "AuthEncry", "SupportWAPI", "0", &VXWLLIB::bSupportWAPI, Kind::Flag },
    { "AuthEncry", "ShowPassword", "0", &VXWLLIB::bShowPassword, Kind::Flag },
    { "AuthEncry", "WPA2PSKForAdhocXP", "0", &VXWLLIB::bWPA2PSKForAdhocXP, Kind::Flag },
    { "CountryRegion", "ShowCountryRegion", "1", &VXWLLIB::bShowCountryRegion, Kind::Flag },
    { "Settings", "ProhibitWEPonHT", "0", &VXWLLIB::bProhibitWEPonHT, Kind::Flag },
    { "Settings", "ProhibitTKIPonHT", "0", &VXWLLIB::bProhibitTKIPonHT, Kind::Flag },
    { "Settings", "WPSRotatePeriod", "60", &VXWLLIB::nWPSRotatePeriod, Kind::Integer },
    { "Statistics", "RTSSuccessCount", "0", &VXWLLIB::bRTSSuccessCount, Kind::Flag },
    { "Statistics", "RTSFailureCount", "0", &VXWLLIB::bRTSFailureCount, Kind::Flag },
    { "SSO", "PEAP", "0", &VXWLLIB::bSSO_PEAP, Kind::Flag },
    { "SSO", "TLS_SmartCard", "0", &VXWLLIB::bSSO_TLS_SmartCard, Kind::Flag },
    { "SSO", "TTLS", "0", &VXWLLIB::bSSO_TTLS, Kind::Flag },
    { "SSO", "EAP-FAST", "1", &VXWLLIB::bSSO_EAP_FAST, Kind::Flag },
    { "SSO", "LEAP", "1", &VXWLLIB::bSSO_LEAP, Kind::Flag },
    { "SSO", "MD5", "0", &VXWLLIB::bSSO_MD5, Kind::Flag },
    { "SSO", "Open-None", "0", &VXWLLIB::bSSO_Open_None, Kind::Flag },
    { "SSO", "Open-WEP", "0", &VXWLLIB::bSSO_Open_WEP, Kind::Flag },
    { "SSO", "Shared-WEP", "0", &VXWLLIB::bSSO_Shared_WEP, Kind::Flag },
    { "SSO", "WPA-PSK", "0", &VXWLLIB::bSSO_WPA_PSK, Kind::Flag },
    { "SSO", "WPA2-PSK", "0", &VXWLLIB::bSSO_WPA2_PSK, Kind::Flag },
    { "UI Button", "CCXForWin7", "0", &VXWLLIB::bCCXForWin7, Kind::Flag },
    { "WPS", "WPS_AssociateIE", "0", &VXWLLIB::bWPSAssociateIE, Kind::Flag },
    { "WPS", "WPS_ProbeIE", "0", &VXWLLIB::bWPSProbeIE, Kind::Flag },
    { "WAPI", "WAPI_Cert", "1", &VXWLLIB::bWAPICert, Kind::Flag },
    { "WAPI", "WAPI_Cert_Manage", "0", &VXWLLIB::bWAPICertManage, Kind::Flag },
};

std::string read_value(const char* section, const char* key, const char* default_value)
{
    char buffer[64];
    ReadIniString(section, key, default_value, buffer, sizeof(buffer), "ini");
    return buffer;
}

int convert(std::string const& text, Kind kind)
{
    switch (kind) {
    case Kind::Flag:
        return text == "0" ? 0 : 1;
    case Kind::OnlyOne:
        return text == "1" ? 1 : 0;
    case Kind::Integer:
        return std::atoi(text.c_str());
    }
    return 0;
}

// The whole piece, blanks around it aside, must be a decimal integer.
// The leading integer of a piece, as the option file's readers convert it: "3a" is 3, "1;3"
// is 1; a piece that starts with no number is none.
bool parse_kind(std::string_view piece, int& kind)
{
    while (!piece.empty() && (piece.front() == ' ' || piece.front() == '\t'))
        piece.remove_prefix(1);
    std::string const text(piece.substr(0, 10));
    char* end = nullptr;
    long const value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str())
        return false;
    kind = int(value);
    return true;
}

constexpr int kKindExtAp = 12;

}

void VXWLLIB::ReadIniSettings()
{
    nRetryConnectTimer = 60;
    for (auto const& option : kOptions) {
        if (std::strcmp(option.section, "Settings") == 0 && std::strcmp(option.key, "ProhibitWEPonHT") == 0) {
            // The texts of [Custom] come before [Settings]; each is cleared before it is filled.
            ReadIniString("Custom", "SoftAP_UIName", "Hotvane", szSoftAPUIName, sizeof(szSoftAPUIName), "ini");
            ReadIniString("Custom", "ShortCut_FolderName", "Vexlor Wireless", szShortCutFolderName,
                sizeof(szShortCutFolderName), "ini");
            ReadIniString("Custom", "ShortCut_IconName", "Vexlor Wireless Utility", szShortCutIconName,
                sizeof(szShortCutIconName), "ini");
        }
        this->*option.member = convert(read_value(option.section, option.key, option.default_value), option.kind);
    }
    nDebugMode = std::atoi(read_value("Settings", "DebugMode", "0").c_str());
    if (bSelect11nDialog) {
        bTxRate = 1;
        bHTSetting = 1;
    }
    if (bWAPICert)
        bWAPICertManage = 0;
    read_page_buttons();
    if (nRetryConnectTimer <= 0)
        nRetryConnectTimer = 60;
    // The WPS page tries a credential again every half period in 2-second ticks, and the hidden
    // dialog's rotation timer runs on the whole period: below 2 seconds neither makes sense.
    if (nWPSRotatePeriod < 2) {
        TraceMsg(TRACE_FAIL, "[Kivra] WPSRotatePeriod %d is below 2, read as 60\n", nWPSRotatePeriod);
        nWPSRotatePeriod = 60;
    }
}

// "Button Sequence": the page-button kinds in order, at most 13. Empty: every kind 0 to 12.
// A kind that appears again is kept once, where it first appears; a piece that starts with
// no number is skipped. A sequence that keeps no kind of a page button is read as empty, so
// the window never shows an empty row. The hosted-network kind (12) needs system code 12 or more and an
// administrator.
void VXWLLIB::read_page_buttons()
{
    std::string const text = read_value("UI Button", "Button Sequence", "");
    nButtonCount = 0;
    std::fill(std::begin(aryButtonSequence), std::end(aryButtonSequence), 0);
    if (text.empty()) {
        for (int kind = 0; kind < MAX_PAGE_BUTTONS; ++kind)
            aryButtonSequence[nButtonCount++] = kind;
        return;
    }
    int ext_ap_allowed = -1; // asked of the library the first time it matters
    std::string_view rest(text);
    while (nButtonCount < MAX_PAGE_BUTTONS) {
        auto const comma = rest.find(',');
        std::string_view const piece = rest.substr(0, comma);
        int kind = 0;
        bool keep = parse_kind(piece, kind)
            && std::find(aryButtonSequence, aryButtonSequence + nButtonCount, kind) == aryButtonSequence + nButtonCount;
        if (keep && kind == kKindExtAp) {
            if (ext_ap_allowed < 0)
                ext_ap_allowed = VXWL_GetWinOS() >= 12 && VXWL_DetectUserAdmin() != 0;
            keep = ext_ap_allowed != 0;
        }
        if (keep)
            aryButtonSequence[nButtonCount++] = kind;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    bool const any_kind = std::any_of(aryButtonSequence, aryButtonSequence + nButtonCount,
        [](int kind) { return kind >= 0 && kind < MAX_PAGE_BUTTONS; });
    if (!any_kind) {
        nButtonCount = 0;
        for (int kind = 0; kind < MAX_PAGE_BUTTONS; ++kind)
            aryButtonSequence[nButtonCount++] = kind;
    }
}
