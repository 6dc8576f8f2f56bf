// The site survey's connection profile as tables: the record LoadProfile builds over the kinds
// of chosen network and pending settings, the steps that follow it, the fields that would not
// fit, the cipher text, and the security editor's hand-over copied into the pending settings.
#include "station/survey/SurveyConnect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace station::survey;

namespace {

enum class Net { Open, AdHoc, Hidden, Secured, SecuredAdHoc };

constexpr std::uint8_t kMac[6] = { 0x02, 0x10, 0x00, 0x00, 0x00, 0x07 };
constexpr std::uint32_t kChannel11 = 2462000;

NDIS_WLAN_BSSID_EX entry_of(Net net)
{
    NDIS_WLAN_BSSID_EX e {};
    e.Length = sizeof e;
    std::memcpy(e.MacAddress, kMac, 6);
    char const* ssid = net == Net::Hidden ? "" : "Corner Cafe";
    e.Ssid.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(e.Ssid.Ssid, ssid, e.Ssid.SsidLength);
    e.Privacy = net == Net::Secured || net == Net::SecuredAdHoc;
    e.DSConfig = kChannel11;
    e.InfrastructureMode = net == Net::AdHoc || net == Net::SecuredAdHoc ? 0 : 1;
    return e;
}

std::string ssid_of(WLANPROFILE const& r) { return std::string(reinterpret_cast<char const*>(r.SSID.Ssid), r.SSID.SsidLength); }

// What OnConnect leaves before LoadProfile: mode open, no encryption.
PendingSecurity fresh_pending()
{
    PendingSecurity p;
    p.Reset();
    return p;
}

void psk(PendingSecurity& p, int auth, int encry, std::string key = "sunflower-tkip")
{
    p.nAuthIndex = auth;
    p.nEncryIndex = encry;
    p.strPskKey = std::move(key);
    p.nPskKeyType = 1;
}

void wep(PendingSecurity& p, int auth, int encry)
{
    p.nAuthIndex = auth;
    p.nEncryIndex = encry;
    p.nDefaultKey = 2;
    for (int k = 0; k < 4; ++k) {
        std::snprintf(p.WEPKey[std::size_t(k)].data(), 64, "key-%d", k + 1);
        p.nKeyType[std::size_t(k)] = k % 2;
    }
}

void peap(PendingSecurity& p)
{
    p.nAuthIndex = 5;
    p.nEncryIndex = 3;
    p.eap.strIdentity = "alice";
    p.eap.strPassword = "wonderland";
}

struct Built {
    ConnectPlan plan;
    WLANPROFILE record {};
    PendingSecurity pending;
    NDIS_802_11_SSID holder {};
};

Built build(Net net, std::function<void(PendingSecurity&)> const& set, std::function<void(ConnectInput&)> const& input = {})
{
    Built b;
    b.pending = fresh_pending();
    if (set)
        set(b.pending);
    NDIS_WLAN_BSSID_EX const entry = entry_of(net);
    ConnectInput in;
    in.entry = &entry;
    in.nWPA = net == Net::Secured || net == Net::SecuredAdHoc ? 5 : 0;
    in.hidden = net == Net::Hidden;
    in.ps_mode = 2;
    if (in.hidden) {
        b.holder.SsidLength = 5;
        std::memcpy(b.holder.Ssid, "Attic", 5);
    }
    if (input)
        input(in);
    b.plan = BuildSurveyProfile(in, b.pending, b.holder, b.record);
    return b;
}

}

// [SECTION] The record

