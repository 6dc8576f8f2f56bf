// The channels the library gives for each country region, against the region texts the
// configuration page shows: every 5 GHz region of every model group, with and without 802.11h,
// the 2.4 GHz regions, and region 30 as the world sets it.
#include "wlan/VxAPAPI/tests/ApLibraryFixture.h"

#include <cctype>

using aptest::ApLibraryTest;

namespace {

// The numbers after the region code; "No Channel Support" has none.
std::vector<int> numbers_of(std::string const& text)
{
    std::vector<int> out;
    std::size_t i = text.find(':') + 1;
    while (i < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        out.push_back(std::stoi(text.substr(i, end - i)));
        i = end;
    }
    return out;
}

struct Plan {
    int model;
    int ieee80211h;
    std::vector<std::string> texts;
};

// The 5 GHz region lists of the configuration page, by model group and 802.11h answer.
std::vector<Plan> const kPlans = {
    { 1, 0,
        { "0: CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165",
            "1: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
            "2: CH   36,   40,   44,   48,   52,   56,   60,   64", "3: CH   52,   56,   60,   64, 149, 153, 157, 161",
            "4: CH 149, 153, 157, 161, 165", "5: CH 149, 153, 157, 161", "6: CH   36,   40,   44,   48",
            "7: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165",
            "8: CH   52,   56,   60,   64" } },
    { 0, 1,
        { "0: CH   36,   40,   44,   48, 149, 153, 157, 161, 165", "1: CH   36,   40,   44,   48", "2: CH   36,   40,   44,   48",
            "3: CH 149, 153, 157, 161", "4: CH 149, 153, 157, 161, 165", "5: CH 149, 153, 157, 161", "6: CH   36,   40,   44,   48",
            "7: CH   36,   40,   44,   48, 149, 153, 157, 161, 165" } },
    { 3, 0,
        { "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165",
            "1:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
            "2:   CH   36,   40,   44,   48,   52,   56,   60,   64", "3:   CH   52,   56,   60,   64, 149, 153, 157, 161",
            "4:   CH 149, 153, 157, 161, 165", "5:   CH 149, 153, 157, 161", "6:   CH   36,   40,   44,   48",
            "7:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165",
            "8:   CH   52,   56,   60,   64", "9:   CH   34,   38,   42,   46",
            "10:  CH   34,   36,   38,   40,   42,   44,   46,   48,   52,   56,   60,   64" } },
    { 2, 1,
        { "0:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165", "1:   CH   36,   40,   44,   48", "2:   CH   36,   40,   44,   48",
            "3:   CH 149, 153, 157, 161", "4:   CH 149, 153, 157, 161, 165", "5:   CH 149, 153, 157, 161",
            "6:   CH   36,   40,   44,   48", "7:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165", "8:   No Channel Support",
            "9:   CH   34,   38,   42,   46", "10:  CH   34,   36,   38,   40,   42,   44,   46,   48" } },
    { 5, 0,
        { "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165",
            "1:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
            "2:   CH   36,   40,   44,   48,   52,   56,   60,   64", "3:   CH   52,   56,   60,   64, 149, 153, 157, 161",
            "4:   CH 149, 153, 157, 161, 165", "5:   CH 149, 153, 157, 161", "6:   CH   36,   40,   44,   48",
            "7:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165",
            "8:   CH   52,   56,   60,   64",
            "9:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 132, 136, 140, 149, 153, 157, 161, 165",
            "10:  CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
            "11:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 149, 153, 157, 161",
            "12:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
            "13:  CH   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161",
            "14:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104 108, 112, 116, 136, 140, 149, 153, 157, 161, 165",
            "15:  CH   149, 153, 157, 161, 165, 169, 173",
            "16:  CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165, 169, 173" } },
    { 8, 1,
        { "0:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165", "1:   CH   36,   40,   44,   48", "2:   CH   36,   40,   44,   48",
            "3:   CH 149, 153, 157, 161", "4:   CH 149, 153, 157, 161, 165", "5:   CH 149, 153, 157, 161",
            "6:   CH   36,   40,   44,   48", "7:   CH   36,   40,   44,   48,   149, 153, 157, 161, 165", "8:   No Channel Support ",
            "9:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165", "10:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
            "11:   CH   36,   40,   44,   48, 149, 153, 157, 161", "12:   CH   36,   40,   44,   48", "13:   CH   149, 153, 157, 161",
            "14:   CH   36,   40,   44,   48, 149, 153, 157, 161, 165", "15:   CH   149, 153, 157, 161, 165, 169, 173",
            "16:   CH   36,   40,   44,   48,   149, 153, 157, 161, 165" } },
    // A model outside the groups has no 5 GHz regions.
    { 9, 0, {} },
};

std::string world_of(int model, int h)
{
    return "[world]\nieee80211h = " + std::to_string(h)
        + "\nregion30_24 = 1, 6, 11\nregion30_5 = 36, 40\n[adapter:one]\nname = First\ndevice_model = " + std::to_string(model)
        + "\n";
}

}

