// Every label of the configuration window fits its control in the faces a user's machine
// draws (the font substitution table, not the pinned test font): the page buttons' labels
// and the text of each button, check box, radio button, group box, static and drop-down list
// on every page and lower-area dialog, measured with the drawing module's text extent at the
// default size.
#include "config_window_harness.h"

#include "platform/controls/tests/LabelFit.h"
#include "platform/gdi/FontCache.h"
#include "station/features/PageAdvanceDlg.h"
#include "station/survey/LinkStatusDlg.h"

#include <set>
#include <vector>

using station::testing::ConfigWindowTest;
using namespace platform::controls::testing;

namespace {

// The page button's icon above its label.
constexpr int kPageIcon = 32;

class ConfigWindowLabelsTest : public ConfigWindowTest {
protected:
    void SetUp() override
    {
        ConfigWindowTest::SetUp();
        // The faces a user's machine draws: the substitution table and the installed fonts.
        platform::gdi::pin_font_file("");
    }
    void expect_every_control_text_fits();
};

}

// A page button wraps its label at word breaks below its icon. At the button font's 20-pixel
// cell, these single words are wider than a 41-unit slot even in the face the window names
// ("Advanced" takes some 74 pixels of Trebuchet MS at that size, the slot 61): no face of
// about the same metrics fits them, so they are listed, and no other label may join them.
// FIXME: "network" is a pixel too wide (63 in 62) at the 18-pixel size the 20-pixel cell
// rounds to, whose cell is 21 pixels high.
TEST_F(ConfigWindowLabelsTest, PageButtonLabelsFitTheirButtonAsItWrapsThem)
{
    std::set<std::string> const wider_than_a_slot { "Advanced", "Statistics", "802.11n", "Hosted network" };
    options("");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        std::vector<Misfit> misfits;
        for (int kind = 0; kind < BTN_KIND_COUNT; ++kind) {
            CShadeButtonST* const button = window.kind_button(kind);
            if (!button || !button->m_hWnd)
                continue;
            std::string const text = text_of(button->m_hWnd);
            CRect client;
            button->GetClientRect(&client);
            int lines = 0;
            SIZE wrapped {};
            extent_in(button->m_hWnd, text, client.Width(), &lines, &wrapped);
            bool const fits = wrapped.cx <= client.Width() && wrapped.cy <= client.Height() - kPageIcon;
            if (!text.empty() && !fits && !wider_than_a_slot.count(text))
                misfits.push_back({ text, kind, client.Width(), wrapped.cx });
        }
        EXPECT_TRUE(misfits.empty()) << describe(misfits);
    });
}

// FIXME: these labels are a few pixels wider than their template makes them in the faces
// drawn in place of Trebuchet MS at the pages' description font (16-pixel cell), and the
// value beside each leaves no room to widen them; the language file's "Authentication type"
// is longer than the template's "Authentication >>". Listed so that no other label joins
// them.
std::set<std::string> const too_wide_for_their_template { "Timeout Value >>", "Authentication type",
    "STBC >>" };

void ConfigWindowLabelsTest::expect_every_control_text_fits()
{
    options("");
    with_window([&](CHideDlg&, CVxUI2008Dlg& window) {
        ASSERT_GT(children_of(window.m_hWnd).size(), 100u);
        // The advanced page's 5 GHz region list names each channel of the region (up to 24 of
        // them): no field holds that, and the region's number leads the text.
        std::vector<Misfit> misfits = misfits_under(window.m_hWnd, { CPageAdvanceDlg::IDC_REGION5 });
        std::erase_if(misfits, [](Misfit const& m) { return too_wide_for_their_template.count(m.text) != 0; });
        EXPECT_TRUE(misfits.empty()) << describe(misfits);

        // The link status's 802.11n values at their widest ("short" guard interval) leave a
        // gap before the next label.
        HWND const link = window.m_pLinkStatusDlg->m_hWnd;
        for (int id : { CLinkStatusDlg::IDC_BW, CLinkStatusDlg::IDC_GI, CLinkStatusDlg::IDC_MCS })
            ::SetDlgItemText(link, id, id == CLinkStatusDlg::IDC_GI ? "short" : "40");
        std::vector<Misfit> crowded = crowded_statics_under(link);
        std::erase_if(crowded, [](Misfit const& m) { return too_wide_for_their_template.count(m.text) != 0; });
        EXPECT_TRUE(crowded.empty()) << describe(crowded);
    });
}

TEST_F(ConfigWindowLabelsTest, EveryControlTextOfThePagesAndLowerDialogsFitsItsControl)
{
    expect_every_control_text_fits();
}

// The same in the pinned test font the other tests draw with (DejaVu Sans, wider still).
TEST_F(ConfigWindowLabelsTest, EveryControlTextFitsInThePinnedTestFontToo)
{
    platform::gdi::pin_font_file(WINDOW_TEST_FONT);
    expect_every_control_text_fits();
}
