// Connections, scans, radio and adapter changes of the world, stepped through time by hand.
#include "wlan/api/Callback.h"
#include "wlan/sim/Channels.h"
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/Store.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <filesystem>

using namespace wlan::sim;

namespace {

constexpr char kScenario[] = R"(
[world]
connect_ms = 600
eap_ms = 1500
dhcp_ms = 3000
handshake_timeout_ms = 4000
[adapter:a]
name = A
[ap:open]
ssid = Open
bssid = 02:00:00:00:00:01
channel = 1
[ap:wep]
ssid = Wep
bssid = 02:00:00:00:00:02
channel = 6
security = wep
key = 12345
[ap:wephex]
ssid = WepHex
bssid = 02:00:00:00:00:06
channel = 6
security = wep
key = 6162636465
[ap:psk]
ssid = Psk
bssid = 02:00:00:00:00:03
channel = 11
security = wpa2-psk
cipher = aes
key = right-key-1
[ap:hidden]
ssid = Secret
hidden = 1
bssid = 02:00:00:00:00:04
channel = 6
[ap:peap]
ssid = Corp
bssid = 02:00:00:00:00:05
channel = 36
security = wpa2
cipher = aes
accounts = peap:alice:wonderland
)";

WLANPROFILE profile(char const* ssid, std::uint32_t auth, std::uint32_t enc)
{
    WLANPROFILE p {};
    p.SSID.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
    p.enumNetworkType = 1;
    p.enumAuthenMode = auth;
    p.enumEncryStatus = enc;
    p.wepDefaultKey = 1;
    return p;
}

void set_psk(WLANPROFILE& p, char const* key)
{
    std::snprintf(p.chPskKey, sizeof p.chPskKey, "%s", key);
    p.nPskKeyLen = std::uint32_t(std::strlen(key));
}

class WorldTest : public ::testing::Test {
protected:
    WorldTest()
        : m_world(parse_scenario(kScenario).world, nullptr, 0)
    {
        auto adapters = m_world.adapter_records();
        m_world.select_adapter(adapters.at(0), 0);
    }

    // Moves time to `t` and returns the callback events and messages that came out.
    std::vector<unsigned> run_until(std::uint64_t t)
    {
        m_now = t;
        m_world.advance(t);
        std::vector<unsigned> codes;
        for (auto const& o : m_world.take_outgoing())
            codes.push_back(o.kind == Outgoing::Kind::ScanDone ? 0xFFFF : o.code);
        return codes;
    }
    WLAN_STATUS status()
    {
        WLAN_STATUS s {};
        m_world.fill_status(s, m_now);
        return s;
    }

    World m_world;
    std::uint64_t m_now { 0 };
};

using V = std::vector<unsigned>;

}

