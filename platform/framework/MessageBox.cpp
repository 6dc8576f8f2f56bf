#include "platform/framework/MessageBox.h"

#include "platform/system/Shell.h"

#include "platform/framework/DialogManager.h"
#include "platform/framework/DialogTemplate.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/gdi/Text.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <mutex>

namespace platform::framework {

std::vector<MessageBoxRecord>& message_box_log()
{
    static std::vector<MessageBoxRecord> log;
    return log;
}

namespace {

struct ButtonSpec {
    int id;
    char const* text;
};

std::vector<ButtonSpec> buttons_of(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return { { IDOK, "OK" }, { IDCANCEL, "Cancel" } };
    case MB_YESNO:
        return { { IDYES, "&Yes" }, { IDNO, "&No" } };
    case MB_YESNOCANCEL:
        return { { IDYES, "&Yes" }, { IDNO, "&No" }, { IDCANCEL, "Cancel" } };
    }
    return { { IDOK, "OK" } };
}

INT_PTR message_box_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM)
{
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
        int const id = LOWORD(wparam);
        if (id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO)
            EndDialog(hwnd, id);
        return TRUE;
    }
    return FALSE;
}

// The layout in dialog units: icon at the left, the text beside it (about 60 characters a
// line), the buttons centred below.
DialogResource layout(LPCSTR text, LPCSTR caption, UINT type, bool owned)
{
    DialogResource d;
    d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | (owned ? 0 : DS_CENTER);
    d.caption = caption ? caption : "Error";
    d.font_face = "MS Shell Dlg";
    d.font_points = 8;
    std::string const body = text ? text : "";
    int const longest = static_cast<int>(std::min<size_t>(body.size(), 60));
    int const lines = static_cast<int>(body.size() / 60 + 1 + std::count(body.begin(), body.end(), '\n'));
    bool const icon = (type & MB_ICONMASK) != 0;
    int const text_left = icon ? 40 : 10;
    auto const buttons = buttons_of(type);
    int const buttons_width = static_cast<int>(buttons.size()) * 56 - 6;
    int const width = std::max(text_left + longest * 4 + 10, buttons_width + 20);
    int const text_height = std::max(lines * 8, icon ? 20 : 8);
    d.rect = RECT { 0, 0, width, 10 + text_height + 10 + 14 + 7 };
    if (icon)
        d.controls.push_back({ "Static", message_box_icon_id, SS_ICON | WS_VISIBLE, 0, RECT { 10, 10, 30, 30 }, "", 0, 0 });
    d.controls.push_back({ "Static", message_box_text_id, SS_LEFT | SS_NOPREFIX | WS_VISIBLE | WS_GROUP, 0,
        RECT { text_left, 10, width - 10, 10 + text_height }, body, 0, 0 });
    int x = (width - buttons_width) / 2;
    int const y = 10 + text_height + 10;
    bool first = true;
    for (ButtonSpec const& b : buttons) {
        DWORD const style = WS_VISIBLE | WS_TABSTOP | (first ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
        d.controls.push_back({ "Button", b.id, style, 0, RECT { x, y, x + 50, y + 14 }, b.text, 0, 0 });
        x += 56;
        first = false;
    }
    return d;
}

}

}

using namespace platform::framework;

extern "C" {

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    HWND const top = owner ? ::GetLastActivePopup(platform::user::top_level_of(owner)) : nullptr;
    DialogResource const dialog = layout(text, caption, type, top != nullptr);
    HWND const box = build_dialog(dialog, top, nullptr);
    if (!box)
        return 0;
    ::SetWindowLongPtr(box, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(message_box_proc));
    if (HWND first = ::GetNextDlgTabItem(box, nullptr, FALSE))
        ::SetFocus(first);
    int const answer = static_cast<int>(platform::user::run_dialog_modal(box, top));
    message_box_log().push_back({ text ? text : "", caption ? caption : "", type, answer });
    return answer;
}

}

namespace {

// A help or web link with no opener on the desktop says so instead of doing nothing. The box
// runs on the user-interface thread; a worker that opened the link waits for it there.
[[maybe_unused]] bool const g_reports_missing_opener = [] {
    platform::system::set_missing_opener_report([](HWND owner, std::string const& program, std::string const& target) {
        std::string const text = "\"" + target + "\" cannot be opened: the desktop's opener (" + program
            + ") is not installed.";
        platform::user::run_on_ui_thread([&]() -> LRESULT {
            return ::MessageBox(owner && ::IsWindow(owner) ? owner : nullptr, text.c_str(), "Open", MB_OK | MB_ICONERROR);
        });
    });
    return true;
}();

}

int AfxMessageBox(LPCSTR text, UINT type, UINT)
{
    CWinApp* app = AfxGetApp();
    LPCSTR const caption = app && app->m_pszAppName ? app->m_pszAppName : "";
    HWND const owner = CWnd::GetSafeOwner_(nullptr);
    return ::MessageBox(owner, text, caption, type);
}

// A string id the table does not have shows an empty box, as a missing string would.
int AfxMessageBox(UINT string_id, UINT type, UINT help_id)
{
    CString text;
    text.LoadString(string_id);
    return AfxMessageBox(text, type, help_id);
}
