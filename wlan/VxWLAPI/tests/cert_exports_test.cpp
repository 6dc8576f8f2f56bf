// The library's certificate stores, single sign-on and WAPI certificate exports, and the
// 802.1X steps that certificates, inner methods and server checks decide, driven through the
// built library as the program binds it, on a scripted world and the manual clock.
#include "platform/system/Module.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "wlan/api/Exports.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace {

std::string const kCerts = std::string(ZORVEL_SOURCE_DIR) + "/resources/scenarios/certs";

std::string scenario()
{
    return R"(
[world]
connect_ms = 600
eap_ms = 1500
eap_host = 0
sso = 1
[cert:carol]
store = MY
issued_to = carol
issued_by = Corp Root CA
expires = 2030/12/31
friendly = Carol
data = 0102030405
[cert:carol-old]
store = MY
issued_to = carol
issued_by = Corp Root CA
expires = 2020/01/01
data = 0A0B0C
[cert:corp-root]
store = ROOT
issued_to = Corp Root CA
data = C0C0C0C0
[cert:other-root]
store = ROOT
issued_to = Other Root CA
data = 0D0D
[cert:from-file]
store = ROOT
file = )" + kCerts + R"(/corp-root.pem
[adapter:one]
name = First
[ap:corp]
ssid = Corp
bssid = 02:00:00:00:00:02
security = wpa2
cipher = aes
server_name = radius.corp.example
server_ca = corp-root
eap_fast_aid = 1A2B
accounts = peap:alice:wonderland; peap:gina:token:inner=gtc; ttls:bob:builder:inner=pap; tls:carol:-:cert=carol; peap:tina:-:inner=tls:cert=carol; fast:dave:pacman; leap:eve:secret; tls:ivan:-
[ap:lab]
ssid = Lab
bssid = 02:00:00:00:00:03
security = 8021x-wep
cipher = wep
key = 1A2B3C4D5E
accounts = md5:frank:md5pass; peap:alice:wonderland
[ap:wapi]
ssid = WAPI Secure
bssid = 02:00:00:00:00:04
security = wapi-cert
cipher = sms4
wapi_as = WAPI Office AS
)";
}

std::mutex g_mutex;
std::vector<unsigned> g_events;

void on_status(unsigned event, void*, char* out)
{
    std::lock_guard lock(g_mutex);
    g_events.push_back(event & 0xFF);
    out[0] = 0;
}

class CertExportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_clock = &platform::testing::use_manual_clock();
        char templ[] = "/tmp/vxwlapi-cert-XXXXXX";
        m_folder = ::mkdtemp(templ);
        std::ofstream(m_folder + "/world.ini") << scenario();
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        m_module = LoadLibrary((std::string(VXWLAPI_FOLDER) + "/VxWLAPI.dll").c_str());
        ASSERT_NE(m_module, nullptr);
        std::lock_guard lock(g_mutex);
        g_events.clear();
    }
    void TearDown() override
    {
        if (m_module) {
            bind<PFN_VXWL_DeInitial>("VXWL_DeInitial")();
            FreeLibrary(m_module);
        }
        platform::testing::reset_windows();
        std::filesystem::remove_all(m_folder);
    }
    template<typename Fn>
    Fn bind(char const* name)
    {
        auto* fn = reinterpret_cast<Fn>(GetProcAddress(m_module, name));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }
    void step(std::uint64_t ms)
    {
        m_clock->advance(ms);
        bind<void (*)()>("VXSIM_Settle")();
        platform::testing::pump_until_idle();
    }
    std::vector<unsigned> take_events()
    {
        std::lock_guard lock(g_mutex);
        return std::exchange(g_events, {});
    }
    // Connects with `p`, lets the program's answers take effect, and drops the link again.
    std::vector<unsigned> connect_and_drop(WLANPROFILE const& p)
    {
        bind<PFN_VXWL_SetWLANProfile>("VXWL_SetWLANProfile")(const_cast<WLANPROFILE*>(&p));
        step(5000);
        step(1000);
        auto const events = take_events();
        bind<PFN_VXWL_Disassociate>("VXWL_Disassociate")();
        step(100);
        take_events();
        return events;
    }
    void start()
    {
        bind<PFN_VXWL_Initial>("VXWL_Initial")("Vexlor", nullptr);
        std::vector<std::uint8_t> list(4 + sizeof(AdapterEntry));
        ASSERT_EQ(bind<PFN_VXWL_GetAvailableAdapters>("VXWL_GetAvailableAdapters")(list.data(), 1), VXWL_ERROR_SUCCESS);
        ASSERT_EQ(bind<PFN_VXWL_AdapterSelect>("VXWL_AdapterSelect")(reinterpret_cast<AdapterEntry*>(list.data() + 4), on_status, nullptr), 1);
        step(0);
    }
    std::vector<CERT_RECORD> enumerate(char const* store)
    {
        auto enum_cert = bind<PFN_VXWL_EnumCert>("VXWL_EnumCert");
        VXWL_U32 n = 0;
        EXPECT_EQ(enum_cert(store, nullptr, &n), VXWL_ERROR_SUCCESS);
        std::vector<CERT_RECORD> records(n);
        if (n > 0) {
            EXPECT_EQ(enum_cert(store, records.data(), &n), VXWL_ERROR_SUCCESS);
        }
        records.resize(n);
        return records;
    }
    void release(std::vector<CERT_RECORD>& records)
    {
        VXWL_U32 n = VXWL_U32(records.size());
        bind<PFN_VXWL_FreeCertArray>("VXWL_FreeCertArray")(records.data(), &n);
    }

    platform::ManualClock* m_clock { nullptr };
    std::string m_folder;
    HMODULE m_module { nullptr };
};

