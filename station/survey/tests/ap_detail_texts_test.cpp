// The access point detail's filling without a window: the default world's networks, built
// and digested by the stand-in's own scan and element code, give the texts the detail shows;
// fixtures cover the edges (long names, empty rate sets, unlisted bits, unknown frequencies,
// the beacon interval by system, an MCS set the table cannot rate).
#include "station/core/UiStr.h"
#include "station/rates/CHTTable.h"
#include "station/survey/APDetailTexts.h"
#include "wlan/sim/Channels.h"
#include "wlan/sim/Digest.h"
#include "wlan/sim/ScanList.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace station::survey;

namespace {

struct Network {
    std::vector<std::uint8_t> bytes;
    IE_INFO_WPA digest {};
    NDIS_WLAN_BSSID_EX const& entry() const { return *reinterpret_cast<NDIS_WLAN_BSSID_EX const*>(bytes.data()); }
};

class DetailTexts : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        auto loaded = wlan::sim::load_scenario(std::string(ZORVEL_SOURCE_DIR) + "/resources/scenarios/default.ini");
        ASSERT_TRUE(loaded.ok());
        s_world = new wlan::sim::WorldSpec(loaded.world);
    }
    static void TearDownTestSuite()
    {
        delete s_world;
        s_world = nullptr;
    }
    void SetUp() override
    {
        m_table.Build();
        G_UiStr.IDS_SUPPORT_RATE = "Support rate";
        G_UiStr.IDS_11N_MAX_SUPPORT_RATE = "Maximum 802.11n rate";
        G_UiStr.IDS_INFRA = "Infrastructure";
        G_UiStr.IDS_IBSS = "Ad hoc (IBSS)";
        G_UiStr.IDS_UNKNOWN = "Unknown";
    }
    // The network of the default world with this name, as a scan reports it.
    static Network network(std::string const& ssid)
    {
        Network n;
        for (auto const& ap : s_world->aps) {
            if (ap.ssid != ssid)
                continue;
            n.bytes = wlan::sim::build_entry(ap, ap.rssi);
            EXPECT_EQ(wlan::sim::digest_entry(n.bytes, n.digest).error, wlan::sim::DigestError::None);
            return n;
        }
        ADD_FAILURE() << "no network " << ssid;
        n.bytes.assign(NDIS_WLAN_BSSID_EX_FIXED, 0);
        return n;
    }
    GeneralTexts general(Network const& n, int os = 12)
    {
        return BuildGeneralTexts(n.entry(), n.digest, wlan::sim::frequency_to_channel(n.entry().DSConfig), os, m_table);
    }
    static std::string ht_value(IE_INFO_WPA const& digest, char const* property, int occurrence = 0)
    {
        for (HtRow const& row : HtRows(HtTexts(digest)))
            if (row.property == property && occurrence-- == 0)
                return row.value;
        ADD_FAILURE() << "no row " << property;
        return {};
    }

    CHTTable m_table;
    static inline wlan::sim::WorldSpec* s_world {};
};

}

