// The access point utility's user-interface string table (`hotvane::G_UiStr`): the character
// set and face name of the dialogs' fonts and its 351 texts, read once at start from
// "<program folder>Languages/APStr<id>.ini" for the system's language, falling back to
// APStr0409.ini in the same folder. The library says whether the first file exists. Pages read
// the members directly, by key name.
#pragma once

#include "accesspoint/core/UiStringKeys.h"

#include <cstddef>
#include <string>

namespace hotvane {

class CUISTR {
public:
    virtual ~CUISTR() = default;

    // [SECTION] Its operations, in slot order
    // GetPrivateProfileString into a 512-byte buffer: at most 511 bytes, cut where a character
    // begins.
    virtual void GetIniString(std::string& out, const char* section, const char* key, const char* default_value,
        std::string const& path);
    // Finds the file, traces its first path and loads every member; returns 1.
    virtual int GetString();
    // The character-set number named by [Font] CharSet (compared exactly); 1 for any other.
    virtual int GetCharSet(std::string const& path);
    // [Font] FaceName, "Trebuchet MS" when absent.
    virtual std::string GetFaceName(std::string const& path);

    // The same as GetString from a given folder (with its trailing separator) and language id.
    int load_from(std::string const& folder, std::string const& language);
    std::string const& path() const { return m_path; }

    unsigned char nCharSet { 0 };
    std::string strFaceName;
#define HOTVANE_UISTR_MEMBER(key) std::string key;
    HOTVANE_UISTR_KEYS(HOTVANE_UISTR_MEMBER)
#undef HOTVANE_UISTR_MEMBER

private:
    std::string m_path;
};

extern CUISTR G_UiStr;

// The keys of section "Strings" in member order.
extern const char* const kUiStringKeys[];
extern const std::size_t kUiStringKeyCount;

}