void set_text(char* field, std::size_t size, std::string const& text)
{
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

KT_BLOB_KEY blob(std::vector<std::uint8_t> const& bytes)
{
    KT_BLOB_KEY b {};
    b.BlobLength = std::uint32_t(bytes.size());
    std::copy(bytes.begin(), bytes.end(), b.BlobData);
    return b;
}

using V = std::vector<unsigned>;
V const kConnected { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_AU_STATUS_AUTHENTICATED,
    RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT };
V const kRejected { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
    RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, RS_CBS_AU_STATUS_LINK_DOWN };
V const kServerRefused { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
    RS_CBS_AU_STATUS_AUTH_TIMEOUT, RS_CBS_AU_STATUS_LINK_DOWN };

struct Dot1xCase {
    char const* name;
    char const* ssid;
    std::uint32_t method;
    std::uint32_t inner;
    char const* identity;
    char const* password;
    std::vector<std::uint8_t> client_cert; // empty: no client certificate
    bool validate_server;
    char const* server_name;
    std::uint32_t name_rule;
    std::vector<std::uint8_t> ca; // empty: any trusted CA
    char const* wep_key;
    V const* expected;
};

WLANPROFILE dot1x_profile(Dot1xCase const& c)
{
    WLANPROFILE p {};
    p.SSID.SsidLength = std::uint32_t(std::strlen(c.ssid));
    std::memcpy(p.SSID.Ssid, c.ssid, p.SSID.SsidLength);
    p.enumNetworkType = 1;
    bool const wep = c.wep_key != nullptr;
    p.enumAuthenMode = wep ? AUTH_OPEN : AUTH_WPA2;
    p.enumEncryStatus = wep ? ENC_WEP : ENC_AES;
    if (wep) {
        set_text(p.WEPKey1, sizeof p.WEPKey1, c.wep_key);
        p.wepDefaultKey = 1;
    }
    p.b8021X = 1;
    p.enumAuthenProtocol = c.method;
    p.enumTunnel = c.inner;
    set_text(p.chID, sizeof p.chID, c.identity);
    set_text(p.chPassword, sizeof p.chPassword, c.password);
    p.bClientCert = c.client_cert.empty() ? 0 : 1;
    p.user_cert = blob(c.client_cert);
    p.bServerCert = c.validate_server ? 1 : 0;
    set_text(p.chServerName, sizeof p.chServerName, c.server_name);
    p.nServerNameRule = c.name_rule;
    p.CA_cert = blob(c.ca);
    return p;
}

}

