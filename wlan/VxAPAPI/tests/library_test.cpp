// The access point library through its binding on the manual clock: adapters, stations joining
// and leaving under access control and security, the messages it posts, readiness, counters,
// block-ack agreements, the channel plan and what survives a reload.
#include "wlan/VxAPAPI/tests/ApLibraryFixture.h"

#include <cstring>

using aptest::ApLibraryTest;

namespace {

// A world with three adapters, the first of the given device model, and three stations:
// an 802.11n laptop, a printer in power save and a tablet that does not join.
std::string world(int model, std::string const& extra = {})
{
    return "[world]\nos = 12\n11n = 1\nregion24 = 1\nregion5 = 7\nsoftap_rssi = -61\n" + extra
        + "[adapter:one]\nname = First\nmac = 00:0A:00:00:00:01\ninit_delay_ms = 0\nchains = 2\ndevice_model = "
        + std::to_string(model)
        + "\n[adapter:two]\nname = Second\n[adapter:three]\nname = Third\n"
          "[station:laptop]\nmac = 02:20:00:00:00:01\nrssi = -44\nphy = n\nmcs = 7\nbw40 = 1\nsgi = 1\n"
          "key = correct horse battery\ntraffic = 1000\nba_tids = 0,5\n"
          "[station:printer]\nmac = 02:20:00:00:00:02\nrssi = -70\nphy = b\npower_save = 1\nkey = wrong\ntraffic = 500\n"
          "[station:tablet]\nmac = 02:20:00:00:00:03\nphy = g\njoin = 0\n";
}

constexpr char kAdapter[] = "00-0A-00-00-00-01";
constexpr char kLaptop[] = "02-20-00-00-00-01";
constexpr char kPrinter[] = "02-20-00-00-00-02";
constexpr char kTablet[] = "02-20-00-00-00-03";

AccessControlList acl(std::uint32_t policy, std::vector<std::array<std::uint8_t, 6>> macs)
{
    AccessControlList list {};
    list.Policy = policy;
    list.Count = std::uint32_t(macs.size());
    for (std::size_t i = 0; i < macs.size(); ++i)
        std::memcpy(list.Entry[i], macs[i].data(), 6);
    return list;
}

constexpr std::array<std::uint8_t, 6> kLaptopMac { 0x02, 0x20, 0, 0, 0, 1 };
constexpr std::array<std::uint8_t, 6> kPrinterMac { 0x02, 0x20, 0, 0, 0, 2 };

}

TEST_F(ApLibraryTest, EverySlotIsExportedByItsName)
{
    load(world(5));
    for (char const* name : wlan::api::kApExportNames)
        EXPECT_NE(GetProcAddress(m_module, name), nullptr) << name;
}

TEST_F(ApLibraryTest, AdapterListAnswersMinusTenWithTheCountThenTheList)
{
    load(world(5));
    std::vector<std::uint8_t> list(4 + sizeof(AdapterEntry));
    EXPECT_EQ(m_api.GetAvailableAdapters(list.data(), 1), -10);
    std::uint32_t count = 0;
    std::memcpy(&count, list.data(), 4);
    ASSERT_EQ(count, 3u);
    list.assign(4 + count * sizeof(AdapterEntry), 0);
    ASSERT_EQ(m_api.GetAvailableAdapters(list.data(), int(count)), 1);
    auto const* entries = reinterpret_cast<AdapterEntry const*>(list.data() + 4);
    EXPECT_STREQ(entries[0].FriendlyName, "First");
    EXPECT_STREQ(entries[2].FriendlyName, "Third");
}

