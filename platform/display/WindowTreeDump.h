// A text dump of the window tree, for scripts and end-to-end tests that check what a window
// shows and click a control by its rectangle. One line per window or item, fields separated
// by a tab; texts have "\n", "\t" and "\\" escaped, so a line never breaks:
//
//   window <depth> <handle> <class> <id> <left>,<top>,<right>,<bottom> <state> <text>
//   item <handle> <row> <selected> <column 0 text> <column 1 text> ...
//
// <depth> is 0 for a top-level window and one more for each parent; windows follow in tree
// order (top-level windows top of the z-order first, children in z-order below their
// parent). <handle> is hexadecimal ("0x..."), <id> the control id in decimal (0 for top-level
// windows), the rectangle in screen coordinates. <state> is three letters: V or v (visible,
// counting its parents), E or e (enabled), F or f (has the keyboard focus). List views, list
// boxes, combo boxes and tab controls follow their window line with one item line per row
// or tab: <selected> is 1 or 0, and a list view gives every column of its row.
// Example: grep -P '^window\t\d+\t\S+\tButton\t1\t' windows.txt
#pragma once

#include "platform/user/User.h"

#include <string>

namespace platform::display {

// The dump of every top-level window and its descendants; user-interface thread only.
std::string dump_window_tree();
// The dump of one window and its descendants, `depth` being that window's own depth.
std::string dump_window(HWND hwnd, int depth = 0);
// `text` on one line: "\n", "\t" and "\\" escaped, carriage returns dropped.
std::string escaped_line(std::string const& text);

}
