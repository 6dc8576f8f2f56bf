#include "platform/display/x11/KeyMap.h"

#include "platform/user/Input.h"
#include "platform/user/Utf8.h"

#include <X11/keysym.h>

#include <iterator>

namespace platform::display::x11 {

namespace {

struct KeyRow {
    unsigned long keysym;
    int virtual_key;
};

// Keys that are not letters or digits. Keypad keys with Num Lock off are the navigation keys.
constexpr KeyRow keys[] = {
    { XK_BackSpace, VK_BACK }, { XK_Tab, VK_TAB }, { XK_ISO_Left_Tab, VK_TAB }, { XK_Return, VK_RETURN },
    { XK_KP_Enter, VK_RETURN }, { XK_Escape, VK_ESCAPE }, { XK_space, VK_SPACE }, { XK_Pause, VK_PAUSE },
    { XK_Caps_Lock, VK_CAPITAL }, { XK_Num_Lock, VK_NUMLOCK }, { XK_Print, VK_SNAPSHOT },
    { XK_Shift_L, VK_SHIFT }, { XK_Shift_R, VK_SHIFT }, { XK_Control_L, VK_CONTROL },
    { XK_Control_R, VK_CONTROL }, { XK_Alt_L, VK_MENU }, { XK_Alt_R, VK_MENU }, { XK_Super_L, VK_LWIN },
    { XK_Menu, VK_APPS }, { XK_Prior, VK_PRIOR }, { XK_Next, VK_NEXT }, { XK_End, VK_END },
    { XK_Home, VK_HOME }, { XK_Left, VK_LEFT }, { XK_Up, VK_UP }, { XK_Right, VK_RIGHT },
    { XK_Down, VK_DOWN }, { XK_Insert, VK_INSERT }, { XK_Delete, VK_DELETE }, { XK_KP_Prior, VK_PRIOR },
    { XK_KP_Next, VK_NEXT }, { XK_KP_End, VK_END }, { XK_KP_Home, VK_HOME }, { XK_KP_Left, VK_LEFT },
    { XK_KP_Up, VK_UP }, { XK_KP_Right, VK_RIGHT }, { XK_KP_Down, VK_DOWN }, { XK_KP_Insert, VK_INSERT },
    { XK_KP_Delete, VK_DELETE }, { XK_KP_Multiply, VK_MULTIPLY }, { XK_KP_Add, VK_ADD },
    { XK_KP_Subtract, VK_SUBTRACT }, { XK_KP_Decimal, VK_DECIMAL }, { XK_KP_Divide, VK_DIVIDE },
    { XK_semicolon, VK_OEM_1 }, { XK_colon, VK_OEM_1 }, { XK_equal, VK_OEM_PLUS }, { XK_plus, VK_OEM_PLUS },
    { XK_comma, VK_OEM_COMMA }, { XK_less, VK_OEM_COMMA }, { XK_minus, VK_OEM_MINUS },
    { XK_underscore, VK_OEM_MINUS }, { XK_period, VK_OEM_PERIOD }, { XK_greater, VK_OEM_PERIOD },
    { XK_slash, VK_OEM_2 }, { XK_question, VK_OEM_2 }, { XK_grave, VK_OEM_3 }, { XK_asciitilde, VK_OEM_3 },
    { XK_bracketleft, VK_OEM_4 }, { XK_braceleft, VK_OEM_4 }, { XK_backslash, VK_OEM_5 },
    { XK_bar, VK_OEM_5 }, { XK_bracketright, VK_OEM_6 }, { XK_braceright, VK_OEM_6 },
    { XK_apostrophe, VK_OEM_7 }, { XK_quotedbl, VK_OEM_7 },
};

// Shifted digits on a US keyboard, in the order of the digit keys 0..9.
constexpr unsigned long shifted_digits[] = { XK_parenright, XK_exclam, XK_at, XK_numbersign, XK_dollar,
    XK_percent, XK_asciicircum, XK_ampersand, XK_asterisk, XK_parenleft };

}

int virtual_key_from_keysym(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<int>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<int>(keysym);
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<int>(keysym);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return VK_NUMPAD0 + static_cast<int>(keysym - XK_KP_0);
    if (keysym >= XK_F1 && keysym <= XK_F12)
        return VK_F1 + static_cast<int>(keysym - XK_F1);
    for (unsigned long i = 0; i < std::size(shifted_digits); ++i) {
        if (shifted_digits[i] == keysym)
            return static_cast<int>('0' + i);
    }
    for (KeyRow const& row : keys) {
        if (row.keysym == keysym)
            return row.virtual_key;
    }
    return 0;
}

}

namespace platform::display::x11 {

std::string utf8_from_keysym(unsigned long keysym)
{
    unsigned long code_point = 0;
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        code_point = keysym;
    else if ((keysym & 0xFF000000ul) == 0x01000000ul)
        code_point = keysym & 0x00FFFFFFul;
    std::string out;
    if (code_point >= 0x20 && !(code_point >= 0x7F && code_point < 0xA0))
        platform::append_utf8(out, static_cast<char32_t>(code_point));
    return out;
}

}