// Credentials decide 16, the server's certificate (checked first, when asked for) decides 17.
TEST_F(CertExportsTest, Dot1xStepsFollowMethodInnerCertificateAndServerChecks)
{
    std::vector<std::uint8_t> const carol { 1, 2, 3, 4, 5 }, carol_old { 0x0A, 0x0B, 0x0C }, corp_root { 0xC0, 0xC0, 0xC0, 0xC0 },
        other_root { 0x0D, 0x0D };
    auto const& ok = kConnected;
    auto const& r16 = kRejected;
    auto const& r17 = kServerRefused;
    Dot1xCase const cases[] = {
        { "peap mschapv2", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, false, "", 0, {}, nullptr, &ok },
        { "peap wrong password", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "guess", {}, false, "", 0, {}, nullptr, &r16 },
        { "peap unknown identity", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "mallory", "wonderland", {}, false, "", 0, {}, nullptr, &r16 },
        { "peap gtc account", "Corp", EAP_PEAP, EAP_INNER_GTC, "gina", "token", {}, false, "", 0, {}, nullptr, &ok },
        { "peap gtc account, other inner", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "gina", "token", {}, false, "", 0, {}, nullptr, &r16 },
        { "ttls pap", "Corp", EAP_TTLS, EAP_INNER_PAP, "bob", "builder", {}, false, "", 0, {}, nullptr, &ok },
        { "ttls chap, pap only", "Corp", EAP_TTLS, EAP_INNER_CHAP, "bob", "builder", {}, false, "", 0, {}, nullptr, &r16 },
        { "ttls wrong password", "Corp", EAP_TTLS, EAP_INNER_PAP, "bob", "guess", {}, false, "", 0, {}, nullptr, &r16 },
        { "tls right certificate", "Corp", EAP_TLS, 0, "carol", "", carol, false, "", 0, {}, nullptr, &ok },
        { "tls wrong certificate", "Corp", EAP_TLS, 0, "carol", "", carol_old, false, "", 0, {}, nullptr, &r16 },
        { "tls no certificate", "Corp", EAP_TLS, 0, "carol", "", {}, false, "", 0, {}, nullptr, &r16 },
        { "tls account naming none", "Corp", EAP_TLS, 0, "ivan", "", {}, false, "", 0, {}, nullptr, &ok },
        { "peap tls inside", "Corp", EAP_PEAP, EAP_INNER_TLS, "tina", "", carol, false, "", 0, {}, nullptr, &ok },
        { "peap tls inside, no certificate", "Corp", EAP_PEAP, EAP_INNER_TLS, "tina", "", {}, false, "", 0, {}, nullptr, &r16 },
        { "leap", "Corp", EAP_LEAP, 0, "eve", "secret", {}, false, "", 0, {}, nullptr, &ok },
        { "leap wrong password", "Corp", EAP_LEAP, 0, "eve", "guess", {}, false, "", 0, {}, nullptr, &r16 },
        { "server exact name, any CA", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, true, "RADIUS.corp.example", 0, {}, nullptr, &ok },
        { "server no name, any CA", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, true, "", 0, {}, nullptr, &ok },
        { "server domain rule", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, true, "corp.example", 1, {}, nullptr, &ok },
        { "server domain rule, mid label", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, true, "rp.example", 1, {}, nullptr, &r17 },
        { "server domain under exact rule", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, true, "corp.example", 0, {}, nullptr, &r17 },
        { "server wrong name", "Corp", EAP_TLS, 0, "carol", "", carol, true, "other.example", 0, {}, nullptr, &r17 },
        { "server right CA", "Corp", EAP_TLS, 0, "carol", "", carol, true, "radius.corp.example", 0, corp_root, nullptr, &ok },
        { "server wrong CA", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, true, "", 0, other_root, nullptr, &r17 },
        { "server refused before the password", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "guess", {}, true, "x.example", 0, {}, nullptr, &r17 },
        { "server unchecked without the flag", "Corp", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, false, "x.example", 0, other_root, nullptr, &ok },
        { "wep md5 with the key", "Lab", EAP_MD5, 0, "frank", "md5pass", {}, false, "", 0, {}, "1A2B3C4D5E", &ok },
        { "wep md5 wrong key", "Lab", EAP_MD5, 0, "frank", "md5pass", {}, false, "", 0, {}, "0000000000", &r16 },
        { "wep md5 wrong password", "Lab", EAP_MD5, 0, "frank", "guess", {}, false, "", 0, {}, "1A2B3C4D5E", &r16 },
        { "wep peap without the static key", "Lab", EAP_PEAP, EAP_INNER_MSCHAPV2, "alice", "wonderland", {}, false, "", 0, {}, "0000000000", &ok },
    };
    start();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(connect_and_drop(dot1x_profile(c)), *c.expected);
    }
}

