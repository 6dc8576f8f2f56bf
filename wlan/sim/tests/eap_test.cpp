// The 802.1X steps the program takes part in: an expired password changed through event 20,
// EAP-FAST provisioning and PAC loading; and the profiles and worlds made from files and the
// command line.
#include "wlan/api/Callback.h"
#include "wlan/sim/ProfileCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

using namespace wlan::sim;

namespace {

constexpr char kScenario[] = R"(
[world]
connect_ms = 600
eap_ms = 1500
[adapter:a]
name = A
[ap:corp]
ssid = Corp
bssid = 02:00:00:00:00:05
channel = 36
security = wpa2
cipher = aes
accounts = peap:henry:winter:expired; fast:dave:pacman
eap_fast_aid = 1A2B
)";

WLANPROFILE eap_profile(std::uint32_t method, char const* id, char const* password)
{
    WLANPROFILE p {};
    p.SSID.SsidLength = 4;
    std::memcpy(p.SSID.Ssid, "Corp", 4);
    p.enumNetworkType = 1;
    p.enumAuthenMode = AUTH_WPA2;
    p.enumEncryStatus = ENC_AES;
    p.b8021X = 1;
    p.enumAuthenProtocol = method;
    std::snprintf(p.chID, sizeof p.chID, "%s", id);
    std::snprintf(p.chPassword, sizeof p.chPassword, "%s", password);
    return p;
}

class EapWorld : public ::testing::Test {
protected:
    EapWorld()
        : m_world(parse_scenario(kScenario).world, nullptr, 0)
    {
        m_world.select_adapter(m_world.adapter_records().at(0), 0);
    }
    std::vector<Outgoing> run_until(std::uint64_t t)
    {
        m_world.advance(t);
        return m_world.take_outgoing();
    }
    static std::vector<unsigned> codes(std::vector<Outgoing> const& out)
    {
        std::vector<unsigned> c;
        for (auto const& o : out)
            c.push_back(o.code);
        return c;
    }
    World m_world;
};

using V = std::vector<unsigned>;

}

TEST_F(EapWorld, AnExpiredPasswordIsAskedForAndTheAnswerDecides)
{
    for (std::string answer : { "summer", "" }) {
        SCOPED_TRACE(answer);
        World fresh(parse_scenario(kScenario).world, nullptr, 0);
        fresh.select_adapter(fresh.adapter_records().at(0), 0);
        std::swap(m_world, fresh);
        m_world.connect(eap_profile(EAP_PEAP, "henry", "winter"), 10000);
        EXPECT_EQ(codes(run_until(20000)), (V { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP,
                                               RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_CHANGE_PASSWORD_REQUEST }));
        m_world.callback_answered(RS_CBS_CHANGE_PASSWORD_REQUEST, answer, 20000);
        V const expected = answer.empty()
            ? V { RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, RS_CBS_AU_STATUS_LINK_DOWN }
            : V { RS_CBS_CHANGE_PASSWORD_SUCCESS, RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED,
                  RS_CBS_AU_STATUS_MEDIA_CONNECT };
        EXPECT_EQ(codes(run_until(21000)), expected);
        if (!answer.empty()) {
            // The new password is the account's now; the old one no longer opens it.
            m_world.connect(eap_profile(EAP_PEAP, "henry", "winter"), 30000);
            V const rejected = codes(run_until(40000));
            EXPECT_EQ(rejected.at(rejected.size() - 2), RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED);
        }
    }
}

TEST_F(EapWorld, EapFastProvisionsAPacOrLoadsTheOneItHas)
{
    m_world.connect(eap_profile(EAP_FAST, "dave", "pacman"), 0);
    auto const out = run_until(5000);
    EXPECT_EQ(codes(out), (V { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
                              RS_CBS_FAST_PAC_AID_INFO, RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS, RS_CBS_FAST_SAVE_PAC,
                              RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT }));
    EXPECT_STREQ(reinterpret_cast<char const*>(out[3].data.data()), "1A2B");
    EXPECT_EQ(out[5].data.size(), sizeof(PAC_BLOCK));

    // The PAC the program answers with is used when this server made it.
    auto const pac = std::filesystem::temp_directory_path() / "eap-test-dave.pac";
    std::ofstream(pac) << "PAC\n1A2B\ndave\n";
    auto with_pac = eap_profile(EAP_FAST, "dave", "pacman");
    with_pac.bPAC = 1;
    m_world.connect(with_pac, 10000);
    EXPECT_EQ(codes(run_until(15000)).back(), RS_CBS_FAST_LOAD_PAC);
    m_world.callback_answered(RS_CBS_FAST_LOAD_PAC, pac.string(), 15000);
    EXPECT_EQ(codes(run_until(16000)), (V { RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT }));
    EXPECT_EQ(std::string(m_world.current_profile().chPACfilepath), pac.string());
    std::filesystem::remove(pac);
}

