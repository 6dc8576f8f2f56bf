#include "station/features/WmmSettings.h"

#include "station/core/VxWlLib.h"
#include "station/features/CcxWord.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kFirstNewerSystem = 10;
constexpr int kDefaultTimeout = 60;
constexpr int kShortestTimeout = 21;
constexpr int kLongestTimeout = 65535;

bool all_of(std::string const& text, int (*is)(int))
{
    return std::all_of(text.begin(), text.end(), [is](char c) { return is(static_cast<unsigned char>(c)) != 0; });
}

}

std::string PowerSaveStatusText(std::string const& enabled, WMM_CATEGORIES const& c)
{
    std::string text = enabled;
    if (c.nBE)
        text += ":AC_BE";
    if (c.nBK)
        text += ":AC_BK";
    if (c.nVI)
        text += ":AC_VI";
    if (c.nVO)
        text += ":AC_VO";
    return text;
}

std::string FormatDlsMac(std::uint8_t const (&mac)[6])
{
    char text[18] {};
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::vector<DLS_ROW> DlsRows(DLS_ENTRY const (&table)[DLS_TABLE_ENTRIES])
{
    std::vector<DLS_ROW> rows;
    for (DLS_ENTRY const& e : table)
        if (e.InUse == 1 && e.State == DLS_STATE_LINK_UP)
            rows.push_back({ FormatDlsMac(e.MacAddr), e.TimeOut });
    return rows;
}

DlsFormCheck CheckDlsForm(std::array<std::string, 6> const& mac_texts, std::string const& timeout_text,
    std::uint8_t const (&own_mac)[6])
{
    DlsFormCheck check;
    for (std::string const& t : mac_texts) {
        if (t.size() != 2 || !all_of(t, std::isxdigit)) {
            check.result = DlsFormResult::InvalidMac;
            return check;
        }
    }
    std::uint8_t mac[6] {};
    for (std::size_t i = 0; i < 6; ++i) {
        mac[i] = static_cast<std::uint8_t>(std::stoi(mac_texts[i], nullptr, 16));
        check.strMacDigits += mac_texts[i];
    }
    std::string const formatted = FormatDlsMac(mac);
    if (formatted == "00-00-00-00-00-00" || formatted == "FF-FF-FF-FF-FF-FF" || std::memcmp(mac, own_mac, 6) == 0) {
        check.result = DlsFormResult::InvalidMac;
        return check;
    }
    if (mac[0] & 1) {
        check.result = DlsFormResult::GroupAddress;
        return check;
    }
    long timeout = kDefaultTimeout;
    if (timeout_text.empty()) {
        check.bTimeoutDefaulted = true;
    } else {
        // All digits; more than five of them (a paste) is past the largest timeout anyway.
        std::size_t const first = std::min(timeout_text.find_first_not_of('0'), timeout_text.size());
        if (!all_of(timeout_text, std::isdigit) || timeout_text.size() - first > 5) {
            check.result = DlsFormResult::InvalidTimeout;
            return check;
        }
        timeout = first == timeout_text.size() ? 0 : std::stol(timeout_text.substr(first));
        if (timeout != 0 && (timeout < kShortestTimeout || timeout > kLongestTimeout)) {
            check.result = DlsFormResult::InvalidTimeout;
            return check;
        }
    }
    check.entry.TimeOut = static_cast<std::uint16_t>(timeout);
    std::memcpy(check.entry.MacAddr, mac, 6);
    check.entry.InUse = 1;
    return check;
}

bool WmmChangeRejoins(std::uint32_t encryption)
{
    switch (encryption) {
    case ENC_TKIP:
    case ENC_TKIP_KEY_ABSENT:
    case ENC_AES:
    case ENC_AES_KEY_ABSENT:
    case ENC_TKIP_MFP:
    case ENC_AES_MFP: return true;
    default: return false;
    }
}

void RejoinAfterWmmChange()
{
    auto& lib = G_VxWlLib;
    int const os = lib.VXWL_GetWinOS();
    WLAN_STATUS status {};
    WLAN_STATUS_REQUEST request {};
    request.Switch[1] = 1;
    lib.VXWL_QueryWLANStatus(&status, request);
    if (!WmmChangeRejoins(status.EncryptionStatus))
        return;
    if (os >= kFirstNewerSystem) {
        lib.VXWL_WlanDisconnect();
        int auth = 0;
        int encryption = 0;
        int network = 0;
        lib.VXWL_WlanConvertNdis2Dot11AuthType(int(status.AuthMode), &auth);
        lib.VXWL_WlanConvertNdis2Dot11EncryptType(int(status.EncryptionStatus), &encryption);
        lib.VXWL_WlanConvertNdis2Dot11NetworkType(int(status.NetworkType), &network);
        char profile[sizeof status.ProfileName + 1] {};
        std::memcpy(profile, status.ProfileName, sizeof status.ProfileName);
        lib.VXWL_WlanConnect(profile, network, status.Ssid, int(status.ConnectMode), auth, encryption);
        return;
    }
    lib.VXWL_Disassociate();
    lib.VXWL_SetSSID(status.Ssid);
    VXWL_U32 word = 0;
    lib.VXWL_ReadCCX2Cont(&word);
    lib.VXWL_SetCCXInfo(ActiveProfileFastRoamingSwitch(), word);
}
