#include "platform/gdi/DcHelpers.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Testing.h"
#include "platform/gdi/tests/GdiTestSupport.h"

#include <string>

namespace {

using platform::gdi::probe_color;

class SysPaintTest : public testing::Test {
protected:
    void SetUp() override { platform::gdi::testing::use_probe_colors(); }
    void TearDown() override { platform::gdi::testing::use_classic_colors(); }
};

TEST(SysColors, ClassicDefaults)
{
    platform::gdi::testing::use_classic_colors();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 128));
    EXPECT_EQ(GetSysColor(COLOR_MENU), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(0, 0, 128));
}

TEST_F(SysPaintTest, ProbeSchemeIsPairwiseDistinctAndBrushesFollowIt)
{
    for (int a = 0; a < SYS_COLOR_COUNT; ++a)
        for (int b = a + 1; b < SYS_COLOR_COUNT; ++b)
            EXPECT_NE(GetSysColor(a), GetSysColor(b)) << a << " " << b;
    PixelCanvas canvas(2, 2);
    RECT r { 0, 0, 1, 1 };
    FillRect(canvas.dc(), &r, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(canvas.at(0, 0), probe_color(COLOR_BTNFACE));
    RECT r2 { 1, 1, 2, 2 };
    FillRect(canvas.dc(), &r2, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_HIGHLIGHT + 1)));
    EXPECT_EQ(canvas.at(1, 1), probe_color(COLOR_HIGHLIGHT));
}

TEST_F(SysPaintTest, DrawEdgeColoursPerKind)
{
    struct Case {
        char const* name;
        UINT edge;
        int outer_tl, outer_br, inner_tl, inner_br; // -1: no ring
    } const cases[] = {
        { "raised outer", BDR_RAISEDOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, -1, -1 },
        { "sunken outer", BDR_SUNKENOUTER, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, -1, -1 },
        { "raised inner", BDR_RAISEDINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, -1, -1 },
        { "sunken inner", BDR_SUNKENINNER, COLOR_3DDKSHADOW, COLOR_3DLIGHT, -1, -1 },
        { "EDGE_SUNKEN", EDGE_SUNKEN, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT },
        { "EDGE_RAISED", EDGE_RAISED, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW },
        { "EDGE_ETCHED", EDGE_ETCHED, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW },
        { "EDGE_BUMP", EDGE_BUMP, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        PixelCanvas canvas(8, 8);
        RECT r { 1, 1, 7, 7 };
        DrawEdge(canvas.dc(), &r, c.edge, BF_RECT | BF_ADJUST);
        auto want = [&](int x, int y) -> COLORREF {
            if (x < 1 || y < 1 || x > 6 || y > 6)
                return kWhite;
            int ring = std::min({ x - 1, y - 1, 6 - x, 6 - y });
            int tl = ring == 0 ? c.outer_tl : c.inner_tl;
            int br = ring == 0 ? c.outer_br : c.inner_br;
            if (ring > 1 || tl < 0)
                return kWhite;
            bool bottom_right = x == 6 - ring || y == 6 - ring;
            return probe_color(bottom_right ? br : tl);
        };
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(canvas.at(x, y), want(x, y)) << x << "," << y;
        int inset = c.inner_tl < 0 ? 2 : 3;
        EXPECT_EQ(r.left, inset);
        EXPECT_EQ(r.bottom, 8 - inset);
    }
}

TEST_F(SysPaintTest, EtchedTopIsAShadowRowOverAHighlightRow)
{
    PixelCanvas canvas(4, 4);
    RECT r { 0, 1, 4, 3 };
    DrawEdge(canvas.dc(), &r, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(canvas.at(0, 1), probe_color(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.at(3, 2), probe_color(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.at(0, 3), kWhite);
}

TEST_F(SysPaintTest, Draw3dRectCornersAndFillSolidRectBackground)
{
    PixelCanvas canvas(4, 5);
    platform::gdi::draw_3d_rect(canvas.dc(), 0, 0, 2, 5, kRed, kBlue);
    EXPECT_EQ(canvas.at(0, 0), kRed);
    EXPECT_EQ(canvas.at(1, 0), kBlue) << "top-right corner";
    EXPECT_EQ(canvas.at(0, 4), kBlue) << "bottom-left corner";
    EXPECT_EQ(canvas.at(0, 3), kRed);
    EXPECT_EQ(canvas.at(1, 4), kBlue);
    EXPECT_EQ(canvas.at(2, 0), kWhite);
    platform::gdi::fill_solid_rect(canvas.dc(), RECT { 2, 0, 4, 2 }, kGreen);
    EXPECT_EQ(canvas.at(3, 1), kGreen);
    EXPECT_EQ(canvas.at(3, 2), kWhite);
    EXPECT_EQ(GetBkColor(canvas.dc()), kGreen);
}

TEST_F(SysPaintTest, FocusRectTwiceErases)
{
    PixelCanvas canvas(9, 7, RGB(10, 20, 30));
    RECT r { 1, 1, 8, 6 };
    DrawFocusRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.at(1, 1), RGB(245, 235, 225));
    EXPECT_EQ(canvas.at(2, 1), RGB(10, 20, 30));
    EXPECT_EQ(canvas.at(4, 3), RGB(10, 20, 30)) << "inside stays";
    DrawFocusRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.count(RGB(10, 20, 30)), 63);
}

TEST_F(SysPaintTest, CheckBoxFrameControl)
{
    PixelCanvas canvas(13, 13);
    RECT r { 0, 0, 13, 13 };
    DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(canvas.at(0, 0), probe_color(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.at(12, 12), probe_color(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.at(6, 6), probe_color(COLOR_WINDOW));
    EXPECT_EQ(canvas.count(probe_color(COLOR_WINDOWTEXT)), 0);
    DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_GT(canvas.count(probe_color(COLOR_WINDOWTEXT)), 6);
    DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    EXPECT_EQ(canvas.at(6, 6), probe_color(COLOR_BTNFACE));
    EXPECT_EQ(canvas.at(0, 0), probe_color(COLOR_3DLIGHT));
}

TEST_F(SysPaintTest, DisabledStateEmbossesTheShape)
{
    std::uint32_t pixels[9] = { 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF };
    HBITMAP bitmap = CreateBitmap(3, 3, 1, 32, pixels);
    PixelCanvas canvas(6, 6, kWhite);
    DrawState(canvas.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 1, 1, 3, 3, DST_BITMAP | DSS_DISABLED);
    EXPECT_EQ(canvas.at(2, 2), probe_color(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.at(3, 3), probe_color(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.at(1, 1), kWhite);
    DeleteObject(bitmap);
}

}
