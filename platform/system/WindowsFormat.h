// printf-style formatting that accepts the conversions written for the original runtime:
// "%hs" and "%hc" (narrow text and character), "%I64d"/"%I64u"/"%I64x" (64-bit), "%I32d" and
// "%Id" (pointer-sized). Output is always bounded by the buffer and terminated.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace platform::system {

// The same format with those conversions rewritten for the C library's printf.
std::string translate_format(std::string_view format);
// Formats into `buffer` of `size` bytes; returns the characters stored (at most size - 1).
int format_bounded(char* buffer, size_t size, char const* format, va_list args);

}
