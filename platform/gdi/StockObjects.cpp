#include "platform/gdi/StockObjects.h"

#include "platform/gdi/DeviceContext.h"

#include <array>
#include <cstring>

namespace platform::gdi {

LOGFONT make_logfont(int height, int weight, char const* face)
{
    LOGFONT lf {};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

LOGFONT default_gui_logfont()
{
    return make_logfont(-11, FW_NORMAL, "MS Shell Dlg");
}

static std::unique_ptr<GdiObject> make_stock(int index)
{
    switch (index) {
    case WHITE_BRUSH:
        return std::make_unique<BrushObject>(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH:
        return std::make_unique<BrushObject>(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH:
        return std::make_unique<BrushObject>(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH:
        return std::make_unique<BrushObject>(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH:
        return std::make_unique<BrushObject>(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH:
        return std::make_unique<BrushObject>(BS_NULL, 0);
    case WHITE_PEN:
        return std::make_unique<PenObject>(PS_SOLID, 0, RGB(255, 255, 255));
    case BLACK_PEN:
        return std::make_unique<PenObject>(PS_SOLID, 0, RGB(0, 0, 0));
    case NULL_PEN:
        return std::make_unique<PenObject>(PS_NULL, 0, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        return std::make_unique<FontObject>(make_logfont(-13, FW_NORMAL, "Courier New"));
    case ANSI_VAR_FONT:
        return std::make_unique<FontObject>(make_logfont(-11, FW_NORMAL, "MS Sans Serif"));
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        return std::make_unique<FontObject>(make_logfont(16, FW_BOLD, "System"));
    case DEFAULT_GUI_FONT:
        return std::make_unique<FontObject>(default_gui_logfont());
    case DEFAULT_PALETTE: {
        std::vector<PALETTEENTRY> entries;
        for (COLORREF c : { RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128), RGB(128, 0, 128),
                 RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
                 RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255) })
            entries.push_back(PALETTEENTRY { GetRValue(c), GetGValue(c), GetBValue(c), 0 });
        return std::make_unique<PaletteObject>(std::move(entries));
    }
    case DC_BRUSH: {
        auto brush = std::make_unique<BrushObject>(BS_SOLID, 0);
        brush->dc_brush = true;
        return brush;
    }
    case DC_PEN: {
        auto pen = std::make_unique<PenObject>(PS_SOLID, 0, 0);
        pen->dc_pen = true;
        return pen;
    }
    default:
        return nullptr;
    }
}

static std::array<HGDIOBJ, DC_PEN + 1>& stock_table()
{
    static std::array<HGDIOBJ, DC_PEN + 1>* table = [] {
        auto* t = new std::array<HGDIOBJ, DC_PEN + 1> {};
        for (int i = 0; i <= DC_PEN; ++i) {
            if (auto object = make_stock(i)) {
                object->set_stock();
                (*t)[static_cast<std::size_t>(i)] = ObjectTable::the().add(std::move(object));
            }
        }
        return t;
    }();
    return *table;
}

HGDIOBJ stock_object(int index)
{
    if (index < 0 || index > DC_PEN)
        return nullptr;
    return stock_table()[static_cast<std::size_t>(index)];
}

bool is_stock(HGDIOBJ object)
{
    GdiObject* o = ObjectTable::the().find(object);
    return o && o->stock();
}

HBITMAP default_bitmap()
{
    static HBITMAP bitmap = [] {
        auto object = std::make_unique<BitmapObject>();
        object->surface = std::make_unique<Surface>(1, 1, 1);
        object->set_stock();
        return static_cast<HBITMAP>(ObjectTable::the().add(std::move(object)));
    }();
    return bitmap;
}

}

extern "C" HGDIOBJ GetStockObject(int index)
{
    return platform::gdi::stock_object(index);
}
