// The message headers of the control modules, included together for the framework's control
// wrappers. The wrappers reach the controls only through their messages, so this is all of
// the controls they need at compile time.
//
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

#include "platform/controls/BarMessages.h"
#include "platform/controls/common/ToolTip.h"
