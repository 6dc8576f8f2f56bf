// The station utility's user-interface string table (`G_UiStr`): the character set and face
// name of the dialogs' fonts and every text the utility shows, read once at start-up from the
// language file of the system's language, "<program folder>Languages/Lang<id>.ini" with the
// four hexadecimal digits of the language id, falling back to Languages/Lang0409.ini. Files
// are UTF-8. Pages read the members directly, by key name.
#pragma once

#include "station/core/LanguageFile.h"
#include "station/core/UiStringKeys.h"

#include <cstddef>
#include <string>

class CUISTR {
public:
    // Locates the language file and loads every member; returns 1.
    int GetString();
    // The same from a given program folder (with its trailing separator) and language id
    // digits ("0409").
    int load_from(std::string const& folder, std::string const& language);

    // The GDI character-set number named by [Font] CharSet (case-sensitive); 1 for any other
    // name.
    int GetCharSet(std::string const& path);
    void GetFaceName(std::string& face_name, std::string const& path);
    // At most 511 characters, like every value of the table.
    void GetIniString(std::string& value, const char* section, const char* key, const char* default_value,
        std::string const& path);

    // The path the last load read, for the program's own trace.
    std::string const& path() const { return m_path; }

    int nCharSet { 0 };
    std::string strFaceName;
#define CUISTR_DECLARE_MEMBER(key) std::string key;
    CUISTR_KEYS(CUISTR_DECLARE_MEMBER)
#undef CUISTR_DECLARE_MEMBER

private:
    std::string m_path;
};

extern CUISTR G_UiStr;

namespace station::core {

// The keys of section "Strings" in member order.
extern const char* const kUiStringKeys[];
extern const std::size_t kUiStringKeyCount;

}
