// Small free helpers every part of the station utility calls: hexadecimal texts, a short
// pause, the lookup of a running process by name, the file-system redirection switches, the
// single-sign-on eligibility of a profile and the adapter kind test.
#pragma once

#include "platform/user/Types.h"
#include "station/core/HexText.h"
#include "wlan/api/Profile.h"

#include <cstddef>
#include <string>

// Waits at least `ms` milliseconds of the time of day without dispatching window messages and
// returns the milliseconds that passed. A wait across midnight counts on over it.
DWORD DelayTime(DWORD ms);

// The id of a running process whose executable is `name` ("VxSwap.exe"), compared without
// regard to case; 0 when none runs or the system's process functions are missing.
DWORD FindProcessIdByName(const char* name);
// The name the process list gives this program ("Zorvel.exe"), as FindProcessIdByName
// compares it. The program file's own name has no extension here.
std::string OwnProgramName();

// Looks up the system's redirection switch once at start-up; the switches below do nothing
// and answer 0 while it is missing.
void InitWow64Redirection();
BOOL Wow64FsRedirectionOn();
BOOL Wow64FsRedirectionOff();

// True when the option file's single-sign-on switches allow this profile's security.
bool IsSSOProfileType(WLANPROFILE const& profile);
// 0 for the adapter kinds 0 to 3 of the selected adapter, 1 for every other kind.
int CheckAdapterType();
