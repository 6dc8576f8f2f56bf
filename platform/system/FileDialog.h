// The open and save dialogs: GetOpenFileName and GetSaveFileName with the fields of
// OPENFILENAME that the programs fill. The decisions live in FileDialogModel; a window shows
// the model (FileDialogWindow.h: a modal window of the standard controls, found by class
// name, so it works once the controls module is loaded). When it cannot be built the calls
// fail with CDERR_DIALOGFAILURE. Tests answer the window through the modal hook, or replace
// it through set_file_dialog_ui.
#pragma once

#include "platform/user/Types.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::system {
class FileDialogModel;
}

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex; // 1-based; written back with the filter in use
    LPSTR lpstrFile;    // in: initial name or path; out: the chosen path
    DWORD nMaxFile;
    LPSTR lpstrFileTitle; // out: the chosen file's name, when given
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
using LPOPENFILENAME = OPENFILENAME*;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

extern "C" {

// TRUE with the path in lpstrFile when the user chose a file; FALSE on cancel (then
// CommDlgExtendedError answers 0) or failure (its code).
BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);
DWORD CommDlgExtendedError();

}

namespace platform::system {

struct FileDialogRequest {
    HWND owner { nullptr };
    std::string title; // lpstrTitle, else "Open" or "Save As"
    std::string name;  // the initial name for the name field
    bool open { true }; // an open dialog, else a save dialog
    std::vector<std::string> filter_labels;
};
enum class FileDialogAnswer { accepted, cancelled, failed };
// Shows `model` modally over `request.owner`: the user moves through folders and filters and
// submits names until the model accepts one (accepted, the path in model.result()) or
// cancels. Must run on the user-interface thread.
using FileDialogUi = std::function<FileDialogAnswer(FileDialogModel& model, FileDialogRequest const& request)>;
// Replaces the window; nullptr returns to the default one.
void set_file_dialog_ui(FileDialogUi ui);
// The window used when none is set (installed by the library).
void set_default_file_dialog_ui(FileDialogUi ui);

}
