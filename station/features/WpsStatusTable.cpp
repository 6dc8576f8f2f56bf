#include "station/features/WpsStatusTable.h"

#include <algorithm>
#include <iterator>

namespace station::features {

namespace {

using A = WpsStatusAction;

// Codes 18 to 27 are the enrollee's messages, 34 to 43 the registrar's; 257 and up errors.
constexpr WpsStatusRow kRows[] = {
    { 0, "WPS status is not used", -1, A::NotUsed },
    { 1, "WPS status is idled", -1, A::Idle },
    { 2, "Scanning AP", 10, A::None },
    { 3, "Begin associating to WPS AP", 15, A::None },
    { 4, "Associated to WPS AP", 20, A::None },
    { 5, "Sending EAPOL-Start", 25, A::None },
    { 6, "Sending EAP-Rsp(ID)", 30, A::None },
    { 7, "Sending EAP-Rsp (ACK)", -1, A::None },
    { 9, "Receive EAP-Req (NACK)", -1, A::None },
    { 15, "Get WPS profile successfully.", 100, A::Success },
    { 17, "Receive EAP-Req (WPS_Start)", 35, A::None },
    { 18, "Sending M1", 40, A::None },
    { 19, "Received M2", 45, A::None },
    { 20, "Received M2D", 50, A::None },
    { 21, "Sending M3", 60, A::None },
    { 22, "Received M4", 65, A::None },
    { 23, "Sending M5", 70, A::None },
    { 24, "Received M6", 75, A::None },
    { 25, "Sending M7", 80, A::None },
    { 26, "Received M8", 85, A::None },
    { 27, "Sending EAP-Rsp (Done)", 90, A::None },
    { 34, "Received M1", 40, A::None },
    { 35, "Sending M2", 45, A::None },
    { 36, "Sending M2D", 50, A::None },
    { 37, "Sending M3", 60, A::None },
    { 38, "Sending M4", 65, A::None },
    { 39, "Received M5", 70, A::None },
    { 40, "Sending M6", 75, A::None },
    { 41, "Received M7", 80, A::None },
    { 42, "Sending M8", 85, A::None },
    { 43, "Received EAP-Rsp (Done)", 90, A::None },
    { 257, "Too many PBC AP available", -1, A::None },
    { 258, "No PBC AP available", -1, A::None },
    { 259, "Received EAP-FAIL", -1, A::NextPin },
    { 260, "Receive EAP with wrong NONCE", -1, A::NextPinAnyway },
    { 261, "Receive EAP without integrity (Hmac mismatch)", -1, A::NextPin },
    { 262, "Error PIN Code (R-Hash mismatch)", -1, A::NextPinAuto },
    { 513, "Invalid SSID in PIN mode", -1, A::StopThenNext },
    { 514, "Receive EAP-Req with wrong WPS SMI Vendor Id", -1, A::StopThenNext },
    { 515, "Receive EAP-Req with wrong WPS Vendor Type", -1, A::StopThenNext },
    { 516, "WPS Eap process failed", -1, A::StopDisconnect },
    { 517, nullptr, -1, A::RestartNext },
};

static_assert(std::is_sorted(std::begin(kRows), std::end(kRows), [](auto const& a, auto const& b) { return a.code < b.code; }));

}

WpsStatusRow const* FindWpsStatusRow(std::uint32_t code)
{
    auto const it = std::lower_bound(std::begin(kRows), std::end(kRows), code,
        [](WpsStatusRow const& row, std::uint32_t c) { return row.code < c; });
    return it != std::end(kRows) && it->code == code ? it : nullptr;
}

std::span<WpsStatusRow const> WpsStatusRows() { return kRows; }

WpsStatusLine DecodeWpsStatus(std::uint32_t word)
{
    WpsStatusLine line;
    line.code = word & kWpsCodeMask;
    line.text = (word & kWpsPinMethodBit) ? "PIN - " : "PBC - ";
    WpsStatusRow const* row = FindWpsStatusRow(line.code);
    if (!row)
        return line;
    if (row->text)
        line.text += row->text;
    if (row->progress >= 0)
        line.progress = row->progress;
    line.action = row->action;
    return line;
}

char const* to_string(WpsStatusAction action)
{
    switch (action) {
    case A::None: return "none";
    case A::NotUsed: return "not used";
    case A::Idle: return "idle";
    case A::Success: return "success";
    case A::NextPin: return "next PIN access point";
    case A::NextPinAuto: return "next PIN access point (automatic)";
    case A::NextPinAnyway: return "next PIN access point (any selection)";
    case A::StopThenNext: return "stop, then next";
    case A::StopDisconnect: return "stop, disconnect, then next";
    case A::RestartNext: return "restart with the next";
    }
    return "";
}

}
