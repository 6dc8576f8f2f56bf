#include "platform/gdi/TextLayout.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace platform::gdi {

namespace {

struct Line {
    std::u32string text;
    int underline { -1 }; // code point index drawn underlined
    int width { 0 }; // measured once the text is final
};

// Removes "&" prefixes: "&x" underlines x, "&&" is "&".
Line strip_prefixes(std::u32string const& text, bool keep_underline)
{
    Line line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != U'&' && keep_underline)
                line.underline = static_cast<int>(line.text.size());
        } else if (text[i] == U'&') {
            continue;
        }
        line.text.push_back(text[i]);
    }
    return line;
}

struct Layout {
    RealizedFont& font;
    LineOptions options;
    int width(std::u32string_view s) const { return text_width(font, s, options); }
};

// Breaks one paragraph between words (and inside a long word when `break_words`).
std::vector<Line> wrap(Layout const& layout, Line const& paragraph, int max_width, bool break_words)
{
    std::vector<Line> lines;
    std::u32string const& t = paragraph.text;
    std::size_t start = 0;
    while (start < t.size()) {
        std::size_t end = start;
        std::size_t last_fit = start;
        while (end < t.size()) {
            std::size_t word_end = end;
            while (word_end < t.size() && t[word_end] == U' ')
                ++word_end;
            while (word_end < t.size() && t[word_end] != U' ')
                ++word_end;
            std::u32string_view candidate(t.data() + start, word_end - start);
            while (!candidate.empty() && candidate.back() == U' ')
                candidate.remove_suffix(1);
            if (layout.width(candidate) > max_width && last_fit > start)
                break;
            last_fit = word_end;
            end = word_end;
            if (layout.width(candidate) > max_width)
                break;
        }
        std::size_t stop = std::max(last_fit, start + 1);
        std::u32string_view piece(t.data() + start, stop - start);
        if (break_words) {
            std::size_t trimmed = piece.size();
            while (trimmed > 1 && layout.width(piece.substr(0, trimmed)) > max_width)
                --trimmed;
            if (trimmed < piece.size() && layout.width(piece.substr(0, trimmed)) <= max_width) {
                piece = piece.substr(0, trimmed);
                stop = start + trimmed;
            }
        }
        Line line;
        line.text = std::u32string(piece);
        while (!line.text.empty() && line.text.back() == U' ')
            line.text.pop_back();
        if (paragraph.underline >= static_cast<int>(start) && paragraph.underline < static_cast<int>(stop))
            line.underline = paragraph.underline - static_cast<int>(start);
        lines.push_back(std::move(line));
        start = stop;
        while (start < t.size() && t[start] == U' ')
            ++start;
    }
    if (lines.empty())
        lines.push_back(Line {});
    return lines;
}

// Keeps the longest start of the line that fits with "..." after it (none when nothing does).
// The dots' width adds to the start's: they are not tabs, and tabs before them keep their
// positions.
void end_ellipsis(Layout const& layout, Line& line, int max_width)
{
    if (layout.width(line.text) <= max_width)
        return;
    std::u32string_view const dots = U"...";
    int room = max_width - layout.width(dots);
    std::size_t kept = 0;
    int x = 0;
    for (std::size_t k = 1; k < line.text.size(); ++k) {
        x += advance_of(layout.font, line.text, k - 1, x, layout.options);
        if (x <= room)
            kept = k;
    }
    if (line.underline >= static_cast<int>(kept))
        line.underline = -1;
    line.text.resize(kept);
    line.text += dots;
}

void path_ellipsis(Layout const& layout, Line& line, int max_width)
{
    if (layout.width(line.text) <= max_width)
        return;
    std::size_t slash = line.text.find_last_of(U"\\/");
    if (slash == std::u32string::npos) {
        end_ellipsis(layout, line, max_width);
        return;
    }
    std::u32string tail = line.text.substr(slash);
    std::u32string head = line.text.substr(0, slash);
    while (!head.empty() && layout.width(head + U"..." + tail) > max_width)
        head.pop_back();
    line.text = head + U"..." + tail;
    line.underline = -1;
}

