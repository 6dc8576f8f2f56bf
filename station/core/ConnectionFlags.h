// Flags of the connection that the hidden dialog, its status callback, its worker threads and
// the pages share. The ones other threads touch are atomic; the WPS rotation state belongs to
// the user-interface thread.
#pragma once

#include "platform/user/Types.h"

#include <atomic>

// An automatic reconnection with the current profile is allowed.
extern std::atomic<BOOL> G_bReConnect;
// 3 normally; 1 after an identity rejection, 0 after an authentication time-out: the next PEAP
// credential prompt is then skipped once.
extern std::atomic<int> G_nAuthFailState;

// The user chose the connection (activated a profile, or deleted the active one); the profile
// page sets it, the hidden dialog reads it. User-interface thread.
extern BOOL G_bManualConnect;

// [SECTION] WPS credentials tried in turn (user-interface thread)
extern BOOL G_bRotateProfile;
extern int G_nCurWpsProfile;
extern int G_nRotateWpsProfile;

// The stored WPS credential to connect with next, out of `count` (clamped to 0..8): the
// rotation index in rotation mode, which also becomes the current index, else the current
// index, which also becomes the rotation index. An index outside the stored ones picks entry 0.
int PickWpsProfile(int count);
// In rotation mode, moves the rotation index on by one, back to 0 at `count`.
void AdvanceWpsRotation(int count);