TEST_F(WorldTest, ConnectionsGiveTheirEventsInOrder)
{
    struct Case {
        char const* name;
        WLANPROFILE p;
        V events;
        std::uint32_t status;
        std::uint32_t link_state;
    };
    auto wep = profile("Wep", AUTH_OPEN, ENC_WEP);
    std::snprintf(wep.WEPKey1, sizeof wep.WEPKey1, "12345");
    auto wep_wrong = wep;
    std::snprintf(wep_wrong.WEPKey1, sizeof wep_wrong.WEPKey1, "54321");
    // The same key bytes typed the other way: hexadecimal against ASCII and back.
    auto wep_hex = wep;
    std::snprintf(wep_hex.WEPKey1, sizeof wep_hex.WEPKey1, "3132333435");
    auto wep_ascii = profile("WepHex", AUTH_OPEN, ENC_WEP);
    std::snprintf(wep_ascii.WEPKey1, sizeof wep_ascii.WEPKey1, "abcde");
    auto wep_hex_wrong = wep_hex;
    std::snprintf(wep_hex_wrong.WEPKey1, sizeof wep_hex_wrong.WEPKey1, "3132333436");
    auto psk = profile("Psk", AUTH_WPA2_PSK, ENC_AES);
    set_psk(psk, "right-key-1");
    auto psk_wrong = psk;
    set_psk(psk_wrong, "wrong-key-1");
    // PBKDF2-HMAC-SHA1("right-key-1", "Psk", 4096, 32).
    auto pmk = psk;
    std::memcpy(pmk.chPskKey, "e15de0c303d806485c1713b217977cfd9dc522bef4fc4748bfcee6a61e1d095e", 64);
    pmk.nPskKeyLen = 64;
    auto pmk_wrong = pmk;
    pmk_wrong.chPskKey[63] = 'f';
    auto peap = profile("Corp", AUTH_WPA2, ENC_AES);
    peap.b8021X = 1;
    std::snprintf(peap.chID, sizeof peap.chID, "alice");
    std::snprintf(peap.chPassword, sizeof peap.chPassword, "wonderland");
    auto peap_wrong = peap;
    std::snprintf(peap_wrong.chPassword, sizeof peap_wrong.chPassword, "guess");
    using namespace std;
    Case const cases[] = {
        { "open", profile("Open", AUTH_OPEN, ENC_NONE), { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "wep", wep, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "wep wrong key", wep_wrong, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT, RS_CBS_ICV_ERROR }, VxStatus_Connected, LINK_UP },
        { "wep as hex", wep_hex, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "wep as ascii", wep_ascii, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "wep hex wrong key", wep_hex_wrong, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT, RS_CBS_ICV_ERROR }, VxStatus_Connected, LINK_UP },
        { "psk as pmk", pmk, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "pmk wrong", pmk_wrong, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_LINK_DOWN }, VxStatus_Disconnected, LINK_EAP_4WAY_TIMEOUT },
        { "psk", psk, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "psk wrong key", psk_wrong, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_LINK_DOWN }, VxStatus_Disconnected, LINK_EAP_4WAY_TIMEOUT },
        { "hidden by name", profile("Secret", AUTH_OPEN, ENC_NONE), { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "no network named: stays disconnected quietly", profile("", AUTH_OPEN, ENC_NONE), {}, VxStatus_Disconnected, LINK_DOWN },
        { "unknown name", profile("Nobody", AUTH_OPEN, ENC_NONE), { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_DOWN }, VxStatus_Disconnected, LINK_ASSOC_FAIL },
        { "peap", peap, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT }, VxStatus_Connected, LINK_UP },
        { "peap wrong password", peap_wrong, { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, RS_CBS_AU_STATUS_LINK_DOWN }, VxStatus_Disconnected, LINK_AUTH_FAIL },
        { "wrong method", profile("Psk", AUTH_WPA_PSK, ENC_TKIP), { RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_DOWN }, VxStatus_Disconnected, LINK_ASSOC_FAIL },
    };
    std::uint64_t t = 0;
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        m_world.disassociate(t);
        m_world.take_outgoing();
        m_world.connect(c.p, t);
        auto events = run_until(t + 10000);
        EXPECT_EQ(events, c.events);
        auto s = status();
        EXPECT_EQ(s.Status, c.status);
        EXPECT_EQ(s.LinkState, c.link_state);
        t += 20000;
    }
}

TEST_F(WorldTest, ConnectedStatusDescribesTheLinkAndCountersGrow)
{
    m_world.connect(profile("Open", AUTH_OPEN, ENC_NONE), 0);
    run_until(1000);
    auto first = status();
    EXPECT_EQ(first.Ssid.SsidLength, 4u);
    EXPECT_EQ(first.Bssid[5], 1);
    EXPECT_EQ(first.FrequencyKHz, 2412000u);
    EXPECT_EQ(first.NetworkType, 1u);
    EXPECT_EQ(first.IpAddress[0], 0); // the address comes after dhcp_ms
    run_until(5000);
    auto later = status();
    EXPECT_EQ(later.IpAddress[0], 192);
    EXPECT_GT(later.BytesRx, first.BytesRx);
    EXPECT_GT(later.Counters[COUNTER_TX_OK / 8], first.Counters[COUNTER_TX_OK / 8]);
    EXPECT_GT(later.RxOk, first.RxOk);
    m_world.reset_counters(5000);
    EXPECT_EQ(status().Counters[COUNTER_TX_OK / 8], 0u);
    EXPECT_EQ(status().BytesTx, 0u) << "the byte counters restart too";
    EXPECT_EQ(status().BytesRx, 0u);
    EXPECT_EQ(status().RxOk, 0u);
}