TEST_F(ApLibraryTest, StationsJoinInTheTableLayoutOfTheDeviceModel)
{
    for (int model : { 3, 5 }) {
        SCOPED_TRACE(model);
        load(world(model));
        serve();
        step(0);
        EXPECT_EQ(events(), (std::vector<Event> { { kAdapter, 0 }, { kLaptop, 1 }, { kPrinter, 1 } }));
        KT_802_11_MAC_TABLE_NOT_11N legacy {};
        KT_802_11_MAC_TABLE ht {};
        EXPECT_EQ(m_api.QueryMacTableNOT_11N(&legacy), model == 3 ? 1 : 0);
        EXPECT_EQ(m_api.QueryMacTable(&ht), model == 5 ? 1 : 0);
        if (model == 3) {
            ASSERT_EQ(legacy.Count, 2u);
            EXPECT_EQ(legacy.Entry[0].Aid, 1);
            EXPECT_EQ(legacy.Entry[1].Aid, 2);
            EXPECT_EQ(legacy.Entry[0].PowerSave, 0);
            EXPECT_EQ(legacy.Entry[1].PowerSave, 1);
        } else {
            ASSERT_EQ(ht.Count, 2u);
            // MCS 7, 40 MHz (bit 7), short guard interval (bit 8), HT mode 2 in bits 14-15.
            EXPECT_EQ(ht.Entry[0].TxRate, 0x8187);
            // CCK (mode 0), rate index 3: 11 Mbps.
            EXPECT_EQ(ht.Entry[1].TxRate, 3);
            EXPECT_EQ(std::memcmp(ht.Entry[1].Mac, kPrinterMac.data(), 6), 0);
        }
        int dbm = 0;
        m_api.QuerySignalStrength(&dbm);
        EXPECT_EQ(dbm, -44) << "the strongest station";
        unload();
    }
}

TEST_F(ApLibraryTest, AccessControlRemovesRefusesAndAdmits)
{
    load(world(5));
    serve();
    step(0);
    events();
    auto reject_laptop = acl(AP_ACL_REJECT_LISTED, { kLaptopMac });
    ASSERT_EQ(m_api.Set80211ACL(&reject_laptop), 1);
    EXPECT_EQ(events(), (std::vector<Event> { { kLaptop, 5 }, { kLaptop, 3 } }));
    EXPECT_EQ(table_macs(), (std::vector<std::string> { kPrinter }));

    auto only_printer = acl(AP_ACL_ALLOW_LISTED, { kPrinterMac });
    m_api.Set80211ACL(&only_printer);
    EXPECT_EQ(events(), (std::vector<Event> { { kLaptop, 3 } }));
    auto both = acl(AP_ACL_ALLOW_LISTED, { kPrinterMac, kLaptopMac });
    m_api.Set80211ACL(&both);
    EXPECT_EQ(events(), (std::vector<Event> { { kLaptop, 1 } }));
    EXPECT_EQ(table_macs(), (std::vector<std::string> { kLaptop, kPrinter })) << "in the order of their identifiers";

    auto too_long = acl(AP_ACL_ALLOW_LISTED, {});
    too_long.Count = 33;
    EXPECT_EQ(m_api.Set80211ACL(&too_long), 0);
    EXPECT_EQ(table_macs().size(), 2u) << "a malformed list changes nothing";
}

TEST_F(ApLibraryTest, AWrongKeyFailsAndAChangedConfigurationRemovesFirst)
{
    load(world(5));
    serve();
    step(0);
    events();
    ApConfigData config {};
    m_api.ReadConfigData(&config);
    config.Security.AuthenMode = AP_AUTH_WPA2_PSK;
    config.Security.EncryStatus = AP_ENC_AES;
    std::memcpy(config.Security.WpaPsk, "correct horse battery", 21);
    config.Security.WpaPskLen = 21;
    ASSERT_EQ(m_api.WriteandSetConfigData(config, ApOptionData {}), 1);
    EXPECT_EQ(events(), (std::vector<Event> { { kPrinter, 5 }, { kPrinter, 4 } }));
    EXPECT_EQ(table_macs(), (std::vector<std::string> { kLaptop }));

    live("sta-set printer key=still-wrong");
    step(0);
    EXPECT_EQ(events(), (std::vector<Event> { { kPrinter, 4 } })) << "tries again after a change, still wrong";
}

