#include "DialogsFixture.h"

#include "station/controls/CResizeDlg.h"

#include <cstring>

namespace {

LOGFONT font_of(HWND hwnd)
{
    LOGFONT lf {};
    HFONT const font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
    GetObject(font, sizeof lf, &lf);
    return lf;
}

}

class ResizeDlgTest : public DialogsTest { };

// 7 points at 96 pixels per inch are 9 pixels, 8 points 11. Template 142 has no controls and
// names Trebuchet itself; its layout test below shows the smaller font.
TEST_F(ResizeDlgTest, SmallDesktopsGetTrebuchetSevenPoints)
{
    struct Case {
        char const* name;
        int desktop_height;
        UINT template_id;
        char const* face;
        LONG height;
    };
    Case const cases[] = {
        { "659 pixels: small font", 659, 125, "Trebuchet MS", -9 },
        { "660 pixels: the template's own font", 660, 125, "Microsoft Sans Serif", -11 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        platform::user::set_desktop_size(1024, c.desktop_height);
        CResizeDlg dlg(c.template_id, &parent);
        ASSERT_TRUE(dlg.Create(c.template_id, &parent));
        // Dialog windows keep no font of their own: the controls show the one they were given.
        LOGFONT const lf = font_of(::GetDlgItem(dlg.m_hWnd, IDOK));
        EXPECT_STREQ(lf.lfFaceName, c.face);
        EXPECT_EQ(lf.lfHeight, c.height);
        // The dialog-init and child lookups still know the template's id.
        EXPECT_EQ(dlg.m_nIDTemplate, c.template_id);
        dlg.DestroyWindow();
    }
}

TEST_F(ResizeDlgTest, SmallFontShrinksTheLayout)
{
    CRect normal;
    CRect small;
    for (int height : { 768, 600 }) {
        platform::user::set_desktop_size(1024, height);
        CResizeDlg dlg(142, &parent);
        ASSERT_TRUE(dlg.Create(142, &parent));
        dlg.GetClientRect(height == 768 ? &normal : &small);
        dlg.DestroyWindow();
    }
    EXPECT_LT(small.Width(), normal.Width());
    EXPECT_LT(small.Height(), normal.Height());
}

TEST_F(ResizeDlgTest, MissingTemplateMakesNoWindow)
{
    for (int height : { 659, 768 }) {
        SCOPED_TRACE(height);
        platform::user::set_desktop_size(1024, height);
        CResizeDlg dlg(9999, &parent);
        EXPECT_FALSE(dlg.Create(9999, &parent));
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
}
