// UTF-8 encoding of one code point, shared by every module that turns wide texts (menu
// templates, key symbols) into the platform's UTF-8 text; and where a byte limit may cut a text
// without splitting a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Appends `code_point` to `out`; a value that is no Unicode scalar value (a surrogate or past
// U+10FFFF) adds nothing, so the result is always valid UTF-8.
inline void append_utf8(std::string& out, char32_t code_point)
{
    char32_t const c = code_point;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of `text` cut to at most `limit` bytes, moved back to the start of a character
// so that the cut never leaves part of one.
inline std::size_t utf8_cut_length(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

}
