// Switches for tests of anything that draws: the pinned test font, monochrome glyphs, the
// probe colour scheme, an injected palette device, and PNG goldens.
#pragma once

#include "platform/gdi/Gdi.h"

#include <string>

namespace platform::gdi::testing {

// Pins every face to `font_file` (the module's tests use tests/DejaVuSans.ttf), switches
// glyphs to monochrome and installs the classic colours. Call once per test (cheap).
void use_test_drawing(std::string const& font_file);
void use_probe_colors();
void use_classic_colors();
void set_monochrome_glyphs(bool on);
// Turns the screen into an 8-bit palette device (RC_PALETTE) or back.
void use_palette_device(bool on);

// Compares what `dc` draws on (or the surface of `window`'s top-level window, frame
// included) with the PNG at `golden_path`, exactly. On a mismatch (or a missing golden)
// writes "<name>.actual.png" and, when the sizes agree, "<name>.diff.png" (differing pixels
// red, the rest a dimmed copy) into the working folder and answers false. Only with
// ZORVEL_UPDATE_GOLDENS=1 in the environment does it write the golden instead.
bool matches_golden(HDC dc, std::string const& golden_path);
bool matches_golden(HWND window, std::string const& golden_path);
// Back to the default system parameters (metrics, fonts, gradient captions).
void use_default_system_parameters();

}
