// Splitting text into lines, pieces and words without a stream. The first stream a process
// makes has the standard library build its locale tables, which touches some 450 KB of the
// library that a program keeps resident for as long as it runs; nothing here needs a locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

// Lines as std::getline reads them: they end at '\n' (a '\r' before it stays), the last one
// may lack it, and a text ending in '\n' has no empty line after it.
//   for (std::string_view line; lines.next(line);) ...
class LineReader {
public:
    explicit LineReader(std::string_view text)
        : m_rest(text)
    {
    }
    bool next(std::string_view& line)
    {
        if (m_rest.empty())
            return false;
        auto const end = m_rest.find('\n');
        line = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return true;
    }

private:
    std::string_view m_rest;
};

// Calls `each(line)` for every line of `text`, as LineReader reads them.
template<typename Each>
void for_each_line(std::string_view text, Each&& each)
{
    LineReader lines(text);
    for (std::string_view line; lines.next(line);)
        each(line);
}

// The pieces between `separator`s as std::getline(stream, piece, separator) gives them: an
// empty text has none, and a separator at the end adds no empty piece.
inline std::vector<std::string> split_text(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    while (!text.empty()) {
        auto const end = text.find(separator);
        pieces.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return pieces;
}

// The words between blanks (space, tab, line ends, vertical tab, form feed), as `stream >>
// word` reads them.
inline std::vector<std::string> split_words(std::string_view text)
{
    constexpr std::string_view blanks = " \t\n\r\v\f";
    std::vector<std::string> words;
    for (auto start = text.find_first_not_of(blanks); start != std::string_view::npos;
         start = text.find_first_not_of(blanks, start)) {
        auto const end = text.find_first_of(blanks, start);
        words.emplace_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

}
