// Every security method connected end to end in the running program on the default world
// (ad hoc WPA2-AES on, WAPI offered): once from a stored profile activated on the profile page
// and, for the methods the security editor's own tabs set (open, WEP, pre-shared keys, WAPI-PSK),
// once from the site survey's Connect through the security editor; each with its wrong secret.
// Each row checks the library's callback events, the link's WLAN_STATUS (SSID, authentication,
// cipher) and the tray icon. Each row prints its wall time ("row\t<name>\t<ms>"), which
// bench/security_matrix.sh collects from a release build.
#include "config_window_harness.h"

#include "platform/display/Snapshots.h"
#include "platform/system/Module.h"
#include "station/app/HideDlg.h"
#include "station/app/StatusCallback.h"
#include "station/core/HideDlgIds.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/survey/PageSiteSurveyDlg.h"
#include "wlan/profile/ProfileFields.h"
#include "wlan/sim/KeyMaterial.h"
#include "wlan/sim/Store.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>

using station::testing::ConfigWindowTest;
using namespace station::profiles;

namespace {

std::string read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string default_world(int os)
{
    std::string const text = read_file(std::string(VXWLAPI_FOLDER) + "/scenarios/default.ini");
    return std::regex_replace(text, std::regex("\nos = 12\n"), "\nos = " + std::to_string(os) + "\nadhoc_wpa2_aes = 1\n");
}

std::string cert(char const* name) { return std::string(VXWLAPI_FOLDER) + "/scenarios/certs/" + name; }

// [SECTION] The library's callback events, recorded on their way to the program

std::mutex g_events_lock;
std::vector<unsigned> g_events;

void recording_callback(unsigned event, void* data, char* out)
{
    {
        std::lock_guard lock(g_events_lock);
        g_events.push_back(event & 0xFF);
    }
    station::core::rsCallBackFunc(event, data, out);
}

std::vector<unsigned> events()
{
    std::lock_guard lock(g_events_lock);
    return g_events;
}

void clear_events()
{
    std::lock_guard lock(g_events_lock);
    g_events.clear();
}

// The events `wanted` happened in this order, others between them.
bool in_order(std::vector<unsigned> const& wanted)
{
    auto const all = events();
    auto at = all.begin();
    for (unsigned e : wanted) {
        at = std::find(at, all.end(), e);
        if (at == all.end())
            return false;
        ++at;
    }
    return true;
}

bool has_event(unsigned event)
{
    auto const all = events();
    return std::find(all.begin(), all.end(), event) != all.end();
}

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

// How a wrong secret shows.
enum class Failure { None, Icv, AssocFail, NoMedia, IdentityRejected, AuthTimeout };

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

class SecurityMatrixTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        world(default_world(12));
        options("0,1,2,3,6,9,10", { { "SupportWAPI", "1" } });
    }

    static void settle()
    {
        using Settle = void (*)();
        Settle const fn = reinterpret_cast<Settle>(GetProcAddress(G_VxWlLib.hModule, "VXSIM_Settle"));
        if (fn)
            fn();
        platform::testing::pump_until_idle();
    }
    static void run_for(int ms)
    {
        for (int waited = 0; waited < ms; waited += 100) {
            platform::testing::advance(100);
            settle();
        }
    }
    static bool run_until(std::function<bool()> const& done, int limit)
    {
        for (int waited = 0; waited < limit && !done(); waited += 100) {
            platform::testing::advance(100);
            settle();
        }
        return done();
    }
    static WLAN_STATUS status()
    {
        WLAN_STATUS s {};
        WLAN_STATUS_REQUEST request {};
        request.Switch[1] = 1;
        G_VxWlLib.VXWL_QueryWLANStatus(&s, request);
        return s;
    }
    static std::string ssid_of(WLAN_STATUS const& s)
    {
        return std::string(reinterpret_cast<char const*>(s.Ssid.Ssid), std::min<std::uint32_t>(s.Ssid.SsidLength, 32));
    }
    static bool connected_to(std::string const& ssid)
    {
        WLAN_STATUS const s = status();
        return s.Status == VxStatus_Connected && ssid_of(s) == ssid;
    }
    static bool signal_icon(UINT icon) { return icon == IDI_SIGNAL_GOOD || icon == IDI_SIGNAL_NORMAL || icon == IDI_SIGNAL_WEAK; }
    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }
    static void activate(CPageProfileDlg& page, std::string const& name)
    {
        page.RefreshProfileList(TRUE);
        page.m_listProfile.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row = 0; row < page.RowCount(); ++row)
            if (page.Row(row).strName == name.c_str())
                page.m_listProfile.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        click(page.GetDlgItem(CPageProfileDlg::IDC_ACTIVATE));
    }
    // Takes the library's callback through the recorder (the adapter selected again, as after
    // a resume).
    static void record_events(CHideDlg& dialog)
    {
        ASSERT_EQ(G_VxWlLib.VXWL_AdapterSelect(&G_VxWlLib.adapter, &recording_callback, dialog.m_hWnd), VXWL_ERROR_SUCCESS);
        clear_events();
    }

    void store(std::vector<WLANPROFILE> const& profiles)
    {
        wlan::sim::Store s(folder() + "/store");
        ASSERT_TRUE(s.save_profiles(profiles));
    }

    // The right secret connects: the media connects, the link reports the profile's SSID,
    // authentication and cipher, the tray shows a signal.
    static void expect_connects(CHideDlg& dialog, WLANPROFILE const& p)
    {
        std::string const ssid = wlan::profile::read_ssid(p);
        ASSERT_TRUE(run_until([&] { return connected_to(ssid) && signal_icon(dialog.tray_icon_id()); }, 30000))
            << "state " << status().Status << " icon " << dialog.tray_icon_id();
        WLAN_STATUS const s = status();
        EXPECT_EQ(s.AuthMode, p.enumAuthenMode);
        EXPECT_EQ(s.EncryptionStatus, p.enumEncryStatus);
        bool const eap = p.b8021X || p.enumAuthenMode == AUTH_WPA2 || p.enumAuthenMode == AUTH_WPA || p.enumAuthenMode == AUTH_CCKM;
        if (eap) {
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
                RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_AU_STATUS_MEDIA_CONNECT }));
        } else {
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT }));
        }
    }
    // The wrong secret: no link to the network, and its own sign.
    static void expect_fails(CHideDlg& dialog, WLANPROFILE const& p, Failure failure)
    {
        std::string const ssid = wlan::profile::read_ssid(p);
        run_for(12000);
        // A wrong WEP key still associates; only its frames fail.
        if (failure != Failure::Icv) {
            EXPECT_FALSE(connected_to(ssid));
        }
        EXPECT_FALSE(signal_icon(dialog.tray_icon_id())) << dialog.tray_icon_id();
        if (::getenv("SECURITY_MATRIX_EVENTS")) {
            for (unsigned e : events())
                std::printf("%u ", e);
            std::printf("\n");
        }
        switch (failure) {
        case Failure::Icv:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_MEDIA_CONNECT, RS_CBS_ICV_ERROR }));
            EXPECT_EQ(dialog.tray_icon_id(), IDI_WEP_ERROR);
            break;
        case Failure::AssocFail:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_DOWN }));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_LINK_UP));
            break;
        case Failure::NoMedia:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_LINK_DOWN }));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_MEDIA_CONNECT));
            break;
        case Failure::IdentityRejected:
            EXPECT_TRUE(in_order({ RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED }));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_MEDIA_CONNECT));
            EXPECT_FALSE(has_event(RS_CBS_AU_STATUS_AUTHENTICATED));
            break;
        case Failure::AuthTimeout: EXPECT_TRUE(has_event(RS_CBS_AU_STATUS_AUTH_TIMEOUT)); break;
        case Failure::None: break;
        }
    }
};

void print_row(std::string const& what, std::chrono::steady_clock::time_point start)
{
    auto const ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("row\t%s\t%lld\n", what.c_str(), static_cast<long long>(ms));
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
