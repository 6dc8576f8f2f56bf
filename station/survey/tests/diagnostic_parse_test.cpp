// The diagnostics dialog's window-free readers: the marker search, the ping output, and the
// diagnostics library's result record.
#include "station/survey/DiagnosticParse.h"

#include "wlan/api/Pranto.h"

#include <gtest/gtest.h>

using namespace station::survey;

namespace {

// The output of the system's ping command for four answered requests, as the stand-in prints it.
constexpr char kFourReplies[] = "\r\nPinging 192.168.1.1 with 32 bytes of data:\r\n"
                                "Reply from 192.168.1.1: bytes=32 time=3ms TTL=64\r\n"
                                "Reply from 192.168.1.1: bytes=32 time=2ms TTL=64\r\n"
                                "Reply from 192.168.1.1: bytes=32 time=5ms TTL=63\r\n"
                                "Reply from 192.168.1.1: bytes=32 time=3ms TTL=64\r\n\r\n"
                                "Ping statistics for 192.168.1.1:\r\n"
                                "    Packets: Sent = 4, Received = 4, Lost = 0 (0% loss),\r\n"
                                "Approximate round trip times in milli-seconds:\r\n"
                                "    Minimum = 2ms, Maximum = 5ms, Average = 3ms\r\n";

constexpr char kTimedOut[] = "Pinging 192.168.1.1 with 32 bytes of data:\n"
                             "Request timed out.\nRequest timed out.\nRequest timed out.\nRequest timed out.\n\n"
                             "Ping statistics for 192.168.1.1:\n"
                             "    Packets: Sent = 4, Received = 0, Lost = 4 (100% loss),\n";

}

TEST(ExtractBetween, Table)
{
    struct Case {
        char const* name;
        char const* text;
        char const* start;
        char const* end;
        bool found;
        char const* value;     // when found
        char const* text_after;
    };
    Case const cases[] = {
        { "both markers", "a TTL=64 Reply b", "TTL=", "Reply", true, "64 ", "64 Reply b" },
        { "first start marker wins", "x=1, y=2,", "=", ",", true, "1", "1, y=2," },
        { "no start marker", "abc", "TTL=", "Reply", false, "", "abc" },
        { "no end marker after the start", "Reply TTL=64", "TTL=", "Reply", false, "", "Reply TTL=64" },
        { "empty value", "=,", "=", ",", true, "", "," },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.text;
        std::string value = "untouched";
        EXPECT_EQ(ExtractBetween(text, c.start, c.end, value), c.found);
        EXPECT_EQ(value, c.found ? c.value : "untouched");
        EXPECT_EQ(text, c.text_after);
    }
}

TEST(ParsePingResult, Table)
{
    struct Case {
        char const* name;
        std::string text;
        bool ok;
        PingFigures want;
    };
    Case const cases[] = {
        { "four replies: times 3, 2, 5, 3", kFourReplies, true, { 4, 4, 2, 5 } },
        { "under a millisecond reads 0",
            "Reply from 10.0.0.1: bytes=32 time<1ms TTL=128\nReply from 10.0.0.1: bytes=32 time=7ms TTL=128\n"
            "Packets: Sent = 2, Received = 2, Lost = 0 (0% loss),\n",
            true, { 2, 2, 0, 7 } },
        { "no reply line", kTimedOut, false, {} },
        { "replies but no Sent",
            "Reply from 10.0.0.1: bytes=32 time=1ms TTL=64\nPackets: Received = 1, Lost = 0,\n", false, {} },
        { "replies but no Received", "Reply from 10.0.0.1: bytes=32 time=1ms TTL=64\nPackets: Sent = 1,\n", false, {} },
        { "stray TTL= text is not a reply time",
            "TTL=200 is the default\nReply from 10.0.0.1: bytes=32 time=9ms TTL=64\nTTL=1\n"
            "Packets: Sent = 1, Received = 1, Lost = 0 (0% loss),\n",
            true, { 1, 1, 9, 9 } },
        { "an unreachable reply carries no time",
            "Reply from 10.0.0.9: Destination host unreachable.\nPackets: Sent = 1, Received = 1, Lost = 0,\n", false, {} },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        PingFigures got { -1, -1, -1, -1 };
        EXPECT_EQ(ParsePingResult(c.text, got), c.ok);
        PingFigures const want = c.ok ? c.want : PingFigures { -1, -1, -1, -1 };
        EXPECT_EQ(got.sent, want.sent);
        EXPECT_EQ(got.received, want.received);
        EXPECT_EQ(got.minimum, want.minimum);
        EXPECT_EQ(got.maximum, want.maximum);
    }
}

TEST(PrantoResultLines, Table)
{
    // IPv4 192.168.1.1, MAC 00:1A:2B:3C:4D:5E, 4 sent, 4 received, 1 ms and 300 ms (0x01 0x2C).
    std::vector<std::uint8_t> const record { 4, 192, 168, 1, 1, 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 4, 0, 4, 0, 1, 0x01,
        0x2C };
    std::vector<std::string> const success { "Successful!!!", "IP Version: IPv4", "IP Address:192.168.1.1",
        "MAC Address:00:1A:2B:3C:4D:5E", "Packet Sent:4", "Packet Received:4", "Minimum Reply Time:1 ms",
        "Maxmum Reply Time:300 ms" };
    EXPECT_EQ(PrantoResultLines(0, record), success);

    auto v6 = record;
    v6[0] = 6;
    EXPECT_EQ(PrantoResultLines(0, v6)[1], "IP Version: IPv6");
    auto unknown = record;
    unknown[0] = 5;
    EXPECT_EQ(PrantoResultLines(0, unknown)[1], "IP Address:192.168.1.1") << "no version line";

    EXPECT_EQ(PrantoResultLines(1, record), std::vector<std::string> { "Diagnostic Test Failed!!!" });
    EXPECT_EQ(PrantoResultLines(10, record), std::vector<std::string> { "Error: Buffer Overflow!!!" });
    EXPECT_TRUE(PrantoResultLines(7, record).empty());
    EXPECT_TRUE(PrantoResultLines(1024, record).empty());
    EXPECT_TRUE(PrantoResultLines(0, std::span(record).first(17)).empty()) << "a short record is not read";
}
