// What the end-to-end tests of the pages share: the shipped worlds, the snapshot reader
// (platform/display/tests/SnapshotReader.h) and the clock run in half-second steps.
#pragma once

#include "config_window_harness.h"

#include "platform/display/tests/SnapshotReader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace station::testing {

inline std::string shipped_world(std::string const& name)
{
    std::ifstream in(std::string(STATION_RESOURCES_DIR) + "/../scenarios/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using platform::display::testing::Shown;
using platform::display::testing::snapshot;
using platform::display::testing::snapshot_folder;
using platform::display::testing::split_fields;

class PageRunTest : public ConfigWindowTest {
protected:
    static void run_for(int ms)
    {
        for (int waited = 0; waited < ms; waited += 500) {
            platform::testing::advance(500);
            platform::testing::pump_until_idle();
        }
    }
    static void click(CWnd* button)
    {
        ASSERT_NE(button, nullptr);
        button->SendMessage(BM_CLICK);
        platform::testing::pump_until_idle();
    }
};

}
