// The dialog window class "#32770". Its procedure hands each message to the dialog's DLGPROC
// (kept at DWLP_DLGPROC) and does the default dialog work for what that leaves. Templates
// and controls are built on top of this by the dialog manager.
#include "platform/user/WindowCore.h"
#include "platform/user/WindowTable.h"

namespace platform::user {

namespace {

// A dialog procedure's own return value is the message's result for these; for the others
// the result is what the procedure stored at DWLP_MSGRESULT.
bool returns_directly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    }
    return false;
}

constexpr int COLOR_BTNFACE_INDEX = 15;

LRESULT default_dialog_work(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        auto const& hooks = paint_hooks();
        if (!wparam || !hooks.fill_rect)
            return 0;
        RECT client;
        GetClientRect(hwnd, &client);
        hooks.fill_rect(reinterpret_cast<HDC>(wparam), client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE_INDEX + 1));
        return 1;
    }
    case WM_CLOSE:
        PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
        return 0;
    case WM_INITDIALOG:
        return 0;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

struct DialogClassRegistration {
    DialogClassRegistration()
    {
        WNDCLASSEX wc {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS | CS_SAVEBITS;
        wc.lpfnWndProc = DefDlgProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.lpszClassName = "#32770";
        register_system_class(wc);
    }
};

DialogClassRegistration const registration;

}

}

using namespace platform::user;

extern "C" {

LRESULT DefDlgProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(hwnd, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtr(hwnd, DWLP_MSGRESULT, 0);
        INT_PTR handled = proc(hwnd, message, wparam, lparam);
        if (!IsWindow(hwnd))
            return handled;
        if (handled)
            return returns_directly(message) ? handled : GetWindowLongPtr(hwnd, DWLP_MSGRESULT);
    }
    return default_dialog_work(hwnd, message, wparam, lparam);
}

}
