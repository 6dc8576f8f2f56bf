// The hidden dialog's connection action queue: one entry per wanted change of the connection
// (scan, connect with a profile, an SSID, a BSSID or a WPS credential), run in order on the
// user-interface thread. Each entry owns a copy of its record, taken when it is queued: the
// pages and buffers a record came from may be gone (adapter removal, exit) before it runs.
// The rules here are pure; the hidden dialog inserts, decides and executes.
#pragma once

#include "platform/user/Types.h"
#include "wlan/api/Profile.h"

#include <cstddef>
#include <vector>

// Action types, the first field of an entry.
enum : int {
    actionTypeBssidListScan = 0,
    actionTypeProfile = 1,
    actionTypeSSID = 2,
    actionTypeBSSID = 3,
    actionTypeWPSProfile = 4,
};

// Who sent ACTION_INSERT_EXEC (its wParam).
enum : int { SEND_BY_SITESURVEY_DLG = 2, SEND_BY_PROFILE_DLG = 6, SEND_BY_ADVANCE_DLG = 7 };

struct _ACTION_DATA {
    int nType { actionTypeBssidListScan };
    // The entry's own copy of its record; empty for a scan.
    std::vector<BYTE> data;

    void* pData() { return data.empty() ? nullptr : data.data(); }
    void const* pData() const { return data.empty() ? nullptr : data.data(); }
    WLANPROFILE* profile() { return nType == actionTypeProfile ? static_cast<WLANPROFILE*>(pData()) : nullptr; }
};

using ActionArray = std::vector<_ACTION_DATA>;

// The one queue of the program; index 0 is the head. User-interface thread only.
extern ActionArray aryActionData;

// The size of the record an action of `type` carries: 0 (scan, or an unknown type), 5460, 36,
// 6 or 124 bytes.
std::size_t ActionDataSize(int type);
// An entry holding a copy of the record at `data` (nothing is read when data is null or the
// type carries none; a missing record of a type that needs one is zero-filled).
_ACTION_DATA MakeAction(int type, void const* data);

// Adds `action` to `queue`: a new scan removes every queued scan and goes to the tail; a new
// profile or WPS action replaces the queued profile-like entry nearest the tail and removes any
// other, so the queue holds at most one; anything else is appended.
void MergeAction(ActionArray& queue, _ACTION_DATA action);
// True when the queue must wait for the next execution: more than one entry and a scan at the
// head, or a profile at the head with a scan behind it while the current profile's one-time
// password comes from a token card (`nPasswordMode` 0 with the GTC tunnel).
bool QueueMustWait(ActionArray const& queue, WLANPROFILE const& current);

// The inner method of a tunnelled EAP profile that asks for a token card's one-time password.
constexpr std::uint32_t RS_TunnelGTC = 6;
