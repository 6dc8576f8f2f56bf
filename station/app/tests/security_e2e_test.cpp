// Every security method connected end to end from a stored profile activated on the profile
// page, each with its wrong secret: the library's callback events in order, the link's status
// (SSID, authentication, cipher) and the tray icon.
#include "SecurityMatrixHarness.h"

#include "station/profiles/PageProfileDlg.h"
#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/KeyMaterial.h"

using namespace station::testing;

namespace {

// [SECTION] Profiles as the profile editor stores them

WLANPROFILE base(char const* name, char const* ssid, std::uint32_t auth, std::uint32_t cipher, bool adhoc = false)
{
    WLANPROFILE p {};
    wlan::profile::write_text(p.strProfileName, name);
    wlan::profile::write_ssid(p, ssid);
    p.enumNetworkType = adhoc ? 0 : 1;
    p.enumAuthenMode = auth;
    p.enumEncryStatus = cipher;
    p.wepDefaultKey = 1;
    p.lRtsThre = 2347;
    p.lFragThre = 2346;
    p.enumPreamType = 2;
    if (adhoc)
        p.lFreq = 2412000;
    return p;
}

WLANPROFILE wep(char const* name, char const* ssid, std::uint32_t auth, char const* key, std::uint32_t type)
{
    WLANPROFILE p = base(name, ssid, auth, ENC_WEP);
    wlan::profile::write_text(p.WEPKey1, key);
    p.WEPKey1Type = type;
    return p;
}

WLANPROFILE psk(char const* name, char const* ssid, std::uint32_t auth, std::uint32_t cipher, char const* key, bool adhoc = false,
    std::uint32_t type = 1)
{
    WLANPROFILE p = base(name, ssid, auth, cipher, adhoc);
    wlan::profile::write_psk(p, key);
    p.nPskKeyType = type;
    return p;
}

WLANPROFILE eap(char const* name, char const* ssid, std::uint32_t auth, std::uint32_t cipher, std::uint32_t method,
    std::uint32_t tunnel, char const* id, char const* password)
{
    WLANPROFILE p = base(name, ssid, auth, cipher);
    p.b8021X = 1;
    p.enumAuthenProtocol = method;
    p.enumTunnel = tunnel;
    wlan::profile::write_text(p.chID, id);
    wlan::profile::write_text(p.chPassword, password);
    return p;
}

WLANPROFILE wapi_ca(char const* name, char const* as, char const* user)
{
    WLANPROFILE p = base(name, "WAPI Secure", AUTH_WAPI_CERT, ENC_SMS4);
    wlan::profile::write_text(p.chASCertPath, cert(as));
    wlan::profile::write_text(p.chUserCertPath, cert(user));
    return p;
}

struct Row {
    std::string what;
    WLANPROFILE right;
    std::optional<WLANPROFILE> wrong;
    Failure failure;
};

WLANPROFILE with_wep_key(WLANPROFILE p, char const* key)
{
    wlan::profile::write_text(p.WEPKey1, key);
    return p;
}

WLANPROFILE with_psk(WLANPROFILE p, char const* key, std::uint32_t type = 1)
{
    std::memset(p.chPskKey, 0, sizeof p.chPskKey);
    wlan::profile::write_psk(p, key);
    p.nPskKeyType = type;
    return p;
}

WLANPROFILE with_password(WLANPROFILE p, char const* password)
{
    wlan::profile::write_text(p.chPassword, password);
    return p;
}

WLANPROFILE renamed(WLANPROFILE p, std::string const& name)
{
    std::memset(p.strProfileName, 0, sizeof p.strProfileName);
    wlan::profile::write_text(p.strProfileName, name);
    return p;
}

// The pairwise master key of "correct horse battery" for "HomeNet 5G", as 64 digits.
std::string const kHomeNetPmk = [] {
    auto const pmk = wlan::sim::passphrase_pmk("correct horse battery", "HomeNet 5G");
    std::string hex;
    char digits[3];
    for (auto byte : pmk) {
        std::snprintf(digits, sizeof digits, "%02x", byte);
        hex += digits;
    }
    return hex;
}();

std::vector<Row> profile_rows()
{
    constexpr std::uint32_t kMsChapV2 = 26, kGtc = 6, kTlsInner = 13, kPap = 73, kChap = 72, kMsChap = 71, kMd5Inner = 4;
    WLANPROFILE const peap = eap("PEAP", "Corp", AUTH_WPA2, ENC_AES, EAP_PEAP, kMsChapV2, "alice", "wonderland");
    WLANPROFILE const leap = eap("LEAP", "Corp", AUTH_WPA2, ENC_AES, EAP_LEAP, 0, "eve", "secret");
    std::vector<Row> rows = {
        { "open, none", base("Open", "Corner Cafe", AUTH_OPEN, ENC_NONE), std::nullopt, Failure::None },
        { "open WEP, ASCII key", wep("WEP ASCII", "Old Router", AUTH_OPEN, "12345", 1), std::nullopt, Failure::Icv },
        { "open WEP, hexadecimal key", wep("WEP hex", "Old Router", AUTH_OPEN, "3132333435", 0), std::nullopt, Failure::Icv },
        { "shared WEP", wep("Shared", "Warehouse", AUTH_SHARED, "0123456789abcdef0123456789", 0), std::nullopt, Failure::AssocFail },
        { "WPA-PSK TKIP", psk("WPA-PSK", "Sunflower", AUTH_WPA_PSK, ENC_TKIP, "sunflower-tkip"), std::nullopt, Failure::NoMedia },
        { "WPA2-PSK AES, passphrase", psk("WPA2-PSK", "HomeNet 5G", AUTH_WPA2_PSK, ENC_AES, "correct horse battery"), std::nullopt,
            Failure::NoMedia },
        { "WPA2-PSK AES, 64 digits", psk("WPA2-PSK hex", "HomeNet 5G", AUTH_WPA2_PSK, ENC_AES, kHomeNetPmk.c_str()), std::nullopt,
            Failure::NoMedia },
        { "WPA/WPA2-PSK mixed", psk("Mixed", "Family", AUTH_WPA2_PSK, ENC_AES, "family-first"), std::nullopt, Failure::NoMedia },
        { "WPA2-PSK ad hoc", psk("Ad hoc", "Gamers", AUTH_WPA2_PSK, ENC_AES, "frag-them-all", true), std::nullopt, Failure::NoMedia },
        { "WPA2 PEAP MSCHAPv2", peap, std::nullopt, Failure::IdentityRejected },
        { "WPA2 PEAP GTC", eap("PEAP GTC", "Corp", AUTH_WPA2, ENC_AES, EAP_PEAP, kGtc, "alice", "wonderland"), std::nullopt,
            Failure::IdentityRejected },
        { "WPA TKIP PEAP", eap("WPA PEAP", "Corp Legacy", AUTH_WPA, ENC_TKIP, EAP_PEAP, kMsChapV2, "alice", "wonderland"), std::nullopt,
            Failure::IdentityRejected },
        { "WPA2 LEAP", leap, std::nullopt, Failure::IdentityRejected },
        { "WPA2 AES-MFP PEAP", eap("PEAP MFP", "Corp", AUTH_WPA2, ENC_AES_MFP, EAP_PEAP, kMsChapV2, "alice", "wonderland"),
            std::nullopt, Failure::IdentityRejected },
        // TLS inside takes no password: nothing wrong to type.
        { "WPA2 PEAP TLS inside", eap("PEAP TLS", "Corp", AUTH_WPA2, ENC_AES, EAP_PEAP, kTlsInner, "alice", "wonderland"),
            std::nullopt, Failure::None },
        { "CCKM LEAP", eap("CCKM", "Voice", AUTH_CCKM, ENC_AES, EAP_LEAP, 0, "eve", "secret"), std::nullopt, Failure::IdentityRejected },
        { "open 802.1X WEP, PEAP", eap("Lab PEAP", "Lab", AUTH_OPEN, ENC_WEP, EAP_PEAP, kMsChapV2, "alice", "wonderland"), std::nullopt,
            Failure::IdentityRejected },
        { "WAPI-PSK ASCII", psk("WAPI", "WAPI Office", AUTH_WAPI_PSK, ENC_SMS4, "wapi-secret"), std::nullopt, Failure::NoMedia },
        { "WAPI-PSK hexadecimal", psk("WAPI hex", "WAPI Office", AUTH_WAPI_PSK, ENC_SMS4, "776170692d736563726574", false, 0),
            std::nullopt, Failure::NoMedia },
        { "WAPI-CA", wapi_ca("WAPI CA", "wapi-as.cer", "wapi-user.cer"), std::nullopt, Failure::NoMedia },
    };
    for (auto [inner, label] : { std::pair { kChap, "CHAP" }, std::pair { kMsChap, "MS-CHAP" }, std::pair { kMsChapV2, "MS-CHAPv2" },
             std::pair { kPap, "PAP" }, std::pair { kMd5Inner, "EAP-MD5" } }) {
        std::string const name = std::string("TTLS ") + label;
        rows.push_back({ "WPA2 " + name, eap("", "Corp", AUTH_WPA2, ENC_AES, EAP_TTLS, inner, "bob", "builder"), std::nullopt,
            Failure::IdentityRejected });
        rows.back().right = renamed(rows.back().right, name);
    }
    for (Row& row : rows) {
        WLANPROFILE wrong = renamed(row.right, wlan::profile::name_of(row.right) + " wrong");
        switch (row.failure) {
        case Failure::None: continue;
        case Failure::Icv: wrong = with_wep_key(wrong, wrong.WEPKey1Type ? "54321" : "0000000000"); break;
        case Failure::IdentityRejected:
        case Failure::AuthTimeout: wrong = with_password(wrong, "not-the-password"); break;
        case Failure::AssocFail: wrong = with_wep_key(wrong, "ffffffffffffffffffffffffff"); break;
        case Failure::NoMedia:
            if (row.right.enumAuthenMode == AUTH_WAPI_CERT)
                wrong = wapi_ca("WAPI CA wrong", "wapi-other-as.cer", "wapi-user.cer");
            else
                wrong = with_psk(wrong, row.right.nPskKeyType ? "not-the-secret" : "6e6f742d7468652d736563726574", row.right.nPskKeyType);
            break;
        }
        row.wrong = wrong;
    }
    return rows;
}

}

