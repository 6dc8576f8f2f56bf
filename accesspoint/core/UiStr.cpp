#include "accesspoint/core/UiStr.h"

#include "accesspoint/core/Trace.h"
#include "accesspoint/core/VxApApi.h"
#include "station/core/IniFile.h"
#include "station/core/LanguageFile.h"

namespace hotvane {

CUISTR G_UiStr;

const char* const kUiStringKeys[] = {
#define HOTVANE_UISTR_KEY_NAME(key) #key,
    HOTVANE_UISTR_KEYS(HOTVANE_UISTR_KEY_NAME)
#undef HOTVANE_UISTR_KEY_NAME
};
const std::size_t kUiStringKeyCount = sizeof(kUiStringKeys) / sizeof(kUiStringKeys[0]);
static_assert(sizeof(kUiStringKeys) / sizeof(kUiStringKeys[0]) == 351, "the table holds 351 texts");

int CUISTR::GetString()
{
    return load_from(GetProgramFolder(), station::core::system_language_digits());
}

int CUISTR::load_from(std::string const& folder, std::string const& language)
{
    using namespace station::core;
    std::string const first = folder + "Languages/APStr" + language + ".ini";
    TraceMsg("[Hotvane] CUISTR::GetString(): Languages File Path = %s\n", first.c_str());
    auto exists = [](std::string const& path) { return G_VxApApi.VXAP_IsFileExist(path.c_str()) != 0; };
    auto const texts = load_language_file(
        LanguageFileSpec { folder, "APStr", language, std::span<char const* const>(kUiStringKeys, kUiStringKeyCount), exists });
    m_path = texts.path;
    nCharSet = static_cast<unsigned char>(texts.char_set);
    strFaceName = texts.face_name;
    std::size_t index = 0;
#define HOTVANE_UISTR_LOAD(key) key = texts.values[index++];
    HOTVANE_UISTR_KEYS(HOTVANE_UISTR_LOAD)
#undef HOTVANE_UISTR_LOAD
    return 1;
}

void CUISTR::GetIniString(std::string& out, const char* section, const char* key, const char* default_value,
    std::string const& path)
{
    out = station::core::read_language_value(section, key, default_value, path);
}

int CUISTR::GetCharSet(std::string const& path)
{
    std::string name;
    GetIniString(name, "Font", "CharSet", "DEFAULT_CHARSET", path);
    return station::core::char_set_number(name);
}

std::string CUISTR::GetFaceName(std::string const& path)
{
    std::string face;
    GetIniString(face, "Font", "FaceName", "Trebuchet MS", path);
    return face;
}

}
