// The connection action queue's rules, the packing of the advanced settings, the WPS rotation
// and the authentication progress ring.
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"
#include "station/core/ActionQueue.h"
#include "station/core/AdvanceSettings.h"
#include "station/core/AuthStatusRing.h"
#include "station/core/ConnectionFlags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

using station::core::AuthStatusRing;

namespace {

WLANPROFILE profile_named(char const* name)
{
    WLANPROFILE p {};
    std::snprintf(p.strProfileName, sizeof p.strProfileName, "%s", name);
    return p;
}

WPS_CREDENTIAL wps_named(char const* ssid)
{
    WPS_CREDENTIAL c {};
    c.SsidLength = std::uint32_t(std::strlen(ssid));
    std::memcpy(c.Ssid, ssid, c.SsidLength);
    return c;
}

// "S" a scan, "P1" the profile named P1, "W1" the WPS credential with SSID W1.
std::string describe(ActionArray const& queue)
{
    std::string out;
    for (auto const& a : queue) {
        out += out.empty() ? "" : ",";
        if (a.nType == actionTypeBssidListScan) {
            out += "S";
        } else if (a.nType == actionTypeProfile) {
            auto const* p = static_cast<WLANPROFILE const*>(a.pData());
            out += p->strProfileName;
        } else if (a.nType == actionTypeWPSProfile) {
            auto const* c = static_cast<WPS_CREDENTIAL const*>(a.pData());
            out += std::string(reinterpret_cast<char const*>(c->Ssid), c->SsidLength);
        } else {
            out += "#" + std::to_string(a.nType);
        }
    }
    return out;
}

_ACTION_DATA scan() { return MakeAction(actionTypeBssidListScan, nullptr); }
_ACTION_DATA profile(char const* name)
{
    WLANPROFILE p = profile_named(name);
    return MakeAction(actionTypeProfile, &p);
}
_ACTION_DATA wps(char const* ssid)
{
    WPS_CREDENTIAL c = wps_named(ssid);
    return MakeAction(actionTypeWPSProfile, &c);
}

}

TEST(ActionQueue, MergesNewActionsByTheQueueRules)
{
    struct Case {
        char const* name;
        std::vector<_ACTION_DATA> queued;
        _ACTION_DATA added;
        char const* expected;
        bool waits;
    };
    std::vector<Case> const cases = {
        { "empty queue takes the action", {}, profile("P1"), "P1", false },
        { "a new scan goes to the tail as the only scan", { scan(), profile("P1") }, scan(), "P1,S", false },
        { "a profile replaces the WPS entry nearest the tail", { profile("P1"), wps("W1") }, profile("P2"), "P2", false },
        { "a WPS credential replaces a queued profile", { profile("P1") }, wps("W2"), "W2", false },
        { "a scan at the head with more waits", { scan() }, profile("P1"), "S,P1", true },
        { "SSID entries stay", { MakeAction(actionTypeSSID, nullptr) }, profile("P1"), "#2,P1", false },
    };
    WLANPROFILE const current {};
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ActionArray queue = c.queued;
        MergeAction(queue, c.added);
        EXPECT_EQ(describe(queue), c.expected);
        EXPECT_EQ(QueueMustWait(queue, current), c.waits);
    }
}

TEST(ActionQueue, EntriesOwnACopyOfTheirRecord)
{
    WLANPROFILE source = profile_named("P1");
    ActionArray queue;
    MergeAction(queue, MakeAction(actionTypeProfile, &source));
    std::snprintf(source.strProfileName, sizeof source.strProfileName, "changed");
    EXPECT_EQ(describe(queue), "P1");
    EXPECT_EQ(queue[0].data.size(), 5460u);
    EXPECT_EQ(MakeAction(actionTypeWPSProfile, nullptr).data.size(), 124u);
    EXPECT_EQ(MakeAction(actionTypeSSID, nullptr).data.size(), 36u);
    EXPECT_EQ(MakeAction(actionTypeBSSID, nullptr).data.size(), 6u);
}