TEST_F(CertExportsTest, EapFastUsesAPacOfThisServerElseProvisionsOnlyWhenAllowed)
{
    start();
    WLANPROFILE p = dot1x_profile({ "", "Corp", EAP_FAST, EAP_INNER_MSCHAPV2, "dave", "pacman", {}, false, "", 0, {}, nullptr, nullptr });
    p.bPAC = 1;
    set_text(p.strProfileName, sizeof p.strProfileName, "Fast");
    // No PAC anywhere and no provisioning: refused.
    auto const first = connect_and_drop(p);
    V const load { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_FAST_LOAD_PAC };
    V refused = load;
    refused.insert(refused.end(), { RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, RS_CBS_AU_STATUS_LINK_DOWN });
    EXPECT_EQ(first, refused);

    // A PAC of another server in the profile's list is passed over; provisioning makes one.
    std::string const foreign = m_folder + "/foreign.pac";
    std::ofstream(foreign) << "PAC\nFFFF\ndave\n";
    PAC_ENTRY entry {};
    entry.Value = 1;
    set_text(entry.Path, sizeof entry.Path, foreign);
    PAC_LIST list { 1, &entry };
    bind<PFN_VXWL_WritePACList>("VXWL_WritePACList")(&list, "Fast");
    p.bProvision = 1;
    auto const second = connect_and_drop(p);
    V provisioned = load;
    provisioned.insert(provisioned.end(), { RS_CBS_FAST_PAC_AID_INFO, RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS, RS_CBS_FAST_SAVE_PAC,
                                              RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT });
    EXPECT_EQ(second, provisioned);

    // The selected list entry holding this server's authority is used without provisioning.
    std::string const own = m_folder + "/own.pac";
    std::ofstream(own) << "PAC\n1A2B\ndave\n";
    set_text(entry.Path, sizeof entry.Path, own);
    bind<PFN_VXWL_WritePACList>("VXWL_WritePACList")(&list, "Fast");
    p.bProvision = 0;
    auto const third = connect_and_drop(p);
    V used = load;
    used.insert(used.end(), { RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT });
    EXPECT_EQ(third, used);
}

