// The adapter's scripted WPS exchange, stepped through the world's time by hand.
#include "wlan/sim/LiveCommands.h"
#include "wlan/sim/World.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace wlan::sim;

namespace {

constexpr char kScenario[] = R"(
[world]
wps_step_ms = 300
wps_walk_ms = 120000
[adapter:a]
name = A
[ap:button]
ssid = Printer Room
bssid = 02:00:00:00:00:07
channel = 1
security = wpa2-psk
cipher = aes
key = printer-pass-77
wps = 1
wps_pbc = 1
[ap:family]
ssid = Family
bssid = 02:00:00:00:00:06
channel = 9
security = wpa-wpa2-psk
cipher = tkip+aes
key = family-first
wps = 1
wps_pin = 12345670
[ap:studio]
ssid = Studio 5G
bssid = 02:00:00:00:00:0B
channel = 149
security = wpa2-psk
cipher = aes
key = studio-key
wps = 1
wps_pin = 12345670
[ap:plain]
ssid = Plain
bssid = 02:00:00:00:00:01
channel = 6
)";

WPS_MODE pbc_mode(std::uint8_t config = 1)
{
    WPS_MODE m {};
    m.WpsMode = WpsEngine::kPbcMethod;
    m.ConfigMode = config;
    return m;
}

WPS_MODE pin_mode(std::uint8_t last_bssid_byte, char const* pin, std::uint8_t config = 1)
{
    WPS_MODE m {};
    m.WpsMode = WpsEngine::kPinMethod;
    std::memcpy(m.PIN, pin, std::min<std::size_t>(8, std::strlen(pin)));
    std::uint8_t const bssid[6] { 2, 0, 0, 0, 0, last_bssid_byte };
    std::memcpy(m.Bssid, bssid, 6);
    m.ConfigMode = config;
    return m;
}

class WpsEngineTest : public ::testing::Test {
protected:
    WpsEngineTest()
        : world(parse_scenario(kScenario).world, nullptr, 0)
    {
        world.advance(now);
    }
    // The codes seen at each step from now until one repeats `last` (bounded).
    std::vector<std::uint32_t> walk(std::uint32_t last, int max_steps = 60)
    {
        std::vector<std::uint32_t> seen;
        for (int i = 0; i < max_steps; ++i) {
            std::uint32_t const code = world.wps().status(world, now);
            if (seen.empty() || seen.back() != code)
                seen.push_back(code);
            if (code == last)
                break;
            now += 300;
        }
        return seen;
    }

    World world;
    std::uint64_t now { 1000 };
};

}

TEST_F(WpsEngineTest, PushButtonWithOnePressedAccessPointRunsToItsCredential)
{
    ASSERT_TRUE(world.wps().set_mode(world, pbc_mode(), now));
    std::vector<std::uint32_t> const expected { 2, 3, 4, 5, 6, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 15 };
    EXPECT_EQ(walk(15), expected);
    // Level-triggered: a later query still reads success.
    now += 5000;
    EXPECT_EQ(world.wps().status(world, now), 15u);
    WPS_PROFILE const& result = world.wps().result();
    ASSERT_EQ(result.ProfileCnt, 1u);
    WPS_CREDENTIAL const& c = result.Profile[0];
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(c.Ssid), c.SsidLength), "Printer Room");
    EXPECT_EQ(c.AuthType, 32u);
    EXPECT_EQ(c.EncrType, 8u);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(c.Key), c.KeyLength), "printer-pass-77");
    EXPECT_EQ(c.MacAddr[5], 0x07);
    EXPECT_EQ(world.wps().channel(), 1);
    world.wps().disconnect();
    EXPECT_EQ(world.wps().status(world, now), 0u);
}

TEST_F(WpsEngineTest, PushButtonCountsThePressedButtonsOfThePreferredBand)
{
    ASSERT_EQ(apply_live_command(world, "wps-press family", now), "");
    world.wps().set_mode(world, pbc_mode(), now);
    EXPECT_EQ(world.wps().status(world, now), 257u) << "two pressed";
    world.wps().switches().prefer_band = 1;
    EXPECT_EQ(world.wps().status(world, now), 258u) << "none pressed on 5 GHz";
    world.wps().switches().prefer_band = 2;
    world.find_ap("family")->wps_pbc_active = false;
    now += 300;
    EXPECT_EQ(world.wps().status(world, now), 2u) << "re-evaluated: one left";
}

