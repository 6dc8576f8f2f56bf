// The keyboard: key state, routing of key events and entered text to the focus window, and
// TranslateMessage, which turns key presses into characters with a US layout unless the
// press brought its layout's own characters. The US layout is one table used both ways: key
// to character when translating, character to key when typing text.
#include "platform/user/InputRouter.h"

#include "platform/user/WindowCore.h"

#include <array>
#include <atomic>
#include <optional>
#include <string>

namespace platform::user {

namespace {

constexpr BYTE key_down_bit = 0x80;
constexpr BYTE key_toggled_bit = 0x01;

std::array<std::atomic<BYTE>, 256> g_thread_keys {};
std::array<std::atomic<BYTE>, 256> g_async_keys {};

struct KeyChars {
    int virtual_key;
    char plain;
    char shifted;
};

// Keys whose characters are not their own code: digits with their shifted signs, the OEM
// punctuation keys, and the keys that make control characters.
constexpr KeyChars key_chars[] = {
    { '0', '0', ')' }, { '1', '1', '!' }, { '2', '2', '@' }, { '3', '3', '#' }, { '4', '4', '$' },
    { '5', '5', '%' }, { '6', '6', '^' }, { '7', '7', '&' }, { '8', '8', '*' }, { '9', '9', '(' },
    { VK_OEM_3, '`', '~' }, { VK_OEM_MINUS, '-', '_' }, { VK_OEM_PLUS, '=', '+' },
    { VK_OEM_4, '[', '{' }, { VK_OEM_6, ']', '}' }, { VK_OEM_5, '\\', '|' }, { VK_OEM_1, ';', ':' },
    { VK_OEM_7, '\'', '"' }, { VK_OEM_COMMA, ',', '<' }, { VK_OEM_PERIOD, '.', '>' }, { VK_OEM_2, '/', '?' },
    { VK_SPACE, ' ', ' ' }, { VK_RETURN, '\r', '\r' }, { VK_BACK, '\b', '\b' }, { VK_TAB, '\t', '\t' },
    { VK_ESCAPE, 0x1B, 0x1B }, { VK_MULTIPLY, '*', '*' }, { VK_ADD, '+', '+' }, { VK_SUBTRACT, '-', '-' },
    { VK_DECIMAL, '.', '.' }, { VK_DIVIDE, '/', '/' },
};

bool is_letter_key(int vk)
{
    return vk >= 'A' && vk <= 'Z';
}

std::optional<char> control_char(int vk)
{
    if (is_letter_key(vk))
        return static_cast<char>(vk - 'A' + 1);
    if (vk == VK_OEM_4)
        return static_cast<char>(0x1B);
    if (vk == VK_RETURN)
        return '\n';
    if (vk == VK_BACK)
        return static_cast<char>(0x7F);
    return std::nullopt;
}

std::optional<char> char_for_key(int vk)
{
    bool shift = key_down(VK_SHIFT);
    if (key_down(VK_CONTROL) && !key_down(VK_MENU))
        return control_char(vk);
    if (is_letter_key(vk)) {
        bool caps = (g_thread_keys[VK_CAPITAL] & key_toggled_bit) != 0;
        return static_cast<char>(shift != caps ? vk : vk - 'A' + 'a');
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return static_cast<char>('0' + vk - VK_NUMPAD0);
    for (auto const& k : key_chars) {
        if (k.virtual_key == vk)
            return shift ? k.shifted : k.plain;
    }
    return std::nullopt;
}

struct KeyStroke {
    int virtual_key;
    bool shift;
};

std::optional<KeyStroke> key_for_char(char ch)
{
    if (ch >= 'a' && ch <= 'z')
        return KeyStroke { ch - 'a' + 'A', false };
    if (ch >= 'A' && ch <= 'Z')
        return KeyStroke { ch, true };
    if (ch == '\n')
        return KeyStroke { VK_RETURN, false };
    for (auto const& k : key_chars) {
        if (k.virtual_key >= VK_NUMPAD0 && k.virtual_key <= VK_DIVIDE)
            continue;
        if (k.plain == ch)
            return KeyStroke { k.virtual_key, false };
        if (k.shifted == ch)
            return KeyStroke { k.virtual_key, true };
    }
    return std::nullopt;
}

bool inside_disabled(HWND hwnd)
{
    for (HWND w = hwnd; w; w = GetParent(w)) {
        if (!IsWindowEnabled(w))
            return true;
        if (!(GetWindowLong(w, GWL_STYLE) & WS_CHILD))
            break;
    }
    return false;
}

}

void set_key_down(int virtual_key, bool down, bool async)
{
    auto& keys = async ? g_async_keys : g_thread_keys;
    auto index = static_cast<size_t>(virtual_key & 0xFF);
    BYTE old = keys[index];
    BYTE next = down ? static_cast<BYTE>(old | key_down_bit) : static_cast<BYTE>(old & ~key_down_bit);
    if (down && !(old & key_down_bit))
        next ^= key_toggled_bit;
    keys[index] = next;
}

bool key_down(int virtual_key)
{
    return (g_thread_keys[static_cast<size_t>(virtual_key & 0xFF)] & key_down_bit) != 0;
}

WPARAM mouse_key_flags()
{
    WPARAM flags = 0;
    flags |= key_down(VK_LBUTTON) ? MK_LBUTTON : 0;
    flags |= key_down(VK_RBUTTON) ? MK_RBUTTON : 0;
    flags |= key_down(VK_MBUTTON) ? MK_MBUTTON : 0;
    flags |= key_down(VK_SHIFT) ? MK_SHIFT : 0;
    flags |= key_down(VK_CONTROL) ? MK_CONTROL : 0;
    return flags;
}

void reset_key_state()
{
    for (auto& k : g_thread_keys)
        k = 0;
    for (auto& k : g_async_keys)
        k = 0;
}

// Keys go to the focus window; with no focus, to the active window as system keys. A key
// aimed at a disabled window is dropped.
std::optional<MSG> route_key(RawInput const& event)
{
    bool down = event.kind == RawInput::Kind::KeyDown;
    int vk = event.virtual_key;
    bool was_down = key_down(vk);
    set_key_down(vk, down, false);
    HWND target = GetFocus();
    bool system = !target || (key_down(VK_MENU) && !key_down(VK_CONTROL)) || vk == VK_MENU || vk == VK_F10;
    if (!target)
        target = GetActiveWindow();
    if (!target || inside_disabled(target))
        return std::nullopt;
    UINT message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM lparam = 1;
    lparam |= key_down(VK_MENU) ? (1L << 29) : 0;
    lparam |= was_down ? (1L << 30) : 0;
    lparam |= down ? 0 : (1L << 31);
    return MSG { target, message, static_cast<WPARAM>(vk), lparam, GetTickCount(), cursor_position() };
}

// Entered text goes to the focus window as it is when the loop reaches it, as the characters
// of a key press would.
std::optional<MSG> route_char(RawInput const& event)
{
    HWND target = GetFocus();
    if (!target || inside_disabled(target))
        return std::nullopt;
    WPARAM const ch = static_cast<unsigned char>(event.character);
    return MSG { target, WM_CHAR, ch, 1, GetTickCount(), cursor_position() };
}

}

using namespace platform::user;

namespace platform::user::input {

bool type_text(std::string_view text)
{
    for (char ch : text) {
        if (!key_for_char(ch))
            return false;
    }
    for (char ch : text) {
        KeyStroke stroke = *key_for_char(ch);
        if (stroke.shift)
            press_key(VK_SHIFT);
        tap_key(stroke.virtual_key);
        if (stroke.shift)
            release_key(VK_SHIFT);
    }
    return true;
}

}

extern "C" {

// Makes WM_CHAR (WM_SYSCHAR with Alt) from a key press; it is delivered before any other
// message, so the window sees the key press and then its character.
BOOL TranslateMessage(MSG const* msg)
{
    if (!msg)
        return FALSE;
    bool system = msg->message == WM_SYSKEYDOWN;
    if (msg->message != WM_KEYDOWN && !system)
        return msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
    std::string characters;
    if (auto layout = InputRouter::the().layout_characters(*msg))
        characters = *layout;
    else if (auto ch = char_for_key(static_cast<int>(msg->wParam)))
        characters = std::string(1, *ch);
    MSG translated = *msg;
    translated.message = system ? WM_SYSCHAR : WM_CHAR;
    for (char ch : characters) {
        translated.wParam = static_cast<WPARAM>(static_cast<unsigned char>(ch));
        InputRouter::the().push_translated(translated);
    }
    return TRUE;
}

// Down is the high bit (a negative value); toggled (Caps Lock on) is the low bit.
SHORT GetKeyState(int virtual_key)
{
    BYTE state = g_thread_keys[static_cast<size_t>(virtual_key & 0xFF)];
    return static_cast<SHORT>(((state & key_down_bit) ? 0x8000 : 0) | (state & key_toggled_bit));
}

SHORT GetAsyncKeyState(int virtual_key)
{
    BYTE state = g_async_keys[static_cast<size_t>(virtual_key & 0xFF)];
    return static_cast<SHORT>((state & key_down_bit) ? 0x8000 : 0);
}

BOOL IsCharAlpha(CHAR ch)
{
    auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return TRUE;
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

BOOL IsCharAlphaNumeric(CHAR ch)
{
    return IsCharAlpha(ch) || (ch >= '0' && ch <= '9');
}

BOOL IsCharUpper(CHAR ch)
{
    auto c = static_cast<unsigned char>(ch);
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

BOOL IsCharLower(CHAR ch)
{
    auto c = static_cast<unsigned char>(ch);
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7);
}

}
