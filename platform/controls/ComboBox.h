// The "ComboBox" class: a selection field with a drop-down button over a pop-up list (a
// "ComboLBox" list box that holds the items). CBS_DROPDOWNLIST shows the selected item's
// text (or, owner-drawn, asks WM_DRAWITEM with ODS_COMBOBOXEDIT and itemID -1 when nothing
// is selected); CBS_DROPDOWN has an edit instead (CBN_EDITCHANGE / CBN_EDITUPDATE from it).
// The window keeps the height of the field; the height it was created with, less the
// field, is the dropped list's height.
//
// | input                                   | state / selection                      | parent gets                        |
// |-----------------------------------------|----------------------------------------|------------------------------------|
// | press on the field (list kind) or button| dropped, captured                      | CBN_DROPDOWN (before it shows)     |
// | move over the dropped list              | item under the pointer highlighted     | nothing                            |
// | release over an item                    | closed, that item selected             | CBN_SELCHANGE if it changed, CBN_SELENDOK, CBN_CLOSEUP |
// | release elsewhere after the opening press| stays dropped                         | nothing                            |
// | press outside the list while dropped    | closed, selection as before            | CBN_SELENDCANCEL, CBN_CLOSEUP      |
// | Up/Down/Page/Home/End, closed           | selection moves                        | CBN_SELCHANGE if it changed        |
// | a character, closed list kind           | next item beginning with it (wraps)    | CBN_SELCHANGE if it changed        |
// | F4 or Alt+Down / Alt+Up                 | dropped / closed (as Escape)           | as press / cancel                  |
// | Up/Down/... while dropped               | highlight moves                        | nothing                            |
// | Enter / Escape while dropped            | closed, accepted / cancelled           | as release over the item / cancel  |
// | focus lost while dropped                | closed, cancelled                      | CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS |
// CB_ messages never notify (CB_SETCURSEL, CB_SELECTSTRING included), except CB_SHOWDROPDOWN,
// which sends CBN_DROPDOWN and CBN_CLOSEUP as the user's opening and closing do.
#pragma once

#include "platform/controls/Control.h"

namespace platform::controls {

class ComboBox final : public Control {
public:
    explicit ComboBox(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

private:
    bool list_kind() const { return (style() & 0x3) == CBS_DROPDOWNLIST; }
    bool owner_draw() const { return (style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
    LRESULT to_list(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    int selection() const { return static_cast<int>(to_list(LB_GETCURSEL)); }
    RECT button_rect() const;
    RECT field_rect() const;

    LRESULT dispatch_items(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT dispatch_input(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_create(CREATESTRUCT const* cs);
    LRESULT on_set_cur_sel(WPARAM index);
    LRESULT on_delete(WPARAM index);
    LRESULT on_set_item_height(WPARAM which, LPARAM height);
    LRESULT on_set_text(LPCSTR text);
    LRESULT on_get_text(WPARAM size, LPSTR buffer) const;
    LRESULT on_command(WPARAM wparam);
    LRESULT on_focus(bool gained);
    LRESULT on_key_down(WPARAM key);
    LRESULT on_char(WPARAM ch);
    LRESULT on_button_down(POINT p);
    LRESULT on_mouse_move(POINT p);
    LRESULT on_button_up(POINT p);
    void select_by_user(int index);
    void show_selection();
    void resize_to_field();

    // The drop-down list (ComboDropList.cpp).
    void drop();
    void close(bool accept);
    RECT dropped_rect() const;
    POINT in_list(POINT client) const;
    bool list_client_has(POINT list_point) const;
    void list_key(WPARAM key);

    void paint(HDC dc) override;
    void paint_field(HDC dc, RECT const& field);

    HWND m_list {};
    HWND m_edit {};
    int m_field_height { 16 };
    int m_dropped_height { 100 };
    int m_dropped_width {};
    int m_before_drop { -1 };
    bool m_dropped {};
    bool m_opening_press {};
    bool m_closing {};
    bool m_setting_edit {};
};

}
