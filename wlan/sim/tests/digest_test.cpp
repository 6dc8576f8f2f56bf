// Every access point of the default scenario, built into a scan entry and digested back: the
// digest carries the fields the programs read for each kind of element.
#include "wlan/sim/Digest.h"
#include "wlan/sim/ScanList.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace wlan::sim;

namespace {

WorldSpec default_world()
{
    auto r = load_scenario(std::string(ZORVEL_SOURCE_DIR) + "/resources/scenarios/default.ini");
    EXPECT_TRUE(r.ok()) << (r.errors.empty() ? "" : r.errors[0]);
    EXPECT_TRUE(r.warnings.empty()) << (r.warnings.empty() ? "" : r.warnings[0]);
    return r.world;
}

std::uint32_t u32_at(IE_INFO_WPA const& info, std::uint32_t offset)
{
    std::uint32_t v;
    std::memcpy(&v, reinterpret_cast<std::uint8_t const*>(&info) + offset, 4);
    return v;
}

}

TEST(Digest, DefaultScenarioAccessPoints)
{
    struct Case {
        char const* ap;
        std::uint32_t auth, enc, cckm, wps, ht, md;
        char const* wps_state;
        char const* password_id;
        int truncated; // -1: either
        bool inconsistent;
        int malformed;
    };
    constexpr Case cases[] = {
        { "open-cafe", 0, 0, 0, 0, 0, 0, "", "", 0, false, 0 },
        { "wep-home", 0, 0, 0, 0, 0, 0, "", "", 0, false, 0 },
        { "wpa-psk", IE_AUTH_WPA_PSK, IE_ENC_TKIP, 0, 0, 0, 0, "", "", 0, false, 0 },
        { "wpa2-psk", IE_AUTH_WPA2_PSK, IE_ENC_AES, 0, 0, 1, 0, "", "", 0, false, 0 },
        { "mixed-psk", IE_AUTH_WPA_PSK | IE_AUTH_WPA2_PSK, IE_ENC_TKIP | IE_ENC_AES, 0, 1, 0, 0, "Configured", "Unknown", 0, false, 0 },
        { "wps-button", IE_AUTH_WPA2_PSK, IE_ENC_AES, 0, 1, 0, 0, "Configured", "0x0004", 0, false, 0 },
        { "corp-peap", IE_AUTH_WPA2, IE_ENC_AES, 0, 0, 1, 1, "", "", 0, false, 0 },
        { "corp-wpa", IE_AUTH_WPA, IE_ENC_TKIP, 0, 0, 0, 0, "", "", 0, false, 0 },
        { "cckm", IE_AUTH_WPA2, IE_ENC_AES, 1, 0, 0, 0, "", "", 0, false, 0 },
        { "wapi-psk", IE_AUTH_WAPI_PSK, IE_ENC_SMS4, 0, 0, 0, 0, "", "", 0, false, 0 },
        { "wapi-cert", IE_AUTH_WAPI_CERT, IE_ENC_SMS4, 0, 0, 0, 0, "", "", 0, false, 0 },
        { "ht-149", 0, 0, 0, 0, 1, 0, "", "", 0, false, 0 },
        { "broken-element", IE_AUTH_WPA2_PSK, IE_ENC_AES, 0, 0, 0, 0, "", "", 1, false, 0 },
        { "broken-length", IE_AUTH_WPA2_PSK, IE_ENC_AES, 0, 0, 0, 0, "", "", -1, true, 0 },
    };
    auto world = default_world();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.ap);
        ApSpec const* ap = nullptr;
        for (auto const& a : world.aps)
            if (a.id == c.ap)
                ap = &a;
        ASSERT_NE(ap, nullptr);
        auto const entry = build_entry(*ap, ap->rssi);
        IE_INFO_WPA info {};
        auto report = digest_entry(entry, info);
        ASSERT_EQ(report.error, DigestError::None);
        EXPECT_EQ(info.nAuthentication, c.auth);
        EXPECT_EQ(info.nEncryption, c.enc);
        EXPECT_EQ(info.bCCKM, c.cckm);
        EXPECT_EQ(info.bWPS, c.wps);
        EXPECT_EQ(info.bHT, c.ht);
        EXPECT_EQ(info.bMobilityDomain, c.md);
        EXPECT_STREQ(info.WpsState, c.wps_state);
        EXPECT_STREQ(info.DevicePasswordId, c.password_id);
        if (c.truncated >= 0) {
            EXPECT_EQ(report.truncated, c.truncated == 1);
        }
        EXPECT_EQ(report.length_inconsistent, c.inconsistent);
        EXPECT_EQ(report.malformed, c.malformed);
        EXPECT_EQ(info.BeaconInterval, 100);
    }
}

