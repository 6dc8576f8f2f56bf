#include "platform/system/Module.h"
#include "platform/system/Process.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "station/core/Helpers.h"
#include "station/core/VxWlLib.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Hex, NibblesAndHexStrings)
{
    EXPECT_EQ(HexCharToNibble('0'), 0);
    EXPECT_EQ(HexCharToNibble('9'), 9);
    EXPECT_EQ(HexCharToNibble('a'), 10);
    EXPECT_EQ(HexCharToNibble('F'), 15);
    EXPECT_EQ(HexCharToNibble('g'), 255);
    EXPECT_EQ(HexCharToNibble('\0'), 255);
    EXPECT_TRUE(IsHexString(""));
    EXPECT_TRUE(IsHexString("0aF9"));
    EXPECT_FALSE(IsHexString("12AG"));
}

TEST(Hex, HexStringToBytesStopsAtTheEndOfTheText)
{
    BYTE out[4] = { 0xEE, 0xEE, 0xEE, 0xEE };
    EXPECT_EQ(HexStringToBytes("0A1b", out, 4), 2u);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0x1B);
    EXPECT_EQ(out[2], 0xEE) << "nothing is read or written past the text";

    BYTE odd[2] = { 0xEE, 0xEE };
    EXPECT_EQ(HexStringToBytes("ABC", odd, 2), 1u) << "a lone last digit is not a byte";
    EXPECT_EQ(odd[0], 0xAB);
    EXPECT_EQ(odd[1], 0xEE);
}

class DelayTimeTest : public ::testing::Test {
protected:
    void SetUp() override { m_clock = &platform::testing::use_manual_clock(); }
    platform::ManualClock* m_clock {};
};

TEST_F(DelayTimeTest, WaitsPastTheRequestedTime)
{
    auto const before = GetTickCount64();
    DWORD const elapsed = DelayTime(200);
    EXPECT_GT(elapsed, 200u);
    EXPECT_LT(elapsed, 210u);
    EXPECT_GE(GetTickCount64() - before, 200u);
}

TEST_F(DelayTimeTest, AWaitAcrossMidnightGoesOn)
{
    // 2024-01-01 23:59:59.900 UTC, local time = UTC.
    m_clock->set_local_offset_minutes(0);
    m_clock->set_unix_time_us(1704153599900000LL);
    DWORD const elapsed = DelayTime(200);
    EXPECT_GT(elapsed, 200u);
    EXPECT_LT(elapsed, 210u);
}

TEST(FindProcessIdByName, FindsARunningProgramAndNotAMissingOne)
{
    char path[4096];
    DWORD n = GetModuleFileName(nullptr, path, sizeof(path));
    ASSERT_GT(n, 0u);
    std::string name = std::string(path).substr(std::string(path).find_last_of('/') + 1) + ".exe";
    for (auto& c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_NE(FindProcessIdByName(name.c_str()), 0u) << name;
    EXPECT_EQ(FindProcessIdByName("NoSuchProgram.exe"), 0u);
}

// The program looks itself up by name at start: its own name, as the process list gives it,
// finds its own process (the first one listed), not none.
TEST(FindProcessIdByName, FindsThisProgramByItsOwnName)
{
    std::string const name = OwnProgramName();
    EXPECT_TRUE(name.ends_with(".exe")) << name;
    EXPECT_EQ(FindProcessIdByName(name.c_str()), GetCurrentProcessId()) << name;
}

TEST(Wow64Redirection, AMissingSwitchDoesNothing)
{
    InitWow64Redirection();
    EXPECT_EQ(Wow64FsRedirectionOn(), 0);
    EXPECT_EQ(Wow64FsRedirectionOff(), 0);
}

TEST(IsSSOProfileType, FollowsTheSingleSignOnSwitches)
{
    struct Case {
        const char* name;
        int VXWLLIB::*option;
        std::uint32_t b8021x, protocol, auth, encryption;
        bool expected;
    } const cases[] = {
        { "PEAP with its switch", &VXWLLIB::bSSO_PEAP, 1, EAP_PEAP, AUTH_WPA2, ENC_AES, true },
        { "EAP-FAST switch off, open none on", &VXWLLIB::bSSO_Open_None, 1, EAP_FAST, AUTH_OPEN, ENC_NONE, true },
        { "LEAP switch", &VXWLLIB::bSSO_LEAP, 1, EAP_LEAP, AUTH_WPA2, ENC_AES, true },
        { "protocol without 802.1X", &VXWLLIB::bSSO_PEAP, 0, EAP_PEAP, AUTH_WPA2, ENC_AES, false },
        { "open WEP", &VXWLLIB::bSSO_Open_WEP, 0, 0, AUTH_OPEN, ENC_WEP, true },
        { "shared WEP", &VXWLLIB::bSSO_Shared_WEP, 0, 0, AUTH_SHARED, ENC_WEP, true },
        { "shared without WEP", &VXWLLIB::bSSO_Shared_WEP, 0, 0, AUTH_SHARED, ENC_NONE, false },
        { "WPA-PSK", &VXWLLIB::bSSO_WPA_PSK, 0, 0, AUTH_WPA_PSK, ENC_TKIP, true },
        { "WPA2-PSK", &VXWLLIB::bSSO_WPA2_PSK, 0, 0, AUTH_WPA2_PSK, ENC_AES, true },
        { "WPA2-PSK under the WPA-PSK switch", &VXWLLIB::bSSO_WPA_PSK, 0, 0, AUTH_WPA2_PSK, ENC_AES, false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        VXWLLIB& o = G_VxWlLib;
        for (auto member : { &VXWLLIB::bSSO_PEAP, &VXWLLIB::bSSO_TLS_SmartCard, &VXWLLIB::bSSO_TTLS,
                 &VXWLLIB::bSSO_EAP_FAST, &VXWLLIB::bSSO_LEAP, &VXWLLIB::bSSO_MD5, &VXWLLIB::bSSO_Open_None,
                 &VXWLLIB::bSSO_Open_WEP, &VXWLLIB::bSSO_Shared_WEP, &VXWLLIB::bSSO_WPA_PSK, &VXWLLIB::bSSO_WPA2_PSK })
            o.*member = 0;
        o.*c.option = 1;
        WLANPROFILE p {};
        p.b8021X = c.b8021x;
        p.enumAuthenProtocol = c.protocol;
        p.enumAuthenMode = c.auth;
        p.enumEncryStatus = c.encryption;
        EXPECT_EQ(IsSSOProfileType(p), c.expected);
    }
}

TEST(CheckAdapterType, SeparatesKindsZeroToThree)
{
    for (std::uint32_t kind : { 0u, 1u, 2u, 3u }) {
        G_VxWlLib.adapter.AdapterKind = kind;
        EXPECT_EQ(CheckAdapterType(), 0) << kind;
    }
    for (std::uint32_t kind : { 4u, 5u, 0xFFFFFFFFu }) {
        G_VxWlLib.adapter.AdapterKind = kind;
        EXPECT_EQ(CheckAdapterType(), 1) << kind;
    }
    G_VxWlLib.adapter.AdapterKind = 0;
}
