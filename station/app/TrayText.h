// What the tray icon says: the image for the signal strength and the tool tip built from a
// language text and the connected network's name. Free functions, so the rules are tested
// without a window.
#pragma once

#include "wlan/api/Records.h"

#include <string>

// The icon for a connected adapter: the WEP-error image while a key error is reported, else
// good above 70 %, normal above 40 %, weak otherwise.
unsigned SignalIconFor(int percent, bool wep_error);

// The network name of a status record: the SSID bytes cut to the record's own length field
// (at most 32), taken as they are.
std::string StatusSsid(WLAN_STATUS const& status);

// The tip: the first "%s" of `language_text` replaced by `insert` literally, nothing else of
// the text interpreted ("%" and "&" stay as they are), then cut to at most 127 bytes without
// splitting a UTF-8 character.
std::string BuildTrayTip(std::string const& language_text, std::string const& insert);
