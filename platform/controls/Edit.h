// The "Edit" class: a single-line edit with caret, selection, keyboard and mouse editing and
// the clipboard, and a multi-line edit for texts and logs (word-wrapped, usually read-only).
// Text is kept as bytes of the narrow character set; positions are byte offsets.
//
// Behaviour (the table the edit test walks); "changed" means EN_UPDATE then EN_CHANGE:
//
// | input                                   | effect                                              | parent gets        |
// |-----------------------------------------|-----------------------------------------------------|--------------------|
// | printable WM_CHAR                       | replaces the selection (ES_UPPERCASE: upper case)   | changed            |
// | WM_CHAR that would pass the limit       | refused, beep                                       | EN_MAXTEXT         |
// | non-digit WM_CHAR with ES_NUMBER        | refused, beep                                       | nothing            |
// | WM_CHAR, Delete, cut, paste, read-only  | refused, beep                                       | nothing            |
// | Backspace (WM_CHAR 8)                   | deletes the selection, else the byte before caret   | changed            |
// | Delete key                              | deletes the selection, else the byte after caret    | changed            |
// | Left/Right/Home/End (+Shift)            | moves the caret (Shift: extends the selection)      | nothing            |
// | Ctrl+C / Ctrl+X / Ctrl+V (WM_CHAR 3/24/22) | WM_COPY / WM_CUT / WM_PASTE                      | as those           |
// | WM_PASTE                                | first line of the clipboard replaces the selection; | changed, or        |
// |                                         | refused whole with a beep when it would pass the limit | EN_MAXTEXT      |
// | press, drag                             | focus; caret at the press; drag selects             | nothing            |
// | double click                            | selects the word under the pointer                  | nothing            |
// | WM_SETTEXT (limit not applied)          | replaces the text, caret at 0                       | changed, unless the|
// |                                         |                                                     | text is the same   |
// | EM_REPLACESEL                           | as a paste of its text                              | changed            |
// | focus gained / lost                     | caret shown / hidden                                | EN_SETFOCUS / EN_KILLFOCUS |
//
// A password edit shows each byte as the password character (EM_SETPASSWORDCHAR, '*' by
// default, 0 shows the text) and never copies or cuts. Without ES_AUTOHSCROLL a single-line
// edit refuses text wider than its client area (beep); with it, the view scrolls to keep the
// caret visible.
#pragma once

#include "platform/controls/Control.h"

#include <algorithm>

namespace platform::controls {

class Edit final : public Control {
public:
    explicit Edit(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

private:
    bool multiline() const { return (style() & ES_MULTILINE) != 0; }
    bool read_only() const { return (style() & ES_READONLY) != 0; }
    size_t sel_low() const { return std::min(m_anchor, m_caret); }
    size_t sel_high() const { return std::max(m_anchor, m_caret); }
    std::string shown_text() const;
    int text_width(std::string_view text) const;
    size_t position_at(int x) const;

    void paint(HDC dc) override;
    LRESULT on_char(WPARAM ch);
    LRESULT on_key_down(WPARAM key);
    LRESULT on_button_down(LPARAM lparam);
    LRESULT on_mouse_move(LPARAM lparam);
    LRESULT on_double_click(LPARAM lparam);
    LRESULT on_set_text(LPCSTR text);
    LRESULT on_get_text(WPARAM size, LPSTR buffer) const;
    LRESULT on_get_sel(DWORD* start, DWORD* end) const;
    LRESULT on_set_sel(WPARAM start, LPARAM end);
    LRESULT on_set_password_char(WPARAM ch);
    LRESULT on_set_read_only(bool on);
    LRESULT on_limit(WPARAM limit);
    LRESULT on_focus(bool gained);
    LRESULT copy() const;
    LRESULT cut();
    LRESULT paste();
    LRESULT clear();

    // Replaces the selection; false (with a beep) when refused.
    bool replace_selection(std::string_view with, bool user);
    bool fits(std::string const& candidate) const;
    void erase(size_t from, size_t to);
    void changed();
    void move_caret(size_t to, bool extend);
    void scroll_to_caret();

    std::string m_text;
    size_t m_anchor {};
    size_t m_caret {};
    size_t m_limit;
    char m_password {};
    bool m_modified {};
    bool m_dragging {};
    int m_scroll {};
};

}