// Without the radio the hosted network stops and the driver leaves access point client mode;
// the stored mode stays for the station utility to act on. Other modes keep their mode.
TEST_F(WorldTest, RadioOffInClientModeStopsTheHostedNetworkAndKeepsTheStoredMode)
{
    struct Case {
        int mode;
        bool hw_switch;
        int driver_after;
    };
    for (Case const c : { Case { 2, false, 0 }, Case { 2, true, 0 }, Case { 1, false, 1 }, Case { 0, false, 0 } }) {
        SCOPED_TRACE(c.mode);
        m_world.set_radio_sw(true, 0);
        m_world.set_radio_hw(true, 0);
        m_world.set_op_mode(c.mode);
        m_world.set_hosted_network(c.mode == 2);
        run_until(0);
        if (c.hw_switch)
            m_world.set_radio_hw(false, 0);
        else
            m_world.set_radio_sw(false, 0);
        EXPECT_EQ(run_until(0), (V { VXWL_MSG_RADIO_OFF }));
        EXPECT_EQ(m_world.op_mode(), c.driver_after);
        EXPECT_EQ(m_world.stored_op_mode(), c.mode);
        EXPECT_FALSE(m_world.hosted_network_running());
    }
}

TEST_F(WorldTest, RadioOffAndRemovalEndTheLink)
{
    m_world.connect(profile("Open", AUTH_OPEN, ENC_NONE), 0);
    run_until(1000);
    m_world.set_radio_sw(false, 1000);
    // A connected link that ends says so before the link goes down.
    EXPECT_EQ(run_until(1000), (V { RS_CBS_AU_STATUS_MEDIA_DISCONNECT, RS_CBS_AU_STATUS_LINK_DOWN, VXWL_MSG_RADIO_OFF }));
    EXPECT_EQ(status().Status, VxStatus_Disconnected);
    EXPECT_EQ(status().LinkState, LINK_SW_RADIO_OFF);
    m_world.set_radio_sw(true, 1000);
    EXPECT_EQ(run_until(1000), (V { VXWL_MSG_RADIO_ON }));
    m_world.set_adapter_present("a", false, 2000);
    WLAN_STATUS s {};
    EXPECT_FALSE(m_world.fill_status(s, 2000));
    EXPECT_FALSE(m_world.device_exists(m_world.adapter_records().empty() ? AdapterEntry {} : m_world.adapter_records()[0]));
}

TEST_F(WorldTest, ScansFinishAfterTheirTimeOrFail)
{
    EXPECT_TRUE(m_world.start_scan(0));
    EXPECT_TRUE(run_until(1999).empty());
    EXPECT_EQ(run_until(2000), (V { 0xFFFF }));
    EXPECT_EQ(m_world.scan_entries().size(), 6u);
    m_world.fail_next_scan();
    m_world.start_scan(3000);
    EXPECT_EQ(run_until(5000), (V { VXWL_MSG_SCAN_FAILED }));
    m_world.set_radio_hw(false, 6000);
    run_until(6000);
    EXPECT_FALSE(m_world.start_scan(6000));
    EXPECT_EQ(run_until(6000), (V { VXWL_MSG_SCAN_FAILED }));
}

TEST_F(WorldTest, LiveCommandsChangeTheWorld)
{
    struct Case {
        char const* line;
        char const* error_start; // "" = accepted
    };
    constexpr Case cases[] = {
        { "ap-add new ssid=New channel=3 rssi=-40", "" },
        { "ap-add new ssid=Again", "access point" },
        { "ap-signal open -90", "" },
        { "ap-move open 44", "" },
        { "ap-move open 15", "not a channel" },
        { "ap-remove psk", "" },
        { "radio hw sideways", "expected on" },
        { "adapter unplug a", "expected pull" },
        { "fly away", "unknown command" },
        { "ap-signal gone -40", "no access point" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.line);
        auto error = apply_live_command(m_world, c.line, 0);
        EXPECT_EQ(error.rfind(c.error_start, 0), 0u) << error;
    }
    EXPECT_EQ(m_world.find_ap("open")->rssi, -90);
    EXPECT_EQ(m_world.find_ap("open")->channel, 44);
    EXPECT_EQ(m_world.find_ap("psk"), nullptr);
    EXPECT_EQ(m_world.find_ap("new")->ssid, "New");
}

TEST(WorldStore, RadioAndModeAreSharedThroughTheStore)
{
    char templ[] = "/tmp/vxsim-world-XXXXXX";
    std::string const folder = ::mkdtemp(templ);
    Store store(folder);
    {
        World a(parse_scenario(kScenario).world, &store, 0);
        a.select_adapter(a.adapter_records().at(0), 0);
        a.set_radio_sw(false, 0);
        a.set_op_mode(2);
        append_live_command(store, "ap-signal open -33");
    }
    World b(parse_scenario(kScenario).world, &store, 0);
    EXPECT_FALSE(b.radio_sw());
    EXPECT_EQ(b.op_mode(), 2);
    LiveLog log(store);
    EXPECT_EQ(log.apply_new(b, 0), 1);
    EXPECT_EQ(b.find_ap("open")->rssi, -33);
    EXPECT_EQ(log.apply_new(b, 0), 0);
    std::filesystem::remove_all(folder);
}

