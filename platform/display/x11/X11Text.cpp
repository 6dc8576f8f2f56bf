// The characters of a key press as the user's layout makes them: the input method's UTF-8
// text (Xutf8LookupString), or the key's own character when no input method could be opened.
// A key with a virtual key carries them to TranslateMessage; a key without one (a letter of
// another layout, a character made with a compose or dead key) enters them as text. Both wait
// in the window core's input queue, so they keep their order with the other key strokes.
#include "platform/display/x11/KeyMap.h"
#include "platform/display/x11/X11Display.h"

#include <X11/Xutil.h>

namespace platform::display::x11 {

namespace {

constexpr unsigned modifier_commands = ControlMask | Mod1Mask;

// The text and the keysym of the level the modifiers chose.
KeyText lookup_text(XKeyEvent& event, XIC input_context)
{
    char buffer[64] {};
    KeySym keysym = NoSymbol;
    if (input_context) {
        Status status = 0;
        int length = Xutf8LookupString(input_context, &event, buffer, sizeof(buffer) - 1, &keysym, &status);
        bool const chars = status == XLookupChars || status == XLookupBoth;
        return KeyText { chars ? std::string(buffer, static_cast<std::size_t>(length)) : std::string(), keysym };
    }
    XLookupString(&event, buffer, sizeof(buffer) - 1, &keysym, nullptr);
    return KeyText { utf8_from_keysym(keysym), keysym };
}

}

// The input method is opened when a window first takes the keyboard, not at start: opening
// it reads the locale's compose table, a fifth of what a tray-only start costs, and a program
// that is never typed into has no use for it. A window's input context is made then too,
// before the input method sees the event, so that a compose sequence can begin with it.
void X11Display::make_input_context(Window id)
{
    if (!m_input_method_tried) {
        m_input_method_tried = true;
        // The programs do not set a locale; an input method in the "C" locale still gives
        // UTF-8 text through Xutf8LookupString.
        if (XSupportsLocale())
            m_input_method = XOpenIM(m_display, nullptr, nullptr, nullptr);
    }
    XWin* win = m_input_method ? find(id) : nullptr;
    if (!win || win->input_context)
        return;
    win->input_context = XCreateIC(m_input_method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, id,
        XNFocusWindow, id, nullptr);
}

// The input method may take key events (composing a character) for itself.
bool X11Display::filtered_by_input_method(XEvent& event)
{
    if (event.type == FocusIn || event.type == KeyPress || event.type == KeyRelease)
        make_input_context(event.xany.window);
    return XFilterEvent(&event, None);
}

// Ctrl and Alt chords are commands, not text, and control characters (Return, Tab,
// Backspace, Escape, Delete) come from the key itself: for these the text is empty and the
// window core's own translation decides.
KeyText X11Display::layout_text(XKeyEvent& event)
{
    if (event.state & modifier_commands)
        return {};
    auto it = m_by_id.find(event.window);
    XIC input_context = nullptr;
    if (it != m_by_id.end()) {
        auto win = m_windows.find(it->second);
        if (win != m_windows.end())
            input_context = win->second.input_context;
    }
    KeyText out = lookup_text(event, input_context);
    auto const first = out.text.empty() ? 0x20u : static_cast<unsigned char>(out.text[0]);
    if (first < 0x20 || first == 0x7F)
        out.text.clear();
    return out;
}

}
