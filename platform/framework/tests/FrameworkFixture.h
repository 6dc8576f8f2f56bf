// Shared set-up of the framework's tests: a manual clock, a clean window table, the pinned
// test font, the test resources, and small fake controls that answer the messages the
// framework sends (the real controls live in another module).
#pragma once

#include "platform/framework/Afx.h"
#include "platform/gdi/Testing.h"
#include "platform/user/Testing.h"
#include "platform/user/WindowCore.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace fake {

inline std::map<HWND, std::vector<std::string>>& combo_items()
{
    static std::map<HWND, std::vector<std::string>> items;
    return items;
}

inline std::map<HWND, int>& combo_selection()
{
    static std::map<HWND, int> selection;
    return selection;
}

inline void notify_parent(HWND hwnd, WORD code)
{
    SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code), reinterpret_cast<LPARAM>(hwnd));
}

inline LRESULT button_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD const type = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK;
    switch (message) {
    case WM_GETDLGCODE:
        if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON)
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (type == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (type == BS_PUSHBUTTON)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return DLGC_BUTTON;
    case BM_GETCHECK:
        return GetWindowLongPtr(hwnd, GWLP_USERDATA);
    case BM_SETCHECK:
        SetWindowLongPtr(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wparam));
        return 0;
    case BM_SETSTYLE:
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & ~BS_TYPEMASK) | (wparam & BS_TYPEMASK)));
        return 0;
    case BM_CLICK:
        if (type == BS_AUTORADIOBUTTON)
            SetWindowLongPtr(hwnd, GWLP_USERDATA, BST_CHECKED);
        if (type == BS_AUTOCHECKBOX)
            SetWindowLongPtr(hwnd, GWLP_USERDATA, !GetWindowLongPtr(hwnd, GWLP_USERDATA));
        notify_parent(hwnd, BN_CLICKED);
        return 0;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

inline LRESULT edit_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case EM_LIMITTEXT:
        SetWindowLongPtr(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wparam));
        return 0;
    case EM_GETLIMITTEXT:
        return GetWindowLongPtr(hwnd, GWLP_USERDATA);
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

inline LRESULT combo_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto& items = combo_items()[hwnd];
    int& selection = combo_selection().try_emplace(hwnd, -1).first->second;
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case CB_ADDSTRING:
        items.emplace_back(reinterpret_cast<char const*>(lparam));
        return static_cast<LRESULT>(items.size() - 1);
    case CB_GETCOUNT:
        return static_cast<LRESULT>(items.size());
    case CB_GETCURSEL:
        return selection;
    case CB_SETCURSEL:
        selection = static_cast<int>(wparam) < static_cast<int>(items.size()) ? static_cast<int>(wparam) : -1;
        return selection;
    case CB_GETLBTEXTLEN:
        return wparam < items.size() ? static_cast<LRESULT>(items[wparam].size()) : CB_ERR;
    case CB_GETLBTEXT:
        if (wparam >= items.size())
            return CB_ERR;
        std::copy(items[wparam].begin(), items[wparam].end(), reinterpret_cast<char*>(lparam));
        reinterpret_cast<char*>(lparam)[items[wparam].size()] = '\0';
        return static_cast<LRESULT>(items[wparam].size());
    case CB_SELECTSTRING:
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] == reinterpret_cast<char const*>(lparam))
                return selection = static_cast<int>(i);
        }
        return CB_ERR;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

inline void register_classes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    struct Class {
        char const* name;
        WNDPROC proc;
    };
    for (Class c : { Class { "FakeButton", button_proc }, Class { "FakeEdit", edit_proc }, Class { "FakeCombo", combo_proc } }) {
        WNDCLASS wc {};
        wc.lpfnWndProc = c.proc;
        wc.lpszClassName = c.name;
        RegisterClass(&wc);
    }
}

}

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        platform::gdi::testing::use_test_drawing(GDI_TEST_FONT);
        platform::user::set_desktop_size(1024, 768);
        fake::register_classes();
        fake::combo_items().clear();
        fake::combo_selection().clear();
        ASSERT_TRUE(platform::framework::load_resources(FRAMEWORK_TEST_DIR "/test.res"));
        ASSERT_TRUE(platform::framework::resources().errors().empty());
        AfxInstallMessageFilter();
        platform::framework::message_box_log().clear();
    }

    void TearDown() override
    {
        platform::user::set_modal_hook(nullptr);
        platform::testing::reset_windows();
        AfxDeleteTempMap();
    }

    // Hands a key to the platform's message filter, as a loop would.
    static bool press(HWND target, int key)
    {
        MSG msg { target, WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, { 0, 0 } };
        return platform::user::filter_message(msg);
    }

    // Answers the next modal window with a command once it runs.
    static void answer_next_modal(int command)
    {
        platform::user::set_modal_hook([command](HWND hwnd) {
            PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), BN_CLICKED), 0);
        });
    }
};
