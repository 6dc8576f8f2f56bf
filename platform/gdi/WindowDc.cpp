// Window device contexts and the system colour broadcast.
// FIXME: GetDC, GetWindowDC and BeginPaint's DC draw once the window core's paint hooks and
// window observer are wired (per-top-level surfaces); until then they answer no DC, and
// SetSysColors changes the table without sending WM_SYSCOLORCHANGE.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/SysPaint.h"

using namespace platform::gdi;

extern "C" {

HDC GetDC(HWND)
{
    return nullptr;
}

HDC GetWindowDC(HWND)
{
    return nullptr;
}

int ReleaseDC(HWND, HDC dc)
{
    DeviceContext* d = dc_of(dc);
    if (!d || d->type() != DeviceContext::Type::Window)
        return 0;
    return ObjectTable::the().remove(dc) ? 1 : 0;
}

HWND WindowFromDC(HDC dc)
{
    DeviceContext* d = dc_of(dc);
    return d ? d->window() : nullptr;
}

BOOL SetSysColors(int count, INT const* indices, COLORREF const* colours)
{
    if (count < 0 || (count > 0 && (!indices || !colours)))
        return FALSE;
    for (int i = 0; i < count; ++i)
        set_sys_color(indices[i], colours[i]);
    return TRUE;
}

}
