// The tray's choices as tables: the menu for the program folder, the adapter, the system and the
// option; the image for a signal quality.
#include "accesspoint/app/HotvaneIds.h"
#include "accesspoint/app/TrayChoice.h"

#include <gtest/gtest.h>

using namespace hotvane;

TEST(TrayChoice, MenuFollowsProgramsAdapterSystemAndOption)
{
    struct Case {
        const char* name;
        TrayMenuInputs in;
        int menu;
    };
    // utilityExe, vxSwapExe, deviceExist, winOS, switchAPClient
    Case const cases[] = {
        { "everything there, code 11", { true, true, true, 11, true }, 142 },
        { "code 12 with SwitchAPClient", { true, true, true, 12, true }, 152 },
        { "code 12 without SwitchAPClient", { true, true, true, 12, false }, 142 },
        { "code 5", { true, true, true, 5, true }, 142 },
        { "station utility missing", { false, true, true, 12, true }, 141 },
        { "VxSwap missing", { true, false, true, 12, true }, 141 },
        { "no adapter", { true, true, false, 12, true }, 141 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseTrayMenu(c.in), c.menu);
    }
    EXPECT_EQ(TrayMenuCommands(141), (std::vector<UINT> { 32771, 32772 }));
    EXPECT_EQ(TrayMenuCommands(142), (std::vector<UINT> { 32771, 32773, 32772 }));
    EXPECT_EQ(TrayMenuCommands(152), (std::vector<UINT> { 32771, 32776, 32773, 32772 }));
}

TEST(TrayChoice, SignalQualityThresholds)
{
    struct Case {
        int quality;
        UINT icon;
    };
    for (auto const c : { Case { 100, 134 }, Case { 71, 134 }, Case { 70, 135 }, Case { 41, 135 }, Case { 40, 137 },
             Case { 0, 137 } }) {
        SCOPED_TRACE(c.quality);
        EXPECT_EQ(SignalIconFor(c.quality), c.icon);
    }
}
