// X keysyms to virtual-key codes: the keys a US keyboard has, by table. Letters and digits
// map to their upper-case ASCII code whatever the shift state, as virtual keys do.
#pragma once

#include <string>

namespace platform::display::x11 {

// 0 for a keysym with no virtual key (dead keys, keys of other layouts).
int virtual_key_from_keysym(unsigned long keysym);

// The character a keysym stands for, as UTF-8: Latin-1 keysyms and the Unicode keysyms
// (0x01000000 + code point); "" for others and for control characters. Used when no input
// method gives the text of a key.
std::string utf8_from_keysym(unsigned long keysym);

}
