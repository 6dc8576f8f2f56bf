// The site survey's connection profile. [SECTION] index: pending settings and the editor's
// hand-over; the 802.1X, WAPI, pre-shared key and WEP steps; name, BSSID and radio fields;
// the plan.
#include "station/survey/SurveyConnect.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace station::survey {

namespace {

// The editors keep texts within their profile fields; only a corrupted record passes them.
constexpr std::size_t kCredentialLimit = 127;
constexpr std::size_t kPacPathLimit = 255;
constexpr std::size_t kPskLimit = sizeof(WLANPROFILE::chPskKey);

constexpr int kRtsThreshold = 2347;
constexpr int kFragThreshold = 2346;
constexpr std::uint32_t kPreambleAuto = 2;

// Authentication indexes of the editor's list.
enum : int {
    IDX_OPEN = 0, IDX_SHARED = 1, IDX_WPA = 3, IDX_WPA_PSK = 4, IDX_WPA2 = 5, IDX_WPA2_PSK = 6,
    IDX_WPA_NONE = 7, IDX_WAPI_PSK = 8, IDX_WAPI_CERT = 9, IDX_CCKM = 10,
};
// Encryption indexes.
enum : int { IDX_NONE = 0, IDX_WEP = 1, IDX_TKIP = 2, IDX_AES = 3, IDX_SMS4 = 4 };

bool uses_8021x(int auth_index, int b8021x, bool infrastructure, bool wpa_capable)
{
    if (!wpa_capable)
        return false;
    bool const wpa_family = auth_index == IDX_WPA || auth_index == IDX_WPA2 || auth_index == IDX_CCKM;
    bool const open_or_shared = auth_index == IDX_OPEN || auth_index == IDX_SHARED;
    return (infrastructure && wpa_family) || (open_or_shared && b8021x);
}

bool uses_wep_keys(int auth_index, int encry_index)
{
    return auth_index == IDX_SHARED || (auth_index == IDX_OPEN && encry_index == IDX_WEP);
}

// Copies `text` with its terminator into `field`; false when it passes `limit` bytes.
template<std::size_t N>
bool copy_text(char (&field)[N], std::string const& text, std::size_t limit)
{
    static_assert(N > 0);
    if (text.size() > limit || text.size() >= N)
        return false;
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size());
    return true;
}

struct Build {
    ConnectInput const& in;
    PendingSecurity const& pending;
    WLANPROFILE& r;
    std::uint32_t mode;
    std::uint32_t encryption;
    std::string refusal {};

    bool infrastructure() const { return in.entry->InfrastructureMode == 1; }
    bool refuse(char const* why)
    {
        refusal = why;
        return false;
    }
    bool security();
    bool ieee8021x();
    bool certificates();
    void wapi();
    bool pre_shared_key();
    void wep();
};

// [SECTION] Security steps

bool Build::security()
{
    if (!ieee8021x())
        return false;
    if (infrastructure() && pending.nAuthIndex == IDX_WAPI_CERT)
        wapi();
    bool const psk_infra = infrastructure()
        && (pending.nAuthIndex == IDX_WPA_PSK || pending.nAuthIndex == IDX_WPA2_PSK || pending.nAuthIndex == IDX_WAPI_PSK);
    bool const psk_adhoc = !infrastructure()
        && (pending.nAuthIndex == IDX_WPA2_PSK || pending.nAuthIndex == IDX_WPA_NONE || pending.nAuthIndex == IDX_WAPI_PSK);
    if (psk_infra || psk_adhoc)
        return pre_shared_key();
    if (uses_wep_keys(pending.nAuthIndex, pending.nEncryIndex))
        wep();
    return true;
}

bool Build::ieee8021x()
{
    EAP_SETTING_DATA const& eap = pending.eap;
    if (!uses_8021x(pending.nAuthIndex, pending.b8021X, infrastructure(), in.wpa_capable))
        return true;
    r.b8021X = 1;
    r.enumAuthenProtocol = std::uint32_t(eap.nEapMethod);
    if (eap.nEapMethod == int(EAP_PEAP) || eap.nEapMethod == int(EAP_FAST))
        r.enumTunnel = std::uint32_t(eap.nTunnel);
    else if (eap.nEapMethod == int(EAP_TTLS))
        r.enumTunnel = std::uint32_t(eap.nTtlsTunnel);
    r.nSessionResumption = std::uint32_t(eap.nSessionResumption);
    r.enumProvisioningTunnel = std::uint32_t(eap.nProvisioningTunnel);
    r.nIDModeIndex = std::uint32_t(eap.nIDModeIndex);
    r.nPasswordMode = std::uint32_t(eap.nPasswordMode);
    r.bClientCert = std::uint32_t(eap.bClientCert);
    r.bClientCertInSmartCard = std::uint32_t(eap.bClientCertInSmartCard);
    r.bCacheUserInfo = std::uint32_t(eap.bCacheUserInfo);
    if (!copy_text(r.chID, eap.strIdentity, kCredentialLimit))
        return refuse("identity longer than 127 bytes");
    if (!copy_text(r.chPassword, eap.strPassword, kCredentialLimit))
        return refuse("password longer than 127 bytes");
    if (!certificates())
        return false;
    if (infrastructure()) {
        if (pending.nAuthIndex == IDX_WPA)
            mode = AUTH_WPA;
        else if (pending.nAuthIndex == IDX_WPA2)
            mode = AUTH_WPA2;
        else if (pending.nAuthIndex == IDX_CCKM)
            mode = AUTH_CCKM;
        if (pending.nEncryIndex == IDX_TKIP)
            encryption = ENC_TKIP;
        else if (pending.nEncryIndex == IDX_AES)
            encryption = ENC_AES;
    }
    r.bPAC = std::uint32_t(eap.bPAC);
    r.bProvision = std::uint32_t(eap.bProvision);
    if (!copy_text(r.chPACfilepath, eap.strPACFilePath, kPacPathLimit))
        return refuse("PAC file path longer than 255 bytes");
    return true;
}