TEST(SurveyProfile, RecordOverNetworksAndPendingSettings)
{
    struct Case {
        char const* name;
        Net net;
        std::function<void(PendingSecurity&)> set;
        std::uint32_t mode;
        std::uint32_t encryption;
        std::function<void(WLANPROFILE const&, PendingSecurity const&)> check;
    } const cases[] = {
        { "open visible: locked to its BSSID", Net::Open, {}, AUTH_OPEN, ENC_NONE,
            [](WLANPROFILE const& r, PendingSecurity const& p) {
                EXPECT_EQ(r.bBssid, 1u);
                EXPECT_EQ(std::memcmp(r.BSSID, kMac, 6), 0);
                EXPECT_EQ(ssid_of(r), "Corner Cafe");
                EXPECT_EQ(r.enumNetworkType, 1u);
                EXPECT_EQ(r.b8021X, 0u);
                EXPECT_EQ(p.bLockedToBssid, 1);
                EXPECT_EQ(p.bSsidOnly, 0);
            } },
        { "ad hoc: by SSID", Net::AdHoc, {}, AUTH_OPEN, ENC_NONE,
            [](WLANPROFILE const& r, PendingSecurity const& p) {
                EXPECT_EQ(r.bBssid, 0u);
                EXPECT_EQ(ssid_of(r), "Corner Cafe");
                EXPECT_EQ(r.enumNetworkType, 0u);
                EXPECT_EQ(p.bSsidOnly, 1);
                EXPECT_EQ(p.bLockedToBssid, 0);
            } },
        { "hidden: by the typed SSID", Net::Hidden, {}, AUTH_OPEN, ENC_NONE,
            [](WLANPROFILE const& r, PendingSecurity const& p) {
                EXPECT_EQ(r.bBssid, 0u);
                EXPECT_EQ(ssid_of(r), "Attic");
                EXPECT_EQ(p.bSsidOnly, 1);
            } },
        { "WPA-PSK TKIP", Net::Secured, [](auto& p) { psk(p, 4, 2); }, AUTH_WPA_PSK, ENC_TKIP,
            [](WLANPROFILE const& r, PendingSecurity const&) {
                EXPECT_EQ(r.nPskKeyLen, 14u);
                EXPECT_STREQ(r.chPskKey, "sunflower-tkip");
                EXPECT_EQ(r.nPskKeyType, 0u) << "the key type is WAPI-PSK's only";
            } },
        { "WPA2-PSK AES", Net::Secured, [](auto& p) { psk(p, 6, 3); }, AUTH_WPA2_PSK, ENC_AES, {} },
        { "WAPI-PSK SMS4 with its key type", Net::Secured, [](auto& p) { psk(p, 8, 4); }, AUTH_WAPI_PSK, ENC_SMS4,
            [](WLANPROFILE const& r, PendingSecurity const&) { EXPECT_EQ(r.nPskKeyType, 1u); } },
        { "ad hoc WPA2-PSK", Net::SecuredAdHoc, [](auto& p) { psk(p, 6, 3); }, AUTH_WPA2_PSK, ENC_AES, {} },
        { "ad hoc WPA-None", Net::SecuredAdHoc, [](auto& p) { psk(p, 7, 2); }, AUTH_WPA_NONE, ENC_TKIP, {} },
        { "ad hoc WAPI-PSK", Net::SecuredAdHoc, [](auto& p) { psk(p, 8, 4); }, AUTH_WAPI_PSK, ENC_SMS4, {} },
        { "ad hoc WPA-PSK is not a pre-shared key there", Net::SecuredAdHoc, [](auto& p) { psk(p, 4, 2); }, AUTH_OPEN,
            ENC_NONE, [](WLANPROFILE const& r, PendingSecurity const&) { EXPECT_EQ(r.nPskKeyLen, 0u); } },
        { "shared WEP", Net::Secured, [](auto& p) { wep(p, 1, 1); }, AUTH_SHARED, ENC_WEP,
            [](WLANPROFILE const& r, PendingSecurity const&) {
                EXPECT_STREQ(r.WEPKey1, "key-1");
                EXPECT_STREQ(r.WEPKey4, "key-4");
                EXPECT_EQ(r.WEPKey1Type, 0u);
                EXPECT_EQ(r.WEPKey2Type, 1u);
                EXPECT_EQ(r.wepDefaultKey, 2u);
            } },
        { "open WEP", Net::Secured, [](auto& p) { wep(p, 0, 1); }, AUTH_OPEN, ENC_WEP,
            [](WLANPROFILE const& r, PendingSecurity const&) { EXPECT_STREQ(r.WEPKey3, "key-3"); } },
        { "shared without a cipher", Net::Secured, [](auto& p) { wep(p, 1, 0); }, AUTH_SHARED, ENC_NONE, {} },
        { "802.1X WPA2 AES", Net::Secured, peap, AUTH_WPA2, ENC_AES,
            [](WLANPROFILE const& r, PendingSecurity const&) {
                EXPECT_EQ(r.b8021X, 1u);
                EXPECT_EQ(r.enumAuthenProtocol, EAP_PEAP);
                EXPECT_EQ(r.enumTunnel, 26u);
                EXPECT_STREQ(r.chID, "alice");
                EXPECT_STREQ(r.chPassword, "wonderland");
                EXPECT_EQ(r.nPasswordMode, 1u);
                EXPECT_EQ(r.bProvision, 1u);
                EXPECT_EQ(r.bCacheUserInfo, 1u);
            } },
        { "802.1X TTLS takes its own inner method", Net::Secured,
            [](auto& p) {
                peap(p);
                p.nAuthIndex = 3;
                p.nEncryIndex = 2;
                p.eap.nEapMethod = EAP_TTLS;
                p.eap.nTtlsTunnel = 73;
            },
            AUTH_WPA, ENC_TKIP, [](WLANPROFILE const& r, PendingSecurity const&) { EXPECT_EQ(r.enumTunnel, 73u); } },
        { "CCKM", Net::Secured, [](auto& p) { peap(p), p.nAuthIndex = 10; }, AUTH_CCKM, ENC_AES, {} },
        { "802.1X certificates of 0 and 152 bytes", Net::Secured,
            [](auto& p) {
                peap(p);
                p.eap.bClientCert = 1;
                p.eap.UserCert.BlobLength = 0;
                p.eap.bServerCert = 1;
                p.eap.strServerName = "radius.corp";
                p.eap.CACert.BlobLength = 152;
                std::memset(p.eap.CACert.BlobData, 0x42, 152);
            },
            AUTH_WPA2, ENC_AES,
            [](WLANPROFILE const& r, PendingSecurity const&) {
                EXPECT_EQ(r.user_cert.BlobLength, 0u);
                EXPECT_EQ(r.CA_cert.BlobLength, 152u);
                EXPECT_EQ(r.CA_cert.BlobData[151], 0x42);
                EXPECT_STREQ(r.chServerName, "radius.corp");
            } },
        { "dynamic WEP: open with 802.1X", Net::Secured,
            [](auto& p) {
                wep(p, 0, 1);
                p.b8021X = 1;
                p.eap.strIdentity = "alice";
            },
            AUTH_OPEN, ENC_WEP, [](WLANPROFILE const& r, PendingSecurity const&) { EXPECT_EQ(r.b8021X, 1u); } },
        { "WAPI certificate", Net::Secured,
            [](auto& p) {
                p.nAuthIndex = 9;
                p.nEncryIndex = 4;
                p.strWAPIUserCert = "user.cer";
                p.strWAPIASCert = "as.cer";
            },
            AUTH_WAPI_CERT, ENC_SMS4,
            [](WLANPROFILE const& r, PendingSecurity const&) {
                EXPECT_STREQ(r.chUserCertPath, "user.cer");
                EXPECT_STREQ(r.chASCertPath, "as.cer");
            } },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        Built const b = build(c.net, c.set);
        ASSERT_TRUE(b.plan.ok) << b.plan.refusal;
        WLANPROFILE const& r = b.record;
        EXPECT_EQ(r.enumAuthenMode, c.mode);
        EXPECT_EQ(r.enumEncryStatus, c.encryption);
        EXPECT_EQ(b.pending.nAuthenMode, c.mode);
        EXPECT_EQ(b.pending.nEncryStatus, c.encryption);
        EXPECT_EQ(r.bDisassociate, 1u);
        EXPECT_EQ(r.lRtsThre, 2347);
        EXPECT_EQ(r.lFragThre, 2346);
        EXPECT_EQ(r.enumPreamType, 2u);
        EXPECT_EQ(r.lTxPower, 0);
        EXPECT_EQ(r.enumPSMode, 2u);
        EXPECT_EQ(r.lFreq, std::int32_t(kChannel11));
        EXPECT_EQ(r.bSetAdvance, 0u);
        EXPECT_EQ(std::memcmp(b.pending.bssid.data(), kMac, 6), 0);
        if (c.check)
            c.check(r, b.pending);
    }
}

