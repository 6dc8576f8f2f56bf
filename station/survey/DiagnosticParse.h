// The window-free parts of the diagnostics dialog: the marker search and the reading of the
// ping command's output (newer systems), the reading of the diagnostics library's 18-byte
// result (older systems), and the result lines both paths show on success.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace station::survey {

// Finds `start` in `text`; absent: false, nothing changed. Then finds `end` after it; absent:
// false, nothing changed. Otherwise `value` = what lies between, `text` = what follows `start`
// (`end` included), true.
bool ExtractBetween(std::string& text, std::string_view start, std::string_view end, std::string& value);

struct PingFigures {
    int sent {};
    int received {};
    int minimum {};
    int maximum {};
};

// Reads the ping output: the reply times of the "Reply from" lines ("time=Nms", "time<1ms" as
// 0) give the minimum and maximum, the statistics line gives the packets sent and received.
// False when no reply line carries a time, or when "Sent" or "Received" is missing; `out` is
// written only on success.
bool ParsePingResult(std::string_view text, PingFigures& out);

// What a successful test shows, after its "Successful!!!" line.
struct PingReport {
    int ip_version {}; // 4 or 6; any other value shows no version line
    std::uint8_t ip[4] {};
    std::uint8_t mac[6] {};
    PingFigures figures;
};
std::vector<std::string> SuccessLines(PingReport const& report);

// The lines of the diagnostics library's answer `result` with its record (18 bytes or more
// read; a shorter record gives no success lines): 0 success, 1 failed, 10 buffer too small,
// anything else no line.
std::vector<std::string> PrantoResultLines(int result, std::span<std::uint8_t const> record);

}
