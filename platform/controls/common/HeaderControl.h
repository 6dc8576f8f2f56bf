// The header control's state: items in index order, the display order, and the mouse
// gesture under way (resize or reorder). The list view reads the columns straight from here.
#pragma once

#include "platform/controls/common/ControlWindow.h"
#include "platform/controls/common/Header.h"

#include <string>
#include <vector>

namespace platform::commctrl {

constexpr int header_height = 20;

class HeaderControl : public ControlLifetime {
public:
    struct Item {
        int width {};
        std::string text;
        int format {};
        LPARAM param {};
        int image {};
    };

    explicit HeaderControl(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }
    static HeaderControl* from(HWND hwnd);

    int count() const { return static_cast<int>(m_items.size()); }
    Item const& item(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    std::vector<int> const& order() const { return m_order; }
    // The item's rectangle in header coordinates, following the display order.
    RECT item_rect(int index) const;
    int total_width() const;

    int insert(int index, HDITEM const& item);
    bool remove(int index);
    bool get(int index, HDITEM& out) const;
    bool set(int index, HDITEM const& in);
    bool set_order(std::vector<int> const& order);
    int hit_test(HDHITTESTINFO& info) const;

    // A header with no items, for a list whose header window is gone.
    static HeaderControl const& none();
    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam);

private:
    void on_paint();
    void paint(HDC dc);
    void on_button_down(POINT pt);
    void on_mouse_move(POINT pt);
    void on_button_up(POINT pt);
    void on_right_button_up();
    LRESULT notify(UINT code, int index, HDITEM* item = nullptr);
    int drop_order(int x) const;

    enum class Gesture { None, Pressed, Dragging, Resizing };
    HWND m_hwnd;
    std::vector<Item> m_items;
    std::vector<int> m_order; // item indices, left to right
    Gesture m_gesture { Gesture::None };
    int m_gesture_item { -1 };
    POINT m_press {};
    int m_start_width {};
};

}