bool Build::certificates()
{
    EAP_SETTING_DATA const& eap = pending.eap;
    if (eap.bClientCert && !CopyEapBlob(r.user_cert, eap.UserCert))
        return refuse("user certificate longer than 152 bytes");
    r.bServerCert = std::uint32_t(eap.bServerCert);
    if (!eap.bServerCert)
        return true;
    r.bIntermediateCert = std::uint32_t(eap.bIntermediateCert);
    r.nServerNameRule = std::uint32_t(eap.nServerNameRule);
    if (!copy_text(r.chServerName, eap.strServerName, kCredentialLimit))
        return refuse("server name longer than 127 bytes");
    if (!CopyEapBlob(r.CA_cert, eap.CACert))
        return refuse("CA certificate longer than 152 bytes");
    return true;
}

void Build::wapi()
{
    mode = AUTH_WAPI_CERT;
    if (pending.nEncryIndex == IDX_SMS4)
        encryption = ENC_SMS4;
    // The editor's certificate names are file names well within the fields; a longer one is cut.
    std::snprintf(r.chUserCertPath, sizeof r.chUserCertPath, "%s", pending.strWAPIUserCert.c_str());
    std::snprintf(r.chASCertPath, sizeof r.chASCertPath, "%s", pending.strWAPIASCert.c_str());
}

bool Build::pre_shared_key()
{
    int const index = pending.nAuthIndex;
    if (infrastructure())
        mode = index == IDX_WPA_PSK ? AUTH_WPA_PSK : (index == IDX_WPA2_PSK ? AUTH_WPA2_PSK : AUTH_WAPI_PSK);
    else
        mode = index == IDX_WPA2_PSK ? AUTH_WPA2_PSK : (index == IDX_WPA_NONE ? AUTH_WPA_NONE : AUTH_WAPI_PSK);
    if (index == IDX_WAPI_PSK)
        r.nPskKeyType = std::uint32_t(pending.nPskKeyType);
    if (pending.strPskKey.size() > kPskLimit)
        return refuse("pre-shared key longer than 64 bytes");
    // A 64-character key fills the field without a terminator: nPskKeyLen says where it ends.
    r.nPskKeyLen = std::uint32_t(pending.strPskKey.size());
    std::memcpy(r.chPskKey, pending.strPskKey.data(), pending.strPskKey.size());
    if (pending.nEncryIndex == IDX_TKIP)
        encryption = ENC_TKIP;
    else if (pending.nEncryIndex == IDX_AES)
        encryption = ENC_AES;
    else if (pending.nEncryIndex == IDX_SMS4)
        encryption = ENC_SMS4;
    return true;
}

void Build::wep()
{
    mode = std::uint32_t(pending.nAuthIndex);
    if (pending.nEncryIndex == IDX_NONE)
        encryption = ENC_NONE;
    else if (pending.nEncryIndex == IDX_WEP)
        encryption = ENC_WEP;
    char* const keys[] = { r.WEPKey1, r.WEPKey2, r.WEPKey3, r.WEPKey4 };
    std::uint32_t* const types[] = { &r.WEPKey1Type, &r.WEPKey2Type, &r.WEPKey3Type, &r.WEPKey4Type };
    for (int k = 0; k < SECURITY_HAND_OVER::kWepKeys; ++k) {
        std::memcpy(keys[k], pending.WEPKey[std::size_t(k)].data(), SECURITY_HAND_OVER::kWepKeySize);
        *types[k] = std::uint32_t(pending.nKeyType[std::size_t(k)]);
    }
    r.wepDefaultKey = std::uint32_t(pending.nDefaultKey);
}

// [SECTION] Name, BSSID and radio fields

