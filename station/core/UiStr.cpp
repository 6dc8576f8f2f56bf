#include "station/core/UiStr.h"

#include "station/core/IniFile.h"
#include "station/core/LanguageFile.h"

#include <filesystem>

CUISTR G_UiStr;

namespace station::core {

const char* const kUiStringKeys[] = {
#define CUISTR_KEY_NAME(key) #key,
    CUISTR_KEYS(CUISTR_KEY_NAME)
#undef CUISTR_KEY_NAME
};
const std::size_t kUiStringKeyCount = sizeof(kUiStringKeys) / sizeof(kUiStringKeys[0]);

}

namespace {

bool file_exists(std::string const& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}

int CUISTR::GetString()
{
    return load_from(GetProgramFolder(), station::core::system_language_digits());
}

int CUISTR::load_from(std::string const& folder, std::string const& language)
{
    using namespace station::core;
    auto const texts = load_language_file(LanguageFileSpec { folder, "Lang", language,
        std::span<char const* const>(kUiStringKeys, kUiStringKeyCount), file_exists });
    m_path = texts.path;
    nCharSet = texts.char_set;
    strFaceName = texts.face_name;
    std::size_t index = 0;
#define CUISTR_LOAD_MEMBER(key) key = texts.values[index++];
    CUISTR_KEYS(CUISTR_LOAD_MEMBER)
#undef CUISTR_LOAD_MEMBER
    return 1;
}

int CUISTR::GetCharSet(std::string const& path)
{
    std::string name;
    GetIniString(name, "Font", "CharSet", "DEFAULT_CHARSET", path);
    return station::core::char_set_number(name);
}

void CUISTR::GetFaceName(std::string& face_name, std::string const& path)
{
    GetIniString(face_name, "Font", "FaceName", "Trebuchet MS", path);
}

void CUISTR::GetIniString(std::string& value, const char* section, const char* key, const char* default_value,
    std::string const& path)
{
    value = station::core::read_language_value(section, key, default_value, path);
}