TEST_F(SecurityMatrixTest, EveryMethodConnectsFromAnActivatedProfileAndFailsWithAWrongSecret)
{
    std::vector<Row> const rows = profile_rows();
    std::vector<WLANPROFILE> stored;
    for (Row const& row : rows) {
        stored.push_back(row.right);
        if (row.wrong)
            stored.push_back(*row.wrong);
    }
    store(stored);
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        run_for(4100);
        click(window.kind_button(BTN_PROFILE));
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        for (Row const& row : rows) {
            SCOPED_TRACE(row.what);
            auto const start = std::chrono::steady_clock::now();
            clear_events();
            activate(page, wlan::profile::name_of(row.right));
            expect_connects(dialog, row.right);
            if (row.wrong) {
                clear_events();
                activate(page, wlan::profile::name_of(*row.wrong));
                expect_fails(dialog, *row.wrong, row.failure);
            }
            print_row(row.what, start);
        }
    });
}

// An older system (code 8): WPA-None in ad hoc, and MD5-Challenge with its static WEP key.
TEST_F(SecurityMatrixTest, OnAnOlderSystemWpaNoneAndMd5ChallengeConnect)
{
    world(default_world(8));
    WLANPROFILE md5 = eap("Lab MD5", "Lab", AUTH_OPEN, ENC_WEP, EAP_MD5, 0, "frank", "md5pass");
    wlan::profile::write_text(md5.WEPKey1, "1A2B3C4D5E");
    md5.WEPKey1Type = 0;
    std::vector<Row> rows = {
        { "older: WPA-None ad hoc", psk("WPA-None", "Old LAN", AUTH_WPA_NONE, ENC_TKIP, "lan-party-99", true), std::nullopt,
            Failure::NoMedia },
        { "older: open 802.1X WEP, MD5-Challenge", md5, std::nullopt, Failure::IdentityRejected },
    };
    rows[0].wrong = renamed(with_psk(rows[0].right, "not-the-secret"), "WPA-None wrong");
    rows[1].wrong = renamed(with_password(rows[1].right, "not-the-password"), "Lab MD5 wrong");
    store({ rows[0].right, *rows[0].wrong, rows[1].right, *rows[1].wrong });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        run_for(4100);
        click(window.kind_button(BTN_PROFILE));
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        for (Row const& row : rows) {
            SCOPED_TRACE(row.what);
            auto const start = std::chrono::steady_clock::now();
            clear_events();
            activate(page, wlan::profile::name_of(row.right));
            expect_connects(dialog, row.right);
            clear_events();
            activate(page, wlan::profile::name_of(*row.wrong));
            expect_fails(dialog, *row.wrong, row.failure);
            print_row(row.what, start);
        }
    });
}

