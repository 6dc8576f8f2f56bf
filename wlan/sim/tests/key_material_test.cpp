#include "wlan/sim/KeyMaterial.h"

#include <gtest/gtest.h>

using namespace wlan::sim;

namespace {

std::string hex(Pmk const& pmk)
{
    static char const digits[] = "0123456789abcdef";
    std::string out;
    for (auto b : pmk) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

}

// IEEE 802.11, annex J.4.2: the pre-shared key test vectors.
TEST(KeyMaterial, PassphrasesGiveTheStandardsTestVectors)
{
    struct Case {
        std::string passphrase;
        std::string ssid;
        char const* pmk;
    };
    Case const cases[] = {
        { "password", "IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e" },
        { "ThisIsAPassword", "ThisIsASSID", "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af" },
        { std::string(32, 'a'), std::string(32, 'Z'), "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.passphrase);
        EXPECT_EQ(hex(passphrase_pmk(c.passphrase, c.ssid)), c.pmk);
        auto const pmk = psk_pmk(c.passphrase, c.ssid);
        ASSERT_TRUE(pmk);
        EXPECT_EQ(psk_pmk(c.pmk, "any network"), pmk); // the 64 digits stand for themselves
    }
}

TEST(KeyMaterial, KeysOutsideTheirFormsHaveNoMasterKey)
{
    EXPECT_EQ(psk_pmk("short", "x"), std::nullopt);
    EXPECT_EQ(psk_pmk(std::string(64, 'g'), "x"), std::nullopt);
    EXPECT_TRUE(psk_pmk(std::string(63, 'g'), "x"));
    EXPECT_TRUE(psk_pmk(std::string(8, 'g'), "x"));
}

TEST(KeyMaterial, WepKeysCompareAsKeyBytes)
{
    EXPECT_EQ(wep_key_bytes("6162636465"), "abcde");
    EXPECT_EQ(wep_key_bytes("6162636465"), wep_key_bytes("abcde"));
    EXPECT_EQ(wep_key_bytes("0123456789ABCDEF0123456789"), wep_key_bytes("0123456789abcdef0123456789"));
    EXPECT_EQ(wep_key_bytes("abcdefghijklm"), "abcdefghijklm");
    EXPECT_EQ(wep_key_bytes("616263646g"), "616263646g"); // not hexadecimal: taken as typed
    EXPECT_EQ(decode_hex("abc"), std::nullopt);
}
