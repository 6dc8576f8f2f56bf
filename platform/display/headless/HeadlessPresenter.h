// The headless presenter: surfaces stay in memory (tests and snapshots read them), nothing
// is shown and no input arrives but what tests inject. The screen has a fixed size: the
// size asked for, or VX_DESKTOP_SIZE ("1024x768") from the environment, or 1024 x 768.
#pragma once

#include "platform/display/Presenter.h"

#include <map>

namespace platform::display {

class HeadlessPresenter final : public Presenter {
public:
    // A size of {0, 0} takes it from the environment.
    explicit HeadlessPresenter(SIZE desktop = {});

    std::string_view name() const override { return "headless"; }
    void damaged(HWND top, RECT const& area) override;
    void window_destroyed(HWND hwnd) override;

    // The union of the areas painted since the window was last asked about, then forgotten:
    // what a real screen would have had to update.
    RECT take_damage(HWND top);

private:
    std::map<HWND, RECT> m_damage;
};

// Reads "WIDTHxHEIGHT"; {0, 0} for anything else or sizes out of 1..16384.
SIZE parse_desktop_size(char const* text);

}
