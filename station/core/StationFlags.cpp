#include "station/core/StationFlags.h"

BOOL G_bHideTabIcon = FALSE;
