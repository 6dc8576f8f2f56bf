#include "platform/system/CommandLine.h"

namespace platform::system {

namespace {

bool is_separator(char c)
{
    return c == ' ' || c == '\t';
}

// Reads one argument from `text` at `pos` (not at a separator) with the backslash and quote rules.
std::string read_argument(std::string_view text, size_t& pos)
{
    std::string argument;
    bool quoted = false;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == '\\') {
            size_t count = 0;
            while (pos < text.size() && text[pos] == '\\') {
                ++count;
                ++pos;
            }
            if (pos < text.size() && text[pos] == '"') {
                argument.append(count / 2, '\\');
                if (count % 2 == 1) {
                    argument += '"';
                    ++pos;
                }
            } else {
                argument.append(count, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (quoted && pos + 1 < text.size() && text[pos + 1] == '"') {
                argument += '"';
                pos += 2;
                continue;
            }
            quoted = !quoted;
            ++pos;
            continue;
        }
        if (!quoted && is_separator(c))
            break;
        argument += c;
        ++pos;
    }
    return argument;
}

}

std::vector<std::string> split_arguments(std::string_view text)
{
    std::vector<std::string> arguments;
    size_t pos = 0;
    for (;;) {
        while (pos < text.size() && is_separator(text[pos]))
            ++pos;
        if (pos >= text.size())
            return arguments;
        arguments.push_back(read_argument(text, pos));
    }
}

std::vector<std::string> split_command_line(std::string_view line)
{
    size_t pos = 0;
    while (pos < line.size() && is_separator(line[pos]))
        ++pos;
    if (pos >= line.size())
        return {};
    std::string program;
    if (line[pos] == '"') {
        size_t close = line.find('"', pos + 1);
        program = std::string(line.substr(pos + 1, close == std::string_view::npos ? close : close - pos - 1));
        pos = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        size_t end = pos;
        while (end < line.size() && !is_separator(line[end]))
            ++end;
        program = std::string(line.substr(pos, end - pos));
        pos = end;
    }
    std::vector<std::string> arguments { program };
    // Text glued to a quoted program name ("a"b) starts the next argument, as the original does.
    for (auto& argument : split_arguments(line.substr(pos)))
        arguments.push_back(std::move(argument));
    return arguments;
}

std::string quote_argument(std::string_view argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos)
        return std::string(argument);
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

}
