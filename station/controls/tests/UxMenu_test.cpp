#include "station/controls/UxMenu.h"
#include "station/controls/UxMenuColours.h"
#include "station/controls/UxMenuToolBar.h"

#include "DrawingFixture.h"

#include <string>
#include <vector>

namespace {

constexpr UINT MSCHAP = 32891, TLS = 32892, TOKEN = 32893;

class MenuTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        UxMenu::reset_shared_state();
        ASSERT_TRUE(platform::framework::load_resources(STATION_RESOURCES_DIR "/Zorvel.res"));
        ASSERT_TRUE(platform::framework::resources().errors().empty());
    }
    void TearDown() override
    {
        UxMenu::reset_shared_state();
        DrawingTest::TearDown();
    }

    // The drop-down part of a loaded menu (what the button shows).
    static UxMenu& drop_down(UxMenu& menu) { return *menu.sub_menu_object(menu.GetSubMenu(0)); }

    static std::vector<std::string> texts(UxMenu const& menu)
    {
        std::vector<std::string> out;
        for (auto const& r : menu.items())
            out.push_back(r->text);
        return out;
    }

    // Draws item `position` of `menu` into a canvas of w x h.
    static void draw(UxMenu& menu, int position, Canvas& canvas, int w, int h, UINT state)
    {
        UxMenuData const& r = *menu.items()[static_cast<size_t>(position)];
        DRAWITEMSTRUCT item { ODT_MENU, 0, static_cast<UINT>(r.id), ODA_DRAWENTIRE, state, nullptr, canvas.dc.m_hDC,
            RECT { 0, 0, w, h }, reinterpret_cast<ULONG_PTR>(&r) };
        menu.DrawItem(&item);
    }
};

