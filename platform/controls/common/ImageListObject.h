// The inside of an image list: the pixels and transparency of every image, and the strips
// (all images side by side, transparent pixels black, plus a white-on-black mask) that drawing
// blits from. The strips are rebuilt on the first draw after a change.
#pragma once

#include "platform/controls/common/ImageList.h"

#include <cstdint>
#include <vector>

namespace platform::commctrl {

struct DrawRequest {
    int index {};
    HDC dc {};
    int x {};
    int y {};
    int cx {}; // 0: the image's width
    int cy {};
    int x_bitmap {};
    int y_bitmap {};
    COLORREF background { CLR_DEFAULT };
    COLORREF foreground { CLR_DEFAULT };
    UINT style {};
};

class ImageListObject {
public:
    ImageListObject(int cx, int cy, UINT flags);
    ~ImageListObject();
    ImageListObject(ImageListObject const&) = delete;
    ImageListObject& operator=(ImageListObject const&) = delete;

    static ImageListObject* from(HIMAGELIST handle);
    HIMAGELIST handle() { return reinterpret_cast<HIMAGELIST>(this); }

    int cx() const { return m_cx; }
    int cy() const { return m_cy; }
    int count() const { return m_count; }
    bool has_mask() const { return m_flags & ILC_MASK; }
    COLORREF background() const { return m_background; }
    COLORREF set_background(COLORREF colour);
    bool valid_index(int index) const { return index >= 0 && index < m_count; }

    // Adds or replaces from a bitmap; `transparent_colour` (when not CLR_NONE) or the white
    // pixels of `mask` (when given) become transparent. Answers the first index, or -1.
    int add_bitmap(HBITMAP image, HBITMAP mask, COLORREF transparent_colour);
    bool replace_bitmap(int index, HBITMAP image, HBITMAP mask);
    int replace_icon(int index, HICON icon);
    bool remove(int index);
    void set_count(int count);

    bool draw(DrawRequest const& request);
    bool image_info(int index, IMAGEINFO& info);
    HICON make_icon(int index);

    // Read access for tests and drawing: 0x00RRGGBB, and whether a pixel is transparent.
    COLORREF pixel(int index, int x, int y) const;
    bool transparent(int index, int x, int y) const;

private:
    struct Pixels {
        int width {};
        int height {};
        std::vector<std::uint32_t> rgb; // 0x00RRGGBB, top-down
        std::vector<std::uint8_t> clear; // 1: transparent
    };
    static bool read_bitmap(HBITMAP bitmap, Pixels& out);
    void store(int index, Pixels const& source, int source_x);
    void ensure_strips();
    void drop_strips();
    HDC blend_source(int index, int x_bitmap, int y_bitmap, int width, int height, COLORREF blend);

    int m_cx;
    int m_cy;
    UINT m_flags;
    int m_count {};
    COLORREF m_background { CLR_NONE };
    std::vector<std::uint32_t> m_rgb; // image i at [i * cx * cy]
    std::vector<std::uint8_t> m_clear;

    bool m_strips_valid {};
    HBITMAP m_colour_strip {};
    HBITMAP m_mask_strip {};
    HDC m_colour_dc {};
    HDC m_mask_dc {};
    HGDIOBJ m_colour_old {};
    HGDIOBJ m_mask_old {};
    std::uint32_t* m_colour_bits {};
    std::uint32_t* m_mask_bits {};
    HBITMAP m_scratch {};
    HDC m_scratch_dc {};
    HGDIOBJ m_scratch_old {};
    std::uint32_t* m_scratch_bits {};
};

// A 32-bit top-down DIB section selected into a new memory DC; used by the image list and
// the controls' tests.
HBITMAP make_dib(int width, int height, std::uint32_t** bits);

}
