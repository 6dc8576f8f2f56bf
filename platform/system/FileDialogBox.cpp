#include "platform/system/FileDialogBox.h"

#include "platform/user/Messages.h"

#include <cstring>

namespace platform::system {

FileDialogBox::FileDialogBox(bool open, LPCSTR default_extension, LPCSTR file_name, DWORD flags, LPCSTR filter)
    : m_open(open)
    , m_default_extension(default_extension ? default_extension : "")
{
    if (filter && *filter) {
        m_filter = filter;
        for (char& c : m_filter) {
            if (c == '|')
                c = '\0';
        }
        m_filter.append(2, '\0');
    }
    if (file_name)
        std::strncpy(m_file.data(), file_name, m_file.size() - 1);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    m_ofn.lpstrFileTitle = m_title.data();
    m_ofn.nMaxFileTitle = static_cast<DWORD>(m_title.size());
    m_ofn.Flags = flags;
    m_ofn.lpstrDefExt = m_default_extension.empty() ? nullptr : m_default_extension.c_str();
}

INT_PTR FileDialogBox::do_modal(HWND owner)
{
    m_ofn.hwndOwner = owner;
    BOOL chosen = m_open ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

std::string FileDialogBox::file_name() const
{
    std::string path = path_name();
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileDialogBox::file_extension() const
{
    std::string name = file_name();
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string FileDialogBox::file_title() const
{
    std::string name = file_name();
    return name.substr(0, name.rfind('.'));
}

}
