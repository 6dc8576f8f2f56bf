// The tab control ("SysTabControl32"): a row of tabs over a raised panel. It does not own
// pages: its parent shows the page of the selected tab when told by WM_NOTIFY.
//
// | input                           | selection                 | parent gets (WM_NOTIFY)                       |
// |---------------------------------|---------------------------|-----------------------------------------------|
// | press on an unselected tab      | that tab, unless refused  | TCN_SELCHANGING (non-zero answer refuses), TCN_SELCHANGE |
// | press on the selected tab       | unchanged                 | nothing                                       |
// | Left / Right key                | previous / next tab       | as a press on it                              |
// TCM_SETCURSEL and every other message are silent. Tabs are laid out left to right, each
// as wide as its text plus 12 pixels, 20 pixels high; the selected one stands 2 pixels
// taller and wider.
#pragma once

#include "platform/controls/Control.h"
#include "platform/controls/TabMessages.h"

#include <vector>

namespace platform::controls {

class TabControl final : public Control {
public:
    explicit TabControl(HWND hwnd);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    static void register_class();
    static constexpr int row_height = 20;

private:
    struct Item {
        std::string text;
        int image { -1 };
        LPARAM param {};
    };

    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(WPARAM index) const { return static_cast<int>(index) >= 0 && static_cast<int>(index) < count(); }
    RECT tab_rect(int index) const;
    int tab_width(int index) const;
    LRESULT insert(WPARAM index, TCITEM const* item);
    LRESULT set_item(WPARAM index, TCITEM const* item);
    LRESULT get_item(WPARAM index, TCITEM* item) const;
    LRESULT erase(WPARAM index);
    LRESULT set_cur_sel(WPARAM index);
    LRESULT adjust_rect(bool larger, RECT* rect) const;
    LRESULT on_button_down(LPARAM lparam);
    LRESULT on_key_down(WPARAM key);
    void select_by_user(int index);
    LRESULT send_notify(UINT code) const;
    void paint(HDC dc) override;

    std::vector<Item> m_items;
    int m_selection { -1 };
};

}
