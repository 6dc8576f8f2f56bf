#include "station/controls/ButtonST.h"
#include "station/controls/UxMenu.h"

#include "DrawingFixture.h"

#include <vector>

// The program's exit flag; the controls reach it weakly, the test owns it.
BOOL g_bExitingUI = FALSE;

namespace {

constexpr UINT MSCHAP = 32891, TLS = 32892;
constexpr UINT CALLBACK_MESSAGE = 1124;

// A dialog-like owner that records the commands and menu notifications it receives.
class Owner : public CWnd {
public:
    struct Seen {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Seen> seen;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && lParam == 0)
            seen.push_back({ message, wParam, lParam });
        if (message == CALLBACK_MESSAGE)
            seen.push_back({ message, wParam, lParam });
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ButtonMenuTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        g_bExitingUI = FALSE;
        UxMenu::reset_shared_state();
        ASSERT_TRUE(platform::framework::load_resources(STATION_RESOURCES_DIR "/Zorvel.res"));
        LPCTSTR const cls = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(m_owner.CreateEx(0, cls, "owner", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200, nullptr, nullptr));
        HWND const button = CreateWindowEx(0, "Button", "Tunnel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 120, 24,
            m_owner.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1463)), nullptr, nullptr);
        ASSERT_TRUE(m_button.SubclassWindow(button));
        platform::testing::pump_until_idle();
    }
    void TearDown() override
    {
        platform::commctrl::set_menu_hook(nullptr);
        g_bExitingUI = FALSE;
        m_button.DestroyWindow();
        m_owner.DestroyWindow();
        UxMenu::reset_shared_state();
        DrawingTest::TearDown();
    }

    void attach()
    {
        std::map<UINT, CString> const texts { { MSCHAP, "&MS-CHAP v2" }, { TLS, "&TLS" } };
        ASSERT_EQ(m_button.AttachDropMenu(205, m_owner.m_hWnd, 1, 213, texts, 16, 16, RGB(255, 0, 255)), 0u);
        m_button.RegisterMenuNotify(m_owner.m_hWnd, CALLBACK_MESSAGE, 0);
    }

    void click()
    {
        m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(1463, BN_CLICKED), reinterpret_cast<LPARAM>(m_button.m_hWnd));
        platform::testing::pump_until_idle();
    }

    std::vector<UINT> commands() const
    {
        std::vector<UINT> out;
        for (auto const& s : m_owner.seen)
            if (s.message == WM_COMMAND)
                out.push_back(LOWORD(s.wParam));
        return out;
    }

    Owner m_owner;
    CButtonST m_button;
};

}

TEST_F(ButtonMenuTest, ChosenCommandIsPostedAfterTheCallback)
{
    attach();
    std::vector<platform::commctrl::OpenMenuItem> shown;
    platform::commctrl::set_menu_hook([&](platform::commctrl::OpenMenu& menu) {
        shown = menu.items();
        menu.choose(TLS);
    });
    click();
    ASSERT_EQ(m_owner.seen.size(), 2u);
    EXPECT_EQ(m_owner.seen[0].message, CALLBACK_MESSAGE);
    EXPECT_EQ(reinterpret_cast<HMENU>(m_owner.seen[0].wParam), m_button.drop_menu()->GetSubMenu(0));
    EXPECT_EQ(commands(), (std::vector<UINT> { TLS }));
    // The items were measured by the menu: image height 16 plus the wide gutter.
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].rect.bottom - shown[0].rect.top, std::max(16 + 7, GetSystemMetrics(SM_CYMENU)));
}

TEST_F(ButtonMenuTest, NothingChosenPostsNothing)
{
    attach();
    platform::commctrl::set_menu_hook([](platform::commctrl::OpenMenu& menu) { menu.cancel(); });
    click();
    EXPECT_TRUE(commands().empty());
}

TEST_F(ButtonMenuTest, ClosingProgramStopsAfterTheMenu)
{
    attach();
    platform::commctrl::set_menu_hook([](platform::commctrl::OpenMenu& menu) {
        g_bExitingUI = TRUE;
        menu.choose(MSCHAP);
    });
    click();
    EXPECT_TRUE(commands().empty());
}

TEST_F(ButtonMenuTest, MissingResourcesLeaveNoMenu)
{
    std::map<UINT, CString> const none;
    EXPECT_EQ(m_button.AttachDropMenu(999, m_owner.m_hWnd, 1, 213, none, 16, 16, RGB(255, 0, 255)), 1u);
    EXPECT_EQ(m_button.drop_menu(), nullptr);
    EXPECT_EQ(m_button.AttachDropMenu(205, m_owner.m_hWnd, 1, 214, none, 16, 16, RGB(255, 0, 255)), 1u);
    EXPECT_EQ(m_button.drop_menu(), nullptr);
    EXPECT_EQ(UxMenu::xp_look(), 1);
    EXPECT_EQ(UxMenu::other_look(), 1);
}

TEST_F(ButtonMenuTest, MenuCharFindsTheMnemonic)
{
    attach();
    HMENU const drop = m_button.drop_menu()->GetSubMenu(0);
    EXPECT_EQ(m_button.SendMessage(WM_MENUCHAR, MAKEWPARAM('t', MF_POPUP), reinterpret_cast<LPARAM>(drop)),
        MAKELRESULT(1, MNC_EXECUTE));
}
