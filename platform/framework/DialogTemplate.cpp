#include "platform/framework/DialogTemplate.h"

#include "platform/framework/DialogManager.h"
#include "platform/framework/ResourceApi.h"
#include "platform/framework/Wnd.h"
#include "platform/gdi/FontCache.h"
#include "platform/gdi/Text.h"
#include "platform/system/Kernel.h"
#include "platform/user/WindowCore.h"

#include <map>
#include <mutex>

using namespace platform::framework;

CDialogTemplate::CDialogTemplate(LPCDLGTEMPLATE source)
{
    if (DialogResource const* dialog = template_of(source))
        set(*dialog);
}

CDialogTemplate::~CDialogTemplate()
{
    release();
}

void CDialogTemplate::release()
{
    if (m_hTemplate)
        GlobalFree(m_hTemplate);
    m_hTemplate = nullptr;
    m_dwTemplateSize = 0;
}

void CDialogTemplate::set(DialogResource const& dialog)
{
    release();
    m_dialog = std::make_unique<DialogResource>(dialog);
    m_hTemplate = GlobalAlloc(0, sizeof(DLGTEMPLATE));
    if (auto* locked = static_cast<DLGTEMPLATE*>(GlobalLock(m_hTemplate))) {
        *locked = DLGTEMPLATE { dialog_template_magic, m_dialog.get() };
        GlobalUnlock(m_hTemplate);
    }
    m_dwTemplateSize = sizeof(DLGTEMPLATE);
    m_bSystemFont = !(dialog.style & DS_SETFONT);
}

BOOL CDialogTemplate::Load(LPCTSTR name)
{
    int const id = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1;
    DialogResource const* dialog = resources().dialog(id);
    if (!dialog)
        return FALSE;
    set(*dialog);
    return TRUE;
}

BOOL CDialogTemplate::SetFont(LPCTSTR face, WORD points)
{
    if (!m_dialog || !face)
        return FALSE;
    m_dialog->font_face = face;
    m_dialog->font_points = points;
    m_dialog->style |= DS_SETFONT;
    m_bSystemFont = FALSE;
    return TRUE;
}

BOOL CDialogTemplate::GetFont(CString& face, WORD& points) const
{
    if (!m_dialog || !(m_dialog->style & DS_SETFONT))
        return FALSE;
    face = m_dialog->font_face.c_str();
    points = static_cast<WORD>(m_dialog->font_points);
    return TRUE;
}

HGLOBAL CDialogTemplate::Detach()
{
    return m_hTemplate;
}

namespace platform::framework {

namespace {

// A dialog font and its base units. The font is kept for the process: every dialog of a
// face and size shares one. Its units are measured again only when the fonts behind it
// change; measuring them for each dialog was a large part of creating a window with many
// pages.
struct DialogFont {
    HFONT font {};
    SIZE units {};
    unsigned generation {};
};

DialogFont dialog_font(std::string const& face, int points)
{
    static std::mutex mutex;
    static auto* fonts = new std::map<std::pair<std::string, int>, DialogFont>;
    std::lock_guard lock(mutex);
    DialogFont& kept = (*fonts)[{ face, points }];
    if (!kept.font)
        kept.font = CreateFont(-MulDiv(points, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str());
    unsigned const generation = platform::gdi::realized_font_generation();
    if (!kept.units.cx || kept.generation != generation) {
        kept.units = font_base_units(kept.font);
        kept.generation = generation;
    }
    return kept;
}

RECT to_pixels(RECT r, SIZE units)
{
    return RECT { MulDiv(r.left, units.cx, 4), MulDiv(r.top, units.cy, 8), MulDiv(r.right, units.cx, 4),
        MulDiv(r.bottom, units.cy, 8) };
}

RECT window_rect(DialogResource const& dialog, HWND parent, SIZE units)
{
    RECT client = to_pixels(dialog.rect, units);
    RECT frame { 0, 0, client.right - client.left, client.bottom - client.top };
    AdjustWindowRectEx(&frame, dialog.style, FALSE, dialog.ex_style);
    int const width = frame.right - frame.left, height = frame.bottom - frame.top;
    POINT origin { client.left, client.top };
    if (!(dialog.style & WS_CHILD) && parent) {
        POINT owner_origin { 0, 0 };
        ClientToScreen(parent, &owner_origin);
        origin.x += owner_origin.x, origin.y += owner_origin.y;
    }
    if (dialog.style & DS_CENTER) {
        RECT area = platform::user::work_area();
        if (dialog.style & WS_CHILD)
            GetClientRect(parent, &area);
        origin = POINT { area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2 };
    }
    return RECT { origin.x, origin.y, origin.x + width, origin.y + height };
}

bool add_control(HWND dialog, DialogControlResource const& c, SIZE units, HFONT font)
{
    RECT const r = to_pixels(c.rect, units);
    HWND const control = CreateWindowEx(c.ex_style | WS_EX_NOPARENTNOTIFY, c.class_name.c_str(), c.text.c_str(),
        c.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
    if (!control)
        return false;
    SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (c.icon)
        SendMessage(control, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, MAKEINTRESOURCE(static_cast<WORD>(c.icon)))), 0);
    if (c.bitmap)
        SendMessage(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(LoadBitmap(nullptr, MAKEINTRESOURCE(static_cast<WORD>(c.bitmap)))));
    return true;
}

}

DialogResource const* template_of(LPCDLGTEMPLATE locked)
{
    return locked && locked->magic == dialog_template_magic ? locked->dialog : nullptr;
}

HWND build_dialog(DialogResource const& dialog, HWND parent, CWnd* object)
{
    bool const own_font = (dialog.style & DS_SETFONT) && !dialog.font_face.empty();
    DialogFont const chosen = own_font ? dialog_font(dialog.font_face, dialog.font_points) : dialog_font("MS Shell Dlg", 8);
    HFONT const font = chosen.font;
    SIZE const units = chosen.units;
    RECT const r = window_rect(dialog, parent, units);
    HWND const hwnd = CreateWindowEx(dialog.ex_style, "#32770", dialog.caption.c_str(), dialog.style & ~WS_VISIBLE,
        r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr, nullptr);
    if (!hwnd)
        return nullptr;
    set_dialog_base_units(hwnd, units);
    if (object && !object->SubclassWindow(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (DialogControlResource const& c : dialog.controls) {
        if (!add_control(hwnd, c, units, font) && !(dialog.style & DS_NOFAILCREATE)) {
            DestroyWindow(hwnd);
            return nullptr;
        }
    }
    return hwnd;
}

}