// TLS with the machine store's client certificate, the server's name validated: a wrong name
// fails before the identity is asked (17).
TEST_F(SecurityMatrixTest, TlsConnectsWithItsCertificateAndAWrongServerNameFails)
{
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        run_for(4100);
        VXWL_U32 count = 8;
        CERT_RECORD records[8] {};
        ASSERT_EQ(G_VxWlLib.VXWL_EnumCert("MY", records, &count), VXWL_ERROR_SUCCESS);
        auto const carol = std::find_if(records, records + count, [](CERT_RECORD const& r) { return std::string(r.FriendlyName) == "Carol (Corp)"; });
        ASSERT_NE(carol, records + count);
        WLANPROFILE tls = eap("TLS", "Corp", AUTH_WPA2, ENC_AES, EAP_TLS, 0, "carol", "");
        tls.bClientCert = 1;
        tls.user_cert.BlobLength = std::min<std::uint32_t>(carol->DataLength, sizeof tls.user_cert.BlobData);
        std::memcpy(tls.user_cert.BlobData, carol->Data, tls.user_cert.BlobLength);
        G_VxWlLib.VXWL_FreeCertArray(records, &count);
        tls.bServerCert = 1;
        wlan::profile::write_text(tls.chServerName, "radius.corp.example");
        WLANPROFILE wrong = renamed(tls, "TLS wrong server");
        std::memset(wrong.chServerName, 0, sizeof wrong.chServerName);
        wlan::profile::write_text(wrong.chServerName, "radius.elsewhere.example");
        for (WLANPROFILE* p : { &tls, &wrong })
            ASSERT_EQ(G_VxWlLib.VXWL_WriteProfile("", p), VXWL_ERROR_SUCCESS);
        click(window.kind_button(BTN_PROFILE));
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        auto const start = std::chrono::steady_clock::now();
        clear_events();
        activate(page, "TLS");
        expect_connects(dialog, tls);
        clear_events();
        activate(page, "TLS wrong server");
        expect_fails(dialog, wrong, Failure::AuthTimeout);
        EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED));
        print_row("WPA2 TLS, server name validated", start);
    });
}

