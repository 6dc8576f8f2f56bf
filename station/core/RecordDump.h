// Trace dumps, at level 4, of the records the program hands to the WLAN library: one line per
// field under the field's own name ("[Kivra] \t<field> = <value>"), nested records indented one
// tab more. Texts are read no further than their fields, and every length field is clamped to
// the array it counts, whatever the record says. Keys and passwords are written in plain: this
// level is for the developer's own machine.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Profile.h"

void DumpWlanProfile(WLANPROFILE const* profile);
void DumpAdvanceOID(ADVANCE_OID const* oid);
void DumpCCX2Ctrl(DWORD const* ccx2_control);
void DumpAdvanceCfg(ADVANCE_CONFIG_DATA const* config);
void DumpWPSMode(WPS_MODE const* mode);
void DumpOneWPSProfile(WPS_CREDENTIAL const* credential);
void DumpWPSProfile(WPS_PROFILE const* profile);
