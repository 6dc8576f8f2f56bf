// The station utility end to end on a private X server: the real program from the build's
// bin/, on the default simulated world, with the X11 presenter. Its icon docks in a test tray
// manager, a double click with real input opens the configuration window, and the Exit
// command of the tray menu ends it. The program is another process: every wait for it is
// bounded, and nothing here sleeps to let it catch up.
#include "ProgramOnX11.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace x11_program_testing;
constexpr char kHiddenDialogTitle[] = "Vexlor Utility";

// The caption of a dialog template of the station's resources ("" when not found), so that
// the test follows the resource file.
std::string template_caption(std::string const& file, int id)
{
    std::ifstream in(file);
    std::string const header = "dialog " + std::to_string(id) + " ";
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(header, 0) == 0)
            inside = true;
        else if (inside && line.rfind("end", 0) == 0)
            return {};
        std::size_t const caption = line.find("caption \"");
        if (inside && caption != std::string::npos) {
            std::size_t const start = caption + 9;
            return line.substr(start, line.find('"', start) - start);
        }
    }
    return {};
}

class ZorvelOnX11 : public ProgramOnX11 {
protected:
    // The first top-level window shown that is not in `before` nor the hidden dialog, which
    // shows for a moment when its modal run starts, until its first paint; 0 when none comes.
    unsigned long new_window_besides_the_hidden_dialog(std::vector<unsigned long> known)
    {
        for (;;) {
            auto const shown = desktop->wait_for_new_windows(known, kWindowTimeoutMs);
            if (shown.empty())
                return 0;
            for (unsigned long w : shown) {
                if (desktop->title_of(w) != kHiddenDialogTitle)
                    return w;
                known.push_back(w);
            }
        }
    }
};

}

TEST_F(ZorvelOnX11, IconDocksDoubleClickOpensTheWindowAndExitEndsTheProgram)
{
    std::string const caption = template_caption(STATION_RESOURCES_DIR "/ConfigWindow.res", 102);
    ASSERT_FALSE(caption.empty());
    ASSERT_TRUE(desktop->start_tray());
    start("Zorvel", { "-s" });
    ASSERT_GT(pid, 0);

    ASSERT_TRUE(desktop->wait_for_docked_icons(1, kDockTimeoutMs)) << trace();
    EXPECT_FALSE(desktop->window_shown(caption)) << "a start in the tray only opens no window";

    ASSERT_TRUE(desktop->click_icon(0, 1, 2));
    ASSERT_TRUE(desktop->wait_for_window(caption, kWindowTimeoutMs)) << trace();

    // The tray menu opens where the right button was pressed; "Up" goes to its last item,
    // Exit, from no selection or the first item, whatever the menu holds before it.
    auto const before = desktop->top_level_windows();
    ASSERT_TRUE(desktop->click_icon(0, 3, 1));
    unsigned long const menu = new_window_besides_the_hidden_dialog(before);
    ASSERT_NE(menu, 0ul) << trace();
    ASSERT_TRUE(desktop->press_key(menu, "Up"));
    ASSERT_TRUE(desktop->press_key(menu, "Return"));

    EXPECT_EQ(wait_exit(kExitTimeoutMs), 0) << trace();
    EXPECT_TRUE(desktop->wait_for_docked_icons(0, kWindowTimeoutMs));
    EXPECT_FALSE(desktop->window_shown(caption));
}

// A pointer that moves onto the expand button and rests there shows the button's tip after the
// hover delay (the button takes the first move over it as the pointer entering, the next ones
// as hovering): the tip is a window of its own on the screen, its title the text it shows.
TEST_F(ZorvelOnX11, ExpandButtonShowsItsTipWhenThePointerRestsOnIt)
{
    constexpr int kExpandButton = 1012;
    std::string const caption = template_caption(STATION_RESOURCES_DIR "/ConfigWindow.res", 102);
    ASSERT_FALSE(caption.empty());
    environment.emplace_back("VX_SNAPSHOT_DIR", snapshots());
    start("Zorvel", {});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(desktop->wait_for_window(caption, kWindowTimeoutMs)) << trace();
    EXPECT_FALSE(desktop->window_shown("More >>"));

    int button[4] {};
    ASSERT_TRUE(control_rect(kExpandButton, button, kWindowTimeoutMs)) << trace();
    int const middle_y = (button[1] + button[3]) / 2;
    ASSERT_TRUE(desktop->move_pointer(button[0] + 2, middle_y, 1));
    ASSERT_TRUE(desktop->move_pointer((button[0] + button[2]) / 2, middle_y, 4));
    EXPECT_TRUE(desktop->wait_for_window("More >>", kWindowTimeoutMs)) << trace();

    // Leaving the button takes the tip away.
    ASSERT_TRUE(desktop->move_pointer(button[0] - 40, button[1] - 40, 4));
    EXPECT_TRUE(desktop->wait_until_no_window("More >>", kWindowTimeoutMs));
}

// The site survey's list shows its border (one line of the window-frame colour, black) from the
// window's first showing on the screen, with no exposure from outside to paint it again.
TEST_F(ZorvelOnX11, SurveyListShowsItsBorderOnTheFirstShowing)
{
    constexpr int kSurveyList = 1023;
    constexpr long kWindowFrame = 0x000000;
    std::string const caption = template_caption(STATION_RESOURCES_DIR "/ConfigWindow.res", 102);
    environment.emplace_back("VX_SNAPSHOT_DIR", snapshots());
    start("Zorvel", {});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(desktop->wait_for_window(caption, kWindowTimeoutMs)) << trace();
    int list[4] {};
    ASSERT_TRUE(control_rect(kSurveyList, list, kWindowTimeoutMs)) << trace();
    int const middle_x = (list[0] + list[2]) / 2;
    int const middle_y = (list[1] + list[3]) / 2;
    struct Probe {
        char const* edge;
        int x, y;
    } const probes[] = { { "left", list[0], middle_y }, { "top", middle_x, list[1] }, { "right", list[2] - 1, middle_y },
        { "bottom", middle_x, list[3] - 1 } };
    // The screen shows what the program drew a moment after it drew it.
    for (Probe const& p : probes)
        EXPECT_TRUE(desktop->wait_for_pixel(p.x, p.y, kWindowFrame, kWindowTimeoutMs))
            << p.edge << " edge shows " << std::hex << desktop->screen_pixel(p.x, p.y);
}
