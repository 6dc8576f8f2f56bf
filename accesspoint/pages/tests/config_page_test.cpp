// The configuration tab on the simulated access point: what Apply stores (the bytes the library
// received), the checks of Apply, Default and Cancel, the band, rate and 802.11n controls, and
// the channel side with its country regions and 40 MHz rules. Library answers the world cannot
// give (antennas, device models, a side band) come from fakes bound into the binding's slots.
#include "ConfigFixture.h"

using namespace hotvane;
using CP = CConfigPage;

namespace {

VXAP_U32 g_antenna_word = 0;
int g_antenna_result = 1;
int fake_antenna(VXAP_U32* word)
{
    *word = g_antenna_word;
    return g_antenna_result;
}

int g_model = 5;
int g_model_result = 1;
int fake_model(int* model)
{
    *model = g_model;
    return g_model_result;
}
int g_80211h = 0;
int fake_80211h() { return g_80211h; }
int fake_side_band(int* value)
{
    *value = 0;
    return 1;
}
int g_os = 12;
int fake_os() { return g_os; }

}

// [SECTION] Apply

TEST_F(ConfigTest, ApplyStoresTheRecordAndHandsTheNameOver)
{
    std::vector<std::string> handed;
    SetProfileHandOver([&](std::string const& ssid) { handed.push_back(ssid); });
    open_sheet();
    type(item(config(), CP::IDC_SSID), "Garden");
    choose(item(config(), CP::IDC_CHANNEL), "6");
    click(item(config(), CP::IDC_ALLOW_BW40));
    ASSERT_TRUE(checked(item(config(), CP::IDC_ALLOW_BW40)));
    clear_calls();
    click(item(config(), CP::IDC_APPLY));
    EXPECT_TRUE(boxes().empty());
    auto const bytes = last_call("WriteandSetConfigData");
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 548u + 112u);
    EXPECT_EQ(word(*bytes, 0), 6u);
    EXPECT_EQ(std::string(bytes->begin() + 4, bytes->begin() + 10), "Garden");
    EXPECT_EQ((*bytes)[10], 0);
    EXPECT_EQ(word(*bytes, 36), 9u) << "2.4 GHz on an 802.11n adapter";
    EXPECT_EQ(word(*bytes, 40), 2437000u);
    EXPECT_EQ(word(*bytes, 44), 1u);
    // Band 9, MCS automatic (33), 40 MHz, guard interval and STBC automatic, MM, extension below.
    EXPECT_EQ(word(*bytes, 48), 9u | (33u << 4) | 0x800u | 0x1000u | 0x2000u | 0x8000u | (3u << 17));
    EXPECT_EQ(word(*bytes, 76), 100u);
    EXPECT_EQ(word(*bytes, 544), 300u);
    EXPECT_EQ(word(*bytes, 548 + 24) & 0xFFFF, 300u) << "the idle time in the option record";
    EXPECT_EQ(handed, (std::vector<std::string> { "Garden" }));
    ApConfigData stored {};
    G_VxApApi.VXAP_ReadConfigData(&stored);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(stored.Ssid), stored.SsidLen), "Garden");
}

TEST_F(ConfigTest, ApplyChecksBeaconIdleTimeAndName)
{
    struct Case {
        const char* beacon;
        const char* idle;
        const char* ssid;
        std::string const* message; // null: stored
    } const cases[] = {
        { "0100", "300", "Net", nullptr },
        { "20", "60", "Net", nullptr },
        { "1000", "3600", "Net", nullptr },
        { "1a0", "300", "Net", &G_UiStr.IDS_BEACON_PERIOD_ERR },
        { "", "300", "Net", &G_UiStr.IDS_BEACON_PERIOD_ERR },
        { "19", "300", "Net", &G_UiStr.IDS_BEACON_PERIOD_ERR },
        { "1001", "300", "Net", &G_UiStr.IDS_BEACON_PERIOD_ERR },
        { "4294967396", "300", "Net", &G_UiStr.IDS_BEACON_PERIOD_ERR },
        { "100", "59", "Net", &G_UiStr.IDS_IDLE_TIME_ERR },
        { "100", "3601", "Net", &G_UiStr.IDS_IDLE_TIME_ERR },
        { "100", "300", "", &G_UiStr.IDS_ADHOCINPUTSSID },
    };
    open_sheet();
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.beacon << " / " << c.idle << " / " << c.ssid);
        platform::framework::message_box_log().clear();
        clear_calls();
        type(item(config(), CP::IDC_BEACON), c.beacon);
        type(item(config(), CP::IDC_IDLE), c.idle);
        type(item(config(), CP::IDC_SSID), c.ssid);
        click(item(config(), CP::IDC_APPLY));
        EXPECT_EQ(last_call("WriteandSetConfigData").has_value(), c.message == nullptr);
        EXPECT_EQ(boxes(), c.message ? std::vector<std::string> { *c.message } : std::vector<std::string> {});
        if (!c.message) {
            EXPECT_EQ(word(*last_call("WriteandSetConfigData"), 76), std::strtoul(c.beacon, nullptr, 10));
        }
        EXPECT_EQ(shown(item(config(), CP::IDC_SSID)), true) << "the page keeps its values";
    }
}