TEST(SurveyProfile, FieldsThatWouldNotFitRefuseTheAttemptAndChangeNothing)
{
    std::string const k127(127, 'i');
    std::string const k128(128, 'i');
    struct Case {
        char const* name;
        std::function<void(PendingSecurity&)> set;
        bool ok;
    } const cases[] = {
        { "identity of 127 bytes", [&](auto& p) { peap(p), p.eap.strIdentity = k127; }, true },
        { "identity of 128 bytes", [&](auto& p) { peap(p), p.eap.strIdentity = k128; }, false },
        { "password of 128 bytes", [&](auto& p) { peap(p), p.eap.strPassword = k128; }, false },
        { "server name of 128 bytes",
            [&](auto& p) {
                peap(p);
                p.eap.bServerCert = 1;
                p.eap.strServerName = k128;
            },
            false },
        { "a long server name without a server certificate is not read",
            [&](auto& p) {
                peap(p);
                p.eap.strServerName = k128;
            },
            true },
        { "PAC path of 255 bytes", [&](auto& p) { peap(p), p.eap.strPACFilePath = std::string(255, 'p'); }, true },
        { "PAC path of 256 bytes", [&](auto& p) { peap(p), p.eap.strPACFilePath = std::string(256, 'p'); }, false },
        { "user certificate of 153 bytes",
            [&](auto& p) {
                peap(p);
                p.eap.bClientCert = 1;
                p.eap.UserCert.BlobLength = 153;
            },
            false },
        { "CA certificate of 153 bytes",
            [&](auto& p) {
                peap(p);
                p.eap.bServerCert = 1;
                p.eap.CACert.BlobLength = 153;
            },
            false },
        { "pre-shared key of 64 bytes", [&](auto& p) { psk(p, 6, 3, std::string(64, 'f')); }, true },
        { "pre-shared key of 65 bytes", [&](auto& p) { psk(p, 6, 3, std::string(65, 'f')); }, false },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        Built const b = build(Net::Secured, c.set);
        EXPECT_EQ(b.plan.ok, c.ok) << b.plan.refusal;
        if (c.ok)
            continue;
        EXPECT_FALSE(b.plan.refusal.empty());
        EXPECT_FALSE(b.plan.queue_now);
        WLANPROFILE const zero {};
        EXPECT_EQ(std::memcmp(&b.record, &zero, sizeof zero), 0) << "the record is left as it was";
        EXPECT_EQ(b.pending.nAuthenMode, AUTH_OPEN);
        EXPECT_EQ(b.holder.SsidLength, 0u) << "the holder is left as it was";
    }
}

