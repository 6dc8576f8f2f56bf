#include "platform/controls/common/ImageList.h"
#include "platform/controls/common/ImageListObject.h"
#include "platform/controls/common/tests/Canvas.h"
#include "platform/gdi/SysPaint.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPaint = RGB(200, 100, 0);

// A bitmap of `count` 4 x 4 images side by side: each image is `paint` with its left column
// in `key` (the colour the test makes transparent).
HBITMAP make_strip(int count, COLORREF key, COLORREF paint = kPaint)
{
    std::uint32_t* bits {};
    HBITMAP bitmap = platform::commctrl::make_dib(4 * count, 4, &bits);
    auto pixel = [](COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4 * count; ++x)
            bits[y * 4 * count + x] = pixel(x % 4 == 0 ? key : paint);
    return bitmap;
}

struct ImageListTest : testing::Test {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 4, 4);
    void TearDown() override { ImageList_Destroy(list); }
};

TEST_F(ImageListTest, AddMaskedMakesTheKeyColourTransparent)
{
    struct Case {
        char const* name;
        COLORREF key;
    } const cases[] = {
        { "magenta", kMagenta },
        { "white", kWhite },
        { "button face", GetSysColor(COLOR_BTNFACE) },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        ImageList_Remove(list, -1);
        HBITMAP strip = make_strip(2, c.key);
        EXPECT_EQ(ImageList_AddMasked(list, strip, c.key), 0);
        EXPECT_EQ(ImageList_GetImageCount(list), 2);
        DeleteObject(strip);
        Canvas canvas(4, 4, kGreen);
        ASSERT_TRUE(ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT));
        EXPECT_EQ(canvas.at(0, 2), kGreen);
        EXPECT_EQ(canvas.at(1, 2), kPaint);
        EXPECT_EQ(canvas.at(3, 3), kPaint);
    }
}

TEST_F(ImageListTest, AddWithMaskBitmapAndBackgroundColour)
{
    HBITMAP image = make_strip(1, kBlack);
    HBITMAP mask = make_strip(1, kWhite, kBlack); // left column white: transparent
    EXPECT_EQ(ImageList_Add(list, image, mask), 0);
    DeleteObject(image);
    DeleteObject(mask);
    Canvas canvas(4, 4, kGreen);
    EXPECT_EQ(ImageList_SetBkColor(list, RGB(1, 2, 3)), CLR_NONE);
    EXPECT_EQ(ImageList_GetBkColor(list), RGB(1, 2, 3));
    ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), RGB(1, 2, 3)) << "normal drawing fills with the background colour";
    EXPECT_EQ(canvas.at(2, 0), kPaint);
    canvas.clear(kGreen);
    ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(0, 0), kGreen);
    canvas.clear(kGreen);
    ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_MASK);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    EXPECT_EQ(canvas.at(1, 0), kBlack);
}

TEST_F(ImageListTest, Blend50MixesHalfWithTheBlendColour)
{
    HBITMAP strip = make_strip(1, kMagenta);
    ImageList_AddMasked(list, strip, kMagenta);
    DeleteObject(strip);
    Canvas canvas(4, 4, kGreen);
    IMAGELISTDRAWPARAMS p {};
    p.cbSize = sizeof(p);
    p.himl = list;
    p.i = 0;
    p.hdcDst = canvas.dc();
    p.rgbBk = CLR_NONE;
    p.rgbFg = RGB(0, 0, 255);
    p.fStyle = ILD_BLEND50;
    p.dwRop = SRCCOPY;
    ASSERT_TRUE(ImageList_DrawIndirect(&p));
    EXPECT_EQ(canvas.at(2, 2), RGB(100, 50, 127));
    EXPECT_EQ(canvas.at(0, 2), kGreen) << "transparent pixels stay transparent when blended";
    p.rgbFg = CLR_NONE;
    ImageList_DrawIndirect(&p);
    EXPECT_EQ(canvas.at(2, 2), kPaint) << "no blend colour draws the image plainly";
}

TEST_F(ImageListTest, IconsRoundTrip)
{
    HBITMAP strip = make_strip(1, kMagenta);
    ImageList_AddMasked(list, strip, kMagenta);
    DeleteObject(strip);
    HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    Canvas canvas(4, 4, kGreen);
    DrawIconEx(canvas.dc(), 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.at(0, 1), kGreen);
    EXPECT_EQ(canvas.at(1, 1), kPaint);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 1);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 7, icon), -1);
    DestroyIcon(icon);
    auto* object = platform::commctrl::ImageListObject::from(list);
    EXPECT_TRUE(object->transparent(1, 0, 3));
    EXPECT_EQ(object->pixel(1, 2, 3), kPaint);
}

TEST_F(ImageListTest, InfoReplaceAndBadHandles)
{
    HBITMAP strip = make_strip(3, kMagenta);
    ImageList_AddMasked(list, strip, kMagenta);
    IMAGEINFO info {};
    EXPECT_TRUE(ImageList_GetImageInfo(list, 2, &info));
    EXPECT_NE(info.hbmImage, nullptr);
    EXPECT_EQ(info.rcImage.left, 8);
    EXPECT_EQ(info.rcImage.right, 12);
    EXPECT_FALSE(ImageList_GetImageInfo(list, 3, &info));
    EXPECT_FALSE(ImageList_GetImageInfo(list, -1, &info));
    HBITMAP other = make_strip(1, kMagenta, RGB(9, 9, 9));
    EXPECT_TRUE(ImageList_Replace(list, 1, other, nullptr));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    EXPECT_EQ(platform::commctrl::ImageListObject::from(list)->pixel(1, 2, 2), RGB(9, 9, 9));
    EXPECT_FALSE(ImageList_Replace(list, 3, other, nullptr));
    DeleteObject(other);
    DeleteObject(strip);
    HIMAGELIST gone = ImageList_Create(4, 4, ILC_COLOR24, 1, 1);
    EXPECT_TRUE(ImageList_Destroy(gone));
    EXPECT_FALSE(ImageList_Destroy(gone));
    EXPECT_EQ(ImageList_GetImageCount(gone), 0);
    EXPECT_EQ(ImageList_Create(0, 4, ILC_COLOR24, 1, 1), nullptr);
}

}
