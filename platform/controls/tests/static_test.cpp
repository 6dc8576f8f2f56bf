// Statics: text formats, transparency to the mouse, SS_NOTIFY, images and colours.
#include "ControlFixture.h"

#include "platform/controls/Static.h"
#include "platform/gdi/SysPaint.h"

namespace in = platform::user::input;
using platform::controls::Static;

namespace {

class StaticTest : public ControlTest { };

TEST_F(StaticTest, TextStylesMapToDrawTextFlags)
{
    struct Case {
        DWORD style;
        UINT format;
    };
    constexpr Case cases[] = {
        { SS_LEFT, DT_EXPANDTABS | DT_WORDBREAK },
        { SS_CENTER, DT_EXPANDTABS | DT_CENTER | DT_WORDBREAK },
        { SS_RIGHT | SS_NOPREFIX, DT_EXPANDTABS | DT_RIGHT | DT_WORDBREAK | DT_NOPREFIX },
        { SS_LEFTNOWORDWRAP, DT_EXPANDTABS },
        { SS_SIMPLE, DT_EXPANDTABS | DT_SINGLELINE },
    };
    for (auto const& c : cases)
        EXPECT_EQ(Static::text_format(c.style), c.format) << c.style;
}

TEST_F(StaticTest, ClicksPassThroughUnlessNotify)
{
    HWND plain = make("Static", "plain", SS_LEFT, 1, { 10, 10, 110, 30 });
    HWND notify = make("Static", "notify", SS_LEFT | SS_NOTIFY, 2, { 10, 40, 110, 60 });
    in::click(at(plain, 3, 3));
    pump();
    platform::testing::advance(1000);
    in::click(at(notify, 3, 3));
    in::click(at(notify, 3, 3));
    pump();
    EXPECT_TRUE(commands(1).empty());
    EXPECT_EQ(commands(2), (std::vector<WORD> { STN_CLICKED, STN_DBLCLK }));
    EXPECT_EQ(SendMessage(plain, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticTest, ParentColoursTheBackground)
{
    HWND s = make("Static", "", SS_LEFT, 1);
    EXPECT_EQ(pixel_of(s, 2, 2), GetSysColor(COLOR_BTNFACE));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CTLCOLORSTATIC)
            return reinterpret_cast<LRESULT>(red);
        return std::nullopt;
    };
    EXPECT_EQ(pixel_of(s, 2, 2), RGB(255, 0, 0));
    handler = nullptr;
    DeleteObject(red);
}

TEST_F(StaticTest, EtchedLineAndImages)
{
    HWND line = make("Static", "", SS_ETCHEDHORZ, 1, { 10, 10, 110, 12 });
    EXPECT_EQ(pixel_of(line, 5, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel_of(line, 5, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    HWND picture = make("Static", "", SS_BITMAP, 2, { 10, 20, 30, 40 });
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all { 0, 0, 4, 4 };
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &all, blue);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(blue);
    EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, 0, reinterpret_cast<LPARAM>(bitmap)), 0);
    EXPECT_EQ(pixel_of(picture, 1, 1), RGB(0, 0, 255));
    EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, 0, 0), reinterpret_cast<LRESULT>(bitmap));
    DestroyWindow(picture);
    DeleteObject(bitmap);
}

}

// While the window's keyboard cues hide the access keys, "&N" draws as a plain "N"; Alt on
// any control shows the underline again, for the whole window.
TEST_F(StaticTest, AccessKeyUnderlineFollowsTheKeyboardCues)
{
    HWND keyed = make("Static", "&N", SS_LEFT, 1, { 10, 10, 40, 30 });
    HWND plain = make("Static", "N", SS_LEFT, 2, { 50, 10, 80, 30 });
    auto looks_alike = [&] {
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 30; ++x) {
                if (pixel_of(keyed, x, y) != pixel_of(plain, x, y))
                    return false;
            }
        }
        return true;
    };
    EXPECT_FALSE(looks_alike()) << "underlined while the cues show";
    SendMessage(keyed, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
    EXPECT_TRUE(looks_alike());
    SendMessage(plain, WM_SYSKEYDOWN, VK_MENU, 0);
    EXPECT_EQ(SendMessage(parent, WM_QUERYUISTATE, 0, 0), 0);
    EXPECT_FALSE(looks_alike());
}
