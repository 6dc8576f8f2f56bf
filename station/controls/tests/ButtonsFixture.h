// Set-up of the button group's tests: the shared station fixture with a parent window that hosts
// the buttons under test, and solid icons to give them.
#pragma once

#include "UiFixture.h"

class ButtonsTest : public StationUiTest {
protected:
    void SetUp() override
    {
        start(BUTTONS_TEST_FONT, nullptr, RECT { 100, 100, 500, 400 });
        pump();
    }

    // A w x h icon of one colour (opaque), owned by the caller.
    static HICON solid_icon(int w, int h, COLORREF colour)
    {
        std::vector<DWORD> pixels(static_cast<size_t>(w * h), 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
        HBITMAP bits = CreateBitmap(w, h, 1, 32, pixels.data());
        std::vector<BYTE> zeros(static_cast<size_t>((w + 15) / 16 * 2 * h), 0);
        HBITMAP mask = CreateBitmap(w, h, 1, 1, zeros.data());
        ICONINFO info { TRUE, 0, 0, mask, bits };
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(mask);
        DeleteObject(bits);
        return icon;
    }
};
