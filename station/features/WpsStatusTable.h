// The library's WPS status word as the WPS page shows it: bit 28 tells the PIN method from the
// push button ("PIN - " or "PBC - "), bits 0-27 carry the code. Each code has a text (or none:
// the prefix alone), a progress position (or none: the bar stays) and what the page does about
// it. The page's decoding and its test walk this one table. Window-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <span>

namespace station::features {

enum class WpsStatusAction {
    None,
    NotUsed,          // 0: polling stops; a PIN run may move on
    Idle,             // 1: rule 2
    Success,          // 15
    NextPin,          // rule 1: 259, 261
    NextPinAuto,      // rule 2 without stopping: 262
    NextPinAnyway,    // rule 3: 260
    StopThenNext,     // stop polling, then rule 2: 513-515
    StopDisconnect,   // stop polling, disconnect, then rule 2: 516
    RestartNext,      // rule 4: 517
};

struct WpsStatusRow {
    std::uint32_t code;
    char const* text;   // null: the prefix alone
    int progress;       // -1: the bar keeps its position
    WpsStatusAction action;
};

constexpr std::uint32_t kWpsPinMethodBit = 0x10000000;
constexpr std::uint32_t kWpsCodeMask = 0x0FFFFFFF;

struct WpsStatusLine {
    std::string text;                 // prefix and the code's text
    std::optional<int> progress;
    WpsStatusAction action { WpsStatusAction::None };
    std::uint32_t code { 0 };
};

// The row of `code`; null for a code the table does not list (prefix only, no action).
WpsStatusRow const* FindWpsStatusRow(std::uint32_t code);
WpsStatusLine DecodeWpsStatus(std::uint32_t word);
// The listed codes in table order, for walking the table.
std::span<WpsStatusRow const> WpsStatusRows();

char const* to_string(WpsStatusAction action);

}
