#include "station/core/CtrlHelpers.h"

#include "platform/controls/ControlMessages.h"
#include "platform/user/User.h"
#include "station/core/Trace.h"

#include <utility>

namespace {

StringResourceLoader g_string_loader;
MessageBoxHandler g_message_box;

// The control's window rectangle in the client coordinates of `dialog`.
RECT rect_in_dialog(HWND dialog, HWND control)
{
    RECT rect {};
    if (!control || !GetWindowRect(control, &rect))
        return RECT {};
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}

RECT* GetCtrlRectInDlg(RECT* rect, HWND dialog, int id)
{
    if (rect)
        *rect = rect_in_dialog(dialog, GetDlgItem(dialog, id));
    return rect;
}

CTRL_POS_SIZE* GetCtrlPosSize(CTRL_POS_SIZE* pos, HWND dialog, int id)
{
    if (!pos)
        return pos;
    RECT r = rect_in_dialog(dialog, GetDlgItem(dialog, id));
    *pos = CTRL_POS_SIZE { r.left, r.top, r.right - r.left, r.bottom - r.top };
    return pos;
}

void PlaceCtrlText(HWND control, int x, int y, int width, int height, std::string const& text)
{
    PlaceCtrlTextPtr(control, x, y, width, height, text.c_str());
}

void PlaceCtrlTextPtr(HWND control, int x, int y, int width, int height, LPCSTR text)
{
    MoveWindow(control, x, y, width, height, TRUE);
    ShowWindow(control, SW_SHOW);
    if (!text)
        return;
    if (!IS_INTRESOURCE(text)) {
        SetWindowText(control, text);
        return;
    }
    std::string loaded;
    if (g_string_loader && g_string_loader(UINT(reinterpret_cast<ULONG_PTR>(text)), loaded))
        SetWindowText(control, loaded.c_str());
}

void SetCtrlText(HWND dialog, HWND control, std::string const& text)
{
    SetCtrlTextPtr(dialog, control, text.c_str());
}

void SetCtrlTextPtr(HWND dialog, HWND control, LPCSTR text)
{
    RECT r = rect_in_dialog(dialog, control);
    PlaceCtrlTextPtr(control, r.left, r.top, r.right - r.left, r.bottom - r.top, text);
}

void SetStringResourceLoader(StringResourceLoader loader)
{
    g_string_loader = std::move(loader);
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    g_message_box = std::move(handler);
}

INT_PTR ShowMessageBox(std::string const& text)
{
    if (!g_message_box) {
        TraceMsg(TRACE_FAIL, "[Kivra] ShowMessageBox: no message dialog, not shown: %s\n", text.c_str());
        return 0;
    }
    return g_message_box(text);
}
