#include "platform/controls/common/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string text_of(HMENU menu, UINT item, UINT flags)
{
    char buffer[64] {};
    GetMenuString(menu, item, buffer, sizeof(buffer), flags);
    return buffer;
}

// A pop-up "Open / --- / Recent > (One, Two grey) / owner-drawn 40".
struct MenuTest : testing::Test {
    HMENU menu = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    void SetUp() override
    {
        AppendMenu(recent, MF_STRING, 31, "One");
        AppendMenu(recent, MF_STRING | MF_GRAYED, 32, "Two");
        AppendMenu(menu, MF_STRING, 10, "&Open");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "Recent");
        AppendMenu(menu, MF_OWNERDRAW, 40, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(0x1234)));
    }
    void TearDown() override { DestroyMenu(menu); }
};

TEST_F(MenuTest, StatesByCommandAndPosition)
{
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND), MF_STRING);
    EXPECT_EQ(GetMenuState(menu, 32, MF_BYCOMMAND), MF_GRAYED) << "sub-menus are searched";
    EXPECT_EQ(GetMenuState(menu, 99, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION), (2u << 8) | MF_POPUP) << "item count in the high byte";
    EXPECT_EQ(GetMenuState(menu, 4, MF_BYPOSITION), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuItemID(menu, 0), 10u);
    EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu, 2), recent);
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
}

TEST_F(MenuTest, TextsAndOwnerDrawnItems)
{
    EXPECT_EQ(text_of(menu, 0, MF_BYPOSITION), "&Open");
    EXPECT_EQ(text_of(menu, 31, MF_BYCOMMAND), "One");
    EXPECT_EQ(text_of(menu, 2, MF_BYPOSITION), "Recent");
    EXPECT_EQ(GetMenuString(menu, 3, nullptr, 0, MF_BYPOSITION), 0) << "owner-drawn items have no text";
    char small[3] {};
    EXPECT_EQ(GetMenuString(menu, 0, small, sizeof(small), MF_BYPOSITION), 2);
    EXPECT_STREQ(small, "&O") << "cut to the buffer and terminated";
    MENUITEMINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfo(menu, 40, FALSE, &info));
    EXPECT_EQ(info.dwItemData, 0x1234u);
    EXPECT_EQ(info.fType, MF_OWNERDRAW);
    EXPECT_EQ(info.wID, 40u);
}

TEST_F(MenuTest, ChangingItems)
{
    EXPECT_EQ(EnableMenuItem(menu, 10, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 10, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(CheckMenuItem(menu, 31, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(GetMenuState(recent, 0, MF_BYPOSITION), MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(menu, 77, MF_GRAYED), static_cast<UINT>(-1));
    EXPECT_TRUE(ModifyMenu(menu, 10, MF_BYCOMMAND | MF_STRING, 11, "Close"));
    EXPECT_EQ(text_of(menu, 11, MF_BYCOMMAND), "Close");
    EXPECT_TRUE(ModifyMenu(menu, 0, MF_BYPOSITION | MF_OWNERDRAW, 11, nullptr));
    EXPECT_EQ(GetMenuString(menu, 0, nullptr, 0, MF_BYPOSITION), 0);
    MENUITEMINFO set {};
    set.cbSize = sizeof(set);
    set.fMask = MIIM_CHECKMARKS | MIIM_STRING;
    set.hbmpChecked = reinterpret_cast<HBITMAP>(0x77);
    set.dwTypeData = const_cast<LPSTR>("Uno");
    EXPECT_TRUE(SetMenuItemInfo(menu, 31, FALSE, &set));
    MENUITEMINFO got {};
    got.cbSize = sizeof(got);
    got.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfo(menu, 31, FALSE, &got);
    EXPECT_EQ(got.hbmpChecked, set.hbmpChecked);
    EXPECT_EQ(text_of(recent, 0, MF_BYPOSITION), "Uno");
    EXPECT_TRUE(InsertMenu(menu, 1, MF_BYPOSITION | MF_STRING, 12, "Save"));
    EXPECT_EQ(GetMenuItemID(menu, 1), 12u);
}

TEST_F(MenuTest, DeleteDestroysTheSubMenuRemoveKeepsIt)
{
    EXPECT_TRUE(RemoveMenu(menu, 2, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(recent));
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "Recent");
    EXPECT_TRUE(DeleteMenu(menu, 3, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_FALSE(DeleteMenu(menu, 99, MF_BYCOMMAND));
    EXPECT_FALSE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "gone")) << "a dead sub-menu is refused";
    HMENU doomed = CreatePopupMenu();
    HMENU child = CreatePopupMenu();
    AppendMenu(doomed, MF_POPUP, reinterpret_cast<UINT_PTR>(child), "child");
    EXPECT_TRUE(DestroyMenu(doomed));
    EXPECT_FALSE(IsMenu(child));
    EXPECT_FALSE(DestroyMenu(doomed));
}

// Template bytes: header (version 0, offset 0), then POPUP "File" { "Open" 100, SEPARATOR,
// "Exit" 101 (MF_END) } with MF_END on the pop-up itself.
std::vector<BYTE> menu_template()
{
    std::vector<BYTE> b;
    auto word = [&](WORD w) { b.push_back(static_cast<BYTE>(w)); b.push_back(static_cast<BYTE>(w >> 8)); };
    auto text = [&](char const* s) { for (; *s; ++s) word(static_cast<BYTE>(*s)); word(0); };
    word(0);
    word(0);
    word(MF_POPUP | MF_END);
    text("File");
    word(0);
    word(100);
    text("Open");
    word(0);
    word(0);
    text("");
    word(MF_END);
    word(101);
    text("Exit");
    return b;
}

TEST(MenuTemplate, LoadsNestedItemsAndRejectsTruncation)
{
    std::vector<BYTE> bytes = menu_template();
    HMENU menu = LoadMenuIndirect(bytes.data(), static_cast<DWORD>(bytes.size()));
    ASSERT_NE(menu, nullptr);
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 2), 101u);
    EXPECT_EQ(GetMenuState(file, 101, MF_BYCOMMAND), MF_STRING) << "MF_END is not kept";
    DestroyMenu(menu);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_EQ(LoadMenuIndirect(bytes.data(), static_cast<DWORD>(cut)), nullptr) << cut;
}

}
