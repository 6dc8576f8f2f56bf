// The modal loop of a tracked pop-up menu: one pop-up window per open level (the menu and
// the sub-menus opened from it), mouse and keyboard handling, owner-drawn items measured and
// drawn through the owner, and the hook through which tests see and answer the menu.
#pragma once

#include "platform/controls/common/MenuModel.h"

#include <memory>
#include <vector>

namespace platform::commctrl {

class MenuTracker {
public:
    MenuTracker(HWND owner, UINT flags);
    ~MenuTracker();
    MenuTracker(MenuTracker const&) = delete;
    MenuTracker& operator=(MenuTracker const&) = delete;

    // Runs the loop; answers the chosen command, 0 for none.
    UINT track(HMENU menu, POINT at);
    static MenuTracker* current();
    void paint_level(HWND window, HDC dc);
    void end(UINT command) { m_done = true; m_command = command; }

    struct Level {
        HMENU menu;
        HWND window;
        std::vector<RECT> rects; // per item, client coordinates
        int selected { -1 };
    };
    std::vector<std::unique_ptr<Level>>& levels() { return m_levels; }
    bool choose(Level& level, int position);
    void cancel();

private:
    void open_level(HMENU menu, POINT at, bool right_align);
    void close_levels_above(std::size_t depth);
    SIZE measure(MenuItem const& item, std::vector<RECT>& rects, int top);
    void select(Level& level, int position);
    void open_selected_submenu(Level& level);
    void on_key(MSG const& msg);
    void on_char(char ch);
    bool on_mouse(MSG const& msg);
    Level* level_at(POINT screen, int& position);
    void draw_item(Level const& level, int position, HDC dc);

    HWND m_owner;
    UINT m_flags;
    std::vector<std::unique_ptr<Level>> m_levels;
    bool m_done {};
    UINT m_command {};
    // Where the pointer was last seen. A menu that opens under the pointer gets a move to the
    // same place (the window appearing under it): that is no move of the user's and selects
    // nothing.
    POINT m_pointer {};
    MenuTracker* m_previous {};
};

void register_menu_window_class();

}
