#include "platform/system/FileDialogWindow.h"

#include "platform/user/Messages.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "platform/user/WindowCore.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace platform::system;

// The controls module is not part of this test: small stand-ins for the list and combo
// boxes keep their strings and selection; the other classes only keep their text.
struct StandInList {
    std::vector<std::string> items;
    LRESULT selection { -1 };
};
std::map<HWND, StandInList> lists;

LRESULT stand_in_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto& list = lists[hwnd];
    switch (message) {
    case 0x0180: // LB_ADDSTRING
    case 0x0143: // CB_ADDSTRING
        list.items.emplace_back(reinterpret_cast<char const*>(lparam));
        return static_cast<LRESULT>(list.items.size() - 1);
    case 0x0184: // LB_RESETCONTENT
        list.items.clear();
        list.selection = -1;
        return 0;
    case 0x0186: // LB_SETCURSEL
    case 0x014E: // CB_SETCURSEL
        list.selection = static_cast<LRESULT>(wparam);
        return list.selection;
    case 0x0188: // LB_GETCURSEL
    case 0x0147: // CB_GETCURSEL
        return list.selection;
    case WM_DESTROY:
        lists.erase(hwnd);
        break;
    }
    return DefWindowProc(hwnd, message, wparam, lparam);
}

class FileDialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        static bool registered = false;
        for (char const* name : { "Static", "ListBox", "Edit", "ComboBox", "Button" }) {
            WNDCLASS wc {};
            wc.lpfnWndProc = stand_in_proc;
            wc.lpszClassName = name;
            if (!registered)
                RegisterClass(&wc);
        }
        registered = true;
        std::filesystem::create_directory(m_folder.file("sub"));
        for (char const* name : { "b.prof", "A.prof", "c.pac", "sub/inner.prof" })
            std::ofstream(m_folder.file(name)) << "x";
        WNDCLASS owner_class {};
        owner_class.lpfnWndProc = DefWindowProc;
        owner_class.lpszClassName = "FileDialogOwner";
        RegisterClass(&owner_class);
        m_owner = CreateWindowEx(0, "FileDialogOwner", "Owner", 0, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
        m_folder_text = m_folder.path();
        m_ofn.lStructSize = 88;
        m_ofn.hwndOwner = m_owner;
        m_ofn.lpstrFilter = "PROF (*.prof)\0*.prof\0PAC (*.pac)\0*.pac\0";
        m_ofn.nFilterIndex = 1;
        m_ofn.lpstrFile = m_path;
        m_ofn.nMaxFile = sizeof m_path;
        m_ofn.lpstrDefExt = "prof";
        m_ofn.lpstrInitialDir = m_folder_text.c_str();
    }
    void TearDown() override
    {
        platform::user::set_modal_hook(nullptr);
        platform::testing::reset_windows();
    }
    static void type_and_press(HWND dialog, char const* name, int button = IDOK)
    {
        if (name)
            SetWindowText(GetDlgItem(dialog, file_dialog_name_id), name);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button), 0), 0);
    }
    static std::vector<std::string> listed(HWND dialog) { return lists[GetDlgItem(dialog, file_dialog_list_id)].items; }
    static std::string text(HWND hwnd)
    {
        char buffer[512] = "";
        GetWindowText(hwnd, buffer, sizeof buffer);
        return buffer;
    }

    platform::system::testing::TempFolder m_folder;
    std::string m_folder_text;
    HWND m_owner { nullptr };
    char m_path[128] = "";
    OPENFILENAME m_ofn {};
};

TEST_F(FileDialogWindowTest, OpenIsAnsweredByScriptThroughFoldersAndTheList)
{
    std::vector<std::string> seen;
    bool owner_disabled = false;
    m_ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    platform::user::set_modal_hook([&](HWND dialog) {
        owner_disabled = !IsWindowEnabled(m_owner);
        seen.push_back(text(dialog));
        EXPECT_EQ(listed(dialog), (std::vector<std::string> { "[..]", "[sub]", "A.prof", "b.prof" }));
        EXPECT_EQ(lists[GetDlgItem(dialog, file_dialog_type_id)].items, (std::vector<std::string> { "PROF (*.prof)", "PAC (*.pac)" }));

        type_and_press(dialog, "sub");
        EXPECT_EQ(listed(dialog), (std::vector<std::string> { "[..]", "inner.prof" }));
        type_and_press(dialog, "missing");
        EXPECT_NE(text(GetDlgItem(dialog, file_dialog_status_id)).find("file not found"), std::string::npos);
        ASSERT_TRUE(IsWindow(dialog)) << "the dialog stays for another name";

        // Picking the file in the list fills the name field.
        HWND list = GetDlgItem(dialog, file_dialog_list_id);
        lists[list].selection = 1;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(file_dialog_list_id), 1), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(text(GetDlgItem(dialog, file_dialog_name_id)), "inner.prof");
        type_and_press(dialog, nullptr);
    });
    ASSERT_TRUE(GetOpenFileName(&m_ofn));
    EXPECT_EQ(std::string(m_path), m_folder.file("sub/inner.prof"));
    EXPECT_EQ(seen, std::vector<std::string> { "Open" });
    EXPECT_TRUE(owner_disabled);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

TEST_F(FileDialogWindowTest, SaveIsCancelledOrConfirmedByScript)
{
    m_ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    m_ofn.lpstrTitle = "Export";
    platform::user::set_modal_hook([&](HWND dialog) { type_and_press(dialog, "b", IDCANCEL); });
    EXPECT_FALSE(GetSaveFileName(&m_ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    std::string title;
    platform::user::set_modal_hook([&](HWND dialog) {
        title = text(dialog);
        // The filter changes to PAC files: the list follows.
        HWND types = GetDlgItem(dialog, file_dialog_type_id);
        lists[types].selection = 1;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(file_dialog_type_id), 1), reinterpret_cast<LPARAM>(types));
        EXPECT_EQ(listed(dialog), (std::vector<std::string> { "[..]", "[sub]", "c.pac" }));
        type_and_press(dialog, "b");
        EXPECT_NE(text(GetDlgItem(dialog, file_dialog_status_id)).find("already exists"), std::string::npos);
        type_and_press(dialog, "b");
    });
    ASSERT_TRUE(GetSaveFileName(&m_ofn));
    EXPECT_EQ(title, "Export");
    EXPECT_EQ(std::string(m_path), m_folder.file("b.prof"));
    EXPECT_EQ(m_ofn.nFilterIndex, 2u);
}

TEST_F(FileDialogWindowTest, ADialogDestroyedByItsScriptCountsAsCancelled)
{
    platform::user::set_modal_hook([&](HWND dialog) { DestroyWindow(dialog); });
    EXPECT_FALSE(GetOpenFileName(&m_ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

}
