// The set-up of the configuration, access control and block acknowledgement tests: the sheet's
// fixture with the library's call log at hand, message boxes answered and recorded, dialogs
// scripted by their template's controls, and small helpers to pick list entries and click as
// the user does (each sends the page the notification the control would).
#pragma once

#include "PagesFixture.h"

#include "platform/framework/MessageBox.h"

#include <functional>
#include <optional>

class ConfigTest : public SheetTest {
protected:
    using SheetTest::shown;

    void SetUp() override
    {
        SheetTest::SetUp();
        platform::framework::message_box_log().clear();
        platform::user::set_modal_hook([this](HWND hwnd) { on_modal(hwnd); });
        // The switches of the option file the program ships.
        auto& api = hotvane::G_VxApApi;
        api.ShowCountryRegion = 1;
        api.HTSetting = 1;
        api.Page11nSetting = 1;
        api.ProhibitTKIPonHT = 0;
        api.ProhibitWEPonHT = 0;
    }

    void TearDown() override
    {
        platform::user::set_modal_hook(nullptr);
        hotvane::SetProfileHandOver(nullptr);
        SheetTest::TearDown();
    }

    // A message box is recorded and closed; any other dialog runs the script given for it.
    void on_modal(HWND hwnd)
    {
        if (::GetDlgItem(hwnd, message_box_text_id)) {
            ::PostMessage(hwnd, WM_CLOSE, 0, 0);
            return;
        }
        if (dialog_script) {
            auto script = dialog_script;
            script(hwnd);
        } else {
            ::PostMessage(hwnd, WM_CLOSE, 0, 0);
        }
    }

    std::vector<std::string> boxes() const
    {
        std::vector<std::string> texts;
        for (auto const& box : platform::framework::message_box_log())
            texts.push_back(box.text);
        return texts;
    }

    // [SECTION] The library's call log

    static void clear_calls()
    {
        auto clear = reinterpret_cast<void (*)()>(GetProcAddress(hotvane::G_VxApApi.hModule, "VXSIM_ApCallLogClear"));
        clear();
    }

    // The bytes of the last call named `name`, nullopt when there was none.
    static std::optional<std::vector<std::uint8_t>> last_call(std::string const& name)
    {
        auto count = reinterpret_cast<int (*)()>(GetProcAddress(hotvane::G_VxApApi.hModule, "VXSIM_ApCallCount"));
        auto call = reinterpret_cast<int (*)(int, char*, int, void*, int)>(
            GetProcAddress(hotvane::G_VxApApi.hModule, "VXSIM_ApCall"));
        for (int i = count() - 1; i >= 0; --i) {
            char called[64] {};
            int const size = call(i, called, sizeof called, nullptr, 0);
            if (name != called)
                continue;
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max(size, 0)));
            call(i, called, sizeof called, bytes.data(), size);
            return bytes;
        }
        return std::nullopt;
    }

    static std::uint32_t word(std::vector<std::uint8_t> const& bytes, std::size_t offset)
    {
        std::uint32_t v = 0;
        std::memcpy(&v, bytes.data() + offset, sizeof v);
        return v;
    }

    // [SECTION] Controls

    static HWND item(CWnd& page, int id) { return ::GetDlgItem(page.m_hWnd, id); }
    static HWND item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

    static std::vector<std::string> entries(HWND combo)
    {
        std::vector<std::string> out;
        int const n = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[256] {};
            ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.emplace_back(text);
        }
        return out;
    }

    static std::string selected(HWND combo)
    {
        int const sel = static_cast<int>(::SendMessage(combo, CB_GETCURSEL, 0, 0));
        if (sel < 0)
            return {};
        char text[256] {};
        ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
        return text;
    }

    static std::vector<DWORD_PTR> codes(HWND combo)
    {
        std::vector<DWORD_PTR> out;
        int const n = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
            out.push_back(static_cast<DWORD_PTR>(::SendMessage(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
        return out;
    }

    // Selects the entry showing `text` (it must be there) and tells the parent.
    static void choose(HWND combo, std::string const& text)
    {
        int const index = static_cast<int>(::SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
            reinterpret_cast<LPARAM>(text.c_str())));
        ASSERT_GE(index, 0) << text;
        ::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessage(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(combo));
        pump();
    }

    static void click(HWND button)
    {
        ::SendMessage(button, BM_CLICK, 0, 0);
        pump();
    }

    static void type(HWND edit, std::string const& text) { ::SetWindowText(edit, text.c_str()); }

    static bool enabled(HWND hwnd) { return ::IsWindowEnabled(hwnd) != FALSE; }
    static bool shown(HWND hwnd) { return ::IsWindowVisible(hwnd) != FALSE; }
    static bool checked(HWND hwnd) { return ::SendMessage(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // The stored configuration, changed by `change` and written as the library keeps it.
    static void store_config(std::function<void(ApConfigData&)> const& change)
    {
        ApConfigData config {};
        hotvane::G_VxApApi.VXAP_ReadConfigData(&config);
        change(config);
        ApOptionData options {};
        hotvane::G_VxApApi.VXAP_WriteandSetConfigData(config, options);
    }

    hotvane::CConfigPage& config() { return sheet->m_pageConfig; }

    std::function<void(HWND)> dialog_script;
};
