// The list view's state and behaviour: items (or an owner-data count), selection and focus,
// scrolling, geometry, painting with custom draw, and keyboard and mouse handling. The window
// procedure only decodes messages into these calls.
//
// Selection and focus, as input steps (what changes, what the parent is told):
// | input                         | selection                   | focus        | notification              |
// | press on item i               | only i (Ctrl: toggles i)    | i            | LVN_ITEMCHANGED per change |
// | Shift+press on item i         | anchor..i (not SINGLESEL)   | i            | LVN_ITEMCHANGED per change |
// | press below the items         | none (Ctrl: unchanged)      | unchanged    | LVN_ITEMCHANGED per change |
// | release on the list           | -                           | -            | NM_CLICK (item of press)   |
// | right press / release         | as press when on an item    | as press     | NM_RCLICK on release       |
// | Up/Down/Home/End/PgUp/PgDn    | only the new focus          | moves        | LVN_KEYDOWN first          |
// | Ctrl+arrows                   | unchanged                   | moves        | LVN_KEYDOWN first          |
// | Space                         | focus added (Ctrl: toggled) | unchanged    | LVN_KEYDOWN first          |
// | typed characters              | only the match              | the match    | LVN_ODFINDITEM (owner data)|
#pragma once

#include "platform/controls/common/HeaderControl.h"
#include "platform/controls/common/ListView.h"

#include <string>
#include <vector>

namespace platform::commctrl {

class ListViewControl : public ControlLifetime {
public:
    explicit ListViewControl(HWND hwnd);
    static ListViewControl* from(HWND hwnd);

    // Paints the rows that meet `clip` (client coordinates) into `dc`.
    void paint(HDC dc, RECT const& clip);

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam);

private:
    struct Item {
        std::vector<std::string> texts; // per sub-item; a text of "\x01cb" asks the parent
        std::vector<bool> callback;
        int image { 0 };
        LPARAM param {};
    };
    struct Colours {
        COLORREF text;
        COLORREF background;
    };

    LRESULT on_notify(NMHDR const& nm);
    void on_create();
    void on_size();
    void on_paint();

    // [SECTION] Items and columns (ListViewControl.cpp)
    bool owner_data() const;
    DWORD style() const;
    int count() const { return static_cast<int>(m_states.size()); }
    int insert_item(LVITEM const& item);
    bool set_item(LVITEM const& item);
    bool get_item(LVITEM& item);
    bool delete_item(int index);
    void delete_all();
    void set_count(int count, LPARAM flags);
    int insert_column(int index, LVCOLUMN const& column);
    bool get_column(int index, LVCOLUMN& column) const;
    bool set_column(int index, LVCOLUMN const& column);
    bool set_column_width(int index, int width);
    // The cell's text and image, from the item or from the parent (LVN_GETDISPINFO).
    std::string text_of(int item, int sub_item, int* image = nullptr, UINT* state_image = nullptr);
    void set_state(int index, UINT state, UINT mask);
    int next_item(int start, UINT flags) const;
    void set_extended_style(DWORD mask, DWORD style);

    // [SECTION] Geometry (ListViewControl.cpp)
    int row_height() const { return m_row_height; }
    int header_bottom() const;
    int count_per_page() const;
    RECT row_rect(int item) const;
    RECT cell_rect(int item, int sub_item) const;
    bool item_rect(int item, int code, RECT& out) const;
    bool sub_item_rect(int item, int sub_item, int code, RECT& out) const;
    int hit_test(LVHITTESTINFO& info) const;
    void ensure_visible(int item);
    void layout_header();
    int columns() const;
    HeaderControl const& header() const;

    // [SECTION] Painting (ListViewPaint.cpp)
    LRESULT custom_draw(NMLVCUSTOMDRAW& cd);
    void paint_row(HDC dc, int item, RECT const& clip, LRESULT pre);
    void paint_cell(HDC dc, int item, int sub_item, RECT const& rect, Colours colours);
    Colours default_colours(int item, int sub_item) const;
    bool shows_selected(int item, int sub_item) const;

    // [SECTION] Scrolling and the window's bars (ListViewScroll.cpp)
    // Moves the top row and the horizontal offset (both kept in range), then shows, hides
    // and sets the bars; every change of rows, columns or size goes through here.
    void scroll_to(int top, int x);
    bool show_scroll_bars();
    void set_scroll_bars();
    void update_scroll_bars();
    void on_scroll(bool vertical, int code, int position);

    // [SECTION] Input (ListViewInput.cpp)
    void on_key_down(int key);
    void on_char(char ch);
    void on_button_down(POINT pt, bool right, bool double_click);
    void on_button_up(POINT pt, bool right);
    void on_mouse_move(POINT pt);
    void select_only(int item);
    void select_range(int from, int to);
    void move_focus(int item, bool ctrl, bool shift);
    int find_prefix(std::string const& prefix, int start);
    LRESULT notify(UINT code, NMHDR& header);
    void notify_item_changed(int item, UINT old_state, UINT new_state);
    void notify_click(UINT code, POINT pt);

    HWND m_hwnd;
    HWND m_header {};
    std::vector<Item> m_items;  // normal mode only
    std::vector<UINT> m_states; // both modes: LVIS_ bits the list keeps
    std::vector<int> m_sub_items; // per column, the sub-item it shows
    DWORD m_ex_style {};
    HIMAGELIST m_small_images {};
    HIMAGELIST m_state_images {};
    HFONT m_font {};
    COLORREF m_bk { CLR_DEFAULT };
    COLORREF m_text { CLR_DEFAULT };
    COLORREF m_text_bk { CLR_DEFAULT };
    int m_row_height { 17 };
    int m_top {};
    int m_scroll_x {};
    bool m_refuses_horizontal_bar {}; // the window dropped WS_HSCROLL when its frame was measured
    int m_focus { -1 };
    int m_anchor { -1 };
    int m_hot { -1 };
    POINT m_press {};
    int m_press_button { -1 }; // 0 left, 1 right, -1 none
    std::string m_search;
    DWORD m_search_time {};
    std::vector<char> m_text_buffer;
};

void register_list_view_class();

}