TEST_F(ConfigTest, DefaultThenCancelRestoresAndDefaultAloneStoresNothing)
{
    store_config([](ApConfigData& c) {
        c.SsidLen = 4;
        std::memcpy(c.Ssid, "Home", 4);
        c.nBeaconPeriod = 250;
    });
    open_sheet();
    EXPECT_EQ(shown(config(), CP::IDC_SSID), "Home");
    clear_calls();
    click(item(config(), CP::IDC_DEFAULT));
    EXPECT_EQ(shown(config(), CP::IDC_SSID), "SoftAP");
    EXPECT_EQ(shown(config(), CP::IDC_BEACON), "100");
    EXPECT_EQ(selected(item(config(), CP::IDC_MCS)), G_UiStr.IDS_AUTO);
    EXPECT_FALSE(last_call("WriteandSetConfigData")) << "Default stores nothing";
    click(item(config(), CP::IDC_CANCEL));
    EXPECT_EQ(shown(config(), CP::IDC_SSID), "Home");
    EXPECT_EQ(shown(config(), CP::IDC_BEACON), "250");
    EXPECT_FALSE(last_call("WriteandSetConfigData"));
}

TEST_F(ConfigTest, UseMacAddressNamesTheNetworkAfterTheAdapter)
{
    open_sheet();
    click(item(config(), CP::IDC_USE_MAC));
    EXPECT_EQ(shown(config(), CP::IDC_SSID), "AP001A2B3C4D5E");
}

// A stored name of 32 bytes fills the field and comes back whole.
TEST_F(ConfigTest, NameOf32BytesRoundTrips)
{
    open_sheet();
    std::string const name(32, 'q');
    type(item(config(), CP::IDC_SSID), name + "cut");
    click(item(config(), CP::IDC_APPLY));
    auto const bytes = last_call("WriteandSetConfigData");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(word(*bytes, 0), 32u);
    sheet.reset();
    open_sheet();
    EXPECT_EQ(shown(config(), CP::IDC_SSID), name);
}

// [SECTION] Band, rate and 802.11n controls

TEST_F(ConfigTest, StoredBandOutsideTheListShowsTheFirstEntry)
{
    store_config([](ApConfigData& c) { c.WirelessMode = 5; });
    open_sheet();
    EXPECT_EQ(selected(item(config(), CP::IDC_BAND)), G_UiStr.IDS_PHY_24G);
    EXPECT_EQ(entries(item(config(), CP::IDC_BAND)), (std::vector<std::string> { G_UiStr.IDS_PHY_24G, G_UiStr.IDS_PHY_5G }));
}

TEST_F(ConfigTest, McsListFollowsTheAntennas)
{
    auto const saved = G_VxApApi.VXAP_QueryAntennaNumber.get();
    struct Case {
        VXAP_U32 word;
        int result;
        bool bound;
        const char* last_number;
    } const cases[] = {
        { 0x11, 1, true, "7" }, { 0x33, 1, true, "23" }, { 0x22, 1, true, "15" }, { 0x13, 1, true, "15" },
        { 0x11, 0, true, "15" }, { 0x11, 1, false, "15" }, { 0x33, 7, true, "23" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.word << " " << c.result << " " << c.bound);
        g_antenna_word = c.word;
        g_antenna_result = c.result;
        G_VxApApi.VXAP_QueryAntennaNumber.bind(c.bound ? fake_antenna : nullptr);
        open_sheet();
        auto const list = entries(item(config(), CP::IDC_MCS));
        ASSERT_GE(list.size(), 4u);
        EXPECT_EQ(list.front(), G_UiStr.IDS_AUTO);
        EXPECT_EQ(std::vector<std::string>(list.end() - 3, list.end()),
            (std::vector<std::string> { c.last_number, "32", "Force Short GI" }));
        sheet.reset();
    }
    G_VxApApi.VXAP_QueryAntennaNumber.bind(saved);
}

