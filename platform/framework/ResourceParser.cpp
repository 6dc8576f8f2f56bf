// The reader of the resource text format (see Resources.h).
#include "platform/framework/Resources.h"

#include "platform/framework/ControlHeaders.h"

#include "platform/system/ParseInteger.h"
#include "platform/system/ReadFile.h"
#include "platform/system/TextSplit.h"

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <unordered_map>

namespace platform::framework {

namespace {

struct Named {
    char const* name;
    DWORD value;
};

constexpr Named style_names[] = {
    { "WS_POPUP", WS_POPUP }, { "WS_CHILD", WS_CHILD }, { "WS_VISIBLE", WS_VISIBLE }, { "WS_DISABLED", WS_DISABLED },
    { "WS_CLIPSIBLINGS", WS_CLIPSIBLINGS }, { "WS_CLIPCHILDREN", WS_CLIPCHILDREN }, { "WS_CAPTION", WS_CAPTION },
    { "WS_BORDER", WS_BORDER }, { "WS_DLGFRAME", WS_DLGFRAME }, { "WS_VSCROLL", WS_VSCROLL }, { "WS_HSCROLL", WS_HSCROLL },
    { "WS_SYSMENU", WS_SYSMENU }, { "WS_THICKFRAME", WS_THICKFRAME }, { "WS_GROUP", WS_GROUP }, { "WS_TABSTOP", WS_TABSTOP },
    { "WS_MINIMIZEBOX", WS_MINIMIZEBOX }, { "WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE }, { "WS_EX_STATICEDGE", WS_EX_STATICEDGE },
    { "WS_EX_CONTROLPARENT", WS_EX_CONTROLPARENT }, { "WS_EX_TOOLWINDOW", WS_EX_TOOLWINDOW }, { "WS_EX_APPWINDOW", WS_EX_APPWINDOW },
    { "WS_EX_TRANSPARENT", WS_EX_TRANSPARENT }, { "WS_EX_DLGMODALFRAME", WS_EX_DLGMODALFRAME },
    { "DS_SETFONT", DS_SETFONT }, { "DS_MODALFRAME", DS_MODALFRAME }, { "DS_CENTER", DS_CENTER }, { "DS_3DLOOK", DS_3DLOOK },
    { "DS_CONTROL", DS_CONTROL }, { "DS_FIXEDSYS", DS_FIXEDSYS }, { "DS_NOFAILCREATE", DS_NOFAILCREATE },
    { "BS_PUSHBUTTON", BS_PUSHBUTTON }, { "BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON }, { "BS_CHECKBOX", BS_CHECKBOX },
    { "BS_AUTOCHECKBOX", BS_AUTOCHECKBOX }, { "BS_RADIOBUTTON", BS_RADIOBUTTON }, { "BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON },
    { "BS_GROUPBOX", BS_GROUPBOX }, { "BS_OWNERDRAW", BS_OWNERDRAW }, { "BS_ICON", BS_ICON }, { "BS_BITMAP", BS_BITMAP },
    { "BS_MULTILINE", BS_MULTILINE }, { "BS_NOTIFY", BS_NOTIFY }, { "BS_FLAT", BS_FLAT },
    { "SS_LEFT", SS_LEFT }, { "SS_CENTER", SS_CENTER }, { "SS_RIGHT", SS_RIGHT }, { "SS_ICON", SS_ICON },
    { "SS_BITMAP", SS_BITMAP }, { "SS_OWNERDRAW", SS_OWNERDRAW }, { "SS_NOTIFY", SS_NOTIFY }, { "SS_SUNKEN", SS_SUNKEN },
    { "SS_CENTERIMAGE", SS_CENTERIMAGE }, { "SS_ETCHEDHORZ", SS_ETCHEDHORZ }, { "SS_NOPREFIX", SS_NOPREFIX },
    { "SS_LEFTNOWORDWRAP", SS_LEFTNOWORDWRAP },
    { "ES_LEFT", ES_LEFT }, { "ES_CENTER", ES_CENTER }, { "ES_RIGHT", ES_RIGHT }, { "ES_MULTILINE", ES_MULTILINE },
    { "ES_PASSWORD", ES_PASSWORD }, { "ES_AUTOHSCROLL", ES_AUTOHSCROLL }, { "ES_AUTOVSCROLL", ES_AUTOVSCROLL },
    { "ES_READONLY", ES_READONLY }, { "ES_NUMBER", ES_NUMBER }, { "ES_WANTRETURN", ES_WANTRETURN },
    { "CBS_DROPDOWN", CBS_DROPDOWN }, { "CBS_DROPDOWNLIST", CBS_DROPDOWNLIST }, { "CBS_SORT", CBS_SORT },
    { "CBS_HASSTRINGS", CBS_HASSTRINGS }, { "CBS_OWNERDRAWFIXED", CBS_OWNERDRAWFIXED }, { "CBS_AUTOHSCROLL", CBS_AUTOHSCROLL },
    { "LBS_NOTIFY", LBS_NOTIFY }, { "LBS_SORT", LBS_SORT }, { "LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT },
    { "CBS_OWNERDRAWVARIABLE", CBS_OWNERDRAWVARIABLE }, { "LBS_OWNERDRAWFIXED", LBS_OWNERDRAWFIXED },
    { "LBS_OWNERDRAWVARIABLE", LBS_OWNERDRAWVARIABLE }, { "LBS_HASSTRINGS", LBS_HASSTRINGS },
    { "LVS_REPORT", LVS_REPORT }, { "LVS_SINGLESEL", LVS_SINGLESEL }, { "LVS_SHOWSELALWAYS", LVS_SHOWSELALWAYS },
    { "LVS_OWNERDATA", LVS_OWNERDATA }, { "LVS_NOSORTHEADER", LVS_NOSORTHEADER },
    { "LVS_NOCOLUMNHEADER", LVS_NOCOLUMNHEADER }, { "LVS_NOSCROLL", LVS_NOSCROLL },
    { "TBS_AUTOTICKS", TBS_AUTOTICKS }, { "TBS_VERT", TBS_VERT }, { "TBS_NOTICKS", TBS_NOTICKS },
    { "PBS_SMOOTH", PBS_SMOOTH }, { "PBS_VERTICAL", PBS_VERTICAL },
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits a line into words; quoted texts keep their spaces. `quoted` marks which were quoted.
// Scanned by hand: find_first_of looked up each character in the blanks with a call of its
// own, a sixth of reading the resources.
bool tokenize(std::string_view line, std::vector<std::string>& words, std::vector<bool>& quoted)
{
    size_t i = 0;
    while (i < line.size()) {
        char const c = line[i];
        if (is_blank(c)) {
            ++i;
            continue;
        }
        if (c != '"') {
            size_t end = i;
            while (end < line.size() && !is_blank(line[end]))
                ++end;
            words.emplace_back(line.substr(i, end - i));
            quoted.push_back(false);
            i = end;
            continue;
        }
        std::string text;
        ++i;
        while (i < line.size() && line[i] != '"') {
            if (line[i] == '\\' && i + 1 < line.size())
                ++i;
            text += line[i++];
        }
        if (i >= line.size())
            return false;
        ++i;
        words.push_back(std::move(text));
        quoted.push_back(true);
    }
    return true;
}

// A word as an error may show it: at most 32 bytes, anything but printable ASCII as \xNN, so
// that a binary file gives readable messages.
std::string printable(std::string const& word)
{
    std::string out;
    for (size_t i = 0; i < word.size() && i < 32; ++i) {
        unsigned char const c = static_cast<unsigned char>(word[i]);
        if (c >= ' ' && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return word.size() > 32 ? out + "..." : out;
}

bool number(std::string const& word, long long& out)
{
    auto value = system::parse_integer<long long>(word, system::IntegerBase::DecimalOrHex);
    if (!value)
        return false;
    out = *value;
    return true;
}

// The style names as one table: looked up for every word of every control's style, which a
// walk through the names made the largest part of loading the resources.
std::unordered_map<std::string_view, DWORD> const& style_values()
{
    static auto const* values = [] {
        auto* table = new std::unordered_map<std::string_view, DWORD>;
        for (Named const& n : style_names)
            (*table)[n.name] |= n.value;
        return table;
    }();
    return *values;
}

// Split by hand: a stream per style word made this the largest part of loading the resources.
bool styles(std::string const& word, DWORD& out)
{
    out = 0;
    std::string_view rest = word;
    while (!rest.empty()) {
        size_t const bar = rest.find('|');
        std::string const part(rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        long long value = 0;
        if (number(part, value)) {
            if (value < INT32_MIN || value > UINT32_MAX)
                return false;
            out |= static_cast<DWORD>(value);
            continue;
        }
        auto const named = style_values().find(part);
        if (named == style_values().end())
            return false;
        out |= named->second;
    }
    return true;
}

}

constexpr int kMaxIncludeDepth = 8;
constexpr int kMaxUnits = 32767;
constexpr size_t kMaxFileBytes = 16u << 20;
constexpr size_t kMaxRawBytes = 16u << 20;

// One statement at a time; blocks (dialog, menu, popup) keep their state on a small stack.
class ResourceParser {
public:
    ResourceParser(ResourceSet& set, std::string base_dir, std::string name)
        : m_set(set)
        , m_base(std::move(base_dir))
        , m_name(std::move(name))
    {
    }

    void line(std::string_view text)
    {
        ++m_line;
        m_words.clear();
        m_quoted.clear();
        if (!tokenize(text, m_words, m_quoted))
            return error("unterminated text");
        if (m_words.empty() || (m_words[0][0] == '#' && !m_quoted[0]))
            return;
        m_reason.clear();
        if (!statement())
            error("malformed \"" + printable(m_words[0]) + "\"" + (m_reason.empty() ? "" : ": " + m_reason));
    }

    void finish()
    {
        if (m_dialog || !m_menus.empty())
            error("missing \"end\"");
    }

private:
    bool statement()
    {
        std::string const& w = m_words[0];
        if (m_dialog)
            return dialog_statement(w);
        if (!m_menus.empty())
            return menu_statement(w);
        if (w == "dialog")
            return begin_dialog();
        if (w == "menu")
            return begin_menu();
        if (w == "icon" || w == "bitmap" || w == "toolbar")
            return image(w);
        if (w == "raw")
            return raw();
        if (w == "string")
            return string_entry();
        if (w == "include")
            return include();
        return false;
    }

    // Another resource file, relative to this one; its errors are reported under its name.
    // Nesting is bounded so that a file including itself cannot recurse without end.
    bool include()
    {
        if (m_words.size() != 2 || !text_at(1) || m_set.m_include_depth >= kMaxIncludeDepth)
            return false;
        ++m_set.m_include_depth;
        m_set.load(m_base + "/" + m_words[1]);
        --m_set.m_include_depth;
        return true;
    }

    bool string_entry()
    {
        bool ok = m_words.size() == 3 && text_at(2);
        int const id = int_at(1, ok);
        if (!ok)
            return false;
        m_set.m_strings[id] = m_words[2];
        return true;
    }

    int int_at(size_t i, bool& ok) const
    {
        long long v = 0;
        ok = ok && i < m_words.size() && !m_quoted[i] && number(m_words[i], v) && v >= INT32_MIN && v <= INT32_MAX;
        return ok ? static_cast<int>(v) : 0;
    }

    // x, y, cx, cy at `i`: dialog units, which templates keep in 16 bits, so no rectangle built
    // from them can overflow and no window grows past what a screen shows.
    RECT rect_at(size_t i, bool& ok)
    {
        int const x = int_at(i, ok), y = int_at(i + 1, ok), cx = int_at(i + 2, ok), cy = int_at(i + 3, ok);
        if (!ok)
            return {};
        auto const in = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
        if (!in(x, -kMaxUnits, kMaxUnits) || !in(y, -kMaxUnits, kMaxUnits) || !in(cx, 0, kMaxUnits) || !in(cy, 0, kMaxUnits)) {
            ok = false;
            m_reason = "coordinates out of range (x and y from -32767 to 32767, sizes from 0 to 32767)";
            return {};
        }
        return RECT { x, y, x + cx, y + cy };
    }

    bool text_at(size_t i) const { return i < m_words.size() && m_quoted[i]; }

    bool begin_dialog()
    {
        bool ok = m_words.size() == 6;
        DialogResource d;
        d.id = int_at(1, ok);
        d.rect = rect_at(2, ok);
        if (!ok)
            return false;
        m_dialog = std::make_unique<DialogResource>(std::move(d));
        return true;
    }

    bool dialog_statement(std::string const& w)
    {
        DialogResource& d = *m_dialog;
        if (w == "end") {
            int const id = d.id;
            m_set.m_dialogs[id] = std::move(d);
            m_dialog.reset();
            return true;
        }
        if ((w == "style" || w == "exstyle") && m_words.size() == 2)
            return styles(m_words[1], w == "style" ? d.style : d.ex_style);
        if (w == "caption" && m_words.size() == 2 && text_at(1)) {
            d.caption = m_words[1];
            return true;
        }
        if (w == "font" && m_words.size() == 3 && text_at(1)) {
            bool ok = true;
            d.font_face = m_words[1];
            d.font_points = int_at(2, ok);
            return ok && d.font_points > 0;
        }
        if (w == "control")
            return control(d);
        if (w == "init" && m_words.size() >= 2) {
            bool ok = true;
            std::vector<std::string> items(m_words.begin() + 2, m_words.end());
            d.init.emplace_back(int_at(1, ok), std::move(items));
            return ok;
        }
        return false;
    }

    bool control(DialogResource& d)
    {
        bool ok = m_words.size() >= 9 && text_at(1) && text_at(8);
        DialogControlResource c;
        c.class_name = ok ? m_words[1] : "";
        c.id = int_at(2, ok);
        ok = ok && styles(m_words[3], c.style);
        c.rect = rect_at(4, ok);
        if (ok)
            c.text = m_words[8];
        for (size_t i = 9; ok && i + 1 < m_words.size() + 1; i += 2) {
            if (i + 1 >= m_words.size())
                return false;
            if (m_words[i] == "exstyle")
                ok = styles(m_words[i + 1], c.ex_style);
            else if (m_words[i] == "icon")
                c.icon = int_at(i + 1, ok);
            else if (m_words[i] == "bitmap")
                c.bitmap = int_at(i + 1, ok);
            else
                return false;
        }
        if (ok)
            d.controls.push_back(std::move(c));
        return ok;
    }

    bool begin_menu()
    {
        bool ok = m_words.size() == 2;
        MenuItemResource root;
        root.id = static_cast<UINT>(int_at(1, ok));
        if (ok)
            m_menus.push_back(std::move(root));
        return ok;
    }

    bool menu_statement(std::string const& w)
    {
        MenuItemResource& top = m_menus.back();
        if (w == "end") {
            MenuItemResource done = std::move(top);
            m_menus.pop_back();
            if (m_menus.empty()) {
                MenuResource menu { static_cast<int>(done.id), std::move(done.children) };
                m_set.m_menus[menu.id] = std::move(menu);
            } else {
                m_menus.back().children.push_back(std::move(done));
            }
            return true;
        }
        if (w == "separator" && m_words.size() == 1) {
            MenuItemResource item;
            item.separator = true;
            top.children.push_back(item);
            return true;
        }
        if (w == "popup" && m_words.size() == 2 && text_at(1)) {
            MenuItemResource popup;
            popup.text = m_words[1];
            popup.popup = true;
            m_menus.push_back(std::move(popup));
            return true;
        }
        if (w == "item" && m_words.size() >= 3 && text_at(2)) {
            bool ok = true;
            MenuItemResource item;
            item.id = static_cast<UINT>(int_at(1, ok));
            item.text = m_words[2];
            for (size_t i = 3; i < m_words.size(); ++i) {
                item.grayed = item.grayed || m_words[i] == "grayed";
                item.checked = item.checked || m_words[i] == "checked";
                ok = ok && (m_words[i] == "grayed" || m_words[i] == "checked");
            }
            if (ok)
                top.children.push_back(std::move(item));
            return ok;
        }
        return false;
    }

    bool image(std::string const& kind)
    {
        bool ok = m_words.size() >= 3 && text_at(2);
        int const id = int_at(1, ok);
        if (!ok)
            return false;
        ImageResource image { m_base + "/" + m_words[2], {}, {} };
        if (kind == "icon") {
            if (m_words.size() == 6 && m_words[3] == "hotspot")
                image.hotspot = POINT { int_at(4, ok), int_at(5, ok) };
            else if (m_words.size() != 3)
                return false;
            m_set.m_icons[id] = image;
        } else if (kind == "bitmap") {
            if (m_words.size() != 3)
                return false;
            m_set.m_bitmaps[id] = image;
        } else {
            if (m_words.size() != 5)
                return false;
            image.cell = SIZE { int_at(3, ok), int_at(4, ok) };
            m_set.m_toolbars[id] = image;
        }
        return ok;
    }

    bool raw()
    {
        bool ok = m_words.size() == 4 && text_at(2) && text_at(3);
        int const id = int_at(1, ok);
        if (!ok)
            return false;
        std::string bytes;
        auto const error = system::read_regular_file(m_base + "/" + m_words[3], bytes, kMaxRawBytes);
        if (error != system::ReadFileError::None) {
            m_set.m_missing.push_back(m_base + "/" + m_words[3] + ": " + system::to_string(error));
            return true;
        }
        RawResource r { m_words[2], std::vector<BYTE>(bytes.begin(), bytes.end()) };
        m_set.m_raw[{ id, m_words[2] }] = std::move(r);
        return true;
    }

    void error(std::string const& what)
    {
        m_set.m_errors.push_back(m_name + ":" + std::to_string(m_line) + ": " + what);
    }

    ResourceSet& m_set;
    std::string m_reason; // why the statement failed, when more can be said than "malformed"
    std::string m_base;
    std::string m_name;
    int m_line {};
    std::vector<std::string> m_words;
    std::vector<bool> m_quoted;
    std::unique_ptr<DialogResource> m_dialog;
    std::vector<MenuItemResource> m_menus;
};

bool ResourceSet::parse(std::string const& text, std::string const& base_dir, std::string const& name)
{
    ResourceParser parser(*this, base_dir, name);
    system::for_each_line(text, [&](std::string_view line) { parser.line(line); });
    parser.finish();
    return true;
}

bool ResourceSet::load(std::string const& path)
{
    std::string text;
    auto const error = system::read_regular_file(path, text, kMaxFileBytes);
    if (error != system::ReadFileError::None) {
        m_missing.push_back(path + ": " + system::to_string(error));
        return false;
    }
    if (m_include_depth == 0)
        m_loaded = true;
    size_t const slash = path.find_last_of('/');
    return parse(text, slash == std::string::npos ? "." : path.substr(0, slash), path);
}

}