TEST(SurveyProfile, A64CharacterKeyFillsItsFieldWithoutATerminator)
{
    std::string const key(64, 'f');
    Built const b = build(Net::Secured, [&](auto& p) { psk(p, 6, 3, key); });
    ASSERT_TRUE(b.plan.ok);
    EXPECT_EQ(b.record.nPskKeyLen, 64u);
    EXPECT_EQ(std::string(b.record.chPskKey, 64), key);
    EXPECT_EQ(b.record.nIDModeIndex, 0u) << "the field after the key is untouched";
}

TEST(SurveyProfile, AnOpenAttemptAfterASecuredOneCarriesNoKey)
{
    PendingSecurity pending = fresh_pending();
    NDIS_802_11_SSID holder {};
    WLANPROFILE record {};
    NDIS_WLAN_BSSID_EX const secured = entry_of(Net::Secured);
    psk(pending, 6, 3);
    ConnectInput in;
    in.entry = &secured;
    in.nWPA = 5;
    ASSERT_TRUE(BuildSurveyProfile(in, pending, holder, record).ok);
    ASSERT_EQ(record.nPskKeyLen, 14u);

    // The next Connect zeroes the record and the pending mode and encryption only.
    record = WLANPROFILE {};
    pending.nAuthenMode = AUTH_OPEN;
    pending.nEncryStatus = ENC_NONE;
    NDIS_WLAN_BSSID_EX const open = entry_of(Net::Open);
    in.entry = &open;
    in.nWPA = 0;
    ASSERT_TRUE(BuildSurveyProfile(in, pending, holder, record).ok);
    EXPECT_EQ(record.enumAuthenMode, AUTH_OPEN);
    EXPECT_EQ(record.enumEncryStatus, ENC_NONE);
    EXPECT_EQ(record.nPskKeyLen, 0u);
    EXPECT_EQ(record.chPskKey[0], '\0');
}

