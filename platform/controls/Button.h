// The "Button" class: push and default push buttons, check boxes (plain, automatic,
// three-state), radio buttons (plain, automatic), group boxes and owner-drawn buttons.
//
// Behaviour (the table the button test walks):
//
// | input                                | state before        | state after                 | parent gets          |
// |--------------------------------------|---------------------|-----------------------------|----------------------|
// | left press inside                    | idle                | pushed, captured, focused   | -                    |
// | move out while captured              | pushed              | tracking (not pushed)       | -                    |
// | move back in                         | tracking            | pushed                      | -                    |
// | release inside                       | pushed              | idle, capture released      | BN_CLICKED           |
// | release outside                      | tracking            | idle, capture released      | nothing              |
// | double click (CS_DBLCLKS class)      | idle                | as a press                  | BN_DOUBLECLICKED (*) |
// | Space down (focused)                 | idle                | pushed                      | -                    |
// | Space up                             | pushed by Space     | idle                        | BN_CLICKED           |
// | capture lost, WM_CANCELMODE, focus lost | pushed/tracking  | idle                        | nothing              |
// | BM_CLICK (enabled)                   | any                 | as press + release inside   | BN_CLICKED, once     |
// | BM_SETCHECK, BM_SETSTATE, BM_SETSTYLE | any                | changed, repainted          | nothing              |
// | any input while disabled             | any                 | unchanged                   | nothing              |
// (*) radio buttons, owner-drawn buttons and BS_NOTIFY buttons only.
//
// A click changes the check state first, then notifies: automatic check box 0 <-> 1,
// automatic three-state 0 -> 1 -> 2 -> 0, automatic radio button checked and every other
// automatic radio button of its group (from the sibling with WS_GROUP up to the next)
// unchecked. Plain check boxes, radio buttons and three-state buttons only notify.
//
// Owner-drawn buttons send WM_DRAWITEM to the parent with CtlType ODT_BUTTON, CtlID, itemID
// 0, itemAction ODA_DRAWENTIRE (ODA_SELECT after a change of pushed, ODA_FOCUS after a change
// of focus), itemState ODS_SELECTED while pushed, ODS_FOCUS while focused, ODS_DISABLED while
// disabled, ODS_DEFAULT while the button is the default one (BM_SETSTYLE with
// BS_DEFPUSHBUTTON keeps the owner-draw type and sets this), ODS_NOFOCUSRECT while the
// window's keyboard cues hide the focus (WM_QUERYUISTATE), hwndItem, hDC and rcItem = the
// client rectangle. The DC comes as the parent left it after WM_CTLCOLORBTN: the button's
// font selected (WM_SETFONT, else DEFAULT_GUI_FONT), text colour and background colour as
// the parent set them (COLOR_BTNTEXT and COLOR_BTNFACE when it did not answer), background
// mode OPAQUE, and nothing painted yet.
#pragma once

#include "platform/controls/Control.h"

namespace platform::controls {

class Button final : public Control {
public:
    explicit Button(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;

    static void register_class();

private:
    enum class Kind {
        Push,
        Check,
        Radio,
        Group,
        OwnerDraw,
    };

    Kind kind() const;
    DWORD type() const { return style() & BS_TYPEMASK; }
    void paint(HDC dc) override;
    void paint_owner_draw(HDC dc);

    LRESULT on_button_down(LPARAM lparam, bool double_click);
    LRESULT on_mouse_move(LPARAM lparam);
    LRESULT on_button_up(LPARAM lparam);
    LRESULT on_key_down(WPARAM key);
    LRESULT on_key_up(WPARAM key);
    LRESULT on_focus(bool gained);
    LRESULT on_get_dlg_code() const;
    LRESULT on_set_check(WPARAM check);
    LRESULT on_set_state(bool pushed);
    LRESULT on_set_style(WPARAM new_style, bool redraw);
    LRESULT on_set_image(WPARAM type, LPARAM image);
    LRESULT on_click();
    void cancel_press();
    void clicked();
    void advance_check();
    void uncheck_group_siblings();
    void set_pushed(bool pushed);
    bool inside(LPARAM lparam) const;
    bool focus_cue() const;

    int m_check {};
    bool m_pushed {};
    bool m_tracking {};
    bool m_space_down {};
    bool m_default_owner_draw {};
    UINT m_pending_action { ODA_DRAWENTIRE };
    HANDLE m_image {};
};

}
