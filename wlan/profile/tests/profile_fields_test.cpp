#include "wlan/profile/ProfileFields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace wlan::profile;

TEST(ProfileFields, SsidIsCutToThirtyTwoBytesOnACharacterBoundary)
{
    struct Case {
        char const* name;
        std::string in;
        std::string stored;
        bool whole;
    };
    Case const cases[] = {
        { "32 ASCII bytes fill the array", std::string(32, 'a'), std::string(32, 'a'), true },
        { "33 ASCII bytes lose the last", std::string(33, 'b'), std::string(32, 'b'), false },
        // 31 ASCII bytes and a two-byte "é" (0xC3 0xA9): the character does not fit whole.
        { "a split character goes whole", std::string(31, 'c') + "\xC3\xA9", std::string(31, 'c'), false },
        { "empty", "", "", true },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        WLANPROFILE p {};
        std::memset(p.SSID.Ssid, 0x55, sizeof p.SSID.Ssid);
        EXPECT_EQ(write_ssid(p, c.in), c.whole);
        EXPECT_EQ(p.SSID.SsidLength, c.stored.size());
        EXPECT_EQ(read_ssid(p), c.stored);
        for (std::size_t i = c.stored.size(); i < sizeof p.SSID.Ssid; ++i)
            EXPECT_EQ(p.SSID.Ssid[i], 0) << i;
    }
}

TEST(ProfileFields, PreSharedKeyOfSixtyFourCharactersHasNoTerminator)
{
    WLANPROFILE p {};
    std::string const key(64, 'f');
    ASSERT_TRUE(write_psk(p, key));
    EXPECT_EQ(p.nPskKeyLen, 64u);
    EXPECT_EQ(std::memcmp(p.chPskKey, key.data(), 64), 0);
    EXPECT_EQ(p.nIDModeIndex, 0u); // the field after it is untouched
    EXPECT_EQ(read_psk(p), key);
    EXPECT_FALSE(write_psk(p, std::string(65, 'g')));
    EXPECT_EQ(read_psk(p), key);
    // A length word past the array reads the array only.
    p.nPskKeyLen = 1000;
    EXPECT_EQ(read_psk(p), key);
}

TEST(ProfileFields, TextsAreCutToLeaveATerminator)
{
    WLANPROFILE p {};
    EXPECT_FALSE(write_text(p.chID, std::string(200, 'i')));
    EXPECT_EQ(read_text(p.chID), std::string(127, 'i'));
    EXPECT_TRUE(write_text(p.chPACfilepath, std::string(255, 'p')));
    EXPECT_EQ(read_text(p.chPACfilepath).size(), 255u);
    EXPECT_FALSE(write_text(p.chUserCertPath, std::string(256, 'u')));
    EXPECT_EQ(p.chUserCertPath[255], '\0');
    EXPECT_TRUE(write_text(p.strProfileName, "Home"));
    EXPECT_EQ(name_of(p), "Home");
}

TEST(ProfileFields, BlobsAboveTheirArrayAreRefused)
{
    KT_BLOB_KEY blob {};
    std::vector<std::uint8_t> const fits(152, 0xAB);
    ASSERT_TRUE(write_blob(blob, fits));
    EXPECT_EQ(blob.BlobLength, 152u);
    std::vector<std::uint8_t> const too_long(153, 0xCD);
    EXPECT_FALSE(write_blob(blob, too_long));
    EXPECT_EQ(blob.BlobLength, 152u);
    EXPECT_EQ(blob.BlobData[0], 0xAB);
    blob.BlobLength = 9999;
    EXPECT_EQ(read_blob(blob).size(), 152u);
}

TEST(ProfileFields, SanitiseBringsARecordFromOutsideInsideItsFields)
{
    WLANPROFILE p {};
    std::memset(&p, 0x7F, sizeof p);
    sanitise(p);
    EXPECT_EQ(p.SSID.SsidLength, 32u);
    EXPECT_EQ(read_text(p.strProfileName).size(), 127u);
    EXPECT_EQ(read_text(p.chPassword).size(), 127u);
    EXPECT_EQ(read_text(p.chASCertPath).size(), 255u);
    EXPECT_EQ(read_text(p.WEPKey4).size(), 63u);
    EXPECT_EQ(p.wepDefaultKey, 1u);
    EXPECT_EQ(p.nPskKeyLen, 64u);
    EXPECT_EQ(p.CA_cert.BlobLength, 152u);
    EXPECT_EQ(p.user_cert.BlobLength, 152u);
    EXPECT_EQ(p.dwLenEapFastConfigBlob, 3000u);
    EXPECT_EQ(p.ssoInfo, 7u);

    WLANPROFILE ok {};
    ok.wepDefaultKey = 4;
    ok.SSID.SsidLength = 5;
    sanitise(ok);
    EXPECT_EQ(ok.wepDefaultKey, 4u);
    EXPECT_EQ(ok.SSID.SsidLength, 5u);
}

TEST(ProfileFields, NamesCompareWithoutRegardToCase)
{
    EXPECT_TRUE(same_name("HomeNet", "homenet"));
    EXPECT_FALSE(same_name("HomeNet", "HomeNet2"));
    EXPECT_FALSE(same_name("a", "b"));
}