TEST(ActionQueue, ATokenCardProfileWaitsForTheScanBehindIt)
{
    ActionArray queue { profile("P1"), scan() };
    WLANPROFILE current {};
    current.nPasswordMode = 0;
    current.enumTunnel = 6;
    EXPECT_TRUE(QueueMustWait(queue, current));
    current.nPasswordMode = 1;
    EXPECT_FALSE(QueueMustWait(queue, current));
    current.nPasswordMode = 0;
    current.enumTunnel = 2;
    EXPECT_FALSE(QueueMustWait(queue, current));
}

TEST(AdvanceSettings, PacksTheTransmitSettingIntoTheOidRecord)
{
    // TransmitSetting: PhyMode 0-3, MCS 4-10, BW 11, ShortGI 12, STBC 13, TRANSNO 14-15,
    // HTMODE 16, EXTCHA 17-18, LEGACYMODE 19-20.
    auto word = [](unsigned phy, unsigned mcs, unsigned bw, unsigned sgi, unsigned stbc, unsigned transno, unsigned ht,
                    unsigned extcha, unsigned legacy) {
        return phy | mcs << 4 | bw << 11 | sgi << 12 | stbc << 13 | transno << 14 | ht << 16 | extcha << 17 | legacy << 19;
    };
    struct Case {
        char const* name;
        std::uint32_t transmit;
        ADVANCE_OID expected;
    };
    Case const cases[] = {
        { "legacy mode 0 takes the HT mode and width", word(9, 15, 1, 1, 1, 2, 1, 3, 0), { 9, 2, 1, 3, 15, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0 } },
        { "legacy mode 2 is the HT mode and has no 40 MHz", word(5, 7, 1, 0, 0, 1, 1, 1, 2), { 5, 1, 2, 1, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        { "legacy mode 3 is the HT mode and keeps the width", word(5, 7, 1, 0, 0, 1, 0, 1, 3), { 5, 1, 3, 1, 7, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        { "legacy mode 1 takes the HT bit", word(2, 0, 0, 0, 0, 0, 0, 0, 1), { 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        ADVANCE_CONFIG_DATA config {};
        config.TransmitSetting = c.transmit;
        ADVANCE_OID const oid = BuildAdvanceOid(config);
        EXPECT_EQ(oid.PhyMode, c.expected.PhyMode);
        EXPECT_EQ(oid.TransmitNo, c.expected.TransmitNo);
        EXPECT_EQ(oid.HtMode, c.expected.HtMode);
        EXPECT_EQ(oid.ExtOffset, c.expected.ExtOffset);
        EXPECT_EQ(oid.MCS, c.expected.MCS);
        EXPECT_EQ(oid.BW, c.expected.BW);
        EXPECT_EQ(oid.STBC, c.expected.STBC);
        EXPECT_EQ(oid.SHORTGI, c.expected.SHORTGI);
    }
}

TEST(AdvanceSettings, TheWordsFollowInTheirOrder)
{
    ADVANCE_CONFIG_DATA config { 1, 2, 3, 4, 5, 0, 7, 8, 9, 10 };
    ADVANCE_OID const oid = BuildAdvanceOid(config);
    EXPECT_EQ(oid.nBGProtection, 1u);
    EXPECT_EQ(oid.bTXBurst, 8u);
    EXPECT_EQ(oid.CountryRegIndex11BG, 3u);
    EXPECT_EQ(oid.CountryRegIndex11A, 4u);
    EXPECT_EQ(oid.KTphyMode, 9u);
    EXPECT_EQ(oid.nTXRate, 7u);
    EXPECT_EQ(oid.Reserved, 0u);
}

TEST(WpsRotation, PicksInTurnAndWrapsAtTheCount)
{
    G_bRotateProfile = TRUE;
    G_nRotateWpsProfile = 0;
    std::vector<int> picked;
    for (int i = 0; i < 4; ++i) {
        picked.push_back(PickWpsProfile(3));
        AdvanceWpsRotation(3);
    }
    EXPECT_EQ(picked, (std::vector<int> { 0, 1, 2, 0 }));
    EXPECT_EQ(G_nCurWpsProfile, 0);
    // Outside the stored entries, and a count past the record's eight: entry 0.
    G_bRotateProfile = FALSE;
    G_nCurWpsProfile = 5;
    EXPECT_EQ(PickWpsProfile(2), 0);
    G_nCurWpsProfile = 8;
    EXPECT_EQ(PickWpsProfile(99), 0);
    G_nCurWpsProfile = 7;
    EXPECT_EQ(PickWpsProfile(99), 7);
    EXPECT_EQ(G_nRotateWpsProfile, 7);
}

class AuthRing : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = DefWindowProc;
            wc.lpszClassName = "RingWindow";
            ASSERT_NE(RegisterClass(&wc), 0);
            registered = true;
        }
        AuthStatusRing::the().set_window(nullptr);
        AuthStatusRing::the().reset();
        window = CreateWindowEx(0, "RingWindow", "progress", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        AuthStatusRing::the().set_window(nullptr);
        AuthStatusRing::the().reset();
        platform::testing::reset_windows();
    }
    // The slot indexes posted to the window, in order.
    std::vector<int> posted()
    {
        std::vector<int> out;
        MSG msg;
        while (PeekMessage(&msg, window, WM_AUTH_STATUS_LINE, WM_AUTH_STATUS_LINE, PM_REMOVE))
            out.push_back(int(msg.wParam));
        return out;
    }
    HWND window {};
};

TEST_F(AuthRing, NoLinesWhileNoWindowIsUp)
{
    EXPECT_FALSE(AuthStatusRing::the().announce("Starting network connection..."));
    EXPECT_EQ(AuthStatusRing::the().index(), 0);
    AuthStatusRing::the().set_window(window);
    DestroyWindow(window);
    EXPECT_FALSE(AuthStatusRing::the().announce("gone"));
}

TEST_F(AuthRing, TheTwoHundredAndFirstLineOverwritesSlotZero)
{
    AuthStatusRing& ring = AuthStatusRing::the();
    ring.set_window(window);
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(ring.announce("line " + std::to_string(i)));
    EXPECT_EQ(ring.index(), 0);
    EXPECT_TRUE(ring.announce("line 200"));
    EXPECT_EQ(ring.slot(0), "line 200");
    EXPECT_EQ(ring.slot(199), "line 199");
    std::vector<int> const indexes = posted();
    ASSERT_EQ(indexes.size(), 201u);
    EXPECT_EQ(indexes[199], 199);
    EXPECT_EQ(indexes[200], 0);
}

TEST_F(AuthRing, LongLinesAreCutAndTheEndLineRestartsAtZero)
{
    AuthStatusRing& ring = AuthStatusRing::the();
    ring.set_window(window);
    ring.announce(std::string(400, 'x'));
    EXPECT_EQ(ring.slot(0), std::string(255, 'x'));
    ring.announce("second");
    EXPECT_TRUE(ring.announce_end());
    EXPECT_EQ(ring.slot(2), "OK");
    EXPECT_EQ(ring.index(), 0);
    EXPECT_EQ(posted(), (std::vector<int> { 0, 1, 2 }));
}

// Lines from several threads each get a slot of their own, posted in the order they were written.
TEST_F(AuthRing, LinesFromSeveralThreadsKeepTheirSlots)
{
    AuthStatusRing& ring = AuthStatusRing::the();
    ring.set_window(window);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&ring, t] {
            for (int i = 0; i < 25; ++i)
                ring.announce("thread " + std::to_string(t));
        });
    for (auto& t : threads)
        t.join();
    std::vector<int> const indexes = posted();
    ASSERT_EQ(indexes.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(indexes[std::size_t(i)], i);
    EXPECT_EQ(ring.index(), 100);
}
