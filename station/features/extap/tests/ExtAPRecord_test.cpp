// The pre-shared key rule and the record's SSID and key fields, written and read within their
// bounds.
#include "station/features/extap/ExtAPRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ExtAPRecord, PreSharedKeyRule)
{
    struct Case {
        char const* name;
        std::string key;
        bool valid;
    };
    std::string const hex64 = "0123456789abcdef0123456789ABCDEF0123456789abcdef0123456789abcdef";
    Case const cases[] = {
        { "empty", "", false },
        { "7 characters", "1234567", false },
        { "8 characters", "12345678", true },
        { "63 characters of any kind", std::string(60, '~') + " \"'", true },
        { "64 hexadecimal digits", hex64, true },
        { "64 with one g", hex64.substr(0, 63) + "g", false },
        { "65 hexadecimal digits", hex64 + "a", false },
        // Counted in bytes: eight two-byte characters are sixteen.
        { "four two-byte characters", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", true },
        { "three two-byte characters", "\xC3\xA9\xC3\xA9\xC3\xA9", false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidWpaPsk(c.key), c.valid);
    }
}

TEST(ExtAPRecord, FieldsAreWrittenWithinTheirBoundsAndBetweenCharacters)
{
    ExtAPConfig record;
    std::memset(&record, 0xEE, sizeof record);
    SetExtAPSsid(record, "abcdefghijklmnopqrstuvwxyz012345");
    EXPECT_EQ(record.SsidLength, 32u);
    EXPECT_EQ(record.Ssid[31], '5');
    EXPECT_EQ(record.Channel, 0xEEEEEEEEu) << "the next field is left alone";

    // 31 bytes of ASCII and a two-byte character: the character does not fit and is left out.
    SetExtAPSsid(record, std::string(31, 'a') + "\xC3\xA9");
    EXPECT_EQ(record.SsidLength, 31u);
    EXPECT_EQ(record.Ssid[31], 0);

    SetExtAPKey(record, std::string(70, 'k'));
    EXPECT_EQ(record.KeyLength, 64u);
    EXPECT_EQ(record.MaxPeers, 0xEEEEEEEEu);
    SetExtAPSsid(record, "Den");
    EXPECT_EQ(record.Ssid[3], 0) << "the rest of the field is zeroed";
}

TEST(ExtAPRecord, TextsAreReadNoFurtherThanTheirFields)
{
    ExtAPConfig record {};
    std::memset(record.Ssid, 's', sizeof record.Ssid);
    std::memset(record.Key, 'k', sizeof record.Key);
    record.SsidLength = 40;
    record.KeyLength = 0xFFFFFFFF;
    EXPECT_EQ(ExtAPSsidText(record), std::string(32, 's'));
    EXPECT_EQ(ExtAPKeyText(record), std::string(64, 'k'));
    record.SsidLength = 3;
    EXPECT_EQ(ExtAPSsidText(record), "sss");
}
