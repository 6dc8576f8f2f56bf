// The WPS status word's decoding, row by row as the page shows it.
#include "station/features/WpsStatusTable.h"

#include <gtest/gtest.h>

#include <map>

using namespace station::features;

namespace {

struct Expected {
    char const* text; // after the prefix; "" for the prefix alone
    int progress;     // -1 keeps the bar
};

// Every code the table lists, with its text and position.
std::map<std::uint32_t, Expected> const kExpected {
    { 0, { "WPS status is not used", -1 } },
    { 1, { "WPS status is idled", -1 } },
    { 2, { "Scanning AP", 10 } },
    { 3, { "Begin associating to WPS AP", 15 } },
    { 4, { "Associated to WPS AP", 20 } },
    { 5, { "Sending EAPOL-Start", 25 } },
    { 6, { "Sending EAP-Rsp(ID)", 30 } },
    { 7, { "Sending EAP-Rsp (ACK)", -1 } },
    { 9, { "Receive EAP-Req (NACK)", -1 } },
    { 15, { "Get WPS profile successfully.", 100 } },
    { 17, { "Receive EAP-Req (WPS_Start)", 35 } },
    { 18, { "Sending M1", 40 } },
    { 19, { "Received M2", 45 } },
    { 20, { "Received M2D", 50 } },
    { 21, { "Sending M3", 60 } },
    { 22, { "Received M4", 65 } },
    { 23, { "Sending M5", 70 } },
    { 24, { "Received M6", 75 } },
    { 25, { "Sending M7", 80 } },
    { 26, { "Received M8", 85 } },
    { 27, { "Sending EAP-Rsp (Done)", 90 } },
    { 34, { "Received M1", 40 } },
    { 35, { "Sending M2", 45 } },
    { 36, { "Sending M2D", 50 } },
    { 37, { "Sending M3", 60 } },
    { 38, { "Sending M4", 65 } },
    { 39, { "Received M5", 70 } },
    { 40, { "Sending M6", 75 } },
    { 41, { "Received M7", 80 } },
    { 42, { "Sending M8", 85 } },
    { 43, { "Received EAP-Rsp (Done)", 90 } },
    { 257, { "Too many PBC AP available", -1 } },
    { 258, { "No PBC AP available", -1 } },
    { 259, { "Received EAP-FAIL", -1 } },
    { 260, { "Receive EAP with wrong NONCE", -1 } },
    { 261, { "Receive EAP without integrity (Hmac mismatch)", -1 } },
    { 262, { "Error PIN Code (R-Hash mismatch)", -1 } },
    { 513, { "Invalid SSID in PIN mode", -1 } },
    { 514, { "Receive EAP-Req with wrong WPS SMI Vendor Id", -1 } },
    { 515, { "Receive EAP-Req with wrong WPS Vendor Type", -1 } },
    { 516, { "WPS Eap process failed", -1 } },
    { 517, { "", -1 } },
};

}

TEST(WpsStatusTable, EveryListedCodeWithBothPrefixes)
{
    for (auto const& [code, want] : kExpected) {
        SCOPED_TRACE(code);
        WpsStatusLine const pbc = DecodeWpsStatus(code);
        EXPECT_EQ(pbc.text, std::string("PBC - ") + want.text);
        EXPECT_EQ(pbc.progress.value_or(-1), want.progress);
        WpsStatusLine const pin = DecodeWpsStatus(0x10000000u | code);
        EXPECT_EQ(pin.text, std::string("PIN - ") + want.text);
        EXPECT_EQ(pin.code, code);
    }
    // The table holds no code beyond these.
    for (WpsStatusRow const& row : WpsStatusRows())
        EXPECT_TRUE(kExpected.count(row.code)) << row.code;
}

TEST(WpsStatusTable, UnlistedCodesShowThePrefixOnly)
{
    for (std::uint32_t code : { 8u, 10u, 14u, 16u, 28u, 33u, 44u, 256u, 263u, 300u, 512u, 518u, 0x0FFFFFFFu }) {
        SCOPED_TRACE(code);
        WpsStatusLine const line = DecodeWpsStatus(code);
        EXPECT_EQ(line.text, "PBC - ");
        EXPECT_FALSE(line.progress.has_value());
        EXPECT_EQ(line.action, WpsStatusAction::None);
    }
    // Bits 29-31 are not part of the code.
    EXPECT_EQ(DecodeWpsStatus(0xE0000000u | 0x10000000u | 20).text, "PIN - Received M2D");
}

TEST(WpsStatusTable, ActionsOfTheCodes)
{
    struct Case {
        std::uint32_t code;
        WpsStatusAction action;
    } const cases[] = {
        { 0, WpsStatusAction::NotUsed }, { 1, WpsStatusAction::Idle }, { 15, WpsStatusAction::Success },
        { 257, WpsStatusAction::None }, { 258, WpsStatusAction::None }, { 259, WpsStatusAction::NextPin },
        { 260, WpsStatusAction::NextPinAnyway }, { 261, WpsStatusAction::NextPin },
        { 262, WpsStatusAction::NextPinAuto }, { 513, WpsStatusAction::StopThenNext },
        { 514, WpsStatusAction::StopThenNext }, { 515, WpsStatusAction::StopThenNext },
        { 516, WpsStatusAction::StopDisconnect }, { 517, WpsStatusAction::RestartNext },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(DecodeWpsStatus(c.code).action, c.action) << to_string(DecodeWpsStatus(c.code).action);
    }
}