TEST(Digest, HtAndMobilityFields)
{
    ApSpec ap;
    ap.ssid = "x";
    ap.channel = 36;
    ap.ht = ap.ht40 = ap.sgi40 = true;
    ap.streams = 2;
    ap.mdid = 0xBEEF;
    IE_INFO_WPA info {};
    ASSERT_EQ(digest_entry(build_entry(ap, -50), info).error, DigestError::None);
    EXPECT_EQ(u32_at(info, HT_HIGH_THROUGHPUT), 1u);
    EXPECT_EQ(u32_at(info, HT_SGI_40), 1u);
    EXPECT_EQ(u32_at(info, HT_SGI_20), 0u);
    EXPECT_EQ(reinterpret_cast<std::uint8_t const*>(&info)[HT_PRIMARY_CHANNEL], 36);
    EXPECT_EQ(info.SupportedMcsSet[0], 0xFF);
    EXPECT_EQ(info.SupportedMcsSet[1], 0xFF);
    EXPECT_EQ(info.SupportedMcsSet[2], 0x00);
    // Both A-MPDU blocks carry the parameters byte 0x1B: factor 3 (64 KiB), spacing 6 (8 us).
    auto const* bytes = reinterpret_cast<std::uint8_t const*>(&info);
    for (std::uint32_t at : { 232u, 260u }) {
        EXPECT_EQ(bytes[at], 3) << at;
        EXPECT_EQ(bytes[at + 1], 6) << at + 1;
    }
    EXPECT_EQ(info.bMobilityDomain, 1u);
    EXPECT_EQ(info.MDID[0], 0xEF);
    EXPECT_EQ(info.MDID[1], 0xBE);
}

TEST(Digest, BadElementsAreSkippedAndOthersKept)
{
    ApSpec ap;
    ap.ssid = "x";
    ap.security = Security::Wpa2Psk;
    ap.cipher = Cipher::Aes;
    ap.wps = true;
    ap.malformed = Malformation::BadRsn;
    IE_INFO_WPA info {};
    auto report = digest_entry(build_entry(ap, -50), info);
    EXPECT_EQ(report.malformed, 1);
    EXPECT_EQ(info.nAuthentication, 0u);
    EXPECT_EQ(info.bWPS, 1u);
    ap.malformed = Malformation::BadWps;
    info = {};
    report = digest_entry(build_entry(ap, -50), info);
    EXPECT_EQ(report.malformed, 1);
    EXPECT_EQ(info.bWPS, 0u);
    EXPECT_EQ(info.nAuthentication, IE_AUTH_WPA2_PSK);
}

TEST(Digest, ShortEntriesWriteNothing)
{
    ApSpec ap;
    ap.ssid = "x";
    auto entry = build_entry(ap, -50);
    IE_INFO_WPA info {};
    info.nAuthentication = 0xAAAA;
    EXPECT_EQ(digest_entry(std::span(entry).first(115), info).error, DigestError::EntryTooShort);
    std::uint32_t const tiny = 100;
    std::memcpy(entry.data(), &tiny, 4);
    EXPECT_EQ(digest_entry(entry, info).error, DigestError::EntryTooShort);
    EXPECT_EQ(info.nAuthentication, 0xAAAAu);
}

TEST(Digest, ReadsOnlyWhatTheCallerVouchesFor)
{
    ApSpec ap;
    ap.ssid = "x";
    ap.security = Security::Wpa2Psk;
    auto entry = build_entry(ap, -50);
    // IELength claims far more than the buffer holds: the digest stays inside the buffer.
    std::uint32_t const huge = 0xFFFFFF00;
    std::memcpy(entry.data() + 112, &huge, 4);
    std::uint32_t const length = 0xFFFFFF00;
    std::memcpy(entry.data(), &length, 4);
    IE_INFO_WPA info {};
    auto report = digest_entry(entry, info);
    EXPECT_EQ(report.error, DigestError::None);
    EXPECT_TRUE(report.length_inconsistent);
    EXPECT_EQ(info.nAuthentication, IE_AUTH_WPA2_PSK);
}
