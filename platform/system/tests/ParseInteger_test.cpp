// The strict integer reader: the inputs that slipped through the old readers (a second sign,
// a sign after "0x", values one past each end of a type) next to their accepted neighbours.
#include "platform/system/ParseInteger.h"

#include <gtest/gtest.h>

#include <cstdint>

using platform::system::IntegerBase;
using platform::system::parse_integer;
using platform::system::read_integer;

namespace {

struct Case {
    char const* text;
    IntegerBase base;
    bool ok;
    long long value;
};

TEST(ParseInteger, AcceptsOneSignDigitsAndHexOnlyWithinRange)
{
    constexpr auto D = IntegerBase::Decimal;
    constexpr auto X = IntegerBase::DecimalOrHex;
    constexpr Case cases[] = {
        { "6", D, true, 6 },
        { "-6", D, true, -6 },
        { "+6", D, true, 6 },
        { "--6", D, false, 0 },
        { "+-6", D, false, 0 },
        { "-+6", D, false, 0 },
        { "-", D, false, 0 },
        { "", D, false, 0 },
        { " 6", D, false, 0 },
        { "6 ", D, false, 0 },
        { "6x", D, false, 0 },
        { "010", X, true, 10 }, // no octal
        { "0x10", X, true, 16 },
        { "0X1f", X, true, 31 },
        { "-0x10", X, true, -16 },
        { "0x-10", X, false, 0 },
        { "0x+10", X, false, 0 },
        { "0x", X, false, 0 },
        { "0x10", D, false, 0 },
        { "9223372036854775807", D, true, INT64_MAX },
        { "9223372036854775808", D, false, 0 },
        { "-9223372036854775808", D, true, INT64_MIN },
        { "-9223372036854775809", D, false, 0 },
        { "--9223372036854775808", D, false, 0 },
        { "99999999999999999999999", D, false, 0 },
        { "0x7fffffffffffffff", X, true, INT64_MAX },
        { "0x8000000000000000", X, false, 0 },
        { "-0x8000000000000000", X, true, INT64_MIN },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        auto const v = parse_integer<std::int64_t>(c.text, c.base);
        ASSERT_EQ(v.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(*v, c.value);
        }
    }
}

TEST(ParseInteger, ChecksTheRangeOfEachType)
{
    EXPECT_EQ(parse_integer<std::int8_t>("127"), 127);
    EXPECT_EQ(parse_integer<std::int8_t>("128"), std::nullopt);
    EXPECT_EQ(parse_integer<std::int8_t>("-128"), -128);
    EXPECT_EQ(parse_integer<std::int8_t>("-129"), std::nullopt);
    EXPECT_EQ(parse_integer<std::int32_t>("2147483647"), 2147483647);
    EXPECT_EQ(parse_integer<std::int32_t>("2147483648"), std::nullopt);
    EXPECT_EQ(parse_integer<std::int32_t>("-2147483648"), INT32_MIN);
    EXPECT_EQ(parse_integer<std::int32_t>("-2147483649"), std::nullopt);
    EXPECT_EQ(parse_integer<std::uint8_t>("255"), 255);
    EXPECT_EQ(parse_integer<std::uint8_t>("256"), std::nullopt);
    EXPECT_EQ(parse_integer<std::uint32_t>("-1"), std::nullopt);
    EXPECT_EQ(parse_integer<std::uint32_t>("-0"), 0u);
    EXPECT_EQ(parse_integer<std::uint64_t>("18446744073709551615"), UINT64_MAX);
    EXPECT_EQ(parse_integer<std::uint64_t>("18446744073709551616"), std::nullopt);
    EXPECT_EQ(parse_integer<std::uint8_t>("ff", IntegerBase::Hex), 255);
    EXPECT_EQ(parse_integer<std::uint8_t>("0xff", IntegerBase::Hex), std::nullopt);
}

TEST(ParseInteger, ReadsTheNumberAtTheFrontOfARecord)
{
    std::uint32_t value = 7;
    EXPECT_EQ(read_integer(std::string_view("123:rest"), value), 3u);
    EXPECT_EQ(value, 123u);
    EXPECT_EQ(read_integer(std::string_view(":123"), value), 0u);
    EXPECT_EQ(read_integer(std::string_view("99999999999:"), value), 0u);
    EXPECT_EQ(value, 123u); // untouched on failure
}

}
