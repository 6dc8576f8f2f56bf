// The system colour table, its brushes, and the probe scheme for tests.
#include "platform/gdi/SysColors.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysPaint.h"

#include <array>
#include <mutex>

namespace platform::gdi {

namespace {

constexpr std::array<COLORREF, SYS_COLOR_COUNT> classic_scheme {
    RGB(192, 192, 192), // COLOR_SCROLLBAR
    RGB(0, 128, 128), // COLOR_BACKGROUND
    RGB(0, 0, 128), // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(255, 255, 255), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0), // COLOR_WINDOWFRAME
    RGB(0, 0, 0), // COLOR_MENUTEXT
    RGB(0, 0, 0), // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(192, 192, 192), // COLOR_ACTIVEBORDER
    RGB(192, 192, 192), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(0, 0, 128), // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0), // COLOR_BTNTEXT
    RGB(192, 192, 192), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64), // COLOR_3DDKSHADOW
    RGB(223, 223, 223), // COLOR_3DLIGHT
    RGB(0, 0, 0), // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(181, 181, 181), // 25, unused
    RGB(0, 0, 255), // COLOR_HOTLIGHT
    RGB(16, 132, 208), // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181), // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128), // COLOR_MENUHILIGHT
    RGB(192, 192, 192), // COLOR_MENUBAR
};
static_assert(classic_scheme.size() == COLOR_MENUBAR + 1);

struct SysColorTable {
    std::mutex mutex;
    std::array<COLORREF, SYS_COLOR_COUNT> colours = classic_scheme;
    std::array<HBRUSH, SYS_COLOR_COUNT> brushes {};
};

SysColorTable& table()
{
    static SysColorTable* t = new SysColorTable; // its brushes are stock objects, kept to the end
    return *t;
}

}

COLORREF sys_color(int index)
{
    if (index < 0 || index >= SYS_COLOR_COUNT)
        return 0;
    std::lock_guard lock(table().mutex);
    return table().colours[static_cast<std::size_t>(index)];
}

void set_sys_color(int index, COLORREF colour)
{
    if (index < 0 || index >= SYS_COLOR_COUNT)
        return;
    std::lock_guard lock(table().mutex);
    table().colours[static_cast<std::size_t>(index)] = colour & 0xFFFFFF;
}

HBRUSH sys_color_brush(int index)
{
    if (index < 0 || index >= SYS_COLOR_COUNT)
        return nullptr;
    std::lock_guard lock(table().mutex);
    HBRUSH& brush = table().brushes[static_cast<std::size_t>(index)];
    if (!brush) {
        auto object = std::make_unique<BrushObject>(BS_SOLID, 0);
        object->system_colour = index;
        object->set_stock();
        brush = static_cast<HBRUSH>(ObjectTable::the().add(std::move(object)));
    }
    return brush;
}

void use_classic_scheme()
{
    std::lock_guard lock(table().mutex);
    table().colours = classic_scheme;
}

void use_probe_scheme()
{
    // Pairwise distinct: every entry differs in red, and no entry is black or white, so a
    // probe tells which system colour was used.
    std::lock_guard lock(table().mutex);
    for (int i = 0; i < SYS_COLOR_COUNT; ++i)
        table().colours[static_cast<std::size_t>(i)] = probe_color(i);
}

COLORREF probe_color(int index)
{
    return RGB(static_cast<BYTE>(16 + index * 7), static_cast<BYTE>(200 - index * 5), static_cast<BYTE>(40 + index * 3));
}

}

extern "C" {

DWORD GetSysColor(int index)
{
    return platform::gdi::sys_color(index);
}

HBRUSH GetSysColorBrush(int index)
{
    return platform::gdi::sys_color_brush(index);
}

}
