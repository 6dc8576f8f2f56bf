#include "wlan/sim/IeFormats.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wlan::sim;

namespace {

// RSN body: version 1, group CCMP, one pairwise CCMP, one AKM PSK, capabilities 0
// (the usual WPA2-Personal beacon of 802.11-2016, 9.4.2.25).
std::vector<std::uint8_t> const kRsnPsk { 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04,
    0x01, 0x00, 0x00, 0x0F, 0xAC, 0x02, 0x00, 0x00 };

std::vector<std::uint8_t> cut(std::vector<std::uint8_t> v, std::size_t n)
{
    v.resize(n);
    return v;
}

}

TEST(RsnParser, ReadsSuitesAndRejectsBrokenBodies)
{
    struct Case {
        char const* name;
        std::vector<std::uint8_t> body;
        ParseError error;
    };
    std::vector<std::uint8_t> bad_version = kRsnPsk;
    bad_version[0] = 2;
    std::vector<std::uint8_t> huge_count = kRsnPsk;
    huge_count[6] = 9;
    std::vector<Case> const cases = {
        { "whole", kRsnPsk, ParseError::None },
        { "version only: defaults", cut(kRsnPsk, 2), ParseError::None },
        { "no capabilities", cut(kRsnPsk, 18), ParseError::None },
        { "empty", {}, ParseError::TooShort },
        { "half a group suite", cut(kRsnPsk, 4), ParseError::TooShort },
        { "pairwise count without suites", cut(kRsnPsk, 8), ParseError::Malformed },
        { "AKM count cut", cut(kRsnPsk, 13), ParseError::TooShort },
        { "version 2", bad_version, ParseError::Malformed },
        { "pairwise count past the end", huge_count, ParseError::Malformed },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto parsed = parse_rsn(c.body);
        EXPECT_EQ(parsed.error, c.error);
    }
    auto whole = parse_rsn(kRsnPsk);
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole.value.group, suite::Ccmp);
    EXPECT_EQ(whole.value.pairwise, std::vector<std::uint32_t> { suite::Ccmp });
    EXPECT_EQ(whole.value.akm, std::vector<std::uint32_t> { suite::AkmPsk });
    EXPECT_EQ(build_rsn(whole.value), kRsnPsk);
}

TEST(WpsParser, RoundTripsAndRefusesCutAttributes)
{
    WpsInfo w;
    w.version = 0x10;
    w.state = 2;
    w.device_password_id = 4;
    w.config_methods = 0x0084;
    w.uuid_e = std::array<std::uint8_t, 16> { 1, 2, 3 };
    auto body = build_wps(w);
    auto parsed = parse_wps(body);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.value.state, std::optional<std::uint8_t>(2));
    EXPECT_EQ(parsed.value.device_password_id, std::optional<std::uint16_t>(4));
    EXPECT_FALSE(parsed.value.rf_bands.has_value());
    for (std::size_t n : { body.size() - 1, std::size_t(3), std::size_t(6) }) {
        SCOPED_TRACE(n);
        EXPECT_EQ(parse_wps(cut(body, n)).error, ParseError::TooShort);
    }
}

TEST(HtParsers, NeedTheirWholeFixedBodies)
{
    HtCapabilities cap;
    cap.info = 0x006E;
    auto body = build_ht_capabilities(cap);
    ASSERT_EQ(body.size(), 26u);
    EXPECT_EQ(parse_ht_capabilities(body).value.info, 0x006E);
    EXPECT_EQ(parse_ht_capabilities(cut(body, 25)).error, ParseError::TooShort);
    auto op = build_ht_operation({});
    ASSERT_EQ(op.size(), 22u);
    EXPECT_EQ(parse_ht_operation(cut(op, 21)).error, ParseError::TooShort);
}

TEST(ElementIterator, StopsAtATruncatedElement)
{
    std::vector<std::uint8_t> const bytes { 0, 2, 'h', 'i', 3, 1, 6, 48, 40, 1, 0 };
    ElementIterator it(bytes);
    Element e;
    ASSERT_TRUE(it.next(e));
    EXPECT_EQ(e.id, 0);
    ASSERT_TRUE(it.next(e));
    EXPECT_EQ(e.id, 3);
    EXPECT_FALSE(it.next(e));
    EXPECT_TRUE(it.truncated());
    EXPECT_FALSE(it.next(e));
}

TEST(ElementWriter, RefusesBodiesOverAByte)
{
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> body(256, 0);
    EXPECT_FALSE(append_element(out, 0, body));
    EXPECT_TRUE(out.empty());
}