// [SECTION] The steps after the record

TEST(SurveyProfile, StepsByEapMethodSystemAndAdministrator)
{
    auto fast = [](PendingSecurity& p) {
        peap(p);
        p.eap.nEapMethod = EAP_FAST;
    };
    struct Case {
        char const* name;
        std::function<void(PendingSecurity&)> set;
        int win_os;
        bool admin;
        bool eap_ui, reset, queue;
    } const cases[] = {
        { "open, newer system, administrator", {}, 12, true, false, true, true },
        { "open, newer system, standard user", {}, 12, false, false, false, true },
        { "open, older system, standard user", {}, 9, false, false, true, true },
        { "PEAP, newer system", peap, 10, true, false, true, true },
        { "EAP-FAST, code 10", fast, 10, true, true, true, false },
        { "EAP-FAST, older system", fast, 9, false, false, true, true },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        Built const b = build(c.set ? Net::Secured : Net::Open, c.set, [&](ConnectInput& in) {
            in.win_os = c.win_os;
            in.admin = c.admin;
        });
        ASSERT_TRUE(b.plan.ok);
        EXPECT_EQ(b.plan.eap_config_ui, c.eap_ui);
        EXPECT_EQ(b.plan.reset_settings, c.reset);
        EXPECT_EQ(b.plan.queue_now, c.queue);
        EXPECT_EQ(b.record.dwLenEapFastConfigBlob, c.eap_ui ? 3000u : 0u) << "the blob's capacity is handed over";
    }
}

TEST(SurveyProfile, WithoutWpaThe8021XSettingsAreLeftOut)
{
    Built const b = build(Net::Secured, peap, [](ConnectInput& in) { in.wpa_capable = false; });
    ASSERT_TRUE(b.plan.ok);
    EXPECT_EQ(b.record.b8021X, 0u);
    EXPECT_EQ(b.record.chID[0], '\0');
    EXPECT_EQ(b.record.enumAuthenMode, AUTH_OPEN) << "the pending mode stands";
}

TEST(SurveyProfile, CipherText)
{
    std::pair<std::uint32_t, char const*> const cases[] = { { 0, "NONE" }, { 1, "WEP" }, { 2, "TKIP" }, { 4, "AES" },
        { 6, "TKIP+AES" }, { 8, "SMS4" }, { 15, "WEP+TKIP+AES+SMS4" } };
    for (auto const& [bits, text] : cases)
        EXPECT_EQ(CipherText(bits), text) << bits;
}

// [SECTION] The security editor's hand-over

