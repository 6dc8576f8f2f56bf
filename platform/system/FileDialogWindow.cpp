#include "platform/system/FileDialogWindow.h"

#include "platform/system/FileDialogModel.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include <vector>

namespace platform::system {

namespace {

// The few list box and combo box messages used here, with their standard values; the
// controls module declares them for everybody else.
namespace lists {
constexpr UINT add_string = 0x0180;     // LB_ADDSTRING
constexpr UINT reset_content = 0x0184;  // LB_RESETCONTENT
constexpr UINT get_selection = 0x0188;  // LB_GETCURSEL
constexpr WORD selection_changed = 1;   // LBN_SELCHANGE
constexpr WORD double_clicked = 2;      // LBN_DBLCLK
constexpr DWORD notify_style = 0x0001;  // LBS_NOTIFY
constexpr UINT combo_add_string = 0x0143; // CB_ADDSTRING
constexpr UINT combo_get_selection = 0x0147; // CB_GETCURSEL
constexpr UINT combo_set_selection = 0x014E; // CB_SETCURSEL
constexpr WORD combo_selection_changed = 1;  // CBN_SELCHANGE
constexpr DWORD combo_drop_down_list = 0x0003; // CBS_DROPDOWNLIST
}

constexpr char window_class[] = "ZorvelFileDialog";

struct DialogState {
    FileDialogModel* model;
    std::vector<FolderEntry> shown;
};

DialogState* state_of(HWND hwnd)
{
    return reinterpret_cast<DialogState*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

std::string text_of(HWND hwnd)
{
    std::string text(static_cast<size_t>(GetWindowTextLength(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void show_folder(HWND dialog, DialogState& state)
{
    SetWindowText(GetDlgItem(dialog, file_dialog_folder_id), state.model->folder().c_str());
    SetWindowText(GetDlgItem(dialog, file_dialog_status_id), "");
    HWND list = GetDlgItem(dialog, file_dialog_list_id);
    SendMessage(list, lists::reset_content, 0, 0);
    state.shown = state.model->entries();
    for (auto const& entry : state.shown) {
        std::string label = entry.is_folder ? "[" + entry.name + "]" : entry.name;
        SendMessage(list, lists::add_string, 0, reinterpret_cast<LPARAM>(label.c_str()));
    }
}

void submit(HWND dialog, DialogState& state, std::string const& name)
{
    HWND status = GetDlgItem(dialog, file_dialog_status_id);
    switch (state.model->submit(name)) {
    case FileDialogModel::Outcome::entered_folder:
        SetWindowText(GetDlgItem(dialog, file_dialog_name_id), "");
        show_folder(dialog, state);
        break;
    case FileDialogModel::Outcome::accepted:
        user::end_modal_loop(dialog, IDOK);
        break;
    case FileDialogModel::Outcome::must_exist:
        SetWindowText(status, (state.model->result() + ": file not found. Check the file name and try again.").c_str());
        break;
    case FileDialogModel::Outcome::confirm_overwrite:
        state.model->confirm();
        SetWindowText(status, (state.model->result() + " already exists. Choose OK again to replace it.").c_str());
        break;
    case FileDialogModel::Outcome::empty:
        break;
    }
}

FolderEntry const* selected_entry(HWND dialog, DialogState const& state)
{
    auto index = SendMessage(GetDlgItem(dialog, file_dialog_list_id), lists::get_selection, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= state.shown.size())
        return nullptr;
    return &state.shown[static_cast<size_t>(index)];
}

void on_command(HWND dialog, DialogState& state, WORD id, WORD code)
{
    if (id == IDOK) {
        submit(dialog, state, text_of(GetDlgItem(dialog, file_dialog_name_id)));
    } else if (id == IDCANCEL) {
        user::end_modal_loop(dialog, IDCANCEL);
    } else if (id == file_dialog_list_id && code == lists::selection_changed) {
        if (auto const* entry = selected_entry(dialog, state); entry && !entry->is_folder)
            SetWindowText(GetDlgItem(dialog, file_dialog_name_id), entry->name.c_str());
    } else if (id == file_dialog_list_id && code == lists::double_clicked) {
        if (auto const* entry = selected_entry(dialog, state))
            submit(dialog, state, std::string(entry->name));
    } else if (id == file_dialog_type_id && code == lists::combo_selection_changed) {
        auto index = SendMessage(GetDlgItem(dialog, file_dialog_type_id), lists::combo_get_selection, 0, 0);
        if (index >= 0)
            state.model->set_filter(static_cast<size_t>(index));
        show_folder(dialog, state);
    }
}

LRESULT dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    DialogState* state = state_of(hwnd);
    if (message == WM_COMMAND && state) {
        on_command(hwnd, *state, LOWORD(wparam), HIWORD(wparam));
        return 0;
    }
    if (message == WM_CLOSE) {
        user::end_modal_loop(hwnd, IDCANCEL);
        return 0;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

bool register_window_class()
{
    static bool const registered = [] {
        WNDCLASSEX wc {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = dialog_proc;
        wc.lpszClassName = window_class;
        return user::register_system_class(wc) != 0;
    }();
    return registered;
}

struct Child {
    char const* class_name;
    char const* text;
    DWORD style;
    int id;
    RECT rect;
};

bool create_children(HWND dialog, std::string const& name, bool open)
{
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    Child const children[] = {
        { "Static", "", child, file_dialog_folder_id, { 8, 8, 412, 24 } },
        { "ListBox", "", child | WS_BORDER | WS_VSCROLL | WS_TABSTOP | lists::notify_style, file_dialog_list_id, { 8, 28, 412, 200 } },
        { "Edit", name.c_str(), child | WS_BORDER | WS_TABSTOP, file_dialog_name_id, { 8, 208, 300, 230 } },
        { "ComboBox", "", child | WS_VSCROLL | WS_TABSTOP | lists::combo_drop_down_list, file_dialog_type_id, { 8, 236, 300, 336 } },
        { "Button", open ? "Open" : "Save", child | WS_TABSTOP | 0x0001, IDOK, { 316, 208, 412, 230 } },
        { "Button", "Cancel", child | WS_TABSTOP, IDCANCEL, { 316, 236, 412, 258 } },
        { "Static", "", child, file_dialog_status_id, { 8, 264, 412, 296 } },
    };
    for (auto const& c : children) {
        HWND hwnd = CreateWindowEx(0, c.class_name, c.text, c.style, c.rect.left, c.rect.top, c.rect.right - c.rect.left,
            c.rect.bottom - c.rect.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
        if (!hwnd)
            return false;
    }
    return true;
}

}

FileDialogAnswer run_file_dialog_window(FileDialogModel& model, FileDialogRequest const& request)
{
    if (!register_window_class())
        return FileDialogAnswer::failed;
    DialogState state { &model, {} };
    HWND dialog = CreateWindowEx(0, window_class, request.title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100,
        428, 336, request.owner, nullptr, nullptr, nullptr);
    if (!dialog)
        return FileDialogAnswer::failed;
    if (!create_children(dialog, request.name, request.open)) {
        DestroyWindow(dialog);
        return FileDialogAnswer::failed;
    }
    HWND types = GetDlgItem(dialog, file_dialog_type_id);
    for (auto const& label : request.filter_labels)
        SendMessage(types, lists::combo_add_string, 0, reinterpret_cast<LPARAM>(label.c_str()));
    SendMessage(types, lists::combo_set_selection, model.filter(), 0);
    SetWindowLongPtr(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    show_folder(dialog, state);

    bool owner_enabled = request.owner && IsWindowEnabled(request.owner);
    if (owner_enabled)
        EnableWindow(request.owner, FALSE);
    int result = user::run_modal_loop(dialog, user::MLF_SHOWONIDLE | user::MLF_NOIDLEMSG);
    if (owner_enabled)
        EnableWindow(request.owner, TRUE);
    if (IsWindow(dialog)) {
        SetWindowLongPtr(dialog, GWLP_USERDATA, 0);
        DestroyWindow(dialog);
    }
    return result == IDOK ? FileDialogAnswer::accepted : FileDialogAnswer::cancelled;
}

}

namespace {

struct Installer {
    Installer() { platform::system::set_default_file_dialog_ui(platform::system::run_file_dialog_window); }
};

Installer const installer;

}