// RT_MENU bytes: a header, then flags, id (not for pop-ups) and a UTF-16 text per item.
std::vector<BYTE> make_template(std::vector<std::tuple<WORD, WORD, std::string>> const& items)
{
    std::vector<BYTE> out { 0, 0, 0, 0 };
    for (auto const& [flags, id, text] : items) {
        out.push_back(static_cast<BYTE>(flags));
        out.push_back(static_cast<BYTE>(flags >> 8));
        if (!(flags & MF_POPUP)) {
            out.push_back(static_cast<BYTE>(id));
            out.push_back(static_cast<BYTE>(id >> 8));
        }
        for (char c : text) {
            out.push_back(static_cast<BYTE>(c));
            out.push_back(0);
        }
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

}

TEST_F(MenuTest, OperatingSystemCodes)
{
    struct Case {
        char const* name;
        DWORD version, major_ex, minor_ex;
        int code;
    };
    Case const cases[] = {
        { "old family, major 3", 0x80000003, 0, 0, 0 }, { "old family 4.10", 0x80000004, 4, 10, 3 },
        { "old family 4.90", 0x80000004, 4, 90, 4 }, { "old family 4.0", 0x80000004, 4, 0, 2 },
        { "NT 4", 0x00000004, 0, 0, 5 }, { "5.0", 0x00000005, 0, 0, 6 }, { "5.1", 0x00000105, 0, 0, 7 },
        { "6.1", 0x1DB10106, 0, 0, 1 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UxMenu::os_code_from_version(c.version, c.major_ex, c.minor_ex), c.code);
    }
    EXPECT_EQ(UxMenu::system().os_code, 7) << "the system's own version is the flat-capable one";
    EXPECT_TRUE(UxMenu::is_classic_theme("C:\\Themes\\WINDOWS CLASSIC.theme"));
    EXPECT_FALSE(UxMenu::is_classic_theme("Luna.theme"));
    // By default the look is the flat-capable one; with the classic theme the other look
    // setting is consulted.
    EXPECT_EQ(UxMenu::look(), 1);
    UxMenu::system().classic_theme = true;
    EXPECT_EQ(UxMenu::look(), 0);
}

TEST_F(MenuTest, LoadsTheResourceWithTranslatedTexts)
{
    UxMenu menu;
    std::map<UINT, CString> const map { { MSCHAP, "MS-CHAP" }, { TOKEN, "Token card" } };
    ASSERT_TRUE(menu.LoadTranslatedMenu(205, map));
    EXPECT_TRUE(menu.is_loaded());
    char title[32] {};
    GetMenuString(menu, 0, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(title, "Tunnel");
    UxMenu& items = drop_down(menu);
    EXPECT_EQ(texts(items), (std::vector<std::string> { "MS-CHAP", "EAP-TLS / Smart Card", "Token card" }));
    EXPECT_TRUE(UxMenu::is_registered(items));
    EXPECT_NE(GetMenuState(items, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
    std::string text;
    EXPECT_TRUE(menu.GetCommandText(TLS, text));
    EXPECT_EQ(text, "EAP-TLS / Smart Card");
    EXPECT_FALSE(menu.GetCommandText(1, text));
    HMENU const drop = items.m_hMenu;
    EXPECT_FALSE(menu.LoadPlainMenu(999)); // a missing resource leaves the menu as it was
    EXPECT_TRUE(UxMenu::is_registered(drop));
    menu.DestroyMenu();
    EXPECT_FALSE(UxMenu::is_registered(drop));
}

TEST_F(MenuTest, TemplateWalkNestsAndRejectsTruncation)
{
    auto const bytes = make_template({ { MF_POPUP, 0, "File" }, { 0, 10, "New" }, { MF_POPUP | MF_END, 0, "More" },
        { 0, 11, "One" }, { MF_END, 12, "Two" }, { MF_POPUP | MF_END, 0, "Help" }, { MF_END, 13, "About" } });
    UxMenu menu;
    ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    UxMenu& file = drop_down(menu);
    EXPECT_EQ(texts(file), (std::vector<std::string> { "New", "More" }));
    int position = -1;
    UxMenu* found = menu.FindCommand(12, position);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(texts(*found), (std::vector<std::string> { "One", "Two" }));
    EXPECT_EQ(menu.FindCommand(13, position), menu.sub_menu_object(menu.GetSubMenu(1)));

    for (size_t cut : { size_t { 3 }, bytes.size() - 1, bytes.size() / 2 }) {
        SCOPED_TRACE(cut);
        UxMenu broken;
        EXPECT_FALSE(broken.load_template(bytes.data(), cut, nullptr));
        EXPECT_EQ(broken.m_hMenu, nullptr);
    }
}

TEST_F(MenuTest, ShortcutColumnIsAligned)
{
    auto const bytes = make_template({ { MF_POPUP | MF_END, 0, "P" }, { 0, 1, "Open\tCtrl+O" }, { 0, 2, "Save everything\tF12" },
        { MF_END, 3, "Quit" } });
    UxMenu menu;
    ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
    NONCLIENTMETRICS metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC const dc = GetDC(nullptr);
    HFONT const font = CreateFontIndirect(&metrics.lfMenuFont);
    HGDIOBJ const old = SelectObject(dc, font);
    auto width = [dc](std::string const& s) {
        SIZE size {};
        GetTextExtentPoint32(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return size.cx;
    };
    int const column = width("Save everything ");
    for (auto const& text : texts(drop_down(menu))) {
        size_t const tab = text.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string const label = text.substr(0, tab);
        EXPECT_GE(width(label), column) << text;
        EXPECT_LT(width(label.substr(0, label.size() - 1)), column) << text;
    }
    EXPECT_EQ(texts(drop_down(menu))[2], "Quit");
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
}

TEST_F(MenuTest, ToolbarImagesWithFadedAndShadowedCopies)
{
    UxMenuToolBar bar;
    ASSERT_TRUE(bar.LoadToolBar(213));
    EXPECT_EQ(bar.buttons(), (std::vector<UINT> { MSCHAP, TLS, TOKEN }));
    BYTE const short_record[] = { 1, 0, 16, 0, 16, 0, 5, 0, 1, 0 };
    EXPECT_FALSE(bar.parse(short_record, sizeof short_record));

    auto const bytes = make_template({ { MF_POPUP | MF_END, 0, "P" }, { 0, MSCHAP, "A" }, { 0, 77, "Not on the toolbar" },
        { MF_END, TOKEN, "C" } });
    UxMenu menu;
    ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
    menu.ChooseMaskColour(RGB(255, 0, 255));
    menu.ChangeImageSize(16, 16);
    ASSERT_TRUE(menu.TakeToolbarImages(213));
    UxMenu& items = drop_down(menu);
    EXPECT_EQ(items.items()[0]->store_index, UxMenu::store_index(MSCHAP));
    EXPECT_EQ(items.items()[1]->store_index, -1);
    EXPECT_TRUE(UxMenu::has_copies(MSCHAP));
    EXPECT_TRUE(UxMenu::has_copies(TOKEN));
    EXPECT_EQ(UxMenu::store_index(TLS), -1); // not in this menu
    EXPECT_EQ(ImageList_GetImageCount(UxMenu::image_store()), 6);
    EXPECT_FALSE(menu.TakeToolbarImages(214));

    // The key's black outline: the faded copy lightens it by 30 %, the shadowed one is the
    // shadow colour; the magenta background is transparent in all three.
    Canvas canvas(48, 16);
    canvas.dc.FillSolidRect(0, 0, 48, 16, RGB(0, 0, 255));
    int const i = UxMenu::store_index(MSCHAP);
    for (int k = 0; k < 3; ++k)
        ImageList_Draw(UxMenu::image_store(), i + k, canvas.dc, 16 * k, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(10, 6), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(16 + 10, 6), lighten(RGB(0, 0, 0), 30));
    EXPECT_EQ(canvas.at(32 + 10, 6), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(16, 0), RGB(0, 0, 255));
}

// A second menu taking the same toolbar in the same colours keeps the stored images (made
// once for every menu of a kind); in other colours they are made again.
TEST_F(MenuTest, ToolbarImagesAreMadeAgainOnlyInOtherColours)
{
    auto const bytes = make_template({ { MF_POPUP | MF_END, 0, "P" }, { MF_END, MSCHAP, "A" } });
    auto take = [&](UxMenu& menu) {
        ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
        menu.ChooseMaskColour(RGB(255, 0, 255));
        menu.ChangeImageSize(16, 16);
        ASSERT_TRUE(menu.TakeToolbarImages(213));
    };
    auto shadow_pixel = [] {
        Canvas canvas(16, 16);
        canvas.dc.FillSolidRect(0, 0, 16, 16, RGB(0, 0, 255));
        ImageList_Draw(UxMenu::image_store(), UxMenu::store_index(MSCHAP) + 2, canvas.dc, 0, 0, ILD_TRANSPARENT);
        return canvas.at(10, 6);
    };
    UxMenu first;
    take(first);
    int const stored = UxMenu::store_index(MSCHAP);
    EXPECT_EQ(shadow_pixel(), GetSysColor(COLOR_BTNSHADOW));
    // Marks the stored shadow copy: a menu that made it again would overwrite the mark.
    HIMAGELIST const marked = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    Canvas red(16, 16);
    red.dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 0));
    red.dc.SelectObject(red.old);
    ImageList_Add(marked, static_cast<HBITMAP>(red.bitmap.m_hObject), nullptr);
    HICON const mark = ImageList_GetIcon(marked, 0, ILD_NORMAL);
    ImageList_ReplaceIcon(UxMenu::image_store(), stored + 2, mark);

    UxMenu second;
    take(second);
    EXPECT_EQ(UxMenu::store_index(MSCHAP), stored);
    EXPECT_EQ(ImageList_GetImageCount(UxMenu::image_store()), 3);
    EXPECT_EQ(drop_down(second).items()[0]->store_index, stored);
    EXPECT_EQ(shadow_pixel(), RGB(255, 0, 0));

    INT const index = COLOR_BTNSHADOW;
    COLORREF const old_shadow = GetSysColor(COLOR_BTNSHADOW), new_shadow = RGB(0, 128, 0);
    SetSysColors(1, &index, &new_shadow);
    UxMenu third;
    take(third);
    EXPECT_EQ(UxMenu::store_index(MSCHAP), stored);
    EXPECT_EQ(ImageList_GetImageCount(UxMenu::image_store()), 3);
    EXPECT_EQ(shadow_pixel(), UxMenu::system().xp_capable() ? new_shadow : lighten(new_shadow, 49));
    SetSysColors(1, &index, &old_shadow);
    DestroyIcon(mark);
    ImageList_Destroy(marked);
}

TEST_F(MenuTest, MeasureItemValues)
{
    auto const bytes = make_template({ { MF_POPUP | MF_END, 0, "P" }, { 0, 1, "Open" }, { MF_END, 0, "" } });
    UxMenu menu;
    ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
    UxMenu& items = drop_down(menu);
    items.ChangeImageSize(16, 16);
    MEASUREITEMSTRUCT m { ODT_MENU, 0, 1, 0, 0, reinterpret_cast<ULONG_PTR>(items.items()[0].get()) };
    items.MeasureItem(&m);
    NONCLIENTMETRICS metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC const dc = GetDC(nullptr);
    HFONT const font = CreateFontIndirect(&metrics.lfMenuFont);
    HGDIOBJ const old = SelectObject(dc, font);
    SIZE size {};
    GetTextExtentPoint32(dc, "Open", 4, &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(m.itemWidth, static_cast<UINT>(size.cx + 16 + 7 + 8));
    EXPECT_EQ(m.itemHeight, static_cast<UINT>(std::max(16 + 7, GetSystemMetrics(SM_CYMENU))));

    MEASUREITEMSTRUCT s { ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(items.items()[1].get()) };
    items.MeasureItem(&s);
    EXPECT_EQ(s.itemWidth, 0u);
    EXPECT_EQ(s.itemHeight, static_cast<UINT>(std::max(23 / 2, GetSystemMetrics(SM_CYMENU) / 2)));

    UxMenu::gutter_setting() = 0; // narrow gutter, no copies
    items.MeasureItem(&m);
    EXPECT_EQ(m.itemWidth, static_cast<UINT>(size.cx + 16 + 4 + 8));
}

// With the probe colours every system colour is told apart by its red channel.
TEST_F(MenuTest, FlatDrawingColours)
{
    platform::gdi::testing::use_probe_colors();
    auto const bytes = make_template({ { MF_POPUP | MF_END, 0, "P" }, { 0, 1, "Open" }, { MF_END, 2, "Checked" } });
    UxMenu menu;
    ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
    UxMenu& items = drop_down(menu);
    items.ChangeImageSize(16, 16);
    Canvas plain(120, 24);
    draw(items, 0, plain, 120, 24, 0);
    EXPECT_EQ(plain.at(5, 12), GetSysColor(COLOR_BTNFACE)); // gutter (XP-capable: plain face)
    EXPECT_EQ(plain.at(110, 3), GetSysColor(COLOR_WINDOW));

    Canvas selected(120, 24);
    draw(items, 0, selected, 120, 24, ODS_SELECTED);
    EXPECT_EQ(selected.at(0, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(selected.at(5, 12), lighten(GetSysColor(COLOR_HIGHLIGHT), 70));

    // A checked item without an image: the 16 x 16 box centred in the 23-pixel gutter, the
    // mark's third stroke from (5 + 2, 4 + 4).
    Canvas checked(120, 24);
    draw(items, 1, checked, 120, 24, ODS_CHECKED);
    EXPECT_EQ(checked.at(3, 4), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(checked.at(5, 6), lighten(GetSysColor(COLOR_HIGHLIGHT), 85));
    EXPECT_EQ(checked.at(3 + 7, 4 + 8), GetSysColor(COLOR_MENUTEXT));
    EXPECT_EQ(checked.at(3 + 7, 4 + 7), lighten(GetSysColor(COLOR_HIGHLIGHT), 85));
}

TEST_F(MenuTest, ClassicDrawingColours)
{
    platform::gdi::testing::use_probe_colors();
    UxMenu::system().os_code = 1; // not the flat-capable system: the other look (0) applies
    auto const bytes = make_template({ { MF_POPUP | MF_END, 0, "P" }, { MF_END, 1, "Open" } });
    UxMenu menu;
    ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
    UxMenu& items = drop_down(menu);
    Canvas plain(120, 24);
    draw(items, 0, plain, 120, 24, 0);
    EXPECT_EQ(plain.at(2, 2), GetSysColor(COLOR_MENU));
    Canvas selected(120, 24);
    draw(items, 0, selected, 120, 24, ODS_SELECTED);
    EXPECT_EQ(selected.at(2, 2), GetSysColor(COLOR_HIGHLIGHT));

    // A palette display draws classic whatever the look.
    UxMenu::system().os_code = 7;
    platform::gdi::testing::use_palette_device(true);
    Canvas palette(120, 24);
    draw(items, 0, palette, 120, 24, 0);
    EXPECT_EQ(palette.at(2, 2), GetSysColor(COLOR_3DFACE));
}

TEST_F(MenuTest, KeyboardShortcuts)
{
    auto const bytes = make_template({ { MF_POPUP | MF_END, 0, "P" }, { 0, 1, "&Open" }, { 0, 0, "" }, { MF_END, 2, "Save &as" } });
    UxMenu menu;
    ASSERT_TRUE(menu.load_template(bytes.data(), bytes.size(), nullptr));
    HMENU const sub = menu.GetSubMenu(0);
    EXPECT_EQ(UxMenu::FindKeyboardShortcut('A', MF_POPUP, sub), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(UxMenu::FindKeyboardShortcut('o', MF_POPUP, sub), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(UxMenu::FindKeyboardShortcut('z', MF_POPUP, sub), 0);
    EXPECT_EQ(UxMenu::FindKeyboardShortcut('o', 0, sub), 0);
    EXPECT_EQ(UxMenu::FindKeyboardShortcut('o', MF_POPUP, menu), 0); // the top level is not registered
    // An item added by other means is found after the records are rebuilt.
    AppendMenu(sub, MF_STRING, 3, "E&xtra");
    EXPECT_EQ(UxMenu::FindKeyboardShortcut('x', MF_POPUP, sub), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(drop_down(menu).items().size(), 4u);
    EXPECT_NE(GetMenuState(sub, 3, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
}