TEST_F(ConfigTest, RateTextByMcsBandwidthAndGuardInterval)
{
    open_sheet();
    HWND const mcs = item(config(), CP::IDC_MCS);
    choose(item(config(), CP::IDC_CHANNEL), "6");
    click(item(config(), CP::IDC_ALLOW_BW40));
    ASSERT_TRUE(checked(item(config(), CP::IDC_ALLOW_BW40)));
    choose(mcs, G_UiStr.IDS_AUTO);
    EXPECT_EQ(shown(config(), CP::IDC_RATE_TEXT), "Tx Rate: Not Available") << "automatic at 40 MHz";
    choose(mcs, "7");
    click(item(config(), CP::IDC_GI_AUTO));
    EXPECT_EQ(shown(config(), CP::IDC_RATE_TEXT), "Tx Rate : 150.00 Mbps");
    click(item(config(), CP::IDC_GI_LONG));
    EXPECT_EQ(shown(config(), CP::IDC_RATE_TEXT), "Tx Rate : 135.00 Mbps");
    click(item(config(), CP::IDC_ALLOW_BW40));
    ASSERT_FALSE(checked(item(config(), CP::IDC_ALLOW_BW40)));
    choose(mcs, G_UiStr.IDS_AUTO);
    EXPECT_EQ(shown(config(), CP::IDC_RATE_TEXT), "Tx Rate: Not Available") << "automatic at 20 MHz";
}

// Which of the rate list, the protection list and the 802.11n group show, by the adapter, the
// option switches and the 802.11n mode box, on the 2.4 GHz band the default world stores.
TEST_F(ConfigTest, VisibilityOfRateProtectionAndHtGroup)
{
    struct Case {
        bool n;
        int select11n, mode, tx_rate, bg, ht;
        bool rate, protection, group, mode_box;
    } const cases[] = {
        { true, 0, 1, 0, 0, 0, false, false, false, false },
        { true, 0, 1, 1, 0, 1, true, false, true, false },
        { true, 0, 1, 0, 1, 1, false, true, true, false },
        { true, 1, 1, 0, 0, 1, false, false, true, true },
        { true, 1, 0, 0, 0, 1, false, true, false, true },
        { true, 1, 0, 1, 1, 0, true, true, false, true },
        { false, 0, 0, 0, 0, 1, true, true, false, false },
        { false, 1, 0, 1, 0, 0, true, true, false, false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << c.select11n << c.mode << c.tx_rate << c.bg << c.ht);
        world(std::string("world-set 11n=") + (c.n ? "1" : "0"));
        store_config([&](ApConfigData& cfg) { cfg.WirelessMode = c.mode ? 9 : 0; });
        G_VxApApi.Select11nDialog = c.select11n;
        G_VxApApi.TxRate = c.tx_rate;
        G_VxApApi.BgProtection = c.bg;
        G_VxApApi.HTSetting = c.ht;
        open_sheet();
        EXPECT_EQ(visible(config(), CP::IDC_TXRATE), c.rate);
        EXPECT_EQ(visible(config(), CP::IDC_PROTECTION), c.protection);
        EXPECT_EQ(visible(config(), CP::IDC_MCS), c.group);
        EXPECT_EQ(visible(config(), CP::IDC_HT_GROUP), c.group);
        EXPECT_EQ(visible(config(), CP::IDC_11N_MODE), c.mode_box);
        sheet.reset();
    }
}

