// Set-up of the feature pages' tests: the shared station fixture with the station utility's own
// resource file, and the parent the pages are created in: the configuration window's page host
// (template 142) inside the fixture's frame.
#pragma once

#include "station/controls/tests/UiFixture.h"

class FeaturesTest : public StationUiTest {
protected:
    void SetUp() override
    {
        start(FEATURES_TEST_FONT, FEATURES_RESOURCES, RECT { 0, 0, 900, 600 });
        ASSERT_TRUE(host.Create(kPageHost, &parent));
        host.ShowWindow(SW_SHOW);
        pump();
    }

    static constexpr UINT kPageHost = 142;
    CDialog host { kPageHost };
};
