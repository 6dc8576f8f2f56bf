// A device context: the drawing state (selected objects, colours, modes, origins, clip) over
// a target surface. A memory DC draws into its selected bitmap; a window DC into the surface
// of its top-level window, offset to the window and clipped to its visible part. The initial
// state is written down in Gdi.h.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Raster.h"

#include <memory>
#include <optional>
#include <vector>

namespace platform::gdi {

struct DcState {
    HGDIOBJ pen { nullptr };
    HGDIOBJ brush { nullptr };
    HGDIOBJ font { nullptr };
    HGDIOBJ bitmap { nullptr };
    HGDIOBJ palette { nullptr };
    COLORREF text_colour { 0 };
    COLORREF background_colour { 0xFFFFFF };
    int background_mode { OPAQUE };
    UINT text_align { 0 };
    int rop2 { R2_COPYPEN };
    POINT window_origin { 0, 0 };
    POINT viewport_origin { 0, 0 };
    POINT brush_origin { 0, 0 };
    POINT position { 0, 0 };
    COLORREF dc_brush_colour { 0xFFFFFF };
    COLORREF dc_pen_colour { 0 };
    std::optional<Region> clip; // device units
};

class DeviceContext : public GdiObject {
public:
    static constexpr ObjectKind Kind = ObjectKind::DeviceContext;
    enum class Type { Memory, Window };

    explicit DeviceContext(Type type);
    ~DeviceContext() override;

    Type type() const { return m_type; }
    DcState& state() { return m_state; }
    DcState const& state() const { return m_state; }

    // Selects a pen, brush, font, bitmap (memory DCs) or palette; answers the previous one of
    // that kind, or null when the object cannot be selected.
    HGDIOBJ select(HGDIOBJ object);
    int save();
    bool restore(int level);

    // Window DCs: the top-level surface, where device (0, 0) lies on it, and the visible part
    // in device units.
    void bind_window(HWND hwnd, std::shared_ptr<Surface> surface, POINT origin, Region visible);
    HWND window() const { return m_hwnd; }

    Surface* surface();
    // The clip in device units (clip region, visible area and surface bounds together).
    Region device_clip();
    // The target and its clip for drawing; asking for it counts as drawing (drew()).
    Canvas const& canvas();
    // The same for reading pixels, which changes nothing on the screen.
    Canvas const& canvas_for_reading();
    bool drew() const { return m_drew; }
    // Where the DC can draw, in its target's coordinates (a window DC: its top-level window's).
    RECT drawable_bounds();
    // The DC BeginPaint made: EndPaint reports its area itself.
    void set_painting(bool painting) { m_painting = painting; }
    bool painting() const { return m_painting; }
    void clip_changed() { m_canvas_valid = false; }

    POINT to_device(POINT logical) const;
    POINT to_logical(POINT device) const;
    POINT to_surface(POINT logical) const;
    RECT to_surface(RECT const& logical) const;
    POINT origin() const { return m_origin; }

    // Colours as the target stores them: palette-relative colours through the selected palette.
    Pixel resolve(COLORREF colour) const;
    // The fill of the selected (or given) brush; nullopt for a hollow brush.
    std::optional<Paint> brush_paint(HGDIOBJ brush);
    std::optional<Paint> pen_paint();
    Paint solid_paint(COLORREF colour) const;
    SourceColours source_colours_for_target() const;

private:
    void adopt(HGDIOBJ& slot, HGDIOBJ object);

    Type m_type;
    DcState m_state;
    std::vector<DcState> m_saved;
    HWND m_hwnd { nullptr };
    std::shared_ptr<Surface> m_window_surface;
    POINT m_origin { 0, 0 };
    std::optional<Region> m_visible;
    Canvas m_canvas;
    SIZE m_canvas_size { 0, 0 };
    bool m_canvas_valid { false };
    bool m_drew { false };
    bool m_painting { false };
    std::vector<Pixel> m_pattern; // resolved pixels of the current pattern brush
};

DeviceContext* dc_of(HDC dc);
HDC create_dc(DeviceContext::Type type);

// Device capabilities, injectable: tests turn the screen into a palette device.
struct DeviceCaps {
    int bits_per_pixel { 32 };
    int planes { 1 };
    bool palette { false };
    int dpi { 96 };
};
DeviceCaps& device_caps();

// A 1 x 1 monochrome bitmap, the one every memory DC starts with.
HBITMAP default_bitmap();

}
