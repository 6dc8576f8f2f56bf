// One INI file in memory, kept line by line so that a write changes only the line it is about
// and leaves comments and layout as they were. Section and key names compare without regard to
// case; names and values are trimmed of surrounding blanks, and a value enclosed in matching
// quotes loses them. Lines that start with ';' are comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

class IniDocument {
public:
    static IniDocument parse(std::string_view text);
    std::string serialize() const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool has_section(std::string_view section) const;
    std::vector<std::string> section_names() const;
    std::vector<std::string> key_names(std::string_view section) const;
    // The section's entries as "key=value" texts, in file order.
    std::vector<std::string> section_entries(std::string_view section) const;

    void set_value(std::string_view section, std::string_view key, std::string_view value);
    void remove_key(std::string_view section, std::string_view key);
    void remove_section(std::string_view section);

private:
    enum class LineKind { Other, Section, Entry };
    struct Line {
        LineKind kind { LineKind::Other };
        std::string text;
        std::string name;
        std::string value;
    };

    // Index of the section's header line, or npos.
    size_t find_section(std::string_view section) const;
    // One past the section's last line.
    size_t section_end(size_t header) const;
    size_t find_entry(size_t header, std::string_view key) const;

    std::vector<Line> m_lines;
};

bool equal_ignoring_case(std::string_view a, std::string_view b);
std::string_view trim_blanks(std::string_view text);

}
