// The language files of both programs: "<folder>Languages/<prefix><id>.ini" for the system's
// language id, falling back to "<prefix>0409.ini" (English) in the same folder when the first
// does not exist. Section "Font" names the character set and face of the dialogs' fonts;
// section "Strings" holds one text per key. Files are UTF-8; a value keeps at most what a
// 512-byte read buffer held, 511 bytes, cut where a character begins.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace station::core {

struct LanguageTexts {
    std::string path;                 // the file read (after the fallback)
    int char_set { 1 };
    std::string face_name;
    std::vector<std::string> values;  // one per key, in key order; empty when absent
};

struct LanguageFileSpec {
    std::string folder;               // the program's folder, with its trailing separator
    std::string prefix;               // "Lang", "APStr"
    std::string language;             // four hexadecimal digits, "0409"
    std::span<char const* const> keys;
    // Whether the first file exists; the programs ask different parties.
    std::function<bool(std::string const& path)> exists;
};

LanguageTexts load_language_file(LanguageFileSpec const& spec);

// The GDI character-set number of a [Font] CharSet name, compared exactly; 1 (DEFAULT_CHARSET)
// for any other name.
int char_set_number(std::string const& name);
// `text` cut to at most `limit` bytes without splitting a UTF-8 character.
std::string cut_at_character(std::string text, std::size_t limit);
// GetPrivateProfileString into a 512-byte buffer, cut as above.
std::string read_language_value(char const* section, char const* key, char const* default_value, std::string const& path);

constexpr std::size_t kLanguageValueLimit = 511;

// The language id of the system's locale as four hexadecimal digits ("0409").
std::string system_language_digits();

}