// With BgProtection off and the 802.11n mode off, 5 GHz sets the protection to 0 and 2.4 GHz
// brings back the value last loaded.
TEST_F(ConfigTest, BackTo24GHzRestoresTheLoadedProtection)
{
    store_config([](ApConfigData& c) {
        c.WirelessMode = 0;
        c.nBGProtection = 2;
    });
    G_VxApApi.Select11nDialog = 1;
    G_VxApApi.BgProtection = 0;
    open_sheet();
    HWND const protection = item(config(), CP::IDC_PROTECTION);
    EXPECT_EQ(selected(protection), G_UiStr.IDS_OFF);
    choose(item(config(), CP::IDC_BAND), G_UiStr.IDS_PHY_5G);
    EXPECT_EQ(selected(protection), G_UiStr.IDS_AUTO);
    EXPECT_FALSE(enabled(protection));
    choose(item(config(), CP::IDC_BAND), G_UiStr.IDS_PHY_24G);
    EXPECT_EQ(selected(protection), G_UiStr.IDS_OFF);
    EXPECT_TRUE(enabled(protection));
}

TEST_F(ConfigTest, OlderSystemsHidePreambleShortSlotAndAutomaticChannel)
{
    auto const saved = G_VxApApi.VXAP_GetWinOS.get();
    G_VxApApi.VXAP_GetWinOS.bind(fake_os);
    for (int os : { 9, 10 }) {
        SCOPED_TRACE(os);
        g_os = os;
        open_sheet();
        for (int id : { CP::IDC_PREAMBLE, CP::IDC_PREAMBLE_LABEL, CP::IDC_SHORT_SLOT, CP::IDC_AUTO_CHANNEL })
            EXPECT_FALSE(visible(config(), id)) << id;
        sheet.reset();
    }
    G_VxApApi.VXAP_GetWinOS.bind(saved);
}

// [SECTION] Channels and regions

TEST_F(ConfigTest, ExtensionChannelsIn24GHzRegions)
{
    open_sheet();
    choose(item(config(), CP::IDC_REGION_BG), "0: CH1-11");
    struct Case {
        const char* channel;
        std::vector<std::string> ext;
    } const cases[] = { { "1", { "5" } }, { "6", { "2", "10" } }, { "11", { "7" } } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.channel);
        choose(item(config(), CP::IDC_CHANNEL), c.channel);
        EXPECT_EQ(entries(item(config(), CP::IDC_EXT)), c.ext);
        EXPECT_TRUE(enabled(item(config(), CP::IDC_ALLOW_BW40)));
    }
    choose(item(config(), CP::IDC_REGION_BG), "5: CH1-14");
    choose(item(config(), CP::IDC_CHANNEL), "14");
    EXPECT_EQ(entries(item(config(), CP::IDC_EXT)), (std::vector<std::string> { "none" }));
    EXPECT_FALSE(enabled(item(config(), CP::IDC_ALLOW_BW40)));
    EXPECT_FALSE(checked(item(config(), CP::IDC_ALLOW_BW40)));

    choose(item(config(), CP::IDC_REGION_BG), "4: CH14");
    EXPECT_EQ(entries(item(config(), CP::IDC_CHANNEL)), (std::vector<std::string> { "14" }));
    EXPECT_FALSE(enabled(item(config(), CP::IDC_ALLOW_BW40)));
    click(item(config(), CP::IDC_APPLY));
    auto const bytes = last_call("WriteandSetConfigData");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(word(*bytes, 44), 0u) << "no 40 MHz stored where none is offered";
}

TEST_F(ConfigTest, Channels140And165NeverOffer40MHz)
{
    open_sheet();
    choose(item(config(), CP::IDC_BAND), G_UiStr.IDS_PHY_5G);
    choose(item(config(), CP::IDC_CHANNEL), "36");
    EXPECT_TRUE(enabled(item(config(), CP::IDC_ALLOW_BW40)));
    for (const char* channel : { "140", "165" }) {
        SCOPED_TRACE(channel);
        choose(item(config(), CP::IDC_CHANNEL), channel);
        EXPECT_FALSE(checked(item(config(), CP::IDC_ALLOW_BW40)));
        EXPECT_FALSE(enabled(item(config(), CP::IDC_ALLOW_BW40)));
    }
    EXPECT_EQ(entries(item(config(), CP::IDC_EXT)), (std::vector<std::string> { "none" }));
}

