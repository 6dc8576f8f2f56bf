#include "wlan/profile/ProfileCodes.h"

#include <gtest/gtest.h>

using namespace wlan::profile;

// Authentication codes and editor positions as the profile record's table gives them.
TEST(ProfileCodes, AuthenticationCodesMapToTheEditorListAndBack)
{
    struct Case {
        std::uint32_t code;
        int index;
        std::uint32_t back; // the code the editor writes for that position
    };
    constexpr Case cases[] = {
        { 0, 0, 0 }, { 1, 1, 1 }, { 2, 0, 0 }, { 3, 3, 3 }, { 4, 4, 4 }, { 5, 7, 5 }, { 6, 5, 6 }, { 7, 6, 7 },
        { 8, 0, 0 }, { 9, 0, 0 }, { 10, 8, 10 }, { 11, 9, 11 }, { 12, 0, 0 }, { 13, 10, 13 }, { 14, 11, 14 },
        { 99, 0, 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(auth_tab_index(c.code), c.index);
        EXPECT_EQ(auth_code_of_tab(c.index), c.back);
    }
    // Position 2 has no code of its own.
    EXPECT_EQ(auth_code_of_tab(2), 0u);
    EXPECT_EQ(auth_code_of_tab(12), 0u);
    EXPECT_FALSE(auth_code_assigned(12));
    EXPECT_TRUE(auth_code_assigned(13));
}

TEST(ProfileCodes, CipherCodesMapToTheEditorListAndUnassignedOnesLeaveTheSelection)
{
    struct Case {
        std::uint32_t code;
        std::optional<int> index;
    };
    Case const cases[] = {
        { 0, 1 }, { 1, 0 }, { 2, std::nullopt }, { 3, std::nullopt }, { 4, 2 }, { 5, std::nullopt }, { 6, 3 },
        { 7, std::nullopt }, { 8, std::nullopt }, { 9, 4 }, { 10, 5 }, { 11, 6 }, { 12, std::nullopt },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(cipher_tab_index(c.code), c.index);
        if (c.index) {
            EXPECT_EQ(cipher_code_of_tab(*c.index), c.code);
        }
    }
    EXPECT_EQ(cipher_code_of_tab(7), 1u);
    EXPECT_EQ(cipher_code_of_tab(-1), 1u);
}

TEST(ProfileCodes, InnerMethodsFollowTheOuterMethodsList)
{
    EXPECT_EQ(tunnel_index(0, 26), 0);
    EXPECT_EQ(tunnel_index(3, 6), 2);
    EXPECT_EQ(tunnel_index(2, 73), 3);
    EXPECT_EQ(tunnel_index(2, 13), std::nullopt);
    EXPECT_EQ(tunnel_index(5, 26), std::nullopt); // LEAP has no inner method
    EXPECT_EQ(tunnel_code(2, 4), std::optional<std::uint32_t>(4));
    EXPECT_EQ(tunnel_code(0, 3), std::nullopt);
}

TEST(ProfileCodes, SmallTablesClampWhatTheyRead)
{
    EXPECT_STREQ(tx_power_text(0), "Auto");
    EXPECT_STREQ(tx_power_text(2), "75 %");
    EXPECT_STREQ(tx_power_text(6), "Lowest");
    EXPECT_STREQ(tx_power_text(7), "Auto");
    EXPECT_STREQ(tx_power_text(-3), "Auto");
    EXPECT_TRUE(preamble_is_long(0));
    EXPECT_FALSE(preamble_is_long(1));
    EXPECT_EQ(preamble_code(false), 2u);
    EXPECT_EQ(power_save_mode(5), 1u);
    EXPECT_EQ(network_type(7), 1u);
    EXPECT_EQ(network_type(0), 0u);
}
