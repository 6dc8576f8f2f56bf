#include "platform/system/FileDialog.h"

#include "platform/system/FileDialogModel.h"

#include <algorithm>
#include <cstring>
#include <mutex>

using namespace platform::system;

namespace {

std::mutex& ui_mutex()
{
    static std::mutex mutex;
    return mutex;
}

FileDialogUi& current_ui()
{
    static FileDialogUi ui;
    return ui;
}

FileDialogUi& default_ui()
{
    static FileDialogUi ui;
    return ui;
}

thread_local DWORD last_dialog_error = 0;

std::string bounded(LPCSTR text, size_t limit)
{
    return text ? std::string(text, strnlen(text, limit)) : std::string();
}

FileDialogModel::Options options_of(OPENFILENAME const& ofn, FileDialogModel::Kind kind, std::string const& name)
{
    FileDialogModel::Options options;
    options.kind = kind;
    options.filters = parse_filters(ofn.lpstrFilter);
    options.filter = ofn.nFilterIndex > 0 ? ofn.nFilterIndex - 1 : 0;
    options.default_extension = bounded(ofn.lpstrDefExt, 256);
    if (options.default_extension.starts_with("."))
        options.default_extension.erase(0, 1);
    options.file_must_exist = kind == FileDialogModel::Kind::open && (ofn.Flags & OFN_FILEMUSTEXIST);
    options.overwrite_prompt = kind == FileDialogModel::Kind::save && (ofn.Flags & OFN_OVERWRITEPROMPT);
    options.folder = bounded(ofn.lpstrInitialDir, 4096);
    if (options.folder.empty() && name.find('/') != std::string::npos)
        options.folder = name.substr(0, name.rfind('/') + 1);
    return options;
}

// Writes the answer as the original does: the path, the offsets of its name and extension,
// the name alone when asked, and the filter in use. A buffer too small for the path gets the
// size it needs in its first two bytes.
BOOL write_answer(OPENFILENAME& ofn, std::string const& path, size_t filter)
{
    if (path.size() + 1 > ofn.nMaxFile) {
        if (ofn.nMaxFile >= 2) {
            WORD needed = static_cast<WORD>(std::min<size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        last_dialog_error = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
    size_t name_at = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
    size_t dot = path.rfind('.');
    size_t extension_at = dot != std::string::npos && dot >= name_at ? dot + 1 : path.size();
    ofn.nFileOffset = static_cast<WORD>(std::min<size_t>(name_at, 0xFFFF));
    ofn.nFileExtension = static_cast<WORD>(std::min<size_t>(extension_at, 0xFFFF));
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        std::string name = path.substr(name_at).substr(0, ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, name.c_str(), name.size() + 1);
    }
    ofn.nFilterIndex = static_cast<DWORD>(filter + 1);
    return TRUE;
}

BOOL run_file_dialog(LPOPENFILENAME ofn, FileDialogModel::Kind kind)
{
    last_dialog_error = 0;
    if (!ofn || ofn->lStructSize == 0) {
        last_dialog_error = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        last_dialog_error = FNERR_INVALIDFILENAME;
        return FALSE;
    }
    FileDialogUi ui;
    {
        std::lock_guard lock(ui_mutex());
        ui = current_ui() ? current_ui() : default_ui();
    }
    if (!ui) {
        last_dialog_error = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    std::string name = bounded(ofn->lpstrFile, ofn->nMaxFile);
    auto options = options_of(*ofn, kind, name);
    FileDialogRequest request { ofn->hwndOwner, bounded(ofn->lpstrTitle, 1024),
        name.substr(name.rfind('/') == std::string::npos ? 0 : name.rfind('/') + 1), kind == FileDialogModel::Kind::open, {} };
    for (auto const& filter : options.filters)
        request.filter_labels.push_back(filter.label);
    FileDialogModel model(std::move(options));
    if (request.title.empty())
        request.title = kind == FileDialogModel::Kind::open ? "Open" : "Save As";
    switch (ui(model, request)) {
    case FileDialogAnswer::accepted:
        break;
    case FileDialogAnswer::cancelled:
        return FALSE;
    case FileDialogAnswer::failed:
        last_dialog_error = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    return write_answer(*ofn, model.result(), model.filter());
}

}

namespace platform::system {

void set_file_dialog_ui(FileDialogUi ui)
{
    std::lock_guard lock(ui_mutex());
    current_ui() = std::move(ui);
}

void set_default_file_dialog_ui(FileDialogUi ui)
{
    std::lock_guard lock(ui_mutex());
    default_ui() = std::move(ui);
}

}

extern "C" {

BOOL GetOpenFileName(LPOPENFILENAME ofn)
{
    return run_file_dialog(ofn, FileDialogModel::Kind::open);
}

BOOL GetSaveFileName(LPOPENFILENAME ofn)
{
    return run_file_dialog(ofn, FileDialogModel::Kind::save);
}

DWORD CommDlgExtendedError()
{
    return last_dialog_error;
}

}