TEST_F(DetailTexts, DefaultWorldNetworks)
{
    struct Case {
        char const* ssid;
        char const* authentication;
        char const* encryption;
        char const* channel;
        char const* network_type;
        char const* rates; // after "Support rate: "
        char const* mdid;  // null: hidden
    } const cases[] = {
        { "Corner Cafe", "Open", "NONE", "1 <--> 2412 MHz", "Infrastructure", "1, 2, 5.5, 6, 9, 11, 12, 18, 24, 36, 48, 54",
            nullptr },
        { "Old Router", "Open", "WEP", "6 <--> 2437 MHz", "Infrastructure", "1, 2, 5.5, 6, 9, 11, 12, 18, 24, 36, 48, 54",
            nullptr },
        { "Family", "WPA-PSK+WPA2-PSK", "TKIP+AES", "9 <--> 2452 MHz", "Infrastructure",
            "1, 2, 5.5, 6, 9, 11, 12, 18, 24, 36, 48, 54", nullptr },
        { "HomeNet 5G", "WPA2-PSK", "AES", "36 <--> 5180 MHz", "Infrastructure",
            "6, 9, 12, 18, 24, 36, 48, 54\n\nMaximum 802.11n rate: 300.0", nullptr },
        { "Fast Lane", "Open", "NONE", "149 <--> 5745 MHz", "Infrastructure",
            "6, 9, 12, 18, 24, 36, 48, 54\n\nMaximum 802.11n rate: 450.0", nullptr },
        { "Corp", "WPA2", "AES", "44 <--> 5220 MHz", "Infrastructure",
            "6, 9, 12, 18, 24, 36, 48, 54\n\nMaximum 802.11n rate: 144.4", "1234" },
        { "Voice", "WPA2+CCKM", "AES", "157 <--> 5785 MHz", "Infrastructure", "6, 9, 12, 18, 24, 36, 48, 54", nullptr },
        { "WAPI Office", "WAPI-PSK", "SMS4", "13 <--> 2472 MHz", "Infrastructure",
            "1, 2, 5.5, 6, 9, 11, 12, 18, 24, 36, 48, 54", nullptr },
        { "LAN Party", "Open", "NONE", "10 <--> 2457 MHz", "Ad hoc (IBSS)", "1, 2, 5.5, 6, 9, 11, 12, 18, 24, 36, 48, 54",
            nullptr },
        { "Warehouse", "Open", "WEP", "11 <--> 2462 MHz", "Infrastructure", "1, 2, 5.5, 11", nullptr },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.ssid);
        Network const n = network(c.ssid);
        GeneralTexts const t = general(n);
        EXPECT_EQ(t.ssid, c.ssid);
        EXPECT_EQ(t.authentication, c.authentication);
        EXPECT_EQ(t.encryption, c.encryption);
        EXPECT_EQ(t.channel, c.channel);
        EXPECT_EQ(t.network_type, c.network_type);
        EXPECT_EQ(t.rates, std::string("Support rate: ") + c.rates);
        EXPECT_EQ(t.beacon_interval, "100");
        EXPECT_EQ(t.show_mdid, c.mdid != nullptr);
        if (c.mdid) {
            EXPECT_EQ(t.mdid, c.mdid);
        }
        EXPECT_EQ(t.mac.substr(0, 15), "02-10-00-00-00-");
    }
}

TEST_F(DetailTexts, TabsOfTheDefaultWorld)
{
    Network const family = network("Family");
    auto const wps = WpsTexts(family.digest, "WPA-PSK+WPA2-PSK", "TKIP+AES");
    EXPECT_EQ(wps[0], "WPA-PSK+WPA2-PSK");
    EXPECT_EQ(wps[1], "TKIP+AES");
    EXPECT_EQ(wps[3], "") << "a device password ID of \"Unknown\" is shown empty";
    EXPECT_EQ(wps[5], "Configured");
    for (std::size_t i : { 2u, 4u, 6u, 7u, 8u, 9u })
        EXPECT_FALSE(wps[i].empty()) << i;

    auto const voice = CcxTexts(network("Voice").digest);
    EXPECT_EQ(voice[0], "TRUE");
    auto const cafe = CcxTexts(network("Corner Cafe").digest);
    EXPECT_EQ(cafe, (std::array<std::string, 3> { "FALSE", "FALSE", "FALSE" }));

    // Fast Lane announces the short guard interval at 40 MHz only.
    IE_INFO_WPA const& fast = network("Fast Lane").digest;
    EXPECT_EQ(ht_value(fast, "Short GI for 40 MHz"), "TRUE");
    EXPECT_EQ(ht_value(fast, "Short GI for 20 MHz"), "FALSE");
    EXPECT_EQ(ht_value(fast, "Primary Channel"), "149");
    // Both A-MPDU blocks show the parameters 0x1B: factor 3, spacing 6.
    for (int occurrence : { 0, 1 }) {
        EXPECT_EQ(ht_value(fast, "Maximum Rx A-MPDU Factor", occurrence), "3");
        EXPECT_EQ(ht_value(fast, "Minimum MPDU Start Spacing", occurrence), "6");
    }
}

