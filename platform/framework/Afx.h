// Everything application code of the programs includes: the framework's classes, the window
// and drawing APIs, resources and data exchange.
#pragma once

#include "platform/framework/CRect.h"
#include "platform/framework/CString.h"
#include "platform/framework/Collections.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/DialogManager.h"
#include "platform/framework/DialogTemplate.h"
#include "platform/framework/GdiObjects.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/ResourceApi.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
