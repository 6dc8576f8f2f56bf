// Typed text that no virtual key stands for (a letter of another layout, a character made
// with a compose or dead key): the input method's UTF-8 text (Xutf8LookupString), or the
// key's own character when no input method could be opened. Each UTF-8 byte reaches the
// focus window as one WM_CHAR, the way multi-byte text reaches a program that reads bytes.
//
// FIXME: the window core's input queue has no entry for text yet, so the characters are
// posted to the focus window; typed faster than the loop runs, they can overtake key strokes
// still waiting in the input queue.
#include "platform/display/x11/KeyMap.h"
#include "platform/display/x11/X11Display.h"
#include "platform/user/Input.h"

#include <X11/Xutil.h>

namespace platform::display::x11 {

namespace {

constexpr unsigned modifier_commands = ControlMask | Mod1Mask;

std::string lookup_text(XKeyEvent& event, XIC input_context)
{
    char buffer[64] {};
    KeySym keysym = NoSymbol;
    if (input_context) {
        Status status = 0;
        int length = Xutf8LookupString(input_context, &event, buffer, sizeof(buffer) - 1, &keysym, &status);
        if (status == XLookupChars || status == XLookupBoth)
            return std::string(buffer, static_cast<std::size_t>(length));
        return {};
    }
    XLookupString(&event, buffer, sizeof(buffer) - 1, &keysym, nullptr);
    return utf8_from_keysym(keysym);
}

}

void X11Display::open_input_method()
{
    // The programs do not set a locale; an input method in the "C" locale still gives UTF-8
    // text through Xutf8LookupString.
    if (XSupportsLocale())
        m_input_method = XOpenIM(m_display, nullptr, nullptr, nullptr);
}

void X11Display::deliver_text(XKeyEvent& event)
{
    // Ctrl and Alt chords are commands, not text.
    if (event.state & modifier_commands)
        return;
    auto it = m_by_id.find(event.window);
    XIC input_context = nullptr;
    if (it != m_by_id.end()) {
        auto win = m_windows.find(it->second);
        if (win != m_windows.end())
            input_context = win->second.input_context;
    }
    std::string text = lookup_text(event, input_context);
    if (text.empty() || static_cast<unsigned char>(text[0]) < 0x20)
        return;
    m_marshal.post([text] {
        HWND focus = GetFocus();
        for (char byte : text)
            PostMessage(focus, WM_CHAR, static_cast<unsigned char>(byte), 1);
    });
}

}
