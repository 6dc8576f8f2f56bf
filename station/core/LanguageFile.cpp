#include "station/core/LanguageFile.h"

#include "platform/system/LocaleTable.h"
#include "platform/system/Profile.h"
#include "platform/user/Trace.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_map>

namespace station::core {

namespace {

struct CharSetName {
    const char* name;
    int value;
};

// The GDI character-set numbers.
constexpr CharSetName kCharSets[] = {
    { "ANSI_CHARSET", 0 }, { "BALTIC_CHARSET", 186 }, { "CHINESEBIG5_CHARSET", 136 }, { "DEFAULT_CHARSET", 1 },
    { "EASTEUROPE_CHARSET", 238 }, { "GB2312_CHARSET", 134 }, { "GREEK_CHARSET", 161 }, { "HANGUL_CHARSET", 129 },
    { "HANGEUL_CHARSET", 129 }, { "MAC_CHARSET", 77 }, { "OEM_CHARSET", 255 }, { "RUSSIAN_CHARSET", 204 },
    { "SHIFTJIS_CHARSET", 128 }, { "SYMBOL_CHARSET", 2 }, { "TURKISH_CHARSET", 162 }, { "VIETNAMESE_CHARSET", 163 },
    { "JOHAB_CHARSET", 130 }, { "ARABIC_CHARSET", 178 }, { "HEBREW_CHARSET", 177 }, { "THAI_CHARSET", 222 },
};

std::string lower_ascii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The entries of one section, by key name without regard to case; a key given twice keeps its
// first value, as a single read of the key would.
class SectionIndex {
public:
    SectionIndex(const char* section, std::string const& path)
    {
        std::vector<char> buffer = read_section(section, path);
        for (const char* entry = buffer.data(); *entry; entry += std::strlen(entry) + 1) {
            std::string_view const text(entry);
            std::size_t const equals = text.find('=');
            // Only what a value may show is kept, so memory follows the keys, not the file.
            if (equals != std::string_view::npos)
                m_values.try_emplace(lower_ascii(text.substr(0, equals)),
                    cut_at_character(std::string(text.substr(equals + 1, kLanguageValueLimit + 1)), kLanguageValueLimit));
        }
    }

    std::string value(const char* key) const
    {
        auto const it = m_values.find(lower_ascii(key));
        return it == m_values.end() ? std::string() : it->second;
    }

private:
    // The section as "key=value" texts one after the other, closed by an empty one. The text
    // is never longer than the file; a buffer that still came back full is grown.
    static std::vector<char> read_section(const char* section, std::string const& path)
    {
        std::error_code error;
        auto const size = std::filesystem::file_size(path, error);
        // The platform reads no profile file past a megabyte, so a huge file costs no more.
        std::size_t const fits = error ? 0 : std::min<std::size_t>(static_cast<std::size_t>(size), 1u << 20) + 2;
        std::vector<char> buffer(std::max<std::size_t>(fits, 4096), '\0');
        // A result of the buffer's size less two may have been cut.
        while (GetPrivateProfileSection(section, buffer.data(), DWORD(buffer.size()), path.c_str()) + 2 >= buffer.size())
            buffer.assign(buffer.size() * 2, '\0');
        return buffer;
    }

    std::unordered_map<std::string, std::string> m_values;
};

}

std::string system_language_digits()
{
    // FIXME: read GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE) once the system
    // services offer it; it maps the same locale names.
    auto const id = platform::system::language_id_for_locale(platform::system::messages_locale_name());
    char digits[8];
    std::snprintf(digits, sizeof(digits), "%04X", unsigned(id));
    return digits;
}

int char_set_number(std::string const& name)
{
    for (auto const& entry : kCharSets) {
        if (name == entry.name)
            return entry.value;
    }
    return 1;
}

std::string cut_at_character(std::string text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    // Step back over continuation bytes (10xxxxxx) to the start of the character cut in two.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

std::string read_language_value(char const* section, char const* key, char const* default_value, std::string const& path)
{
    // One byte more than the value limit plus the terminator, so that a cut character shows.
    char buffer[kLanguageValueLimit + 2] = {};
    GetPrivateProfileString(section, key, default_value, buffer, sizeof(buffer), path.c_str());
    return cut_at_character(buffer, kLanguageValueLimit);
}

LanguageTexts load_language_file(LanguageFileSpec const& spec)
{
    LanguageTexts out;
    std::string const languages = spec.folder + "Languages/";
    out.path = languages + spec.prefix + spec.language + ".ini";
    if (!spec.exists || !spec.exists(out.path))
        out.path = languages + spec.prefix + "0409.ini";
    // Without it every label and tip is blank: say which file is missing.
    std::error_code error;
    if (!std::filesystem::is_regular_file(out.path, error))
        platform::report_unreadable_file(out.path, "missing");
    out.char_set = char_set_number(read_language_value("Font", "CharSet", "DEFAULT_CHARSET", out.path));
    out.face_name = read_language_value("Font", "FaceName", "Trebuchet MS", out.path);
    // The section is read once and indexed: a read per key would look the file up and search
    // it again for each of several hundred keys at every start.
    SectionIndex const strings("Strings", out.path);
    out.values.reserve(spec.keys.size());
    for (char const* key : spec.keys)
        out.values.push_back(strings.value(key));
    return out;
}

}