// A new name or channel starts the network anew: the stations leave, the access point starts
// and they join again; the same name and channel again changes nothing.
TEST_F(ApLibraryTest, ANewNameOrChannelRestartsTheNetwork)
{
    load(world(5));
    serve();
    step(0);
    events();
    ApConfigData config {};
    m_api.ReadConfigData(&config);
    std::vector<Event> const restart { { kLaptop, 2 }, { kPrinter, 2 }, { kAdapter, 0 }, { kLaptop, 1 }, { kPrinter, 1 } };
    config.SsidLen = 6;
    std::memcpy(config.Ssid, "Garden", 6);
    ASSERT_EQ(m_api.WriteandSetConfigData(config, ApOptionData {}), 1);
    EXPECT_EQ(events(), restart) << "a new name";
    config.lFreq = config.lFreq == 2462000 ? 2412000 : 2462000;
    ASSERT_EQ(m_api.WriteandSetConfigData(config, ApOptionData {}), 1);
    EXPECT_EQ(events(), restart) << "a new channel";
    config.nBeaconPeriod = 200;
    ASSERT_EQ(m_api.WriteandSetConfigData(config, ApOptionData {}), 1);
    EXPECT_EQ(events(), std::vector<Event> {}) << "the same network";
    EXPECT_EQ(table_macs(), (std::vector<std::string> { kLaptop, kPrinter }));
}

TEST_F(ApLibraryTest, StationsJoinAndLeaveThroughTheLiveLog)
{
    load(world(5));
    serve();
    step(0);
    events();
    live("sta-join tablet");
    live("sta-leave laptop");
    live("sta-add watch mac=02:20:00:00:00:09 phy=g");
    step(0);
    EXPECT_EQ(events(), (std::vector<Event> { { kTablet, 1 }, { kLaptop, 2 }, { "02-20-00-00-00-09", 1 } }));
    EXPECT_EQ(table_macs(), (std::vector<std::string> { "02-20-00-00-00-09", kPrinter, kTablet }))
        << "the laptop's identifier 1 went to the station that came after it left";
    live("sta-remove printer");
    step(0);
    EXPECT_EQ(events(), (std::vector<Event> { { kPrinter, 2 } }));
}

TEST_F(ApLibraryTest, RadioOffPostsToTheWindowAndEmptiesTheTable)
{
    load(world(5));
    HWND hwnd = make_window();
    serve(hwnd);
    step(0);
    ASSERT_EQ(table_macs().size(), 2u);
    live("radio sw off");
    step(0);
    EXPECT_EQ(aptest::window_messages(), (std::vector<UINT> { VXAP_MSG_RADIO_OFF }));
    EXPECT_TRUE(table_macs().empty());
    int software = -1, hardware = -1;
    m_api.QuerySWRadioState(&software, &hardware);
    EXPECT_EQ(software, 0);
    EXPECT_EQ(hardware, 1);
    events();
    live("radio sw on");
    step(0);
    EXPECT_EQ(aptest::window_messages().back(), UINT(VXAP_MSG_RADIO_ON));
    EXPECT_EQ(events(), (std::vector<Event> { { kAdapter, 0 }, { kLaptop, 1 }, { kPrinter, 1 } }));
}

TEST_F(ApLibraryTest, PowerAdapterExitAndProfileMessagesReachTheProgram)
{
    load(world(5));
    HWND hwnd = make_window();
    serve(hwnd);
    step(0);
    live("adapter pull one");
    step(0);
    EXPECT_EQ(aptest::window_messages(), (std::vector<UINT> { WM_DEVICECHANGE }));
    std::vector<std::uint8_t> list(4 + 3 * sizeof(AdapterEntry));
    m_api.GetAvailableAdapters(list.data(), 3);
    AdapterEntry first {};
    std::strcpy(first.ServiceName, "{one}");
    EXPECT_EQ(m_api.IsDeviceExist(&first), 0);
    live("adapter insert one");
    live("power suspend");
    live("power resume");
    live("softap exit");
    step(0);
    ASSERT_EQ(m_api.SetVistaWindowsProfile("SoftAP", 6), 1);
    step(0);
    EXPECT_EQ(aptest::window_messages(), (std::vector<UINT> { WM_DEVICECHANGE, WM_DEVICECHANGE, 0x10000 | 4, 0x10000 | 18,
                                             VXAP_MSG_EXIT, VXAP_MSG_CONNECT_COMPLETE }));
}

