#include "platform/gdi/FontCache.h"

#include "platform/gdi/FontMatchCache.h"
#include "platform/gdi/Fontconfig.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <future>
#include <mutex>
#include <strings.h>

namespace platform::gdi {

namespace {

struct FontSettings {
    std::string pinned;
    std::map<std::string, std::shared_ptr<RealizedFont>> realized;
    unsigned generation { 1 };
};

FontSettings& settings()
{
    static FontSettings* s = new FontSettings;
    return *s;
}

FT_Library library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        FT_Init_FreeType(&l);
        return l;
    }();
    return lib;
}

// Faces the programs name that Linux does not have, and the installed family drawn instead:
// the face whose widths and line height come closest, so that a label takes about the room
// its dialog was laid out for. Arial, Times New Roman and Courier New have metric-compatible
// faces (Liberation); Microsoft Sans Serif and the dialog shell font share Arial's widths.
// Trebuchet MS and Segoe UI run a few per cent wider than Arial and DejaVu Sans some 15 per
// cent wider still, so Liberation Sans is the nearer. DejaVu Sans comes from Verdana's
// design widths; Tahoma is Verdana narrowed, as DejaVu Sans Condensed is DejaVu Sans.
// The install script installs each family named here.
struct Substitution {
    char const* face;
    char const* family;
};
constexpr Substitution substitutions[] = {
    { "Trebuchet MS", "Liberation Sans" },
    { "Microsoft Sans Serif", "Liberation Sans" },
    { "MS Sans Serif", "Liberation Sans" },
    { "MS Shell Dlg", "Liberation Sans" },
    { "MS Shell Dlg 2", "DejaVu Sans Condensed" },
    { "Tahoma", "DejaVu Sans Condensed" },
    { "Arial", "Liberation Sans" },
    { "Helvetica", "Liberation Sans" },
    { "Verdana", "DejaVu Sans" },
    { "Segoe UI", "Liberation Sans" },
    { "System", "Liberation Sans" },
    { "Times New Roman", "Liberation Serif" },
    { "Courier New", "Liberation Mono" },
    { "Courier", "Liberation Mono" },
    { "Terminal", "DejaVu Sans Mono" },
};

// fontconfig keeps its configuration for the whole process; it is released at exit. Reading
// it is about a fifth of a program's start-up, and its answers are kept across starts
// (FontMatchCache), so a program reads it only when an answer is missing: then early, on a
// thread of its own (preload_fonts), or when a face first needs it. The library itself is
// opened then too: a program whose answers are all kept never maps it.
struct FontconfigLoad {
    std::once_flag started;
    std::shared_future<void> done;
};

FontconfigLoad& fontconfig_load()
{
    static auto* load = new FontconfigLoad;
    return *load;
}

void start_fontconfig()
{
    auto& load = fontconfig_load();
    std::call_once(load.started, [&] {
        std::atexit([] {
            fontconfig_load().done.wait();
            fontconfig().FcFini();
        });
        load.done = std::async(std::launch::async, [] { fontconfig().FcInit(); }).share();
    });
}

FontMatchCache& match_cache()
{
    static auto* cache = new FontMatchCache(FontMatchCache::default_file());
    return *cache;
}

std::string ask_fontconfig(std::string const& family, bool bold, bool italic, char32_t needs)
{
    start_fontconfig();
    fontconfig_load().done.wait();
    Fontconfig const& fc = fontconfig();
    FcPattern* pattern = fc.FcPatternCreate();
    if (!family.empty())
        fc.FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<FcChar8 const*>(family.c_str()));
    fc.FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fc.FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (needs) {
        FcCharSet* set = fc.FcCharSetCreate();
        fc.FcCharSetAddChar(set, needs);
        fc.FcPatternAddCharSet(pattern, FC_CHARSET, set);
        fc.FcCharSetDestroy(set);
    }
    fc.FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    fc.FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = fc.FcFontMatch(nullptr, pattern, &result);
    std::string path;
    FcChar8* file = nullptr;
    if (match && fc.FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<char const*>(file);
    if (match)
        fc.FcPatternDestroy(match);
    fc.FcPatternDestroy(pattern);
    return path;
}

// A face for a code point the first face lacks is asked of fontconfig each time (rare, and
// the answers would be one per code point); faces by name are kept.
std::string match_file(std::string const& family, bool bold, bool italic, char32_t needs = 0)
{
    if (needs)
        return ask_fontconfig(family, bold, italic, needs);
    if (auto kept = match_cache().find(family, bold, italic))
        return *kept;
    std::string path = ask_fontconfig(family, bold, italic, 0);
    match_cache().remember(family, bold, italic, path);
    return path;
}

}

