#include "platform/system/IniDocument.h"

#include "platform/system/TextSplit.h"

#include <cctype>

namespace platform::system {

namespace {

constexpr size_t npos = std::string::npos;

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}

bool equal_ignoring_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string_view trim_blanks(std::string_view text)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

IniDocument IniDocument::parse(std::string_view text)
{
    IniDocument document;
    LineReader lines(text);
    for (std::string_view raw; lines.next(raw);) {
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        Line line;
        line.text = std::string(raw);
        std::string_view body = trim_blanks(raw);
        if (!body.empty() && body.front() == '[') {
            size_t close = body.find(']');
            line.kind = LineKind::Section;
            line.name = std::string(trim_blanks(body.substr(1, close == npos ? npos : close - 1)));
        } else if (!body.empty() && body.front() != ';') {
            size_t equals = body.find('=');
            if (equals != npos) {
                line.kind = LineKind::Entry;
                line.name = std::string(trim_blanks(body.substr(0, equals)));
                line.value = std::string(unquoted(trim_blanks(body.substr(equals + 1))));
            }
        }
        document.m_lines.push_back(std::move(line));
    }
    return document;
}

std::string IniDocument::serialize() const
{
    std::string out;
    for (auto const& line : m_lines) {
        out += line.text;
        out += '\n';
    }
    return out;
}

size_t IniDocument::find_section(std::string_view section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section && equal_ignoring_case(m_lines[i].name, trim_blanks(section)))
            return i;
    }
    return npos;
}

size_t IniDocument::section_end(size_t header) const
{
    size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != LineKind::Section)
        ++i;
    return i;
}

size_t IniDocument::find_entry(size_t header, std::string_view key) const
{
    for (size_t i = header + 1, end = section_end(header); i < end; ++i) {
        if (m_lines[i].kind == LineKind::Entry && equal_ignoring_case(m_lines[i].name, trim_blanks(key)))
            return i;
    }
    return npos;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    size_t header = find_section(section);
    if (header == npos)
        return std::nullopt;
    size_t entry = find_entry(header, key);
    if (entry == npos)
        return std::nullopt;
    return m_lines[entry].value;
}

bool IniDocument::has_section(std::string_view section) const
{
    return find_section(section) != npos;
}

std::vector<std::string> IniDocument::section_names() const
{
    std::vector<std::string> names;
    for (auto const& line : m_lines) {
        if (line.kind == LineKind::Section)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniDocument::key_names(std::string_view section) const
{
    std::vector<std::string> names;
    size_t header = find_section(section);
    if (header == npos)
        return names;
    for (size_t i = header + 1, end = section_end(header); i < end; ++i) {
        if (m_lines[i].kind == LineKind::Entry)
            names.push_back(m_lines[i].name);
    }
    return names;
}

std::vector<std::string> IniDocument::section_entries(std::string_view section) const
{
    std::vector<std::string> entries;
    size_t header = find_section(section);
    if (header == npos)
        return entries;
    for (size_t i = header + 1, end = section_end(header); i < end; ++i) {
        if (m_lines[i].kind == LineKind::Entry)
            entries.push_back(m_lines[i].name + "=" + m_lines[i].value);
    }
    return entries;
}

void IniDocument::set_value(std::string_view section, std::string_view key, std::string_view value)
{
    Line entry { LineKind::Entry, std::string(trim_blanks(key)) + "=" + std::string(value),
        std::string(trim_blanks(key)), std::string(value) };
    size_t header = find_section(section);
    if (header == npos) {
        std::string name(trim_blanks(section));
        m_lines.push_back(Line { LineKind::Section, "[" + name + "]", name, {} });
        m_lines.push_back(std::move(entry));
        return;
    }
    size_t existing = find_entry(header, key);
    if (existing != npos) {
        m_lines[existing] = std::move(entry);
        return;
    }
    // After the section's last entry, so that blank lines between sections stay between them.
    size_t insert_at = header + 1;
    for (size_t i = header + 1, end = section_end(header); i < end; ++i) {
        if (m_lines[i].kind == LineKind::Entry)
            insert_at = i + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(entry));
}

void IniDocument::remove_key(std::string_view section, std::string_view key)
{
    size_t header = find_section(section);
    if (header == npos)
        return;
    if (size_t entry = find_entry(header, key); entry != npos)
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(entry));
}

void IniDocument::remove_section(std::string_view section)
{
    size_t header = find_section(section);
    if (header == npos)
        return;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
        m_lines.begin() + static_cast<std::ptrdiff_t>(section_end(header)));
}

}