TEST_F(ApLibraryTest, TheDriverIsReadyAfterItsDelayOrNever)
{
    load(world(5));
    serve();
    auto ready = [&] {
        VXAP_U32 state = 9;
        m_api.QueryInitialState(&state);
        return state;
    };
    EXPECT_EQ(ready(), 1u);
    live("driver-delay 3000");
    live("power suspend");
    live("power resume");
    step(0);
    EXPECT_EQ(ready(), 0u);
    EXPECT_TRUE(table_macs().empty()) << "a resumed driver has lost its configuration";
    step(2999);
    EXPECT_EQ(ready(), 0u);
    step(1);
    EXPECT_EQ(ready(), 1u);
    live("driver-delay never");
    live("adapter pull one");
    live("adapter insert one");
    step(600000);
    EXPECT_EQ(ready(), 0u);
}

TEST_F(ApLibraryTest, CountersPassTheThirtyTwoBitLimitAndReset)
{
    load(world(5));
    serve();
    step(0);
    live("softap counters 4294967000");
    step(0);
    step(1000); // 1500 frames a second from the laptop and the printer
    AP_WLAN_STATUS s {};
    ASSERT_EQ(m_api.QueryApWLANStatus(&s), 1);
    EXPECT_EQ(s.RxOk, 4294968500ull);
    EXPECT_EQ(s.Counters[COUNTER_TX_OK / 8], 4294968500ull);
    EXPECT_EQ(s.RxOkLegacy, std::uint32_t(4294968500ull));
    ASSERT_EQ(m_api.ResetStatisticsCounter(), 1);
    m_api.QueryApWLANStatus(&s);
    EXPECT_EQ(s.RxOk, 0u);
    step(2000);
    m_api.QueryApWLANStatus(&s);
    EXPECT_EQ(s.RxOk, 3000u);
    EXPECT_EQ(s.Counters[COUNTER_RX_CRC / 8], 30u);
}

TEST_F(ApLibraryTest, AgreementsAreAddedAndDeletedOneAndAll)
{
    load(world(5));
    serve();
    step(0);
    BA_TABLE table {};
    ASSERT_EQ(m_api.QueryBATable(&table), 1);
    ASSERT_EQ(table.RecipientCount, 1) << "the laptop's seeded agreements";
    EXPECT_EQ(table.Recipient[0].TidBitmap, 0x21);
    EXPECT_EQ(table.Recipient[0].WindowSize[5], 64);

    BA_REQUEST add {};
    std::memcpy(add.Mac, kLaptopMac.data(), 6);
    add.Tid = 3;
    add.WindowSize = 32;
    EXPECT_EQ(m_api.SetIMMEBA(add), 1);
    BA_REQUEST to_printer = add;
    std::memcpy(to_printer.Mac, kPrinterMac.data(), 6);
    EXPECT_EQ(m_api.SetIMMEBA(to_printer), 0) << "not an 802.11n station";
    m_api.QueryBATable(&table);
    ASSERT_EQ(table.OriginatorCount, 1);
    EXPECT_EQ(table.Originator[0].TidBitmap, 0x08);
    EXPECT_EQ(table.Originator[0].WindowSize[3], 32);

    BA_REQUEST one {};
    one.Direction = 1;
    std::memcpy(one.Mac, kLaptopMac.data(), 6);
    one.Tid = 0;
    EXPECT_EQ(m_api.SetIMMEBA(one), 1);
    m_api.QueryBATable(&table);
    EXPECT_EQ(table.Recipient[0].TidBitmap, 0x20);
    BA_REQUEST all = one;
    all.DeleteAll = 1;
    all.Direction = 0;
    EXPECT_EQ(m_api.SetIMMEBA(all), 1);
    m_api.QueryBATable(&table);
    EXPECT_EQ(table.OriginatorCount, 0);
    EXPECT_EQ(table.RecipientCount, 1) << "only the originator half was named";

    live("ba add 02:20:00:00:00:02 6 orig 16");
    step(0);
    m_api.QueryBATable(&table);
    EXPECT_EQ(table.OriginatorCount, 1);
    live("sta-leave laptop");
    step(0);
    m_api.QueryBATable(&table);
    EXPECT_EQ(table.RecipientCount, 0) << "a station takes its agreements when it leaves";
}

