// Input as a presenter or a test feeds it: pointer moves, button presses, wheel turns, key
// presses and entered text. Events wait in the input queue; the message loop of the
// user-interface thread turns each into a window message when it looks for messages, after
// the posted messages, routing it the way real input is routed: hit-testing (WM_NCHITTEST,
// HTTRANSPARENT passes to the window below), capture, WM_MOUSEACTIVATE and activation,
// double clicks, WM_SETCURSOR, mouse-leave tracking, the key state, and the keyboard focus.
// Input aimed at a disabled window (or one inside a disabled window) is dropped there, in
// one place. The message then goes through the loop's message filter, TranslateMessage and
// DispatchMessage like any other. Safe from any thread.
#pragma once

#include "platform/user/Input.h"

#include <string>
#include <string_view>

namespace platform::user::input {

enum class MouseButton {
    Left,
    Right,
    Middle,
};

// Moves the pointer to a screen point (GetCursorPos answers it at once).
void move_mouse(POINT screen);
void press_mouse(MouseButton button);
void release_mouse(MouseButton button);
// One notch is WHEEL_DELTA; positive turns away from the user. Goes to the focus window.
void turn_wheel(int delta);
void press_key(int virtual_key);
// A key press whose characters the user's keyboard layout decides: TranslateMessage makes
// `characters` (UTF-8, one WM_CHAR per byte; WM_SYSCHAR with Alt) of it instead of the US
// layout's character for the key; empty makes none.
void press_key(int virtual_key, std::string_view characters);
void release_key(int virtual_key);
// Whether the last press of a key or button was a key's (false before any).
bool last_press_was_key();
// Types text as key strokes of a US keyboard, pressing Shift where a character needs it.
// Answers false, typing nothing, when a character has no key (only printable ASCII, tab,
// new line and backspace have one).
bool type_text(std::string_view text);
// Text that no key stands for (a letter of another layout, a character made with a dead key,
// compose or an input method). It waits in the input queue in order with the key strokes;
// each UTF-8 byte reaches the focus window as one WM_CHAR, the way multi-byte text reaches
// a program that reads bytes. Dropped when no window has the focus or the focus window is
// inside a disabled one.
void enter_text(std::string_view utf8);

// Conveniences for tests: a move then a press and a release at one point; a press and a
// release of one key; a key pressed with Ctrl held.
void click(POINT screen, MouseButton button = MouseButton::Left);
void tap_key(int virtual_key);
void tap_ctrl_key(int virtual_key);

// Forgets waiting input, the key and button state, the double-click memory and mouse-leave
// tracking: a clean slate between tests.
void reset();

}

namespace platform::user {

// How often MessageBeep was called since the start (or reset_beep_count).
int beep_count();
void reset_beep_count();

// The clipboard's CF_TEXT as a string, and a way to put text there, for the controls' cut,
// copy and paste. set_clipboard_text does what Open/Empty/SetClipboardData/Close do.
std::string clipboard_text();
void set_clipboard_text(std::string_view text);

}
