// The IP address control: the 32-bit value, blank fields, typing across fields and the
// field-changed notification.
#include "ControlFixture.h"

#include "platform/controls/TabMessages.h"

namespace in = platform::user::input;

namespace {

class IpAddressTest : public ControlTest { };

TEST_F(IpAddressTest, AddressIsOneNumberWithTheFirstFieldHighest)
{
    HWND h = make(WC_IPADDRESS, "", 0, 8, { 10, 10, 170, 32 });
    EXPECT_TRUE(SendMessage(h, IPM_ISBLANK, 0, 0));
    SendMessage(h, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 254));
    DWORD value = 0;
    EXPECT_EQ(SendMessage(h, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value)), 4);
    EXPECT_EQ(value, 0xC0A801FEu);
    EXPECT_EQ(FIRST_IPADDRESS(value), 192);
    EXPECT_FALSE(SendMessage(h, IPM_ISBLANK, 0, 0));
    SendMessage(h, IPM_CLEARADDRESS, 0, 0);
    EXPECT_EQ(SendMessage(h, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value)), 0);
    EXPECT_EQ(value, 0u);
}

TEST_F(IpAddressTest, TypingMovesAcrossFieldsAndClampsWhenAFieldIsLeft)
{
    static std::vector<std::pair<int, int>> changed;
    changed.clear();
    handler = [](HWND, UINT message, WPARAM, LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_NOTIFY) {
            auto const* nm = reinterpret_cast<NMIPADDRESS const*>(lparam);
            if (nm->hdr.code == IPN_FIELDCHANGED)
                changed.push_back({ nm->iField, nm->iValue });
        }
        return std::nullopt;
    };
    HWND h = make(WC_IPADDRESS, "", 0, 8, { 10, 10, 170, 32 });
    SetFocus(h);
    pump();
    in::type_text("10.999.3");
    pump();
    DWORD value = 0;
    EXPECT_EQ(SendMessage(h, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value)), 3);
    EXPECT_EQ(value, static_cast<DWORD>(MAKEIPADDRESS(10, 255, 3, 0)));
    EXPECT_EQ(changed, (std::vector<std::pair<int, int>> { { 0, 10 }, { 1, 255 } }));
    EXPECT_FALSE(commands(8).empty()); // EN_CHANGE for the typing
}

}
