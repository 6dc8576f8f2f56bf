#include "station/core/UiStr.h"

#include "platform/system/LocaleTable.h"
#include "platform/system/Profile.h"
#include "platform/user/Trace.h"
#include "station/core/IniFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <vector>

CUISTR G_UiStr;

namespace station::core {

const char* const kUiStringKeys[] = {
#define CUISTR_KEY_NAME(key) #key,
    CUISTR_KEYS(CUISTR_KEY_NAME)
#undef CUISTR_KEY_NAME
};
const std::size_t kUiStringKeyCount = sizeof(kUiStringKeys) / sizeof(kUiStringKeys[0]);

std::string system_language_digits()
{
    // FIXME: read GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE) once the system
    // services offer it; it maps the same locale names.
    auto const id = platform::system::language_id_for_locale(platform::system::messages_locale_name());
    char digits[8];
    std::snprintf(digits, sizeof(digits), "%04X", unsigned(id));
    return digits;
}

}

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

bool file_exists(std::string const& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Every value is kept to what a 512-byte read buffer holds.
constexpr std::size_t kValueLimit = 511;

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
                m_values.try_emplace(lower_ascii(text.substr(0, equals)), text.substr(equals + 1, kValueLimit));
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

int CUISTR::GetString()
{
    return load_from(GetProgramFolder(), station::core::system_language_digits());
}

int CUISTR::load_from(std::string const& folder, std::string const& language)
{
    std::string const languages = folder + "Languages/";
    m_path = languages + "Lang" + language + ".ini";
    if (!file_exists(m_path))
        m_path = languages + "Lang0409.ini";
    // Without it every label and tip is blank: say which file is missing.
    if (!file_exists(m_path))
        platform::report_unreadable_file(m_path, "missing");
    nCharSet = GetCharSet(m_path);
    GetFaceName(strFaceName, m_path);
    // The section is read once and indexed: a read per key would look the file up and search
    // it again for each of several hundred keys at every start.
    SectionIndex const strings("Strings", m_path);
#define CUISTR_LOAD_MEMBER(key) key = strings.value(#key);
    CUISTR_KEYS(CUISTR_LOAD_MEMBER)
#undef CUISTR_LOAD_MEMBER
    return 1;
}

int CUISTR::GetCharSet(std::string const& path)
{
    std::string name;
    GetIniString(name, "Font", "CharSet", "DEFAULT_CHARSET", path);
    for (auto const& entry : kCharSets) {
        if (name == entry.name)
            return entry.value;
    }
    return 1;
}

void CUISTR::GetFaceName(std::string& face_name, std::string const& path)
{
    GetIniString(face_name, "Font", "FaceName", "Trebuchet MS", path);
}

void CUISTR::GetIniString(std::string& value, const char* section, const char* key, const char* default_value,
    std::string const& path)
{
    char buffer[512];
    GetPrivateProfileString(section, key, default_value, buffer, sizeof(buffer), path.c_str());
    value = buffer;
}
