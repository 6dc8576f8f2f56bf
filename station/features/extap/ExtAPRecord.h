// The hosted-network record as both programs' pages and prompts fill and read it: the one rule
// for a WPA2 pre-shared key, and the SSID and key fields written and read within their bounds.
// Lengths count bytes of UTF-8 text; a text cut to its field is cut between characters.
#pragma once

#include "wlan/api/Profile.h"

#include <string>
#include <string_view>

// 8 to 63 characters of any kind, or 64 hexadecimal digits.
bool IsValidWpaPsk(std::string_view key);

// Zeroes the field, then writes at most 32 (SSID) or 64 (key) bytes of `text` and their count.
void SetExtAPSsid(ExtAPConfig& record, std::string_view text);
void SetExtAPKey(ExtAPConfig& record, std::string_view text);

// The texts of a record from the library, whatever its lengths say: at most the field's bytes.
std::string ExtAPSsidText(ExtAPConfig const& record);
std::string ExtAPKeyText(ExtAPConfig const& record);
