// Set-up of the dialogs group's tests: the shared station fixture with the station utility's own
// resource file and an active parent window.
#pragma once

#include "UiFixture.h"

class DialogsTest : public StationUiTest {
protected:
    void SetUp() override
    {
        start(DIALOGS_TEST_FONT, DIALOGS_RESOURCES, RECT { 50, 100, 950, 600 });
        parent.SetActiveWindow();
        pump();
    }
};