TEST_F(ConfigTest, RegionListsByHighestIndexModelAndRegion30)
{
    world("world-set region24_max=2 region30_24=1,2,3");
    open_sheet();
    EXPECT_EQ(codes(item(config(), CP::IDC_REGION_BG)), (std::vector<DWORD_PTR> { 0, 1, 2, 30 }));
    EXPECT_EQ(entries(item(config(), CP::IDC_REGION_BG)).back(), "30: CH1, 2, 3");
    sheet.reset();

    auto const saved_model = G_VxApApi.VXAP_GetCurrentDeviceModel.get();
    auto const saved_h = G_VxApApi.VXAP_CheckIEEE80211H.get();
    G_VxApApi.VXAP_GetCurrentDeviceModel.bind(fake_model);
    G_VxApApi.VXAP_CheckIEEE80211H.bind(fake_80211h);
    struct Case {
        int model, result, h;
        std::size_t count;
    } const cases[] = { { 9, 1, 0, 0 }, { 5, 0, 0, 0 }, { 2, 1, 1, 11 }, { 0, 1, 0, 9 }, { 7, 1, 1, 17 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.result << " " << c.h);
        g_model = c.model;
        g_model_result = c.result;
        g_80211h = c.h;
        open_sheet();
        auto const list = entries(item(config(), CP::IDC_REGION_A));
        EXPECT_EQ(list.size(), c.count);
        if (c.model == 2) {
            EXPECT_EQ(list[8], "8:   No Channel Support");
        }
        sheet.reset();
    }
    G_VxApApi.VXAP_GetCurrentDeviceModel.bind(saved_model);
    G_VxApApi.VXAP_CheckIEEE80211H.bind(saved_h);
}

TEST_F(ConfigTest, SideBandLeavesOutTheEdgeChannelsAt40MHz)
{
    auto const saved = G_VxApApi.VXAP_GetSideBandParaFromE2PROM_BG.get();
    G_VxApApi.VXAP_GetSideBandParaFromE2PROM_BG.bind(fake_side_band);
    open_sheet();
    choose(item(config(), CP::IDC_REGION_BG), "0: CH1-11");
    click(item(config(), CP::IDC_ALLOW_BW40));
    ASSERT_TRUE(checked(item(config(), CP::IDC_ALLOW_BW40)));
    EXPECT_EQ(entries(item(config(), CP::IDC_CHANNEL)),
        (std::vector<std::string> { "2", "3", "4", "5", "6", "7", "8", "9", "10" }));
    G_VxApApi.VXAP_GetSideBandParaFromE2PROM_BG.bind(saved);
}

TEST_F(ConfigTest, StoredExtensionChannelLoads)
{
    struct Case {
        std::uint32_t extcha;
        const char* shown;
    } const cases[] = { { 1, "10" }, { 3, "2" } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.extcha);
        store_config([&](ApConfigData& cfg) {
            cfg.lFreq = 2437000;
            cfg.bAllowBW40 = 1;
            cfg.HT_PhyMode = (cfg.HT_PhyMode & ~(3u << 17)) | AP_HT_BW40 | (c.extcha << 17);
        });
        open_sheet();
        EXPECT_EQ(selected(item(config(), CP::IDC_CHANNEL)), "6");
        EXPECT_EQ(selected(item(config(), CP::IDC_EXT)), c.shown);
        sheet.reset();
    }
}

TEST_F(ConfigTest, RegionListsDisabledWithoutTheSwitchAndDefaultKeepsThem)
{
    store_config([](ApConfigData& c) { c.CountryRegion_11BG = 5; });
    G_VxApApi.ShowCountryRegion = 0;
    open_sheet();
    EXPECT_TRUE(visible(config(), CP::IDC_REGION_BG));
    EXPECT_FALSE(enabled(item(config(), CP::IDC_REGION_BG)));
    EXPECT_FALSE(enabled(item(config(), CP::IDC_REGION_A)));
    click(item(config(), CP::IDC_DEFAULT));
    EXPECT_EQ(selected(item(config(), CP::IDC_REGION_BG)), "5: CH1-14");
    sheet.reset();
    G_VxApApi.ShowCountryRegion = 1;
    open_sheet();
    EXPECT_TRUE(enabled(item(config(), CP::IDC_REGION_BG)));
    click(item(config(), CP::IDC_DEFAULT));
    EXPECT_EQ(selected(item(config(), CP::IDC_REGION_BG)), "0: CH1-11");
}