TEST_F(EapWorld, ARenewedAddressComesBackAfterTheDhcpDelay)
{
    m_world.connect(eap_profile(EAP_FAST, "dave", "pacman"), 0);
    run_until(2500);
    // Connected at 2.5 s (provisioning included), the address 3 s later.
    EXPECT_EQ(m_world.address_text(5400), "");
    EXPECT_EQ(m_world.address_text(5500), "192.168.1.23");
    m_world.renew_address(6000);
    EXPECT_EQ(m_world.address_text(6000), "");
    EXPECT_EQ(m_world.address_text(9000), "192.168.1.23");
}

TEST(ScenarioBase, AWorldStartsFromItsBaseAndChangesIt)
{
    auto const folder = std::filesystem::temp_directory_path() / ("vxsim-base-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "default.ini") << "[world]\nos = 12\nlogon_domain = CORP\n[ap:a]\nssid = A\nbssid = 02:00:00:00:00:01\n";
    std::ofstream(folder / "older.ini") << "[world]\nbase = default.ini\nos = 8\n";
    std::ofstream(folder / "broken.ini") << "[world]\nbase = missing.ini\n";
    auto const older = load_scenario((folder / "older.ini").string());
    EXPECT_TRUE(older.ok());
    EXPECT_EQ(older.world.win_os, 8);
    EXPECT_EQ(older.world.logon_domain, "CORP");
    EXPECT_EQ(older.world.aps.size(), 1u);
    EXPECT_FALSE(load_scenario((folder / "broken.ini").string()).ok());
    std::filesystem::remove_all(folder);
}

TEST(ProfileCommands, MakeProfilesFromKeysAndRefuseBadOnes)
{
    WLANPROFILE p {};
    ASSERT_EQ(make_profile("Corp", { "ssid=Corp", "auth=wpa2", "cipher=aes", "eap=peap", "tunnel=6", "identity=henry",
                                       "password=winter", "password_mode=0" },
                  p),
        "");
    EXPECT_EQ(p.enumAuthenMode, AUTH_WPA2);
    EXPECT_EQ(p.b8021X, 1u);
    EXPECT_EQ(p.enumTunnel, 6u);
    EXPECT_STREQ(p.chID, "henry");
    EXPECT_STREQ(p.strProfileName, "Corp");
    struct Case {
        std::vector<std::string> settings;
        char const* error;
    };
    Case const cases[] = {
        { { "auth=wpa2" }, "ssid: a profile needs a network name" },
        { { "ssid=" + std::string(33, 'x') }, "ssid: expected 1 to 32 characters" },
        { { "ssid=A", "auth=magic" }, "auth: unknown value 'magic'" },
        { { "ssid=A", "identity=" + std::string(128, 'i') }, "identity: longer than 127 characters" },
        { { "ssid=A", "tunnel=x" }, "tunnel: expected a number from 0 to 16" },
        { { "ssid=A", "colour=red" }, "colour: unknown key" },
        { { "ssid" }, "expected key=value, not 'ssid'" },
    };
    for (auto const& c : cases) {
        WLANPROFILE ignored {};
        EXPECT_EQ(make_profile("X", c.settings, ignored), c.error);
    }
}

TEST(ProfileCommands, AddReplaceAndActivate)
{
    auto const folder = std::filesystem::temp_directory_path() / ("vxsim-profiles-" + std::to_string(::getpid()));
    Store store(folder.string());
    EXPECT_EQ(add_profile(store, "Corp", { "ssid=Corp" }), "");
    EXPECT_EQ(add_profile(store, "Home", { "ssid=Home" }), "");
    EXPECT_EQ(add_profile(store, "Corp", { "ssid=Corp", "identity=henry" }), "");
    auto const profiles = store.profiles();
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_STREQ(profiles[0].chID, "henry");
    EXPECT_EQ(profiles[0].nProfileID, 1u);
    EXPECT_EQ(profiles[1].nProfileID, 2u);
    EXPECT_EQ(activate_profile(store, "Nobody"), "no profile named 'Nobody'");
    EXPECT_EQ(activate_profile(store, "Home"), "");
    EXPECT_EQ(store.read_text("active_profile").value_or(""), "Home");
    std::filesystem::remove_all(folder);
}
