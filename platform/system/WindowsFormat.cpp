#include "platform/system/WindowsFormat.h"

#include <cstdio>
#include <cstring>

namespace platform::system {

namespace {

bool is_flag_or_width(char c)
{
    return std::strchr("-+ #0123456789.*", c) != nullptr;
}

}

std::string translate_format(std::string_view format)
{
    std::string out;
    out.reserve(format.size() + 8);
    size_t i = 0;
    while (i < format.size()) {
        char c = format[i++];
        out += c;
        if (c != '%')
            continue;
        if (i < format.size() && format[i] == '%') {
            out += format[i++];
            continue;
        }
        while (i < format.size() && is_flag_or_width(format[i]))
            out += format[i++];
        std::string_view rest = format.substr(i);
        if (rest.starts_with("I64")) {
            out += "ll";
            i += 3;
        } else if (rest.starts_with("I32")) {
            i += 3;
        } else if (rest.starts_with("I")) {
            out += 'z';
            i += 1;
        } else if (rest.size() >= 2 && rest[0] == 'h' && (rest[1] == 's' || rest[1] == 'c')) {
            // Narrow text in a narrow format: the size prefix only matters to the wide functions.
            i += 1;
        }
    }
    return out;
}

int format_bounded(char* buffer, size_t size, char const* format, va_list args)
{
    if (!buffer || size == 0)
        return 0;
    if (!format) {
        buffer[0] = '\0';
        return 0;
    }
    std::string translated = translate_format(format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    int needed = std::vsnprintf(buffer, size, translated.c_str(), args);
#pragma GCC diagnostic pop
    if (needed < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<int>(std::min<size_t>(static_cast<size_t>(needed), size - 1));
}

}
