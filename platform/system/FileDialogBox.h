// An open or save dialog as one object, in the shape of the framework's file dialog class:
// built with the dialog kind, default extension, initial name, flags and a filter written
// as "label|pattern|label|pattern||"; do_modal() runs it and the chosen path is read back in
// parts. The framework wraps it; the OPENFILENAME stays reachable for callers that set
// further fields (initial folder, title) before do_modal().
#pragma once

#include "platform/system/FileDialog.h"

#include <array>
#include <string>

namespace platform::system {

class FileDialogBox {
public:
    explicit FileDialogBox(bool open, LPCSTR default_extension = nullptr, LPCSTR file_name = nullptr,
        DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr);
    FileDialogBox(FileDialogBox const&) = delete;
    FileDialogBox& operator=(FileDialogBox const&) = delete;

    // IDOK when a file was chosen, IDCANCEL on cancel or failure (CommDlgExtendedError tells).
    INT_PTR do_modal(HWND owner);

    OPENFILENAME& ofn() { return m_ofn; }
    std::string path_name() const { return m_file.data(); }
    std::string file_name() const;      // "name.ext"
    std::string file_extension() const; // "ext", without the dot
    std::string file_title() const;     // "name", without the extension

private:
    bool m_open;
    std::string m_filter; // the pairs with NUL separators and the closing double NUL
    std::string m_default_extension;
    std::array<char, 1024> m_file {};
    std::array<char, 256> m_title {};
    OPENFILENAME m_ofn {};
};

}
