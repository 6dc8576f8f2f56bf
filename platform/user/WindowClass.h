// Registered window classes. A class belongs to the instance that registered it, except the
// platform's own classes (dialogs, controls), which every module sees.
#pragma once

#include "platform/user/User.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform::user {

struct WindowClass {
    std::string name;
    ATOM atom {};
    UINT style {};
    WNDPROC proc {};
    int class_extra {};
    int window_extra {};
    HINSTANCE instance {};
    HICON icon {};
    HICON icon_small {};
    HCURSOR cursor {};
    HBRUSH background {};
    bool system {};
};

WindowClass class_from(WNDCLASSEX const& wc, bool system);

class WindowClassTable {
public:
    static WindowClassTable& the();

    ATOM add(WindowClass window_class);
    bool remove(std::string const& name, HINSTANCE instance);
    // Finds by name (case-insensitive) or by atom given through MAKEINTRESOURCE.
    std::shared_ptr<WindowClass const> find(LPCSTR name_or_atom, HINSTANCE instance) const;
    void replace(std::shared_ptr<WindowClass const> old_class, std::shared_ptr<WindowClass const> new_class);

private:
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<WindowClass const>> m_classes;
    ATOM m_next_atom { 0xC000 };
};

}
