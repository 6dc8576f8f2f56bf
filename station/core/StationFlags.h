// Flags the hidden dialog sets and the pages read. They live with the shared services, below
// both, so that a page needs nothing of the application to read them.
#pragma once

#include "platform/user/Types.h"

// Set at start-up when the desktop is lower than 660 pixels: the pages then use smaller tab
// fonts and hide their tab icons.
extern BOOL G_bHideTabIcon;