TEST(SurveyProfile, HandOverIsCopiedUnderTheWindowsConditions)
{
    struct Case {
        char const* name;
        int auth, encry, ieee8021x, infrastructure, method;
        bool wpa_capable;
        bool eap, keys, psk;
    } const cases[] = {
        { "WPA2 infrastructure", 5, 3, 0, 1, EAP_PEAP, true, true, false, true },
        { "WPA infrastructure", 3, 2, 0, 1, EAP_PEAP, true, true, false, true },
        { "CCKM infrastructure", 10, 3, 0, 1, EAP_PEAP, true, true, false, false },
        { "WPA2 without WPA capability", 5, 3, 0, 1, EAP_PEAP, false, false, false, true },
        { "WPA2 ad hoc", 5, 3, 0, 0, EAP_PEAP, true, false, false, true },
        { "open with 802.1X and WEP, PEAP", 0, 1, 1, 1, EAP_PEAP, true, true, false, false },
        { "shared with 802.1X, MD5", 1, 1, 1, 1, EAP_MD5, true, true, true, false },
        { "shared WEP", 1, 1, 0, 1, EAP_PEAP, true, false, true, false },
        { "open WEP", 0, 1, 0, 1, EAP_PEAP, true, false, true, false },
        { "open without a cipher", 0, 0, 0, 1, EAP_PEAP, true, false, false, false },
        { "WPA-PSK", 4, 2, 0, 1, EAP_PEAP, true, false, false, true },
        { "WPA-None", 7, 2, 0, 0, EAP_PEAP, true, false, false, true },
        { "WAPI-PSK", 8, 4, 0, 1, EAP_PEAP, true, false, false, true },
        { "WAPI certificate", 9, 4, 0, 1, EAP_PEAP, true, false, false, false },
        { "WPA-PSK with the 802.1X box", 4, 2, 1, 1, EAP_PEAP, true, false, false, true },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        SECURITY_HAND_OVER editor;
        editor.nAuthIndex = c.auth;
        editor.nEncryIndex = c.encry;
        editor.nDefaultKey = 3;
        editor.b8021X = c.ieee8021x;
        editor.bInfrastructure = c.infrastructure;
        editor.eap.Reset();
        editor.eap.nEapMethod = c.method;
        editor.eap.strIdentity = "editor";
        editor.strWAPIUserCert = "user.cer";
        editor.strWAPIASCert = "as.cer";
        editor.nKeyType = { 1, 1, 1, 1 };
        std::snprintf(editor.WEPKey[0].data(), 64, "wep");
        editor.strPskKey = "psk";
        editor.nPskKeyType = 1;

        PendingSecurity pending = fresh_pending();
        pending.eap.strIdentity = "old";
        TakeHandOver(pending, editor, c.wpa_capable);
        EXPECT_EQ(pending.nAuthIndex, c.auth);
        EXPECT_EQ(pending.nEncryIndex, c.encry);
        EXPECT_EQ(pending.nDefaultKey, 3);
        EXPECT_EQ(pending.b8021X, c.ieee8021x);
        EXPECT_EQ(pending.strWAPIUserCert, "user.cer");
        EXPECT_EQ(pending.strWAPIASCert, "as.cer");
        EXPECT_EQ(pending.eap.strIdentity, c.eap ? "editor" : "old");
        EXPECT_EQ(std::string(pending.WEPKey[0].data()), c.keys ? "wep" : "");
        EXPECT_EQ(pending.nKeyType[3], c.keys ? 1 : 0);
        EXPECT_EQ(pending.strPskKey, c.psk ? "psk" : "");
        EXPECT_EQ(pending.nPskKeyType, c.psk ? 1 : 0);
    }
}

TEST(SurveyProfile, ResetClearsTheEditorsChoices)
{
    PendingSecurity p;
    psk(p, 6, 3);
    wep(p, 1, 1);
    p.b8021X = 1;
    p.strWAPIUserCert = "u";
    p.eap.nEapMethod = EAP_TLS;
    p.Reset();
    EXPECT_EQ(p.nAuthIndex, 0);
    EXPECT_EQ(p.nEncryIndex, 0);
    EXPECT_EQ(p.b8021X, 0);
    EXPECT_TRUE(p.strPskKey.empty());
    EXPECT_EQ(p.nDefaultKey, 0);
    EXPECT_EQ(p.nKeyType[1], 0);
    EXPECT_EQ(p.WEPKey[0][0], '\0');
    EXPECT_EQ(p.nPskKeyType, 0);
    EXPECT_TRUE(p.strWAPIUserCert.empty());
    EXPECT_EQ(p.eap.nEapMethod, 0);
    EXPECT_EQ(p.eap.nTunnel, 26);
}
