// A program's resources: dialog templates, menus, icons, bitmaps, toolbar strips and raw data,
// looked up by numeric id. They are kept as one text file per program ("<program>.res" beside
// the executable, e.g. bin/Zorvel.res), with images as PNG files named relative to it.
//
// File format (one statement per line; "#" starts a comment line; texts in double quotes with
// \" and \\ escapes; numbers decimal or 0x-hex; styles may join numbers and style names with
// "|", e.g. WS_CHILD|WS_TABSTOP|0x1):
//
//   dialog <id> <x> <y> <cx> <cy>            a dialog template (dialog units), then:
//     style <styles>                         window style (DS_SETFONT etc.)
//     exstyle <styles>
//     caption "<text>"
//     font "<face>" <points>
//     control "<class>" <id> <styles> <x> <y> <cx> <cy> "<text>" [exstyle <styles>] [icon <id>] [bitmap <id>]
//     init <control id> "<item>" "<item>" ...    dialog-init strings (combo or list items)
//   end
//   menu <id>
//     popup "<text>" ... end                 nested pop-ups
//     item <id> "<text>" [grayed] [checked]
//     separator
//   end
//   icon <id> "<file.png>" [hotspot <x> <y>]
//   bitmap <id> "<file.png>"
//   toolbar <id> "<file.png>" <button width> <button height>
//   raw <id> "<type>" "<file>"               bytes for FindResource/LoadResource
//   string <id> "<text>"                     the string table (LoadString, AfxMessageBox(id))
//   include "<file.res>"                     the statements of another file, relative to this one
//                                            (outside blocks; nesting at most 8 deep)
//
// Loading reports every malformed line (file and line number) and keeps the rest; a file that
// cannot be read (an include, a raw file, the file itself) is listed apart, by its path.
#pragma once

#include "platform/user/Types.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::framework {

struct DialogControlResource {
    std::string class_name;
    int id {};
    DWORD style {};
    DWORD ex_style {};
    RECT rect {}; // dialog units: left, top, right, bottom
    std::string text;
    int icon {};
    int bitmap {};
};

struct DialogResource {
    int id {};
    DWORD style {};
    DWORD ex_style {};
    std::string caption;
    std::string font_face;
    int font_points {};
    RECT rect {}; // dialog units
    std::vector<DialogControlResource> controls;
    // Control id -> strings added at creation (CB_ADDSTRING / LB_ADDSTRING).
    std::vector<std::pair<int, std::vector<std::string>>> init;
};

struct MenuItemResource {
    std::string text;
    UINT id {};
    bool separator {};
    bool grayed {};
    bool checked {};
    std::vector<MenuItemResource> children; // a pop-up when not empty
    bool popup {};
};

struct MenuResource {
    int id {};
    std::vector<MenuItemResource> items;
};

struct ImageResource {
    std::string path; // absolute
    POINT hotspot {};
    SIZE cell {}; // toolbar strips
};

struct RawResource {
    std::string type;
    std::vector<BYTE> bytes;
};

class ResourceSet {
public:
    // Reads `path`; false when the file cannot be read. Malformed lines land in errors(),
    // files that cannot be read in missing().
    bool load(std::string const& path);
    bool parse(std::string const& text, std::string const& base_dir, std::string const& name);

    DialogResource const* dialog(int id) const;
    MenuResource const* menu(int id) const;
    ImageResource const* icon(int id) const;
    ImageResource const* bitmap(int id) const;
    ImageResource const* toolbar(int id) const;
    RawResource const* raw(int id, std::string const& type) const;
    std::string const* string(int id) const;
    std::vector<std::string> const& errors() const { return m_errors; }
    std::vector<std::string> const& missing() const { return m_missing; }
    // The file given to load() was read (its includes may still be missing).
    bool loaded() const { return m_loaded; }

private:
    std::map<int, DialogResource> m_dialogs;
    std::map<int, MenuResource> m_menus;
    std::map<int, ImageResource> m_icons;
    std::map<int, ImageResource> m_bitmaps;
    std::map<int, ImageResource> m_toolbars;
    std::map<std::pair<int, std::string>, RawResource> m_raw;
    std::map<int, std::string> m_strings;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_missing;
    bool m_loaded {};
    int m_include_depth {};
    friend class ResourceParser;
};

// The resources of this program: set explicitly, or loaded on first use from
// "<executable folder>/<executable name>.res".
ResourceSet const& resources();
void set_resources(std::shared_ptr<ResourceSet const> set);
bool load_resources(std::string const& path);

// Writes what is wrong with `set` to `out`, one line each after `program` and ": ": every file
// that could not be read, then the malformed lines (the first few, and how many more). Answers
// false when the program cannot show its windows: its resource file was not read or has
// malformed lines. Missing includes and raw files alone leave the program running.
bool report_resources(ResourceSet const& set, char const* program, std::FILE* out);

// The resource checker: every id in `ids` of `kind` ("dialog", "menu", "icon", "bitmap",
// "toolbar", "string") exists in `set`. Answers the missing ones as "kind id" texts.
std::vector<std::string> missing_resources(ResourceSet const& set, std::string const& kind, std::vector<int> const& ids);

}
