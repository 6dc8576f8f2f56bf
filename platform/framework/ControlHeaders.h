// The message headers of the control modules, included together for the framework's control
// wrappers. The wrappers reach the controls only through their messages, so this is all of
// the controls they need at compile time.
//
// FIXME: BarMessages.h and common/CommonControls.h both define CLR_NONE and CLR_DEFAULT, and
// common/ListView.h and common/ToolTip.h both define LPSTR_TEXTCALLBACK (with equal values).
// Until each pair has one home, the second definition of each is renamed while its header is
// read here, so that a unit can include every control header through this one.
#pragma once

#include "platform/user/User.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ScrollMessages.h"
#include "platform/controls/TabMessages.h"
#include "platform/controls/common/CommonControls.h"
#include "platform/controls/common/Header.h"
#include "platform/controls/common/ImageList.h"
#include "platform/controls/common/ListView.h"
#include "platform/controls/common/Menu.h"

#define CLR_NONE afx_bar_messages_CLR_NONE
#define CLR_DEFAULT afx_bar_messages_CLR_DEFAULT
#include "platform/controls/BarMessages.h"
#undef CLR_NONE
#undef CLR_DEFAULT

#define LPSTR_TEXTCALLBACK afx_tool_tip_LPSTR_TEXTCALLBACK
#include "platform/controls/common/ToolTip.h"
#undef LPSTR_TEXTCALLBACK
