// The input queue and the driver's entry points. Events are routed one at a time, when the
// loop reaches them, so that whatever the previous message changed (capture, focus,
// activation) decides where the next one goes.
#include "platform/user/InputRouter.h"

#include "platform/user/MessageQueue.h"
#include "platform/user/WindowCore.h"

#include <atomic>

namespace platform::user {

namespace {

bool matches(MSG const& msg, HWND filter, UINT min, UINT max)
{
    if (filter && msg.hwnd != filter && !IsChild(filter, msg.hwnd))
        return false;
    return (min == 0 && max == 0) || (msg.message >= min && msg.message <= max);
}

void wake_ui()
{
    if (MessageQueue* queue = MessageQueue::ui())
        queue->wake();
}

}

InputRouter& InputRouter::the()
{
    static InputRouter router;
    return router;
}

void InputRouter::push(RawInput const& event)
{
    {
        std::lock_guard lock(m_mutex);
        m_raw.push_back(event);
    }
    wake_ui();
}

void InputRouter::push_translated(MSG const& msg)
{
    std::lock_guard lock(m_mutex);
    m_translated.push_back(msg);
}

std::optional<RawInput> InputRouter::pop_raw()
{
    std::lock_guard lock(m_mutex);
    if (m_raw.empty())
        return std::nullopt;
    RawInput event = m_raw.front();
    m_raw.pop_front();
    return event;
}

bool InputRouter::take_from(std::deque<MSG>& queue, MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!matches(*it, filter, min, max))
            continue;
        out = *it;
        if (remove)
            queue.erase(it);
        return true;
    }
    return false;
}

bool InputRouter::take_translated(MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    std::lock_guard lock(m_mutex);
    return take_from(m_translated, out, filter, min, max, remove);
}

bool InputRouter::take_ready(MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    for (auto it = m_ready.begin(); it != m_ready.end(); ++it) {
        if (!matches(it->msg, filter, min, max))
            continue;
        out = it->msg;
        if (remove) {
            m_last_key_press.reset();
            if (it->layout_characters)
                m_last_key_press = *it;
            m_ready.erase(it);
        }
        return true;
    }
    return false;
}

bool InputRouter::take_input(MSG& out, HWND filter, UINT min, UINT max, bool remove)
{
    for (;;) {
        if (take_ready(out, filter, min, max, remove))
            return true;
        // Routing sends messages (WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEACTIVATE), so it runs
        // outside the lock; only this thread touches m_ready.
        auto event = pop_raw();
        if (!event)
            return false;
        std::optional<MSG> routed;
        switch (event->kind) {
        case RawInput::Kind::KeyDown:
        case RawInput::Kind::KeyUp:
            routed = route_key(*event);
            break;
        case RawInput::Kind::Char:
            routed = route_char(*event);
            break;
        default:
            routed = route_mouse(*event);
            break;
        }
        if (routed)
            m_ready.push_back(Ready { *routed, event->layout_characters });
    }
}

std::optional<std::string> InputRouter::layout_characters(MSG const& msg)
{
    if (!on_ui_thread() || !m_last_key_press)
        return std::nullopt;
    MSG const& last = m_last_key_press->msg;
    bool const same = last.hwnd == msg.hwnd && last.message == msg.message && last.wParam == msg.wParam
        && last.lParam == msg.lParam && last.time == msg.time;
    return same ? m_last_key_press->layout_characters : std::nullopt;
}

void InputRouter::reset()
{
    std::lock_guard lock(m_mutex);
    m_raw.clear();
    m_ready.clear();
    m_translated.clear();
    m_last_key_press.reset();
}

}

namespace platform::user::input {

namespace {

int button_key(MouseButton button)
{
    switch (button) {
    case MouseButton::Left:
        return VK_LBUTTON;
    case MouseButton::Right:
        return VK_RBUTTON;
    case MouseButton::Middle:
        return VK_MBUTTON;
    }
    return VK_LBUTTON;
}

// Whether the last press was of a key rather than a mouse button (UIS_INITIALIZE).
std::atomic<bool> g_last_press_was_key { false };

void push_button(MouseButton button, bool down)
{
    if (down)
        g_last_press_was_key = false;
    set_key_down(button_key(button), down, true);
    RawInput event;
    event.kind = down ? RawInput::Kind::ButtonDown : RawInput::Kind::ButtonUp;
    event.point = cursor_position();
    event.button = button;
    InputRouter::the().push(event);
}

void push_key(int virtual_key, bool down, std::optional<std::string> layout_characters = std::nullopt)
{
    if (down)
        g_last_press_was_key = true;
    set_key_down(virtual_key, down, true);
    RawInput event;
    event.kind = down ? RawInput::Kind::KeyDown : RawInput::Kind::KeyUp;
    event.virtual_key = virtual_key;
    event.layout_characters = std::move(layout_characters);
    InputRouter::the().push(event);
}

}

bool last_press_was_key()
{
    return g_last_press_was_key;
}

void move_mouse(POINT screen)
{
    set_cursor_position(screen);
    RawInput event;
    event.kind = RawInput::Kind::Move;
    event.point = screen;
    InputRouter::the().push(event);
}

void press_mouse(MouseButton button)
{
    push_button(button, true);
}

void release_mouse(MouseButton button)
{
    push_button(button, false);
}

void turn_wheel(int delta)
{
    RawInput event;
    event.kind = RawInput::Kind::Wheel;
    event.point = cursor_position();
    event.wheel = delta;
    InputRouter::the().push(event);
}

void press_key(int virtual_key)
{
    push_key(virtual_key, true);
}

void press_key(int virtual_key, std::string_view characters)
{
    push_key(virtual_key, true, std::string(characters));
}

void release_key(int virtual_key)
{
    push_key(virtual_key, false);
}

void enter_text(std::string_view utf8)
{
    for (char byte : utf8) {
        RawInput event;
        event.kind = RawInput::Kind::Char;
        event.character = byte;
        InputRouter::the().push(event);
    }
}

void click(POINT screen, MouseButton button)
{
    move_mouse(screen);
    press_mouse(button);
    release_mouse(button);
}

void tap_key(int virtual_key)
{
    press_key(virtual_key);
    release_key(virtual_key);
}

void tap_ctrl_key(int virtual_key)
{
    press_key(VK_CONTROL);
    tap_key(virtual_key);
    release_key(VK_CONTROL);
}

void reset()
{
    InputRouter::the().reset();
    g_last_press_was_key = false;
    reset_key_state();
    reset_mouse_state();
}

}