TEST_F(ApLibraryTest, FiveGigahertzRegionsNameTheChannelsOfTheirTexts)
{
    for (auto const& plan : kPlans) {
        load(world_of(plan.model, plan.ieee80211h));
        std::vector<std::uint8_t> list(4 + sizeof(AdapterEntry));
        m_api.GetAvailableAdapters(list.data(), 1);
        m_api.AdapterSelect(reinterpret_cast<AdapterEntry*>(list.data() + 4), 0, nullptr);
        for (int region = 0; region <= 17; ++region) {
            SCOPED_TRACE("model " + std::to_string(plan.model) + ", 802.11h " + std::to_string(plan.ieee80211h)
                + ", region " + std::to_string(region));
            std::uint8_t five[32] = {}, two[32] = {};
            int count24 = -1, count5 = -1;
            m_api.GetCountryChannel(five, two, &count24, &count5, 0, region);
            std::vector<int> expected;
            if (std::size_t(region) < plan.texts.size())
                expected = numbers_of(plan.texts[std::size_t(region)]);
            EXPECT_EQ(std::vector<int>(five, five + count5), expected);
        }
        unload();
    }
}

TEST_F(ApLibraryTest, TwoPointFourGigahertzRegionsAndRegionThirty)
{
    load(world_of(5, 0));
    struct Case {
        int region;
        int first;
        int last;
    };
    // "0: CH1-11"; "1: CH1-13"; "2: CH10-11"; "3: CH10-13"; "4: CH14"; "5: CH1-14"; "6: CH3-9"; "7: CH5-13".
    for (Case c : { Case { 0, 1, 11 }, { 1, 1, 13 }, { 2, 10, 11 }, { 3, 10, 13 }, { 4, 14, 14 }, { 5, 1, 14 }, { 6, 3, 9 }, { 7, 5, 13 } }) {
        SCOPED_TRACE(c.region);
        std::uint8_t five[32] = {}, two[32] = {};
        int count24 = -1, count5 = -1;
        m_api.GetCountryChannel(five, two, &count24, &count5, c.region, 0);
        std::vector<int> expected;
        for (int ch = c.first; ch <= c.last; ++ch)
            expected.push_back(ch);
        EXPECT_EQ(std::vector<int>(two, two + count24), expected);
    }
    std::uint8_t five[32] = {}, two[32] = {};
    int count24 = 0, count5 = 0;
    m_api.GetCountryChannel(five, two, &count24, &count5, 30, 30);
    EXPECT_EQ(std::vector<int>(two, two + count24), (std::vector<int> { 1, 6, 11 }));
    EXPECT_EQ(std::vector<int>(five, five + count5), (std::vector<int> { 36, 40 }));
    m_api.GetCountryChannel(five, two, &count24, &count5, 8, 99);
    EXPECT_EQ(count24, 0);
    EXPECT_EQ(count5, 0);
}