TEST_F(CertExportsTest, StoresListTheirCertificatesAndKeepTheDataUntilFreed)
{
    auto my = enumerate("MY");
    ASSERT_EQ(my.size(), 2u);
    EXPECT_STREQ(my[0].IssuedTo, "carol");
    EXPECT_STREQ(my[0].IssuedBy, "Corp Root CA");
    EXPECT_STREQ(my[0].Expiration, "2030/12/31");
    EXPECT_STREQ(my[0].FriendlyName, "Carol");
    ASSERT_EQ(my[0].DataLength, 5u);
    EXPECT_EQ(std::vector<std::uint8_t>(my[0].Data, my[0].Data + 5), (std::vector<std::uint8_t> { 1, 2, 3, 4, 5 }));
    EXPECT_EQ(my[0].Reserved, 0u);
    EXPECT_STREQ(my[1].Expiration, "2020/01/01");
    release(my);
    EXPECT_EQ(my[0].Data, nullptr);
    EXPECT_EQ(my[1].Data, nullptr);

    // The file's subject, issuer, expiry and SHA-1 thumbprint (openssl x509 -fingerprint -sha1).
    auto root = enumerate("ROOT");
    ASSERT_EQ(root.size(), 3u);
    EXPECT_STREQ(root[2].IssuedTo, "Corp Root CA");
    EXPECT_STREQ(root[2].IssuedBy, "Corp Root CA");
    EXPECT_STREQ(root[2].Expiration, "2035/12/31");
    std::vector<std::uint8_t> const thumbprint { 0xD8, 0x4B, 0x61, 0xE6, 0x75, 0x3E, 0x97, 0x32, 0xA8, 0x7C, 0x30, 0xF5, 0x0F, 0xC6,
        0xB1, 0xAA, 0xF9, 0xFB, 0x9D, 0xD6 };
    ASSERT_EQ(root[2].DataLength, 20u);
    EXPECT_EQ(std::vector<std::uint8_t>(root[2].Data, root[2].Data + 20), thumbprint);
    release(root);

    // A count below the store's fills only that many; freeing nothing or twice is harmless.
    auto enum_cert = bind<PFN_VXWL_EnumCert>("VXWL_EnumCert");
    std::vector<CERT_RECORD> two(2);
    std::memset(two.data(), 0xEE, sizeof(CERT_RECORD) * 2);
    VXWL_U32 n = 1;
    ASSERT_EQ(enum_cert("ROOT", two.data(), &n), VXWL_ERROR_SUCCESS);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(static_cast<unsigned char>(two[1].IssuedTo[0]), 0xEEu);
    auto free_array = bind<PFN_VXWL_FreeCertArray>("VXWL_FreeCertArray");
    EXPECT_EQ(free_array(two.data(), &n), VXWL_ERROR_SUCCESS);
    EXPECT_EQ(n, 0u);
    n = 1;
    EXPECT_EQ(free_array(two.data(), &n), VXWL_ERROR_SUCCESS);
    EXPECT_EQ(free_array(nullptr, &n), VXWL_ERROR_SUCCESS);
    n = 0;
    EXPECT_EQ(enum_cert("OTHER", nullptr, &n), VXWL_ERROR_SUCCESS);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(bind<PFN_VXWL_IsEapHostInstalled>("VXWL_IsEapHostInstalled")(), 0);
}

TEST_F(CertExportsTest, WlansimAddsAndRemovesCertificatesSeenAtTheNextEnumeration)
{
    auto wlansim = [&](std::string const& args) {
        std::string const command = "VXSIM_STORE='" + m_folder + "/store' VXSIM_SCENARIO='" + m_folder + "/world.ini' '"
            + std::string(VXWLAPI_FOLDER) + "/wlansim' " + args + " >/dev/null 2>&1";
        return std::system(command.c_str());
    };
    EXPECT_EQ(enumerate("MY").size(), 2u);
    ASSERT_EQ(wlansim("cert-add dan store=MY 'issued_to=Dan Example' expires=2031/01/01 data=0F0E"), 0);
    ASSERT_EQ(wlansim("cert-remove carol-old"), 0);
    EXPECT_NE(wlansim("cert-remove nobody"), 0);
    EXPECT_NE(wlansim("cert-add bad expires=tomorrow"), 0);
    auto my = enumerate("MY");
    ASSERT_EQ(my.size(), 2u);
    EXPECT_STREQ(my[0].IssuedTo, "carol");
    EXPECT_STREQ(my[1].IssuedTo, "Dan Example");
    EXPECT_EQ(my[1].DataLength, 2u);
    release(my);
}

