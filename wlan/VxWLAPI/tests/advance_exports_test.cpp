// The advanced settings' exports of the built library, bound by name as the program binds
// them: the stored record answers 0 until the first write, a standard user without the right
// changes nothing, the region query's argument order, the antenna word, and the conversions
// to the 802.11 values of the system's connection call.
#include "platform/system/Module.h"
#include "platform/user/Testing.h"
#include "wlan/api/Exports.h"
#include "wlan/sim/LiveLog.h"
#include "wlan/sim/Store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

constexpr char kWorld[] = R"(
[world]
admin = 1
wireless_mode = 5
region24 = 3
region5 = 9
region5_selectable = 0
[adapter:one]
name = One
chains = 3
)";

class AdvanceExportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        char templ[] = "/tmp/vxwlapi-advance-XXXXXX";
        m_folder = ::mkdtemp(templ);
        std::ofstream(m_folder + "/world.ini") << kWorld;
        ::setenv("VXSIM_SCENARIO", (m_folder + "/world.ini").c_str(), 1);
        ::setenv("VXSIM_STORE", (m_folder + "/store").c_str(), 1);
        m_module = LoadLibrary((std::string(VXWLAPI_FOLDER) + "/VxWLAPI.dll").c_str());
        ASSERT_NE(m_module, nullptr);
        fn<PFN_VXWL_Initial>("VXWL_Initial")("Vexlor", nullptr);
        std::vector<std::uint8_t> list(4 + sizeof(AdapterEntry));
        ASSERT_EQ(fn<PFN_VXWL_GetAvailableAdapters>("VXWL_GetAvailableAdapters")(list.data(), 1), VXWL_ERROR_SUCCESS);
        ASSERT_EQ(fn<PFN_VXWL_AdapterSelect>("VXWL_AdapterSelect")(reinterpret_cast<AdapterEntry*>(list.data() + 4), nullptr, nullptr), 1);
    }
    void TearDown() override
    {
        if (m_module) {
            fn<PFN_VXWL_DeInitial>("VXWL_DeInitial")();
            FreeLibrary(m_module);
        }
        platform::testing::reset_windows();
        std::filesystem::remove_all(m_folder);
    }
    template<typename Fn>
    Fn fn(char const* name)
    {
        auto* f = reinterpret_cast<Fn>(GetProcAddress(m_module, name));
        EXPECT_NE(f, nullptr) << name;
        return f;
    }
    // A wlansim command, through the store's live log.
    void live(std::string const& line)
    {
        wlan::sim::Store store(m_folder + "/store");
        ASSERT_TRUE(wlan::sim::append_live_command(store, line)) << line;
        platform::testing::advance(100);
        fn<void (*)()>("VXSIM_Settle")();
    }

    std::string m_folder;
    HMODULE m_module { nullptr };
};

}

