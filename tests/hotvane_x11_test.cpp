// The access point utility end to end on a private X server: the real program from the build's
// bin/, on the default simulated world, with the X11 presenter. Its icon docks in a test tray
// manager, a double click with real input opens the property sheet (captioned from the
// language file), and the Exit command of the tray menu ends it. The program is another
// process: every wait for it is bounded, and nothing here sleeps to let it catch up.
#include "ProgramOnX11.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace x11_program_testing;

// A text of the language file's [Strings] section ("" when not found), so that the test
// follows the file.
std::string language_text(std::string const& key)
{
    std::ifstream in(ACCESSPOINT_RESOURCES_DIR "/Languages/APStr0409.ini");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return {};
}

class HotvaneOnX11 : public ProgramOnX11 {
protected:
    // The first top-level window shown that is not in `known` and is not titled `title` (the
    // hidden dialog shares the sheet's title); 0 when none comes.
    unsigned long new_untitled_window(std::vector<unsigned long> known, std::string const& title)
    {
        for (;;) {
            auto const shown = desktop->wait_for_new_windows(known, kWindowTimeoutMs);
            if (shown.empty())
                return 0;
            for (unsigned long w : shown) {
                if (desktop->title_of(w) != title)
                    return w;
                known.push_back(w);
            }
        }
    }
};

}

TEST_F(HotvaneOnX11, IconDocksDoubleClickOpensTheSheetAndExitEndsTheProgram)
{
    std::string const caption = language_text("IDS_VEXLOR_CONFIG_TITLE");
    ASSERT_FALSE(caption.empty());
    ASSERT_TRUE(desktop->start_tray());
    start("Hotvane", { "-s" });
    ASSERT_GT(pid, 0);

    ASSERT_TRUE(desktop->wait_for_docked_icons(1, kDockTimeoutMs)) << trace();
    EXPECT_FALSE(desktop->window_shown(caption)) << "a start in the tray only opens no window";

    ASSERT_TRUE(desktop->click_icon(0, 1, 2));
    ASSERT_TRUE(desktop->wait_for_window(caption, kWindowTimeoutMs)) << trace();

    // The tray menu opens where the right button was pressed; "Up" goes to its last item,
    // Exit, whatever the menu holds before it.
    auto const before = desktop->top_level_windows();
    ASSERT_TRUE(desktop->click_icon(0, 3, 1));
    unsigned long const menu = new_untitled_window(before, caption);
    ASSERT_NE(menu, 0ul) << trace();
    ASSERT_TRUE(desktop->press_key(menu, "Up"));
    ASSERT_TRUE(desktop->press_key(menu, "Return"));

    EXPECT_EQ(wait_exit(kExitTimeoutMs), 0) << trace();
    EXPECT_TRUE(desktop->wait_for_docked_icons(0, kWindowTimeoutMs));
    EXPECT_FALSE(desktop->window_shown(caption));
}