TEST_F(CertExportsTest, SingleSignOnStateIsReadAndWrittenFieldByField)
{
    auto read = bind<PFN_VXWL_ReadSSOStatus>("VXWL_ReadSSOStatus");
    SSO_STATUS s;
    std::memset(&s, 0xEE, sizeof s);
    ASSERT_EQ(read(&s), 0);
    EXPECT_EQ(s.bAvailable, 1u);
    EXPECT_EQ(s.bEnabled, 0u);
    EXPECT_EQ(s.Tail, 0xEEEEEEEEu); // only 1036 bytes written
    char name[128] = {};
    EXPECT_EQ(bind<PFN_VXWL_ReadSSOCurrProfileName>("VXWL_ReadSSOCurrProfileName")(name), 0);

    SSO_STATUS setting {};
    setting.bEnabled = 1;
    std::snprintf(setting.LogonLibrary, sizeof setting.LogonLibrary, "VexlorGina.DLL");
    std::snprintf(setting.ProfileName, sizeof setting.ProfileName, "Voice");
    bind<PFN_VXWL_WriteSSOSetting>("VXWL_WriteSSOSetting")(setting);
    bind<PFN_VXWL_WriteSSOSavePassword>("VXWL_WriteSSOSavePassword")(2);
    bind<PFN_VXWL_WriteSSOEnablePersConn>("VXWL_WriteSSOEnablePersConn")(1);
    ASSERT_EQ(read(&s), 0);
    EXPECT_EQ(s.bEnabled, 1u);
    EXPECT_STREQ(s.CredentialSource, "2");
    EXPECT_STREQ(s.PersistentConn, "1");
    EXPECT_STREQ(s.LogonLibrary, "VexlorGina.DLL");
    EXPECT_EQ(bind<PFN_VXWL_ReadSSOCurrProfileName>("VXWL_ReadSSOCurrProfileName")(name), 1);
    EXPECT_STREQ(name, "Voice");
    EXPECT_EQ(bind<PFN_VXWL_WriteSSOSavePassword>("VXWL_WriteSSOSavePassword")(3), VXWL_ERROR_FAIL);

    bind<PFN_VXWL_ResetSSOFeature>("VXWL_ResetSSOFeature")();
    ASSERT_EQ(read(&s), 0);
    EXPECT_EQ(s.bEnabled, 0u);
    EXPECT_STREQ(s.ProfileName, "Voice");
}

TEST_F(CertExportsTest, WapiCertificatesLoadInstallListDescribeAndDelete)
{
    auto load_user = bind<PFN_VXWL_LoadX509UserCertificate>("VXWL_LoadX509UserCertificate");
    auto setup_user = bind<PFN_VXWL_SetupX509UserCertificate>("VXWL_SetupX509UserCertificate");
    auto load_as = bind<PFN_VXWL_LoadX509ASCertificate>("VXWL_LoadX509ASCertificate");
    auto setup_as = bind<PFN_VXWL_SetupX509ASCertificate>("VXWL_SetupX509ASCertificate");
    auto enumerate_system = bind<PFN_VXWL_EnumSystemCertificate>("VXWL_EnumSystemCertificate");
    auto param = bind<PFN_VXWL_GetCertificateManagerParam>("VXWL_GetCertificateManagerParam");
    auto remove = bind<PFN_VXWL_DeleteCertificate>("VXWL_DeleteCertificate");

    auto loaded = std::make_unique<WAPI_LOADED_CERT>();
    char key[WAPI_USER_KEY_SIZE] = {};
    std::string const user = kCerts + "/wapi-user.cer", as = kCerts + "/wapi-as.cer";
    EXPECT_NE(load_user((kCerts + "/wapi-malformed.cer").c_str(), loaded.get(), key), 0);
    EXPECT_NE(load_as((kCerts + "/missing.cer").c_str(), loaded.get()), 0);
    ASSERT_EQ(load_user(user.c_str(), loaded.get(), key), 0);
    EXPECT_EQ(loaded->Identifier, 0u);
    EXPECT_EQ(loaded->Length, std::filesystem::file_size(user));
    ASSERT_EQ(setup_user(user.c_str(), loaded.get(), key), 0);
    ASSERT_EQ(load_as((kCerts + "/wapi-other-as.cer").c_str(), loaded.get()), 0);
    EXPECT_EQ(loaded->Identifier, 1u);
    ASSERT_EQ(setup_as(as.c_str(), loaded.get()), 0);

    std::vector<std::uint8_t> buffers(SYSTEM_CERT_ENTRY_COUNT * SYSTEM_CERT_ENTRY_SIZE);
    VXWL_U32 count = 0;
    ASSERT_EQ(enumerate_system(&count, buffers.data()), 0);
    ASSERT_EQ(count, 2u);
    std::uint32_t kind;
    std::memcpy(&kind, buffers.data() + SYSTEM_CERT_ENTRY_SIZE, 4);
    EXPECT_EQ(kind, 1u);
    std::uint8_t extra[CERT_PARAM_EXTRA_SIZE], subject[CERT_PARAM_TEXT_SIZE], issuer[CERT_PARAM_TEXT_SIZE],
        from[CERT_PARAM_TEXT_SIZE], to[CERT_PARAM_TEXT_SIZE];
    int value = 7;
    auto text = [](std::uint8_t const* t) { return std::string(reinterpret_cast<char const*>(t + 1), t[0]); };
    ASSERT_EQ(param(buffers.data() + SYSTEM_CERT_DESCRIPTOR_OFFSET, extra, subject, issuer, &value, from, to), 0);
    EXPECT_EQ(text(subject), "WAPI User");
    EXPECT_EQ(text(issuer), "WAPI Office AS");
    EXPECT_EQ(text(to), "300630120000Z");
    ASSERT_EQ(param(buffers.data() + SYSTEM_CERT_ENTRY_SIZE + SYSTEM_CERT_DESCRIPTOR_OFFSET, extra, subject, issuer, &value, from, to), 0);
    EXPECT_EQ(text(subject), "Other WAPI AS");
    EXPECT_EQ(text(to), "351231235959Z");

    EXPECT_NE(remove(2), 0);
    EXPECT_EQ(remove(1), 0);
    EXPECT_EQ(remove(0), 0);
    ASSERT_EQ(enumerate_system(&count, buffers.data()), 0);
    EXPECT_EQ(count, 0u);

    auto info = std::make_unique<CERT_INFO>();
    auto cert_info = bind<PFN_VXWL_GetWAPICertInfo>("VXWL_GetWAPICertInfo");
    ASSERT_EQ(cert_info(as.c_str(), info.get(), 1), VXWL_ERROR_SUCCESS);
    EXPECT_STREQ(info->IssuedTo, "WAPI Office AS");
    EXPECT_STREQ(info->IssuedBy, "WAPI Office AS");
    EXPECT_STREQ(info->Expiration, "2035/01/31 23:59:59");
    EXPECT_EQ(cert_info((kCerts + "/wapi-malformed.cer").c_str(), info.get(), 1), VXWL_ERROR_FAIL);
    EXPECT_STREQ(info->IssuedTo, "");
}