TEST_F(DetailTexts, GeneralEdges)
{
    Network n = network("Corner Cafe");
    auto entry = [&]() -> NDIS_WLAN_BSSID_EX& { return *reinterpret_cast<NDIS_WLAN_BSSID_EX*>(n.bytes.data()); };
    auto set_ssid = [&](std::string const& ssid) {
        entry().Ssid.SsidLength = std::uint32_t(ssid.size());
        std::memcpy(entry().Ssid.Ssid, ssid.data(), ssid.size());
    };
    set_ssid("abcdefghijklmnopqrstu");
    EXPECT_EQ(DetailSsid(entry()), "abcdefghijklmnopqrstu") << "21 characters are shown whole";
    set_ssid("abcdefghijklmnopqrstuv");
    EXPECT_EQ(DetailSsid(entry()), "abcdefghijklmnopqrst..");

    entry().SupportedRates[0] = 0;
    EXPECT_EQ(SupportedRatesText(entry(), n.digest, m_table), "Support rate: ");
    n.digest.bHT = 1;
    EXPECT_EQ(SupportedRatesText(entry(), n.digest, m_table), "Support rate: \n\nMaximum 802.11n rate: ");

    struct Auth {
        std::uint32_t bits, cckm;
        char const* text;
    } const auths[] = { { 0, 0, "Open" }, { 3, 0, "WPA+WPA-PSK" }, { 3, 1, "WPA+WPA-PSK+CCKM" }, { 9, 0, "WPA+WPA2" },
        { 18, 0, "WPA-PSK+WPA2-PSK" }, { 4, 0, "WPA-NONE" }, { 32, 0, "WPA2-NONE" }, { 128, 0, "WAPI-CERT" },
        { 0, 1, "Open+CCKM" }, { 0, 2, "Open" } };
    for (Auth const& a : auths)
        EXPECT_EQ(DetailAuthentication(a.bits, a.cckm), a.text) << a.bits << " " << a.cckm;
    EXPECT_EQ(DetailEncryption(2 | 8, 1), "TKIP+SMS4");
    EXPECT_EQ(DetailEncryption(1, 0), "WEP");

    EXPECT_EQ(DetailChannel(-1, 4'321'000), "4321 MHz");
    EXPECT_EQ(DetailNetworkType(2), "Unknown");
}

TEST_F(DetailTexts, BeaconIntervalBySystem)
{
    Network n = network("Corner Cafe");
    auto& entry = *reinterpret_cast<NDIS_WLAN_BSSID_EX*>(n.bytes.data());
    entry.BeaconPeriod = 200;
    n.digest.BeaconInterval = 300;
    EXPECT_EQ(DetailBeaconInterval(entry, n.digest, 10), "200");
    EXPECT_EQ(DetailBeaconInterval(entry, n.digest, 9), "300");
}

TEST_F(DetailTexts, HighestHtRate)
{
    IE_INFO_WPA d {};
    d.bHT = 1;
    d.SupportedMcsSet[4] = 0x01; // MCS 32 only, at 20 MHz: the table has no rate for it
    EXPECT_FALSE(MaxHtRate(d, m_table).has_value());
    std::uint32_t const one = 1;
    std::memcpy(reinterpret_cast<std::uint8_t*>(&d) + HT_HIGH_THROUGHPUT, &one, 4);
    EXPECT_EQ(MaxHtRate(d, m_table), 6.0) << "at 40 MHz, long guard interval";
    d.SupportedMcsSet[0] = 0xFF;
    std::memcpy(reinterpret_cast<std::uint8_t*>(&d) + HT_SGI_40, &one, 4);
    EXPECT_EQ(MaxHtRate(d, m_table), 150.0);
    d.SupportedMcsSet[15] = 0x80; // MCS 127: not in the table, skipped
    EXPECT_EQ(MaxHtRate(d, m_table), 150.0);
}

TEST_F(DetailTexts, HtRowsWithAndWithoutHt)
{
    IE_INFO_WPA d {};
    auto rows = HtRows(HtTexts(d));
    ASSERT_EQ(rows.size(), 64u);
    int headings = 0, na = 0;
    for (HtRow const& r : rows) {
        if (r.heading) {
            ++headings;
            EXPECT_EQ(r.value, "") << r.property;
        } else {
            na += r.value == "n/a";
        }
    }
    EXPECT_EQ(headings, 10);
    EXPECT_EQ(na, 54);

    // The short guard interval rows read the field of their own width.
    d.bHT = 1;
    std::uint32_t const one = 1;
    std::memcpy(reinterpret_cast<std::uint8_t*>(&d) + HT_SGI_20, &one, 4);
    EXPECT_EQ(ht_value(d, "Short GI for 20 MHz"), "TRUE");
    EXPECT_EQ(ht_value(d, "Short GI for 40 MHz"), "FALSE");
    std::int32_t const basic = -2;
    std::memcpy(reinterpret_cast<std::uint8_t*>(&d) + HT_BASIC_MCS_3, &basic, 4);
    EXPECT_EQ(ht_value(d, "Basic MCS Set 3"), "-2");
    rows = HtRows(HtTexts(d));
    EXPECT_EQ(rows.front().property, "Secondary Channel Offset element");
    EXPECT_EQ(rows.back().property, "Basic MCS Set 3");
}
