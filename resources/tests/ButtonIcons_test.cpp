// The icons of the configuration window, loaded through the station utility's own resource
// file (Zorvel.res includes ButtonIcons.res) the way the window loads them.
#include "platform/framework/ResourceApi.h"
#include "platform/framework/Resources.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Png.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using platform::framework::ResourceSet;

struct ButtonIcon {
    char const* name;
    int id;
    int size; // drawn at twice the hot spot: the centre of an icon
};

constexpr ButtonIcon kIcons[] = {
    { "program", 128, 32 },
    { "profile page", 133, 32 },
    { "site survey page", 134, 32 },
    { "advanced page", 157, 32 },
    { "statistics page", 135, 32 },
    { "WMM page", 137, 32 },
    { "WPS page", 136, 32 },
    { "single sign-on page", 245, 32 },
    { "CCX page", 243, 32 },
    { "802.11n page", 138, 32 },
    { "radio on", 153, 32 },
    { "radio off", 154, 32 },
    { "about page", 140, 32 },
    { "help", 139, 32 },
    { "hosted network page", 264, 32 },
    { "left arrow", 132, 16 },
    { "right arrow", 141, 16 },
    { "expand (more)", 143, 16 },
    { "collapse (less)", 144, 16 },
    { "minimise", 260, 16 },
};

// The pixels of a PNG as the reader hands them over (0xAARRGGBB, premultiplied).
std::vector<std::uint32_t> png_pixels(std::string const& path, int& width, int& height)
{
    HBITMAP const bitmap = platform::gdi::read_png(path);
    BITMAP bm {};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || !bm.bmBits)
        return {};
    width = bm.bmWidth;
    height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    auto const* bits = static_cast<std::uint32_t const*>(bm.bmBits);
    std::vector<std::uint32_t> pixels(bits, bits + static_cast<size_t>(width) * static_cast<size_t>(height));
    DeleteObject(bitmap);
    return pixels;
}

class ButtonIconsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        auto set = std::make_shared<ResourceSet>();
        ASSERT_TRUE(set->load(ZORVEL_STATION_RESOURCES "/Zorvel.res"));
        s_set = set;
        platform::framework::set_resources(set);
    }
    static void TearDownTestSuite() { platform::framework::set_resources(nullptr); }
    static std::shared_ptr<ResourceSet const> s_set;
};

std::shared_ptr<ResourceSet const> ButtonIconsTest::s_set;

TEST_F(ButtonIconsTest, IconFileParsesWithoutErrors)
{
    for (std::string const& error : s_set->errors())
        EXPECT_EQ(error.find("ButtonIcons.res"), std::string::npos) << error;
}

TEST_F(ButtonIconsTest, EveryIconLoadsAtTheSizeItsButtonDrawsIt)
{
    for (ButtonIcon const& c : kIcons) {
        SCOPED_TRACE(c.name);
        HICON const icon = LoadIcon(nullptr, MAKEINTRESOURCE(c.id));
        ASSERT_NE(icon, nullptr) << "icon " << c.id;
        ICONINFO info {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_EQ(static_cast<int>(info.xHotspot) * 2, c.size);
        EXPECT_EQ(static_cast<int>(info.yHotspot) * 2, c.size);
        BITMAP colour {};
        ASSERT_TRUE(GetObject(info.hbmColor, sizeof colour, &colour));
        EXPECT_EQ(colour.bmWidth, c.size);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}

// The pictures stand free of the button face: transparent corners, an opaque middle, and no
// half-transparent pixels (masks and the buttons' grey copies work on whole pixels).
TEST_F(ButtonIconsTest, PicturesHaveTransparentCornersAndWholePixels)
{
    for (ButtonIcon const& c : kIcons) {
        SCOPED_TRACE(c.name);
        auto const* image = s_set->icon(c.id);
        ASSERT_NE(image, nullptr);
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> const pixels = png_pixels(image->path, width, height);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(c.size * c.size));
        auto alpha = [&](int x, int y) { return pixels[static_cast<size_t>(y * width + x)] >> 24; };
        int const last = c.size - 1;
        EXPECT_EQ(alpha(0, 0) + alpha(last, 0) + alpha(0, last) + alpha(last, last), 0u);
        int opaque = 0;
        for (std::uint32_t const p : pixels) {
            std::uint32_t const a = p >> 24;
            EXPECT_TRUE(a == 0 || a == 255) << "alpha " << a;
            opaque += a == 255;
        }
        EXPECT_GT(opaque, c.size * c.size / 8) << "a picture, not a speck";
    }
}

// Drawn on a button face, the transparent corners keep the face and the picture covers it.
TEST_F(ButtonIconsTest, DrawnIconsKeepTheBackgroundWhereTransparent)
{
    COLORREF const face = RGB(10, 200, 30);
    HDC const dc = CreateCompatibleDC(nullptr);
    HBITMAP const surface = CreateBitmap(32, 32, 1, 32, nullptr);
    HGDIOBJ const old = SelectObject(dc, surface);
    for (ButtonIcon const& c : { kIcons[0], kIcons[15] }) {
        SCOPED_TRACE(c.name);
        HBRUSH const brush = CreateSolidBrush(face);
        RECT const all { 0, 0, 32, 32 };
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        HICON const icon = LoadIcon(nullptr, MAKEINTRESOURCE(c.id));
        ASSERT_TRUE(DrawIconEx(dc, 0, 0, icon, c.size, c.size, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(GetPixel(dc, 0, 0), face);
        EXPECT_EQ(GetPixel(dc, c.size - 1, c.size - 1), face);
        int covered = 0;
        for (int y = 0; y < c.size; ++y)
            for (int x = 0; x < c.size; ++x)
                covered += GetPixel(dc, x, y) != face;
        EXPECT_GT(covered, c.size * c.size / 8);
        DestroyIcon(icon);
    }
    SelectObject(dc, old);
    DeleteObject(surface);
    DeleteDC(dc);
}

TEST_F(ButtonIconsTest, EachIdHasAPictureOfItsOwn)
{
    std::set<std::string> paths;
    for (ButtonIcon const& c : kIcons) {
        auto const* image = s_set->icon(c.id);
        ASSERT_NE(image, nullptr) << c.name;
        EXPECT_TRUE(paths.insert(image->path).second) << c.name << " shares " << image->path;
    }
}

}
