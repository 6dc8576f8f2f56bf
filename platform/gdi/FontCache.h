// Realised fonts: a logical font resolved to a font file (substitution table, fontconfig, or
// the pinned test font), opened with FreeType at a pixel size, with its GDI metrics and a
// cache of rendered glyphs. Code points the face lacks come from a fallback face.
// Text is drawn on the user-interface thread; the cache is not shared between threads.
#pragma once

#include "platform/gdi/Text.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::gdi {

struct Glyph {
    int advance { 0 }; // pixels to the next glyph
    int left { 0 }; // from the pen position to the bitmap's left column
    int top { 0 }; // from the baseline up to the bitmap's top row
    int width { 0 };
    int height { 0 };
    std::vector<std::uint8_t> coverage; // 0..255 per pixel, rows top-down
};

class FontFace;

// Starts reading the font configuration on a thread of its own, so that the first text a
// program draws waits for less of it. Programs call it first thing; it is never needed.
void preload_fonts();

namespace detail {
extern bool monochrome_glyphs_on;
}
// The test switch set_monochrome_glyphs(); glyphs are rendered again when it flips. Read for
// every glyph drawn, so inline.
inline bool monochrome_glyphs() { return detail::monochrome_glyphs_on; }

class RealizedFont {
public:
    RealizedFont(LOGFONT const& logfont, std::shared_ptr<FontFace> face, int pixel_size);
    ~RealizedFont();

    TEXTMETRIC const& metrics() const { return m_metrics; }
    LOGFONT const& logfont() const { return m_logfont; }
    std::string const& face_name() const;
    // The font file drawn from.
    std::string const& file() const;
    Glyph const& glyph(char32_t code_point)
    {
        if (code_point < m_latin.size() && m_latin[code_point] && m_mono_at_render == monochrome_glyphs())
            return *m_latin[code_point];
        return find_glyph(code_point);
    }
    int underline_position() const { return m_underline_position; } // below the baseline
    int underline_thickness() const { return m_underline_thickness; }

private:
    Glyph const& find_glyph(char32_t code_point);
    Glyph load_glyph(char32_t code_point);
    Glyph render(FontFace& face, char32_t code_point, int pixel_size);

    LOGFONT m_logfont;
    std::shared_ptr<FontFace> m_face;
    int m_pixel_size;
    bool m_bold_synthetic { false };
    bool m_italic_synthetic { false };
    TEXTMETRIC m_metrics {};
    int m_underline_position { 1 };
    int m_underline_thickness { 1 };
    std::map<char32_t, Glyph> m_glyphs;
    // Latin-1 glyphs of m_glyphs, looked up without a search (map nodes do not move).
    std::array<Glyph const*, 256> m_latin {};
    bool m_mono_at_render { false };
};

// The realised font of a logical font; equal logical fonts share one.
std::shared_ptr<RealizedFont> realize_font(LOGFONT const& logfont);
// Changes whenever the realised fonts are dropped, so that holders of one ask again.
unsigned realized_font_generation();
// The installed family a face name stands for ("Arial" -> "Liberation Sans").
std::string substitute_face(std::string const& face);

// Test switches.
void set_monochrome_glyphs(bool on);
// Every face resolves to this file (bold and italic are synthesised); empty to undo.
void pin_font_file(std::string const& path);

std::u32string decode_utf8(std::string_view text);

}
