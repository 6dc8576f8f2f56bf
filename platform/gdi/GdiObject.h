// The objects behind GDI handles (pens, brushes, fonts, bitmaps, regions, palettes, icons;
// device contexts in DeviceContext.h) and the table that hands out their handles. A handle
// carries a slot and a generation, so a handle kept after DeleteObject never reaches a new
// object. Stock objects cannot be deleted, and an object selected into a DC is not deleted.
#pragma once

#include "platform/gdi/Surface.h"
#include "platform/gdi/Text.h"
#include "platform/user/Region.h"

#include <memory>
#include <mutex>
#include <vector>

namespace platform::gdi {

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region, Palette, DeviceContext, Icon };

class GdiObject {
public:
    explicit GdiObject(ObjectKind kind)
        : m_kind(kind)
    {
    }
    virtual ~GdiObject() = default;
    ObjectKind kind() const { return m_kind; }
    bool stock() const { return m_stock; }
    void set_stock() { m_stock = true; }
    int selections() const { return m_selections; }
    void selected() { ++m_selections; }
    void deselected() { --m_selections; }

private:
    ObjectKind m_kind;
    bool m_stock { false };
    int m_selections { 0 };
};

struct PenObject : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Pen;
    PenObject(int style_, int width_, COLORREF colour_)
        : GdiObject(Kind), style(style_), width(width_), colour(colour_) { }
    int style;
    int width;
    COLORREF colour;
    bool dc_pen { false }; // DC_PEN: the DC's pen colour
};

struct BrushObject : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Brush;
    BrushObject(UINT style_, COLORREF colour_)
        : GdiObject(Kind), style(style_), colour(colour_) { }
    UINT style;
    COLORREF colour;
    int system_colour { -1 }; // a GetSysColorBrush brush follows SetSysColors
    bool dc_brush { false };
    std::shared_ptr<Surface> pattern; // BS_PATTERN: a copy of the bitmap
};

class RealizedFont;

struct FontObject : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Font;
    explicit FontObject(LOGFONT const& lf)
        : GdiObject(Kind), logfont(lf) { }
    LOGFONT logfont;
    // The realised font last drawn with, valid while the font cache keeps its generation.
    std::shared_ptr<RealizedFont> realized;
    unsigned realized_generation { 0 };
};

struct BitmapObject : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Bitmap;
    BitmapObject()
        : GdiObject(Kind) { }
    std::vector<std::uint8_t> storage; // the pixels of a DIB section, given to the caller
    std::unique_ptr<Surface> surface;
    bool dib { false };
};

struct RegionObject : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Region;
    explicit RegionObject(Region r)
        : GdiObject(Kind), region(std::move(r)) { }
    Region region;
};

struct PaletteObject : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Palette;
    explicit PaletteObject(std::vector<PALETTEENTRY> e)
        : GdiObject(Kind), entries(std::move(e)) { }
    std::vector<PALETTEENTRY> entries;
};

struct IconObject : GdiObject {
    static constexpr ObjectKind Kind = ObjectKind::Icon;
    IconObject()
        : GdiObject(Kind) { }
    bool is_icon { true };
    POINT hot_spot { 0, 0 };
    std::unique_ptr<Surface> colour; // may be absent: a monochrome icon keeps both halves in the mask
    std::unique_ptr<Surface> mask;
};

class ObjectTable {
public:
    static ObjectTable& the();

    void* add(std::unique_ptr<GdiObject> object);
    GdiObject* find(void const* handle);
    template<typename T>
    T* get(void const* handle)
    {
        GdiObject* object = find(handle);
        return object && object->kind() == T::Kind ? static_cast<T*>(object) : nullptr;
    }
    // Deletes the object unless it is a stock object or selected into a DC.
    bool remove(void const* handle);
    std::size_t live_count();

private:
    struct Slot {
        std::unique_ptr<GdiObject> object;
        std::uint32_t generation { 0 };
    };
    std::mutex m_mutex;
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_free;
};

template<typename T>
T* lookup(void const* handle) { return ObjectTable::the().get<T>(handle); }

// A surface copied from a bitmap (pattern brushes, icons keep their own pixels).
std::unique_ptr<Surface> copy_surface(Surface const& source);

}
