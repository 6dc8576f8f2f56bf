// X keysyms to virtual-key codes: the keys a US keyboard has, by table. Letters and digits
// map to their upper-case ASCII code whatever the shift state, as virtual keys do.
#pragma once

namespace platform::display::x11 {

// 0 for a keysym with no virtual key (dead keys, keys of other layouts).
int virtual_key_from_keysym(unsigned long keysym);

}