TEST_F(CertExportsTest, WapiCaConnectsWithTheServersCertificateAndOneItIssued)
{
    start();
    struct Case {
        char const* name;
        char const* as;
        char const* user;
        bool connects;
    } const cases[] = {
        { "x509 pair", "wapi-as.cer", "wapi-user.cer", true },
        { "national user of the server", "wapi-as.cer", "wapi-national-user.cer", true },
        { "another server", "wapi-other-as.cer", "wapi-user.cer", false },
        { "no server file", "missing.cer", "wapi-user.cer", false },
        { "malformed user", "wapi-as.cer", "wapi-malformed.cer", false },
    };
    auto set_profile = bind<PFN_VXWL_SetWLANProfile>("VXWL_SetWLANProfile");
    auto query = bind<PFN_VXWL_QueryWLANStatus>("VXWL_QueryWLANStatus");
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        WLANPROFILE p {};
        p.SSID.SsidLength = 11;
        std::memcpy(p.SSID.Ssid, "WAPI Secure", 11);
        p.enumNetworkType = 1;
        p.enumAuthenMode = AUTH_WAPI_CERT;
        p.enumEncryStatus = ENC_SMS4;
        set_text(p.chASCertPath, sizeof p.chASCertPath, kCerts + "/" + c.as);
        set_text(p.chUserCertPath, sizeof p.chUserCertPath, kCerts + "/" + c.user);
        set_profile(&p);
        step(5000);
        WLAN_STATUS s {};
        query(&s, WLAN_STATUS_REQUEST { { 1, 1, 0, 0, 1 } });
        EXPECT_EQ(s.Status, c.connects ? VxStatus_Connected : VxStatus_Disconnected);
        if (!c.connects) {
            EXPECT_EQ(s.LinkState, LINK_AUTH_FAIL_KEYS);
        }
        bind<PFN_VXWL_Disassociate>("VXWL_Disassociate")();
        step(100);
    }
}
