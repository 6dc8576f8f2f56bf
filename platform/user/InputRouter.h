// The input queue: raw events from the driver wait here until the user-interface thread's
// loop asks for messages; each is then routed into one window message (or dropped). Also
// holds the WM_CHAR messages TranslateMessage makes, which come before anything else.
#pragma once

#include "platform/user/InputDriver.h"

#include <deque>
#include <mutex>
#include <optional>

namespace platform::user {

struct RawInput {
    enum class Kind {
        Move,
        ButtonDown,
        ButtonUp,
        Wheel,
        KeyDown,
        KeyUp,
    };
    Kind kind {};
    POINT point {};
    input::MouseButton button {};
    int virtual_key {};
    int wheel {};
};

class InputRouter {
public:
    static InputRouter& the();

    void push(RawInput const& event);
    void push_translated(MSG const& msg);
    // User-interface thread only. Translated characters first, then routed input.
    bool take_translated(MSG& out, HWND filter, UINT min, UINT max, bool remove);
    bool take_input(MSG& out, HWND filter, UINT min, UINT max, bool remove);
    void reset();

private:
    static bool take_from(std::deque<MSG>& queue, MSG& out, HWND filter, UINT min, UINT max, bool remove);
    std::optional<RawInput> pop_raw();

    std::mutex m_mutex;
    std::deque<RawInput> m_raw;
    std::deque<MSG> m_ready;
    std::deque<MSG> m_translated;
};

// Routing of one raw event (MouseRouter.cpp, Keyboard.cpp); nothing when it is dropped.
std::optional<MSG> route_mouse(RawInput const& event);
std::optional<MSG> route_key(RawInput const& event);

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
