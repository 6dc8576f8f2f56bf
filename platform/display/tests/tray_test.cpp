// The tray's pieces that need no X server: icon images as ARGB, double-click recognition on
// tray icons, and the system tray model reaching the presenter.
#include "DisplayFixture.h"
#include "TestIcons.h"

#include "platform/display/IconImage.h"
#include "platform/display/SystemTraySource.h"
#include "platform/display/TrayClicks.h"


using namespace platform::display;
using display_test::DisplayTest;

TEST(IconImage, MaskMakesTransparencyAndColourStaysOpaque)
{
    HICON icon = display_test::make_icon(0x00123456);
    ArgbImage image = icon_image(icon);
    ASSERT_EQ(image.width, display_test::icon_side);
    ASSERT_EQ(image.height, display_test::icon_side);
    for (int y = 0; y < image.height; ++y) {
        SCOPED_TRACE(y);
        std::uint32_t expected = y < display_test::transparent_rows ? 0u : 0xFF123456u;
        EXPECT_EQ(image.pixels[static_cast<std::size_t>(y) * image.width], expected);
        EXPECT_EQ(image.pixels[static_cast<std::size_t>(y) * image.width + image.width - 1], expected);
    }
    DestroyIcon(icon);
    EXPECT_TRUE(icon_image(icon).empty());
    EXPECT_TRUE(icon_image(nullptr).empty());
}

TEST(IconImage, MonochromeIconTakesItsImageFromTheMasksLowerHalf)
{
    // 16 x 16: the upper half of the 16 x 32 mask is the AND mask (row 0 transparent), the
    // lower half the image (white everywhere).
    std::vector<std::uint8_t> bits(2 * 32, 0);
    bits[0] = bits[1] = 0xFF;
    for (int i = 32; i < 64; ++i)
        bits[i] = 0xFF;
    HBITMAP mask = CreateBitmap(16, 32, 1, 1, bits.data());
    ICONINFO info { TRUE, 0, 0, mask, nullptr };
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    ArgbImage image = icon_image(icon);
    ASSERT_EQ(image.width, 16);
    ASSERT_EQ(image.height, 16);
    EXPECT_EQ(image.pixels[0], 0u);
    EXPECT_EQ(image.pixels[16 * 5 + 3], 0xFFFFFFFFu);
    DestroyIcon(icon);
}

TEST(IconImage, ComposesOverABackground)
{
    ArgbImage image { 3, 1, { 0xFF102030u, 0x00FFFFFFu, 0x80FF0000u } };
    auto out = composed_over(image, 0x00000080u);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], 0x00102030u);
    EXPECT_EQ(out[1], 0x00000080u);
    EXPECT_EQ(out[2], 0x00800040u); // half of each, rounded
}

TEST(TrayClicks, SecondPressSoonAndCloseIsADoubleClick)
{
    HWND owner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10));
    struct Step {
        char const* name;
        UINT id;
        TrayButton button;
        bool press;
        std::uint32_t time;
        POINT at;
        UINT expected;
    };
    Step const steps[] = {
        { "first press", 1, TrayButton::Left, true, 1000, { 10, 10 }, WM_LBUTTONDOWN },
        { "release", 1, TrayButton::Left, false, 1050, { 10, 10 }, WM_LBUTTONUP },
        { "second press in time", 1, TrayButton::Left, true, 1300, { 11, 12 }, WM_LBUTTONDBLCLK },
        { "release of the double click", 1, TrayButton::Left, false, 1350, { 11, 12 }, WM_LBUTTONUP },
        { "third press starts over", 1, TrayButton::Left, true, 1400, { 11, 12 }, WM_LBUTTONDOWN },
        { "too late", 1, TrayButton::Left, true, 1400 + 501, { 11, 12 }, WM_LBUTTONDOWN },
        { "too far", 1, TrayButton::Left, true, 2000, { 30, 12 }, WM_LBUTTONDOWN },
        { "other icon", 2, TrayButton::Left, true, 2010, { 30, 12 }, WM_LBUTTONDOWN },
        { "right after left", 2, TrayButton::Right, true, 2020, { 30, 12 }, WM_RBUTTONDOWN },
        { "right double", 2, TrayButton::Right, true, 2030, { 30, 12 }, WM_RBUTTONDBLCLK },
        { "right release", 2, TrayButton::Right, false, 2040, { 30, 12 }, WM_RBUTTONUP },
        { "server clock wraps", 3, TrayButton::Middle, true, 0xFFFFFF00u, { 0, 0 }, WM_MBUTTONDOWN },
        { "across the wrap", 3, TrayButton::Middle, true, 0x00000010u, { 0, 0 }, WM_MBUTTONDBLCLK },
    };
    TrayClicks clicks(500, SIZE { 4, 4 });
    for (Step const& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(clicks.message_for(TrayPress { step.id, owner, step.button, step.press, step.time, step.at }),
            step.expected);
    }
}

namespace {

class TrayRecorder final : public Presenter {
public:
    void damaged(HWND, RECT const&) override { }
    void tray_changed() override { ++changes; }
    std::string_view name() const override { return "recorder"; }
    int changes = 0;
};

}

TEST_F(DisplayTest, SystemTrayModelReachesThePresenter)
{
    auto recorder = std::make_unique<TrayRecorder>();
    TrayRecorder* seen = recorder.get();
    install_presenter(std::move(recorder));
    platform::system::TrayModel model;
    auto source = std::make_shared<SystemTraySource>(model);
    set_tray_source(source);
    HWND owner = make_top("owner", RECT { 0, 0, 10, 10 });

    ASSERT_TRUE(model.add(platform::system::TrayIcon { owner, 222, WM_USER + 100, nullptr, "Link is up" }));
    EXPECT_EQ(seen->changes, 1);
    auto icons = tray_icons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].owner, owner);
    EXPECT_EQ(icons[0].id, 222u);
    EXPECT_EQ(icons[0].callback_message, WM_USER + 100);
    EXPECT_EQ(icons[0].tip, "Link is up");

    model.modify(owner, 222, std::nullopt, std::nullopt, std::string("Weak signal"));
    EXPECT_EQ(seen->changes, 2);
    EXPECT_EQ(tray_icons()[0].tip, "Weak signal");

    source.reset();
    set_tray_source(nullptr);
    model.remove(owner, 222);
    EXPECT_EQ(seen->changes, 2);
}