// The text's paragraphs, prefixes resolved. DrawText runs for every cell of a list, so the
// common single line is made without copying the text.
std::vector<Line> paragraphs(std::u32string text, UINT format)
{
    std::vector<Line> out;
    auto add = [&](std::u32string part) {
        out.push_back((format & DT_NOPREFIX) ? Line { std::move(part), -1 } : strip_prefixes(part, !(format & DT_HIDEPREFIX)));
    };
    if (format & DT_SINGLELINE) {
        for (char32_t& c : text)
            if (c == U'\r' || c == U'\n')
                c = U' ';
        add(std::move(text));
        return out;
    }
    std::u32string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n')
            continue;
        if (text[i] == U'\n' || text[i] == U'\r') {
            add(std::move(current));
            current.clear();
        } else {
            current.push_back(text[i]);
        }
    }
    add(std::move(current));
    return out;
}

}

int draw_text(DeviceContext& dc, std::string_view text, RECT& rect, UINT format)
{
    auto font = dc_font(dc);
    TEXTMETRIC const& tm = font->metrics();
    Layout layout { *font, {} };
    if (format & DT_EXPANDTABS)
        layout.options.tab_width = 8 * std::max<LONG>(1, tm.tmAveCharWidth);
    int max_width = rect.right - rect.left;
    bool single = format & DT_SINGLELINE;
    std::vector<Line> lines = paragraphs(decode_utf8(text), format);
    if ((format & DT_WORDBREAK) && !single) {
        std::vector<Line> wrapped_lines;
        for (Line const& p : lines) {
            auto wrapped = wrap(layout, p, std::max(max_width, 1), format & DT_EDITCONTROL);
            wrapped_lines.insert(wrapped_lines.end(), std::make_move_iterator(wrapped.begin()), std::make_move_iterator(wrapped.end()));
        }
        lines = std::move(wrapped_lines);
    }
    for (Line& line : lines) {
        if (format & DT_PATH_ELLIPSIS)
            path_ellipsis(layout, line, max_width);
        else if (format & DT_END_ELLIPSIS)
            end_ellipsis(layout, line, max_width);
    }
    int line_height = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    int widest = 0;
    for (Line& line : lines) {
        line.width = layout.width(line.text);
        widest = std::max(widest, line.width);
    }
    int total = line_height * static_cast<int>(lines.size());
    if ((format & DT_EDITCONTROL) && !single && total > rect.bottom - rect.top && !(format & DT_CALCRECT)) {
        // A last line the bottom edge would cut is not shown (the first line always is).
        std::size_t fitting = static_cast<std::size_t>(std::max(1, static_cast<int>(rect.bottom - rect.top) / line_height));
        if (fitting < lines.size())
            lines.resize(fitting);
    }
    if (format & DT_CALCRECT) {
        if (single || lines.size() <= 1)
            rect.right = rect.left + widest;
        else if (widest > max_width)
            rect.right = rect.left + widest;
        rect.bottom = rect.top + total;
        return total;
    }
    int y = rect.top;
    if (single && (format & DT_VCENTER))
        y = rect.top + (rect.bottom - rect.top - line_height) / 2;
    else if (single && (format & DT_BOTTOM))
        y = rect.bottom - line_height;
    int first_y = y;
    bool opaque = dc.state().background_mode == OPAQUE;
    for (Line const& line : lines) {
        int w = line.width;
        int x = rect.left;
        if (format & DT_CENTER)
            x = rect.left + (max_width - w) / 2;
        else if (format & DT_RIGHT)
            x = rect.right - w;
        LineOptions options = layout.options;
        options.underline_from = line.underline;
        options.underline_to = line.underline >= 0 ? line.underline + 1 : -1;
        draw_text_line(dc, *font, POINT { x, y }, line.text, options, (format & DT_NOCLIP) ? nullptr : &rect, opaque, nullptr);
        y += line_height;
    }
    return single && (format & (DT_VCENTER | DT_BOTTOM)) ? first_y - rect.top + line_height : total;
}

}
