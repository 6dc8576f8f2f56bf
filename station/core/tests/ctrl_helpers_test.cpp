// The control helpers against plain windows: a test combo box that answers the CB_ messages
// from a vector, and the message-box seam.
#include "platform/controls/ControlMessages.h"
#include "platform/user/Testing.h"
#include "platform/user/User.h"
#include "station/core/CtrlHelpers.h"
#include "station/core/tests/CoreTestSupport.h"

#include <string>
#include <utility>
#include <vector>

using station::testing::TraceAt;

namespace {

std::vector<std::pair<std::string, DWORD_PTR>> g_items;

LRESULT combo_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case CB_ADDSTRING:
        g_items.emplace_back(reinterpret_cast<const char*>(lparam), 0);
        return LRESULT(g_items.size() - 1);
    case CB_GETCOUNT:
        return LRESULT(g_items.size());
    case CB_GETITEMDATA:
        return wparam < g_items.size() ? LRESULT(g_items[wparam].second) : CB_ERR;
    case CB_SETITEMDATA:
        if (wparam >= g_items.size())
            return CB_ERR;
        g_items[wparam].second = DWORD_PTR(lparam);
        return 0;
    default:
        return DefWindowProc(hwnd, message, wparam, lparam);
    }
}

class CtrlHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::use_manual_clock();
        platform::testing::reset_windows();
        g_items.clear();
        static bool registered = false;
        if (!registered) {
            WNDCLASS wc {};
            wc.lpfnWndProc = DefWindowProc;
            wc.lpszClassName = "CoreHelperWindow";
            ASSERT_NE(RegisterClass(&wc), 0);
            wc.lpfnWndProc = combo_proc;
            wc.lpszClassName = "CoreHelperCombo";
            ASSERT_NE(RegisterClass(&wc), 0);
            registered = true;
        }
        dialog = CreateWindowEx(0, "CoreHelperWindow", "dialog", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200, nullptr,
            nullptr, nullptr, nullptr);
        label = CreateWindowEx(0, "CoreHelperWindow", "old", WS_CHILD, 20, 30, 80, 12, dialog,
            reinterpret_cast<HMENU>(UINT_PTR(1001)), nullptr, nullptr);
        combo = CreateWindowEx(0, "CoreHelperCombo", "", WS_CHILD | WS_VISIBLE, 20, 60, 80, 100, dialog,
            reinterpret_cast<HMENU>(UINT_PTR(1002)), nullptr, nullptr);
    }
    void TearDown() override
    {
        SetMessageBoxHandler(nullptr);
        SetStringResourceLoader(nullptr);
        platform::testing::reset_windows();
    }
    std::string text_of(HWND hwnd)
    {
        char buffer[256];
        GetWindowText(hwnd, buffer, sizeof(buffer));
        return buffer;
    }

    HWND dialog {};
    HWND label {};
    HWND combo {};
};

}

TEST_F(CtrlHelpersTest, ControlRectanglesAreInTheDialogsClientCoordinates)
{
    RECT r {};
    GetCtrlRectInDlg(&r, dialog, 1001);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 42);
    CTRL_POS_SIZE pos {};
    GetCtrlPosSize(&pos, dialog, 1001);
    EXPECT_EQ(pos.x, 20);
    EXPECT_EQ(pos.y, 30);
    EXPECT_EQ(pos.width, 80);
    EXPECT_EQ(pos.height, 12);
}

TEST_F(CtrlHelpersTest, SetCtrlTextKeepsThePlaceShowsAndSetsTheText)
{
    SetCtrlText(dialog, label, "Signal strength");
    EXPECT_EQ(text_of(label), "Signal strength");
    EXPECT_TRUE(IsWindowVisible(label));
    RECT r {};
    GetCtrlRectInDlg(&r, dialog, 1001);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 100);

    SetCtrlTextPtr(dialog, label, nullptr);
    EXPECT_EQ(text_of(label), "Signal strength") << "a null text leaves the text alone";
    SetStringResourceLoader([](UINT id, std::string& text) {
        text = "resource " + std::to_string(id);
        return true;
    });
    SetCtrlTextPtr(dialog, label, MAKEINTRESOURCE(42));
    EXPECT_EQ(text_of(label), "resource 42");
    PlaceCtrlText(label, 5, 6, 50, 10, "moved");
    GetCtrlRectInDlg(&r, dialog, 1001);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.bottom, 16);
}

TEST_F(CtrlHelpersTest, ComboItemsAndTheirData)
{
    EXPECT_EQ(ComboFindItemData(combo, 7), -1);
    ComboAddItem(combo, "11b", 1);
    ComboAddItem(combo, "11g", 7);
    ComboAddItem(combo, "11n", 7);
    EXPECT_EQ(ComboFindItemData(combo, 7), 1);
    EXPECT_EQ(ComboFindItemData(combo, 3), -1);
    DWORD_PTR value = 0;
    EXPECT_EQ(ComboGetItemData(combo, 2, &value), 7u);
    EXPECT_EQ(value, 7u);
}

TEST_F(CtrlHelpersTest, ShowMessageBoxGoesThroughTheInstalledDialog)
{
    {
        TraceAt trace(1);
        EXPECT_NE(ShowMessageBox("No dialog yet"), IDOK);
        EXPECT_EQ(trace.lines().size(), 1u);
    }
    std::string shown;
    SetMessageBoxHandler([&](std::string const& text) {
        shown = text;
        return INT_PTR(IDOK);
    });
    EXPECT_EQ(ShowMessageBox("Load dll fail"), IDOK);
    EXPECT_EQ(shown, "Load dll fail");
}