void preload_fonts()
{
    if (!match_cache().warm())
        start_fontconfig();
}


class FontFace {
public:
    explicit FontFace(std::string path)
        : m_path(std::move(path))
    {
        if (FT_New_Face(library(), m_path.c_str(), 0, &m_face) != 0)
            m_face = nullptr;
    }
    ~FontFace()
    {
        if (m_face)
            FT_Done_Face(m_face);
    }
    FT_Face face() const { return m_face; }
    std::string const& path() const { return m_path; }
    std::string family() const { return m_face && m_face->family_name ? m_face->family_name : ""; }
    bool is_bold() const { return m_face && (m_face->style_flags & FT_STYLE_FLAG_BOLD); }
    bool is_italic() const { return m_face && (m_face->style_flags & FT_STYLE_FLAG_ITALIC); }

private:
    std::string m_path;
    FT_Face m_face { nullptr };
};

static std::shared_ptr<FontFace> open_face(std::string const& path)
{
    static std::map<std::string, std::weak_ptr<FontFace>> faces;
    if (auto face = faces[path].lock())
        return face;
    auto face = std::make_shared<FontFace>(path);
    faces[path] = face;
    return face;
}

std::string substitute_face(std::string const& face)
{
    for (Substitution const& s : substitutions)
        if (strcasecmp(s.face, face.c_str()) == 0)
            return s.family;
    return face.empty() ? "DejaVu Sans" : face;
}

bool detail::monochrome_glyphs_on = false;

void set_monochrome_glyphs(bool on)
{
    detail::monochrome_glyphs_on = on;
}

void pin_font_file(std::string const& path)
{
    settings().pinned = path;
    settings().realized.clear();
    ++settings().generation;
}

unsigned realized_font_generation()
{
    return settings().generation;
}

std::u32string decode_utf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size() + (extra == 0 ? 1 : 0)) {
            out.push_back(0xFFFD); // a stray or truncated byte
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
        bool bad = false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xC0) != 0x80)
                bad = true;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (bad) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

static int pixel_size_for(LOGFONT const& lf, FT_Face face)
{
    if (lf.lfHeight < 0)
        return -lf.lfHeight;
    int cell = lf.lfHeight == 0 ? 16 : lf.lfHeight;
    TT_OS2* os2 = face ? static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)) : nullptr;
    double units = face ? face->units_per_EM : 1;
    double span = os2 ? os2->usWinAscent + os2->usWinDescent : (face ? face->ascender - face->descender : 1);
    return std::max(1, static_cast<int>(std::lround(cell * units / span)));
}

RealizedFont::RealizedFont(LOGFONT const& logfont, std::shared_ptr<FontFace> face, int pixel_size)
    : m_logfont(logfont)
    , m_face(std::move(face))
    , m_pixel_size(pixel_size)
{
    bool bold = logfont.lfWeight >= FW_SEMIBOLD;
    m_bold_synthetic = bold && !m_face->is_bold();
    m_italic_synthetic = logfont.lfItalic && !m_face->is_italic();
    FT_Face f = m_face->face();
    TEXTMETRIC& tm = m_metrics;
    tm.tmWeight = bold ? FW_BOLD : FW_NORMAL;
    tm.tmItalic = logfont.lfItalic ? 1 : 0;
    tm.tmUnderlined = logfont.lfUnderline ? 1 : 0;
    tm.tmStruckOut = logfont.lfStrikeOut ? 1 : 0;
    tm.tmCharSet = logfont.lfCharSet;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    if (!f)
        return;
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixel_size));
    TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    double scale = static_cast<double>(pixel_size) / f->units_per_EM;
    double ascent = os2 ? os2->usWinAscent : f->ascender;
    double descent = os2 ? os2->usWinDescent : -f->descender;
    tm.tmAscent = static_cast<LONG>(std::ceil(ascent * scale - 0.01));
    tm.tmDescent = static_cast<LONG>(std::ceil(descent * scale - 0.01));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - pixel_size);
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = os2 && os2->xAvgCharWidth ? static_cast<LONG>(std::lround(os2->xAvgCharWidth * scale)) : glyph(U'x').advance;
    tm.tmMaxCharWidth = static_cast<LONG>(std::ceil((f->bbox.xMax - f->bbox.xMin) * scale));
    tm.tmPitchAndFamily = static_cast<BYTE>((FT_IS_FIXED_WIDTH(f) ? 0 : 1) | 0x04 | FF_SWISS); // TMPF_TRUETYPE
    m_underline_position = std::max(1, static_cast<int>(std::lround(-f->underline_position * scale)));
    m_underline_thickness = std::max(1, static_cast<int>(std::lround(f->underline_thickness * scale)));
}

