// The input queue: raw events from the driver wait here until the user-interface thread's
// loop asks for messages; each is then routed into one window message (or dropped). Also
// holds the WM_CHAR messages TranslateMessage makes, which come before anything else.
#pragma once

#include "platform/user/InputDriver.h"

#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace platform::user {

struct RawInput {
    enum class Kind {
        Move,
        ButtonDown,
        ButtonUp,
        Wheel,
        KeyDown,
        KeyUp,
        Char,
    };
    Kind kind {};
    POINT point {};
    input::MouseButton button {};
    int virtual_key {};
    int wheel {};
    // Char: one byte of entered text.
    char character {};
    // KeyDown: the characters the user's layout makes of the key, when it decides them.
    std::optional<std::string> layout_characters;
};

class InputRouter {
public:
    static InputRouter& the();

    void push(RawInput const& event);
    void push_translated(MSG const& msg);
    // User-interface thread only. Translated characters first, then routed input.
    bool take_translated(MSG& out, HWND filter, UINT min, UINT max, bool remove);
    bool take_input(MSG& out, HWND filter, UINT min, UINT max, bool remove);
    // The layout's characters of a key press the loop removed last, when `msg` is that press:
    // what TranslateMessage makes of it instead of the US layout's character.
    std::optional<std::string> layout_characters(MSG const& msg);
    void reset();

private:
    struct Ready {
        MSG msg;
        std::optional<std::string> layout_characters;
    };
    static bool take_from(std::deque<MSG>& queue, MSG& out, HWND filter, UINT min, UINT max, bool remove);
    bool take_ready(MSG& out, HWND filter, UINT min, UINT max, bool remove);
    std::optional<RawInput> pop_raw();

    std::mutex m_mutex;
    std::deque<RawInput> m_raw;
    std::deque<Ready> m_ready;
    std::deque<MSG> m_translated;
    std::optional<Ready> m_last_key_press;
};

// Routing of one raw event (MouseRouter.cpp, Keyboard.cpp); nothing when it is dropped.
std::optional<MSG> route_mouse(RawInput const& event);
std::optional<MSG> route_key(RawInput const& event);
std::optional<MSG> route_char(RawInput const& event);

// The key state as the thread sees it (changed when a key message is routed) and as the
// hardware has it (changed when the event is injected).
void set_key_down(int virtual_key, bool down, bool async);
bool key_down(int virtual_key);
WPARAM mouse_key_flags();
void reset_key_state();
void reset_mouse_state();

// Called while a window is destroyed.
void forget_mouse_tracking(HWND hwnd);

}
