// The painting schedule inside the core: which window paints next, and the exposure of
// areas when windows move, hide or change size.
#pragma once

#include "platform/user/Window.h"

namespace platform::user {

// The first visible window, parents before children, that has something to paint; null
// when nothing does. Only windows inside `filter` (and `filter` itself) count when set.
HWND find_paint_target(HWND filter);
// Adds `rect` (client coordinates) to a window's update region.
void invalidate_only(Window& window, RECT const& rect, bool erase);
// The same, and the matching parts of its descendants' regions when `children` is set or
// the window lacks WS_CLIPCHILDREN (it paints over them, so they repaint after it).
void invalidate_client(Window& window, RECT const& rect, bool erase, bool children);
// An area of `parent`'s client area was uncovered or changed: it and whatever lies there
// repaint.
void expose(Window& parent, RECT const& rect);
// The whole window and its descendants repaint.
void invalidate_all(Window& window);

}