RealizedFont::~RealizedFont() = default;

std::string const& RealizedFont::face_name() const
{
    static thread_local std::string name;
    name = m_face->family();
    return name;
}

std::string const& RealizedFont::file() const
{
    return m_face->path();
}

Glyph const& RealizedFont::find_glyph(char32_t code_point)
{
    if (m_mono_at_render != monochrome_glyphs()) {
        m_glyphs.clear();
        m_latin.fill(nullptr);
        m_mono_at_render = monochrome_glyphs();
    }
    auto it = m_glyphs.find(code_point);
    if (it == m_glyphs.end())
        it = m_glyphs.emplace(code_point, load_glyph(code_point)).first;
    if (code_point < m_latin.size())
        m_latin[code_point] = &it->second;
    return it->second;
}

Glyph RealizedFont::load_glyph(char32_t code_point)
{
    FontFace* face = m_face.get();
    std::shared_ptr<FontFace> fallback;
    if (face->face() && code_point >= 0x20 && FT_Get_Char_Index(face->face(), code_point) == 0) {
        std::string path = match_file("", m_logfont.lfWeight >= FW_SEMIBOLD, m_logfont.lfItalic, code_point);
        if (!path.empty()) {
            fallback = open_face(path);
            if (fallback->face() && FT_Get_Char_Index(fallback->face(), code_point) != 0)
                face = fallback.get();
        }
    }
    return render(*face, code_point, m_pixel_size);
}

Glyph RealizedFont::render(FontFace& face, char32_t code_point, int pixel_size)
{
    Glyph g;
    FT_Face f = face.face();
    if (!f)
        return g;
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixel_size));
    FT_Matrix shear { 0x10000, m_italic_synthetic ? 0x5800 : 0, 0, 0x10000 };
    FT_Set_Transform(f, &shear, nullptr);
    bool mono = monochrome_glyphs() || m_logfont.lfQuality == NONANTIALIASED_QUALITY;
    FT_Int32 flags = FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
    if (code_point < 0x20 || FT_Load_Char(f, code_point, flags) != 0) {
        FT_Set_Transform(f, nullptr, nullptr);
        return g;
    }
    FT_GlyphSlot slot = f->glyph;
    int extra = 0;
    if (m_bold_synthetic && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&slot->outline, std::max<FT_Pos>(64, pixel_size * 2));
        extra = 1;
    }
    FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL);
    FT_Set_Transform(f, nullptr, nullptr);
    FT_Bitmap const& bm = slot->bitmap;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6) + extra;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width * g.height));
    for (int y = 0; y < g.height; ++y) {
        unsigned char const* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < g.width; ++x) {
            std::uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0) : row[x];
            g.coverage[static_cast<std::size_t>(y * g.width + x)] = v;
        }
    }
    return g;
}

static std::string cache_key(LOGFONT const& lf)
{
    char face[LF_FACESIZE + 1] {};
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    return std::to_string(lf.lfHeight) + "/" + std::to_string(lf.lfWeight >= FW_SEMIBOLD) + "/" + std::to_string(lf.lfItalic != 0) + "/"
        + std::to_string(lf.lfUnderline != 0) + std::to_string(lf.lfStrikeOut != 0) + std::to_string(lf.lfQuality) + "/" + face;
}

std::shared_ptr<RealizedFont> realize_font(LOGFONT const& logfont)
{
    std::string key = cache_key(logfont);
    auto& cache = settings().realized;
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    char face_name[LF_FACESIZE + 1] {};
    std::memcpy(face_name, logfont.lfFaceName, LF_FACESIZE);
    bool bold = logfont.lfWeight >= FW_SEMIBOLD;
    std::string path = settings().pinned;
    if (path.empty())
        path = match_file(substitute_face(face_name), bold, logfont.lfItalic != 0);
    auto face = open_face(path);
    auto font = std::make_shared<RealizedFont>(logfont, face, pixel_size_for(logfont, face->face()));
    cache.emplace(key, font);
    return font;
}

}