TEST_F(WpsEngineTest, PushButtonWalkTimeEndsWithZero)
{
    world.find_ap("button")->wps_pbc_active = false;
    world.wps().set_mode(world, pbc_mode(), now);
    EXPECT_EQ(world.wps().status(world, now + 119999), 258u);
    EXPECT_EQ(world.wps().status(world, now + 120000), 0u);
    world.find_ap("button")->wps_pbc_active = true;
    EXPECT_EQ(world.wps().status(world, now + 120300), 0u) << "the run is over";
}

TEST_F(WpsEngineTest, PinRuns)
{
    struct Case {
        char const* name;
        std::uint8_t bssid;
        char const* pin;
        int fail;
        std::uint32_t last;
        std::size_t steps; // codes seen before the last
    } const cases[] = {
        { "right PIN", 0x06, "12345670", 0, 15, 16 },
        { "wrong PIN after M4", 0x06, "11111111", 0, 262, 11 },
        { "access point without WPS", 0x01, "12345670", 0, 513, 0 },
        { "unknown BSSID", 0x55, "12345670", 0, 513, 0 },
        { "forced failure after M2", 0x06, "12345670", 516, 516, 8 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        world.find_ap("family")->wps_fail = c.fail;
        ASSERT_TRUE(world.wps().set_mode(world, pin_mode(c.bssid, c.pin), now));
        auto const seen = walk(0x10000000u | c.last);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), 0x10000000u | c.last);
        EXPECT_EQ(seen.size() - 1, c.steps);
        now += 10000;
    }
}

TEST_F(WpsEngineTest, RegistrarGivesItsCredentialToTheAccessPoint)
{
    WPS_PROFILE offered {};
    offered.ProfileCnt = 1;
    WPS_CREDENTIAL& c = offered.Profile[0];
    c.SsidLength = 13;
    std::memcpy(c.Ssid, "ExRegNW0A1B2C", 13);
    c.AuthType = 32;
    c.EncrType = 8;
    c.KeyLength = 8;
    std::memcpy(c.Key, "new-key!", 8);
    world.wps().set_profile(offered);
    ASSERT_TRUE(world.wps().set_mode(world, pin_mode(0x0B, "12345670", 2), now));
    std::vector<std::uint32_t> expected;
    for (std::uint32_t code : { 2, 3, 4, 5, 6, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 15 })
        expected.push_back(0x10000000u | code);
    EXPECT_EQ(walk(0x1000000Fu), expected);
    ApSpec const& studio = *world.find_ap("studio");
    EXPECT_EQ(studio.ssid, "ExRegNW0A1B2C");
    EXPECT_EQ(studio.security, Security::Wpa2Psk);
    EXPECT_EQ(studio.key, "new-key!");
    EXPECT_EQ(world.wps().channel(), 149);
}

TEST_F(WpsEngineTest, HardwareButtonIsReportedOnceAndStartsAPushButtonRun)
{
    EXPECT_FALSE(world.wps().take_hw_press(world, now));
    ASSERT_EQ(apply_live_command(world, "wps-hw-press", now), "");
    EXPECT_TRUE(world.wps().take_hw_press(world, now));
    EXPECT_FALSE(world.wps().take_hw_press(world, now));
    EXPECT_EQ(world.wps().status(world, now), 2u);
}

TEST_F(WpsEngineTest, ScenarioKeysAreChecked)
{
    ApSpec ap;
    bool known = false;
    EXPECT_EQ(set_ap_key(ap, "wps_pin", "1234567a", known), "expected at most 8 digits");
    EXPECT_NE(set_ap_key(ap, "wps_fail", "300", known), "");
    EXPECT_EQ(set_ap_key(ap, "wps_fail", "517", known), "");
    EXPECT_EQ(ap.wps_fail, 517);
}
