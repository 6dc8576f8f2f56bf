#include "platform/controls/common/Menu.h"
#include "platform/controls/common/tests/Canvas.h"
#include "platform/user/Input.h"
#include "platform/user/InputDriver.h"
#include "platform/user/tests/CoreFixture.h"

#include <vector>

namespace {

using platform::commctrl::OpenMenu;
using platform::commctrl::set_menu_hook;

// "&Open" 10, separator, "Grey" 11 (grey), owner-drawn 12 (checked, data 0x55).
class MenuTrackingTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        InitCommonControls();
        owner = make_top("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, 10, "&Open");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_STRING | MF_GRAYED, 11, "Grey");
        AppendMenu(menu, MF_OWNERDRAW | MF_CHECKED, 12, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(0x55)));
    }
    void TearDown() override
    {
        set_menu_hook(nullptr);
        DestroyMenu(menu);
        CoreTest::TearDown();
    }
    UINT track(UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD)
    {
        return static_cast<UINT>(TrackPopupMenu(menu, flags, 50, 60, 0, owner, nullptr));
    }
    void post_keys(std::vector<int> keys)
    {
        for (int key : keys)
            PostMessage(owner, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    }

    HWND owner {};
    HMENU menu {};
};

TEST_F(MenuTrackingTest, TheHookChoosesOrCancels)
{
    std::vector<UINT> seen;
    set_menu_hook([&](OpenMenu& open) {
        for (auto const& item : open.items())
            seen.push_back(item.id);
        EXPECT_FALSE(open.choose(11)) << "grey items cannot be chosen";
        EXPECT_TRUE(open.choose(10));
    });
    EXPECT_EQ(track(), 10u);
    EXPECT_EQ(seen, (std::vector<UINT> { 10, 0, 11, 12 }));
    set_menu_hook([](OpenMenu& open) { open.cancel(); });
    EXPECT_EQ(track(), 0u);
}

TEST_F(MenuTrackingTest, WithoutReturnCommandTheOwnerGetsWmCommand)
{
    set_menu_hook([](OpenMenu& open) { open.choose(12); });
    watch({ WM_COMMAND, WM_ENTERMENULOOP, WM_EXITMENULOOP });
    EXPECT_TRUE(track(TPM_LEFTALIGN));
    platform::testing::pump_until_idle();
    ASSERT_EQ(count_of(owner, WM_COMMAND), 1);
    EXPECT_EQ(count_of(owner, WM_ENTERMENULOOP), 1);
    EXPECT_EQ(count_of(owner, WM_EXITMENULOOP), 1);
    for (auto const& r : log) {
        if (r.message == WM_COMMAND) {
            EXPECT_EQ(LOWORD(r.wparam), 12);
        }
    }
}

TEST_F(MenuTrackingTest, Keyboard)
{
    struct Case {
        char const* name;
        std::vector<int> keys;
        UINT chosen;
    } const cases[] = {
        { "escape", { VK_ESCAPE }, 0 },
        { "down, enter", { VK_DOWN, VK_RETURN }, 10 },
        { "down skips the separator; grey stays open", { VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN }, 12 },
        { "up wraps to the last item", { VK_UP, VK_RETURN }, 12 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        set_menu_hook([&](OpenMenu&) { post_keys(c.keys); });
        EXPECT_EQ(track(), c.chosen);
    }
}

TEST_F(MenuTrackingTest, MnemonicsAndMenuChar)
{
    int menu_chars = 0;
    handler = [&](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_MENUCHAR)
            return std::nullopt;
        ++menu_chars;
        return LOWORD(wparam) == 'z' ? MAKELRESULT(3, MNC_EXECUTE) : MAKELRESULT(0, MNC_IGNORE);
    };
    set_menu_hook([&](OpenMenu&) { PostMessage(owner, WM_CHAR, 'o', 0); });
    EXPECT_EQ(track(), 10u) << "the mnemonic of \"&Open\"";
    EXPECT_EQ(menu_chars, 0);
    set_menu_hook([&](OpenMenu&) {
        PostMessage(owner, WM_CHAR, 'q', 0);
        PostMessage(owner, WM_CHAR, 'z', 0);
    });
    EXPECT_EQ(track(), 12u) << "MNC_IGNORE keeps the menu open, MNC_EXECUTE chooses";
    EXPECT_EQ(menu_chars, 2);
}

TEST_F(MenuTrackingTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner)
{
    MEASUREITEMSTRUCT measured {};
    std::vector<DRAWITEMSTRUCT> drawn;
    handler = [&](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            measured = *mis;
            mis->itemWidth = 120;
            mis->itemHeight = 30;
            return TRUE;
        }
        if (message == WM_DRAWITEM) {
            drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        }
        return std::nullopt;
    };
    set_menu_hook([&](OpenMenu& open) {
        auto items = open.items();
        EXPECT_EQ(items[3].rect.bottom - items[3].rect.top, 30);
        EXPECT_GE(items[0].rect.right, 120) << "every item is as wide as the widest";
        Canvas canvas(200, 200);
        SendMessage(open.window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), 0);
        PostMessage(owner, WM_KEYDOWN, VK_UP, 0);
        PostMessage(owner, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(track(), 12u);
    EXPECT_EQ(measured.CtlType, ODT_MENU);
    EXPECT_EQ(measured.itemID, 12u);
    EXPECT_EQ(measured.itemData, 0x55u);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].CtlType, ODT_MENU);
    EXPECT_EQ(drawn[0].itemState, ODS_CHECKED);
    EXPECT_EQ(drawn[0].itemData, 0x55u);
    EXPECT_EQ(drawn[0].rcItem.bottom - drawn[0].rcItem.top, 30);
}

}

// A menu opened under the pointer leaves the item there unselected until the pointer moves
// (the menu appearing under the pointer is no move); a press outside every level of the menu
// closes it.
TEST_F(MenuTrackingTest, OpenedUnderThePointerItSelectsOnlyAfterAMoveAndClosesOnAPressOutside)
{
    namespace input = platform::user::input;
    UINT const flags = TPM_LEFTALIGN | TPM_RETURNCMD;
    watch({ WM_MENUSELECT });
    input::move_mouse(POINT { 60, 65 }); // over "&Open", once the menu is there
    platform::testing::pump_until_idle();
    set_menu_hook([](OpenMenu&) {
        input::move_mouse(POINT { 60, 65 });
        input::move_mouse(POINT { 400, 300 });
        input::press_mouse(input::MouseButton::Left);
        input::release_mouse(input::MouseButton::Left);
    });
    EXPECT_EQ(track(flags), 0u);
    EXPECT_EQ(count_of(owner, WM_MENUSELECT), 0);

    set_menu_hook([](OpenMenu&) {
        input::move_mouse(POINT { 61, 65 });
        input::press_mouse(input::MouseButton::Left);
        input::release_mouse(input::MouseButton::Left);
    });
    EXPECT_EQ(track(flags), 10u);
    EXPECT_GE(count_of(owner, WM_MENUSELECT), 1);
}
