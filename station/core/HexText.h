// Hexadecimal texts: digit values, digit pairs to bytes, and the test every key and address
// entry makes. Shared by both programs.
#pragma once

#include "platform/user/Types.h"

#include <cstddef>

// '0'-'9' give 0-9, 'A'-'F' and 'a'-'f' 10-15, anything else 255.
BYTE HexCharToNibble(char c);
// Converts up to `count` pairs of hexadecimal digits of `text` into bytes, computed in 8 bits
// as (high << 4) + low. Stops at the end of the text: a pair that lacks its second digit is
// not converted. Returns the bytes written. Callers test typed texts with IsHexString first.
std::size_t HexStringToBytes(const char* text, BYTE* destination, std::size_t count);
// True when every character is a hexadecimal digit; true for an empty text.
bool IsHexString(const char* text);
