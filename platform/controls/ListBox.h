// The "ListBox" class: a single-selection list of items (text, item data, height) with a
// vertical scroll bar (WS_VSCROLL), owner-draw (fixed and variable) and sorting. The same
// class registered as "ComboLBox" and created with the combo box as its creation parameter,
// is the combo box's drop-down list: its
// owner-draw messages then go to the combo box's parent as ODT_COMBOBOX with the combo box's
// id, and it never takes the focus.
//
// | input                               | selection / view              | parent gets (LBS_NOTIFY)   |
// |-------------------------------------|-------------------------------|----------------------------|
// | press on an item                    | that item, focus, captured    | LBN_SELCHANGE if it changed|
// | move while captured                 | item under the pointer        | LBN_SELCHANGE if it changed|
// | release                             | released                      | nothing                    |
// | double click on an item             | that item                     | LBN_DBLCLK                 |
// | Up / Down, Page Up / Page Down      | -/+ 1, -/+ a page of rows     | LBN_SELCHANGE if it changed|
// | Home / End                          | first / last                  | LBN_SELCHANGE if it changed|
// | wheel, own scroll bar               | top index moves               | nothing                    |
// | focus gained / lost                 |                               | LBN_SETFOCUS / LBN_KILLFOCUS|
// Every LB_ message is silent, LB_SETCURSEL included; the selected item is kept visible.
// Owner-drawn lists send WM_DELETEITEM for each item that LB_DELETESTRING, LB_RESETCONTENT
// or destroying the list removes.
#pragma once

#include "platform/controls/Control.h"

#include <string>
#include <vector>

namespace platform::controls {

// Case-insensitive search from the item after `start` (from the first when start is -1),
// wrapping round, for an item text beginning with (exact: equal to) `text`; -1 if none.
int find_item(std::vector<std::string> const& texts, int start, std::string_view text, bool exact);

class ListBox final : public Control {
public:
    explicit ListBox(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();

private:
    struct Item {
        std::string text;
        ULONG_PTR data {};
        int height {};
    };

    bool owner_draw() const;
    bool has_strings() const;
    bool notifies() const;
    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(WPARAM index) const { return static_cast<int>(index) >= 0 && static_cast<int>(index) < count(); }
    int item_height(int index) const;
    RECT item_rect(int index) const;
    int item_at(POINT p) const;
    int rows_per_page() const;

    LRESULT dispatch_items(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT dispatch_view(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT insert(int index, LPARAM lparam);
    LRESULT erase(WPARAM index);
    LRESULT reset();
    LRESULT get_text(WPARAM index, LPSTR buffer) const;
    LRESULT find(WPARAM start, LPCSTR text, bool exact) const;
    LRESULT set_cur_sel(WPARAM index);
    LRESULT set_item_height(WPARAM index, LPARAM height);
    LRESULT set_top(int index);
    LRESULT on_button_down(LPARAM lparam, bool double_click);
    LRESULT on_mouse_move(LPARAM lparam);
    LRESULT on_key_down(WPARAM key);
    LRESULT on_scroll(WPARAM wparam);
    LRESULT on_create();

    void select_by_user(int index);
    void ensure_visible(int index);
    void sync_scroll_bar();
    void send_delete(int index);
    int measure(int index) const;
    void notify_owner(WORD code) const;
    HWND owner_window() const;
    UINT owner_id() const;
    void paint(HDC dc) override;
    void paint_item(HDC dc, int index, RECT const& rect);

    std::vector<Item> m_items;
    int m_selection { -1 };
    int m_top {};
    int m_height { 16 };
    HWND m_combo {};
    bool m_tracking {};
};

}