TEST_F(WorldTest, AnAccessPointOutOfRangeOrGoneEndsTheLink)
{
    struct Case {
        char const* change;
        V events;
    };
    V const lost = { RS_CBS_AU_STATUS_MEDIA_DISCONNECT, RS_CBS_AU_STATUS_LINK_DOWN };
    Case const cases[] = {
        { "ap-signal open -90", {} }, // weaker, still in range
        { "ap-signal open -97", lost },
        { "ap-remove open", lost },
    };
    std::uint64_t t = 0;
    for (auto const& c : cases) {
        SCOPED_TRACE(c.change);
        ASSERT_EQ(apply_live_command(m_world, "ap-signal open -50", t), "");
        m_world.connect(profile("Open", AUTH_OPEN, ENC_NONE), t);
        run_until(t + 5000);
        ASSERT_EQ(status().Status, VxStatus_Connected);
        ASSERT_EQ(apply_live_command(m_world, c.change, t + 5000), "");
        EXPECT_EQ(run_until(t + 5001), c.events);
        EXPECT_EQ(status().Status, c.events.empty() ? VxStatus_Connected : VxStatus_Disconnected);
        t += 10000;
    }
}

// A link whose access point leaves range drops with events 30 and 4; the station program is
// asked to reconnect (WM_USER+8) once, when that access point is back.
TEST_F(WorldTest, ALinkLostToRangeAsksForAReconnectionWhenItsAccessPointIsBack)
{
    auto const plan = available_channels(m_world.spec().wireless_mode, m_world.spec().region24, m_world.spec().region5);
    int off_plan = 1;
    while (std::find(plan.begin(), plan.end(), std::uint8_t(off_plan)) != plan.end())
        ++off_plan;
    struct Case {
        char const* name;
        std::function<void(ApSpec&)> lose;
        std::function<void(ApSpec&)> restore;
    };
    Case const cases[] = {
        { "removed", [](ApSpec& ap) { ap.present = false; }, [](ApSpec& ap) { ap.present = true; } },
        { "faded to -95 dBm", [](ApSpec& ap) { ap.rssi = -95; }, [](ApSpec& ap) { ap.rssi = -50; } },
        { "off the channel plan", [&](ApSpec& ap) { ap.channel = off_plan; }, [](ApSpec& ap) { ap.channel = 1; } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        m_world.connect(profile("Open", AUTH_OPEN, ENC_NONE), m_now);
        run_until(m_now + 5000);
        ASSERT_EQ(status().Status, VxStatus_Connected);
        c.lose(*m_world.find_ap("open"));
        EXPECT_EQ(run_until(m_now + 100), (V { RS_CBS_AU_STATUS_MEDIA_DISCONNECT, RS_CBS_AU_STATUS_LINK_DOWN }));
        EXPECT_EQ(status().Status, VxStatus_Disconnected);
        EXPECT_EQ(run_until(m_now + 5000), V {});
        c.restore(*m_world.find_ap("open"));
        EXPECT_EQ(run_until(m_now + 100), V { VXWL_MSG_RECONNECT });
        EXPECT_EQ(run_until(m_now + 5000), V {});
    }
}

TEST_F(WorldTest, AResumedDriverAsksForAReconnectionOnceReady)
{
    m_world.connect(profile("Open", AUTH_OPEN, ENC_NONE), m_now);
    run_until(m_now + 5000);
    m_world.suspend(m_now);
    EXPECT_EQ(run_until(m_now), (V { RS_CBS_AU_STATUS_MEDIA_DISCONNECT, RS_CBS_AU_STATUS_LINK_DOWN, 0x0218 }));
    m_world.set_driver_delay(7000);
    m_world.resume(m_now);
    std::uint64_t const resumed = m_now;
    EXPECT_EQ(run_until(resumed + 6999), V { 0x0218 });
    EXPECT_FALSE(m_world.driver_ready(m_now));
    EXPECT_EQ(run_until(resumed + 7000), V { VXWL_MSG_RECONNECT });
    EXPECT_EQ(m_world.next_due(), std::nullopt);
    // A driver that never comes back never asks.
    m_world.suspend(m_now);
    m_world.set_driver_delay_never();
    m_world.resume(m_now);
    EXPECT_EQ(run_until(m_now + 600000), (V { 0x0218, 0x0218 }));
}
