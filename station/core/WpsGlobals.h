// The WPS state the WPS page, its status decoding and the hidden dialog share. The rotation
// through stored credentials (G_bRotateProfile, G_nCurWpsProfile and the rotation index) lives
// with the connection flags. User-interface thread only.
#pragma once

// 0 no run, 1 PIN run, 2 push-button run.
extern int G_nWPSMode;
// 0 enrollee, 1 registrar: the stored role.
extern int G_nConfigMode;
// The current PIN as a number, shown with eight digits.
extern long G_lPin;
// The access point row a PIN run tries; -1 none.
extern int G_nCurSelItem;
// The preferred radio band: 0 2.4 GHz first, 1 5 GHz first, 2 automatic.
extern int G_nPreferWpsBand;
// The channel of the access point the last run got its credentials from.
extern int G_nWpsApChannel;

enum : int { WPS_RUN_NONE = 0, WPS_RUN_PIN = 1, WPS_RUN_PBC = 2 };
enum : int { WPS_ROLE_ENROLLEE = 0, WPS_ROLE_REGISTRAR = 1 };
