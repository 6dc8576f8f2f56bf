// The page-button kinds of the configuration window as one table: the name the trace uses,
// the text, the icon and the control id of each kind's button. Shared by the files of
// CVxUI2008Dlg only.
#pragma once

#include "station/app/VxUI2008Dlg.h"
#include "station/core/UiStr.h"

#include <string>

namespace station::core {

struct PageButtonKind {
    const char* name;
    std::string CUISTR::*text;
    int icon;
    int id;
    // False for the radio and help buttons, which act on the window and have no page.
    bool has_page;
};

// Indexed by kind, 0 to 12.
extern const PageButtonKind kPageButtonKinds[BTN_KIND_COUNT];

// The trace name of any kind, the arrows included; "BTN_UNKNOWN" for anything else.
const char* page_button_name(int kind);

// Icons of the arrows and the radio button's two states.
constexpr int kIconLeft = 132;
constexpr int kIconRight = 141;
constexpr int kIconRadioOn = 153;
constexpr int kIconRadioOff = 154;
constexpr int kIconHelp = 139;

// Shades of the row's buttons: page buttons and arrows tint violet when hovered and dark blue
// when their page is shown; the reserved buttons stay white.
constexpr COLORREF kHoverTint = 0xE68CA0;
constexpr COLORREF kHighlightTint = 0xA01E3C;
constexpr COLORREF kReservedTint = 0xFFFFFF;
// The style of every button of the row: child, visible, tab stop.
constexpr DWORD kRowButtonStyle = 0x50010000;

}