TEST_F(ApLibraryTest, TheCallLogKeepsTheRecordsPassedByValue)
{
    load(world(5));
    int const before = m_api.CallCount();
    ApConfigData config {};
    m_api.GetAPDefault(&config);
    ApOptionData options {};
    options.nIdleTime = 77;
    m_api.WriteandSetConfigData(config, options);
    ASSERT_EQ(m_api.CallCount(), before + 1);
    char name[64];
    std::vector<std::uint8_t> bytes(sizeof config + sizeof options);
    ASSERT_EQ(m_api.Call(before, name, sizeof name, bytes.data(), int(bytes.size())), int(bytes.size()));
    EXPECT_STREQ(name, "WriteandSetConfigData");
    EXPECT_EQ(std::memcmp(bytes.data(), &config, sizeof config), 0);
    EXPECT_EQ(bytes[sizeof config + 24], 77);
}

TEST_F(ApLibraryTest, TheDefaultsAndWhatSurvivesAReload)
{
    load(world(5));
    ApConfigData config {};
    ASSERT_EQ(m_api.ReadConfigData(&config), 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(config.Ssid), config.SsidLen), "SoftAP");
    EXPECT_EQ(config.lFreq, 2437000u) << "channel 6";
    EXPECT_EQ(config.WirelessMode, 9u);
    EXPECT_EQ(config.nBeaconPeriod, 100u);
    EXPECT_EQ(config.nIdleTime, 300u);
    EXPECT_EQ(config.Security.AuthenMode, AP_AUTH_OPEN);
    EXPECT_EQ(config.Security.EncryStatus, AP_ENC_NONE);
    EXPECT_EQ(config.Security.nRekeyInterval, 60u);
    EXPECT_EQ((config.HT_PhyMode & AP_HT_MCS_MASK) >> AP_HT_MCS_SHIFT, 33u);
    VXAP_U32 packed = 0;
    EXPECT_EQ(m_api.ReadBACap(&packed), 0) << "nothing written yet";

    std::memcpy(config.Ssid, "Garden", 6);
    config.SsidLen = 6;
    m_api.WriteandSetConfigData(config, ApOptionData {});
    m_api.WriteAccessPolicy(2);
    m_api.WriteAccessList("021A3B4C5D6E\0", 14);
    m_api.WriteBACap(0x01FC2020);
    m_api.SetOPMode(1);
    unload();
    reload();
    ApConfigData again {};
    m_api.ReadConfigData(&again);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(again.Ssid), again.SsidLen), "Garden");
    char text[AP_ACL_TEXT_SIZE] = {};
    m_api.ReadAccessPolicy(text);
    EXPECT_STREQ(text, "2");
    m_api.ReadAccessList(text);
    EXPECT_STREQ(text, "021A3B4C5D6E");
    EXPECT_EQ(text[13], '\0') << "the list ends with an empty entry";
    EXPECT_EQ(m_api.ReadBACap(&packed), 1);
    EXPECT_EQ(packed, 0x01FC2020u);
    EXPECT_EQ(m_api.QueryOPMode(), 1);
}

TEST_F(ApLibraryTest, OddInputIsRefusedWithoutHarm)
{
    load(world(5));
    ApConfigData config {};
    config.SsidLen = 40;
    EXPECT_EQ(m_api.WriteandSetConfigData(config, ApOptionData {}), 0);
    EXPECT_EQ(m_api.WriteAccessList("x", 2000), 0);
    EXPECT_EQ(m_api.WriteAccessPolicy(7), 0);
    std::uint8_t mac[6] = { 1, 2, 3, 4, 5, 6 };
    EXPECT_EQ(m_api.ConvertMACStrToByte("02-1A-3B-4C-5D", mac), 0);
    EXPECT_EQ(mac[0], 1) << "nothing written for a short text";
    EXPECT_EQ(m_api.ConvertMACStrToByte("02-1a-3B-4C-5D-6E", mac), 1);
    EXPECT_EQ(mac[1], 0x1A);
    EXPECT_EQ(mac[5], 0x6E);
    EXPECT_EQ(m_api.SetOPMode(3), 0);
    EXPECT_EQ(m_api.QueryOPMode(), 0);
}
