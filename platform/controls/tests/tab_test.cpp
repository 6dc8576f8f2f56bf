// The tab control: item messages, silent TCM_SETCURSEL, the two notifications of a click and
// a refused change, and the display rectangle.
#include "ControlFixture.h"

#include "platform/controls/TabMessages.h"

namespace in = platform::user::input;

namespace {

class TabTest : public ControlTest {
protected:
    HWND tabs()
    {
        HWND h = make(WC_TABCONTROL, "", 0, 4, { 10, 10, 310, 210 });
        for (char const* text : { "General", "Security", "Advanced" }) {
            TCITEM item { TCIF_TEXT | TCIF_PARAM, 0, 0, const_cast<LPSTR>(text), 0, -1, 100 };
            SendMessage(h, TCM_INSERTITEM, static_cast<WPARAM>(SendMessage(h, TCM_GETITEMCOUNT, 0, 0)), reinterpret_cast<LPARAM>(&item));
        }
        return h;
    }
    static std::vector<UINT> notes()
    {
        std::vector<UINT> codes;
        for (auto const& e : events) {
            if (e.message == WM_NOTIFY)
                codes.push_back(reinterpret_cast<NMHDR const*>(e.lparam) ? 0u : 1u);
        }
        return codes;
    }
};

TEST_F(TabTest, ItemMessages)
{
    HWND h = tabs();
    EXPECT_EQ(SendMessage(h, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(h, TCM_GETCURSEL, 0, 0), 0);
    char buffer[16] {};
    TCITEM item { TCIF_TEXT | TCIF_PARAM, 0, 0, buffer, sizeof(buffer), 0, 0 };
    ASSERT_TRUE(SendMessage(h, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(buffer, "Security");
    EXPECT_EQ(item.lParam, 100);
    TCITEM rename { TCIF_TEXT, 0, 0, const_cast<LPSTR>("Keys"), 0, 0, 0 };
    EXPECT_TRUE(SendMessage(h, TCM_SETITEM, 1, reinterpret_cast<LPARAM>(&rename)));
    SendMessage(h, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buffer, "Keys");
    EXPECT_EQ(SendMessage(h, TCM_SETCURSEL, 2, 0), 0);
    EXPECT_EQ(SendMessage(h, TCM_DELETEITEM, 0, 0), TRUE);
    EXPECT_EQ(SendMessage(h, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessage(h, TCM_DELETEITEM, 5, 0), FALSE);
    EXPECT_EQ(count(WM_NOTIFY), 0);
    RECT display { 0, 0, 300, 200 };
    SendMessage(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_GT(display.top, 20);
    SendMessage(h, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(display.top, 0);
    EXPECT_EQ(display.right, 300);
}

TEST_F(TabTest, ClickSendsChangingThenChangeAndMayBeRefused)
{
    static std::vector<UINT> codes;
    static bool refuse = false;
    codes.clear();
    handler = [](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message != WM_NOTIFY)
            return std::nullopt;
        UINT code = reinterpret_cast<NMHDR const*>(lparam)->code;
        codes.push_back(code);
        return code == TCN_SELCHANGING && refuse ? 1 : 0;
    };
    HWND h = tabs();
    RECT r {};
    SendMessage(h, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    in::click(at(h, r.left + 4, r.top + 6));
    pump();
    EXPECT_EQ(codes, (std::vector<UINT> { TCN_SELCHANGING, TCN_SELCHANGE }));
    EXPECT_EQ(SendMessage(h, TCM_GETCURSEL, 0, 0), 1);
    codes.clear();
    refuse = true;
    in::tap_key(VK_RIGHT);
    pump();
    EXPECT_EQ(codes, (std::vector<UINT> { TCN_SELCHANGING }));
    EXPECT_EQ(SendMessage(h, TCM_GETCURSEL, 0, 0), 1);
    refuse = false;
}

}