void set_name_and_radio(ConnectInput const& in, PendingSecurity& pending, NDIS_802_11_SSID& holder, WLANPROFILE& r)
{
    NDIS_WLAN_BSSID_EX const& entry = *in.entry;
    NDIS_802_11_SSID entry_ssid {};
    entry_ssid.SsidLength = std::min(entry.Ssid.SsidLength, NDIS_SSID_MAX);
    std::memcpy(entry_ssid.Ssid, entry.Ssid.Ssid, entry_ssid.SsidLength);
    if (!in.hidden)
        holder = entry_ssid;
    std::memcpy(pending.bssid.data(), entry.MacAddress, 6);
    bool const adhoc = entry.InfrastructureMode != 1;
    if (adhoc || in.hidden) {
        r.SSID = adhoc && !in.hidden ? entry_ssid : holder;
        r.bBssid = 0;
        pending.bLockedToBssid = 0;
        pending.bSsidOnly = 1;
    } else {
        r.SSID = entry_ssid;
        std::memcpy(r.BSSID, entry.MacAddress, 6);
        r.bBssid = 1;
        pending.bLockedToBssid = 1;
        pending.bSsidOnly = 0;
    }
    r.bSetAdvance = 0;
    r.bACCam = 0;
    r.enumPSMode = in.ps_mode;
    r.lRtsThre = kRtsThreshold;
    r.lFragThre = kFragThreshold;
    r.enumPreamType = kPreambleAuto;
    r.enumNetworkType = entry.InfrastructureMode;
    r.lTxPower = 0;
    r.lFreq = std::int32_t(entry.DSConfig);
}

}

// [SECTION] Pending settings and the editor's hand-over

void PendingSecurity::Reset()
{
    nAuthIndex = 0;
    nEncryIndex = 0;
    b8021X = 0;
    strPskKey.clear();
    nDefaultKey = 0;
    nKeyType.fill(0);
    for (auto& key : WEPKey)
        key.fill(0);
    nPskKeyType = 0;
    strWAPIUserCert.clear();
    strWAPIASCert.clear();
    eap.Reset();
}

void TakeHandOver(PendingSecurity& pending, SECURITY_HAND_OVER const& editor, bool wpa_capable)
{
    pending.nAuthIndex = editor.nAuthIndex;
    pending.nEncryIndex = editor.nEncryIndex;
    pending.nDefaultKey = editor.nDefaultKey;
    pending.b8021X = editor.b8021X;
    if (uses_8021x(editor.nAuthIndex, editor.b8021X, editor.bInfrastructure == 1, wpa_capable))
        pending.eap = editor.eap;
    pending.strWAPIUserCert = editor.strWAPIUserCert;
    pending.strWAPIASCert = editor.strWAPIASCert;
    bool const plain_or_md5 = !editor.b8021X || editor.eap.nEapMethod == int(EAP_MD5);
    if (plain_or_md5 && uses_wep_keys(editor.nAuthIndex, editor.nEncryIndex)) {
        pending.nKeyType = editor.nKeyType;
        pending.WEPKey = editor.WEPKey;
    }
    if (editor.nAuthIndex >= IDX_WPA && editor.nAuthIndex <= IDX_WAPI_PSK) {
        pending.strPskKey = editor.strPskKey;
        pending.nPskKeyType = editor.nPskKeyType;
    }
}

// [SECTION] The record and the plan

ConnectPlan BuildSurveyProfile(ConnectInput const& in, PendingSecurity& pending, NDIS_802_11_SSID& holder,
    WLANPROFILE& record)
{
    ConnectPlan plan;
    if (!in.entry) {
        plan.refusal = "no chosen network";
        return plan;
    }
    auto r = std::make_unique<WLANPROFILE>(record);
    r->b8021X = 0;
    Build build { in, pending, *r, pending.nAuthenMode, pending.nEncryStatus };
    bool const secured = in.entry->Privacy || in.nWPA != 0;
    if (secured && !build.security()) {
        plan.refusal = build.refusal;
        return plan;
    }
    r->enumAuthenMode = build.mode;
    r->enumEncryStatus = build.encryption;
    r->bDisassociate = 1;
    pending.nAuthenMode = build.mode;
    pending.nEncryStatus = build.encryption;
    set_name_and_radio(in, pending, holder, *r);
    bool const eap_mode = r->enumAuthenMode == AUTH_WPA || r->enumAuthenMode == AUTH_WPA2
        || r->enumAuthenMode == AUTH_CCKM || (r->enumAuthenMode == AUTH_OPEN && r->b8021X);
    bool const fast = r->enumAuthenProtocol == EAP_FAST;
    plan.eap_config_ui = eap_mode && fast && in.win_os >= 10;
    if (plan.eap_config_ui)
        r->dwLenEapFastConfigBlob = kEapFastBlobCapacity;
    plan.reset_settings = in.win_os < 10 || in.admin;
    plan.queue_now = !(in.win_os >= 10 && fast);
    plan.ok = true;
    record = *r;
    return plan;
}

std::string CipherText(std::uint32_t encryption)
{
    if (encryption == 0)
        return "NONE";
    std::string text;
    for (auto [bit, piece] : { std::pair { IE_ENC_WEP, "WEP+" }, std::pair { IE_ENC_TKIP, "TKIP+" },
             std::pair { IE_ENC_AES, "AES+" }, std::pair { IE_ENC_SMS4, "SMS4+" } })
        if (encryption & bit)
            text += piece;
    if (!text.empty())
        text.pop_back();
    return text;
}

}
