#include "platform/system/LocaleTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

namespace platform::system {

namespace {

struct LocaleRow {
    std::string_view prefix; // language, or language_TERRITORY
    std::uint16_t id;
};

// Territory rows come before their language's row: the first matching prefix wins.
constexpr std::array locale_rows {
    // The programs ship one traditional (0404) and one simplified (0804) Chinese language file
    // and one English (0409), so every variant of those languages answers one of these three.
    LocaleRow { "zh_TW", 0x0404 }, LocaleRow { "zh_HK", 0x0404 }, LocaleRow { "zh_MO", 0x0404 },
    LocaleRow { "zh_CN", 0x0804 }, LocaleRow { "zh_SG", 0x0804 }, LocaleRow { "zh", 0x0804 },
    LocaleRow { "en", 0x0409 },
    LocaleRow { "pt_BR", 0x0416 }, LocaleRow { "pt", 0x0816 },
    LocaleRow { "fr_CA", 0x0C0C }, LocaleRow { "fr", 0x040C },
    LocaleRow { "de", 0x0407 }, LocaleRow { "es", 0x0C0A }, LocaleRow { "it", 0x0410 },
    LocaleRow { "ja", 0x0411 }, LocaleRow { "ko", 0x0412 }, LocaleRow { "nl", 0x0413 },
    LocaleRow { "ru", 0x0419 }, LocaleRow { "pl", 0x0415 }, LocaleRow { "cs", 0x0405 },
    LocaleRow { "sv", 0x041D }, LocaleRow { "da", 0x0406 }, LocaleRow { "fi", 0x040B },
    LocaleRow { "nb", 0x0414 }, LocaleRow { "no", 0x0414 }, LocaleRow { "tr", 0x041F },
    LocaleRow { "el", 0x0408 }, LocaleRow { "hu", 0x040E }, LocaleRow { "he", 0x040D },
    LocaleRow { "ar", 0x0401 }, LocaleRow { "th", 0x041E }, LocaleRow { "uk", 0x0422 },
    LocaleRow { "vi", 0x042A }, LocaleRow { "id", 0x0421 },
};

}

std::uint16_t language_id_for_locale(std::string_view name)
{
    // "zh_TW.UTF-8@euro" → "zh_TW"; case of the territory is normalised.
    name = name.substr(0, name.find_first_of(".@"));
    std::string key(name);
    for (size_t i = 0; i < key.size(); ++i)
        key[i] = static_cast<char>(i < 2 ? std::tolower(static_cast<unsigned char>(key[i]))
                                         : std::toupper(static_cast<unsigned char>(key[i])));
    if (key.size() > 2 && key[2] == '-')
        key[2] = '_';
    for (auto const& row : locale_rows) {
        bool whole_language = row.prefix.size() == 2;
        std::string_view candidate(key);
        if (whole_language ? candidate.substr(0, 2) == row.prefix && (candidate.size() == 2 || candidate[2] == '_')
                           : candidate == row.prefix)
            return row.id;
    }
    return 0x0409;
}

std::string messages_locale_name()
{
    for (char const* variable : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        char const* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return "C";
}

}