TEST_F(AdvanceExportsTest, TheStoredRecordAnswersNothingUntilItIsWrittenAndApplyReachesTheDriver)
{
    auto read = fn<PFN_VXWL_ReadConfigData>("VXWL_ReadConfigData");
    auto write = fn<PFN_VXWL_WriteAdvanceCfgData>("VXWL_WriteAdvanceCfgData");
    auto set = fn<PFN_VXWL_SetAdvanceSetting>("VXWL_SetAdvanceSetting");
    auto region = fn<PFN_VXWL_QueryCountryRegion>("VXWL_QueryCountryRegion");
    auto mode = fn<PFN_VXWL_QueryWirelessMode>("VXWL_QueryWirelessMode");
    auto sta = fn<PFN_VXWL_QuerySTAConfig>("VXWL_QuerySTAConfig");

    ADVANCE_CONFIG_DATA config {};
    EXPECT_EQ(read(&config), 0);
    // The region word, then the 5 GHz flag, then the 2.4 GHz flag.
    VXWL_U32 word = 0, flag5 = 7, flag24 = 7;
    ASSERT_EQ(region(&word, &flag5, &flag24), 1);
    EXPECT_EQ(word, 3u | 9u << 8);
    EXPECT_EQ(flag5, 0u);
    EXPECT_EQ(flag24, 1u);

    config.WirelessMode = 9;
    config.ShowAuthStatus = 1;
    EXPECT_EQ(write(config), 1);
    ADVANCE_CONFIG_DATA back {};
    ASSERT_EQ(read(&back), 1);
    EXPECT_EQ(back.WirelessMode, 9u);
    EXPECT_EQ(back.ShowAuthStatus, 1u);

    ADVANCE_OID oid {};
    oid.KTphyMode = 9;
    oid.CountryRegIndex11BG = 5;
    oid.CountryRegIndex11A = 2;
    oid.bTXBurst = 1;
    oid.nBGProtection = 2;
    EXPECT_EQ(set(oid), 1);
    int m = 0;
    mode(&m);
    EXPECT_EQ(m, 9);
    region(&word, &flag5, &flag24);
    EXPECT_EQ(word, 5u | 9u << 8) << "the fixed 5 GHz band keeps the driver's region";
    KT_802_11_STA_CONFIG station {};
    ASSERT_EQ(sta(&station), 1);
    EXPECT_EQ(station.EnableTxBurst, 1u);
    EXPECT_EQ(station.UseBGProtection, 2u);

    // A standard user without the right: both calls answer 0 and change nothing.
    live("world-set admin=0 allow_standard_user_advance=0");
    EXPECT_EQ(fn<PFN_VXWL_IsAllowStandardUserSetAdvance>("VXWL_IsAllowStandardUserSetAdvance")(), 0);
    config.WirelessMode = 0;
    EXPECT_EQ(write(config), 0);
    oid.KTphyMode = 0;
    EXPECT_EQ(set(oid), 0);
    read(&back);
    EXPECT_EQ(back.WirelessMode, 9u);
    mode(&m);
    EXPECT_EQ(m, 9);
}

TEST_F(AdvanceExportsTest, TheAntennaWordCarriesTheChainsInBothNibbles)
{
    auto antenna = fn<PFN_VXWL_QueryAntennaNumber>("VXWL_QueryAntennaNumber");
    int word = 0;
    ASSERT_EQ(antenna(&word), 1);
    EXPECT_EQ(word, 0x33);
    live("adapter-set one antenna=none");
    word = 7;
    EXPECT_EQ(antenna(&word), 0);
    EXPECT_EQ(word, 7);
}

TEST_F(AdvanceExportsTest, ConversionsGoOneToOneOntoThe80211Values)
{
    struct Case {
        char const* name;
        int value;
        int expected; // -1: refused
    };
    struct Table {
        char const* fn;
        std::vector<Case> cases;
    };
    Table const tables[] = {
        { "VXWL_WlanConvertNdis2Dot11AuthType",
            { { "open", 0, 1 }, { "shared", 1, 2 }, { "auto switch", 2, 1 }, { "WPA", 3, 3 }, { "WPA-PSK", 4, 4 },
                { "WPA-None", 5, 5 }, { "WPA2", 6, 6 }, { "WPA2-PSK", 7, 7 }, { "WAPI", 10, -1 } } },
        { "VXWL_WlanConvertNdis2Dot11EncryptType",
            { { "WEP", 0, 0x101 }, { "none", 1, 0 }, { "TKIP", 4, 2 }, { "AES", 6, 4 }, { "key absent", 2, -1 } } },
        { "VXWL_WlanConvertNdis2Dot11NetworkType",
            { { "ad hoc", 0, 2 }, { "infrastructure", 1, 1 }, { "automatic", 2, 3 }, { "other", 4, -1 } } },
    };
    for (Table const& t : tables) {
        auto convert = fn<int (*)(int, int*)>(t.fn);
        for (Case const& c : t.cases) {
            SCOPED_TRACE(std::string(t.fn) + " " + c.name);
            int result = -1;
            EXPECT_EQ(convert(c.value, &result), c.expected < 0 ? 0 : 1);
            EXPECT_EQ(result, c.expected);
        }
    }
}
