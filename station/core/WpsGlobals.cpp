#include "station/core/WpsGlobals.h"

int G_nWPSMode = WPS_RUN_NONE;
int G_nConfigMode = WPS_ROLE_ENROLLEE;
long G_lPin = 0;
int G_nCurSelItem = -1;
int G_nPreferWpsBand = 2;
int G_nWpsApChannel = 1;