// EAP-FAST: provisioned on the first connection (the PAC saved), then connected with the PAC.
TEST_F(SecurityMatrixTest, EapFastProvisionsThenConnectsWithItsPac)
{
    constexpr std::uint32_t kMsChapV2 = 26;
    WLANPROFILE provision = eap("FAST", "Corp", AUTH_WPA2, ENC_AES, EAP_FAST, kMsChapV2, "dave", "pacman");
    provision.bProvision = 1;
    provision.enumProvisioningTunnel = kMsChapV2;
    WLANPROFILE with_pac = renamed(provision, "FAST PAC");
    with_pac.bPAC = 1;
    with_pac.bProvision = 0;
    WLANPROFILE wrong = renamed(with_password(provision, "not-the-password"), "FAST wrong");
    store({ provision, with_pac, wrong });
    with_window([&](CHideDlg& dialog, CVxUI2008Dlg& window) {
        record_events(dialog);
        run_for(4100);
        click(window.kind_button(BTN_PROFILE));
        CPageProfileDlg& page = *window.m_pPageProfileDlg;
        auto const start = std::chrono::steady_clock::now();
        clear_events();
        activate(page, "FAST");
        expect_connects(dialog, provision);
        EXPECT_TRUE(in_order({ RS_CBS_FAST_PAC_AID_INFO, RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS, RS_CBS_FAST_SAVE_PAC,
            RS_CBS_AU_STATUS_AUTHENTICATED }));
        clear_events();
        activate(page, "FAST PAC");
        expect_connects(dialog, with_pac);
        EXPECT_TRUE(in_order({ RS_CBS_FAST_LOAD_PAC, RS_CBS_AU_STATUS_AUTHENTICATED }));
        EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS));
        clear_events();
        activate(page, "FAST wrong");
        expect_fails(dialog, wrong, Failure::IdentityRejected);
        print_row("WPA2 EAP-FAST, provisioning then the PAC", start);
    });
}
