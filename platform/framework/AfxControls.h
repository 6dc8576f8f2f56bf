// The framework's control classes: wrappers of the standard controls (buttons, statics,
// edits, combo and list boxes, progress bars, trackbars, tabs, IP address fields) and of the
// common controls (list views and headers, image lists, menus, tool tips). Kept apart from
// Afx.h while the control modules' headers cannot all be included in one unit in any order
// (see ControlHeaders.h).
#pragma once

#include "platform/framework/Afx.h"
#include "platform/framework/BarControls.h"
#include "platform/framework/ButtonControls.h"
#include "platform/framework/ImageListCtrl.h"
#include "platform/framework/ListControls.h"
#include "platform/framework/ListViewCtrl.h"
#include "platform/framework/MenuObject.h"
#include "platform/framework/ToolTipCtrl.h"
