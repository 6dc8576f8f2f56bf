#include "DisplayFixture.h"

#include "platform/controls/ControlClasses.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/common/CommonControls.h"
#include "platform/controls/common/ListView.h"
#include "platform/controls/common/Registration.h"
#include "platform/display/Snapshots.h"
#include "platform/display/WindowTreeDump.h"
#include "platform/display/headless/HeadlessPresenter.h"
#include "platform/user/Input.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace platform::display;
using display_test::DisplayTest;

namespace {

class WindowDumpTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        platform::controls::register_control_classes();
        platform::commctrl::register_classes();
        install_presenter(std::make_unique<HeadlessPresenter>(SIZE { 800, 600 }));
    }

    static HWND child(HWND parent, LPCSTR cls, LPCSTR text, DWORD style, int id, RECT r)
    {
        return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    static void add_column(HWND list, int index, char const* title)
    {
        LVCOLUMN column {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 60;
        column.pszText = const_cast<char*>(title);
        SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }

    static void add_row(HWND list, int row, char const* first, char const* second)
    {
        LVITEM item {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(first);
        SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(second);
        SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }

    // The handle as the dump writes it.
    static std::string h(HWND hwnd)
    {
        char text[32];
        std::snprintf(text, sizeof(text), "%p", static_cast<void*>(hwnd));
        return text;
    }
};

}

TEST_F(WindowDumpTest, SmallDialogWithAListAndItsItems)
{
    HWND top = make_top("Survey\tnow", { 100, 50, 300, 250 });
    HWND button = child(top, "Button", "Re&scan", WS_DISABLED, 1164, { 10, 10, 80, 30 });
    HWND list = child(top, WC_LISTVIEW, "", LVS_REPORT, 1160, { 10, 40, 190, 140 });
    add_column(list, 0, "SSID");
    add_column(list, 1, "Channel");
    add_row(list, 0, "Corner Cafe", "6");
    add_row(list, 1, "Home\\Net", "");
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    HWND box = child(top, "ListBox", "", 0, 1200, { 10, 150, 90, 190 });
    SendMessage(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendMessage(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
    SendMessage(box, LB_SETCURSEL, 0, 0);
    SetFocus(box);

    // The list view's header is a child of its own and comes right after it.
    HWND header = GetWindow(list, GW_CHILD);
    ASSERT_NE(header, nullptr);
    std::string expected = "window\t0\t" + h(top) + "\tDisplayTestWindow\t0\t100,50,300,250\tVEf\tSurvey\\tnow\n"
        + "window\t1\t" + h(button) + "\tButton\t1164\t110,60,180,80\tVef\tRe&scan\n"
        + "window\t1\t" + h(list) + "\tSysListView32\t1160\t110,90,290,190\tVEf\t\n"
        + "item\t" + h(list) + "\t0\t0\tCorner Cafe\t6\n"
        + "item\t" + h(list) + "\t1\t1\tHome\\\\Net\t\n";
    std::string dump = dump_window_tree();
    ASSERT_EQ(dump.substr(0, expected.size()), expected);
    std::string rest = dump.substr(expected.size());
    EXPECT_EQ(rest.substr(0, rest.find('\n') + 1).rfind("window\t2\t" + h(header) + "\t", 0), 0u) << rest;
    EXPECT_NE(rest.find("window\t1\t" + h(box) + "\tListBox\t1200\t110,200,190,240\tVEF\t\n"
                  + "item\t" + h(box) + "\t0\t1\tone\n" + "item\t" + h(box) + "\t1\t0\ttwo\n"),
        std::string::npos)
        << rest;
}

TEST_F(WindowDumpTest, HiddenParentsMakeTheirChildrenInvisible)
{
    HWND top = make_top("hidden", { 0, 0, 50, 50 }, WS_POPUP);
    HWND button = child(top, "Button", "OK", 0, 1, { 0, 0, 10, 10 });
    EXPECT_NE(dump_window(button, 1).find("\tvEf\tOK\n"), std::string::npos);
}

// The program's last look survives its tear-down: the windows are written while they still
// show, and the end of the session neither empties the folder nor writes an empty tray.
TEST_F(WindowDumpTest, SessionKeepsTheLastLookWhenWindowsGoAtExit)
{
    std::string folder = (std::filesystem::temp_directory_path() / ("window_dump_exit_" + std::to_string(getpid()))).string();
    std::filesystem::remove_all(folder);
    {
        SnapshotSession session(folder);
        HWND main = make_top("Main", { 0, 0, 20, 20 });
        HWND owned = CreateWindowEx(0, "DisplayTestWindow", "Owned", WS_POPUP | WS_VISIBLE, 30, 0, 10, 10, main, nullptr,
            nullptr, nullptr);
        ASSERT_NE(owned, nullptr);
        surfaces->set_colour(main, 0x00112233);
        surfaces->set_colour(owned, 0x00445566);
        tray->set({ TrayIcon { main, 100, WM_APP, nullptr, "Connected" } });
        DestroyWindow(main);  // takes its owned window with it
        tray->set({});
        EXPECT_FALSE(IsWindow(owned));
    }
    EXPECT_TRUE(std::filesystem::exists(folder + "/01-Owned.png"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/02-Main.png"));
    std::ifstream tray_file(folder + "/tray.txt");
    std::stringstream tray_text;
    tray_text << tray_file.rdbuf();
    EXPECT_EQ(tray_text.str(), "100\tConnected\n");
    std::ifstream tree_file(folder + "/windows.txt");
    std::stringstream tree;
    tree << tree_file.rdbuf();
    EXPECT_NE(tree.str().find("\tDisplayTestWindow\t0\t0,0,20,20\tVEf\tMain\n"), std::string::npos) << tree.str();
    std::filesystem::remove_all(folder);
}
